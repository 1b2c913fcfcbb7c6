#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "construction/solucoes.hpp"
#include "core/random.hpp"
#include "core/tipos.hpp"
#include "solving/contador.hpp"
#include "solving/solver.hpp"

namespace cadrel {

// Why a candidate puzzle was turned down. A6 (a repeat) belongs to the book.
enum TCriterio : std::uint8_t {
  critNenhum,
  critA1,   // no unique solution
  critA2,   // deduction within the level's techniques does not finish it
  critA3,   // a step or the whole solution uses too many operands
  critA4,   // score per cell outside the level's band
  critA5,   // the solution's numbers cannot form a box, or no grid came within the generator's cap
  critA7,   // a trivial border under the order law
  critA8,   // a watched corner pair fully given, or fewer givens than the target
  critNos,  // the uniqueness search ran out of nodes
};
inline constexpr int CNumCriterios = 9;

struct TPuzzle {
  std::int32_t N = 0;
  TNivel Nivel = 0;
  TReceita Receita;
  std::vector<std::int32_t> Solucao;
  std::vector<std::int32_t> Dados;     // the solution's number in given cells, 0 elsewhere
  std::vector<std::int32_t> Conjunto;  // the box, ascending
  std::int32_t NumDados = 0;
  std::int32_t NumDadosMinimo = 0;
  std::int32_t S = 0;  // 0 without a sum law
  std::int32_t K = 0;  // 0 without the symmetry law
  TResultadoSolver Resultado;  // the steps and texts of an accepted puzzle
};

// Turns random filled grids into puzzles of one size, level and recipe.
class TGeradorPuzzle {
public:
  TGeradorPuzzle(std::int32_t N, TNivel ANivel, TReceita AReceita);
  // With a solution generator of the caller's (of the same size and recipe).
  TGeradorPuzzle(std::int32_t N, TNivel ANivel, TReceita AReceita, std::shared_ptr<IGeradorSolucao> AGerador);

  std::int32_t N() const { return FN; }
  TNivel Nivel() const { return FNivel; }

  // One attempt: true with an accepted puzzle, or false with the criterion
  // that rejected it.
  bool TentarGerar(TGeradorAleatorio& ARng, TPuzzle& APuzzle, TCriterio& ACriterio);
  TPuzzle Gerar(TGeradorAleatorio& ARng, std::int32_t AMaxTentativas);

  // The long searches of an attempt look at it; a stop raises EInterrompido.
  void DefinirParagem(TParagem AParagem);
  // The language of an accepted puzzle's step texts; nothing else changes.
  void DefinirIdioma(TIdioma AIdioma) { FSolver.DefinirIdioma(AIdioma); }

  std::int32_t GetRejeicoes(TCriterio ACriterio) const { return FRejeicoes[ACriterio]; }
  std::int32_t Tentativas() const { return FTentativas; }
  std::int32_t Aceites() const { return FAceites; }

private:
  bool Rejeitar(TCriterio ACriterioRejeitado, TCriterio& ACriterio);
  bool PreencherSolucao(TGeradorAleatorio& ARng, TPuzzle& APuzzle);
  std::vector<std::int32_t> OrdemDeRemocao(TGeradorAleatorio& ARng) const;
  std::vector<std::int32_t> RemoverDados(std::span<const std::int32_t> AOrdem, const TPuzzle& APuzzle,
                                         TTecnica ATecnicaMax, std::vector<std::int32_t>& ADados);
  std::int32_t ReporDados(TGeradorAleatorio& ARng, std::vector<std::int32_t>& ARemovidas, std::int32_t AAlvo,
                          const TPuzzle& APuzzle, std::vector<std::int32_t>& ADados) const;
  TCriterio Julgar(const TPuzzle& APuzzle, std::int32_t AAlvo, TTecnica ATecnicaMax);

  std::int32_t FN;
  TNivel FNivel;
  TReceita FReceita;
  std::shared_ptr<IGeradorSolucao> FGerador;
  TSolverDeducao FSolver;
  TContadorSolucoes FContador;
  std::array<std::int32_t, CNumCriterios> FRejeicoes{};
  std::int32_t FTentativas = 0;
  std::int32_t FAceites = 0;
};

// Opposite corners: pair 0 is top-left with bottom-right, pair 1 top-right
// with bottom-left. A pair is watched when giving both its corners would hand
// the reader a redundant clue under the recipe's laws.
bool ParCantosAplica(TReceita AReceita, std::int32_t APar);
std::int32_t CantoDoPar(std::int32_t N, std::int32_t APar, std::int32_t AQual);
bool CantosOpostosDados(std::int32_t N, TReceita AReceita, std::span<const std::int32_t> ADados);
bool CompletariaCantos(std::int32_t N, TReceita AReceita, std::span<const std::int32_t> ADados,
                       std::int32_t ACelula);
// Under the order law, a side whose empty cells hold the extreme numbers of
// the rest could be filled at once.
bool BordaTrivial(std::int32_t N, std::span<const std::int32_t> ADados, std::span<const std::int32_t> ASolucao);

// Keys that recognise repeated puzzles (FNV-1a over the low 16 bits of each value).
std::uint64_t MisturarHash(std::uint64_t h, std::int32_t v);
std::int32_t IndiceSimetria(std::int32_t N, std::int32_t t, std::int32_t i, std::int32_t j);
std::uint64_t CalcularChaveCanonica(std::int32_t N, TReceita AReceita, std::span<const std::int32_t> AGrelha);
std::uint64_t CalcularChaveConjunto(std::span<const std::int32_t> AValores);

}  // namespace cadrel
