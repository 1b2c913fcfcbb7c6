#pragma once

#include <cstdint>

#include "core/edicao.hpp"
#include "drawing/canvas_transformado.hpp"

namespace cadrel {

// Every page is laid out in the same terms, those of the A4 page the book was
// first drawn for: millimetres from the top-left corner, the left margin at
// x = 18 and the first line at y = 18, texts at sizes that print as given on
// A4. What a trim changes is told by its page geometry: how wide the frame
// is, how far down the page goes, where the footer sits.
inline constexpr double CMargemEsquerda = 18;
inline constexpr double CTopoPagina = 18;

struct TGeometriaPagina {
  double Largura = 174;            // from CMargemEsquerda to the right margin
  double YRodape = 283;            // the running footer's line
  double LimiteConteudo = 272.03;  // what flows down a page ends above this
  double CentroY = 148.5;          // the paper's middle
  double AlturaPapel = 297;        // the paper's lower edge

  constexpr double Direita() const { return CMargemEsquerda + Largura; }
  constexpr double CentroX() const { return CMargemEsquerda + Largura / 2; }
  // A height of the A4 page taken to the same place of this one: what sits
  // between the top line and the footer keeps its share of that room.
  constexpr double Proporcional(double AYA4) const {
    return CTopoPagina + (AYA4 - CTopoPagina) * ((YRodape - CTopoPagina) / (283 - CTopoPagina));
  }
};

inline constexpr TGeometriaPagina CGeometriaA4{};

// How a book's pages meet its trim: the geometry they are laid out in, and
// where each page lands on the paper. Odd pages (right-hand ones, the cover
// first) keep the inside margin on the left, even pages on the right; on
// paper every margin is at least a quarter of an inch and the inside one at
// least the gutter the book's thickness needs.
struct TMaquetaLivro {
  TGeometriaPagina Geometria;
  TTransformacao Impar;  // pages 1, 3, 5...
  TTransformacao Par;

  // APagina counts from 0, as the page plan does.
  const TTransformacao& Transformacao(std::int32_t APagina) const { return APagina % 2 == 0 ? Impar : Par; }
};

// The layout of AFormato for a book that needs a gutter of AMedianizMm. A4 is
// the page of old, for any gutter a book of ours can need.
TMaquetaLivro MaquetaDoFormato(TFormato AFormato, double AMedianizMm);

}  // namespace cadrel
