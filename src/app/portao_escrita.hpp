#pragma once

#include <atomic>
#include <cstdint>

namespace cadrel {

// Where the user's cancel and the start of writing meet at the end of a book:
// whichever comes first wins, and the other learns it. A cancel that wins
// stops the generator and nothing is written; once writing has begun a cancel
// no longer stops that book, which is written whole, but it still stops the
// volumes of its series that would follow it. Safe between the window's
// thread and the worker's.
class TPortaoEscrita {
public:
  // A new book: generating, nobody has cancelled.
  void Abrir() {
    FParar = false;
    FFase = fgGerar;
  }
  // The user's (or the window's) cancel; true when it stops anything: the book
  // being made, which will not be written, or the volumes after the one being
  // written.
  bool Cancelar() {
    TFase fase = FFase;
    for (;;) {
      switch (fase) {
        case fgGerar:
          if (FFase.compare_exchange_weak(fase, fgCancelado)) {
            FParar = true;
            return true;
          }
          break;
        case fgEscreverMais:
          if (FFase.compare_exchange_weak(fase, fgEscreverParar)) return true;
          break;
        case fgCancelado:
        case fgEscreverParar:
          return true;
        case fgEscrever:
          return false;
      }
    }
  }
  // The worker, with the book complete; true when it may write it. AMais: a
  // volume of the same series follows this one.
  bool IniciarEscrita(bool AMais = false) {
    TFase fase = fgGerar;
    return FFase.compare_exchange_strong(fase, AMais ? fgEscreverMais : fgEscrever);
  }
  // The worker, with a volume written; true when it may make the next, false
  // when the user has cancelled meanwhile.
  bool Seguinte() {
    TFase fase = fgEscreverMais;
    return FFase.compare_exchange_strong(fase, fgGerar);
  }
  bool Escrevendo() const {
    const TFase fase = FFase;
    return fase == fgEscrever || fase == fgEscreverMais || fase == fgEscreverParar;
  }
  // The generator's stop flag.
  const std::atomic<bool>& Parar() const { return FParar; }

private:
  enum TFase : std::uint8_t {
    fgGerar,
    fgCancelado,
    fgEscrever,       // the last book: nothing follows it
    fgEscreverMais,   // a volume the series goes on after
    fgEscreverParar,  // a volume after which the series stops, as asked
  };
  std::atomic<TFase> FFase{fgGerar};
  std::atomic<bool> FParar{false};
};

}  // namespace cadrel
