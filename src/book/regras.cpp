#include "book/regras.hpp"
#include "core/texto.hpp"
#include "core/traducao.hpp"

#include <algorithm>
#include <numeric>
#include <utility>

#include <fmt/format.h>

namespace cadrel {

namespace {

constexpr double CAlturaLinhaEstimada = 5.65;
// A line of the A4 page's width; a narrower page takes fewer.
constexpr std::int32_t CCaracteresPorLinha = 76;
constexpr double CLarguraA4 = 174;

}  // namespace

std::string NotaConstantes(TConjuntoLeis ALeis, TIdioma AIdioma) {
  const bool sim = ALeis.Contem(leiSIM);
  const bool somas = TemSomas(ALeis);
  if (sim && somas)
    return Tr(AIdioma,
              "A Simetria e as Somas usam um valor constante (K e S) que o puzzle não indica: descobre-se com os "
              "números do próprio puzzle, como se explica em «As leis deste livro».");
  if (sim)
    return Tr(AIdioma,
              "A Simetria usa um valor constante, K, que o puzzle não indica: descobre-se com os números do "
              "próprio puzzle, como se explica em «As leis deste livro».");
  if (somas)
    return Tr(AIdioma,
              "As Somas usam um valor constante, S, que o puzzle não indica: descobre-se com os números do "
              "próprio puzzle, como se explica em «As leis deste livro».");
  return "";
}

std::vector<std::string> ParagrafosComoSeJoga(TConjuntoLeis ALeis, bool ACirculos, TIdioma AIdioma) {
  std::string leis = Tr(AIdioma,
                        "As leis do puzzle estão desenhadas por cima da grelha, cada uma com o seu pictograma. Uma "
                        "lei diz como os números da grelha se relacionam entre si, e é com elas que se deduzem os "
                        "números que faltam. Os diagramas das leis, a seguir às regras, mostram cada lei numa "
                        "grelha já preenchida.");
  const std::string nota = NotaConstantes(ALeis, AIdioma);
  if (!nota.empty()) leis += " " + nota;
  std::string estrelas =
      Tr(AIdioma, "As estrelas no cimo da página dão a dificuldade: uma estrela é o mais fácil, cinco o mais difícil.");
  if (ACirculos)
    estrelas += std::string(" ") + Tr(AIdioma,
                                      "No nível de cinco estrelas as leis não vêm desenhadas, só contadas por "
                                      "círculos: veja «Círculos», mais adiante.");
  return {Tr(AIdioma,
             "Cada puzzle é uma grelha quadrada que se preenche com os números da caixa «Números a colocar», sem "
             "repetir nenhum. Os números a cinzento já estão no seu lugar. Cada puzzle tem uma só solução, que se "
             "descobre por dedução: nunca é preciso adivinhar."),
          std::move(leis), std::move(estrelas)};
}

std::vector<TBlocoLei> BlocosLeis(TConjuntoLeis ALeis, TIdioma AIdioma) {
  std::vector<TBlocoLei> blocos;
  if (ALeis.Contem(leiORD))
    blocos.push_back({leiORD, leiORD, false, NomesLeis({leiORD}, AIdioma),
                      Tr(AIdioma,
                         "Os números crescem da esquerda para a direita ao longo de cada linha e de cima para baixo "
                         "ao longo de cada coluna. O canto de cima e à esquerda tem o menor número e o canto de "
                         "baixo e à direita o maior, e vêm sempre dados."),
                      Tr(AIdioma,
                         "Exemplo: se uma célula tem 12 e a da direita ainda está vazia, essa tem de ser um número "
                         "maior do que 12.")});
  if (ALeis.Contem(leiTAB))
    blocos.push_back(
        {leiTAB, leiTAB, false, NomesLeis({leiTAB}, AIdioma),
         Tr(AIdioma,
            "Em qualquer rectângulo da grelha, a soma dos números de dois cantos opostos é igual à "
            "soma dos outros dois. Conhecendo três cantos, calcula-se o quarto: se os cantos são a, b, "
            "c e d, com a em frente a d, então a + d = b + c."),
         Tr(AIdioma, "Exemplo: com os cantos 2, 5 e 9 (o 2 em frente ao que falta), o quarto é 5 + 9 - 2 = 12.")});
  if (ALeis.Contem(leiSIM))
    blocos.push_back(
        {leiSIM, leiSIM, false, NomesLeis({leiSIM}, AIdioma),
         Tr(AIdioma,
            "Dois números em posições opostas em relação ao centro da grelha somam sempre o mesmo valor K. Duas "
            "posições são opostas quando as suas linhas somam n + 1 e as suas colunas também (n é o lado da "
            "grelha): numa grelha 4 × 4, L3C1 e L2C4 são opostas, porque 3 + 2 = 5 e 1 + 4 = 5. Os dois cantos "
            "de uma diagonal são o par mais fácil de ver. Conhecendo um número, o oposto é K menos esse número. "
            "Nas grelhas de lado ímpar, o número do centro é metade de K. O puzzle não indica K: é a soma do menor "
            "com o maior de todos os números do puzzle (os da grelha e os da caixa), porque esses dois ficam em "
            "posições opostas."),
         Tr(AIdioma,
            "Exemplo: se o menor número é 5 e o maior 96, K = 5 + 96 = 101; se uma célula tem 40, a célula "
            "oposta tem 101 - 40 = 61.")});
  if (TemSomas(ALeis)) {
    const bool quebradas = ALeis.Contem(leiSOMQ);
    TBlocoLei b{leiSOMD, quebradas ? leiSOMQ : leiSOMD, quebradas, NomesLeis({leiSOMD}, AIdioma), "", ""};
    b.Paragrafo =
        quebradas
            ? Tr(AIdioma,
                 "Todas as linhas, todas as colunas e as duas diagonais principais somam o mesmo valor S "
                 "(primeiro pictograma). Se o pictograma tiver traços que saem por um lado e entram pelo oposto "
                 "(segundo pictograma), também somam S as diagonais «quebradas», as que saem por um lado da "
                 "grelha e continuam do lado oposto. Se numa linha só falta um número, ele é S menos a soma dos "
                 "outros.")
            : Tr(AIdioma,
                 "Todas as linhas, todas as colunas e as duas diagonais principais somam o mesmo valor S. Se numa "
                 "linha só falta um número, ele é S menos a soma dos outros.");
    if (ALeis.Contem(leiSIM)) {
      b.Paragrafo +=
          std::string(" ") + Tr(AIdioma,
                                "O puzzle não indica S: com a Simetria, S = n × K / 2, sendo n o lado da grelha; "
                                "sem ela, S é a soma de todos os números do puzzle a dividir por n.");
      b.Exemplo = Tr(AIdioma,
                     "Exemplo: numa grelha de 5 × 5 com K = 50, S = 5 × 50 / 2 = 125; se numa linha os números "
                     "conhecidos somam 100, o que falta é 125 - 100 = 25.");
    } else {
      b.Paragrafo +=
          std::string(" ") + Tr(AIdioma,
                                "O puzzle não indica S: é a soma de todos os números do puzzle (os da grelha e os "
                                "da caixa) a dividir por n, o lado da grelha.");
      b.Exemplo = Tr(AIdioma,
                     "Exemplo: numa grelha de 4 × 4 cujos números somam 192, S = 192 / 4 = 48; se numa linha os "
                     "números conhecidos somam 30, o que falta é 48 - 30 = 18.");
    }
    blocos.push_back(std::move(b));
  }
  return blocos;
}

TBlocoLei BlocoCirculos(TIdioma AIdioma) {
  return {leiSIM, leiSIM, false, Tr(AIdioma, "Círculos"),
          Tr(AIdioma,
             "No nível de cinco estrelas as leis não vêm desenhadas: aparece um círculo por cada lei em vigor no "
             "puzzle. Um círculo quer dizer que vale uma só lei; dois círculos, que valem duas ao mesmo tempo. "
             "Quais são, descobre-se olhando para os números, e são sempre das que este livro explica."),
          Tr(AIdioma,
             "Pista: se os números do puzzle formam pares que somam todos o mesmo valor (o menor com o maior, o "
             "segundo menor com o segundo maior, e assim por diante), é sinal de que a Simetria está em vigor.")};
}

std::vector<std::string> Conselhos(TIdioma AIdioma) {
  return {Tr(AIdioma,
             "Comece pelo mais directo: uma célula onde só um número serve, ou onde uma lei dá logo o valor com "
             "uma só conta."),
          Tr(AIdioma,
             "Vá riscando na caixa «Números a colocar» os números que usa. O que sobra limita as escolhas das "
             "células que faltam."),
          Tr(AIdioma,
             "Se nada avança, volte às leis que ainda não usou: cada número descoberto abre pelo menos uma "
             "dedução nova. Nunca é preciso adivinhar.")};
}

TPassoExemplo CriarPassoExemplo(std::int32_t ALinha, std::int32_t AColuna, std::int32_t AValor,
                                TTipoPassoExemplo ATipo, std::string ATexto) {
  return {(ALinha - 1) * 4 + (AColuna - 1), AValor, ATipo, std::move(ATexto)};
}

namespace {

std::vector<TExemploRegras> CriarExemplosFixos() {
  // The steps' texts are translated where they are printed.
  const auto P = CriarPassoExemplo;
  std::vector<TExemploRegras> e(CNumExemplosFixos);

  e[0] = {ReceitaDeLeis({leiSIM, leiORD}),
          {1, 3, 13, 17, 2, 9, 14, 18, 6, 10, 15, 22, 7, 11, 21, 23},
          {1, 0, 13, 0, 0, 9, 0, 18, 0, 10, 15, 22, 0, 11, 0, 23},
          {P(3, 1, 6, tpSimetria,
             TrMarca("L3C1 = K - 18 = 24 - 18 = 6 (a oposta de L3C1 é L2C4, porque 3 + 2 = 5 e 1 + 4 = 5)")),
           P(2, 3, 14, tpSimetria, TrMarca("L2C3 = K - 10 = 24 - 10 = 14 (a oposta é L3C2)")),
           P(2, 1, 2, tpSimetria, TrMarca("L2C1 = K - 22 = 24 - 22 = 2 (a oposta é L3C4)")),
           P(1, 4, 17, tpOrdem,
             TrMarca("L1C4 = 17 (Ordem: tem de ser maior do que 13 e menor do que 18; dos números que faltam, só o 17 serve)")),
           P(4, 1, 7, tpSimetria, TrMarca("L4C1 = K - 17 = 24 - 17 = 7 (a oposta é L1C4)")),
           P(1, 2, 3, tpOrdem,
             TrMarca("L1C2 = 3 (Ordem: tem de ser maior do que 1 e menor do que 9; dos números que faltam, só o 3 serve)")),
           P(4, 3, 21, tpSimetria, TrMarca("L4C3 = K - 3 = 24 - 3 = 21 (a oposta é L1C2)"))}};

  e[1] = {ReceitaDeLeis({leiSIM, leiTAB}),
          {10, 11, 7, 8, 4, 5, 1, 2, 22, 23, 19, 20, 16, 17, 13, 14},
          {0, 11, 7, 0, 4, 5, 1, 2, 22, 0, 19, 20, 0, 0, 0, 0},
          {P(1, 1, 10, tpTabela, TrMarca("L1C1 = 11 + 4 - 5 = 10 (Tabela, rectângulo L1C1, L1C2, L2C1, L2C2)")),
           P(3, 2, 23, tpSimetria,
             TrMarca("L3C2 = K - 1 = 24 - 1 = 23 (a oposta de L3C2 é L2C3, porque 3 + 2 = 5 e 2 + 3 = 5)")),
           P(1, 4, 8, tpTabela, TrMarca("L1C4 = 10 + 2 - 4 = 8 (Tabela, rectângulo L1C1, L1C4, L2C1, L2C4)")),
           P(4, 1, 16, tpSimetria, TrMarca("L4C1 = K - 8 = 24 - 8 = 16 (a oposta é L1C4)")),
           P(4, 2, 17, tpSimetria, TrMarca("L4C2 = K - 7 = 24 - 7 = 17 (a oposta é L1C3)")),
           P(4, 3, 13, tpSimetria, TrMarca("L4C3 = K - 11 = 24 - 11 = 13 (a oposta é L1C2)")),
           P(4, 4, 14, tpSimetria, TrMarca("L4C4 = K - 10 = 24 - 10 = 14 (a oposta é L1C1)"))}};

  e[2] = {ReceitaDeLeis({leiTAB}),
          {10, 11, 4, 6, 18, 19, 12, 14, 7, 8, 1, 3, 21, 22, 15, 17},
          {10, 11, 0, 0, 0, 19, 12, 14, 7, 0, 1, 0, 21, 22, 0, 0},
          {P(2, 1, 18, tpTabela, TrMarca("L2C1 = 10 + 19 - 11 = 18 (Tabela, rectângulo L1C1, L1C2, L2C1, L2C2)")),
           P(1, 3, 4, tpTabela, TrMarca("L1C3 = 10 + 12 - 18 = 4")),
           P(1, 4, 6, tpTabela, TrMarca("L1C4 = 10 + 14 - 18 = 6")),
           P(3, 2, 8, tpTabela, TrMarca("L3C2 = 11 + 7 - 10 = 8")),
           P(3, 4, 3, tpTabela, TrMarca("L3C4 = 6 + 7 - 10 = 3")),
           P(4, 3, 15, tpTabela, TrMarca("L4C3 = 4 + 21 - 10 = 15")),
           P(4, 4, 17, tpTabela, TrMarca("L4C4 = 6 + 21 - 10 = 17"))}};

  e[3] = {ReceitaDeLeis({leiSIM, leiSOMD}),
          {5, 7, 13, 23, 22, 14, 8, 4, 20, 16, 10, 2, 1, 11, 17, 19},
          {5, 0, 0, 0, 22, 14, 8, 0, 20, 0, 10, 2, 1, 11, 0, 0},
          {P(2, 4, 4, tpSomas, TrMarca("L2C4 = 48 - 22 - 14 - 8 = 4 (Somas: a linha 2 soma 48)")),
           P(3, 2, 16, tpSomas, TrMarca("L3C2 = 48 - 20 - 10 - 2 = 16 (linha 3)")),
           P(1, 2, 7, tpSomas, TrMarca("L1C2 = 48 - 14 - 16 - 11 = 7 (coluna 2)")),
           P(4, 4, 19, tpSomas, TrMarca("L4C4 = 48 - 5 - 14 - 10 = 19 (diagonal)")),
           P(4, 3, 17, tpSimetria,
             TrMarca("L4C3 = K - 7 = 24 - 7 = 17 (a oposta de L4C3 é L1C2, porque 4 + 1 = 5 e 3 + 2 = 5)")),
           P(1, 3, 13, tpSimetria, TrMarca("L1C3 = K - 11 = 24 - 11 = 13 (a oposta é L4C2)")),
           P(1, 4, 23, tpSimetria, TrMarca("L1C4 = K - 1 = 24 - 1 = 23 (a oposta é L4C1)"))}};

  e[4] = {ReceitaDeLeis({leiSOMQ}),
          {22, 1, 20, 5, 14, 11, 16, 7, 4, 19, 2, 23, 8, 17, 10, 13},
          {0, 0, 20, 0, 14, 11, 16, 0, 4, 19, 0, 23, 0, 17, 10, 0},
          {P(2, 4, 7, tpSomas, TrMarca("L2C4 = 48 - 14 - 11 - 16 = 7 (Somas: a linha 2 soma 48)")),
           P(3, 3, 2, tpSomas, TrMarca("L3C3 = 48 - 4 - 19 - 23 = 2 (linha 3)")),
           P(1, 2, 1, tpSomas, TrMarca("L1C2 = 48 - 11 - 19 - 17 = 1 (coluna 2)")),
           P(1, 1, 22, tpSomas, TrMarca("L1C1 = 48 - 7 - 2 - 17 = 22 (diagonal quebrada: L1C1, L2C4, L3C3, L4C2)")),
           P(1, 4, 5, tpSomas, TrMarca("L1C4 = 48 - 22 - 1 - 20 = 5 (linha 1)")),
           P(4, 1, 8, tpSomas, TrMarca("L4C1 = 48 - 22 - 14 - 4 = 8 (coluna 1)")),
           P(4, 4, 13, tpSomas, TrMarca("L4C4 = 48 - 8 - 17 - 10 = 13 (linha 4)"))}};
  return e;
}

}  // namespace

const TExemploRegras& ExemploFixo(std::int32_t AIndice) {
  static const std::vector<TExemploRegras> exemplos = CriarExemplosFixos();
  if (AIndice < 0 || AIndice >= CNumExemplosFixos)
    throw ECadrel("ExemploFixo: indice tem de estar entre 0 e 4");
  return exemplos[static_cast<std::size_t>(AIndice)];
}

const TExemploRegras& EscolherExemplo(TConjuntoLeis ALeis) {
  for (std::int32_t i = 0; i < CNumExemplosFixos; ++i) {
    const TExemploRegras& e = ExemploFixo(i);
    if ((e.Receita.Leis.Bits() & ~ALeis.Bits()) == 0) return e;
  }
  return ExemploFixo(0);
}

std::string IntroExemplo(const TExemploRegras& AExemplo, TIdioma AIdioma) {
  const auto [menor, maior] = std::minmax_element(AExemplo.Solucao.begin(), AExemplo.Solucao.end());
  const std::int32_t m = *menor;
  const std::int32_t M = *maior;
  const std::int32_t T = std::accumulate(AExemplo.Solucao.begin(), AExemplo.Solucao.end(), std::int32_t{0});
  const TConjuntoLeis leis = AExemplo.Receita.Leis;

  std::string texto = Formatar(AIdioma,
                               "Um puzzle de 4 × 4 com as leis: {}. Cada passo diz a linha e a "
                               "coluna da célula: L4C2 é a linha 4, coluna 2.",
                               NomesLeis(leis, AIdioma));
  const bool sim = leis.Contem(leiSIM);
  if (sim)
    texto += " " + Formatar(AIdioma,
                            "Antes de começar, descobre-se K = {} + {} = {}, o menor "
                            "número mais o maior.",
                            m, M, m + M);
  if (TemSomas(leis)) {
    if (sim)
      texto += " " + Formatar(AIdioma, "E S = 4 × {} / 2 = {}.", m + M, T / 4);
    else
      texto += " " + Formatar(AIdioma,
                              "Antes de começar, descobre-se S = {} / 4 = {}, a soma "
                              "de todos os números a dividir por 4.",
                              T, T / 4);
  }
  return texto;
}

std::int32_t LinhasEstimadas(std::string_view ATexto, double ALargura) {
  const auto porLinha = static_cast<std::int32_t>(CCaracteresPorLinha * ALargura / CLarguraA4);
  const std::int32_t caracteres = ContarCaracteres(ATexto);
  return std::max<std::int32_t>(1, (caracteres + porLinha - 1) / porLinha);
}

double AlturaEstimada(std::string_view ATexto, double ALargura) {
  return LinhasEstimadas(ATexto, ALargura) * CAlturaLinhaEstimada;
}

double AlturaBloco(const TBlocoLei& ABloco, bool APrimeiro, double ALargura) {
  const double corpo = std::max(
      AlturaEstimada(ABloco.Paragrafo, ALargura) + 17 + 1.5 + AlturaEstimada(ABloco.Exemplo, ALargura), 46.0);
  return corpo + 7 + (APrimeiro ? 12 : 0);
}

void ColocarElemento(std::vector<TElementoRegras>& APlano, TCursorRegras& ACursor, const TGeometriaPagina& G,
                     TTipoElementoRegras ATipo, std::int32_t AIndice, double AAltura) {
  // An element taller than a page still goes alone on the page it starts.
  if (ACursor.Y + AAltura > G.LimiteConteudo && ACursor.Y > CTopoPagina + 0.01) {
    ++ACursor.Pagina;
    ACursor.Y = CTopoPagina;
  }
  APlano.push_back({ATipo, AIndice, ACursor.Pagina, ACursor.Y, AAltura});
  ACursor.Y += AAltura;
}

std::vector<TElementoRegras> PlanoRegras(TConjuntoLeis ALeis, bool ACirculos, const TGeometriaPagina& G,
                                         TIdioma AIdioma) {
  std::vector<TElementoRegras> plano;
  TCursorRegras cursor;
  const double w = G.Largura;

  double comoSeJoga = 28;
  for (const std::string& p : ParagrafosComoSeJoga(ALeis, ACirculos, AIdioma))
    comoSeJoga += AlturaEstimada(p, w) + 2.5;
  ColocarElemento(plano, cursor, G, erComoSeJoga, 0, comoSeJoga + 6);

  const std::vector<TBlocoLei> blocos = BlocosLeis(ALeis, AIdioma);
  for (std::size_t j = 0; j < blocos.size(); ++j)
    ColocarElemento(plano, cursor, G, erBloco, static_cast<std::int32_t>(j), AlturaBloco(blocos[j], j == 0, w));

  if (ACirculos) ColocarElemento(plano, cursor, G, erCirculos, 0, AlturaBloco(BlocoCirculos(AIdioma), false, w));

  ColocarElemento(plano, cursor, G, erExemplo, 0,
                  AlturaEstimada(IntroExemplo(EscolherExemplo(ALeis), AIdioma), w) + 130);

  double conselhos = 10;
  const std::vector<std::string> dicas = Conselhos(AIdioma);
  for (std::size_t i = 0; i < dicas.size(); ++i)
    conselhos += AlturaEstimada(fmt::format("{}. {}", i + 1, dicas[i]), w) + 2.5;
  ColocarElemento(plano, cursor, G, erConselhos, 0, conselhos);
  return plano;
}

std::int32_t NumPaginasRegras(TConjuntoLeis ALeis, bool ACirculos, const TGeometriaPagina& G, TIdioma AIdioma) {
  return PlanoRegras(ALeis, ACirculos, G, AIdioma).back().Pagina + 1;
}

}  // namespace cadrel
