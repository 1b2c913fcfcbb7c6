#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "book/paginas_puzzles.hpp"
#include "drawing/canvas_svg.hpp"

namespace cadrel {

// A number of the box and where it is printed, for a page to mark it once placed.
struct TNumeroCaixa {
  std::int32_t Numero = 0;
  TLimitesMm Onde;
};

// One puzzle as the book draws it, heading, laws, grid and box, in SVG, with
// what a page needs to lay its own controls over the picture. Places are in
// millimetres of the drawing, Janela being the part of it the SVG shows.
struct TPuzzleSvg {
  std::string Svg;
  TLimitesMm Janela;
  TLimitesMm Grelha;
  std::vector<TNumeroCaixa> Caixa;  // in the box's order
  double DigitosMm = 0;             // the em of the grid's digits
  std::set<char32_t> Caracteres;    // those of its texts
};

// How a screen lays out a puzzle of side N: the book's grid, grown where its
// cells would be smaller than those of a 5 × 5 one, in a frame no wider than
// the grid and its box beside it, so that a phone shows the grid large enough
// to touch.
TLayoutPuzzles LayoutEcra(std::int32_t N);
TGeometriaPagina GeometriaEcra(std::int32_t N);

// Puzzle AIndice (0-based) of APaginas, drawn by its own DesenharPuzzle.
TPuzzleSvg DesenharPuzzleSvg(const TPaginasPuzzles& APaginas, std::int32_t AIndice);

}  // namespace cadrel
