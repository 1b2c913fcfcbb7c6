#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "construction/ordem.hpp"
#include "core/tipos.hpp"

namespace cadrel {

// Counts the fillings of a grid with the numbers of a box that obey a
// recipe's laws and the givens, up to a limit of solutions and within a node
// budget. Cells hold the numbers themselves, 0 for empty.
class TContadorSolucoes {
public:
  TContadorSolucoes(std::int32_t N, TReceita AReceita);

  // AConjunto: the N*N numbers of the box, strictly increasing; ADados: the
  // givens in cell order, 0 for empty. Returns at most ALimite; 0 when no
  // solution exists; -1 when the budget ran out first.
  std::int32_t Contar(std::span<const std::int32_t> AConjunto, std::span<const std::int32_t> ADados,
                      std::int32_t ALimite, std::int32_t AMaxNos);

  // Nodes used by the last count.
  std::int32_t Nos() const { return FNos; }
  bool UsarMotorOrdem() const { return FUsarMotor; }
  void SetUsarMotorOrdem(bool AUsar) { FUsarMotor = AUsar; }

private:
  bool Pertence(std::int32_t v) const { return v >= 0 && v < CTamIdxValor && FIdxValor[v] >= 0; }
  bool Livre(std::int32_t v) const { return Pertence(v) && !FUsado[FIdxValor[v]]; }
  void Colocar(std::int32_t ACelula, std::int32_t v);
  void Retirar(std::int32_t ACelula, std::int32_t v);
  bool Consistente(std::int32_t ACelula) const;
  std::int32_t Candidatos(std::int32_t ACelula, std::int32_t* ALista) const;
  void Procurar(std::int32_t ANivel);
  bool ConjuntoSimetrico(std::span<const std::int32_t> AConjunto, std::int32_t ATotal) const;
  std::int32_t ContarPorMotor(std::span<const std::int32_t> ADados, std::int32_t ALimite);

  static constexpr std::int32_t CTamIdxValor = CMaxValor + 1;

  std::int32_t FN;
  std::int32_t FNN;
  TReceita FReceita;
  bool FTemSIM, FTemTAB, FTemORD, FTemSOM;
  std::vector<std::vector<std::int32_t>> FLinhas;
  std::vector<TRectangulo> FRects;
  std::vector<std::vector<std::int32_t>> FCelLinhas;
  std::vector<std::vector<std::int32_t>> FCelRects;
  std::unique_ptr<TMotorOrdem> FMotor;
  bool FUsarMotor = true;
  std::vector<std::int32_t> FNums;
  std::vector<std::int32_t> FIdxValor;
  std::vector<std::uint8_t> FUsado;  // per number index; bytes, read at every candidate
  std::vector<std::int32_t> FVal;
  std::int32_t FK = 0;
  std::int32_t FS = 0;
  std::int32_t FLimite = 0;
  std::int32_t FMaxNos = 0;
  std::int32_t FNos = 0;
  bool FEstourou = false;
  std::int32_t FContagem = 0;

  // Two lists of N*N values per search level (candidates being computed, best
  // so far), sized once so that no node allocates.
  std::vector<std::int32_t> FListas;
  std::vector<TDadoOrdem> FDadosOrdem;
};

}  // namespace cadrel
