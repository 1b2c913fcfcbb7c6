// The real program, run as a user runs it, on tiny books.
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "apoio_cli.hpp"

namespace cadrel {
namespace {

struct TExecucao {
  int Codigo = -1;
  std::string Saida;
  std::string Erro;
};

// Runs the program in APasta with the arguments as a shell would split them,
// with AAmbiente (NAME=value ...) added to its environment.
TExecucao Correr(const TPastaCli& APasta, const std::string& AArgs, const std::string& AAmbiente = "") {
  const TPastaCli registo;
  const std::string comando = "cd '" + APasta.Caminho().string() + "' && " + AAmbiente + " '" QUORVEL_CLI "' " +
                              AArgs + " >'" +
                              (registo / "saida") + "' 2>'" + (registo / "erro") + "'";
  const int estado = std::system(comando.c_str());
  return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, LerFicheiro(registo / "saida"),
          LerFicheiro(registo / "erro")};
}

// The date the runs whose bytes are compared are given, so that the technical
// sheet prints the same day.
const std::string CDataFixa = "SOURCE_DATE_EPOCH=1700000000";

// A puzzle of one solution for resolver, as a user writes it.
const std::string CPuzzle =
    "leis SIM+SOM-D\ncaixa 26 29 31 32 34 35 37 39 40 42 44 45 47 48 50 53\n"
    ". 47 . .\n. . . .\n40 26 42 .\n44 . . .\n";

std::size_t Linhas(const std::string& t) {
  return static_cast<std::size_t>(std::count(t.begin(), t.end(), '\n'));
}

TEST(QuorvelCli, GravaOPdfComONomePorOmissaoEOJsonSoQuandoPedido) {
  TPastaCli pasta;
  const TExecucao r = Correr(pasta, "--puzzles 2 --tamanho 4 --nivel 1 --semente 0000002a");
  ASSERT_EQ(r.Codigo, 0) << r.Erro;
  EXPECT_EQ(Linhas(r.Erro), 2u) << r.Erro;  // not a terminal: one line per accepted puzzle
  const std::string inicio = "PDF gravado em Quorvel_4x4_N1_2.pdf\nLivro gerado: 2 puzzles, ";
  const std::string fim = " páginas. Código do livro: 0000002A\n";
  ASSERT_GT(r.Saida.size(), inicio.size() + fim.size()) << r.Saida;
  ASSERT_EQ(r.Saida.rfind(inicio, 0), 0u) << r.Saida;
  ASSERT_EQ(r.Saida.substr(r.Saida.size() - fim.size()), fim) << r.Saida;
  const std::string paginas = r.Saida.substr(inicio.size(), r.Saida.size() - inicio.size() - fim.size());
  // The count in the message is that of the file.
  const std::string info = Executar("pdfinfo '" + (pasta / "Quorvel_4x4_N1_2.pdf") + "'");
  EXPECT_NE(info.find("Pages:           " + paginas + "\n"), std::string::npos) << info;
  EXPECT_EQ(pasta.Entradas(), 1u);

  // The same code gives the same book, here beside its JSON and its page to
  // play; an existing PDF is replaced.
  std::filesystem::create_directory(pasta / "livros");
  EscreverFicheiro(pasta / "livros/outro.pdf", "antigo");
  const TExecucao s = Correr(pasta,
                             "--puzzles 2 --tamanho 4 --nivel 1 --semente 0000002A --silencioso "
                             "-o livros/outro.pdf --json livros/outro.json --html livros/outro.html");
  ASSERT_EQ(s.Codigo, 0) << s.Erro;
  EXPECT_EQ(s.Erro, "");
  EXPECT_EQ(s.Saida, "PDF gravado em livros/outro.pdf\nJSON gravado em livros/outro.json\n"
                    "HTML gravado em livros/outro.html\nLivro gerado: 2 puzzles, " + paginas + fim);
  EXPECT_EQ(LerFicheiro(pasta / "livros/outro.pdf").rfind("%PDF-", 0), 0u);
  EXPECT_EQ(nlohmann::json::parse(LerFicheiro(pasta / "livros/outro.json"))["codigo"], "0000002A");
  EXPECT_EQ(LerFicheiro(pasta / "livros/outro.html").rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(pasta.Entradas(), 2u);
}

// The cover is that of the print edition, whatever the interior: its spine
// counts the print edition's pages, blank ones included, and the same book
// gives the same cover either way. Its line follows the interior's.
TEST(QuorvelCli, CapaDaEdicaoParaImpressao) {
  TPastaCli pasta;
  const std::string livro =
      "--puzzles 2 --tamanho 4 --nivel 1 --semente 0000002a --formato 6x9 --papel creme --silencioso ";
  const auto capa = [](const std::string& AFicheiro) {
    return "Capa gravada em " + AFicheiro +
           ": 12,310 × 9,250 pol. (312,7 × 235,0 mm), lombada de 0,060 pol. (1,5 mm), papel creme.\n";
  };
  const TExecucao r = Correr(pasta, livro + "--impressao -o miolo.pdf --capa capa.pdf", CDataFixa);
  ASSERT_EQ(r.Codigo, 0) << r.Erro;
  EXPECT_EQ(r.Saida, "PDF gravado em miolo.pdf\n"
                     "Edição para impressão: 6 × 9 pol., 24 páginas, medianiz de 9,5 mm (0,375 pol.), 8 páginas em "
                     "branco no fim.\n" +
                         capa("capa.pdf") + "Livro gerado: 2 puzzles, 24 páginas. Código do livro: 0000002A\n");
  const std::string info = Executar("pdfinfo '" + (pasta / "capa.pdf") + "'");
  EXPECT_NE(info.find("Page size:       886.32 x 666 pts"), std::string::npos) << info;

  const TExecucao s = Correr(pasta, livro + "-o digital.pdf --capa capa_digital.pdf", CDataFixa);
  ASSERT_EQ(s.Codigo, 0) << s.Erro;
  EXPECT_NE(s.Saida.find("PDF gravado em digital.pdf\n" + capa("capa_digital.pdf") + "Livro gerado"),
            std::string::npos)
      << s.Saida;
  EXPECT_TRUE(LerFicheiro(pasta / "capa.pdf") == LerFicheiro(pasta / "capa_digital.pdf"));
  EXPECT_EQ(pasta.Entradas(), 4u);
}

// A refused book, a missing folder or a file that cannot be written: exit 1,
// nothing new on disk and the files already there untouched.
TEST(QuorvelCli, FalhasSaemCom1SemDeixarNada) {
  TPastaCli pasta;
  EscreverFicheiro(pasta / "x.pdf", "antigo");
  EscreverFicheiro(pasta / "x.json", "antigo");
  std::filesystem::create_directory(pasta / "pasta.pdf");
  // These laws leave level 3 without a recipe, so the book itself is refused:
  // a folder message with them shows that the folders are checked first.
  const std::string recusado = "--nivel P --leis Ordem,Simetria --silencioso ";
  const struct {
    std::string args;
    std::string erro;  // the start of standard error
  } casos[] = {
      {recusado + "-o x.pdf --json x.json",
       "Não foi possível terminar o livro: O nível 3 não tem nenhuma receita com as leis escolhidas em 5x5\n"},
      {recusado + "-o nao/x.pdf", "Não foi possível gravar o ficheiro nao/x.pdf: a pasta não existe.\n"},
      {recusado + "-o x.pdf --json nao/x.json",
       "Não foi possível gravar o ficheiro nao/x.json: a pasta não existe.\n"},
      {recusado + "-o x.pdf --capa nao/capa.pdf",
       "Não foi possível gravar o ficheiro nao/capa.pdf: a pasta não existe.\n"},
      {recusado + "-o x.pdf --html nao/x.html", "Não foi possível gravar o ficheiro nao/x.html: a pasta não existe.\n"},
      {"--puzzles 1 --tamanho 4 --nivel 1 --semente 00000001 --silencioso -o pasta.pdf --json x.json",
       "Não foi possível gravar o ficheiro pasta.pdf: o destino é uma pasta.\n"},
      // Tried before the generation, which would take minutes here.
      {"--puzzles 200 --tamanho 7 --nivel 5 --silencioso -o x.pdf --json /proc/version",
       "Não foi possível gravar o ficheiro /proc/version: não é possível criar ficheiros nessa pasta.\n"},
      {"--puzzles 200 --tamanho 7 --nivel 5 --silencioso -o " + std::string(300, 'x') + ".pdf",
       "Não foi possível gravar o ficheiro " + std::string(300, 'x') + ".pdf: o nome do ficheiro é comprido demais.\n"},
  };
  for (const auto& c : casos) {
    const TExecucao r = Correr(pasta, c.args);
    EXPECT_EQ(r.Codigo, 1) << c.args;
    EXPECT_EQ(r.Erro.rfind(c.erro, 0), 0u) << c.args << '\n' << r.Erro;
    EXPECT_EQ(r.Saida, "") << c.args;
    EXPECT_EQ(LerFicheiro(pasta / "x.pdf"), "antigo") << c.args;
    EXPECT_EQ(LerFicheiro(pasta / "x.json"), "antigo") << c.args;
    EXPECT_TRUE(std::filesystem::is_empty(pasta / "pasta.pdf")) << c.args;
    EXPECT_EQ(pasta.Entradas(), 3u) << c.args;
  }
}

// The version is the project's, alone on standard output, and no book is made.
TEST(QuorvelCli, VersaoSai0SemGerar) {
  TPastaCli pasta;
  const TExecucao r = Correr(pasta, "--version");
  EXPECT_EQ(r.Codigo, 0) << r.Erro;
  EXPECT_EQ(r.Saida, "quorvel-cli " QUORVEL_VERSAO "\n");
  EXPECT_EQ(r.Erro, "");
  EXPECT_EQ(pasta.Entradas(), 0u);
}

// The puzzle can come on standard input; the answer is on standard output.
TEST(QuorvelCli, ResolverDaEntradaPadrao) {
  TPastaCli pasta;
  EscreverFicheiro(pasta / "p.txt", CPuzzle);
  const TExecucao r = Correr(pasta, "resolver - < p.txt");
  EXPECT_EQ(r.Codigo, 0) << r.Erro;
  EXPECT_NE(r.Saida.find("Soluções: exatamente uma.\n"), std::string::npos) << r.Saida;
  EXPECT_EQ(r.Erro, "");
  EXPECT_EQ(Correr(pasta, "resolver - < /dev/null").Codigo, 2);
}

// What gives Portuguese away in a text meant to be English: an accented
// letter, or a word that only a Portuguese sentence has. The option names and
// values stay Portuguese in either language, and none of these is one.
std::string Portugues(const std::string& ATexto) {
  for (const char* sinal : {"á", "à", "â", "ã", "ç", "é", "ê", "í", "ó", "ô", "õ", "ú", "Á", "Ç", "É", "Ó"})
    if (ATexto.find(sinal) != std::string::npos) return sinal;
  for (const char* palavra : {" de ", " em ", " um ", " uma ", " não ", " que ", " para ", " por ", " com ", "ficheiro",
                              "gravad", "gerad", "tentativa", "omissão", "Uso", "nenhum", "Soluções", "linha"})
    if (ATexto.find(palavra) != std::string::npos) return palavra;
  return {};
}

// Under an English locale, on a system where none is installed, every word the
// program says is English: its help, a bad option, a refused book, the files
// it cannot write, a whole book with its progress and end lines, and
// resolver's report. Under no locale, or a Portuguese one, it says what it
// always said.
TEST(QuorvelCli, FalaOIdiomaDoLocale) {
  TPastaCli pasta;
  EscreverFicheiro(pasta / "p.txt", CPuzzle);
  // T2 pairs the 5 with 53, which the box does not hold.
  EscreverFicheiro(pasta / "contradicao.txt",
                   "leis SIM\ncaixa 5 7 9 11 14 16 22 24 27 31 36 44 47 51 56 64\n5 . . .\n. . . .\n. . . .\n. . . .\n");
  const std::string ingles = "LANG=en_US.UTF-8", nenhum = "env -u LANG", portugues = "LANG=pt_PT.UTF-8";
  const std::string livro =
      "--puzzles 2 --tamanho 4 --nivel 1 --semente 0000002a --formato 6x9 --papel creme --impressao "
      "-o miolo.pdf --capa capa.pdf --json livro.json";
  const struct {
    std::string args;
    int codigo;
    std::string pt, en;  // the start of what the program writes, standard output then standard error
  } casos[] = {
      {"--help", 0,
       "quorvel-cli: gera um livro de puzzles de grelhas numéricas e grava-o em PDF.\n"
       "Uso: quorvel-cli [OPÇÕES] [SUBCOMANDO]\n\nOpções:\n  -h,--help,--ajuda           Mostra esta ajuda e sai\n",
       "quorvel-cli: makes a book of number-grid puzzles and writes it as PDF.\n"
       "Usage: quorvel-cli [OPTIONS] [SUBCOMMAND]\n\nOptions:\n  -h,--help,--ajuda           Print this help and exit\n"},
      {"resolver --help", 0, "Resolve e verifica um puzzle que traz: passos, soluções e nível\n",
       "Solve and check a puzzle you bring: steps, solutions and level\n"},
      {"--tamanho 9", 2,
       "--tamanho: o lado da grelha é um número de 4 a 7, não \"9\".\nUse quorvel-cli --help para ver as opções.\n",
       "--tamanho: the side of the grid is a number from 4 to 7, not \"9\".\nUse quorvel-cli --help to see the options.\n"},
      {"--silencioso=sim", 2, "--silencioso: esta opção não leva valor.\n", "--silencioso: this option takes no value.\n"},
      {"--desconhecida", 2, "Opção ou argumento desconhecido: \"--desconhecida\".\n",
       "Unknown option or argument: \"--desconhecida\".\n"},
      {"--nivel P --puzzles 3", 2,
       "Na dificuldade Progressiva, o livro precisa de pelo menos 5 puzzles (um por nível).\n",
       "At the Progressive difficulty, the book needs at least 5 puzzles (one for each level).\n"},
      {"--nivel P --leis Ordem,Simetria --silencioso", 1,
       "Não foi possível terminar o livro: O nível 3 não tem nenhuma receita com as leis escolhidas em 5x5\n",
       "The book could not be finished: Level 3 has no recipe with the laws chosen on 5x5\n"},
      {"--puzzles 1 --nivel 1 -o nao/x.pdf", 1, "Não foi possível gravar o ficheiro nao/x.pdf: a pasta não existe.\n",
       "The file nao/x.pdf could not be written: the folder does not exist.\n"},
      {livro, 0,
       "PDF gravado em miolo.pdf\n"
       "Edição para impressão: 6 × 9 pol., 24 páginas, medianiz de 9,5 mm (0,375 pol.), 8 páginas em branco no fim.\n"
       "Capa gravada em capa.pdf: 12,310 × 9,250 pol. (312,7 × 235,0 mm), lombada de 0,060 pol. (1,5 mm), papel "
       "creme.\nJSON gravado em livro.json\nLivro gerado: 2 puzzles, 24 páginas. Código do livro: 0000002A\n"
       "1/2 · 1 tentativas · A gerar o puzzle 2 de 2 (nível 1, TAB)\n"
       "2/2 · 2 tentativas · Livro completo: 2 de 2 puzzles gerados\n",
       "PDF written to miolo.pdf\n"
       "Print edition: 6 × 9 in, 24 pages, gutter of 9.5 mm (0.375 in), 8 blank pages at the end.\n"
       "Cover written to capa.pdf: 12.310 × 9.250 in (312.7 × 235.0 mm), spine of 0.060 in (1.5 mm), cream paper.\n"
       "JSON written to livro.json\nBook made: 2 puzzles, 24 pages. Book code: 0000002A\n"
       "1/2 · 1 attempt · Making puzzle 2 of 2 (level 1, TAB)\n"
       "2/2 · 2 attempts · Book complete: 2 of 2 puzzles made\n"},
      {"resolver p.txt", 0, "Puzzle 4x4, leis SOM-D+SIM.\n\nPassos da dedução:\n   1. L4C3 = 79 - 47 = 32\n",
       "Puzzle 4x4, laws SOM-D+SIM.\n\nSteps of the deduction:\n   1. R4C3 = 79 - 47 = 32\n"},
      {"resolver --puzzle 3 livro.json", 2, "--puzzle: o livro tem 2 puzzles; o 3 não existe.\n",
       "--puzzle: the book has 2 puzzles; there is no puzzle 3.\n"},
  };
  for (const auto& c : casos) {
    for (const std::string& ambiente : {nenhum, portugues, ingles}) {
      const TExecucao r = Correr(pasta, c.args, ambiente);
      const std::string& esperado = ambiente == ingles ? c.en : c.pt;
      EXPECT_EQ(r.Codigo, c.codigo) << ambiente << ' ' << c.args << '\n' << r.Erro;
      EXPECT_EQ((r.Saida + r.Erro).substr(0, esperado.size()), esperado) << ambiente << ' ' << c.args;
      if (ambiente == ingles) {
        EXPECT_EQ(Portugues(r.Saida + r.Erro), "") << c.args << '\n' << r.Saida << r.Erro;
      }
    }
  }
  // The whole of the English help and report, and a contradiction resolver
  // meets, are English too; LANGUAGE wins over LANG unless the locale is C.
  for (const char* args : {"--help", "resolver --help", "resolver p.txt", "resolver contradicao.txt"}) {
    const TExecucao r = Correr(pasta, args, "LANGUAGE=en LANG=C.UTF-8");
    EXPECT_EQ(Portugues(r.Saida + r.Erro), "") << args << '\n' << r.Saida << r.Erro;
  }
  EXPECT_NE(Correr(pasta, "resolver contradicao.txt", ingles)
                .Saida.find("By deduction alone: no; deduction reaches a contradiction (T2 gave 53, which is not in the "
                            "box).\n"),
            std::string::npos);
  EXPECT_EQ(Correr(pasta, "--help", "LANGUAGE=en LANG=C").Saida, Correr(pasta, "--help", nenhum).Saida);
}

// With SOURCE_DATE_EPOCH two runs of one book code give the same bytes, the
// technical sheet dated by it; a value that is no number is ignored, said so.
TEST(QuorvelCli, SourceDateEpochDaBytesIguais) {
  TPastaCli pasta;
  const std::string livro = "--puzzles 1 --tamanho 4 --nivel 1 --semente 00000003 --silencioso ";
  for (const char* nome : {"a.pdf", "b.pdf"}) {
    const TExecucao r = Correr(pasta, livro + "-o " + nome, CDataFixa);
    ASSERT_EQ(r.Codigo, 0) << r.Erro;
    EXPECT_EQ(r.Erro, "");
  }
  EXPECT_TRUE(LerFicheiro(pasta / "a.pdf") == LerFicheiro(pasta / "b.pdf"));
  EXPECT_NE(Executar("pdfinfo '" + (pasta / "a.pdf") + "'").find("Nov 14"), std::string::npos);
  EXPECT_NE(Executar("pdftotext '" + (pasta / "a.pdf") + "' -").find("14/11/2023"), std::string::npos);

  const TExecucao r = Correr(pasta, livro + "-o c.pdf", "SOURCE_DATE_EPOCH=ontem");
  EXPECT_EQ(r.Codigo, 0);
  EXPECT_EQ(r.Erro, "Aviso: SOURCE_DATE_EPOCH=\"ontem\" não é um número de segundos desde 1970; fica a data de hoje.\n");
}

// The default Portuguese A4 book is pinned, byte for byte, whatever else the
// program learns to make.
TEST(QuorvelCli, LivroPadraoIgualAoFixado) {
  std::istringstream fixado(LerFicheiro(QUORVEL_LIVROS_DOURADOS "/padrao.pdf.sha256"));
  std::string linha;
  while (std::getline(fixado, linha) && (linha.empty() || linha[0] == '#')) continue;
  const std::string hash = linha.substr(0, linha.find(' ')), opcoes = linha.substr(linha.find(' ') + 1);
  TPastaCli pasta;
  const TExecucao r = Correr(pasta, opcoes + " --silencioso -o livro.pdf", CDataFixa);
  ASSERT_EQ(r.Codigo, 0) << r.Erro;
  const std::string obtido = Executar("sha256sum '" + (pasta / "livro.pdf") + "'");
  EXPECT_EQ(obtido.substr(0, obtido.find(' ')), hash);
}

// Memory that runs out ends the run with a message and exit 1, never an
// abort, and leaves no temporary file behind. The sanitizer's allocator
// stands in for a small machine: it refuses any block above 1 MiB.
TEST(QuorvelCli, SemMemoriaSai1SemDeixarNada) {
#ifndef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "precisa do alocador do AddressSanitizer";
#endif
  TPastaCli pasta;
  const TExecucao r = Correr(pasta,
                             "--puzzles 2 --tamanho 4 --nivel 1 --semente 00000001 --silencioso -o m.pdf --json m.json",
                             "ASAN_OPTIONS=allocator_may_return_null=1:max_allocation_size_mb=1");
  EXPECT_EQ(r.Codigo, 1) << r.Erro;
  EXPECT_NE(r.Erro.find("memória insuficiente"), std::string::npos) << r.Erro;
  EXPECT_EQ(r.Erro.find("terminate"), std::string::npos) << r.Erro;
  EXPECT_EQ(pasta.Entradas(), 0u);
}

// SIGKILL, at any moment of a run, leaves the old book or the new one, each
// file whole, and nothing else in the folder: no temporary file ever has a
// name there before it is complete.
TEST(QuorvelCli, MortoAQualquerMomentoNaoDeixaRasto) {
  const std::string livro =
      "--puzzles 40 --tamanho 4 --nivel 1 --silencioso -o livro.pdf --json livro.json --capa capa.pdf --semente ";
  TPastaCli pasta, novos;
  ASSERT_EQ(Correr(pasta, livro + "00000001", CDataFixa).Codigo, 0);
  const auto inicio = std::chrono::steady_clock::now();
  ASSERT_EQ(Correr(novos, livro + "00000002", CDataFixa).Codigo, 0);
  const auto duracao = std::chrono::steady_clock::now() - inicio;
  const std::set<std::string> pdfs{LerFicheiro(pasta / "livro.pdf"), LerFicheiro(novos / "livro.pdf")};
  const std::set<std::string> jsons{LerFicheiro(pasta / "livro.json"), LerFicheiro(novos / "livro.json")};
  const std::set<std::string> capas{LerFicheiro(pasta / "capa.pdf"), LerFicheiro(novos / "capa.pdf")};
  ASSERT_EQ(pdfs.size(), 2u);
  ASSERT_EQ(capas.size(), 2u);
  const std::set<std::string> completos{LerFicheiro(novos / "livro.pdf"), LerFicheiro(novos / "livro.json"),
                                     LerFicheiro(novos / "capa.pdf")};

  constexpr int CMortes = 25;
  for (int k = 0; k < CMortes; ++k) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const int nada = ::open("/dev/null", O_WRONLY);
      ::dup2(nada, STDOUT_FILENO);
      ::dup2(nada, STDERR_FILENO);
      if (::chdir(pasta.Caminho().c_str()) != 0) ::_exit(127);
      ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
      ::execl(QUORVEL_CLI, QUORVEL_CLI, "--puzzles", "40", "--tamanho", "4", "--nivel", "1", "--silencioso", "-o",
              "livro.pdf", "--json", "livro.json", "--capa", "capa.pdf", "--semente", "00000002",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // From the start to just past the end of a whole run.
    std::this_thread::sleep_for(duracao * (k + 0.5) / (CMortes - 2));
    ::kill(pid, SIGKILL);
    int estado = 0;
    ::waitpid(pid, &estado, 0);

    // Replacing a file takes two names, the second one a hidden link to the
    // finished file renamed over the old one: a kill in the instant between
    // them leaves that link, whole, which the next write takes away.
    std::set<std::string> nomes;
    for (const auto& e : std::filesystem::directory_iterator(pasta.Caminho())) {
      const std::string nome = e.path().filename();
      if (nome[0] == '.') {
        EXPECT_NE(nome.find("." + std::to_string(pid) + "."), std::string::npos) << nome;
        EXPECT_EQ(completos.count(LerFicheiro(e.path().string())), 1u) << nome;
        continue;
      }
      nomes.insert(nome);
    }
    EXPECT_EQ(nomes, (std::set<std::string>{"capa.pdf", "livro.json", "livro.pdf"})) << "morte " << k;
    EXPECT_EQ(pdfs.count(LerFicheiro(pasta / "livro.pdf")), 1u) << "morte " << k;
    EXPECT_EQ(jsons.count(LerFicheiro(pasta / "livro.json")), 1u) << "morte " << k;
    EXPECT_EQ(capas.count(LerFicheiro(pasta / "capa.pdf")), 1u) << "morte " << k;
  }
  ASSERT_EQ(Correr(pasta, livro + "00000002", CDataFixa).Codigo, 0);
  EXPECT_EQ(pasta.Entradas(), 3u);
}

// A series writes its volumes as name_volKK; one volume asked alone is, byte
// for byte, that volume of the whole run.
TEST(QuorvelCli, SerieEUmVolumeSo) {
  const std::string serie =
      "--volumes 3 --puzzles 4 --tamanho 4 --nivel 2 --semente 0000ABCD --silencioso -o s.pdf --json s.json ";
  TPastaCli toda, so;
  const TExecucao r = Correr(toda, serie, CDataFixa);
  ASSERT_EQ(r.Codigo, 0) << r.Erro;
  EXPECT_EQ(toda.Entradas(), 6u);
  EXPECT_NE(r.Saida.find("Volume 3 de 3 gerado: 4 puzzles, "), std::string::npos) << r.Saida;
  EXPECT_NE(r.Saida.find("; código da série: 0000ABCD\n"), std::string::npos) << r.Saida;
  const TExecucao r2 = Correr(so, serie + "--volume 2", CDataFixa);
  ASSERT_EQ(r2.Codigo, 0) << r2.Erro;
  EXPECT_EQ(so.Entradas(), 2u);
  for (const char* nome : {"s_vol02.pdf", "s_vol02.json"})
    EXPECT_TRUE(LerFicheiro(so / nome) == LerFicheiro(toda / nome)) << nome;
  EXPECT_NE(Executar("pdftotext '" + (toda / "s_vol02.pdf") + "' -").find("Volume 2"), std::string::npos);
}

// The program run with AArgumentos, its standard error read as it comes, and
// one Ctrl-C sent as soon as that error holds AGatilho; the exit code (-1 when
// the program did not end on its own) and everything it wrote there.
std::pair<int, std::string> InterromperQuando(const std::vector<std::string>& AArgumentos,
                                              const std::string& AGatilho) {
  std::vector<const char*> argv{QUORVEL_CLI};
  for (const std::string& a : AArgumentos) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  int tubo[2];
  if (::pipe(tubo) != 0) return {-1, "pipe"};
  const pid_t pid = ::fork();
  if (pid < 0) return {-1, "fork"};
  if (pid == 0) {
    ::dup2(tubo[1], STDERR_FILENO);
    ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
    ::close(tubo[0]);
    ::close(tubo[1]);
    ::execv(argv[0], const_cast<char* const*>(argv.data()));
    ::_exit(127);
  }
  ::close(tubo[1]);
  const auto prazo = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  std::string erro;
  bool interrompido = false, terminou = false;
  while (!terminou && std::chrono::steady_clock::now() < prazo) {
    pollfd p{tubo[0], POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    char bloco[512];
    const ssize_t n = ::read(tubo[0], bloco, sizeof bloco);
    terminou = n <= 0;
    if (n > 0) erro.append(bloco, static_cast<std::size_t>(n));
    if (!interrompido && erro.find(AGatilho) != std::string::npos) interrompido = ::kill(pid, SIGINT) == 0;
  }
  ::close(tubo[0]);
  if (!terminou) ::kill(pid, SIGKILL);
  int estado = 0;
  ::waitpid(pid, &estado, 0);
  EXPECT_TRUE(interrompido) << erro;
  return {terminou && WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, erro};
}

TEST(QuorvelCli, CtrlCCancelaSemGravarNada) {
  TPastaCli pasta;
  // Interrupt once the first puzzle is in.
  const auto [codigo, erro] = InterromperQuando(
      {"--puzzles", "200", "--tamanho", "7", "--semente", "00000001", "-o", pasta / "grande.pdf", "--json",
       pasta / "grande.json"},
      "\n");
  EXPECT_EQ(codigo, 130);
  EXPECT_NE(erro.find("Geração cancelada aos "), std::string::npos) << erro;
  EXPECT_NE(erro.find(" de 200 puzzles. Nada foi gravado.\n"), std::string::npos) << erro;
  EXPECT_EQ(pasta.Entradas(), 0u);
}

// Ctrl-C stops a series; the volumes already written stay, whole.
TEST(QuorvelCli, CtrlCParaASerieEGuardaOsVolumesFeitos) {
  TPastaCli pasta;
  const auto [codigo, erro] = InterromperQuando({"--volumes", "3", "--puzzles", "40", "--tamanho", "5", "--nivel",
                                                 "1", "--semente", "00000002", "-o", pasta / "s.pdf"},
                                                "Volume 2 de 3 · ");
  EXPECT_EQ(codigo, 130);
  EXPECT_NE(erro.find("Os volumes anteriores ficaram gravados; deste, nada.\n"), std::string::npos) << erro;
  EXPECT_TRUE(std::filesystem::exists(pasta / "s_vol01.pdf"));
  EXPECT_FALSE(std::filesystem::exists(pasta / "s_vol03.pdf"));
  for (const auto& e : std::filesystem::directory_iterator(pasta.Caminho())) {
    EXPECT_EQ(e.path().extension(), ".pdf") << e.path();
    Executar("qpdf --check '" + e.path().string() + "'");
  }
}

}  // namespace
}  // namespace cadrel
