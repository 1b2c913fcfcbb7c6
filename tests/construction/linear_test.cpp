#include "construction/linear.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/tipos.hpp"

namespace cadrel {

struct TMotorLinearSonda {
  static bool PostoValido(const TMotorLinear& AMotor) { return AMotor.FPostoValido; }
};

namespace {

using TVetor = std::vector<std::int64_t>;
using TBase = std::vector<TVetor>;

constexpr std::int64_t C2a31 = std::int64_t{1} << 31;
constexpr std::int64_t C2a62 = std::int64_t{1} << 62;

template <typename F>
void EsperarErro(F&& f, const std::string& AMensagem) {
  try {
    f();
    ADD_FAILURE() << "no error, expected: " << AMensagem;
  } catch (const ECadrel& e) {
    EXPECT_EQ(e.what(), AMensagem);
  }
}

const std::string CExcesso = "UnitCadrelLinear: excesso de Int64 na eliminacao";

TEST(MotorLinear, UmaEquacaoDeTresVariaveis) {
  const std::vector<TTermo> termos{Termo(0, 1), Termo(1, 1), Termo(2, -2)};
  TMotorLinear m(3);
  m.Adicionar(Equacao(termos));
  EXPECT_EQ(m.Posto(), 1);
  EXPECT_EQ(m.Nulidade(), 2);
  EXPECT_EQ(m.Liberdade(), 1);
  EXPECT_EQ(m.EspacoNulo(), (std::vector<std::vector<double>>{{-1.0, 1.0, 0.0}, {2.0, 0.0, 1.0}}));
  const TBase nucleo = m.NucleoInteiro();
  EXPECT_EQ(nucleo, (TBase{{-1, 1, 0}, {2, 0, 1}}));
  EXPECT_EQ(ReduzirBase(nucleo), (TBase{{-1, 1, 0}, {1, 1, 1}}));
  EXPECT_EQ(nucleo, (TBase{{-1, 1, 0}, {2, 0, 1}})) << "the argument must not change";
}

TEST(MotorLinear, SemEquacoesTudoELivre) {
  const TMotorLinear m(4);
  EXPECT_EQ(m.Posto(), 0);
  EXPECT_EQ(m.Nulidade(), 4);
  EXPECT_EQ(m.Liberdade(), 3);
  std::vector<std::vector<double>> unitarios(4, std::vector<double>(4, 0.0));
  TBase identidade(4, TVetor(4, 0));
  for (int i = 0; i < 4; ++i) {
    unitarios[i][i] = 1.0;
    identidade[i][i] = 1;
  }
  EXPECT_EQ(m.EspacoNulo(), unitarios);
  EXPECT_EQ(m.NucleoInteiro(), identidade);
}

TEST(MotorLinear, TermosDaMesmaVariavelSomamOsCoeficientes) {
  TMotorLinear m(3);
  m.Adicionar(Equacao({Termo(2, 1), Termo(2, -1)}));
  EXPECT_EQ(m.Posto(), 0);
  m.Adicionar(Equacao({Termo(0, 1), Termo(1, -2), Termo(0, 1)}));
  EXPECT_EQ(m.Posto(), 1);
  EXPECT_EQ(m.NucleoInteiro(), (TBase{{1, 1, 0}, {0, 0, 1}}));
}

// Quotients truncate toward zero: with a floor the second kernel would come
// out as (-5, -3).
TEST(MotorLinear, NucleoInteiroDivideTruncando) {
  struct Caso {
    std::int32_t a, b;
    TVetor nucleo;
  };
  for (const Caso& c : {Caso{3, 5, {-5, 3}}, Caso{3, -5, {5, 3}}}) {
    TMotorLinear m(2);
    m.Adicionar(Equacao({Termo(0, c.a), Termo(1, c.b)}));
    EXPECT_EQ(m.NucleoInteiro(), TBase{c.nucleo}) << c.a << " " << c.b;
  }
}

// Two integer vectors span every integer solution of a·x = 0 in three
// variables exactly when their cross product is ±a (a primitive).
TEST(MotorLinear, NucleoInteiroGeraTodasAsSolucoesInteiras) {
  TMotorLinear m(3);
  m.Adicionar(Equacao({Termo(0, 6), Termo(1, 10), Termo(2, 15)}));
  const TBase k = m.NucleoInteiro();
  ASSERT_EQ(k.size(), 2u);
  const TVetor& u = k[0];
  const TVetor& w = k[1];
  TVetor cruz{u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
  if (cruz[0] < 0)
    for (std::int64_t& x : cruz) x = -x;
  EXPECT_EQ(cruz, (TVetor{6, 10, 15}));
}

TEST(MotorLinear, CriacaoEIndicesInvalidos) {
  EsperarErro([] { TMotorLinear m(0); }, "TMotorLinear: numero de variaveis invalido");

  TMotorLinear m(3);
  m.Adicionar(Equacao({Termo(0, 1), Termo(1, -1)}));
  ASSERT_EQ(m.Posto(), 1);
  // A good term before the bad one must not get the equation in.
  for (const TEquacao& ruim :
       {Equacao({Termo(0, 1), Termo(3, 1)}), Equacao({Termo(1, 1), Termo(-1, 1)})}) {
    EsperarErro([&] { m.Adicionar(ruim); }, "TMotorLinear.Adicionar: indice de variavel fora do intervalo");
    EXPECT_EQ(m.NumEquacoes(), 1);
    EXPECT_TRUE(TMotorLinearSonda::PostoValido(m));
  }
}

TEST(MotorLinear, PostoEmCacheAteAdicionarOuLimpar) {
  TMotorLinear m(3);
  m.Adicionar(Equacao({Termo(0, 1), Termo(1, -1)}));
  EXPECT_FALSE(TMotorLinearSonda::PostoValido(m));
  EXPECT_EQ(m.Posto(), 1);
  EXPECT_TRUE(TMotorLinearSonda::PostoValido(m));
  EXPECT_EQ(m.Posto(), 1);

  m.Adicionar(Equacao({Termo(1, 1), Termo(2, -1)}));
  EXPECT_FALSE(TMotorLinearSonda::PostoValido(m));
  EXPECT_EQ(m.Posto(), 2);
  // Dependent on the first two: the rank stays.
  m.Adicionar(Equacao({Termo(0, 2), Termo(2, -2)}));
  EXPECT_EQ(m.Posto(), 2);
  EXPECT_EQ(m.NumEquacoes(), 3);

  m.Limpar();
  EXPECT_FALSE(TMotorLinearSonda::PostoValido(m));
  EXPECT_EQ(m.NumEquacoes(), 0);
  EXPECT_EQ(m.Posto(), 0);
}

// The pivot 2^31 - 1 meets an entry of magnitude 2^32 (two terms of -2^31):
// the product passes 2^62 although every coefficient fits in 32 bits.
TEST(MotorLinear, ExcessoNaEliminacaoDeixaOPostoInvalido) {
  constexpr std::int32_t CMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t CMin = std::numeric_limits<std::int32_t>::min();
  TMotorLinear m(3);
  m.Adicionar(Equacao({Termo(0, CMax), Termo(1, 1)}));
  m.Adicionar(Equacao({Termo(0, CMin), Termo(1, CMin), Termo(1, CMin), Termo(2, 1)}));
  EsperarErro([&] { m.Posto(); }, CExcesso);
  EXPECT_FALSE(TMotorLinearSonda::PostoValido(m));
  EXPECT_EQ(m.NumEquacoes(), 2);
}

TEST(Aritmetica, MultSeguroParaAntesDe2a62) {
  EXPECT_EQ(MultSeguro(C2a31, C2a31 - 1), C2a62 - C2a31);
  EXPECT_EQ(MultSeguro(-C2a31, C2a31 - 1), C2a31 - C2a62);
  EXPECT_EQ(MultSeguro(C2a62 - 1, -1), 1 - C2a62);
  EsperarErro([] { MultSeguro(C2a31, C2a31); }, CExcesso);
  EsperarErro([] { MultSeguro(-C2a31, C2a31); }, CExcesso);
  EsperarErro([] { MultSeguro(1, C2a62); }, CExcesso);
  EsperarErro([] { MultSeguro(std::numeric_limits<std::int64_t>::min(), 1); }, CExcesso);
  // A zero factor never reaches the guard, whatever the other one is.
  EXPECT_EQ(MultSeguro(0, std::numeric_limits<std::int64_t>::min()), 0);
  EXPECT_EQ(MultSeguro(std::numeric_limits<std::int64_t>::max(), 0), 0);
}

TEST(Aritmetica, MDCDosValoresAbsolutos) {
  EXPECT_EQ(MDC(12, -18), 6);
  EXPECT_EQ(MDC(-7, 0), 7);
  EXPECT_EQ(MDC(0, 0), 0);
  EXPECT_EQ(MDC(C2a62, 3 * C2a31), C2a31);
}

TEST(ReducaoDeBase, CasosDeFronteira) {
  EXPECT_TRUE(ReduzirBase({}).empty());
  // Zero vectors reduce nothing, are never changed, and sort first.
  EXPECT_EQ(ReduzirBase({{3, 1}, {0, 0}, {1, 0}, {0, 0}}), (TBase{{0, 0}, {0, 0}, {0, 1}, {1, 0}}));
  // Equal norms fall back to the entries, the smaller signed value first.
  EXPECT_EQ(ReduzirBase({{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}), (TBase{{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}));
  // A dependent list may reduce a vector to zero.
  EXPECT_EQ(ReduzirBase({{2, 2}, {1, 1}}), (TBase{{0, 0}, {1, 1}}));
}

TEST(ReducaoDeBase, ExcessoNaReducao) {
  EsperarErro([] { ReduzirBase({{1, 0}, {C2a62, 1}}); }, CExcesso);
}

}  // namespace
}  // namespace cadrel
