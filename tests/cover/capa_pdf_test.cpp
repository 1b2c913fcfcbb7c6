// Covers written to a file and read back as a printer reads them: the page
// size from pdfinfo, every character's box from mutool, words from
// pdftotext, the barcode's box from pixels pdftoppm renders.
#include "cover/capa_pdf.hpp"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "book/compositor.hpp"
#include "output/livro_pdf.hpp"
#include "ferramentas_pdf.hpp"

namespace cadrel {
namespace {

constexpr double CPt = 72;  // points per inch

// A box in points from the page's top-left corner.
struct TZona {
  double X0, Y0, X1, Y1;
  bool Contem(double x0, double y0, double x1, double y1) const {
    return x0 >= X0 && y0 >= Y0 && x1 <= X1 && y1 <= Y1;
  }
};

// Where text may go on a cover of a trim ALargura x AAltura in and a spine
// ALombada in thick, by the printer's rules alone.
struct TZonasTexto {
  TZona Contracapa, Lombada, Frente;
  TZonasTexto(double ALargura, double AAltura, double ALombada) {
    const double m = 0.375, dobra = 0.0625, topo = 0.125 + m, fundo = 0.125 + AAltura - m;
    Contracapa = {(0.125 + m) * CPt, topo * CPt, (0.125 + ALargura - m) * CPt, fundo * CPt};
    Lombada = {(0.125 + ALargura + dobra) * CPt, topo * CPt, (0.125 + ALargura + ALombada - dobra) * CPt,
               fundo * CPt};
    Frente = {(0.125 + ALargura + ALombada + m) * CPt, topo * CPt, (0.125 + 2 * ALargura + ALombada - m) * CPt,
              fundo * CPt};
  }
};

struct TEsperado {
  double LarguraPol;  // of the trim
  double AlturaPol;
  double PolPorPagina;
  std::int32_t Paginas;
  double LombadaPol() const { return Paginas * PolPorPagina; }
};

TLivro LivroDeVerao(std::int32_t APuzzles) {
  TConfigLivro config = ConfigLivro(APuzzles, 4, 1, 0xCAFE);
  config.Titulo = "Férias de Verão";
  return TGeradorLivro().Gerar(config);
}

// Every rule a written cover keeps, read from the file at APdf.
void VerificarFicheiro(const std::string& APdf, const TEsperado& AE, const std::string& ACodigo,
                       const std::filesystem::path& APasta) {
  const double largura = 0.125 + AE.LarguraPol + AE.LombadaPol() + AE.LarguraPol + 0.125;
  const double altura = AE.AlturaPol + 0.25;
  const std::string info = Executar(fmt::format("pdfinfo '{}'", APdf));
  double w = 0, h = 0;
  const auto i = info.find("Page size:");
  ASSERT_NE(i, std::string::npos) << info;
  ASSERT_EQ(std::sscanf(info.c_str() + i, "Page size: %lf x %lf", &w, &h), 2) << info;
  EXPECT_NEAR(w, largura * CPt, 0.5);
  EXPECT_NEAR(h, altura * CPt, 0.5);
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  Executar(fmt::format("qpdf --check '{}'", APdf));
  EXPECT_EQ(FacesEmbutidas(APdf), (std::vector<std::string>{"Roboto-Bold", "Roboto-Regular"}));

  // Every character's box inside a panel's area for text.
  const TZonasTexto zonas(AE.LarguraPol, AE.AlturaPol, AE.LombadaPol());
  const std::string texto = Executar(fmt::format("mutool draw -F stext -o - '{}'", APdf));
  std::int32_t caracteres = 0, naLombada = 0;
  const std::string marca = "<char quad=\"";
  for (auto i = texto.find(marca); i != std::string::npos; i = texto.find(marca, i + 1)) {
    double q[8];
    ASSERT_EQ(std::sscanf(texto.c_str() + i + marca.size(), "%lf %lf %lf %lf %lf %lf %lf %lf", &q[0], &q[1], &q[2],
                          &q[3], &q[4], &q[5], &q[6], &q[7]),
              8);
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (int k = 0; k < 8; k += 2) {
      x0 = std::min(x0, q[k]), x1 = std::max(x1, q[k]);
      y0 = std::min(y0, q[k + 1]), y1 = std::max(y1, q[k + 1]);
    }
    ++caracteres;
    naLombada += zonas.Lombada.Contem(x0, y0, x1, y1);
    EXPECT_TRUE(zonas.Contracapa.Contem(x0, y0, x1, y1) || zonas.Lombada.Contem(x0, y0, x1, y1) ||
                zonas.Frente.Contem(x0, y0, x1, y1))
        << texto.substr(i, texto.find('\n', i) - i);
  }
  EXPECT_GT(caracteres, 100);
  EXPECT_EQ(naLombada > 0, AE.Paginas >= 79) << naLombada;

  // The title on the front, the code on the back.
  const std::string palavras = Executar(fmt::format("pdftotext -bbox '{}' -", APdf));
  const auto palavra = [&](const std::string& APalavra, const TZona& AZona) {
    std::istringstream linhas(palavras);
    for (std::string linha; std::getline(linhas, linha);) {
      double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
      if (std::sscanf(linha.c_str(), " <word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\">", &x0, &y0, &x1,
                      &y1) == 4 &&
          linha.find(">" + APalavra + "</word>") != std::string::npos && AZona.Contem(x0, y0, x1, y1))
        return true;
    }
    return false;
  };
  EXPECT_TRUE(palavra("Férias", zonas.Frente));
  EXPECT_TRUE(palavra("Verão", zonas.Frente));
  EXPECT_TRUE(palavra(ACodigo, zonas.Contracapa));

  // The barcode's box prints white, on the dark ground around it.
  constexpr int CDpi = 50;
  Executar(fmt::format("pdftoppm -r {} -gray -singlefile '{}' '{}'", CDpi, APdf, (APasta / "capa").string()));
  const TImagemCinza imagem = LerPgm(APasta / "capa.pgm");
  const std::vector<unsigned char>& px = imagem.Pixeis;
  const int lx = imagem.Largura, ly = imagem.Altura;
  ASSERT_EQ(px.size(), static_cast<std::size_t>(lx) * ly);
  const auto nivel = [&](double xPol, double yPol) {
    return px[static_cast<std::size_t>(yPol * CDpi) * lx + static_cast<std::size_t>(xPol * CDpi)];
  };
  const double direita = 0.125 + AE.LarguraPol - 0.25, fundo = 0.125 + AE.AlturaPol - 0.25;
  const double pixel = 1.0 / CDpi;
  for (double x = direita - 2 + 2 * pixel; x < direita - 2 * pixel; x += pixel)
    for (double y = fundo - 1.2 + 2 * pixel; y < fundo - 2 * pixel; y += pixel)
      ASSERT_GE(nivel(x, y), 250) << x << " " << y;
  for (const auto& [x, y] : {std::pair{direita + 0.05, fundo - 0.6}, std::pair{direita - 1, fundo + 0.05},
                             std::pair{direita - 2.05, fundo - 0.6}, std::pair{direita - 1, fundo - 1.25}})
    EXPECT_LT(nivel(x, y), 100) << x << " " << y;
}

// A thin spine and a thick one, on white paper and on cream: the page counts
// given, the book real.
TEST(CapaPdf, FinaEGrossaLidasDoFicheiro) {
  const TLivro livro = LivroDeVerao(3);
  const struct {
    TFormato Formato;
    TPapel Papel;
    std::int32_t Paginas;
    TEsperado Esperado;
  } casos[] = {
      {fm6x9, ppBranco, 24, {6, 9, 0.002252, 24}},
      {fmA5, ppCreme, 220, {148 / 25.4, 210 / 25.4, 0.0025, 220}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(fmt::format("{} páginas", c.Paginas));
    TPastaTemporaria pasta;
    const std::string alvo = (pasta.Caminho() / "capa.pdf").string();
    GravarCapaPdf(alvo, GeometriaCapa(c.Formato, c.Papel, c.Paginas), livro);
    VerificarFicheiro(alvo, c.Esperado, livro.Codigo, pasta.Caminho());
  }
}

// The spine is as thick as the print edition of the same book is, blank
// pages included, as the interior written for print counts them: here one
// more than the digital book has.
TEST(CapaPdf, LombadaDaEdicaoParaImpressaoDoLivro) {
  const TLivro livro = LivroDeVerao(96);
  TPastaTemporaria pasta;
  const std::string miolo = (pasta.Caminho() / "miolo.pdf").string();
  const std::string capa = (pasta.Caminho() / "capa.pdf").string();
  GravarLivroPdf(miolo, livro, InfoPadrao(), TEdicao{fmCarta, true});
  const TGeometriaCapa g = GravarCapaPdf(capa, livro, InfoPadrao(), fmCarta, ppBranco);
  const std::string info = Executar(fmt::format("pdfinfo '{}'", miolo));
  std::int32_t paginas = 0;
  ASSERT_EQ(std::sscanf(info.c_str() + info.find("Pages:"), "Pages: %d", &paginas), 1);
  EXPECT_GE(paginas, 79);
  EXPECT_EQ(TCompositorLivro(livro, InfoPadrao(), TEdicao{fmCarta, false}).NumPaginas(), paginas - 1);
  EXPECT_EQ(g.Paginas, paginas);
  VerificarFicheiro(capa, {8.5, 11, 0.002252, paginas}, livro.Codigo, pasta.Caminho());
}

}  // namespace
}  // namespace cadrel
