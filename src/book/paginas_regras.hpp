#pragma once

#include <cstdint>
#include <vector>

#include "book/paginas.hpp"
#include "book/regras.hpp"
#include "core/tipos.hpp"
#include "core/traducao.hpp"
#include "drawing/canvas.hpp"

namespace cadrel {

// The title of the first rules page, and the section's bookmark.
inline constexpr const char* CTituloRegras = TrMarca("Regras");

// Draws the rules pages of one book. The plan is fixed by the laws present in
// the book and by whether it has level-5 puzzles; the book composer owns one
// and hands it each pgRegras entry of its plan.
class TPaginasRegras {
public:
  TPaginasRegras(TConjuntoLeis ALeis, bool ATemNivel5, const TGeometriaPagina& AGeometria = CGeometriaA4,
                 TIdioma AIdioma = idPt);

  TConjuntoLeis Leis() const { return FLeis; }
  bool TemNivel5() const { return FTemNivel5; }
  const std::vector<TElementoRegras>& Plano() const { return FPlano; }
  std::int32_t NumPaginas() const { return FPlano.back().Pagina + 1; }

  // The elements planned on rules page ADesc.Primeiro, each at its planned y,
  // then the footer with ADesc.Numero.
  void PaginaRegras(ICadrelCanvas& C, const TDescPagina& ADesc) const;

  // The section title and the how-to-play paragraphs.
  void DesenharComoSeJoga(ICadrelCanvas& C, double Y) const;
  // A law block, or the circles block when ACirculos; Y is moved past it.
  static void DesenharBlocoLei(ICadrelCanvas& C, const TBlocoLei& ABloco, bool ACirculos, double& Y,
                               const TGeometriaPagina& G);
  // The worked example: intro, puzzle, numbers to place, steps and solution.
  void DesenharExemplo(ICadrelCanvas& C, double Y) const;
  void DesenharConselhos(ICadrelCanvas& C, double Y) const;

private:
  TConjuntoLeis FLeis;
  bool FTemNivel5;
  TGeometriaPagina FGeometria;
  TIdioma FIdioma;
  std::vector<TElementoRegras> FPlano;
  std::vector<TBlocoLei> FBlocos;
};

}  // namespace cadrel
