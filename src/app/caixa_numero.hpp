#pragma once

#include <QSpinBox>

namespace cadrel {

// A spin box for a whole number typed in digits, whose text stays as typed: a
// number outside [Minimo, Maximo], or none at all, is left for the window to
// refuse with its reason, never mended behind the user's back when the box
// loses the focus or takes Enter. The limits bind the steps (arrows, Up and
// Down, Page Up and Down, wheel), which start from the typed number brought
// within them.
//
// Qt keeps a spin box's value inside its range and rewrites the text to match
// the value, so here the value follows the text instead: the box's own range
// is every number the allowed digits can spell, and CVazio the empty text.
class TCaixaNumero : public QSpinBox {
  Q_OBJECT

public:
  explicit TCaixaNumero(QWidget* APai);

  // Up to ADigitos digits can be typed.
  void SetDigitos(int ADigitos);
  int Minimo() const { return FMinimo; }
  int Maximo() const { return FMaximo; }
  // The arrows are drawn again, as one may have reached or left a limit.
  void SetMinimo(int AMinimo) {
    FMinimo = AMinimo;
    update();
  }
  void SetMaximo(int AMaximo) {
    FMaximo = AMaximo;
    update();
  }
  // Clamped to [Minimo, Maximo]; rewrites the text.
  void SetPosicao(int APosicao);

protected:
  QValidator::State validate(QString& ATexto, int& APosicao) const override;
  int valueFromText(const QString& ATexto) const override;
  QString textFromValue(int AValor) const override;
  void stepBy(int APassos) override;
  StepEnabled stepEnabled() const override;

private:
  static constexpr int CVazio = -1;

  // Where a step starts from: the typed number within the limits, or where
  // the last step left off when nothing is typed.
  int Posicao() const;

  int FDigitos = 0;
  int FMinimo = 0;
  int FMaximo = 99;
  int FPosicao = 0;
};

}  // namespace cadrel
