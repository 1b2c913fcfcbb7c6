#include "app/dialogos.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMutex>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <tuple>

#include "app/traducao.hpp"
#include "core/traducao.hpp"

namespace cadrel {
namespace {

// Remembers every text Qt asks to have translated and answers none, so the
// catalogue installed before it still answers. The file system model asks from
// its own thread too.
class TTradutorEspiao final : public QTranslator {
public:
  using TPedido = std::tuple<QString, QString, QString>;  // context, text, disambiguation

  bool isEmpty() const override { return false; }
  QString translate(const char* AContexto, const char* ATexto, const char* ADesambiguacao,
                    int) const override {
    const QMutexLocker trinco(&FTrinco);
    FPedidos.emplace(AContexto, ATexto, ADesambiguacao != nullptr ? ADesambiguacao : "");
    return {};
  }
  std::set<TPedido> Pedidos() const {
    const QMutexLocker trinco(&FTrinco);
    return FPedidos;
  }

private:
  mutable QMutex FTrinco;
  mutable std::set<TPedido> FPedidos;
};

// Without mnemonic marks, and without the shortcut menus write after a tab.
QString Limpo(QString ATexto) { return ATexto.remove('&').section('\t', 0, 0); }

// What a person can read in AJanela: its title, labels, buttons and their tips,
// combo box items, edits, the entries and column titles of its lists, and the
// actions of its menus.
QStringList Textos(const QWidget& AJanela) {
  QStringList t{AJanela.windowTitle()};
  for (const QAction* a : AJanela.actions()) t << a->text() << a->toolTip();
  for (const QAction* a : AJanela.findChildren<QAction*>()) t << a->text() << a->toolTip();
  for (const QWidget* w : AJanela.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&AJanela)) continue;
    t << w->toolTip();
    if (const auto* l = qobject_cast<const QLabel*>(w)) t << l->text();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) t << b->text();
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) t << e->text() << e->placeholderText();
    if (const auto* c = qobject_cast<const QComboBox*>(w)) {
      for (int i = 0; i < c->count(); ++i) t << c->itemText(i);
    }
    if (const auto* h = qobject_cast<const QHeaderView*>(w)) {
      for (int s = 0; s < h->count(); ++s) {
        if (!h->isSectionHidden(s)) t << h->model()->headerData(s, h->orientation()).toString();
      }
    }
    if (const auto* v = qobject_cast<const QAbstractItemView*>(w)) {
      const QAbstractItemModel& m = *v->model();
      const QModelIndex raiz = v->rootIndex();
      const auto* arvore = qobject_cast<const QTreeView*>(v);
      const auto* lista = qobject_cast<const QListView*>(v);
      for (int r = 0; r < m.rowCount(raiz); ++r) {
        for (int c = 0; c < m.columnCount(raiz); ++c) {
          const bool mostrada = arvore != nullptr ? !arvore->isColumnHidden(c)
                                                  : c == (lista != nullptr ? lista->modelColumn() : 0);
          if (mostrada) t << m.index(r, c, raiz).data().toString();
        }
      }
    }
  }
  for (QString& s : t) s = Limpo(s);
  t.removeAll(QString());
  t.removeDuplicates();
  return t;
}

// The English Qt showed in these dialogs before they spoke Portuguese.
const QStringList CIngles = {
    "Save",        "Save As",          "Cancel",        "Yes",          "No",          "Open",
    "File name",   "Look in",          "Files of type", "Detail View",  "List View",   "Back",
    "Forward",     "Parent Directory", "Create New Folder", "New Folder", "Name",     "Size",
    "Type",        "Date Modified",    "Folder",        "Computer",     "Rename",      "Delete",
    "Show hidden files", "Undo",       "Redo",          "Cut",          "Copy",        "Paste",
    "Select All",  "Remove",           "Scroll here",   "Top",          "Bottom",      "Page up",
    "already exists", "replace",
};

// "«word» in «text»" for each English word of CIngles found whole in ATextos.
QStringList Ingles(const QStringList& ATextos) {
  QStringList achados;
  for (const QString& palavra : CIngles) {
    const QRegularExpression inteira("\\b" + QRegularExpression::escape(palavra) + "\\b");
    for (const QString& texto : ATextos) {
      if (inteira.match(texto).hasMatch()) achados << "«" + palavra + "» em «" + texto + "»";
    }
  }
  return achados;
}

std::string Juntos(const QStringList& ATextos) { return ATextos.join(" | ").toStdString(); }

QAbstractButton* Botao(const QWidget& AJanela, const QString& ATexto) {
  for (QAbstractButton* b : AJanela.findChildren<QAbstractButton*>()) {
    if (b->isVisibleTo(&AJanela) && Limpo(b->text()) == ATexto) return b;
  }
  return nullptr;
}

class Dialogos : public ::testing::Test {
protected:
  // ms for the folder to be read: under a second, even with the sanitizers.
  static constexpr int CEspera = 30000;

  Dialogos() {
    QCoreApplication::installTranslator(&Espiao);
    // The file dialog as a first-time user sees it: Qt keeps its last folder,
    // view and column widths among its settings.
    QSettings(QSettings::UserScope, "QtProject").remove("FileDialog");
  }
  ~Dialogos() override { QCoreApplication::removeTranslator(&Espiao); }

  // Acts on the next T to open, a modal dialog or a menu. exec() keeps it to
  // itself until it closes, so the test reaches it from the event loop, with a
  // timer of its own each time: a timer is never run again inside itself, and
  // the actions open dialogs inside dialogs.
  template <class T>
  void Quando(std::function<void(T&)> AAcao) {
    QTimer::singleShot(10, &FVida, [this, AAcao] {
      QWidget* aberto = QApplication::activePopupWidget();
      if (aberto == nullptr) aberto = QApplication::activeModalWidget();
      T* janela = qobject_cast<T*>(aberto);
      if (janela != nullptr && janela->isVisible()) {
        AAcao(*janela);
      } else {
        Quando<T>(AAcao);
      }
    });
  }

  // The entries of the context menu that AAlvo opens at APonto; a list opens
  // its menu from its viewport.
  QStringList Menu(QWidget& AAlvo, QPoint APonto) {
    // Shared, for a menu that never opened leaves its step waiting.
    const auto entradas = std::make_shared<QStringList>();
    Quando<QMenu>([entradas](QMenu& AMenu) {
      for (const QAction* a : AMenu.actions()) {
        if (!a->isSeparator()) *entradas << Limpo(a->text());
      }
      AMenu.close();
    });
    QContextMenuEvent evento(QContextMenuEvent::Mouse, APonto, AAlvo.mapToGlobal(APonto));
    QApplication::sendEvent(&AAlvo, &evento);
    return *entradas;
  }

  // The texts Qt asked for while these dialogs were open that its Portuguese
  // catalogue lacks. Key names are left out: Qt reads them back as shortcuts,
  // and Portuguese keyboards print them as they are (Ctrl, Shift, Alt).
  QStringList SemTraducao() const {
    QTranslator catalogo;
    if (!catalogo.load(CTraducaoQt)) return {"o catálogo não abre"};
    QStringList faltas;
    for (const auto& [contexto, texto, desambiguacao] : Espiao.Pedidos()) {
      if (contexto == "QShortcut") continue;
      if (catalogo.translate(contexto.toUtf8(), texto.toUtf8(), desambiguacao.toUtf8()).isNull()) {
        faltas << contexto + " «" + texto + "»";
      }
    }
    return faltas;
  }

  TTradutorEspiao Espiao;
  TDialogosQt D;
  QWidget Pai;
  QTemporaryDir Pasta{QDir::tempPath() + "/dialogos-XXXXXX"};

private:
  QObject FVida;  // the steps still waiting end with the test
};

// The PDF's save dialog, its menus and the question before replacing a file,
// answered Yes: the chosen path comes back.
TEST_F(Dialogos, GuardarESubstituir) {
  QFile existente(Pasta.filePath("livro.pdf"));
  ASSERT_TRUE(existente.open(QIODevice::WriteOnly));
  existente.write("%PDF-1.7\n");
  existente.close();

  bool nativo = true;
  QStringList textos, menus, pergunta;
  Quando<QFileDialog>([&](QFileDialog& ADialogo) {
    nativo = !ADialogo.testOption(QFileDialog::DontUseNativeDialog);
    // The detail view, once the folder is read, shows the column titles and the
    // file's size, type and date.
    for (QToolButton* b : ADialogo.findChildren<QToolButton*>()) {
      if (b->toolTip() == "Vista de detalhes") b->click();
    }
    QTreeView* detalhes = ADialogo.findChild<QTreeView*>();
    EXPECT_TRUE(detalhes != nullptr && QTest::qWaitFor([&] {
      const QModelIndex raiz = detalhes->rootIndex();
      return detalhes->isVisible() && detalhes->model()->rowCount(raiz) == 1 &&
             !detalhes->model()->index(0, 2, raiz).data().toString().isEmpty();
    }, CEspera));
    // Then its columns are fitted to the Portuguese texts, longer than the
    // English ones Qt sizes them for.
    EXPECT_TRUE(detalhes != nullptr && QTest::qWaitFor([&] {
      const QAbstractItemView& vista = *detalhes;
      const QHeaderView& cabecalho = *detalhes->header();
      for (int c = 1; c < cabecalho.count(); ++c) {
        if (cabecalho.sectionSize(c) < std::max(vista.sizeHintForColumn(c), cabecalho.sectionSizeHint(c))) return false;
      }
      return true;
    }, CEspera)) << "colunas mais estreitas do que o texto";
    textos = Textos(ADialogo);

    if (detalhes != nullptr) {
      const QModelIndex livro = detalhes->model()->index(0, 0, detalhes->rootIndex());
      menus << Menu(*detalhes->viewport(), detalhes->visualRect(livro).center());
      menus << Menu(*detalhes->verticalScrollBar(), {2, 2});
    }
    if (auto* lugares = ADialogo.findChild<QListView*>("sidebar")) {
      menus << Menu(*lugares->viewport(), lugares->visualRect(lugares->model()->index(0, 0)).center());
    }
    QLineEdit* nome = ADialogo.findChild<QLineEdit*>("fileNameEdit");
    if (nome != nullptr) {
      const std::unique_ptr<QMenu> menu(nome->createStandardContextMenu());
      for (const QAction* a : menu->actions()) menus << Limpo(a->text());
      menus.removeAll(QString());
    }

    Quando<QMessageBox>([&](QMessageBox& ACaixa) {
      pergunta = Textos(ACaixa);
      if (QAbstractButton* sim = Botao(ACaixa, "Sim")) {
        sim->click();
      } else {
        ACaixa.done(QMessageBox::No);
      }
    });
    if (nome != nullptr) nome->setText("livro.pdf");
    if (QAbstractButton* guardar = Botao(ADialogo, "Guardar")) {
      guardar->click();
    } else {
      ADialogo.reject();
    }
  });
  const QString caminho = D.PedirFicheiroPdf(&Pai, Pasta.filePath("Quorvel_5x5_P_50.pdf"));

  EXPECT_FALSE(nativo);
  EXPECT_EQ(caminho.toStdString(), Pasta.filePath("livro.pdf").toStdString());
  for (const char* palavra : {"Guardar como", "Procurar em:", "Nome do ficheiro:", "Ficheiros do tipo:",
                              "PDF (*.pdf)", "Guardar", "Cancelar", "Recuar", "Avançar", "Pasta superior",
                              "Criar nova pasta", "Vista de lista", "Vista de detalhes", "Nome", "Tamanho",
                              "Tipo", "Data de modificação", "livro.pdf"}) {
    EXPECT_TRUE(textos.contains(palavra)) << palavra << " não está em " << Juntos(textos);
  }
  // The file's type and date as Portugal writes them, whatever the desktop's.
  const QLocale portugues(QLocale::Portuguese, QLocale::Portugal);
  for (const QString& celula : {QString("documento PDF"),
                                portugues.toString(QFileInfo(existente).lastModified(), QLocale::ShortFormat)}) {
    EXPECT_TRUE(textos.contains(celula)) << celula.toStdString() << " não está em " << Juntos(textos);
  }
  for (const char* entrada : {"Mudar o nome", "Eliminar", "Mostrar ficheiros ocultos", "Nova pasta",
                              "Deslocar para aqui", "Topo", "Remover", "Anular", "Colar",
                              "Selecionar tudo"}) {
    EXPECT_TRUE(menus.contains(entrada)) << entrada << " não está em " << Juntos(menus);
  }
  EXPECT_TRUE(pergunta.contains("livro.pdf já existe.\nPretende substituí-lo?")) << Juntos(pergunta);
  EXPECT_TRUE(pergunta.contains("Não")) << Juntos(pergunta);
  const QStringList ingles = Ingles(textos + menus + pergunta), faltas = SemTraducao();
  EXPECT_TRUE(ingles.isEmpty()) << Juntos(ingles);
  EXPECT_TRUE(faltas.isEmpty()) << Juntos(faltas);
}

// The cover's save dialog, after the book's, says which file it asks for,
// opens where the name it proposes lies, and gives back the path chosen.
TEST_F(Dialogos, GuardarCapa) {
  QString titulo, nome, pasta;
  QStringList textos;
  Quando<QFileDialog>([&](QFileDialog& ADialogo) {
    titulo = ADialogo.windowTitle();
    if (const QLineEdit* e = ADialogo.findChild<QLineEdit*>("fileNameEdit")) nome = e->text();
    pasta = ADialogo.directory().absolutePath();
    textos = Textos(ADialogo);
    if (QAbstractButton* guardar = Botao(ADialogo, "Guardar")) {
      guardar->click();
    } else {
      ADialogo.reject();
    }
  });
  const QString caminho = D.PedirFicheiroCapa(&Pai, Pasta.filePath("livro_capa.pdf"));

  EXPECT_EQ(titulo, "Guardar a capa como");
  EXPECT_EQ(nome, "livro_capa.pdf");
  EXPECT_EQ(pasta, QDir(Pasta.path()).absolutePath());
  EXPECT_EQ(caminho.toStdString(), Pasta.filePath("livro_capa.pdf").toStdString());
  EXPECT_TRUE(textos.contains("PDF (*.pdf)")) << Juntos(textos);
  const QStringList ingles = Ingles(textos);
  EXPECT_TRUE(ingles.isEmpty()) << Juntos(ingles);
}

// The question before closing while a book is being made, and the warning and
// error boxes: their buttons in Portuguese, each answering as it says.
TEST_F(Dialogos, CaixasDeMensagem) {
  const QString pergunta = "Está a ser gerado um livro. Cancelar e sair?";
  const struct {
    const char* nome;
    std::function<bool()> abrir;
    QStringList botoes;  // in alphabetical order
    QString carregar;
    bool resposta;
  } casos[] = {
      {"fechar, Sim", [&] { return D.Confirmar(&Pai, pergunta); }, {"Não", "Sim"}, "Sim", true},
      {"fechar, Não", [&] { return D.Confirmar(&Pai, pergunta); }, {"Não", "Sim"}, "Não", false},
      {"aviso", [&] { D.Aviso(&Pai, "Marque pelo menos uma lei."); return true; }, {"OK"}, "OK", true},
      {"erro", [&] { D.Erro(&Pai, "Não foi possível terminar o livro."); return true; }, {"OK"}, "OK", true},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    QStringList botoes, textos;
    Quando<QMessageBox>([&](QMessageBox& ACaixa) {
      for (const QAbstractButton* b : ACaixa.buttons()) botoes << Limpo(b->text());
      textos = Textos(ACaixa);
      if (QAbstractButton* b = Botao(ACaixa, c.carregar)) {
        b->click();
      } else {
        ACaixa.done(-1);
      }
    });
    EXPECT_EQ(c.abrir(), c.resposta);
    std::sort(botoes.begin(), botoes.end());
    EXPECT_EQ(Juntos(botoes), Juntos(c.botoes));
    const QStringList ingles = Ingles(textos);
    EXPECT_TRUE(ingles.isEmpty()) << Juntos(ingles);
  }
  const QStringList faltas = SemTraducao();
  EXPECT_TRUE(faltas.isEmpty()) << Juntos(faltas);
}

// Under an English locale Qt's dialogs speak their own English, without the
// Portuguese catalogue: the cover's save dialog with its title, and the
// question before closing with its buttons.
class DialogosEmIngles : public Dialogos {
protected:
  void SetUp() override {
    if (IdiomaDoPrograma() != idEn) GTEST_SKIP() << "corre com --locale=en_US.UTF-8 (o ctest dá-lho)";
  }
};

TEST_F(DialogosEmIngles, GuardarEPerguntar) {
  QString titulo;
  QStringList textos, botoes;
  Quando<QFileDialog>([&](QFileDialog& ADialogo) {
    titulo = ADialogo.windowTitle();
    textos = Textos(ADialogo);
    if (QAbstractButton* guardar = Botao(ADialogo, "Save")) {
      guardar->click();
    } else {
      ADialogo.reject();
    }
  });
  const QString caminho = D.PedirFicheiroCapa(&Pai, Pasta.filePath("livro_capa.pdf"));
  EXPECT_EQ(titulo, "Save the cover as");
  EXPECT_EQ(caminho.toStdString(), Pasta.filePath("livro_capa.pdf").toStdString());
  for (const char* palavra : {"Look in:", "File name:", "Files of type:", "Save", "Cancel", "PDF (*.pdf)"}) {
    EXPECT_TRUE(textos.contains(palavra)) << palavra << " não está em " << Juntos(textos);
  }
  const QRegularExpression acento(QString::fromUtf8("[áàâãçéêíóôõú]"), QRegularExpression::CaseInsensitiveOption);
  EXPECT_FALSE(textos.join(' ').contains(acento)) << Juntos(textos);

  Quando<QMessageBox>([&](QMessageBox& ACaixa) {
    for (const QAbstractButton* b : ACaixa.buttons()) botoes << Limpo(b->text());
    ACaixa.done(QMessageBox::No);
  });
  EXPECT_FALSE(D.Confirmar(&Pai, "A book is being made. Cancel and quit?"));
  std::sort(botoes.begin(), botoes.end());
  EXPECT_EQ(Juntos(botoes), "No | Yes");
}

}  // namespace
}  // namespace cadrel
