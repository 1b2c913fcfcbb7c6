#include "generation/bandas.hpp"

#include <algorithm>
#include <array>

namespace cadrel {

namespace {

struct TEntradaBanda {
  std::int32_t Chave;
  TBanda Banda;
};

// Calibration of the score per cell, by level, size and recipe.
constexpr std::array<TEntradaBanda, 40> CBandas{{
    {1402, {1.9355, 1.9395}}, {1405, {0.6542, 0.7208}}, {1502, {1.838, 1.842}},   {1505, {0.578, 0.622}},
    {1602, {1.9702, 1.9742}}, {1605, {0.5952, 0.627}},  {1702, {2.2633, 2.2673}}, {1705, {0.5694, 0.604}},
    {2402, {1.9355, 1.9395}}, {2405, {0.6542, 0.7208}}, {2502, {2.038, 2.042}},   {2505, {0.618, 0.682}},
    {2602, {2.5258, 2.5298}}, {2605, {0.623, 0.6687}},  {2702, {2.8756, 2.8796}}, {2705, {0.6204, 0.6653}},
    {3403, {1.6543, 1.877}},  {3409, {2.4043, 2.4707}}, {3503, {1.898, 2.042}},   {3509, {2.418, 2.682}},
    {3603, {2.123, 2.2242}},  {3609, {2.623, 2.8492}},  {3703, {2.3551, 2.4306}}, {3709, {2.5286, 2.7571}},
    {4403, {1.6543, 1.877}},  {4409, {2.498, 3.127}},   {4503, {2.098, 2.102}},   {4509, {3.198, 3.742}},
    {4603, {2.2619, 2.2659}}, {4609, {3.6647, 4.502}},  {4703, {2.4572, 2.4612}}, {4709, {3.4878, 3.9714}},
    {5409, {2.873, 3.252}},   {5416, {6.0605, 7.252}},  {5509, {4.078, 5.002}},   {5517, {6.738, 9.282}},
    {5609, {4.5674, 5.4881}}, {5617, {6.4286, 7.6826}}, {5709, {4.5898, 5.5428}}, {5717, {7.0184, 8.3489}},
}};

}  // namespace

bool ProcurarBanda(TNivel ANivel, std::int32_t N, std::int32_t ACodigoReceita, TBanda& ABanda) {
  const std::int32_t chave = ANivel * 1000 + N * 100 + ACodigoReceita;
  const auto entrada =
      std::find_if(CBandas.begin(), CBandas.end(), [chave](const TEntradaBanda& e) { return e.Chave == chave; });
  ABanda = entrada == CBandas.end() ? TBanda{} : entrada->Banda;
  return entrada != CBandas.end();
}

TBanda BandaPontuacao(TNivel ANivel, std::int32_t N, TReceita AReceita) {
  TBanda banda;
  if (!ProcurarBanda(ANivel, N, CodigoReceita(AReceita), banda)) banda = {0, 1e9};
  return banda;
}

}  // namespace cadrel
