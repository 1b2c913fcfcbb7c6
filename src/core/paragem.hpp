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

// Borrowed stop flags, looked at between attempts and every so many steps
// inside the long searches: the user's (Esc, closing the window and Ctrl-C
// all set the same one) and the book generator's own, which ends the work
// nobody needs any more. Without flags nothing ever stops.
class TParagem {
public:
  TParagem() = default;
  explicit TParagem(const std::atomic<bool>* APedido, const std::atomic<bool>* AOutro = nullptr)
      : FPedido(APedido), FOutro(AOutro) {}

  bool Pedida() const { return Levantada(FPedido) || Levantada(FOutro); }
  void Verificar() const {
    if (Pedida()) throw EInterrompido();
  }

private:
  static bool Levantada(const std::atomic<bool>* ABandeira) {
    return ABandeira != nullptr && ABandeira->load(std::memory_order_relaxed);
  }

  const std::atomic<bool>* FPedido = nullptr;
  const std::atomic<bool>* FOutro = nullptr;
};

}  // namespace cadrel
