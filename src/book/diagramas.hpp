#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "book/geometria.hpp"
#include "core/tipos.hpp"
#include "drawing/canvas.hpp"

namespace cadrel {

// The title of the first diagrams page, and the section's bookmark.
inline constexpr const char* CTituloDiagramas = TrMarca("Os diagramas das leis");

// One diagrams page per group present in the book, in this order.
enum TGrupoDiagramas : std::uint8_t { gdOrdemTabela, gdSimetria, gdSomas };

// A sum line of the 4 × 4 sums diagram, with the step (row, column) that walks
// it from its first cell; a step that leaves the grid re-enters on the opposite
// side, which is where the wrap-around arrows go.
struct TLinhaSoma {
  std::string_view Rotulo;
  std::array<std::int32_t, 4> Celulas;
  std::int32_t DL;
  std::int32_t DC;
};

// The four ordinary lines, then the four broken diagonals.
inline constexpr std::array<TLinhaSoma, 8> CLinhasSomas{{
    {TrMarca("uma linha"), {8, 9, 10, 11}, 0, 1},
    {TrMarca("uma coluna"), {1, 5, 9, 13}, 1, 0},
    {TrMarca("uma diagonal"), {0, 5, 10, 15}, 1, 1},
    {TrMarca("a outra diagonal"), {3, 6, 9, 12}, 1, -1},
    {TrMarca("quebrada 1"), {1, 6, 11, 12}, 1, 1},
    {TrMarca("quebrada 2"), {2, 7, 8, 13}, 1, 1},
    {TrMarca("quebrada 3"), {2, 5, 8, 15}, 1, -1},
    {TrMarca("quebrada 4"), {1, 4, 11, 14}, 1, -1},
}};

std::vector<TGrupoDiagramas> GruposDiagramas(TConjuntoLeis ALeis);
std::int32_t NumPaginasDiagramas(TConjuntoLeis ALeis);
// The content of diagrams page APagina (from 0), without its footer; an index
// outside the groups draws nothing. On a page too short for them the figures
// are drawn a little smaller, the texts never.
void DesenharDiagramas(ICadrelCanvas& C, const TGeometriaPagina& G, TConjuntoLeis ALeis, std::int32_t APagina,
                       TIdioma AIdioma = idPt);

// Each diagram starts at Y, keeps within the frame of G and returns the y
// where the next one may start. AEscala takes its figures to that share of
// their size, for a page too short for them; texts keep their size.
double DiagramaOrdem(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, double AEscala = 1,
                     TIdioma AIdioma = idPt);
double DiagramaTabela(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, double AEscala = 1,
                      TIdioma AIdioma = idPt);
double DiagramaSimetria(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, double AEscala = 1,
                        TIdioma AIdioma = idPt);
double DiagramaSomas(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, bool AQuebradas, TIdioma AIdioma = idPt);

// The pictograms of ALeis side by side and the title after them; returns the
// y below the heading.
double CabecalhoGrupo(ICadrelCanvas& C, double Y, const std::string& ATitulo, std::span<const TLei> ALeis);

// A fully written grid: every cell shows its value, or its character of
// ALetras when that is not empty; shading and weight come from the lists.
void GrelhaDiagrama(ICadrelCanvas& C, std::int32_t N, std::span<const std::int32_t> AValores, std::string_view ALetras,
                    double X, double Y, double ALado, double ATamanhoPt, std::span<const std::int32_t> ASombreadas,
                    std::span<const std::int32_t> ANegrito);
TPontoMm CentroCelula(double X, double Y, double ALado, std::int32_t N, std::int32_t ACelula);
// One regular black line of text.
void EscreverTexto(ICadrelCanvas& C, double X, double Y, const std::string& ATexto, double ATamanhoPt);
// The line step of a paragraph at that size.
double AlturaLinha(double ATamanhoPt);
// "20 + 16 + 10 + 2 = 48".
std::string TextoSoma(std::span<const std::int32_t> AValores, const std::array<std::int32_t, 4>& ACelulas);

// A black line with a filled head at (X2, Y2); the two points must differ.
void Seta(ICadrelCanvas& C, double X1, double Y1, double X2, double Y2);
// Dashes of about 3 mm periods, the first one starting at P.
void LinhaTracejada(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, double AEspessuraPt);
// The line from P to Q with ACorteP cut off at P and ACorteQ at Q; nothing
// when too little would be left.
void LinhaEncurtada(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, bool ATracejada, double AEspessuraPt, double ACorteP,
                    double ACorteQ);
// How far from a cell centre a line leaving in the unit direction (UX, UY)
// must start to clear a number of that size written there.
double FolgaTexto(double UX, double UY, double ATamanhoPt);
// Joins two cell centres without crossing the numbers written in them.
void LigarCentros(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, double ATamanhoPt, bool ATracejada,
                  double AEspessuraPt);
// One mini-grid per line (at least two), spread over the frame of G 3 mm in
// from its margins, each with its line shaded, its arrows, its label and its
// sum under it (leaning in from a margin it would cross); 34 mm ones where
// they fit 8 mm apart, smaller ones where they do not. Returns the y where
// what follows may start.
double MiniGrelhas(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, std::span<const std::int32_t> AValores,
                   std::span<const TLinhaSoma> ALinhas, TIdioma AIdioma = idPt);
// The exit and entry arrows where a line wraps round a mini-grid of side ALado
// at (X, Y).
void SetasQuebradas(ICadrelCanvas& C, double X, double Y, double ALado, const TLinhaSoma& ALinha);

}  // namespace cadrel
