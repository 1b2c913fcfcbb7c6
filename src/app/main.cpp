#include <QApplication>
#include <QFile>
#include <QIcon>

#include "app/dialogos.hpp"
#include "app/form_main.hpp"
#include "app/traducao.hpp"

namespace {

// The "Sky" look travels inside the program, so it never depends on what is installed.
void AplicarEstilo(QApplication& AAplicacao, const QString& ANome) {
  QFile folha(":/estilos/" + ANome.toLower() + ".qss");
  if (folha.open(QIODevice::ReadOnly | QIODevice::Text)) {
    AAplicacao.setStyleSheet(QString::fromUtf8(folha.readAll()));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  if (!cadrel::InstalarTraducao(aplicacao)) {
    qWarning("Quorvel: a tradução dos diálogos do Qt não foi carregada; ficam em inglês.");
  }
  AplicarEstilo(aplicacao, "Sky");
  QApplication::setApplicationName("Quorvel");
  QApplication::setApplicationDisplayName("Quorvel");
  QApplication::setWindowIcon(QIcon(":/icones/quorvel.png"));
  QApplication::setDesktopFileName("quorvel");

  cadrel::TDialogosQt dialogos;
  cadrel::TFormMain janela(dialogos);
  janela.show();
  return QApplication::exec();
}
