#include "book/paginas.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "book/canvas_gravador.hpp"

namespace cadrel {
namespace {

TEST(Rodape, NumeroZeroNadaDesenhaEOutrosDesenhamTextoENumero) {
  TCanvasGravador vazio;
  DesenharRodape(vazio, CGeometriaA4, 0);
  EXPECT_TRUE(vazio.Chamadas.empty());

  TCanvasGravador c;
  DesenharRodape(c, CGeometriaA4, 7);
  ASSERT_EQ(c.Chamadas.size(), 2u);
  const TChamada& texto = c.Chamadas[0];
  const TChamada& numero = c.Chamadas[1];
  EXPECT_EQ(texto.Texto, "QUORVEL | Velmaro");
  EXPECT_EQ(texto.X, 18);
  EXPECT_EQ(texto.Y, 283);
  EXPECT_EQ(texto.Alinhamento, alEsquerda);
  EXPECT_EQ(numero.Texto, "7");
  EXPECT_EQ(numero.X, 192);
  EXPECT_EQ(numero.Y, 283);
  EXPECT_EQ(numero.Alinhamento, alDireita);
  for (const TChamada& t : c.Chamadas) {
    EXPECT_EQ(t.Tamanho, 9);
    EXPECT_FALSE(t.Negrito);
    EXPECT_EQ(t.Contorno, 128);
  }
}

// At 5 pt the recording canvas measures 1 mm per character: 10 characters fit in 10 mm.
TEST(QuebrarLinhas, EspacosPalavrasLongasELimite) {
  struct Caso {
    const char* texto;
    std::vector<std::string> linhas;
  };
  const Caso casos[] = {
      {"ab  cd efghij", {"ab  cd", "efghij"}},    // the double space survives
      {" abc def", {"abc def"}},                  // a leading space disappears
      {"a muitolongapalavra b", {"a", "muitolongapalavra", "b"}},
      {"abcde fghi jk", {"abcde fghi", "jk"}},    // exactly the width still fits
      {"", {}},
      {"   ", {}},
  };
  TCanvasGravador c;
  for (const Caso& caso : casos) EXPECT_EQ(QuebrarLinhas(c, caso.texto, 10, 5, false), caso.linhas) << caso.texto;
  // Bold is wider: the same text breaks earlier.
  EXPECT_EQ(QuebrarLinhas(c, "abcde fghi", 10, 5, true), (std::vector<std::string>{"abcde", "fghi"}));
  EXPECT_TRUE(c.Chamadas.empty());
}

TEST(DesenharParagrafo, LinhasAPassoDeUmaVezEMeiaOTamanho) {
  const double passo = PtParaMm(9.5) * 1.45;
  EXPECT_NEAR(passo, 4.86, 0.005);
  EXPECT_NEAR(PtParaMm(10) * 1.45, 5.12, 0.005);

  TCanvasGravador c;
  // 9.5 pt is 1.9 mm per character: 13 characters in 25 mm.
  const double fim = DesenharParagrafo(c, 30, 100, 25, "primeira linha segunda linha fim", 9.5);
  ASSERT_EQ(c.Textos(), (std::vector<std::string>{"primeira", "linha segunda", "linha fim"}));
  for (std::size_t i = 0; i < c.Chamadas.size(); ++i) {
    const TChamada& t = c.Chamadas[i];
    EXPECT_EQ(t.X, 30);
    EXPECT_DOUBLE_EQ(t.Y, 100 + static_cast<double>(i) * passo);
    EXPECT_EQ(t.Tamanho, 9.5);
    EXPECT_FALSE(t.Negrito);
    EXPECT_EQ(t.Contorno, 0);
    EXPECT_EQ(t.Alinhamento, alEsquerda);
  }
  EXPECT_DOUBLE_EQ(fim, 100 + 3 * passo);

  TCanvasGravador vazio;
  EXPECT_EQ(DesenharParagrafo(vazio, 30, 100, 25, "", 9.5), 100);
  EXPECT_TRUE(vazio.Chamadas.empty());
}

TEST(Paginas, LayoutSolucoesPorPaginaETamanho) {
  struct Caso {
    std::int32_t N;
    double lado;
    std::int32_t comDicas, semDicas;
  };
  const Caso casos[] = {{4, 64, 4, 4}, {5, 74, 2, 4}, {6, 74, 2, 4}, {7, 74, 2, 4}};
  for (const Caso& c : casos) {
    const TLayoutPuzzles layout = LayoutPadrao(c.N);
    EXPECT_EQ(layout.PorPagina, 2);
    EXPECT_EQ(layout.LadoMm, c.lado);
    EXPECT_EQ(SolucoesPorPagina(c.N, true), c.comDicas);
    EXPECT_EQ(SolucoesPorPagina(c.N, false), c.semDicas);
  }
  EXPECT_EQ(TextoTamanho(5), "5 \u00D7 5");
  EXPECT_EQ(TextoTamanho(7), "7 × 7");
}

TEST(Paginas, InfoPadraoELeisDoLivro) {
  const TInfoLivro info = InfoPadrao();
  ASSERT_EQ(info.Data.size(), 10u) << info.Data;
  for (std::size_t i = 0; i < 10; ++i)
    EXPECT_TRUE(i == 2 || i == 5 ? info.Data[i] == '/' : std::isdigit(static_cast<unsigned char>(info.Data[i])))
        << info.Data;
  const int dia = std::stoi(info.Data.substr(0, 2));
  const int mes = std::stoi(info.Data.substr(3, 2));
  EXPECT_TRUE(dia >= 1 && dia <= 31 && mes >= 1 && mes <= 12) << info.Data;
  EXPECT_EQ(info.Versao, "1.0");

  TLivro livro;
  EXPECT_TRUE(LeisDoLivro(livro).Vazio());
  for (int codigo : {5, 3, 16}) {
    TPuzzleDoLivro p;
    p.Puzzle.Receita = Receita(codigo);
    livro.Puzzles.push_back(p);
  }
  EXPECT_EQ(LeisDoLivro(livro), (TConjuntoLeis{leiSIM, leiTAB, leiORD, leiSOMQ}));
}

}  // namespace
}  // namespace cadrel
