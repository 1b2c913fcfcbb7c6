#include "generation/opcoes.hpp"

#include <gtest/gtest.h>

#include <string>

namespace cadrel {
namespace {

const TEscolhaLeis CSurpresa{};
const TConjuntoLeis CTodas{leiSIM, leiTAB, leiORD, leiSOMD, leiSOMQ};

TEscolhaLeis Escolher(bool ASimetria, bool ATabela, bool AOrdem, bool ASomas) {
  return {true, ASimetria, ATabela, AOrdem, ASomas};
}

TEST(NomeFicheiroPadrao, EtiquetaDoNivel) {
  EXPECT_EQ(NomeFicheiroPadrao(5, 0, 50), "Quorvel_5x5_P_50.pdf");
  EXPECT_EQ(NomeFicheiroPadrao(6, 3, 20), "Quorvel_6x6_N3_20.pdf");
  EXPECT_EQ(NomeFicheiroPadrao(4, 5, 1), "Quorvel_4x4_N5_1.pdf");
}

TEST(LerNumPuzzles, SoInteirosCompletosDe1A200) {
  const struct {
    const char* Texto;
    bool Valido;
    std::int32_t Num;
  } casos[] = {
      {" 12 ", true, 12}, {"1", true, 1},    {"200", true, 200}, {"\t7\n", true, 7}, {"0", false, 0},
      {"201", false, 0},  {"-5", false, 0},  {"12a", false, 0},  {"", false, 0},     {"   ", false, 0},
      {"1 2", false, 0},  {"99999999999", false, 0},
  };
  for (const auto& caso : casos) {
    std::int32_t num = -1;
    EXPECT_EQ(LerNumPuzzles(caso.Texto, num), caso.Valido) << '"' << caso.Texto << '"';
    EXPECT_EQ(num, caso.Num) << '"' << caso.Texto << '"';
  }
}

TEST(LeisEscolhidas, SurpresaDaTodasESomasValeAsDuas) {
  EXPECT_EQ(LeisEscolhidas(CSurpresa), CTodas);
  EXPECT_EQ(LeisEscolhidas({false, false, true, false, false}), CTodas);  // the boxes do not count
  EXPECT_EQ(LeisEscolhidas(Escolher(false, false, false, true)), (TConjuntoLeis{leiSOMD, leiSOMQ}));
  EXPECT_EQ(LeisEscolhidas(Escolher(true, true, true, false)), (TConjuntoLeis{leiSIM, leiTAB, leiORD}));
  EXPECT_TRUE(LeisEscolhidas(Escolher(false, false, false, false)).Vazio());
}

TEST(NiveisPossiveis, PorLeisETamanho) {
  for (std::int32_t n = 4; n <= 7; ++n) {
    const TNiveisPossiveis todos = NiveisPossiveis(n, CTodas);
    for (bool p : todos) EXPECT_TRUE(p) << n;
  }
  // ORD+SIM only serves levels 1 and 2, so no progressive book either.
  EXPECT_EQ(NiveisPossiveis(5, {leiORD, leiSIM}), (TNiveisPossiveis{true, true, false, false, false, false}));
  // SOM-Q alone is level 5 on 4x4 only.
  EXPECT_EQ(NiveisPossiveis(4, {leiSOMQ}), (TNiveisPossiveis{false, false, false, false, true, false}));
  EXPECT_FALSE(AlgumNivelPossivel(NiveisPossiveis(5, {leiSOMQ})));
}

TEST(IndiceNivelValido, MantemOuCaiNoPrimeiroPossivel) {
  const TNiveisPossiveis dois{true, true, false, false, false, false};
  const TNiveisPossiveis so5{false, false, false, false, true, false};
  const TNiveisPossiveis nenhum{};
  EXPECT_EQ(IndiceNivelValido(1, dois), 1);
  EXPECT_EQ(IndiceNivelValido(5, dois), 0);
  EXPECT_EQ(IndiceNivelValido(-1, dois), 0);
  EXPECT_EQ(IndiceNivelValido(6, dois), 0);
  EXPECT_EQ(IndiceNivelValido(0, so5), 4);
  EXPECT_EQ(IndiceNivelValido(3, nenhum), -1);
}

TEST(NivelDoIndice, ProgressivaEZeroEMinimoCinco) {
  for (std::int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(NivelDoIndice(i), i + 1);
    EXPECT_EQ(MinimoPuzzles(i), 1);
  }
  EXPECT_EQ(NivelDoIndice(5), 0);
  EXPECT_EQ(MinimoPuzzles(5), 5);
}

TEST(TextoResumo, Exemplos) {
  const struct {
    std::int32_t Num, N, Indice;
    TEscolhaLeis Escolha;
    const char* Texto;
  } casos[] = {
      {1, 4, 0, CSurpresa, "1 puzzle · 4 × 4 · nível 1"},
      {50, 5, 5, CSurpresa, "50 puzzles · 5 × 5 · progressiva: 10 + 10 + 10 + 10 + 10"},
      {7, 4, 5, CSurpresa, "7 puzzles · 4 × 4 · progressiva: 2 + 2 + 1 + 1 + 1"},
      {3, 7, -1, CSurpresa, "3 puzzles · 7 × 7"},
      {20, 6, 2, Escolher(false, false, true, true), "20 puzzles · 6 × 6 · nível 3 · leis: Ordem, Somas"},
      {20, 6, 4, Escolher(true, true, true, true), "20 puzzles · 6 × 6 · nível 5 · leis: Ordem, Tabela, Simetria, Somas"},
      {2, 5, 0, Escolher(false, false, false, false), "2 puzzles · 5 × 5 · nível 1 · nenhuma lei marcada"},
  };
  for (const auto& caso : casos) {
    EXPECT_EQ(TextoResumo(caso.Num, caso.N, caso.Indice, caso.Escolha), caso.Texto);
  }
}

TEST(MotivoBloqueio, PrimeiroQueSeAplica) {
  const TNiveisPossiveis algum{true, false, false, false, false, false};
  const TNiveisPossiveis nenhum{};
  const std::string numero = "Indique um número de puzzles entre 1 e 200.";
  const std::string semLeis = "Marque pelo menos uma lei.";
  const std::string semNivel =
      "Com estas leis não há nenhum nível possível neste tamanho de grelha. Marque mais leis ou mude o tamanho.";
  const TEscolhaLeis vazia = Escolher(false, false, false, false);
  EXPECT_EQ(MotivoBloqueio(false, vazia, nenhum), numero);
  EXPECT_EQ(MotivoBloqueio(true, vazia, nenhum), semLeis);
  EXPECT_EQ(MotivoBloqueio(true, Escolher(false, false, false, true), nenhum), semNivel);
  EXPECT_EQ(MotivoBloqueio(true, CSurpresa, algum), "");
  EXPECT_EQ(MotivoBloqueio(true, Escolher(true, false, true, false), algum), "");
  EXPECT_EQ(MensagemMinimoProgressiva(),
            "Na dificuldade Progressiva, o livro precisa de pelo menos 5 puzzles (um por nível).");
}

}  // namespace
}  // namespace cadrel
