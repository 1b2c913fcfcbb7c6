#pragma once

#include <string>
#include <vector>

#include "drawing/canvas.hpp"

namespace cadrel {

// The largest size from AMaximo down in steps of APasso whose bold width fits
// ALargura, but never below AMinimo.
double TamanhoQueCabe(ICadrelCanvas& C, const std::string& ATexto, double ALargura, double AMaximo, double APasso,
                      double AMinimo);

// A title set in bold to a width: one line at the size TamanhoQueCabe finds or,
// when even AMinimo leaves it too wide, as many lines as it needs at AMinimo.
struct TTituloComposto {
  double Tamanho = 0;
  std::vector<std::string> Linhas;
};
TTituloComposto ComporTitulo(ICadrelCanvas& C, const std::string& ATitulo, double ALargura, double AMaximo,
                             double APasso, double AMinimo);

}  // namespace cadrel
