#pragma once

#include <cstdint>

#include "core/tipos.hpp"
#include "drawing/canvas.hpp"

namespace cadrel {

// A pictogram fills a 14 × 14 mm box with its top-left corner at (X, Y).
inline constexpr double CLadoPictograma = 14;

void DesenharPictograma(ICadrelCanvas& C, TLei ALei, double X, double Y);
// An empty circle in the pictogram's box: a law is there, but not which.
void DesenharLeiOculta(ICadrelCanvas& C, double X, double Y);
// Five stars whose row has its top-right corner at (X, Y); the first ANivel
// are filled.
void DesenharEstrelas(ICadrelCanvas& C, double X, double Y, std::int32_t ANivel);

}  // namespace cadrel
