#include <benchmark/benchmark.h>

#include <string>

#include "generation/livro.hpp"

namespace cadrel {
namespace {

// Wall time of a whole book, with its attempts, acceptance rate and
// rejections per criterion as counters.
void GerarLivro(benchmark::State& AEstado, TConfigLivro AConfig) {
  TLivro livro;
  for (auto _ : AEstado) livro = TGeradorLivro().Gerar(AConfig);
  auto contar = [&AEstado](const char* nome, double valor) { AEstado.counters[nome] = valor; };
  contar("tentativas", livro.Tentativas);
  contar("aceitacao", static_cast<double>(livro.Puzzles.size() + livro.RejeicoesA6) / livro.Tentativas);
  const char* nomes[] = {"", "A1", "A2", "A3", "A4", "A5", "A7", "A8", "Nos"};
  for (int c = 1; c < CNumCriterios; ++c) contar(nomes[c], livro.Rejeicoes[c]);
  contar("A6", livro.RejeicoesA6);
}

TConfigLivro Config(std::int32_t ANumPuzzles, std::int32_t N, std::int32_t ANivel) {
  TConfigLivro config;
  config.NumPuzzles = ANumPuzzles;
  config.N = N;
  config.Nivel = ANivel;
  config.Leis = TConjuntoLeis::DeCodigo(31);
  config.Caminho = true;
  config.Semente = 0x5EED2026;
  return config;
}

const bool registados = [] {
  for (std::int32_t n = 4; n <= 7; ++n)
    for (std::int32_t nivel = 1; nivel <= 5; ++nivel)
      benchmark::RegisterBenchmark(
          ("GerarLivro/10/" + std::to_string(n) + "x" + std::to_string(n) + "/nivel" + std::to_string(nivel)).c_str(),
          GerarLivro, Config(10, n, nivel))
          ->Unit(benchmark::kMillisecond)
          ->Iterations(1);
  benchmark::RegisterBenchmark("GerarLivro/padrao/50/5x5/progressiva", GerarLivro, Config(50, 5, 0))
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  return true;
}();

}  // namespace
}  // namespace cadrel
