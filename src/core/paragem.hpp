#pragma once

#include <atomic>
#include <exception>

namespace cadrel {

// Raised from inside long work once a stop was asked for. Not an error: the
// book generator turns it into a cancelled book.
class EInterrompido : public std::exception {
public:
  const char* what() const noexcept override { return "trabalho interrompido"; }
};

// A borrowed stop flag (Esc, closing the window, Ctrl-C all set the same
// one), looked at between attempts and every so many steps inside the long
// searches. Without a flag nothing ever stops.
class TParagem {
public:
  TParagem() = default;
  explicit TParagem(const std::atomic<bool>* APedido) : FPedido(APedido) {}

  bool Pedida() const { return FPedido != nullptr && FPedido->load(std::memory_order_relaxed); }
  void Verificar() const {
    if (Pedida()) throw EInterrompido();
  }

private:
  const std::atomic<bool>* FPedido = nullptr;
};

}  // namespace cadrel
