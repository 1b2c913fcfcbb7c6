#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apoio_cli.hpp"
#include "cli/json_livro.hpp"
#include "cli/opcoes.hpp"
#include "generation/livro.hpp"

namespace cadrel {
namespace {

struct TLivroDourado {
  std::string Nome;
  std::vector<std::string> Argumentos;
};

std::vector<TLivroDourado> LerLista() {
  std::ifstream lista(std::string(QUORVEL_LIVROS_DOURADOS) + "/livros.txt");
  std::vector<TLivroDourado> livros;
  for (std::string linha; std::getline(lista, linha);) {
    if (linha.empty() || linha.front() == '#') continue;
    std::istringstream palavras(linha);
    TLivroDourado livro;
    palavras >> livro.Nome;
    livro.Argumentos.push_back("quorvel-cli");
    for (std::string a; palavras >> a;) livro.Argumentos.push_back(a);
    livros.push_back(std::move(livro));
  }
  return livros;
}

TConfigLivro ConfigDe(const TLivroDourado& ALivro) {
  std::vector<const char*> argv;
  for (const std::string& a : ALivro.Argumentos) argv.push_back(a.c_str());
  const TAnaliseOpcoes analise = AnalisarOpcoes(static_cast<int>(argv.size()), argv.data());
  EXPECT_EQ(analise.Desfecho, TDesfechoOpcoes::doGerar) << analise.Texto;
  TConfigLivro config = analise.Opcoes.Config;
  config.Semente = analise.Opcoes.Semente.value_or(0);
  return config;
}

// Where two texts part, with a little of each around it.
std::string Diferenca(const std::string& AEsperado, const std::string& AObtido) {
  std::size_t i = 0;
  while (i < AEsperado.size() && i < AObtido.size() && AEsperado[i] == AObtido[i]) ++i;
  const std::size_t inicio = i < 80 ? 0 : i - 80;
  return "byte " + std::to_string(i) + "\n  esperado: " + AEsperado.substr(inicio, 160) +
         "\n  obtido:   " + AObtido.substr(inicio, 160);
}

// A book code is a contract: the same configuration and seed give the same
// book on every version, draw for draw, and for any number of threads.
class LivrosDourados : public testing::TestWithParam<std::int32_t> {};

TEST_P(LivrosDourados, IguaisByteAByte) {
  const std::vector<TLivroDourado> livros = LerLista();
  ASSERT_GE(livros.size(), 6u);
  for (const TLivroDourado& livro : livros) {
    SCOPED_TRACE(livro.Nome);
    const std::string esperado = LerFicheiro(std::string(QUORVEL_LIVROS_DOURADOS) + "/" + livro.Nome + ".json");
    ASSERT_FALSE(esperado.empty());
    const std::string obtido = LivroParaJson(TGeradorLivro(GetParam()).Gerar(ConfigDe(livro)));
    EXPECT_TRUE(obtido == esperado) << Diferenca(esperado, obtido);
  }
}

INSTANTIATE_TEST_SUITE_P(Tarefas, LivrosDourados, testing::Values(1, 2, 8));

}  // namespace
}  // namespace cadrel
