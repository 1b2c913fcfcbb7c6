#include "app/dialogos.hpp"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace cadrel {

QString TDialogosQt::PedirFicheiroPdf(QWidget* APai, const QString& ANome) {
  QFileDialog dialogo(APai);
  dialogo.setObjectName("SaveDialogPDF");
  dialogo.setAcceptMode(QFileDialog::AcceptSave);
  // A save dialog only accepts a file in an existing folder, and asks before
  // replacing a file unless told otherwise.
  dialogo.setFileMode(QFileDialog::AnyFile);
  dialogo.setDefaultSuffix("pdf");
  dialogo.setNameFilter("PDF (*.pdf)");
  dialogo.selectFile(ANome);
  if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
  return dialogo.selectedFiles().constFirst();
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
