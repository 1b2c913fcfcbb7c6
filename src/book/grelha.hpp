#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/tipos.hpp"
#include "drawing/canvas.hpp"
#include "generation/gerador.hpp"

namespace cadrel {

// Digit size of a grid: a cell's 0.38 in points, never below 8 pt.
double TamanhoDigitos(double ALado, std::int32_t N);

// The inner lines (0.25 pt) and the border (0.8 pt) of an N x N grid of side
// ALado with its top-left corner at (X, Y).
void DesenharLinhasGrelha(ICadrelCanvas& C, std::int32_t N, double X, double Y, double ALado);

// A grid of side ALado with its top-left corner at (X, Y). Given cells are
// shaded in both modes. In puzzle mode the givens are bold; in solution mode
// the whole solution is drawn, the givens regular and the deduced numbers bold.
void DesenharGrelha(ICadrelCanvas& C, std::int32_t N, std::span<const std::int32_t> ADados,
                    std::span<const std::int32_t> ASolucao, double X, double Y, double ALado, bool AMostrarSolucao,
                    double ATamanhoPt);

// The numbers of AConjunto found in no cell of ADados, in AConjunto's order.
std::vector<std::int32_t> NumerosEmFalta(std::span<const std::int32_t> AConjunto,
                                         std::span<const std::int32_t> ADados);

// The size of the box DesenharCaixaNumeros draws; 0 × 0 for no numbers.
struct TMedidaCaixa {
  double Largura = 0;
  double Altura = 0;
};
TMedidaCaixa MedirCaixaNumeros(ICadrelCanvas& C, double ALarguraMax, std::span<const std::int32_t> ANumeros);

// The framed box of numbers still to place, in evenly filled rows; returns
// the y of its bottom edge, or Y when there is nothing to show.
double DesenharCaixaNumeros(ICadrelCanvas& C, double X, double Y, double ALarguraMax,
                            std::span<const std::int32_t> ANumeros);

// ORD, TAB, SIM, then one sum law: SOM-Q stands for SOM-D when both are there.
std::vector<TLei> LeisPorOrdem(TReceita AReceita);

// The row of the puzzle's law pictograms (hidden-law circles at level 5) from
// X on; the squares' tops are at Y + 1.
void DesenharLeisPuzzle(ICadrelCanvas& C, const TPuzzle& APuzzle, double X, double Y);

}  // namespace cadrel
