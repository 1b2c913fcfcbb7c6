#pragma once

#include <string_view>
#include <vector>

namespace cadrel {

// Without the blanks and control characters at both ends.
std::string_view Aparar(std::string_view ATexto);
// Equal but for the case of ASCII letters.
bool IguaisSemCaixa(std::string_view A, std::string_view B);
// The pieces between any of the separator characters, each trimmed; empty
// pieces are dropped unless AManterVazias (lines keep their count that way).
std::vector<std::string_view> Partes(std::string_view ATexto, std::string_view ASeparadores,
                                     bool AManterVazias = false);

}  // namespace cadrel
