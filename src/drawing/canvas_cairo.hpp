#pragma once

#include <cairo.h>

#include <cstdint>

#include "drawing/canvas.hpp"

namespace cadrel {

// Device units: every length is reduced to whole units at the canvas's
// resolution before it is drawn, the nearest integer with halves to even.
std::int32_t MmParaUnidades(double AMm, double ADpi);
// A pen is never thinner than one unit, so a 0 pt hairline still prints.
std::int32_t EspessuraUnidades(double AEspessuraPt, double ADpi);
// The em height of a font size.
std::int32_t TamanhoFonteUnidades(double ATamanhoPt, double ADpi);
// How far the baseline of a text of em AEm lies below the top of its line,
// from the Roboto faces' ascent: every canvas sets a text's top at its Y.
std::int32_t AscenteUnidades(std::int32_t AEm);
// Where a line of width AW units starts when it is aligned as AAlinhamento
// says at the anchor AX: the same unit on every canvas, so that a page on a
// screen breaks and centres as its PDF does.
constexpr std::int32_t InicioAlinhado(std::int32_t AX, std::int32_t AW, TAlinhamento AAlinhamento) {
  return AAlinhamento == alCentro ? AX - AW / 2 : AAlinhamento == alDireita ? AX - AW : AX;
}

// ICadrelCanvas on a cairo context whose user space is points, as on a PDF
// page: everything is drawn in whole device units under a scale of 72/ADpi,
// and text uses the embedded Roboto faces.
class TCanvasCairo final : public ICadrelCanvas {
public:
  // The context is borrowed: it must outlive the canvas and is never freed here.
  TCanvasCairo(cairo_t* ACanvas, std::int32_t ADpi);

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

private:
  double Unidades(double AMm) const { return MmParaUnidades(AMm, FDpi); }
  double ParaMm(std::int32_t AUnidades) const { return AUnidades / FDpi * 25.4; }
  void Cinza(std::int32_t ACinza);
  // Fills and outlines the current path as asked, then clears it.
  void Pintar(double AEspessuraPt, std::int32_t AContorno, std::int32_t APreenchimento);
  // Selects the face and em size; returns the em in device units.
  std::int32_t Fonte(double ATamanhoPt, bool ANegrito);
  std::int32_t LarguraUnidades(const std::string& ATexto);
  void Escrever(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito, std::int32_t ACinza,
                TAlinhamento AAlinhamento, bool ARodado);

  cairo_t* FCanvas;
  double FDpi;
};

}  // namespace cadrel
