#include "output/livro_pdf.hpp"

#include "book/compositor.hpp"
#include "drawing/canvas_cairo.hpp"
#include "output/navegacao_pdf.hpp"

namespace cadrel {

std::shared_ptr<ICadrelCanvas> TDestinoPdf::NovaPagina() {
  return std::make_shared<TCanvasCairo>(FPdf.NovaPagina(), CDpiPdf);
}

void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                    const TLayoutPuzzles& ALayout, bool ANavegacao) {
  const TCompositorLivro compositor(ALivro, AInfo, ALayout);
  TDocumentoPdf documento(ACaminho);
  TPlanoNavegacao plano;
  {
    TDestinoPdf destino(documento);
    plano = compositor.Compor(destino);
  }
  std::string pdf = documento.Fechar();
  if (ANavegacao) pdf = AcrescentarNavegacao(pdf, plano, ACaminho);
  documento.Gravar(pdf);
}

void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo) {
  GravarLivroPdf(ACaminho, ALivro, AInfo, LayoutPadrao(ALivro.Config.N));
}

}  // namespace cadrel
