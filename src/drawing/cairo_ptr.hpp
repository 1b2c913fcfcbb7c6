#pragma once

#include <cairo.h>

#include <memory>

namespace cadrel {

// Owning handles for the cairo objects this library creates.
struct TLibertaCairo {
  void operator()(cairo_t* AContexto) const { cairo_destroy(AContexto); }
  void operator()(cairo_surface_t* ASuperficie) const { cairo_surface_destroy(ASuperficie); }
};

using TContextoCairo = std::unique_ptr<cairo_t, TLibertaCairo>;
using TSuperficieCairo = std::unique_ptr<cairo_surface_t, TLibertaCairo>;

}  // namespace cadrel
