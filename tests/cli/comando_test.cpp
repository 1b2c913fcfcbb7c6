// The real program, run as a user runs it, on tiny books.
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>

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

// Runs the program in APasta with the arguments as a shell would split them.
TExecucao Correr(const TPastaTemporaria& APasta, const std::string& AArgs) {
  const TPastaTemporaria registo("_registo");
  const std::string comando = "cd '" + APasta.Caminho().string() + "' && '" QUORVEL_CLI "' " + AArgs + " >'" +
                              (registo / "saida") + "' 2>'" + (registo / "erro") + "'";
  const int estado = std::system(comando.c_str());
  return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, LerFicheiro(registo / "saida"),
          LerFicheiro(registo / "erro")};
}

std::size_t Linhas(const std::string& t) {
  return static_cast<std::size_t>(std::count(t.begin(), t.end(), '\n'));
}

TEST(QuorvelCli, GravaOLivroComONomePorOmissaoEMostraUmaLinhaPorPuzzle) {
  TPastaTemporaria pasta;
  const TExecucao r = Correr(pasta, "--puzzles 2 --tamanho 4 --nivel 1 --semente 0000002a");
  ASSERT_EQ(r.Codigo, 0) << r.Erro;
  EXPECT_EQ(r.Saida.rfind("Livro gerado: 2 puzzles em ", 0), 0u) << r.Saida;
  EXPECT_NE(r.Saida.find(" tentativas. Código do livro: 0000002A\n"), std::string::npos) << r.Saida;
  EXPECT_EQ(Linhas(r.Erro), 2u) << r.Erro;  // not a terminal: one line per accepted puzzle
  const std::string json = LerFicheiro(pasta / "Quorvel_4x4_N1_2.json");
  ASSERT_FALSE(json.empty());
  EXPECT_EQ(nlohmann::json::parse(json)["codigo"], "0000002A");
  EXPECT_EQ(pasta.Entradas(), 1u);

  // The same code gives the same book; --silencioso leaves only the PDF notice.
  const TExecucao s =
      Correr(pasta, "--puzzles 2 --tamanho 4 --nivel 1 --semente 0000002A --silencioso -o outro.pdf");
  ASSERT_EQ(s.Codigo, 0) << s.Erro;
  EXPECT_EQ(s.Erro, "Aviso: o PDF ainda não está disponível; grava-se só o JSON, em outro.json.\n");
  EXPECT_EQ(LerFicheiro(pasta / "outro.json"), json);
}

TEST(QuorvelCli, LivroQueAsLeisNaoServemSaiCom1ENaoTocaNoFicheiro) {
  TPastaTemporaria pasta;
  EscreverFicheiro(pasta / "x.json", "antigo");
  const TExecucao r = Correr(pasta, "--nivel P --leis Ordem,Simetria --json x.json --silencioso");
  EXPECT_EQ(r.Codigo, 1);
  EXPECT_EQ(
      r.Erro,
      "Não foi possível terminar o livro: O nível 3 não tem nenhuma receita com as leis escolhidas em 5x5\n");
  EXPECT_EQ(LerFicheiro(pasta / "x.json"), "antigo");
  EXPECT_EQ(pasta.Entradas(), 1u);
}

TEST(QuorvelCli, CtrlCCancelaSemGravarNada) {
  TPastaTemporaria pasta;
  const std::string alvo = pasta / "grande.json";
  const char* const argv[] = {QUORVEL_CLI, "--puzzles", "200",    "--tamanho",  "7",
                              "--semente", "00000001",  "--json", alvo.c_str(), nullptr};
  int tubo[2];
  ASSERT_EQ(::pipe(tubo), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::dup2(tubo[1], STDERR_FILENO);
    ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
    ::close(tubo[0]);
    ::close(tubo[1]);
    ::execv(argv[0], const_cast<char* const*>(argv));
    ::_exit(127);
  }
  ::close(tubo[1]);

  // Interrupt once the first puzzle is in, then read until the program ends.
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
    if (!interrompido && erro.find('\n') != std::string::npos) interrompido = ::kill(pid, SIGINT) == 0;
  }
  ::close(tubo[0]);
  if (!terminou) ::kill(pid, SIGKILL);
  int estado = 0;
  ::waitpid(pid, &estado, 0);

  ASSERT_TRUE(terminou) << "o programa não terminou a tempo";
  EXPECT_TRUE(interrompido);
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 130);
  EXPECT_NE(erro.find("Geração cancelada aos "), std::string::npos) << erro;
  EXPECT_NE(erro.find(" de 200 puzzles. Nada foi gravado.\n"), std::string::npos) << erro;
  EXPECT_EQ(pasta.Entradas(), 0u);
}

}  // namespace
}  // namespace cadrel
