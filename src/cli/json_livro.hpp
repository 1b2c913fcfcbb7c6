#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "core/edicao.hpp"
#include "generation/livro.hpp"
#include "solving/solver.hpp"

namespace cadrel {

// The whole book as one UTF-8 JSON object: the configuration, the plan, the
// counters and every puzzle with its solver result and the indices of its
// hints among the steps, the trim its pages were laid out for and the language
// of its texts. Scores carry
// 17 significant digits, 64-bit keys 16 upper-case hexadecimal digits; the same
// book always gives the same bytes.
std::string LivroParaJson(const TLivro& ALivro, TFormato AFormato = fmA4);

using TJsonOrdenado = nlohmann::ordered_json;
// A solver's result as the book writes it under a puzzle's "resultado".
TJsonOrdenado ResultadoParaJson(const TResultadoSolver& AResultado);
// A tree in the book's layout: containers of flat members on one line, reals
// with 17 significant digits, a newline at the end.
std::string JsonParaTexto(const TJsonOrdenado& AArvore);

}  // namespace cadrel
