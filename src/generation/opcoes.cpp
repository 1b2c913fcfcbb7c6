#include "generation/opcoes.hpp"

#include <fmt/format.h>

namespace cadrel {

std::string NomeFicheiroPadrao(std::int32_t N, std::int32_t ANivel, std::int32_t ANumPuzzles) {
  const std::string etiqueta = ANivel == 0 ? "P" : fmt::format("N{}", ANivel);
  return fmt::format("Quorvel_{}x{}_{}_{}.pdf", N, N, etiqueta, ANumPuzzles);
}

}  // namespace cadrel
