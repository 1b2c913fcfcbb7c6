#pragma once

#include "cover/geometria_capa.hpp"
#include "drawing/canvas.hpp"
#include "generation/livro.hpp"

namespace cadrel {

// The whole cover of ALivro on one page of AG's size: the ground to the edges
// of the bleed, then the back, the spine and the front.
void DesenharCapa(ICadrelCanvas& C, const TGeometriaCapa& AG, const TLivro& ALivro);

}  // namespace cadrel
