#include "core/random.hpp"

#include <chrono>
#include <utility>

#include "core/tipos.hpp"

namespace cadrel {

namespace {
constexpr std::uint64_t CMultiplicador = 6364136223846793005ULL;
constexpr std::uint64_t CSequenciaPadrao = 54;
}  // namespace

std::uint64_t MisturarSemente(std::uint64_t x) {
  std::uint64_t z = x + 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint32_t DerivarSemente(std::uint32_t A, std::uint32_t B) {
  return static_cast<std::uint32_t>(MisturarSemente((static_cast<std::uint64_t>(A) << 32) | B));
}

std::uint32_t SementeDoRelogio() {
  const auto t = static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  return static_cast<std::uint32_t>(MisturarSemente(t ^ (t >> 32)));
}

TGeradorAleatorio::TGeradorAleatorio(std::uint32_t ASemente) {
  Iniciar(MisturarSemente(ASemente), CSequenciaPadrao);
}

void TGeradorAleatorio::Iniciar(std::uint64_t AEstadoInicial, std::uint64_t ASequencia) {
  FEstado = 0;
  FIncremento = (ASequencia << 1) | 1u;
  ProximoU32();
  FEstado += AEstadoInicial;
  ProximoU32();
}

std::uint32_t TGeradorAleatorio::ProximoU32() {
  const std::uint64_t antigo = FEstado;
  FEstado = antigo * CMultiplicador + FIncremento;
  const auto x = static_cast<std::uint32_t>(((antigo >> 18) ^ antigo) >> 27);
  const auto r = static_cast<std::uint32_t>(antigo >> 59);
  return (x >> r) | (x << ((32 - r) & 31));
}

std::int32_t TGeradorAleatorio::Limite(std::int32_t ALimite) {
  if (ALimite <= 0) throw ECadrel("TGeradorAleatorio.Limite: limite tem de ser positivo");
  const auto n = static_cast<std::uint32_t>(ALimite);
  const std::uint32_t limiar = (0u - n) % n;
  std::uint32_t r;
  do r = ProximoU32();
  while (r < limiar);
  return static_cast<std::int32_t>(r % n);
}

std::uint64_t TGeradorAleatorio::Limite64(std::uint64_t ALimite) {
  if (ALimite == 0) throw ECadrel("TGeradorAleatorio.Limite64: limite tem de ser positivo");
  const std::uint64_t limiar = (0ULL - ALimite) % ALimite;
  std::uint64_t r;
  do {
    const std::uint64_t alto = ProximoU32();
    const std::uint64_t baixo = ProximoU32();
    r = (alto << 32) | baixo;
  } while (r < limiar);
  return r % ALimite;
}

std::int32_t TGeradorAleatorio::Ponderado(std::span<const std::int64_t> APesos) {
  std::int64_t soma = 0;
  for (std::int64_t peso : APesos) {
    if (peso < 0) throw ECadrel("TGeradorAleatorio.Ponderado: peso negativo");
    // Both are non-negative, so an overflow shows as a wrapped negative sum.
    soma = static_cast<std::int64_t>(static_cast<std::uint64_t>(soma) + static_cast<std::uint64_t>(peso));
    if (soma < 0) throw ECadrel("TGeradorAleatorio.Ponderado: soma dos pesos excede Int64");
  }
  if (soma == 0) throw ECadrel("TGeradorAleatorio.Ponderado: soma dos pesos e zero");

  const std::uint64_t r = Limite64(static_cast<std::uint64_t>(soma));
  std::uint64_t acumulado = 0;
  for (std::size_t i = 0; i < APesos.size(); ++i) {
    acumulado += static_cast<std::uint64_t>(APesos[i]);
    if (r < acumulado) return static_cast<std::int32_t>(i);
  }
  return static_cast<std::int32_t>(APesos.size()) - 1;  // unreachable: r < soma
}

std::int32_t TGeradorAleatorio::Entre(std::int32_t AMin, std::int32_t AMax) {
  if (AMax < AMin) throw ECadrel("TGeradorAleatorio.Entre: maximo menor do que o minimo");
  return AMin + Limite(AMax - AMin + 1);
}

double TGeradorAleatorio::Real01() {
  const std::uint32_t alto = ProximoU32() >> 5;
  const std::uint32_t baixo = ProximoU32() >> 6;
  return (alto * 67108864.0 + baixo) / 9007199254740992.0;
}

void Embaralhar(TGeradorAleatorio& AGerador, std::vector<std::int32_t>& AValores) {
  for (auto i = static_cast<std::int32_t>(AValores.size()) - 1; i >= 1; --i) {
    const std::int32_t j = AGerador.Limite(i + 1);
    std::swap(AValores[i], AValores[j]);
  }
}

}  // namespace cadrel
