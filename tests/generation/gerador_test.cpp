#include "generation/gerador.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "apoio.hpp"
#include "generation/niveis.hpp"

namespace cadrel {
namespace {

using Grelha = std::vector<std::int32_t>;

TEST(Cantos, ParesVigiadosPorReceita) {
  struct Caso {
    int codigo;
    bool par0, par1;
  };
  const Caso casos[] = {{5, false, true}, {2, true, true}, {3, true, true}, {9, true, true}, {16, false, false}};
  for (const Caso& c : casos) {
    EXPECT_EQ(ParCantosAplica(Receita(c.codigo), 0), c.par0) << c.codigo;
    EXPECT_EQ(ParCantosAplica(Receita(c.codigo), 1), c.par1) << c.codigo;
  }
  EXPECT_EQ(CantoDoPar(5, 0, 0), 0);
  EXPECT_EQ(CantoDoPar(5, 0, 1), 24);
  EXPECT_EQ(CantoDoPar(5, 1, 0), 4);
  EXPECT_EQ(CantoDoPar(5, 1, 1), 20);

  Grelha cantos(16, 0);
  for (int c : {0, 3, 12, 15}) cantos[c] = c + 1;
  EXPECT_TRUE(CantosOpostosDados(4, Receita(2), cantos));
  EXPECT_TRUE(CantosOpostosDados(4, Receita(5), cantos));
  EXPECT_FALSE(CantosOpostosDados(4, Receita(16), cantos));
  Grelha umCanto(16, 0);
  umCanto[3] = 4;
  EXPECT_FALSE(CantosOpostosDados(4, Receita(2), umCanto));
  EXPECT_TRUE(CompletariaCantos(4, Receita(2), umCanto, 12));
  EXPECT_FALSE(CompletariaCantos(4, Receita(2), umCanto, 15));
  EXPECT_FALSE(CompletariaCantos(4, Receita(16), umCanto, 12));
}

TEST(Cantos, BordaTrivialSoComOsExtremosNumLado) {
  Grelha solucao(16);
  std::iota(solucao.begin(), solucao.end(), 1);  // 1..16 row by row: every side holds extremes
  Grelha dados = solucao;
  for (int c : {1, 2, 5}) dados[c] = 0;  // top row empties 2, 3 below the rest's 6
  EXPECT_TRUE(BordaTrivial(4, dados, solucao));

  dados = solucao;
  for (int c : {5, 6, 9, 10}) dados[c] = 0;  // only the interior is empty
  EXPECT_FALSE(BordaTrivial(4, dados, solucao));

  dados = solucao;
  for (int c : {13, 6, 9}) dados[c] = 0;  // bottom row empty 14 above the rest
  EXPECT_TRUE(BordaTrivial(4, dados, solucao));

  dados = solucao;
  for (int c : {4, 8, 6}) dados[c] = 0;  // left 5, 9 against 7: not all below the rest
  EXPECT_FALSE(BordaTrivial(4, dados, solucao));
}

TEST(Chaves, ConjuntoEMistura) {
  EXPECT_EQ(CalcularChaveConjunto(Grelha{}), 0xCBF29CE484222325ULL);
  EXPECT_EQ(MisturarHash(0xCBF29CE484222325ULL, 0x10005), (0xCBF29CE484222325ULL ^ 5) * 0x100000001B3ULL);
  EXPECT_NE(CalcularChaveConjunto(Grelha{1, 2}), CalcularChaveConjunto(Grelha{2, 1}));
}

Grelha Transformar(std::int32_t N, std::int32_t t, const Grelha& g) {
  Grelha r(g.size());
  for (int i = 0; i < N; ++i)
    for (int j = 0; j < N; ++j) r[i * N + j] = g[IndiceSimetria(N, t, i, j)];
  return r;
}

TEST(Chaves, CanonicaInvarianteNasSimetriasPermitidas) {
  Grelha g(25);
  for (int i = 0; i < 25; ++i) g[i] = (i * 7) % 25 + 1;  // no symmetry of its own
  for (int t = 0; t < 8; ++t) {
    const Grelha h = Transformar(5, t, g);
    EXPECT_EQ(CalcularChaveCanonica(5, Receita(2), h), CalcularChaveCanonica(5, Receita(2), g)) << t;
    EXPECT_EQ(CalcularChaveCanonica(5, Receita(9), h), CalcularChaveCanonica(5, Receita(9), g)) << t;
  }
  EXPECT_NE(CalcularChaveCanonica(5, Receita(2), g), CalcularChaveCanonica(5, Receita(3), g));
  EXPECT_NE(CalcularChaveCanonica(5, Receita(2), g), CalcularChaveCanonica(4, Receita(2), g));

  Grelha ordem(16);
  std::iota(ordem.begin(), ordem.end(), 1);
  std::swap(ordem[1], ordem[4]);  // 1 3 / 2 ...: not its own transpose
  const std::uint64_t chave = CalcularChaveCanonica(4, Receita(5), ordem);
  EXPECT_EQ(CalcularChaveCanonica(4, Receita(5), Transformar(4, 1, ordem)), chave);
  EXPECT_NE(CalcularChaveCanonica(4, Receita(5), Transformar(4, 2, ordem)), chave);
}

// Invariants every attempt keeps, accepted or not, on a few real attempts.
TEST(GeradorPuzzle, TentativasRespeitamAlvoCantosEOrdem) {
  struct Caso {
    int n, nivel, codigo;
  };
  const Caso casos[] = {{4, 1, 5}, {4, 1, 2}, {5, 5, 17}, {4, 5, 16}, {5, 3, 3}, {6, 4, 9}};
  for (const Caso& c : casos) {
    TGeradorPuzzle gerador(c.n, static_cast<TNivel>(c.nivel), Receita(c.codigo));
    const int nn = c.n * c.n;
    int aceites = 0;
    for (std::uint32_t semente = 1; semente <= 12; ++semente) {
      TGeradorAleatorio rng(semente), gemeo(semente);
      TPuzzle p, q;
      TCriterio criterio, criterioGemeo;
      const bool aceite = gerador.TentarGerar(rng, p, criterio);
      EXPECT_EQ(gerador.TentarGerar(gemeo, q, criterioGemeo), aceite);
      EXPECT_EQ(q.Dados, p.Dados);
      EXPECT_EQ(criterioGemeo, criterio);
      if (criterio == critA5) continue;

      const int alvo = DadosAlvo(static_cast<TNivel>(c.nivel), p.NumDadosMinimo, c.n);
      EXPECT_EQ(std::count_if(p.Dados.begin(), p.Dados.end(), [](int v) { return v != 0; }), p.NumDados);
      if (criterio != critA8) {
        EXPECT_EQ(p.NumDados, alvo);
      }
      if (c.nivel == 5) {
        EXPECT_EQ(p.NumDados, p.NumDadosMinimo);
      }
      if (c.codigo == 5) {
        EXPECT_TRUE(p.Dados[0] != 0 && p.Dados[nn - 1] != 0);
      }
      const int total = std::accumulate(p.Conjunto.begin(), p.Conjunto.end(), 0);
      EXPECT_EQ(p.K, Receita(c.codigo).Leis.Contem(leiSIM) ? 2 * total / nn : 0);
      EXPECT_EQ(p.S, c.codigo >= 8 ? total / c.n : 0);
      if (aceite) {
        ++aceites;
        EXPECT_EQ(criterio, critNenhum);
        EXPECT_TRUE(p.Resultado.Resolvido);
        EXPECT_FALSE(CantosOpostosDados(c.n, Receita(c.codigo), p.Dados));
      }
    }
    // The checks above on accepted puzzles must have run.
    EXPECT_GT(aceites, 0) << c.n << "x" << c.n << " nivel " << c.nivel << " receita " << c.codigo;
    EXPECT_EQ(gerador.Aceites(), 2 * aceites);
    EXPECT_EQ(gerador.Tentativas(), 24);
    int rejeicoes = 0;
    for (int k = 1; k < CNumCriterios; ++k) rejeicoes += gerador.GetRejeicoes(static_cast<TCriterio>(k));
    EXPECT_EQ(rejeicoes + gerador.Aceites(), 24);
  }
}

// A solution generator that runs out of searches fails the attempt, under
// criterion A5, and never the caller: the same attempt would fail on every run.
TEST(GeradorPuzzle, GeradorSemSolucaoRejeitaATentativa) {
  const TLimitesRede minimos{1, 1};
  TGeradorPuzzle gerador(5, 3, Receita(3), std::make_shared<TGeradorRede>(5, Receita(3), minimos));
  TGeradorRede sozinho(5, Receita(3), minimos);
  for (std::uint32_t semente = 1; semente <= 8; ++semente) {
    TGeradorAleatorio rng(semente), gemeo(semente);
    EXPECT_THROW(sozinho.Gerar(gemeo), ESemSolucao);
    TPuzzle p;
    TCriterio criterio = critNenhum;
    EXPECT_FALSE(gerador.TentarGerar(rng, p, criterio));
    EXPECT_EQ(criterio, critA5);
  }
  EXPECT_EQ(gerador.GetRejeicoes(critA5), 8);
}

TEST(GeradorPuzzle, GerarSemTentativasRecusa) {
  TGeradorPuzzle gerador(4, 1, Receita(2));
  TGeradorAleatorio rng(1);
  EXPECT_EQ(Mensagem([&] { gerador.Gerar(rng, 0); }),
            "TGeradorPuzzle: nenhum puzzle aceite para TAB 4x4 nivel 1 apos 0 tentativas");
  EXPECT_EQ(Mensagem([] { TGeradorPuzzle(4, 5, Receita(17)); }), "Sem gerador de solucao para SOM-Q+SIM em 4x4");
  const TPuzzle p = gerador.Gerar(rng, 300);
  EXPECT_EQ(p.N, 4);
  EXPECT_TRUE(p.Resultado.Resolvido);
}

}  // namespace
}  // namespace cadrel
