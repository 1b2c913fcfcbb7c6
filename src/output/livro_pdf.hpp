#pragma once

#include <memory>
#include <string>

#include "book/destino_paginas.hpp"
#include "book/paginas.hpp"
#include "drawing/pdf.hpp"

namespace cadrel {

// The page destination of a book: one A4 page of the document per request,
// drawn through a canvas at 300 device units per inch.
class TDestinoPdf final : public IDestinoPaginas {
public:
  // The document is borrowed and must outlive the destination.
  explicit TDestinoPdf(TDocumentoPdf& APdf) : FPdf(APdf) {}
  std::shared_ptr<ICadrelCanvas> NovaPagina() override;

private:
  TDocumentoPdf& FPdf;
};

// Writes the whole book as a PDF at ACaminho: the file appears only once every
// page is drawn and written; any failure leaves the disk as it was and raises.
// The file carries bookmarks to every section, puzzle and solution, and each
// puzzle's number links to its solution and back; without ANavegacao the file
// is left as cairo drew it, which prints the same.
void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                    const TLayoutPuzzles& ALayout, bool ANavegacao = true);
// The same with the default layout of the book's grid size.
void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo);

}  // namespace cadrel
