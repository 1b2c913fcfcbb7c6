#include "cli/opcoes.hpp"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <limits>
#include <string_view>
#include <system_error>

#include "core/texto.hpp"
#include "drawing/fontes.hpp"
#include "generation/livro.hpp"
#include "generation/opcoes.hpp"

namespace cadrel {

namespace {

constexpr std::string_view CSugestaoAjuda = "\nUse quorvel-cli --help para ver as opções.";

// A whole decimal number in [AMin, AMax], blanks around it allowed.
std::optional<std::int32_t> LerInteiro(std::string_view ATexto, std::int32_t AMin, std::int32_t AMax) {
  const std::string_view t = Aparar(ATexto);
  std::int32_t v = 0;
  const auto [fim, erro] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || erro != std::errc{} || fim != t.data() + t.size() || v < AMin || v > AMax)
    return std::nullopt;
  return v;
}

std::int32_t LerTamanho(const std::string& t) {
  if (const auto v = LerInteiro(t, 4, 7)) return *v;
  throw ECadrel(fmt::format("--tamanho: o lado da grelha é um número de 4 a 7, não \"{}\".", t));
}

std::int32_t LerNivel(const std::string& t) {
  if (IguaisSemCaixa(Aparar(t), "P")) return 0;
  if (const auto v = LerInteiro(t, 1, 5)) return *v;
  throw ECadrel(
      fmt::format("--nivel: o nível é um número de 1 a 5, ou P para a Progressiva, não \"{}\".", t));
}

std::int32_t LerOpcaoPuzzles(const std::string& t) {
  if (std::int32_t n = 0; LerNumPuzzles(t, n)) return n;
  throw ECadrel(fmt::format("--puzzles: o número de puzzles vai de 1 a {}, não \"{}\".", CMaxPuzzles, t));
}

std::int32_t LerTarefas(const std::string& t) {
  if (const auto v = LerInteiro(t, 1, CMaxTarefas)) return *v;
  throw ECadrel(fmt::format("-j/--tarefas: o número de tarefas vai de 1 a {}, não \"{}\".", CMaxTarefas, t));
}

std::string LerTitulo(const std::string& t) {
  std::string titulo(Aparar(t));
  // The cover prints it and the JSON export writes it: both need valid UTF-8,
  // which is better refused before a long generation.
  if (!Utf8Valido(titulo)) throw ECadrel("--titulo: o título não é texto UTF-8 válido.");
  const std::int32_t caracteres = ContarCaracteres(titulo);
  if (caracteres > CMaxTitulo)
    throw ECadrel(
        fmt::format("--titulo: o título tem {} caracteres; o máximo é {}.", caracteres, CMaxTitulo));
  // The cover would print an empty box in its place.
  if (const std::optional<char32_t> sem = CaracterSemGlifo(titulo)) {
    std::string mensagem = MensagemTituloSemGlifo(*sem);
    mensagem.front() = 'o';
    throw ECadrel("--titulo: " + mensagem);
  }
  return titulo;
}

// "Somas" stands for both sum laws, as the law check box of the same name does.
TConjuntoLeis LerLeis(const std::string& ALista) {
  struct TNomeLei {
    std::string_view Nome;
    TConjuntoLeis Leis;
  };
  static constexpr std::array<TNomeLei, 4> CNomes{
      {{"Simetria", {leiSIM}}, {"Tabela", {leiTAB}}, {"Ordem", {leiORD}}, {"Somas", {leiSOMD, leiSOMQ}}}};
  TConjuntoLeis leis;
  std::string_view resto = ALista;
  while (!resto.empty()) {
    const std::size_t virgula = std::min(resto.find(','), resto.size());
    const std::string_view nome = Aparar(resto.substr(0, virgula));
    resto.remove_prefix(std::min(virgula + 1, resto.size()));
    if (nome.empty()) continue;
    const auto it = std::find_if(CNomes.begin(), CNomes.end(),
                                 [nome](const TNomeLei& n) { return IguaisSemCaixa(n.Nome, nome); });
    if (it == CNomes.end())
      throw ECadrel(
          fmt::format("--leis: lei desconhecida \"{}\"; as leis são Simetria, Tabela, Ordem e Somas.", nome));
    leis = TConjuntoLeis::DeCodigo(leis.Bits() | it->Leis.Bits());
  }
  if (leis.Vazio()) throw ECadrel("--leis: indique pelo menos uma lei (Simetria, Tabela, Ordem, Somas).");
  return leis;
}

std::uint32_t LerSemente(const std::string& t) {
  std::uint32_t v = 0;
  const bool hex8 = t.size() == 8 && std::all_of(t.begin(), t.end(), [](char c) {
                      return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                    });
  if (!hex8 || std::from_chars(t.data(), t.data() + t.size(), v, 16).ec != std::errc{})
    throw ECadrel(fmt::format(
        "--semente: o código do livro tem 8 dígitos hexadecimais (por exemplo 1A2B3C4D), não \"{}\".", t));
  return v;
}

// The JSON is written after the PDF and would replace it.
std::string LerJson(const std::string& t, const std::string& APdf) {
  if (std::filesystem::path(t).filename().empty())
    throw ECadrel(fmt::format("--json: indique o nome de um ficheiro, não \"{}\".", t));
  // A shell can sit in a folder that was removed since: a relative name then
  // has no place, and that is a bad --json, not an exception that escapes.
  const auto absoluto = [&t](const std::string& f) {
    std::error_code erro;
    const std::filesystem::path caminho = std::filesystem::absolute(f, erro);
    if (erro)
      throw ECadrel(fmt::format(
          "--json: não se consegue situar \"{}\": a pasta atual já não existe ou não se pode ler.", t));
    return caminho.lexically_normal();
  };
  if (absoluto(t) == absoluto(APdf))
    throw ECadrel(fmt::format("--json: o JSON não pode ir para o ficheiro do PDF, \"{}\".", t));
  return t;
}

std::string LerPdf(const std::string& t) {
  const std::filesystem::path p(t);
  if (p.stem().empty() || !IguaisSemCaixa(p.extension().string(), ".pdf"))
    throw ECadrel(fmt::format("-o/--saida: o nome do ficheiro tem de terminar em .pdf, não \"{}\".", t));
  return t;
}

// CLI11 reports a missing value, or a value given to a flag, in English and
// naming the option somewhere in its text: find the option and say it here.
std::string MensagemDoAnalisador(const CLI::App& AApp, const CLI::ParseError& AErro) {
  const std::string_view texto = AErro.what();
  for (const CLI::Option* op : AApp.get_options()) {
    for (const std::string& nome : op->get_lnames()) {
      const std::string longo = "--" + nome;
      const std::size_t pos = texto.find(longo);
      const std::size_t fim = pos + longo.size();
      if (pos == std::string_view::npos ||
          (fim < texto.size() && (std::isalnum(static_cast<unsigned char>(texto[fim])) || texto[fim] == '-')))
        continue;
      return op->get_expected_max() == 0 ? fmt::format("{}: esta opção não leva valor.", longo)
                                         : fmt::format("{}: falta o valor.", longo);
    }
  }
  return fmt::format("Opções inválidas ({}).", texto);
}

TOpcoesResolver LerOpcoesResolver(const std::string& AFicheiro, const std::string* APuzzle, bool AJson,
                                  const std::string* ANos) {
  TOpcoesResolver o;
  if (AFicheiro.empty()) throw ECadrel("resolver: indique o ficheiro do puzzle (ou - para a entrada padrão).");
  o.Ficheiro = AFicheiro;
  o.Json = AJson;
  if (APuzzle != nullptr) {
    const auto k = LerInteiro(*APuzzle, 1, std::numeric_limits<std::int32_t>::max());
    if (!k) throw ECadrel(fmt::format("--puzzle: o número do puzzle é um inteiro de 1 em diante, não \"{}\".", *APuzzle));
    o.Puzzle = *k;
  }
  if (ANos != nullptr) {
    const auto nos = LerInteiro(*ANos, 1, std::numeric_limits<std::int32_t>::max());
    if (!nos)
      throw ECadrel(fmt::format("--nos: o limite de nós é um inteiro de 1 a {}, não \"{}\".",
                                std::numeric_limits<std::int32_t>::max(), *ANos));
    o.MaxNos = *nos;
  }
  return o;
}

}  // namespace

TAnaliseOpcoes AnalisarOpcoes(int argc, const char* const* argv) {
  CLI::App app{"quorvel-cli: gera um livro de puzzles de grelhas numéricas e grava-o em PDF.",
               "quorvel-cli"};
  app.get_formatter()->label("Usage", "Uso");
  app.get_formatter()->label("OPTIONS", "OPÇÕES");
  app.option_defaults()->group("Opções")->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.set_help_flag("-h,--help,--ajuda", "Mostra esta ajuda e sai");
  app.allow_extras();
  app.footer(
      "Sem -o, o livro fica na pasta atual, em Quorvel_<N>x<N>_<nível>_<puzzles>.pdf\n"
      "(Quorvel_5x5_P_50.pdf para 50 puzzles 5x5 na Progressiva). Com --json grava-se\n"
      "também o livro em JSON. O código do livro, dado a --semente com as mesmas\n"
      "outras opções, gera de novo o mesmo livro. Ctrl-C cancela a geração sem gravar\n"
      "nada.\n"
      "\n"
      "Códigos de saída: 0 livro gravado; 1 configuração recusada, livro por terminar\n"
      "ou ficheiro por gravar; 2 opção inválida; 130 geração cancelada.");

  std::string tamanho, nivel, puzzles, titulo, leis, semente, json, pdf, tarefas;
  bool semDicas = false, silencioso = false;
  auto* opTamanho =
      app.add_option("--tamanho", tamanho, "Lado da grelha, de 4 a 7 (por omissão 5)")->option_text("N");
  auto* opNivel =
      app.add_option("--nivel", nivel, "Nível de 1 a 5, ou P: Progressiva (por omissão P)")->option_text("L");
  auto* opPuzzles = app.add_option("--puzzles", puzzles, "Número de puzzles, de 1 a 200 (por omissão 50)")
                        ->option_text("N");
  auto* opTitulo =
      app.add_option("--titulo", titulo, "Título do livro, até 60 caracteres")->option_text("TEXTO");
  app.add_flag("--sem-dicas", semDicas, "Soluções sem dicas (por omissão, com dicas)");
  auto* opLeis = app.add_option("--leis", leis,
                                "Leis separadas por vírgulas: Simetria,Tabela,\n"
                                "Ordem,Somas (por omissão todas: Surpresa)")
                     ->option_text("LISTA");
  auto* opSemente = app.add_option("--semente", semente,
                                   "Código do livro a gerar de novo, 8 dígitos\n"
                                   "hexadecimais (por omissão, um código novo)")
                        ->option_text("CODIGO");
  auto* opPdf = app.add_option("-o,--saida", pdf,
                               "Ficheiro PDF do livro (por omissão, o nome\n"
                               "proposto, na pasta atual)")
                    ->option_text("FICHEIRO.pdf");
  auto* opJson =
      app.add_option("--json", json, "Grava também o livro em JSON, neste ficheiro")->option_text("FICHEIRO");
  app.add_flag("--silencioso", silencioso, "Não mostra o progresso");
  auto* opTarefas = app.add_option("-j,--tarefas", tarefas,
                                   fmt::format("Tarefas que geram em paralelo, de 1 a {} (por\n"
                                               "omissão, uma por núcleo: {}); o livro é o mesmo",
                                               CMaxTarefas, TarefasPadrao()))
                        ->option_text("N");

  app.get_formatter()->label("SUBCOMMAND", "SUBCOMANDO");
  app.get_formatter()->label("SUBCOMMANDS", "SUBCOMANDOS");
  app.get_formatter()->label("POSITIONALS", "ARGUMENTOS");
  CLI::App* resolver = app.add_subcommand(
      "resolver", "Resolve e verifica um puzzle que traz: passos, soluções e nível");
  resolver->footer(
      "O ficheiro tem uma linha \"leis ORD+SIM\" (ORD, TAB, SIM, SOM-D, SOM-Q juntas por +),\n"
      "uma linha \"caixa\" com os N*N números, e as N linhas da grelha: um número dado ou\n"
      "um ponto por célula. As linhas que começam por # são comentários. Com --puzzle K, o\n"
      "ficheiro é um livro gravado com --json e resolve-se o seu puzzle K.\n"
      "\n"
      "Códigos de saída: 0 uma só solução; 1 nenhuma, mais de uma, ou por decidir dentro\n"
      "do limite de nós; 2 entrada inválida.");
  std::string ficheiroResolver, puzzleResolver, nosResolver;
  bool jsonResolver = false;
  resolver->add_option("FICHEIRO", ficheiroResolver, "Ficheiro do puzzle (- lê a entrada padrão)");
  auto* opPuzzle =
      resolver->add_option("--puzzle", puzzleResolver, "Puzzle K de um livro JSON (de 1 em diante)")->option_text("K");
  resolver->add_flag("--json", jsonResolver, "Responde com um objeto JSON");
  auto* opNos = resolver
                    ->add_option("--nos", nosResolver,
                                 fmt::format("Limite de nós da contagem de soluções (por\nomissão {})",
                                             CNosResolverPadrao))
                    ->option_text("N");

  TAnaliseOpcoes r;
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    r.Desfecho = TDesfechoOpcoes::doAjuda;
    r.Texto = app.help();
    return r;
  } catch (const CLI::ParseError& e) {
    r.Texto = MensagemDoAnalisador(app, e) + std::string(CSugestaoAjuda);
    return r;
  }
  if (!app.remaining(true).empty()) {
    r.Texto = fmt::format("Opção ou argumento desconhecido: \"{}\".", app.remaining(true).front()) +
              std::string(CSugestaoAjuda);
    return r;
  }
  if (resolver->parsed()) {
    const std::vector<CLI::Option*> doLivro = app.get_options();
    if (std::any_of(doLivro.begin(), doLivro.end(), [](const CLI::Option* op) { return op->count() > 0; })) {
      r.Texto = "resolver: as opções do livro não servem para resolver um puzzle." + std::string(CSugestaoAjuda);
      return r;
    }
    try {
      r.Resolver = LerOpcoesResolver(ficheiroResolver, opPuzzle->count() > 0 ? &puzzleResolver : nullptr,
                                     jsonResolver, opNos->count() > 0 ? &nosResolver : nullptr);
    } catch (const ECadrel& e) {
      r.Texto = e.what() + std::string(CSugestaoAjuda);
      return r;
    }
    r.Desfecho = TDesfechoOpcoes::doResolver;
    return r;
  }

  TOpcoesCli& o = r.Opcoes;
  o.Config.NumPuzzles = 50;
  o.Config.N = 5;
  o.Config.Nivel = 0;
  o.Config.Leis = {leiSIM, leiTAB, leiORD, leiSOMD, leiSOMQ};
  o.Config.Caminho = !semDicas;
  o.Silencioso = silencioso;
  o.Tarefas = TarefasPadrao();
  try {
    if (opTamanho->count() > 0) o.Config.N = LerTamanho(tamanho);
    if (opNivel->count() > 0) o.Config.Nivel = LerNivel(nivel);
    if (opPuzzles->count() > 0) o.Config.NumPuzzles = LerOpcaoPuzzles(puzzles);
    if (opTitulo->count() > 0) o.Config.Titulo = LerTitulo(titulo);
    if (opLeis->count() > 0) o.Config.Leis = LerLeis(leis);
    if (opSemente->count() > 0) o.Semente = LerSemente(semente);
    if (opPdf->count() > 0) o.Pdf = LerPdf(pdf);
    if (opJson->count() > 0) o.Json = LerJson(json, FicheiroPdf(o));
    if (opTarefas->count() > 0) o.Tarefas = LerTarefas(tarefas);
  } catch (const ECadrel& e) {
    r.Texto = e.what() + std::string(CSugestaoAjuda);
    return r;
  }
  // The window refuses it too: one puzzle for each of the five levels.
  if (o.Config.Nivel == 0 && o.Config.NumPuzzles < CMinPuzzlesProgressiva) {
    r.Texto = MensagemMinimoProgressiva() + std::string(CSugestaoAjuda);
    return r;
  }
  r.Desfecho = TDesfechoOpcoes::doGerar;
  return r;
}

std::string FicheiroPdf(const TOpcoesCli& AOpcoes) {
  if (!AOpcoes.Pdf.empty()) return AOpcoes.Pdf;
  return NomeFicheiroPadrao(AOpcoes.Config.N, AOpcoes.Config.Nivel, AOpcoes.Config.NumPuzzles);
}

}  // namespace cadrel
