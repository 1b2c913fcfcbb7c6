#include "book/paginas_puzzles.hpp"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "book/grelha.hpp"
#include "book/pictogramas.hpp"
#include "solving/solver.hpp"

namespace cadrel {

namespace {
constexpr double CAlturaSlotPuzzle = 130.5;
constexpr double CTamanhoNumeroPuzzle = 14;
constexpr double CTopoLeis = 9.5;     // law row, below the heading line
constexpr double CAlturaLeis = 16;
constexpr double CEspacoCaixa = 6;    // between a puzzle grid and its box

constexpr double CTopoSolucoes = 30;
constexpr double CAlturaSlotSolucao = 121;
constexpr double CLarguraColunaSolucao = 87;
constexpr double CLadoSolucao4 = 55;  // 4 × 4 solutions are smaller to fit hints below them
constexpr double CLadoSolucao = 74;
constexpr double CPassoDicas = 4.6;
constexpr double CTamanhoDicas = 9.5;
constexpr double CTamanhoTituloSolucao = 11;

std::int32_t Quantos(const TLivro& ALivro) { return static_cast<std::int32_t>(ALivro.Puzzles.size()); }
}  // namespace

TPaginasPuzzles::TPaginasPuzzles(TLivro ALivro, TInfoLivro AInfo, TLayoutPuzzles ALayout)
    : FLivro(std::move(ALivro)), FInfo(std::move(AInfo)), FLayout(ALayout) {}

std::vector<TRectanguloMm> TPaginasPuzzles::PaginaPuzzles(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  std::vector<TRectanguloMm> numeros;
  for (std::int32_t k = 0; k < FLayout.PorPagina; ++k) {
    const std::int32_t i = ADesc.Primeiro + k;
    if (i >= Quantos(FLivro)) break;
    numeros.push_back(DesenharPuzzle(C, i, CTopoPagina + k * CAlturaSlotPuzzle));
  }
  DesenharRodape(C, ADesc.Numero);
  return numeros;
}

TRectanguloMm TPaginasPuzzles::DesenharPuzzle(ICadrelCanvas& C, std::int32_t AIndice, double Y) const {
  const TPuzzle& p = FLivro.Puzzles[AIndice].Puzzle;
  const double lado = FLayout.LadoMm;
  const std::string numero = fmt::format("{:03}", AIndice + 1);
  C.Texto(CMargemEsquerda, Y, numero, CTamanhoNumeroPuzzle, true, 0, alEsquerda);
  C.Texto(CCentroX, Y + 0.6, TextoTamanho(p.N), 13, false, 0, alCentro);
  DesenharEstrelas(C, CMargemDireita, Y + 0.2, p.Nivel);
  DesenharLeisPuzzle(C, p, Y + CTopoLeis);

  // A page with a single puzzle has room for a little more air above the grid.
  const double t = Y + CTopoLeis + CAlturaLeis + (FLayout.PorPagina == 1 ? 4 : 2);
  DesenharGrelha(C, p.N, p.Dados, p.Solucao, CMargemEsquerda, t, lado, false, TamanhoDigitos(lado, p.N));
  const double xCaixa = CMargemEsquerda + lado + CEspacoCaixa;
  DesenharCaixaNumeros(C, xCaixa, t, CMargemDireita - xCaixa, NumerosEmFalta(p.Conjunto, p.Dados));
  return {CMargemEsquerda, Y, C.LarguraTexto(numero, CTamanhoNumeroPuzzle, true), C.AlturaTexto(CTamanhoNumeroPuzzle)};
}

std::vector<TRectanguloMm> TPaginasPuzzles::PaginaSolucoes(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  std::vector<TRectanguloMm> titulos;
  C.Texto(CCentroX, CTopoPagina, "Soluções", 16, true, 0, alCentro);
  const std::int32_t s = SolucoesPorPagina(FLivro.Config.N, FLivro.Config.Caminho);
  for (std::int32_t i = 0; i < s; ++i) {
    const std::int32_t indice = ADesc.Primeiro + i;
    if (indice >= Quantos(FLivro)) break;
    // Four to a page stand in two columns; fewer, one under the other.
    const bool colunas = s == 4;
    const std::int32_t linha = colunas ? i / 2 : i;
    const double x = CMargemEsquerda + (colunas ? (i % 2) * CLarguraColunaSolucao : 0);
    titulos.push_back(DesenharSolucao(C, indice, x, CTopoSolucoes + linha * CAlturaSlotSolucao,
                                      colunas ? CLarguraColunaSolucao : CLarguraUtil));
  }
  DesenharRodape(C, ADesc.Numero);
  return titulos;
}

TRectanguloMm TPaginasPuzzles::DesenharSolucao(ICadrelCanvas& C, std::int32_t AIndice, double X, double Y,
                                               double ALargura) const {
  const TPuzzle& p = FLivro.Puzzles[AIndice].Puzzle;
  const bool dicas = FLivro.Config.Caminho;
  const bool quatro = p.N == 4;
  // Without hints a large grid stands alone, centred in its slot, and its title with it.
  const double xt = !quatro && !dicas ? X + (ALargura - CLadoSolucao) / 2 : X;

  const std::string titulo = fmt::format("Puzzle {:03}", AIndice + 1);
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

  const double lado = quatro ? CLadoSolucao4 : CLadoSolucao;
  const double xGrelha = quatro ? X + (ALargura - lado) / 2 : xt;
  const double topo = Y + 7;
  DesenharGrelha(C, p.N, p.Dados, p.Solucao, xGrelha, topo, lado, true, TamanhoDigitos(lado, p.N));
  if (!dicas) return caixaTitulo;

  // 4 × 4: a short list under the grid; larger grids: a longer one beside it.
  const double x = quatro ? X : X + CLadoSolucao + 6;
  const double y = quatro ? topo + lado + 3 : topo;
  const std::vector<TPassoDeducao> escolhidas = SelecionarDicas(p.Resultado, MaxDicas(p.N));
  for (std::size_t j = 0; j < escolhidas.size(); ++j)
    C.Texto(x, y + static_cast<double>(j) * CPassoDicas, fmt::format("{}. {}", j + 1, escolhidas[j].Texto),
            CTamanhoDicas, false, 0, alEsquerda);
  const auto colocacoes = std::count_if(p.Resultado.Passos.begin(), p.Resultado.Passos.end(),
                                        [](const TPassoDeducao& passo) { return passo.Celula >= 0; });
  if (colocacoes > static_cast<std::ptrdiff_t>(escolhidas.size()))
    C.Texto(x, y + static_cast<double>(escolhidas.size()) * CPassoDicas + 1,
            "Os restantes números resultam por eliminação.", CTamanhoDicas, false, CCinzaSecundario, alEsquerda);
  return caixaTitulo;
}

}  // namespace cadrel
