#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "core/idioma.hpp"

namespace cadrel {

// The counter's node budget when the user sets none: twenty-five times the
// generator's, enough for any puzzle a person would bring.
inline constexpr std::int32_t CNosResolverPadrao = 5'000'000;

// quorvel-cli resolver FICHEIRO [--puzzle K] [--json] [--nos N]
struct TOpcoesResolver {
  std::string Ficheiro;               // "-" is standard input
  std::optional<std::int32_t> Puzzle; // a book written with --json, and its puzzle
  bool Json = false;                  // one JSON object instead of the text for a person
  std::int32_t MaxNos = CNosResolverPadrao;
  TIdioma Idioma = idPt;              // of the step texts
};

// Solves the puzzle by deduction with the book's techniques and counts its
// solutions; writes the answer to ASaida and refusals to AErro. Exit codes:
// 0 exactly one solution; 1 none, more than one or undecided within the
// budget; 2 bad input.
int ExecutarResolver(const TOpcoesResolver& AOpcoes, std::FILE* ASaida, std::FILE* AErro);

}  // namespace cadrel
