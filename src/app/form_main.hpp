#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "app/dialogos.hpp"
#include "app/grupo_opcoes.hpp"
#include "app/setas_numero.hpp"
#include "core/tipos.hpp"
#include "generation/opcoes.hpp"

namespace cadrel {

// The program's one window: the options of a book, and its generation and
// writing on this same thread. While a book is being made the window keeps
// answering because the progress callback processes pending events; the
// busy flags keep those events from starting anything twice.
//
// A dialog, so that Enter presses the default button; Esc is taken over to
// press the (hidden) cancel button instead of closing.
class TFormMain : public QDialog {
  Q_OBJECT

public:
  // ADialogos is borrowed and must outlive the window.
  explicit TFormMain(IDialogos& ADialogos, QWidget* APai = nullptr);

  void AtualizarInterface();
  // Fills AConfig from the controls, with a fresh seed; false (having said
  // why, if there is anything to say) when no book can be made from them.
  bool LerConfig(TConfigLivro& AConfig);
  TEscolhaLeis LerEscolhaLeis() const;
  void GerarLivro(const TConfigLivro& AConfig, const QString& ACaminho);

  void BitBtnGerarClick();
  void BitBtnCancelarClick();
  void BitBtnSairClick();

protected:
  void closeEvent(QCloseEvent* AEvento) override;
  void keyPressEvent(QKeyEvent* AEvento) override;
  void showEvent(QShowEvent* AEvento) override;

private:
  void CriarControlos();
  void DefinirOrdemTab();
  void LigarEventos();
  void Progresso(std::int32_t AFeitos, std::int32_t ATotal, const std::string& ATexto, bool& ACancelar);
  void MostrarEstado(const QString& ATexto);

  IDialogos& FDialogos;
  QRegularExpressionValidator FSoDigitos;  // before the edit that uses it

  // Parents are declared before their children: members go in reverse order,
  // so every child is gone before its parent.
  QGroupBox GroupBoxLivro;
  QLabel LabelNumPuzzles;
  QLineEdit EditNumPuzzles;
  TSetasNumero UpDownNumPuzzles;
  TGrupoOpcoes RadioGroupTamanho;
  TGrupoOpcoes RadioGroupNivel;
  QLabel LabelTituloLivro;
  QLineEdit EditTituloLivro;
  TGrupoOpcoes RadioGroupModo;
  QGroupBox GroupBoxLeis;
  QCheckBox CheckBoxLeiSimetria;
  QCheckBox CheckBoxLeiTabela;
  QCheckBox CheckBoxLeiOrdem;
  QCheckBox CheckBoxLeiSomas;
  QLabel LabelResumo;
  QPushButton BitBtnGerar;
  QPushButton BitBtnSair;
  QProgressBar ProgressBarLote;
  QLabel LabelEstado;
  QLabel LabelCadrel;
  QPushButton BitBtnCancelar;
  QCheckBox CheckBoxCaminho;
  QCheckBox CheckBoxAbrirPDF;
  QLabel LabelAutor;
  QFrame BevelApp;

  bool FOcupado = false;        // a book is being generated or written
  bool FPodeCancelar = false;   // the generation phase, where cancelling is possible
  bool FCancelar = false;       // the user asked to stop
  bool FFecharNoFim = false;    // close once the current book is over
  bool FAtualizando = false;    // AtualizarInterface is running
  bool FMotivoMostrado = false; // the status line holds a blocking reason
  bool FCentrada = false;       // centred on the screen at the first showing
};

}  // namespace cadrel
