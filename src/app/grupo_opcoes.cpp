#include "app/grupo_opcoes.hpp"

#include <QEvent>
#include <QFontMetrics>

namespace cadrel {

TGrupoOpcoes::TGrupoOpcoes(const QString& ATitulo, const QStringList& AItens, int AColunas, QWidget* APai)
    : QGroupBox(ATitulo, APai), FColunas(AColunas) {
  for (int k = 0; k < AItens.size(); ++k) {
    FBotoes.push_back(std::make_unique<QRadioButton>(AItens[k], this));
    FGrupo.addButton(FBotoes.back().get(), k);
  }
  connect(&FGrupo, &QButtonGroup::idToggled, this, [this](int, bool AMarcado) {
    if (AMarcado) emit Alterado();
  });
}

void TGrupoOpcoes::SetItemIndex(int AIndice) {
  if (AIndice == ItemIndex()) return;
  if (AIndice >= 0 && AIndice < NumItens()) {
    Botao(AIndice)->setChecked(true);
    return;
  }
  // An exclusive group never lets its checked button go by itself.
  FGrupo.setExclusive(false);
  if (QAbstractButton* marcado = FGrupo.checkedButton()) marcado->setChecked(false);
  FGrupo.setExclusive(true);
}

void TGrupoOpcoes::resizeEvent(QResizeEvent* AEvento) {
  QGroupBox::resizeEvent(AEvento);
  Dispor();
}

void TGrupoOpcoes::changeEvent(QEvent* AEvento) {
  QGroupBox::changeEvent(AEvento);
  // Some platforms give radio buttons a font of their own, which would beat
  // the one inherited from the group.
  if (AEvento->type() == QEvent::FontChange) {
    for (const auto& botao : FBotoes) botao->setFont(font());
    Dispor();
  }
}

void TGrupoOpcoes::Dispor() {
  if (FBotoes.empty()) return;
  const int linhas = (NumItens() + FColunas - 1) / FColunas;
  const int topo = QFontMetrics(font()).height() + 2;
  const int margem = 8;
  const int largura = (width() - 2 * margem) / FColunas;
  const int altura = (height() - topo - 4) / linhas;
  for (int k = 0; k < NumItens(); ++k) {
    const int coluna = k / linhas;
    const int linha = k % linhas;
    Botao(k)->setGeometry(margem + coluna * largura, topo + linha * altura, largura - 2, altura);
  }
}

}  // namespace cadrel
