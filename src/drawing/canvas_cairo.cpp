#include "drawing/canvas_cairo.hpp"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/tipos.hpp"

#include "drawing/fontes.hpp"
#include "drawing/png.hpp"
#include "drawing/recursos.hpp"

namespace cadrel {
namespace {

// Every operation draws in device units inside its own save/restore, so no
// setting leaks into the next call nor into the owner's context.
class TEmUnidades {
public:
  TEmUnidades(cairo_t* ACanvas, double ADpi) : FCanvas(ACanvas) {
    cairo_save(FCanvas);
    cairo_scale(FCanvas, 72 / ADpi, 72 / ADpi);
  }
  ~TEmUnidades() { cairo_restore(FCanvas); }
  TEmUnidades(const TEmUnidades&) = delete;
  TEmUnidades& operator=(const TEmUnidades&) = delete;

private:
  cairo_t* FCanvas;
};

// The ellipse as four cubic arcs: unlike a scaled unit circle it stays a
// valid path when the box is flat or empty.
void CaminhoElipse(cairo_t* ACanvas, double x1, double y1, double x2, double y2) {
  constexpr double k = 0.5522847498307936;  // 4/3 (sqrt(2) - 1)
  const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2, rx = (x2 - x1) / 2, ry = (y2 - y1) / 2;
  cairo_move_to(ACanvas, cx + rx, cy);
  cairo_curve_to(ACanvas, cx + rx, cy + k * ry, cx + k * rx, cy + ry, cx, cy + ry);
  cairo_curve_to(ACanvas, cx - k * rx, cy + ry, cx - rx, cy + k * ry, cx - rx, cy);
  cairo_curve_to(ACanvas, cx - rx, cy - k * ry, cx - k * rx, cy - ry, cx, cy - ry);
  cairo_curve_to(ACanvas, cx + k * rx, cy - ry, cx + rx, cy - k * ry, cx + rx, cy);
  cairo_close_path(ACanvas);
}

std::int32_t Arredondar(double AValor) { return static_cast<std::int32_t>(std::nearbyint(AValor)); }

}  // namespace

std::int32_t MmParaUnidades(double AMm, double ADpi) { return Arredondar(AMm / 25.4 * ADpi); }

std::int32_t EspessuraUnidades(double AEspessuraPt, double ADpi) {
  const std::int32_t w = Arredondar(AEspessuraPt * ADpi / 72);
  return w < 1 ? 1 : w;
}

std::int32_t TamanhoFonteUnidades(double ATamanhoPt, double ADpi) { return Arredondar(ATamanhoPt * ADpi / 72); }

std::int32_t AscenteUnidades(std::int32_t AEm) {
  const TMetricasFace& m = MetricasRoboto();
  return Arredondar(static_cast<double>(m.WinAscent) * AEm / m.UnidadesPorEm);
}

TCanvasCairo::TCanvasCairo(cairo_t* ACanvas, std::int32_t ADpi) : FCanvas(ACanvas), FDpi(ADpi) {}

void TCanvasCairo::Cinza(std::int32_t ACinza) {
  const double nivel = ACinza / 255.0;
  cairo_set_source_rgb(FCanvas, nivel, nivel, nivel);
}

void TCanvasCairo::Pintar(double AEspessuraPt, std::int32_t AContorno, std::int32_t APreenchimento) {
  if (APreenchimento != -1) {
    Cinza(APreenchimento);
    cairo_fill_preserve(FCanvas);
  }
  if (AContorno != -1) {
    Cinza(AContorno);
    cairo_set_line_width(FCanvas, EspessuraUnidades(AEspessuraPt, FDpi));
    cairo_set_line_cap(FCanvas, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(FCanvas, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(FCanvas);
  }
  cairo_new_path(FCanvas);
}

void TCanvasCairo::Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza,
                         TTracejado ATracejado) {
  TEmUnidades emUnidades(FCanvas, FDpi);
  const double x1 = Unidades(X1), y1 = Unidades(Y1), x2 = Unidades(X2), y2 = Unidades(Y2);
  cairo_move_to(FCanvas, x1, y1);
  cairo_line_to(FCanvas, x2, y2);
  const double unidades = std::hypot(x2 - x1, y2 - y1);
  if (!ATracejado.Continuo() && unidades > 0) {
    // Rounding the ends to whole units stretched the line a little: the
    // pattern stretches with it, so that a dash meant to end on the second
    // point still ends there, and the dashes fall where their millimetres
    // say rather than drifting by a rounded length each. The restore of
    // emUnidades takes the pattern away again.
    const double escala = unidades / std::hypot(X2 - X1, Y2 - Y1);
    const std::array<double, 2> padrao{ATracejado.TracoMm * escala, ATracejado.IntervaloMm * escala};
    cairo_set_dash(FCanvas, padrao.data(), static_cast<int>(padrao.size()), 0);
  }
  Pintar(AEspessuraPt, ACinza, -1);
}

void TCanvasCairo::Rectangulo(double X, double Y, double ALargura, double AAltura, double AEspessuraPt,
                              std::int32_t AContorno, std::int32_t APreenchimento) {
  TEmUnidades emUnidades(FCanvas, FDpi);
  const double x1 = Unidades(X), y1 = Unidades(Y);
  cairo_rectangle(FCanvas, x1, y1, Unidades(X + ALargura) - x1, Unidades(Y + AAltura) - y1);
  Pintar(AEspessuraPt, AContorno, APreenchimento);
}

void TCanvasCairo::Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, std::int32_t AContorno,
                            std::int32_t APreenchimento) {
  TEmUnidades emUnidades(FCanvas, FDpi);
  for (const TPontoMm& p : APontos) cairo_line_to(FCanvas, Unidades(p.X), Unidades(p.Y));
  if (!APontos.empty()) cairo_close_path(FCanvas);
  Pintar(AEspessuraPt, AContorno, APreenchimento);
}

void TCanvasCairo::Elipse(double X, double Y, double ALargura, double AAltura, double AEspessuraPt,
                          std::int32_t AContorno, std::int32_t APreenchimento) {
  TEmUnidades emUnidades(FCanvas, FDpi);
  CaminhoElipse(FCanvas, Unidades(X), Unidades(Y), Unidades(X + ALargura), Unidades(Y + AAltura));
  Pintar(AEspessuraPt, AContorno, APreenchimento);
}

std::int32_t TCanvasCairo::Fonte(double ATamanhoPt, bool ANegrito) {
  const std::int32_t em = TamanhoFonteUnidades(ATamanhoPt, FDpi);
  cairo_set_font_face(FCanvas, FaceRoboto(ANegrito));
  cairo_set_font_size(FCanvas, em);
  cairo_set_font_options(FCanvas, OpcoesFonte());
  return em;
}

std::int32_t TCanvasCairo::LarguraUnidades(const std::string& ATexto) {
  cairo_text_extents_t medidas;
  cairo_text_extents(FCanvas, ATexto.c_str(), &medidas);
  return Arredondar(medidas.x_advance);
}

void TCanvasCairo::Escrever(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                            std::int32_t ACinza, TAlinhamento AAlinhamento, bool ARodado) {
  if (ACinza == -1) return;  // like a line of grey -1: nothing to paint
  TEmUnidades emUnidades(FCanvas, FDpi);
  const std::int32_t em = Fonte(ATamanhoPt, ANegrito);
  const std::int32_t w = LarguraUnidades(ATexto);
  std::int32_t x = MmParaUnidades(X, FDpi);
  std::int32_t y = MmParaUnidades(Y, FDpi);
  // Turned, the line is laid out in its own frame, whose origin is the anchor.
  if (ARodado) {
    cairo_translate(FCanvas, x, y);
    cairo_rotate(FCanvas, std::numbers::pi / 2);
    x = y = 0;
  }
  x = InicioAlinhado(x, w, AAlinhamento);
  // Y is the top of the character cell; the baseline lies one cell ascent below.
  Cinza(ACinza);
  cairo_move_to(FCanvas, x, y + AscenteUnidades(em));
  cairo_show_text(FCanvas, ATexto.c_str());
  cairo_new_path(FCanvas);
}

void TCanvasCairo::Texto(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                         std::int32_t ACinza, TAlinhamento AAlinhamento) {
  Escrever(X, Y, ATexto, ATamanhoPt, ANegrito, ACinza, AAlinhamento, false);
}

void TCanvasCairo::TextoRodado(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                               std::int32_t ACinza, TAlinhamento AAlinhamento) {
  Escrever(X, Y, ATexto, ATamanhoPt, ANegrito, ACinza, AAlinhamento, true);
}

double TCanvasCairo::LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) {
  TEmUnidades emUnidades(FCanvas, FDpi);
  Fonte(ATamanhoPt, ANegrito);
  return ParaMm(LarguraUnidades(ATexto));
}

double TCanvasCairo::AlturaTexto(double ATamanhoPt) {
  const TMetricasFace& m = MetricasRoboto();
  const double em = TamanhoFonteUnidades(ATamanhoPt, FDpi);
  return ParaMm(Arredondar(static_cast<double>(m.WinAscent + m.WinDescent) * em / m.UnidadesPorEm));
}

void TCanvasCairo::Imagem(double X, double Y, double ALargura, double AAltura, const std::string& ANome) {
  const auto dados = Recurso(ANome);
  if (!dados) throw ECadrel("Imagem: o recurso " + ANome + " nao existe no executavel");
  // Blended onto white first: placed straight from ARGB, the PDF would carry
  // a soft mask instead of a plain RGB image.
  const TSuperficieCairo imagem = SobreBranco(DecodificarPng(*dados).get());
  const double x1 = Unidades(X), y1 = Unidades(Y);
  const double largura = Unidades(X + ALargura) - x1, altura = Unidades(Y + AAltura) - y1;
  if (largura == 0 || altura == 0) return;  // a degenerate scale would break the context
  TEmUnidades emUnidades(FCanvas, FDpi);
  cairo_translate(FCanvas, x1, y1);
  cairo_scale(FCanvas, largura / cairo_image_surface_get_width(imagem.get()),
              altura / cairo_image_surface_get_height(imagem.get()));
  cairo_set_source_surface(FCanvas, imagem.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(FCanvas), CAIRO_FILTER_GOOD);
  cairo_paint(FCanvas);
}

}  // namespace cadrel
