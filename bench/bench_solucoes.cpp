#include <benchmark/benchmark.h>

#include <string>

#include "construction/solucoes.hpp"

namespace cadrel {
namespace {

std::int32_t TentativasDe(const IGeradorSolucao& AGerador) {
  if (auto* rede = dynamic_cast<const TGeradorRede*>(&AGerador)) return rede->Tentativas();
  if (auto* duas = dynamic_cast<const TGeradorDuasFases*>(&AGerador)) return duas->Tentativas();
  if (auto* ordem = dynamic_cast<const TGeradorOrdemSimetrica*>(&AGerador)) return ordem->Tentativas();
  return 0;
}

// One grid per iteration; "tentativas" is the mean number of lattice restarts,
// two-phase attempts or number sets a grid took.
void GerarGrelha(benchmark::State& AEstado, std::int32_t N, TReceita AReceita) {
  const auto gerador = CriarGeradorSolucao(N, AReceita);
  TGeradorAleatorio rng(2026);
  double tentativas = 0;
  for (auto _ : AEstado) {
    benchmark::DoNotOptimize(gerador->Gerar(rng));
    tentativas += TentativasDe(*gerador);
  }
  AEstado.counters["tentativas"] = benchmark::Counter(tentativas, benchmark::Counter::kAvgIterations);
}

const bool registados = [] {
  for (std::int32_t n = 4; n <= 7; ++n)
    for (int codigo = 0; codigo < 32; ++codigo) {
      const TReceita receita = ReceitaDeLeis(TConjuntoLeis::DeCodigo(codigo));
      if (!ReceitaSuportada(n, receita)) continue;
      const std::string nome = "GerarGrelha/" + std::to_string(n) + "x" + std::to_string(n) + "/" +
                               NomeReceita(receita) + "/" + std::to_string(codigo);
      benchmark::RegisterBenchmark(nome.c_str(), GerarGrelha, n, receita)->Unit(benchmark::kMicrosecond);
    }
  return true;
}();

}  // namespace
}  // namespace cadrel
