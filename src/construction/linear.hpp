#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace cadrel {

// One term Coef * x[Indice] of a homogeneous equation.
struct TTermo {
  std::int32_t Indice = 0;
  std::int32_t Coef = 0;
  friend constexpr bool operator==(const TTermo&, const TTermo&) = default;
};

// The sum of the terms equals 0. Repeated indices add their coefficients.
struct TEquacao {
  std::vector<TTermo> Termos;
  friend bool operator==(const TEquacao&, const TEquacao&) = default;
};

constexpr TTermo Termo(std::int32_t AIndice, std::int32_t ACoef) { return TTermo{AIndice, ACoef}; }
TEquacao Equacao(std::initializer_list<TTermo> ATermos);
TEquacao Equacao(std::span<const TTermo> ATermos);

// Greatest common divisor of the absolute values; MDC(0, 0) = 0.
std::int64_t MDC(std::int64_t A, std::int64_t B);

// A * B, raising once the magnitude of the product would reach 2^62. The
// margin below 2^63 lets the difference of two such products go unchecked.
std::int64_t MultSeguro(std::int64_t A, std::int64_t B);

// Pairwise size reduction to a fixed point, then ordered by squared norm and
// lexicographically. The lattice generator draws its coefficients in this
// order, so both the reduction and the order are part of the behaviour.
// All vectors must have the same length.
std::vector<std::vector<std::int64_t>> ReduzirBase(
    const std::vector<std::vector<std::int64_t>>& ABase);

// A homogeneous integer system over a fixed number of variables.
class TMotorLinear {
public:
  explicit TMotorLinear(std::int32_t ANumVariaveis);

  void Limpar();
  // Checks every term before storing anything.
  void Adicionar(const TEquacao& AEquacao);

  std::int32_t NumEquacoes() const { return static_cast<std::int32_t>(FEquacoes.size()); }
  std::int32_t NumVariaveis() const { return FNumVariaveis; }

  std::int32_t Posto() const;
  std::int32_t Nulidade() const { return FNumVariaveis - Posto(); }
  // The law systems always admit the uniform shift; this counts what lies beyond it.
  std::int32_t Liberdade() const { return Nulidade() - 1; }

  // Both recomputed at every call; neither touches the rank cache.
  std::vector<std::vector<double>> EspacoNulo() const;
  std::vector<std::vector<std::int64_t>> NucleoInteiro() const;

private:
  friend struct TMotorLinearSonda;  // lets tests observe the rank cache

  std::vector<std::vector<std::int64_t>> Coeficientes() const;

  std::int32_t FNumVariaveis;
  std::vector<TEquacao> FEquacoes;
  mutable std::int32_t FPosto = 0;
  mutable bool FPostoValido = false;
};

}  // namespace cadrel
