#pragma once

#include <cstdint>
#include <string>

#include "core/tipos.hpp"

namespace cadrel {

// The message of the ECadrel the action raises, or "(nenhum erro)".
template <class F>
std::string Mensagem(F&& AAccao) {
  try {
    AAccao();
  } catch (const ECadrel& e) {
    return e.what();
  }
  return "(nenhum erro)";
}

// The configuration of a book with hints: APuzzles puzzles of N x N at level
// ANivel (0 for the progressive mix) under ALeis, from the seed ASemente.
inline TConfigLivro ConfigLivro(std::int32_t APuzzles, std::int32_t N, std::int32_t ANivel, std::uint32_t ASemente,
                                TConjuntoLeis ALeis = CTodasLeis) {
  TConfigLivro config;
  config.NumPuzzles = APuzzles;
  config.N = N;
  config.Nivel = ANivel;
  config.Leis = ALeis;
  config.Caminho = true;
  config.Semente = ASemente;
  return config;
}

inline TReceita Receita(int ACodigo) { return ReceitaDeLeis(TConjuntoLeis::DeCodigo(ACodigo)); }

}  // namespace cadrel
