#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace cadrel {

// PCG32 (XSH-RR) seeded through the SplitMix64 finaliser. The number of
// 32-bit draws each method consumes is fixed: books are reproduced from it.
class TGeradorAleatorio {
public:
  explicit TGeradorAleatorio(std::uint32_t ASemente);

  void Iniciar(std::uint64_t AEstadoInicial, std::uint64_t ASequencia);
  std::uint32_t ProximoU32();
  // One draw per attempt.
  std::int32_t Limite(std::int32_t ALimite);
  // Two draws per attempt, the high half first.
  std::uint64_t Limite64(std::uint64_t ALimite);
  // As many draws as its Limite64; a weight of 0 is never chosen.
  std::int32_t Ponderado(std::span<const std::int64_t> APesos);
  std::int32_t Entre(std::int32_t AMin, std::int32_t AMax);
  // Two draws: 53 random bits in [0, 1).
  double Real01();

private:
  std::uint64_t FEstado = 0;
  std::uint64_t FIncremento = 1;
};

std::uint64_t MisturarSemente(std::uint64_t x);
std::uint32_t DerivarSemente(std::uint32_t A, std::uint32_t B);
std::uint32_t SementeDoRelogio();

// Fisher-Yates from the end: one Limite per position from the last down to 1.
void Embaralhar(TGeradorAleatorio& AGerador, std::vector<std::int32_t>& AValores);

}  // namespace cadrel
