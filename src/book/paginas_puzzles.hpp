#pragma once

#include <cstdint>
#include <vector>

#include "book/navegacao.hpp"
#include "book/paginas.hpp"
#include "drawing/canvas.hpp"
#include "generation/livro.hpp"

namespace cadrel {

// Draws the puzzles pages and the solutions pages of one book from its own
// copy of the book. The book composer owns one and hands it each pgPuzzles and
// pgSolucoes entry of its plan.
class TPaginasPuzzles {
public:
  TPaginasPuzzles(TLivro ALivro, TInfoLivro AInfo, TLayoutPuzzles ALayout);

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
};

}  // namespace cadrel
