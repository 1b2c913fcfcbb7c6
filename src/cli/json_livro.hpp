#pragma once

#include <string>

#include "generation/livro.hpp"

namespace cadrel {

// The whole book as one UTF-8 JSON object: the configuration, the plan, the
// counters and every puzzle with its solver result and the indices of its
// hints among the steps. Scores carry 17 significant digits, 64-bit keys 16
// upper-case hexadecimal digits; the same book always gives the same bytes.
std::string LivroParaJson(const TLivro& ALivro);

}  // namespace cadrel
