#include "cli/opcoes.hpp"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <functional>
#include <limits>
#include <string_view>
#include <system_error>

#include "core/texto.hpp"
#include "core/traducao.hpp"
#include "drawing/fontes.hpp"
#include "generation/livro.hpp"
#include "generation/opcoes.hpp"

namespace cadrel {

namespace {

constexpr const char* CSugestaoAjuda = TrMarca("Use quorvel-cli --help para ver as opções.");

// A whole decimal number in [AMin, AMax], blanks around it allowed.
std::optional<std::int32_t> LerInteiro(std::string_view ATexto, std::int32_t AMin, std::int32_t AMax) {
  const std::string_view t = Aparar(ATexto);
  std::int32_t v = 0;
  const auto [fim, erro] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || erro != std::errc{} || fim != t.data() + t.size() || v < AMin || v > AMax)
    return std::nullopt;
  return v;
}

// A CLI11 validator: ALer checks the value and may rewrite it in the form the
// option's type reads (a level "P" as 0, a list of laws as its code); when it
// refuses, it returns the reason, which CLI11 reports under the option's name.
using TLeitor = std::function<std::string(std::string& AValor)>;
CLI::Validator Validador(TLeitor ALer) { return CLI::Validator(std::move(ALer), ""); }

// A number in [AMin, AMax], or the reason AMotivo gives.
CLI::Validator Intervalo(std::int32_t AMin, std::int32_t AMax, std::function<std::string(const std::string&)> AMotivo) {
  return Validador([=](std::string& AValor) -> std::string {
    const std::optional<std::int32_t> v = LerInteiro(AValor, AMin, AMax);
    if (!v) return AMotivo(AValor);
    AValor = std::to_string(*v);
    return {};
  });
}

std::string LerNivel(std::string& AValor) {
  if (IguaisSemCaixa(Aparar(AValor), "P")) {
    AValor = "0";
    return {};
  }
  if (const auto v = LerInteiro(AValor, 1, CMaxNivel)) {
    AValor = std::to_string(*v);
    return {};
  }
  return FormatarP("o nível é um número de 1 a 5, ou P para a Progressiva, não \"{}\".", AValor);
}

std::string LerPuzzles(std::string& AValor) {
  std::int32_t n = 0;
  if (!LerNumPuzzles(AValor, n))
    return FormatarP("o número de puzzles vai de 1 a {}, não \"{}\".", CMaxPuzzles, AValor);
  AValor = std::to_string(n);
  return {};
}

std::string LerTitulo(std::string& AValor) {
  AValor = std::string(Aparar(AValor));
  // The cover prints it and the JSON export writes it: both need valid UTF-8,
  // which is better refused before a long generation.
  if (!Utf8Valido(AValor)) return TrP("o título não é texto UTF-8 válido.");
  if (const std::int32_t caracteres = ContarCaracteres(AValor); caracteres > CMaxTitulo)
    return FormatarP("o título tem {} caracteres; o máximo é {}.", caracteres, CMaxTitulo);
  // The cover would print an empty box in its place.
  if (const std::optional<char32_t> sem = CaracterSemGlifo(AValor)) {
    std::string mensagem = MensagemTituloSemGlifo(*sem);
    mensagem.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(mensagem.front())));
    return mensagem;
  }
  return {};
}

// The language becomes its index.
std::string LerIdioma(std::string& AValor) {
  const std::optional<TIdioma> idioma = IdiomaDoNome(AValor);
  if (!idioma) return FormatarP("o idioma é pt ou en, não \"{}\".", AValor);
  AValor = std::to_string(static_cast<int>(*idioma));
  return {};
}

// The trim becomes its index.
std::string LerFormato(std::string& AValor) {
  const std::optional<TFormato> formato = FormatoDoNome(AValor);
  if (!formato) return FormatarP("o formato é A4, A5, carta ou 6x9, não \"{}\".", AValor);
  AValor = std::to_string(static_cast<int>(*formato));
  return {};
}

// The paper becomes its index.
std::string LerPapel(std::string& AValor) {
  const std::optional<TPapel> papel = PapelDoNome(AValor);
  if (!papel) return FormatarP("o papel é branco ou creme, não \"{}\".", AValor);
  AValor = std::to_string(static_cast<int>(*papel));
  return {};
}

// The list becomes the code of its law set; "Somas" brings both sum laws,
// as a book may use either.
std::string LerLeis(std::string& AValor) {
  TConjuntoLeis leis;
  for (const std::string_view nome : Partes(AValor, ",")) {
    const std::optional<TConjuntoLeis> doNome = LeisDoNome(nome);
    if (!doNome)
      return FormatarP("lei desconhecida \"{}\"; as leis são Simetria, Tabela, Ordem e Somas.", nome);
    leis = TConjuntoLeis::DeCodigo(leis.Bits() | doNome->Bits());
  }
  if (leis.Vazio()) return TrP("indique pelo menos uma lei (Simetria, Tabela, Ordem, Somas).");
  AValor = std::to_string(leis.Bits());
  return {};
}

// Eight hexadecimal digits, read as the number they write.
std::string LerSemente(std::string& AValor) {
  std::uint32_t v = 0;
  const bool hex8 = AValor.size() == 8 && std::all_of(AValor.begin(), AValor.end(), [](char c) {
                      return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                    });
  if (!hex8 || std::from_chars(AValor.data(), AValor.data() + AValor.size(), v, 16).ec != std::errc{})
    return FormatarP("o código do livro tem 8 dígitos hexadecimais (por exemplo 1A2B3C4D), não \"{}\".", AValor);
  AValor = std::to_string(v);
  return {};
}

std::string LerPdf(std::string& AValor) {
  const std::filesystem::path p(AValor);
  if (p.stem().empty() || !IguaisSemCaixa(p.extension().string(), ".pdf"))
    return FormatarP("o nome do ficheiro tem de terminar em .pdf, não \"{}\".", AValor);
  return {};
}

std::string LerHtml(std::string& AValor) {
  const std::filesystem::path p(AValor);
  if (p.stem().empty() || !IguaisSemCaixa(p.extension().string(), ".html"))
    return FormatarP("o nome do ficheiro tem de terminar em .html, não \"{}\".", AValor);
  return {};
}

std::string LerNomeJson(std::string& AValor) {
  if (std::filesystem::path(AValor).filename().empty())
    return FormatarP("indique o nome de um ficheiro, não \"{}\".", AValor);
  return {};
}

// Two files of one run on one path: the one written later would replace the
// other. AMotivo says so under the option AOpcao that names AFicheiro.
void VerificarOutroFicheiro(std::string_view AOpcao, const std::string& AFicheiro, const std::string& AOutro,
                            std::string_view AMotivo) {
  // A shell can sit in a folder that was removed since: a relative name then
  // has no place, and that is a bad option, not an exception that escapes.
  const auto absoluto = [&](const std::string& f) {
    std::error_code erro;
    const std::filesystem::path caminho = std::filesystem::absolute(f, erro);
    if (erro)
      throw ECadrel(FormatarP(
          "{}: não se consegue situar \"{}\": a pasta atual já não existe ou não se pode ler.", AOpcao, AFicheiro));
    return caminho.lexically_normal();
  };
  if (absoluto(AFicheiro) == absoluto(AOutro))
    throw ECadrel(fmt::format("{}: {}, \"{}\".", AOpcao, AMotivo, AFicheiro));
}

// The option an error of CLI11 is about: its errors name it by get_name(),
// in front of ": " or, for a value that a flag cannot take, after
// "Could not convert: ".
const CLI::Option* OpcaoDoErro(const CLI::App& AApp, std::string_view ATexto) {
  constexpr std::string_view CConversao = "Could not convert: ";
  if (ATexto.starts_with(CConversao)) ATexto.remove_prefix(CConversao.size());
  const std::string_view nome = ATexto.substr(0, ATexto.find_first_of(": "));
  const std::array<const CLI::App*, 2> apps{&AApp, AApp.get_subcommand_ptr("resolver").get()};
  for (const CLI::App* app : apps)
    for (const CLI::Option* op : app->get_options())
      if (op->get_name() == nome) return op;
  return nullptr;
}

// CLI11's typed errors, said in the program's language; a refused value keeps the reason
// the validator gave, under all the option's names ("-o/--saida").
std::string MensagemDoAnalisador(const CLI::App& AApp, const CLI::ParseError& AErro) {
  const std::string_view texto = AErro.what();
  const CLI::Option* op = OpcaoDoErro(AApp, texto);
  if (op == nullptr) return FormatarP("Opções inválidas ({}).", texto);
  if (dynamic_cast<const CLI::ValidationError*>(&AErro) != nullptr) {
    std::string nomes = op->get_name(false, true);
    std::replace(nomes.begin(), nomes.end(), ',', '/');
    return nomes + texto.substr(op->get_name().size()).data();
  }
  if (dynamic_cast<const CLI::ConversionError*>(&AErro) != nullptr)
    return FormatarP("{}: esta opção não leva valor.", op->get_name());
  return FormatarP("{}: falta o valor.", op->get_name());
}


// What the options are read into before the whole is judged: values that
// the result holds in another form, and the options whose presence matters.
struct TLidas {
  int CodigoLeis = 0;
  std::uint32_t Semente = 0;
  bool SemDicas = false;
  std::int32_t Formato = fmA4;
  std::int32_t Idioma = idPt;
  // The steps resolver prints are its report to the user.
  std::int32_t IdiomaResolver = IdiomaDoPrograma();
  std::int32_t Papel = ppBranco;
  std::int32_t Puzzle = 0;
  std::int32_t Volume = 0;
  const CLI::Option* OpSemente = nullptr;
  const CLI::Option* OpVolume = nullptr;
  const CLI::Option* OpJson = nullptr;
  const CLI::Option* OpCapa = nullptr;
  const CLI::Option* OpHtml = nullptr;
  const CLI::Option* OpPuzzle = nullptr;
};

// The help's labels and closing text in the program's language, and what
// every option shares.
void Apresentar(CLI::App& AApp) {
  AApp.get_formatter()->label("Usage", TrP("Uso"));
  AApp.get_formatter()->label("OPTIONS", TrP("OPÇÕES"));
  AApp.get_formatter()->label("SUBCOMMAND", TrP("SUBCOMANDO"));
  AApp.get_formatter()->label("SUBCOMMANDS", TrP("SUBCOMANDOS"));
  AApp.get_formatter()->label("POSITIONALS", TrP("ARGUMENTOS"));
  AApp.option_defaults()->group(TrP("Opções"))->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  AApp.set_help_flag("-h,--help,--ajuda", TrP("Mostra esta ajuda e sai"));
  AApp.set_version_flag("--version", "quorvel-cli " QUORVEL_VERSAO, TrP("Mostra a versão e sai"));
  AApp.allow_extras();
  AApp.footer(TrP(
      "Sem -o, o livro fica na pasta atual, em Quorvel_<N>x<N>_<nível>_<puzzles>.pdf\n"
      "(Quorvel_5x5_P_50.pdf para 50 puzzles 5x5 na Progressiva). Com --json grava-se\n"
      "também o livro em JSON. O código do livro, dado a --semente com as mesmas\n"
      "outras opções, gera de novo o mesmo livro. Ctrl-C cancela a geração sem gravar\n"
      "nada.\n"
      "\n"
      "Códigos de saída: 0 livro gravado; 1 configuração recusada, livro por terminar\n"
      "ou ficheiro por gravar; 2 opção inválida; 130 geração cancelada."));
}

// The options of a book, with the defaults of a book made without them.
void OpcoesDoLivro(CLI::App& AApp, TOpcoesCli& AOpcoes, TLidas& ALidas) {
  TConfigLivro& config = AOpcoes.Config;
  config.NumPuzzles = 50;
  config.N = 5;
  config.Nivel = 0;
  config.Leis = CTodasLeis;
  AOpcoes.Tarefas = TarefasPadrao();
  ALidas.CodigoLeis = config.Leis.Bits();

  AApp.add_option("--tamanho", config.N, TrP("Lado da grelha, de 4 a 7 (por omissão 5)"))
      ->option_text("N")
      ->transform(Intervalo(CMinLado, CMaxLado, [](const std::string& v) {
        return FormatarP("o lado da grelha é um número de 4 a 7, não \"{}\".", v);
      }));
  AApp.add_option("--nivel", config.Nivel, TrP("Nível de 1 a 5, ou P: Progressiva (por omissão P)"))
      ->option_text("L")
      ->transform(Validador(LerNivel));
  AApp.add_option("--puzzles", config.NumPuzzles, TrP("Número de puzzles, de 1 a 200 (por omissão 50)"))
      ->option_text("N")
      ->transform(Validador(LerPuzzles));
  AApp.add_option("--titulo", config.Titulo, TrP("Título do livro, até 60 caracteres"))
      ->option_text(TrP("TEXTO"))
      ->transform(Validador(LerTitulo));
  AApp.add_flag("--sem-dicas", ALidas.SemDicas, TrP("Soluções sem dicas (por omissão, com dicas)"));
  AApp.add_option("--leis", ALidas.CodigoLeis,
                  TrP("Leis separadas por vírgulas: Simetria,Tabela,\n"
                      "Ordem,Somas (por omissão todas: Surpresa)"))
      ->option_text(TrP("LISTA"))
      ->transform(Validador(LerLeis));
  ALidas.OpSemente = AApp.add_option("--semente", ALidas.Semente,
                                     TrP("Código do livro a gerar de novo, 8 dígitos\n"
                                         "hexadecimais (por omissão, um código novo)"))
                         ->option_text(TrP("CODIGO"))
                         ->transform(Validador(LerSemente));
  AApp.add_option("-o,--saida", AOpcoes.Pdf,
                  TrP("Ficheiro PDF do livro (por omissão, o nome\n"
                      "proposto, na pasta atual)"))
      ->option_text(TrP("FICHEIRO.pdf"))
      ->check(Validador(LerPdf));
  ALidas.OpJson = AApp.add_option("--json", AOpcoes.Json, TrP("Grava também o livro em JSON, neste ficheiro"))
                      ->option_text(TrP("FICHEIRO"))
                      ->check(Validador(LerNomeJson));
  ALidas.OpHtml = AApp.add_option("--html", AOpcoes.Html,
                                  TrP("Grava também o livro para jogar num navegador,\n"
                                      "numa só página HTML, neste ficheiro"))
                      ->option_text(TrP("FICHEIRO.html"))
                      ->check(Validador(LerHtml));
  AApp.add_option("--formato", ALidas.Formato,
                  TrP("Formato das páginas: A4, A5, carta (8,5 x 11 pol.)\n"
                      "ou 6x9 (pol.); por omissão A4"))
      ->option_text(TrP("FORMATO"))
      ->transform(Validador(LerFormato));
  AApp.add_option("--idioma", ALidas.Idioma, TrP("Idioma dos textos do livro: pt ou en (por omissão pt);\nos puzzles são os mesmos"))
      ->option_text(TrP("IDIOMA"))
      ->transform(Validador(LerIdioma));
  AApp.add_flag("--impressao", AOpcoes.Edicao.Impressao,
                TrP("Edição para impressão: sem marcadores nem ligações,\n"
                    "número de páginas par, pelo menos 24"));
  ALidas.OpCapa = AApp.add_option("--capa", AOpcoes.Capa,
                                  TrP("Grava também a capa da edição para impressão\n"
                                      "(contracapa, lombada e frente), neste ficheiro"))
                      ->option_text(TrP("FICHEIRO.pdf"))
                      ->check(Validador(LerPdf));
  AApp.add_option("--papel", ALidas.Papel,
                  TrP("Papel do miolo, que dá a grossura da lombada da\n"
                      "capa: branco ou creme (por omissão branco)"))
      ->option_text(TrP("PAPEL"))
      ->transform(Validador(LerPapel));
  AApp.add_option("--volumes", AOpcoes.Volumes,
                  TrP("Uma série de N livros (2 a 50) do mesmo código, sem\n"
                      "puzzles repetidos entre eles: ..._vol01.pdf, ..."))
      ->option_text("N")
      ->transform(Intervalo(2, CMaxVolumes, [](const std::string& v) {
        return FormatarP("o número de volumes vai de 2 a {}, não \"{}\".", CMaxVolumes, v);
      }));
  ALidas.OpVolume = AApp.add_option("--volume", ALidas.Volume, TrP("Com --volumes, grava só o volume K da série"))
                        ->option_text("K")
                        ->transform(Intervalo(1, CMaxVolumes, [](const std::string& v) {
                          return FormatarP("o volume é um número de 1 a {}, não \"{}\".", CMaxVolumes, v);
                        }));
  AApp.add_flag("--silencioso", AOpcoes.Silencioso, TrP("Não mostra o progresso"));
  AApp.add_option("-j,--tarefas", AOpcoes.Tarefas,
                  FormatarP("Tarefas que geram em paralelo, de 1 a {} (por\n"
                            "omissão, uma por núcleo: {}); o livro é o mesmo",
                            CMaxTarefas, TarefasPadrao()))
      ->option_text("N")
      ->transform(Intervalo(1, CMaxTarefas, [](const std::string& v) {
        return FormatarP("o número de tarefas vai de 1 a {}, não \"{}\".", CMaxTarefas, v);
      }));
}

CLI::App* SubcomandoResolver(CLI::App& AApp, TOpcoesResolver& ARes, TLidas& ALidas) {
  CLI::App* resolver = AApp.add_subcommand(
      "resolver", TrP("Resolve e verifica um puzzle que traz: passos, soluções e nível"));
  resolver->group(TrP("Subcomandos"));
  resolver->footer(TrP(
      "O ficheiro tem uma linha \"leis ORD+SIM\" (ORD, TAB, SIM, SOM-D, SOM-Q juntas por +,\n"
      "ou os nomes de --leis: Ordem+Simetria; Somas só onde o tamanho e as outras leis\n"
      "deixam uma lei de somas), uma linha \"caixa\" com os N*N números, e as N linhas da\n"
      "grelha: um número dado ou um ponto por célula. As linhas que começam por # são\n"
      "comentários. Com --puzzle K, o ficheiro é um livro gravado com --json e resolve-se\n"
      "o seu puzzle K.\n"
      "\n"
      "Códigos de saída: 0 uma só solução; 1 nenhuma, mais de uma, ou por decidir dentro\n"
      "do limite de nós; 2 entrada inválida."));
  resolver->add_option(TrP("FICHEIRO"), ARes.Ficheiro, TrP("Ficheiro do puzzle (- lê a entrada padrão)"));
  ALidas.OpPuzzle = resolver->add_option("--puzzle", ALidas.Puzzle, TrP("Puzzle K de um livro JSON (de 1 em diante)"))
                        ->option_text("K")
                        ->transform(Intervalo(1, std::numeric_limits<std::int32_t>::max(), [](const std::string& v) {
                          return FormatarP("o número do puzzle é um inteiro de 1 em diante, não \"{}\".", v);
                        }));
  resolver
      ->add_option("--idioma", ALidas.IdiomaResolver,
                   FormatarP("Idioma dos passos: pt ou en (por omissão {})", NomeIdioma(IdiomaDoPrograma())))
      ->option_text(TrP("IDIOMA"))
      ->transform(Validador(LerIdioma));
  resolver->add_flag("--json", ARes.Json, TrP("Responde com um objeto JSON"));
  resolver
      ->add_option("--nos", ARes.MaxNos,
                   FormatarP("Limite de nós da contagem de soluções (por\nomissão {})", CNosResolverPadrao))
      ->option_text("N")
      ->transform(Intervalo(1, std::numeric_limits<std::int32_t>::max(), [](const std::string& v) {
        return FormatarP("o limite de nós é um inteiro de 1 a {}, não \"{}\".",
                         std::numeric_limits<std::int32_t>::max(), v);
      }));
  return resolver;
}

// What only the whole command line can refuse, for a puzzle to solve; empty
// when nothing is amiss.
std::string ConcluirResolver(const CLI::App& AApp, TOpcoesResolver& ARes, const TLidas& ALidas) {
  const std::vector<const CLI::Option*> doLivro = AApp.get_options();
  if (std::any_of(doLivro.begin(), doLivro.end(), [](const CLI::Option* op) { return op->count() > 0; }))
    return TrP("resolver: as opções do livro não servem para resolver um puzzle.");
  if (ARes.Ficheiro.empty()) return TrP("resolver: indique o ficheiro do puzzle (ou - para a entrada padrão).");
  if (ALidas.OpPuzzle->count() > 0) ARes.Puzzle = ALidas.Puzzle;
  ARes.Idioma = static_cast<TIdioma>(ALidas.IdiomaResolver);
  return {};
}

// The same for a book.
std::string ConcluirLivro(TOpcoesCli& AOpcoes, const TLidas& ALidas) {
  AOpcoes.Config.Leis = TConjuntoLeis::DeCodigo(ALidas.CodigoLeis);
  AOpcoes.Config.Caminho = !ALidas.SemDicas;
  AOpcoes.Edicao.Formato = static_cast<TFormato>(ALidas.Formato);
  AOpcoes.Config.Idioma = static_cast<TIdioma>(ALidas.Idioma);
  AOpcoes.Papel = static_cast<TPapel>(ALidas.Papel);
  if (ALidas.OpSemente->count() > 0) AOpcoes.Semente = ALidas.Semente;
  if (ALidas.OpVolume->count() > 0) {
    if (AOpcoes.Volumes == 0) return TrP("--volume: indique também quantos volumes tem a série (--volumes).");
    if (ALidas.Volume > AOpcoes.Volumes)
      return FormatarP("--volume: a série tem {} volumes; não há o volume {}.", AOpcoes.Volumes, ALidas.Volume);
    AOpcoes.Volume = ALidas.Volume;
  }
  const bool json = ALidas.OpJson->count() > 0;
  try {
    if (json)
      VerificarOutroFicheiro("--json", AOpcoes.Json, FicheiroPdf(AOpcoes),
                             TrP("o JSON não pode ir para o ficheiro do PDF"));
    if (ALidas.OpCapa->count() > 0) {
      VerificarOutroFicheiro("--capa", AOpcoes.Capa, FicheiroPdf(AOpcoes),
                             TrP("a capa não pode ir para o ficheiro do PDF"));
      if (json)
        VerificarOutroFicheiro("--capa", AOpcoes.Capa, AOpcoes.Json, TrP("a capa não pode ir para o ficheiro do JSON"));
    }
    // The PDF's and the cover's names end in .pdf: only the JSON's can be the page's.
    if (ALidas.OpHtml->count() > 0 && json)
      VerificarOutroFicheiro("--html", AOpcoes.Html, AOpcoes.Json, TrP("a página não pode ir para o ficheiro do JSON"));
  } catch (const ECadrel& e) {
    return e.what();
  }
  // The window refuses it too: one puzzle for each of the five levels.
  if (AOpcoes.Config.Nivel == 0 && AOpcoes.Config.NumPuzzles < CMinPuzzlesProgressiva)
    return MensagemMinimoProgressiva();
  return {};
}

}  // namespace

TAnaliseOpcoes AnalisarOpcoes(int argc, const char* const* argv) {
  CLI::App app{TrP("quorvel-cli: gera um livro de puzzles de grelhas numéricas e grava-o em PDF."), "quorvel-cli"};
  Apresentar(app);
  TAnaliseOpcoes r;
  TLidas lidas;
  OpcoesDoLivro(app, r.Opcoes, lidas);
  const CLI::App* resolver = SubcomandoResolver(app, r.Resolver, lidas);

  const auto recusar = [&r](const std::string& AMotivo) {
    r.Desfecho = TDesfechoOpcoes::doErro;
    r.Texto = AMotivo + "\n" + TrP(CSugestaoAjuda);
    return r;
  };
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    r.Desfecho = TDesfechoOpcoes::doAjuda;
    r.Texto = app.help();
    return r;
  } catch (const CLI::CallForVersion& e) {
    r.Desfecho = TDesfechoOpcoes::doVersao;
    r.Texto = e.what() + std::string("\n");
    return r;
  } catch (const CLI::ParseError& e) {
    return recusar(MensagemDoAnalisador(app, e));
  }
  if (!app.remaining(true).empty())
    return recusar(FormatarP("Opção ou argumento desconhecido: \"{}\".", app.remaining(true).front()));

  const bool resolve = resolver->parsed();
  if (const std::string motivo = resolve ? ConcluirResolver(app, r.Resolver, lidas) : ConcluirLivro(r.Opcoes, lidas);
      !motivo.empty())
    return recusar(motivo);
  r.Desfecho = resolve ? TDesfechoOpcoes::doResolver : TDesfechoOpcoes::doGerar;
  return r;
}

std::string FicheiroPdf(const TOpcoesCli& AOpcoes) {
  if (!AOpcoes.Pdf.empty()) return AOpcoes.Pdf;
  return NomeFicheiroPadrao(AOpcoes.Config.N, AOpcoes.Config.Nivel, AOpcoes.Config.NumPuzzles);
}

}  // namespace cadrel
