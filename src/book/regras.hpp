#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "book/geometria.hpp"
#include "core/tipos.hpp"

namespace cadrel {

// The law a worked-example step uses.
enum TTipoPassoExemplo : std::uint8_t { tpSimetria = 0, tpTabela = 1, tpOrdem = 2, tpSomas = 3 };

struct TPassoExemplo {
  std::int32_t Celula = 0;  // 4x4 grid, row-major from 0
  std::int32_t Valor = 0;
  TTipoPassoExemplo Tipo = tpSimetria;
  std::string Texto;
};

// A fixed 4x4 example: the rules pages work it step by step and the law
// diagrams draw its filled grid.
struct TExemploRegras {
  TReceita Receita;
  std::vector<std::int32_t> Solucao;  // 16 numbers
  std::vector<std::int32_t> Dados;    // 16 numbers, 0 for an empty cell
  std::vector<TPassoExemplo> Passos;  // fill the empty cells in order
};

struct TBlocoLei {
  TLei Lei = leiSIM;   // pictogram heading the block
  TLei Lei2 = leiSIM;  // second pictogram, drawn only with TemLei2
  bool TemLei2 = false;
  std::string Titulo;
  std::string Paragrafo;
  std::string Exemplo;
};

enum TTipoElementoRegras : std::uint8_t {
  erComoSeJoga = 0,
  erBloco = 1,
  erCirculos = 2,
  erExemplo = 3,
  erConselhos = 4
};

struct TElementoRegras {
  TTipoElementoRegras Tipo = erComoSeJoga;
  std::int32_t Indice = 0;  // block index for erBloco, 0 otherwise
  std::int32_t Pagina = 0;  // rules page, from 0
  double Y = 0;             // top of the element, mm
  double Altura = 0;        // estimated height, mm
};

inline constexpr std::int32_t CNumExemplosFixos = 5;

// "Ordem", "Tabela", "Simetria", "Somas" (either sum law), those present, joined by ", ".

// How the unstated constants K and S are found; empty without symmetry and sums.
std::string NotaConstantes(TConjuntoLeis ALeis, TIdioma AIdioma = idPt);
// ACirculos: the book has level-5 puzzles, whose laws show only as circles.
std::vector<std::string> ParagrafosComoSeJoga(TConjuntoLeis ALeis, bool ACirculos, TIdioma AIdioma = idPt);
// One block per law group present: Ordem, Tabela, Simetria, Somas.
std::vector<TBlocoLei> BlocosLeis(TConjuntoLeis ALeis, TIdioma AIdioma = idPt);
TBlocoLei BlocoCirculos(TIdioma AIdioma = idPt);
std::vector<std::string> Conselhos(TIdioma AIdioma = idPt);

TPassoExemplo CriarPassoExemplo(std::int32_t ALinha, std::int32_t AColuna, std::int32_t AValor,
                                TTipoPassoExemplo ATipo, std::string ATexto);
// AIndice in 0..CNumExemplosFixos - 1.
const TExemploRegras& ExemploFixo(std::int32_t AIndice);
// The first fixed example whose laws all occur in ALeis; example 0 when none does.
const TExemploRegras& EscolherExemplo(TConjuntoLeis ALeis);
std::string IntroExemplo(const TExemploRegras& AExemplo, TIdioma AIdioma = idPt);

// Heights are estimated from the length of the texts and the width of the
// page, so that the page of every element is known before any page is drawn.
std::int32_t LinhasEstimadas(std::string_view ATexto, double ALargura = CGeometriaA4.Largura);
double AlturaEstimada(std::string_view ATexto, double ALargura = CGeometriaA4.Largura);
// APrimeiro: the block carries the section heading above it.
double AlturaBloco(const TBlocoLei& ABloco, bool APrimeiro, double ALargura = CGeometriaA4.Largura);

// Where the next element of the rules section starts.
struct TCursorRegras {
  std::int32_t Pagina = 0;
  double Y = 18;
};
// Appends an element of height AAltura at the cursor, moving to the next page
// first when it would not end above the page's lower limit.
void ColocarElemento(std::vector<TElementoRegras>& APlano, TCursorRegras& ACursor, const TGeometriaPagina& G,
                     TTipoElementoRegras ATipo, std::int32_t AIndice, double AAltura);

// The elements of the rules section in drawing order, each on its page.
std::vector<TElementoRegras> PlanoRegras(TConjuntoLeis ALeis, bool ACirculos,
                                         const TGeometriaPagina& G = CGeometriaA4, TIdioma AIdioma = idPt);
std::int32_t NumPaginasRegras(TConjuntoLeis ALeis, bool ACirculos, const TGeometriaPagina& G = CGeometriaA4,
                              TIdioma AIdioma = idPt);

}  // namespace cadrel
