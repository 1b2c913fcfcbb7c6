#pragma once

#include <set>
#include <string>

namespace cadrel {

// The embedded Roboto face (bold when ANegrito) cut down to the glyphs of
// ACaracteres, as a TrueType file for a page to carry in its own bytes. It
// keeps what a browser needs to draw the page as cairo draws the book:
// outlines and advances; kerning and ligatures go, since cairo's text has
// neither, and so does the hinting, which the faces' outlines never used.
std::string SubconjuntoRoboto(bool ANegrito, const std::set<char32_t>& ACaracteres);

}  // namespace cadrel
