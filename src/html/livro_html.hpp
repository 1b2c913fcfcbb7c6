#pragma once

#include <string>

#include "generation/livro.hpp"

namespace cadrel {

// The whole book as one HTML page to play on a screen: every puzzle drawn as
// the book draws it, in SVG, with a field over each empty cell, pencil marks,
// undo, checking, the book's own hints and its solutions; progress kept by the
// browser for the book's code. Styles, script and fonts (Roboto, cut down to
// the page's characters) are inside the page, which fetches nothing and opens
// offline. Its texts are in the book's language.
//
// What scripts and tests may rely on: the element of puzzle k carries
// data-puzzle="k" (from 1); its empty cells are <input data-celula="LxCy">
// (row x and column y from 1, in any language) with an aria-label; its
// buttons carry data-acao="verificar", "pista", "desfazer", "refazer",
// "lapis", "solucao" and "recomecar"; the hint is shown in its [data-pista]
// element; a wrong cell after checking gets data-erro, and a solved puzzle
// data-estado="resolvido".
std::string LivroParaHtml(const TLivro& ALivro);

// Writes that page at ACaminho whole, or leaves the disk as it was and raises
// ECadrel.
void GravarLivroHtml(const std::string& ACaminho, const TLivro& ALivro);

}  // namespace cadrel
