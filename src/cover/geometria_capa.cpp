#include "cover/geometria_capa.hpp"

#include <algorithm>

#include "core/texto.hpp"

namespace cadrel {

namespace {

TRectanguloMm Recolhido(const TRectanguloMm& R, double AHorizontal, double AVertical) {
  return {R.X + AHorizontal, R.Y + AVertical, R.Largura - 2 * AHorizontal, R.Altura - 2 * AVertical};
}

}  // namespace

std::optional<TPapel> PapelDoNome(std::string_view ANome) {
  const auto it = std::find_if(CPapeis.begin(), CPapeis.end(),
                               [ANome](const TDadosPapel& p) { return IguaisSemCaixa(p.Nome, ANome); });
  if (it == CPapeis.end()) return std::nullopt;
  return static_cast<TPapel>(it - CPapeis.begin());
}

TGeometriaCapa GeometriaCapa(TFormato AFormato, TPapel APapel, std::int32_t APaginas) {
  const TDadosFormato& f = DadosFormato(AFormato);
  const double lombada = APaginas * DadosPapel(APapel).PolegadasPorPagina * 25.4;
  return {AFormato, APapel, APaginas, 2 * CSangriaCapa + 2 * f.LarguraMm + lombada, 2 * CSangriaCapa + f.AlturaMm,
          lombada};
}

TRectanguloMm TGeometriaCapa::Contracapa() const {
  const TDadosFormato& f = DadosFormato(Formato);
  return {CSangriaCapa, CSangriaCapa, f.LarguraMm, f.AlturaMm};
}

TRectanguloMm TGeometriaCapa::FaixaLombada() const {
  const TDadosFormato& f = DadosFormato(Formato);
  return {CSangriaCapa + f.LarguraMm, CSangriaCapa, Lombada, f.AlturaMm};
}

TRectanguloMm TGeometriaCapa::Frente() const {
  const TDadosFormato& f = DadosFormato(Formato);
  return {CSangriaCapa + f.LarguraMm + Lombada, CSangriaCapa, f.LarguraMm, f.AlturaMm};
}

TRectanguloMm TGeometriaCapa::TextoContracapa() const {
  return Recolhido(Contracapa(), CMargemTextoCapa + CFolgaUnidades, CMargemTextoCapa + CFolgaUnidades);
}

TRectanguloMm TGeometriaCapa::TextoLombada() const {
  return Recolhido(FaixaLombada(), CFolgaDobra + CFolgaUnidades, CMargemTextoCapa + CFolgaUnidades);
}

TRectanguloMm TGeometriaCapa::TextoFrente() const {
  return Recolhido(Frente(), CMargemTextoCapa + CFolgaUnidades, CMargemTextoCapa + CFolgaUnidades);
}

TRectanguloMm TGeometriaCapa::CodigoBarras() const {
  const TRectanguloMm c = Contracapa();
  return {c.X + c.Largura - CRecuoCodigoBarras - CLarguraCodigoBarras,
          c.Y + c.Altura - CRecuoCodigoBarras - CAlturaCodigoBarras, CLarguraCodigoBarras, CAlturaCodigoBarras};
}

}  // namespace cadrel
