#include "generation/agenda.hpp"

#include <chrono>
#include <utility>

namespace cadrel {

namespace {

// A stop asked for from outside (a signal, the window) wakes nobody: the book
// looks at the flag at least this often while it waits.
constexpr std::chrono::milliseconds CEsperaMaxima{20};

bool Decide(const TResultadoTentativa& AResultado) { return AResultado.Aceite || AResultado.Erro != nullptr; }

}  // namespace

TAgendaTentativas::TAgendaTentativas(std::vector<std::int32_t> AMaxTentativas, TParagem AParagem)
    : FParagem(AParagem) {
  FPosicoes.resize(AMaxTentativas.size());
  for (std::size_t p = 0; p < AMaxTentativas.size(); ++p) FPosicoes[p].Max = AMaxTentativas[p];
}

bool TAgendaTentativas::Precisa(const TPosicao& APosicao) const {
  return APosicao.Decisiva < 0 && APosicao.Seguinte < APosicao.Max;
}

std::optional<TTarefa> TAgendaTentativas::Escolher() {
  if (FFechada || FFalha || FParagem.Pedida()) return std::nullopt;
  const auto total = static_cast<std::int32_t>(FPosicoes.size());
  std::int32_t escolhida = -1;
  for (std::int32_t p = FPrimeira; p < total; ++p) {
    const TPosicao& posicao = FPosicoes[p];
    if (!Precisa(posicao)) continue;
    if (posicao.EmCurso == 0) {
      escolhida = p;
      break;
    }
    if (escolhida < 0) escolhida = p;
  }
  if (escolhida < 0) return std::nullopt;
  TPosicao& posicao = FPosicoes[escolhida];
  ++posicao.EmCurso;
  return TTarefa{escolhida, posicao.Seguinte++};
}

std::optional<TTarefa> TAgendaTentativas::Proxima() {
  std::unique_lock trinco(FTrinco);
  for (;;) {
    if (FFechada || FFalha || FParagem.Pedida()) return std::nullopt;
    if (std::optional<TTarefa> tarefa = Escolher()) return tarefa;
    FMudou.wait_for(trinco, CEsperaMaxima);
  }
}

void TAgendaTentativas::Guardar(TTarefa ATarefa, TResultadoTentativa AResultado) {
  TPosicao& posicao = FPosicoes[ATarefa.Posicao];
  --posicao.EmCurso;
  if (ATarefa.Posicao < FPrimeira || ATarefa.Tentativa < posicao.Cursor) return;
  if (Decide(AResultado) && (posicao.Decisiva < 0 || ATarefa.Tentativa < posicao.Decisiva))
    posicao.Decisiva = ATarefa.Tentativa;
  posicao.Resultados.emplace(ATarefa.Tentativa, std::move(AResultado));
}

void TAgendaTentativas::Entregar(TTarefa ATarefa, TResultadoTentativa AResultado) {
  {
    const std::lock_guard trinco(FTrinco);
    Guardar(ATarefa, std::move(AResultado));
  }
  FMudou.notify_all();
}

void TAgendaTentativas::Falhar(std::exception_ptr AErro) {
  {
    const std::lock_guard trinco(FTrinco);
    if (!FFalha) FFalha = std::move(AErro);
  }
  FMudou.notify_all();
}

TResultadoTentativa TAgendaTentativas::Esperar(TTarefa ATarefa, const TFazer& AFazer) {
  std::unique_lock trinco(FTrinco);
  TPosicao& posicao = FPosicoes[ATarefa.Posicao];
  for (;;) {
    if (FFalha) std::rethrow_exception(FFalha);
    if (const auto it = posicao.Resultados.find(ATarefa.Tentativa); it != posicao.Resultados.end()) {
      TResultadoTentativa resultado = std::move(it->second);
      posicao.Resultados.erase(it);
      posicao.Cursor = ATarefa.Tentativa + 1;
      if (posicao.Decisiva == ATarefa.Tentativa) {
        // A repeat: the position is in need again unless a later result decides it.
        posicao.Decisiva = -1;
        for (const auto& [tentativa, outro] : posicao.Resultados)
          if (Decide(outro)) {
            posicao.Decisiva = tentativa;
            break;
          }
      }
      return resultado;
    }
    if (FParagem.Pedida()) {
      TResultadoTentativa interrompida;
      interrompida.Interrompida = true;
      return interrompida;
    }
    if (const std::optional<TTarefa> tarefa = Escolher()) {
      trinco.unlock();
      TResultadoTentativa resultado = AFazer(*tarefa);
      trinco.lock();
      Guardar(*tarefa, std::move(resultado));
      FMudou.notify_all();
      continue;
    }
    FMudou.wait_for(trinco, CEsperaMaxima);
  }
}

void TAgendaTentativas::Concluir(std::int32_t APosicao) {
  const std::lock_guard trinco(FTrinco);
  FPrimeira = APosicao + 1;
  FPosicoes[APosicao].Resultados.clear();
}

void TAgendaTentativas::Fechar() {
  {
    const std::lock_guard trinco(FTrinco);
    FFechada = true;
  }
  FMudou.notify_all();
}

}  // namespace cadrel
