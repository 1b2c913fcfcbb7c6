#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace cadrel {

// Which point of a text line the X of Texto designates.
enum TAlinhamento : std::uint8_t { alEsquerda = 0, alCentro = 1, alDireita = 2 };

struct TPontoMm {
  double X = 0;
  double Y = 0;
  friend constexpr bool operator==(const TPontoMm&, const TPontoMm&) = default;
};

// A line's dash pattern in millimetres: a dash, then a gap, again and again
// from the line's first point, the last one cut at its second. A pattern
// without both a dash and a gap is a solid line, as is the default.
struct TTracejado {
  double TracoMm = 0;
  double IntervaloMm = 0;
  constexpr bool Continuo() const { return !(TracoMm > 0 && IntervaloMm > 0); }
  friend constexpr bool operator==(const TTracejado&, const TTracejado&) = default;
};

// Everything a page drawer needs: millimetres from the top-left corner of the
// page with y downwards, line widths and font sizes in points, grey levels
// from 0 (black) to 255 (white), and -1 for "paint nothing". A text's Y is the
// top of its line box. Implementations repeat the default pattern of Linha,
// so that a call through a concrete canvas means the same.
class ICadrelCanvas {
public:
  virtual ~ICadrelCanvas() = default;

  virtual void Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza,
                     TTracejado ATracejado = {}) = 0;
  virtual void Rectangulo(double X, double Y, double ALargura, double AAltura, double AEspessuraPt,
                          std::int32_t AContorno, std::int32_t APreenchimento) = 0;
  virtual void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, std::int32_t AContorno,
                        std::int32_t APreenchimento) = 0;
  virtual void Elipse(double X, double Y, double ALargura, double AAltura, double AEspessuraPt,
                      std::int32_t AContorno, std::int32_t APreenchimento) = 0;
  virtual void Texto(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                     std::int32_t ACinza, TAlinhamento AAlinhamento) = 0;
  // What Texto draws, turned a quarter turn clockwise about (X, Y): the line
  // reads from top to bottom with the tops of its letters facing right, as a
  // spine's text does on a book lying face up; its box lies left of X.
  virtual void TextoRodado(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                           std::int32_t ACinza, TAlinhamento AAlinhamento) = 0;
  virtual double LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) = 0;
  virtual double AlturaTexto(double ATamanhoPt) = 0;
  virtual void Imagem(double X, double Y, double ALargura, double AAltura, const std::string& ANome) = 0;
};

constexpr TPontoMm PontoMm(double X, double Y) { return TPontoMm{X, Y}; }
constexpr double PtParaMm(double APontos) { return APontos * 25.4 / 72; }
constexpr double MmParaPt(double AMilimetros) { return AMilimetros * 72 / 25.4; }

}  // namespace cadrel
