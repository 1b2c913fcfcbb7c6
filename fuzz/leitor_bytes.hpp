#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace cadrel {

// A fuzz input read as a row of small decisions. Past its end every byte is
// 0, so a short input is still a whole case and the fuzzer can grow it one
// byte at a time.
class TLeitorBytes {
public:
  explicit TLeitorBytes(std::span<const std::uint8_t> ADados) : FDados(ADados) {}

  std::uint8_t Byte() { return FPos < FDados.size() ? FDados[FPos++] : std::uint8_t{0}; }

private:
  std::span<const std::uint8_t> FDados;
  std::size_t FPos = 0;
};

}  // namespace cadrel
