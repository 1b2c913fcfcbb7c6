#include "core/momento.hpp"

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "core/traducao.hpp"

namespace cadrel {

namespace {

constexpr const char* CVariavel = "SOURCE_DATE_EPOCH";

// Decimal digits only, as the convention asks, and a year cairo and the
// calendar can write (before 10000).
std::optional<std::time_t> Ler(std::string_view ATexto) {
  constexpr std::time_t CAno10000 = 253402300800;
  std::time_t segundos = 0;
  const auto [fim, erro] = std::from_chars(ATexto.data(), ATexto.data() + ATexto.size(), segundos);
  if (ATexto.empty() || ATexto.front() == '-' || erro != std::errc{} || fim != ATexto.data() + ATexto.size() ||
      segundos >= CAno10000)
    return std::nullopt;
  return segundos;
}

}  // namespace

std::optional<std::time_t> MomentoFixado() {
  const char* valor = std::getenv(CVariavel);
  return valor != nullptr ? Ler(valor) : std::nullopt;
}

std::string AvisoMomentoFixado() {
  const char* valor = std::getenv(CVariavel);
  if (valor == nullptr || Ler(valor)) return {};
  return FormatarP("Aviso: {}=\"{}\" não é um número de segundos desde 1970; fica a data de hoje.", CVariavel,
                   valor);
}

}  // namespace cadrel
