#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace cadrel {

// Up and down buttons that step the whole number written in an edit, within
// [Minimo, Maximo]. The edit holds the value: the buttons read it before each
// step, so a number the user typed is where stepping starts.
class TSetasNumero : public QWidget {
  Q_OBJECT

public:
  TSetasNumero(QLineEdit& AEdit, QWidget* APai);

  int Minimo() const { return FMinimo; }
  int Maximo() const { return FMaximo; }
  void SetMinimo(int AMinimo) { FMinimo = AMinimo; }
  void SetMaximo(int AMaximo) { FMaximo = AMaximo; }
  int Posicao() const;
  // Clamped to [Minimo, Maximo]; rewrites the edit.
  void SetPosicao(int APosicao);
  void Subir() { Passo(+1); }
  void Descer() { Passo(-1); }

protected:
  void keyPressEvent(QKeyEvent* AEvento) override;
  void resizeEvent(QResizeEvent* AEvento) override;
  bool eventFilter(QObject* AObjeto, QEvent* AEvento) override;

private:
  void Passo(int ADelta);

  QLineEdit& FEdit;
  QToolButton FCima;
  QToolButton FBaixo;
  int FMinimo = 0;
  int FMaximo = 100;
  int FPosicao = 0;
};

}  // namespace cadrel
