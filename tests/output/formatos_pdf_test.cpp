// Books at every trim, read back from the written file as a printer reads it:
// page sizes from pdfinfo, ink from pages rendered by pdftoppm, font sizes
// from mutool, annotations and outlines from qpdf.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "apoio.hpp"
#include "book/compositor.hpp"
#include "ferramentas_pdf.hpp"
#include "generation/livro.hpp"
#include "output/livro_pdf.hpp"

namespace cadrel {
namespace {

using json = nlohmann::json;

struct TCasoFormato {
  TFormato Formato;
  std::int32_t N;
  std::int32_t Nivel;
  std::int32_t Puzzles;
  bool Dicas;
  bool Impressao;
};

std::string Nome(const testing::TestParamInfo<TCasoFormato>& AInfo) {
  const TCasoFormato& c = AInfo.param;
  std::string formato(DadosFormato(c.Formato).Nome);
  formato.erase(std::remove_if(formato.begin(), formato.end(), [](char ch) { return !std::isalnum(ch); }),
                formato.end());
  return fmt::format("{}_{}x{}_{}_{}", formato, c.N, c.N, c.Dicas ? "dicas" : "semDicas",
                     c.Impressao ? "impressao" : "digital");
}

// The ink of a page: the box of its pixels darker than near-white, in mm.
struct TTinta {
  bool Vazia = true;
  double Esquerda = 0, Direita = 0, Topo = 0, Fundo = 0;  // distances to the edges
};

constexpr int CDpi = 72;

// The ink of a page pdftoppm -gray rendered.
TTinta TintaPgm(const std::string& AFicheiro) {
  const TImagemCinza imagem = LerPgm(AFicheiro);
  const int largura = imagem.Largura, altura = imagem.Altura;
  const std::vector<unsigned char>& px = imagem.Pixeis;
  int x0 = largura, x1 = -1, y0 = altura, y1 = -1;
  for (int y = 0; y < altura; ++y)
    for (int x = 0; x < largura; ++x)
      if (px[static_cast<std::size_t>(y) * largura + x] < 250) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  if (x1 < 0) return {};
  const double mm = 25.4 / CDpi;
  return {false, x0 * mm, (largura - 1 - x1) * mm, y0 * mm, (altura - 1 - y1) * mm};
}

class FormatosPdf : public testing::TestWithParam<TCasoFormato> {
protected:
  void SetUp() override {
    const TCasoFormato& c = GetParam();
    TConfigLivro config = ConfigLivro(c.Puzzles, c.N, c.Nivel, 0x5EED);
    config.Caminho = c.Dicas;
    FLivro = TGeradorLivro().Gerar(config);
    FEdicao = {c.Formato, c.Impressao};
    FResumo = GravarLivroPdf(FAlvo, FLivro, InfoPadrao(), FEdicao);
  }

  TPastaTemporaria FPasta;
  std::string FAlvo = (FPasta.Caminho() / "livro.pdf").string();
  TLivro FLivro;
  TEdicao FEdicao;
  TResumoLivroPdf FResumo;
};

TEST_P(FormatosPdf, PaginasDoTamanhoDoFormato) {
  const TDadosFormato& papel = DadosFormato(FEdicao.Formato);
  std::istringstream info(Executar(fmt::format("pdfinfo -f 1 -l 9999 '{}'", FAlvo)));
  std::int32_t paginas = 0;
  for (std::string linha; std::getline(info, linha);) {
    // "Page    1 size: 419.528 x 595.276 pts (A5)"
    double largura = 0, altura = 0;
    const auto i = linha.find(" size: ");
    if (linha.rfind("Page ", 0) != 0 || i == std::string::npos) continue;
    ASSERT_EQ(std::sscanf(linha.c_str() + i + 7, "%lf x %lf", &largura, &altura), 2) << linha;
    EXPECT_NEAR(largura, papel.LarguraPt, 0.01) << linha;
    EXPECT_NEAR(altura, papel.AlturaPt, 0.01) << linha;
    ++paginas;
  }
  EXPECT_EQ(paginas, FResumo.Paginas);
  Executar(fmt::format("qpdf --check '{}'", FAlvo));
}

// All ink at least a quarter of an inch from the top, bottom and outside
// edges, and the gutter of the book's page count on the inside: on the left
// of odd pages, on the right of even ones.
TEST_P(FormatosPdf, TintaDentroDasMargens) {
  Executar(fmt::format("pdftoppm -r {} -gray '{}' '{}'", CDpi, FAlvo, (FPasta.Caminho() / "p").string()));
  const double quarto = 0.25 * 25.4;
  const double medianiz = MedianizMm(FResumo.Paginas);
  const double pixel = 25.4 / CDpi;  // what rendering may round away
  std::int32_t comTinta = 0;
  for (std::int32_t p = 1; p <= FResumo.Paginas; ++p) {
    const int digitos = FResumo.Paginas >= 100 ? 3 : 2;
    const TTinta t = TintaPgm((FPasta.Caminho() / fmt::format("p-{:0{}}.pgm", p, digitos)).string());
    if (t.Vazia) continue;
    ++comTinta;
    const bool impar = p % 2 == 1;
    EXPECT_GE(t.Esquerda + pixel, impar ? medianiz : quarto) << "página " << p;
    EXPECT_GE(t.Direita + pixel, impar ? quarto : medianiz) << "página " << p;
    EXPECT_GE(t.Topo + pixel, quarto) << "página " << p;
    EXPECT_GE(t.Fundo + pixel, quarto) << "página " << p;
  }
  EXPECT_EQ(comTinta, FResumo.Paginas - FResumo.PaginasVazias);
}

// No text under 7 pt, as the file itself says, and every face embedded.
TEST_P(FormatosPdf, LetraLegivelEFacesEmbutidas) {
  const std::string texto = Executar(fmt::format("mutool draw -F stext -o - '{}'", FAlvo));
  const std::string marca = "size=\"";
  double menor = 1e9;
  for (auto i = texto.find(marca); i != std::string::npos; i = texto.find(marca, i + 1))
    menor = std::min(menor, std::stod(texto.substr(i + marca.size(), 12)));
  EXPECT_GE(menor, 7.0);
  EXPECT_LT(menor, 1e9);
  EXPECT_EQ(FacesEmbutidas(FAlvo), (std::vector<std::string>{"Roboto-Bold", "Roboto-Regular"}));
}

// A print edition: an even count of at least 24 pages, the blank ones at the
// end, no outline and no annotation of any kind. The digital edition keeps
// its bookmarks and links at every trim.
TEST_P(FormatosPdf, EdicaoParaImpressaoOuDigital) {
  const json j = json::parse(Executar(fmt::format("qpdf --json=2 '{}'", FAlvo)));
  const json& objectos = j["qpdf"][1];
  const json& raiz = objectos["obj:" + objectos["trailer"]["value"]["/Root"].get<std::string>()]["value"];
  std::int32_t anotacoes = 0;
  for (const json& p : j["pages"]) anotacoes += objectos["obj:" + p["object"].get<std::string>()]["value"].contains("/Annots");
  const TCompositorLivro compositor(FLivro, InfoPadrao(), FEdicao);
  if (FEdicao.Impressao) {
    EXPECT_EQ(FResumo.Paginas % 2, 0);
    EXPECT_GE(FResumo.Paginas, CMinPaginasImpressao);
    EXPECT_FALSE(raiz.contains("/Outlines"));
    EXPECT_EQ(anotacoes, 0);
    for (std::int32_t p = FResumo.Paginas - FResumo.PaginasVazias; p < FResumo.Paginas; ++p)
      EXPECT_EQ(compositor.Paginas()[p].Tipo, pgVazia) << p;
  } else {
    EXPECT_EQ(FResumo.PaginasVazias, 0);
    EXPECT_TRUE(raiz.contains("/Outlines"));
    EXPECT_GT(anotacoes, 0);
  }
  EXPECT_EQ(compositor.NumPaginas(), FResumo.Paginas);
}

// The number printed at the foot of a page is the page's place in the file.
TEST_P(FormatosPdf, NumerosImpressosSaoOsDaPagina) {
  const TCompositorLivro compositor(FLivro, InfoPadrao(), FEdicao);
  std::istringstream texto(Executar(fmt::format("pdftotext -raw -enc UTF-8 '{}' -", FAlvo)));
  std::int32_t p = 0;
  for (std::string pagina; std::getline(texto, pagina, '\f') && p < compositor.NumPaginas(); ++p) {
    const std::int32_t numero = compositor.Paginas()[p].Numero;
    if (numero == 0) continue;
    EXPECT_EQ(numero, p + 1);
    while (!pagina.empty() && std::isspace(static_cast<unsigned char>(pagina.back()))) pagina.pop_back();
    EXPECT_TRUE(pagina.ends_with(" " + std::to_string(p + 1))) << "página " << p + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Formatos, FormatosPdf,
                         testing::Values(TCasoFormato{fmA4, 6, 2, 3, true, true},
                                         TCasoFormato{fmA5, 7, 2, 3, true, true},
                                         TCasoFormato{fmA5, 5, 1, 2, false, false},
                                         TCasoFormato{fmCarta, 5, 3, 3, false, true},
                                         TCasoFormato{fm6x9, 4, 1, 5, true, false},
                                         TCasoFormato{fm6x9, 7, 3, 2, true, true}),
                         Nome);

}  // namespace
}  // namespace cadrel
