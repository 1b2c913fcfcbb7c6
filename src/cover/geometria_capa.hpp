#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "book/navegacao.hpp"
#include "core/edicao.hpp"

namespace cadrel {

// The paper of the interior, which sets how thick the book is.
enum TPapel : std::uint8_t { ppBranco, ppCreme };

struct TDadosPapel {
  std::string_view Nome;     // as the command line writes it; its words translate it for the reader
  double PolegadasPorPagina;  // one page's share of the spine
};

inline constexpr std::array<TDadosPapel, 2> CPapeis{{{TrMarca("branco"), 0.002252}, {TrMarca("creme"), 0.0025}}};

constexpr const TDadosPapel& DadosPapel(TPapel APapel) { return CPapeis[APapel]; }
// The paper named ANome, in any case; nullopt for a name not in CPapeis.
std::optional<TPapel> PapelDoNome(std::string_view ANome);

// What print platforms ask of a cover, in millimetres: the picture runs this
// far past the outer trimmed edges, text keeps this far inside them and this
// far from the folds of the spine, and a spine thinner than the one of
// CMinPaginasLombada pages carries no text at all.
inline constexpr double CSangriaCapa = 0.125 * 25.4;
inline constexpr double CMargemTextoCapa = 0.375 * 25.4;
inline constexpr double CFolgaDobra = 0.0625 * 25.4;
inline constexpr std::int32_t CMinPaginasLombada = 79;
// The canvas puts text on whole device units: the areas for text keep this
// much more from every edge and fold, so that a text set against one of them
// prints clear of it all the same.
inline constexpr double CFolgaUnidades = 0.1;

// The box left free on the back for the barcode the platform prints: its
// size, and how far its lower right corner sits inside the back's.
inline constexpr double CLarguraCodigoBarras = 2 * 25.4;
inline constexpr double CAlturaCodigoBarras = 1.2 * 25.4;
inline constexpr double CRecuoCodigoBarras = 0.25 * 25.4;

// The one page of a wrap-around cover, in millimetres from its top-left
// corner: the back on the left, the spine, the front on the right, and the
// bleed around them.
struct TGeometriaCapa {
  TFormato Formato = fmA4;
  TPapel Papel = ppBranco;
  std::int32_t Paginas = 0;  // of the print edition, blank ones included
  double Largura = 0;        // the whole page
  double Altura = 0;
  double Lombada = 0;  // the spine's width

  // The trimmed panels.
  TRectanguloMm Contracapa() const;
  TRectanguloMm FaixaLombada() const;
  TRectanguloMm Frente() const;
  // Where text may go: inside each panel by CMargemTextoCapa; on the spine,
  // clear of the folds by CFolgaDobra; CFolgaUnidades more everywhere.
  TRectanguloMm TextoContracapa() const;
  TRectanguloMm TextoLombada() const;
  TRectanguloMm TextoFrente() const;
  TRectanguloMm CodigoBarras() const;
  bool LombadaComTexto() const { return Paginas >= CMinPaginasLombada; }
};

TGeometriaCapa GeometriaCapa(TFormato AFormato, TPapel APapel, std::int32_t APaginas);

}  // namespace cadrel
