#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cadrel {

// Without the blanks and control characters at both ends.
std::string_view Aparar(std::string_view ATexto);
// Equal but for the case of ASCII letters.
bool IguaisSemCaixa(std::string_view A, std::string_view B);
// UTF-8 text: whether it is well formed, its characters (code points) and its
// first ACaracteres characters. The last two take well-formed text.
bool Utf8Valido(std::string_view ATexto);
std::int32_t ContarCaracteres(std::string_view ATexto);
std::string_view PrimeirosCaracteres(std::string_view ATexto, std::int32_t ACaracteres);
// The pieces between any of the separator characters, each trimmed; empty
// pieces are dropped unless AManterVazias (lines keep their count that way).
std::vector<std::string_view> Partes(std::string_view ATexto, std::string_view ASeparadores,
                                     bool AManterVazias = false);
// The text with &, <, >, " and ' as character references, fit for the content
// and the attribute values of XML and HTML.
std::string EscaparXml(std::string_view ATexto);
// The bytes in Base64 (RFC 4648, padded), as data: URLs carry them.
std::string Base64(std::span<const unsigned char> ADados);

}  // namespace cadrel
