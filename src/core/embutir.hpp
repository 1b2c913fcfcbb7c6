#pragma once

#include <cstdint>

// Copies the file at caminho (a string literal) verbatim into .rodata at
// build time, followed by its length, so that the executable needs nothing
// from the disk at run time: simbolo_dados[simbolo_tamanho].
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
