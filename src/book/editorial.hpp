#pragma once

#include <string>

#include "book/geometria.hpp"
#include "core/idioma.hpp"
#include "drawing/canvas.hpp"

namespace cadrel {

// The collection's name, which every cover carries.
inline constexpr const char* CProduto = "QUORVEL";
inline constexpr const char* CRecursoSelo = "SELO_CC_BY_NC_ND";
// Height over width of the seal image (1280 × 450 pixels).
inline constexpr double CProporcaoSelo = 450.0 / 1280.0;

// The licence sentence when ALicenca is set, otherwise the rights line.
std::string TextoDireitos(bool ALicenca, TIdioma AIdioma = idPt);
// "Soluções" or "Puzzles".
std::string TextoSeparador(bool ASolucoes, TIdioma AIdioma = idPt);

// The licence seal with its top-left corner at (X, Y), ALargura wide and in
// its own proportions.
void DesenharSelo(ICadrelCanvas& C, double X, double Y, double ALargura);
// The back of the cover: title, rights line, licence sentence and seal.
void DesenharPaginaLicenca(ICadrelCanvas& C, const TGeometriaPagina& G, const std::string& ATitulo,
                           TIdioma AIdioma = idPt);
// The title page of the puzzles or, with ASolucoes, of the solutions.
void DesenharSeparador(ICadrelCanvas& C, const TGeometriaPagina& G, bool ASolucoes, TIdioma AIdioma = idPt);
// The emblem, centred on the paper: the digits 1 to 9 in brackets, corners
// circled, dashed diagonals.
void DesenharSimbolo(ICadrelCanvas& C, const TGeometriaPagina& G);

}  // namespace cadrel
