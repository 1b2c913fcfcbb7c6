#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/random.hpp"

namespace cadrel {

// A given of a rank grid: the rank required at one cell.
struct TDadoOrdem {
  std::int32_t Celula;  // row * N + column
  std::int32_t Posto;   // 1..N*N
};

// Counts and samples the rank grids that increase along rows and columns and
// are centrally symmetric (rank(c) + rank(N*N - 1 - c) = N*N + 1).
//
// The cells of ranks 1..M (M = N*N div 2) always form a Young diagram, and the
// upper half is forced by the symmetry, so both operations walk Young diagrams
// of the square. A diagram is a key of 3 bits per row (the row's length); the
// memos are flat tables indexed by the diagram's rank among all diagrams of
// the square, so that a count allocates nothing.
class TMotorOrdem {
public:
  explicit TMotorOrdem(std::int32_t N);

  std::int32_t N() const { return FN; }

  // min(true count, ALimite); 0 when the givens contradict each other.
  std::int32_t Contar(std::span<const TDadoOrdem> ADados, std::int32_t ALimite);
  std::int64_t ContarExacto(std::span<const TDadoOrdem> ADados);

  // A uniformly random valid rank grid, row-major; exactly M + 1 Ponderado draws.
  std::vector<std::int32_t> Amostrar(TGeradorAleatorio& ARng);

  std::int32_t NumFormasFinais() const { return static_cast<std::int32_t>(FFinais.size()); }

private:
  std::int32_t Comprimento(std::uint32_t F, std::int32_t i) const { return (F >> (3 * i)) & 7u; }
  bool Contem(std::uint32_t F, std::int32_t i, std::int32_t j) const { return j < Comprimento(F, i); }
  bool CantoRemovivel(std::uint32_t F, std::int32_t i) const;
  bool FormaFinalValida(std::uint32_t F) const;
  void EnumerarFormas(std::int32_t ALinha, std::int32_t AResto, std::int32_t AAnterior, std::uint32_t F);
  std::int64_t Maneiras(std::uint32_t F);
  bool PrepararDados(std::span<const TDadoOrdem> ADados);
  bool CobreDados(std::uint32_t F) const;
  std::int64_t ContarAte(std::span<const TDadoOrdem> ADados, std::int64_t ALimite);
  std::int64_t ContarDesde(std::uint32_t F, std::int32_t k);
  std::int32_t IndiceForma(std::uint32_t F) const;

  std::int32_t FN;
  std::int32_t FNN;
  std::int32_t FMeio;
  bool FImpar;
  std::int32_t FCentro;
  std::vector<std::uint32_t> FFinais;
  std::vector<std::int64_t> FManeiras;  // by diagram rank; -1 until known
  std::vector<std::int32_t> FGC;
  std::vector<std::int32_t> FGR;
  std::int64_t FLimite = 0;
  // Memo of the current count: a value is valid when its stamp is FContagem.
  std::vector<std::int64_t> FMemo;
  std::vector<std::uint32_t> FMemoContagem;
  std::uint32_t FContagem = 0;
  std::vector<std::int32_t> FBinomios;  // C(a, b) at a * (N + 1) + b

  // Sampling scratch, sized once: a book draws many samples from one engine.
  std::vector<std::int64_t> FPesos;
  std::vector<std::int32_t> FLinhasRemoviveis;
  std::vector<std::int32_t> FCelulaDoPosto;  // lower-half rank - 1 -> cell
};

}  // namespace cadrel
