#include "core/edicao.hpp"

#include <algorithm>

#include "core/texto.hpp"

namespace cadrel {

std::optional<TFormato> FormatoDoNome(std::string_view ANome) {
  const auto it = std::find_if(CFormatos.begin(), CFormatos.end(),
                               [ANome](const TDadosFormato& f) { return IguaisSemCaixa(f.Nome, ANome); });
  if (it == CFormatos.end()) return std::nullopt;
  return static_cast<TFormato>(it - CFormatos.begin());
}

double MedianizMm(std::int32_t APaginas) {
  const double polegadas = APaginas <= 150 ? 0.375 : APaginas <= 300 ? 0.5 : APaginas <= 500 ? 0.625 : 0.75;
  return polegadas * 25.4;
}

}  // namespace cadrel
