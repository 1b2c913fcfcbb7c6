#include "book/compositor.hpp"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "book/diagramas.hpp"
#include "book/editorial.hpp"
#include "book/regras.hpp"
#include "book/titulo.hpp"
#include "core/texto.hpp"
#include "core/traducao.hpp"

namespace cadrel {

namespace {

constexpr const char* CAutor = "Velmaro";
constexpr const char* CTituloFicha = TrMarca("Ficha técnica");

// Where the heading of a puzzle, or of a solution, was printed.
struct TCabecalho {
  std::int32_t Pagina = -1;
  TRectanguloMm Area{};
};

// By puzzle index.
using TCabecalhos = std::vector<TCabecalho>;

// The headings of a page whose first puzzle is APrimeiro, drawn in the page's
// own terms and told in millimetres of the paper.
void Registar(TCabecalhos& ACabecalhos, std::int32_t APagina, std::int32_t APrimeiro,
              const std::vector<TRectanguloMm>& AAreas, const TTransformacao& AT) {
  for (std::size_t k = 0; k < AAreas.size(); ++k) {
    const TRectanguloMm& a = AAreas[k];
    const TPontoMm canto = AT.Aplicar(PontoMm(a.X, a.Y));
    ACabecalhos.at(static_cast<std::size_t>(APrimeiro) + k) = {
        APagina, {canto.X, canto.Y, a.Largura * AT.Escala, a.Altura * AT.Escala}};
  }
}

// The bookmark of a section at the first page of its kind, if the book has one.
std::string TituloSeccao(const TDescPagina& ADesc, TIdioma AIdioma) {
  switch (ADesc.Tipo) {
    case pgCapa: return Tr(AIdioma, "Capa");
    case pgRegras: return ADesc.Primeiro == 0 ? Tr(AIdioma, CTituloRegras) : "";
    case pgDiagramas: return ADesc.Primeiro == 0 ? Tr(AIdioma, CTituloDiagramas) : "";
    // The separator is the section's title page.
    case pgSeparador: return TextoSeparador(ADesc.Primeiro == 1, AIdioma);
    case pgFicha: return Tr(AIdioma, CTituloFicha);
    default: return "";
  }
}

// The outline follows the page plan; the puzzles and the solutions each get a
// bookmark per puzzle under their section, numbered as the pages number them.
// Each puzzle's number leads to its solution and the solution's title back.
TPlanoNavegacao PlanoNavegacao(const std::vector<TDescPagina>& APaginas, const TCabecalhos& APuzzles,
                               const TCabecalhos& ASolucoes, TIdioma AIdioma) {
  TPlanoNavegacao plano;
  for (std::size_t p = 0; p < APaginas.size(); ++p) {
    std::string titulo = TituloSeccao(APaginas[p], AIdioma);
    if (titulo.empty()) continue;
    TMarcador seccao{std::move(titulo), static_cast<std::int32_t>(p)};
    if (APaginas[p].Tipo == pgSeparador) {
      const bool solucoes = APaginas[p].Primeiro == 1;
      const TCabecalhos& cabecalhos = solucoes ? ASolucoes : APuzzles;
      for (std::size_t i = 0; i < cabecalhos.size(); ++i)
        seccao.Filhos.push_back(
            {fmt::format(fmt::runtime(solucoes ? Tr(AIdioma, "Solução {:03}") : Tr(AIdioma, "Puzzle {:03}")), i + 1),
             cabecalhos[i].Pagina});
    }
    plano.Marcadores.push_back(std::move(seccao));
  }
  for (std::size_t i = 0; i < APuzzles.size(); ++i)
    plano.Ligacoes.push_back({APuzzles[i].Pagina, APuzzles[i].Area, ASolucoes[i].Pagina});
  for (std::size_t i = 0; i < ASolucoes.size(); ++i)
    plano.Ligacoes.push_back({ASolucoes[i].Pagina, ASolucoes[i].Area, APuzzles[i].Pagina});
  return plano;
}

const TLayoutPuzzles& LayoutValido(const TLayoutPuzzles& ALayout) {
  if (ALayout.PorPagina < 1 || ALayout.PorPagina > 2)
    throw ECadrel("TCompositorLivro: PorPagina tem de ser 1 ou 2");
  return ALayout;
}

bool TemNivel5(const TLivro& ALivro) {
  return std::any_of(ALivro.Puzzles.begin(), ALivro.Puzzles.end(),
                     [](const TPuzzleDoLivro& p) { return p.Puzzle.Nivel == 5; });
}

// What the page plan is made of.
struct TContagemPaginas {
  std::int32_t Puzzles = 0;
  std::int32_t PuzzlesPorPagina = 0;
  std::int32_t SolucoesPorPagina = 0;
  std::int32_t Regras = 0;
  std::int32_t Diagramas = 0;
  bool Impressao = false;
};

std::vector<TDescPagina> PlanoPaginas(const TContagemPaginas& A) {
  std::vector<TDescPagina> paginas;
  const auto adicionar = [&paginas](TTipoPagina ATipo, std::int32_t APrimeiro) {
    paginas.push_back(TDescPagina{ATipo, APrimeiro, 0});
  };
  // A filler page when the next one would otherwise be a left-hand page.
  const auto alinhar = [&] {
    if (paginas.size() % 2 == 1) adicionar(pgBranco, 0);
  };
  adicionar(pgCapa, 0);
  adicionar(pgVerso, 0);
  for (std::int32_t i = 0; i < A.Regras; ++i) adicionar(pgRegras, i);
  for (std::int32_t i = 0; i < A.Diagramas; ++i) adicionar(pgDiagramas, i);
  alinhar();
  adicionar(pgSeparador, 0);
  adicionar(pgSimbolo, 0);
  for (std::int32_t primeiro = 0; primeiro < A.Puzzles; primeiro += A.PuzzlesPorPagina) adicionar(pgPuzzles, primeiro);
  alinhar();
  adicionar(pgSeparador, 1);
  adicionar(pgSimbolo, 1);
  for (std::int32_t primeiro = 0; primeiro < A.Puzzles; primeiro += A.SolucoesPorPagina)
    adicionar(pgSolucoes, primeiro);
  adicionar(pgFicha, 0);
  // A printer binds sheets, two pages each, and makes no book thinner than that.
  if (A.Impressao)
    while (paginas.size() % 2 == 1 || paginas.size() < static_cast<std::size_t>(CMinPaginasImpressao))
      adicionar(pgVazia, 0);

  // Numbers count every physical page; the unnumbered kinds leave gaps.
  for (std::size_t i = 1; i < paginas.size(); ++i) {
    const TTipoPagina tipo = paginas[i].Tipo;
    const bool semNumero =
        tipo == pgBranco || tipo == pgVerso || tipo == pgSeparador || tipo == pgSimbolo || tipo == pgVazia;
    paginas[i].Numero = semNumero ? 0 : static_cast<std::int32_t>(i + 1);
  }
  return paginas;
}

std::vector<TDescPagina> PlanoPaginas(const TLivro& ALivro, bool AImpressao, const TGeometriaPagina& G,
                                      const TLayoutPuzzles& ALayout) {
  const TConjuntoLeis leis = LeisDoLivro(ALivro);
  return PlanoPaginas({static_cast<std::int32_t>(ALivro.Puzzles.size()), ALayout.PorPagina,
                       SolucoesNaPagina(ALivro, G), NumPaginasRegras(leis, TemNivel5(ALivro), G, ALivro.Config.Idioma),
                       NumPaginasDiagramas(leis), AImpressao});
}

// The trim's layout for the gutter the book's own page count asks for. A wider
// gutter narrows the pages, which may add pages, which may ask for a wider
// gutter: the count settles within the four gutters there are.
TMaquetaLivro MaquetaDoLivro(const TLivro& ALivro, const TEdicao& AEdicao) {
  double medianiz = MedianizMm(0);
  for (;;) {
    const TMaquetaLivro maqueta = MaquetaDoFormato(AEdicao.Formato, medianiz);
    const std::size_t paginas = PlanoPaginas(ALivro, AEdicao.Impressao, maqueta.Geometria,
                                             LayoutDoFormato(ALivro.Config.N, maqueta))
                                    .size();
    const double precisa = MedianizMm(static_cast<std::int32_t>(paginas));
    if (precisa <= medianiz) return maqueta;
    medianiz = precisa;
  }
}

}  // namespace

TCompositorLivro::TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo)
    : TCompositorLivro(ALivro, AInfo, LayoutPadrao(ALivro.Config.N)) {}

TCompositorLivro::TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TLayoutPuzzles& ALayout)
    : TCompositorLivro(ALivro, AInfo, TEdicao{}, MaquetaDoFormato(fmA4, MedianizMm(0)), LayoutValido(ALayout)) {}

TCompositorLivro::TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TEdicao& AEdicao)
    : TCompositorLivro(ALivro, AInfo, AEdicao, MaquetaDoLivro(ALivro, AEdicao)) {}

TCompositorLivro::TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TEdicao& AEdicao,
                                   const TMaquetaLivro& AMaqueta)
    : TCompositorLivro(ALivro, AInfo, AEdicao, AMaqueta, LayoutDoFormato(ALivro.Config.N, AMaqueta)) {}

TCompositorLivro::TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TEdicao& AEdicao,
                                   const TMaquetaLivro& AMaqueta, const TLayoutPuzzles& ALayout)
    : FEdicao(AEdicao),
      FMaqueta(AMaqueta),
      FPuzzles(ALivro, AInfo, ALayout, AMaqueta.Geometria),
      FLeis(LeisDoLivro(ALivro)),
      FTemNivel5(TemNivel5(ALivro)),
      FRegras(FLeis, FTemNivel5, AMaqueta.Geometria, ALivro.Config.Idioma),
      FPaginas(PlanoPaginas(ALivro, AEdicao.Impressao, AMaqueta.Geometria, ALayout)) {}

std::int32_t TCompositorLivro::PaginasVazias() const {
  return static_cast<std::int32_t>(
      std::count_if(FPaginas.begin(), FPaginas.end(), [](const TDescPagina& d) { return d.Tipo == pgVazia; }));
}

TPlanoNavegacao TCompositorLivro::Compor(IDestinoPaginas& ADestino) const {
  const std::size_t n = FPuzzles.Livro().Puzzles.size();
  TCabecalhos puzzles(n), solucoes(n);
  for (std::size_t p = 0; p < FPaginas.size(); ++p) {
    const TDescPagina& desc = FPaginas[p];
    const auto pagina = static_cast<std::int32_t>(p);
    const TTransformacao& t = FMaqueta.Transformacao(pagina);
    std::shared_ptr<ICadrelCanvas> canvas = ADestino.NovaPagina();
    if (!t.Identidade()) canvas = std::make_shared<TCanvasTransformado>(std::move(canvas), t);
    ICadrelCanvas& C = *canvas;
    const TGeometriaPagina& G = Geometria();
    switch (desc.Tipo) {
      case pgCapa: PaginaCapa(C); break;
      case pgRegras: FRegras.PaginaRegras(C, desc); break;
      case pgDiagramas: PaginaDiagramas(C, desc); break;
      case pgPuzzles: Registar(puzzles, pagina, desc.Primeiro, FPuzzles.PaginaPuzzles(C, desc), t); break;
      case pgSolucoes: Registar(solucoes, pagina, desc.Primeiro, FPuzzles.PaginaSolucoes(C, desc), t); break;
      case pgFicha: PaginaFicha(C, desc); break;
      case pgVerso: DesenharPaginaLicenca(C, G, CProduto, Idioma()); break;
      case pgSeparador: DesenharSeparador(C, G, desc.Primeiro == 1, Idioma()); break;
      case pgBranco:
      case pgSimbolo: DesenharSimbolo(C, G); break;
      case pgVazia: break;
    }
  }
  return PlanoNavegacao(FPaginas, puzzles, solucoes, Idioma());
}

void TCompositorLivro::PaginaCapa(ICadrelCanvas& C) const {
  const TConfigLivro& config = FPuzzles.Livro().Config;
  const TGeometriaPagina& G = Geometria();
  const double x = G.CentroX();
  std::string autor = CAutor;
  std::transform(autor.begin(), autor.end(), autor.begin(), [](unsigned char c) { return std::toupper(c); });
  C.Texto(x, G.Proporcional(42), autor, 24, true, 0, alCentro);
  C.Texto(x, G.Proporcional(92), CProduto, TamanhoQueCabe(C, CProduto, G.Largura, 80, 4, 24), true, 0, alCentro);
  // Blanks and control characters at both ends go.
  const std::string titulo(Aparar(config.Titulo));
  if (!titulo.empty()) {
    // Even at the smallest size a long title would run off the paper: it
    // takes as many lines as it needs, one under the other.
    const TTituloComposto composto = ComporTitulo(C, titulo, G.Largura, 34, 2, 16);
    for (std::size_t i = 0; i < composto.Linhas.size(); ++i)
      C.Texto(x, G.Proporcional(150) + static_cast<double>(i) * PassoDeLinha(composto.Tamanho), composto.Linhas[i],
              composto.Tamanho, true, 0, alCentro);
  }
  const std::size_t n = FPuzzles.Livro().Puzzles.size();
  C.Texto(x, G.Proporcional(202), fmt::format(fmt::runtime(TrN(Idioma(), "{} puzzles", "{} puzzles", n)), n), 16,
          false, 0, alCentro);
  C.Texto(x, G.Proporcional(212), TextoTamanho(config.N), 16, false, 0, alCentro);
  if (config.Volume > 0)
    C.Texto(x, G.Proporcional(226), Formatar(Idioma(), "Volume {}", config.Volume), 16, true, 0, alCentro);
}

void TCompositorLivro::PaginaFicha(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  const TLivro& livro = FPuzzles.Livro();
  const TInfoLivro& info = FPuzzles.Info();
  const TGeometriaPagina& G = Geometria();
  const TIdioma idioma = Idioma();
  C.Texto(G.CentroX(), CTopoPagina, Tr(idioma, CTituloFicha), 20, true, 0, alCentro);
  std::vector<std::pair<const char*, std::string>> linhas = {
      {Tr(idioma, "Código do livro:"), livro.Codigo},
      {Tr(idioma, "Data:"), info.Data},
      {Tr(idioma, "Versão:"), info.Versao},
      {Tr(idioma, "Puzzles:"), std::to_string(livro.Puzzles.size())},
      {Tr(idioma, "Tamanho:"), TextoTamanho(livro.Config.N)},
      {Tr(idioma, "Nível:"),
       livro.Config.Nivel == 0 ? std::string(Tr(idioma, "Progressiva")) : std::to_string(livro.Config.Nivel)},
      {Tr(idioma, "Leis nos puzzles:"), NomesLeis(FLeis, idioma)},
  };
  // A volume names its series beside its own code.
  if (livro.Config.Volume > 0) {
    linhas.insert(linhas.begin() + 1, {Tr(idioma, "Código da série:"), CodigoLivro(livro.Config.SementeSerie)});
    linhas.insert(linhas.begin() + 2,
                  {Tr(idioma, "Volume:"), Formatar(idioma, "{} de {}", livro.Config.Volume, livro.Config.Volumes)});
  }
  // A4 goes without saying.
  if (FEdicao.Formato != fmA4)
    linhas.emplace_back(Tr(idioma, "Formato:"), Tr(idioma, DadosFormato(FEdicao.Formato).Descricao.data()));
  double y = 45;
  for (const auto& [rotulo, valor] : linhas) {
    C.Texto(CMargemEsquerda, y, rotulo, 12, false, 0, alEsquerda);
    C.Texto(66, y, valor, 12, true, 0, alEsquerda);
    y += 9;
  }
  DesenharRodape(C, G, ADesc.Numero);
}

void TCompositorLivro::PaginaDiagramas(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  DesenharDiagramas(C, Geometria(), FLeis, ADesc.Primeiro, Idioma());
  DesenharRodape(C, Geometria(), ADesc.Numero);
}

}  // namespace cadrel
