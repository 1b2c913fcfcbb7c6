#pragma once

#include <atomic>
#include <cstdint>

namespace cadrel {

// Where the user's cancel and the start of writing meet at the end of a book:
// whichever comes first wins, and the other learns it. A cancel that wins
// stops the generator and nothing is written; once writing has begun a cancel
// no longer counts, and the book is written whole. Safe between the window's
// thread and the worker's.
class TPortaoEscrita {
public:
  // A new book: generating, nobody has cancelled.
  void Abrir() {
    FParar = false;
    FFase = fgGerar;
  }
  // The user's (or the window's) cancel; true when the book will not be written.
  bool Cancelar() {
    TFase fase = fgGerar;
    if (FFase.compare_exchange_strong(fase, fgCancelado)) FParar = true;
    return fase != fgEscrever;
  }
  // The worker, with the book complete; true when it may write it.
  bool IniciarEscrita() {
    TFase fase = fgGerar;
    return FFase.compare_exchange_strong(fase, fgEscrever);
  }
  bool Escrevendo() const { return FFase == fgEscrever; }
  // The generator's stop flag.
  const std::atomic<bool>& Parar() const { return FParar; }

private:
  enum TFase : std::uint8_t { fgGerar, fgCancelado, fgEscrever };
  std::atomic<TFase> FFase{fgGerar};
  std::atomic<bool> FParar{false};
};

}  // namespace cadrel
