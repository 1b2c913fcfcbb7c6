#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace cadrel {

// A broken promise of the code under test. Aborting is what the fuzzer
// notices: it keeps the input that did it and stops.
[[noreturn]] inline void Falhar(std::string_view AMotivo) {
  std::fprintf(stderr, "fuzz: %.*s\n", static_cast<int>(AMotivo.size()), AMotivo.data());
  std::abort();
}

inline void Exigir(bool ACondicao, std::string_view AMotivo) {
  if (!ACondicao) Falhar(AMotivo);
}

}  // namespace cadrel
