#pragma once

#include <QString>

class QWidget;

namespace cadrel {

// Everything modal or outside the process that the window asks for. The window
// only talks to this, so that it can be driven without anyone at the screen.
class IDialogos {
public:
  virtual ~IDialogos() = default;
  // The save dialog of the PDF, proposing ANome; an empty path when cancelled.
  virtual QString PedirFicheiroPdf(QWidget* APai, const QString& ANome) = 0;
  // The same for the book's cover, after the PDF's.
  virtual QString PedirFicheiroCapa(QWidget* APai, const QString& ANome) = 0;
  virtual void Aviso(QWidget* APai, const QString& ATexto) = 0;
  virtual void Erro(QWidget* APai, const QString& ATexto) = 0;
  // A question answered with Yes (true) or No.
  virtual bool Confirmar(QWidget* APai, const QString& ATexto) = 0;
  // Hands the file to the desktop; whether a viewer opens it is not our business.
  virtual void AbrirFicheiro(const QString& ACaminho) = 0;
};

// The real dialogs and message boxes, and the desktop's "open".
class TDialogosQt final : public IDialogos {
public:
  QString PedirFicheiroPdf(QWidget* APai, const QString& ANome) override;
  QString PedirFicheiroCapa(QWidget* APai, const QString& ANome) override;
  void Aviso(QWidget* APai, const QString& ATexto) override;
  void Erro(QWidget* APai, const QString& ATexto) override;
  bool Confirmar(QWidget* APai, const QString& ATexto) override;
  void AbrirFicheiro(const QString& ACaminho) override;
};

}  // namespace cadrel
