#pragma once

#include <span>

#include "drawing/cairo_ptr.hpp"

namespace cadrel {

// Decodes a PNG held in memory. Invalid data raises ECadrel with cairo's own
// status text; a lack of memory, std::bad_alloc.
TSuperficieCairo DecodificarPng(std::span<const unsigned char> ADados);

// The image blended onto white: same size, no alpha channel left.
TSuperficieCairo SobreBranco(cairo_surface_t* AImagem);

}  // namespace cadrel
