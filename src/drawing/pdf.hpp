#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "drawing/cairo_ptr.hpp"

namespace cadrel {

inline constexpr std::int32_t CDpiPdf = 300;
inline constexpr double CLarguraA4Pt = 595;
inline constexpr double CAlturaA4Pt = 842;

// A PDF book being written: pages of one size (A4 portrait unless told),
// Title "QUORVEL", Author
// "Velmaro", the faces embedded, and the creation date of the fixed moment
// when the environment sets one. cairo's bytes are kept in memory; the disk
// is touched only by Gravar, which writes them whole or not at all, so a
// document dropped before that (an error while drawing or while amending the
// bytes, a signal) leaves the disk as it was. Callers that want a target that
// cannot be written refused before the drawing try it with VerificarDestino.
// Failures to write raise ECadrel naming the file.
class TDocumentoPdf {
public:
  explicit TDocumentoPdf(std::string ACaminho, double ALarguraPt = CLarguraA4Pt, double AAlturaPt = CAlturaA4Pt);
  ~TDocumentoPdf();
  TDocumentoPdf(const TDocumentoPdf&) = delete;
  TDocumentoPdf& operator=(const TDocumentoPdf&) = delete;

  // Ends the page being drawn, if any, and starts a new one. The context is
  // the document's, in points from the top-left corner, valid until the next
  // call or Gravar.
  cairo_t* NovaPagina();
  // Ends the last page, writes the whole file as cairo made it and puts it at
  // the target path.
  void Gravar();
  // Ends the last page and hands over the file as cairo made it, for a step
  // that adds what cairo cannot write well; nothing more is drawn after this.
  std::string Fechar();
  // Writes APdf (what Fechar gave, amended) as the whole file and puts it at
  // the target path.
  void Gravar(std::string_view APdf);

  const std::string& Ficheiro() const { return FCaminho; }

private:
  static cairo_status_t Escrever(void* ADocumento, const unsigned char* ADados, unsigned int ATamanho);
  [[noreturn]] void Falhar(const std::string& ADetalhe);

  std::string FCaminho;
  std::string FBytes;
  bool FSemMemoria = false;
  bool FFechado = false;
  TSuperficieCairo FSuperficie;
  TContextoCairo FPagina;
};

}  // namespace cadrel
