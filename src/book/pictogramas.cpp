#include "book/pictogramas.hpp"

#include <array>
#include <cmath>
#include <numbers>

#include "book/tracos.hpp"

namespace cadrel {

namespace {

constexpr double CTraco = 0.8;  // the usual stroke of a pictogram
constexpr std::int32_t CPreto = 0;
constexpr std::int32_t CBranco = 255;
constexpr std::int32_t CNada = -1;

void Ponto(ICadrelCanvas& C, double cx, double cy) {
  C.Elipse(cx - 0.9, cy - 0.9, 1.8, 1.8, CTraco, CPreto, CPreto);
}

// The head is 1.5 mm long and 1.8 mm wide with its tip on the end point.
void Seta(ICadrelCanvas& C, double x1, double y1, double x2, double y2) {
  DesenharSeta(C, PontoMm(x1, y1), PontoMm(x2, y2), TPontaSeta{.Comprimento = 1.5, .MeiaLargura = 0.9}, CTraco);
}

// Eleven equal parts, the odd ones drawn: it starts and ends with a dash.
void LinhaTracejada(ICadrelCanvas& C, double x1, double y1, double x2, double y2) {
  const double parte = std::hypot(x2 - x1, y2 - y1) / 11;
  DesenharTracejado(C, PontoMm(x1, y1), PontoMm(x2, y2), parte, 2 * parte, CTraco);
}

// Ten points from straight above the centre, clockwise on the page.
void Estrela(ICadrelCanvas& C, double cx, double cy, bool ACheia) {
  std::array<TPontoMm, 10> pontos;
  for (int i = 0; i < 10; ++i) {
    const double a = i * std::numbers::pi / 5 - std::numbers::pi / 2;
    const double r = i % 2 == 0 ? 2.5 : 1.05;
    pontos[i] = PontoMm(cx + r * std::cos(a), cy + r * std::sin(a));
  }
  C.Poligono(pontos, 0.5, CPreto, ACheia ? CPreto : CBranco);
}

void Simetria(ICadrelCanvas& C, double x, double y) {
  C.Rectangulo(x + 2, y + 2, 10, 10, CTraco, CPreto, CNada);
  C.Linha(x + 2, y + 2, x + 12, y + 12, CTraco, CPreto);
  Ponto(C, x + 2, y + 2);
  Ponto(C, x + 12, y + 12);
  Ponto(C, x + 7, y + 7);
}

void Tabela(ICadrelCanvas& C, double x, double y) {
  C.Rectangulo(x + 1.5, y + 3, 11, 8, CTraco, CPreto, CNada);
  C.Linha(x + 1.5, y + 3, x + 12.5, y + 11, CTraco, CPreto);
  LinhaTracejada(C, x + 12.5, y + 3, x + 1.5, y + 11);
  Ponto(C, x + 1.5, y + 3);
  Ponto(C, x + 12.5, y + 3);
  Ponto(C, x + 1.5, y + 11);
  Ponto(C, x + 12.5, y + 11);
}

void Ordem(ICadrelCanvas& C, double x, double y) {
  C.Rectangulo(x + 4, y + 4, 9, 9, CTraco, CPreto, CNada);
  C.Linha(x + 8.5, y + 4, x + 8.5, y + 13, CTraco, CPreto);
  C.Linha(x + 4, y + 8.5, x + 13, y + 8.5, CTraco, CPreto);
  Seta(C, x + 4, y + 1.8, x + 13, y + 1.8);
  Seta(C, x + 1.8, y + 4, x + 1.8, y + 13);
}

// The white panel hides the middle of the diagonals under the summation sign.
void Somas(ICadrelCanvas& C, double x, double y, bool AQuebradas) {
  C.Rectangulo(x + 2, y + 2, 10, 10, CTraco, CPreto, CNada);
  C.Linha(x + 2, y + 2, x + 12, y + 12, 0.5, CPreto);
  C.Linha(x + 12, y + 2, x + 2, y + 12, 0.5, CPreto);
  C.Rectangulo(x + 4.2, y + 3.6, 5.6, 6.8, 0, CNada, CBranco);
  C.Linha(x + 9.2, y + 3.9, x + 4.8, y + 3.9, 1.0, CPreto);
  C.Linha(x + 4.8, y + 3.9, x + 7.2, y + 7, 1.0, CPreto);
  C.Linha(x + 7.2, y + 7, x + 4.8, y + 10.1, 1.0, CPreto);
  C.Linha(x + 4.8, y + 10.1, x + 9.2, y + 10.1, 1.0, CPreto);
  if (!AQuebradas) return;
  C.Linha(x + 12, y + 8, x + 13.5, y + 6.5, CTraco, CPreto);
  C.Linha(x + 0.5, y + 9.5, x + 2, y + 8, CTraco, CPreto);
}

}  // namespace

void DesenharPictograma(ICadrelCanvas& C, TLei ALei, double X, double Y) {
  switch (ALei) {
    case leiSIM: Simetria(C, X, Y); break;
    case leiTAB: Tabela(C, X, Y); break;
    case leiORD: Ordem(C, X, Y); break;
    case leiSOMD: Somas(C, X, Y, false); break;
    case leiSOMQ: Somas(C, X, Y, true); break;
  }
}

void DesenharLeiOculta(ICadrelCanvas& C, double X, double Y) {
  C.Elipse(X + 3.5, Y + 3.5, 7, 7, CTraco, CPreto, CNada);
}

void DesenharEstrelas(ICadrelCanvas& C, double X, double Y, std::int32_t ANivel) {
  for (int i = 0; i < 5; ++i) Estrela(C, X - 2.5 - (4 - i) * 6.5, Y + 2.5, i < ANivel);
}

}  // namespace cadrel
