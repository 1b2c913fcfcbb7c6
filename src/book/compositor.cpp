#include "book/compositor.hpp"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <utf8.h>

#include "book/diagramas.hpp"
#include "book/editorial.hpp"
#include "book/regras.hpp"
#include "core/texto.hpp"

namespace cadrel {

namespace {

constexpr const char* CProduto = "QUORVEL";
constexpr const char* CAutor = "Velmaro";
constexpr const char* CTituloFicha = "Ficha técnica";

// Where the heading of a puzzle, or of a solution, was printed.
struct TCabecalho {
  std::int32_t Pagina = -1;
  TRectanguloMm Area{};
};

// By puzzle index.
using TCabecalhos = std::vector<TCabecalho>;

// The headings of a page whose first puzzle is APrimeiro.
void Registar(TCabecalhos& ACabecalhos, std::int32_t APagina, std::int32_t APrimeiro,
              const std::vector<TRectanguloMm>& AAreas) {
  for (std::size_t k = 0; k < AAreas.size(); ++k)
    ACabecalhos.at(static_cast<std::size_t>(APrimeiro) + k) = {APagina, AAreas[k]};
}

// The bookmark of a section at the first page of its kind, if the book has one.
std::string TituloSeccao(const TDescPagina& ADesc) {
  switch (ADesc.Tipo) {
    case pgCapa: return "Capa";
    case pgRegras: return ADesc.Primeiro == 0 ? CTituloRegras : "";
    case pgDiagramas: return ADesc.Primeiro == 0 ? CTituloDiagramas : "";
    // The separator is the section's title page.
    case pgSeparador: return TextoSeparador(ADesc.Primeiro == 1);
    case pgFicha: return CTituloFicha;
    default: return "";
  }
}

// The outline follows the page plan; the puzzles and the solutions each get a
// bookmark per puzzle under their section, numbered as the pages number them.
// Each puzzle's number leads to its solution and the solution's title back.
TPlanoNavegacao PlanoNavegacao(const std::vector<TDescPagina>& APaginas, const TCabecalhos& APuzzles,
                               const TCabecalhos& ASolucoes) {
  TPlanoNavegacao plano;
  for (std::size_t p = 0; p < APaginas.size(); ++p) {
    std::string titulo = TituloSeccao(APaginas[p]);
    if (titulo.empty()) continue;
    TMarcador seccao{std::move(titulo), static_cast<std::int32_t>(p)};
    if (APaginas[p].Tipo == pgSeparador) {
      const bool solucoes = APaginas[p].Primeiro == 1;
      const TCabecalhos& cabecalhos = solucoes ? ASolucoes : APuzzles;
      for (std::size_t i = 0; i < cabecalhos.size(); ++i)
        seccao.Filhos.push_back({fmt::format("{} {:03}", solucoes ? "Solução" : "Puzzle", i + 1), cabecalhos[i].Pagina});
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

// The largest size from AMaximo down in steps of APasso whose bold width fits
// the usable width, but never below AMinimo.
double TamanhoQueCabe(ICadrelCanvas& C, const std::string& ATexto, double AMaximo, double APasso, double AMinimo) {
  double tamanho = AMaximo;
  while (tamanho > AMinimo && C.LarguraTexto(ATexto, tamanho, true) > CLarguraUtil) tamanho -= APasso;
  return std::max(tamanho, AMinimo);
}

// The title's lines when even the smallest size leaves it wider than the
// page: broken at blanks, and a word too wide on its own between characters.
std::vector<std::string> LinhasDoTitulo(ICadrelCanvas& C, const std::string& ATitulo, double ATamanho) {
  std::vector<std::string> linhas;
  for (const std::string& linha : QuebrarLinhas(C, ATitulo, CLarguraUtil, ATamanho, true)) {
    if (C.LarguraTexto(linha, ATamanho, true) <= CLarguraUtil) {
      linhas.push_back(linha);
      continue;
    }
    std::string parte;
    for (auto it = linha.begin(); it != linha.end();) {
      const auto inicio = it;
      utf8::next(it, linha.end());
      const std::string caracter(inicio, it);
      if (!parte.empty() && C.LarguraTexto(parte + caracter, ATamanho, true) > CLarguraUtil) {
        linhas.push_back(std::move(parte));
        parte.clear();
      }
      parte += caracter;
    }
    linhas.push_back(std::move(parte));
  }
  return linhas;
}

}  // namespace

TCompositorLivro::TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo)
    : TCompositorLivro(ALivro, AInfo, LayoutPadrao(ALivro.Config.N)) {}

TCompositorLivro::TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TLayoutPuzzles& ALayout)
    : FPuzzles(ALivro, AInfo, LayoutValido(ALayout)),
      FLeis(LeisDoLivro(ALivro)),
      FTemNivel5(TemNivel5(ALivro)),
      FRegras(FLeis, FTemNivel5) {
  ConstruirPlano();
}

void TCompositorLivro::AdicionarPagina(TTipoPagina ATipo, std::int32_t APrimeiro) {
  FPaginas.push_back(TDescPagina{ATipo, APrimeiro, 0});
}

void TCompositorLivro::AlinharPagina() {
  if (FPaginas.size() % 2 == 1) AdicionarPagina(pgBranco, 0);
}

void TCompositorLivro::ConstruirPlano() {
  const TLivro& livro = FPuzzles.Livro();
  const auto n = static_cast<std::int32_t>(livro.Puzzles.size());
  const std::int32_t porPagina = FPuzzles.Layout().PorPagina;
  const std::int32_t solucoes = SolucoesPorPagina(livro.Config.N, livro.Config.Caminho);

  AdicionarPagina(pgCapa, 0);
  AdicionarPagina(pgVerso, 0);
  for (std::int32_t i = 0; i < FRegras.NumPaginas(); ++i) AdicionarPagina(pgRegras, i);
  for (std::int32_t i = 0; i < NumPaginasDiagramas(FLeis); ++i) AdicionarPagina(pgDiagramas, i);
  AlinharPagina();
  AdicionarPagina(pgSeparador, 0);
  AdicionarPagina(pgSimbolo, 0);
  for (std::int32_t primeiro = 0; primeiro < n; primeiro += porPagina) AdicionarPagina(pgPuzzles, primeiro);
  AlinharPagina();
  AdicionarPagina(pgSeparador, 1);
  AdicionarPagina(pgSimbolo, 1);
  for (std::int32_t primeiro = 0; primeiro < n; primeiro += solucoes) AdicionarPagina(pgSolucoes, primeiro);
  AdicionarPagina(pgFicha, 0);

  // Numbers count every physical page; the unnumbered kinds leave gaps.
  for (std::size_t i = 1; i < FPaginas.size(); ++i) {
    const TTipoPagina tipo = FPaginas[i].Tipo;
    const bool semNumero = tipo == pgBranco || tipo == pgVerso || tipo == pgSeparador || tipo == pgSimbolo;
    FPaginas[i].Numero = semNumero ? 0 : static_cast<std::int32_t>(i + 1);
  }
}

TPlanoNavegacao TCompositorLivro::Compor(IDestinoPaginas& ADestino) const {
  const std::size_t n = FPuzzles.Livro().Puzzles.size();
  TCabecalhos puzzles(n), solucoes(n);
  for (std::size_t p = 0; p < FPaginas.size(); ++p) {
    const TDescPagina& desc = FPaginas[p];
    const auto pagina = static_cast<std::int32_t>(p);
    const std::shared_ptr<ICadrelCanvas> canvas = ADestino.NovaPagina();
    ICadrelCanvas& C = *canvas;
    switch (desc.Tipo) {
      case pgCapa: PaginaCapa(C); break;
      case pgRegras: FRegras.PaginaRegras(C, desc); break;
      case pgDiagramas: PaginaDiagramas(C, desc); break;
      case pgPuzzles: Registar(puzzles, pagina, desc.Primeiro, FPuzzles.PaginaPuzzles(C, desc)); break;
      case pgSolucoes: Registar(solucoes, pagina, desc.Primeiro, FPuzzles.PaginaSolucoes(C, desc)); break;
      case pgFicha: PaginaFicha(C, desc); break;
      case pgVerso: DesenharPaginaLicenca(C, CProduto); break;
      case pgSeparador: DesenharSeparador(C, desc.Primeiro == 1); break;
      case pgBranco:
      case pgSimbolo: DesenharSimbolo(C); break;
    }
  }
  return PlanoNavegacao(FPaginas, puzzles, solucoes);
}

void TCompositorLivro::PaginaCapa(ICadrelCanvas& C) const {
  const TConfigLivro& config = FPuzzles.Livro().Config;
  std::string autor = CAutor;
  std::transform(autor.begin(), autor.end(), autor.begin(), [](unsigned char c) { return std::toupper(c); });
  C.Texto(CCentroX, 42, autor, 24, true, 0, alCentro);
  C.Texto(CCentroX, 92, CProduto, TamanhoQueCabe(C, CProduto, 80, 4, 24), true, 0, alCentro);
  // Blanks and control characters at both ends go.
  const std::string titulo(Aparar(config.Titulo));
  if (!titulo.empty()) {
    const double tamanho = TamanhoQueCabe(C, titulo, 34, 2, 16);
    // Even at the smallest size a long title would run off the paper: it
    // takes as many lines as it needs, one under the other.
    const std::vector<std::string> linhas = C.LarguraTexto(titulo, tamanho, true) <= CLarguraUtil
                                                ? std::vector<std::string>{titulo}
                                                : LinhasDoTitulo(C, titulo, tamanho);
    for (std::size_t i = 0; i < linhas.size(); ++i)
      C.Texto(CCentroX, 150 + static_cast<double>(i) * PassoDeLinha(tamanho), linhas[i], tamanho, true, 0, alCentro);
  }
  C.Texto(CCentroX, 202, fmt::format("{} puzzles", FPuzzles.Livro().Puzzles.size()), 16, false, 0, alCentro);
  C.Texto(CCentroX, 212, TextoTamanho(config.N), 16, false, 0, alCentro);
}

void TCompositorLivro::PaginaFicha(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  const TLivro& livro = FPuzzles.Livro();
  const TInfoLivro& info = FPuzzles.Info();
  C.Texto(CCentroX, CTopoPagina, CTituloFicha, 20, true, 0, alCentro);
  const std::pair<const char*, std::string> linhas[] = {
      {"Código do livro:", livro.Codigo},
      {"Data:", info.Data},
      {"Versão:", info.Versao},
      {"Puzzles:", std::to_string(livro.Puzzles.size())},
      {"Tamanho:", TextoTamanho(livro.Config.N)},
      {"Nível:", livro.Config.Nivel == 0 ? std::string("Progressiva") : std::to_string(livro.Config.Nivel)},
      {"Leis nos puzzles:", NomesLeis(FLeis)},
  };
  double y = 45;
  for (const auto& [rotulo, valor] : linhas) {
    C.Texto(CMargemEsquerda, y, rotulo, 12, false, 0, alEsquerda);
    C.Texto(66, y, valor, 12, true, 0, alEsquerda);
    y += 9;
  }
  DesenharRodape(C, ADesc.Numero);
}

void TCompositorLivro::PaginaDiagramas(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  DesenharDiagramas(C, FLeis, ADesc.Primeiro);
  DesenharRodape(C, ADesc.Numero);
}

}  // namespace cadrel
