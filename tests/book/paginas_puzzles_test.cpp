#include "book/paginas_puzzles.hpp"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "book/canvas_gravador.hpp"
#include "book/grelha.hpp"

namespace cadrel {
namespace {

// Cell i holds 10 + i; cells 0 and 1 are given. The solver result has
// AColocacoes placement steps "passo 1", "passo 2"... on the cells from 2 on.
TPuzzle Puzzle(std::int32_t N, std::int32_t AColocacoes, std::int32_t K = 0, std::int32_t S = 0,
               TNivel ANivel = 3, int ACodigo = 5) {
  TPuzzle p;
  p.N = N;
  p.Nivel = ANivel;
  p.Receita = Receita(ACodigo);
  p.K = K;
  p.S = S;
  for (std::int32_t i = 0; i < N * N; ++i) {
    p.Solucao.push_back(10 + i);
    p.Dados.push_back(i < 2 ? 10 + i : 0);
  }
  p.Conjunto = p.Solucao;
  for (std::int32_t j = 0; j < AColocacoes; ++j) {
    TPassoDeducao passo;
    passo.Tecnica = tecT1;
    passo.Celula = 2 + j;
    passo.Valor = 12 + j;
    passo.Texto = "passo " + std::to_string(j + 1);
    p.Resultado.Passos.push_back(passo);
  }
  return p;
}

TPaginasPuzzles Paginas(std::vector<TPuzzle> APuzzles, bool ACaminho, std::int32_t APorPagina = 2) {
  TLivro livro;
  livro.Config.N = APuzzles.empty() ? 4 : APuzzles[0].N;
  livro.Config.Caminho = ACaminho;
  for (TPuzzle& p : APuzzles) {
    TPuzzleDoLivro pl;
    pl.Puzzle = std::move(p);
    livro.Puzzles.push_back(std::move(pl));
  }
  TLayoutPuzzles layout = LayoutPadrao(livro.Config.N);
  layout.PorPagina = APorPagina;
  return TPaginasPuzzles(std::move(livro), InfoPadrao(), layout);
}

std::vector<TChamada> TextosDe(const TCanvasGravador& C, double ATamanho, bool ANegrito) {
  std::vector<TChamada> r;
  for (const TChamada& t : C.Do(opTexto))
    if (t.Tamanho == ATamanho && t.Negrito == ANegrito) r.push_back(t);
  return r;
}

// The last rectangle with this line width: 0.8 pt is a grid's border (after
// the pictograms' squares), 0.5 pt the box of numbers.
TChamada Moldura(const TCanvasGravador& C, double AEspessura) {
  const std::vector<TChamada> rectangulos = C.Do(opRectangulo);
  for (auto r = rectangulos.rbegin(); r != rectangulos.rend(); ++r)
    if (r->Espessura == AEspessura) return *r;
  ADD_FAILURE() << "sem moldura de " << AEspessura;
  return {};
}

TEST(PaginaPuzzles, DoisPorPaginaEOUltimoSozinho) {
  const TPaginasPuzzles paginas = Paginas(std::vector<TPuzzle>(5, Puzzle(5, 0)), false);
  struct Caso {
    std::int32_t primeiro;
    std::vector<std::string> numeros;
    std::vector<double> ys;
  };
  const Caso casos[] = {{0, {"001", "002"}, {18, 148.5}}, {2, {"003", "004"}, {18, 148.5}}, {4, {"005"}, {18}}};
  for (const Caso& caso : casos) {
    TCanvasGravador c;
    paginas.PaginaPuzzles(c, TDescPagina{pgPuzzles, caso.primeiro, 11 + caso.primeiro});
    const std::vector<TChamada> numeros = TextosDe(c, 14, true);
    ASSERT_EQ(numeros.size(), caso.numeros.size());
    for (std::size_t k = 0; k < numeros.size(); ++k) {
      EXPECT_EQ(numeros[k].Texto, caso.numeros[k]);
      EXPECT_EQ(numeros[k].X, 18);
      EXPECT_EQ(numeros[k].Y, caso.ys[k]);
    }
    EXPECT_EQ(c.Chamadas.back().Texto, std::to_string(11 + caso.primeiro));  // the footer comes last
    EXPECT_EQ(c.Chamadas.back().Y, 283);
  }
}

TEST(PaginaPuzzles, NumerosComPeloMenosTresAlgarismos) {
  const TPaginasPuzzles paginas = Paginas(std::vector<TPuzzle>(1000, Puzzle(4, 0)), false);
  const std::pair<std::int32_t, const char*> casos[] = {{0, "001"}, {41, "042"}, {999, "1000"}};
  for (const auto& [indice, texto] : casos) {
    TCanvasGravador c;
    paginas.DesenharPuzzle(c, indice, 18);
    EXPECT_EQ(c.Chamadas[0].Texto, texto);
  }
}

TEST(PaginaPuzzles, BlocoDoPuzzle) {
  for (std::int32_t porPagina : {1, 2}) {
    const TPaginasPuzzles paginas = Paginas({Puzzle(5, 0, 0, 0, 2, 5)}, false, porPagina);
    TCanvasGravador c;
    constexpr double Y = 148.5;
    paginas.DesenharPuzzle(c, 0, Y);

    EXPECT_EQ(c.Chamadas[0], (TChamada{.Op = opTexto, .X = 18, .Y = Y, .Contorno = 0, .Texto = "001", .Tamanho = 14,
                                       .Negrito = true, .Alinhamento = alEsquerda}));
    EXPECT_EQ(c.Chamadas[1], (TChamada{.Op = opTexto, .X = 105, .Y = Y + 0.6, .Contorno = 0, .Texto = "5 × 5",
                                       .Tamanho = 13, .Negrito = false, .Alinhamento = alCentro}));
    // Stars: the leftmost of five, its top point on the row's top, then two filled.
    const std::vector<TChamada> estrelas = c.Do(opPoligono);
    ASSERT_GE(estrelas.size(), 5u);
    EXPECT_NEAR(estrelas[0].Pontos[0].X, 192 - 2.5 - 4 * 6.5, 1e-9);
    EXPECT_NEAR(estrelas[0].Pontos[0].Y, Y + 0.2, 1e-9);
    EXPECT_EQ(estrelas[1].Preenchimento, 0);
    EXPECT_EQ(estrelas[2].Preenchimento, 255);
    // The Ordem pictogram's square starts 4 mm into its box at (18, Y + 10.5).
    EXPECT_EQ(c.Chamadas[7].Op, opRectangulo);
    EXPECT_NEAR(c.Chamadas[7].X, 22, 1e-9);
    EXPECT_NEAR(c.Chamadas[7].Y, Y + 14.5, 1e-9);

    const double topo = Y + (porPagina == 2 ? 27.5 : 29.5);
    const TChamada grelha = Moldura(c, 0.8);
    EXPECT_EQ(grelha.X, 18);
    EXPECT_DOUBLE_EQ(grelha.Y, topo);
    EXPECT_EQ(grelha.Largura, 74);
    const TChamada caixa = Moldura(c, 0.5);
    EXPECT_EQ(caixa.X, 18 + 74 + 6);
    EXPECT_DOUBLE_EQ(caixa.Y, topo);
    EXPECT_LE(caixa.Largura, 192 - (18 + 74 + 6));
    // Given digits at the grid's size; the box lists the 23 numbers still to place.
    EXPECT_EQ(TextosDe(c, TamanhoDigitos(74, 5), true).size(), 2u);
    const std::vector<TChamada> caixaNumeros = TextosDe(c, 9.5, false);
    ASSERT_EQ(caixaNumeros.size(), 23u);
    EXPECT_EQ(caixaNumeros.front().Texto, "12");
    EXPECT_EQ(caixaNumeros.back().Texto, "34");
  }
}

TEST(PaginaSolucoes, TituloEPosicoesDasGrelhas) {
  struct Caso {
    std::int32_t N;
    bool caminho;
    std::vector<TPontoMm> slots;  // the grid's top-left corner
    std::vector<double> titulosX;
    double lado;
  };
  const Caso casos[] = {
      {4, true, {{34, 37}, {121, 37}, {34, 158}, {121, 158}}, {18, 105, 18, 105}, 55},
      {4, false, {{34, 37}, {121, 37}, {34, 158}, {121, 158}}, {18, 105, 18, 105}, 55},
      {6, true, {{18, 37}, {18, 158}}, {18, 18}, 74},
      {6, false, {{24.5, 37}, {111.5, 37}, {24.5, 158}, {111.5, 158}}, {24.5, 111.5, 24.5, 111.5}, 74},
  };
  for (const Caso& caso : casos) {
    const TPaginasPuzzles paginas = Paginas(std::vector<TPuzzle>(9, Puzzle(caso.N, 0)), caso.caminho);
    TCanvasGravador c;
    paginas.PaginaSolucoes(c, TDescPagina{pgSolucoes, 4, 40});
    EXPECT_EQ(c.Chamadas[0], (TChamada{.Op = opTexto, .X = 105, .Y = 18, .Contorno = 0, .Texto = "Soluções",
                                       .Tamanho = 16, .Negrito = true, .Alinhamento = alCentro}));
    const std::vector<TChamada> titulos = TextosDe(c, 11, true);
    std::vector<TChamada> grelhas;
    for (const TChamada& r : c.Do(opRectangulo))
      if (r.Espessura == 0.8) grelhas.push_back(r);
    ASSERT_EQ(titulos.size(), caso.slots.size()) << caso.N << caso.caminho;
    ASSERT_EQ(grelhas.size(), caso.slots.size());
    for (std::size_t i = 0; i < titulos.size(); ++i) {
      EXPECT_EQ(titulos[i].Texto, "Puzzle 00" + std::to_string(5 + i));
      EXPECT_DOUBLE_EQ(titulos[i].X, caso.titulosX[i]);
      EXPECT_DOUBLE_EQ(titulos[i].Y, caso.slots[i].Y - 7);
      EXPECT_DOUBLE_EQ(grelhas[i].X, caso.slots[i].X);
      EXPECT_DOUBLE_EQ(grelhas[i].Y, caso.slots[i].Y);
      EXPECT_EQ(grelhas[i].Largura, caso.lado);
    }
    // Every number of a solution is shown, at the size of its grid.
    EXPECT_EQ(TextosDe(c, TamanhoDigitos(caso.lado, caso.N), true).size(),
              caso.slots.size() * static_cast<std::size_t>(caso.N * caso.N - 2));
    EXPECT_EQ(c.Chamadas.back().Texto, "40");
  }
  // The last page holds what is left.
  TCanvasGravador c;
  Paginas(std::vector<TPuzzle>(9, Puzzle(4, 0)), true).PaginaSolucoes(c, TDescPagina{pgSolucoes, 8, 41});
  EXPECT_EQ(TextosDe(c, 11, true).size(), 1u);
}

TEST(PaginaSolucoes, TextoDasConstantes) {
  struct Caso {
    std::int32_t K, S;
    const char* texto;
  };
  const Caso casos[] = {{24, 0, "K = 24"}, {0, 48, "S = 48"}, {24, 48, "K = 24   S = 48"}, {0, 0, nullptr}};
  for (const Caso& caso : casos) {
    TCanvasGravador c;
    Paginas({Puzzle(5, 0, caso.K, caso.S)}, false).DesenharSolucao(c, 0, 18, 30, 87);
    const std::vector<TChamada> textos = TextosDe(c, 9.5, false);
    if (caso.texto == nullptr) {
      EXPECT_TRUE(textos.empty());
      continue;
    }
    ASSERT_EQ(textos.size(), 1u);
    const double xt = 18 + (87 - 74) / 2.0;
    EXPECT_EQ(textos[0].Texto, caso.texto);
    EXPECT_DOUBLE_EQ(textos[0].X, xt + TCanvasGravador::Largura("Puzzle 001", 11, true) + 6);
    EXPECT_DOUBLE_EQ(textos[0].Y, 30 + (11 - 9.5) * TCanvasGravador::CAltura / 2);
    EXPECT_EQ(textos[0].Contorno, 128);
  }
}

// Hints are the 9.5 pt black texts; the note is the grey one.
struct TDicas {
  std::vector<TChamada> Dicas;
  std::vector<TChamada> Notas;
};

TDicas Dicas(const TCanvasGravador& C) {
  TDicas r;
  for (const TChamada& t : TextosDe(C, 9.5, false)) (t.Contorno == 128 ? r.Notas : r.Dicas).push_back(t);
  return r;
}

TEST(PaginaSolucoes, DicasDebaixoDoQuatroPorQuatroEAoLadoDosMaiores) {
  struct Caso {
    std::int32_t N;
    std::int32_t porPagina;
    std::int32_t maximo;
    double dx, dy;  // where the list starts, from the slot's top-left corner
  };
  const Caso casos[] = {{4, 4, 6, 0, 7 + 55 + 3}, {6, 2, 12, 74 + 6, 7}};
  for (const Caso& caso : casos) {
    TCanvasGravador c;
    Paginas(std::vector<TPuzzle>(caso.porPagina, Puzzle(caso.N, caso.maximo + 2)), true)
        .PaginaSolucoes(c, TDescPagina{pgSolucoes, 0, 9});
    const TDicas d = Dicas(c);
    ASSERT_EQ(d.Dicas.size(), static_cast<std::size_t>(caso.porPagina * caso.maximo));
    ASSERT_EQ(d.Notas.size(), static_cast<std::size_t>(caso.porPagina));
    for (std::int32_t i = 0; i < caso.porPagina; ++i) {
      const double x = 18 + (caso.porPagina == 4 ? (i % 2) * 87 : 0) + caso.dx;
      const double y = (caso.porPagina == 4 ? 30 + (i / 2) * 121 : 30 + i * 121) + caso.dy;
      for (std::int32_t j = 0; j < caso.maximo; ++j) {
        const TChamada& t = d.Dicas[i * caso.maximo + j];
        EXPECT_EQ(t.Texto, fmt::format("{}. passo {}", j + 1, j + 1));
        EXPECT_DOUBLE_EQ(t.X, x);
        EXPECT_DOUBLE_EQ(t.Y, y + j * 4.6);
        EXPECT_EQ(t.Contorno, 0);
      }
      EXPECT_EQ(d.Notas[i].Texto, "Os restantes números resultam por eliminação.");
      EXPECT_DOUBLE_EQ(d.Notas[i].X, x);
      EXPECT_DOUBLE_EQ(d.Notas[i].Y, y + caso.maximo * 4.6 + 1);
    }
  }
}

TEST(PaginaSolucoes, NotaDeEliminacao) {
  // Every placement printed: steps that place nothing do not ask for the note.
  TPuzzle todos = Puzzle(4, 6);
  TPassoDeducao elimina;
  elimina.Texto = "elimina";
  todos.Resultado.Passos.insert(todos.Resultado.Passos.begin(), 3, elimina);
  TCanvasGravador c1;
  Paginas({todos}, true).DesenharSolucao(c1, 0, 18, 30, 87);
  EXPECT_EQ(Dicas(c1).Dicas.size(), 6u);
  EXPECT_TRUE(Dicas(c1).Notas.empty());

  // Seven placements that each need all the others: none fits in six, so the note stands alone.
  TPuzzle ciclo = Puzzle(4, 7);
  for (std::int32_t j = 0; j < 7; ++j) ciclo.Resultado.Passos[j].Origens = {2 + (j + 1) % 7};
  TCanvasGravador c2;
  Paginas({ciclo}, true).DesenharSolucao(c2, 0, 18, 30, 87);
  EXPECT_TRUE(Dicas(c2).Dicas.empty());
  ASSERT_EQ(Dicas(c2).Notas.size(), 1u);
  EXPECT_DOUBLE_EQ(Dicas(c2).Notas[0].Y, 30 + 7 + 55 + 3 + 1);

  // Without hints nothing follows the grid.
  TCanvasGravador c3;
  Paginas({Puzzle(4, 8)}, false).DesenharSolucao(c3, 0, 18, 30, 87);
  EXPECT_EQ(c3.Chamadas.back().Op, opTexto);
  EXPECT_TRUE(Dicas(c3).Dicas.empty() && Dicas(c3).Notas.empty());
}

// A real book: what the generator and the solver hand over draws as the pages expect.
TEST(PaginasPuzzles, LivroGerado) {
  TConfigLivro config;
  config.NumPuzzles = 2;
  config.N = 4;
  config.Nivel = 2;
  config.Leis = TConjuntoLeis::DeCodigo(31);
  config.Caminho = true;
  config.Semente = 12345;
  const TLivro livro = TGeradorLivro().Gerar(config);
  ASSERT_EQ(livro.Puzzles.size(), 2u);
  const TPaginasPuzzles paginas(livro, InfoPadrao(), LayoutPadrao(4));

  TCanvasGravador puzzles;
  paginas.PaginaPuzzles(puzzles, TDescPagina{pgPuzzles, 0, 11});
  EXPECT_EQ(TextosDe(puzzles, 14, true).size(), 2u);

  TCanvasGravador solucoes;
  paginas.PaginaSolucoes(solucoes, TDescPagina{pgSolucoes, 0, 14});
  const double digitos = TamanhoDigitos(55, 4);
  EXPECT_EQ(TextosDe(solucoes, digitos, true).size() + TextosDe(solucoes, digitos, false).size(), 32u);
  const TDicas d = Dicas(solucoes);
  EXPECT_FALSE(d.Dicas.empty());
  EXPECT_LE(d.Dicas.size(), 12u);
  EXPECT_EQ(d.Dicas.front().Texto.substr(0, 3), "1. ");
}

}  // namespace
}  // namespace cadrel
