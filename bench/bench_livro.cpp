#include <benchmark/benchmark.h>

#include <string>

#include "generation/livro.hpp"
#include "livros_bench.hpp"

namespace cadrel {
namespace {

// Wall time of a whole book on as many threads as the argument says, with its
// attempts, acceptance rate and rejections per criterion as counters.
void GerarLivro(benchmark::State& AEstado, TConfigLivro AConfig) {
  TLivro livro;
  const auto tarefas = static_cast<std::int32_t>(AEstado.range(0));
  for (auto _ : AEstado) livro = TGeradorLivro(tarefas).Gerar(AConfig);
  auto contar = [&AEstado](const char* nome, double valor) { AEstado.counters[nome] = valor; };
  contar("tentativas", livro.Tentativas);
  contar("aceitacao", static_cast<double>(livro.Puzzles.size() + livro.RejeicoesA6) / livro.Tentativas);
  const char* nomes[] = {"", "A1", "A2", "A3", "A4", "A5", "A7", "A8", "Nos"};
  for (int c = 1; c < CNumCriterios; ++c) contar(nomes[c], livro.Rejeicoes[c]);
  contar("A6", livro.RejeicoesA6);
}

void Registar(const std::string& ANome, const TConfigLivro& AConfig) {
  benchmark::RegisterBenchmark(("GerarLivro/" + ANome).c_str(), GerarLivro, AConfig)
      ->ArgName("tarefas")
      ->Arg(1)
      ->Arg(2)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->UseRealTime();
}

// --benchmark_filter=GerarLivro/grande times the largest book, the one the
// parallel generation is measured by.
const bool registados = [] {
  for (std::int32_t n = 4; n <= 7; ++n)
    for (std::int32_t nivel = 1; nivel <= 5; ++nivel)
      Registar("10/" + std::to_string(n) + "x" + std::to_string(n) + "/nivel" + std::to_string(nivel),
               ConfigBench(10, n, nivel));
  Registar("padrao/50/5x5/progressiva", ConfigBench(50, 5, 0));
  Registar("20/7x7/nivel5/0BADF00D", ConfigBench(20, 7, 5, 0x0BADF00D));
  Registar("grande/200/7x7/nivel5/0BADF00D", ConfigBench(200, 7, 5, 0x0BADF00D));
  return true;
}();

}  // namespace
}  // namespace cadrel
