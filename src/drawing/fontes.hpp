#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string>

namespace cadrel {

// Vertical metrics of the regular face from its OS/2 table, in font units:
// the Windows character cell that positions and measures every text line.
struct TMetricasFace {
  std::int32_t UnidadesPorEm = 0;
  std::int32_t WinAscent = 0;
  std::int32_t WinDescent = 0;
};

// The embedded Roboto faces as cairo faces. They live as long as the process,
// so a PDF that subsets them when it is finished always finds them.
cairo_font_face_t* FaceRoboto(bool ANegrito);
const TMetricasFace& MetricasRoboto();

// Font options for drawing and measuring alike: no hinting, unrounded
// metrics, so the width measured is the width printed.
const cairo_font_options_t* OpcoesFonte();

// The first code point of a UTF-8 text that a face has no glyph for: it
// would print as an empty box. Malformed UTF-8 raises ECadrel.
std::optional<char32_t> CaracterSemGlifo(const std::string& AUtf8);

}  // namespace cadrel
