#include "drawing/recursos.hpp"

#include <cstdint>

// Each file named at build time is copied verbatim into .rodata, followed by
// its length, so that the executable needs nothing from the disk at run time.
#define CADREL_EMBUTIR(simbolo, caminho)                 \
  asm(".pushsection .rodata\n"                          \
      ".balign 16\n"                                    \
      ".globl " #simbolo "_dados\n"                     \
      ".hidden " #simbolo "_dados\n"                    \
      #simbolo "_dados:\n"                              \
      ".incbin \"" caminho "\"\n"                       \
      #simbolo "_fim:\n"                                \
      ".balign 8\n"                                     \
      ".globl " #simbolo "_tamanho\n"                   \
      ".hidden " #simbolo "_tamanho\n"                  \
      #simbolo "_tamanho:\n"                            \
      ".quad " #simbolo "_fim - " #simbolo "_dados\n"   \
      ".popsection\n");                                 \
  extern "C" const unsigned char simbolo##_dados[];     \
  extern "C" const std::uint64_t simbolo##_tamanho

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
