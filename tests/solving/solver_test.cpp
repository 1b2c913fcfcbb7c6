#include "solving/solver.hpp"

#include <gtest/gtest.h>

#include "apoio.hpp"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "construction/solucoes.hpp"
#include "core/random.hpp"

namespace cadrel {
namespace {

using TGrelha = std::vector<std::int32_t>;

// a[r][c] = x_r + y_c with x = (0, -2, 20, 40) and y = (7, 11, 16, 24):
// every rectangle has equal diagonal sums. K = 58 for the symmetry law.
const TGrelha CTabela = {7, 11, 16, 24, 5, 9, 14, 22, 27, 31, 36, 44, 47, 51, 56, 64};
// Rows and columns increase; opposite cells sum to K = 50.
const TGrelha COrdemSim = {12, 14, 17, 20, 15, 19, 22, 26, 24, 28, 31, 35, 30, 33, 36, 38};
// Pandiagonal magic square of 1..16, S = 34.
const TGrelha CMagico = {1, 8, 13, 12, 14, 11, 2, 7, 4, 5, 16, 9, 15, 10, 3, 6};
// Lo Shu: S = 15, and opposite cells sum to K = 10.
const TGrelha CLoShu = {2, 7, 6, 9, 5, 1, 4, 3, 8};
const TGrelha CUmADezasseis = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

TReceita Receita(std::initializer_list<TLei> ALeis) { return TReceita{TConjuntoLeis(ALeis)}; }

TGrelha Caixa(TGrelha AGrelha) {
  std::sort(AGrelha.begin(), AGrelha.end());
  return AGrelha;
}

// The grid with only the listed cells kept.
TGrelha Dados(const TGrelha& AGrelha, std::initializer_list<std::int32_t> ACelulas) {
  TGrelha dados(AGrelha.size(), 0);
  for (std::int32_t c : ACelulas) dados[c] = AGrelha[c];
  return dados;
}

void ConfirmarPassos(const std::vector<TPassoDeducao>& AObtidos,
                     const std::vector<TPassoDeducao>& AEsperados) {
  ASSERT_EQ(AObtidos.size(), AEsperados.size());
  for (std::size_t i = 0; i < AEsperados.size(); ++i) {
    SCOPED_TRACE("passo " + std::to_string(i) + ": " + AEsperados[i].Texto);
    EXPECT_EQ(AObtidos[i].Tecnica, AEsperados[i].Tecnica);
    EXPECT_EQ(AObtidos[i].Celula, AEsperados[i].Celula);
    EXPECT_EQ(AObtidos[i].Valor, AEsperados[i].Valor);
    EXPECT_EQ(AObtidos[i].Operandos, AEsperados[i].Operandos);
    EXPECT_EQ(AObtidos[i].Texto, AEsperados[i].Texto);
    EXPECT_EQ(AObtidos[i].Origens, AEsperados[i].Origens);
  }
}

TEST(SolverDeducao, LadoForaDoIntervaloRecusado) {
  for (std::int32_t n : {1, 8})
    EXPECT_EQ(cadrel::Mensagem([n] { TSolverDeducao s(n, Receita({leiSIM, leiSOMD})); }),
              "TSolverDeducao: N tem de estar entre 2 e 7");
  EXPECT_NO_THROW(TSolverDeducao(2, Receita({leiTAB, leiSOMQ})));
  EXPECT_NO_THROW(TSolverDeducao(7, Receita({leiTAB, leiSOMQ})));
}

TEST(SolverDeducao, PreparacaoRecusaEntradasInvalidas) {
  const TGrelha caixa = Caixa(CTabela);
  auto com = [](TGrelha v, std::size_t i, std::int32_t x) {
    v[i] = x;
    return v;
  };
  TGrelha curta = caixa;
  curta.pop_back();
  TGrelha somaImpar = CUmADezasseis;  // total 137
  somaImpar.back() = 17;
  const TGrelha vazia(16, 0);

  struct TCaso {
    const char* Nome;
    TReceita Receita;
    TGrelha Conjunto, Dados, Ref;
    std::string Mensagem;
  };
  const std::vector<TCaso> casos = {
      {"caixa curta, e com um 0", Receita({leiTAB}), com(curta, 0, 0), vazia, {},
       "TSolverDeducao.Resolver: conjunto e dados tem de ter N*N valores"},
      {"dados longos", Receita({leiTAB}), caixa, TGrelha(17, 0), {},
       "TSolverDeducao.Resolver: conjunto e dados tem de ter N*N valores"},
      {"referencia curta", Receita({leiTAB}), caixa, vazia, curta,
       "TSolverDeducao.Resolver: a solucao de referencia tem de ter N*N valores"},
      {"0 na caixa", Receita({leiTAB}), com(caixa, 0, 0), vazia, {},
       "TSolverDeducao.Resolver: numero do conjunto fora de [CMinValor, CMaxValor]"},
      {"100 na caixa", Receita({leiTAB}), com(caixa, 15, 100), vazia, {},
       "TSolverDeducao.Resolver: numero do conjunto fora de [CMinValor, CMaxValor]"},
      {"valor repetido antes de um 100", Receita({leiTAB}), com(com(caixa, 4, 11), 15, 100),
       vazia, {}, "TSolverDeducao.Resolver: o conjunto tem de ser estritamente crescente"},
      {"caixa decrescente", Receita({leiTAB}), TGrelha(caixa.rbegin(), caixa.rend()), vazia, {},
       "TSolverDeducao.Resolver: o conjunto tem de ser estritamente crescente"},
      {"K fracionario", Receita({leiSIM, leiSOMD}), somaImpar, vazia, {},
       "TSolverDeducao.Resolver: K nao e inteiro"},
      {"S fracionario", Receita({leiSOMD}), somaImpar, vazia, {},
       "TSolverDeducao.Resolver: S nao e inteiro"},
      {"dado fora da caixa", Receita({leiTAB}), caixa, com(vazia, 4, 20), {},
       "TSolverDeducao.Resolver: dado 20 fora do conjunto"},
      {"dado 100", Receita({leiTAB}), caixa, com(vazia, 4, 100), {},
       "TSolverDeducao.Resolver: dado 100 fora do conjunto"},
      {"dado negativo", Receita({leiTAB}), caixa, com(vazia, 4, -3), {},
       "TSolverDeducao.Resolver: dado -3 fora do conjunto"},
      {"dado repetido", Receita({leiTAB}), caixa, com(com(vazia, 2, 7), 9, 7), {},
       "TSolverDeducao.Resolver: dado 7 repetido"},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.Nome);
    TSolverDeducao solver(4, caso.Receita);
    EXPECT_EQ(cadrel::Mensagem([&] { solver.Resolver(caso.Conjunto, caso.Dados, tecT6, caso.Ref); }),
              caso.Mensagem);
  }
  // 1..16 totals 136, not a multiple of 16, yet K = 2 * 136 / 16 = 17.
  TSolverDeducao simetria(4, Receita({leiSIM}));
  EXPECT_NO_THROW(simetria.Resolver(CUmADezasseis, vazia, tecT6, {}));
}

TEST(SolverDeducao, GrelhaTodaDadaNaoTemPassos) {
  TSolverDeducao solver(4, Receita({leiTAB}));
  const TResultadoSolver r = solver.Resolver(Caixa(CTabela), CTabela, tecT6, CTabela);
  EXPECT_TRUE(r.Resolvido);
  EXPECT_TRUE(r.Passos.empty());
  EXPECT_EQ(r.TecnicaMax, tecNenhuma);
  EXPECT_EQ(r.OperandosTotal, 0);
  EXPECT_EQ(r.OperandosMaxPasso, 0);
  EXPECT_EQ(r.Pontuacao, 0.0);
  EXPECT_EQ(r.PontuacaoPorCelula, 0.0);
  EXPECT_EQ(r.PontuacaoNormalizada, 0.0);
}

// Half of each opposite pair given: T1 alone cannot start, T2 fills the rest
// until one cell is left, which T1 takes first.
TEST(SolverDeducao, SimetriaSoAvancaComT2) {
  TSolverDeducao solver(4, Receita({leiSIM}));
  const TGrelha dados = Dados(COrdemSim, {0, 1, 2, 3, 4, 5, 6, 7});
  for (TTecnica max : {tecNenhuma, tecT1}) {
    const TResultadoSolver r = solver.Resolver(Caixa(COrdemSim), dados, max, COrdemSim);
    EXPECT_FALSE(r.Resolvido);
    EXPECT_TRUE(r.Passos.empty());
  }

  const TResultadoSolver r = solver.Resolver(Caixa(COrdemSim), dados, tecT2, COrdemSim);
  EXPECT_TRUE(r.Resolvido);
  ASSERT_EQ(r.Passos.size(), 8u);
  ConfirmarPassos({r.Passos.front(), r.Passos[6], r.Passos.back()},
                  {{tecT2, 15, 38, 1, "L4C4 = 50 - 12 = 38", {0}},
                   {tecT2, 9, 28, 1, "L3C2 = 50 - 22 = 28", {6}},
                   {tecT1, 8, 24, 0, "L3C1 = 24 (único)", {}}});
}

// Each corner of the first rectangle in turn, with L4C4 also empty so that
// T1 cannot move first.
TEST(SolverDeducao, T3CompletaORectangulo) {
  const std::vector<TPassoDeducao> esperados = {
      {tecT3, 0, 7, 3, "L1C1 = 11 + 5 - 9 = 7", {1, 4, 5}},
      {tecT3, 5, 9, 3, "L2C2 = 11 + 5 - 7 = 9", {0, 1, 4}},
      {tecT3, 1, 11, 3, "L1C2 = 7 + 9 - 5 = 11", {0, 4, 5}},
      {tecT3, 4, 5, 3, "L2C1 = 7 + 9 - 11 = 5", {0, 1, 5}},
  };
  TSolverDeducao solver(4, Receita({leiTAB}));
  for (const TPassoDeducao& passo : esperados) {
    SCOPED_TRACE(passo.Texto);
    TGrelha dados = CTabela;
    dados[passo.Celula] = 0;
    dados[15] = 0;
    const TResultadoSolver r = solver.Resolver(Caixa(CTabela), dados, tecT3, CTabela);
    EXPECT_TRUE(r.Resolvido);
    ConfirmarPassos(r.Passos, {passo, {tecT1, 15, 64, 0, "L4C4 = 64 (único)", {}}});
    // Weights: T3 2 * (3 + 2), T1 1 * (0 + 2); halved.
    EXPECT_EQ(r.TecnicaMax, tecT3);
    EXPECT_EQ(r.OperandosTotal, 3);
    EXPECT_EQ(r.OperandosMaxPasso, 3);
    EXPECT_DOUBLE_EQ(r.Pontuacao, 6.0);
    EXPECT_DOUBLE_EQ(r.PontuacaoPorCelula, 6.0 / 16);
    EXPECT_DOUBLE_EQ(r.PontuacaoNormalizada, 3.0);
  }
}

// Without givens only the corners get a single rank; once they are placed a
// new pass of the bounds narrows nothing and makes no step.
TEST(SolverDeducao, T4SemDadosFixaOsCantos) {
  TSolverDeducao solver(4, Receita({leiORD, leiSIM}));
  const TResultadoSolver r = solver.Resolver(Caixa(COrdemSim), TGrelha(16, 0), tecT6, COrdemSim);
  EXPECT_FALSE(r.Resolvido);
  ConfirmarPassos(r.Passos, {{tecT4, -1, 0, 0, "limites de ordem", {}},
                             {tecT1, 0, 12, 0, "L1C1 = 12 (único)", {}},
                             {tecT1, 15, 38, 0, "L4C4 = 38 (único)", {}}});
  EXPECT_DOUBLE_EQ(r.Pontuacao, 4.0);
  EXPECT_DOUBLE_EQ(r.PontuacaoPorCelula, 0.25);
  EXPECT_DOUBLE_EQ(r.PontuacaoNormalizada, 0.25);
}

// L2C1 = 3 leaves 2 only one place (L1C2), but the single candidate of L4C4,
// later in the grid, still goes first.
TEST(SolverDeducao, T1PrefereCandidatoUnicoALugarUnico) {
  TSolverDeducao solver(4, Receita({leiORD}));
  const TResultadoSolver r =
      solver.Resolver(CUmADezasseis, Dados(CUmADezasseis, {4}), tecT4, {});
  ASSERT_GE(r.Passos.size(), 4u);
  ConfirmarPassos({r.Passos.begin(), r.Passos.begin() + 4},
                  {{tecT4, -1, 0, 0, "limites de ordem", {}},
                   {tecT1, 0, 1, 0, "L1C1 = 1 (único)", {}},
                   {tecT1, 15, 16, 0, "L4C4 = 16 (único)", {}},
                   {tecT1, 1, 2, 0, "L1C2 = 2 (só cabe aqui)", {}}});
}

// Pairs left in four lines narrow candidates; only the three-cell sum of row 1
// then breaks through.
TEST(SolverDeducao, SomasT5EliminaT6Desbloqueia) {
  TSolverDeducao solver(4, Receita({leiSOMD}));
  const TGrelha dados = Dados(CMagico, {1, 4, 5, 6, 7, 9, 10, 13});
  const std::vector<TPassoDeducao> pares = {
      {tecT5, -1, 0, 2, "linha 3: faltam 2 números que somam 13", {}},
      {tecT5, -1, 0, 2, "coluna 3: faltam 2 números que somam 16", {}},
      {tecT5, -1, 0, 2, "diagonal: faltam 2 números que somam 7", {}},
      {tecT5, -1, 0, 2, "diagonal inversa: faltam 2 números que somam 27", {}},
  };

  const TResultadoSolver r5 = solver.Resolver(CUmADezasseis, dados, tecT5, CMagico);
  EXPECT_FALSE(r5.Resolvido);
  ConfirmarPassos(r5.Passos, pares);

  const TResultadoSolver r6 = solver.Resolver(CUmADezasseis, dados, tecT6, CMagico);
  EXPECT_TRUE(r6.Resolvido);
  std::vector<TPassoDeducao> esperados = pares;
  esperados.insert(esperados.end(),
                   {{tecT6, -1, 0, 1, "linha 1: faltam 3 números que somam 26", {}},
                    {tecT1, 0, 1, 0, "L1C1 = 1 (único)", {}},
                    {tecT1, 2, 13, 0, "L1C3 = 13 (único)", {}},
                    {tecT1, 3, 12, 0, "L1C4 = 12 (único)", {}},
                    {tecT1, 12, 15, 0, "L4C1 = 15 (único)", {}},
                    {tecT1, 15, 6, 0, "L4C4 = 6 (só cabe aqui)", {}},
                    {tecT1, 14, 3, 0, "L4C3 = 3 (só cabe aqui)", {}},
                    {tecT5, 8, 4, 3, "L3C1 = 34 - 1 - 14 - 15 = 4", {0, 4, 12}},
                    {tecT1, 11, 9, 0, "L3C4 = 9 (único)", {}}});
  ConfirmarPassos(r6.Passos, esperados);
  // 4 pairs 3 * 4, T6 4 * 3, seven T1 1 * 2, the placement 3 * 5: 89 halves.
  EXPECT_EQ(r6.TecnicaMax, tecT6);
  EXPECT_EQ(r6.OperandosTotal, 12);
  EXPECT_EQ(r6.OperandosMaxPasso, 3);
  EXPECT_DOUBLE_EQ(r6.Pontuacao, 44.5);
  EXPECT_DOUBLE_EQ(r6.PontuacaoPorCelula, 44.5 / 16);
  EXPECT_DOUBLE_EQ(r6.PontuacaoNormalizada, 44.5 / 8);
}

// With row 1 given, 33 without 5 would need 14 + 14: only the 5 goes, in
// column 1 and in the diagonal.
TEST(SolverDeducao, T6NaoUsaONumeroDuasVezes) {
  TSolverDeducao solver(4, Receita({leiSOMD}));
  const TResultadoSolver r =
      solver.Resolver(CUmADezasseis, Dados(CMagico, {0, 1, 2, 3}), tecT6, CMagico);
  EXPECT_FALSE(r.Resolvido);
  ConfirmarPassos(r.Passos, {{tecT6, -1, 0, 1, "coluna 1: faltam 3 números que somam 33", {}},
                             {tecT6, -1, 0, 1, "diagonal: faltam 3 números que somam 33", {}}});
}

TResultadoSolver ResolverLoShu() {
  TSolverDeducao solver(3, Receita({leiSIM, leiSOMD}));
  return solver.Resolver(Caixa(CLoShu), Dados(CLoShu, {0, 1}), tecT6, CLoShu);
}

// Symmetry first, a sum when no opposite is known, and the centre left to T1.
TEST(SolverDeducao, SimetriaESomasNaGrelhaDe3) {
  const TResultadoSolver r = ResolverLoShu();
  EXPECT_TRUE(r.Resolvido);
  ConfirmarPassos(r.Passos, {{tecT2, 8, 8, 1, "L3C3 = 10 - 2 = 8", {0}},
                             {tecT2, 7, 3, 1, "L3C2 = 10 - 7 = 3", {1}},
                             {tecT5, 2, 6, 2, "L1C3 = 15 - 2 - 7 = 6", {0, 1}},
                             {tecT2, 6, 4, 1, "L3C1 = 10 - 6 = 4", {2}},
                             {tecT5, 3, 9, 2, "L2C1 = 15 - 2 - 4 = 9", {0, 6}},
                             {tecT2, 5, 1, 1, "L2C3 = 10 - 9 = 1", {3}},
                             {tecT1, 4, 5, 0, "L2C2 = 5 (único)", {}}});
  // Four T2 at 1 * 3, two T5 at 3 * 4, one T1 at 1 * 2: 38 halves.
  EXPECT_EQ(r.TecnicaMax, tecT5);
  EXPECT_EQ(r.OperandosTotal, 8);
  EXPECT_EQ(r.OperandosMaxPasso, 2);
  EXPECT_DOUBLE_EQ(r.Pontuacao, 19.0);
  EXPECT_DOUBLE_EQ(r.PontuacaoPorCelula, 19.0 / 9);
  EXPECT_DOUBLE_EQ(r.PontuacaoNormalizada, 19.0 / 7);
}

TEST(SolverDeducao, ContradicoesSaoErros) {
  const TGrelha caixaTabela = Caixa(CTabela);
  TGrelha trocada = CTabela;  // L2C2 and L2C3 exchanged
  std::swap(trocada[5], trocada[6]);
  TGrelha dadosTrocados = CTabela;
  std::swap(dadosTrocados[0], dadosTrocados[1]);
  const TGrelha caixa15 = {1, 2, 3, 4, 5, 6, 7, 8, 15};  // S = 17 on a 3x3 grid

  struct TCaso {
    const char* Nome;
    std::int32_t N;
    TReceita Receita;
    TGrelha Conjunto, Dados, Ref;
    std::string Mensagem;
  };
  const std::vector<TCaso> casos = {
      {"dado contra a referencia", 4, Receita({leiTAB}), caixaTabela, dadosTrocados, CTabela,
       "TSolverDeducao: - colocou 11 em L1C1, mas a solucao tem 7"},
      {"deducao contra a referencia", 4, Receita({leiTAB}), caixaTabela,
       Dados(CTabela, {0, 1, 4}), trocada,
       "TSolverDeducao: T3 colocou 9 em L2C2, mas a solucao tem 14"},
      {"T2 fora da caixa", 4, Receita({leiSIM}), caixaTabela,
       {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {},
       "TSolverDeducao: T2 deu 53, que nao pertence ao conjunto"},
      {"T3 fora da caixa", 4, Receita({leiTAB}), caixaTabela,
       {5, 11, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {},
       "TSolverDeducao: T3 deu 13, que nao pertence ao conjunto"},
      {"T3 com numero ja usado", 4, Receita({leiTAB}), caixaTabela,
       {7, 11, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}, {},
       "TSolverDeducao: T3 quer colocar 9 em L2C2, que nao o admite"},
      // 14 at the start of row 4 (or of column 4) leaves no rank for the
      // cell after it.
      {"ordem na linha", 4, Receita({leiORD}), CUmADezasseis, Dados(TGrelha(16, 14), {12}), {},
       "TSolverDeducao: contradicao de ordem em L4C2"},
      {"ordem na coluna", 4, Receita({leiORD}), CUmADezasseis, Dados(TGrelha(16, 14), {3}), {},
       "TSolverDeducao: contradicao de ordem em L2C4"},
      // L1C3 = 3 and L3C1 = 4 leave both neighbours of L1C1 only the 2.
      {"dois vizinhos so com o 2", 4, Receita({leiORD}), CUmADezasseis,
       {0, 0, 3, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0}, {},
       "TSolverDeducao: contradicao, L2C1 ficou sem candidatos"},
      {"1 sem lugar", 4, Receita({leiORD}), CUmADezasseis,
       {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16}, {},
       "TSolverDeducao: contradicao, o numero 1 nao cabe em nenhuma celula"},
      {"soma fora da caixa", 3, Receita({leiSOMD}), caixa15, {1, 2, 0, 0, 0, 0, 0, 0, 0}, {},
       "TSolverDeducao: a soma deu 14, que nao pertence ao conjunto"},
      // Only 1 + 1 would make 2: a number never pairs with itself.
      {"par com o mesmo numero", 3, Receita({leiSOMD}), caixa15, {15, 0, 0, 0, 0, 0, 0, 0, 0},
       {}, "TSolverDeducao: contradicao de soma em linha 1"},
      // S = 22 is out of reach of three different numbers; 6 + 8 + 8 and
      // 7 + 7 + 8 do not count.
      {"trio com numero repetido", 3, Receita({leiSOMD}), {1, 2, 3, 4, 5, 6, 7, 8, 30},
       TGrelha(9, 0), {}, "TSolverDeducao: contradicao de soma em linha 1"},
  };
  for (const TCaso& caso : casos) {
    SCOPED_TRACE(caso.Nome);
    TSolverDeducao solver(caso.N, caso.Receita);
    EXPECT_EQ(cadrel::Mensagem([&] { solver.Resolver(caso.Conjunto, caso.Dados, tecT6, caso.Ref); }),
              caso.Mensagem);
    EXPECT_EQ(cadrel::Mensagem([&] { solver.Classificar(caso.Conjunto, caso.Dados, tecT6, caso.Ref); }),
              caso.Mensagem);
  }
}

// The grading path keeps no steps, yet must judge exactly as the steps would:
// random givens of real grids of every size and book recipe, at every
// technique limit.
TEST(SolverDeducao, ClassificarResumeOsPassos) {
  TGeradorAleatorio rng(77);
  for (std::int32_t n = 4; n <= 7; ++n) {
    for (const std::int32_t codigo : {2, 3, 5, 9, 16, 17}) {
      const TReceita receita = TReceita{TConjuntoLeis::DeCodigo(codigo)};
      if (!ReceitaSuportada(n, receita)) continue;
      const TGrelha solucao = CriarGeradorSolucao(n, receita)->Gerar(rng).Valores;
      TSolverDeducao solver(n, receita);
      for (std::int32_t k = 0; k < 12; ++k) {
        TGrelha dados = solucao;
        for (std::int32_t& v : dados)
          if (rng.Limite(3) != 0) v = 0;
        const auto tecnica = static_cast<TTecnica>(1 + rng.Limite(6));
        const TResultadoSolver r = solver.Resolver(Caixa(solucao), dados, tecnica, solucao);
        const TResumoSolver s = solver.Classificar(Caixa(solucao), dados, tecnica, solucao);
        // The figures as the steps define them.
        TResumoSolver esperado;
        esperado.Resolvido = r.Resolvido;
        std::int32_t peso = 0;
        for (const TPassoDeducao& p : r.Passos) {
          esperado.TecnicaMax = std::max(esperado.TecnicaMax, p.Tecnica);
          esperado.OperandosTotal += p.Operandos;
          esperado.OperandosMaxPasso = std::max(esperado.OperandosMaxPasso, p.Operandos);
          if (p.Tecnica == tecT3) esperado.OperandosMaxT3 = std::max(esperado.OperandosMaxT3, p.Operandos);
          if (p.Tecnica == tecT5 || p.Tecnica == tecT6)
            esperado.OperandosMaxSomas = std::max(esperado.OperandosMaxSomas, p.Operandos);
          peso += PesoTecnica(p.Tecnica) * (p.Operandos + 2);
        }
        esperado.Pontuacao = peso / 2.0;
        SCOPED_TRACE(testing::Message() << n << "x" << n << " receita " << codigo << " caso " << k);
        EXPECT_EQ(s.Resolvido, esperado.Resolvido);
        EXPECT_EQ(s.TecnicaMax, esperado.TecnicaMax);
        EXPECT_EQ(s.OperandosTotal, esperado.OperandosTotal);
        EXPECT_EQ(s.OperandosMaxPasso, esperado.OperandosMaxPasso);
        EXPECT_EQ(s.OperandosMaxT3, esperado.OperandosMaxT3);
        EXPECT_EQ(s.OperandosMaxSomas, esperado.OperandosMaxSomas);
        EXPECT_EQ(s.Pontuacao, esperado.Pontuacao);
        EXPECT_EQ(r.Pontuacao, esperado.Pontuacao);
        EXPECT_EQ(s.PontuacaoPorCelula, r.PontuacaoPorCelula);
        EXPECT_EQ(s.PontuacaoNormalizada, r.PontuacaoNormalizada);
      }
    }
  }
}

std::vector<std::int32_t> Celulas(const std::vector<TPassoDeducao>& APassos) {
  std::vector<std::int32_t> celulas;
  for (const TPassoDeducao& p : APassos) celulas.push_back(p.Celula);
  return celulas;
}

// Lo Shu placements: the T5 of L1C3 stands alone; the T5 of L2C1 needs L3C1,
// which needs L1C3.
TEST(SelecionarDicas, EscolheOsMaisDificeisComAsSuasOrigens) {
  const TResultadoSolver r = ResolverLoShu();
  EXPECT_TRUE(SelecionarDicas(r, 0).empty());
  // L2C1 with L3C1 does not fit after L1C3; the single L3C3 still does.
  EXPECT_EQ(Celulas(SelecionarDicas(r, 2)), (std::vector<std::int32_t>{8, 2}));
  EXPECT_EQ(Celulas(SelecionarDicas(r, 3)), (std::vector<std::int32_t>{2, 6, 3}));
  const std::vector<TPassoDeducao> todas = SelecionarDicas(r, 100);
  ConfirmarPassos(todas, r.Passos);
}

// Step 2 reaches step 0 both directly and through step 1.
TEST(SelecionarDicas, DesempataPorOperandosEContaCadaPassoUmaVez) {
  TResultadoSolver r;
  r.Passos = {{tecT1, 0, 1, 0, "a", {}},     {tecT2, 1, 2, 1, "b", {0}},
              {tecT3, 2, 3, 3, "c", {0, 1, 9}}, {tecT1, 3, 4, 0, "d", {}},
              {tecT2, 4, 5, 1, "e", {7}},      {tecT4, -1, 0, 0, "f", {}}};
  EXPECT_EQ(Celulas(SelecionarDicas(r, 1)), (std::vector<std::int32_t>{4}));
  EXPECT_EQ(Celulas(SelecionarDicas(r, 4)), (std::vector<std::int32_t>{0, 1, 2, 4}));
}

TEST(SelecionarDicas, EliminacoesNuncaSaoDicas) {
  TSolverDeducao solver(4, Receita({leiSOMD}));
  const TResultadoSolver r = solver.Resolver(
      CUmADezasseis, Dados(CMagico, {1, 4, 5, 6, 7, 9, 10, 13}), tecT5, CMagico);
  ASSERT_FALSE(r.Passos.empty());
  EXPECT_TRUE(SelecionarDicas(r, 100).empty());
}

}  // namespace
}  // namespace cadrel
