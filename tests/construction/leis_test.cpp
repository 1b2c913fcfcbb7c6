#include "construction/leis.hpp"

#include <gtest/gtest.h>

#include "apoio.hpp"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace cadrel {
namespace {

using TVetor = std::vector<std::int64_t>;


TEquacao Linha(std::int32_t N, std::vector<std::int32_t> celulas) { return EquacaoLinha(N, celulas); }

std::vector<TEquacao> Juntar(std::vector<std::vector<TEquacao>> blocos) {
  std::vector<TEquacao> todas;
  for (std::vector<TEquacao>& b : blocos) todas.insert(todas.end(), b.begin(), b.end());
  return todas;
}

TEST(EquacoesDasLeis, BlocosNaOrdemFixa) {
  EXPECT_EQ(NumVariaveisGrelha(4), 17);

  const TEquacao total = EquacaoTotal(4);
  ASSERT_EQ(total.Termos.size(), 17u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(total.Termos[i], Termo(i, 1));
  EXPECT_EQ(total.Termos[16], Termo(16, -4));

  // Pairs by increasing cell, the odd grid's centre last.
  const std::vector<TEquacao> sim = EquacoesSIM(5);
  ASSERT_EQ(sim.size(), 13u);
  EXPECT_EQ(sim[0], Equacao({Termo(0, 5), Termo(24, 5), Termo(25, -2)}));
  EXPECT_EQ(sim[11], Equacao({Termo(11, 5), Termo(13, 5), Termo(25, -2)}));
  EXPECT_EQ(sim[12], Equacao({Termo(12, 5), Termo(25, -1)}));
  EXPECT_EQ(EquacoesSIM(4).size(), 8u);

  const std::vector<TEquacao> tab = EquacoesTAB(4);
  ASSERT_EQ(tab.size(), 9u);
  EXPECT_EQ(tab[0], Equacao({Termo(5, 1), Termo(0, 1), Termo(4, -1), Termo(1, -1)}));
  EXPECT_EQ(tab[8], Equacao({Termo(15, 1), Termo(0, 1), Termo(12, -1), Termo(3, -1)}));

  EXPECT_EQ(Linha(4, {2, 6, 10, 14}),
            Equacao({Termo(2, 1), Termo(6, 1), Termo(10, 1), Termo(14, 1), Termo(16, -1)}));

  const std::vector<TEquacao> quebradas = EquacoesSOM(4, true);
  ASSERT_EQ(quebradas.size(), 16u);
  EXPECT_EQ(quebradas[0], Linha(4, {0, 1, 2, 3}));
  EXPECT_EQ(quebradas[4], Linha(4, {0, 4, 8, 12}));
  EXPECT_EQ(quebradas[8], Linha(4, {0, 5, 10, 15}));
  EXPECT_EQ(quebradas[9], Linha(4, {0, 7, 10, 13}));
  EXPECT_EQ(quebradas[10], Linha(4, {1, 6, 11, 12}));
  EXPECT_EQ(quebradas[15], Linha(4, {3, 6, 9, 12}));

  const std::vector<TEquacao> principais = EquacoesSOM(4, false);
  ASSERT_EQ(principais.size(), 10u);
  EXPECT_EQ(principais[8], Linha(4, {0, 5, 10, 15}));
  EXPECT_EQ(principais[9], Linha(4, {3, 6, 9, 12}));
}

TEST(EquacoesDasLeis, ListaDaReceita) {
  const std::map<int, std::size_t> contagens4 = {{2, 10}, {3, 18}, {5, 9}, {9, 19}, {16, 17}, {17, 25}};
  for (const auto& [codigo, n] : contagens4) EXPECT_EQ(EquacoesReceita(4, Receita(codigo)).size(), n) << codigo;

  EXPECT_EQ(EquacoesReceita(4, Receita(4)), std::vector<TEquacao>{EquacaoTotal(4)});
  EXPECT_EQ(EquacoesReceita(5, Receita(3)), Juntar({{EquacaoTotal(5)}, EquacoesSIM(5), EquacoesTAB(5)}));
  EXPECT_EQ(EquacoesReceita(5, Receita(9)), Juntar({{EquacaoTotal(5)}, EquacoesSIM(5), EquacoesSOM(5, false)}));
  // With both sum laws only the broken diagonals come in.
  EXPECT_EQ(EquacoesReceita(6, Receita(25)), Juntar({{EquacaoTotal(6)}, EquacoesSIM(6), EquacoesSOM(6, true)}));
}

TEST(EquacoesDasLeis, CarregarReceitaExigeNNMais1Variaveis) {
  for (std::int32_t v : {16, 18}) {
    TMotorLinear m(v);
    m.Adicionar(Equacao({Termo(0, 1)}));
    try {
      CarregarReceita(m, 4, Receita(17));
      ADD_FAILURE() << v;
    } catch (const ECadrel& e) {
      EXPECT_STREQ(e.what(), "CarregarReceita: o motor nao tem N*N+1 variaveis");
    }
    EXPECT_EQ(m.NumEquacoes(), 1);
  }
  TMotorLinear m(17);
  CarregarReceita(m, 4, Receita(17));
  EXPECT_EQ(m.NumEquacoes(), 25);
}

TEST(Receitas, LeisCompativeis) {
  const std::pair<TConjuntoLeis, bool> casos[] = {
      {{leiORD, leiSOMD}, false},        {{leiTAB, leiSOMQ}, false}, {{leiTAB, leiSOMD, leiSIM}, false},
      {{leiORD, leiSOMQ, leiSIM}, false}, {{leiORD, leiTAB}, true},   {{leiORD, leiSIM}, true},
      {{leiSIM, leiSOMQ}, true},          {{leiSOMD, leiSOMQ}, true}, {{}, true}};
  for (const auto& [leis, esperado] : casos)
    EXPECT_EQ(LeisCompativeis(ReceitaDeLeis(leis)), esperado) << NomeReceita(ReceitaDeLeis(leis));
}

// The symmetric pandiagonal laws force equal cells on the 4x4 grid only.
TEST(Receitas, SuportadasPorTamanho) {
  const std::vector<int> pequenas = {0, 1, 2, 3, 5, 8, 9, 16, 24};
  const std::vector<int> maiores = {0, 1, 2, 3, 5, 8, 9, 16, 17, 24, 25};
  for (std::int32_t N = 4; N <= 7; ++N) {
    std::vector<int> suportadas;
    for (int codigo = 0; codigo < 32; ++codigo) {
      const TReceita r = Receita(codigo);
      if (r.Leis.Contem(leiORD) && codigo != 5) continue;
      if (LeisCompativeis(r) && ReceitaAdmiteDistintos(N, r)) suportadas.push_back(codigo);
    }
    EXPECT_EQ(suportadas, N == 4 ? pequenas : maiores) << N;
  }
}

bool SatisfazTodas(const std::vector<TEquacao>& AEquacoes, const TVetor& v) {
  for (const TEquacao& eq : AEquacoes) {
    std::int64_t soma = 0;
    for (const TTermo& t : eq.Termos) soma += t.Coef * v[t.Indice];
    if (soma != 0) return false;
  }
  return true;
}

std::int64_t Produto(const TVetor& v, const TVetor& w) {
  std::int64_t s = 0;
  for (std::size_t i = 0; i < v.size(); ++i) s += v[i] * w[i];
  return s;
}

// Nullities of the supported recipes, by code, for N = 4..7.
const std::map<int, std::vector<std::int32_t>> CNulidades = {
    {0, {16, 25, 36, 49}}, {1, {9, 13, 19, 25}},  {2, {7, 9, 11, 13}},    {3, {5, 5, 7, 7}},
    {5, {9, 13, 19, 25}},  {8, {8, 15, 24, 35}},  {9, {5, 9, 13, 19}},    {16, {5, 9, 17, 25}},
    {17, {3, 5, 9, 13}},   {24, {5, 9, 17, 25}},  {25, {3, 5, 9, 13}}};

TEST(NucleoDasLeis, BaseReduzidaDeSolucoesParaCadaReceita) {
  for (std::int32_t N = 4; N <= 7; ++N)
    for (int codigo = 0; codigo < 32; ++codigo) {
      SCOPED_TRACE(testing::Message() << "N=" << N << " " << codigo);
      const std::vector<TEquacao> eqs = EquacoesReceita(N, Receita(codigo));
      TMotorLinear m(NumVariaveisGrelha(N));
      CarregarReceita(m, N, Receita(codigo));
      const std::vector<TVetor> nucleo = m.NucleoInteiro();
      EXPECT_EQ(static_cast<std::int32_t>(nucleo.size()), m.Nulidade());
      EXPECT_EQ(m.EspacoNulo().size(), nucleo.size());
      if (const auto it = CNulidades.find(codigo); it != CNulidades.end()) {
        EXPECT_EQ(m.Nulidade(), it->second[N - 4]);
      }
      for (const TVetor& v : nucleo) EXPECT_TRUE(SatisfazTodas(eqs, v));

      const std::vector<TVetor> base = ReduzirBase(nucleo);
      ASSERT_EQ(base.size(), nucleo.size());
      for (std::size_t j = 0; j < base.size(); ++j) {
        EXPECT_TRUE(SatisfazTodas(eqs, base[j]));
        EXPECT_GT(Produto(base[j], base[j]), 0);
        for (std::size_t k = 0; k < base.size(); ++k)
          if (k != j) {
            EXPECT_LE(std::llabs(2 * Produto(base[j], base[k])), Produto(base[j], base[j]));
          }
        if (j > 0) {
          const std::int64_t antes = Produto(base[j - 1], base[j - 1]);
          const std::int64_t agora = Produto(base[j], base[j]);
          EXPECT_TRUE(antes < agora || (antes == agora && base[j - 1] < base[j]));
        }
      }
    }
}

std::vector<std::int32_t> Sequencial(std::int32_t N) {
  std::vector<std::int32_t> v(N * N);
  for (std::int32_t i = 0; i < N * N; ++i) v[i] = i + 1;
  return v;
}

// Pandiagonal and symmetric through the centre: two orthogonal diagonal
// Latin squares whose opposite cells add up to 4.
std::vector<std::int32_t> Associativo5() {
  std::vector<std::int32_t> v(25);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) v[r * 5 + c] = 5 * ((r + 2 * c + 1) % 5) + (2 * r + c + 1) % 5 + 1;
  return v;
}

const std::vector<std::int32_t> CDurer = {16, 3, 2, 13, 5, 10, 11, 8, 9, 6, 7, 12, 4, 15, 14, 1};
const std::vector<std::int32_t> CPandiagonal4 = {1, 8, 13, 12, 14, 11, 2, 7, 4, 5, 16, 9, 15, 10, 3, 6};

struct TCasoGrelha {
  std::int32_t N;
  std::vector<std::int32_t> valores;
  int codigo;
};

// Adding N*N to one cell keeps 2*total divisible by N*N and the total by N,
// so the pairs, rectangles and lines themselves must catch it.
TEST(Verificador, GrelhasValidasEUmaCelulaAlterada) {
  const TCasoGrelha validas[] = {
      {4, Sequencial(4), 1},  {4, Sequencial(4), 2},  {4, Sequencial(4), 3}, {5, Sequencial(5), 1},
      {5, Sequencial(5), 2},  {7, Sequencial(7), 3},  {4, CDurer, 8},        {4, CDurer, 9},
      {4, CPandiagonal4, 8},  {4, CPandiagonal4, 16}, {4, CPandiagonal4, 24}, {5, Associativo5(), 25},
      {5, Associativo5(), 9}, {4, Sequencial(4), 7},  {6, Sequencial(6), 5}};
  for (const TCasoGrelha& caso : validas) {
    SCOPED_TRACE(testing::Message() << "N=" << caso.N << " " << NomeReceita(Receita(caso.codigo)));
    EXPECT_TRUE(VerificarLeis({caso.N, caso.valores}, Receita(caso.codigo)));
    for (std::int32_t i = 0; i < caso.N * caso.N; ++i) {
      std::vector<std::int32_t> alterada = caso.valores;
      alterada[i] += caso.N * caso.N;
      EXPECT_FALSE(VerificarLeis({caso.N, alterada}, Receita(caso.codigo))) << i;
    }
  }
}

TEST(Verificador, Rejeicoes) {
  std::vector<std::int32_t> linhaIgual = Sequencial(4);
  linhaIgual[1] = linhaIgual[0];
  std::vector<std::int32_t> colunaIgual = Sequencial(4);
  colunaIgual[4] = colunaIgual[0];
  // Every pair sums to 26, but the centre is not 13.
  std::vector<std::int32_t> centro14 = Sequencial(5);
  centro14[12] = 14;
  std::vector<std::int32_t> centro38 = Sequencial(5);
  centro38[12] = 38;
  std::vector<std::int32_t> totalIndivisivel = Associativo5();
  totalIndivisivel[7] += 1;

  const TCasoGrelha rejeitadas[] = {
      {4, linhaIgual, 4},  {4, colunaIgual, 4},    {5, centro14, 1},           {5, centro38, 1},
      {5, totalIndivisivel, 8},  {5, totalIndivisivel, 16}, {4, CDurer, 16},   {4, CPandiagonal4, 1},
      {4, Sequencial(4), 8}, {4, Sequencial(5), 0}, {0, {}, 0}};
  for (const TCasoGrelha& caso : rejeitadas)
    EXPECT_FALSE(VerificarLeis({caso.N, caso.valores}, Receita(caso.codigo)))
        << "N=" << caso.N << " " << caso.codigo;

  for (int codigo = 0; codigo < 32; ++codigo) EXPECT_FALSE(VerificarLeis({1, {5}}, Receita(codigo)));
  EXPECT_TRUE(VerificarLeis({2, {4, 3, 2, 1}}, Receita(0)));
}

}  // namespace
}  // namespace cadrel
