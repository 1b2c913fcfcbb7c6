#include "app/form_main.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "apoio.hpp"
#include "core/traducao.hpp"
#include "ferramentas_pdf.hpp"

namespace cadrel {
namespace {

// Answers every dialog at once and remembers what was asked.
class TDialogosFalsos final : public IDialogos {
public:
  QString Caminho;      // the save dialog's answer; empty is Cancel
  QString CaminhoCapa;  // the same for the cover
  bool Sim = true;      // the answer to a confirmation
  QStringList Ficheiros, Capas, Avisos, Erros, Perguntas, Abertos;

  QString PedirFicheiroPdf(QWidget*, const QString& ANome) override {
    Ficheiros << ANome;
    return Caminho;
  }
  QString PedirFicheiroCapa(QWidget*, const QString& ANome) override {
    Capas << ANome;
    return CaminhoCapa;
  }
  void Aviso(QWidget*, const QString& ATexto) override { Avisos << ATexto; }
  void Erro(QWidget*, const QString& ATexto) override { Erros << ATexto; }
  bool Confirmar(QWidget*, const QString& ATexto) override {
    Perguntas << ATexto;
    return Sim;
  }
  void AbrirFicheiro(const QString& ACaminho) override { Abertos << ACaminho; }
};

class Janela : public ::testing::Test {
protected:
  Janela() { J.show(); }

  template <class T>
  T& C(const char* ANome) {
    T* c = J.findChild<T*>(ANome);
    if (c == nullptr) throw std::runtime_error(std::string("sem controlo ") + ANome);
    return *c;
  }
  TCaixaNumero& Edit() { return C<TCaixaNumero>("EditNumPuzzles"); }
  QSpinBox& Volumes() { return C<QSpinBox>("SpinEditVolumes"); }
  TGrupoOpcoes& Tamanho() { return C<TGrupoOpcoes>("RadioGroupTamanho"); }
  TGrupoOpcoes& Nivel() { return C<TGrupoOpcoes>("RadioGroupNivel"); }
  QComboBox& Formato() { return C<QComboBox>("ComboBoxFormato"); }
  QCheckBox& Impressao() { return C<QCheckBox>("CheckBoxImpressao"); }
  QCheckBox& Capa() { return C<QCheckBox>("CheckBoxCapa"); }
  QComboBox& Papel() { return C<QComboBox>("ComboBoxPapel"); }
  QPushButton& Gerar() { return C<QPushButton>("BitBtnGerar"); }
  QPushButton& Cancelar() { return C<QPushButton>("BitBtnCancelar"); }
  QProgressBar& Barra() { return C<QProgressBar>("ProgressBarLote"); }
  QString Estado() { return C<QLabel>("LabelEstado").text(); }
  QString Resumo() { return C<QLabel>("LabelResumo").text(); }

  // Types ATexto in place of what the box holds, as the user does.
  void Escrever(const QString& ATexto) {
    Edit().selectAll();
    QTest::keyClick(&Edit(), Qt::Key_Delete);
    QTest::keyClicks(&Edit(), ATexto);
  }
  // Leaves the number box, as a click elsewhere does.
  void Deixar() {
    QFocusEvent saida(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(&Edit(), &saida);
  }
  // Clicks the number box's up or down arrow where the style puts it.
  void Seta(QStyle::SubControl ASeta) {
    TCaixaNumero& caixa = Edit();
    QStyleOptionSpinBox opcao;
    opcao.initFrom(&caixa);
    opcao.frame = caixa.hasFrame();
    opcao.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp |
                        QStyle::SC_SpinBoxDown;
    const QRect seta = caixa.style()->subControlRect(QStyle::CC_SpinBox, &opcao, ASeta, &caixa);
    QTest::mouseClick(&caixa, Qt::LeftButton, {}, seta.center());
  }
  // A small book, quick to make: 4 x 4 at level 1.
  void LivroPequeno(int ANum) {
    Tamanho().Botao(0)->click();
    Nivel().Botao(0)->click();
    Escrever(QString::number(ANum));
  }
  // One that cannot be over before a cancel reaches it: 200 puzzles, 7 x 7 at level 5.
  void LivroGrande() {
    Tamanho().Botao(3)->click();
    Nivel().Botao(4)->click();
    Escrever("200");
  }
  // Presses "Gerar livro" and runs AAcao at once, while the worker makes the
  // book and the window has handled none of its reports; then waits for the
  // end. False when the book never ended.
  bool GerarCom(const std::function<void()>& AAcao = {}) {
    QSignalSpy fim(&J, &TFormMain::LivroTerminado);
    Gerar().click();
    if (AAcao) AAcao();
    return !fim.isEmpty() || fim.wait(CEspera);
  }

  static constexpr int CEspera = 120000;  // ms; a few seconds at most, even with the sanitizers

  TDialogosFalsos D;
  TFormMain J{D};
  QTemporaryDir Pasta;
};

const QString CResumoInicial = "50 puzzles · 5 × 5 · progressiva: 10 + 10 + 10 + 10 + 10";
// The cancel text of the large book, with fewer puzzles made than asked for.
bool Cancelada(const QString& AEstado) {
  const QRegularExpressionMatch m =
      QRegularExpression("^Geração cancelada aos (\\d+) de 200 puzzles\\. Nada foi gravado\\.$").match(AEstado);
  return m.hasMatch() && m.captured(1).toInt() < 200;
}

// The pages of the status line of a written book, or -1.
int PaginasDoEstado(const QString& AEstado) {
  const QRegularExpressionMatch m =
      QRegularExpression("^Livro gerado: \\d+ puzzles, (\\d+) páginas\\. Código do livro: [0-9A-F]{8}$").match(AEstado);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// What a written PDF is: its page count, how many of its pages pdfinfo gives
// the size ATamanho, as it writes it ("595 x 842 pts (A4)"), and whether
// bookmarks or any annotation are left once qpdf has uncompressed every object.
struct TPdfEscrito {
  int Paginas = 0;
  int ComTamanho = 0;
  bool Marcadores = false;
  bool Anotacoes = false;
};
TPdfEscrito LerPdf(const QString& ACaminho, const std::string& ATamanho) {
  const std::string pdf = "'" + ACaminho.toStdString() + "'";
  TPdfEscrito lido;
  lido.Paginas = std::stoi(Executar("qpdf --show-npages " + pdf));
  const std::string info = Executar("pdfinfo -f 1 -l " + std::to_string(lido.Paginas) + " " + pdf);
  std::istringstream linhas(info);
  for (std::string linha; std::getline(linhas, linha);) {
    const std::size_t i = linha.find(" size:");
    if (linha.rfind("Page ", 0) == 0 && i != std::string::npos &&
        linha.substr(linha.find_first_not_of(' ', i + 6)) == ATamanho) {
      ++lido.ComTamanho;
    }
  }
  const std::string qdf = Executar("qpdf --qdf --object-streams=disable " + pdf + " -");
  lido.Marcadores = qdf.find("/Outlines") != std::string::npos;
  lido.Anotacoes = qdf.find("/Annots") != std::string::npos;
  return lido;
}

TEST_F(Janela, EstadoInicial) {
  EXPECT_EQ(J.windowTitle(), "QUORVEL | Velmaro");
  EXPECT_EQ(J.size(), QSize(612, 421));
  EXPECT_EQ(Tamanho().ItemIndex(), 1);
  EXPECT_EQ(Nivel().ItemIndex(), 5);
  EXPECT_EQ(Edit().text(), "50");
  EXPECT_EQ(Resumo(), CResumoInicial);
  EXPECT_EQ(Estado(), "");
  EXPECT_EQ(Edit().Minimo(), 5);
  EXPECT_EQ(Edit().Maximo(), 200);
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_TRUE(Gerar().isDefault());
  EXPECT_FALSE(Cancelar().isEnabled());
  EXPECT_GE(Cancelar().x(), 612);  // out of sight, reachable only with Esc
  EXPECT_FALSE(C<TGrupoOpcoes>("RadioGroupModo").isVisible());
  EXPECT_FALSE(C<QGroupBox>("GroupBoxLeis").isVisible());
  EXPECT_TRUE(C<QCheckBox>("CheckBoxCaminho").isChecked());
  EXPECT_TRUE(C<QCheckBox>("CheckBoxAbrirPDF").isChecked());
  EXPECT_EQ(C<QLineEdit>("EditTituloLivro").maxLength(), 60);
  // The trims of the command line, in its order, and the digital A4 book first.
  QStringList formatos;
  for (int k = 0; k < Formato().count(); ++k) formatos << Formato().itemText(k);
  EXPECT_EQ(formatos, (QStringList{"A4 (210 × 297 mm)", "A5 (148 × 210 mm)", "Carta (8,5 × 11 pol.)", "6 × 9 pol."}));
  EXPECT_EQ(Formato().currentIndex(), 0);
  EXPECT_FALSE(Impressao().isChecked());
  EXPECT_EQ(J.LerEdicao(), TEdicao{});
  EXPECT_EQ(C<QLabel>("LabelFormato").buddy(), &Formato());
  // No cover unless asked for; its paper, white first, waits for it.
  EXPECT_FALSE(Capa().isChecked());
  QStringList papeis;
  for (int k = 0; k < Papel().count(); ++k) papeis << Papel().itemText(k);
  EXPECT_EQ(papeis, (QStringList{"Branco", "Creme"}));
  EXPECT_EQ(J.LerPapel(), ppBranco);
  EXPECT_FALSE(Papel().isEnabled());
  EXPECT_EQ(C<QLabel>("LabelPapel").buddy(), &Papel());
  Capa().click();
  EXPECT_TRUE(Papel().isEnabled());
  EXPECT_TRUE(C<QLabel>("LabelPapel").isEnabled());
  // Every control inside the window, none over another; the name and its
  // frame make one picture, and the cancel button stays out of sight.
  const QList<QWidget*> visiveis = [&] {
    QList<QWidget*> v;
    for (QWidget* w : J.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (w->isVisible() && w != &C<QFrame>("BevelApp") && w != &C<QLabel>("LabelCadrel") &&
          w != &C<QLabel>("LabelAutor") && w != &Cancelar()) {
        v << w;
      }
    }
    return v;
  }();
  for (qsizetype a = 0; a < visiveis.size(); ++a) {
    EXPECT_TRUE(J.rect().contains(visiveis[a]->geometry())) << visiveis[a]->objectName().toStdString();
    for (qsizetype b = a + 1; b < visiveis.size(); ++b) {
      EXPECT_FALSE(visiveis[a]->geometry().intersects(visiveis[b]->geometry()))
          << visiveis[a]->objectName().toStdString() << " e " << visiveis[b]->objectName().toStdString();
    }
  }
}

// The trim, the edition and the cover are reached with Tab right after the
// book's group, before the title, and chosen with the keys alone; the paper
// only once a cover is asked for.
TEST_F(Janela, FormatoPeloTeclado) {
  J.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&J));
  Edit().setFocus();
  QStringList percurso;
  for (int k = 0; k < 30 && !percurso.contains("BitBtnSair"); ++k) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    percurso << QApplication::focusWidget()->objectName();
  }
  const qsizetype i = percurso.indexOf("ComboBoxFormato");
  ASSERT_GE(i, 1) << percurso.join(' ').toStdString();
  EXPECT_EQ(percurso[i - 1], "") << "a dificuldade vem antes";  // a level's radio button
  EXPECT_EQ(percurso.mid(i, 6), (QStringList{"ComboBoxFormato", "CheckBoxImpressao", "CheckBoxCapa",
                                              "CheckBoxCaminho", "CheckBoxAbrirPDF", "EditTituloLivro"}));

  Formato().setFocus();
  QTest::keyClick(&Formato(), Qt::Key_Down);
  QTest::keyClick(&Formato(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), &Impressao());
  QTest::keyClick(&Impressao(), Qt::Key_Space);
  EXPECT_EQ(J.LerEdicao(), (TEdicao{fmA5, true}));
  QTest::keyClick(&Impressao(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), &Capa());
  QTest::keyClick(&Capa(), Qt::Key_Space);
  EXPECT_TRUE(Capa().isChecked());
  QTest::keyClick(&Capa(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), &Papel());
  QTest::keyClick(&Papel(), Qt::Key_Down);
  EXPECT_EQ(J.LerPapel(), ppCreme);
}

TEST_F(Janela, MinimoDaProgressiva) {
  const QString minimo = "Na dificuldade Progressiva, o livro precisa de pelo menos 5 puzzles (um por nível).";
  Escrever("3");
  EXPECT_EQ(Estado(), minimo);
  EXPECT_FALSE(Gerar().isEnabled());
  EXPECT_EQ(Resumo(), "3 puzzles · 5 × 5 · progressiva: 1 + 1 + 1 + 0 + 0");
  // Pressed anyway, the check says it again in a box and asks for no file.
  J.BitBtnGerarClick();
  EXPECT_EQ(D.Avisos, QStringList{minimo});
  EXPECT_TRUE(D.Ficheiros.isEmpty());

  // The click on another level takes the focus from the box first: the 3 stays.
  Deixar();
  Nivel().Botao(1)->click();
  EXPECT_EQ(Estado(), "");
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_EQ(Edit().Minimo(), 1);
  EXPECT_EQ(Resumo(), "3 puzzles · 5 × 5 · nível 2");

  Nivel().Botao(5)->click();
  EXPECT_EQ(Edit().text(), "5");
  EXPECT_EQ(Estado(), "");
  EXPECT_TRUE(Gerar().isEnabled());
  QTest::keyClick(&Edit(), Qt::Key_Down);
  EXPECT_EQ(Edit().text(), "5");
}

TEST_F(Janela, NumeroDePuzzles) {
  Escrever("150");
  EXPECT_EQ(Edit().text(), "150");
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_EQ(Resumo(), "150 puzzles · 5 × 5 · progressiva: 30 + 30 + 30 + 30 + 30");

  // The arrows and the keys step one at a time, up to 200 and no further.
  Escrever("198");
  for (int k = 0; k < 4; ++k) Seta(QStyle::SC_SpinBoxUp);
  EXPECT_EQ(Edit().text(), "200");
  QTest::keyClick(&Edit(), Qt::Key_Up);
  EXPECT_EQ(Edit().text(), "200");
  QTest::keyClick(&Edit(), Qt::Key_Down);
  EXPECT_EQ(Edit().text(), "199");
  EXPECT_EQ(Resumo(), "199 puzzles · 5 × 5 · progressiva: 40 + 40 + 40 + 40 + 39");
  Seta(QStyle::SC_SpinBoxDown);
  EXPECT_EQ(Edit().text(), "198");

  // Digits only, three at most: "2a01" becomes 201, which is too many. A count
  // that cannot be is kept as typed, through Enter and leaving the box, with
  // its reason, and starts no book.
  const QString entre = "Indique um número de puzzles entre 1 e 200.";
  Escrever("2a01");
  EXPECT_EQ(Edit().text(), "201");
  EXPECT_EQ(Estado(), entre);
  EXPECT_FALSE(Gerar().isEnabled());
  EXPECT_EQ(Resumo(), "");
  for (const QString errado : {"201", "0", ""}) {
    Escrever(errado);
    QTest::keyClick(&Edit(), Qt::Key_Return);
    Deixar();
    EXPECT_EQ(Edit().text(), errado);
    EXPECT_EQ(Estado(), entre);
    EXPECT_FALSE(Gerar().isEnabled());
  }
  EXPECT_TRUE(D.Ficheiros.isEmpty());
  // A step from a count out of range comes back within it.
  Escrever("201");
  QTest::keyClick(&Edit(), Qt::Key_Up);
  EXPECT_EQ(Edit().text(), "200");
  EXPECT_TRUE(Gerar().isEnabled());
}

// The number of volumes is one Tab after the number of puzzles: one book to
// start with, a series of up to 50 stepped with the keys, said in the summary.
TEST_F(Janela, VolumesPeloTeclado) {
  EXPECT_EQ(Volumes().value(), 1);
  EXPECT_EQ(Volumes().minimum(), 1);
  EXPECT_EQ(Volumes().maximum(), 50);
  EXPECT_TRUE(Volumes().isEnabled());
  EXPECT_EQ(C<QLabel>("LabelVolumes").buddy(), &Volumes());

  J.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&J));
  Edit().setFocus();
  QTest::keyClick(&Edit(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), &Volumes());
  QTest::keyClick(&Volumes(), Qt::Key_Down);
  EXPECT_EQ(J.LerVolumes(), 1);
  for (int k = 0; k < 4; ++k) QTest::keyClick(&Volumes(), Qt::Key_Up);
  EXPECT_EQ(J.LerVolumes(), 5);
  EXPECT_EQ(Resumo(), CResumoInicial + " · série de 5 volumes");
  QTest::keyClick(&Volumes(), Qt::Key_PageUp);
  QTest::keyClick(&Volumes(), Qt::Key_PageUp);
  EXPECT_EQ(Volumes().value(), 25);
  for (int k = 0; k < 4; ++k) QTest::keyClick(&Volumes(), Qt::Key_PageUp);
  EXPECT_EQ(Volumes().value(), 50);
  Volumes().setValue(1);
  EXPECT_EQ(Resumo(), CResumoInicial);
  QTest::keyClick(&Volumes(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Tamanho().Botao(0));
}

TEST_F(Janela, DialogoCanceladoNaoComecaNada) {
  D.Caminho.clear();
  Gerar().click();
  EXPECT_EQ(D.Ficheiros, QStringList{"Quorvel_5x5_P_50.pdf"});
  EXPECT_EQ(Estado(), "");
  EXPECT_EQ(Barra().value(), 0);
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_TRUE(Edit().isEnabled());
  EXPECT_TRUE(D.Erros.isEmpty());
}

TEST_F(Janela, LivroGravado) {
  LivroPequeno(2);
  D.Caminho = Pasta.filePath("livro.pdf");
  bool opcoesOcupadas = true, cancelarAtivo = false;
  ASSERT_TRUE(GerarCom([&] {
    opcoesOcupadas = Edit().isEnabled() || Tamanho().isEnabled() || Gerar().isEnabled();
    cancelarAtivo = Cancelar().isEnabled();
  }));
  EXPECT_FALSE(opcoesOcupadas);
  EXPECT_TRUE(cancelarAtivo);
  EXPECT_EQ(D.Ficheiros, QStringList{"Quorvel_4x4_N1_2.pdf"});

  const QRegularExpressionMatch fim =
      QRegularExpression("^Livro gerado: 2 puzzles, (\\d+) páginas\\. Código do livro: [0-9A-F]{8}$").match(Estado());
  ASSERT_TRUE(fim.hasMatch()) << Estado().toStdString();
  // The digital A4 book, as before the trims: every page A4, with its
  // bookmarks and links.
  const TPdfEscrito pdf = LerPdf(D.Caminho, "595 x 842 pts (A4)");
  EXPECT_EQ(pdf.Paginas, fim.captured(1).toInt());
  EXPECT_EQ(pdf.ComTamanho, pdf.Paginas);
  EXPECT_TRUE(pdf.Marcadores);
  EXPECT_TRUE(pdf.Anotacoes);
  EXPECT_EQ(D.Abertos, QStringList{D.Caminho});
  EXPECT_EQ(Barra().value(), Barra().maximum());
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_FALSE(Cancelar().isEnabled());
  EXPECT_TRUE(D.Erros.isEmpty());
}

// The trim and the edition chosen reach the file, and the status line counts
// the pages it has, blank ones included.
TEST_F(Janela, EdicaoParaImpressaoA5) {
  LivroPequeno(2);
  Formato().setCurrentIndex(fmA5);
  Impressao().setChecked(true);
  D.Caminho = Pasta.filePath("livro.pdf");
  bool ocupadas = true;
  ASSERT_TRUE(GerarCom([&] { ocupadas = !Formato().isEnabled() && !Impressao().isEnabled(); }));
  EXPECT_TRUE(ocupadas);
  EXPECT_TRUE(Formato().isEnabled());
  EXPECT_TRUE(Impressao().isEnabled());

  const int paginas = PaginasDoEstado(Estado());
  ASSERT_GT(paginas, 0) << Estado().toStdString();
  const TPdfEscrito pdf = LerPdf(D.Caminho, "419.528 x 595.276 pts");
  EXPECT_EQ(pdf.Paginas, paginas);
  EXPECT_GE(pdf.Paginas, CMinPaginasImpressao);
  EXPECT_EQ(pdf.Paginas % 2, 0);
  EXPECT_EQ(pdf.ComTamanho, pdf.Paginas);
  EXPECT_FALSE(pdf.Marcadores);
  EXPECT_FALSE(pdf.Anotacoes);
  EXPECT_TRUE(D.Erros.isEmpty());
}

// The cover asked for is proposed beside the book, and written after it at the
// place the second dialog gave: one page of the print edition's trim on the
// paper chosen, whose sizes the status line gives.
TEST_F(Janela, CapaGravada) {
  LivroPequeno(2);
  Formato().setCurrentIndex(fm6x9);
  Impressao().setChecked(true);
  Capa().setChecked(true);
  Papel().setCurrentIndex(ppCreme);
  D.Caminho = Pasta.filePath("livro.pdf");
  D.CaminhoCapa = Pasta.filePath("a capa.pdf");
  bool ocupadas = true;
  ASSERT_TRUE(GerarCom([&] { ocupadas = !Capa().isEnabled() && !Papel().isEnabled(); }));
  EXPECT_TRUE(ocupadas);
  EXPECT_TRUE(Capa().isEnabled());
  EXPECT_TRUE(Papel().isEnabled());
  EXPECT_EQ(D.Capas, QStringList{Pasta.filePath("livro_capa.pdf")});

  const QRegularExpressionMatch fim =
      QRegularExpression("^Livro gerado: 2 puzzles, (\\d+) páginas\\. Código do livro: [0-9A-F]{8}\\. "
                         "Capa gravada: (\\d+,\\d) × (\\d+,\\d) mm, lombada de (\\d+,\\d) mm\\.$")
          .match(Estado());
  ASSERT_TRUE(fim.hasMatch()) << Estado().toStdString();
  const int paginas = fim.captured(1).toInt();
  EXPECT_EQ(LerPdf(D.Caminho, "432 x 648 pts").Paginas, paginas);
  // Two 6 x 9 in panels either side of a spine of 0.0025 in a page of cream
  // paper, and 0.125 in of bleed all round.
  const double lombada = paginas * 0.0025, largura = 0.25 + 2 * 6 + lombada, altura = 0.25 + 9;
  const std::string info = Executar("pdfinfo '" + D.CaminhoCapa.toStdString() + "'");
  double w = 0, h = 0;
  const std::size_t i = info.find("Page size:");
  ASSERT_NE(i, std::string::npos) << info;
  ASSERT_EQ(std::sscanf(info.c_str() + i, "Page size: %lf x %lf", &w, &h), 2) << info;
  EXPECT_NEAR(w, largura * 72, 0.1);
  EXPECT_NEAR(h, altura * 72, 0.1);
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  const auto mm = [&fim](int ACampo) { return fim.captured(ACampo).replace(',', '.').toDouble(); };
  EXPECT_NEAR(mm(2), largura * 25.4, 0.051);
  EXPECT_NEAR(mm(3), altura * 25.4, 0.051);
  EXPECT_NEAR(mm(4), lombada * 25.4, 0.051);
  EXPECT_EQ(D.Abertos, QStringList{D.Caminho});
  EXPECT_TRUE(D.Erros.isEmpty());
  EXPECT_TRUE(D.Avisos.isEmpty());
}

// A cover that cannot be had stops the book before anything is made: its
// dialog cancelled, the book's own file by another name, a folder that is not
// there.
TEST_F(Janela, CapaRecusadaAntesDoLivro) {
  LivroPequeno(1);
  Capa().setChecked(true);
  D.Caminho = Pasta.filePath("livro.pdf");
  ASSERT_TRUE(QFile::link(Pasta.path(), Pasta.filePath("atalho")));
  const QString mesmo = "A capa não pode ir para o ficheiro do livro, %1.";
  const struct {
    const char* nome;
    QString capa;
    QString aviso, erro;  // the text said in a box, if any, and on the status line
  } casos[] = {
      {"diálogo cancelado", "", "", ""},
      {"o ficheiro do livro", D.Caminho, mesmo.arg(D.Caminho), ""},
      {"o ficheiro do livro por uma ligação", Pasta.filePath("atalho/livro.pdf"),
       mesmo.arg(Pasta.filePath("atalho/livro.pdf")), ""},
      {"pasta que não existe", Pasta.filePath("nao/capa.pdf"), "",
       "Não foi possível gravar o ficheiro " + Pasta.filePath("nao/capa.pdf") + ": a pasta não existe."},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    D.CaminhoCapa = c.capa;
    D.Ficheiros.clear();
    D.Capas.clear();
    D.Avisos.clear();
    D.Erros.clear();
    Gerar().click();
    EXPECT_EQ(D.Ficheiros, QStringList{"Quorvel_4x4_N1_1.pdf"});
    EXPECT_EQ(D.Capas, QStringList{Pasta.filePath("livro_capa.pdf")});
    EXPECT_EQ(D.Avisos, c.aviso.isEmpty() ? QStringList{} : QStringList{c.aviso});
    EXPECT_EQ(D.Erros, c.erro.isEmpty() ? QStringList{} : QStringList{c.erro});
    EXPECT_EQ(Estado(), c.aviso + c.erro);
    EXPECT_EQ(Barra().value(), 0);
    EXPECT_TRUE(Gerar().isEnabled());
    EXPECT_TRUE(Capa().isEnabled());
    EXPECT_FALSE(QFile::exists(D.Caminho));
  }
}

// The code that follows ARotulo in the text of a PDF (the first code in it
// when ARotulo is empty), or empty.
QString CodigoEm(const QString& APdf, const char* ARotulo) {
  const QString texto = QString::fromStdString(Executar("pdftotext '" + APdf.toStdString() + "' -"));
  return QRegularExpression(QString(ARotulo) + "\\s*([0-9A-F]{8})").match(texto).captured(1);
}

// A series of three is written volume after volume under the name the save
// dialog gave, with _vol01.._vol03, the covers the same way when asked: books
// of distinct codes that name the series' code, the status line's, the first
// of them its code's own book; the first volume is opened.
TEST_F(Janela, SerieGravada) {
  LivroPequeno(1);
  Volumes().setValue(3);
  for (const bool comCapa : {false, true}) {
    SCOPED_TRACE(comCapa ? "com capa" : "sem capa");
    const QDir pasta(Pasta.filePath(comCapa ? "com" : "sem"));
    ASSERT_TRUE(pasta.mkpath("."));
    Capa().setChecked(comCapa);
    D.Caminho = pasta.filePath("livro.pdf");
    D.CaminhoCapa = pasta.filePath("capa.pdf");
    D.Ficheiros.clear();
    D.Abertos.clear();
    bool ocupado = false;
    ASSERT_TRUE(GerarCom([&] { ocupado = !Volumes().isEnabled() && Cancelar().isEnabled(); }));
    EXPECT_TRUE(ocupado);
    EXPECT_EQ(D.Ficheiros, QStringList{"Quorvel_4x4_N1_1.pdf"});
    const QRegularExpressionMatch fim =
        QRegularExpression(QString("^Série gerada: 3 volumes de 1 puzzles\\. Código da série: ([0-9A-F]{8})") +
                           (comCapa ? "\\. Capas gravadas\\.$" : "$"))
            .match(Estado());
    ASSERT_TRUE(fim.hasMatch()) << Estado().toStdString();

    QStringList esperados;
    for (int k = 1; k <= 3; ++k) {
      esperados << QString("livro_vol0%1.pdf").arg(k);
      if (comCapa) esperados << QString("capa_vol0%1.pdf").arg(k);
    }
    esperados.sort();
    EXPECT_EQ(pasta.entryList(QDir::Files | QDir::Hidden, QDir::Name), esperados);
    QStringList codigos;
    for (int k = 1; k <= 3; ++k) {
      const QString livro = pasta.filePath(QString("livro_vol0%1.pdf").arg(k));
      codigos << CodigoEm(livro, "Código do livro:");
      EXPECT_EQ(CodigoEm(livro, "Código da série:"), fim.captured(1));
      if (comCapa) {
        EXPECT_EQ(CodigoEm(pasta.filePath(QString("capa_vol0%1.pdf").arg(k)), ""), codigos.back());  // its book's
      }
    }
    EXPECT_EQ(codigos.first(), fim.captured(1));
    EXPECT_EQ(codigos.removeDuplicates(), 0) << codigos.join(' ').toStdString();
    EXPECT_FALSE(codigos.contains(""));
    EXPECT_EQ(D.Abertos, QStringList{pasta.filePath("livro_vol01.pdf")});
    EXPECT_EQ(Barra().maximum(), 3);
    EXPECT_EQ(Barra().value(), 3);
    EXPECT_TRUE(Volumes().isEnabled());
    EXPECT_TRUE(D.Erros.isEmpty()) << D.Erros.join(" | ").toStdString();
  }
}

// Every file of a series is tried before its first volume is made: a cover
// of the last volume that cannot be written stops the series at once.
TEST_F(Janela, SerieRecusadaAntesDoLivro) {
  LivroPequeno(1);
  Volumes().setValue(3);
  Capa().setChecked(true);
  D.Caminho = Pasta.filePath("livro.pdf");
  D.CaminhoCapa = Pasta.filePath("capa.pdf");
  ASSERT_TRUE(QDir(Pasta.path()).mkdir("capa_vol03.pdf"));
  Gerar().click();
  const QString erro =
      "Não foi possível gravar o ficheiro " + Pasta.filePath("capa_vol03.pdf") + ": o destino é uma pasta.";
  EXPECT_EQ(D.Erros, QStringList{erro});
  EXPECT_EQ(Estado(), erro);
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_EQ(QDir(Pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST_F(Janela, EscCancela) {
  LivroGrande();
  D.Caminho = Pasta.filePath("livro.pdf");
  QString aCancelar;
  bool cancelarAtivo = true;
  ASSERT_TRUE(GerarCom([&] {
    QTest::keyClick(&J, Qt::Key_Escape);
    aCancelar = Estado();
    cancelarAtivo = Cancelar().isEnabled();
  }));
  EXPECT_EQ(aCancelar, "A cancelar...");
  EXPECT_FALSE(cancelarAtivo);
  EXPECT_TRUE(Cancelada(Estado())) << Estado().toStdString();
  EXPECT_FALSE(QFile::exists(D.Caminho));
  EXPECT_EQ(Barra().value(), 0);
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_TRUE(J.isVisible());
  // Idle again, Esc does nothing.
  QTest::keyClick(&J, Qt::Key_Escape);
  EXPECT_TRUE(J.isVisible());
  EXPECT_TRUE(Cancelada(Estado()));
}

TEST_F(Janela, FecharDuranteAGeracao) {
  const QString pergunta = "Está a ser gerado um livro. Cancelar e sair?";
  LivroPequeno(3);
  C<QCheckBox>("CheckBoxAbrirPDF").setChecked(false);

  // No: the book is finished and the window stays.
  D.Sim = false;
  D.Caminho = Pasta.filePath("nao.pdf");
  ASSERT_TRUE(GerarCom([&] { J.close(); }));
  EXPECT_EQ(D.Perguntas, QStringList{pergunta});
  EXPECT_TRUE(J.isVisible());
  EXPECT_TRUE(Estado().startsWith("Livro gerado: 3 puzzles, ")) << Estado().toStdString();
  EXPECT_TRUE(QFile::exists(D.Caminho));
  EXPECT_TRUE(D.Abertos.isEmpty());

  // Yes: cancelled, nothing written, and the window goes.
  LivroGrande();
  D.Sim = true;
  D.Caminho = Pasta.filePath("sim.pdf");
  ASSERT_TRUE(GerarCom([&] { J.close(); }));
  EXPECT_EQ(D.Perguntas, (QStringList{pergunta, pergunta}));
  EXPECT_FALSE(J.isVisible());
  EXPECT_TRUE(Cancelada(Estado())) << Estado().toStdString();
  EXPECT_FALSE(QFile::exists(D.Caminho));
}

// An error raised while the book is made: the same text in the status line
// and the error box, the bar back to 0, the options free again.
TEST_F(Janela, ErroNoLivro) {
  TConfigLivro config;
  config.NumPuzzles = 10;
  config.N = 5;
  config.Leis = {leiORD, leiSIM};  // no recipe at level 3 of a progressive book
  config.Semente = 1;
  QSignalSpy fim(&J, &TFormMain::LivroTerminado);
  J.GerarLivro(config, Pasta.filePath("livro.pdf"));
  ASSERT_TRUE(!fim.isEmpty() || fim.wait(CEspera));
  ASSERT_EQ(D.Erros.size(), 1);
  EXPECT_EQ(D.Erros[0],
            "Não foi possível terminar o livro: O nível 3 não tem nenhuma receita com as leis escolhidas em 5x5");
  EXPECT_EQ(Estado(), D.Erros[0]);
  EXPECT_EQ(Barra().value(), 0);
  for (QWidget* w : std::initializer_list<QWidget*>{&Edit(), &Tamanho(), &Gerar(), Nivel().Botao(0)}) {
    EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
  }
  EXPECT_TRUE(D.Abertos.isEmpty());
  EXPECT_FALSE(QFile::exists(Pasta.filePath("livro.pdf")));
}

// A file that cannot be written is refused right after the save dialog, with
// its reason, before any book is made.
TEST_F(Janela, DestinoRecusadoAntesDoLivro) {
  LivroPequeno(1);
  const struct {
    QString caminho;
    QString motivo;
  } casos[] = {
      {Pasta.filePath("nao/existe/livro.pdf"), "a pasta não existe"},
      {"/proc/livro.pdf", "não é possível criar ficheiros nessa pasta"},
  };
  for (const auto& c : casos) {
    D.Caminho = c.caminho;
    D.Erros.clear();
    Gerar().click();
    const QString texto = "Não foi possível gravar o ficheiro " + c.caminho + ": " + c.motivo + ".";
    EXPECT_EQ(D.Erros, QStringList{texto});
    EXPECT_EQ(Estado(), texto);
    EXPECT_TRUE(Gerar().isEnabled());
    EXPECT_TRUE(Edit().isEnabled());
    EXPECT_FALSE(QFile::exists(c.caminho));
  }
}

// A title the book's faces cannot print keeps "Gerar livro" disabled, with
// the reason on the status line, until it is mended.
TEST_F(Janela, TituloSemGlifosBloqueia) {
  auto& titulo = C<QLineEdit>("EditTituloLivro");
  titulo.setText(QString::fromUtf8("Sudoku \u6570\u72EC"));
  EXPECT_EQ(Estado(), QString::fromUtf8("O título tem o carácter «\u6570» (U+6570), que o tipo de letra do livro não tem."));
  EXPECT_FALSE(Gerar().isEnabled());
  J.BitBtnGerarClick();  // pressed anyway: said again in a box, no file asked for
  EXPECT_EQ(D.Avisos.size(), 1);
  EXPECT_TRUE(D.Ficheiros.isEmpty());

  titulo.setText(QString::fromUtf8("Férias de Verão"));
  EXPECT_EQ(Estado(), "");
  EXPECT_TRUE(Gerar().isEnabled());
}

// What a person reads in the window: its title, and the text, title, tip and
// items of every control, hidden or not; the book's language names each
// language in itself and is left out.
QStringList TextosDaJanela(const QWidget& AJanela) {
  QStringList t{AJanela.windowTitle()};
  for (const QWidget* w : AJanela.findChildren<QWidget*>()) {
    t << w->toolTip();
    if (const auto* l = qobject_cast<const QLabel*>(w)) t << l->text();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) t << b->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w)) t << g->title();
    if (const auto* c = qobject_cast<const QComboBox*>(w); c != nullptr && c->objectName() != "ComboBoxIdioma") {
      for (int i = 0; i < c->count(); ++i) t << c->itemText(i);
    }
  }
  t.removeAll(QString());
  return t;
}

// The controls whose text does not fit in them: a caption cut short, a box
// narrower than its longest item.
QStringList Apertados(const QWidget& AJanela) {
  QStringList apertados;
  for (const QWidget* w : AJanela.findChildren<QWidget*>()) {
    const QStyle& estilo = *w->style();
    const auto texto = [w](const QString& ATexto) { return w->fontMetrics().horizontalAdvance(ATexto); };
    int precisa = 0;
    QString nome = w->objectName();
    if (const auto* l = qobject_cast<const QLabel*>(w); l != nullptr && !l->wordWrap()) {
      precisa = texto(l->text());
    } else if (const auto* c = qobject_cast<const QCheckBox*>(w)) {
      precisa = texto(c->text()) + estilo.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                estilo.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    } else if (const auto* r = qobject_cast<const QRadioButton*>(w)) {
      precisa = texto(r->text()) + estilo.pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
                estilo.pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
      nome = r->text();
    } else if (const auto* b = qobject_cast<const QPushButton*>(w)) {
      precisa = texto(b->text()) + 2 * estilo.pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
    } else if (qobject_cast<const QComboBox*>(w) != nullptr) {
      precisa = w->sizeHint().width();
    } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
      precisa = texto(g->title()) + 16;
    }
    if (precisa > w->width()) apertados << QString("%1 (%2 > %3)").arg(nome).arg(precisa).arg(w->width());
  }
  return apertados;
}

// Accented letters, which no English text of the window has.
QString Acentos(const QStringList& ATextos) {
  QString achados;
  for (const QString& texto : ATextos)
    for (const QChar c : texto)
      if (QString::fromUtf8("áàâãçéêíóôõúÁÀÂÃÇÉÊÍÓÔÕÚ").contains(c)) achados += texto + " | ";
  return achados;
}

// The book's language is the program's to start with, kept among the book's
// choices after the title, and chosen with the keys: an English book from a
// Portuguese window. Every caption fits its control.
TEST_F(Janela, IdiomaDoLivro) {
  auto& idioma = C<QComboBox>("ComboBoxIdioma");
  EXPECT_EQ(idioma.count(), 2);
  EXPECT_EQ(idioma.currentText(), QString::fromUtf8("Português"));
  EXPECT_EQ(C<QLabel>("LabelIdioma").text(), "Idioma do livro");
  EXPECT_EQ(C<QLabel>("LabelIdioma").buddy(), &idioma);
  EXPECT_EQ(Apertados(J).join(" | ").toStdString(), "");
  TConfigLivro config;
  ASSERT_TRUE(J.LerConfig(config));
  EXPECT_EQ(config.Idioma, idPt);

  J.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&J));
  C<QLineEdit>("EditTituloLivro").setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), &idioma);
  QTest::keyClick(&idioma, Qt::Key_Down);
  EXPECT_EQ(idioma.currentText(), "English");
  ASSERT_TRUE(J.LerConfig(config));
  EXPECT_EQ(config.Idioma, idEn);
  QTest::keyClick(&idioma, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &Gerar());
}

// Under an English locale the window is English: every caption, tip, item,
// summary and reason, its status line and its warnings, each fitting its
// control; the book's language it proposes is English, and the book and its
// cover are printed in it.
class JanelaEmIngles : public Janela {
protected:
  void SetUp() override {
    if (IdiomaDoPrograma() != idEn) GTEST_SKIP() << "corre com --locale=en_US.UTF-8 (o ctest dá-lho)";
  }
};

TEST_F(JanelaEmIngles, TextosEAvisos) {
  const QStringList textos = TextosDaJanela(J);
  EXPECT_EQ(Acentos(textos), "");
  for (const char* texto : {"Book", "Grid size", "Difficulty", "Level 1", "Progressive", "Solutions with hints",
                            "Open the PDF", "Trim size", "Print edition", "Print cover", "Paper", "White",
                            "US Letter (8.5 × 11 in)", "Title (optional)", "Book language", "Number of puzzles",
                            "Make book", "Quit", "Cancel", "Laws to include", "Symmetry"}) {
    EXPECT_TRUE(textos.contains(texto)) << texto << " não está em " << textos.join(" | ").toStdString();
  }
  EXPECT_EQ(Apertados(J).join(" | ").toStdString(), "");
  EXPECT_EQ(C<QComboBox>("ComboBoxIdioma").currentText(), "English");
  EXPECT_EQ(Resumo(), "50 puzzles · 5 × 5 · progressive: 10 + 10 + 10 + 10 + 10");

  const QString minimo = "At the Progressive difficulty, the book needs at least 5 puzzles (one for each level).";
  Escrever("3");
  EXPECT_EQ(Estado(), minimo);
  J.BitBtnGerarClick();
  EXPECT_EQ(D.Avisos, QStringList{minimo});
  Escrever("201");
  EXPECT_EQ(Estado(), "Give a number of puzzles between 1 and 200.");
  Escrever("1");
  EXPECT_EQ(Resumo(), "1 puzzle · 5 × 5 · progressive: 1 + 0 + 0 + 0 + 0");
}

TEST_F(JanelaEmIngles, LivroGravado) {
  LivroPequeno(2);
  Capa().setChecked(true);
  D.Caminho = Pasta.filePath("livro.pdf");
  D.CaminhoCapa = Pasta.filePath("capa.pdf");
  QString preparar;
  ASSERT_TRUE(GerarCom([&] { preparar = Estado(); }));
  EXPECT_EQ(preparar, "Preparing the book...");
  EXPECT_TRUE(QRegularExpression("^Book made: 2 puzzles, \\d+ pages\\. Book code: [0-9A-F]{8}\\. "
                                 "Cover written: \\d+\\.\\d × \\d+\\.\\d mm, spine of \\d+\\.\\d mm\\.$")
                  .match(Estado())
                  .hasMatch())
      << Estado().toStdString();
  const std::string livro = Executar("pdftotext '" + D.Caminho.toStdString() + "' -");
  const std::string capa = Executar("pdftotext '" + D.CaminhoCapa.toStdString() + "' -");
  EXPECT_NE(livro.find("Solutions"), std::string::npos);
  EXPECT_EQ(livro.find("Soluções"), std::string::npos);
  EXPECT_NE(capa.find("Book code"), std::string::npos) << capa;
  EXPECT_TRUE(D.Erros.isEmpty()) << D.Erros.join(" | ").toStdString();
}

// The book is made off the window's thread: a 10 ms beat on that thread keeps
// its pace from the click to the end, and the progress reaches the bar.
TEST_F(Janela, RespondeDuranteOLivro) {
  Tamanho().Botao(2)->click();
  Nivel().Botao(4)->click();
  Escrever("30");
  D.Caminho = Pasta.filePath("livro.pdf");
  // The first painting of the window is not the book's doing.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&J));
  QTest::qWait(50);

  QElapsedTimer total;
  QElapsedTimer relogio;
  qint64 maiorIntervalo = 0;
  bool barraIntermedia = false;  // 0 < value < 30 seen while generating
  QTimer batida;
  batida.setTimerType(Qt::PreciseTimer);
  batida.setInterval(10);
  QObject::connect(&batida, &QTimer::timeout, [&] {
    maiorIntervalo = std::max(maiorIntervalo, relogio.restart());
    const int valor = Barra().value();
    if (Cancelar().isEnabled() && valor > 0 && valor < 30) barraIntermedia = true;
  });
  QObject::connect(&J, &TFormMain::LivroTerminado, &batida, [&] {
    maiorIntervalo = std::max(maiorIntervalo, relogio.elapsed());
    batida.stop();
  });
  total.start();
  relogio.start();
  batida.start();
  ASSERT_TRUE(GerarCom());
  RecordProperty("livro_ms", static_cast<int>(total.elapsed()));
  RecordProperty("maior_intervalo_ms", static_cast<int>(maiorIntervalo));

  EXPECT_TRUE(Estado().startsWith("Livro gerado: 30 puzzles, ")) << Estado().toStdString();
  EXPECT_LT(maiorIntervalo, 100);
  EXPECT_TRUE(barraIntermedia);
  EXPECT_TRUE(QFile::exists(D.Caminho));
}

// A disk that takes its time: the book's writing begins, then waits for the
// test to let it end with a small file.
class TGravacaoLenta {
public:
  TFormMain::TGravarLivro Gravacao() {
    return [this](const TLivro&, const std::string& ACaminho, const TEdicao&) {
      FComecou = true;
      FFim.wait();
      std::ofstream(ACaminho) << "%PDF-";
      return TResumoLivroPdf{};
    };
  }
  // Waits, without running the window's events, until writing has begun.
  bool EsperarComeco() {
    for (int i = 0; i < 120000 && !FComecou; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return FComecou;
  }
  void Acabar() { FAcabar.set_value(); }

private:
  std::atomic<bool> FComecou{false};
  std::promise<void> FAcabar;
  std::shared_future<void> FFim = FAcabar.get_future().share();
};

// Esc while a volume of a series is written lets it be finished and stops the
// series there: the volume written stays, no later one is made, and the status
// line says how many were written. The bar spans the series.
TEST_F(Janela, CancelarDuranteASerie) {
  TGravacaoLenta disco;
  J.DefinirGravacao(disco.Gravacao());
  LivroPequeno(1);
  Volumes().setValue(3);
  D.Caminho = Pasta.filePath("livro.pdf");
  QString aEscrever, aCancelar;
  int barra = -1, maximo = -1;
  ASSERT_TRUE(GerarCom([&] {
    ASSERT_TRUE(disco.EsperarComeco());
    QCoreApplication::processEvents();
    aEscrever = Estado();
    barra = Barra().value();
    maximo = Barra().maximum();
    QTest::keyClick(&J, Qt::Key_Escape);
    aCancelar = Estado();
    disco.Acabar();
  }));
  EXPECT_EQ(aEscrever, "Volume 1 de 3 · A criar o PDF...");
  EXPECT_EQ(barra, 1);
  EXPECT_EQ(maximo, 3);
  EXPECT_EQ(aCancelar, "A cancelar...");
  EXPECT_EQ(Estado(), "Série cancelada no volume 2 de 3, aos 0 de 1 puzzles. 1 volume ficou gravado.");
  EXPECT_EQ(QDir(Pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"livro_vol01.pdf"});
  EXPECT_TRUE(D.Abertos.isEmpty());
  EXPECT_EQ(Barra().value(), 0);
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_TRUE(Volumes().isEnabled());
}

// The smallest book the workers' tests make: two 4 x 4 puzzles of level 1.
TConfigLivro DoisPuzzles4x4() {
  TConfigLivro config;
  config.NumPuzzles = 2;
  config.N = 4;
  config.Nivel = 1;
  config.Leis = CTodasLeis;
  config.Semente = 7;
  return config;
}

// A cancel while the second volume is made: the first is written, its cover
// too, nothing of the others. The progress spans the series and names the
// volume.
TEST(FimDaSerie, CancelarNoSegundoVolume) {
  const TConfigLivro serie = DoisPuzzles4x4();
  TPortaoEscrita portao;
  const QTemporaryDir pasta;
  std::vector<std::int32_t> escritas;
  std::vector<std::string> gravados;
  std::vector<std::string> relatos;  // "feitos/total texto"
  const TFormMain::TFimLivro fim = TFormMain::FazerSerie(
      serie, 3, {}, pasta.filePath("s.pdf").toStdString(),
      TFormMain::TCapaPedida{pasta.filePath("capa.pdf").toStdString(), ppBranco}, portao,
      [&](std::int32_t AFeitos, std::int32_t ATotal, std::int32_t, const std::string& ATexto, bool&) {
        relatos.push_back(std::to_string(AFeitos) + "/" + std::to_string(ATotal) + " " + ATexto);
        if (ATexto.starts_with("Volume 2 de 3 · ")) portao.Cancelar();
      },
      [&escritas](std::int32_t AVolume) { escritas.push_back(AVolume); },
      [&gravados](const TLivro& ALivro, const std::string& ACaminho, const TEdicao&) {
        EXPECT_EQ(ALivro.Config.Volume, 1);
        EXPECT_EQ(ALivro.Config.Volumes, 3);
        gravados.push_back(ACaminho);
        return TResumoLivroPdf{};
      });
  EXPECT_TRUE(fim.Cancelado);
  EXPECT_FALSE(fim.Erro);
  EXPECT_EQ(fim.Volume, 2);
  EXPECT_EQ(fim.Gravados, 1);
  EXPECT_EQ(fim.Codigo, CodigoLivro(7));
  EXPECT_EQ(escritas, std::vector<std::int32_t>{1});
  EXPECT_EQ(gravados, std::vector<std::string>{pasta.filePath("s_vol01.pdf").toStdString()});
  EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"capa_vol01.pdf"});
  ASSERT_FALSE(relatos.empty());
  const auto volume2 = std::find_if(relatos.begin(), relatos.end(), [](const std::string& ARelato) {
    return ARelato.find("Volume 2 de 3 · ") != std::string::npos;
  });
  ASSERT_NE(volume2, relatos.end()) << relatos.back();
  EXPECT_TRUE(relatos.front().starts_with("1/6 Volume 1 de 3 · ")) << relatos.front();
  EXPECT_TRUE(volume2->starts_with("3/6 ")) << *volume2;
  EXPECT_TRUE(volume2[-1].starts_with("2/6 Volume 1 de 3 · ")) << volume2[-1];
}

// A cancel after the last puzzle but before writing starts is honoured:
// nothing is written, and the book is reported as cancelled.
TEST(FimDoLivro, CancelarAntesDeEscreverNaoGrava) {
  const TConfigLivro config = DoisPuzzles4x4();
  TPortaoEscrita portao;
  bool escrita = false, gravado = false;
  const QTemporaryDir pasta;
  const QString capa = pasta.filePath("capa.pdf");
  const TFormMain::TFimLivro fim = TFormMain::FazerLivro(
      config, {}, "nada.pdf", TFormMain::TCapaPedida{capa.toStdString(), ppBranco}, portao,
      [&portao](std::int32_t AFeitos, std::int32_t ATotal, std::int32_t, const std::string&, bool&) {
        if (AFeitos == ATotal) {
          EXPECT_TRUE(portao.Cancelar());
        }
      },
      [&escrita] { escrita = true; },
      [&gravado](const TLivro&, const std::string&, const TEdicao&) {
        gravado = true;
        return TResumoLivroPdf{};
      });
  EXPECT_TRUE(fim.Cancelado);
  EXPECT_EQ(fim.Puzzles, 2);
  EXPECT_FALSE(escrita);
  EXPECT_FALSE(gravado);
  EXPECT_FALSE(fim.Capa);
  EXPECT_FALSE(QFile::exists(capa));
  // Writing has the last word once it has begun.
  TPortaoEscrita aEscrever;
  EXPECT_TRUE(aEscrever.IniciarEscrita());
  EXPECT_FALSE(aEscrever.Cancelar());
  EXPECT_FALSE(aEscrever.Parar());
}

// Esc after writing began, before the window heard of it, does not pretend to
// cancel: the book is written and reported as written.
TEST_F(Janela, CancelarDuranteAEscritaNaoMente) {
  TGravacaoLenta disco;
  J.DefinirGravacao(disco.Gravacao());
  LivroPequeno(1);
  D.Caminho = Pasta.filePath("livro.pdf");
  ASSERT_TRUE(GerarCom([&] {
    ASSERT_TRUE(disco.EsperarComeco());
    QTest::keyClick(&J, Qt::Key_Escape);
    EXPECT_NE(Estado(), "A cancelar...");
    disco.Acabar();
  }));
  EXPECT_TRUE(Estado().startsWith("Livro gerado: 1 puzzles, ")) << Estado().toStdString();
  EXPECT_TRUE(QFile::exists(D.Caminho));
  EXPECT_EQ(D.Abertos, QStringList{D.Caminho});
}

// A cover that fails once its place was tried (the folder gone meanwhile)
// leaves the book written, and says why on the status line and in a box.
TEST_F(Janela, CapaFalhadaDepoisDoLivro) {
  TGravacaoLenta disco;
  J.DefinirGravacao(disco.Gravacao());
  LivroPequeno(1);
  Capa().setChecked(true);
  C<QCheckBox>("CheckBoxAbrirPDF").setChecked(false);
  ASSERT_TRUE(QDir(Pasta.path()).mkdir("capas"));
  D.Caminho = Pasta.filePath("livro.pdf");
  D.CaminhoCapa = Pasta.filePath("capas/capa.pdf");
  QString aEscrever;
  ASSERT_TRUE(GerarCom([&] {
    ASSERT_TRUE(disco.EsperarComeco());
    ASSERT_TRUE(QDir(Pasta.filePath("capas")).removeRecursively());
    QCoreApplication::processEvents();
    aEscrever = Estado();
    disco.Acabar();
  }));
  EXPECT_EQ(aEscrever, "A criar o PDF e a capa...");
  const QString erro = "Não foi possível gravar o ficheiro " + D.CaminhoCapa + ": a pasta não existe.";
  EXPECT_EQ(D.Erros, QStringList{erro});
  EXPECT_TRUE(Estado().startsWith("Livro gerado: 1 puzzles, ")) << Estado().toStdString();
  EXPECT_TRUE(Estado().endsWith(". " + erro)) << Estado().toStdString();
  EXPECT_TRUE(QFile::exists(D.Caminho));
  EXPECT_FALSE(QFile::exists(D.CaminhoCapa));
  EXPECT_TRUE(Gerar().isEnabled());
}

// Closing while the book is written: the question says so, the book is
// finished, and the window goes without opening it.
TEST_F(Janela, FecharDuranteAEscrita) {
  TGravacaoLenta disco;
  J.DefinirGravacao(disco.Gravacao());
  LivroPequeno(1);
  D.Caminho = Pasta.filePath("livro.pdf");
  QString estado;
  ASSERT_TRUE(GerarCom([&] {
    ASSERT_TRUE(disco.EsperarComeco());
    J.close();
    estado = Estado();
    disco.Acabar();
  }));
  EXPECT_EQ(D.Perguntas, QStringList{"O livro está a ser gravado. Sair quando estiver gravado?"});
  EXPECT_EQ(estado, "A acabar de gravar o livro; a janela fecha a seguir.");
  EXPECT_FALSE(J.isVisible());
  EXPECT_TRUE(QFile::exists(D.Caminho));
  EXPECT_TRUE(D.Abertos.isEmpty());
}

// A series in English: its summary, the volume its writing names, and its
// end, made or cancelled.
TEST_F(JanelaEmIngles, Serie) {
  LivroPequeno(1);
  Volumes().setValue(2);
  EXPECT_TRUE(Resumo().endsWith(" · series of 2 volumes")) << Resumo().toStdString();
  D.Caminho = Pasta.filePath("livro.pdf");
  ASSERT_TRUE(GerarCom());
  EXPECT_TRUE(
      QRegularExpression("^Series made: 2 volumes of 1 puzzle\\. Series code: [0-9A-F]{8}$").match(Estado()).hasMatch())
      << Estado().toStdString();

  TGravacaoLenta disco;
  J.DefinirGravacao(disco.Gravacao());
  D.Caminho = Pasta.filePath("outra.pdf");
  QString aEscrever;
  ASSERT_TRUE(GerarCom([&] {
    ASSERT_TRUE(disco.EsperarComeco());
    QCoreApplication::processEvents();
    aEscrever = Estado();
    QTest::keyClick(&J, Qt::Key_Escape);
    disco.Acabar();
  }));
  EXPECT_EQ(aEscrever, "Volume 1 of 2 · Writing the PDF...");
  EXPECT_EQ(Estado(), "Series cancelled at volume 2 of 2, at 0 of 1 puzzle. 1 volume was written.");
  EXPECT_TRUE(QFile::exists(Pasta.filePath("outra_vol01.pdf")));
  EXPECT_FALSE(QFile::exists(Pasta.filePath("outra_vol02.pdf")));
}

// A thread the system refuses is an error the user sees, and the window is
// free again.
TEST_F(Janela, TarefaRecusada) {
  J.DefinirInicioTrabalho([](QThread&) {});
  LivroPequeno(1);
  D.Caminho = Pasta.filePath("livro.pdf");
  ASSERT_TRUE(GerarCom());
  const QString erro =
      "Não foi possível terminar o livro: o sistema não deixou criar a tarefa que faz o livro (limite de tarefas ou "
      "de memória).";
  EXPECT_EQ(D.Erros, QStringList{erro});
  EXPECT_EQ(Estado(), erro);
  EXPECT_TRUE(Gerar().isEnabled());
  EXPECT_TRUE(Edit().isEnabled());
  EXPECT_FALSE(QFile::exists(D.Caminho));
}

// A window that goes while its book is being made stops the book and waits for
// its thread, and nothing the worker sent reaches it afterwards.
TEST_F(Janela, DestruidaDuranteOLivro) {
  TDialogosFalsos dialogos;
  auto janela = std::make_unique<TFormMain>(dialogos);
  TConfigLivro config;
  ASSERT_TRUE(janela->LerConfig(config));
  config.NumPuzzles = 200;
  config.N = 7;
  config.Nivel = 5;
  const QString caminho = Pasta.filePath("livro.pdf");
  janela->GerarLivro(config, caminho);
  janela.reset();
  QTest::qWait(20);
  EXPECT_FALSE(QFile::exists(caminho));
}

}  // namespace
}  // namespace cadrel
