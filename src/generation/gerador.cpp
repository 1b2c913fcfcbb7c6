#include "generation/gerador.hpp"

#include <algorithm>
#include <numeric>
#include <utility>

#include <fmt/format.h>

#include "generation/bandas.hpp"
#include "generation/niveis.hpp"

namespace cadrel {

namespace {
constexpr std::int32_t CLimiteSolucoes = 2;
constexpr std::int32_t CMaxNos = 200000;
constexpr std::uint64_t CBaseFnv = 0xCBF29CE484222325ULL;
constexpr std::uint64_t CPrimoFnv = 0x100000001B3ULL;
}  // namespace

// ------------------------------------------------------------- corners ---

bool ParCantosAplica(TReceita AReceita, std::int32_t APar) {
  const bool tabOuSim = AReceita.Leis.Contem(leiTAB) || AReceita.Leis.Contem(leiSIM);
  // Under the order law the top-left and bottom-right corners are always given.
  return APar == 1 ? tabOuSim : tabOuSim && !AReceita.Leis.Contem(leiORD);
}

std::int32_t CantoDoPar(std::int32_t N, std::int32_t APar, std::int32_t AQual) {
  if (APar == 0) return AQual == 0 ? 0 : N * N - 1;
  return AQual == 0 ? N - 1 : N * (N - 1);
}

bool CantosOpostosDados(std::int32_t N, TReceita AReceita, std::span<const std::int32_t> ADados) {
  for (std::int32_t par = 0; par < 2; ++par)
    if (ParCantosAplica(AReceita, par) && ADados[CantoDoPar(N, par, 0)] != 0 && ADados[CantoDoPar(N, par, 1)] != 0)
      return true;
  return false;
}

bool CompletariaCantos(std::int32_t N, TReceita AReceita, std::span<const std::int32_t> ADados,
                       std::int32_t ACelula) {
  for (std::int32_t par = 0; par < 2; ++par) {
    if (!ParCantosAplica(AReceita, par)) continue;
    for (std::int32_t qual = 0; qual < 2; ++qual)
      if (CantoDoPar(N, par, qual) == ACelula && ADados[CantoDoPar(N, par, 1 - qual)] != 0) return true;
  }
  return false;
}

bool BordaTrivial(std::int32_t N, std::span<const std::int32_t> ADados, std::span<const std::int32_t> ASolucao) {
  struct TLado {
    bool linha;   // a row, else a column
    bool inicio;  // the first row or column, else the last
  };
  constexpr TLado lados[] = {{true, true}, {true, false}, {false, true}, {false, false}};
  for (const TLado& lado : lados) {
    const std::int32_t indice = lado.inicio ? 0 : N - 1;
    std::int32_t minLado = CMaxValor + 1, maxLado = CMinValor - 1;
    std::int32_t minResto = CMaxValor + 1, maxResto = CMinValor - 1;
    for (std::int32_t celula = 0; celula < N * N; ++celula) {
      if (ADados[celula] != 0) continue;
      const std::int32_t v = ASolucao[celula];
      const bool noLado = (lado.linha ? celula / N : celula % N) == indice;
      std::int32_t& menor = noLado ? minLado : minResto;
      std::int32_t& maior = noLado ? maxLado : maxResto;
      menor = std::min(menor, v);
      maior = std::max(maior, v);
    }
    const bool ambos = maxLado >= CMinValor && maxResto >= CMinValor;
    if (ambos && (lado.inicio ? maxLado < minResto : minLado > maxResto)) return true;
  }
  return false;
}

// ---------------------------------------------------------------- keys ---

std::uint64_t MisturarHash(std::uint64_t h, std::int32_t v) {
  return (h ^ (static_cast<std::uint64_t>(v) & 0xFFFFu)) * CPrimoFnv;
}

std::int32_t IndiceSimetria(std::int32_t N, std::int32_t t, std::int32_t i, std::int32_t j) {
  const std::int32_t ri = N - 1 - i, rj = N - 1 - j;
  switch (t) {
    case 1: return j * N + i;
    case 2: return ri * N + rj;
    case 3: return j * N + ri;
    case 4: return rj * N + i;
    case 5: return i * N + rj;
    case 6: return ri * N + j;
    case 7: return rj * N + ri;
    default: return i * N + j;
  }
}

std::uint64_t CalcularChaveCanonica(std::int32_t N, TReceita AReceita, std::span<const std::int32_t> AGrelha) {
  // Only the identity and the transpose keep rows and columns increasing.
  const std::int32_t numSimetrias = AReceita.Leis.Contem(leiORD) ? 2 : 8;
  const std::int32_t nn = N * N;
  std::vector<std::int32_t> melhor(nn), candidata(nn);
  for (std::int32_t t = 0; t < numSimetrias; ++t) {
    auto& destino = t == 0 ? melhor : candidata;
    for (std::int32_t i = 0; i < N; ++i)
      for (std::int32_t j = 0; j < N; ++j) destino[i * N + j] = AGrelha[IndiceSimetria(N, t, i, j)];
    if (t > 0 && candidata < melhor) std::swap(melhor, candidata);
  }
  std::uint64_t h = MisturarHash(MisturarHash(CBaseFnv, N), CodigoReceita(AReceita));
  for (std::int32_t v : melhor) h = MisturarHash(h, v);
  return h;
}

std::uint64_t CalcularChaveConjunto(std::span<const std::int32_t> AValores) {
  std::uint64_t h = CBaseFnv;
  for (std::int32_t v : AValores) h = MisturarHash(h, v);
  return h;
}

// -------------------------------------------------------------- puzzles ---

TGeradorPuzzle::TGeradorPuzzle(std::int32_t N, TNivel ANivel, TReceita AReceita)
    : TGeradorPuzzle(N, ANivel, AReceita, CriarGeradorSolucao(N, AReceita)) {}

TGeradorPuzzle::TGeradorPuzzle(std::int32_t N, TNivel ANivel, TReceita AReceita,
                               std::shared_ptr<IGeradorSolucao> AGerador)
    : FN(N),
      FNivel(ANivel),
      FReceita(AReceita),
      FGerador(std::move(AGerador)),
      FSolver(N, AReceita),
      FContador(N, AReceita) {}

void TGeradorPuzzle::DefinirParagem(TParagem AParagem) {
  FGerador->DefinirParagem(AParagem);
  FContador.DefinirParagem(AParagem);
}

bool TGeradorPuzzle::Rejeitar(TCriterio ACriterioRejeitado, TCriterio& ACriterio) {
  ACriterio = ACriterioRejeitado;
  ++FRejeicoes[ACriterioRejeitado];
  return false;
}

// The filled grid, its box and the constants of its laws; false when no grid
// came. Attempts are deterministic: a generator that finds no grid for this
// one would find none on every run, so the attempt fails, not the book.
bool TGeradorPuzzle::PreencherSolucao(TGeradorAleatorio& ARng, TPuzzle& APuzzle) {
  TSolucao solucao;
  try {
    solucao = FGerador->Gerar(ARng);
  } catch (const ESemSolucao&) {
    return false;
  }
  APuzzle.Conjunto = solucao.Valores;
  std::sort(APuzzle.Conjunto.begin(), APuzzle.Conjunto.end());
  APuzzle.Solucao = std::move(solucao.Valores);
  const std::int32_t total = std::accumulate(APuzzle.Conjunto.begin(), APuzzle.Conjunto.end(), 0);
  APuzzle.K = FReceita.Leis.Contem(leiSIM) ? 2 * total / (FN * FN) : 0;
  APuzzle.S = TemSomas(FReceita.Leis) ? total / FN : 0;
  return true;
}

// The cells in the order their removal is tried: shuffled, then a watched
// corner pair has one of its corners, at random, tried first.
std::vector<std::int32_t> TGeradorPuzzle::OrdemDeRemocao(TGeradorAleatorio& ARng) const {
  std::vector<std::int32_t> ordem(static_cast<std::size_t>(FN * FN));
  std::iota(ordem.begin(), ordem.end(), 0);
  Embaralhar(ARng, ordem);
  std::int32_t frente = 0;
  for (std::int32_t par = 0; par < 2; ++par) {
    if (!ParCantosAplica(FReceita, par)) continue;
    const std::int32_t canto = CantoDoPar(FN, par, ARng.Limite(2));
    std::swap(*std::find(ordem.begin() + frente, ordem.end(), canto), ordem[frente]);
    ++frente;
  }
  return ordem;
}

// Empties every cell, in order, that the deduction can still fill; the two
// extreme corners stay under the order law. Returns the cells emptied.
std::vector<std::int32_t> TGeradorPuzzle::RemoverDados(std::span<const std::int32_t> AOrdem, const TPuzzle& APuzzle,
                                                       TTecnica ATecnicaMax, std::vector<std::int32_t>& ADados) {
  const std::int32_t ultima = FN * FN - 1;
  const bool temOrdem = FReceita.Leis.Contem(leiORD);
  std::vector<std::int32_t> removidas;
  for (std::int32_t celula : AOrdem) {
    if (temOrdem && (celula == 0 || celula == ultima)) continue;
    ADados[celula] = 0;
    if (FSolver.Classificar(APuzzle.Conjunto, ADados, ATecnicaMax, APuzzle.Solucao).Resolvido)
      removidas.push_back(celula);
    else
      ADados[celula] = APuzzle.Solucao[celula];
  }
  return removidas;
}

// Gives numbers back, in a random order of the emptied cells, up to the
// level's target, never completing a watched corner pair. Returns the givens.
std::int32_t TGeradorPuzzle::ReporDados(TGeradorAleatorio& ARng, std::vector<std::int32_t>& ARemovidas,
                                        std::int32_t AAlvo, const TPuzzle& APuzzle,
                                        std::vector<std::int32_t>& ADados) const {
  Embaralhar(ARng, ARemovidas);
  std::int32_t numDados = APuzzle.NumDadosMinimo;
  for (std::size_t i = 0; i < ARemovidas.size() && numDados < AAlvo; ++i) {
    const std::int32_t celula = ARemovidas[i];
    if (CompletariaCantos(FN, FReceita, ADados, celula)) continue;
    ADados[celula] = APuzzle.Solucao[celula];
    ++numDados;
  }
  return numDados;
}

// The criteria, in order, on the finished puzzle: critNenhum when it passes.
// Judged on the solver's figures alone; the steps and their texts are written
// only for a puzzle that is accepted.
TCriterio TGeradorPuzzle::Julgar(const TPuzzle& APuzzle, std::int32_t AAlvo, TTecnica ATecnicaMax) {
  if (CantosOpostosDados(FN, FReceita, APuzzle.Dados) || APuzzle.NumDados < AAlvo) return critA8;
  if (FReceita.Leis.Contem(leiORD) && BordaTrivial(FN, APuzzle.Dados, APuzzle.Solucao)) return critA7;

  const TResumoSolver resumo = FSolver.Classificar(APuzzle.Conjunto, APuzzle.Dados, ATecnicaMax, APuzzle.Solucao);
  if (!resumo.Resolvido) return critA2;

  const std::int32_t solucoes = FContador.Contar(APuzzle.Conjunto, APuzzle.Dados, CLimiteSolucoes, CMaxNos);
  if (solucoes == -1) return critNos;
  if (solucoes != 1) return critA1;

  if (resumo.OperandosMaxT3 >= 4 || resumo.OperandosMaxSomas > MaxOperandosPasso(FN) ||
      resumo.OperandosTotal > MaxOperandosTotal(FN))
    return critA3;

  const TBanda banda = BandaPontuacao(FNivel, FN, FReceita);
  if (resumo.PontuacaoPorCelula < banda.Minimo || resumo.PontuacaoPorCelula > banda.Maximo) return critA4;
  return critNenhum;
}

// The random generator is drawn from in this order: the solution, the removal
// order (its shuffle, then one draw per watched corner pair), the shuffle of
// the emptied cells.
bool TGeradorPuzzle::TentarGerar(TGeradorAleatorio& ARng, TPuzzle& APuzzle, TCriterio& ACriterio) {
  ++FTentativas;
  ACriterio = critNenhum;
  APuzzle = TPuzzle{};
  APuzzle.N = FN;
  APuzzle.Nivel = FNivel;
  APuzzle.Receita = FReceita;
  if (!PreencherSolucao(ARng, APuzzle) || !ConjuntoValido(APuzzle.Conjunto)) return Rejeitar(critA5, ACriterio);

  const TTecnica tecnicaMax = ParametrosNivel(FNivel).TecnicaMax;
  std::vector<std::int32_t> dados = APuzzle.Solucao;
  std::vector<std::int32_t> removidas = RemoverDados(OrdemDeRemocao(ARng), APuzzle, tecnicaMax, dados);
  APuzzle.NumDadosMinimo = FN * FN - static_cast<std::int32_t>(removidas.size());
  const std::int32_t alvo = DadosAlvo(FNivel, APuzzle.NumDadosMinimo, FN);
  APuzzle.NumDados = ReporDados(ARng, removidas, alvo, APuzzle, dados);
  APuzzle.Dados = std::move(dados);

  if (const TCriterio criterio = Julgar(APuzzle, alvo, tecnicaMax); criterio != critNenhum)
    return Rejeitar(criterio, ACriterio);
  APuzzle.Resultado = FSolver.Resolver(APuzzle.Conjunto, APuzzle.Dados, tecnicaMax, APuzzle.Solucao);
  ++FAceites;
  return true;
}

TPuzzle TGeradorPuzzle::Gerar(TGeradorAleatorio& ARng, std::int32_t AMaxTentativas) {
  TPuzzle puzzle;
  TCriterio criterio;
  for (std::int32_t i = 0; i < AMaxTentativas; ++i)
    if (TentarGerar(ARng, puzzle, criterio)) return puzzle;
  throw ECadrel(fmt::format("TGeradorPuzzle: nenhum puzzle aceite para {} {}x{} nivel {} apos {} tentativas",
                            NomeReceita(FReceita), FN, FN, FNivel, AMaxTentativas));
}

}  // namespace cadrel
