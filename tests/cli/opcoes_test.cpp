#include "cli/opcoes.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "apoio_cli.hpp"
#include "cli/comando.hpp"
#include "generation/livro.hpp"
#include "generation/opcoes.hpp"

namespace cadrel {
namespace {

std::vector<const char*> Argv(const std::vector<std::string>& AArgs) {
  std::vector<const char*> argv{"quorvel-cli"};
  for (const std::string& a : AArgs) argv.push_back(a.c_str());
  return argv;
}

TAnaliseOpcoes Analisar(const std::vector<std::string>& AArgs) {
  const auto argv = Argv(AArgs);
  return AnalisarOpcoes(static_cast<int>(argv.size()), argv.data());
}

std::string Repetir(const std::string& t, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += t;
  return r;
}

TEST(OpcoesCli, SemOpcoesDaOLivroPorOmissao) {
  const TAnaliseOpcoes a = Analisar({});
  ASSERT_EQ(a.Desfecho, TDesfechoOpcoes::doGerar) << a.Texto;
  const TConfigLivro& c = a.Opcoes.Config;
  EXPECT_EQ(c.NumPuzzles, 50);
  EXPECT_EQ(c.N, 5);
  EXPECT_EQ(c.Nivel, 0);
  EXPECT_EQ(c.Leis.Bits(), 31);
  EXPECT_EQ(c.Titulo, "");
  EXPECT_TRUE(c.Caminho);
  EXPECT_FALSE(a.Opcoes.Semente.has_value());
  EXPECT_FALSE(a.Opcoes.Silencioso);
  EXPECT_EQ(a.Opcoes.Tarefas, TarefasPadrao());
  EXPECT_EQ(FicheiroPdf(a.Opcoes), "Quorvel_5x5_P_50.pdf");
  EXPECT_EQ(a.Opcoes.Json, "");
  EXPECT_EQ(a.Opcoes.Edicao, TEdicao{});
  EXPECT_EQ(c.Idioma, idPt);
  EXPECT_EQ(a.Opcoes.Capa, "");
  EXPECT_EQ(a.Opcoes.Papel, ppBranco);
}

TEST(OpcoesCli, TodasAsOpcoes) {
  const TAnaliseOpcoes a = Analisar({"--tamanho", "6", "--nivel", "3", "--puzzles", "20", "--titulo",
                                     "  Verão de 2026 ", "--sem-dicas", "--leis", "Tabela,Somas", "--semente",
                                     "1a2B3c4D", "-o", "livros/verao.PDF", "--silencioso", "-j", "3"});
  ASSERT_EQ(a.Desfecho, TDesfechoOpcoes::doGerar) << a.Texto;
  const TConfigLivro& c = a.Opcoes.Config;
  EXPECT_EQ(c.N, 6);
  EXPECT_EQ(c.Nivel, 3);
  EXPECT_EQ(c.NumPuzzles, 20);
  EXPECT_EQ(c.Titulo, "Verão de 2026");
  EXPECT_FALSE(c.Caminho);
  EXPECT_EQ(c.Leis, TConjuntoLeis({leiTAB, leiSOMD, leiSOMQ}));
  EXPECT_EQ(a.Opcoes.Semente, 0x1A2B3C4Du);
  EXPECT_TRUE(a.Opcoes.Silencioso);
  EXPECT_EQ(a.Opcoes.Tarefas, 3);
  EXPECT_EQ(Analisar({"--tarefas", "256"}).Opcoes.Tarefas, 256);
  EXPECT_EQ(FicheiroPdf(a.Opcoes), "livros/verao.PDF");
  EXPECT_EQ(a.Opcoes.Json, "");
  const TAnaliseOpcoes b = Analisar({"--nivel", "p", "--json", "x.json", "-o", "y.pdf"});
  EXPECT_EQ(b.Opcoes.Config.Nivel, 0);
  EXPECT_EQ(FicheiroPdf(b.Opcoes), "y.pdf");
  EXPECT_EQ(b.Opcoes.Json, "x.json");
  const TAnaliseOpcoes e = Analisar({"--formato", "carta", "--impressao", "--idioma", "EN"});
  EXPECT_EQ(e.Opcoes.Edicao, (TEdicao{fmCarta, true}));
  EXPECT_EQ(e.Opcoes.Config.Idioma, idEn);
  for (const auto& [nome, formato] : {std::pair{"a5", fmA5}, {"A4", fmA4}, {"6X9", fm6x9}})
    EXPECT_EQ(Analisar({"--formato", nome}).Opcoes.Edicao.Formato, formato) << nome;
  // The cover implies nothing else: the interior stays the digital A4 book.
  const TAnaliseOpcoes capa = Analisar({"--capa", "capas/verao.PDF", "--papel", "Creme"});
  ASSERT_EQ(capa.Desfecho, TDesfechoOpcoes::doGerar) << capa.Texto;
  EXPECT_EQ(capa.Opcoes.Capa, "capas/verao.PDF");
  EXPECT_EQ(capa.Opcoes.Papel, ppCreme);
  EXPECT_EQ(capa.Opcoes.Edicao, TEdicao{});
  EXPECT_EQ(Analisar({"--papel", "branco"}).Opcoes.Papel, ppBranco);
  // A title is measured in characters, not in bytes.
  EXPECT_EQ(Analisar({"--titulo", Repetir("é", 60)}).Opcoes.Config.Titulo, Repetir("é", 60));
}

TEST(OpcoesCli, ListaDeLeis) {
  const struct {
    const char* lista;
    std::uint8_t bits;
  } casos[] = {
      {"Simetria", 1},       {"Tabela", 2},
      {"Ordem", 4},          {"Somas", 8 | 16},
      {"Ordem,Simetria", 5}, {" somas , TABELA ", 2 | 8 | 16},
      {"Ordem,,Ordem", 4},   {"Simetria,Tabela,Ordem,Somas", 31},
  };
  for (const auto& c : casos) {
    const TAnaliseOpcoes a = Analisar({"--leis", c.lista});
    ASSERT_EQ(a.Desfecho, TDesfechoOpcoes::doGerar) << c.lista << ": " << a.Texto;
    EXPECT_EQ(a.Opcoes.Config.Leis.Bits(), c.bits) << c.lista;
  }
}

TEST(OpcoesCli, ValorInvalidoSaiComCodigo2ENomeiaAOpcao) {
  const struct {
    std::vector<std::string> args;
    const char* opcao;
  } casos[] = {
      {{"--tamanho", "3"}, "--tamanho"},
      {{"--tamanho", "8"}, "--tamanho"},
      {{"--tamanho", "abc"}, "--tamanho"},
      {{"--tamanho", "5x"}, "--tamanho"},
      {{"--nivel", "0"}, "--nivel"},
      {{"--nivel", "6"}, "--nivel"},
      {{"--nivel", "X"}, "--nivel"},
      {{"--puzzles", "0"}, "--puzzles"},
      {{"--puzzles", "201"}, "--puzzles"},
      {{"--leis", "Ordem,Xadrez"}, "--leis"},
      {{"--leis", " , "}, "--leis"},
      {{"--semente", "2A"}, "--semente"},
      {{"--semente", "0000002G"}, "--semente"},
      {{"--semente", "100000000"}, "--semente"},
      {{"--titulo", Repetir("é", 61)}, "--titulo"},
      {{"--titulo", "\xC3("}, "--titulo"},
      {{"-o", "livro.txt"}, "--saida"},
      {{"--json", "pasta/"}, "--json"},
      {{"--json", "Quorvel_5x5_P_50.pdf"}, "--json"},  // would replace the PDF
      {{"-o", "a/b.pdf", "--json", "a/./b.pdf"}, "--json"},
      {{"--papel", "azul"}, "--papel"},
      {{"--papel"}, "--papel"},
      {{"--capa", "capa.png"}, "--capa"},
      {{"--capa", "Quorvel_5x5_P_50.pdf"}, "--capa"},  // would replace the PDF
      {{"--json", "c.pdf", "--capa", "c.pdf"}, "--capa"},  // would replace the JSON
      {{"--html", "livro.htm"}, "--html"},
      {{"--html", "pasta/.html"}, "--html"},
      {{"--json", "livro.html", "--html", "./livro.html"}, "--html"},  // would replace the JSON
      {{"--puzzles"}, "--puzzles"},
      {{"--sem-dicas=talvez"}, "--sem-dicas"},
      {{"--cor", "azul"}, "--cor"},
      {{"--titulo", "\u6570\u72EC\u30D1\u30BA\u30EB \U0001F600"}, "--titulo"},
      {{"resolver"}, "resolver"},
      {{"resolver", "p.txt", "--puzzle", "0"}, "--puzzle"},
      {{"resolver", "p.txt", "--nos", "-1"}, "--nos"},
      {{"resolver", "p.txt", "--cor"}, "--cor"},
      {{"--tamanho", "5", "resolver", "p.txt"}, "resolver"},
      {{"-j", "0"}, "--tarefas"},
      {{"--tarefas", "257"}, "--tarefas"},
      {{"-j", "dois"}, "--tarefas"},
      {{"--formato", "A3"}, "--formato"},
      {{"--formato", ""}, "--formato"},
      {{"--impressao=sim"}, "--impressao"},
      {{"--idioma", "fr"}, "--idioma"},
      {{"--volumes", "1"}, "--volumes"},
      {{"--volumes", "51"}, "--volumes"},
      {{"--volume", "2"}, "--volume"},
      {{"--volumes", "3", "--volume", "4"}, "--volume"},
      {{"resolver", "p.txt", "--idioma", "pt-BR"}, "--idioma"},
  };
  for (const auto& c : casos) {
    const auto argv = Argv(c.args);
    testing::internal::CaptureStderr();
    const int codigo = ExecutarComando(static_cast<int>(argv.size()), argv.data());
    const std::string erro = testing::internal::GetCapturedStderr();
    EXPECT_EQ(codigo, 2) << c.args[0];
    EXPECT_NE(erro.find(c.opcao), std::string::npos) << erro;
  }
}

// The command line refuses what the window refuses, in the same words.
TEST(OpcoesCli, RecusasComoAJanela) {
  const struct {
    std::vector<std::string> args;
    std::string mensagem;
  } casos[] = {
      {{"--nivel", "P", "--puzzles", "3"}, MensagemMinimoProgressiva()},
      {{"--titulo", "Sudoku \u6570\u72EC"},
       "--titulo: o título tem o carácter «\u6570» (U+6570), que o tipo de letra do livro não tem."},
  };
  for (const auto& c : casos) {
    const TAnaliseOpcoes a = Analisar(c.args);
    EXPECT_EQ(a.Desfecho, TDesfechoOpcoes::doErro);
    EXPECT_EQ(a.Texto.rfind(c.mensagem, 0), 0u) << a.Texto;
  }
  EXPECT_EQ(Analisar({"--nivel", "P", "--puzzles", "5"}).Desfecho, TDesfechoOpcoes::doGerar);
  EXPECT_EQ(Analisar({"--nivel", "2", "--puzzles", "3"}).Desfecho, TDesfechoOpcoes::doGerar);
}

// The cover's paper and file, refused in the user's words.
TEST(OpcoesCli, RecusasDaCapa) {
  const struct {
    std::vector<std::string> args;
    std::string mensagem;
  } casos[] = {
      {{"--papel", "azul"}, "--papel: o papel é branco ou creme, não \"azul\"."},
      {{"--capa", "capa.png"}, "--capa: o nome do ficheiro tem de terminar em .pdf, não \"capa.png\"."},
      {{"-o", "livros/verao.pdf", "--capa", "livros/./verao.pdf"},
       "--capa: a capa não pode ir para o ficheiro do PDF, \"livros/./verao.pdf\"."},
      {{"--json", "verao.pdf", "--capa", "verao.pdf"},
       "--capa: a capa não pode ir para o ficheiro do JSON, \"verao.pdf\"."},
      {{"--html", "verao.pdf"}, "--html: o nome do ficheiro tem de terminar em .html, não \"verao.pdf\"."},
      {{"--json", "verao.HTML", "--html", "verao.HTML"},
       "--html: a página não pode ir para o ficheiro do JSON, \"verao.HTML\"."},
  };
  for (const auto& c : casos) {
    const TAnaliseOpcoes a = Analisar(c.args);
    EXPECT_EQ(a.Desfecho, TDesfechoOpcoes::doErro);
    EXPECT_EQ(a.Texto.rfind(c.mensagem + "\n", 0), 0u) << a.Texto;
  }
  EXPECT_EQ(Analisar({"-o", "livros/verao.pdf", "--capa", "livros/capa.pdf", "--json", "livros/verao.json"}).Desfecho,
            TDesfechoOpcoes::doGerar);
  const TAnaliseOpcoes html = Analisar({"--json", "verao.json", "--html", "livros/Verao.HTML"});
  EXPECT_EQ(html.Desfecho, TDesfechoOpcoes::doGerar);
  EXPECT_EQ(html.Opcoes.Html, "livros/Verao.HTML");
}

TEST(OpcoesCli, SubcomandoResolver) {
  const TAnaliseOpcoes a = Analisar({"resolver", "-", "--json", "--nos", "1000"});
  ASSERT_EQ(a.Desfecho, TDesfechoOpcoes::doResolver) << a.Texto;
  EXPECT_EQ(a.Resolver.Ficheiro, "-");
  EXPECT_TRUE(a.Resolver.Json);
  EXPECT_EQ(a.Resolver.MaxNos, 1000);
  EXPECT_FALSE(a.Resolver.Puzzle.has_value());
  const TAnaliseOpcoes b = Analisar({"resolver", "livro.json", "--puzzle", "7"});
  ASSERT_EQ(b.Desfecho, TDesfechoOpcoes::doResolver) << b.Texto;
  EXPECT_EQ(b.Resolver.Puzzle, 7);
  EXPECT_EQ(b.Resolver.MaxNos, CNosResolverPadrao);
  const TAnaliseOpcoes ajuda = Analisar({"resolver", "--help"});
  ASSERT_EQ(ajuda.Desfecho, TDesfechoOpcoes::doAjuda);
  for (const char* t : {"resolver", "--puzzle K", "--nos N", "caixa", "Códigos de saída: 0 uma só solução"})
    EXPECT_NE(ajuda.Texto.find(t), std::string::npos) << t << "\n" << ajuda.Texto;
}

// Without a current folder (removed while the shell sat in it) a relative
// --json has no place to compare with the PDF's.
TEST(OpcoesCli, JsonSemPastaAtualSaiComCodigo2) {
  const std::filesystem::path antes = std::filesystem::current_path();
  std::string erro;
  int codigo = 0;
  {
    const TPastaCli pasta;
    std::filesystem::current_path(pasta.Caminho());
    std::filesystem::remove(pasta.Caminho());
    const std::vector<std::string> args{"--json", "livro.json"};
    const auto argv = Argv(args);
    testing::internal::CaptureStderr();
    codigo = ExecutarComando(static_cast<int>(argv.size()), argv.data());
    erro = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(antes);
  }
  EXPECT_EQ(codigo, 2);
  EXPECT_NE(erro.find("--json"), std::string::npos) << erro;
}

TEST(OpcoesCli, AjudaEmPortugues) {
  const TAnaliseOpcoes a = Analisar({"--help"});
  ASSERT_EQ(a.Desfecho, TDesfechoOpcoes::doAjuda);
  for (const char* t :
       {"Uso: quorvel-cli", "Opções:", "--semente CODIGO", "-j,--tarefas N", "--version", "resolver", "Quorvel_5x5_P_50.pdf",
        "--capa FICHEIRO.pdf", "--papel PAPEL", "Códigos de saída"})
    EXPECT_NE(a.Texto.find(t), std::string::npos) << t;
}

}  // namespace
}  // namespace cadrel
