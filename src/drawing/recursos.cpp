#include "drawing/recursos.hpp"

#include <cstdint>

#include "core/embutir.hpp"

// Each file named at build time is compiled in (core/embutir.hpp).
CADREL_EMBUTIR(cadrel_recurso_selo, CADREL_RECURSO_SELO);
CADREL_EMBUTIR(cadrel_recurso_roboto_regular, CADREL_RECURSO_ROBOTO_REGULAR);
CADREL_EMBUTIR(cadrel_recurso_roboto_negrito, CADREL_RECURSO_ROBOTO_NEGRITO);

namespace cadrel {

std::optional<std::span<const unsigned char>> Recurso(std::string_view ANome) {
  struct TEntrada {
    std::string_view Nome;
    const unsigned char* Dados;
    const std::uint64_t& Tamanho;
  };
  static const TEntrada entradas[] = {
      {"SELO_CC_BY_NC_ND", cadrel_recurso_selo_dados, cadrel_recurso_selo_tamanho},
      {"ROBOTO_REGULAR", cadrel_recurso_roboto_regular_dados, cadrel_recurso_roboto_regular_tamanho},
      {"ROBOTO_NEGRITO", cadrel_recurso_roboto_negrito_dados, cadrel_recurso_roboto_negrito_tamanho},
  };
  for (const TEntrada& e : entradas)
    if (e.Nome == ANome) return std::span<const unsigned char>(e.Dados, e.Tamanho);
  return std::nullopt;
}

}  // namespace cadrel
