#pragma once

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

inline TReceita Receita(int ACodigo) { return ReceitaDeLeis(TConjuntoLeis::DeCodigo(ACodigo)); }

}  // namespace cadrel
