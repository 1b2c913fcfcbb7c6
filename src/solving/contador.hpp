#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "construction/ordem.hpp"
#include "core/paragem.hpp"
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
  // The solutions the last search found, in the order found (none from the
  // order engine, which only counts).
  std::int32_t NumSolucoesGuardadas() const { return static_cast<std::int32_t>(FSolucoes.size()) / FNN; }
  std::span<const std::int32_t> SolucaoGuardada(std::int32_t AIndice) const {
    return std::span<const std::int32_t>(FSolucoes).subspan(static_cast<std::size_t>(AIndice * FNN), FNN);
  }
  bool UsarMotorOrdem() const { return FUsarMotor; }
  void SetUsarMotorOrdem(bool AUsar) { FUsarMotor = AUsar; }

  // Checked every so many nodes; a stop raises EInterrompido.
  void DefinirParagem(TParagem AParagem) { FParagem = AParagem; }

private:
  // A corner's part in A + D - B - C.
  struct TCantoRect {
    std::int32_t Rect;
    std::int32_t Sinal;
  };

  bool Pertence(std::int32_t v) const { return v >= 0 && v < CTamIdxValor && FIdxValor[v] >= 0; }
  bool Livre(std::int32_t v) const { return Pertence(v) && (FLivres >> FIdxValor[v] & 1u) != 0; }
  std::uint64_t Forcado(std::int32_t v) const {
    return Livre(v) ? std::uint64_t{1} << FIdxValor[v] : 0;
  }
  void Colocar(std::int32_t ACelula, std::int32_t v);
  void Retirar(std::int32_t ACelula);
  bool Consistente(std::int32_t ACelula) const;
  std::uint64_t Candidatos(std::int32_t ACelula) const;
  void Procurar();
  bool ConjuntoSimetrico(std::span<const std::int32_t> AConjunto, std::int32_t ATotal) const;
  std::int32_t ContarPorMotor(std::span<const std::int32_t> ADados, std::int32_t ALimite);

  static constexpr std::int32_t CTamIdxValor = CMaxValor + 1;

  std::int32_t FN;
  std::int32_t FNN;
  TReceita FReceita;
  bool FTemSIM, FTemTAB, FTemORD, FTemSOM;
  std::vector<std::vector<std::int32_t>> FLinhas;
  std::vector<TRectangulo> FRects;
  // Per cell, its lines and its rectangle corners, ascending, as slices of
  // one array each: FInicioX[c] .. FInicioX[c + 1].
  std::vector<std::int32_t> FCelLinhas, FInicioLinhas;
  std::vector<TCantoRect> FCelRects;
  std::vector<std::int32_t> FInicioRects;
  std::unique_ptr<TMotorOrdem> FMotor;
  bool FUsarMotor = true;
  TParagem FParagem;
  std::vector<std::int32_t> FNums;
  std::vector<std::int32_t> FIdxValor;
  // Per value 0..99, how many numbers of the box are at most that value: the
  // numbers between two values are then one run of indices.
  std::vector<std::int32_t> FAte;
  std::vector<std::int32_t> FVal;
  // Kept up to date by Colocar and Retirar, so that no node sums a line or
  // reads a rectangle's corners again.
  std::uint64_t FLivres = 0;   // number indices not placed yet
  std::uint64_t FVazias = 0;   // empty cells
  std::vector<std::int32_t> FSomaLinha, FVaziasLinha;
  std::vector<std::int32_t> FDifRect, FCheiosRect;  // A + D - B - C over filled corners
  std::int32_t FK = 0;
  std::int32_t FS = 0;
  std::int32_t FLimite = 0;
  std::int32_t FMaxNos = 0;
  std::int32_t FNos = 0;
  bool FEstourou = false;
  std::int32_t FContagem = 0;
  std::vector<TDadoOrdem> FDadosOrdem;
  std::vector<std::int32_t> FSolucoes;  // one grid after the other
};

}  // namespace cadrel
