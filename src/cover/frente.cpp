#include <algorithm>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "book/editorial.hpp"
#include "book/grelha.hpp"
#include "book/paginas.hpp"
#include "book/pictogramas.hpp"
#include "book/titulo.hpp"
#include "core/texto.hpp"
#include "core/traducao.hpp"
#include "cover/paineis.hpp"

namespace cadrel {

namespace {

// The largest sizes of the collection's name and of the title, in points per
// millimetre of the front's width for text: they grow with the trim.
constexpr double CMarcaPorMm = 0.45;
constexpr double CTituloPorMm = 0.18;
constexpr double CTamanhoNivel = 16;
constexpr double CTamanhoPuzzles = 13;
constexpr double CLarguraSelo = 28;
constexpr double CEspaco = 8;  // between the front's blocks

// The card: a puzzle laid out as its page lays it out, the laws' pictograms
// over the grid, the level's stars at the right, the numbers to place beside.
constexpr double CMargemCartao = 6;
constexpr double CCabecaCartao = CLadoPictograma + 4;
constexpr double CLarguraCaixa = 52;  // six numbers of two digits a row
constexpr double CEspacoCaixa = 5;
constexpr double CAlturaEstrelas = 5;

// The grid never takes more than this share of the front's width.
constexpr double CMaxGrelha = 0.5;

// On a white card centred on ACentroX between ATopo and AFundo, no wider than
// ALarguraMax, the grid no wider than AMaxGrelha.
void DesenharCartao(ICadrelCanvas& C, const TPuzzle& P, double ACentroX, double ATopo, double AFundo,
                    double ALarguraMax, double AMaxGrelha) {
  const std::vector<std::int32_t> faltam = NumerosEmFalta(P.Conjunto, P.Dados);
  const TMedidaCaixa caixa = MedirCaixaNumeros(C, CLarguraCaixa, faltam);
  const double extra = 2 * CMargemCartao + CEspacoCaixa + caixa.Largura;
  const double lado =
      std::min({AFundo - ATopo - 2 * CMargemCartao - CCabecaCartao, ALarguraMax - extra, AMaxGrelha});
  const double largura = lado + extra;
  const double altura = std::max(lado, caixa.Altura) + 2 * CMargemCartao + CCabecaCartao;
  const double x = ACentroX - largura / 2;
  const double y = ATopo + (AFundo - ATopo - altura) / 2;
  C.Rectangulo(x, y, largura, altura, 0, -1, CCinzaCartao);

  const double xi = x + CMargemCartao, yi = y + CMargemCartao;
  DesenharLeisPuzzle(C, P, xi, yi - 1);
  DesenharEstrelas(C, x + largura - CMargemCartao, yi + (CLadoPictograma - CAlturaEstrelas) / 2, P.Nivel);
  const double yg = yi + CCabecaCartao;
  DesenharGrelha(C, P.N, P.Dados, P.Solucao, xi, yg, lado, false, TamanhoDigitos(lado, P.N));
  DesenharCaixaNumeros(C, xi + lado + CEspacoCaixa, yg, CLarguraCaixa, faltam);
}

std::string TextoNivel(std::int32_t ANivel, TIdioma AIdioma) {
  return ANivel == 0 ? std::string(Tr(AIdioma, "Progressiva")) : Formatar(AIdioma, "Nível {}", ANivel);
}

std::string TextoPuzzles(const TLivro& ALivro) {
  const std::size_t n = ALivro.Puzzles.size();
  return fmt::format(fmt::runtime(TrN(ALivro.Config.Idioma, "{} puzzle de {}", "{} puzzles de {}", n)), n,
                     TextoTamanho(ALivro.Config.N));
}

}  // namespace

// From the top: the collection's name and the title; from the foot: the
// licence seal, the puzzles and the level; between them, the first puzzle.
void DesenharFrente(ICadrelCanvas& C, const TGeometriaCapa& AG, const TLivro& ALivro) {
  const TRectanguloMm A = AG.TextoFrente();
  const double x = A.X + A.Largura / 2;

  double topo = A.Y;
  const double marca = TamanhoQueCabe(C, CProduto, A.Largura, CMarcaPorMm * A.Largura, 2, 24);
  C.Texto(x, topo, CProduto, marca, true, CCinzaTextoCapa, alCentro);
  topo += C.AlturaTexto(marca);
  if (const std::string titulo(Aparar(ALivro.Config.Titulo)); !titulo.empty()) {
    const TTituloComposto composto = ComporTitulo(C, titulo, A.Largura, CTituloPorMm * A.Largura, 2, 14);
    const double passo = PassoDeLinha(composto.Tamanho);
    for (const std::string& linha : composto.Linhas) {
      C.Texto(x, topo, linha, composto.Tamanho, true, CCinzaTextoCapa, alCentro);
      topo += passo;
    }
  }

  const double escala = EscalaTexto(A);
  const double selo = CLarguraSelo * escala, nivel = CTamanhoNivel * escala, puzzles = CTamanhoPuzzles * escala;
  const double ySelo = A.Y + A.Altura - selo * CProporcaoSelo;
  const double yPuzzles = ySelo - CEspaco - C.AlturaTexto(puzzles);
  const double yNivel = yPuzzles - 1.5 - C.AlturaTexto(nivel);
  C.Texto(x, yNivel, TextoNivel(ALivro.Config.Nivel, ALivro.Config.Idioma), nivel, true, CCinzaTextoCapa, alCentro);
  C.Texto(x, yPuzzles, TextoPuzzles(ALivro), puzzles, false, CCinzaTextoCapa, alCentro);
  DesenharSelo(C, x - selo / 2, ySelo, selo);

  if (!ALivro.Puzzles.empty())
    DesenharCartao(C, ALivro.Puzzles.front().Puzzle, x, topo + CEspaco, yNivel - CEspaco, A.Largura,
                   CMaxGrelha * AG.Frente().Largura);
}

}  // namespace cadrel
