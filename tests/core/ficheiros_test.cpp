#include "core/ficheiros.hpp"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "apoio.hpp"
#include "cli/apoio_cli.hpp"

namespace cadrel {
namespace {

// Both ways of keeping the file until it is complete: the unnamed one, and the
// hidden name that file systems without unnamed files get.
constexpr TModoTemporario CModos[] = {mtSemNome, mtComNome};

TEST(GravarFicheiroAtomico, SubstituiOFicheiroSemDeixarTemporarios) {
  for (const TModoTemporario modo : CModos) {
    TPastaCli pasta;
    const std::string alvo = pasta / "livro.json";
    GravarFicheiroAtomico(alvo, "primeiro", modo);
    GravarFicheiroAtomico(alvo, "segundo, mais comprido", modo);
    EXPECT_EQ(LerFicheiro(alvo), "segundo, mais comprido") << modo;
    EXPECT_EQ(pasta.Entradas(), 1u) << modo;
  }
}

TEST(GravarFicheiroAtomico, UmaFalhaNaoTocaNoQueExisteNemDeixaTemporarios) {
  for (const TModoTemporario modo : CModos) {
    TPastaCli pasta;

    // The target is a folder: the complete temporary file cannot replace it.
    const std::string umaPasta = pasta / "livro.json";
    std::filesystem::create_directory(umaPasta);
    EXPECT_EQ(Mensagem([&] { GravarFicheiroAtomico(umaPasta, "{}", modo); }),
              "Não foi possível gravar o ficheiro " + umaPasta + ": o destino é uma pasta.");
    EXPECT_TRUE(std::filesystem::is_directory(umaPasta));
    EXPECT_EQ(pasta.Entradas(), 1u);

    // The write itself fails halfway: a file size limit stands in for a full disk.
    const std::string alvo = pasta / "antigo.json";
    EscreverFicheiro(alvo, "antigo");
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    rlimit limite = antes;
    limite.rlim_cur = 4;
    const auto sinalAntes = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const std::string mensagem = Mensagem([&] { GravarFicheiroAtomico(alvo, "um livro novo e completo", modo); });
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinalAntes);
    EXPECT_EQ(mensagem.rfind("Não foi possível gravar o ficheiro " + alvo + ": ", 0), 0u) << mensagem;
    EXPECT_EQ(LerFicheiro(alvo), "antigo");
    EXPECT_EQ(pasta.Entradas(), 2u) << modo;
  }
}

// A name as long as a name may be is still written: the temporary name beside
// it is cut, not the target. The file gets the mode a new file gets.
TEST(GravarFicheiroAtomico, NomeMaximoEModoDeFicheiroNovo) {
  for (const TModoTemporario modo : CModos) {
    TPastaCli pasta;
    const std::string alvo = pasta / (std::string(250, 'n') + ".json");
    const mode_t antes = ::umask(027);
    GravarFicheiroAtomico(alvo, "{}", modo);
    GravarFicheiroAtomico(alvo, "{}", modo);
    ::umask(antes);
    EXPECT_EQ(LerFicheiro(alvo), "{}");
    EXPECT_EQ(std::filesystem::status(alvo).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(pasta.Entradas(), 1u) << modo;
  }
}

// The hidden name fits the folder's own limit, which may be shorter than the
// usual 255 bytes, and a cut never splits a character.
TEST(NomeTemporario, CabeNoLimiteDaPasta) {
  const struct {
    std::string ficheiro;
    long limite;
    std::string esperado;
  } casos[] = {
      {"livro.pdf", 255, "./.livro.pdf.42.0.tmp"},
      {"/p/livro.pdf", 255, "/p/.livro.pdf.42.0.tmp"},
      {"/p/livro.pdf", 16, "/p/.livro..42.0.tmp"},
      {"/p/soluções.pdf", 18, "/p/.soluçõ.42.0.tmp"},
      {"/p/soluções.pdf", 17, "/p/.soluç.42.0.tmp"},
  };
  for (const auto& c : casos) {
    const std::string nome = NomeTemporario(c.ficheiro, c.limite, 42, 0);
    EXPECT_EQ(nome, c.esperado);
    EXPECT_LE(static_cast<long>(std::filesystem::path(nome).filename().string().size()), c.limite) << nome;
  }
}

// What a killed process left under a hidden name beside a target goes with
// the next write of that target; what a living process is writing, and names
// that only look alike, stay.
TEST(GravarFicheiroAtomico, RemoveORestoDeUmProcessoQueMorreu) {
  TPastaCli pasta;
  const std::string alvo = pasta / "livro.pdf";
  const pid_t morto = ::fork();
  if (morto == 0) ::_exit(0);
  ASSERT_GT(morto, 0);
  ::waitpid(morto, nullptr, 0);
  const std::string resto = NomeTemporario(alvo, 255, morto, 0);
  const std::string vivo = NomeTemporario(alvo, 255, ::getpid(), 7);
  const std::string outro = NomeTemporario(pasta / "outro.pdf", 255, morto, 0);
  for (const std::string& f : {resto, vivo, outro}) EscreverFicheiro(f, "%PDF-");
  GravarFicheiroAtomico(alvo, "novo");
  EXPECT_FALSE(std::filesystem::exists(resto));
  EXPECT_TRUE(std::filesystem::exists(vivo));
  EXPECT_TRUE(std::filesystem::exists(outro));
  EXPECT_EQ(LerFicheiro(alvo), "novo");
}

// Every destination that cannot be written is refused before any work, with
// its own reason, and nothing is left behind; a good one is left untouched.
TEST(VerificarDestino, MotivosEmPortugues) {
  TPastaCli pasta;
  EscreverFicheiro(pasta / "ficheiro", "x");
  std::filesystem::create_directory(pasta / "pasta.pdf");
  const struct {
    std::string alvo;
    const char* motivo;
  } casos[] = {
      {pasta / "nao/existe.json", "a pasta não existe"},
      {"/proc/version", "não é possível criar ficheiros nessa pasta"},
      {"/sys/quorvel.json", "não há permissão para escrever aí"},
      {pasta / (std::string(300, 'x') + ".pdf"), "o nome do ficheiro é comprido demais"},
      {pasta / "ficheiro/livro.pdf", "uma parte do caminho não é uma pasta"},
      {pasta / "pasta.pdf", "o destino é uma pasta"},
  };
  for (const TModoTemporario modo : CModos) {
    for (const auto& c : casos) {
      EXPECT_EQ(Mensagem([&] { VerificarDestino(c.alvo, modo); }),
                "Não foi possível gravar o ficheiro " + c.alvo + ": " + c.motivo + ".")
          << modo;
      EXPECT_EQ(Mensagem([&] { GravarFicheiroAtomico(c.alvo, "{}", modo); }),
                "Não foi possível gravar o ficheiro " + c.alvo + ": " + c.motivo + ".")
          << modo;
    }
    EXPECT_EQ(Mensagem([&] { VerificarDestino(pasta / "livro.json", modo); }), "(nenhum erro)");
    EXPECT_EQ(Mensagem([&] { VerificarDestino("livro.json", modo); }), "(nenhum erro)");
    EXPECT_EQ(pasta.Entradas(), 2u);
  }
}

}  // namespace
}  // namespace cadrel
