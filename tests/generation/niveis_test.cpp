#include "generation/niveis.hpp"

#include <gtest/gtest.h>

#include "apoio.hpp"

#include "generation/bandas.hpp"

namespace cadrel {
namespace {


std::vector<int> Codigos(const std::vector<TReceita>& receitas) {
  std::vector<int> codigos;
  for (TReceita r : receitas) codigos.push_back(CodigoReceita(r));
  return codigos;
}

TEST(Niveis, ParametrosPorNivel) {
  const int percentagens[] = {200, 150, 125, 110, 100, 100};
  const TTecnica tecnicas[] = {tecT4, tecT4, tecT5, tecT6, tecT6, tecT6};
  for (int nivel = 1; nivel <= 6; ++nivel) {
    EXPECT_EQ(ParametrosNivel(static_cast<TNivel>(nivel)).PercentagemDados, percentagens[nivel - 1]);
    EXPECT_EQ(ParametrosNivel(static_cast<TNivel>(nivel)).TecnicaMax, tecnicas[nivel - 1]);
  }
}

TEST(Niveis, DadosAlvo) {
  EXPECT_EQ(DadosAlvo(1, 6, 4), 9);
  EXPECT_EQ(DadosAlvo(5, 6, 4), 6);
  EXPECT_EQ(DadosAlvo(2, 11, 4), 11);
  EXPECT_EQ(DadosAlvo(3, 10, 7), 13);
  EXPECT_EQ(DadosAlvo(1, 20, 7), 29);
}

TEST(Niveis, DistribuicaoProgressiva) {
  EXPECT_EQ(DistribuicaoProgressiva(50), (std::array<int, 5>{10, 10, 10, 10, 10}));
  EXPECT_EQ(DistribuicaoProgressiva(7), (std::array<int, 5>{2, 2, 1, 1, 1}));
  EXPECT_EQ(DistribuicaoProgressiva(3), (std::array<int, 5>{1, 1, 1, 0, 0}));
}

TEST(Niveis, ReceitasPermitidasPelasLeis) {
  const TConjuntoLeis todas = TConjuntoLeis::DeCodigo(31);
  EXPECT_EQ(Codigos(ReceitasPermitidas(1, 5, {leiORD, leiSIM})), std::vector<int>{5});
  EXPECT_EQ(Codigos(ReceitasPermitidas(1, 5, {leiTAB})), std::vector<int>{2});
  EXPECT_EQ(Codigos(ReceitasPermitidas(2, 5, {leiTAB, leiSIM})), std::vector<int>{2});
  EXPECT_TRUE(ReceitasPermitidas(1, 5, {}).empty());
  EXPECT_EQ(Codigos(ReceitasPermitidas(3, 6, todas)), (std::vector<int>{3, 9}));
  EXPECT_EQ(Codigos(ReceitasPermitidas(5, 4, todas)), (std::vector<int>{16, 9}));
  EXPECT_EQ(Codigos(ReceitasPermitidas(5, 5, todas)), (std::vector<int>{17, 9}));
  EXPECT_FALSE(TodosNiveisDisponiveis(5, {leiORD, leiSIM}));
  EXPECT_TRUE(NivelDisponivel(2, 5, {leiORD, leiSIM}));
  EXPECT_FALSE(NivelDisponivel(3, 5, {leiORD, leiSIM}));
  EXPECT_TRUE(TodosNiveisDisponiveis(4, todas));
}

TEST(Bandas, ProcuraPorChave) {
  EXPECT_EQ(BandaPontuacao(3, 6, Receita(3)), (TBanda{2.123, 2.2242}));
  EXPECT_EQ(BandaPontuacao(5, 7, Receita(17)), (TBanda{7.0184, 8.3489}));
  EXPECT_EQ(BandaPontuacao(1, 4, Receita(9)), (TBanda{0, 1e9}));
  TBanda banda{1, 1};
  EXPECT_FALSE(ProcurarBanda(1, 4, 9, banda));
  EXPECT_EQ(banda, (TBanda{0, 0}));
  EXPECT_TRUE(ProcurarBanda(1, 4, 5, banda));
  EXPECT_EQ(banda, (TBanda{0.6542, 0.7208}));
  // Every main and alternative recipe of every level and size has its band.
  for (TNivel nivel = 1; nivel <= 5; ++nivel)
    for (int n = 4; n <= 7; ++n)
      for (TReceita r : ReceitasNivel(nivel, n)) EXPECT_TRUE(ProcurarBanda(nivel, n, CodigoReceita(r), banda));
}

}  // namespace
}  // namespace cadrel
