#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "drawing/cairo_ptr.hpp"
#include "drawing/canvas.hpp"
#include "drawing/canvas_cairo.hpp"

namespace cadrel {

// A box in millimetres of the page, its top-left corner first.
struct TLimitesMm {
  double X = 0;
  double Y = 0;
  double Largura = 0;
  double Altura = 0;
};

// ICadrelCanvas as SVG elements, for a page to be shown by a browser. It lays
// out exactly as the PDF canvas does: every length is rounded to the device
// units of a PDF page (CDpiPdf), which are the SVG's user units, and texts are
// measured by a cairo canvas of that resolution with the same Roboto faces,
// so a drawer breaks its lines and centres its numbers where the book does.
// The SVG names the faces "Roboto" (regular and weight 700), which the
// document holding it must provide, without kerning or ligatures: cairo
// places glyphs by their advances alone.
class TCanvasSvg final : public ICadrelCanvas {
public:
  TCanvasSvg();

  void Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza,
             TTracejado ATracejado = {}) override;
  void Rectangulo(double X, double Y, double ALargura, double AAltura, double AEspessuraPt, std::int32_t AContorno,
                  std::int32_t APreenchimento) override;
  void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, std::int32_t AContorno,
                std::int32_t APreenchimento) override;
  void Elipse(double X, double Y, double ALargura, double AAltura, double AEspessuraPt, std::int32_t AContorno,
              std::int32_t APreenchimento) override;
  void Texto(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito, std::int32_t ACinza,
             TAlinhamento AAlinhamento) override;
  void TextoRodado(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                   std::int32_t ACinza, TAlinhamento AAlinhamento) override;
  double LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) override;
  double AlturaTexto(double ATamanhoPt) override;
  void Imagem(double X, double Y, double ALargura, double AAltura, const std::string& ANome) override;

  // The elements drawn so far, in drawing order.
  const std::string& Elementos() const { return FElementos; }
  // What the ink drawn so far covers, in millimetres; empty (0 × 0 at the
  // origin) before anything is drawn.
  TLimitesMm Limites() const;
  // A whole <svg> element of what was drawn, showing AJanela of the page,
  // scaled to the width of whatever holds it.
  std::string Svg(const TLimitesMm& AJanela) const;
  // Every character of the texts drawn, as UTF-8 code points: what the faces
  // of the document must hold.
  const std::set<char32_t>& Caracteres() const { return FCaracteres; }

private:
  std::int32_t Unidades(double AMm) const;
  // Takes the box [x1, x2] × [y1, y2] in units into the limits.
  void Cobrir(double x1, double y1, double x2, double y2);
  void Escrever(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito, std::int32_t ACinza,
                TAlinhamento AAlinhamento, bool ARodado);

  TSuperficieCairo FGravacao;
  TContextoCairo FContexto;
  std::unique_ptr<TCanvasCairo> FMedidor;
  std::string FElementos;
  std::set<char32_t> FCaracteres;
  bool FVazio = true;
  double FMinX = 0, FMinY = 0, FMaxX = 0, FMaxY = 0;
};

}  // namespace cadrel
