#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace cadrel {

enum TModoProgresso : std::uint8_t {
  mpNada,    // --silencioso
  mpBarra,   // a terminal: one line that redraws itself
  mpLinhas,  // a pipe or a file: one line per accepted puzzle
};

// Shows the reports of a book generation on standard error.
class TMostradorProgresso {
public:
  // ALargura: the terminal's columns, which the redrawn line must not exceed.
  TMostradorProgresso(TModoProgresso AModo, std::FILE* ASaida, std::int32_t ALargura);

  void Relatar(std::int32_t AFeitos, std::int32_t ATotal, std::int32_t ATentativas, const std::string& ATexto);
  // Ends the redrawn line so that what follows starts on a line of its own.
  void Terminar();

private:
  std::string Linha(std::int32_t ATotal, std::int32_t ATentativas, const std::string& ATexto) const;

  TModoProgresso FModo;
  std::FILE* FSaida;
  std::int32_t FLargura;
  std::int32_t FFeitos = 0;
  bool FDesenhada = false;
};

}  // namespace cadrel
