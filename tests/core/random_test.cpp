#include "core/random.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "core/tipos.hpp"

namespace cadrel {
namespace {

std::vector<std::uint32_t> Sequencia(TGeradorAleatorio& g, int n) {
  std::vector<std::uint32_t> v(n);
  for (auto& x : v) x = g.ProximoU32();
  return v;
}

// How many 32-bit draws an operation took: replay a twin generator until it
// reaches the same state, as seen through the next output.
int SorteiosUsados(std::uint32_t semente, const std::function<void(TGeradorAleatorio&)>& operacao) {
  TGeradorAleatorio g(semente);
  operacao(g);
  const auto depois = Sequencia(g, 4);
  TGeradorAleatorio gemeo(semente);
  for (int n = 0; n < 64; ++n) {
    TGeradorAleatorio copia = gemeo;
    if (Sequencia(copia, 4) == depois) return n;
    gemeo.ProximoU32();
  }
  return -1;
}

TEST(Semente, ValoresPublicados) {
  EXPECT_EQ(MisturarSemente(0), 0xE220A8397B1DCDAFULL);
  EXPECT_EQ(DerivarSemente(0, 0), 0x7B1DCDAFu);
  EXPECT_EQ(DerivarSemente(1, 2), static_cast<std::uint32_t>(MisturarSemente((1ULL << 32) | 2)));
}

TEST(Gerador, SequenciaDeReferenciaPcg32) {
  TGeradorAleatorio g(0);
  g.Iniciar(42, 54);
  EXPECT_EQ(Sequencia(g, 6), (std::vector<std::uint32_t>{0xA15C02B7, 0x7B47F409, 0xBA1D3330,
                                                          0x83D2F293, 0xBFA4784B, 0xCBED606E}));
}

TEST(Gerador, CriadoDaSementeZero) {
  TGeradorAleatorio g(0);
  EXPECT_EQ(Sequencia(g, 3), (std::vector<std::uint32_t>{0xFDB46285, 0x7B09AB36, 0x15CE6E29}));
}

TEST(Gerador, NumeroDeSorteiosPorOperacao) {
  EXPECT_EQ(SorteiosUsados(7, [](TGeradorAleatorio& g) { EXPECT_EQ(g.Limite(1), 0); }), 1);
  EXPECT_EQ(SorteiosUsados(7, [](TGeradorAleatorio& g) { g.Limite(10); }), 1);
  EXPECT_EQ(SorteiosUsados(7, [](TGeradorAleatorio& g) { EXPECT_EQ(g.Entre(5, 5), 5); }), 1);
  EXPECT_EQ(SorteiosUsados(7, [](TGeradorAleatorio& g) { g.Limite64(1000); }), 2);
  EXPECT_EQ(SorteiosUsados(7, [](TGeradorAleatorio& g) { g.Real01(); }), 2);
  EXPECT_EQ(SorteiosUsados(7, [](TGeradorAleatorio& g) { g.Ponderado(std::vector<std::int64_t>{1, 2, 3}); }), 2);
  EXPECT_EQ(SorteiosUsados(7, [](TGeradorAleatorio& g) {
              std::vector<std::int32_t> v{1, 2, 3, 4, 5};
              Embaralhar(g, v);
            }),
            4);
  EXPECT_EQ(SorteiosUsados(7, [](TGeradorAleatorio& g) {
              std::vector<std::int32_t> vazio, um{9};
              Embaralhar(g, vazio);
              Embaralhar(g, um);
              EXPECT_EQ(um, std::vector<std::int32_t>{9});
            }),
            0);
}

TEST(Gerador, Limite64TiraPrimeiroAMetadeAlta) {
  TGeradorAleatorio a(3), b(3);
  const std::uint64_t alto = b.ProximoU32();
  const std::uint64_t baixo = b.ProximoU32();
  EXPECT_EQ(a.Limite64(std::numeric_limits<std::uint64_t>::max()),
            ((alto << 32) | baixo) % std::numeric_limits<std::uint64_t>::max());
}

TEST(Gerador, Real01Com53Bits) {
  TGeradorAleatorio a(11), b(11);
  const double alto = b.ProximoU32() >> 5;
  const double baixo = b.ProximoU32() >> 6;
  EXPECT_EQ(a.Real01(), (alto * 67108864.0 + baixo) / 9007199254740992.0);
}

TEST(Gerador, ResultadosDentroDosIntervalos) {
  TGeradorAleatorio g(123);
  for (int i = 0; i < 2000; ++i) {
    const int l = g.Limite(7);
    EXPECT_TRUE(l >= 0 && l < 7);
    const int e = g.Entre(-3, 3);
    EXPECT_TRUE(e >= -3 && e <= 3);
    const double r = g.Real01();
    EXPECT_TRUE(r >= 0.0 && r < 1.0);
    EXPECT_EQ(g.Ponderado(std::vector<std::int64_t>{0, 0, 5}), 2);
    EXPECT_NE(g.Ponderado(std::vector<std::int64_t>{4, 0, 4}), 1);
  }
}

TEST(Gerador, ErrosNaoConsomemSorteios) {
  struct Caso {
    std::function<void(TGeradorAleatorio&)> operacao;
    const char* mensagem;
  };
  const std::int64_t maximo = std::numeric_limits<std::int64_t>::max();
  const Caso casos[] = {
      {[](TGeradorAleatorio& g) { g.Limite(0); }, "TGeradorAleatorio.Limite: limite tem de ser positivo"},
      {[](TGeradorAleatorio& g) { g.Limite(-5); }, "TGeradorAleatorio.Limite: limite tem de ser positivo"},
      {[](TGeradorAleatorio& g) { g.Limite64(0); }, "TGeradorAleatorio.Limite64: limite tem de ser positivo"},
      {[](TGeradorAleatorio& g) { g.Entre(5, 4); }, "TGeradorAleatorio.Entre: maximo menor do que o minimo"},
      {[](TGeradorAleatorio& g) { g.Ponderado({}); }, "TGeradorAleatorio.Ponderado: soma dos pesos e zero"},
      {[](TGeradorAleatorio& g) { g.Ponderado(std::vector<std::int64_t>{0, 0}); },
       "TGeradorAleatorio.Ponderado: soma dos pesos e zero"},
      {[](TGeradorAleatorio& g) { g.Ponderado(std::vector<std::int64_t>{3, -1}); },
       "TGeradorAleatorio.Ponderado: peso negativo"},
      {[=](TGeradorAleatorio& g) { g.Ponderado(std::vector<std::int64_t>{maximo, 1, -1}); },
       "TGeradorAleatorio.Ponderado: soma dos pesos excede Int64"},
  };
  for (const Caso& c : casos) {
    TGeradorAleatorio g(5), intacto(5);
    try {
      c.operacao(g);
      ADD_FAILURE() << "sem erro: " << c.mensagem;
    } catch (const ECadrel& e) {
      EXPECT_STREQ(e.what(), c.mensagem);
    }
    EXPECT_EQ(g.ProximoU32(), intacto.ProximoU32()) << c.mensagem;
  }
}

TEST(Embaralhar, PermutacaoReproduzivel) {
  std::vector<std::int32_t> a{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, b = a;
  TGeradorAleatorio ga(99), gb(99), gc(99);
  Embaralhar(ga, a);
  Embaralhar(gb, b);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  std::vector<std::int32_t> ordenado = a;
  std::sort(ordenado.begin(), ordenado.end());
  EXPECT_EQ(ordenado, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  // Position i swaps with Limite(i + 1), from the last position down.
  std::vector<std::int32_t> c{0, 1, 2};
  const int j2 = gc.Limite(3);
  std::vector<std::int32_t> esperado{0, 1, 2};
  std::swap(esperado[2], esperado[j2]);
  const int j1 = gc.Limite(2);
  std::swap(esperado[1], esperado[j1]);
  TGeradorAleatorio gd(99);
  Embaralhar(gd, c);
  EXPECT_EQ(c, esperado);
}

}  // namespace
}  // namespace cadrel
