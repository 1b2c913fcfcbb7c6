#include "construction/ordem.hpp"

#include <gtest/gtest.h>

#include "apoio.hpp"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/random.hpp"
#include "core/tipos.hpp"

namespace cadrel {
namespace {

using Grelha = std::vector<std::int32_t>;
using Dados = std::vector<TDadoOrdem>;


// Every symmetric rank grid of side N, by placing ranks one by one in any cell
// whose left and upper neighbours already hold smaller ranks.
std::vector<Grelha> GrelhasPorForcaBruta(std::int32_t N) {
  const std::int32_t nn = N * N;
  std::vector<Grelha> grelhas;
  Grelha g(nn, 0);
  std::function<void(std::int32_t)> colocar = [&](std::int32_t posto) {
    if (posto > nn) {
      bool simetrica = true;
      for (std::int32_t c = 0; c < nn; ++c) simetrica = simetrica && g[c] + g[nn - 1 - c] == nn + 1;
      if (simetrica) grelhas.push_back(g);
      return;
    }
    for (std::int32_t c = 0; c < nn; ++c) {
      if (g[c] != 0) continue;
      if (c % N > 0 && g[c - 1] == 0) continue;
      if (c >= N && g[c - N] == 0) continue;
      g[c] = posto;
      colocar(posto + 1);
      g[c] = 0;
    }
  };
  colocar(1);
  return grelhas;
}

std::int64_t ContarConcordantes(const std::vector<Grelha>& AGrelhas, const Dados& ADados) {
  return std::count_if(AGrelhas.begin(), AGrelhas.end(), [&](const Grelha& g) {
    return std::all_of(ADados.begin(), ADados.end(),
                       [&](const TDadoOrdem& d) { return g[d.Celula] == d.Posto; });
  });
}

void ConfirmarContagem(TMotorOrdem& AMotor, const std::vector<Grelha>& AGrelhas, const Dados& ADados) {
  const std::int64_t esperado = ContarConcordantes(AGrelhas, ADados);
  ASSERT_EQ(AMotor.ContarExacto(ADados), esperado);
  for (std::int32_t limite : {1, 2, 7})
    ASSERT_EQ(AMotor.Contar(ADados, limite), std::min<std::int64_t>(esperado, limite)) << "limite " << limite;
}

TEST(MotorOrdem, ContagemSemDadosEFormasFinais) {
  const std::int64_t contagens[] = {2, 6, 280};
  const std::int32_t formas[] = {2, 2, 6, 6, 20, 20};
  for (std::int32_t n = 2; n <= 7; ++n) {
    TMotorOrdem motor(n);
    EXPECT_EQ(motor.N(), n);
    EXPECT_EQ(motor.NumFormasFinais(), formas[n - 2]) << "N = " << n;
    if (n <= 4) {
      EXPECT_EQ(motor.ContarExacto({}), contagens[n - 2]) << "N = " << n;
      EXPECT_EQ(std::ssize(GrelhasPorForcaBruta(n)), contagens[n - 2]) << "N = " << n;
    }
  }
}

TEST(MotorOrdem, UmDadoConcordaComForcaBruta) {
  for (std::int32_t n : {3, 4}) {
    TMotorOrdem motor(n);
    const auto grelhas = GrelhasPorForcaBruta(n);
    for (std::int32_t c = 0; c < n * n; ++c)
      for (std::int32_t p = 1; p <= n * n; ++p) {
        SCOPED_TRACE(testing::Message() << "N = " << n << ", celula " << c << ", posto " << p);
        ConfirmarContagem(motor, grelhas, {{c, p}});
      }
  }
}

// Covers contradictory pairs, mirrored pairs, and pairs in either order.
TEST(MotorOrdem, DoisDadosConcordamComForcaBruta) {
  for (std::int32_t n : {3, 4}) {
    TMotorOrdem motor(n);
    const auto grelhas = GrelhasPorForcaBruta(n);
    const std::int32_t nn = n * n;
    // Every other first rank for N = 4 keeps the run short.
    for (std::int32_t c1 = 0; c1 < nn; ++c1)
      for (std::int32_t p1 = 1; p1 <= nn; p1 += n - 2)
        for (std::int32_t c2 = 0; c2 < nn; ++c2)
          for (std::int32_t p2 = 1; p2 <= nn; ++p2) {
            SCOPED_TRACE(testing::Message() << "N = " << n << ", (" << c1 << ", " << p1 << ") e (" << c2
                                            << ", " << p2 << ")");
            ConfirmarContagem(motor, grelhas, {{c1, p1}, {c2, p2}});
          }
  }
}

TEST(MotorOrdem, LimiteDistingueUnicoDeAmbiguo) {
  TMotorOrdem motor(4);
  const auto grelhas = GrelhasPorForcaBruta(4);
  // Givens taken from one grid until it is the only one left.
  Dados dados;
  for (std::int32_t c : {1, 4, 2, 8, 5, 6, 9}) {
    dados.push_back({c, grelhas[100][c]});
    const std::int64_t total = ContarConcordantes(grelhas, dados);
    EXPECT_EQ(motor.Contar(dados, 2), std::min<std::int64_t>(total, 2));
    EXPECT_EQ(motor.Contar(dados, 1), 1);
  }
  EXPECT_EQ(motor.Contar(dados, 2), 1);
}

TEST(MotorOrdem, CentroDaGrelhaImpar) {
  TMotorOrdem motor(5);
  const std::int64_t semDados = motor.ContarExacto({});
  EXPECT_GT(semDados, 0);
  EXPECT_EQ(motor.ContarExacto(Dados{{12, 13}}), semDados);
  for (std::int32_t c = 0; c < 25; ++c)
    if (c != 12) {
      EXPECT_EQ(motor.Contar(Dados{{c, 13}}, 5), 0) << "celula " << c;
    }
  for (std::int32_t p = 1; p <= 25; ++p)
    if (p != 13) {
      EXPECT_EQ(motor.Contar(Dados{{12, p}}, 5), 0) << "posto " << p;
    }
}

TEST(MotorOrdem, DadoEspelhadoContaComoUm) {
  for (std::int32_t n : {5, 6, 7}) {
    TMotorOrdem motor(n);
    const std::int32_t nn = n * n;
    TGeradorAleatorio rng(77);
    const Grelha g = motor.Amostrar(rng);
    for (std::int32_t c : {1, n + 2, 2 * n, nn - 3}) {
      const TDadoOrdem d{c, g[c]};
      const std::int32_t oposta = nn - 1 - d.Celula;
      const std::int64_t so = motor.ContarExacto(Dados{d});
      EXPECT_GT(so, 0);
      EXPECT_EQ(motor.ContarExacto(Dados{d, {oposta, nn + 1 - d.Posto}}), so);
      for (std::int32_t q = 1; q <= nn; ++q)
        if (q != nn + 1 - d.Posto) {
          EXPECT_EQ(motor.ContarExacto(Dados{d, {oposta, q}}), 0) << "q = " << q;
        }
    }
  }
}

TEST(MotorOrdem, Erros) {
  for (std::int32_t n : {1, 8})
    EXPECT_EQ(Mensagem([n] { TMotorOrdem m(n); }), "TMotorOrdem: N tem de estar entre 2 e 7");

  TMotorOrdem motor(4);
  for (std::int32_t limite : {0, -1})
    EXPECT_EQ(Mensagem([&] { motor.Contar({}, limite); }),
              "TMotorOrdem.Contar: o limite tem de ser pelo menos 1");

  const TDadoOrdem bom{0, 1};
  const struct {
    TDadoOrdem Dado;
    const char* Mensagem;
  } casos[] = {
      {{-1, 5}, "TMotorOrdem: celula do dado fora da grelha"},
      {{16, 5}, "TMotorOrdem: celula do dado fora da grelha"},
      {{5, 0}, "TMotorOrdem: posto do dado fora de 1..N*N"},
      {{5, 17}, "TMotorOrdem: posto do dado fora de 1..N*N"},
  };
  for (const auto& caso : casos) {
    EXPECT_EQ(Mensagem([&] { motor.Contar(Dados{bom, caso.Dado}, 2); }), caso.Mensagem);
    EXPECT_EQ(Mensagem([&] { motor.ContarExacto(Dados{bom, caso.Dado}); }), caso.Mensagem);
  }
}

void ConfirmarGrelhaValida(std::int32_t N, const Grelha& g) {
  const std::int32_t nn = N * N;
  ASSERT_EQ(std::ssize(g), nn);
  Grelha ordenada = g;
  std::sort(ordenada.begin(), ordenada.end());
  for (std::int32_t k = 0; k < nn; ++k) ASSERT_EQ(ordenada[k], k + 1);
  EXPECT_EQ(g[0], 1);
  EXPECT_EQ(g[nn - 1], nn);
  for (std::int32_t c = 0; c < nn; ++c) {
    EXPECT_EQ(g[c] + g[nn - 1 - c], nn + 1) << "celula " << c;
    if (c % N > 0) {
      EXPECT_LT(g[c - 1], g[c]) << "celula " << c;
    }
    if (c >= N) {
      EXPECT_LT(g[c - N], g[c]) << "celula " << c;
    }
  }
}

TEST(MotorOrdem, AmostrasValidasEReprodutiveis) {
  for (std::int32_t n = 2; n <= 7; ++n) {
    TMotorOrdem motor(n), gemeo(n);
    TGeradorAleatorio rng(1234 + n), rngGemeo(1234 + n);
    for (int i = 0; i < 30; ++i) {
      const Grelha g = motor.Amostrar(rng);
      SCOPED_TRACE(testing::Message() << "N = " << n << ", amostra " << i);
      ConfirmarGrelhaValida(n, g);
      EXPECT_EQ(gemeo.Amostrar(rngGemeo), g);
    }
  }
}

// --- Replaying the draws of a sample -----------------------------------------
// From a sampled grid the test rebuilds the weighted draws that must have
// produced it (the final shapes in descending order of row lengths, then one
// corner per rank from M down to 1, weighted by hook-length counts) and makes
// them on a twin generator: both must choose alike and end in step.

using Forma = std::vector<std::int32_t>;  // row lengths

// Standard fillings of a shape by the hook-length formula; exact up to 20 cells.
std::int64_t Preenchimentos(const Forma& AForma) {
  std::int64_t celulas = 0;
  for (std::int32_t comp : AForma) celulas += comp;
  std::int64_t resultado = 1;
  for (std::int64_t k = 2; k <= celulas; ++k) resultado *= k;
  for (std::size_t i = 0; i < AForma.size(); ++i)
    for (std::int32_t j = 0; j < AForma[i]; ++j) {
      std::int64_t gancho = AForma[i] - j;
      for (std::size_t k = i + 1; k < AForma.size() && AForma[k] > j; ++k) ++gancho;
      resultado /= gancho;
    }
  return resultado;
}

std::vector<Forma> FormasFinaisEsperadas(std::int32_t N) {
  const std::int32_t nn = N * N, meio = nn / 2, centro = (nn - 1) / 2;
  std::vector<Forma> finais;
  Forma forma(N);
  std::function<void(std::int32_t, std::int32_t, std::int32_t)> escolher = [&](std::int32_t linha,
                                                                               std::int32_t resto,
                                                                               std::int32_t maximo) {
    if (linha == N) {
      if (resto != 0) return;
      // The lower half plus the centre must be the complement of its rotation.
      auto dentro = [&](std::int32_t c) { return c % N < forma[c / N]; };
      for (std::int32_t c = 0; c < nn; ++c) {
        const bool oposta = dentro(nn - 1 - c) || (nn % 2 == 1 && nn - 1 - c == centro);
        if (dentro(c) == oposta) return;
      }
      finais.push_back(forma);
      return;
    }
    for (std::int32_t comp = std::min(resto, maximo); comp >= 0; --comp) {
      forma[linha] = comp;
      escolher(linha + 1, resto - comp, comp);
    }
  };
  escolher(0, meio, N);
  return finais;
}

TEST(MotorOrdem, AmostrarFazMMaisUmSorteioPonderadoPorOrdem) {
  for (std::int32_t n = 2; n <= 6; ++n) {
    const std::int32_t nn = n * n, meio = nn / 2;
    const auto finais = FormasFinaisEsperadas(n);
    TMotorOrdem motor(n);
    ASSERT_EQ(std::ssize(finais), motor.NumFormasFinais());
    for (std::uint32_t semente = 0; semente < 10; ++semente) {
      SCOPED_TRACE(testing::Message() << "N = " << n << ", semente " << semente);
      TGeradorAleatorio rng(semente), gemeo(semente);
      const Grelha g = motor.Amostrar(rng);

      Forma forma(n, 0);
      for (std::int32_t c = 0; c < nn; ++c)
        if (g[c] <= meio) ++forma[c / n];
      std::vector<std::int64_t> pesos;
      for (const Forma& f : finais) pesos.push_back(Preenchimentos(f));
      ASSERT_EQ(finais[gemeo.Ponderado(pesos)], forma);

      for (std::int32_t posto = meio; posto >= 1; --posto) {
        std::vector<std::int32_t> linhas;
        pesos.clear();
        for (std::int32_t i = 0; i < n; ++i)
          if (forma[i] > 0 && (i == n - 1 || forma[i + 1] < forma[i])) {
            linhas.push_back(i);
            Forma sem = forma;
            --sem[i];
            pesos.push_back(Preenchimentos(sem));
          }
        const std::int32_t b = linhas[gemeo.Ponderado(pesos)];
        ASSERT_EQ(g[b * n + forma[b] - 1], posto);
        --forma[b];
      }
      EXPECT_EQ(rng.ProximoU32(), gemeo.ProximoU32());
    }
  }
}

}  // namespace
}  // namespace cadrel
