#include "book/paginas_puzzles.hpp"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "book/grelha.hpp"
#include "book/pictogramas.hpp"
#include "core/traducao.hpp"
#include "solving/solver.hpp"

namespace cadrel {

namespace {
constexpr double CTamanhoNumeroPuzzle = 14;
constexpr double CTopoLeis = 9.5;     // law row, below the heading line
constexpr double CAlturaLeis = 16;
constexpr double CEspacoCaixa = 6;    // between a puzzle grid and its box

constexpr double CTopoSolucoes = 30;
constexpr double CAlturaSlotSolucao = 121;  // the most a row of solutions takes
constexpr double CLadoSolucao4 = 55;  // 4 × 4 solutions are smaller to fit hints below them
constexpr double CLadoSolucao = 74;
constexpr double CTopoGrelhaSolucao = 7;  // below the solution's title
constexpr double CEspacoDicas = 6;        // between a grid and the hints beside it
constexpr double CPassoDicas = 4.6;
constexpr double CTamanhoDicas = 9.5;
constexpr double CTamanhoTituloSolucao = 11;

std::int32_t Quantos(const TLivro& ALivro) { return static_cast<std::int32_t>(ALivro.Puzzles.size()); }

// Two puzzles share the room between the top line and the footer.
double PassoSlotPuzzle(const TGeometriaPagina& G) { return (G.YRodape - 4 - CTopoPagina) / 2; }

// A cell of a puzzle grid on paper: room for two handwritten digits.
constexpr double CCelulaLegivelMm = 9;
// The least width of a numbers box beside its grid.
constexpr double CLarguraMinimaCaixa = 40;
// A single puzzle's grid need not grow past this.
constexpr double CLadoMaximoSozinho = 120;

// Two rows of solutions share what is left under the heading, up to 121 mm each.
double PassoSlotSolucao(const TGeometriaPagina& G) {
  return std::min(CAlturaSlotSolucao, (G.LimiteConteudo - CTopoSolucoes) / 2);
}

// From a solution's title to the end of what follows its grid: under a 4 × 4
// grid the hints and the elimination note, beside a larger one the same list.
double AlturaSolucao(std::int32_t N, bool ACaminho) {
  const double grelha = CTopoGrelhaSolucao + (N == 4 ? CLadoSolucao4 : CLadoSolucao);
  if (!ACaminho) return grelha;
  const double lista = MaxDicas(N) * CPassoDicas + 1 + CPassoDicas;
  return N == 4 ? grelha + 3 + lista : std::max(grelha, CTopoGrelhaSolucao + lista);
}

// The widest of the hints printed beside a solution, at their size.
double LarguraDicas(ICadrelCanvas& C, const std::vector<TPassoDeducao>& ADicas) {
  double largura = 0;
  for (std::size_t j = 0; j < ADicas.size(); ++j)
    largura = std::max(largura,
                       C.LarguraTexto(fmt::format("{}. {}", j + 1, ADicas[j].Texto), CTamanhoDicas, false));
  return largura;
}
}  // namespace

std::int32_t SolucoesNaPagina(const TLivro& ALivro, const TGeometriaPagina& G) {
  const std::int32_t porPagina = SolucoesPorPagina(ALivro.Config.N, ALivro.Config.Caminho);
  const bool duasFilas = AlturaSolucao(ALivro.Config.N, ALivro.Config.Caminho) <= PassoSlotSolucao(G);
  return duasFilas ? porPagina : porPagina / 2;
}

TLayoutPuzzles LayoutDoFormato(std::int32_t N, const TMaquetaLivro& AMaqueta) {
  const TGeometriaPagina& G = AMaqueta.Geometria;
  const double legivel = CCelulaLegivelMm * N / AMaqueta.Impar.Escala;
  const double lado = std::max(LayoutPadrao(N).LadoMm, legivel);
  const double larguraLivre = G.Largura - CEspacoCaixa - CLarguraMinimaCaixa;
  if (lado <= larguraLivre && CTopoLeis + CAlturaLeis + 2 + lado <= PassoSlotPuzzle(G)) return {2, lado};
  const double alturaLivre = G.LimiteConteudo - CTopoPagina - (CTopoLeis + CAlturaLeis + 4);
  return {1, std::max(legivel, std::min({CLadoMaximoSozinho, larguraLivre, alturaLivre}))};
}

TPaginasPuzzles::TPaginasPuzzles(TLivro ALivro, TInfoLivro AInfo, TLayoutPuzzles ALayout,
                                 const TGeometriaPagina& AGeometria)
    : FLivro(std::move(ALivro)),
      FInfo(std::move(AInfo)),
      FLayout(ALayout),
      FGeometria(AGeometria),
      FSolucoesNaPagina(SolucoesNaPagina(FLivro, FGeometria)) {}

std::vector<TRectanguloMm> TPaginasPuzzles::PaginaPuzzles(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  std::vector<TRectanguloMm> numeros;
  for (std::int32_t k = 0; k < FLayout.PorPagina; ++k) {
    const std::int32_t i = ADesc.Primeiro + k;
    if (i >= Quantos(FLivro)) break;
    numeros.push_back(DesenharPuzzle(C, i, CTopoPagina + k * PassoSlotPuzzle(FGeometria)));
  }
  DesenharRodape(C, FGeometria, ADesc.Numero);
  return numeros;
}

TRectanguloMm TPaginasPuzzles::DesenharPuzzle(ICadrelCanvas& C, std::int32_t AIndice, double Y) const {
  const TPuzzle& p = FLivro.Puzzles[AIndice].Puzzle;
  const double lado = FLayout.LadoMm;
  const std::string numero = fmt::format("{:03}", AIndice + 1);
  C.Texto(CMargemEsquerda, Y, numero, CTamanhoNumeroPuzzle, true, 0, alEsquerda);
  C.Texto(FGeometria.CentroX(), Y + 0.6, TextoTamanho(p.N), 13, false, 0, alCentro);
  DesenharEstrelas(C, FGeometria.Direita(), Y + 0.2, p.Nivel);
  DesenharLeisPuzzle(C, p, CMargemEsquerda, Y + CTopoLeis);

  // A page with a single puzzle has room for a little more air above the grid.
  const double t = Y + CTopoLeis + CAlturaLeis + (FLayout.PorPagina == 1 ? 4 : 2);
  DesenharGrelha(C, p.N, p.Dados, p.Solucao, CMargemEsquerda, t, lado, false, TamanhoDigitos(lado, p.N));
  const double xCaixa = CMargemEsquerda + lado + CEspacoCaixa;
  DesenharCaixaNumeros(C, xCaixa, t, FGeometria.Direita() - xCaixa, NumerosEmFalta(p.Conjunto, p.Dados));
  return {CMargemEsquerda, Y, C.LarguraTexto(numero, CTamanhoNumeroPuzzle, true), C.AlturaTexto(CTamanhoNumeroPuzzle)};
}

std::vector<TRectanguloMm> TPaginasPuzzles::PaginaSolucoes(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  std::vector<TRectanguloMm> titulos;
  C.Texto(FGeometria.CentroX(), CTopoPagina, Tr(FLivro.Config.Idioma, "Soluções"), 16, true, 0, alCentro);
  // Four to a page stand in two columns; fewer, one under the other.
  const bool colunas = SolucoesPorPagina(FLivro.Config.N, FLivro.Config.Caminho) == 4;
  const double coluna = FGeometria.Largura / 2;
  for (std::int32_t i = 0; i < FSolucoesNaPagina; ++i) {
    const std::int32_t indice = ADesc.Primeiro + i;
    if (indice >= Quantos(FLivro)) break;
    const std::int32_t linha = colunas ? i / 2 : i;
    const double x = CMargemEsquerda + (colunas ? (i % 2) * coluna : 0);
    titulos.push_back(DesenharSolucao(C, indice, x, CTopoSolucoes + linha * PassoSlotSolucao(FGeometria),
                                      colunas ? coluna : FGeometria.Largura));
  }
  DesenharRodape(C, FGeometria, ADesc.Numero);
  return titulos;
}

TRectanguloMm TPaginasPuzzles::DesenharSolucao(ICadrelCanvas& C, std::int32_t AIndice, double X, double Y,
                                               double ALargura) const {
  const TPuzzle& p = FLivro.Puzzles[AIndice].Puzzle;
  const bool dicas = FLivro.Config.Caminho;
  const bool quatro = p.N == 4;
  const std::vector<TPassoDeducao> escolhidas =
      dicas ? SelecionarDicas(p.Resultado, MaxDicas(p.N)) : std::vector<TPassoDeducao>{};
  // A large grid gives way to the hints beside it where the page is narrow.
  const double lado =
      quatro ? CLadoSolucao4
             : std::min({CLadoSolucao, ALargura, dicas ? ALargura - CEspacoDicas - LarguraDicas(C, escolhidas)
                                                        : CLadoSolucao});
  // Without hints a large grid stands alone, centred in its slot, and its title with it.
  const double xt = !quatro && !dicas ? X + (ALargura - lado) / 2 : X;

  const std::string titulo = Formatar(FLivro.Config.Idioma, "Puzzle {:03}", AIndice + 1);
  C.Texto(xt, Y, titulo, CTamanhoTituloSolucao, true, 0, alEsquerda);
  const TRectanguloMm caixaTitulo{xt, Y, C.LarguraTexto(titulo, CTamanhoTituloSolucao, true),
                                  C.AlturaTexto(CTamanhoTituloSolucao)};
  std::string constantes;
  if (p.K != 0) constantes = fmt::format("K = {}", p.K);
  if (p.S != 0) {
    if (!constantes.empty()) constantes += "   ";
    constantes += fmt::format("S = {}", p.S);
  }
  if (!constantes.empty())
    C.Texto(xt + caixaTitulo.Largura + 6,
            Y + (caixaTitulo.Altura - C.AlturaTexto(CTamanhoDicas)) / 2, constantes, CTamanhoDicas,
            false, CCinzaSecundario, alEsquerda);

  const double xGrelha = quatro ? X + (ALargura - lado) / 2 : xt;
  const double topo = Y + CTopoGrelhaSolucao;
  DesenharGrelha(C, p.N, p.Dados, p.Solucao, xGrelha, topo, lado, true, TamanhoDigitos(lado, p.N));
  if (!dicas) return caixaTitulo;

  // 4 × 4: a short list under the grid; larger grids: a longer one beside it.
  const double x = quatro ? X : X + lado + CEspacoDicas;
  const double y = quatro ? topo + lado + 3 : topo;
  for (std::size_t j = 0; j < escolhidas.size(); ++j)
    C.Texto(x, y + static_cast<double>(j) * CPassoDicas, fmt::format("{}. {}", j + 1, escolhidas[j].Texto),
            CTamanhoDicas, false, 0, alEsquerda);
  const auto colocacoes = std::count_if(p.Resultado.Passos.begin(), p.Resultado.Passos.end(),
                                        [](const TPassoDeducao& passo) { return passo.Celula >= 0; });
  if (colocacoes > static_cast<std::ptrdiff_t>(escolhidas.size()))
    C.Texto(x, y + static_cast<double>(escolhidas.size()) * CPassoDicas + 1,
            Tr(FLivro.Config.Idioma, "Os restantes números resultam por eliminação."), CTamanhoDicas, false,
            CCinzaSecundario, alEsquerda);
  return caixaTitulo;
}

}  // namespace cadrel
