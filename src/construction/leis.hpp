#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "construction/linear.hpp"
#include "core/tipos.hpp"

namespace cadrel {

// Variables of a grid system: the cells in row-major order, then X, the
// line sum (N * X is the total; with symmetry K = 2X / N).
std::int32_t NumVariaveisGrelha(std::int32_t N);

// The order of every list below is fixed: the integer kernel, and with it
// every grid the lattice generator draws, depends on it.
TEquacao EquacaoTotal(std::int32_t N);
std::vector<TEquacao> EquacoesSIM(std::int32_t N);
std::vector<TEquacao> EquacoesTAB(std::int32_t N);
TEquacao EquacaoLinha(std::int32_t N, std::span<const std::int32_t> ACelulas);
std::vector<TEquacao> EquacoesSOM(std::int32_t N, bool AQuebradas);
// The order law is an inequality and adds no equation.
std::vector<TEquacao> EquacoesReceita(std::int32_t N, TReceita AReceita);
void CarregarReceita(TMotorLinear& AMotor, std::int32_t N, TReceita AReceita);

// Sum laws cannot be combined with order or table.
bool LeisCompativeis(TReceita AReceita);
// False when the linear laws force two cells to be equal in every solution.
bool ReceitaAdmiteDistintos(std::int32_t N, TReceita AReceita);
// The laws only; distinctness and range are checked elsewhere.
bool VerificarLeis(const TSolucao& ASolucao, TReceita AReceita);

// The first law that the givens (N*N entries, 0 for empty) break among
// themselves, whatever the empty cells hold, said for the user; empty when
// none. K and S come from the box's total, which the caller has checked
// divides as the laws need.
std::string ConflitoNosDados(std::int32_t N, TReceita AReceita, std::span<const std::int32_t> AConjunto,
                             std::span<const std::int32_t> ADados);

}  // namespace cadrel
