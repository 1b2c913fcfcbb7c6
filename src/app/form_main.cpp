#include "app/form_main.hpp"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>

#include <fmt/format.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

#include "book/paginas.hpp"
#include "core/ficheiros.hpp"
#include "core/random.hpp"
#include "core/traducao.hpp"
#include "cover/capa_pdf.hpp"
#include "drawing/fontes.hpp"
#include "output/livro_pdf.hpp"
#include "generation/livro.hpp"

namespace cadrel {

namespace {

constexpr int CIndice5x5 = 1;

// Segoe UI where it exists; elsewhere Roboto, the face the printed book uses in
// its place, whose widths are close enough for the captions to fit.
QFont Fonte(int APixeis) {
  QFont fonte;
  fonte.setFamilies({"Segoe UI", "Roboto"});
  fonte.setPixelSize(APixeis);
  return fonte;
}

QString Q(const std::string& ATexto) { return QString::fromStdString(ATexto); }

QStringList Niveis() {
  QStringList niveis;
  for (int nivel = 1; nivel <= CMaxNivel; ++nivel) niveis << Q(FormatarP("Nível {}", nivel));
  return niveis << TrP("Progressiva");
}

// Millimetres to one decimal, as quorvel-cli writes them.
std::string Milimetros(double AMm) { return DecimalDoPrograma(AMm, 1); }

// The file a path leads to, links followed; a file not there yet, by the real
// path of its folder. Two names of one file must not take the book and its cover.
QString Destino(const QString& ACaminho) {
  const QFileInfo ficheiro(ACaminho);
  if (ficheiro.exists()) return ficheiro.canonicalFilePath();
  const QString pasta = ficheiro.absoluteDir().canonicalPath();
  return pasta.isEmpty() ? QDir::cleanPath(ficheiro.absoluteFilePath()) : QDir(pasta).filePath(ficheiro.fileName());
}

// What went wrong, for the user.
QString Motivo(const std::exception_ptr& AErro) {
  try {
    std::rethrow_exception(AErro);
  } catch (const std::exception& e) {
    return Q(e.what());
  } catch (...) {
    return TrP("erro desconhecido");
  }
}

// Clears the flag when AtualizarInterface leaves, however it leaves.
class TBandeiraAtiva {
public:
  explicit TBandeiraAtiva(bool& ABandeira) : FBandeira(ABandeira) { FBandeira = true; }
  ~TBandeiraAtiva() { FBandeira = false; }
  TBandeiraAtiva(const TBandeiraAtiva&) = delete;
  TBandeiraAtiva& operator=(const TBandeiraAtiva&) = delete;

private:
  bool& FBandeira;
};

// The book's threads give way to the window's: a little below its priority, the
// window keeps answering on a busy machine, and on an otherwise idle one the
// book loses nothing. On Linux the nice value belongs to each thread and passes
// to the threads it starts, so the generator's own threads share it. Failing
// only costs smoothness.
void CederAJanela() {
#ifdef __linux__
  const auto eu = static_cast<id_t>(gettid());
  errno = 0;
  const int atual = getpriority(PRIO_PROCESS, eu);
  if (errno == 0) setpriority(PRIO_PROCESS, eu, std::min(atual + 5, 19));
#endif
}

}  // namespace

TFormMain::TFormMain(IDialogos& ADialogos, QWidget* APai)
    : QDialog(APai, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint),
      FDialogos(ADialogos),
      GroupBoxLivro(TrP("Livro"), this),
      LabelNumPuzzles(TrP("Número de puzzles"), this),
      EditNumPuzzles(this),
      LabelVolumes(TrP("Volumes"), this),
      SpinEditVolumes(this),
      RadioGroupTamanho(TrP("Tamanho da grelha"), {"4 x 4", "5 x 5", "6 x 6", "7 x 7"}, 4, &GroupBoxLivro),
      RadioGroupNivel(TrP("Dificuldade"), Niveis(), 3, &GroupBoxLivro),
      LabelTituloLivro(TrP("Título (opcional)"), this),
      EditTituloLivro(this),
      RadioGroupModo(TrP("Leis do Livro"), {TrP("Surpresa"), TrP("Escolher leis")}, 2, this),
      GroupBoxLeis(TrP("Leis a incluir"), this),
      CheckBoxLeiSimetria(TrP("Simetria"), &GroupBoxLeis),
      CheckBoxLeiTabela(TrP("Tabela"), &GroupBoxLeis),
      CheckBoxLeiOrdem(TrP("Ordem"), &GroupBoxLeis),
      CheckBoxLeiSomas(TrP("Somas"), &GroupBoxLeis),
      LabelResumo(this),
      BitBtnGerar(TrP("Gerar livro"), this),
      BitBtnSair(TrP("Sair"), this),
      ProgressBarLote(this),
      LabelEstado(this),
      LabelCadrel("QUORVEL", this),
      BitBtnCancelar(TrP("Cancelar"), this),
      CheckBoxCaminho(TrP("Soluções com dicas"), this),
      CheckBoxAbrirPDF(TrP("Abrir o PDF"), this),
      LabelAutor("by Velmaro", this),
      BevelApp(this),
      LabelFormato(TrP("Formato"), this),
      ComboBoxFormato(this),
      CheckBoxImpressao(TrP("Edição para impressão"), this),
      CheckBoxCapa(TrP("Capa para impressão"), this),
      LabelPapel(TrP("Papel"), this),
      ComboBoxPapel(this),
      LabelIdioma(TrP("Idioma do livro"), this),
      ComboBoxIdioma(this),
      FGravar([](const TLivro& ALivro, const std::string& ACaminho, const TEdicao& AEdicao) {
        return GravarLivroPdf(ACaminho, ALivro, InfoPadrao(ALivro.Config.Idioma), AEdicao);
      }),
      FIniciarTrabalho([](QThread& ATrabalho) { ATrabalho.start(); }) {
  CriarControlos();

  RadioGroupModo.SetItemIndex(0);
  for (QCheckBox* lei : {&CheckBoxLeiSimetria, &CheckBoxLeiTabela, &CheckBoxLeiOrdem, &CheckBoxLeiSomas}) {
    lei->setChecked(true);
  }
  // Every book is made in "Surpresa" mode with all laws: the law choice stays
  // in the window, out of sight.
  RadioGroupModo.setVisible(false);
  GroupBoxLeis.setVisible(false);
  EditNumPuzzles.SetDigitos(static_cast<int>(QString::number(CMaxPuzzles).size()));

  LigarEventos();
  AtualizarInterface();
}

TFormMain::~TFormMain() {
  // No thread may outlive the window whose members it uses.
  if (!FTrabalho) return;
  FPortao.Cancelar();
  FTrabalho->wait();
}

void TFormMain::CriarControlos() {
  setObjectName("FormMain");
  setWindowTitle("QUORVEL | Velmaro");
  setFont(Fonte(12));
  setFixedSize(612, 421);
  setSizeGripEnabled(false);

  struct TColocacao {
    QWidget& Controlo;
    const char* Nome;
    QRect Rect;
    int Fonte;  // pixels
  };
  const TColocacao colocacoes[] = {
      {BevelApp, "BevelApp", {368, 15, 222, 74}, 12},
      {LabelCadrel, "LabelCadrel", {379, 16, 191, 48}, 40},
      {LabelAutor, "LabelAutor", {398, 61, 152, 23}, 17},
      {LabelFormato, "LabelFormato", {368, 95, 222, 20}, 15},
      {ComboBoxFormato, "ComboBoxFormato", {368, 118, 222, 28}, 15},
      {CheckBoxImpressao, "CheckBoxImpressao", {368, 153, 222, 17}, 15},
      {CheckBoxCapa, "CheckBoxCapa", {368, 177, 222, 17}, 15},
      {LabelPapel, "LabelPapel", {388, 203, 44, 20}, 15},
      {ComboBoxPapel, "ComboBoxPapel", {434, 200, 100, 26}, 15},
      {GroupBoxLivro, "GroupBoxLivro", {8, 4, 353, 192}, 17},
      {RadioGroupTamanho, "RadioGroupTamanho", {12, 25, 323, 60}, 15},
      {RadioGroupNivel, "RadioGroupNivel", {12, 91, 323, 85}, 15},
      {CheckBoxCaminho, "CheckBoxCaminho", {10, 205, 168, 17}, 15},
      {CheckBoxAbrirPDF, "CheckBoxAbrirPDF", {180, 205, 130, 17}, 15},
      {LabelNumPuzzles, "LabelNumPuzzles", {368, 233, 145, 20}, 15},
      {EditNumPuzzles, "EditNumPuzzles", {368, 258, 103, 28}, 15},
      {LabelVolumes, "LabelVolumes", {520, 233, 70, 20}, 15},
      {SpinEditVolumes, "SpinEditVolumes", {520, 258, 70, 28}, 15},
      {LabelTituloLivro, "LabelTituloLivro", {8, 233, 213, 20}, 15},
      {EditTituloLivro, "EditTituloLivro", {8, 258, 213, 28}, 15},
      {LabelIdioma, "LabelIdioma", {229, 233, 132, 20}, 15},
      {ComboBoxIdioma, "ComboBoxIdioma", {229, 258, 132, 28}, 15},
      {LabelResumo, "LabelResumo", {8, 293, 440, 36}, 12},
      {LabelEstado, "LabelEstado", {8, 335, 440, 36}, 12},
      {ProgressBarLote, "ProgressBarLote", {8, 381, 440, 24}, 12},
      {BitBtnGerar, "BitBtnGerar", {471, 314, 120, 40}, 15},
      {BitBtnSair, "BitBtnSair", {471, 365, 120, 40}, 15},
      {BitBtnCancelar, "BitBtnCancelar", {871, 314, 120, 32}, 15},
      {RadioGroupModo, "RadioGroupModo", {863, 83, 233, 60}, 12},
      {GroupBoxLeis, "GroupBoxLeis", {871, 149, 233, 130}, 12},
      {CheckBoxLeiSimetria, "CheckBoxLeiSimetria", {12, 27, 97, 17}, 12},
      {CheckBoxLeiTabela, "CheckBoxLeiTabela", {12, 51, 97, 17}, 12},
      {CheckBoxLeiOrdem, "CheckBoxLeiOrdem", {12, 76, 97, 17}, 12},
      {CheckBoxLeiSomas, "CheckBoxLeiSomas", {12, 100, 97, 17}, 12},
  };
  for (const TColocacao& c : colocacoes) {
    c.Controlo.setObjectName(c.Nome);
    c.Controlo.setGeometry(c.Rect);
    c.Controlo.setFont(Fonte(c.Fonte));
  }

  BevelApp.setFrameStyle(QFrame::Panel | QFrame::Raised);
  BevelApp.lower();
  LabelCadrel.setAlignment(Qt::AlignCenter);
  LabelAutor.setAlignment(Qt::AlignCenter);

  RadioGroupTamanho.SetItemIndex(CIndice5x5);
  RadioGroupNivel.SetItemIndex(CIndiceProgressiva);

  LabelNumPuzzles.setBuddy(&EditNumPuzzles);
  EditNumPuzzles.SetMinimo(1);
  EditNumPuzzles.SetMaximo(CMaxPuzzles);
  EditNumPuzzles.SetPosicao(50);
  // Beside the book's own number: how many books of it, one after the other.
  LabelVolumes.setBuddy(&SpinEditVolumes);
  SpinEditVolumes.setRange(1, CMaxVolumes);
  SpinEditVolumes.setValue(1);
  SpinEditVolumes.setToolTip(TrP("Mais de um faz uma série: livros do mesmo código, sem puzzles repetidos entre "
                                 "eles, gravados com _vol01, _vol02... no nome."));

  LabelFormato.setBuddy(&ComboBoxFormato);
  for (const TDadosFormato& formato : CFormatos) ComboBoxFormato.addItem(TrP(formato.Descricao.data()));
  ComboBoxFormato.setCurrentIndex(fmA4);
  CheckBoxImpressao.setToolTip(TrP("O PDF para mandar imprimir: sem marcadores nem ligações, com um número par de "
                                   "páginas, pelo menos 24."));
  CheckBoxCapa.setToolTip(TrP("Grava também, num segundo PDF, a capa do livro para mandar imprimir: contracapa, "
                              "lombada e frente numa só página."));
  LabelPapel.setBuddy(&ComboBoxPapel);
  for (const TDadosPapel& papel : CPapeis) {
    QString nome = TrP(papel.Nome.data());
    nome[0] = nome[0].toUpper();
    ComboBoxPapel.addItem(nome);
  }
  ComboBoxPapel.setCurrentIndex(ppBranco);
  ComboBoxPapel.setToolTip(TrP("O papel do miolo, que dá a grossura da lombada."));
  // Each language named in itself, as a reader of it looks for it; the
  // program's own language is proposed.
  LabelIdioma.setBuddy(&ComboBoxIdioma);
  ComboBoxIdioma.addItems({QString::fromUtf8("Português"), "English"});
  ComboBoxIdioma.setCurrentIndex(IdiomaDoPrograma());
  ComboBoxIdioma.setToolTip(TrP("A língua dos textos impressos no livro e na capa; os puzzles são os mesmos."));

  LabelTituloLivro.setBuddy(&EditTituloLivro);
  EditTituloLivro.setMaxLength(CMaxTitulo);
  CheckBoxCaminho.setChecked(true);
  CheckBoxAbrirPDF.setChecked(true);

  for (QLabel* linha : {&LabelResumo, &LabelEstado}) {
    linha->setWordWrap(true);
    linha->setTextFormat(Qt::PlainText);
    linha->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  ProgressBarLote.setRange(0, 100);
  ProgressBarLote.setValue(0);
  ProgressBarLote.setTextVisible(false);

  BitBtnGerar.setDefault(true);
  BitBtnSair.setAutoDefault(false);
  BitBtnCancelar.setAutoDefault(false);
  BitBtnCancelar.setEnabled(false);
  BitBtnCancelar.setFocusPolicy(Qt::NoFocus);
  GroupBoxLeis.setEnabled(false);

  DefinirOrdemTab();
}

void TFormMain::DefinirOrdemTab() {
  std::vector<QWidget*> ordem{&EditNumPuzzles, &SpinEditVolumes};
  for (const TGrupoOpcoes* grupo : {&RadioGroupTamanho, &RadioGroupNivel}) {
    for (int k = 0; k < grupo->NumItens(); ++k) ordem.push_back(grupo->Botao(k));
  }
  // Beside the book's group, so next after it.
  for (QWidget* w : std::initializer_list<QWidget*>{&ComboBoxFormato, &CheckBoxImpressao, &CheckBoxCapa,
                                                    &ComboBoxPapel}) {
    ordem.push_back(w);
  }
  for (QWidget* lei : {&CheckBoxLeiSimetria, &CheckBoxLeiTabela, &CheckBoxLeiOrdem, &CheckBoxLeiSomas}) {
    ordem.push_back(lei);
  }
  for (int k = 0; k < RadioGroupModo.NumItens(); ++k) ordem.push_back(RadioGroupModo.Botao(k));
  // The two choices under the book's group, then the title below them.
  for (QWidget* w : std::initializer_list<QWidget*>{&CheckBoxCaminho, &CheckBoxAbrirPDF, &EditTituloLivro,
                                                    &ComboBoxIdioma, &BitBtnGerar, &BitBtnSair}) {
    ordem.push_back(w);
  }
  for (std::size_t k = 1; k < ordem.size(); ++k) setTabOrder(ordem[k - 1], ordem[k]);
}

void TFormMain::LigarEventos() {
  for (TGrupoOpcoes* grupo : {&RadioGroupTamanho, &RadioGroupNivel, &RadioGroupModo}) {
    connect(grupo, &TGrupoOpcoes::Alterado, this, &TFormMain::AtualizarInterface);
  }
  for (QCheckBox* lei : {&CheckBoxLeiSimetria, &CheckBoxLeiTabela, &CheckBoxLeiOrdem, &CheckBoxLeiSomas}) {
    connect(lei, &QCheckBox::clicked, this, &TFormMain::AtualizarInterface);
  }
  // The box's own signal: it comes with every new number, typed or stepped,
  // while a step's new text never reaches its line edit's.
  connect(&EditNumPuzzles, &QSpinBox::textChanged, this, &TFormMain::AtualizarInterface);
  connect(&SpinEditVolumes, &QSpinBox::valueChanged, this, &TFormMain::AtualizarInterface);
  connect(&EditTituloLivro, &QLineEdit::textChanged, this, &TFormMain::AtualizarInterface);
  connect(&CheckBoxCapa, &QCheckBox::toggled, this, &TFormMain::AtualizarInterface);
  connect(&BitBtnGerar, &QPushButton::clicked, this, &TFormMain::BitBtnGerarClick);
  connect(&BitBtnCancelar, &QPushButton::clicked, this, &TFormMain::BitBtnCancelarClick);
  connect(&BitBtnSair, &QPushButton::clicked, this, &TFormMain::BitBtnSairClick);
}

std::int32_t TFormMain::LerVolumes() const { return SpinEditVolumes.value(); }

TEscolhaLeis TFormMain::LerEscolhaLeis() const {
  return {RadioGroupModo.ItemIndex() == 1, CheckBoxLeiSimetria.isChecked(), CheckBoxLeiTabela.isChecked(),
          CheckBoxLeiOrdem.isChecked(), CheckBoxLeiSomas.isChecked()};
}

TEdicao TFormMain::LerEdicao() const {
  const int indice = ComboBoxFormato.currentIndex();
  const bool conhecido = indice >= 0 && indice < static_cast<int>(CFormatos.size());
  return {conhecido ? static_cast<TFormato>(indice) : fmA4, CheckBoxImpressao.isChecked()};
}

TPapel TFormMain::LerPapel() const {
  const int indice = ComboBoxPapel.currentIndex();
  return indice >= 0 && indice < static_cast<int>(CPapeis.size()) ? static_cast<TPapel>(indice) : ppBranco;
}

TIdioma TFormMain::LerIdioma() const {
  const int indice = ComboBoxIdioma.currentIndex();
  return indice >= 0 && indice < static_cast<int>(CNomesIdiomas.size()) ? static_cast<TIdioma>(indice) : idPt;
}

void TFormMain::AtualizarInterface() {
  // Changing a selection or the spin position below comes back here.
  if (FAtualizando) return;
  const TBandeiraAtiva ativa(FAtualizando);
  const bool livre = !FOcupado;

  if (RadioGroupTamanho.ItemIndex() < 0) RadioGroupTamanho.SetItemIndex(CIndice5x5);
  const std::int32_t N = RadioGroupTamanho.ItemIndex() + 4;
  const TEscolhaLeis escolha = LerEscolhaLeis();
  const TNiveisPossiveis possiveis = NiveisPossiveis(N, LeisEscolhidas(escolha));

  if (livre) {
    const int indice = IndiceNivelValido(RadioGroupNivel.ItemIndex(), possiveis);
    if (indice != RadioGroupNivel.ItemIndex()) RadioGroupNivel.SetItemIndex(indice);
  }
  const int indiceNivel = RadioGroupNivel.ItemIndex();

  const std::int32_t minimo = MinimoPuzzles(indiceNivel);
  if (EditNumPuzzles.Minimo() != minimo) {
    EditNumPuzzles.SetMinimo(minimo);
    std::int32_t escrito = 0;
    if (LerNumPuzzles(EditNumPuzzles.text().toStdString(), escrito) && escrito < minimo) {
      EditNumPuzzles.SetPosicao(minimo);
    }
  }

  std::int32_t num = 0;
  const bool valido = LerNumPuzzles(EditNumPuzzles.text().toStdString(), num);
  std::string motivo = MotivoBloqueio(valido, escolha, possiveis);
  if (valido && motivo.empty() && num < minimo) motivo = MensagemMinimoProgressiva();
  if (motivo.empty()) motivo = MotivoTitulo();

  for (QWidget* w : std::initializer_list<QWidget*>{&EditNumPuzzles, &SpinEditVolumes, &EditTituloLivro,
                                                    &RadioGroupTamanho, &RadioGroupModo, &ComboBoxFormato,
                                                    &CheckBoxImpressao, &CheckBoxCapa, &ComboBoxIdioma}) {
    w->setEnabled(livre);
  }
  // The paper only matters to a cover.
  LabelPapel.setEnabled(livre && CheckBoxCapa.isChecked());
  ComboBoxPapel.setEnabled(livre && CheckBoxCapa.isChecked());
  for (int k = 0; k < RadioGroupNivel.NumItens(); ++k) {
    RadioGroupNivel.Botao(k)->setEnabled(livre && possiveis[static_cast<std::size_t>(k)]);
  }
  const bool leisAtivas = livre && escolha.Escolher;
  GroupBoxLeis.setEnabled(leisAtivas);
  for (QCheckBox* lei : {&CheckBoxLeiSimetria, &CheckBoxLeiTabela, &CheckBoxLeiOrdem, &CheckBoxLeiSomas}) {
    lei->setEnabled(leisAtivas);
  }
  CheckBoxCaminho.setEnabled(livre);
  CheckBoxAbrirPDF.setEnabled(livre);
  BitBtnGerar.setEnabled(livre && motivo.empty());
  BitBtnSair.setEnabled(livre);
  BitBtnCancelar.setEnabled(FPodeCancelar && !FCancelar);

  QString resumo = valido ? Q(TextoResumo(num, N, indiceNivel, escolha)) : QString();
  if (valido && LerVolumes() > 1) resumo += Q(FormatarP(" · série de {} volumes", LerVolumes()));
  LabelResumo.setText(resumo);

  // The result of the last book stays in the status line until a reason replaces it.
  if (livre) {
    if (!motivo.empty()) {
      MostrarEstado(Q(motivo));
      FMotivoMostrado = true;
    } else if (FMotivoMostrado) {
      MostrarEstado({});
      FMotivoMostrado = false;
    }
  }
}

bool TFormMain::LerConfig(TConfigLivro& AConfig) {
  AConfig = TConfigLivro{};
  std::int32_t num = 0;
  if (!LerNumPuzzles(EditNumPuzzles.text().toStdString(), num)) {
    FDialogos.Aviso(this, Q(MensagemNumPuzzlesInvalido()));
    return false;
  }
  const int indiceNivel = RadioGroupNivel.ItemIndex();
  if (indiceNivel == CIndiceProgressiva && num < CMinPuzzlesProgressiva) {
    FDialogos.Aviso(this, Q(MensagemMinimoProgressiva()));
    return false;
  }
  if (indiceNivel < 0) return false;

  AConfig.NumPuzzles = num;
  AConfig.N = RadioGroupTamanho.ItemIndex() + 4;
  AConfig.Nivel = NivelDoIndice(indiceNivel);
  AConfig.Leis = LeisEscolhidas(LerEscolhaLeis());
  AConfig.Titulo = EditTituloLivro.text().trimmed().left(CMaxTitulo).toStdString();
  if (const std::string motivo = MotivoTitulo(); !motivo.empty()) {
    FDialogos.Aviso(this, Q(motivo));
    return false;
  }
  AConfig.Caminho = CheckBoxCaminho.isChecked();
  AConfig.Idioma = LerIdioma();
  AConfig.Semente = SementeDoRelogio();  // every press makes a new book
  try {
    ValidarConfigLivro(AConfig);
  } catch (const ECadrel& e) {
    FDialogos.Aviso(this, Q(e.what()));
    return false;
  }
  return true;
}

void TFormMain::BitBtnGerarClick() {
  if (FOcupado) return;
  TConfigLivro config;
  if (!LerConfig(config)) return;
  const QString caminho =
      FDialogos.PedirFicheiroPdf(this, Q(NomeFicheiroPadrao(config.N, config.Nivel, config.NumPuzzles)));
  if (caminho.isEmpty()) return;
  const QString capa = CheckBoxCapa.isChecked() ? PedirCapa(caminho) : QString();
  // The user asked for both: without the cover, no book either.
  if (CheckBoxCapa.isChecked() && capa.isEmpty()) return;
  // A place that cannot take a file is said now, not after the whole book,
  // nor after the first volumes of a series.
  const std::int32_t volumes = LerVolumes();
  try {
    for (std::int32_t k = PrimeiroVolume(volumes); k <= UltimoVolume(volumes); ++k) {
      VerificarDestino(FicheiroDoVolume(QFile::encodeName(caminho).toStdString(), k));
      if (!capa.isEmpty()) VerificarDestino(FicheiroDoVolume(QFile::encodeName(capa).toStdString(), k));
    }
  } catch (const ECadrel& e) {
    MostrarEstado(Q(e.what()));
    FDialogos.Erro(this, Q(e.what()));
    return;
  }
  GerarLivro(config, caminho, capa, volumes);
}

QString TFormMain::PedirCapa(const QString& ACaminho) {
  const QFileInfo livro(ACaminho);
  const QString capa =
      FDialogos.PedirFicheiroCapa(this, livro.absoluteDir().filePath(livro.completeBaseName() + "_capa.pdf"));
  if (capa.isEmpty() || Destino(capa) != Destino(ACaminho)) return capa;
  // The cover, written after the book, would replace it.
  const QString texto = Q(FormatarP("A capa não pode ir para o ficheiro do livro, {}.", capa.toStdString()));
  MostrarEstado(texto);
  FDialogos.Aviso(this, texto);
  return {};
}

std::string TFormMain::MotivoTitulo() const {
  // The cover would print an empty box in the character's place.
  const std::optional<char32_t> sem = CaracterSemGlifo(EditTituloLivro.text().trimmed().toStdString());
  return sem ? MensagemTituloSemGlifo(*sem) : std::string();
}

void TFormMain::GerarLivro(const TConfigLivro& AConfig, const QString& ACaminho, const QString& ACapa,
                           std::int32_t AVolumes) {
  if (FOcupado) return;  // the running worker still owns FFim
  FOcupado = true;
  FPodeCancelar = true;
  FCancelar = false;
  FMotivoMostrado = false;
  FPortao.Abrir();
  FFim = {};
  FNumPedidos = AConfig.NumPuzzles;
  FVolumes = std::max(AVolumes, 1);
  FCaminho = ACaminho;
  FCapa = ACapa;
  // Taken now: the controls are the user's again before the book is written.
  const TEdicao edicao = LerEdicao();
  std::optional<TCapaPedida> capa;
  if (!ACapa.isEmpty()) capa = TCapaPedida{QFile::encodeName(ACapa).toStdString(), LerPapel()};
  // A series fills the bar once, volume after volume.
  ProgressBarLote.setRange(0, AConfig.NumPuzzles * FVolumes);
  ProgressBarLote.setValue(0);
  MostrarEstado(TrP("A preparar o livro..."));
  AtualizarInterface();

  // Everything the worker reports is posted to this window, so it arrives in
  // the order it was sent and before the thread's finished signal.
  TProgressoLivro progresso = [this](std::int32_t AFeitos, std::int32_t ATotal, std::int32_t,
                                     const std::string& ATexto, bool&) {
    QMetaObject::invokeMethod(
        this, [this, AFeitos, ATotal, texto = Q(ATexto)] { Progresso(AFeitos, ATotal, texto); },
        Qt::QueuedConnection);
  };
  std::function<void(std::int32_t)> escrever = [this](std::int32_t AVolume) {
    QMetaObject::invokeMethod(this, [this, AVolume] { EscritaIniciada(AVolume); }, Qt::QueuedConnection);
  };
  // A thread the system refuses (thread limits, memory) is an error like any
  // other: QThread only warns, and its finished signal would never come.
  try {
    FTrabalho.reset(QThread::create([this, AConfig, volumes = FVolumes, edicao,
                                     caminho = QFile::encodeName(ACaminho).toStdString(), capa,
                                     progresso = std::move(progresso), escrever = std::move(escrever)] {
      CederAJanela();
      // Nothing may leave the thread: whatever is raised goes back to the window.
      try {
        FFim = volumes > 1 ? FazerSerie(AConfig, volumes, edicao, caminho, capa, FPortao, progresso, escrever, FGravar)
                           : FazerLivro(AConfig, edicao, caminho, capa, FPortao, progresso,
                                        [&escrever] { escrever(0); }, FGravar);
      } catch (...) {
        FFim.Erro = std::current_exception();
      }
    }));
    connect(FTrabalho.get(), &QThread::finished, this, &TFormMain::TrabalhoAcabado, Qt::QueuedConnection);
    FIniciarTrabalho(*FTrabalho);
    if (FTrabalho->isRunning() || FTrabalho->isFinished()) return;
    throw ECadrel(TrP("o sistema não deixou criar a tarefa que faz o livro (limite de tarefas ou de memória)."));
  } catch (...) {
    FTrabalho.reset();
    TFimLivro fim;
    fim.Erro = std::current_exception();
    Terminar(std::move(fim));
  }
}

namespace {

// Volume AVolume of ASerie, 0 for a book alone; AMais says that another
// follows it.
TFormMain::TFimLivro FazerVolume(TSerie& ASerie, std::int32_t AVolume, const TEdicao& AEdicao,
                                 const std::string& ACaminho, const std::optional<TFormMain::TCapaPedida>& ACapa,
                                 TPortaoEscrita& APortao, const TProgressoLivro& AProgresso,
                                 const std::function<void()>& AEscrever, const TFormMain::TGravarLivro& AGravar,
                                 bool AMais) {
  TGeradorLivro gerador(TarefasPadrao(), &APortao.Parar());
  const TLivro livro = ASerie.Gerar(gerador, AVolume, AProgresso);
  TFormMain::TFimLivro fim;
  fim.Puzzles = static_cast<std::int32_t>(livro.Puzzles.size());
  // A cancel that came after the last puzzle but before this point still
  // counts: the generator had nothing left to stop.
  fim.Cancelado = livro.Cancelado || !APortao.IniciarEscrita(AMais);
  if (fim.Cancelado) return fim;
  AEscrever();
  // A print edition ends with blank pages: only the file knows its count.
  fim.Paginas = AGravar(livro, ACaminho, AEdicao).Paginas;
  fim.Codigo = livro.Codigo;
  if (ACapa) {
    // As quorvel-cli writes it: the spine of the print edition of this trim.
    try {
      fim.Capa =
          GravarCapaPdf(ACapa->Caminho, livro, InfoPadrao(livro.Config.Idioma), AEdicao.Formato, ACapa->Papel);
    } catch (...) {
      fim.ErroCapa = std::current_exception();
    }
  }
  return fim;
}

}  // namespace

TFormMain::TFimLivro TFormMain::FazerLivro(const TConfigLivro& AConfig, const TEdicao& AEdicao,
                                           const std::string& ACaminho, const std::optional<TCapaPedida>& ACapa,
                                           TPortaoEscrita& APortao, const TProgressoLivro& AProgresso,
                                           const std::function<void()>& AEscrever, const TGravarLivro& AGravar) {
  TSerie sozinho(AConfig, 1);
  return FazerVolume(sozinho, 0, AEdicao, ACaminho, ACapa, APortao, AProgresso, AEscrever, AGravar, false);
}

TFormMain::TFimLivro TFormMain::FazerSerie(const TConfigLivro& ASerie, std::int32_t AVolumes, const TEdicao& AEdicao,
                                           const std::string& ACaminho, const std::optional<TCapaPedida>& ACapa,
                                           TPortaoEscrita& APortao, const TProgressoLivro& AProgresso,
                                           const std::function<void(std::int32_t)>& AEscrever,
                                           const TGravarLivro& AGravar) {
  TSerie serie(ASerie, AVolumes);
  TFimLivro fim;
  fim.Codigo = CodigoLivro(ASerie.Semente);
  for (std::int32_t k = 1; k <= AVolumes; ++k) {
    fim.Volume = k;
    fim.Puzzles = 0;
    // A cancel while the volume before was written stops the series here.
    if (k > 1 && !APortao.Seguinte()) {
      fim.Cancelado = true;
      return fim;
    }
    const TProgressoLivro progresso = [&](std::int32_t AFeitos, std::int32_t ATotal, std::int32_t ATentativas,
                                          const std::string& ATexto, bool& ACancelar) {
      if (AProgresso) AProgresso((k - 1) * ATotal + AFeitos, AVolumes * ATotal, ATentativas, ATexto, ACancelar);
    };
    std::optional<TCapaPedida> capa = ACapa;
    if (capa) capa->Caminho = FicheiroDoVolume(capa->Caminho, k);
    // The volumes written stay whole whatever stops the series.
    try {
      const TFimLivro feito = FazerVolume(serie, k, AEdicao, FicheiroDoVolume(ACaminho, k), capa, APortao, progresso,
                                          [&AEscrever, k] { AEscrever(k); }, AGravar, k < AVolumes);
      fim.Puzzles = feito.Puzzles;
      if (feito.Cancelado) {
        fim.Cancelado = true;
        return fim;
      }
      ++fim.Gravados;
      // The next cover would most likely fail the same way.
      if (feito.ErroCapa) {
        fim.Erro = feito.ErroCapa;
        return fim;
      }
    } catch (...) {
      fim.Erro = std::current_exception();
      return fim;
    }
  }
  return fim;
}

void TFormMain::Progresso(std::int32_t AFeitos, std::int32_t ATotal, const QString& ATexto) {
  ProgressBarLote.setMaximum(ATotal);
  ProgressBarLote.setValue(AFeitos);
  if (!FCancelar) MostrarEstado(ATexto);  // "A cancelar..." stays once asked
}

void TFormMain::EscritaIniciada(std::int32_t AVolume) {
  // Only the volumes still to come can be cancelled now.
  FPodeCancelar = AVolume > 0 && AVolume < FVolumes;
  AtualizarInterface();
  ProgressBarLote.setValue(AVolume > 0 ? AVolume * FNumPedidos : ProgressBarLote.maximum());
  // The closing window has said what it waits for, and the cancel what it does.
  if (FFecharNoFim || FCancelar) return;
  const QString escrita = FCapa.isEmpty() ? TrP("A criar o PDF...") : TrP("A criar o PDF e a capa...");
  MostrarEstado(Q(TextoVolume(AVolume, FVolumes)) + escrita);
}

void TFormMain::TrabalhoAcabado() {
  // The thread is over, so this wait is immediate; it also makes sure FFim is
  // read only after the worker's last write.
  FTrabalho->wait();
  FTrabalho.reset();
  Terminar(std::move(FFim));
}

void TFormMain::Terminar(TFimLivro AFim) {
  const TFimLivro fim = std::move(AFim);
  FPodeCancelar = false;
  AtualizarInterface();

  const auto falhou = [this](const QString& AMotivo) {
    ProgressBarLote.setValue(0);
    const QString texto = Q(FormatarP("Não foi possível terminar o livro: {}", AMotivo.toStdString()));
    MostrarEstado(texto);
    FDialogos.Erro(this, texto);
  };
  try {
    if (fim.Volume > 0) {  // only a series numbers its volumes
      TerminarSerie(fim);
    } else if (fim.Erro) {
      std::rethrow_exception(fim.Erro);
    } else if (fim.Cancelado) {
      ProgressBarLote.setValue(0);
      MostrarEstado(
          Q(FormatarP("Geração cancelada aos {} de {} puzzles. Nada foi gravado.", fim.Puzzles, FNumPedidos)));
    } else {
      ProgressBarLote.setValue(ProgressBarLote.maximum());
      QString texto =
          Q(fmt::format(fmt::runtime(TextoLivroGerado(fim.Puzzles)), fim.Puzzles, fim.Paginas, fim.Codigo));
      if (fim.Capa) {
        texto += Q(FormatarP(". Capa gravada: {} × {} mm, lombada de {} mm.", Milimetros(fim.Capa->Largura),
                             Milimetros(fim.Capa->Altura), Milimetros(fim.Capa->Lombada)));
      }
      const QString erroCapa = fim.ErroCapa ? Motivo(fim.ErroCapa) : QString();
      if (!erroCapa.isEmpty()) texto += ". " + erroCapa;
      MostrarEstado(texto);
      if (!erroCapa.isEmpty()) FDialogos.Erro(this, erroCapa);
      // A window closing at the end of its book opens nothing behind it.
      if (CheckBoxAbrirPDF.isChecked() && !FFecharNoFim) FDialogos.AbrirFicheiro(FCaminho);
    }
  } catch (const std::exception& e) {
    falhou(Q(e.what()));
  } catch (...) {
    falhou(TrP("erro desconhecido"));
  }

  FOcupado = false;
  FPodeCancelar = false;
  AtualizarInterface();
  if (FFecharNoFim) {
    FFecharNoFim = false;
    close();
  }
  emit LivroTerminado();
}

void TFormMain::TerminarSerie(const TFimLivro& AFim) {
  const QString gravados =
      AFim.Gravados == 0
          ? TrP("Nada foi gravado.")
          : Q(fmt::format(fmt::runtime(TrPN("{} volume ficou gravado.", "{} volumes ficaram gravados.", AFim.Gravados)),
                          AFim.Gravados));
  if (AFim.Erro) {
    ProgressBarLote.setValue(0);
    QString texto = Q(FormatarP("Não foi possível terminar o volume {} de {}: {}", AFim.Volume, FVolumes,
                                Motivo(AFim.Erro).toStdString()));
    if (!texto.endsWith('.')) texto += '.';
    texto += " " + gravados;
    MostrarEstado(texto);
    FDialogos.Erro(this, texto);
  } else if (AFim.Cancelado) {
    ProgressBarLote.setValue(0);
    MostrarEstado(Q(fmt::format(fmt::runtime(TrPN("Série cancelada no volume {} de {}, aos {} de {} puzzles.",
                                                  "Série cancelada no volume {} de {}, aos {} de {} puzzles.",
                                                  FNumPedidos)),
                                AFim.Volume, FVolumes, AFim.Puzzles, FNumPedidos)) +
                  " " + gravados);
  } else {
    ProgressBarLote.setValue(ProgressBarLote.maximum());
    QString texto = Q(fmt::format(fmt::runtime(TrPN("Série gerada: {} volumes de {} puzzles. Código da série: {}",
                                                    "Série gerada: {} volumes de {} puzzles. Código da série: {}",
                                                    FNumPedidos)),
                                  AFim.Gravados, FNumPedidos, AFim.Codigo));
    if (!FCapa.isEmpty()) texto += TrP(". Capas gravadas.");
    MostrarEstado(texto);
    // The series opens at its beginning.
    if (CheckBoxAbrirPDF.isChecked() && !FFecharNoFim)
      FDialogos.AbrirFicheiro(
          QFile::decodeName(QByteArray::fromStdString(FicheiroDoVolume(QFile::encodeName(FCaminho).toStdString(), 1))));
  }
}

void TFormMain::BitBtnCancelarClick() {
  if (!FPodeCancelar || FCancelar) return;
  // Writing may have begun before the window heard of it: then the book is
  // written, and the window says so when it hears.
  if (!FPortao.Cancelar()) return;
  FCancelar = true;
  BitBtnCancelar.setEnabled(false);
  MostrarEstado(TrP("A cancelar..."));
}

void TFormMain::BitBtnSairClick() { close(); }

void TFormMain::closeEvent(QCloseEvent* AEvento) {
  if (!FOcupado) {
    AEvento->accept();
    return;
  }
  AEvento->ignore();
  if (FFecharNoFim) return;
  const QString pergunta = FPortao.Escrevendo() ? TrP("O livro está a ser gravado. Sair quando estiver gravado?")
                                                : TrP("Está a ser gerado um livro. Cancelar e sair?");
  if (!FDialogos.Confirmar(this, pergunta)) return;
  // The question has its own event loop: the book may have ended while it was open.
  if (!FOcupado) {
    AEvento->accept();
    return;
  }
  FFecharNoFim = true;
  // A book already being written is finished, never left half done; a series
  // stops after it.
  if (FPortao.Cancelar()) FCancelar = true;
  MostrarEstado(FPortao.Escrevendo() ? TrP("A acabar de gravar o livro; a janela fecha a seguir.")
                                     : TrP("A cancelar..."));
  AtualizarInterface();
}

void TFormMain::keyPressEvent(QKeyEvent* AEvento) {
  // Esc presses the cancel button, never closes the window.
  if (AEvento->key() == Qt::Key_Escape && AEvento->modifiers() == Qt::NoModifier) {
    BitBtnCancelar.click();
    AEvento->accept();
    return;
  }
  QDialog::keyPressEvent(AEvento);
}

void TFormMain::showEvent(QShowEvent* AEvento) {
  QDialog::showEvent(AEvento);
  if (FCentrada) return;
  FCentrada = true;
  if (const QScreen* ecra = screen()) move(ecra->availableGeometry().center() - frameGeometry().center() + pos());
}

void TFormMain::MostrarEstado(const QString& ATexto) { LabelEstado.setText(ATexto); }

}  // namespace cadrel
