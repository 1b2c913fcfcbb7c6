#pragma once

#include <cstdint>
#include <vector>

#include "book/destino_paginas.hpp"
#include "book/navegacao.hpp"
#include "book/paginas.hpp"
#include "book/paginas_puzzles.hpp"
#include "book/paginas_regras.hpp"
#include "generation/livro.hpp"

namespace cadrel {

// Turns a generated book into its printed pages: the page plan is fixed at
// construction, then Compor draws every page of it, in order.
class TCompositorLivro {
public:
  // With the default layout of the book's grid size.
  TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo);
  TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TLayoutPuzzles& ALayout);

  std::int32_t NumPaginas() const { return static_cast<std::int32_t>(FPaginas.size()); }
  const std::vector<TDescPagina>& Paginas() const { return FPaginas; }
  TConjuntoLeis LeisPresentes() const { return FLeis; }

  // One fresh page of ADestino per plan entry. Returns the bookmarks and
  // links of the digital book, from where the pages were drawn.
  TPlanoNavegacao Compor(IDestinoPaginas& ADestino) const;

private:
  void AdicionarPagina(TTipoPagina ATipo, std::int32_t APrimeiro);
  // A filler page when the next one would otherwise be a left-hand page.
  void AlinharPagina();
  void ConstruirPlano();
  void PaginaCapa(ICadrelCanvas& C) const;
  void PaginaFicha(ICadrelCanvas& C, const TDescPagina& ADesc) const;
  void PaginaDiagramas(ICadrelCanvas& C, const TDescPagina& ADesc) const;

  TPaginasPuzzles FPuzzles;  // holds the composer's copies of the book, the info and the layout
  TConjuntoLeis FLeis;
  bool FTemNivel5;
  TPaginasRegras FRegras;
  std::vector<TDescPagina> FPaginas;
};

}  // namespace cadrel
