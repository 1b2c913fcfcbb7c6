#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "book/destino_paginas.hpp"
#include "book/geometria.hpp"
#include "core/tipos.hpp"
#include "drawing/canvas.hpp"
#include "generation/livro.hpp"

namespace cadrel {

// Grey levels shared by the page drawers.
inline constexpr std::int32_t CCinzaSecundario = 128;  // secondary texts
inline constexpr std::int32_t CCinzaDado = 235;        // shading of given cells

enum TTipoPagina : std::uint8_t {
  pgCapa,
  pgRegras,       // Primeiro: the rules page index
  pgDiagramas,    // Primeiro: the diagrams page index
  pgPuzzles,      // Primeiro: the index of its first puzzle
  pgSolucoes,     // Primeiro: the index of its first solution
  pgFicha,
  pgBranco,       // filler that puts the next page on the right-hand side
  pgVerso,
  pgSeparador,    // Primeiro: 0 before the puzzles, 1 before the solutions
  pgSimbolo,      // Primeiro: 0 or 1, as the separator before it
  pgVazia,        // nothing at all: what makes a print edition's page count
};

struct TDescPagina {
  TTipoPagina Tipo = pgCapa;
  std::int32_t Primeiro = 0;
  std::int32_t Numero = 0;  // 0: no printed number and no footer
  friend bool operator==(const TDescPagina&, const TDescPagina&) = default;
};

// What the technical sheet prints that does not come from the generation.
struct TInfoLivro {
  std::string Data;
  std::string Versao;
};

struct TLayoutPuzzles {
  std::int32_t PorPagina = 0;  // 1 or 2
  double LadoMm = 0;           // side of a puzzle grid
};

TLayoutPuzzles LayoutPadrao(std::int32_t N);
// Today's local date (the fixed moment's UTC date when the environment sets
// one), as dd/mm/yyyy in Portuguese and yyyy-mm-dd in English, and the
// version "1.0".
TInfoLivro InfoPadrao(TIdioma AIdioma = idPt);
// The union of the recipes of the book's puzzles.
TConjuntoLeis LeisDoLivro(const TLivro& ALivro);
std::int32_t SolucoesPorPagina(std::int32_t N, bool ACaminho);
// "5 × 5".
std::string TextoTamanho(std::int32_t N);

// Greedy word wrap at single spaces. Consecutive spaces give empty words, so a
// double space inside a line survives; a word wider than ALarguraMax is never
// broken and stands alone on its line.
std::vector<std::string> QuebrarLinhas(ICadrelCanvas& C, const std::string& ATexto, double ALarguraMax,
                                       double ATamanhoPt, bool ANegrito);
// The distance between the tops of two lines of a paragraph, in mm.
double PassoDeLinha(double ATamanhoPt);
// Draws the wrapped text, regular and black, and returns the y just below its
// last line (Y for an empty text).
double DesenharParagrafo(ICadrelCanvas& C, double X, double Y, double ALargura, const std::string& ATexto,
                         double ATamanhoPt);
// The running footer; page number 0 draws nothing.
void DesenharRodape(ICadrelCanvas& C, const TGeometriaPagina& G, std::int32_t ANumero);

}  // namespace cadrel
