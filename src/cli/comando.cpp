#include "cli/comando.hpp"

#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include <fmt/format.h>

#include "cli/json_livro.hpp"
#include "cli/opcoes.hpp"
#include "cli/progresso.hpp"
#include "cli/resolver.hpp"
#include "book/compositor.hpp"
#include "book/paginas.hpp"
#include "core/ficheiros.hpp"
#include "core/momento.hpp"
#include "core/random.hpp"
#include "core/traducao.hpp"
#include "cover/capa_pdf.hpp"
#include "html/livro_html.hpp"
#include "output/livro_pdf.hpp"
#include "generation/livro.hpp"
#include "generation/opcoes.hpp"

namespace cadrel {

namespace {

constexpr int CSaidaErro = 1;
constexpr int CSaidaOpcao = 2;
constexpr int CSaidaCancelada = 130;

constexpr const char* CSemMemoria = TrMarca("Não foi possível terminar o livro: memória insuficiente");

// The generator's stop flag: setting a lock-free atomic is safe in a handler.
std::atomic<bool> GInterrompido{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void AoInterromper(int) { GInterrompido.store(true); }

// The first Ctrl-C stops the generator within a few milliseconds; the handler
// then gives way, so a second one ends the program at once.
void InstalarInterrupcao() {
  struct sigaction accao {};
  accao.sa_handler = AoInterromper;
  sigemptyset(&accao.sa_mask);
  accao.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &accao, nullptr);
}

void Escrever(std::FILE* ASaida, const std::string& ATexto) {
  std::fputs((ATexto + "\n").c_str(), ASaida);
  std::fflush(ASaida);
}

TMostradorProgresso CriarMostrador(bool ASilencioso) {
  if (ASilencioso) return {mpNada, stderr, 0};
  if (!::isatty(STDERR_FILENO)) return {mpLinhas, stderr, 0};
  winsize janela{};
  const bool temLargura = ::ioctl(STDERR_FILENO, TIOCGWINSZ, &janela) == 0 && janela.ws_col > 0;
  return {mpBarra, stderr, temLargura ? janela.ws_col : 80};
}

// What a print platform asks of an interior file, said of the one written:
// "Edição para impressão: A5 (148 × 210 mm), 64 páginas, medianiz de 9,5 mm
// (0,375 pol.), 2 páginas em branco no fim."
std::string TextoEdicaoImpressao(TFormato AFormato, const TResumoLivroPdf& AResumo) {
  const std::string vazias =
      AResumo.PaginasVazias == 0
          ? TrP("nenhuma página em branco acrescentada")
          : fmt::format(fmt::runtime(TrPN("{} página em branco no fim", "{} páginas em branco no fim",
                                          AResumo.PaginasVazias)),
                        AResumo.PaginasVazias);
  return FormatarP("Edição para impressão: {}, {} páginas, medianiz de {} mm ({} pol.), {}.",
                   TrP(DadosFormato(AFormato).Descricao.data()), AResumo.Paginas,
                   DecimalDoPrograma(AResumo.MedianizMm, 1), DecimalDoPrograma(AResumo.MedianizMm / 25.4, 3), vazias);
}

// What a print platform asks of a cover file, said of the one written: "Capa
// gravada em capa.pdf: 12,394 × 9,250 pol. (314,8 × 235,0 mm), lombada de
// 0,144 pol. (3,7 mm), papel branco."
std::string TextoCapa(const std::string& AFicheiro, const TGeometriaCapa& ACapa) {
  const auto pol = [](double AMm) { return DecimalDoPrograma(AMm / 25.4, 3); };
  const auto mm = [](double AMm) { return DecimalDoPrograma(AMm, 1); };
  return FormatarP("Capa gravada em {}: {} × {} pol. ({} × {} mm), lombada de {} pol. ({} mm), papel {}.",
                   AFicheiro, pol(ACapa.Largura), pol(ACapa.Altura), mm(ACapa.Largura), mm(ACapa.Altura),
                   pol(ACapa.Lombada), mm(ACapa.Lombada), TrP(DadosPapel(ACapa.Papel).Nome.data()));
}

// Why an exception ended the run, for the user.
std::string Motivo(const std::exception_ptr& AErro) {
  try {
    std::rethrow_exception(AErro);
  } catch (const std::bad_alloc&) {
    return TrP("memória insuficiente");
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return TrP("erro desconhecido");
  }
}

// The files of one book, or of one volume of a series.
struct TFicheirosLivro {
  std::string Pdf, Json, Capa, Html;
};

TFicheirosLivro FicheirosDoVolume(const TOpcoesCli& AOpcoes, std::int32_t AVolume) {
  const auto nome = [AVolume](const std::string& AFicheiro) {
    return AFicheiro.empty() ? AFicheiro : FicheiroDoVolume(AFicheiro, AVolume);
  };
  return {nome(FicheiroPdf(AOpcoes)), nome(AOpcoes.Json), nome(AOpcoes.Capa), nome(AOpcoes.Html)};
}

// Writes the files of a complete book and says so; false (having said why)
// when one cannot be written.
bool GravarLivro(const TOpcoesCli& AOpcoes, const TLivro& ALivro, const TFicheirosLivro& AFicheiros) {
  const TInfoLivro info = InfoPadrao(ALivro.Config.Idioma);
  TResumoLivroPdf resumo;
  try {
    resumo = GravarLivroPdf(AFicheiros.Pdf, ALivro, info, AOpcoes.Edicao);
    Escrever(stdout, FormatarP("PDF gravado em {}", AFicheiros.Pdf));
    if (AOpcoes.Edicao.Impressao) Escrever(stdout, TextoEdicaoImpressao(AOpcoes.Edicao.Formato, resumo));
    if (!AFicheiros.Capa.empty()) {
      const TGeometriaCapa capa = GravarCapaPdf(AFicheiros.Capa, ALivro, info, AOpcoes.Edicao.Formato, AOpcoes.Papel);
      Escrever(stdout, TextoCapa(AFicheiros.Capa, capa));
    }
    if (!AFicheiros.Json.empty()) {
      GravarFicheiroAtomico(AFicheiros.Json, LivroParaJson(ALivro, AOpcoes.Edicao.Formato));
      Escrever(stdout, FormatarP("JSON gravado em {}", AFicheiros.Json));
    }
    if (!AFicheiros.Html.empty()) {
      GravarLivroHtml(AFicheiros.Html, ALivro);
      Escrever(stdout, FormatarP("HTML gravado em {}", AFicheiros.Html));
    }
  } catch (const ECadrel& e) {
    Escrever(stderr, e.what());
    return false;
  } catch (...) {
    Escrever(stderr, FormatarP("Não foi possível gravar o livro: {}.", Motivo(std::current_exception())));
    return false;
  }
  const TConfigLivro& c = ALivro.Config;
  const auto puzzles = static_cast<std::int64_t>(ALivro.Puzzles.size());
  if (c.Volume == 0)
    Escrever(stdout, fmt::format(fmt::runtime(TextoLivroGerado(puzzles)), puzzles, resumo.Paginas, ALivro.Codigo));
  else
    Escrever(stdout, fmt::format(fmt::runtime(TrPN("Volume {} de {} gerado: {} puzzles, {} páginas. Código do livro: "
                                                   "{}; código da série: {}",
                                                   "Volume {} de {} gerado: {} puzzles, {} páginas. Código do livro: "
                                                   "{}; código da série: {}",
                                                   puzzles)),
                                 c.Volume, c.Volumes, puzzles, resumo.Paginas, ALivro.Codigo,
                                 CodigoLivro(c.SementeSerie)));
  return true;
}

int Executar(const TOpcoesCli& AOpcoes) {
  if (const std::string aviso = AvisoMomentoFixado(); !aviso.empty()) Escrever(stderr, aviso);
  TConfigLivro config = AOpcoes.Config;
  config.Semente = AOpcoes.Semente ? *AOpcoes.Semente : SementeDoRelogio();
  // A series writes every volume, or the one asked for after making the ones
  // before it.
  const std::int32_t primeiro = PrimeiroVolume(AOpcoes.Volumes);
  const std::int32_t ultimo = AOpcoes.Volume == 0 ? UltimoVolume(AOpcoes.Volumes) : AOpcoes.Volume;
  const auto gravado = [&AOpcoes](std::int32_t AVolume) { return AOpcoes.Volume == 0 || AVolume == AOpcoes.Volume; };
  // Every file is tried before the book is made: a long generation must not
  // end in a file that cannot be written.
  try {
    ValidarConfigLivro(config);
    for (std::int32_t k = primeiro; k <= ultimo; ++k) {
      if (!gravado(k)) continue;
      const TFicheirosLivro ficheiros = FicheirosDoVolume(AOpcoes, k);
      for (const std::string* f : {&ficheiros.Pdf, &ficheiros.Capa, &ficheiros.Json, &ficheiros.Html})
        if (!f->empty()) VerificarDestino(*f);
    }
  } catch (const ECadrel& e) {
    Escrever(stderr, e.what());
    return CSaidaErro;
  }

  TSerie serie(config, AOpcoes.Volumes);
  TGeradorLivro gerador(AOpcoes.Tarefas, &GInterrompido);
  GInterrompido = false;
  for (std::int32_t k = primeiro; k <= ultimo; ++k) {
    TLivro livro;
    {
      TMostradorProgresso mostrador = CriarMostrador(AOpcoes.Silencioso);
      InstalarInterrupcao();
      try {
        livro = serie.Gerar(gerador, k,
                            [&mostrador](std::int32_t AFeitos, std::int32_t ATotal, std::int32_t ATentativas,
                                         const std::string& ATexto,
                                         bool&) { mostrador.Relatar(AFeitos, ATotal, ATentativas, ATexto); });
      } catch (...) {
        mostrador.Terminar();
        Escrever(stderr, FormatarP("Não foi possível terminar o livro: {}", Motivo(std::current_exception())));
        return CSaidaErro;
      }
    }
    if (livro.Cancelado) {
      // The volumes written before stay whole.
      const bool anteriores = k > 1 && AOpcoes.Volume == 0;
      Escrever(stderr, TextoVolume(k, AOpcoes.Volumes) +
                           FormatarP("Geração cancelada aos {} de {} puzzles. {}", livro.Puzzles.size(),
                                     livro.Plano.size(),
                                     anteriores ? TrP("Os volumes anteriores ficaram gravados; deste, nada.")
                                                : TrP("Nada foi gravado.")));
      return CSaidaCancelada;
    }
    // The volumes before the one asked for only tell the series what it holds.
    if (!gravado(k)) continue;
    // The book is complete: writing takes a moment and is never left half
    // done, so Ctrl-C waits until it is over.
    std::signal(SIGINT, SIG_IGN);
    if (!GravarLivro(AOpcoes, livro, FicheirosDoVolume(AOpcoes, k))) return CSaidaErro;
  }
  return 0;
}

}  // namespace

int ExecutarComando(int argc, const char* const* argv) {
  // Nothing may end the program with an abort: whatever escapes is reported,
  // and every file being written has removed its temporary copy on the way.
  try {
    const TAnaliseOpcoes analise = AnalisarOpcoes(argc, argv);
    if (analise.Desfecho == TDesfechoOpcoes::doAjuda || analise.Desfecho == TDesfechoOpcoes::doVersao) {
      std::fputs(analise.Texto.c_str(), stdout);
      return 0;
    }
    if (analise.Desfecho == TDesfechoOpcoes::doErro) {
      Escrever(stderr, analise.Texto);
      return CSaidaOpcao;
    }
    if (analise.Desfecho == TDesfechoOpcoes::doResolver) return ExecutarResolver(analise.Resolver, stdout, stderr);
    return Executar(analise.Opcoes);
  } catch (...) {
    try {
      Escrever(stderr, FormatarP("Não foi possível terminar o livro: {}", Motivo(std::current_exception())));
    } catch (...) {
      // The translation may be what memory lacked for: this one needs none.
      const char* texto = CSemMemoria;
      try {
        texto = TrP(CSemMemoria);
      } catch (...) {
      }
      std::fputs(texto, stderr);
      std::fputs("\n", stderr);
    }
    return CSaidaErro;
  }
}

}  // namespace cadrel
