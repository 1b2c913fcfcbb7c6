#include "core/texto.hpp"

#include <algorithm>
#include <cctype>

namespace cadrel {

std::string_view Aparar(std::string_view ATexto) {
  const auto branco = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7F'; };
  while (!ATexto.empty() && branco(ATexto.front())) ATexto.remove_prefix(1);
  while (!ATexto.empty() && branco(ATexto.back())) ATexto.remove_suffix(1);
  return ATexto;
}

bool IguaisSemCaixa(std::string_view A, std::string_view B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::vector<std::string_view> Partes(std::string_view ATexto, std::string_view ASeparadores, bool AManterVazias) {
  std::vector<std::string_view> partes;
  while (true) {
    const std::size_t fim = ATexto.find_first_of(ASeparadores);
    const std::string_view parte = Aparar(ATexto.substr(0, fim));
    if (AManterVazias || !parte.empty()) partes.push_back(parte);
    if (fim == std::string_view::npos) break;
    ATexto.remove_prefix(fim + 1);
  }
  return partes;
}

}  // namespace cadrel
