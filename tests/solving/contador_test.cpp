#include "solving/contador.hpp"

#include <gtest/gtest.h>

#include "apoio.hpp"

#include <algorithm>
#include <functional>
#include <numeric>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "construction/leis.hpp"
#include "core/tipos.hpp"

namespace cadrel {
namespace {

using Valores = std::vector<std::int32_t>;

constexpr std::int32_t CSemLimiteDeNos = 100000000;



// Tries every number of the box in every cell, in cell order, and checks each
// law once the last of its cells is written.
std::int64_t ContarPorForcaBruta(std::int32_t N, TReceita AReceita, const Valores& AConjunto,
                                 const Valores& ADados) {
  const std::int32_t nn = N * N;
  const TConjuntoLeis leis = AReceita.Leis;
  const std::int32_t total = std::accumulate(AConjunto.begin(), AConjunto.end(), 0);
  const bool somas = leis.Contem(leiSOMD) || leis.Contem(leiSOMQ);
  if (leis.Contem(leiSIM) && 2 * total % nn != 0) return 0;
  if (somas && total % N != 0) return 0;
  const std::int32_t k = 2 * total / nn, s = total / N;

  std::vector<Valores> linhas;
  if (somas) {
    for (std::int32_t i = 0; i < N; ++i) {
      Valores linha, coluna;
      for (std::int32_t j = 0; j < N; ++j) {
        linha.push_back(i * N + j);
        coluna.push_back(j * N + i);
      }
      linhas.push_back(linha);
      linhas.push_back(coluna);
    }
    for (std::int32_t d = 0; d < (leis.Contem(leiSOMQ) ? N : 1); ++d) {
      Valores diagonal, inversa;
      for (std::int32_t i = 0; i < N; ++i) {
        diagonal.push_back(i * N + (i + d) % N);
        inversa.push_back(i * N + (N - 1 - i + d) % N);
      }
      linhas.push_back(diagonal);
      linhas.push_back(inversa);
    }
  }

  Valores g(nn, 0);
  std::vector<bool> usado(AConjunto.size(), false);
  auto valida = [&](std::int32_t c) {
    const std::int32_t r = c / N, col = c % N, v = g[c];
    if (leis.Contem(leiSIM) && nn - 1 - c <= c && g[nn - 1 - c] + v != k) return false;
    if (leis.Contem(leiORD) && ((col > 0 && g[c - 1] >= v) || (r > 0 && g[c - N] >= v))) return false;
    if (leis.Contem(leiTAB))
      for (std::int32_t r1 = 0; r1 < r; ++r1)
        for (std::int32_t c1 = 0; c1 < col; ++c1)
          if (g[r1 * N + c1] + v != g[r1 * N + col] + g[r * N + c1]) return false;
    for (const Valores& linha : linhas) {
      if (*std::max_element(linha.begin(), linha.end()) != c) continue;
      std::int32_t soma = 0;
      for (std::int32_t celula : linha) soma += g[celula];
      if (soma != s) return false;
    }
    return true;
  };
  std::function<std::int64_t(std::int32_t)> preencher = [&](std::int32_t c) -> std::int64_t {
    if (c == nn) return 1;
    std::int64_t soma = 0;
    for (std::size_t i = 0; i < AConjunto.size(); ++i) {
      if (usado[i] || (ADados[c] != 0 && ADados[c] != AConjunto[i])) continue;
      usado[i] = true;
      g[c] = AConjunto[i];
      if (valida(c)) soma += preencher(c + 1);
      usado[i] = false;
      g[c] = 0;
    }
    return soma;
  };
  return preencher(0);
}

// The counter must give min(count, limit) for several limits; on the order
// engine's path it must not use the node budget.
Valores Ordenado(Valores AValores) {
  std::sort(AValores.begin(), AValores.end());
  return AValores;
}

void ConfirmarContagem(TContadorSolucoes& AContador, std::int32_t N, TReceita AReceita,
                       const Valores& AConjunto, const Valores& ADados) {
  const std::int64_t esperado = ContarPorForcaBruta(N, AReceita, AConjunto, ADados);
  for (std::int32_t limite : {1, 2, 1000})
    ASSERT_EQ(AContador.Contar(AConjunto, ADados, limite, CSemLimiteDeNos), std::min<std::int64_t>(esperado, limite))
        << "limite " << limite;
  // The search keeps what it found: distinct grids of the box, with the
  // givens, that obey the laws. (The order engine only counts.)
  if (AContador.UsarMotorOrdem() && CodigoReceita(AReceita) == 5) return;
  ASSERT_EQ(AContador.NumSolucoesGuardadas(), std::min<std::int64_t>(esperado, 1000));
  std::set<Valores> vistas;
  for (std::int32_t i = 0; i < AContador.NumSolucoesGuardadas(); ++i) {
    const std::span<const std::int32_t> s = AContador.SolucaoGuardada(i);
    const Valores grelha(s.begin(), s.end());
    EXPECT_TRUE(vistas.insert(grelha).second);
    EXPECT_EQ(Ordenado(grelha), AConjunto);
    EXPECT_TRUE(VerificarLeis(TSolucao{N, grelha}, AReceita));
    for (std::size_t c = 0; c < grelha.size(); ++c) EXPECT_TRUE(ADados[c] == 0 || ADados[c] == grelha[c]);
  }
}

// 2 + 24 = 5 + 21 = 7 + 19 = 11 + 15 = 2 * 13: symmetric, with gaps.
const Valores CConjuntoSimetrico3 = {2, 5, 7, 11, 13, 15, 19, 21, 24};

TEST(ContadorSolucoes, OrdemESimetria3x3PorAmbosOsCaminhos) {
  const TReceita receita = Receita(5);
  TContadorSolucoes motor(3, receita), procura(3, receita);
  procura.SetUsarMotorOrdem(false);
  EXPECT_TRUE(motor.UsarMotorOrdem());
  EXPECT_FALSE(procura.UsarMotorOrdem());

  // No givens, every single given (also numbers outside the box), every pair.
  std::vector<Valores> casos = {Valores(9, 0)};
  for (std::int32_t c = 0; c < 9; ++c)
    for (std::int32_t v : {2, 5, 7, 11, 13, 15, 19, 21, 24, 3, 0 - 2}) {
      Valores dados(9, 0);
      dados[c] = v;
      casos.push_back(dados);
    }
  for (std::int32_t c1 = 0; c1 < 9; ++c1)
    for (std::int32_t c2 = c1 + 1; c2 < 9; ++c2)
      for (std::int32_t v1 : CConjuntoSimetrico3)
        for (std::int32_t v2 : CConjuntoSimetrico3) {
          Valores dados(9, 0);
          dados[c1] = v1;
          dados[c2] = v2;
          casos.push_back(dados);
        }

  std::int64_t nosDaProcura = 0;
  for (const Valores& dados : casos) {
    SCOPED_TRACE(testing::PrintToString(dados));
    ConfirmarContagem(motor, 3, receita, CConjuntoSimetrico3, dados);
    EXPECT_EQ(motor.Nos(), 0);
    ConfirmarContagem(procura, 3, receita, CConjuntoSimetrico3, dados);
    nosDaProcura += procura.Nos();
  }
  EXPECT_GT(nosDaProcura, 0);

  // Without a symmetric box the engine does not apply and the search answers.
  const Valores assimetrico = {1, 2, 3, 4, 5, 6, 7, 8, 18};
  EXPECT_EQ(motor.Contar(assimetrico, Valores(9, 0), 2, CSemLimiteDeNos), 0);
  EXPECT_EQ(ContarPorForcaBruta(3, receita, assimetrico, Valores(9, 0)), 0);
}

// Table grids are a[r][c] = x[r] + y[c]; x = {0, 10, 20, 30} and y = {1, 3, 4, 6}
// make the box symmetric as well.
const Valores CConjuntoTabela4 = {1, 3, 4, 6, 11, 13, 14, 16, 21, 23, 24, 26, 31, 33, 34, 36};
// Rows take x in the order 20, 0, 30, 10 and columns y in the order 3, 1, 6, 4,
// so opposite cells add up to 30 + 7.
const Valores CSolucaoTabela4 = {23, 21, 26, 24, 3, 1, 6, 4, 33, 31, 36, 34, 13, 11, 16, 14};

// The pandiagonal square 1 8 13 12 / 14 11 2 7 / 4 5 16 9 / 15 10 3 6.
const Valores CMagicoPandiagonal4 = {1, 8, 13, 12, 14, 11, 2, 7, 4, 5, 16, 9, 15, 10, 3, 6};

Valores Dados(const Valores& ASolucao, std::initializer_list<std::int32_t> ACelulas) {
  Valores dados(ASolucao.size(), 0);
  for (std::int32_t c : ACelulas) dados[c] = ASolucao[c];
  return dados;
}

TEST(ContadorSolucoes, ConcordaComForcaBrutaEmTabelaESomas) {
  const Valores magico3 = {2, 7, 6, 9, 5, 1, 4, 3, 8};
  const Valores um9 = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  const struct {
    std::int32_t N;
    int Codigo;
    Valores Conjunto;
    Valores Dados;
  } casos[] = {
      {4, 2, CConjuntoTabela4, Dados(CSolucaoTabela4, {0, 5, 10})},
      {4, 2, CConjuntoTabela4, Dados(CSolucaoTabela4, {1, 2, 4, 8})},  // unique
      // Three corners of one rectangle force the fourth, whichever it is.
      {4, 2, CConjuntoTabela4, Dados(CSolucaoTabela4, {1, 4, 5, 10})},
      {4, 2, CConjuntoTabela4, Dados(CSolucaoTabela4, {0, 4, 5, 11})},
      {4, 2, CConjuntoTabela4, Dados(CSolucaoTabela4, {0, 1, 5, 14})},
      {4, 2, CConjuntoTabela4, Dados(CSolucaoTabela4, {0, 1, 2, 4})},
      {4, 2, CConjuntoTabela4, Dados(CSolucaoTabela4, {3, 6, 9, 12})},
      {4, 2, CConjuntoTabela4, Dados(CSolucaoTabela4, {0, 5, 10, 15, 7})},
      {4, 2, CConjuntoTabela4, {23, 21, 26, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},  // no number fits L4C1
      {4, 3, CConjuntoTabela4, Dados(CSolucaoTabela4, {0, 5})},
      {4, 3, CConjuntoTabela4, Dados(CSolucaoTabela4, {1})},
      {3, 8, um9, Valores(9, 0)},
      {3, 8, um9, Dados(magico3, {0})},
      {3, 8, um9, Dados(magico3, {4})},
      {3, 8, um9, Dados(magico3, {1, 3})},
      {3, 9, um9, Valores(9, 0)},
      {3, 9, um9, Dados(magico3, {1})},
      {3, 8, {1, 2, 3, 4, 5, 6, 7, 8, 10}, Valores(9, 0)},  // the total is not a multiple of 3
      {4, 16, Ordenado(CMagicoPandiagonal4), Dados(CMagicoPandiagonal4, {0, 1, 2, 3, 4})},
      {4, 16, Ordenado(CMagicoPandiagonal4), Dados(CMagicoPandiagonal4, {0, 5, 10, 3, 6})},
      {4, 17, Ordenado(CMagicoPandiagonal4), Dados(CMagicoPandiagonal4, {0, 1, 4})},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(testing::Message() << NomeReceita(Receita(caso.Codigo)) << " "
                                    << testing::PrintToString(caso.Dados));
    TContadorSolucoes contador(caso.N, Receita(caso.Codigo));
    ConfirmarContagem(contador, caso.N, Receita(caso.Codigo), caso.Conjunto, caso.Dados);
  }
}

TEST(ContadorSolucoes, GrelhaCompletaNaoGastaNos) {
  const struct {
    std::int32_t N;
    int Codigo;
    Valores Solucao;
  } casos[] = {
      {4, 3, CSolucaoTabela4},
      {3, 5, {2, 5, 11, 7, 13, 19, 15, 21, 24}},
      {4, 16, CMagicoPandiagonal4},
  };
  for (const auto& caso : casos) {
    TContadorSolucoes contador(caso.N, Receita(caso.Codigo));
    contador.SetUsarMotorOrdem(false);
    for (std::int32_t maxNos : {0, 10}) {
      EXPECT_EQ(contador.Contar(Ordenado(caso.Solucao), caso.Solucao, 2, maxNos), 1) << caso.Codigo;
      EXPECT_EQ(contador.Nos(), 0);
    }
  }
}

TEST(ContadorSolucoes, OrcamentoDeNosELimite) {
  TContadorSolucoes contador(4, Receita(2));
  const Valores dados = Dados(CSolucaoTabela4, {0});
  EXPECT_EQ(contador.Contar(CConjuntoTabela4, dados, 1, 0), -1);
  EXPECT_EQ(contador.Nos(), 1);
  EXPECT_EQ(contador.Contar(CConjuntoTabela4, dados, 2, 3), -1);
  EXPECT_EQ(contador.Nos(), 4);

  // The first solution ends the search, well before all of them are seen.
  EXPECT_EQ(contador.Contar(CConjuntoTabela4, dados, 1, CSemLimiteDeNos), 1);
  const std::int32_t nosAteUma = contador.Nos();
  EXPECT_GT(contador.Contar(CConjuntoTabela4, dados, 1000, CSemLimiteDeNos), 2);
  EXPECT_LT(nosAteUma, contador.Nos());
}

// Traced by hand: a node is spent on every chosen cell, forced or not; a cell
// without candidates ends its branch for free; the limit ends the search.
TEST(ContadorSolucoes, NosDeUmaProcuraPequena) {
  TContadorSolucoes contador(2, Receita(4));
  const struct {
    std::int32_t Limite, Solucoes, Nos;
  } casos[] = {{1, 1, 4}, {2, 2, 6}, {1000, 2, 10}};
  for (const auto& caso : casos) {
    EXPECT_EQ(contador.Contar(Valores{1, 2, 3, 4}, Valores(4, 0), caso.Limite, CSemLimiteDeNos), caso.Solucoes);
    EXPECT_EQ(contador.Nos(), caso.Nos) << "limite " << caso.Limite;
  }
}

TEST(ContadorSolucoes, DadosQueNaoCabemDaoZero) {
  Valores foraDoConjunto(16, 0);
  foraDoConjunto[3] = 50;
  for (int codigo : {2, 5}) {
    TContadorSolucoes contador(4, Receita(codigo));
    const Valores conjunto = codigo == 5 ? Valores{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}
                                         : CConjuntoTabela4;
    const std::int32_t repetido = conjunto[6];
    Valores repetidos(16, 0);
    repetidos[0] = repetidos[15] = repetido;
    for (const Valores& dados : {repetidos, foraDoConjunto}) {
      EXPECT_EQ(contador.Contar(conjunto, dados, 2, CSemLimiteDeNos), 0) << codigo;
      EXPECT_EQ(contador.Nos(), 0);
    }
  }

  // With symmetry the centre of a 5 x 5 grid can only hold K / 2 = 13.
  Valores conjunto(25);
  std::iota(conjunto.begin(), conjunto.end(), 1);
  TContadorSolucoes simetria(5, Receita(1));
  Valores dados(25, 0);
  dados[12] = 12;
  EXPECT_EQ(simetria.Contar(conjunto, dados, 2, CSemLimiteDeNos), 0);
  dados[12] = 13;
  EXPECT_EQ(simetria.Contar(conjunto, dados, 2, CSemLimiteDeNos), 2);
}

TEST(ContadorSolucoes, CaminhoDoMotorNaoUsaNos) {
  Valores conjunto(25);
  std::iota(conjunto.begin(), conjunto.end(), 1);
  Valores dados(25, 0);
  dados[1] = 2;
  dados[12] = 13;
  TContadorSolucoes contador(5, Receita(5));
  EXPECT_EQ(contador.Contar(conjunto, dados, 2, 0), 2);
  EXPECT_EQ(contador.Nos(), 0);
  contador.SetUsarMotorOrdem(false);
  EXPECT_EQ(contador.Contar(conjunto, dados, 2, 0), -1);
  EXPECT_EQ(contador.Contar(conjunto, dados, 2, CSemLimiteDeNos), 2);
  EXPECT_GT(contador.Nos(), 0);
}

TEST(ContadorSolucoes, Erros) {
  for (std::int32_t n : {1, 8})
    EXPECT_EQ(Mensagem([n] { TContadorSolucoes c(n, Receita(2)); }), "TContadorSolucoes: N tem de estar entre 2 e 7");

  TContadorSolucoes contador(3, Receita(5));
  const Valores vazio(9, 0);
  const struct {
    Valores Conjunto;
    Valores Dados;
    std::int32_t Limite;
    const char* Mensagem;
  } casos[] = {
      {{1, 2, 3, 4, 5, 6, 7, 8}, vazio, 2, "TContadorSolucoes.Contar: conjunto e dados tem de ter N*N valores"},
      {CConjuntoSimetrico3, Valores(10, 0), 2, "TContadorSolucoes.Contar: conjunto e dados tem de ter N*N valores"},
      {CConjuntoSimetrico3, vazio, 0, "TContadorSolucoes.Contar: o limite tem de ser pelo menos 1"},
      {{0, 2, 3, 4, 5, 6, 7, 8, 9}, vazio, 2, "TContadorSolucoes.Contar: numero do conjunto fora de [CMinValor, CMaxValor]"},
      {{1, 2, 3, 4, 5, 6, 7, 8, 100}, vazio, 2, "TContadorSolucoes.Contar: numero do conjunto fora de [CMinValor, CMaxValor]"},
      {{1, 2, 3, 4, 4, 6, 7, 8, 9}, vazio, 2, "TContadorSolucoes.Contar: o conjunto tem de ser estritamente crescente"},
      {{1, 2, 3, 5, 4, 6, 7, 8, 9}, vazio, 2, "TContadorSolucoes.Contar: o conjunto tem de ser estritamente crescente"},
  };
  for (const auto& caso : casos)
    EXPECT_EQ(Mensagem([&] { contador.Contar(caso.Conjunto, caso.Dados, caso.Limite, 1000); }), caso.Mensagem);
}

}  // namespace
}  // namespace cadrel
