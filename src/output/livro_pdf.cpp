#include "output/livro_pdf.hpp"

#include "book/compositor.hpp"
#include "drawing/canvas_cairo.hpp"

namespace cadrel {

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
