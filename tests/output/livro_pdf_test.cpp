// Whole books, generated and written as PDF, read back with the poppler tools.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <thread>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "book/compositor.hpp"
#include "drawing/fontes.hpp"
#include "output/livro_pdf.hpp"
#include "ferramentas_pdf.hpp"
#include "generation/livro.hpp"

namespace cadrel {
namespace {

namespace fs = std::filesystem;

struct TCasoLivro {
  std::int32_t N;
  std::int32_t Nivel;
  std::int32_t NumPuzzles;
  bool Caminho;  // hints: two solutions a page instead of four (but on 4 x 4)
};

TLivro GerarLivro(const TCasoLivro& ACaso) {
  TConfigLivro config;
  config.NumPuzzles = ACaso.NumPuzzles;
  config.N = ACaso.N;
  config.Nivel = ACaso.Nivel;
  config.Leis = TConjuntoLeis::DeCodigo(31);
  config.Caminho = ACaso.Caminho;
  config.Semente = 0x2A;
  return TGeradorLivro().Gerar(config);
}

// The page sizes that pdfinfo lists, one per page: "595 x 842 pts (A4)".
std::vector<std::string> TamanhosPaginas(const std::string& AInfo) {
  std::vector<std::string> tamanhos;
  std::istringstream linhas(AInfo);
  for (std::string linha; std::getline(linhas, linha);) {
    const auto i = linha.find(" size:");
    if (linha.rfind("Page ", 0) == 0 && i != std::string::npos)
      tamanhos.push_back(linha.substr(linha.find_first_not_of(' ', i + 6)));
  }
  return tamanhos;
}

// The text of every page in drawing order; pdftotext ends each one with a
// form feed. Its layout mode would join "5 × 5" into "5×5".
std::vector<std::string> TextoPorPagina(const std::string& APdf) {
  std::vector<std::string> paginas;
  std::istringstream texto(Executar("pdftotext -raw -enc UTF-8 '" + APdf + "' -"));
  for (std::string pagina; std::getline(texto, pagina, '\f');) paginas.push_back(pagina);
  return paginas;
}

// What each page kind must show, so that a page missing or out of place in
// the file stands out.
std::vector<std::string> TextosEsperados(const TLivro& ALivro, const TDescPagina& ADesc) {
  switch (ADesc.Tipo) {
    case pgCapa:
      return {"VELMARO", "QUORVEL", fmt::format("{} puzzles", ALivro.Puzzles.size()),
              TextoTamanho(ALivro.Config.N)};
    case pgRegras: return ADesc.Primeiro == 0 ? std::vector<std::string>{"Regras"} : std::vector<std::string>{};
    case pgDiagramas:
      return ADesc.Primeiro == 0 ? std::vector<std::string>{"Os diagramas das leis"} : std::vector<std::string>{};
    case pgPuzzles: return {fmt::format("{:03}", ADesc.Primeiro + 1), TextoTamanho(ALivro.Config.N)};
    case pgSolucoes: return {"Soluções", fmt::format("Puzzle {:03}", ADesc.Primeiro + 1)};
    case pgFicha: return {"Ficha técnica", ALivro.Codigo};
    default: return {};
  }
}

class LivroPdf : public testing::TestWithParam<TCasoLivro> {};

TEST_P(LivroPdf, TodasAsPaginasDoPlanoNoFicheiro) {
  const TLivro livro = GerarLivro(GetParam());
  ASSERT_EQ(livro.Puzzles.size(), static_cast<std::size_t>(GetParam().NumPuzzles));
  const TPastaTemporaria pasta;
  const std::string alvo = (pasta.Caminho() / "livro.pdf").string();
  const TInfoLivro info = InfoPadrao();
  GravarLivroPdf(alvo, livro, info);

  const TCompositorLivro compositor(livro, info);
  const std::int32_t n = compositor.NumPaginas();
  const std::string pdfinfo = Executar(fmt::format("pdfinfo -f 1 -l {} '{}'", n, alvo));
  EXPECT_NE(pdfinfo.find(fmt::format("Pages:           {}\n", n)), std::string::npos) << pdfinfo;
  EXPECT_EQ(TamanhosPaginas(pdfinfo), std::vector<std::string>(static_cast<std::size_t>(n), "595 x 842 pts (A4)"));

  const std::vector<std::string> textos = TextoPorPagina(alvo);
  ASSERT_EQ(textos.size(), static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < textos.size(); ++i)
    for (const std::string& esperado : TextosEsperados(livro, compositor.Paginas()[i]))
      EXPECT_NE(textos[i].find(esperado), std::string::npos) << "página " << i + 1 << ": " << esperado << '\n'
                                                              << textos[i];
}

// Every size, with and without hints; level 5 (laws only counted) and the
// progressive mix among them. Five puzzles leave the last puzzles page and
// the last solutions page part empty; small books keep the suite fast.
INSTANTIATE_TEST_SUITE_P(Livros, LivroPdf,
                         testing::Values(TCasoLivro{4, 0, 5, true}, TCasoLivro{4, 3, 5, false},
                                         TCasoLivro{5, 1, 5, true}, TCasoLivro{5, 5, 5, false},
                                         TCasoLivro{6, 2, 5, true}, TCasoLivro{6, 4, 5, false},
                                         TCasoLivro{7, 3, 5, true}, TCasoLivro{7, 1, 5, false}),
                         [](const testing::TestParamInfo<TCasoLivro>& i) {
                           return fmt::format("N{}_Nivel{}_{}", i.param.N, i.param.Nivel,
                                              i.param.Caminho ? "ComDicas" : "SemDicas");
                         });

TEST(LivroPdfFalha, ErroAoComporNaoDeixaFicheiroNemTocaNoExistente) {
  const TLivro livro = GerarLivro({4, 1, 1, true});
  const TPastaTemporaria pasta;
  const std::string alvo = (pasta.Caminho() / "livro.pdf").string();
  const TLayoutPuzzles tres{3, 64};
  const std::string erro = "TCompositorLivro: PorPagina tem de ser 1 ou 2";

  EXPECT_EQ(Mensagem([&] { GravarLivroPdf(alvo, livro, InfoPadrao(), tres); }), erro);
  EXPECT_TRUE(fs::is_empty(pasta.Caminho()));

  std::ofstream(alvo) << "antigo";
  EXPECT_EQ(Mensagem([&] { GravarLivroPdf(alvo, livro, InfoPadrao(), tres); }), erro);
  std::stringstream conteudo;
  conteudo << std::ifstream(alvo).rdbuf();
  EXPECT_EQ(conteudo.str(), "antigo");
  EXPECT_EQ(std::distance(fs::directory_iterator(pasta.Caminho()), {}), 1);
}

// The window checks a title on its own thread while its worker draws a book:
// each keeps to its own faces, and both give the right answers.
TEST(LivroPdfFalha, TituloVerificadoEnquantoOutroFioDesenha) {
  const TLivro livro = GerarLivro({4, 1, 6, true});
  const TPastaTemporaria pasta;
  std::atomic<bool> acabou{false};
  std::jthread desenho([&] {
    GravarLivroPdf((pasta.Caminho() / "livro.pdf").string(), livro, InfoPadrao());
    acabou = true;
  });
  int verificacoes = 0;
  for (; !acabou || verificacoes == 0; ++verificacoes) {
    ASSERT_EQ(CaracterSemGlifo("Soluções · 5 × 5"), std::nullopt);
    ASSERT_EQ(CaracterSemGlifo("Livro 数独"), std::optional<char32_t>(U'数'));
  }
  desenho.join();
  EXPECT_TRUE(fs::exists(pasta.Caminho() / "livro.pdf"));
}

}  // namespace
}  // namespace cadrel
