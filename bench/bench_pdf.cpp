#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "book/paginas.hpp"
#include "output/livro_pdf.hpp"
#include "generation/livro.hpp"

namespace cadrel {
namespace {

// The book the command line makes with no options (50 puzzles of 5x5,
// progressive, every law, hints), with the seed of GerarLivro/padrao.
const TLivro& LivroPadrao() {
  static const TLivro livro = [] {
    TConfigLivro config;
    config.NumPuzzles = 50;
    config.N = 5;
    config.Nivel = 0;
    config.Leis = CTodasLeis;
    config.Caminho = true;
    config.Semente = 0x5EED2026;
    return TGeradorLivro().Gerar(config);
  }();
  return livro;
}

// Composing every page and writing the file, with the file's size as a counter.
void GravarLivroPdfPadrao(benchmark::State& AEstado) {
  const TLivro& livro = LivroPadrao();
  const TInfoLivro info = InfoPadrao();
  const std::string alvo =
      (std::filesystem::temp_directory_path() / ("quorvel_bench_" + std::to_string(::getpid()) + ".pdf")).string();
  for (auto _ : AEstado) GravarLivroPdf(alvo, livro, info);
  AEstado.counters["bytes"] = static_cast<double>(std::filesystem::file_size(alvo));
  std::filesystem::remove(alvo);
}

BENCHMARK(GravarLivroPdfPadrao)->Name("GravarLivroPdf/padrao/50/5x5/progressiva")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cadrel
