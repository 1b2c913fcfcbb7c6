// The deduction solver and the solution counter on any side, law set, box
// and givens. ECadrel is their answer to a refused puzzle or a
// contradiction, except where the givens come from a grid that obeys the
// laws; anything else thrown, and any broken promise below, is a finding.
//
// Input: side, law code, technique limit, modes, node budget, hint limit,
// then N*N bytes for the box and N*N for the cells (missing bytes are 0).
// Modes: bits 0-1 the box (0 gaps, 1 mirrored gaps, 2 raw bytes, 3 wide
// gaps that may run past 99); bit 2 raw givens; bits 3-4 the reference
// solution (0 or 3 none, 1 the hidden grid, 2 raw bytes).
//
// A cell byte is a rank key of 7 bits, with bit 7 set when the cell is left
// empty. The hidden grid gives the box's numbers to the cells in key order,
// so it always uses each number once and keys 0, 1, 2... put the box in cell
// order: a seed whose hidden grid obeys the laws is a real puzzle, flipping
// bit 7 adds or removes a given, and changing a key moves numbers around.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "construction/leis.hpp"
#include "core/tipos.hpp"
#include "falha.hpp"
#include "leitor_bytes.hpp"
#include "solving/contador.hpp"
#include "solving/solver.hpp"

namespace cadrel {
namespace {

using TValores = std::vector<std::int32_t>;

// From a count that exhausts at once to several times what a real puzzle
// needs. A node of a 7x7 table search costs a few hundred microseconds here,
// so the largest budget still keeps the slowest run near a tenth of a second.
constexpr std::array<std::int32_t, 8> COrcamentos{1, 2, 5, 20, 100, 500, 1000, 2000};

struct TCaso {
  std::int32_t N = 2;
  TReceita Receita;
  TTecnica TecnicaMax = tecNenhuma;
  std::int32_t Orcamento = 1;
  std::int32_t MaxDicas = 0;
  TValores Conjunto, Dados, Ref;
  // A filling of the box the givens agree with; when it obeys the laws, the
  // puzzle has at least that solution.
  std::optional<TValores> Oculta;
};

TValores LerConjunto(TLeitorBytes& ALeitor, std::int32_t NN, std::uint8_t AModo) {
  // With gaps of at most this, NN numbers from 1 on never pass 99.
  const std::int32_t maxSalto = AModo == 3 ? 8 : (CMaxValor - NN) / NN + 1;
  std::vector<std::uint8_t> bytes(NN);
  for (std::uint8_t& b : bytes) b = ALeitor.Byte();
  TValores conjunto(NN);
  std::int32_t v = 0;
  for (std::int32_t i = 0; i < NN; ++i) {
    if (AModo == 2) {
      conjunto[i] = bytes[i];
      continue;
    }
    // Mirrored gaps make a box whose numbers pair up to one sum.
    const std::int32_t fonte = AModo == 1 && i > 0 && NN - i < i ? NN - i : i;
    v += 1 + bytes[fonte] % maxSalto;
    conjunto[i] = v;
  }
  return conjunto;
}

TCaso LerCaso(TLeitorBytes& ALeitor) {
  TCaso c;
  c.N = 2 + ALeitor.Byte() % 6;
  c.Receita = TReceita{TConjuntoLeis::DeCodigo(ALeitor.Byte())};
  c.TecnicaMax = static_cast<TTecnica>(ALeitor.Byte() % (tecT6 + 1));
  const std::uint8_t modos = ALeitor.Byte();
  c.Orcamento = COrcamentos[ALeitor.Byte() % COrcamentos.size()];
  c.MaxDicas = static_cast<std::int8_t>(ALeitor.Byte());

  const std::int32_t nn = c.N * c.N;
  c.Conjunto = LerConjunto(ALeitor, nn, modos & 3);
  const bool dadosCrus = (modos & 4) != 0;
  const std::uint8_t modoRef = (modos >> 3) & 3;
  std::vector<std::uint8_t> bytes(nn);
  for (std::uint8_t& b : bytes) b = ALeitor.Byte();
  std::vector<std::int32_t> ordem(nn);
  for (std::int32_t i = 0; i < nn; ++i) ordem[i] = i;
  std::stable_sort(ordem.begin(), ordem.end(), [&bytes](std::int32_t x, std::int32_t y) {
    return (bytes[x] & 0x7F) < (bytes[y] & 0x7F);
  });
  TValores oculta(nn), crus(nn);
  for (std::int32_t k = 0; k < nn; ++k) oculta[ordem[k]] = c.Conjunto[k];
  c.Dados.resize(nn);
  for (std::int32_t i = 0; i < nn; ++i) {
    crus[i] = static_cast<std::int8_t>(bytes[i]);
    c.Dados[i] = dadosCrus ? crus[i] : (bytes[i] & 0x80) ? 0 : oculta[i];
  }
  if (modoRef == 1) c.Ref = oculta;
  if (modoRef == 2) c.Ref = crus;
  if (!dadosCrus && (c.Ref.empty() || c.Ref == oculta)) c.Oculta = oculta;
  return c;
}

// Every call keeps to its limit and its budget; -1 comes exactly with the
// node that passed the budget, which is counted.
std::int32_t Contar(TContadorSolucoes& AContador, const TCaso& ACaso, const TValores& ADados,
                    std::int32_t ALimite) {
  const std::int32_t r = AContador.Contar(ACaso.Conjunto, ADados, ALimite, ACaso.Orcamento);
  Exigir(r >= -1 && r <= ALimite, "Contar fora de -1..limite");
  const std::int32_t nos = AContador.Nos();
  Exigir(nos >= 0 && nos <= ACaso.Orcamento + 1, "Contar passou do orçamento de nós");
  Exigir((r == -1) == (nos == ACaso.Orcamento + 1), "-1 sem orçamento esgotado, ou o contrário");
  return r;
}

std::optional<TResultadoSolver> Resolver(TSolverDeducao& ASolver, const TCaso& ACaso, const TValores& ARef,
                                         std::string& AErro) {
  try {
    return ASolver.Resolver(ACaso.Conjunto, ACaso.Dados, ACaso.TecnicaMax, ARef);
  } catch (const ECadrel& e) {
    AErro = e.what();
    return std::nullopt;
  }
}

// The figures-only path makes the same deductions and raises the same errors.
void CompararClassificacao(TSolverDeducao& ASolver, const TCaso& ACaso,
                           const std::optional<TResultadoSolver>& AResultado, const std::string& AErro) {
  std::optional<TResumoSolver> resumo;
  std::string erro;
  try {
    resumo = ASolver.Classificar(ACaso.Conjunto, ACaso.Dados, ACaso.TecnicaMax, ACaso.Ref);
  } catch (const ECadrel& e) {
    erro = e.what();
  }
  Exigir(resumo.has_value() == AResultado.has_value() && erro == AErro,
         "Classificar e Resolver falham de modo diferente");
  if (!resumo) return;
  const TResultadoSolver& r = *AResultado;
  Exigir(resumo->Resolvido == r.Resolvido && resumo->TecnicaMax == r.TecnicaMax &&
             resumo->OperandosTotal == r.OperandosTotal && resumo->OperandosMaxPasso == r.OperandosMaxPasso &&
             resumo->Pontuacao == r.Pontuacao && resumo->PontuacaoNormalizada == r.PontuacaoNormalizada,
         "Classificar e Resolver dão números diferentes");
}

// The first rung is always climbed; each other one only up to the limit and
// only for a law of the recipe.
void VerificarTecnicas(const TCaso& ACaso, const TResultadoSolver& AResultado) {
  const TConjuntoLeis leis = ACaso.Receita.Leis;
  const auto permitida = [&](TTecnica t) {
    if (t == tecT1) return true;
    const bool lei = (t == tecT2 && leis.Contem(leiSIM)) || (t == tecT3 && leis.Contem(leiTAB)) ||
                     (t == tecT4 && leis.Contem(leiORD)) ||
                     ((t == tecT5 || t == tecT6) && (leis.Contem(leiSOMD) || leis.Contem(leiSOMQ)));
    return lei && t <= ACaso.TecnicaMax;
  };
  TTecnica maxima = tecNenhuma;
  for (const TPassoDeducao& p : AResultado.Passos) {
    Exigir(permitida(p.Tecnica), "passo com técnica acima do limite ou de uma lei que a receita não tem");
    maxima = std::max(maxima, p.Tecnica);
  }
  Exigir(maxima == AResultado.TecnicaMax, "técnica máxima diferente da dos passos");
}

// The givens with every placement of the steps written in, each cell once.
TValores Preencher(const TCaso& ACaso, const TResultadoSolver& AResultado) {
  TValores grelha = ACaso.Dados;
  for (const TPassoDeducao& p : AResultado.Passos) {
    if (p.Celula < 0) continue;
    Exigir(p.Celula < std::ssize(grelha) && grelha[p.Celula] == 0,
           "passo que coloca fora da grelha ou numa célula cheia");
    grelha[p.Celula] = p.Valor;
  }
  TValores ordenada = grelha;
  std::sort(ordenada.begin(), ordenada.end());
  Exigir(ordenada == ACaso.Conjunto, "grelha resolvida que não usa cada número da caixa uma vez");
  return grelha;
}

bool MesmosPassos(const std::vector<TPassoDeducao>& AUns, const std::vector<TPassoDeducao>& AOutros) {
  return std::equal(AUns.begin(), AUns.end(), AOutros.begin(), AOutros.end(),
                    [](const TPassoDeducao& x, const TPassoDeducao& y) {
                      return x.Tecnica == y.Tecnica && x.Celula == y.Celula && x.Valor == y.Valor &&
                             x.Operandos == y.Operandos && x.Texto == y.Texto && x.Origens == y.Origens;
                    });
}

// Every placement follows from the laws, the givens and the box, so the
// solver's grid is the only candidate: one solution when it obeys the laws,
// none when the givens already broke one that no step looked at.
void VerificarResolvido(TSolverDeducao& ASolver, TContadorSolucoes& AContador, const TCaso& ACaso,
                        const TResultadoSolver& AResultado, std::int32_t AContagem1,
                        std::int32_t AContagem2) {
  const TValores grelha = Preencher(ACaso, AResultado);
  if (ACaso.Ref.empty()) {
    std::string erro;
    const auto outra = Resolver(ASolver, ACaso, grelha, erro);
    Exigir(outra.has_value() && outra->Resolvido && MesmosPassos(outra->Passos, AResultado.Passos),
           "a própria solução como referência muda a resolução");
  } else {
    Exigir(grelha == ACaso.Ref, "resolvido contra a referência, mas com outra grelha");
  }

  const bool valida = VerificarLeis(TSolucao{ACaso.N, grelha}, ACaso.Receita);
  Exigir(AContagem2 != 2, "duas soluções para um puzzle resolvido por dedução");
  Exigir(AContagem2 != (valida ? 0 : 1) && AContagem1 != (valida ? 0 : 1),
         "contagem contrária às leis na grelha do solver");
  Exigir(Contar(AContador, ACaso, grelha, 2) == (valida ? 1 : 0), "grelha cheia contada mal");

  const auto dicas = SelecionarDicas(AResultado, ACaso.MaxDicas);
  Exigir(std::ssize(dicas) <= std::max(ACaso.MaxDicas, 0), "mais dicas do que o máximo");
  Exigir(std::all_of(dicas.begin(), dicas.end(), [](const TPassoDeducao& p) { return p.Celula >= 0; }),
         "dica que não coloca número");
}

bool CaixaValida(const TValores& AConjunto) {
  return AConjunto.front() >= CMinValor && AConjunto.back() <= CMaxValor &&
         std::adjacent_find(AConjunto.begin(), AConjunto.end(), std::greater_equal<>()) == AConjunto.end();
}

// The hidden grid, when it is a solution of the puzzle: every sound step
// agrees with it, so no contradiction can come up.
const TValores* SolucaoConhecida(const TCaso& ACaso) {
  if (!ACaso.Oculta || !CaixaValida(ACaso.Conjunto) ||
      !VerificarLeis(TSolucao{ACaso.N, *ACaso.Oculta}, ACaso.Receita))
    return nullptr;
  return &*ACaso.Oculta;
}

void Verificar(const TCaso& ACaso) {
  TSolverDeducao solver(ACaso.N, ACaso.Receita);
  std::string erro;
  const auto resultado = Resolver(solver, ACaso, ACaso.Ref, erro);
  CompararClassificacao(solver, ACaso, resultado, erro);
  if (resultado) VerificarTecnicas(ACaso, *resultado);
  const TValores* solucao = SolucaoConhecida(ACaso);
  if (solucao && !resultado) Falhar("contradição num puzzle com solução: " + erro);

  TContadorSolucoes contador(ACaso.N, ACaso.Receita);
  std::int32_t c1 = 0, c2 = 0;
  try {
    c2 = Contar(contador, ACaso, ACaso.Dados, 2);
    c1 = Contar(contador, ACaso, ACaso.Dados, 1);
  } catch (const ECadrel&) {
    Exigir(!resultado, "o contador recusou uma caixa que o solver aceitou");
    return;
  }
  // Limit 1 searches a prefix of what limit 2 searches.
  if (c2 != -1) Exigir(c1 == std::min(c2, 1), "limites 1 e 2 contam coisas diferentes");
  if (solucao) Exigir(c2 != 0, "nenhuma solução contada num puzzle com solução");

  // With a mirrored box order and symmetry go to the order engine; the plain
  // search must agree wherever its budget lets it finish.
  if (CodigoReceita(ACaso.Receita) == 5) {
    TContadorSolucoes procura(ACaso.N, ACaso.Receita);
    procura.SetUsarMotorOrdem(false);
    const std::int32_t c = Contar(procura, ACaso, ACaso.Dados, 2);
    if (c != -1 && c2 != -1) Exigir(c == c2, "motor de ordem e procura contam diferente");
  }

  if (resultado && resultado->Resolvido) {
    VerificarResolvido(solver, contador, ACaso, *resultado, c1, c2);
    if (solucao)
      Exigir(Preencher(ACaso, *resultado) == *solucao, "resolvido com outra grelha que não a solução");
  }
}

}  // namespace
}  // namespace cadrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ATamanho) {
  cadrel::TLeitorBytes leitor({AData, ATamanho});
  cadrel::Verificar(cadrel::LerCaso(leitor));
  return 0;
}
