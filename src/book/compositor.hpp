#pragma once

#include <cstdint>
#include <vector>

#include "book/destino_paginas.hpp"
#include "book/geometria.hpp"
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
  // The A4 digital book, with the default layout of the book's grid size.
  TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo);
  // The A4 digital book with puzzles laid out as ALayout says.
  TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TLayoutPuzzles& ALayout);
  // The book at the trim of AEdicao, laid out for it with the gutter its final
  // page count needs; a print edition gets blank pages at the end up to an
  // even count of at least CMinPaginasImpressao.
  TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TEdicao& AEdicao);

  std::int32_t NumPaginas() const { return static_cast<std::int32_t>(FPaginas.size()); }
  const std::vector<TDescPagina>& Paginas() const { return FPaginas; }
  TConjuntoLeis LeisPresentes() const { return FLeis; }
  const TEdicao& Edicao() const { return FEdicao; }
  const TMaquetaLivro& Maqueta() const { return FMaqueta; }
  // The inside margin the book's page count asks for, in millimetres.
  double Medianiz() const { return MedianizMm(NumPaginas()); }
  // The blank pages a print edition ends with.
  std::int32_t PaginasVazias() const;

  // One fresh page of ADestino per plan entry. Returns the bookmarks and
  // links of the digital book, from where the pages were drawn, in
  // millimetres of the paper.
  TPlanoNavegacao Compor(IDestinoPaginas& ADestino) const;

private:
  TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TEdicao& AEdicao,
                   const TMaquetaLivro& AMaqueta);
  TCompositorLivro(const TLivro& ALivro, const TInfoLivro& AInfo, const TEdicao& AEdicao,
                   const TMaquetaLivro& AMaqueta, const TLayoutPuzzles& ALayout);
  void PaginaCapa(ICadrelCanvas& C) const;
  void PaginaFicha(ICadrelCanvas& C, const TDescPagina& ADesc) const;
  void PaginaDiagramas(ICadrelCanvas& C, const TDescPagina& ADesc) const;
  const TGeometriaPagina& Geometria() const { return FMaqueta.Geometria; }
  TIdioma Idioma() const { return FPuzzles.Livro().Config.Idioma; }

  TEdicao FEdicao;
  TMaquetaLivro FMaqueta;
  TPaginasPuzzles FPuzzles;  // holds the composer's copies of the book, the info and the layout
  TConjuntoLeis FLeis;
  bool FTemNivel5;
  TPaginasRegras FRegras;
  std::vector<TDescPagina> FPaginas;
};

}  // namespace cadrel
