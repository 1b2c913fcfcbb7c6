#include "book/regras.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "construction/leis.hpp"
#include "construction/solucoes.hpp"

namespace cadrel {
namespace {

bool TerminaCom(const std::string& ATexto, const std::string& AFim) {
  return ATexto.size() >= AFim.size() && ATexto.compare(ATexto.size() - AFim.size(), AFim.size(), AFim) == 0;
}

TEST(ComoSeJoga, NotaDasConstantesECirculos) {
  const std::string fim =
      ", que o puzzle não indica: descobre-se com os números do próprio puzzle, como se explica em «As leis deste "
      "livro».";
  struct Caso {
    TConjuntoLeis leis;
    std::string nota;
  };
  const Caso casos[] = {
      {{leiORD, leiTAB}, ""},
      {{leiSIM}, "A Simetria usa um valor constante, K" + fim},
      {{leiSOMQ}, "As Somas usam um valor constante, S" + fim},
      {{leiSIM, leiSOMD},
       "A Simetria e as Somas usam um valor constante (K e S) que o puzzle não indica: descobre-se com os números "
       "do próprio puzzle, como se explica em «As leis deste livro»."}};
  const std::string leisBase =
      "Os diagramas das leis, a seguir às regras, mostram cada lei numa grelha já preenchida.";
  for (const Caso& c : casos) {
    EXPECT_EQ(NotaConstantes(c.leis), c.nota);
    const std::vector<std::string> p = ParagrafosComoSeJoga(c.leis, false);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_TRUE(TerminaCom(p[1], c.nota.empty() ? leisBase : leisBase + " " + c.nota)) << p[1];
  }

  const std::string estrelas =
      "As estrelas no cimo da página dão a dificuldade: uma estrela é o mais fácil, cinco o mais difícil.";
  EXPECT_EQ(ParagrafosComoSeJoga({}, false)[2], estrelas);
  EXPECT_EQ(ParagrafosComoSeJoga({}, true)[2],
            estrelas +
                " No nível de cinco estrelas as leis não vêm desenhadas, só contadas por círculos: veja «Círculos», "
                "mais adiante.");
}

TEST(BlocosLeis, UmPorGrupoNaOrdemDoLivro) {
  const std::vector<TBlocoLei> todos = BlocosLeis(TConjuntoLeis::DeCodigo(31));
  ASSERT_EQ(todos.size(), 4u);
  const char* titulos[] = {"Ordem", "Tabela", "Simetria", "Somas"};
  const TLei leis[] = {leiORD, leiTAB, leiSIM, leiSOMD};
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(todos[j].Titulo, titulos[j]);
    EXPECT_EQ(todos[j].Lei, leis[j]);
    EXPECT_EQ(todos[j].TemLei2, j == 3);
  }
  EXPECT_EQ(todos[3].Lei2, leiSOMQ);
  EXPECT_TRUE(TerminaCom(todos[3].Paragrafo,
                         "do lado oposto. Se numa linha só falta um número, ele é S menos a soma dos outros. O puzzle "
                         "não indica S: com a Simetria, S = n × K / 2, sendo n o lado da grelha; sem ela, S é a soma "
                         "de todos os números do puzzle a dividir por n."));
  EXPECT_NE(todos[3].Exemplo.find("K = 50"), std::string::npos);

  // The plain sum law, without symmetry: one pictogram and the S of the total.
  const std::vector<TBlocoLei> somas = BlocosLeis({leiSOMD});
  ASSERT_EQ(somas.size(), 1u);
  EXPECT_FALSE(somas[0].TemLei2);
  EXPECT_EQ(somas[0].Paragrafo,
            "Todas as linhas, todas as colunas e as duas diagonais principais somam o mesmo valor S. Se numa linha só "
            "falta um número, ele é S menos a soma dos outros. O puzzle não indica S: é a soma de todos os números "
            "do puzzle (os da grelha e os da caixa) a dividir por n, o lado da grelha.");
  EXPECT_NE(somas[0].Exemplo.find("S = 192 / 4 = 48"), std::string::npos);

  EXPECT_TRUE(BlocosLeis({}).empty());
}

// Replays the steps over the givens: every step fills an empty cell with its
// solution number, by a deduction its law really allows at that moment.
void VerificarPassos(const TExemploRegras& e, int AIndice) {
  std::vector<std::int32_t> grelha = e.Dados;
  const auto conhecida = [&grelha](std::int32_t c) { return grelha[static_cast<std::size_t>(c)] != 0; };
  const TLinhasSoma linhas = ConstruirLinhas(4, ReceitaDeLeis({leiSOMQ, leiSOMD}));
  const TLinhasSoma linhasD = ConstruirLinhas(4, ReceitaDeLeis({leiSOMD}));
  const std::vector<TRectangulo> rects = ConstruirRectangulos(4, ReceitaDeLeis({leiTAB}));

  for (std::size_t k = 0; k < e.Passos.size(); ++k) {
    const TPassoExemplo& p = e.Passos[k];
    SCOPED_TRACE(testing::Message() << "exemplo " << AIndice << ", passo " << k + 1);
    ASSERT_GE(p.Celula, 0);
    ASSERT_LT(p.Celula, 16);
    ASSERT_FALSE(conhecida(p.Celula));
    EXPECT_EQ(p.Valor, e.Solucao[static_cast<std::size_t>(p.Celula)]);
    EXPECT_EQ(p.Texto.rfind(NomeCelula(4, p.Celula) + " = ", 0), 0u) << p.Texto;

    bool dedutivel = false;
    switch (p.Tipo) {
      case tpSimetria:
        dedutivel = e.Receita.Leis.Contem(leiSIM) && conhecida(CelulaOposta(4, p.Celula));
        break;
      case tpTabela:
        for (const TRectangulo& r : rects) {
          const std::int32_t cantos[] = {r.A, r.B, r.C, r.D};
          if (std::find(std::begin(cantos), std::end(cantos), p.Celula) == std::end(cantos)) continue;
          if (std::count_if(std::begin(cantos), std::end(cantos), conhecida) == 3) dedutivel = true;
        }
        dedutivel = dedutivel && e.Receita.Leis.Contem(leiTAB);
        break;
      case tpSomas: {
        const TLinhasSoma& ls = e.Receita.Leis.Contem(leiSOMQ) ? linhas : linhasD;
        for (const std::vector<std::int32_t>& l : ls.Celulas)
          if (std::find(l.begin(), l.end(), p.Celula) != l.end() &&
              std::count_if(l.begin(), l.end(), conhecida) == 3)
            dedutivel = true;
        dedutivel = dedutivel && TemSomas(e.Receita.Leis);
        break;
      }
      case tpOrdem: {
        // Bounds from the placed neighbours; exactly one unplaced number fits.
        const std::int32_t lin = p.Celula / 4, col = p.Celula % 4;
        std::int32_t menor = 0, maior = 100;
        if (col > 0 && conhecida(p.Celula - 1)) menor = std::max(menor, grelha[p.Celula - 1]);
        if (lin > 0 && conhecida(p.Celula - 4)) menor = std::max(menor, grelha[p.Celula - 4]);
        if (col < 3 && conhecida(p.Celula + 1)) maior = std::min(maior, grelha[p.Celula + 1]);
        if (lin < 3 && conhecida(p.Celula + 4)) maior = std::min(maior, grelha[p.Celula + 4]);
        int cabem = 0;
        for (std::int32_t v : e.Solucao)
          if (std::find(grelha.begin(), grelha.end(), v) == grelha.end() && v > menor && v < maior) ++cabem;
        dedutivel = e.Receita.Leis.Contem(leiORD) && cabem == 1;
        break;
      }
    }
    EXPECT_TRUE(dedutivel) << p.Texto;
    grelha[static_cast<std::size_t>(p.Celula)] = p.Valor;
  }
  EXPECT_EQ(grelha, e.Solucao);
}

TEST(ExemplosFixos, SolucaoObedeceAsLeisEPassosLevamDosDadosASolucao) {
  const int codigos[] = {5, 3, 2, 9, 16};
  for (int i = 0; i < CNumExemplosFixos; ++i) {
    SCOPED_TRACE(i);
    const TExemploRegras& e = ExemploFixo(i);
    EXPECT_EQ(CodigoReceita(e.Receita), codigos[i]);
    ASSERT_EQ(e.Solucao.size(), 16u);
    ASSERT_EQ(e.Dados.size(), 16u);
    EXPECT_TRUE(ConjuntoValido(e.Solucao));
    EXPECT_TRUE(VerificarLeis(TSolucao{4, e.Solucao}, e.Receita));
    for (int c = 0; c < 16; ++c)
      if (e.Dados[c] != 0) {
        EXPECT_EQ(e.Dados[c], e.Solucao[c]) << c;
      }
    EXPECT_EQ(std::count(e.Dados.begin(), e.Dados.end(), 0), 7);
    EXPECT_EQ(e.Passos.size(), 7u);
    VerificarPassos(e, i);
  }
  EXPECT_EQ(Mensagem([] { ExemploFixo(5); }), "ExemploFixo: indice tem de estar entre 0 e 4");
  EXPECT_EQ(Mensagem([] { ExemploFixo(-1); }), "ExemploFixo: indice tem de estar entre 0 e 4");
}

TEST(ExemplosFixos, EscolhaPeloConjuntoDeLeis) {
  struct Caso {
    TConjuntoLeis leis;
    int exemplo;
  };
  const Caso casos[] = {{{}, 0},
                        {TConjuntoLeis::DeCodigo(31), 0},
                        {{leiSOMQ}, 4},
                        {{leiTAB}, 2},
                        {{leiSIM, leiSOMD}, 3},
                        {{leiSIM, leiTAB}, 1},
                        {{leiSIM, leiSOMQ}, 4},
                        {{leiSOMD}, 0},  // no example fits: the first one stands in
                        {{leiSIM}, 0}};
  for (const Caso& c : casos)
    EXPECT_EQ(&EscolherExemplo(c.leis), &ExemploFixo(c.exemplo)) << int(c.leis.Bits());
}

TEST(ExemplosFixos, IntroducaoComOsValoresDoProprioExemplo) {
  const std::string base = ". Cada passo diz a linha e a coluna da célula: L4C2 é a linha 4, coluna 2.";
  EXPECT_EQ(IntroExemplo(ExemploFixo(3)),
            "Um puzzle de 4 × 4 com as leis: Simetria, Somas" + base +
                " Antes de começar, descobre-se K = 1 + 23 = 24, o menor número mais o maior. E S = 4 × 24 / 2 = 48.");
  EXPECT_EQ(IntroExemplo(ExemploFixo(4)),
            "Um puzzle de 4 × 4 com as leis: Somas" + base +
                " Antes de começar, descobre-se S = 192 / 4 = 48, a soma de todos os números a dividir por 4.");
  EXPECT_EQ(IntroExemplo(ExemploFixo(2)), "Um puzzle de 4 × 4 com as leis: Tabela" + base);
}

TEST(Estimativas, LinhasPorCaracteresEAlturaMinimaDosBlocos) {
  EXPECT_EQ(LinhasEstimadas(""), 1);
  EXPECT_EQ(LinhasEstimadas(std::string(76, 'a')), 1);
  EXPECT_EQ(LinhasEstimadas(std::string(77, 'a')), 2);
  // Accented letters count once, whatever their bytes.
  std::string acentos;
  for (int i = 0; i < 76; ++i) acentos += "é";
  EXPECT_EQ(LinhasEstimadas(acentos), 1);
  EXPECT_DOUBLE_EQ(AlturaEstimada(std::string(153, 'a')), 3 * 5.65);

  const TBlocoLei curto{leiORD, leiORD, false, "T", "p", "e"};
  EXPECT_DOUBLE_EQ(AlturaBloco(curto, false), 46 + 7);
  EXPECT_DOUBLE_EQ(AlturaBloco(curto, true), 46 + 7 + 12);
  // Simetria: nine lines of paragraph and two of example.
  EXPECT_DOUBLE_EQ(AlturaBloco(BlocosLeis({leiSIM})[0], false), 9 * 5.65 + 17 + 1.5 + 2 * 5.65 + 7);
}

TEST(Plano, QuebraDePaginaNoLimiteInferior) {
  struct Caso {
    double y, altura;
    int pagina;
    double yColocado;
  };
  const Caso casos[] = {{200, 72.02, 0, 200},  {200, 72.04, 1, 18},
                        {18, 300, 0, 18},      // taller than a page: alone where it starts
                        {18.005, 300, 0, 18.005}, {18.02, 300, 1, 18}};
  for (const Caso& c : casos) {
    std::vector<TElementoRegras> plano;
    TCursorRegras cursor{0, c.y};
    ColocarElemento(plano, cursor, CGeometriaA4, erBloco, 2, c.altura);
    ASSERT_EQ(plano.size(), 1u);
    EXPECT_EQ(plano[0].Pagina, c.pagina) << c.y << " " << c.altura;
    EXPECT_DOUBLE_EQ(plano[0].Y, c.yColocado);
    EXPECT_EQ(plano[0].Indice, 2);
    EXPECT_EQ(cursor.Pagina, c.pagina);
    EXPECT_DOUBLE_EQ(cursor.Y, c.yColocado + c.altura);
  }
}

TEST(Plano, TodasAsLeisComCirculosOcupamTresPaginas) {
  struct Esperado {
    TTipoElementoRegras tipo;
    int indice, pagina;
    double y, altura;
  };
  const Esperado esperado[] = {
      {erComoSeJoga, 0, 0, 18, 28 + 13 * 5.65 + 3 * 2.5 + 6},
      {erBloco, 0, 0, 132.95, 5 * 5.65 + 18.5 + 7 + 12},
      {erBloco, 1, 0, 198.7, 5 * 5.65 + 18.5 + 7},
      {erBloco, 2, 1, 18, 11 * 5.65 + 18.5 + 7},  // would end at 340.1
      {erBloco, 3, 1, 105.65, 9 * 5.65 + 18.5 + 7},
      {erCirculos, 0, 1, 182, 7 * 5.65 + 18.5 + 7},
      {erExemplo, 0, 2, 18, 3 * 5.65 + 130},
      {erConselhos, 0, 2, 164.95, 10 + 6 * 5.65 + 3 * 2.5}};
  const std::vector<TElementoRegras> plano = PlanoRegras(TConjuntoLeis::DeCodigo(31), true);
  ASSERT_EQ(plano.size(), std::size(esperado));
  for (std::size_t i = 0; i < plano.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(plano[i].Tipo, esperado[i].tipo);
    EXPECT_EQ(plano[i].Indice, esperado[i].indice);
    EXPECT_EQ(plano[i].Pagina, esperado[i].pagina);
    EXPECT_NEAR(plano[i].Y, esperado[i].y, 1e-9);
    EXPECT_NEAR(plano[i].Altura, esperado[i].altura, 1e-9);
  }
  EXPECT_EQ(NumPaginasRegras(TConjuntoLeis::DeCodigo(31), true), 3);
}

TEST(Plano, SemLeisOsConselhosPassamParaASegundaPagina) {
  const std::vector<TElementoRegras> plano = PlanoRegras({}, false);
  ASSERT_EQ(plano.size(), 3u);
  EXPECT_EQ(plano[0].Tipo, erComoSeJoga);
  EXPECT_DOUBLE_EQ(plano[0].Altura, 28 + 10 * 5.65 + 3 * 2.5 + 6);
  EXPECT_EQ(plano[1].Tipo, erExemplo);
  EXPECT_DOUBLE_EQ(plano[1].Y, 18 + plano[0].Altura);
  EXPECT_DOUBLE_EQ(plano[1].Altura, 3 * 5.65 + 130);
  // 262.95 + 51.4 passes the lower limit.
  EXPECT_EQ(plano[2].Tipo, erConselhos);
  EXPECT_EQ(plano[2].Pagina, 1);
  EXPECT_DOUBLE_EQ(plano[2].Y, 18);
  EXPECT_EQ(NumPaginasRegras({}, false), 2);
  // Circles add their block after the (absent) law blocks.
  const std::vector<TElementoRegras> circulos = PlanoRegras({}, true);
  ASSERT_EQ(circulos.size(), 4u);
  EXPECT_EQ(circulos[1].Tipo, erCirculos);
}

}  // namespace
}  // namespace cadrel
