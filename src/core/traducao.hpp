#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include <fmt/format.h>

#include "core/idioma.hpp"

namespace cadrel {

// A text in AIdioma: the text itself in Portuguese, its translation from the
// language's catalogue otherwise (po/<language>.po, compiled into the
// program), or the text itself where the catalogue lacks it. Texts are marked
// for xgettext by these names: Tr(idioma, "texto"), TrC(idioma, "contexto",
// "texto") where one Portuguese text has two meanings, TrN(idioma, "singular",
// "plural", n), Formatar(idioma, "padrão {}", ...). Every call is safe from any thread: the catalogues are read
// once and never change.
const char* Tr(TIdioma AIdioma, const char* ATexto);
// Marks a text kept in a table, translated by Tr where it is used.
constexpr const char* TrMarca(const char* ATexto) { return ATexto; }
const char* TrC(TIdioma AIdioma, const char* AContexto, const char* ATexto);
const char* TrN(TIdioma AIdioma, const char* ASingular, const char* APlural, std::int64_t AN);
// A fmt pattern in AIdioma, filled with AArgs; marked like Tr.
template <class... TArgs>
std::string Formatar(TIdioma AIdioma, const char* APadrao, TArgs&&... AArgs) {
  return fmt::format(fmt::runtime(Tr(AIdioma, APadrao)), std::forward<TArgs>(AArgs)...);
}

// The language of the program's own words (its messages, its help, its
// window), the user's as gettext programs find it: read from the environment
// at the first call and kept. A book's texts follow the book's language instead.
TIdioma IdiomaDoPrograma();
// The rule IdiomaDoPrograma follows, over the variables AVariavel gives
// (nullptr for one not set). The locale of messages is the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty. When it is C or POSIX, the
// program speaks Portuguese and LANGUAGE is ignored, as gettext ignores it
// there; otherwise LANGUAGE, when set, is a list of languages joined by ':'
// whose first known one (pt or en) wins, Portuguese when none is. Without
// LANGUAGE the locale's own language decides: English for en (en, en_US.UTF-8,
// en_GB...), Portuguese for any other. Only the names count: whether the
// locale is installed does not, so an English user is answered in English on a
// system that has only C.UTF-8.
TIdioma IdiomaDoAmbiente(const std::function<const char*(const char*)>& AVariavel);

// A text of the program itself, in the program's language, marked for xgettext
// like the book's: TrP("texto"), TrPC("contexto", "texto"), TrPN("singular",
// "plural", n), and FormatarP, which fills a translated fmt pattern with AArgs.
inline const char* TrP(const char* ATexto) { return Tr(IdiomaDoPrograma(), ATexto); }
inline const char* TrPC(const char* AContexto, const char* ATexto) {
  return TrC(IdiomaDoPrograma(), AContexto, ATexto);
}
inline const char* TrPN(const char* ASingular, const char* APlural, std::int64_t AN) {
  return TrN(IdiomaDoPrograma(), ASingular, APlural, AN);
}
template <class... TArgs>
std::string FormatarP(const char* APadrao, TArgs&&... AArgs) {
  return Formatar(IdiomaDoPrograma(), APadrao, std::forward<TArgs>(AArgs)...);
}

}  // namespace cadrel
