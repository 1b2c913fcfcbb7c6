#include "output/livro_pdf.hpp"

#include "drawing/canvas_cairo.hpp"
#include "output/navegacao_pdf.hpp"

namespace cadrel {

namespace {

void Gravar(const std::string& ACaminho, const TCompositorLivro& ACompositor, bool ANavegacao) {
  const TDadosFormato& papel = DadosFormato(ACompositor.Edicao().Formato);
  TDocumentoPdf documento(ACaminho, papel.LarguraPt, papel.AlturaPt);
  TPlanoNavegacao plano;
  {
    TDestinoPdf destino(documento);
    plano = ACompositor.Compor(destino);
  }
  std::string pdf = documento.Fechar();
  if (ANavegacao) pdf = AcrescentarNavegacao(pdf, plano, ACaminho, papel.AlturaPt);
  documento.Gravar(pdf);
}

}  // namespace

std::shared_ptr<ICadrelCanvas> TDestinoPdf::NovaPagina() {
  return std::make_shared<TCanvasCairo>(FPdf.NovaPagina(), CDpiPdf);
}

TResumoLivroPdf GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                               const TEdicao& AEdicao) {
  const TCompositorLivro compositor(ALivro, AInfo, AEdicao);
  Gravar(ACaminho, compositor, !AEdicao.Impressao);
  return {compositor.NumPaginas(), compositor.PaginasVazias(), compositor.Medianiz()};
}

void GravarLivroPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                    const TLayoutPuzzles& ALayout, bool ANavegacao) {
  Gravar(ACaminho, TCompositorLivro(ALivro, AInfo, ALayout), ANavegacao);
}

}  // namespace cadrel
