#include "book/pictogramas.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "book/canvas_gravador.hpp"

namespace cadrel {
namespace {

TCanvasGravador Pictograma(TLei ALei, double X, double Y) {
  TCanvasGravador c;
  DesenharPictograma(c, ALei, X, Y);
  return c;
}

void ExpectPonto(TPontoMm p, double x, double y) {
  EXPECT_NEAR(p.X, x, 1e-12);
  EXPECT_NEAR(p.Y, y, 1e-12);
}

TEST(Pictogramas, FigurasPelaOrdemEComAsSuasEspessuras) {
  struct Caso {
    TLei lei;
    std::vector<TOpCanvas> ops;
  };
  const std::vector<TOpCanvas> somas{opRectangulo, opLinha, opLinha, opRectangulo, opLinha, opLinha, opLinha, opLinha};
  std::vector<TOpCanvas> quebradas = somas;
  quebradas.insert(quebradas.end(), {opLinha, opLinha});
  const Caso casos[] = {
      {leiSIM, {opRectangulo, opLinha, opElipse, opElipse, opElipse}},
      {leiTAB, {opRectangulo, opLinha, opLinha, opElipse, opElipse, opElipse, opElipse}},
      {leiORD, {opRectangulo, opLinha, opLinha, opLinha, opPoligono, opLinha, opPoligono}},
      {leiSOMD, somas},
      {leiSOMQ, quebradas},
  };
  for (const Caso& caso : casos) EXPECT_EQ(Pictograma(caso.lei, 0, 0).Ops(), caso.ops) << int(caso.lei);

  // The sums differ only by the two strokes of a broken diagonal.
  const TCanvasGravador d = Pictograma(leiSOMD, 18, 40);
  const TCanvasGravador q = Pictograma(leiSOMQ, 18, 40);
  ASSERT_EQ(q.Chamadas.size(), d.Chamadas.size() + 2);
  EXPECT_TRUE(std::equal(d.Chamadas.begin(), d.Chamadas.end(), q.Chamadas.begin()));
  // Thin diagonals under a white panel, a heavier summation sign on it.
  EXPECT_EQ(d.Chamadas[1].Espessura, 0.5);
  EXPECT_EQ(d.Chamadas[3], (TChamada{.Op = opRectangulo, .X = 18 + 4.2, .Y = 40 + 3.6, .Largura = 5.6, .Altura = 6.8,
                                     .Espessura = 0, .Contorno = -1, .Preenchimento = 255}));
  EXPECT_EQ(d.Chamadas[4].Espessura, 1.0);
}

TEST(Pictogramas, TracejadoESetas) {
  // Table: six dashes from (12.5, 3) to (1.5, 11), the odd elevenths of the way.
  const std::vector<TChamada> linhas = Pictograma(leiTAB, 0, 0).Tracos();
  ASSERT_EQ(linhas.size(), 7u);
  for (int i = 0; i < 6; ++i) {
    const TChamada& t = linhas[1 + i];
    EXPECT_NEAR(t.X, 12.5 - 11.0 * (2 * i) / 11, 1e-12);
    EXPECT_NEAR(t.Y, 3 + 8.0 * (2 * i) / 11, 1e-12);
    EXPECT_NEAR(t.X2, 12.5 - 11.0 * (2 * i + 1) / 11, 1e-12);
    EXPECT_NEAR(t.Y2, 3 + 8.0 * (2 * i + 1) / 11, 1e-12);
    EXPECT_EQ(t.Espessura, 0.8);
  }
  EXPECT_NEAR(linhas.back().X2, 1.5, 1e-12);
  EXPECT_NEAR(linhas.back().Y2, 11, 1e-12);

  // Order: filled heads 1.5 mm long and 1.8 mm wide, tips on the end points.
  const std::vector<TChamada> pontas = Pictograma(leiORD, 0, 0).Do(opPoligono);
  ASSERT_EQ(pontas.size(), 2u);
  ASSERT_EQ(pontas[0].Pontos.size(), 3u);
  ASSERT_EQ(pontas[1].Pontos.size(), 3u);
  ExpectPonto(pontas[0].Pontos[0], 13, 1.8);
  ExpectPonto(pontas[0].Pontos[1], 11.5, 2.7);
  ExpectPonto(pontas[0].Pontos[2], 11.5, 0.9);
  ExpectPonto(pontas[1].Pontos[0], 1.8, 13);
  ExpectPonto(pontas[1].Pontos[1], 0.9, 11.5);
  ExpectPonto(pontas[1].Pontos[2], 2.7, 11.5);
  for (const TChamada& p : pontas) {
    EXPECT_EQ(p.Contorno, 0);
    EXPECT_EQ(p.Preenchimento, 0);
  }
}

TEST(Pictogramas, TudoDentroDaCaixa) {
  constexpr double x = 18, y = 60;
  for (TLei lei : {leiSIM, leiTAB, leiORD, leiSOMD, leiSOMQ}) {
    std::vector<TPontoMm> pontos;
    for (const TChamada& t : Pictograma(lei, x, y).Chamadas) {
      if (t.Op == opLinha) pontos.insert(pontos.end(), {PontoMm(t.X, t.Y), PontoMm(t.X2, t.Y2)});
      if (t.Op == opRectangulo || t.Op == opElipse)
        pontos.insert(pontos.end(), {PontoMm(t.X, t.Y), PontoMm(t.X + t.Largura, t.Y + t.Altura)});
      pontos.insert(pontos.end(), t.Pontos.begin(), t.Pontos.end());
    }
    for (TPontoMm p : pontos) {
      EXPECT_GE(p.X, x + 0.5 - 1e-9) << int(lei);
      EXPECT_LE(p.X, 31.5 + 1e-9) << int(lei);
      EXPECT_GE(p.Y, y + 0.5 - 1e-9) << int(lei);
      EXPECT_LE(p.Y, y + 13 + 1e-9) << int(lei);
    }
  }
}

TEST(Pictogramas, LeiOcultaNoCentroDaSimetria) {
  TCanvasGravador c;
  DesenharLeiOculta(c, 42, 30);
  ASSERT_EQ(c.Chamadas.size(), 1u);
  EXPECT_EQ(c.Chamadas[0], (TChamada{.Op = opElipse, .X = 45.5, .Y = 33.5, .Largura = 7, .Altura = 7,
                                     .Espessura = 0.8, .Contorno = 0, .Preenchimento = -1}));
  const TChamada centro = Pictograma(leiSIM, 42, 30).Chamadas.back();
  EXPECT_EQ(centro.X + centro.Largura / 2, 49);
  EXPECT_EQ(centro.Y + centro.Altura / 2, 37);
}

TEST(Estrelas, PontasRaiosEPreenchimento) {
  struct Caso {
    std::int32_t nivel;
    std::vector<std::int32_t> preenchimentos;
  };
  const Caso casos[] = {{0, {255, 255, 255, 255, 255}}, {3, {0, 0, 0, 255, 255}}, {5, {0, 0, 0, 0, 0}}};
  for (const Caso& caso : casos) {
    TCanvasGravador c;
    DesenharEstrelas(c, 192, 10, caso.nivel);
    ASSERT_EQ(c.Ops(), std::vector<TOpCanvas>(5, opPoligono));
    for (int i = 0; i < 5; ++i) {
      const TChamada& e = c.Chamadas[i];
      EXPECT_EQ(e.Preenchimento, caso.preenchimentos[i]);
      EXPECT_EQ(e.Contorno, 0);
      EXPECT_EQ(e.Espessura, 0.5);
      const double cx = 192 - 2.5 - (4 - i) * 6.5;
      ASSERT_EQ(e.Pontos.size(), 10u);
      ExpectPonto(e.Pontos[0], cx, 10);  // straight above the centre, on the row's top
      for (int k = 0; k < 10; ++k) {
        const TPontoMm p = e.Pontos[k];
        EXPECT_NEAR(std::hypot(p.X - cx, p.Y - 12.5), k % 2 == 0 ? 2.5 : 1.05, 1e-12);
      }
      // Clockwise on the page: the next points lie to the right of the top one.
      EXPECT_GT(e.Pontos[1].X, cx);
      EXPECT_GT(e.Pontos[2].X, cx);
    }
  }
}

}  // namespace
}  // namespace cadrel
