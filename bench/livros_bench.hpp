#pragma once

#include <cstdint>

#include "core/tipos.hpp"

namespace cadrel {

// A book the benchmarks make: ANumPuzzles puzzles of N x N at level ANivel (0
// for the progressive mix), every law, with hints, by default from the seed of
// GerarLivro/padrao, so that the PDF's benchmarks write that very book.
inline TConfigLivro ConfigBench(std::int32_t ANumPuzzles, std::int32_t N, std::int32_t ANivel,
                                std::uint32_t ASemente = 0x5EED2026) {
  TConfigLivro config;
  config.NumPuzzles = ANumPuzzles;
  config.N = N;
  config.Nivel = ANivel;
  config.Leis = CTodasLeis;
  config.Caminho = true;
  config.Semente = ASemente;
  return config;
}

}  // namespace cadrel
