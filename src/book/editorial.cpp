#include "book/editorial.hpp"

#include <cmath>
#include <vector>

#include "book/paginas.hpp"
#include "book/tracos.hpp"
#include "core/traducao.hpp"

namespace cadrel {

namespace {

constexpr double CTamanhoLicenca = 12;
constexpr double CPassoLicenca = 6.15;

// The emblem: a 60 mm square of 20 mm cells centred on the paper.
constexpr double CLadoSimbolo = 60;
constexpr double CCelulaSimbolo = 20;
constexpr double CRaioCirculo = 7;
constexpr double CTraco = 1.4;
constexpr double CPassoTraco = 2.4;

// The emblem's square, from its top-left corner.
struct TQuadradoSimbolo {
  double X0;
  double Y0;
  TPontoMm CentroCelula(int c, int r) const {
    return PontoMm(X0 + CCelulaSimbolo * c + CCelulaSimbolo / 2, Y0 + CCelulaSimbolo * r + CCelulaSimbolo / 2);
  }
};

// Dashes of 1.4 mm every 2.4 mm from P, as many as stand whole before Q: the
// line ends where the last one does.
void Tracejado(ICadrelCanvas& C, TPontoMm P, TPontoMm Q) {
  const double d = std::hypot(Q.X - P.X, Q.Y - P.Y);
  const int n = d > 0 ? static_cast<int>((d + 1) / CPassoTraco) : 0;
  if (n == 0) return;
  const double fim = (CPassoTraco * (n - 1) + CTraco) / d;
  DesenharTracejado(C, P, PontoMm(P.X + fim * (Q.X - P.X), P.Y + fim * (Q.Y - P.Y)), CTraco, CPassoTraco, 0.9);
}

// Two pieces that keep clear of the corner circles (radius + 1.5 mm) and of the centre digit.
void Diagonal(ICadrelCanvas& C, TPontoMm A, TPontoMm B) {
  const double l = std::hypot(B.X - A.X, B.Y - A.Y);
  const double ux = (B.X - A.X) / l;
  const double uy = (B.Y - A.Y) / l;
  auto em = [&](double t) { return PontoMm(A.X + t * ux, A.Y + t * uy); };
  Tracejado(C, em(8.5), em(l / 2 - 7.5));
  Tracejado(C, em(l / 2 + 7.5), em(l - 8.5));
}

void Parentese(ICadrelCanvas& C, const TQuadradoSimbolo& Q, double x, double ABraco) {
  const double cima = Q.Y0 - 4;
  const double baixo = Q.Y0 + CLadoSimbolo + 4;
  C.Linha(x, cima, x, baixo, 1.6, 0);
  C.Linha(x, cima, x + ABraco, cima, 1.6, 0);
  C.Linha(x, baixo, x + ABraco, baixo, 1.6, 0);
}

}  // namespace

std::string TextoDireitos(bool ALicenca, TIdioma AIdioma) {
  return ALicenca ? Tr(AIdioma, "Esta obra é distribuída sob a licença Creative Commons CC BY-NC-ND 4.0.")
                  : Tr(AIdioma, "© Velmaro. Todos os direitos reservados.");
}

std::string TextoSeparador(bool ASolucoes, TIdioma AIdioma) {
  return ASolucoes ? Tr(AIdioma, "Soluções") : Tr(AIdioma, "Puzzles");
}

void DesenharSelo(ICadrelCanvas& C, double X, double Y, double ALargura) {
  C.Imagem(X, Y, ALargura, ALargura * CProporcaoSelo, CRecursoSelo);
}

void DesenharPaginaLicenca(ICadrelCanvas& C, const TGeometriaPagina& G, const std::string& ATitulo,
                           TIdioma AIdioma) {
  // The block keeps its place in the lower part of the page, its lines their spacing.
  const double topo = G.Proporcional(205);
  C.Texto(CMargemEsquerda, topo, ATitulo, 14, true, 0, alEsquerda);
  C.Texto(CMargemEsquerda, topo + 11, TextoDireitos(false, AIdioma), CTamanhoLicenca, false, 0, alEsquerda);
  double y = topo + 20;
  for (const std::string& linha : QuebrarLinhas(C, TextoDireitos(true, AIdioma), G.Largura, CTamanhoLicenca, false)) {
    C.Texto(CMargemEsquerda, y, linha, CTamanhoLicenca, false, 0, alEsquerda);
    y += CPassoLicenca;
  }
  DesenharSelo(C, CMargemEsquerda, y + 4, 30);
}

void DesenharSeparador(ICadrelCanvas& C, const TGeometriaPagina& G, bool ASolucoes, TIdioma AIdioma) {
  const double h = C.AlturaTexto(36);
  const double x = G.CentroX();
  C.Texto(x, G.CentroY - h / 2 - 4, TextoSeparador(ASolucoes, AIdioma), 36, true, 0, alCentro);
  C.Linha(x - 15, G.CentroY + 14, x + 15, G.CentroY + 14, 0.8, 0);
}

void DesenharSimbolo(ICadrelCanvas& C, const TGeometriaPagina& G) {
  const TQuadradoSimbolo q{G.CentroX() - CLadoSimbolo / 2, G.CentroY - CLadoSimbolo / 2};
  Parentese(C, q, q.X0 - 5, 4.5);
  Parentese(C, q, q.X0 + CLadoSimbolo + 5, -4.5);

  const double h = C.AlturaTexto(28);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      C.Texto(q.CentroCelula(c, r).X, q.Y0 + CCelulaSimbolo * r + (CCelulaSimbolo - h) / 2,
              std::to_string(3 * r + c + 1), 28, true, 0, alCentro);

  Diagonal(C, q.CentroCelula(0, 0), q.CentroCelula(2, 2));
  Diagonal(C, q.CentroCelula(2, 0), q.CentroCelula(0, 2));

  for (const TPontoMm centro :
       {q.CentroCelula(0, 0), q.CentroCelula(2, 0), q.CentroCelula(0, 2), q.CentroCelula(2, 2)})
    C.Elipse(centro.X - CRaioCirculo, centro.Y - CRaioCirculo, 2 * CRaioCirculo, 2 * CRaioCirculo, 1.2, 0, -1);
}

}  // namespace cadrel
