#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/idioma.hpp"

namespace cadrel {

// A text in AIdioma: the text itself in Portuguese, its translation from the
// language's catalogue otherwise (po/<language>.po, compiled into the
// program), or the text itself where the catalogue lacks it. Texts are marked
// for xgettext by these names: Tr(idioma, "texto"), TrC(idioma, "contexto",
// "texto") where one Portuguese text has two meanings, TrN(idioma, "singular",
// "plural", n). Every call is safe from any thread: the catalogues are read
// once and never change.
const char* Tr(TIdioma AIdioma, const char* ATexto);
// Marks a text kept in a table, translated by Tr where it is used.
constexpr const char* TrMarca(const char* ATexto) { return ATexto; }
const char* TrC(TIdioma AIdioma, const char* AContexto, const char* ATexto);
const char* TrN(TIdioma AIdioma, const char* ASingular, const char* APlural, std::int64_t AN);

}  // namespace cadrel
