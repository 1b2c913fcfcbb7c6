#include "book/geometria.hpp"

#include <algorithm>

namespace cadrel {

namespace {

constexpr double CMargemMinimaMm = 0.25 * 25.4;
constexpr double CLarguraMaxima = 174;  // a frame never grows wider than A4's
// Figures may reach a hair past the frame (an arrow beside a grid): the
// gutter keeps that much more.
constexpr double CFolgaMedianiz = 1;
constexpr double CAlturaRodape = 4;     // the footer line, below YRodape
constexpr double CFolgaRodape = 10.97;  // between the content and the footer

// How a trim is used: the scale of its pages (texts of 9 pt print at 7.2 pt on
// the small trims, still above 7) and its margins on paper.
struct TUsoFormato {
  double Escala;
  double Topo;      // from the top edge to the first line
  double Fundo;     // from the footer's lower edge to the bottom edge
  double Exterior;  // the least outside margin
};

constexpr TUsoFormato Uso(TFormato AFormato) {
  switch (AFormato) {
    case fmA4:
    case fmCarta: return {1, 18, 10.6, 18};
    case fmA5:
    case fm6x9: return {0.8, 8, 8, 8};
  }
  return {1, 18, 10.6, 18};
}

}  // namespace

TMaquetaLivro MaquetaDoFormato(TFormato AFormato, double AMedianizMm) {
  const TDadosFormato& papel = DadosFormato(AFormato);
  const TUsoFormato uso = Uso(AFormato);
  const double medianiz = AMedianizMm + CFolgaMedianiz;
  const double interiorMinimo = std::max({medianiz, uso.Exterior, CMargemMinimaMm});
  const double largura =
      std::min(CLarguraMaxima, (papel.LarguraMm - uso.Exterior - interiorMinimo) / uso.Escala);
  // Room the frame leaves over is shared, but the inside keeps its gutter.
  const double livre = papel.LarguraMm - uso.Escala * largura;
  const double interior = std::max(medianiz, livre / 2);
  const double exterior = livre - interior;
  const double dy = uso.Topo - uso.Escala * CTopoPagina;
  const auto transformacao = [&](double AEsquerda) {
    return TTransformacao{uso.Escala, AEsquerda - uso.Escala * CMargemEsquerda, dy};
  };

  TMaquetaLivro maqueta{CGeometriaA4, transformacao(interior), transformacao(exterior)};
  // A4 keeps the page every book had: its margins hold any gutter ours need.
  if (AFormato == fmA4 && interior <= CMargemEsquerda) {
    maqueta.Impar = maqueta.Par = TTransformacao{};
    return maqueta;
  }
  TGeometriaPagina& g = maqueta.Geometria;
  g.Largura = largura;
  g.YRodape = (papel.AlturaMm - uso.Fundo - dy) / uso.Escala - CAlturaRodape;
  g.LimiteConteudo = g.YRodape - CFolgaRodape;
  g.CentroY = (papel.AlturaMm / 2 - dy) / uso.Escala;
  g.AlturaPapel = (papel.AlturaMm - dy) / uso.Escala;
  return maqueta;
}

}  // namespace cadrel
