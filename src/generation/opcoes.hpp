#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/tipos.hpp"

// The book options that the window and the command line share: what the
// window's controls mean, the summary line and why a book cannot be made yet.
namespace cadrel {

// A progressive book needs one puzzle for each of the five levels.
inline constexpr std::int32_t CMinPuzzlesProgressiva = 5;
// The difficulty index of "Progressiva"; 0..4 are "Nível 1".."Nível 5".
inline constexpr std::int32_t CIndiceProgressiva = 5;

// The law choice as the window holds it.
struct TEscolhaLeis {
  bool Escolher = false;  // "Escolher leis"; false is "Surpresa" (every law)
  bool Simetria = false;
  bool Tabela = false;
  bool Ordem = false;
  bool Somas = false;  // stands for both sum laws
};

// Indexed like the difficulty choice: levels 1..5, then the progressive mix.
using TNiveisPossiveis = std::array<bool, 6>;

TConjuntoLeis LeisEscolhidas(const TEscolhaLeis& AEscolha);
TNiveisPossiveis NiveisPossiveis(std::int32_t N, TConjuntoLeis ALeis);
bool AlgumNivelPossivel(const TNiveisPossiveis& APossiveis);
// AIndice itself when it is possible, else the first possible index, else -1.
std::int32_t IndiceNivelValido(std::int32_t AIndice, const TNiveisPossiveis& APossiveis);
// The configuration's level: 0 for "Progressiva".
std::int32_t NivelDoIndice(std::int32_t AIndice);
std::int32_t MinimoPuzzles(std::int32_t AIndice);

// The file name proposed for a book: "Quorvel_5x5_P_50.pdf" for 50 progressive
// puzzles of 5x5, "Quorvel_6x6_N3_20.pdf" for 20 puzzles of level 3 on 6x6.
// ANivel is 1..5, or 0 for the progressive mix.
std::string NomeFicheiroPadrao(std::int32_t N, std::int32_t ANivel, std::int32_t ANumPuzzles);

// The most volumes a series can have.
inline constexpr std::int32_t CMaxVolumes = 50;
// The name of volume AVolume's file for the name AFicheiro given to a series:
// "livro.pdf" becomes "livro_vol03.pdf"; volume 0 (a book alone) keeps it.
std::string FicheiroDoVolume(const std::string& AFicheiro, std::int32_t AVolume);

// A typed number of puzzles, blanks around it allowed; ANum is 0 when invalid.
bool LerNumPuzzles(std::string_view ATexto, std::int32_t& ANum);

// The one-line summary under the options, e.g. "50 puzzles · 5 × 5 · progressiva: 10 + 10 + 10 + 10 + 10".
std::string TextoResumo(std::int32_t ANumPuzzles, std::int32_t N, std::int32_t AIndiceNivel,
                        const TEscolhaLeis& AEscolha);
// Why "Gerar livro" is unavailable, or empty.
std::string MotivoBloqueio(bool ANumValido, const TEscolhaLeis& AEscolha, const TNiveisPossiveis& APossiveis);
std::string MensagemNumPuzzlesInvalido();
std::string MensagemMinimoProgressiva();
// A title with a character the book's faces cannot print.
std::string MensagemTituloSemGlifo(char32_t ACaracter);
// A length of the files written, as both programs report it: ACasas decimals,
// with a decimal comma as a Portuguese reader writes it (an English one reads a
// point), and halves rounded up.
std::string DecimalDoPrograma(double AValor, std::int32_t ACasas);

}  // namespace cadrel
