#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "book/compositor.hpp"
#include "book/destino_paginas.hpp"
#include "book/paginas.hpp"
#include "core/edicao.hpp"
#include "drawing/pdf.hpp"

namespace cadrel {

// The page destination of a book: one page of the document per request,
// drawn through a canvas at 300 device units per inch.
class TDestinoPdf final : public IDestinoPaginas {
public:
  // The document is borrowed and must outlive the destination.
  explicit TDestinoPdf(TDocumentoPdf& APdf) : FPdf(APdf) {}
  std::shared_ptr<ICadrelCanvas> NovaPagina() override;

private:
  TDocumentoPdf& FPdf;
};

// What a written book came to.
struct TResumoLivroPdf {
  std::int32_t Paginas = 0;
  std::int32_t PaginasVazias = 0;  // added at the end of a print edition
  double MedianizMm = 0;           // the inside margin the page count asks for
};

// Writes the whole book as a PDF at ACaminho: the file appears only once every
// page is drawn and written; any failure leaves the disk as it was and raises.
// The pages have the trim of AEdicao. The digital edition carries bookmarks to
// every section, puzzle and solution, and each puzzle's number links to its
// solution and back; a print edition carries neither, nor any annotation.
TResumoLivroPdf GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                               const TEdicao& AEdicao = {});
// The A4 book with puzzles laid out as ALayout says; without ANavegacao the
// file is left as cairo drew it, which prints the same.
void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                    const TLayoutPuzzles& ALayout, bool ANavegacao = true);

}  // namespace cadrel
