// The drawn pages of a real book, written to PDF and read back, and every
// text the pages print checked against the embedded faces.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "book/canvas_gravador.hpp"
#include "book/diagramas.hpp"
#include "book/editorial.hpp"
#include "book/paginas.hpp"
#include "book/paginas_puzzles.hpp"
#include "book/paginas_regras.hpp"
#include "drawing/fontes.hpp"
#include "output/livro_pdf.hpp"
#include "ferramentas_pdf.hpp"
#include "generation/livro.hpp"
#include "solving/solver.hpp"

namespace cadrel {
namespace {

TLivro Livro(std::int32_t N, std::int32_t ANivel, std::int32_t ANumPuzzles, std::uint32_t ASemente) {
  return TGeradorLivro().Gerar(ConfigLivro(ANumPuzzles, N, ANivel, ASemente));
}

TPaginasPuzzles Paginas(TLivro ALivro, bool ACaminho) {
  ALivro.Config.Caminho = ACaminho;
  const std::int32_t n = ALivro.Config.N;
  return TPaginasPuzzles(std::move(ALivro), InfoPadrao(), LayoutPadrao(n));
}

// Every puzzles page and every solutions page of the book.
void TodasAsPaginas(ICadrelCanvas& C, const TPaginasPuzzles& APaginas) {
  const auto total = static_cast<std::int32_t>(APaginas.Livro().Puzzles.size());
  const TConfigLivro& config = APaginas.Livro().Config;
  for (std::int32_t i = 0; i < total; i += APaginas.Layout().PorPagina)
    APaginas.PaginaPuzzles(C, {pgPuzzles, i, 10 + i});
  for (std::int32_t i = 0; i < total; i += SolucoesPorPagina(config.N, config.Caminho))
    APaginas.PaginaSolucoes(C, {pgSolucoes, i, 100 + i});
}

TEST(PdfPaginas, PaginasDeUmLivroNoFicheiro) {
  const TPaginasPuzzles quatro = Paginas(Livro(4, 2, 4, 0x4A11CE04), true);
  const TPaginasPuzzles seis = Paginas(Livro(6, 3, 2, 0x4A11CE06), true);
  const TPastaTemporaria pasta;
  const std::string alvo = (pasta.Caminho() / "livro.pdf").string();
  {
    TDocumentoPdf doc(alvo);
    TDestinoPdf destino(doc);
    DesenharPaginaLicenca(*destino.NovaPagina(), CGeometriaA4, "QUORVEL");
    DesenharSeparador(*destino.NovaPagina(), CGeometriaA4, false);
    DesenharSimbolo(*destino.NovaPagina(), CGeometriaA4);
    quatro.PaginaPuzzles(*destino.NovaPagina(), {pgPuzzles, 0, 5});
    seis.PaginaPuzzles(*destino.NovaPagina(), {pgPuzzles, 0, 6});
    DesenharSeparador(*destino.NovaPagina(), CGeometriaA4, true);
    quatro.PaginaSolucoes(*destino.NovaPagina(), {pgSolucoes, 0, 9});
    seis.PaginaSolucoes(*destino.NovaPagina(), {pgSolucoes, 0, 10});
    doc.Gravar();
  }
  constexpr int CPaginas = 8;

  Executar("qpdf --check '" + alvo + "'");
  const std::string info = Executar("pdfinfo -f 1 -l " + std::to_string(CPaginas) + " '" + alvo + "'");
  EXPECT_NE(info.find("Title:           QUORVEL\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Author:          Velmaro\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Pages:           " + std::to_string(CPaginas) + "\n"), std::string::npos) << info;
  for (int p = 1; p <= CPaginas; ++p) {
    const std::string linha = "Page    " + std::to_string(p) + " size:  595 x 842 pts";
    EXPECT_NE(info.find(linha), std::string::npos) << linha << '\n' << info;
  }

  EXPECT_EQ(FacesEmbutidas(alvo), (std::vector<std::string>{"Roboto-Bold", "Roboto-Regular"}));

  // In drawing order: the layout mode glues the one-letter words of "4 × 4" together.
  const std::string texto = Executar("pdftotext -raw -enc UTF-8 '" + alvo + "' -");
  const TPuzzle& primeiro = seis.Livro().Puzzles[0].Puzzle;
  const std::string dica = "1. " + SelecionarDicas(primeiro.Resultado, 12).at(0).Texto;
  for (const std::string& esperado :
       {std::string("QUORVEL"), TextoDireitos(false), TextoDireitos(true), std::string("Puzzles"),
        std::string("Soluções"), std::string("4 × 4"), std::string("6 × 6"), std::string("Puzzle 001"),
        std::string("Puzzle 002"), std::string("Puzzle 004"), std::string("QUORVEL | Velmaro"), dica,
        std::string("Os restantes números resultam por eliminação.")})
    EXPECT_NE(texto.find(esperado), std::string::npos) << esperado << '\n' << texto;

  // The seal, on the licence page: one RGB image and no soft mask beside it
  // (page, num, type, width, height, color, ...).
  const auto imagens = Tabela(Executar("pdfimages -list '" + alvo + "'"), 2);
  ASSERT_EQ(imagens.size(), 1u);
  EXPECT_EQ(std::vector<std::string>(imagens[0].begin(), imagens[0].begin() + 6),
            (std::vector<std::string>{"1", "0", "image", "1280", "450", "rgb"}));
}

TEST(PdfPaginas, TodosOsTextosTemGlifosNasFaces) {
  TCanvasGravador c;
  // The hints of every level and size, with and without hints, and a book
  // whose laws show only as circles.
  for (std::int32_t n = 4; n <= 7; ++n) {
    const TLivro livro = Livro(n, 0, 5, 0x7E470000u + static_cast<std::uint32_t>(n));
    for (bool caminho : {true, false}) TodasAsPaginas(c, Paginas(livro, caminho));
  }
  TodasAsPaginas(c, Paginas(Livro(5, 5, 2, 0x7E475555), true));

  for (int codigo = 0; codigo < 32; ++codigo) {
    const TConjuntoLeis leis = TConjuntoLeis::DeCodigo(codigo);
    for (bool circulos : {false, true}) {
      const TPaginasRegras regras(leis, circulos);
      for (std::int32_t p = 0; p < regras.NumPaginas(); ++p) regras.PaginaRegras(c, {pgRegras, p, p + 1});
    }
    for (std::int32_t p = 0; p < NumPaginasDiagramas(leis); ++p) DesenharDiagramas(c, CGeometriaA4, leis, p);
  }

  DesenharPaginaLicenca(c, CGeometriaA4, "QUORVEL");
  DesenharSeparador(c, CGeometriaA4, false);
  DesenharSeparador(c, CGeometriaA4, true);
  DesenharSimbolo(c, CGeometriaA4);

  const std::vector<std::string> todos = c.Textos();
  const std::set<std::string> textos(todos.begin(), todos.end());
  ASSERT_GT(textos.size(), 400u);
  for (const std::string& t : textos)
    if (const std::optional<char32_t> sem = CaracterSemGlifo(t))
      ADD_FAILURE() << "\"" << t << "\": sem glifo para U+" << std::hex << static_cast<std::uint32_t>(*sem);
}

}  // namespace
}  // namespace cadrel
