#include "book/editorial.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "book/canvas_gravador.hpp"

namespace cadrel {
namespace {

TEST(Editorial, Textos) {
  EXPECT_EQ(TextoDireitos(true), "Esta obra é distribuída sob a licença Creative Commons CC BY-NC-ND 4.0.");
  const std::string direitos = TextoDireitos(false);
  EXPECT_NE(direitos.find("©"), std::string::npos);
  EXPECT_NE(direitos.find("Velmaro"), std::string::npos);
  EXPECT_EQ(TextoSeparador(false), "Puzzles");
  EXPECT_EQ(TextoSeparador(true), "Soluções");
}

TEST(Editorial, PaginaDaLicencaComOSeloDebaixoDoTexto) {
  TCanvasGravador c;
  DesenharPaginaLicenca(c, CGeometriaA4, "QUORVEL");
  // The licence sentence fits one 174 mm line at 12 pt on the recording canvas.
  ASSERT_EQ(c.Ops(), (std::vector<TOpCanvas>{opTexto, opTexto, opTexto, opImagem}));
  EXPECT_EQ(c.Chamadas[0], (TChamada{.Op = opTexto, .X = 18, .Y = 205, .Contorno = 0, .Texto = "QUORVEL",
                                     .Tamanho = 14, .Negrito = true, .Alinhamento = alEsquerda}));
  EXPECT_EQ(c.Chamadas[1], (TChamada{.Op = opTexto, .X = 18, .Y = 216, .Contorno = 0, .Texto = TextoDireitos(false),
                                     .Tamanho = 12, .Negrito = false, .Alinhamento = alEsquerda}));
  EXPECT_EQ(c.Chamadas[2], (TChamada{.Op = opTexto, .X = 18, .Y = 225, .Contorno = 0, .Texto = TextoDireitos(true),
                                     .Tamanho = 12, .Negrito = false, .Alinhamento = alEsquerda}));
  const TChamada selo = c.Chamadas[3];
  EXPECT_EQ(selo.Texto, "SELO_CC_BY_NC_ND");
  EXPECT_EQ(selo.X, 18);
  EXPECT_DOUBLE_EQ(selo.Y, 235.15);
  EXPECT_EQ(selo.Largura, 30);
  EXPECT_EQ(selo.Altura, 10.546875);
}

TEST(Editorial, Separadores) {
  const double h = 36 * TCanvasGravador::CAltura;
  for (bool solucoes : {false, true}) {
    TCanvasGravador c;
    DesenharSeparador(c, CGeometriaA4, solucoes);
    ASSERT_EQ(c.Chamadas.size(), 2u);
    EXPECT_EQ(c.Chamadas[0], (TChamada{.Op = opTexto, .X = 105, .Y = 148.5 - h / 2 - 4, .Contorno = 0,
                                       .Texto = solucoes ? "Soluções" : "Puzzles", .Tamanho = 36, .Negrito = true,
                                       .Alinhamento = alCentro}));
    EXPECT_EQ(c.Chamadas[1],
              (TChamada{.Op = opLinha, .X = 90, .Y = 162.5, .X2 = 120, .Y2 = 162.5, .Espessura = 0.8, .Contorno = 0}));
  }
}

TEST(Editorial, Simbolo) {
  TCanvasGravador c;
  DesenharSimbolo(c, CGeometriaA4);
  std::vector<TOpCanvas> ops(6, opLinha);
  ops.insert(ops.end(), 9, opTexto);
  ops.insert(ops.end(), 4, opLinha);  // the dashed pieces
  ops.insert(ops.end(), 4, opElipse);
  ASSERT_EQ(c.Ops(), ops);

  // Left bracket: the upright first, then its arms; the right one mirrors it.
  const TChamada esperados[] = {
      {.Op = opLinha, .X = 70, .Y = 114.5, .X2 = 70, .Y2 = 182.5, .Espessura = 1.6, .Contorno = 0},
      {.Op = opLinha, .X = 70, .Y = 114.5, .X2 = 74.5, .Y2 = 114.5, .Espessura = 1.6, .Contorno = 0},
      {.Op = opLinha, .X = 70, .Y = 182.5, .X2 = 74.5, .Y2 = 182.5, .Espessura = 1.6, .Contorno = 0},
      {.Op = opLinha, .X = 140, .Y = 114.5, .X2 = 140, .Y2 = 182.5, .Espessura = 1.6, .Contorno = 0},
      {.Op = opLinha, .X = 140, .Y = 114.5, .X2 = 135.5, .Y2 = 114.5, .Espessura = 1.6, .Contorno = 0},
      {.Op = opLinha, .X = 140, .Y = 182.5, .X2 = 135.5, .Y2 = 182.5, .Espessura = 1.6, .Contorno = 0},
  };
  for (int i = 0; i < 6; ++i) EXPECT_EQ(c.Chamadas[i], esperados[i]) << i;

  const double h = 28 * TCanvasGravador::CAltura;
  for (int i = 0; i < 9; ++i) {
    const TChamada& t = c.Chamadas[6 + i];
    EXPECT_EQ(t.Texto, std::to_string(i + 1));
    EXPECT_EQ(t.X, 85 + 20 * (i % 3));
    EXPECT_DOUBLE_EQ(t.Y, 118.5 + 20 * (i / 3) + (20 - h) / 2);
    EXPECT_EQ(t.Tamanho, 28);
    EXPECT_TRUE(t.Negrito);
    EXPECT_EQ(t.Alinhamento, alCentro);
  }

  // Four dashed pieces of about 12.28 mm, five dashes each, 1.4 mm long every 2.4 mm.
  const double l = 40 * std::sqrt(2.0);
  const TPontoMm inicios[] = {{85, 128.5}, {85, 128.5}, {125, 128.5}, {125, 128.5}};
  const double sx[] = {1, 1, -1, -1};
  const double distancia[] = {8.5, l / 2 + 7.5, 8.5, l / 2 + 7.5};
  EXPECT_NEAR(l / 2 - 7.5 - 8.5, 12.28, 0.005);
  for (int peca = 0; peca < 4; ++peca) {
    const std::vector<TChamada> tracos = TCanvasGravador::TracosDe(c.Chamadas[15 + peca]);
    ASSERT_EQ(tracos.size(), 5u) << peca;
    for (int k = 0; k < 5; ++k) {
      const TChamada& t = tracos[k];
      const double a = distancia[peca] + 2.4 * k;
      const double b = a + 1.4;
      EXPECT_NEAR(t.X, inicios[peca].X + sx[peca] * a / std::sqrt(2.0), 1e-9);
      EXPECT_NEAR(t.Y, inicios[peca].Y + a / std::sqrt(2.0), 1e-9);
      EXPECT_NEAR(t.X2, inicios[peca].X + sx[peca] * b / std::sqrt(2.0), 1e-9);
      EXPECT_NEAR(t.Y2, inicios[peca].Y + b / std::sqrt(2.0), 1e-9);
      EXPECT_EQ(t.Espessura, 0.9);
    }
  }

  const TPontoMm centros[] = {{85, 128.5}, {125, 128.5}, {85, 168.5}, {125, 168.5}};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(c.Chamadas[19 + i], (TChamada{.Op = opElipse, .X = centros[i].X - 7, .Y = centros[i].Y - 7,
                                            .Largura = 14, .Altura = 14, .Espessura = 1.2, .Contorno = 0,
                                            .Preenchimento = -1}));
}

TEST(Editorial, SeloNaSuaProporcao) {
  TCanvasGravador c;
  DesenharSelo(c, 40, 50, 64);
  EXPECT_EQ(c.Chamadas.at(0), (TChamada{.Op = opImagem, .X = 40, .Y = 50, .Largura = 64, .Altura = 22.5,
                                        .Contorno = -1, .Texto = "SELO_CC_BY_NC_ND"}));
}

}  // namespace
}  // namespace cadrel
