#include "book/diagramas.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "book/canvas_gravador.hpp"
#include "book/paginas.hpp"
#include "book/pictogramas.hpp"

namespace cadrel {
namespace {

constexpr double CEps = 1e-9;

// All texts joined by spaces, so that a wrapped paragraph reads as one text.
std::string Junto(const TCanvasGravador& C) {
  std::string r;
  for (const std::string& t : C.Textos()) r += t + ' ';
  return r;
}

// The first text call with exactly this text.
const TChamada* Texto(const TCanvasGravador& C, const std::string& ATexto) {
  for (const TChamada& c : C.Chamadas)
    if (c.Op == opTexto && c.Texto == ATexto) return &c;
  return nullptr;
}

// The printed lines of that width, dashes one by one.
std::vector<TChamada> Linhas(const TCanvasGravador& C, double AEspessura) {
  std::vector<TChamada> r;
  for (const TChamada& c : C.Tracos())
    if (c.Espessura == AEspessura) r.push_back(c);
  return r;
}

void ExpectPonto(double X, double Y, TPontoMm AEsperado) {
  EXPECT_NEAR(X, AEsperado.X, CEps);
  EXPECT_NEAR(Y, AEsperado.Y, CEps);
}

void ExpectTexto(const TCanvasGravador& C, const std::string& ATexto, double X, double Y, double ATamanho,
                 bool ANegrito, TAlinhamento AAlinhamento) {
  const TChamada* t = Texto(C, ATexto);
  ASSERT_NE(t, nullptr) << ATexto;
  EXPECT_NEAR(t->X, X, CEps) << ATexto;
  EXPECT_NEAR(t->Y, Y, CEps) << ATexto;
  EXPECT_EQ(t->Tamanho, ATamanho) << ATexto;
  EXPECT_EQ(t->Negrito, ANegrito) << ATexto;
  EXPECT_EQ(t->Contorno, 0) << ATexto;
  EXPECT_EQ(t->Alinhamento, AAlinhamento) << ATexto;
}

// FNV-1a over every argument of every call, numbers by their bits: two
// recordings that differ anywhere, by as little as a rounding, part here.
std::uint64_t Impressao(const TCanvasGravador& C) {
  std::uint64_t h = 0xcbf29ce484222325u;
  const auto juntar = [&](std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 0x100000001b3u;
    }
  };
  const auto numero = [&](double d) { juntar(std::bit_cast<std::uint64_t>(d)); };
  for (const TChamada& c : C.Chamadas) {
    juntar(c.Op);
    for (double d : {c.X, c.Y, c.X2, c.Y2, c.Largura, c.Altura, c.Espessura, c.Tamanho, c.Tracejado.TracoMm,
                     c.Tracejado.IntervaloMm})
      numero(d);
    juntar(c.Pontos.size());
    for (const TPontoMm& p : c.Pontos) {
      numero(p.X);
      numero(p.Y);
    }
    juntar(static_cast<std::uint32_t>(c.Contorno));
    juntar(static_cast<std::uint32_t>(c.Preenchimento));
    juntar(c.Negrito);
    juntar(c.Alinhamento);
    juntar(c.Texto.size());
    for (unsigned char ch : c.Texto) juntar(ch);
  }
  return h;
}

// What a call covers, [X0, X1] × [Y0, Y1]; a text as the recording canvas
// measures it, a line or a polygon by its points.
struct TCaixa {
  double X0, Y0, X1, Y1;
};

TCaixa Caixa(const TChamada& c) {
  switch (c.Op) {
    case opTexto: {
      const double w = TCanvasGravador::Largura(c.Texto, c.Tamanho, c.Negrito);
      const double x = c.Alinhamento == alEsquerda ? c.X : c.Alinhamento == alCentro ? c.X - w / 2 : c.X - w;
      return {x, c.Y, x + w, c.Y + c.Tamanho * TCanvasGravador::CAltura};
    }
    case opLinha: return {std::min(c.X, c.X2), std::min(c.Y, c.Y2), std::max(c.X, c.X2), std::max(c.Y, c.Y2)};
    case opPoligono: {
      TCaixa r{c.Pontos[0].X, c.Pontos[0].Y, c.Pontos[0].X, c.Pontos[0].Y};
      for (const TPontoMm& p : c.Pontos)
        r = {std::min(r.X0, p.X), std::min(r.Y0, p.Y), std::max(r.X1, p.X), std::max(r.Y1, p.Y)};
      return r;
    }
    default: return {c.X, c.Y, c.X + c.Largura, c.Y + c.Altura};
  }
}

const std::string CIntro =
    "Em cada diagrama a grelha está toda preenchida, para se ver a lei a funcionar. As marcas lêem-se também a "
    "preto e branco: linha contínua, tracejada e cinzento.";

// The page title and the introduction; returns where the first diagram starts.
double Abertura(TCanvasGravador& C) {
  C.Texto(105, 18, "Os diagramas das leis", 24, true, 0, alCentro);
  return DesenharParagrafo(C, 18, 35, 174, CIntro, 11) + 3;
}

TEST(Diagramas, GruposEPaginasPorConjuntoDeLeis) {
  struct Caso {
    TConjuntoLeis leis;
    std::vector<TGrupoDiagramas> grupos;
  };
  const Caso casos[] = {
      {{}, {}},
      {{leiORD}, {gdOrdemTabela}},
      {{leiTAB}, {gdOrdemTabela}},
      {{leiSIM}, {gdSimetria}},
      {{leiSOMD}, {gdSomas}},
      {{leiSOMQ}, {gdSomas}},
      {{leiORD, leiTAB, leiSOMD, leiSOMQ}, {gdOrdemTabela, gdSomas}},
      {{leiSIM, leiSOMD}, {gdSimetria, gdSomas}},
      {TConjuntoLeis::DeCodigo(31), {gdOrdemTabela, gdSimetria, gdSomas}},
  };
  for (const Caso& caso : casos) {
    const int bits = caso.leis.Bits();
    EXPECT_EQ(GruposDiagramas(caso.leis), caso.grupos) << bits;
    const std::int32_t n = NumPaginasDiagramas(caso.leis);
    EXPECT_EQ(n, static_cast<std::int32_t>(caso.grupos.size())) << bits;
    // Pages outside the groups stay blank.
    for (std::int32_t pagina : {-1, n}) {
      TCanvasGravador c;
      DesenharDiagramas(c, CGeometriaA4, caso.leis, pagina);
      EXPECT_TRUE(c.Chamadas.empty()) << bits << " pagina " << pagina;
    }
  }
}

TEST(Diagramas, PaginasJuntamOsDiagramasDoGrupo) {
  // Only the first page has the title and the introduction; each group's
  // diagrams follow one another from where the previous one ended.
  struct Caso {
    TConjuntoLeis leis;
    std::int32_t pagina;
    void (*desenhar)(TCanvasGravador&, double);
  };
  const Caso casos[] = {
      {{leiTAB}, 0, [](TCanvasGravador& c, double y) { DiagramaTabela(c, CGeometriaA4, y); }},
      {{leiORD}, 0, [](TCanvasGravador& c, double y) { DiagramaOrdem(c, CGeometriaA4, y); }},
      {{leiORD, leiTAB}, 0,
       [](TCanvasGravador& c, double y) { DiagramaTabela(c, CGeometriaA4, DiagramaOrdem(c, CGeometriaA4, y)); }},
      {{leiSIM, leiSOMD}, 0, [](TCanvasGravador& c, double y) { DiagramaSimetria(c, CGeometriaA4, y); }},
      {{leiSIM, leiSOMD}, 1, [](TCanvasGravador& c, double y) { DiagramaSomas(c, CGeometriaA4, y, false); }},
      {{leiSOMQ}, 0, [](TCanvasGravador& c, double y) { DiagramaSomas(c, CGeometriaA4, y, true); }},
      {TConjuntoLeis::DeCodigo(31), 2, [](TCanvasGravador& c, double y) { DiagramaSomas(c, CGeometriaA4, y, true); }},
  };
  for (const Caso& caso : casos) {
    TCanvasGravador esperado;
    const double y = caso.pagina == 0 ? Abertura(esperado) : 18;
    caso.desenhar(esperado, y);
    TCanvasGravador c;
    DesenharDiagramas(c, CGeometriaA4, caso.leis, caso.pagina);
    EXPECT_EQ(c.Chamadas, esperado.Chamadas) << int(caso.leis.Bits()) << " pagina " << caso.pagina;
  }
}

TEST(Diagramas, PaginasA4ComoSempre) {
  // An A4 book prints as it always has, bit for bit. These are every
  // diagrams page a book can have, as A4 books drew them before the pages
  // followed their trim; a book's laws only choose which of them follow one
  // another.
  struct Caso {
    TConjuntoLeis leis;
    std::int32_t pagina;
    std::uint64_t impressao;
  };
  const Caso casos[] = {
      {{leiTAB}, 0, 0xaae6af975fd928bbu},
      {{leiORD}, 0, 0x9a55f2edaedde061u},
      {{leiORD, leiTAB}, 0, 0x9b591cdbc02c6867u},
      {{leiSIM}, 0, 0x881997ed85432bc4u},
      {{leiTAB, leiSIM}, 1, 0xae5fa3123f4b814cu},
      {{leiSOMD}, 0, 0x5ad584a6765ce2a1u},
      {{leiSIM, leiSOMD}, 1, 0x031b7589d7fd059fu},
      {{leiSOMQ}, 0, 0x36f18931fe055659u},
      {{leiSIM, leiSOMD, leiSOMQ}, 1, 0x30cb6b9f5ef2452eu},
  };
  for (const Caso& caso : casos) {
    TCanvasGravador c;
    DesenharDiagramas(c, CGeometriaA4, caso.leis, caso.pagina);
    EXPECT_EQ(Impressao(c), caso.impressao) << int(caso.leis.Bits()) << " pagina " << caso.pagina;
  }
}

TEST(Diagramas, DentroDaMolduraDeQualquerFormato) {
  // A page as short as the narrowest trim's, A5, at the widths a frame can
  // have: everything inside the frame and above the footer, no text smaller
  // than the notes have always been.
  for (double largura : {150.0, 160.0, 174.0}) {
    const TGeometriaPagina g{.Largura = largura, .YRodape = 256, .LimiteConteudo = 245};
    for (int codigo = 1; codigo < 32; ++codigo) {
      const TConjuntoLeis leis = TConjuntoLeis::DeCodigo(codigo);
      for (std::int32_t pagina = 0; pagina < NumPaginasDiagramas(leis); ++pagina) {
        TCanvasGravador c;
        DesenharDiagramas(c, g, leis, pagina);
        const auto fora = std::find_if(c.Chamadas.begin(), c.Chamadas.end(), [&](const TChamada& k) {
          const TCaixa b = Caixa(k);
          return b.X0 < 18 - CEps || b.X1 > g.Direita() + CEps || b.Y0 < 18 - CEps || b.Y1 > 245 + CEps ||
                 (k.Op == opTexto && k.Tamanho < 9);
        });
        EXPECT_EQ(fora, c.Chamadas.end()) << largura << " mm, leis " << codigo << ", pagina " << pagina << ": "
                                          << int(fora->Op) << " " << fora->Texto << " em " << fora->X << ", "
                                          << fora->Y;
      }
    }
  }
}

TEST(Diagramas, FigurasEncolhemSoQuantoAPaginaPede) {
  // A4's frame on a page as short as A5's: the order and table grids give up
  // the least of their size that lets the page end above its limit, and the
  // texts stay as on A4.
  const TGeometriaPagina g{.LimiteConteudo = 245};
  TCanvasGravador pagina;
  DesenharDiagramas(pagina, g, {leiORD, leiTAB}, 0);
  const auto desenhar = [&](double AEscala) {
    TCanvasGravador c;
    return DiagramaTabela(c, g, DiagramaOrdem(c, g, Abertura(c), AEscala), AEscala);
  };
  const std::vector<TChamada> rectangulos = pagina.Do(opRectangulo);
  const double celula =  // the order grid's shaded corner
      std::ranges::find_if(rectangulos, [](const TChamada& r) { return r.Preenchimento == 235; })->Largura;
  const double escala = celula / 13;
  EXPECT_GE(escala, 0.76);
  EXPECT_LT(escala, 1);
  EXPECT_LE(desenhar(escala), 245 + 6 + CEps);
  EXPECT_GT(desenhar(escala + 0.04), 245 + 6);

  TCanvasGravador a4;
  DesenharDiagramas(a4, CGeometriaA4, {leiORD, leiTAB}, 0);
  const auto textos = [](const TCanvasGravador& c) {
    std::vector<std::tuple<std::string, double, bool>> r;
    for (const TChamada& t : c.Do(opTexto)) r.emplace_back(t.Texto, t.Tamanho, t.Negrito);
    return r;
  };
  EXPECT_EQ(textos(pagina), textos(a4));
}

TEST(Diagramas, ColunasDaDireitaCedemAMargem) {
  // A column right of a figure keeps its place while the frame has room for
  // it, then draws back towards the figure, never closer than the A4 page's
  // gaps allow.
  struct Caso {
    double largura, xOrdem, xPares;
  };
  const Caso casos[] = {{174, 100, 140}, {160, 86, 140}, {150, 86, 138}};
  for (const Caso& caso : casos) {
    const TGeometriaPagina g{.Largura = caso.largura};
    TCanvasGravador ordem;
    DiagramaOrdem(ordem, g, 10);
    const auto coluna = std::find_if(ordem.Chamadas.begin(), ordem.Chamadas.end(),
                                     [](const TChamada& t) { return t.Texto.starts_with("Os números crescem"); });
    ASSERT_NE(coluna, ordem.Chamadas.end());
    EXPECT_EQ(coluna->X, caso.xOrdem) << caso.largura;
    TCanvasGravador simetria;
    DiagramaSimetria(simetria, g, 0);
    ExpectTexto(simetria, "Os 8 pares:", caso.xPares, Texto(simetria, "Os 8 pares:")->Y, 10, true, alEsquerda);
    ExpectTexto(simetria, "C: 13 + 11 = 24", caso.xPares, Texto(simetria, "C: 13 + 11 = 24")->Y, 10, false,
                alEsquerda);
  }
}

TEST(Diagramas, MiniGrelhasNumaMolduraEstreita) {
  // Four 34 mm grids 8 mm apart need 166 mm; a 150 mm frame takes 30 mm ones,
  // still from 21 mm, 8 mm apart.
  const TGeometriaPagina g{.Largura = 150};
  TCanvasGravador c;
  const double fim = DiagramaSomas(c, g, 0, true);
  std::vector<TChamada> grelhas;
  for (const TChamada& b : c.Do(opRectangulo))
    if (b.Espessura == 0.8 && b.Y > CLadoPictograma) grelhas.push_back(b);
  ASSERT_EQ(grelhas.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_NEAR(grelhas[i].X, 21 + static_cast<double>(i % 4) * 38, CEps) << i;
    EXPECT_EQ(grelhas[i].Largura, 30) << i;
  }
  const double rq = grelhas[4].Y;
  EXPECT_NEAR(fim, rq + 30 + 2 + 2 * AlturaLinha(9) + 6, CEps);
  // Captions centre under their grids; one wider than the frame leaves leans
  // in from the margin.
  ExpectTexto(c, "quebrada 4", 150, rq + 32, 9, true, alCentro);
  ExpectTexto(c, "1 + 16 + 23 + 8 = 48", 36, rq + 32 + AlturaLinha(9), 9, false, alCentro);
  ExpectTexto(c, "1 + 14 + 23 + 10 = 48", 168 - 21 * 1.8 / 2, rq + 32 + AlturaLinha(9), 9, false, alCentro);
}

TEST(Diagramas, CabecalhoComPictogramasLadoALado) {
  const std::vector<TLei> leis{leiSOMD, leiSOMQ};
  TCanvasGravador c;
  EXPECT_DOUBLE_EQ(CabecalhoGrupo(c, 50, "Somas", leis), 67);

  TCanvasGravador esperado;
  DesenharPictograma(esperado, leiSOMD, 18, 50);
  DesenharPictograma(esperado, leiSOMQ, 36, 50);
  esperado.Texto(54, 53.5, "Somas", 16, true, 0, alEsquerda);
  EXPECT_EQ(c.Chamadas, esperado.Chamadas);

  // The sums heading shows the broken-diagonal pictogram only with that law.
  TCanvasGravador somente;
  DiagramaSomas(somente, CGeometriaA4, 50, false);
  TCanvasGravador umPictograma;
  DesenharPictograma(umPictograma, leiSOMD, 18, 50);
  const std::size_t n = umPictograma.Chamadas.size();
  ASSERT_GT(somente.Chamadas.size(), n);
  EXPECT_TRUE(std::equal(umPictograma.Chamadas.begin(), umPictograma.Chamadas.end(), somente.Chamadas.begin()));
  EXPECT_EQ(somente.Chamadas[n], (TChamada{.Op = opTexto, .X = 36, .Y = 53.5, .Contorno = 0, .Texto = "Somas",
                                           .Tamanho = 16, .Negrito = true}));
}

TEST(Diagramas, LinhaTracejadaComecaComTracoEmP) {
  struct Caso {
    TPontoMm p, q;
    int tracos;
  };
  const Caso casos[] = {
      {{10, 20}, {16, 20}, 2},  // 6 mm: dashes of 1.8 mm at 0 and 3 mm
      {{10, 20}, {11, 20}, 1},  // too short for a period: still one dash of 0.6 mm
      {{0, 0}, {0, 7.5}, 2},    // 2.5 periods round to the even 2
      {{5, 5}, {5, 0.5}, 2},    // 1.5 periods round to the even 2
      {{0, 0}, {-12.3, 0}, 4},
      {{1, 1}, {7, 9}, 3},      // 10 mm on a slant
  };
  for (const Caso& caso : casos) {
    TCanvasGravador c;
    LinhaTracejada(c, caso.p, caso.q, 1.3);
    ASSERT_EQ(c.Ops(), std::vector<TOpCanvas>{opLinha});  // one line, dashed by the canvas
    const std::vector<TChamada> tracos = c.Tracos();
    ASSERT_EQ(tracos.size(), static_cast<std::size_t>(caso.tracos));
    const double n = caso.tracos;
    for (int i = 0; i < caso.tracos; ++i) {
      const TChamada& t = tracos[static_cast<std::size_t>(i)];
      const double a = i / n;
      const double b = a + 0.6 / n;
      ExpectPonto(t.X, t.Y, PontoMm(caso.p.X + a * (caso.q.X - caso.p.X), caso.p.Y + a * (caso.q.Y - caso.p.Y)));
      ExpectPonto(t.X2, t.Y2, PontoMm(caso.p.X + b * (caso.q.X - caso.p.X), caso.p.Y + b * (caso.q.Y - caso.p.Y)));
      EXPECT_EQ(t.Espessura, 1.3);
      EXPECT_EQ(t.Contorno, 0);
    }
  }
  // The 6 mm line, literally.
  TCanvasGravador c;
  LinhaTracejada(c, {0, 0}, {6, 0}, 1);
  const std::vector<TChamada> tracos = c.Tracos();
  ASSERT_EQ(tracos.size(), 2u);
  EXPECT_NEAR(tracos[0].X2, 1.8, CEps);
  EXPECT_NEAR(tracos[1].X, 3, CEps);
  EXPECT_NEAR(tracos[1].X2, 4.8, CEps);
}

TEST(Diagramas, LinhasEncurtadasLargamOsNumeros) {
  {
    TCanvasGravador c;
    LinhaEncurtada(c, {0, 0}, {10, 0}, false, 1.3, 2, 3);
    EXPECT_EQ(c.Chamadas, (std::vector<TChamada>{
                              {.Op = opLinha, .X = 2, .Y = 0, .X2 = 7, .Y2 = 0, .Espessura = 1.3, .Contorno = 0}}));
  }
  {
    // Dashed: 9 mm left, three dashes from the cut point.
    TCanvasGravador c;
    LinhaEncurtada(c, {0, 0}, {0, 12}, true, 1.3, 1, 2);
    const std::vector<TChamada> tracos = c.Tracos();
    ASSERT_EQ(tracos.size(), 3u);
    ExpectPonto(tracos[0].X, tracos[0].Y, {0, 1});
    ExpectPonto(tracos[0].X2, tracos[0].Y2, {0, 2.8});
    ExpectPonto(tracos[2].X2, tracos[2].Y2, {0, 8.8});
  }
  for (bool tracejada : {false, true}) {
    TCanvasGravador c;
    LinhaEncurtada(c, {0, 0}, {5.1, 0}, tracejada, 1.3, 2, 3);  // at most the cuts plus 0.2 mm
    EXPECT_TRUE(c.Chamadas.empty());
    LinhaEncurtada(c, {0, 0}, {5.3, 0}, tracejada, 1.3, 2, 3);
    EXPECT_FALSE(c.Chamadas.empty());
  }

  // Sideways a number needs more room than above or below it.
  const double h = 11 * 25.4 / 72;
  EXPECT_NEAR(FolgaTexto(-1, 0, 11), 0.55 * h + 1.4, CEps);
  EXPECT_NEAR(FolgaTexto(0, 1, 11), 0.36 * h + 1.4, CEps);
  EXPECT_NEAR(FolgaTexto(0.6, -0.8, 11), 0.36 * h / 0.8 + 1.4, CEps);
  EXPECT_NEAR(FolgaTexto(0.96, 0.28, 11), 0.55 * h / 0.96 + 1.4, CEps);

  const double f = FolgaTexto(1, 0, 11);
  TCanvasGravador curta;
  LigarCentros(curta, {10, 10}, {10 + 2 * f + 0.15, 10}, 11, false, 1.3);
  EXPECT_TRUE(curta.Chamadas.empty());
  TCanvasGravador c;
  LigarCentros(c, {40, 10}, {10, 10}, 11, false, 1.3);
  ASSERT_EQ(c.Chamadas.size(), 1u);
  ExpectPonto(c.Chamadas[0].X, c.Chamadas[0].Y, {40 - f, 10});
  ExpectPonto(c.Chamadas[0].X2, c.Chamadas[0].Y2, {10 + f, 10});
}

TEST(Diagramas, SetasSoNasDiagonaisQuebradas) {
  TCanvasGravador seta;
  Seta(seta, 0, 0, 10, 0);
  EXPECT_EQ(seta.Chamadas,
            (std::vector<TChamada>{
                {.Op = opLinha, .X = 0, .Y = 0, .X2 = 10, .Y2 = 0, .Espessura = 0.9, .Contorno = 0},
                {.Op = opPoligono, .Pontos = {{10, 0}, {8.2, 0.9}, {8.2, -0.9}}, .Espessura = 0.9, .Contorno = 0,
                 .Preenchimento = 0}}));

  // Where each broken diagonal leaves the grid and where it comes back.
  struct Quebra {
    std::int32_t sai, entra;
  };
  const Quebra quebras[] = {{11, 12}, {7, 8}, {8, 15}, {4, 11}};
  constexpr double X = 21, Y = 100;
  for (std::size_t i = 0; i < CLinhasSomas.size(); ++i) {
    const TLinhaSoma& linha = CLinhasSomas[i];
    TCanvasGravador c;
    SetasQuebradas(c, X, Y, 34, linha);
    if (i < 4) {
      EXPECT_TRUE(c.Chamadas.empty()) << linha.Rotulo;
      continue;
    }
    ASSERT_EQ(c.Ops(), (std::vector<TOpCanvas>{opLinha, opPoligono, opLinha, opPoligono})) << linha.Rotulo;
    const double r = std::sqrt(2.0);
    const TPontoMm u{linha.DC / r, linha.DL / r};
    const double f = FolgaTexto(u.X, u.Y, 9);
    const TPontoMm a = CentroCelula(X, Y, 34, 4, quebras[i - 4].sai);
    const TPontoMm b = CentroCelula(X, Y, 34, 4, quebras[i - 4].entra);
    ExpectPonto(c.Chamadas[0].X, c.Chamadas[0].Y, {a.X + f * u.X, a.Y + f * u.Y});
    ExpectPonto(c.Chamadas[2].X2, c.Chamadas[2].Y2, {b.X - f * u.X, b.Y - f * u.Y});
  }
  // "quebrada 1" leaves cell 11 through the right side of the square 2.5 mm
  // round the grid and comes back into cell 12 from its left side.
  TCanvasGravador c;
  SetasQuebradas(c, X, Y, 34, CLinhasSomas[4]);
  ExpectPonto(c.Chamadas[0].X2, c.Chamadas[0].Y2, {X + 36.5, Y + 28});
  ExpectPonto(c.Chamadas[2].X, c.Chamadas[2].Y, {X - 2.5, Y + 23});

  for (bool quebradas : {false, true}) {
    TCanvasGravador somas;
    DiagramaSomas(somas, CGeometriaA4, 18, quebradas);
    EXPECT_EQ(somas.Do(opPoligono).size(), quebradas ? 8u : 0u);
  }
}

TEST(Diagramas, Ordem) {
  TCanvasGravador c;
  const double fim = DiagramaOrdem(c, CGeometriaA4, 10);
  const double g = 10 + 17 + 11;
  ExpectTexto(c, "Ordem", 36, 13.5, 16, true, alEsquerda);
  ExpectTexto(c, "cada linha cresce", 54, g - 10.5, 9, false, alCentro);

  // The corners are shaded and bold; cell 5 is framed with an arrow across each side.
  const std::vector<TChamada> rects = c.Do(opRectangulo);
  const auto tem = [&](const TChamada& r) { return std::find(rects.begin(), rects.end(), r) != rects.end(); };
  EXPECT_TRUE(tem({.Op = opRectangulo, .X = 28, .Y = g, .Largura = 13, .Altura = 13, .Preenchimento = 235}));
  EXPECT_TRUE(tem({.Op = opRectangulo, .X = 67, .Y = g + 39, .Largura = 13, .Altura = 13, .Preenchimento = 235}));
  EXPECT_TRUE(tem({.Op = opRectangulo, .X = 41, .Y = g + 13, .Largura = 13, .Altura = 13, .Espessura = 1.6,
                   .Contorno = 0}));
  std::vector<std::string> negrito;
  for (const TChamada& t : c.Do(opTexto))
    if (t.Negrito && t.Tamanho == 11) negrito.push_back(t.Texto);
  EXPECT_EQ(negrito, (std::vector<std::string>{"1", "23"}));
  const std::vector<TChamada> setas = Linhas(c, 0.9);
  ASSERT_EQ(setas.size(), 6u);
  EXPECT_EQ(setas[0], (TChamada{.Op = opLinha, .X = 30, .Y = g - 3.4, .X2 = 78, .Y2 = g - 3.4, .Espessura = 0.9,
                                .Contorno = 0}));
  EXPECT_EQ(setas[5], (TChamada{.Op = opLinha, .X = 50.6, .Y = g + 19.5, .X2 = 57.4, .Y2 = g + 19.5,
                                .Espessura = 0.9, .Contorno = 0}));

  const std::string tudo = Junto(c);
  for (const char* frase :
       {"A seta de cima dá o sentido das linhas; a da esquerda, o das colunas.",
        "O 1 e o 23, nos cantos, são o menor e o maior número: vêm sempre dados (fundo cinzento).",
        "O 9, de contorno grosso, tem de ser maior do que o 3 (em cima) e do que o 2 (à esquerda), e menor do que o "
        "14 (à direita) e do que o 10 (em baixo). Se faltasse, só poderia ser um número entre o 3 e o 10."})
    EXPECT_NE(tudo.find(frase), std::string::npos) << frase;

  // The next diagram starts 6 mm below the lowest of the two columns and the grid.
  double baixo = g + 52;
  for (const TChamada& t : c.Do(opTexto)) {
    if (t.X == 18) baixo = std::max(baixo, t.Y + AlturaLinha(9));
    if (t.X == 100) baixo = std::max(baixo, t.Y + AlturaLinha(10));
  }
  EXPECT_DOUBLE_EQ(fim, baixo + 6);
}

TEST(Diagramas, Tabela) {
  TCanvasGravador c;
  const double fim = DiagramaTabela(c, CGeometriaA4, 0);
  const TChamada* soma = Texto(c, "10 + 19 = 29 (linha contínua)");
  ASSERT_NE(soma, nullptr);
  const double g = soma->Y - 54;
  const double l9 = AlturaLinha(9);
  ExpectTexto(c, "11 + 18 = 29 (tracejada)", 18, g + 54 + l9, 9, false, alEsquerda);
  ExpectTexto(c, "11 + 17 = 28 (linha contínua)", 84, g + 54, 9, false, alEsquerda);
  ExpectTexto(c, "6 + 22 = 28 (tracejada)", 84, g + 54 + l9, 9, false, alEsquerda);
  const std::string pergunta = "No rectângulo da direita, se faltasse o 17, calculava-se 6 + 22 - 11 = 17.";
  EXPECT_NE(Junto(c).find(pergunta), std::string::npos);
  const TChamada ultima = c.Do(opTexto).back();
  EXPECT_NEAR(ultima.Y, g + 54 + 2 * l9 + 4, CEps);
  EXPECT_NEAR(fim, ultima.Y + AlturaLinha(10) + 6, CEps);

  // Frames round the two rectangles.
  std::vector<TChamada> molduras;
  for (const TChamada& r : c.Do(opRectangulo))
    if (r.Espessura == 1.6) molduras.push_back(r);
  EXPECT_EQ(molduras, (std::vector<TChamada>{
                          {.Op = opRectangulo, .X = 18, .Y = g, .Largura = 26, .Altura = 26, .Espessura = 1.6,
                           .Contorno = 0},
                          {.Op = opRectangulo, .X = 97, .Y = g, .Largura = 39, .Altura = 52, .Espessura = 1.6,
                           .Contorno = 0}}));

  // Diagonals: solid A-D, then dashed B-C (4 dashes on the left, 14 on the right).
  const std::vector<TChamada> diagonais = Linhas(c, 1.3);
  ASSERT_EQ(diagonais.size(), 1u + 4 + 1 + 14);
  const double cd = (11 * 25.4 / 72) * 0.36 * std::sqrt(2.0) + 1.4;
  const double k = cd / std::sqrt(2.0);
  ExpectPonto(diagonais[0].X, diagonais[0].Y, {24.5 + k, g + 6.5 + k});
  ExpectPonto(diagonais[0].X2, diagonais[0].Y2, {37.5 - k, g + 19.5 - k});
  ExpectPonto(diagonais[1].X, diagonais[1].Y, {37.5 - k, g + 6.5 + k});
}

TEST(Diagramas, Simetria) {
  TCanvasGravador c;
  const double fim = DiagramaSimetria(c, CGeometriaA4, 0);
  EXPECT_NE(Texto(c, "K = 1 + 23 = 24, o menor mais o maior."), nullptr);
  const TChamada* pares = Texto(c, "Os 8 pares:");
  ASSERT_NE(pares, nullptr);
  const double t = pares->Y;
  EXPECT_EQ(pares->X, 140);
  EXPECT_TRUE(pares->Negrito);
  const char* somas[] = {"A: 1 + 23 = 24", "B: 3 + 21 = 24", "C: 13 + 11 = 24", "D: 17 + 7 = 24",
                         "E: 2 + 22 = 24", "F: 9 + 15 = 24", "G: 14 + 10 = 24", "H: 18 + 6 = 24"};
  for (int i = 0; i < 8; ++i) ExpectTexto(c, somas[i], 140, t + 5.6 + i * AlturaLinha(10), 10, false, alEsquerda);
  const TChamada* par = Texto(c, "Lado par (4 × 4): o centro é onde se cruzam as duas linhas do meio");
  ASSERT_NE(par, nullptr);
  EXPECT_NEAR(t, par->Y + AlturaLinha(10) + 3, CEps);
  // The centre dot comes after the heading's pictogram dots.
  EXPECT_EQ(c.Do(opElipse).back(), (TChamada{.Op = opElipse, .X = 102.9, .Y = t + 24.9, .Largura = 2.2,
                                             .Altura = 2.2, .Espessura = 0.8, .Contorno = 0, .Preenchimento = 0}));
  ExpectTexto(c, "14 + 10 = 24 (linha contínua)", 78, t + 54, 9, false, alEsquerda);
  ExpectTexto(c, "3 + 21 = 24 (tracejada)", 78, t + 54 + AlturaLinha(9), 9, false, alEsquerda);

  // The grids in drawing order: letters, the 4 × 4 numbers (pairs in bold), the 5 × 5 numbers.
  std::string letras;
  std::vector<std::string> numeros;
  std::vector<std::string> negrito;
  for (const TChamada& x : c.Do(opTexto)) {
    if (x.Tamanho != 11) continue;
    if (std::isalpha(static_cast<unsigned char>(x.Texto[0])))
      letras += x.Texto;
    else
      numeros.push_back(x.Texto);
    if (x.Negrito) negrito.push_back(x.Texto);
  }
  EXPECT_EQ(letras, "ABCDEFGHHGFEDCBA");
  const std::vector<std::string> esperados{
      "1",  "3",  "13", "17", "2",  "9",  "14", "18", "6",  "10", "15", "22", "7",  "11", "21", "23", "14",
      "3",  "21", "8",  "18", "6",  "24", "10", "20", "12", "16", "22", "25", "28", "34", "38", "30", "40",
      "26", "44", "32", "42", "29", "47", "36"};
  EXPECT_EQ(numeros, esperados);
  EXPECT_EQ(negrito, (std::vector<std::string>{"3", "14", "10", "21", "25"}));

  // The odd grid: its pairs, its centre and where the next diagram may start.
  const TChamada* impar = Texto(c, "Lado ímpar (5 × 5): o centro é uma célula");
  ASSERT_NE(impar, nullptr);
  const double u = impar->Y + AlturaLinha(10) + 3;
  ExpectTexto(c, "K = 3 + 47 = 50.", 88, u, 10, false, alEsquerda);
  EXPECT_NE(Texto(c, "25 = 50 / 2"), nullptr);
  EXPECT_NE(Junto(c).find("Os outros 24 números formam 12 pares, todos com soma 50. Por exemplo: 3 + 47 = 50 "
                          "(linha contínua) 12 + 38 = 50 (tracejada)"),
            std::string::npos);
  const TChamada* ultima = Texto(c, "12 + 38 = 50 (tracejada)");
  ASSERT_NE(ultima, nullptr);
  EXPECT_NEAR(fim, std::max(ultima->Y + AlturaLinha(10), u + 60) + 6, CEps);

  // The halves of each odd pair stop short of the centre number.
  const TPontoMm centro = CentroCelula(18, u, 60, 5, 12);
  std::vector<TChamada> metades;
  for (const TChamada& l : Linhas(c, 1.3))
    if (l.Y > u) metades.push_back(l);
  ASSERT_FALSE(metades.empty());
  for (const TChamada& l : metades) {
    EXPECT_GT(std::hypot(l.X - centro.X, l.Y - centro.Y), 2.5);
    EXPECT_GT(std::hypot(l.X2 - centro.X, l.Y2 - centro.Y), 2.5);
  }
}

TEST(Diagramas, Somas) {
  for (bool quebradas : {false, true}) {
    TCanvasGravador c;
    const double fim = DiagramaSomas(c, CGeometriaA4, 0, quebradas);
    EXPECT_NE(Junto(c).find("Todas as linhas, todas as colunas e as duas diagonais principais somam o mesmo valor "
                            "S. Aqui S = 48."),
              std::string::npos);
    const TChamada* primeira = Texto(c, "uma linha");
    ASSERT_NE(primeira, nullptr);
    const double r = primeira->Y - 36;

    // Four 34 mm grids spread from 21 to 189 mm.
    std::vector<double> xs;
    for (const TChamada& b : c.Do(opRectangulo))
      if (b.Espessura == 0.8 && b.Largura == 34 && b.Y == r) xs.push_back(b.X);
    ASSERT_EQ(xs.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(xs[static_cast<std::size_t>(i)], 21 + i * (34 + 32.0 / 3), CEps);

    const char* linhas = quebradas ? "22 + 11 + 2 + 13 = 48" : "5 + 14 + 10 + 19 = 48";
    ExpectTexto(c, "uma diagonal", xs[2] + 17, r + 36, 9, true, alCentro);
    ExpectTexto(c, linhas, xs[2] + 17, r + 36 + AlturaLinha(9), 9, false, alCentro);
    if (!quebradas) {
      ExpectTexto(c, "20 + 16 + 10 + 2 = 48", 38, r + 36 + AlturaLinha(9), 9, false, alCentro);
      EXPECT_EQ(Texto(c, "quebrada 1"), nullptr);
      EXPECT_NEAR(fim, r + 34 + 2 + 2 * AlturaLinha(9) + 6, CEps);
      continue;
    }
    EXPECT_NE(Junto(c).find("As diagonais «quebradas» saem por um lado da grelha e continuam do lado oposto (as "
                            "setas pequenas mostram a saída e a entrada). Também somam S."),
              std::string::npos);
    const TChamada* q1 = Texto(c, "quebrada 1");
    ASSERT_NE(q1, nullptr);
    const double rq = q1->Y - 36;
    ExpectTexto(c, "1 + 16 + 23 + 8 = 48", 38, rq + 36 + AlturaLinha(9), 9, false, alCentro);
    ExpectTexto(c, "1 + 14 + 23 + 10 = 48", xs[3] + 17, rq + 36 + AlturaLinha(9), 9, false, alCentro);
    EXPECT_NEAR(fim, rq + 34 + 2 + 2 * AlturaLinha(9) + 6, CEps);
  }
}

}  // namespace
}  // namespace cadrel
