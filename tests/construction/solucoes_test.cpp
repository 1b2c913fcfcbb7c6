#include "construction/solucoes.hpp"

#include <gtest/gtest.h>

#include "apoio.hpp"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "construction/leis.hpp"

namespace cadrel {
namespace {

TEST(ConjuntoValido, TabelaDeCasos) {
  struct Caso {
    std::vector<std::int32_t> valores;
    bool valido;
  };
  const Caso casos[] = {
      {{}, false},           {{0, 5}, false},       {{5, 100}, false},          {{7, 3, 7}, false},
      {{5, 3, 4, 6}, false}, {{1}, true},           {{1, 2, 3, 5, 6, 7}, true}, {{1, 99}, true},
      {{9, 8, 7, 1}, true},  {{10, 1, 2, 3, 4, 20}, false},
      // Runs across 63 | 64 and at the top of the range.
      {{65, 62, 64, 63}, false}, {{61, 62, 63, 65, 66, 67}, true}, {{99, 97, 98, 96}, false}, {{-3, 5}, false},
  };
  for (const Caso& c : casos) {
    std::vector<std::int32_t> copia = c.valores;
    EXPECT_EQ(ConjuntoValido(c.valores), c.valido) << testing::PrintToString(c.valores);
    EXPECT_EQ(copia, c.valores);
  }
}

TEST(Custo, PenalizaRepetidosSequenciasEAmplitude) {
  struct Caso {
    std::vector<std::int64_t> celulas;
    std::int64_t custo;
  };
  const Caso casos[] = {
      {{1, 2, 3, 4}, 2},       {{1, 1}, 6},       {{1, 100}, 1},           {{1, 2, 2, 3, 4}, 8},
      {{4, 3, 2, 1, 5, 6}, 6}, {{1, 3, 5, 7}, 0}, {{-50, 60, 7, 8}, 12},   {{1, 2, 3, 4, 10, 11, 12, 13}, 4},
  };
  std::vector<std::int64_t> ord(16);
  for (const Caso& c : casos)
    EXPECT_EQ(Custo(c.celulas, ord), c.custo) << testing::PrintToString(c.celulas);
}

// The penalty by its definition: sort, then count repeats and runs.
std::int64_t CustoPorDefinicao(std::vector<std::int64_t> v) {
  std::sort(v.begin(), v.end());
  std::int64_t repetidos = 0, excesso = 0, sequencia = 1;
  for (std::size_t i = 1; i <= v.size(); ++i) {
    if (i < v.size() && v[i] == v[i - 1]) {
      ++repetidos;
    } else if (i < v.size() && v[i] == v[i - 1] + 1) {
      ++sequencia;
    } else {
      excesso += std::max<std::int64_t>(0, sequencia - 3);
      sequencia = 1;
    }
  }
  return std::max<std::int64_t>(0, v.back() - v.front() - 98) + 6 * repetidos + 2 * excesso;
}

// Narrow candidates are costed from a bitmap, wide ones by sorting: both must
// agree with the definition, runs across 64-value words included.
TEST(Custo, IgualADefinicaoEmQualquerAmplitude) {
  TGeradorAleatorio rng(2026);
  std::vector<std::int64_t> ord(49);
  for (const std::int32_t amplitude : {3, 40, 63, 64, 65, 130, 511, 512, 513, 5000}) {
    for (std::int32_t k = 0; k < 200; ++k) {
      std::vector<std::int64_t> celulas(1 + rng.Limite(49));
      const std::int64_t base = rng.Entre(-1000, 1000);
      for (std::int64_t& v : celulas) v = base + rng.Entre(0, amplitude);
      EXPECT_EQ(Custo(celulas, ord), CustoPorDefinicao(celulas)) << testing::PrintToString(celulas);
    }
  }
}

TEST(FinalizarSolucao, DeslocaParaOIntervaloOuRecusa) {
  const TReceita semLeis = Receita(0);
  TGeradorAleatorio g(1);
  // Span 98: the only shift puts the smallest number at 1.
  const TSolucao s = FinalizarSolucao(2, std::vector<std::int32_t>{-40, 58, 0, 20}, semLeis, g);
  EXPECT_EQ(s.N, 2);
  EXPECT_EQ(s.Valores, (std::vector<std::int32_t>{1, 99, 41, 61}));
  EXPECT_EQ(Mensagem([&] { FinalizarSolucao(2, std::vector<std::int32_t>{-40, 59, 0, 20}, semLeis, g); }),
            "FinalizarSolucao: intervalo excede [CMinValor, CMaxValor]");
  for (int i = 0; i < 200; ++i) {
    const TSolucao d = FinalizarSolucao(2, std::vector<std::int32_t>{1000, 1010, 1020, 1030}, semLeis, g);
    EXPECT_GE(d.Valores[0], 1);
    EXPECT_LE(d.Valores[3], 99);
    EXPECT_EQ(d.Valores[3] - d.Valores[0], 30);
  }
}

TEST(ConfirmarSolucao, RecusaConjuntoInvalidoAntesDasLeis) {
  const std::vector<std::int32_t> repetido{1, 5, 5, 9};  // TAB holds: 1 + 9 = 5 + 5
  EXPECT_EQ(Mensagem([&] { ConfirmarSolucao(2, repetido, Receita(2)); }),
            "ConfirmarSolucao: conjunto de numeros invalido");
  EXPECT_EQ(Mensagem([&] { ConfirmarSolucao(2, std::vector<std::int32_t>{1, 5, 6, 9}, Receita(2)); }),
            "ConfirmarSolucao: o verificador rejeitou a solucao gerada");
  EXPECT_EQ(ConfirmarSolucao(2, std::vector<std::int32_t>{1, 5, 6, 10}, Receita(2)).Valores,
            (std::vector<std::int32_t>{1, 5, 6, 10}));
}

TEST(ReceitaSuportada, CodigosPorTamanho) {
  const std::set<int> base{0, 1, 2, 3, 5, 8, 9, 16, 24};
  for (int n = 3; n <= 8; ++n) {
    std::set<int> esperado;
    if (n >= 4 && n <= 7) esperado = base;
    if (n >= 5 && n <= 7) esperado.insert({17, 25});
    std::set<int> obtido;
    for (int codigo = 0; codigo < 32; ++codigo)
      if (ReceitaSuportada(n, Receita(codigo))) obtido.insert(codigo);
    EXPECT_EQ(obtido, esperado) << "N = " << n;
  }
}

TEST(Fabrica, EscolheOGeradorOuRecusa) {
  EXPECT_EQ(Mensagem([] { CriarGeradorSolucao(4, Receita(17)); }),
            "Sem gerador de solucao para SOM-Q+SIM em 4x4");
  EXPECT_EQ(Mensagem([] { CriarGeradorSolucao(4, Receita(6)); }), "Sem gerador de solucao para ORD+TAB em 4x4");
  EXPECT_EQ(Mensagem([] { CriarGeradorSolucao(8, Receita(2)); }), "Sem gerador de solucao para TAB em 8x8");
  EXPECT_NE(dynamic_cast<TGeradorRede*>(CriarGeradorSolucao(5, Receita(17)).get()), nullptr);
  EXPECT_NE(dynamic_cast<TGeradorRede*>(CriarGeradorSolucao(6, Receita(17)).get()), nullptr);
  EXPECT_NE(dynamic_cast<TGeradorDuasFases*>(CriarGeradorSolucao(7, Receita(17)).get()), nullptr);
  EXPECT_NE(dynamic_cast<TGeradorOrdemSimetrica*>(CriarGeradorSolucao(6, Receita(5)).get()), nullptr);
  const auto g = CriarGeradorSolucao(5, Receita(3));
  EXPECT_EQ(g->TamanhoGrelha(), 5);
  EXPECT_EQ(g->ReceitaUsada(), Receita(3));
}

TEST(GeradorRede, DimensaoDaBaseReduzida) {
  struct Caso {
    int n, codigo, dimensao;
  };
  const Caso casos[] = {{4, 2, 7}, {4, 3, 5}, {4, 9, 5}, {4, 16, 5}, {5, 17, 5}};
  for (const Caso& c : casos) EXPECT_EQ(TGeradorRede(c.n, Receita(c.codigo)).Dimensao(), c.dimensao);
}

TEST(GeradorDuasFases, ErrosEPares) {
  EXPECT_EQ(Mensagem([] { TGeradorDuasFases(6, Receita(17)); }),
            "TGeradorDuasFases: N tem de ser impar e nao multiplo de 3");
  EXPECT_EQ(Mensagem([] { TGeradorDuasFases(9, Receita(17)); }),
            "TGeradorDuasFases: N tem de ser impar e nao multiplo de 3");
  EXPECT_EQ(Mensagem([] { TGeradorDuasFases(7, Receita(16)); }), "TGeradorDuasFases: so serve para SOM-Q+SIM");
  const TGeradorDuasFases g7(7, Receita(17));
  EXPECT_EQ(g7.ParS(), (std::vector<std::int32_t>{0, 1, 5}));
  EXPECT_EQ(g7.ParT(), (std::vector<std::int32_t>{4, 3, 6}));
  EXPECT_EQ(g7.Fixo(), 2);
  const TGeradorDuasFases g5(5, Receita(17));
  EXPECT_EQ(g5.ParS(), (std::vector<std::int32_t>{0, 3}));
  EXPECT_EQ(g5.ParT(), (std::vector<std::int32_t>{2, 4}));
  EXPECT_EQ(g5.Fixo(), 1);
}

TEST(GeradorDuasFases, GrelhasPandiagonaisSimetricas) {
  for (int n : {5, 7}) {
    TGeradorDuasFases gerador(n, Receita(17));
    TGeradorAleatorio g(static_cast<std::uint32_t>(n));
    for (int i = 0; i < 50; ++i) {
      const TSolucao s = gerador.Gerar(g);
      EXPECT_TRUE(VerificarLeis(s, Receita(17)));
      EXPECT_TRUE(ConjuntoValido(s.Valores));
    }
  }
}

TEST(GeradorOrdemSimetrica, KsViaveisPorTamanho) {
  EXPECT_EQ(Mensagem([] { TGeradorOrdemSimetrica(4, Receita(2)); }),
            "TGeradorOrdemSimetrica: so serve para ORD+SIM");
  struct Caso {
    int n, primeiro, ultimo, passo;
  };
  const Caso casos[] = {{4, 17, 183, 1}, {5, 26, 174, 2}, {6, 37, 163, 1}, {7, 50, 150, 2}};
  for (const Caso& c : casos) {
    std::vector<std::int32_t> esperado;
    for (int k = c.primeiro; k <= c.ultimo; k += c.passo) esperado.push_back(k);
    EXPECT_EQ(TGeradorOrdemSimetrica(c.n, Receita(5)).Ks(), esperado) << "N = " << c.n;
  }
}

TEST(GeradorOrdemSimetrica, ConjuntosEGrelhasSimetricos) {
  for (int n = 4; n <= 7; ++n) {
    TGeradorOrdemSimetrica gerador(n, Receita(5));
    TGeradorAleatorio g(static_cast<std::uint32_t>(100 + n));
    const int nn = n * n;
    for (int i = 0; i < 30; ++i) {
      const std::vector<std::int32_t> conjunto = gerador.EscolherConjunto(g);
      ASSERT_EQ(static_cast<int>(conjunto.size()), nn);
      EXPECT_TRUE(ConjuntoValido(conjunto));
      EXPECT_TRUE(std::is_sorted(conjunto.begin(), conjunto.end()));
      const int K = conjunto.front() + conjunto.back();
      for (int j = 0; j < nn; ++j) EXPECT_EQ(conjunto[j] + conjunto[nn - 1 - j], K);

      const TSolucao s = gerador.Gerar(g);
      const auto [menor, maior] = std::minmax_element(s.Valores.begin(), s.Valores.end());
      EXPECT_EQ(menor, s.Valores.begin());
      EXPECT_EQ(maior, s.Valores.end() - 1);
      if (n % 2 == 1) {
        const int k = *menor + *maior;
        EXPECT_EQ(k % 2, 0);
        EXPECT_EQ(s.Valores[nn / 2] * 2, k);
      }
    }
  }
}

// Every supported size and recipe yields valid grids, and equal seeds equal
// grids. The recipes books draw from get a few hundred grids each; the other
// supported ones, some of them slow to search at 7x7, a handful.
TEST(Fabrica, GrelhasValidasParaTodasAsReceitasSuportadas) {
  auto usadaNosLivros = [](int n, int codigo) {
    return codigo == 2 || codigo == 3 || codigo == 5 || codigo == 9 || (codigo == 16 && n == 4) ||
           (codigo == 17 && n > 4);
  };
  for (int n = 4; n <= 7; ++n)
    for (int codigo = 0; codigo < 32; ++codigo) {
      const TReceita receita = Receita(codigo);
      if (!ReceitaSuportada(n, receita)) continue;
      const auto a = CriarGeradorSolucao(n, receita);
      const auto b = CriarGeradorSolucao(n, receita);
      const auto semente = static_cast<std::uint32_t>(n * 100 + codigo);
      TGeradorAleatorio ga(semente), gb(semente);
      const int grelhas = usadaNosLivros(n, codigo) ? 200 : 8;
      for (int i = 0; i < grelhas; ++i) {
        const TSolucao s = a->Gerar(ga);
        ASSERT_EQ(s.N, n);
        ASSERT_TRUE(VerificarLeis(s, receita)) << codigo << " em " << n;
        ASSERT_TRUE(ConjuntoValido(s.Valores)) << codigo << " em " << n;
        if (i < 8) {
          ASSERT_EQ(b->Gerar(gb).Valores, s.Valores) << codigo << " em " << n;
        }
      }
    }
}

}  // namespace
}  // namespace cadrel
