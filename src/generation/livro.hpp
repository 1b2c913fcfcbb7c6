#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/tipos.hpp"
#include "generation/gerador.hpp"

namespace cadrel {

struct TPosicaoPlano {
  std::int32_t Nivel = 0;
  TReceita Receita;
  friend bool operator==(const TPosicaoPlano&, const TPosicaoPlano&) = default;
};

struct TPuzzleDoLivro {
  std::int32_t Posicao = 0;
  std::int32_t Tentativa = 0;  // over every recipe tried at the position
  std::uint32_t SubSemente = 0;
  std::uint64_t ChaveCanonica = 0;
  std::uint64_t ChaveConjunto = 0;
  TPuzzle Puzzle;
};

struct TLivro {
  TConfigLivro Config;
  std::string Codigo;  // the seed as eight upper-case hexadecimal digits
  std::vector<TPosicaoPlano> Plano;
  std::vector<TPuzzleDoLivro> Puzzles;  // in plan order
  bool Cancelado = false;
  std::int32_t Tentativas = 0;
  std::int32_t RejeicoesA6 = 0;  // accepted puzzles thrown away as repeats
  std::array<std::int32_t, CNumCriterios> Rejeicoes{};
};

// Solutions seen (up to their allowed symmetries) and boxes seen.
class TRegistoRepeticoes {
public:
  bool Repetido(std::uint64_t AChaveCanonica, std::uint64_t AChaveConjunto) const;
  void Registar(std::uint64_t AChaveCanonica, std::uint64_t AChaveConjunto);
  std::int32_t Quantos() const { return static_cast<std::int32_t>(FCanonicas.size()); }

private:
  std::unordered_set<std::uint64_t> FCanonicas;
  std::unordered_set<std::uint64_t> FConjuntos;
};

// Progress of a book: puzzles accepted so far, positions in the plan, attempts
// made so far, a status text; setting ACancelar stops the generation.
using TProgressoLivro = std::function<void(std::int32_t AFeitos, std::int32_t ATotal, std::int32_t ATentativas,
                                           const std::string& ATexto, bool& ACancelar)>;

// Raises ECadrel with a message for the user when the configuration is invalid.
void ValidarConfigLivro(const TConfigLivro& AConfig);
std::vector<TPosicaoPlano> PlanearLivro(const TConfigLivro& AConfig);
std::string CodigoLivro(std::uint32_t ASemente);
std::uint32_t CalcularSubSemente(std::uint32_t ASemente, std::int32_t APosicao, std::int32_t ATentativa);
std::string TextoProgresso(std::int32_t AAceites, std::int32_t ATotal, std::int32_t ANivel, TReceita AReceita);
// What the report after the last puzzle shows.
std::string TextoLivroCompleto(std::int32_t ATotal);
// The pattern of the line that says a book is made, for its number of puzzles,
// pages and code: "Livro gerado: {} puzzles, {} páginas. Código do livro: {}".
const char* TextoLivroGerado(std::int64_t APuzzles);

inline constexpr std::int32_t CMaxTarefas = 256;
// One per core.
std::int32_t TarefasPadrao();

// Fills the plan's positions in order. Attempts are made ahead of time on
// ATarefas threads (the calling one among them) and taken strictly in
// (position, attempt) order, so the book is the same for any number of them.
// The progress callback runs on the calling thread.
class TGeradorLivro {
public:
  // AParar, when given, is the user's stop flag: once set, the generation
  // stops within a few milliseconds, as a cancel from the callback does.
  explicit TGeradorLivro(std::int32_t ATarefas = 1, const std::atomic<bool>* AParar = nullptr);

  // A cancelled generation returns the puzzles accepted so far with Cancelado set.
  // ARegisto, when given, holds the puzzles of the books made before this one
  // (the earlier volumes of a series): none of them comes back, and this
  // book's are added to it.
  TLivro Gerar(const TConfigLivro& AConfig, const TProgressoLivro& AProgresso = {},
               TRegistoRepeticoes* ARegisto = nullptr);

private:
  std::int32_t FTarefas;
  const std::atomic<bool>* FParar;
};

// The code of volume AVolume (from 1) of the series whose code is ASerie: the
// series code itself for the first, so that a series begins with the book its
// code makes alone.
std::uint32_t SementeDoVolume(std::uint32_t ASerie, std::int32_t AVolume);
// The configuration of volume AVolume of AVolumes, for a series made with
// ASerie's options and whose code is ASerie.Semente.
TConfigLivro ConfigDoVolume(const TConfigLivro& ASerie, std::int32_t AVolume, std::int32_t AVolumes);

// The volumes of a series of AVolumes books, from the first to the last; fewer
// than two is a book alone, which is "volume 0" of a series of none.
constexpr std::int32_t PrimeiroVolume(std::int32_t AVolumes) { return AVolumes > 1 ? 1 : 0; }
constexpr std::int32_t UltimoVolume(std::int32_t AVolumes) { return AVolumes > 1 ? AVolumes : 0; }
// What the texts of volume AVolume of AVolumes begin with: "Volume 2 de 5 · ";
// nothing for a book alone.
std::string TextoVolume(std::int32_t AVolume, std::int32_t AVolumes);

// The books of one code that the command line and the window make volume after
// volume, none with a puzzle of the volumes before it. A book alone is its
// volume 0.
class TSerie {
public:
  // AVolumes as PrimeiroVolume and UltimoVolume count them.
  TSerie(const TConfigLivro& ASerie, std::int32_t AVolumes);

  // Makes volume AVolume with AGerador, once the volumes before it are made;
  // the progress texts name the volume.
  TLivro Gerar(TGeradorLivro& AGerador, std::int32_t AVolume, const TProgressoLivro& AProgresso);

private:
  TConfigLivro FSerie;
  std::int32_t FVolumes;
  TRegistoRepeticoes FRegisto;  // the puzzles of the volumes made
};

}  // namespace cadrel
