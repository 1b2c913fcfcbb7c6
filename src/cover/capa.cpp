#include "cover/capa.hpp"

#include "cover/paineis.hpp"

namespace cadrel {

void DesenharCapa(ICadrelCanvas& C, const TGeometriaCapa& AG, const TLivro& ALivro) {
  // A millimetre past every edge: the canvas rounds the page's lengths to its
  // own units, and no hairline of paper may show where the ground stops short.
  C.Rectangulo(-1, -1, AG.Largura + 2, AG.Altura + 2, 0, -1, CCinzaFundoCapa);
  DesenharContracapa(C, AG, ALivro);
  DesenharLombada(C, AG, ALivro);
  DesenharFrente(C, AG, ALivro);
}

}  // namespace cadrel
