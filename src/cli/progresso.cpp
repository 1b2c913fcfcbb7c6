#include "cli/progresso.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "core/texto.hpp"
#include "core/traducao.hpp"

namespace cadrel {

namespace {

constexpr std::int32_t CLarguraBarra = 20;

}  // namespace

TMostradorProgresso::TMostradorProgresso(TModoProgresso AModo, std::FILE* ASaida, std::int32_t ALargura)
    : FModo(AModo), FSaida(ASaida), FLargura(ALargura) {}

std::string TMostradorProgresso::Linha(std::int32_t ATotal, std::int32_t ATentativas, const std::string& ATexto) const {
  // Portuguese keeps its one form for every count.
  return fmt::format(fmt::runtime(TrPN("{}/{} · {} tentativas · {}", "{}/{} · {} tentativas · {}", ATentativas)),
                     FFeitos, ATotal, ATentativas, ATexto);
}

void TMostradorProgresso::Relatar(std::int32_t AFeitos, std::int32_t ATotal, std::int32_t ATentativas,
                                  const std::string& ATexto) {
  const bool aceite = AFeitos > FFeitos;
  FFeitos = AFeitos;
  if (FModo == mpLinhas && aceite) {
    std::fputs((Linha(ATotal, ATentativas, ATexto) + "\n").c_str(), FSaida);
  } else if (FModo == mpBarra) {
    const std::int32_t cheios = ATotal > 0 ? CLarguraBarra * std::min(FFeitos, ATotal) / ATotal : 0;
    const std::string barra = "[" + std::string(static_cast<std::size_t>(cheios), '#') +
                              std::string(static_cast<std::size_t>(CLarguraBarra - cheios), '-') + "] ";
    // Redraw from the line's start and clear what a longer earlier line left.
    std::fputs(("\r" + std::string(PrimeirosCaracteres(barra + Linha(ATotal, ATentativas, ATexto), FLargura - 1)) + "\x1b[K").c_str(), FSaida);
    FDesenhada = true;
  }
  std::fflush(FSaida);
}

void TMostradorProgresso::Terminar() {
  if (FDesenhada) std::fputs("\n", FSaida);
  FDesenhada = false;
}

}  // namespace cadrel
