#pragma once

#include <memory>

#include "drawing/canvas.hpp"

namespace cadrel {

// Where the composer draws: each call starts a new, empty page at the end of
// the document. The canvas is valid only until the next page is asked for.
class IDestinoPaginas {
public:
  virtual ~IDestinoPaginas() = default;
  virtual std::shared_ptr<ICadrelCanvas> NovaPagina() = 0;
};

}  // namespace cadrel
