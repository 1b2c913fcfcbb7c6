#include "drawing/pdf.hpp"

#include <cairo-pdf.h>

#include <ctime>
#include <new>
#include <optional>
#include <utility>

#include <fmt/format.h>

#include "core/ficheiros.hpp"
#include "core/traducao.hpp"
#include "core/momento.hpp"
#include "core/tipos.hpp"

namespace cadrel {

namespace {

// ISO 8601 in UTC, the form cairo writes as the creation date.
std::string DataIso(std::time_t AMomento) {
  std::tm utc{};
  gmtime_r(&AMomento, &utc);
  return fmt::format("{:04}-{:02}-{:02}T{:02}:{:02}:{:02}Z", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                     utc.tm_hour, utc.tm_min, utc.tm_sec);
}

}  // namespace

TDocumentoPdf::TDocumentoPdf(std::string ACaminho, double ALarguraPt, double AAlturaPt)
    : FCaminho(std::move(ACaminho)) {
  FSuperficie.reset(cairo_pdf_surface_create_for_stream(Escrever, this, ALarguraPt, AAlturaPt));
  cairo_pdf_surface_set_metadata(FSuperficie.get(), CAIRO_PDF_METADATA_TITLE, "QUORVEL");
  cairo_pdf_surface_set_metadata(FSuperficie.get(), CAIRO_PDF_METADATA_AUTHOR, "Velmaro");
  if (const std::optional<std::time_t> momento = MomentoFixado())
    cairo_pdf_surface_set_metadata(FSuperficie.get(), CAIRO_PDF_METADATA_CREATE_DATE, DataIso(*momento).c_str());
}

TDocumentoPdf::~TDocumentoPdf() {
  FPagina.reset();
  FSuperficie.reset();
}

void TDocumentoPdf::Falhar(const std::string& ADetalhe) {
  FPagina.reset();
  FSuperficie.reset();
  throw ECadrel(FormatarP("Não foi possível gravar o ficheiro {}: {}.", FCaminho, ADetalhe));
}

// Called from C: an exception must not cross it, so running out of memory is
// noted and raised once cairo has returned.
cairo_status_t TDocumentoPdf::Escrever(void* ADocumento, const unsigned char* ADados, unsigned int ATamanho) {
  auto& doc = *static_cast<TDocumentoPdf*>(ADocumento);
  try {
    doc.FBytes.append(reinterpret_cast<const char*>(ADados), ATamanho);
  } catch (const std::bad_alloc&) {
    doc.FSemMemoria = true;
    return CAIRO_STATUS_WRITE_ERROR;
  }
  return CAIRO_STATUS_SUCCESS;
}

cairo_t* TDocumentoPdf::NovaPagina() {
  if (!FSuperficie) throw ECadrel("TDocumentoPdf.NovaPagina: o documento ja foi fechado");
  if (FPagina) cairo_show_page(FPagina.get());
  FPagina.reset(cairo_create(FSuperficie.get()));
  return FPagina.get();
}

std::string TDocumentoPdf::Fechar() {
  if (!FSuperficie) throw ECadrel("TDocumentoPdf.Fechar: o documento ja foi fechado");
  // Shown explicitly: on finishing, cairo would drop a last page left blank.
  if (FPagina) cairo_show_page(FPagina.get());
  FPagina.reset();
  cairo_surface_finish(FSuperficie.get());
  const cairo_status_t estado = cairo_surface_status(FSuperficie.get());
  FSuperficie.reset();
  FFechado = true;
  if (estado == CAIRO_STATUS_NO_MEMORY || FSemMemoria) throw std::bad_alloc();
  if (estado != CAIRO_STATUS_SUCCESS) Falhar(cairo_status_to_string(estado));
  return std::move(FBytes);
}

void TDocumentoPdf::Gravar(std::string_view APdf) {
  if (!FFechado) throw ECadrel("TDocumentoPdf.Gravar: o documento ainda nao foi fechado");
  GravarFicheiroAtomico(FCaminho, APdf);
}

void TDocumentoPdf::Gravar() { Gravar(Fechar()); }

}  // namespace cadrel
