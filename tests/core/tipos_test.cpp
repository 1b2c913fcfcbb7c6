#include "core/tipos.hpp"

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "apoio.hpp"

#include <vector>

namespace cadrel {
namespace {


TEST(Receitas, CodigosENomes) {
  struct Caso {
    int codigo;
    const char* nome;
  };
  const Caso casos[] = {{0, "(sem leis)"}, {2, "TAB"},      {3, "TAB+SIM"},          {5, "ORD+SIM"},
                        {9, "SOM-D+SIM"}, {16, "SOM-Q"},   {17, "SOM-Q+SIM"},       {24, "SOM-Q"},
                        {31, "ORD+TAB+SOM-Q+SIM"}};
  for (const Caso& c : casos) {
    EXPECT_EQ(CodigoReceita(Receita(c.codigo)), c.codigo);
    EXPECT_EQ(NomeReceita(Receita(c.codigo)), c.nome) << c.codigo;
  }
  EXPECT_EQ(CodigoReceita(ReceitaDeLeis({leiSIM, leiORD})), 5);
  // Bits beyond the five laws never reach a code.
  EXPECT_EQ(CodigoReceita(Receita(0xFF)), 31);
}

TEST(Tecnicas, NomesPesosELimitesDeOperandos) {
  const TTecnica tecnicas[] = {tecNenhuma, tecT1, tecT2, tecT3, tecT4, tecT5, tecT6};
  const char* nomes[] = {"-", "T1", "T2", "T3", "T4", "T5", "T6"};
  const int pesos[] = {0, 1, 1, 2, 2, 3, 4};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(NomeTecnica(tecnicas[i]), nomes[i]);
    EXPECT_EQ(PesoTecnica(tecnicas[i]), pesos[i]);
  }
  EXPECT_EQ(NomeTecnica(static_cast<TTecnica>(9)), "-");
  EXPECT_EQ(MaxOperandosPasso(4), 3);
  EXPECT_EQ(MaxOperandosTotal(7), 245);
}

TEST(Geometria, SemLeisDeSomaNemTabelaNaoHaLinhasNemRectangulos) {
  const TReceita ordSim = Receita(5);
  EXPECT_TRUE(ConstruirLinhas(5, ordSim).Celulas.empty());
  EXPECT_TRUE(ConstruirRectangulos(5, ordSim).empty());
}

TEST(Geometria, DiagonaisQuebradasIntercaladasDepoisDeLinhasEColunas) {
  const TLinhasSoma l = ConstruirLinhas(4, Receita(16));
  ASSERT_EQ(l.Celulas.size(), 16u);
  ASSERT_EQ(l.Nomes.size(), 16u);
  EXPECT_EQ(l.Nomes[0], "linha 1");
  EXPECT_EQ(l.Celulas[1], (std::vector<int>{4, 5, 6, 7}));
  EXPECT_EQ(l.Nomes[4], "coluna 1");
  EXPECT_EQ(l.Celulas[5], (std::vector<int>{1, 5, 9, 13}));
  EXPECT_EQ(l.Nomes[8], "diagonal quebrada 1");
  EXPECT_EQ(l.Celulas[8], (std::vector<int>{0, 5, 10, 15}));
  EXPECT_EQ(l.Nomes[9], "diagonal quebrada inversa 1");
  EXPECT_EQ(l.Celulas[9], (std::vector<int>{0, 7, 10, 13}));
  EXPECT_EQ(l.Nomes[10], "diagonal quebrada 2");
  EXPECT_EQ(l.Celulas[10], (std::vector<int>{1, 6, 11, 12}));
  EXPECT_EQ(l.Nomes[15], "diagonal quebrada inversa 4");
  EXPECT_EQ(l.Celulas[15], (std::vector<int>{3, 6, 9, 12}));
  // Both sum laws together give the broken diagonals only.
  EXPECT_EQ(ConstruirLinhas(4, Receita(24)).Nomes, l.Nomes);
}

TEST(Geometria, DiagonaisPrincipaisNoFimDaListaDeSomaD) {
  for (int n = 2; n <= 7; ++n) EXPECT_EQ(ConstruirLinhas(n, Receita(8)).Celulas.size(), 2u * n + 2);
  const TLinhasSoma l = ConstruirLinhas(4, Receita(9));
  ASSERT_EQ(l.Celulas.size(), 10u);
  EXPECT_EQ(l.Nomes[8], "diagonal");
  EXPECT_EQ(l.Celulas[8], (std::vector<int>{0, 5, 10, 15}));
  EXPECT_EQ(l.Nomes[9], "diagonal inversa");
  EXPECT_EQ(l.Celulas[9], (std::vector<int>{3, 6, 9, 12}));
}

TEST(Geometria, RectangulosPorOrdemDeCiclosAninhados) {
  const std::size_t contagens[] = {36, 100, 225, 441};
  for (int n = 4; n <= 7; ++n) {
    const auto rects = ConstruirRectangulos(n, Receita(2));
    const int nn = n * n;
    ASSERT_EQ(rects.size(), contagens[n - 4]);
    EXPECT_EQ(rects.front(), (TRectangulo{0, 1, n, n + 1}));
    EXPECT_EQ(rects.back(), (TRectangulo{nn - n - 2, nn - n - 1, nn - 2, nn - 1}));
  }
  const auto rects = ConstruirRectangulos(3, Receita(2));
  EXPECT_EQ(rects[1], (TRectangulo{0, 2, 3, 5}));  // c2 moves before c1
  EXPECT_EQ(rects[3], (TRectangulo{0, 1, 6, 7}));  // then c1, then r2
}

TEST(Geometria, IndicesPorCelulaAscendentes) {
  const TReceita receita = Receita(2 | 8);
  const auto linhas = ConstruirLinhas(3, receita).Celulas;
  const auto porLinha = LinhasPorCelula(3, linhas);
  EXPECT_EQ(porLinha[4], (std::vector<int>{1, 4, 6, 7}));  // the centre lies on both diagonals
  EXPECT_EQ(porLinha[1], (std::vector<int>{0, 4}));
  const auto porRect = RectangulosPorCelula(3, ConstruirRectangulos(3, receita));
  EXPECT_EQ(porRect[0], (std::vector<int>{0, 1, 3, 4}));
  EXPECT_EQ(porRect[4], (std::vector<int>{0, 2, 6, 8}));
}

TEST(Geometria, OpostasENomesDeCelulas) {
  EXPECT_EQ(CelulaOposta(5, 12), 12);
  EXPECT_EQ(CelulaOposta(5, 0), 24);
  EXPECT_EQ(CelulaOposta(4, 5), 10);
  EXPECT_EQ(NomeCelula(4, 0), "L1C1");
  EXPECT_EQ(NomeCelula(4, 5), "L2C2");
  EXPECT_EQ(NomeCelula(7, 48), "L7C7");
}

TEST(NomesLeis, OrdemFixaESomasUmaSoVez) {
  struct Caso {
    TConjuntoLeis leis;
    const char* nomes;
  };
  const Caso casos[] = {{{}, ""},
                        {{leiSOMD, leiSOMQ}, "Somas"},
                        {{leiSIM, leiORD}, "Ordem, Simetria"},
                        {{leiSOMQ, leiSIM, leiTAB}, "Tabela, Simetria, Somas"},
                        {TConjuntoLeis::DeCodigo(31), "Ordem, Tabela, Simetria, Somas"}};
  for (const Caso& c : casos) EXPECT_EQ(NomesLeis(c.leis), c.nomes) << int(c.leis.Bits());
}

// A book's texts in its language: Portuguese as written, English from the
// catalogue compiled into the program, plural forms by count, and a text the
// catalogue lacks left as it is rather than lost.
TEST(Traducao, TextosDoLivroPorIdioma) {
  const struct {
    TIdioma idioma;
    const char* texto;
    const char* esperado;
  } casos[] = {
      {idPt, "Soluções", "Soluções"},
      {idEn, "Soluções", "Solutions"},
      {idEn, "L{}C{}", "R{}C{}"},
      {idEn, "um texto que nenhum catálogo tem", "um texto que nenhum catálogo tem"},
  };
  for (const auto& c : casos) EXPECT_STREQ(Tr(c.idioma, c.texto), c.esperado) << c.texto;
  EXPECT_STREQ(TrN(idPt, "{} puzzles", "{} puzzles", 1), "{} puzzles");
  EXPECT_STREQ(TrN(idEn, "{} puzzles", "{} puzzles", 1), "{} puzzle");
  EXPECT_STREQ(TrN(idEn, "{} puzzles", "{} puzzles", 0), "{} puzzles");
  EXPECT_STREQ(TrN(idEn, "{} puzzles", "{} puzzles", 2), "{} puzzles");
  EXPECT_STREQ(TrN(idEn, "um", "uns", 3), "uns");
  EXPECT_EQ(NomesLeis(CTodasLeis, idEn), "Order, Table, Symmetry, Sums");
  EXPECT_EQ(NomeCelula(5, 7, idEn), "R2C3");
  EXPECT_EQ(ConstruirLinhas(4, ReceitaDeLeis({leiSOMQ}), idEn).Nomes[8], "broken diagonal 1");
  EXPECT_EQ(IdiomaDoNome("EN"), idEn);
  EXPECT_EQ(IdiomaDoNome("pt-BR"), std::nullopt);
}

// The program's language from the locale variables, as gettext reads them:
// LC_ALL, then LC_MESSAGES, then LANG name the locale; LANGUAGE, ignored under
// C and POSIX, lists the languages to try first. Only names count: none of
// these locales needs to be installed.
TEST(Traducao, IdiomaDoProgramaPeloAmbiente) {
  const struct {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    TIdioma esperado;
  } casos[] = {
      {nullptr, nullptr, nullptr, nullptr, idPt},
      {nullptr, nullptr, nullptr, "", idPt},
      {nullptr, nullptr, nullptr, "C", idPt},
      {nullptr, nullptr, nullptr, "POSIX", idPt},
      {nullptr, nullptr, nullptr, "C.UTF-8", idPt},
      {nullptr, nullptr, nullptr, "pt_PT.UTF-8", idPt},
      {nullptr, nullptr, nullptr, "de_DE.UTF-8", idPt},
      {nullptr, nullptr, nullptr, "en", idEn},
      {nullptr, nullptr, nullptr, "en_US.UTF-8", idEn},
      {nullptr, nullptr, nullptr, "en_GB", idEn},
      {nullptr, nullptr, nullptr, "en_IE.UTF-8@euro", idEn},
      {nullptr, nullptr, nullptr, "english", idPt},
      // The first of LC_ALL, LC_MESSAGES, LANG that is set and not empty.
      {nullptr, "C", nullptr, "en_US.UTF-8", idPt},
      {nullptr, "pt_PT.UTF-8", "en_US.UTF-8", "en_US.UTF-8", idPt},
      {nullptr, "", "en_GB.UTF-8", "pt_PT.UTF-8", idEn},
      {nullptr, nullptr, "pt_PT.UTF-8", "en_US.UTF-8", idPt},
      {nullptr, "en_US.UTF-8", "pt_PT.UTF-8", nullptr, idEn},
      // LANGUAGE first, its first known language winning; none known is Portuguese.
      {"en", nullptr, nullptr, "pt_PT.UTF-8", idEn},
      {"en:pt", nullptr, nullptr, "C.UTF-8", idEn},
      {"pt_BR:en", nullptr, nullptr, "en_US.UTF-8", idPt},
      {"fr:en_GB:pt", nullptr, nullptr, "fr_FR.UTF-8", idEn},
      {"fr:de", nullptr, nullptr, "en_US.UTF-8", idPt},
      {"", nullptr, nullptr, "en_US.UTF-8", idEn},
      // ...but not under C or POSIX, nor with no locale at all.
      {"en", nullptr, nullptr, "C", idPt},
      {"en", "POSIX", nullptr, "pt_PT.UTF-8", idPt},
      {"en", nullptr, nullptr, nullptr, idPt},
  };
  for (const auto& c : casos) {
    const std::map<std::string, const char*> variaveis{
        {"LANGUAGE", c.language}, {"LC_ALL", c.lcAll}, {"LC_MESSAGES", c.lcMessages}, {"LANG", c.lang}};
    const auto ler = [&variaveis](const char* ANome) {
      const auto v = variaveis.find(ANome);
      return v != variaveis.end() ? v->second : nullptr;
    };
    const auto nome = [](const char* v) { return v != nullptr ? "\"" + std::string(v) + "\"" : std::string("-"); };
    EXPECT_EQ(IdiomaDoAmbiente(ler), c.esperado) << "LANGUAGE " << nome(c.language) << ", LC_ALL " << nome(c.lcAll)
                                                 << ", LC_MESSAGES " << nome(c.lcMessages) << ", LANG " << nome(c.lang);
  }
}

}  // namespace
}  // namespace cadrel
