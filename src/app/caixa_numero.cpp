#include "app/caixa_numero.hpp"

#include <QLineEdit>
#include <QStyle>

#include <algorithm>

namespace cadrel {

TCaixaNumero::TCaixaNumero(QWidget* APai) : QSpinBox(APai) {
  // The value changes with each digit typed, not only when the box is left,
  // so whoever listens follows the typing.
  setKeyboardTracking(true);
  SetDigitos(2);
}

void TCaixaNumero::SetDigitos(int ADigitos) {
  FDigitos = ADigitos;
  int maior = 0;
  for (int k = 0; k < ADigitos; ++k) maior = maior * 10 + 9;
  setRange(CVazio, maior);
  lineEdit()->setMaxLength(ADigitos);
}

int TCaixaNumero::Posicao() const { return std::clamp(value() == CVazio ? FPosicao : value(), FMinimo, FMaximo); }

void TCaixaNumero::SetPosicao(int APosicao) {
  FPosicao = std::clamp(APosicao, FMinimo, FMaximo);
  setValue(FPosicao);
}

QValidator::State TCaixaNumero::validate(QString& ATexto, int&) const {
  // Whatever the digits spell is a value of the box, so Qt finds nothing to mend.
  const bool digitos = std::all_of(ATexto.cbegin(), ATexto.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  return digitos && ATexto.size() <= FDigitos ? QValidator::Acceptable : QValidator::Invalid;
}

int TCaixaNumero::valueFromText(const QString& ATexto) const { return ATexto.isEmpty() ? CVazio : ATexto.toInt(); }

QString TCaixaNumero::textFromValue(int AValor) const {
  // Plain ASCII digits whatever the locale, as they are typed and read.
  return AValor == CVazio ? QString() : QString::number(AValor);
}

void TCaixaNumero::stepBy(int APassos) {
  SetPosicao(Posicao() + APassos * singleStep());
  if (style()->styleHint(QStyle::SH_SpinBox_SelectOnStep, nullptr, this) != 0) selectAll();
}

QAbstractSpinBox::StepEnabled TCaixaNumero::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  // A step always lands within the limits: only a box showing a limit itself
  // has nowhere to go that way.
  StepEnabled passos = StepNone;
  if (value() != FMaximo) passos |= StepUpEnabled;
  if (value() != FMinimo) passos |= StepDownEnabled;
  return passos;
}

}  // namespace cadrel
