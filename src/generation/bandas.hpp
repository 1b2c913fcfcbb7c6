#pragma once

#include <cstdint>

#include "core/tipos.hpp"

namespace cadrel {

// Accepted range of the solver's score per cell.
struct TBanda {
  double Minimo = 0;
  double Maximo = 0;
  friend constexpr bool operator==(const TBanda&, const TBanda&) = default;
};

// Looks the band up by level * 1000 + N * 100 + recipe code; (0, 0) when absent.
bool ProcurarBanda(TNivel ANivel, std::int32_t N, std::int32_t ACodigoReceita, TBanda& ABanda);
// The calibrated band, or (0, 1e9), which accepts every score, when there is none.
TBanda BandaPontuacao(TNivel ANivel, std::int32_t N, TReceita AReceita);

}  // namespace cadrel
