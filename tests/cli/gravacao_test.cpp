#include "cli/gravacao.hpp"

#include <sys/resource.h>

#include <csignal>
#include <string>

#include <gtest/gtest.h>

#include "apoio.hpp"
#include "apoio_cli.hpp"

namespace cadrel {
namespace {

TEST(GravarFicheiroAtomico, SubstituiOFicheiroSemDeixarTemporarios) {
  TPastaCli pasta;
  const std::string alvo = pasta / "livro.json";
  GravarFicheiroAtomico(alvo, "primeiro");
  GravarFicheiroAtomico(alvo, "segundo, mais comprido");
  EXPECT_EQ(LerFicheiro(alvo), "segundo, mais comprido");
  EXPECT_EQ(pasta.Entradas(), 1u);
}

TEST(GravarFicheiroAtomico, UmaFalhaNaoTocaNoQueExisteNemDeixaTemporarios) {
  TPastaCli pasta;

  // The target is a folder: the complete temporary file cannot replace it.
  const std::string umaPasta = pasta / "livro.json";
  std::filesystem::create_directory(umaPasta);
  EXPECT_EQ(Mensagem([&] { GravarFicheiroAtomico(umaPasta, "{}"); }),
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
  const std::string mensagem = Mensagem([&] { GravarFicheiroAtomico(alvo, "um livro novo e completo"); });
  setrlimit(RLIMIT_FSIZE, &antes);
  std::signal(SIGXFSZ, sinalAntes);
  EXPECT_EQ(mensagem.rfind("Não foi possível gravar o ficheiro " + alvo + ": ", 0), 0u) << mensagem;
  EXPECT_EQ(LerFicheiro(alvo), "antigo");
  EXPECT_EQ(pasta.Entradas(), 2u);

  EXPECT_EQ(Mensagem([&] { GravarFicheiroAtomico(pasta / "nao/existe.json", "{}"); }),
            "Não foi possível gravar o ficheiro " + (pasta / "nao/existe.json") + ": a pasta não existe.");
  EXPECT_EQ(Mensagem([&] { VerificarPastaDestino(pasta / "nao/existe.json"); }),
            "Não foi possível gravar o ficheiro " + (pasta / "nao/existe.json") + ": a pasta não existe.");
  EXPECT_EQ(Mensagem([&] { VerificarPastaDestino("livro.json"); }), "(nenhum erro)");
}

}  // namespace
}  // namespace cadrel
