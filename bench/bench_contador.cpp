#include <benchmark/benchmark.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/tipos.hpp"
#include "solving/contador.hpp"

namespace cadrel {
namespace {

using Valores = std::vector<std::int32_t>;

// The puzzle generator asks every candidate for at most 2 solutions within
// 200000 nodes.
constexpr std::int32_t CLimite = 2;
constexpr std::int32_t CMaxNos = 200000;

struct TPuzzleBench {
  Valores Conjunto;
  Valores Dados;
};

TPuzzleBench Puzzle(const Valores& ASolucao, const std::vector<std::int32_t>& ACelulasDadas) {
  TPuzzleBench puzzle{ASolucao, Valores(ASolucao.size(), 0)};
  std::sort(puzzle.Conjunto.begin(), puzzle.Conjunto.end());
  for (std::int32_t c : ACelulasDadas) puzzle.Dados[c] = ASolucao[c];
  return puzzle;
}

void Medir(benchmark::State& AState, TContadorSolucoes& AContador, const TPuzzleBench& APuzzle) {
  if (AContador.Contar(APuzzle.Conjunto, APuzzle.Dados, CLimite, CMaxNos) != 1) {
    AState.SkipWithError("the puzzle is no longer proved unique");
    return;
  }
  for (auto _ : AState)
    benchmark::DoNotOptimize(AContador.Contar(APuzzle.Conjunto, APuzzle.Dados, CLimite, CMaxNos));
  AState.counters["nos"] = AContador.Nos();
}

// a[r][c] = x[r] + y[c] with x = 45 0 75 15 60 30 and y = 7 1 12 4 9 3: all
// 36 sums differ. Six givens leave one solution, found after a real search.
void BM_ContarTabela6x6(benchmark::State& AState) {
  const std::int32_t x[] = {45, 0, 75, 15, 60, 30};
  const std::int32_t y[] = {7, 1, 12, 4, 9, 3};
  Valores solucao;
  for (std::int32_t xr : x)
    for (std::int32_t yc : y) solucao.push_back(xr + yc);
  TContadorSolucoes contador(6, ReceitaDeLeis({leiTAB}));
  Medir(AState, contador, Puzzle(solucao, {1, 8, 15, 22, 23, 29}));
}
BENCHMARK(BM_ContarTabela6x6);

// A 7 x 7 ORD+SIM puzzle over the odd numbers 1..97 (a symmetric box), unique
// with 16 givens. Argument 1 takes the order engine, 0 forces the search.
void BM_ContarOrdemSimetria7x7(benchmark::State& AState) {
  const Valores solucao = {
      1,  3,  7,  11, 27, 39, 45,  //
      5,  15, 19, 25, 29, 51, 61,  //
      9,  17, 23, 31, 41, 55, 77,  //
      13, 33, 35, 49, 63, 65, 85,  //
      21, 43, 57, 67, 75, 81, 89,  //
      37, 47, 69, 73, 79, 83, 93,  //
      53, 59, 71, 87, 91, 95, 97,
  };
  TContadorSolucoes contador(7, ReceitaDeLeis({leiORD, leiSIM}));
  contador.SetUsarMotorOrdem(AState.range(0) != 0);
  Medir(AState, contador, Puzzle(solucao, {3, 7, 8, 12, 13, 22, 23, 28, 29, 34, 37, 38, 39, 42, 43, 44}));
}
BENCHMARK(BM_ContarOrdemSimetria7x7)->Arg(1)->Arg(0);

}  // namespace
}  // namespace cadrel
