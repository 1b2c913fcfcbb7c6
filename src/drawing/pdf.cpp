#include "drawing/pdf.hpp"

#include <cairo-pdf.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fmt/format.h>

#include "book/compositor.hpp"
#include "core/ficheiros.hpp"
#include "core/tipos.hpp"
#include "drawing/canvas_cairo.hpp"

namespace cadrel {

TDocumentoPdf::TDocumentoPdf(std::string ACaminho) : FCaminho(std::move(ACaminho)) {
  // Beside the target, so that the final rename never crosses file systems.
  for (int n = 0; FDescritor < 0; ++n) {
    FTemporario = fmt::format("{}.{}.tmp", FCaminho, n);
    FDescritor = ::open(FTemporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FDescritor < 0 && errno != EEXIST) {
      const int erro = errno;
      FTemporario.clear();
      Falhar(MotivoFalhaGravacao(erro));
    }
  }
  FSuperficie.reset(cairo_pdf_surface_create_for_stream(Escrever, this, CLarguraA4Pt, CAlturaA4Pt));
  cairo_pdf_surface_set_metadata(FSuperficie.get(), CAIRO_PDF_METADATA_TITLE, "QUORVEL");
  cairo_pdf_surface_set_metadata(FSuperficie.get(), CAIRO_PDF_METADATA_AUTHOR, "Velmaro");
}

TDocumentoPdf::~TDocumentoPdf() { Descartar(); }

void TDocumentoPdf::Descartar() noexcept {
  FDescartar = true;
  FPagina.reset();
  FSuperficie.reset();
  if (FDescritor >= 0) ::close(FDescritor);
  FDescritor = -1;
  if (!FTemporario.empty()) std::remove(FTemporario.c_str());
  FTemporario.clear();
}

void TDocumentoPdf::Falhar(const std::string& ADetalhe) {
  Descartar();
  throw ECadrel(fmt::format("Não foi possível gravar o ficheiro {}: {}.", FCaminho, ADetalhe));
}

cairo_status_t TDocumentoPdf::Escrever(void* ADocumento, const unsigned char* ADados, unsigned int ATamanho) {
  auto& doc = *static_cast<TDocumentoPdf*>(ADocumento);
  if (doc.FDescartar) return CAIRO_STATUS_SUCCESS;
  while (ATamanho > 0) {
    const ssize_t escritos = ::write(doc.FDescritor, ADados, ATamanho);
    if (escritos < 0 && errno == EINTR) continue;
    if (escritos <= 0) {
      doc.FErroEscrita = escritos < 0 ? errno : EIO;
      return CAIRO_STATUS_WRITE_ERROR;
    }
    ADados += escritos;
    ATamanho -= static_cast<unsigned int>(escritos);
  }
  return CAIRO_STATUS_SUCCESS;
}

cairo_t* TDocumentoPdf::NovaPagina() {
  if (!FSuperficie) throw ECadrel("TDocumentoPdf.NovaPagina: o documento ja foi gravado");
  if (FPagina) cairo_show_page(FPagina.get());
  FPagina.reset(cairo_create(FSuperficie.get()));
  return FPagina.get();
}

void TDocumentoPdf::Gravar() {
  if (!FSuperficie) throw ECadrel("TDocumentoPdf.Gravar: o documento ja foi gravado");
  // Shown explicitly: on finishing, cairo would drop a last page left blank.
  if (FPagina) cairo_show_page(FPagina.get());
  FPagina.reset();
  cairo_surface_finish(FSuperficie.get());
  const cairo_status_t estado = cairo_surface_status(FSuperficie.get());
  if (FErroEscrita != 0) Falhar(MotivoFalhaGravacao(FErroEscrita));
  if (estado != CAIRO_STATUS_SUCCESS) Falhar(cairo_status_to_string(estado));
  if (::fsync(FDescritor) != 0) Falhar(MotivoFalhaGravacao(errno));
  const int fecho = ::close(FDescritor);
  FDescritor = -1;
  if (fecho != 0) Falhar(MotivoFalhaGravacao(errno));
  if (std::rename(FTemporario.c_str(), FCaminho.c_str()) != 0) Falhar(MotivoFalhaGravacao(errno));
  FTemporario.clear();
  FSuperficie.reset();
}

std::shared_ptr<ICadrelCanvas> TDestinoPdf::NovaPagina() {
  return std::make_shared<TCanvasCairo>(FPdf.NovaPagina(), CDpiPdf);
}

void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                    const TLayoutPuzzles& ALayout) {
  const TCompositorLivro compositor(ALivro, AInfo, ALayout);
  TDocumentoPdf documento(ACaminho);
  {
    TDestinoPdf destino(documento);
    compositor.Compor(destino);
  }
  documento.Gravar();
}

void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo) {
  GravarLivroPdf(ACaminho, ALivro, AInfo, LayoutPadrao(ALivro.Config.N));
}

}  // namespace cadrel
