// The cover as the recording canvas sees it drawn, on books of every
// thickness: the page counts are given, not composed, so that thin and thick
// spines cost nothing.
#include "cover/capa.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "apoio.hpp"
#include "book/canvas_gravador.hpp"
#include "book/editorial.hpp"
#include "book/paginas.hpp"
#include "book/pictogramas.hpp"
#include "book/regras.hpp"
#include "cover/geometria_capa.hpp"
#include "generation/livro.hpp"

namespace cadrel {
namespace {

constexpr double CPolegada = 25.4;

struct TCaso {
  TFormato Formato;
  double LarguraPol;  // of the trim
  double AlturaPol;
  TPapel Papel;
  double PolPorPagina;
  std::int32_t Paginas;
};

std::string Nome(const TCaso& c) {
  return fmt::format("{} {} {} páginas", DadosFormato(c.Formato).Nome, DadosPapel(c.Papel).Nome, c.Paginas);
}

const TCaso CCasos[] = {
    {fm6x9, 6, 9, ppBranco, 0.002252, 24},   {fm6x9, 6, 9, ppCreme, 0.0025, 24},
    {fm6x9, 6, 9, ppBranco, 0.002252, 60},   {fm6x9, 6, 9, ppCreme, 0.0025, 60},
    {fm6x9, 6, 9, ppBranco, 0.002252, 78},   {fm6x9, 6, 9, ppCreme, 0.0025, 79},
    {fm6x9, 6, 9, ppBranco, 0.002252, 120},  {fm6x9, 6, 9, ppCreme, 0.0025, 120},
    {fm6x9, 6, 9, ppBranco, 0.002252, 220},  {fm6x9, 6, 9, ppCreme, 0.0025, 220},
    {fmA5, 148 / CPolegada, 210 / CPolegada, ppBranco, 0.002252, 24},
    {fmA5, 148 / CPolegada, 210 / CPolegada, ppCreme, 0.0025, 60},
    {fmA5, 148 / CPolegada, 210 / CPolegada, ppBranco, 0.002252, 79},
    {fmA5, 148 / CPolegada, 210 / CPolegada, ppCreme, 0.0025, 78},
    {fmA5, 148 / CPolegada, 210 / CPolegada, ppBranco, 0.002252, 120},
    {fmA5, 148 / CPolegada, 210 / CPolegada, ppCreme, 0.0025, 220},
    {fmCarta, 8.5, 11, ppBranco, 0.002252, 220},
    {fmA4, 210 / CPolegada, 297 / CPolegada, ppCreme, 0.0025, 120},
};

// The trim's box from the page's top-left corner, in millimetres, as the
// printer's rules put it: 0.125 in of bleed, the back, the spine, the front.
TRectanguloMm Painel(const TCaso& c, int APainel) {
  const double lombada = c.Paginas * c.PolPorPagina;
  const double x[] = {0.125, 0.125 + c.LarguraPol, 0.125 + c.LarguraPol + lombada};
  const double largura[] = {c.LarguraPol, lombada, c.LarguraPol};
  return {x[APainel] * CPolegada, 0.125 * CPolegada, largura[APainel] * CPolegada, c.AlturaPol * CPolegada};
}
enum { CContracapa, CLombada, CFrente };

TEST(GeometriaCapa, TamanhoEPaineisPelasRegrasDaImpressora) {
  for (const TCaso& c : CCasos) {
    SCOPED_TRACE(Nome(c));
    const TGeometriaCapa g = GeometriaCapa(c.Formato, c.Papel, c.Paginas);
    const double lombada = c.Paginas * c.PolPorPagina;
    EXPECT_NEAR(MmParaPt(g.Largura), (0.125 + c.LarguraPol + lombada + c.LarguraPol + 0.125) * 72, 0.5);
    EXPECT_NEAR(MmParaPt(g.Altura), (c.AlturaPol + 0.25) * 72, 0.5);
    EXPECT_NEAR(g.Lombada, lombada * CPolegada, 1e-9);
    const TRectanguloMm paineis[] = {g.Contracapa(), g.FaixaLombada(), g.Frente()};
    for (int p : {CContracapa, CLombada, CFrente}) {
      const TRectanguloMm esperado = Painel(c, p);
      EXPECT_NEAR(paineis[p].X, esperado.X, 1e-9) << p;
      EXPECT_NEAR(paineis[p].Y, esperado.Y, 1e-9) << p;
      EXPECT_NEAR(paineis[p].Largura, esperado.Largura, 1e-9) << p;
      EXPECT_NEAR(paineis[p].Altura, esperado.Altura, 1e-9) << p;
    }
    // 2 x 1.2 in, its lower right corner 0.25 in inside the back's.
    const TRectanguloMm barras = g.CodigoBarras();
    const TRectanguloMm contracapa = Painel(c, CContracapa);
    EXPECT_NEAR(barras.X + barras.Largura, contracapa.X + contracapa.Largura - 0.25 * CPolegada, 1e-9);
    EXPECT_NEAR(barras.Y + barras.Altura, contracapa.Y + contracapa.Altura - 0.25 * CPolegada, 1e-9);
    EXPECT_NEAR(barras.Largura, 2 * CPolegada, 1e-9);
    EXPECT_NEAR(barras.Altura, 1.2 * CPolegada, 1e-9);
    EXPECT_EQ(g.LombadaComTexto(), c.Paginas >= 79);
  }
  // Two of them worked by hand.
  EXPECT_NEAR(GeometriaCapa(fm6x9, ppCreme, 220).Largura, 12.8 * CPolegada, 1e-9);
  EXPECT_NEAR(GeometriaCapa(fm6x9, ppBranco, 100).Lombada, 0.2252 * CPolegada, 1e-9);
  EXPECT_EQ(PapelDoNome("Creme"), ppCreme);
  EXPECT_EQ(PapelDoNome("azul"), std::nullopt);
}

bool Dentro(const TRectanguloMm& ACaixa, const TRectanguloMm& AZona) {
  return ACaixa.X >= AZona.X && ACaixa.Y >= AZona.Y && ACaixa.X + ACaixa.Largura <= AZona.X + AZona.Largura &&
         ACaixa.Y + ACaixa.Altura <= AZona.Y + AZona.Altura;
}

bool Cruzam(const TRectanguloMm& A, const TRectanguloMm& B) {
  return A.X < B.X + B.Largura && B.X < A.X + A.Largura && A.Y < B.Y + B.Altura && B.Y < A.Y + A.Altura;
}

TRectanguloMm Recolhido(const TRectanguloMm& R, double AHorizontal, double AVertical) {
  return {R.X + AHorizontal, R.Y + AVertical, R.Largura - 2 * AHorizontal, R.Altura - 2 * AVertical};
}

// Where a call puts ink, as the recording canvas measures text: a level line
// from its anchor by its alignment, a turned one the same box turned a
// quarter turn clockwise about the anchor.
TRectanguloMm Caixa(const TChamada& c) {
  switch (c.Op) {
    case opLinha:
      return {std::min(c.X, c.X2), std::min(c.Y, c.Y2), std::abs(c.X2 - c.X), std::abs(c.Y2 - c.Y)};
    case opPoligono: {
      double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
      for (const TPontoMm& p : c.Pontos) {
        x0 = std::min(x0, p.X), y0 = std::min(y0, p.Y), x1 = std::max(x1, p.X), y1 = std::max(y1, p.Y);
      }
      return {x0, y0, x1 - x0, y1 - y0};
    }
    case opTexto:
    case opTextoRodado: {
      const double w = TCanvasGravador::Largura(c.Texto, c.Tamanho, c.Negrito);
      const double h = c.Tamanho * TCanvasGravador::CAltura;
      const double inicio = c.Alinhamento == alEsquerda ? 0 : c.Alinhamento == alCentro ? -w / 2 : -w;
      if (c.Op == opTexto) return {c.X + inicio, c.Y, w, h};
      return {c.X - h, c.Y + inicio, h, w};
    }
    default: return {c.X, c.Y, c.Largura, c.Altura};
  }
}

bool EhTexto(const TChamada& c) { return c.Op == opTexto || c.Op == opTextoRodado; }

// What every cover must keep, whatever its book and its thickness.
void VerificarCapa(const TCanvasGravador& ACapa, const TCaso& c) {
  const TGeometriaCapa g = GeometriaCapa(c.Formato, c.Papel, c.Paginas);
  const double margem = 0.375 * CPolegada;
  const TRectanguloMm contracapa = Recolhido(Painel(c, CContracapa), margem, margem);
  const TRectanguloMm frente = Recolhido(Painel(c, CFrente), margem, margem);
  const TRectanguloMm lombada = Recolhido(Painel(c, CLombada), 0.0625 * CPolegada, margem);
  const std::vector<TChamada>& chamadas = ACapa.Chamadas;
  ASSERT_FALSE(chamadas.empty());

  // The ground first, past every edge of the page.
  EXPECT_TRUE(Dentro({0, 0, g.Largura, g.Altura}, Caixa(chamadas.front())));
  EXPECT_LT(chamadas.front().Preenchimento, 128);

  // Level text on the back and the front, turned text on the spine only, and
  // there only from 79 pages on: every character clear of the trimmed edges
  // by 0.375 in and of the folds by 0.0625 in.
  std::int32_t rodados = 0;
  for (const TChamada& t : chamadas) {
    if (t.Op == opTexto) {
      EXPECT_TRUE(Dentro(Caixa(t), contracapa) || Dentro(Caixa(t), frente)) << t.Texto;
    }
    if (t.Op != opTextoRodado) continue;
    ++rodados;
    EXPECT_TRUE(Dentro(Caixa(t), lombada)) << t.Texto;
  }
  EXPECT_EQ(rodados, c.Paginas >= 79 ? 2 : 0);

  // The barcode's box: white, where the rules put it, and nothing over it.
  const TRectanguloMm barras{Painel(c, CContracapa).X + Painel(c, CContracapa).Largura - 2.25 * CPolegada,
                             Painel(c, CContracapa).Y + Painel(c, CContracapa).Altura - 1.45 * CPolegada,
                             2 * CPolegada, 1.2 * CPolegada};
  const auto caixa = std::find_if(chamadas.begin(), chamadas.end(), [&](const TChamada& r) {
    return r.Op == opRectangulo && std::abs(r.X - barras.X) < 1e-9 && std::abs(r.Y - barras.Y) < 1e-9 &&
           std::abs(r.Largura - barras.Largura) < 1e-9 && std::abs(r.Altura - barras.Altura) < 1e-9;
  });
  ASSERT_NE(caixa, chamadas.end());
  EXPECT_EQ(caixa->Preenchimento, 255);
  for (auto d = caixa + 1; d != chamadas.end(); ++d) EXPECT_FALSE(Cruzam(Caixa(*d), barras)) << d->Texto;

  // Legible: light text on no white card, dark text on one laid before it,
  // and no card laid over a text afterwards.
  struct TCartao {
    std::size_t Ordem;
    TRectanguloMm Caixa;
  };
  std::vector<TCartao> cartoes;
  for (std::size_t i = 0; i < chamadas.size(); ++i)
    if (chamadas[i].Op == opRectangulo && chamadas[i].Preenchimento == 255 && chamadas.begin() + i != caixa)
      cartoes.push_back({i, Caixa(chamadas[i])});
  for (std::size_t i = 0; i < chamadas.size(); ++i) {
    if (!EhTexto(chamadas[i])) continue;
    const TRectanguloMm t = Caixa(chamadas[i]);
    const bool claro = chamadas[i].Contorno >= 128;
    EXPECT_TRUE(std::none_of(cartoes.begin(), cartoes.end(), [&](const TCartao& k) {
      return (claro || k.Ordem > i) && Cruzam(t, k.Caixa);
    })) << chamadas[i].Texto;
    if (!claro) {
      EXPECT_TRUE(std::any_of(cartoes.begin(), cartoes.end(),
                              [&](const TCartao& k) { return k.Ordem < i && Dentro(t, k.Caixa); }))
          << chamadas[i].Texto;
    }
  }
}

// The texts drawn inside AZona.
std::vector<std::string> TextosEm(const TCanvasGravador& ACapa, const TRectanguloMm& AZona) {
  std::vector<std::string> r;
  for (const TChamada& t : ACapa.Chamadas)
    if (EhTexto(t) && Dentro(Caixa(t), AZona)) r.push_back(t.Texto);
  return r;
}

// The texts of a panel as one line: a paragraph's lines joined again.
std::string Corrido(const std::vector<std::string>& ATextos) {
  std::string r;
  for (const std::string& t : ATextos) r += t + " ";
  return r;
}

bool Tem(const std::vector<std::string>& ATextos, const std::string& ATexto) {
  return std::find(ATextos.begin(), ATextos.end(), ATexto) != ATextos.end();
}

// Whether AChamadas hold, as one run, what ADesenhar draws with its origin
// somewhere: a drawer's picture, wherever it was put.
bool ContemDesenho(const std::vector<TChamada>& AChamadas,
                   const std::function<void(ICadrelCanvas&, double, double)>& ADesenhar) {
  TCanvasGravador molde;
  ADesenhar(molde, 0, 0);
  const TChamada& primeira = molde.Chamadas.front();
  const auto proximo = [](const TChamada& a, const TChamada& b) {
    const TRectanguloMm x = Caixa(a), y = Caixa(b);
    return a.Op == b.Op && a.Texto == b.Texto && a.Contorno == b.Contorno && a.Preenchimento == b.Preenchimento &&
           std::abs(x.X - y.X) < 1e-6 && std::abs(x.Y - y.Y) < 1e-6 && std::abs(x.Largura - y.Largura) < 1e-6 &&
           std::abs(x.Altura - y.Altura) < 1e-6;
  };
  for (std::size_t i = 0; i + molde.Chamadas.size() <= AChamadas.size(); ++i) {
    const TChamada& c = AChamadas[i];
    if (c.Op != primeira.Op) continue;
    TCanvasGravador aqui;
    ADesenhar(aqui, Caixa(c).X - Caixa(primeira).X, Caixa(c).Y - Caixa(primeira).Y);
    if (std::equal(aqui.Chamadas.begin(), aqui.Chamadas.end(), AChamadas.begin() + i, proximo)) return true;
  }
  return false;
}

TLivro Livro(std::int32_t APuzzles, std::int32_t N, std::int32_t ANivel, TConjuntoLeis ALeis, bool ADicas,
             const std::string& ATitulo) {
  TConfigLivro config = ConfigLivro(APuzzles, N, ANivel, 0xC0FFEE, ALeis);
  config.Caminho = ADicas;
  config.Titulo = ATitulo;
  return TGeradorLivro().Gerar(config);
}

TCanvasGravador Desenhada(const TLivro& ALivro, const TCaso& c) {
  TCanvasGravador capa;
  DesenharCapa(capa, GeometriaCapa(c.Formato, c.Papel, c.Paginas), ALivro);
  return capa;
}

TEST(Capa, RegrasDaImpressoraEmTodasAsEspessuras) {
  const TLivro livro = Livro(5, 5, 0, CTodasLeis, true, "Férias de Verão");
  for (const TCaso& c : CCasos) {
    SCOPED_TRACE(Nome(c));
    const TCanvasGravador capa = Desenhada(livro, c);
    VerificarCapa(capa, c);
    // The front shows the title, the back the book's code; the spine both
    // once it is thick enough.
    EXPECT_TRUE(Tem(TextosEm(capa, Painel(c, CFrente)), "Férias de Verão"));
    EXPECT_TRUE(Tem(TextosEm(capa, Painel(c, CContracapa)), livro.Codigo));
    const std::vector<std::string> lombada = TextosEm(capa, Painel(c, CLombada));
    const std::vector<std::string> esperada{"Férias de Verão", livro.Codigo};
    EXPECT_EQ(lombada, c.Paginas >= 79 ? esperada : std::vector<std::string>{});
  }
}

// The narrowest trim and the most a book can ask of it: the longest title,
// the largest grid, every law and the hints. Without a title, the spine
// carries the collection's name.
TEST(Capa, OMaisQueUmLivroPedeCabeNoFormatoMaisEstreito) {
  const TCaso a5{fmA5, 148 / CPolegada, 210 / CPolegada, ppBranco, 0.002252, 120};
  for (const std::string& titulo : {std::string(60, 'W'), std::string("Um ") + std::string(52, 'y') + " fim"}) {
    const TLivro livro = Livro(5, 7, 0, CTodasLeis, true, titulo);
    SCOPED_TRACE(titulo);
    VerificarCapa(Desenhada(livro, a5), a5);
  }
  const TLivro semTitulo = Livro(3, 4, 5, CTodasLeis, false, "  ");
  const TCanvasGravador capa = Desenhada(semTitulo, a5);
  VerificarCapa(capa, a5);
  EXPECT_EQ(TextosEm(capa, Painel(a5, CLombada)), (std::vector<std::string>{CProduto, semTitulo.Codigo}));
}

// The front: the collection's name, the title, the level, the grid size and
// the count of puzzles, the licence seal, and the first puzzle with every
// given it has.
TEST(Capa, FrenteComOLivroEOSeuPrimeiroPuzzle) {
  const TCaso caso{fm6x9, 6, 9, ppCreme, 0.0025, 120};
  const struct {
    TLivro livro;
    std::vector<std::string> textos;
  } casos[] = {
      {Livro(5, 5, 0, CTodasLeis, true, "Férias"), {"QUORVEL", "Férias", "Progressiva", "5 puzzles de 5 × 5"}},
      {Livro(1, 4, 3, CTodasLeis, false, ""), {"QUORVEL", "Nível 3", "1 puzzle de 4 × 4"}},
  };
  for (const auto& [livro, textos] : casos) {
    const TCanvasGravador capa = Desenhada(livro, caso);
    std::vector<std::string> claros, numeros;
    for (const TChamada& t : capa.Do(opTexto)) {
      if (!Dentro(Caixa(t), Painel(caso, CFrente))) continue;
      if (t.Contorno == 255) claros.push_back(t.Texto);
      if (t.Contorno == 0 && t.Negrito) numeros.push_back(t.Texto);
    }
    EXPECT_EQ(claros, textos);
    const TPuzzle& p = livro.Puzzles.front().Puzzle;
    std::vector<std::string> dados;
    for (const std::int32_t v : p.Dados)
      if (v != 0) dados.push_back(std::to_string(v));
    EXPECT_EQ(numeros, dados);
    const std::vector<TChamada> imagens = capa.Do(opImagem);
    ASSERT_EQ(imagens.size(), 1u);
    EXPECT_EQ(imagens[0].Texto, CRecursoSelo);
    EXPECT_TRUE(Dentro(Caixa(imagens[0]), Recolhido(Painel(caso, CFrente), 0.375 * CPolegada, 0.375 * CPolegada)));
  }
}

// The back tells the book from the book itself: how many puzzles of which
// size and levels, its laws with their pictograms, and whether the solutions
// come with hints.
TEST(Capa, ContracapaDescreveOLivro) {
  const TCaso caso{fmA5, 148 / CPolegada, 210 / CPolegada, ppBranco, 0.002252, 60};
  const struct {
    TLivro livro;
    std::vector<std::string> frases;
    std::vector<std::string> ausentes;
  } casos[] = {
      {Livro(5, 5, 0, CTodasLeis, true, ""),
       {"5 puzzles de lógica com números", "Grelhas de 5 × 5, do nível 1 ao nível 5",
        "No nível 5, as leis não vêm desenhadas", "soluções de todos os puzzles, com as dicas"},
       {"sem dicas"}},
      {Livro(3, 4, 2, {leiORD, leiSIM}, false, ""),
       {"3 puzzles de lógica com números", "Grelhas de 4 × 4, todas do nível 2",
        "soluções de todos os puzzles, sem dicas."},
       {"No nível 5", "com as dicas"}},
      {Livro(1, 4, 1, {leiTAB}, true, ""),
       {"1 puzzle de lógica com números", "Uma grelha de 4 × 4, do nível 1", "está a solução, com as dicas"},
       {"sem dicas"}},
  };
  for (const auto& [livro, frases, ausentes] : casos) {
    const TCanvasGravador capa = Desenhada(livro, caso);
    const std::vector<std::string> textos = TextosEm(capa, Painel(caso, CContracapa));
    const std::string corrido = Corrido(textos);
    for (const std::string& f : frases) EXPECT_NE(corrido.find(f), std::string::npos) << f << "\n" << corrido;
    for (const std::string& f : ausentes) EXPECT_EQ(corrido.find(f), std::string::npos) << f << "\n" << corrido;
    EXPECT_TRUE(Tem(textos, "Código do livro"));
    EXPECT_TRUE(Tem(textos, livro.Codigo));
    // Each law of the book by its name and its pictograms, and no other.
    std::vector<TChamada> atras;
    for (const TChamada& c : capa.Chamadas)
      if (Dentro(Caixa(c), Painel(caso, CContracapa))) atras.push_back(c);
    const TConjuntoLeis leis = LeisDoLivro(livro);
    for (const TNomeLei& n : CNomesLeis) {
      const bool presente = (leis.Bits() & n.Leis.Bits()) != 0;
      EXPECT_EQ(Tem(textos, std::string(n.Nome)), presente) << n.Nome;
    }
    for (const TBlocoLei& b : BlocosLeis(leis)) {
      for (const TLei lei : {b.Lei, b.Lei2})
        EXPECT_TRUE(ContemDesenho(atras, [&](ICadrelCanvas& C, double x, double y) {
          DesenharPictograma(C, lei, x, y);
        })) << b.Titulo;
    }
  }
}

}  // namespace
}  // namespace cadrel
