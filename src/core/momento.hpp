#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace cadrel {

// The moment a book is dated by, when the environment fixes it: the
// reproducible-builds convention SOURCE_DATE_EPOCH, whole seconds since 1970
// in UTC. With it, two runs of one book code give the same bytes.
std::optional<std::time_t> MomentoFixado();
// Why SOURCE_DATE_EPOCH, being set, is ignored; empty when it is unset or good.
std::string AvisoMomentoFixado();

}  // namespace cadrel
