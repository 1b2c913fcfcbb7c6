#include "book/grelha.hpp"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "book/canvas_gravador.hpp"
#include "book/pictogramas.hpp"

namespace cadrel {
namespace {

TEST(Grelha, TamanhoDosAlgarismos) {
  struct Caso {
    double lado;
    std::int32_t N;
    double pt;
  };
  const Caso casos[] = {{64, 4, 17.23}, {55, 4, 14.81}, {74, 5, 15.94}, {74, 6, 13.29}, {74, 7, 11.39}, {20, 7, 8}};
  for (const Caso& c : casos) EXPECT_NEAR(TamanhoDigitos(c.lado, c.N), c.pt, 0.005) << c.lado << " " << c.N;
}

// A 4 × 4 grid of side 40 at (20, 50) with givens in cells 0 and 5.
class DesenharGrelhaTeste : public ::testing::Test {
protected:
  std::vector<std::int32_t> FSolucao = [] {
    std::vector<std::int32_t> v(16);
    std::iota(v.begin(), v.end(), 10);
    return v;
  }();
  std::vector<std::int32_t> FDados = [this] {
    std::vector<std::int32_t> v(16, 0);
    v[0] = FSolucao[0];
    v[5] = FSolucao[5];
    return v;
  }();

  TCanvasGravador Desenhar(bool AMostrarSolucao) {
    TCanvasGravador c;
    DesenharGrelha(c, 4, FDados, FSolucao, 20, 50, 40, AMostrarSolucao, 12);
    return c;
  }
};

TEST_F(DesenharGrelhaTeste, SombraLinhasMolduraENumerosPorEstaOrdem) {
  for (bool solucao : {false, true}) {
    const TCanvasGravador c = Desenhar(solucao);
    const std::size_t numeros = solucao ? 16 : 2;
    ASSERT_EQ(c.Chamadas.size(), 2 + 6 + 1 + numeros);
    // Given cells are shaded in both modes.
    EXPECT_EQ(c.Chamadas[0], (TChamada{.Op = opRectangulo, .X = 20, .Y = 50, .Largura = 10, .Altura = 10,
                                       .Espessura = 0, .Contorno = -1, .Preenchimento = 235}));
    EXPECT_EQ(c.Chamadas[1], (TChamada{.Op = opRectangulo, .X = 30, .Y = 60, .Largura = 10, .Altura = 10,
                                       .Espessura = 0, .Contorno = -1, .Preenchimento = 235}));
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(c.Chamadas[2 * k], (TChamada{.Op = opLinha, .X = 20, .Y = 50 + 10.0 * k, .X2 = 60,
                                             .Y2 = 50 + 10.0 * k, .Espessura = 0.25, .Contorno = 0}));
      EXPECT_EQ(c.Chamadas[2 * k + 1], (TChamada{.Op = opLinha, .X = 20 + 10.0 * k, .Y = 50, .X2 = 20 + 10.0 * k,
                                                 .Y2 = 90, .Espessura = 0.25, .Contorno = 0}));
    }
    EXPECT_EQ(c.Chamadas[8], (TChamada{.Op = opRectangulo, .X = 20, .Y = 50, .Largura = 40, .Altura = 40,
                                       .Espessura = 0.8, .Contorno = 0, .Preenchimento = -1}));
    for (std::size_t i = 9; i < c.Chamadas.size(); ++i) {
      const TChamada& t = c.Chamadas[i];
      EXPECT_EQ(t.Op, opTexto);
      EXPECT_EQ(t.Tamanho, 12);
      EXPECT_EQ(t.Contorno, 0);
      EXPECT_EQ(t.Alinhamento, alCentro);
    }
  }
}

TEST_F(DesenharGrelhaTeste, DadosANegritoNoPuzzleERegularesNaSolucao) {
  const double h = 12 * TCanvasGravador::CAltura;
  const std::vector<TChamada> puzzle = Desenhar(false).Do(opTexto);
  ASSERT_EQ(puzzle.size(), 2u);
  EXPECT_EQ(puzzle[1].Texto, "15");
  EXPECT_EQ(puzzle[1].X, 35);
  EXPECT_DOUBLE_EQ(puzzle[1].Y, 60 + (10 - h) / 2);
  EXPECT_TRUE(puzzle[0].Negrito && puzzle[1].Negrito);

  const std::vector<TChamada> solucao = Desenhar(true).Do(opTexto);
  ASSERT_EQ(solucao.size(), 16u);
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(solucao[i].Texto, std::to_string(FSolucao[i]));
    EXPECT_EQ(solucao[i].Negrito, FDados[i] == 0) << i;
    EXPECT_EQ(solucao[i].X, 20 + 10.0 * (i % 4) + 5);
    EXPECT_DOUBLE_EQ(solucao[i].Y, 50 + 10.0 * (i / 4) + (10 - h) / 2);
  }
}

TEST(NumerosEmFalta, PelaOrdemDoConjunto) {
  const std::vector<std::int32_t> conjunto{13, 3, 8, 5};
  EXPECT_EQ(NumerosEmFalta(conjunto, std::vector<std::int32_t>{0, 8, 0, 3}), (std::vector<std::int32_t>{13, 5}));
  EXPECT_TRUE(NumerosEmFalta(conjunto, std::vector<std::int32_t>{5, 8, 3, 13}).empty());
}

// At 9.5 pt a two-digit number is 3.8 mm wide: with its 4 mm gap, 10 fit in 94 mm.
TEST(CaixaNumeros, LinhasEquilibradasLarguraECentragem) {
  struct Caso {
    std::int32_t n;
    double larguraMax;
    std::vector<std::size_t> porLinha;
    double largura;
  };
  const Caso casos[] = {
      {23, 94, {8, 8, 7}, 8 * 3.8 + 7 * 4 + 8},
      {4, 94, {4}, 40},   // raised to the minimum width
      {4, 30, {2, 2}, 30},  // lowered to the room there is
      {1, 2, {1}, 2},     // at least one per row, however narrow
  };
  for (const Caso& caso : casos) {
    std::vector<std::int32_t> numeros(caso.n);
    std::iota(numeros.begin(), numeros.end(), 10);
    TCanvasGravador c;
    const double fim = DesenharCaixaNumeros(c, 100, 40, caso.larguraMax, numeros);
    const double h = static_cast<double>(caso.porLinha.size()) * 5.6 + 4;
    EXPECT_DOUBLE_EQ(fim, 40 + h);
    ASSERT_FALSE(c.Chamadas.empty());
    const TChamada moldura = c.Chamadas[0];
    EXPECT_EQ(moldura.Op, opRectangulo);
    EXPECT_EQ(moldura.X, 100);
    EXPECT_EQ(moldura.Y, 40);
    EXPECT_NEAR(moldura.Largura, caso.largura, 1e-9);
    EXPECT_DOUBLE_EQ(moldura.Altura, h);
    EXPECT_EQ(moldura.Espessura, 0.5);
    EXPECT_EQ(moldura.Preenchimento, -1);
    // Measured before it is drawn, the box has the size it is drawn at.
    const TMedidaCaixa medida = MedirCaixaNumeros(c, caso.larguraMax, numeros);
    EXPECT_EQ(medida.Largura, moldura.Largura);
    EXPECT_EQ(medida.Altura, moldura.Altura);

    std::map<double, std::vector<TChamada>> linhas;
    for (const TChamada& t : c.Do(opTexto)) {
      EXPECT_EQ(t.Tamanho, 9.5);
      EXPECT_FALSE(t.Negrito);
      linhas[t.Y].push_back(t);
    }
    ASSERT_EQ(linhas.size(), caso.porLinha.size()) << caso.n;
    std::size_t k = 0;
    for (const auto& [y, textos] : linhas) {
      EXPECT_EQ(textos.size(), caso.porLinha[k]);
      EXPECT_DOUBLE_EQ(y, 40 + 2 + 5.6 * static_cast<double>(k) + (5.6 - 9.5 * TCanvasGravador::CAltura) / 2);
      const double largura = static_cast<double>(textos.size()) * 7.8 - 4;
      EXPECT_NEAR(textos.front().X, 100 + moldura.Largura / 2 - largura / 2, 1e-9);
      EXPECT_NEAR(textos.back().X + 3.8, 100 + moldura.Largura / 2 + largura / 2, 1e-9);
      ++k;
    }
  }

  TCanvasGravador vazio;
  EXPECT_EQ(DesenharCaixaNumeros(vazio, 100, 40, 94, {}), 40);
  EXPECT_TRUE(vazio.Chamadas.empty());
  EXPECT_EQ(MedirCaixaNumeros(vazio, 94, {}).Largura, 0);
  EXPECT_EQ(MedirCaixaNumeros(vazio, 94, {}).Altura, 0);
}

TEST(LeisPuzzle, OrdemDasLeisEUmaSoLeiDeSomas) {
  struct Caso {
    int codigo;
    std::vector<TLei> leis;
  };
  const Caso casos[] = {
      {31, {leiORD, leiTAB, leiSIM, leiSOMQ}},
      {24, {leiSOMQ}},
      {9, {leiSIM, leiSOMD}},
      {5, {leiORD, leiSIM}},
      {0, {}},
  };
  for (const Caso& c : casos) EXPECT_EQ(LeisPorOrdem(Receita(c.codigo)), c.leis) << c.codigo;
}

TEST(LeisPuzzle, CirculosNoNivelCincoEPictogramasAbaixo) {
  TPuzzle p;
  p.Receita = Receita(5);  // ORD+SIM
  p.Nivel = 5;
  TCanvasGravador oculto;
  DesenharLeisPuzzle(oculto, p, 18, 100);
  TCanvasGravador esperado;
  DesenharLeiOculta(esperado, 18, 101);
  DesenharLeiOculta(esperado, 42, 101);
  EXPECT_EQ(oculto.Chamadas, esperado.Chamadas);

  p.Nivel = 4;
  TCanvasGravador visivel;
  DesenharLeisPuzzle(visivel, p, 18, 100);
  TCanvasGravador pictogramas;
  DesenharPictograma(pictogramas, leiORD, 18, 101);
  DesenharPictograma(pictogramas, leiSIM, 42, 101);
  EXPECT_EQ(visivel.Chamadas, pictogramas.Chamadas);
}

}  // namespace
}  // namespace cadrel
