#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/idioma.hpp"
#include "core/traducao.hpp"

namespace cadrel {

// The one exception class: every failure the system's own logic detects.
class ECadrel : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The ordinal of a law is its bit in a recipe code.
enum TLei : std::uint8_t { leiSIM = 0, leiTAB = 1, leiORD = 2, leiSOMD = 3, leiSOMQ = 4 };

inline constexpr int CNumLeis = 5;

// A set of laws in one byte: law i is bit i.
class TConjuntoLeis {
public:
  constexpr TConjuntoLeis() = default;
  constexpr TConjuntoLeis(std::initializer_list<TLei> leis) {
    for (TLei lei : leis) Incluir(lei);
  }
  // Only the five law bits survive, as in a set of five elements.
  static constexpr TConjuntoLeis DeCodigo(int codigo) {
    TConjuntoLeis c;
    c.FBits = static_cast<std::uint8_t>(codigo & 0x1F);
    return c;
  }

  constexpr bool Contem(TLei lei) const { return (FBits >> lei) & 1u; }
  constexpr void Incluir(TLei lei) { FBits = static_cast<std::uint8_t>(FBits | (1u << lei)); }
  constexpr void Excluir(TLei lei) { FBits = static_cast<std::uint8_t>(FBits & ~(1u << lei)); }
  constexpr bool Vazio() const { return FBits == 0; }
  constexpr std::uint8_t Bits() const { return FBits; }

  friend constexpr bool operator==(TConjuntoLeis, TConjuntoLeis) = default;

private:
  std::uint8_t FBits = 0;
};

struct TReceita {
  TConjuntoLeis Leis;
  friend constexpr bool operator==(TReceita, TReceita) = default;
};

// The law sets of the books' six recipes.
inline constexpr TConjuntoLeis CLeisTAB{leiTAB};
inline constexpr TConjuntoLeis CLeisTABSIM{leiTAB, leiSIM};
inline constexpr TConjuntoLeis CLeisORDSIM{leiORD, leiSIM};
inline constexpr TConjuntoLeis CLeisSOMDSIM{leiSOMD, leiSIM};
inline constexpr TConjuntoLeis CLeisSOMQ{leiSOMQ};
inline constexpr TConjuntoLeis CLeisSOMQSIM{leiSOMQ, leiSIM};
// Every law: the "Surpresa" mode and the command line's default.
inline constexpr TConjuntoLeis CTodasLeis{leiSIM, leiTAB, leiORD, leiSOMD, leiSOMQ};

using TNivel = std::uint8_t;  // 1..5

// Ordered by sophistication; compared numerically.
enum TTecnica : std::uint8_t { tecNenhuma = 0, tecT1, tecT2, tecT3, tecT4, tecT5, tecT6 };

struct TSolucao {
  std::int32_t N = 0;
  std::vector<std::int32_t> Valores;  // row-major, N*N
};

struct TConfigLivro {
  std::int32_t NumPuzzles = 0;
  std::int32_t N = 0;
  std::int32_t Nivel = 0;  // 1..5, or 0 for the progressive mix
  TConjuntoLeis Leis;
  std::string Titulo;
  bool Caminho = false;
  std::uint32_t Semente = 0;
  TIdioma Idioma = idPt;  // of the printed texts and the step texts; never of the puzzles
  // Volume of a series (1..Volumes) whose code is SementeSerie; 0 for a book alone.
  std::int32_t Volume = 0;
  std::int32_t Volumes = 0;
  std::uint32_t SementeSerie = 0;
};

// The limits of a book's configuration.
inline constexpr std::int32_t CMinLado = 4;
inline constexpr std::int32_t CMaxLado = 7;
inline constexpr std::int32_t CMaxPuzzles = 200;
inline constexpr std::int32_t CMaxNivel = 5;
inline constexpr std::int32_t CMaxTitulo = 60;  // characters

inline constexpr std::int32_t CMinValor = 1;
inline constexpr std::int32_t CMaxValor = 99;

// Checks that a box is strictly increasing inside [CMinValor, CMaxValor],
// writes each number's index into AIdxValor (CMaxValor + 1 entries, -1 for
// the numbers outside the box) and returns the box's total. The messages of
// the raised ECadrel begin with AOrigem.
std::int32_t IndexarConjunto(std::span<const std::int32_t> AConjunto, std::span<std::int32_t> AIdxValor,
                             std::string_view AOrigem);

std::int32_t CodigoReceita(TReceita AReceita);
TReceita ReceitaDeLeis(TConjuntoLeis ALeis);
std::string NomeReceita(TReceita AReceita);
// A law's short name, as recipe names join them: ORD, TAB, SIM, SOM-D, SOM-Q.
constexpr const char* SiglaLei(TLei ALei) {
  constexpr const char* CSiglas[CNumLeis] = {"SIM", "TAB", "ORD", "SOM-D", "SOM-Q"};
  return CSiglas[ALei];
}
// Either sum law: rows, columns and diagonals adding up to S.
constexpr bool TemSomas(TConjuntoLeis ALeis) { return ALeis.Contem(leiSOMD) || ALeis.Contem(leiSOMQ); }
// A law as the book names it to a reader, and the laws the name stands for:
// "Somas" is both sum laws, as the window's check box of that name is.
struct TNomeLei {
  std::string_view Nome;
  TConjuntoLeis Leis;
};
inline constexpr std::array<TNomeLei, 4> CNomesLeis{{{TrMarca("Ordem"), {leiORD}},
                                                     {TrMarca("Tabela"), {leiTAB}},
                                                     {TrMarca("Simetria"), {leiSIM}},
                                                     {TrMarca("Somas"), {leiSOMD, leiSOMQ}}}};
// The laws ANome stands for, read in any case; nullopt for a name not in CNomesLeis.
std::optional<TConjuntoLeis> LeisDoNome(std::string_view ANome);
// The laws' names in the order of CNomesLeis, joined by ", ": "Ordem, Tabela,
// Simetria, Somas", or as AIdioma names them.
std::string NomesLeis(TConjuntoLeis ALeis, TIdioma AIdioma = idPt);
std::string NomeTecnica(TTecnica ATecnica);
std::int32_t PesoTecnica(TTecnica ATecnica);
std::int32_t MaxOperandosPasso(std::int32_t N);
std::int32_t MaxOperandosTotal(std::int32_t N);

// --- Grid geometry -------------------------------------------------------
// Cells are numbered row by row from 0. Both the solver and the counter scan
// these lists in order and take the first match, so the order is part of the
// behaviour.

// Corners A = (r1, c1), B = (r1, c2), C = (r2, c1), D = (r2, c2); A + D = B + C.
struct TRectangulo {
  std::int32_t A, B, C, D;
  friend constexpr bool operator==(const TRectangulo&, const TRectangulo&) = default;
};

struct TLinhasSoma {
  std::vector<std::vector<std::int32_t>> Celulas;
  std::vector<std::string> Nomes;  // parallel to Celulas
};

// Sum lines of the recipe, named in AIdioma: empty without leiSOMD and leiSOMQ.
TLinhasSoma ConstruirLinhas(std::int32_t N, TReceita AReceita, TIdioma AIdioma = idPt);
// Rectangles of the table law: empty without leiTAB.
std::vector<TRectangulo> ConstruirRectangulos(std::int32_t N, TReceita AReceita);

// For every cell, the ascending indices of the lines holding it.
std::vector<std::vector<std::int32_t>> LinhasPorCelula(
    std::int32_t N, const std::vector<std::vector<std::int32_t>>& ALinhas);
// For every cell, the ascending indices of the rectangles with it as a corner.
std::vector<std::vector<std::int32_t>> RectangulosPorCelula(
    std::int32_t N, const std::vector<TRectangulo>& ARects);

constexpr std::int32_t CelulaOposta(std::int32_t N, std::int32_t ACelula) {
  return N * N - 1 - ACelula;
}

// "L%dC%d" with the 1-based row and column (in English "R%dC%d").
std::string NomeCelula(std::int32_t N, std::int32_t ACelula, TIdioma AIdioma = idPt);

}  // namespace cadrel
