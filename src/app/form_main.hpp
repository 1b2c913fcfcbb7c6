#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/caixa_numero.hpp"
#include "app/dialogos.hpp"
#include "app/grupo_opcoes.hpp"
#include "app/portao_escrita.hpp"
#include "core/edicao.hpp"
#include "core/tipos.hpp"
#include "cover/geometria_capa.hpp"
#include "generation/livro.hpp"
#include "generation/opcoes.hpp"
#include "output/livro_pdf.hpp"

namespace cadrel {

// The program's one window: the options of a book, and a worker thread that
// generates the book and writes its PDF (or the volumes of a series, one after
// the other), so that the window keeps answering however long that takes. The
// worker never touches a widget: its progress and its end come back here as
// queued calls, and the busy flags keep the window from starting a second book
// meanwhile.
//
// A dialog, so that Enter presses the default button; Esc is taken over to
// press the (hidden) cancel button instead of closing.
class TFormMain : public QDialog {
  Q_OBJECT

public:
  // ADialogos is borrowed and must outlive the window.
  explicit TFormMain(IDialogos& ADialogos, QWidget* APai = nullptr);
  // Stops a book still being made and waits for its thread.
  ~TFormMain() override;

  void AtualizarInterface();
  // Fills AConfig from the controls, with a fresh seed; false (having said
  // why, if there is anything to say) when no book can be made from them.
  bool LerConfig(TConfigLivro& AConfig);
  TEscolhaLeis LerEscolhaLeis() const;
  // The trim and the edition chosen for the next book.
  TEdicao LerEdicao() const;
  // The paper chosen for the cover's spine.
  TPapel LerPapel() const;
  // The language of the book's printed texts.
  TIdioma LerIdioma() const;
  // The number of books asked for: 1, or the volumes of a series.
  std::int32_t LerVolumes() const;
  // Makes the book and writes it at ACaminho, and its cover at ACapa unless
  // that is empty. With AVolumes > 1, makes the series of that many volumes
  // whose code is AConfig's and writes each under the names of its volume.
  void GerarLivro(const TConfigLivro& AConfig, const QString& ACaminho, const QString& ACapa = {},
                  std::int32_t AVolumes = 1);

  void BitBtnGerarClick();
  void BitBtnCancelarClick();
  void BitBtnSairClick();

  // Writes the complete book at the path in the edition given, and says what
  // the file came to: the PDF, unless a test stands in for a slow disk. Runs on
  // the worker.
  using TGravarLivro = std::function<TResumoLivroPdf(const TLivro&, const std::string&, const TEdicao&)>;
  // Starts the worker's thread: QThread::start, unless a test stands in for a
  // system that refuses a thread.
  using TIniciarTrabalho = std::function<void(QThread&)>;
  void DefinirGravacao(TGravarLivro AGravar) { FGravar = std::move(AGravar); }
  void DefinirInicioTrabalho(TIniciarTrabalho AIniciar) { FIniciarTrabalho = std::move(AIniciar); }

  // The cover to write once the book is: where, and on which paper the
  // interior is printed.
  struct TCapaPedida {
    std::string Caminho;
    TPapel Papel = ppBranco;
  };

  // The worker's answer: written by it alone, read here once its thread is over.
  struct TFimLivro {
    bool Cancelado = false;
    std::int32_t Puzzles = 0;
    std::int32_t Paginas = 0;
    std::string Codigo;
    std::exception_ptr Erro;
    std::optional<TGeometriaCapa> Capa;  // the cover written
    // The book is on disk all the same: a cover that fails is said apart.
    std::exception_ptr ErroCapa;
    // Of a series: the volume being made when it ended (the last, when it was
    // made whole), and how many were written. Puzzles count that volume's;
    // Codigo is the series'.
    std::int32_t Volume = 0;
    std::int32_t Gravados = 0;
  };

  // Runs on the worker, which is why it is static: it cannot reach a widget.
  // The book is written only when APortao lets writing start; AEscrever is
  // told when it does; ACapa, if any, is written after it. The pages counted
  // are those of the file written.
  static TFimLivro FazerLivro(const TConfigLivro& AConfig, const TEdicao& AEdicao, const std::string& ACaminho,
                              const std::optional<TCapaPedida>& ACapa, TPortaoEscrita& APortao,
                              const TProgressoLivro& AProgresso, const std::function<void()>& AEscrever,
                              const TGravarLivro& AGravar);
  // The same for the AVolumes volumes of the series ASerie, made one after the
  // other without a puzzle repeated, each written at its volume's name as soon
  // as it is made. The progress covers the whole series and names the volume;
  // AEscrever is told which volume is being written. A cancel stops the volume
  // being made, or the series after the one being written; an error, a
  // cover's too, stops the series with the volumes before it written.
  static TFimLivro FazerSerie(const TConfigLivro& ASerie, std::int32_t AVolumes, const TEdicao& AEdicao,
                              const std::string& ACaminho, const std::optional<TCapaPedida>& ACapa,
                              TPortaoEscrita& APortao, const TProgressoLivro& AProgresso,
                              const std::function<void(std::int32_t)>& AEscrever, const TGravarLivro& AGravar);

signals:
  // A book is over (written, cancelled or failed) and the window is idle again,
  // or closed if that was asked.
  void LivroTerminado();

protected:
  void closeEvent(QCloseEvent* AEvento) override;
  void keyPressEvent(QKeyEvent* AEvento) override;
  void showEvent(QShowEvent* AEvento) override;

private:
  void CriarControlos();
  void DefinirOrdemTab();
  void LigarEventos();

  // The worker's reports, run here on the window's thread in the order it sent them.
  void Progresso(std::int32_t AFeitos, std::int32_t ATotal, const QString& ATexto);
  // AVolume: the volume whose writing began, or 0 for a book alone.
  void EscritaIniciada(std::int32_t AVolume);
  void TrabalhoAcabado();
  // The window's side of a book's end, however it ended.
  void Terminar(TFimLivro AFim);
  void MostrarEstado(const QString& ATexto);
  // The end of a series, told on the status line.
  void TerminarSerie(const TFimLivro& AFim);
  // Why the typed title cannot be printed, or empty.
  std::string MotivoTitulo() const;
  // Where the cover of the book at ACaminho goes, asked of the user; empty
  // when the user cancelled or the place was refused, having said why.
  QString PedirCapa(const QString& ACaminho);

  IDialogos& FDialogos;

  // Parents are declared before their children: members go in reverse order,
  // so every child is gone before its parent.
  QGroupBox GroupBoxLivro;
  QLabel LabelNumPuzzles;
  TCaixaNumero EditNumPuzzles;  // the number and its spin buttons
  QLabel LabelVolumes;
  QSpinBox SpinEditVolumes;  // 1 is a book alone
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
  QLabel LabelFormato;
  QComboBox ComboBoxFormato;  // in the order of CFormatos
  QCheckBox CheckBoxImpressao;
  QCheckBox CheckBoxCapa;
  QLabel LabelPapel;
  QComboBox ComboBoxPapel;  // in the order of CPapeis
  QLabel LabelIdioma;
  QComboBox ComboBoxIdioma;  // in the order of TIdioma

  TPortaoEscrita FPortao;  // the generator's stop flag and the start of writing
  TGravarLivro FGravar;
  TIniciarTrabalho FIniciarTrabalho;
  std::unique_ptr<QThread> FTrabalho;
  TFimLivro FFim;
  std::int32_t FNumPedidos = 0;  // puzzles asked for in the current book
  std::int32_t FVolumes = 1;     // books asked for: more than one is a series
  QString FCaminho;              // where the current book goes
  QString FCapa;                 // where its cover goes, or empty

  bool FOcupado = false;        // a book is being generated or written
  bool FPodeCancelar = false;   // the generation phase, where cancelling is possible
  bool FCancelar = false;       // the user asked to stop
  bool FFecharNoFim = false;    // close once the current book is over
  bool FAtualizando = false;    // AtualizarInterface is running
  bool FMotivoMostrado = false; // the status line holds a blocking reason
  bool FCentrada = false;       // centred on the screen at the first showing
};

}  // namespace cadrel
