#include "book/compositor.hpp"

#include <gtest/gtest.h>

#include <fmt/format.h>

#include <memory>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "book/canvas_gravador.hpp"

namespace cadrel {
namespace {

// A book record with puzzles of the given levels and recipe codes only: the
// plan reads nothing else.
TLivro LivroFicticio(std::int32_t N, bool ACaminho, const std::vector<std::pair<int, int>>& ANiveisECodigos) {
  TLivro livro;
  livro.Config.N = N;
  livro.Config.NumPuzzles = static_cast<std::int32_t>(ANiveisECodigos.size());
  livro.Config.Caminho = ACaminho;
  livro.Codigo = "0000002A";
  for (const auto& [nivel, codigo] : ANiveisECodigos) {
    TPuzzleDoLivro p;
    p.Puzzle.N = N;
    p.Puzzle.Nivel = static_cast<TNivel>(nivel);
    p.Puzzle.Receita = Receita(codigo);
    livro.Puzzles.push_back(p);
  }
  return livro;
}

std::string Plano(const TCompositorLivro& c) {
  static const char* nomes[] = {"capa", "regras", "diagramas", "puzzles", "solucoes", "ficha", "branco", "verso",
                                "separador", "simbolo", "vazia"};
  std::string s;
  for (const TDescPagina& d : c.Paginas())
    s += std::string(nomes[d.Tipo]) + ":" + std::to_string(d.Primeiro) + "#" + std::to_string(d.Numero) + " ";
  return s;
}

std::vector<int> Primeiros(const TCompositorLivro& c, TTipoPagina ATipo) {
  std::vector<int> r;
  for (const TDescPagina& d : c.Paginas())
    if (d.Tipo == ATipo) r.push_back(d.Primeiro);
  return r;
}

TEST(CompositorLivro, PlanoDeCinquentaPuzzlesComDicas) {
  std::vector<std::pair<int, int>> puzzles(50, {3, 3});
  puzzles[0] = {1, 5};
  puzzles[1] = {1, 2};
  puzzles[2] = {4, 9};
  puzzles[3] = {5, 17};
  const TCompositorLivro c(LivroFicticio(5, true, puzzles), TInfoLivro{"09/12/2026", "1.0"});
  ASSERT_EQ(c.NumPaginas(), 64);
  EXPECT_EQ(c.LeisPresentes(), TConjuntoLeis::DeCodigo(31));
  const auto& p = c.Paginas();
  EXPECT_EQ(p[0], (TDescPagina{pgCapa, 0, 0}));
  EXPECT_EQ(p[1], (TDescPagina{pgVerso, 0, 0}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(p[2 + i], (TDescPagina{pgRegras, i, 3 + i}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(p[5 + i], (TDescPagina{pgDiagramas, i, 6 + i}));
  EXPECT_EQ(p[8], (TDescPagina{pgSeparador, 0, 0}));
  EXPECT_EQ(p[9], (TDescPagina{pgSimbolo, 0, 0}));
  for (int i = 0; i < 25; ++i) EXPECT_EQ(p[10 + i], (TDescPagina{pgPuzzles, 2 * i, 11 + i}));
  EXPECT_EQ(p[35], (TDescPagina{pgBranco, 0, 0}));
  EXPECT_EQ(p[36], (TDescPagina{pgSeparador, 1, 0}));
  EXPECT_EQ(p[37], (TDescPagina{pgSimbolo, 1, 0}));
  for (int i = 0; i < 25; ++i) EXPECT_EQ(p[38 + i], (TDescPagina{pgSolucoes, 2 * i, 39 + i}));
  EXPECT_EQ(p[63], (TDescPagina{pgFicha, 0, 64}));
}

TEST(CompositorLivro, PlanosPequenosEEnchimento) {
  const TInfoLivro info{"01/01/2027", "1.0"};
  // Without puzzles: no laws, so no diagrams; the separators still land on odd pages.
  const TCompositorLivro vazio(LivroFicticio(5, true, {}), info);
  EXPECT_EQ(Plano(vazio),
            "capa:0#0 verso:0#0 regras:0#3 regras:1#4 separador:0#0 simbolo:0#0 separador:1#0 simbolo:1#0 ficha:0#9 ");
  const TCompositorLivro um(LivroFicticio(4, false, {{2, 2}}), info);
  EXPECT_EQ(Plano(um),
            "capa:0#0 verso:0#0 regras:0#3 regras:1#4 diagramas:0#5 branco:0#0 separador:0#0 simbolo:0#0 "
            "puzzles:0#9 branco:0#0 separador:1#0 simbolo:1#0 solucoes:0#13 ficha:0#14 ");
  const TLivro tres = LivroFicticio(6, false, {{1, 5}, {1, 5}, {1, 5}});
  EXPECT_EQ(Primeiros(TCompositorLivro(tres, info, TLayoutPuzzles{1, 80}), pgPuzzles), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Primeiros(TCompositorLivro(tres, info, TLayoutPuzzles{2, 74}), pgPuzzles), (std::vector<int>{0, 2}));
  for (const auto* c : {&vazio, &um}) {
    for (std::size_t i = 0; i < c->Paginas().size(); ++i) {
      if (c->Paginas()[i].Tipo == pgSeparador) {
        EXPECT_EQ(i % 2, 0u);  // an odd page number
      }
    }
  }
  for (int porPagina : {0, 3})
    EXPECT_EQ(Mensagem([&] { TCompositorLivro(tres, info, TLayoutPuzzles{porPagina, 74}); }),
              "TCompositorLivro: PorPagina tem de ser 1 ou 2");
}

// Where each trim puts its pages: A4 is the page of old; the others keep at
// least a quarter inch outside and the gutter inside, mirrored by parity, and
// never print a 9 pt text under 7 pt.
TEST(MaquetaLivro, MargensDeCadaFormato) {
  for (const double medianiz : {MedianizMm(24), MedianizMm(151), MedianizMm(301), MedianizMm(501)}) {
    const TMaquetaLivro a4 = MaquetaDoFormato(fmA4, medianiz);
    if (medianiz < 18) {
      EXPECT_TRUE(a4.Impar.Identidade() && a4.Par.Identidade()) << medianiz;
      EXPECT_EQ(a4.Geometria.Largura, CGeometriaA4.Largura);
    }
    for (const TFormato formato : {fmA4, fmA5, fmCarta, fm6x9}) {
      const TMaquetaLivro m = MaquetaDoFormato(formato, medianiz);
      const TDadosFormato& papel = DadosFormato(formato);
      const TGeometriaPagina& g = m.Geometria;
      SCOPED_TRACE(fmt::format("{} {}", papel.Nome, medianiz));
      EXPECT_GE(9 * m.Impar.Escala, 7.0);
      const double esquerdaImpar = m.Impar.Aplicar(PontoMm(CMargemEsquerda, 0)).X;
      const double direitaImpar = papel.LarguraMm - m.Impar.Aplicar(PontoMm(g.Direita(), 0)).X;
      const double esquerdaPar = m.Par.Aplicar(PontoMm(CMargemEsquerda, 0)).X;
      const double direitaPar = papel.LarguraMm - m.Par.Aplicar(PontoMm(g.Direita(), 0)).X;
      EXPECT_GE(esquerdaImpar, medianiz);
      EXPECT_GE(direitaPar, medianiz);
      for (const double margem : {direitaImpar, esquerdaPar}) EXPECT_GE(margem, 0.25 * 25.4);
      EXPECT_NEAR(esquerdaImpar, direitaPar, 1e-9);
      EXPECT_GE(m.Impar.Aplicar(PontoMm(0, CTopoPagina)).Y, 0.25 * 25.4);
      EXPECT_LE(m.Impar.Aplicar(PontoMm(0, g.YRodape + 4)).Y, papel.AlturaMm - 0.25 * 25.4);
      EXPECT_NEAR(m.Impar.Aplicar(PontoMm(0, g.CentroY)).Y, papel.AlturaMm / 2, 1e-9);
      EXPECT_LT(g.LimiteConteudo, g.YRodape);
    }
  }
}

// Where two grids no longer fit a page at a size a reader can write in, a page
// holds one; where two rows of solutions do not fit, one row.
TEST(MaquetaLivro, MenosPorPaginaQuandoNaoCabem) {
  TMaquetaLivro curta = MaquetaDoFormato(fmA5, MedianizMm(24));
  EXPECT_EQ(LayoutDoFormato(7, curta).PorPagina, 2);
  EXPECT_GE(LayoutDoFormato(7, curta).LadoMm * curta.Impar.Escala / 7, 9.0);
  EXPECT_EQ(LayoutDoFormato(5, MaquetaDoFormato(fmA4, MedianizMm(24))).LadoMm, LayoutPadrao(5).LadoMm);
  curta.Geometria.YRodape = 200;
  curta.Geometria.LimiteConteudo = 189;
  const TLayoutPuzzles um = LayoutDoFormato(7, curta);
  EXPECT_EQ(um.PorPagina, 1);
  EXPECT_GE(um.LadoMm * curta.Impar.Escala / 7, 9.0);

  const TLivro quatro = LivroFicticio(4, true, {{1, 5}});
  const TLivro seis = LivroFicticio(6, false, {{1, 5}});
  EXPECT_EQ(SolucoesNaPagina(quatro, MaquetaDoFormato(fmA5, MedianizMm(24)).Geometria), 4);
  EXPECT_EQ(SolucoesNaPagina(seis, MaquetaDoFormato(fmA5, MedianizMm(24)).Geometria), 4);
  EXPECT_EQ(SolucoesNaPagina(quatro, curta.Geometria), 2);
  EXPECT_EQ(SolucoesNaPagina(seis, curta.Geometria), 2);
}

// The gutter follows the book's final page count: a thick book at a small
// trim gets the wider one, and its pages the narrower frame that leaves.
// The plan keeps as many rules pages as the rules drawer lays out in the
// book's own language at its trim: an English text of other length must
// neither lose an element on a page the plan lacks nor leave one empty.
TEST(CompositorLivro, PaginasDeRegrasDoIdiomaDoLivro) {
  for (const TFormato formato : {fmA4, fmA5, fmCarta, fm6x9})
    for (const TIdioma idioma : {idPt, idEn})
      for (const int nivel : {1, 5})
        for (int codigo = 0; codigo < 32; ++codigo) {
          TLivro livro = LivroFicticio(5, true, {{nivel, codigo}});
          livro.Config.Idioma = idioma;
          const TCompositorLivro c(livro, InfoPadrao(), TEdicao{formato, false});
          const TPaginasRegras regras(c.LeisPresentes(), nivel == 5, c.Maqueta().Geometria, idioma);
          EXPECT_EQ(Primeiros(c, pgRegras).size(), static_cast<std::size_t>(regras.NumPaginas()))
              << DadosFormato(formato).Nome << " " << NomeIdioma(idioma) << " nivel " << nivel << " leis " << codigo;
        }
}

TEST(CompositorLivro, MedianizDoNumeroFinalDePaginas) {
  const TInfoLivro info{"01/01/2027", "1.0"};
  const TLivro fino = LivroFicticio(7, true, std::vector<std::pair<int, int>>(5, {1, 5}));
  const TLivro grosso = LivroFicticio(7, true, std::vector<std::pair<int, int>>(200, {1, 5}));
  const TCompositorLivro a5Fino(fino, info, TEdicao{fmA5, true});
  const TCompositorLivro a5Grosso(grosso, info, TEdicao{fmA5, true});
  EXPECT_LE(a5Fino.NumPaginas(), 150);
  EXPECT_GT(a5Grosso.NumPaginas(), 150);
  EXPECT_EQ(a5Fino.Medianiz(), 0.375 * 25.4);
  EXPECT_GE(a5Grosso.Medianiz(), 0.5 * 25.4);
  EXPECT_EQ(a5Grosso.Maqueta().Geometria.Largura,
            MaquetaDoFormato(fmA5, a5Grosso.Medianiz()).Geometria.Largura);
  EXPECT_LT(a5Grosso.Maqueta().Geometria.Largura, a5Fino.Maqueta().Geometria.Largura);
  // A print edition ends with blank pages up to an even count of at least 24.
  EXPECT_EQ(a5Fino.NumPaginas() % 2, 0);
  EXPECT_GE(a5Fino.NumPaginas(), CMinPaginasImpressao);
  EXPECT_EQ(a5Fino.Paginas().back().Tipo, pgVazia);
  EXPECT_EQ(a5Fino.Paginas().back().Numero, 0);
  const TCompositorLivro digital(fino, info, TEdicao{fmA5, false});
  EXPECT_EQ(digital.PaginasVazias(), 0);
  EXPECT_EQ(digital.Paginas(), std::vector<TDescPagina>(a5Fino.Paginas().begin(),
                                                        a5Fino.Paginas().end() - a5Fino.PaginasVazias()));
  // A4 is the same book as before, print edition or not.
  const TCompositorLivro a4(fino, info);
  EXPECT_EQ(TCompositorLivro(fino, info, TEdicao{fmA4, false}).Paginas(), a4.Paginas());
}

class TDestinoGravador : public IDestinoPaginas {
public:
  std::vector<std::shared_ptr<TCanvasGravador>> Paginas;
  std::shared_ptr<ICadrelCanvas> NovaPagina() override {
    Paginas.push_back(std::make_shared<TCanvasGravador>());
    return Paginas.back();
  }
};

TConfigLivro ConfigReal(const std::string& ATitulo, std::int32_t ANivel) {
  TConfigLivro config;
  config.NumPuzzles = 3;
  config.N = 4;
  config.Nivel = ANivel;
  config.Leis = TConjuntoLeis::DeCodigo(31);
  config.Titulo = ATitulo;
  config.Caminho = true;
  config.Semente = 0xABCDEF01;
  return config;
}

TEST(CompositorLivro, CapaEFichaTecnica) {
  const TLivro livro = TGeradorLivro().Gerar(ConfigReal("  Férias \t", 0));
  const TCompositorLivro c(livro, TInfoLivro{"09/12/2026", "1.0"});
  TDestinoGravador destino;
  c.Compor(destino);
  ASSERT_EQ(static_cast<int>(destino.Paginas.size()), c.NumPaginas());

  const auto capa = destino.Paginas.front()->Do(opTexto);
  ASSERT_EQ(capa.size(), 5u);
  EXPECT_EQ(capa[0].Texto, "VELMARO");
  EXPECT_EQ(capa[0].Tamanho, 24);
  EXPECT_EQ(capa[1].Texto, "QUORVEL");
  EXPECT_EQ(capa[1].Tamanho, 80);  // 7 letters at 80 pt bold fit in 174 mm here
  EXPECT_EQ(capa[2].Texto, "Férias");
  EXPECT_EQ(capa[2].Y, 150);
  EXPECT_EQ(capa[3].Texto, "3 puzzles");
  EXPECT_EQ(capa[4].Texto, "4 × 4");
  for (const TChamada& t : capa) EXPECT_EQ(t.Alinhamento, alCentro);

  const auto ficha = destino.Paginas.back()->Textos();
  const std::vector<std::string> esperado{"Ficha técnica", "Código do livro:", "ABCDEF01", "Data:", "09/12/2026",
                                          "Versão:", "1.0", "Puzzles:", "3", "Tamanho:", "4 × 4", "Nível:",
                                          "Progressiva", "Leis nos puzzles:"};
  ASSERT_GE(ficha.size(), esperado.size());
  EXPECT_EQ(std::vector<std::string>(ficha.begin(), ficha.begin() + esperado.size()), esperado);
  EXPECT_EQ(ficha.back(), std::to_string(c.NumPaginas()));  // the footer's page number

  // A title of blanks prints no title line; a long one shrinks, never below 16 pt.
  const TLivro semTitulo = TGeradorLivro().Gerar(ConfigReal(" \t ", 2));
  TDestinoGravador outro;
  TCompositorLivro(semTitulo, TInfoLivro{}).Compor(outro);
  EXPECT_EQ(outro.Paginas.front()->Do(opTexto).size(), 4u);
  EXPECT_EQ(outro.Paginas.back()->Textos()[12], "2");
}

// A title too wide even at 16 pt takes several lines, centred from y = 150 a
// paragraph's line step apart, each within the usable width: broken at blanks,
// and inside a word only when the word alone is too wide.
TEST(CompositorLivro, TituloLongoEmVariasLinhas) {
  TLivro livro = TGeradorLivro().Gerar(ConfigReal("", 1));
  const struct {
    std::string titulo;
    std::vector<std::string> linhas;  // 0.22 mm per character and point: 49 characters fit at 16 pt
  } casos[] = {
      {std::string(60, 'W'), {std::string(49, 'W'), std::string(11, 'W')}},
      {"Quarenta e dois problemas de lógica para as férias grandes de Verão",
       {"Quarenta e dois problemas de lógica para as", "férias grandes de Verão"}},
      {"Um " + std::string(52, 'y') + " fim", {"Um", std::string(49, 'y'), std::string(3, 'y'), "fim"}},
  };
  for (const auto& c : casos) {
    livro.Config.Titulo = c.titulo;
    TDestinoGravador destino;
    TCompositorLivro(livro, TInfoLivro{}).Compor(destino);
    const std::vector<TChamada> textos = destino.Paginas.front()->Do(opTexto);
    ASSERT_EQ(textos.size(), 4 + c.linhas.size()) << c.titulo;
    for (std::size_t i = 0; i < c.linhas.size(); ++i) {
      const TChamada& linha = textos[2 + i];
      EXPECT_EQ(linha.Texto, c.linhas[i]);
      EXPECT_EQ(linha.Tamanho, 16);
      EXPECT_TRUE(linha.Negrito);
      EXPECT_EQ(linha.Alinhamento, alCentro);
      EXPECT_DOUBLE_EQ(linha.Y, 150 + static_cast<double>(i) * PassoDeLinha(16));
    }
    EXPECT_EQ(textos[2 + c.linhas.size()].Y, 202);  // the puzzle count keeps its place
  }
}

// The page of the plan, by index, that shows item AIndice of the kind ATipo.
std::int32_t PaginaCom(const TCompositorLivro& c, TTipoPagina ATipo, std::int32_t AIndice, std::int32_t APorPagina) {
  const auto& p = c.Paginas();
  for (std::size_t i = 0; i < p.size(); ++i)
    if (p[i].Tipo == ATipo && p[i].Primeiro <= AIndice && AIndice < p[i].Primeiro + APorPagina)
      return static_cast<std::int32_t>(i);
  return -1;
}

std::int32_t PrimeiraPagina(const TCompositorLivro& c, TTipoPagina ATipo, std::int32_t APrimeiro = 0) {
  return PaginaCom(c, ATipo, APrimeiro, 1);
}

// The box of the text ATexto drawn on the page, as the recording canvas measures it.
TRectanguloMm CaixaDoTexto(const TCanvasGravador& APagina, const std::string& ATexto) {
  for (const TChamada& t : APagina.Do(opTexto))
    if (t.Texto == ATexto)
      return {t.X, t.Y, TCanvasGravador::Largura(t.Texto, t.Tamanho, t.Negrito), t.Tamanho * TCanvasGravador::CAltura};
  ADD_FAILURE() << ATexto << " não foi desenhado";
  return {};
}

// Five 4 x 4 puzzles without hints: two puzzles a page and four solutions a
// page, the last page of each part filled only in part.
TEST(CompositorLivro, NavegacaoDosPuzzlesESolucoes) {
  TConfigLivro config = ConfigReal("", 1);
  config.NumPuzzles = 5;
  config.Caminho = false;
  const TLivro livro = TGeradorLivro().Gerar(config);
  const TCompositorLivro c(livro, TInfoLivro{"09/12/2026", "1.0"});
  TDestinoGravador destino;
  const TPlanoNavegacao plano = c.Compor(destino);

  std::vector<TMarcador> puzzles, solucoes;
  for (std::int32_t i = 0; i < 5; ++i) {
    puzzles.push_back({fmt::format("Puzzle {:03}", i + 1), PaginaCom(c, pgPuzzles, i, 2)});
    solucoes.push_back({fmt::format("Solução {:03}", i + 1), PaginaCom(c, pgSolucoes, i, 4)});
  }
  const std::vector<TMarcador> esperados{
      {"Capa", 0},
      {"Regras", PrimeiraPagina(c, pgRegras)},
      {"Os diagramas das leis", PrimeiraPagina(c, pgDiagramas)},
      {"Puzzles", PrimeiraPagina(c, pgSeparador, 0), puzzles},
      {"Soluções", PrimeiraPagina(c, pgSeparador, 1), solucoes},
      {"Ficha técnica", c.NumPaginas() - 1},
  };
  EXPECT_EQ(plano.Marcadores, esperados);

  ASSERT_EQ(plano.Ligacoes.size(), 10u);
  for (std::int32_t i = 0; i < 5; ++i) {
    const std::int32_t paginaPuzzle = puzzles[i].Pagina, paginaSolucao = solucoes[i].Pagina;
    const TLigacao& ida = plano.Ligacoes[i];
    const TLigacao& volta = plano.Ligacoes[5 + i];
    EXPECT_EQ(ida, (TLigacao{paginaPuzzle, CaixaDoTexto(*destino.Paginas[paginaPuzzle], fmt::format("{:03}", i + 1)),
                             paginaSolucao}))
        << i;
    EXPECT_EQ(volta, (TLigacao{paginaSolucao,
                               CaixaDoTexto(*destino.Paginas[paginaSolucao], fmt::format("Puzzle {:03}", i + 1)),
                               paginaPuzzle}))
        << i;
  }
}

// A book without puzzles has no laws, so no diagrams: the sections it has, and
// nothing to link.
TEST(CompositorLivro, NavegacaoSoDasSeccoesPresentes) {
  const TCompositorLivro c(LivroFicticio(5, true, {}), TInfoLivro{});
  TDestinoGravador destino;
  const TPlanoNavegacao plano = c.Compor(destino);
  EXPECT_EQ(plano.Marcadores, (std::vector<TMarcador>{{"Capa", 0}, {"Regras", 2}, {"Puzzles", 4}, {"Soluções", 6},
                                                      {"Ficha técnica", 8}}));
  EXPECT_TRUE(plano.Ligacoes.empty());
}

}  // namespace
}  // namespace cadrel
