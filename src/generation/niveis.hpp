#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/tipos.hpp"

namespace cadrel {

struct TParametrosNivel {
  // Givens shown, as a percentage of the minimum the greedy removal leaves.
  std::int32_t PercentagemDados;
  TTecnica TecnicaMax;
};

TParametrosNivel ParametrosNivel(TNivel ANivel);
// The level's main recipe first, then its alternative.
std::vector<TReceita> ReceitasNivel(TNivel ANivel, std::int32_t N);
bool LeisContidas(TReceita AReceita, TConjuntoLeis APermitidas);
std::vector<TReceita> ReceitasPermitidas(TNivel ANivel, std::int32_t N, TConjuntoLeis APermitidas);
bool NivelDisponivel(TNivel ANivel, std::int32_t N, TConjuntoLeis APermitidas);
bool TodosNiveisDisponiveis(std::int32_t N, TConjuntoLeis APermitidas);
std::int32_t DadosAlvo(TNivel ANivel, std::int32_t AMinimo, std::int32_t N);
// The levels a solved puzzle would be accepted at, as far as its recipe,
// techniques and score go: the recipe is one of the level's for N, the
// highest technique used is within the level's, and the score per cell lies
// in the level's calibrated band for N and the recipe.
std::vector<TNivel> NiveisCompativeis(std::int32_t N, TReceita AReceita, TTecnica ATecnicaMax,
                                      double APontuacaoPorCelula);
// Puzzles at levels 1..5 of a progressive book.
std::array<std::int32_t, 5> DistribuicaoProgressiva(std::int32_t ANumPuzzles);

}  // namespace cadrel
