#include "generation/livro.hpp"

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <unordered_map>

#include <fmt/format.h>

#include "core/paragem.hpp"
#include "core/random.hpp"
#include "core/traducao.hpp"
#include "generation/agenda.hpp"
#include "generation/niveis.hpp"

namespace cadrel {

namespace {
constexpr std::int32_t CTentativasPorReceita = 300;
constexpr std::int32_t CIntervaloProgresso = 50;
// No attempt seed uses it: attempts stay below 4096 per position.
constexpr std::uint32_t CSementePlano = 0xFFFFFFFFu;
}  // namespace

bool TRegistoRepeticoes::Repetido(std::uint64_t AChaveCanonica, std::uint64_t AChaveConjunto) const {
  return FCanonicas.contains(AChaveCanonica) || FConjuntos.contains(AChaveConjunto);
}

void TRegistoRepeticoes::Registar(std::uint64_t AChaveCanonica, std::uint64_t AChaveConjunto) {
  FCanonicas.insert(AChaveCanonica);
  FConjuntos.insert(AChaveConjunto);
}

void ValidarConfigLivro(const TConfigLivro& AConfig) {
  if (AConfig.N < CMinLado || AConfig.N > CMaxLado)
    throw ECadrel(FormatarP("Tamanho de grelha inválido: {} (de {} a {})", AConfig.N, CMinLado, CMaxLado));
  if (AConfig.NumPuzzles < 1 || AConfig.NumPuzzles > CMaxPuzzles)
    throw ECadrel(FormatarP("Número de puzzles inválido: {} (de 1 a {})", AConfig.NumPuzzles, CMaxPuzzles));
  if (AConfig.Nivel < 0 || AConfig.Nivel > CMaxNivel)
    throw ECadrel(FormatarP("Nível inválido: {} (0 é a Progressiva, de 1 a {})", AConfig.Nivel, CMaxNivel));
}

std::vector<TPosicaoPlano> PlanearLivro(const TConfigLivro& AConfig) {
  ValidarConfigLivro(AConfig);
  std::array<std::int32_t, CMaxNivel> porNivel{};
  if (AConfig.Nivel == 0)
    porNivel = DistribuicaoProgressiva(AConfig.NumPuzzles);
  else
    porNivel[AConfig.Nivel - 1] = AConfig.NumPuzzles;

  TGeradorAleatorio rng(DerivarSemente(AConfig.Semente, CSementePlano));
  std::vector<TPosicaoPlano> plano;
  plano.reserve(AConfig.NumPuzzles);
  for (std::int32_t nivel = 1; nivel <= CMaxNivel; ++nivel) {
    const std::int32_t c = porNivel[nivel - 1];
    if (c == 0) continue;
    const std::vector<TReceita> receitas =
        ReceitasPermitidas(static_cast<TNivel>(nivel), AConfig.N, AConfig.Leis);
    if (receitas.empty())
      throw ECadrel(FormatarP("O nível {} não tem nenhuma receita com as leis escolhidas em {}x{}", nivel,
                              AConfig.N, AConfig.N));
    // The remainder goes to the recipes starting at a random one.
    const auto r = static_cast<std::int32_t>(receitas.size());
    const std::int32_t q = c / r, resto = c % r, desvio = rng.Limite(r);
    std::vector<std::int32_t> vagas;
    for (std::int32_t k = 0; k < r; ++k)
      vagas.insert(vagas.end(), (k - desvio + r) % r < resto ? q + 1 : q, k);
    Embaralhar(rng, vagas);
    for (std::int32_t k : vagas) plano.push_back({nivel, receitas[k]});
  }
  return plano;
}

std::string CodigoLivro(std::uint32_t ASemente) { return fmt::format("{:08X}", ASemente); }

std::uint32_t CalcularSubSemente(std::uint32_t ASemente, std::int32_t APosicao, std::int32_t ATentativa) {
  return DerivarSemente(ASemente, static_cast<std::uint32_t>(APosicao) * 4096u + static_cast<std::uint32_t>(ATentativa));
}

std::string TextoProgresso(std::int32_t AAceites, std::int32_t ATotal, std::int32_t ANivel, TReceita AReceita) {
  return FormatarP("A gerar o puzzle {} de {} (nível {}, {})", AAceites + 1, ATotal, ANivel, NomeReceita(AReceita));
}

const char* TextoLivroGerado(std::int64_t APuzzles) {
  // Portuguese keeps its one form for every count.
  return TrPN("Livro gerado: {} puzzles, {} páginas. Código do livro: {}",
              "Livro gerado: {} puzzles, {} páginas. Código do livro: {}", APuzzles);
}

std::string TextoLivroCompleto(std::int32_t ATotal) {
  return FormatarP("Livro completo: {} de {} puzzles gerados", ATotal, ATotal);
}

namespace {

// The recipes a position may take, the planned one first; attempt a uses the
// (a / CTentativasPorReceita)-th.
std::vector<std::vector<TReceita>> Candidatas(const TConfigLivro& AConfig, const std::vector<TPosicaoPlano>& APlano) {
  std::vector<std::vector<TReceita>> candidatas;
  candidatas.reserve(APlano.size());
  for (const TPosicaoPlano& posicao : APlano) {
    std::vector<TReceita> receitas{posicao.Receita};
    for (TReceita r : ReceitasPermitidas(static_cast<TNivel>(posicao.Nivel), AConfig.N, AConfig.Leis))
      if (r != posicao.Receita) receitas.push_back(r);
    candidatas.push_back(std::move(receitas));
  }
  return candidatas;
}

// Makes attempts on one thread, with puzzle generators of its own: their
// set-up (linear algebra, order engines) is paid once per level and recipe.
class TExecutorTentativas {
public:
  TExecutorTentativas(const TConfigLivro& AConfig, const std::vector<TPosicaoPlano>& APlano,
                      const std::vector<std::vector<TReceita>>& ACandidatas, TParagem AParagem)
      : FConfig(AConfig), FPlano(APlano), FCandidatas(ACandidatas), FParagem(AParagem) {}

  TResultadoTentativa Fazer(TTarefa ATarefa) {
    TResultadoTentativa resultado;
    try {
      const std::int32_t nivel = FPlano[ATarefa.Posicao].Nivel;
      const TReceita receita = FCandidatas[ATarefa.Posicao][ATarefa.Tentativa / CTentativasPorReceita];
      auto& gerador = FGeradores[nivel * 1000 + CodigoReceita(receita)];
      if (!gerador) {
        gerador = std::make_unique<TGeradorPuzzle>(FConfig.N, static_cast<TNivel>(nivel), receita);
        gerador->DefinirParagem(FParagem);
        gerador->DefinirIdioma(FConfig.Idioma);
      }
      TGeradorAleatorio rng(CalcularSubSemente(FConfig.Semente, ATarefa.Posicao, ATarefa.Tentativa));
      resultado.Aceite = gerador->TentarGerar(rng, resultado.Puzzle, resultado.Criterio);
    } catch (const EInterrompido&) {
      resultado.Interrompida = true;
    } catch (...) {
      resultado.Erro = std::current_exception();
    }
    return resultado;
  }

private:
  const TConfigLivro& FConfig;
  const std::vector<TPosicaoPlano>& FPlano;
  const std::vector<std::vector<TReceita>>& FCandidatas;
  TParagem FParagem;
  std::unordered_map<std::int32_t, std::unique_ptr<TGeradorPuzzle>> FGeradores;
};

// The helper threads of one book. Leaving, however it leaves, stops them:
// the work still running is nobody's any more.
class TEquipa {
public:
  TEquipa(TAgendaTentativas& AAgenda, std::atomic<bool>& AFim) : FAgenda(AAgenda), FFim(AFim) {}
  TEquipa(const TEquipa&) = delete;
  TEquipa& operator=(const TEquipa&) = delete;
  ~TEquipa() {
    FFim = true;
    FAgenda.Fechar();
  }  // the threads join here, after the agenda let them go

  // A thread that cannot be started is not needed: the book is the same with
  // fewer, and the calling thread always works.
  template <class FCriar>
  void Iniciar(std::int32_t ANum, FCriar&& ACriarExecutor) {
    FThreads.reserve(static_cast<std::size_t>(ANum));
    try {
      for (std::int32_t i = 0; i < ANum; ++i)
        FThreads.emplace_back([this, ACriarExecutor] {
          try {
            TExecutorTentativas executor = ACriarExecutor();
            while (const std::optional<TTarefa> tarefa = FAgenda.Proxima())
              FAgenda.Entregar(*tarefa, executor.Fazer(*tarefa));
          } catch (...) {
            FAgenda.Falhar(std::current_exception());
          }
        });
    } catch (const std::system_error&) {
    }
  }

private:
  TAgendaTentativas& FAgenda;
  std::atomic<bool>& FFim;
  std::vector<std::jthread> FThreads;  // last: joined first
};

// Counts one attempt taken in order into the book, and places its puzzle
// unless it repeats an earlier one; true when placed.
bool Assentar(TLivro& ALivro, TRegistoRepeticoes& ARegisto, TTarefa ATarefa, TReceita AReceita,
              TResultadoTentativa AResultado) {
  ++ALivro.Tentativas;
  if (!AResultado.Aceite) {
    ++ALivro.Rejeicoes[AResultado.Criterio];
    return false;
  }
  const std::uint64_t canonica = CalcularChaveCanonica(ALivro.Config.N, AReceita, AResultado.Puzzle.Solucao);
  const std::uint64_t conjunto = CalcularChaveConjunto(AResultado.Puzzle.Conjunto);
  if (ARegisto.Repetido(canonica, conjunto)) {
    ++ALivro.RejeicoesA6;
    return false;
  }
  ARegisto.Registar(canonica, conjunto);
  ALivro.Puzzles.push_back({ATarefa.Posicao, ATarefa.Tentativa,
                            CalcularSubSemente(ALivro.Config.Semente, ATarefa.Posicao, ATarefa.Tentativa), canonica,
                            conjunto, std::move(AResultado.Puzzle)});
  return true;
}

}  // namespace

std::int32_t TarefasPadrao() {
  return static_cast<std::int32_t>(std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, CMaxTarefas));
}

TGeradorLivro::TGeradorLivro(std::int32_t ATarefas, const std::atomic<bool>* AParar)
    : FTarefas(std::clamp(ATarefas, 1, CMaxTarefas)), FParar(AParar) {}

std::uint32_t SementeDoVolume(std::uint32_t ASerie, std::int32_t AVolume) {
  // The attempts' sub-seeds derive from (position, attempt) pairs below 2^31:
  // the volumes' own come from another part of the same derivation.
  return AVolume <= 1 ? ASerie : DerivarSemente(ASerie, 0x80000000u + static_cast<std::uint32_t>(AVolume));
}

TConfigLivro ConfigDoVolume(const TConfigLivro& ASerie, std::int32_t AVolume, std::int32_t AVolumes) {
  TConfigLivro config = ASerie;
  config.Semente = SementeDoVolume(ASerie.Semente, AVolume);
  config.Volume = AVolume;
  config.Volumes = AVolumes;
  config.SementeSerie = ASerie.Semente;
  return config;
}

std::string TextoVolume(std::int32_t AVolume, std::int32_t AVolumes) {
  return AVolume == 0 ? std::string() : FormatarP("Volume {} de {} · ", AVolume, AVolumes);
}

TSerie::TSerie(const TConfigLivro& ASerie, std::int32_t AVolumes) : FSerie(ASerie), FVolumes(AVolumes) {}

TLivro TSerie::Gerar(TGeradorLivro& AGerador, std::int32_t AVolume, const TProgressoLivro& AProgresso) {
  // A book alone starts from an empty record, as it would on its own.
  if (AVolume == 0) return AGerador.Gerar(FSerie, AProgresso, &FRegisto);
  const std::string volume = TextoVolume(AVolume, FVolumes);
  TProgressoLivro progresso;
  if (AProgresso)
    progresso = [&AProgresso, &volume](std::int32_t AFeitos, std::int32_t ATotal, std::int32_t ATentativas,
                                       const std::string& ATexto, bool& ACancelar) {
      AProgresso(AFeitos, ATotal, ATentativas, volume + ATexto, ACancelar);
    };
  return AGerador.Gerar(ConfigDoVolume(FSerie, AVolume, FVolumes), progresso, &FRegisto);
}

TLivro TGeradorLivro::Gerar(const TConfigLivro& AConfig, const TProgressoLivro& AProgresso,
                            TRegistoRepeticoes* ARegisto) {
  // The helpers read the plan until they are stopped, after the book is
  // returned: they get a copy of their own.
  const std::vector<TPosicaoPlano> plano = PlanearLivro(AConfig);
  const auto total = static_cast<std::int32_t>(plano.size());
  const std::vector<std::vector<TReceita>> candidatas = Candidatas(AConfig, plano);
  std::vector<std::int32_t> maximos;
  for (const std::vector<TReceita>& receitas : candidatas)
    maximos.push_back(static_cast<std::int32_t>(receitas.size()) * CTentativasPorReceita);

  // The book's own flag ends the helpers' work once the book is over.
  std::atomic<bool> fim{false};
  const TParagem paragem(FParar, &fim);
  TAgendaTentativas agenda(maximos, TParagem(FParar));
  TExecutorTentativas proprio(AConfig, plano, candidatas, paragem);
  const TAgendaTentativas::TFazer fazer = [&proprio](TTarefa ATarefa) { return proprio.Fazer(ATarefa); };
  TEquipa equipa(agenda, fim);
  equipa.Iniciar(FTarefas - 1, [&AConfig, &plano, &candidatas, paragem] {
    return TExecutorTentativas(AConfig, plano, candidatas, paragem);
  });

  TLivro livro;
  livro.Config = AConfig;
  livro.Codigo = CodigoLivro(AConfig.Semente);
  livro.Plano = plano;

  TRegistoRepeticoes registoDoLivro;
  TRegistoRepeticoes& registo = ARegisto != nullptr ? *ARegisto : registoDoLivro;
  bool cancelar = false;
  const auto pedidoParar = [this] { return FParar != nullptr && FParar->load(std::memory_order_relaxed); };

  for (std::int32_t p = 0; p < total && !cancelar; ++p) {
    const TPosicaoPlano& posicao = plano[p];
    bool colocado = false;
    for (std::int32_t tentativa = 0; tentativa < maximos[p] && !colocado && !cancelar; ++tentativa) {
      TResultadoTentativa resultado = agenda.Esperar({p, tentativa}, fazer);
      if (resultado.Interrompida || pedidoParar()) {
        cancelar = true;
        break;
      }
      if (resultado.Erro) std::rethrow_exception(resultado.Erro);

      const TReceita receita = candidatas[p][tentativa / CTentativasPorReceita];
      colocado = Assentar(livro, registo, {p, tentativa}, receita, std::move(resultado));
      if (AProgresso && (colocado || livro.Tentativas % CIntervaloProgresso == 0)) {
        const auto feitos = static_cast<std::int32_t>(livro.Puzzles.size());
        AProgresso(feitos, total, livro.Tentativas,
                   feitos == total ? TextoLivroCompleto(total) : TextoProgresso(feitos, total, posicao.Nivel, receita),
                   cancelar);
      }
    }
    agenda.Concluir(p);
    if (!colocado && !cancelar)
      throw ECadrel(FormatarP("Nenhum puzzle aceite para {}x{}, nível {}, receita {}", AConfig.N, AConfig.N,
                              posicao.Nivel, NomeReceita(posicao.Receita)));
  }
  livro.Cancelado = cancelar && static_cast<std::int32_t>(livro.Puzzles.size()) < total;
  return livro;
}

}  // namespace cadrel
