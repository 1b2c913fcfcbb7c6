#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "solving/solver.hpp"

namespace cadrel {
namespace {

constexpr std::int32_t CLado = 7;

// De la Loubere's square of 1..49: magic diagonals, and opposite cells sum to
// 50, so it obeys SIM and SOM-D together.
std::vector<std::int32_t> QuadradoSiames() {
  std::vector<std::int32_t> grelha(CLado * CLado, 0);
  std::int32_t r = 0, c = CLado / 2;
  for (std::int32_t v = 1; v <= CLado * CLado; ++v) {
    grelha[r * CLado + c] = v;
    const std::int32_t r2 = (r + CLado - 1) % CLado, c2 = (c + 1) % CLado;
    if (grelha[r2 * CLado + c2] != 0) {
      r = (r + 1) % CLado;
    } else {
      r = r2;
      c = c2;
    }
  }
  return grelha;
}

// Resolver at T6 on a 7x7 SIM+SOM-D puzzle. The givens are thinned greedily in
// cell order while the solver still finishes, so the puzzle is as sparse as
// that order allows and the same on every run.
void BM_ResolverSimSomD7(benchmark::State& state) {
  const std::vector<std::int32_t> solucao = QuadradoSiames();
  std::vector<std::int32_t> caixa(CLado * CLado);
  std::iota(caixa.begin(), caixa.end(), 1);
  TSolverDeducao solver(CLado, TReceita{TConjuntoLeis{leiSIM, leiSOMD}});

  std::vector<std::int32_t> dados = solucao;
  for (std::size_t celula = 0; celula < dados.size(); ++celula) {
    dados[celula] = 0;
    if (!solver.Resolver(caixa, dados, tecT6, solucao).Resolvido) dados[celula] = solucao[celula];
  }
  const auto numDados =
      std::count_if(dados.begin(), dados.end(), [](std::int32_t v) { return v != 0; });

  std::size_t passos = 0;
  for (auto _ : state) {
    TResultadoSolver r = solver.Resolver(caixa, dados, tecT6, solucao);
    if (!r.Resolvido) state.SkipWithError("puzzle deixou de ter solucao por deducao");
    passos = r.Passos.size();
    benchmark::DoNotOptimize(r);
  }
  state.counters["dados"] = static_cast<double>(numDados);
  state.counters["passos"] = static_cast<double>(passos);
}
BENCHMARK(BM_ResolverSimSomD7);

}  // namespace
}  // namespace cadrel
