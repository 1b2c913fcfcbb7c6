#include "core/texto.hpp"

#include <algorithm>
#include <cctype>

#include <glib.h>
#include <utf8.h>

#include <memory>

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

bool Utf8Valido(std::string_view ATexto) { return utf8::is_valid(ATexto.begin(), ATexto.end()); }

std::int32_t ContarCaracteres(std::string_view ATexto) {
  return static_cast<std::int32_t>(utf8::unchecked::distance(ATexto.begin(), ATexto.end()));
}

std::string_view PrimeirosCaracteres(std::string_view ATexto, std::int32_t ACaracteres) {
  auto it = ATexto.begin();
  for (std::int32_t n = 0; n < ACaracteres && it != ATexto.end(); ++n) utf8::unchecked::next(it);
  return ATexto.substr(0, static_cast<std::size_t>(it - ATexto.begin()));
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

std::string EscaparXml(std::string_view ATexto) {
  std::string escapado;
  escapado.reserve(ATexto.size());
  for (const char c : ATexto) {
    switch (c) {
      case '&': escapado += "&amp;"; break;
      case '<': escapado += "&lt;"; break;
      case '>': escapado += "&gt;"; break;
      case '"': escapado += "&quot;"; break;
      case '\'': escapado += "&#39;"; break;
      default: escapado += c;
    }
  }
  return escapado;
}

std::string Base64(std::span<const unsigned char> ADados) {
  const std::unique_ptr<gchar, decltype(&g_free)> codificado(g_base64_encode(ADados.data(), ADados.size()), g_free);
  return codificado.get();
}

}  // namespace cadrel
