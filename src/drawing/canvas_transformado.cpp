#include "drawing/canvas_transformado.hpp"

#include <vector>

namespace cadrel {

void TCanvasTransformado::Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza,
                                TTracejado ATracejado) {
  const TPontoMm a = FT.Aplicar(PontoMm(X1, Y1));
  const TPontoMm b = FT.Aplicar(PontoMm(X2, Y2));
  FDestino->Linha(a.X, a.Y, b.X, b.Y, AEspessuraPt * FT.Escala, ACinza,
                  {ATracejado.TracoMm * FT.Escala, ATracejado.IntervaloMm * FT.Escala});
}

void TCanvasTransformado::Rectangulo(double X, double Y, double ALargura, double AAltura, double AEspessuraPt,
                                     std::int32_t AContorno, std::int32_t APreenchimento) {
  const TPontoMm a = FT.Aplicar(PontoMm(X, Y));
  FDestino->Rectangulo(a.X, a.Y, ALargura * FT.Escala, AAltura * FT.Escala, AEspessuraPt * FT.Escala, AContorno,
                       APreenchimento);
}

void TCanvasTransformado::Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, std::int32_t AContorno,
                                   std::int32_t APreenchimento) {
  std::vector<TPontoMm> pontos;
  pontos.reserve(APontos.size());
  for (const TPontoMm p : APontos) pontos.push_back(FT.Aplicar(p));
  FDestino->Poligono(pontos, AEspessuraPt * FT.Escala, AContorno, APreenchimento);
}

void TCanvasTransformado::Elipse(double X, double Y, double ALargura, double AAltura, double AEspessuraPt,
                                 std::int32_t AContorno, std::int32_t APreenchimento) {
  const TPontoMm a = FT.Aplicar(PontoMm(X, Y));
  FDestino->Elipse(a.X, a.Y, ALargura * FT.Escala, AAltura * FT.Escala, AEspessuraPt * FT.Escala, AContorno,
                   APreenchimento);
}

void TCanvasTransformado::Texto(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                                std::int32_t ACinza, TAlinhamento AAlinhamento) {
  const TPontoMm a = FT.Aplicar(PontoMm(X, Y));
  FDestino->Texto(a.X, a.Y, ATexto, ATamanhoPt * FT.Escala, ANegrito, ACinza, AAlinhamento);
}

void TCanvasTransformado::TextoRodado(double X, double Y, const std::string& ATexto, double ATamanhoPt,
                                      bool ANegrito, std::int32_t ACinza, TAlinhamento AAlinhamento) {
  const TPontoMm a = FT.Aplicar(PontoMm(X, Y));
  FDestino->TextoRodado(a.X, a.Y, ATexto, ATamanhoPt * FT.Escala, ANegrito, ACinza, AAlinhamento);
}

double TCanvasTransformado::LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) {
  return FDestino->LarguraTexto(ATexto, ATamanhoPt * FT.Escala, ANegrito) / FT.Escala;
}

double TCanvasTransformado::AlturaTexto(double ATamanhoPt) {
  return FDestino->AlturaTexto(ATamanhoPt * FT.Escala) / FT.Escala;
}

void TCanvasTransformado::Imagem(double X, double Y, double ALargura, double AAltura, const std::string& ANome) {
  const TPontoMm a = FT.Aplicar(PontoMm(X, Y));
  FDestino->Imagem(a.X, a.Y, ALargura * FT.Escala, AAltura * FT.Escala, ANome);
}

}  // namespace cadrel
