#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "book/paginas.hpp"
#include "output/livro_pdf.hpp"
#include "generation/livro.hpp"
#include "livros_bench.hpp"

namespace cadrel {
namespace {

// The book the command line makes with no options (5x5, progressive, every
// law, hints), with the seed of GerarLivro/padrao, of 50 or 200 puzzles.
const TLivro& LivroPadrao(std::int32_t APuzzles) {
  static std::map<std::int32_t, TLivro> livros;
  auto [i, novo] = livros.try_emplace(APuzzles);
  if (novo) i->second = TGeradorLivro().Gerar(ConfigBench(APuzzles, 5, 0));
  return i->second;
}

// Composing every page and writing the file, with the file's size as a counter.
void GravarLivroPdfPadrao(benchmark::State& AEstado, std::int32_t APuzzles, TEdicao AEdicao) {
  const TLivro& livro = LivroPadrao(APuzzles);
  const TInfoLivro info = InfoPadrao();
  const std::string alvo =
      (std::filesystem::temp_directory_path() / ("quorvel_bench_" + std::to_string(::getpid()) + ".pdf")).string();
  for (auto _ : AEstado) GravarLivroPdf(alvo, livro, info, AEdicao);
  AEstado.counters["bytes"] = static_cast<double>(std::filesystem::file_size(alvo));
  std::filesystem::remove(alvo);
}

BENCHMARK_CAPTURE(GravarLivroPdfPadrao, a4, 50, TEdicao{})
    ->Name("GravarLivroPdf/padrao/50/5x5/progressiva")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GravarLivroPdfPadrao, a4_200, 200, TEdicao{})
    ->Name("GravarLivroPdf/padrao/200/5x5/progressiva")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GravarLivroPdfPadrao, a5_200, 200, (TEdicao{fmA5, true}))
    ->Name("GravarLivroPdf/A5-impressao/200/5x5/progressiva")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cadrel
