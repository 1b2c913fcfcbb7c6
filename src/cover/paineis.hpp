#pragma once

#include <algorithm>
#include <cstdint>

#include "cover/geometria_capa.hpp"
#include "drawing/canvas.hpp"
#include "generation/livro.hpp"

namespace cadrel {

// The cover's greys: a dark ground under all of it, light text on the ground,
// and white cards under what is drawn in black as on the pages.
inline constexpr std::int32_t CCinzaFundoCapa = 38;
inline constexpr std::int32_t CCinzaTextoCapa = 255;
inline constexpr std::int32_t CCinzaRotuloCapa = 190;  // what a text only names
inline constexpr std::int32_t CCinzaCartao = 255;

// How much larger than on a 6 × 9 in book a panel's texts are set, from the
// width of its area for text: they grow with the trim, by a quarter at most,
// and never shrink below their sizes there.
inline double EscalaTexto(const TRectanguloMm& AArea) { return std::clamp(AArea.Largura / (5.25 * 25.4), 1.0, 1.25); }

// Each panel draws on the ground already laid, within its own part of AG.
void DesenharFrente(ICadrelCanvas& C, const TGeometriaCapa& AG, const TLivro& ALivro);
void DesenharLombada(ICadrelCanvas& C, const TGeometriaCapa& AG, const TLivro& ALivro);
void DesenharContracapa(ICadrelCanvas& C, const TGeometriaCapa& AG, const TLivro& ALivro);

}  // namespace cadrel
