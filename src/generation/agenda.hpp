#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "core/paragem.hpp"
#include "generation/gerador.hpp"

namespace cadrel {

// What one attempt gave.
struct TResultadoTentativa {
  bool Aceite = false;
  TCriterio Criterio = critNenhum;
  TPuzzle Puzzle;               // when accepted
  std::exception_ptr Erro;      // when the attempt raised
  bool Interrompida = false;    // stopped on request: it says nothing of the puzzle
};

// One attempt to make: the position and the attempt number there.
struct TTarefa {
  std::int32_t Posicao = 0;
  std::int32_t Tentativa = 0;
};

// Hands a book's attempts to the threads that make them, and keeps their
// results until the book takes them, strictly in (position, attempt) order.
// An attempt's outcome depends only on its position and number, so the order
// in which they are made changes nothing in the book.
//
// Attempts of one position are handed out in order. A thread first takes the
// lowest position that still needs a puzzle and that nobody works on; only
// when there is none does it join the lowest one in need, whose later
// attempts may then be wasted. A position stops being in need as soon as one
// of its results would end it (an accepted puzzle, an error), and is in need
// again when the book finds that puzzle a repeat.
class TAgendaTentativas {
public:
  using TFazer = std::function<TResultadoTentativa(TTarefa)>;

  // AMaxTentativas: per position, the attempts it may take.
  TAgendaTentativas(std::vector<std::int32_t> AMaxTentativas, TParagem AParagem);

  // For a helper thread: waits for the next attempt to make; none once the
  // agenda is closed or a stop was asked for.
  std::optional<TTarefa> Proxima();
  void Entregar(TTarefa ATarefa, TResultadoTentativa AResultado);
  // A helper thread that failed outside any attempt: the book raises it.
  void Falhar(std::exception_ptr AErro);

  // For the book: the result of that attempt, which it takes out of the
  // agenda; meanwhile the calling thread makes attempts itself through
  // AFazer. After a stop request, an interrupted result.
  TResultadoTentativa Esperar(TTarefa ATarefa, const TFazer& AFazer);
  // The position has its puzzle (or the book ends there): its other results
  // are dropped.
  void Concluir(std::int32_t APosicao);
  void Fechar();

private:
  struct TPosicao {
    std::int32_t Max = 0;        // attempts it may take
    std::int32_t Seguinte = 0;   // next attempt to hand out
    std::int32_t Cursor = 0;     // next attempt the book takes
    std::int32_t EmCurso = 0;    // attempts being made
    std::int32_t Decisiva = -1;  // lowest attempt from Cursor on that would end the position
    std::map<std::int32_t, TResultadoTentativa> Resultados;
  };

  bool Precisa(const TPosicao& APosicao) const;
  std::optional<TTarefa> Escolher();
  void Guardar(TTarefa ATarefa, TResultadoTentativa AResultado);

  std::mutex FTrinco;
  std::condition_variable FMudou;
  std::vector<TPosicao> FPosicoes;
  std::int32_t FPrimeira = 0;  // the first position not concluded
  bool FFechada = false;
  std::exception_ptr FFalha;
  TParagem FParagem;
};

}  // namespace cadrel
