#include "app/setas_numero.hpp"

#include <QKeyEvent>

#include <algorithm>

namespace cadrel {

TSetasNumero::TSetasNumero(QLineEdit& AEdit, QWidget* APai) : QWidget(APai), FEdit(AEdit), FCima(this), FBaixo(this) {
  for (QToolButton* botao : {&FCima, &FBaixo}) {
    botao->setAutoRepeat(true);
    botao->setFocusPolicy(Qt::NoFocus);
  }
  FCima.setArrowType(Qt::UpArrow);
  FBaixo.setArrowType(Qt::DownArrow);
  connect(&FCima, &QToolButton::clicked, this, &TSetasNumero::Subir);
  connect(&FBaixo, &QToolButton::clicked, this, &TSetasNumero::Descer);
  // The arrow keys step the number from inside the edit as well.
  FEdit.installEventFilter(this);
  setFocusPolicy(Qt::TabFocus);
}

int TSetasNumero::Posicao() const {
  bool ok = false;
  const int escrito = FEdit.text().trimmed().toInt(&ok);
  return ok ? std::clamp(escrito, FMinimo, FMaximo) : FPosicao;
}

void TSetasNumero::SetPosicao(int APosicao) {
  FPosicao = std::clamp(APosicao, FMinimo, FMaximo);
  FEdit.setText(QString::number(FPosicao));
}

void TSetasNumero::Passo(int ADelta) {
  if (!isEnabled()) return;
  SetPosicao(Posicao() + ADelta);
}

void TSetasNumero::keyPressEvent(QKeyEvent* AEvento) {
  if (AEvento->key() == Qt::Key_Up) {
    Subir();
  } else if (AEvento->key() == Qt::Key_Down) {
    Descer();
  } else {
    QWidget::keyPressEvent(AEvento);
  }
}

bool TSetasNumero::eventFilter(QObject* AObjeto, QEvent* AEvento) {
  if (AObjeto == &FEdit && AEvento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(AEvento)->key();
    if (tecla == Qt::Key_Up || tecla == Qt::Key_Down) {
      keyPressEvent(static_cast<QKeyEvent*>(AEvento));
      return true;
    }
  }
  return QWidget::eventFilter(AObjeto, AEvento);
}

void TSetasNumero::resizeEvent(QResizeEvent* AEvento) {
  QWidget::resizeEvent(AEvento);
  const int meio = height() / 2;
  FCima.setGeometry(0, 0, width(), meio);
  FBaixo.setGeometry(0, meio, width(), height() - meio);
}

}  // namespace cadrel
