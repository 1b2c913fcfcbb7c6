#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/traducao.hpp"

namespace cadrel {

// The paper a book is laid out for: the trims print-on-demand paperbacks use.
enum TFormato : std::uint8_t { fmA4, fmA5, fmCarta, fm6x9 };

struct TDadosFormato {
  std::string_view Nome;       // as the command line and the JSON write it
  std::string_view Descricao;  // as a reader reads it: "A5 (148 × 210 mm)"
  double LarguraMm;
  double AlturaMm;
  // The PDF's page box; A4 keeps the whole points every book had before.
  double LarguraPt;
  double AlturaPt;
};

inline constexpr std::array<TDadosFormato, 4> CFormatos{{
    {"A4", TrMarca("A4 (210 × 297 mm)"), 210, 297, 595, 842},
    {"A5", TrMarca("A5 (148 × 210 mm)"), 148, 210, 148 * 72 / 25.4, 210 * 72 / 25.4},
    {"carta", TrMarca("Carta (8,5 × 11 pol.)"), 215.9, 279.4, 612, 792},
    {"6x9", TrMarca("6 × 9 pol."), 152.4, 228.6, 432, 648},
}};

constexpr const TDadosFormato& DadosFormato(TFormato AFormato) { return CFormatos[AFormato]; }
// The trim named ANome, in any case; nullopt for a name not in CFormatos.
std::optional<TFormato> FormatoDoNome(std::string_view ANome);

// How a book is poured out: at which trim, and whether as the digital book
// (bookmarks and links) or as a print interior (none, an even page count of at
// least CMinPaginasImpressao, blank pages at the end to make it).
struct TEdicao {
  TFormato Formato = fmA4;
  bool Impressao = false;
  friend constexpr bool operator==(const TEdicao&, const TEdicao&) = default;
};

// The smallest paperback most print platforms make.
inline constexpr std::int32_t CMinPaginasImpressao = 24;

// The inside margin a bound book of APaginas pages needs, in millimetres:
// 0.375 in up to 150 pages, 0.5 in to 300, 0.625 in to 500, 0.75 in beyond.
double MedianizMm(std::int32_t APaginas);

}  // namespace cadrel
