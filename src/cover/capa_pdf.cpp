#include "cover/capa_pdf.hpp"

#include "book/compositor.hpp"
#include "cover/capa.hpp"
#include "drawing/canvas_cairo.hpp"
#include "drawing/pdf.hpp"

namespace cadrel {

TGeometriaCapa GeometriaCapaDoLivro(const TLivro& ALivro, const TInfoLivro& AInfo, TFormato AFormato, TPapel APapel) {
  const TCompositorLivro impressao(ALivro, AInfo, TEdicao{AFormato, true});
  return GeometriaCapa(AFormato, APapel, impressao.NumPaginas());
}

void GravarCapaPdf(const std::string& ACaminho, const TGeometriaCapa& ACapa, const TLivro& ALivro) {
  TDocumentoPdf documento(ACaminho, MmParaPt(ACapa.Largura), MmParaPt(ACapa.Altura));
  TCanvasCairo canvas(documento.NovaPagina(), CDpiPdf);
  DesenharCapa(canvas, ACapa, ALivro);
  documento.Gravar();
}

TGeometriaCapa GravarCapaPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                             TFormato AFormato, TPapel APapel) {
  const TGeometriaCapa capa = GeometriaCapaDoLivro(ALivro, AInfo, AFormato, APapel);
  GravarCapaPdf(ACaminho, capa, ALivro);
  return capa;
}

}  // namespace cadrel
