#include "output/navegacao_pdf.hpp"

#include <exception>
#include <new>
#include <vector>

#include <fmt/format.h>

#include "core/tipos.hpp"
#include "core/traducao.hpp"
#include "drawing/canvas.hpp"
#include "drawing/navegacao_qpdf.hpp"
#include "drawing/pdf.hpp"

namespace cadrel {

namespace {

std::vector<TMarcadorPdf> MarcadoresPdf(const std::vector<TMarcador>& AMarcadores) {
  std::vector<TMarcadorPdf> marcadores;
  marcadores.reserve(AMarcadores.size());
  for (const TMarcador& m : AMarcadores) marcadores.push_back({m.Titulo, m.Pagina, MarcadoresPdf(m.Filhos)});
  return marcadores;
}

// The canvas measures from the top-left corner of the page, PDF user space
// from the bottom-left.
TLigacaoPdf LigacaoPdf(const TLigacao& ALigacao, double AAlturaPt) {
  const TRectanguloMm& a = ALigacao.Area;
  return {.Pagina = ALigacao.Pagina,
          .X1 = MmParaPt(a.X),
          .Y1 = AAlturaPt - MmParaPt(a.Y + a.Altura),
          .X2 = MmParaPt(a.X + a.Largura),
          .Y2 = AAlturaPt - MmParaPt(a.Y),
          .Destino = ALigacao.Destino};
}

}  // namespace

std::string AcrescentarNavegacao(const std::string& APdf, const TPlanoNavegacao& APlano,
                                 const std::string& AFicheiro, double AAlturaPt) {
  std::vector<TLigacaoPdf> ligacoes;
  ligacoes.reserve(APlano.Ligacoes.size());
  for (const TLigacao& l : APlano.Ligacoes) ligacoes.push_back(LigacaoPdf(l, AAlturaPt));
  try {
    return AcrescentarNavegacaoQpdf(APdf, MarcadoresPdf(APlano.Marcadores), ligacoes, AFicheiro);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    throw ECadrel(FormatarP(
        "Não foi possível gravar o ficheiro {}: os marcadores e as ligações não entraram no PDF ({}).", AFicheiro,
        e.what()));
  }
}

}  // namespace cadrel
