#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace cadrel {

// The program's own data, compiled into the executable and found by name:
// "SELO_CC_BY_NC_ND" (the licence seal, PNG), "ROBOTO_REGULAR" and
// "ROBOTO_NEGRITO" (the TrueType faces of every printed text).
std::optional<std::span<const unsigned char>> Recurso(std::string_view ANome);

}  // namespace cadrel
