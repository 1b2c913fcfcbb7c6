#include "cli/progresso.hpp"

#include <fmt/format.h>

#include <algorithm>

namespace cadrel {

namespace {

constexpr std::int32_t CPassoRelatorio = 50;
constexpr std::int32_t CLarguraBarra = 20;

// Cut to at most AColunas characters (UTF-8), one column each.
std::string Cortar(const std::string& t, std::int32_t AColunas) {
  std::int32_t colunas = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if ((static_cast<unsigned char>(t[i]) & 0xC0) == 0x80) continue;
    if (++colunas > AColunas) return t.substr(0, i);
  }
  return t;
}

}  // namespace

TMostradorProgresso::TMostradorProgresso(TModoProgresso AModo, std::FILE* ASaida, std::int32_t ALargura)
    : FModo(AModo), FSaida(ASaida), FLargura(ALargura) {}

std::string TMostradorProgresso::Linha(std::int32_t ATotal, const std::string& ATexto) const {
  return fmt::format("{}/{} · ≥ {} tentativas · {}", FFeitos, ATotal, FTentativas, ATexto);
}

void TMostradorProgresso::Relatar(std::int32_t AFeitos, std::int32_t ATotal, const std::string& ATexto) {
  const bool aceite = AFeitos > FFeitos;
  FTentativas = aceite ? FTentativas + 1 : (FTentativas / CPassoRelatorio + 1) * CPassoRelatorio;
  FFeitos = AFeitos;
  if (FModo == mpLinhas && aceite) {
    std::fputs((Linha(ATotal, ATexto) + "\n").c_str(), FSaida);
  } else if (FModo == mpBarra) {
    const std::int32_t cheios = ATotal > 0 ? CLarguraBarra * std::min(FFeitos, ATotal) / ATotal : 0;
    const std::string barra = "[" + std::string(static_cast<std::size_t>(cheios), '#') +
                              std::string(static_cast<std::size_t>(CLarguraBarra - cheios), '-') + "] ";
    // Redraw from the line's start and clear what a longer earlier line left.
    std::fputs(("\r" + Cortar(barra + Linha(ATotal, ATexto), FLargura - 1) + "\x1b[K").c_str(), FSaida);
    FDesenhada = true;
  }
  std::fflush(FSaida);
}

void TMostradorProgresso::Terminar() {
  if (FDesenhada) std::fputs("\n", FSaida);
  FDesenhada = false;
}

}  // namespace cadrel
