#include "html/puzzle_html.hpp"

#include <algorithm>
#include <string>

#include <fmt/format.h>

#include "book/grelha.hpp"
#include "book/paginas.hpp"
#include "core/tipos.hpp"

namespace cadrel {
namespace {

// Beside the grid, no more than the gap the drawer leaves and the narrowest
// box it draws, four numbers a row: every millimetre spared goes to the grid
// on a phone, and even a 7 × 7 puzzle's box stays shorter than its grid.
constexpr double CLarguraCaixaEcra = 46;
// The cell of the book's 5 × 5 grid, as wide as a fingertip on a phone.
constexpr double CCelulaEcra = 14;
// Air around the drawing, so that no line is cut at the SVG's edge.
constexpr double CFolgaJanela = 1.5;

// What the drawer asked of the canvas, as far as the page must know it.
struct TDesenhado {
  bool Texto = false;
  TLimitesMm Onde;
  std::int32_t Contorno = -1;
  std::int32_t Preenchimento = -1;
  std::string Conteudo;
};

// Passes every call on to the SVG canvas and notes the rectangles and the
// texts: the grid is the one square of the grid's side, outlined; the box is
// the outline drawn after it, and the texts after that are its numbers.
class TCanvasObservado final : public ICadrelCanvas {
public:
  explicit TCanvasObservado(TCanvasSvg& ADestino) : FDestino(ADestino) {}

  std::vector<TDesenhado> Desenhados;

  void Linha(double X1, double Y1, double X2, double Y2, double AEspessuraPt, std::int32_t ACinza,
             TTracejado ATracejado = {}) override {
    FDestino.Linha(X1, Y1, X2, Y2, AEspessuraPt, ACinza, ATracejado);
  }
  void Rectangulo(double X, double Y, double ALargura, double AAltura, double AEspessuraPt, std::int32_t AContorno,
                  std::int32_t APreenchimento) override {
    FDestino.Rectangulo(X, Y, ALargura, AAltura, AEspessuraPt, AContorno, APreenchimento);
    Desenhados.push_back({false, {X, Y, ALargura, AAltura}, AContorno, APreenchimento, {}});
  }
  void Poligono(std::span<const TPontoMm> APontos, double AEspessuraPt, std::int32_t AContorno,
                std::int32_t APreenchimento) override {
    FDestino.Poligono(APontos, AEspessuraPt, AContorno, APreenchimento);
  }
  void Elipse(double X, double Y, double ALargura, double AAltura, double AEspessuraPt, std::int32_t AContorno,
              std::int32_t APreenchimento) override {
    FDestino.Elipse(X, Y, ALargura, AAltura, AEspessuraPt, AContorno, APreenchimento);
  }
  void Texto(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito, std::int32_t ACinza,
             TAlinhamento AAlinhamento) override {
    FDestino.Texto(X, Y, ATexto, ATamanhoPt, ANegrito, ACinza, AAlinhamento);
    const double largura = LarguraTexto(ATexto, ATamanhoPt, ANegrito);
    const double x = AAlinhamento == alCentro ? X - largura / 2 : AAlinhamento == alDireita ? X - largura : X;
    Desenhados.push_back({true, {x, Y, largura, AlturaTexto(ATamanhoPt)}, ACinza, -1, ATexto});
  }
  void TextoRodado(double X, double Y, const std::string& ATexto, double ATamanhoPt, bool ANegrito,
                   std::int32_t ACinza, TAlinhamento AAlinhamento) override {
    FDestino.TextoRodado(X, Y, ATexto, ATamanhoPt, ANegrito, ACinza, AAlinhamento);
  }
  double LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) override {
    return FDestino.LarguraTexto(ATexto, ATamanhoPt, ANegrito);
  }
  double AlturaTexto(double ATamanhoPt) override { return FDestino.AlturaTexto(ATamanhoPt); }
  void Imagem(double X, double Y, double ALargura, double AAltura, const std::string& ANome) override {
    FDestino.Imagem(X, Y, ALargura, AAltura, ANome);
  }

private:
  TCanvasSvg& FDestino;
};

[[noreturn]] void Falhar(std::int32_t AIndice, const char* AFalta) {
  throw ECadrel(fmt::format("DesenharPuzzleSvg: o puzzle {} nao tem {} onde a pagina o espera", AIndice + 1, AFalta));
}

}  // namespace

TLayoutPuzzles LayoutEcra(std::int32_t N) {
  TLayoutPuzzles layout = LayoutPadrao(N);
  layout.LadoMm = std::max(layout.LadoMm, CCelulaEcra * N);
  return layout;
}

TGeometriaPagina GeometriaEcra(std::int32_t N) {
  TGeometriaPagina g;
  g.Largura = LayoutEcra(N).LadoMm + CLarguraCaixaEcra;
  return g;
}

TPuzzleSvg DesenharPuzzleSvg(const TPaginasPuzzles& APaginas, std::int32_t AIndice) {
  const TPuzzle& p = APaginas.Livro().Puzzles.at(static_cast<std::size_t>(AIndice)).Puzzle;
  const double lado = APaginas.Layout().LadoMm;
  TCanvasSvg svg;
  TCanvasObservado observado(svg);
  APaginas.DesenharPuzzle(observado, AIndice, CTopoPagina);

  TPuzzleSvg r;
  const std::vector<TDesenhado>& d = observado.Desenhados;
  const auto grelha = std::find_if(d.begin(), d.end(), [lado](const TDesenhado& e) {
    return !e.Texto && e.Onde.X == CMargemEsquerda && e.Onde.Largura == lado && e.Onde.Altura == lado &&
           e.Contorno == 0 && e.Preenchimento == -1;
  });
  if (grelha == d.end()) Falhar(AIndice, "a grelha");
  r.Grelha = grelha->Onde;
  const auto caixa = std::find_if(grelha + 1, d.end(), [&](const TDesenhado& e) {
    return !e.Texto && e.Contorno == 0 && e.Preenchimento == -1 && e.Onde.X >= r.Grelha.X + lado;
  });
  const std::vector<std::int32_t> numeros = NumerosEmFalta(p.Conjunto, p.Dados);
  if (!numeros.empty()) {
    if (caixa == d.end()) Falhar(AIndice, "a caixa");
    auto texto = caixa + 1;
    for (const std::int32_t numero : numeros) {
      if (texto == d.end() || !texto->Texto || texto->Conteudo != std::to_string(numero))
        Falhar(AIndice, "os numeros da caixa");
      r.Caixa.push_back({numero, texto->Onde});
      ++texto;
    }
  }
  r.DigitosMm = PtParaMm(TamanhoDigitos(lado, p.N));

  const TLimitesMm tinta = svg.Limites();
  r.Janela = {tinta.X - CFolgaJanela, tinta.Y - CFolgaJanela, tinta.Largura + 2 * CFolgaJanela,
              tinta.Altura + 2 * CFolgaJanela};
  r.Svg = svg.Svg(r.Janela);
  r.Caracteres = svg.Caracteres();
  return r;
}

}  // namespace cadrel
