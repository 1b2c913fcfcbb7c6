#include "drawing/canvas_svg.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <fmt/format.h>
#include <utf8.h>

#include "core/texto.hpp"
#include "core/tipos.hpp"
#include "drawing/pdf.hpp"
#include "drawing/recursos.hpp"

namespace cadrel {
namespace {

// A length in user units: dash patterns and ellipse centres are the only
// ones that are not whole, and a hundredth of a unit is far below a pixel.
std::string Numero(double AValor) {
  std::string texto = fmt::format("{:.2f}", AValor);
  while (texto.back() == '0') texto.pop_back();
  if (texto.back() == '.') texto.pop_back();
  return texto == "-0" ? "0" : texto;
}

std::string Cor(std::int32_t ACinza) {
  if (ACinza <= 0) return "#000";
  if (ACinza >= 255) return "#fff";
  return fmt::format("#{0:02x}{0:02x}{0:02x}", ACinza);
}

std::string Traco(double AEspessuraPt, std::int32_t AContorno) {
  if (AContorno == -1) return {};
  return fmt::format(" stroke=\"{}\" stroke-width=\"{}\"", Cor(AContorno), EspessuraUnidades(AEspessuraPt, CDpiPdf));
}

// The fill and the outline as cairo paints them: fill first, then the pen.
// Black is SVG's own fill.
std::string Pintura(double AEspessuraPt, std::int32_t AContorno, std::int32_t APreenchimento) {
  const std::string fill = APreenchimento == -1  ? " fill=\"none\""
                           : APreenchimento == 0 ? ""
                                                 : fmt::format(" fill=\"{}\"", Cor(APreenchimento));
  return fill + Traco(AEspessuraPt, AContorno);
}

double MeiaEspessura(double AEspessuraPt, std::int32_t AContorno) {
  return AContorno == -1 ? 0 : EspessuraUnidades(AEspessuraPt, CDpiPdf) / 2.0;
}

}  // namespace

TCanvasSvg::TCanvasSvg()
    : FGravacao(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr)),
      FContexto(cairo_create(FGravacao.get())),
      FMedidor(std::make_unique<TCanvasCairo>(FContexto.get(), CDpiPdf)) {}

std::int32_t TCanvasSvg::Unidades(double AMm) const { return MmParaUnidades(AMm, CDpiPdf); }

void TCanvasSvg::Cobrir(double x1, double y1, double x2, double y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (FVazio) {
    FMinX = x1, FMinY = y1, FMaxX = x2, FMaxY = y2;
    FVazio = false;
    return;
  }
  FMinX = std::min(FMinX, x1), FMinY = std::min(FMinY, y1);
  FMaxX = std::max(FMaxX, x2), FMaxY = std::max(FMaxY, y2);
}

TLimitesMm TCanvasSvg::Limites() const {
  const double mm = 25.4 / CDpiPdf;
  return {FMinX * mm, FMinY * mm, (FMaxX - FMinX) * mm, (FMaxY - FMinY) * mm};
}

void TCanvasSvg::Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza,
                       TTracejado ATracejado) {
  if (ACinza == -1) return;
  const std::int32_t x1 = Unidades(X1), y1 = Unidades(Y1), x2 = Unidades(X2), y2 = Unidades(Y2);
  FElementos +=
      fmt::format("<line x1=\"{}\" y1=\"{}\" x2=\"{}\" y2=\"{}\"{}", x1, y1, x2, y2, Traco(AEspessuraPt, ACinza));
  const double unidades = std::hypot(x2 - x1, y2 - y1);
  if (!ATracejado.Continuo() && unidades > 0) {
    // Stretched with the rounded line, as the PDF's pattern is.
    const double escala = unidades / std::hypot(X2 - X1, Y2 - Y1);
    FElementos += fmt::format(" stroke-dasharray=\"{} {}\"", Numero(ATracejado.TracoMm * escala),
                              Numero(ATracejado.IntervaloMm * escala));
  }
  FElementos += "/>";
  const double m = MeiaEspessura(AEspessuraPt, ACinza);
  Cobrir(std::min(x1, x2) - m, std::min(y1, y2) - m, std::max(x1, x2) + m, std::max(y1, y2) + m);
}

void TCanvasSvg::Rectangulo(double X, double Y, double ALargura, double AAltura, double AEspessuraPt,
                            std::int32_t AContorno, std::int32_t APreenchimento) {
  if (AContorno == -1 && APreenchimento == -1) return;
  std::int32_t x1 = Unidades(X), y1 = Unidades(Y), x2 = Unidades(X + ALargura), y2 = Unidades(Y + AAltura);
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  FElementos += fmt::format("<rect x=\"{}\" y=\"{}\" width=\"{}\" height=\"{}\"{}/>", x1, y1, x2 - x1, y2 - y1,
                            Pintura(AEspessuraPt, AContorno, APreenchimento));
  const double m = MeiaEspessura(AEspessuraPt, AContorno);
  Cobrir(x1 - m, y1 - m, x2 + m, y2 + m);
}

void TCanvasSvg::Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, std::int32_t AContorno,
                          std::int32_t APreenchimento) {
  if (APontos.empty() || (AContorno == -1 && APreenchimento == -1)) return;
  const double m = MeiaEspessura(AEspessuraPt, AContorno);
  std::string pontos;
  for (const TPontoMm& p : APontos) {
    const std::int32_t x = Unidades(p.X), y = Unidades(p.Y);
    if (!pontos.empty()) pontos += ' ';
    pontos += fmt::format("{},{}", x, y);
    Cobrir(x - m, y - m, x + m, y + m);
  }
  FElementos += fmt::format("<polygon points=\"{}\"{}/>", pontos, Pintura(AEspessuraPt, AContorno, APreenchimento));
}

void TCanvasSvg::Elipse(double X, double Y, double ALargura, double AAltura, double AEspessuraPt,
                        std::int32_t AContorno, std::int32_t APreenchimento) {
  if (AContorno == -1 && APreenchimento == -1) return;
  const double x1 = Unidades(X), y1 = Unidades(Y), x2 = Unidades(X + ALargura), y2 = Unidades(Y + AAltura);
  FElementos += fmt::format("<ellipse cx=\"{}\" cy=\"{}\" rx=\"{}\" ry=\"{}\"{}/>", Numero((x1 + x2) / 2),
                            Numero((y1 + y2) / 2), Numero(std::abs(x2 - x1) / 2), Numero(std::abs(y2 - y1) / 2),
                            Pintura(AEspessuraPt, AContorno, APreenchimento));
  const double m = MeiaEspessura(AEspessuraPt, AContorno);
  Cobrir(std::min(x1, x2) - m, std::min(y1, y2) - m, std::max(x1, x2) + m, std::max(y1, y2) + m);
}

void TCanvasSvg::Escrever(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                          std::int32_t ACinza, TAlinhamento AAlinhamento, bool ARodado) {
  if (ACinza == -1) return;
  if (!utf8::is_valid(ATexto)) throw ECadrel("TCanvasSvg: o texto nao e UTF-8 valido");
  for (const char32_t c : utf8::utf8to32(ATexto)) FCaracteres.insert(c);
  // The same whole units as the PDF canvas: the width measured, the anchor,
  // and the baseline one cell ascent below the top of the line.
  const std::int32_t em = TamanhoFonteUnidades(ATamanhoPt, CDpiPdf);
  const std::int32_t w = Unidades(LarguraTexto(ATexto, ATamanhoPt, ANegrito));
  const std::int32_t h = Unidades(AlturaTexto(ATamanhoPt));
  const std::int32_t ancoraX = Unidades(X), ancoraY = Unidades(Y);
  const std::int32_t x = InicioAlinhado(ARodado ? 0 : ancoraX, w, AAlinhamento);
  const std::int32_t y = ARodado ? 0 : ancoraY;
  std::string atributos = fmt::format("x=\"{}\" y=\"{}\" font-size=\"{}\"", x, y + AscenteUnidades(em), em);
  if (ANegrito) atributos += " font-weight=\"700\"";
  if (ACinza != 0) atributos += fmt::format(" fill=\"{}\"", Cor(ACinza));
  if (ARodado) atributos += fmt::format(" transform=\"translate({} {}) rotate(90)\"", ancoraX, ancoraY);
  FElementos += fmt::format("<text {}>{}</text>", atributos, EscaparXml(ATexto));
  // A quarter turn clockwise about the anchor takes (u, v) to (X - v, Y + u).
  if (ARodado)
    Cobrir(ancoraX - h, ancoraY + x, ancoraX, ancoraY + x + w);
  else
    Cobrir(x, y, x + w, y + h);
}

void TCanvasSvg::Texto(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                       std::int32_t ACinza, TAlinhamento AAlinhamento) {
  Escrever(X, Y, ATexto, ATamanhoPt, ANegrito, ACinza, AAlinhamento, false);
}

void TCanvasSvg::TextoRodado(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                             std::int32_t ACinza, TAlinhamento AAlinhamento) {
  Escrever(X, Y, ATexto, ATamanhoPt, ANegrito, ACinza, AAlinhamento, true);
}

double TCanvasSvg::LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) {
  return FMedidor->LarguraTexto(ATexto, ATamanhoPt, ANegrito);
}

double TCanvasSvg::AlturaTexto(double ATamanhoPt) { return FMedidor->AlturaTexto(ATamanhoPt); }

void TCanvasSvg::Imagem(double X, double Y, double ALargura, double AAltura, const std::string& ANome) {
  const auto dados = Recurso(ANome);
  if (!dados) throw ECadrel("Imagem: o recurso " + ANome + " nao existe no executavel");
  const std::int32_t x1 = Unidades(X), y1 = Unidades(Y), x2 = Unidades(X + ALargura), y2 = Unidades(Y + AAltura);
  if (x1 == x2 || y1 == y2) return;
  FElementos += fmt::format(
      "<image x=\"{}\" y=\"{}\" width=\"{}\" height=\"{}\" preserveAspectRatio=\"none\" "
      "href=\"data:image/png;base64,{}\"/>",
      std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1), Base64(*dados));
  Cobrir(x1, y1, x2, y2);
}

std::string TCanvasSvg::Svg(const TLimitesMm& AJanela) const {
  const std::int32_t x = Unidades(AJanela.X), y = Unidades(AJanela.Y);
  // Inline in HTML, an <svg> needs no namespace; what every element shares
  // is said once here.
  return fmt::format(
      "<svg viewBox=\"{} {} {} {}\" stroke-linecap=\"round\" stroke-linejoin=\"round\" "
      "font-family=\"Roboto\" text-rendering=\"geometricPrecision\">{}</svg>",
      x, y, Unidades(AJanela.X + AJanela.Largura) - x, Unidades(AJanela.Y + AJanela.Altura) - y, FElementos);
}

}  // namespace cadrel
