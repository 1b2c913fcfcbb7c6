#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "book/pictogramas.hpp"
#include "book/paginas.hpp"
#include "book/regras.hpp"
#include "core/traducao.hpp"
#include "cover/paineis.hpp"

namespace cadrel {

namespace {

constexpr double CMargemCartao = 6;
constexpr double CEspaco = 4;  // between the card's blocks, and below the card
constexpr double CTamanhoCabeca = 15;
constexpr double CTamanhoSeccao = 11;
constexpr double CTamanhoLei = 10.5;
constexpr double CTamanhoRotulo = 9;
constexpr double CTamanhoCodigo = 14;
// A law's text starts past room for two pictograms, as the sum laws have.
constexpr double CRecuoLei = 2 * CLadoPictograma + 3;
// The sizes the card's running text tries, largest first, until the card
// stands clear of what the foot of the back holds; on a larger trim, each
// grows with EscalaTexto, as the titles above it do.
constexpr std::array<double, 5> CTamanhosTexto{10, 9.5, 9, 8.5, 8};

// A block of the card: its height, and how it draws from its top.
struct TBloco {
  double Altura = 0;
  std::function<void(double Y)> Desenhar;
};

TBloco Paragrafo(ICadrelCanvas& C, double X, double ALargura, const std::string& ATexto, double ATamanho) {
  const auto linhas = QuebrarLinhas(C, ATexto, ALargura, ATamanho, false).size();
  return {static_cast<double>(linhas) * PassoDeLinha(ATamanho),
          [&C, X, ALargura, ATexto, ATamanho](double Y) { DesenharParagrafo(C, X, Y, ALargura, ATexto, ATamanho); }};
}

TBloco Linha(ICadrelCanvas& C, double X, const std::string& ATexto, double ATamanho) {
  return {C.AlturaTexto(ATamanho),
          [&C, X, ATexto, ATamanho](double Y) { C.Texto(X, Y, ATexto, ATamanho, true, 0, alEsquerda); }};
}

std::string ResumoLei(const TBlocoLei& ABloco, TIdioma AIdioma) {
  switch (ABloco.Lei) {
    case leiORD:
      return Tr(AIdioma,
                "Os números crescem ao longo de cada linha, da esquerda para a direita, e de cada coluna, de cima "
                "para baixo.");
    case leiTAB:
      return Tr(AIdioma, "Em qualquer rectângulo da grelha, dois cantos opostos somam o mesmo que os outros dois.");
    case leiSIM: return Tr(AIdioma, "Duas células opostas em relação ao centro da grelha somam sempre o mesmo valor.");
    case leiSOMD:
    case leiSOMQ: break;
  }
  return ABloco.TemLei2 ? Tr(AIdioma,
                             "Todas as linhas, colunas e diagonais somam o mesmo valor; com o segundo pictograma, "
                             "também as diagonais quebradas.")
                        : Tr(AIdioma, "Todas as linhas, todas as colunas e as duas diagonais somam o mesmo valor.");
}

// The law's pictograms, its name and what it says.
TBloco Lei(ICadrelCanvas& C, double X, double ALargura, const TBlocoLei& ABloco, double AEscala, double ATamanho,
           TIdioma AIdioma) {
  const double xTexto = X + CRecuoLei;
  const double tamanhoNome = CTamanhoLei * AEscala;
  const TBloco resumo = Paragrafo(C, xTexto, ALargura - CRecuoLei, ResumoLei(ABloco, AIdioma), ATamanho);
  const double topoResumo = C.AlturaTexto(tamanhoNome) + 0.5;
  return {std::max(CLadoPictograma, topoResumo + resumo.Altura),
          [&C, X, xTexto, ABloco, resumo, topoResumo, tamanhoNome](double Y) {
            DesenharPictograma(C, ABloco.Lei, X, Y);
            if (ABloco.TemLei2) DesenharPictograma(C, ABloco.Lei2, X + CLadoPictograma + 1, Y);
            C.Texto(xTexto, Y, ABloco.Titulo, tamanhoNome, true, 0, alEsquerda);
            resumo.Desenhar(Y + topoResumo);
          }};
}

std::string Cabecalho(std::size_t APuzzles, TIdioma AIdioma) {
  return fmt::format(
      fmt::runtime(TrN(AIdioma, "{} puzzle de lógica com números", "{} puzzles de lógica com números", APuzzles)),
      APuzzles);
}

std::string Descricao(const TLivro& ALivro) {
  const TIdioma idioma = ALivro.Config.Idioma;
  const auto [menor, maior] = std::minmax_element(
      ALivro.Puzzles.begin(), ALivro.Puzzles.end(),
      [](const TPuzzleDoLivro& a, const TPuzzleDoLivro& b) { return a.Puzzle.Nivel < b.Puzzle.Nivel; });
  const int de = menor == ALivro.Puzzles.end() ? ALivro.Config.Nivel : menor->Puzzle.Nivel;
  const int ate = maior == ALivro.Puzzles.end() ? ALivro.Config.Nivel : maior->Puzzle.Nivel;
  const std::string tamanho = TextoTamanho(ALivro.Config.N);
  std::string texto = ALivro.Puzzles.size() == 1
                          ? Formatar(idioma,
                                     "Uma grelha de {}, do nível {}, numa escala de 1, o mais fácil, a 5, o "
                                     "mais difícil.",
                                     tamanho, de)
                      : de == ate ? Formatar(idioma,
                                             "Grelhas de {}, todas do nível {}, numa escala de 1, o mais fácil, a "
                                             "5, o mais difícil.",
                                             tamanho, de)
                                  : Formatar(idioma,
                                             "Grelhas de {}, do nível {} ao nível {}, do mais fácil ao mais "
                                             "difícil.",
                                             tamanho, de, ate);
  texto += std::string(" ") + Tr(idioma,
                                 "Cada grelha preenche-se com os números de uma caixa, e as leis desenhadas por cima "
                                 "dela dizem como esses números se relacionam. Há uma só solução, que se descobre "
                                 "por dedução: nunca é preciso adivinhar.");
  if (ate == CMaxNivel)
    texto += std::string(" ") + Tr(idioma, "No nível 5, as leis não vêm desenhadas: cada uma é só um círculo.");
  return texto;
}

std::string TextoSolucoes(const TLivro& ALivro) {
  const TIdioma idioma = ALivro.Config.Idioma;
  const bool uma = ALivro.Puzzles.size() == 1;
  if (!ALivro.Config.Caminho)
    return uma ? Tr(idioma, "No fim do livro está a solução, sem dicas.")
               : Tr(idioma, "No fim do livro estão as soluções de todos os puzzles, sem dicas.");
  return uma ? Tr(idioma, "No fim do livro está a solução, com as dicas que levam até ela, passo a passo.")
             : Tr(idioma,
                  "No fim do livro estão as soluções de todos os puzzles, com as dicas que levam até cada uma, passo "
                  "a passo.");
}

// The card's blocks with its titles at AEscala and its running text at ATamanho.
std::vector<TBloco> Blocos(ICadrelCanvas& C, const TLivro& ALivro, double X, double ALargura, double AEscala,
                           double ATamanho) {
  const TIdioma idioma = ALivro.Config.Idioma;
  std::vector<TBloco> blocos{Linha(C, X, Cabecalho(ALivro.Puzzles.size(), idioma), CTamanhoCabeca * AEscala),
                             Paragrafo(C, X, ALargura, Descricao(ALivro), ATamanho)};
  if (const std::vector<TBlocoLei> leis = BlocosLeis(LeisDoLivro(ALivro), idioma); !leis.empty()) {
    blocos.push_back(Linha(C, X, Tr(idioma, "As leis deste livro"), CTamanhoSeccao * AEscala));
    for (const TBlocoLei& lei : leis) blocos.push_back(Lei(C, X, ALargura, lei, AEscala, ATamanho, idioma));
  }
  blocos.push_back(Paragrafo(C, X, ALargura, TextoSolucoes(ALivro), ATamanho));
  return blocos;
}

double Altura(const std::vector<TBloco>& ABlocos) {
  double altura = 0;
  for (const TBloco& b : ABlocos) altura += b.Altura;
  return altura + CEspaco * static_cast<double>(ABlocos.size() - 1);
}

}  // namespace

// The barcode's box and the book's code at the foot; above them, a white card
// that tells what the book holds.
void DesenharContracapa(ICadrelCanvas& C, const TGeometriaCapa& AG, const TLivro& ALivro) {
  const TRectanguloMm A = AG.TextoContracapa();
  const TRectanguloMm barras = AG.CodigoBarras();
  C.Rectangulo(barras.X, barras.Y, barras.Largura, barras.Altura, 0, -1, CCinzaCartao);

  const double escala = EscalaTexto(A);
  const double yCodigo = A.Y + A.Altura - C.AlturaTexto(CTamanhoCodigo * escala);
  C.Texto(A.X, yCodigo, ALivro.Codigo, CTamanhoCodigo * escala, true, CCinzaTextoCapa, alEsquerda);
  const double yRotulo = yCodigo - C.AlturaTexto(CTamanhoRotulo * escala);
  C.Texto(A.X, yRotulo, Tr(ALivro.Config.Idioma, "Código do livro"), CTamanhoRotulo * escala, false,
          CCinzaRotuloCapa, alEsquerda);

  const double cabe = std::min(barras.Y, yRotulo) - CEspaco - A.Y - 2 * CMargemCartao;
  const double x = A.X + CMargemCartao, largura = A.Largura - 2 * CMargemCartao;
  std::vector<TBloco> blocos;
  for (const double tamanho : CTamanhosTexto) {
    blocos = Blocos(C, ALivro, x, largura, escala, tamanho * escala);
    if (Altura(blocos) <= cabe) break;
  }
  C.Rectangulo(A.X, A.Y, A.Largura, Altura(blocos) + 2 * CMargemCartao, 0, -1, CCinzaCartao);
  double y = A.Y + CMargemCartao;
  for (const TBloco& b : blocos) {
    b.Desenhar(y);
    y += b.Altura + CEspaco;
  }
}

}  // namespace cadrel
