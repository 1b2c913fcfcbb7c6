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

// Solves a puzzle by a fixed ladder of techniques, always going back to the
// simplest after any progress, and records every deduction. Numbers are
// handled by their index in the ascending box; a candidate set is one 64-bit
// mask per cell. One solver serves any number of calls for its N and recipe.
class TSolverDeducao {
public:
  TSolverDeducao(std::int32_t N, TReceita AReceita);

  // AConjunto: the box, strictly increasing; ADados: N*N entries, 0 for an
  // empty cell; ASolucaoRef: empty or the solution, against which every
  // placement is checked. A puzzle the allowed techniques cannot finish is a
  // result with Resolvido false, not an error.
  TResultadoSolver Resolver(std::span<const std::int32_t> AConjunto,
                            std::span<const std::int32_t> ADados, TTecnica ATecnicaMax,
                            std::span<const std::int32_t> ASolucaoRef);

private:
  std::int32_t IndiceDe(std::int32_t AValor) const;
  std::int32_t ValorEm(std::int32_t ACelula) const;
  void RegistarPasso(TTecnica ATecnica, std::int32_t ACelula, std::int32_t AValor,
                     std::int32_t AOperandos, std::string ATexto,
                     std::vector<std::int32_t> AOrigens);
  void Colocar(std::int32_t ACelula, std::int32_t AIndice, TTecnica ATecnica,
               std::int32_t AOperandos, std::string ATexto, bool ARegistar,
               std::vector<std::int32_t> AOrigens);

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
  std::vector<std::string> FNomes;
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
  std::vector<TPassoDeducao> FPassos;
};

// The hardest placements that fit in AMax steps, each with the earlier
// placements that produced its numbers, in solving order.
std::vector<TPassoDeducao> SelecionarDicas(const TResultadoSolver& AResultado, std::int32_t AMax);

}  // namespace cadrel
