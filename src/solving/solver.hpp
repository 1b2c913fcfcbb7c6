#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/tipos.hpp"

namespace cadrel {

// One deduction, as a reader would make it and as a hint prints it.
struct TPassoDeducao {
  TTecnica Tecnica = tecNenhuma;
  std::int32_t Celula = -1;  // -1 for a step that only removed candidates
  std::int32_t Valor = 0;    // 0 when Celula is -1
  std::int32_t Operandos = 0;
  std::string Texto;
  std::vector<std::int32_t> Origens;  // cells whose numbers the step used, in text order
};

struct TResultadoSolver {
  bool Resolvido = false;
  std::vector<TPassoDeducao> Passos;
  TTecnica TecnicaMax = tecNenhuma;
  std::int32_t OperandosTotal = 0;
  std::int32_t OperandosMaxPasso = 0;
  double Pontuacao = 0.0;
  double PontuacaoNormalizada = 0.0;  // per cell that was not given
  double PontuacaoPorCelula = 0.0;
};

// What judging a puzzle needs of a solve: the result's figures without its
// steps, and the largest operands of the steps the operand limits look at.
struct TResumoSolver {
  bool Resolvido = false;
  TTecnica TecnicaMax = tecNenhuma;
  std::int32_t OperandosTotal = 0;
  std::int32_t OperandosMaxPasso = 0;
  std::int32_t OperandosMaxT3 = 0;     // of a T3 step
  std::int32_t OperandosMaxSomas = 0;  // of a T5 or T6 step
  double Pontuacao = 0.0;
  double PontuacaoNormalizada = 0.0;
  double PontuacaoPorCelula = 0.0;
};

// Solves a puzzle by a fixed ladder of techniques, always going back to the
// simplest after any progress, and records every deduction. Numbers are
// handled by their index in the ascending box; a candidate set is one 64-bit
// mask per cell. One solver serves any number of calls for its N and recipe.
class TSolverDeducao {
public:
  TSolverDeducao(std::int32_t N, TReceita AReceita);

  // The language of the step texts from now on (Portuguese at first).
  void DefinirIdioma(TIdioma AIdioma);

  // AConjunto: the box, strictly increasing; ADados: N*N entries, 0 for an
  // empty cell; ASolucaoRef: empty or the solution, against which every
  // placement is checked. A puzzle the allowed techniques cannot finish is a
  // result with Resolvido false, not an error.
  TResultadoSolver Resolver(std::span<const std::int32_t> AConjunto,
                            std::span<const std::int32_t> ADados, TTecnica ATecnicaMax,
                            std::span<const std::int32_t> ASolucaoRef);
  // The same solve, making the same deductions and raising the same errors,
  // but keeping only the figures: no step text is written, no step kept.
  TResumoSolver Classificar(std::span<const std::int32_t> AConjunto, std::span<const std::int32_t> ADados,
                            TTecnica ATecnicaMax, std::span<const std::int32_t> ASolucaoRef);

private:
  // Both paths: prepares, runs the ladder and leaves the figures in FResumo.
  void Executar(std::span<const std::int32_t> AConjunto, std::span<const std::int32_t> ADados,
                TTecnica ATecnicaMax, std::span<const std::int32_t> ASolucaoRef, bool AComPassos);
  std::int32_t IndiceDe(std::int32_t AValor) const;
  std::int32_t ValorEm(std::int32_t ACelula) const;
  // Places the number of index AIndice; the step, if any, is noted apart.
  void Colocar(std::int32_t ACelula, std::int32_t AIndice, TTecnica ATecnica);
  // Counts a step in the figures and, when steps are kept, records it with
  // the text ATexto() makes.
  template <class FTexto>
  void Anotar(TTecnica ATecnica, std::int32_t ACelula, std::int32_t AValor, std::int32_t AOperandos,
              FTexto&& ATexto, std::span<const std::int32_t> AOrigens = {});

  // Each technique makes at most one step and tells whether it did.
  bool AplicarT1();
  bool AplicarT2();
  bool AplicarT3();
  bool AplicarT4();
  bool AplicarSomas(std::int32_t AMin, std::int32_t AMax, TTecnica ATecnica);
  bool CabeNaSoma(std::int32_t l, std::int32_t e, std::int32_t b, std::uint64_t AUsado) const;

  std::int32_t FN;
  std::int32_t FNN;
  TReceita FReceita;
  bool FTemSIM;
  bool FTemTAB;
  bool FTemORD;
  bool FTemSOM;
  std::vector<std::vector<std::int32_t>> FLinhas;
  std::vector<std::string> FNomes;  // of the sum lines, in FIdioma
  TIdioma FIdioma = idPt;
  std::vector<TRectangulo> FRects;
  std::vector<std::int32_t> FDesc;
  std::vector<std::int32_t> FNums;
  std::vector<std::int32_t> FIdxValor;
  std::int32_t FS = 0;
  std::int32_t FK = 0;
  std::vector<std::int32_t> FRef;
  std::vector<std::int32_t> FCol;
  std::vector<std::uint64_t> FCand;
  std::uint64_t FUsados = 0;
  std::int32_t FNumColocados = 0;
  std::int32_t FNumDados = 0;
  bool FComPassos = false;
  std::vector<TPassoDeducao> FPassos;
  TResumoSolver FResumo;
  std::int32_t FPeso = 0;  // twice the score, in integers
};

// The hardest placements that fit in AMax steps, each with the earlier
// placements that produced its numbers, in solving order.
std::vector<TPassoDeducao> SelecionarDicas(const TResultadoSolver& AResultado, std::int32_t AMax);
// The hints a solution of side N carries: fewer on the small grids, whose
// solutions are printed four to a page.
constexpr std::int32_t MaxDicas(std::int32_t N) { return N == 4 ? 6 : 12; }

}  // namespace cadrel
