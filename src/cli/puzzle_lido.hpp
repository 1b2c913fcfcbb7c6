#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/tipos.hpp"

namespace cadrel {

// A puzzle brought by the user, checked: a recipe the size supports, a box of
// N*N distinct numbers of 1 to 99 whose total gives whole K and S, givens in
// the box, each once, that break no law among themselves.
struct TPuzzleLido {
  std::int32_t N = 0;
  TReceita Receita;
  std::vector<std::int32_t> Conjunto;  // ascending
  std::vector<std::int32_t> Dados;     // N*N in cell order, 0 for empty
};

// The text format:
//   # a comment; blank lines are ignored
//   leis ORD+SIM            (ORD, TAB, SIM, SOM-D, SOM-Q joined by +, any order and case;
//                            or the names of --leis: Ordem+Simetria, "Somas" when the
//                            size and the other laws leave one sum law)
//   caixa 3 7 10 12 ...     (the N*N numbers, by blanks or commas)
//   .  .  23 31 39          (N rows of N cells: a number, or . for empty)
// Every refusal is ECadrel naming the line and what is wrong.
TPuzzleLido LerPuzzleTexto(std::string_view ATexto);

// Puzzle AK (1 to the number of puzzles) of a book written with --json;
// refusals name the JSON field.
TPuzzleLido LerPuzzleLivro(std::string_view AJson, std::int32_t AK);

}  // namespace cadrel
