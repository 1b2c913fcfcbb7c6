#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

#include <memory>
#include <vector>

namespace cadrel {

// A captioned group of mutually exclusive choices laid out in columns, read
// and set by index (-1: nothing chosen). Items fill each column top to bottom.
class TGrupoOpcoes : public QGroupBox {
  Q_OBJECT

public:
  TGrupoOpcoes(const QString& ATitulo, const QStringList& AItens, int AColunas, QWidget* APai);

  int ItemIndex() const { return FGrupo.checkedId(); }
  void SetItemIndex(int AIndice);
  int NumItens() const { return static_cast<int>(FBotoes.size()); }
  QRadioButton* Botao(int AIndice) const { return FBotoes[static_cast<std::size_t>(AIndice)].get(); }

signals:
  // A new item was chosen, by the user or by SetItemIndex.
  void Alterado();

protected:
  void resizeEvent(QResizeEvent* AEvento) override;
  void changeEvent(QEvent* AEvento) override;

private:
  void Dispor();

  QButtonGroup FGrupo;
  std::vector<std::unique_ptr<QRadioButton>> FBotoes;
  int FColunas;
};

}  // namespace cadrel
