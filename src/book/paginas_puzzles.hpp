#pragma once

#include <cstdint>
#include <vector>

#include "book/navegacao.hpp"
#include "book/paginas.hpp"
#include "drawing/canvas.hpp"
#include "generation/livro.hpp"

namespace cadrel {

// How puzzles of side N sit on the pages of AMaqueta: two a page with the
// default grid (LayoutPadrao, which is what A4 gets), the grid grown where the
// trim would print its cells smaller than a finger can write in, and one a
// page where two no longer fit.
TLayoutPuzzles LayoutDoFormato(std::int32_t N, const TMaquetaLivro& AMaqueta);
// How many solutions a solutions page of the book holds: SolucoesPorPagina,
// unless the page is too short for two rows of them.
std::int32_t SolucoesNaPagina(const TLivro& ALivro, const TGeometriaPagina& G);

// Draws the puzzles pages and the solutions pages of one book from its own
// copy of the book, in the page geometry of its trim. The book composer owns
// one and hands it each pgPuzzles and pgSolucoes entry of its plan.
class TPaginasPuzzles {
public:
  TPaginasPuzzles(TLivro ALivro, TInfoLivro AInfo, TLayoutPuzzles ALayout,
                  const TGeometriaPagina& AGeometria = CGeometriaA4);

  const TLivro& Livro() const { return FLivro; }
  const TInfoLivro& Info() const { return FInfo; }
  const TLayoutPuzzles& Layout() const { return FLayout; }

  // Up to PorPagina puzzles from ADesc.Primeiro, then the footer. Returns
  // where each puzzle's number was printed, in order, for the links of the PDF.
  std::vector<TRectanguloMm> PaginaPuzzles(ICadrelCanvas& C, const TDescPagina& ADesc) const;
  // Puzzle AIndice (0-based) with its block's top at Y; returns the box of its number.
  TRectanguloMm DesenharPuzzle(ICadrelCanvas& C, std::int32_t AIndice, double Y) const;
  // The heading, up to SolucoesPorPagina solutions from ADesc.Primeiro, then
  // the footer. Returns the box of each solution's title, in order.
  std::vector<TRectanguloMm> PaginaSolucoes(ICadrelCanvas& C, const TDescPagina& ADesc) const;
  // Solution AIndice (0-based) in the slot whose top-left corner is (X, Y) and
  // whose width is ALargura; with hints when the book was made with them.
  // Returns the box of its title ("Puzzle 001").
  TRectanguloMm DesenharSolucao(ICadrelCanvas& C, std::int32_t AIndice, double X, double Y, double ALargura) const;

private:
  TLivro FLivro;
  TInfoLivro FInfo;
  TLayoutPuzzles FLayout;
  TGeometriaPagina FGeometria;
  std::int32_t FSolucoesNaPagina;
};

}  // namespace cadrel
