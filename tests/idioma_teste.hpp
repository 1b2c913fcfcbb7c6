#pragma once

#include <cstdlib>

namespace cadrel {

// Gives this process, and the programs it starts, the locale ALang as a user
// would have it: in LANG, with none of the variables that would override it.
// The program's language is read from them once, so a test process sets them
// in main, before anything asks.
inline void DefinirLocaleDoTeste(const char* ALang) {
  for (const char* variavel : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) ::unsetenv(variavel);
  ::setenv("LANG", ALang, 1);
}

}  // namespace cadrel
