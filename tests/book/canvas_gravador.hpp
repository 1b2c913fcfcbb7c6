#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "drawing/canvas.hpp"

namespace cadrel {

enum TOpCanvas : std::uint8_t { opLinha, opRectangulo, opPoligono, opElipse, opTexto, opImagem, opTextoRodado };

// One drawing call with its arguments. Linha: (X, Y) to (X2, Y2), grey in
// Contorno, its dash pattern in Tracejado. Rectangulo, Elipse, Imagem: the box (X, Y, Largura, Altura).
// Texto, TextoRodado: the anchor (X, Y), grey in Contorno. Imagem: the resource in Texto.
struct TChamada {
  TOpCanvas Op = opLinha;
  double X = 0, Y = 0, X2 = 0, Y2 = 0, Largura = 0, Altura = 0;
  std::vector<TPontoMm> Pontos{};
  double Espessura = 0;
  std::int32_t Contorno = -1;
  std::int32_t Preenchimento = -1;
  std::string Texto{};
  double Tamanho = 0;
  bool Negrito = false;
  TAlinhamento Alinhamento = alEsquerda;
  TTracejado Tracejado{};
  friend bool operator==(const TChamada&, const TChamada&) = default;
};

// Records every call. Text is measured from its code points, so that every
// width and height a drawer computes can be predicted exactly.
class TCanvasGravador : public ICadrelCanvas {
public:
  static constexpr double CLarguraRegular = 0.2;  // mm per code point and point of size
  static constexpr double CLarguraNegrito = 0.22;
  static constexpr double CAltura = 0.45;  // mm per point of size

  std::vector<TChamada> Chamadas;

  static double Largura(const std::string& ATexto, double ATamanhoPt, bool ANegrito) {
    std::size_t pontos = 0;
    for (unsigned char c : ATexto)
      if ((c & 0xC0) != 0x80) ++pontos;
    return static_cast<double>(pontos) * ATamanhoPt * (ANegrito ? CLarguraNegrito : CLarguraRegular);
  }

  void Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza,
             TTracejado ATracejado = {}) override {
    Chamadas.push_back({.Op = opLinha, .X = X1, .Y = Y1, .X2 = X2, .Y2 = Y2, .Espessura = AEspessuraPt,
                        .Contorno = ACinza, .Tracejado = ATracejado});
  }
  void Rectangulo(double X, double Y, double ALargura, double AAltura, double AEspessuraPt, std::int32_t AContorno,
                  std::int32_t APreenchimento) override {
    Chamadas.push_back({.Op = opRectangulo, .X = X, .Y = Y, .Largura = ALargura, .Altura = AAltura,
                        .Espessura = AEspessuraPt, .Contorno = AContorno, .Preenchimento = APreenchimento});
  }
  void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, std::int32_t AContorno,
                std::int32_t APreenchimento) override {
    Chamadas.push_back({.Op = opPoligono, .Pontos = {APontos.begin(), APontos.end()}, .Espessura = AEspessuraPt,
                        .Contorno = AContorno, .Preenchimento = APreenchimento});
  }
  void Elipse(double X, double Y, double ALargura, double AAltura, double AEspessuraPt, std::int32_t AContorno,
              std::int32_t APreenchimento) override {
    Chamadas.push_back({.Op = opElipse, .X = X, .Y = Y, .Largura = ALargura, .Altura = AAltura,
                        .Espessura = AEspessuraPt, .Contorno = AContorno, .Preenchimento = APreenchimento});
  }
  void Texto(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito, std::int32_t ACinza,
             TAlinhamento AAlinhamento) override {
    Chamadas.push_back({.Op = opTexto, .X = X, .Y = Y, .Contorno = ACinza, .Texto = ATexto, .Tamanho = ATamanhoPt,
                        .Negrito = ANegrito, .Alinhamento = AAlinhamento});
  }
  void TextoRodado(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                   std::int32_t ACinza, TAlinhamento AAlinhamento) override {
    Chamadas.push_back({.Op = opTextoRodado, .X = X, .Y = Y, .Contorno = ACinza, .Texto = ATexto,
                        .Tamanho = ATamanhoPt, .Negrito = ANegrito, .Alinhamento = AAlinhamento});
  }
  double LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) override {
    return Largura(ATexto, ATamanhoPt, ANegrito);
  }
  double AlturaTexto(double ATamanhoPt) override { return ATamanhoPt * CAltura; }
  void Imagem(double X, double Y, double ALargura, double AAltura, const std::string& ANome) override {
    Chamadas.push_back({.Op = opImagem, .X = X, .Y = Y, .Largura = ALargura, .Altura = AAltura, .Texto = ANome});
  }

  std::vector<TChamada> Do(TOpCanvas AOp) const {
    std::vector<TChamada> r;
    for (const TChamada& c : Chamadas)
      if (c.Op == AOp) r.push_back(c);
    return r;
  }
  // The dashes a line prints, each as a solid line, laid as the canvas lays
  // them: from the first point, the last one cut at the second. A solid line
  // prints itself, any other call nothing.
  static std::vector<TChamada> TracosDe(const TChamada& ALinha) {
    if (ALinha.Op != opLinha) return {};
    if (ALinha.Tracejado.Continuo()) return {ALinha};
    const double dx = ALinha.X2 - ALinha.X;
    const double dy = ALinha.Y2 - ALinha.Y;
    const double l = std::hypot(dx, dy);
    const double periodo = ALinha.Tracejado.TracoMm + ALinha.Tracejado.IntervaloMm;
    std::vector<TChamada> tracos;
    for (int k = 0; k * periodo < l; ++k) {
      const double a = k * periodo / l;
      const double b = std::min(k * periodo + ALinha.Tracejado.TracoMm, l) / l;
      TChamada t = ALinha;
      t.X = ALinha.X + a * dx;
      t.Y = ALinha.Y + a * dy;
      t.X2 = ALinha.X + b * dx;
      t.Y2 = ALinha.Y + b * dy;
      t.Tracejado = {};
      tracos.push_back(t);
    }
    return tracos;
  }
  // Every line the calls print, the dashed ones as their dashes, in order.
  std::vector<TChamada> Tracos() const {
    std::vector<TChamada> r;
    for (const TChamada& c : Chamadas) {
      const std::vector<TChamada> tracos = TracosDe(c);
      r.insert(r.end(), tracos.begin(), tracos.end());
    }
    return r;
  }
  std::vector<std::string> Textos() const {
    std::vector<std::string> r;
    for (const TChamada& c : Chamadas)
      if (c.Op == opTexto) r.push_back(c.Texto);
    return r;
  }
  std::vector<TOpCanvas> Ops() const {
    std::vector<TOpCanvas> r;
    for (const TChamada& c : Chamadas) r.push_back(c.Op);
    return r;
  }
};

}  // namespace cadrel
