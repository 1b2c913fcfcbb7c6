#include "book/tracos.hpp"

#include <array>
#include <cmath>

namespace cadrel {

void DesenharSeta(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, TPontaSeta APonta, double AEspessuraPt) {
  C.Linha(P.X, P.Y, Q.X, Q.Y, AEspessuraPt, 0);
  const double l = std::hypot(Q.X - P.X, Q.Y - P.Y);
  const double ux = (Q.X - P.X) / l;
  const double uy = (Q.Y - P.Y) / l;
  // The base of the head, then the two corners on either side of it.
  const double bx = Q.X - APonta.Comprimento * ux;
  const double by = Q.Y - APonta.Comprimento * uy;
  const double lx = -APonta.MeiaLargura * uy;
  const double ly = APonta.MeiaLargura * ux;
  const std::array<TPontoMm, 3> ponta{Q, PontoMm(bx + lx, by + ly), PontoMm(bx - lx, by - ly)};
  C.Poligono(ponta, AEspessuraPt, 0, 0);
}

void DesenharTracejado(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, double ATraco, double APeriodo,
                       double AEspessuraPt) {
  C.Linha(P.X, P.Y, Q.X, Q.Y, AEspessuraPt, 0, TTracejado{.TracoMm = ATraco, .IntervaloMm = APeriodo - ATraco});
}

}  // namespace cadrel
