#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "drawing/canvas.hpp"

namespace cadrel {

enum TOpCanvas : std::uint8_t { opLinha, opRectangulo, opPoligono, opElipse, opTexto, opImagem };

// One drawing call with its arguments. Linha: (X, Y) to (X2, Y2), grey in
// Contorno. Rectangulo, Elipse, Imagem: the box (X, Y, Largura, Altura).
// Texto: the anchor (X, Y), grey in Contorno. Imagem: the resource in Texto.
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

  void Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza) override {
    Chamadas.push_back({.Op = opLinha, .X = X1, .Y = Y1, .X2 = X2, .Y2 = Y2, .Espessura = AEspessuraPt,
                        .Contorno = ACinza});
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
