#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include "book/destino_paginas.hpp"
#include "book/paginas.hpp"
#include "core/ficheiros.hpp"
#include "drawing/cairo_ptr.hpp"

namespace cadrel {

inline constexpr std::int32_t CDpiPdf = 300;
inline constexpr double CLarguraA4Pt = 595;
inline constexpr double CAlturaA4Pt = 842;

// A PDF book being written: A4 portrait pages, Title "QUORVEL", Author
// "Velmaro", the faces embedded, and the creation date of the fixed moment
// when the environment sets one. The pages go to a temporary file beside the
// target, which takes the target's place only when Gravar succeeds; a document
// dropped before that (an error while drawing) leaves the disk as it was.
// Failures to write raise ECadrel naming the file.
class TDocumentoPdf {
public:
  explicit TDocumentoPdf(std::string ACaminho);
  ~TDocumentoPdf();
  TDocumentoPdf(const TDocumentoPdf&) = delete;
  TDocumentoPdf& operator=(const TDocumentoPdf&) = delete;

  // Ends the page being drawn, if any, and starts a new one. The context is
  // the document's, in points from the top-left corner, valid until the next
  // call or Gravar.
  cairo_t* NovaPagina();
  // Ends the last page, writes the whole file and puts it at the target path.
  void Gravar();

private:
  static cairo_status_t Escrever(void* ADocumento, const unsigned char* ADados, unsigned int ATamanho);
  [[noreturn]] void Falhar(const std::string& ADetalhe);

  TFicheiroAtomico FFicheiro;
  TSuperficieCairo FSuperficie;
  TContextoCairo FPagina;
};

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
void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                    const TLayoutPuzzles& ALayout);
// The same with the default layout of the book's grid size.
void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo);

}  // namespace cadrel
