#include "app/dialogos.hpp"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/colunas_ficheiros.hpp"
#include "core/traducao.hpp"

namespace cadrel {

namespace {

// A save dialog of a PDF file, proposing ANome; ATitulo, when given, replaces
// Qt's own "Guardar como" ("Save As"), so that two dialogs in a row say which file each asks for.
QString PedirPdf(QWidget* APai, const QString& ANome, const char* AObjeto, const QString& ATitulo) {
  QFileDialog dialogo(APai);
  dialogo.setObjectName(AObjeto);
  dialogo.setAcceptMode(QFileDialog::AcceptSave);
  // Qt's own dialog, never the desktop's: a GTK, KDE or portal dialog speaks the
  // desktop's language and asks its own replace question, where the window
  // speaks the program's. Qt's dialog also takes the window's style.
  dialogo.setOption(QFileDialog::DontUseNativeDialog);
  ColunasEmPortugues(dialogo);
  // Wide enough for the four columns of the detail view in Portuguese, the longer.
  dialogo.resize(dialogo.sizeHint().expandedTo(QSize(800, 480)));
  // A save dialog only accepts a file in an existing folder, and asks before
  // replacing a file unless told otherwise.
  dialogo.setFileMode(QFileDialog::AnyFile);
  dialogo.setDefaultSuffix("pdf");
  dialogo.setNameFilter("PDF (*.pdf)");
  dialogo.selectFile(ANome);
  // After the modes, which choose Qt's own title.
  if (!ATitulo.isEmpty()) dialogo.setWindowTitle(ATitulo);
  if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
  return dialogo.selectedFiles().constFirst();
}

}  // namespace

QString TDialogosQt::PedirFicheiroPdf(QWidget* APai, const QString& ANome) {
  return PedirPdf(APai, ANome, "SaveDialogPDF", {});
}

QString TDialogosQt::PedirFicheiroCapa(QWidget* APai, const QString& ANome) {
  return PedirPdf(APai, ANome, "SaveDialogCapa", TrP("Guardar a capa como"));
}

void TDialogosQt::Aviso(QWidget* APai, const QString& ATexto) {
  QMessageBox::warning(APai, QCoreApplication::applicationName(), ATexto, QMessageBox::Ok);
}

void TDialogosQt::Erro(QWidget* APai, const QString& ATexto) {
  QMessageBox::critical(APai, QCoreApplication::applicationName(), ATexto, QMessageBox::Ok);
}

bool TDialogosQt::Confirmar(QWidget* APai, const QString& ATexto) {
  return QMessageBox::question(APai, QCoreApplication::applicationName(), ATexto,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TDialogosQt::AbrirFicheiro(const QString& ACaminho) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(ACaminho));
}

}  // namespace cadrel
