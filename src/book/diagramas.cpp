#include "book/diagramas.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <fmt/format.h>

#include "book/grelha.hpp"
#include "book/paginas.hpp"
#include "book/pictogramas.hpp"
#include "book/regras.hpp"
#include "book/tracos.hpp"
#include "core/traducao.hpp"

namespace cadrel {

namespace {
constexpr double CTamanhoTituloPagina = 24;
constexpr double CTamanhoIntro = 11;
constexpr double CTamanhoCabecalho = 16;
constexpr double CTamanhoTexto = 10;
constexpr double CTamanhoNota = 9;
constexpr double CTamanhoDigitos = 11;
constexpr double CPassoPictogramas = CLadoPictograma + 4;

constexpr double CLadoGrelha = 52;  // the 4 × 4 diagrams: cells of 13 mm
constexpr double CLadoGrelhaImpar = 60;
constexpr double CLarguraColunaOrdem = 92;  // the texts right of the order grid
constexpr double CEspacoAposDiagrama = 6;
// A page too short for its diagrams takes the figures smaller by these steps,
// down to 76 % of their size at most.
constexpr double CPassoEscala = 0.04;
constexpr std::int32_t CPassosEscala = 6;
constexpr double CEspessuraMoldura = 1.6;
constexpr double CEspessuraLigacao = 1.3;
constexpr double CEspessuraSeta = 0.9;

constexpr double CLadoMini = 34;
constexpr double CTamanhoMini = 9;
constexpr double CFolgaQuebrada = 2.5;  // how far the wrap-around arrows stick out of a mini-grid
// The mini-grids keep their arrows off the margins, and the arrows of two
// neighbours off each other.
constexpr double CRecuoMinis = 3;
constexpr double CFolgaMinimaMinis = 8;

// Four marked cells: a rectangle pairs A with D and B with C; the symmetry
// diagrams pair A with B and C with D.
struct TQuadra {
  std::int32_t A, B, C, D;
};
constexpr TQuadra CRectanguloEsquerda{0, 1, 4, 5};
constexpr TQuadra CRectanguloDireita{1, 3, 13, 15};
constexpr TQuadra CParesSimetria4{6, 9, 1, 14};
constexpr TQuadra CParesSimetria5{1, 23, 9, 15};

// A letter stands in two opposite cells.
constexpr std::string_view CLetrasSimetria = "ABCDEFGHHGFEDCBA";

constexpr std::int32_t CKImpar = 50;
// The first twelve cells of the odd example; the rest mirror them to K.
constexpr std::array<std::int32_t, 12> CMetadeImpar{14, 3, 21, 8, 18, 6, 24, 10, 20, 12, 16, 22};

std::array<std::int32_t, 25> ExemploImpar() {
  std::array<std::int32_t, 25> v{};
  for (std::size_t i = 0; i < CMetadeImpar.size(); ++i) {
    v[i] = CMetadeImpar[i];
    v[24 - i] = CKImpar - CMetadeImpar[i];
  }
  v[12] = CKImpar / 2;
  return v;
}

TPontoMm Mais(TPontoMm P, double AFator, TPontoMm D) { return PontoMm(P.X + AFator * D.X, P.Y + AFator * D.Y); }
TPontoMm Menos(TPontoMm P, TPontoMm Q) { return PontoMm(P.X - Q.X, P.Y - Q.Y); }
double Comprimento(TPontoMm D) { return std::hypot(D.X, D.Y); }

// Where the ray from P towards Q leaves the square [X0, X1] × [Y0, Y1]; Q
// itself when it lies inside.
TPontoMm SaidaQuadrado(TPontoMm P, TPontoMm Q, double X0, double Y0, double X1, double Y1) {
  const TPontoMm d = Menos(Q, P);
  double w = 1;
  if (d.X > 0) w = std::min(w, (X1 - P.X) / d.X);
  if (d.X < 0) w = std::min(w, (X0 - P.X) / d.X);
  if (d.Y > 0) w = std::min(w, (Y1 - P.Y) / d.Y);
  if (d.Y < 0) w = std::min(w, (Y0 - P.Y) / d.Y);
  return Mais(P, w, d);
}

std::string TextoPar(std::string_view AFormatoFim, std::int32_t A, std::int32_t B) {
  return fmt::format("{} + {} = {} ({})", A, B, A + B, AFormatoFim);
}

// The sums of the solid pair (A, B) and, one line lower, of the dashed pair (C, D).
void DuasSomas(ICadrelCanvas& C, double X, double Y, double ATamanhoPt, std::span<const std::int32_t> AValores,
               const TQuadra& AQuadra, TIdioma AIdioma) {
  EscreverTexto(C, X, Y, TextoPar(Tr(AIdioma, "linha contínua"), AValores[AQuadra.A], AValores[AQuadra.B]),
                ATamanhoPt);
  EscreverTexto(C, X, Y + AlturaLinha(ATamanhoPt),
                TextoPar(Tr(AIdioma, "tracejada"), AValores[AQuadra.C], AValores[AQuadra.D]), ATamanhoPt);
}

// Measures as the page's canvas does and draws nothing: a layout tried before
// it is drawn.
class TCanvasEnsaio final : public ICadrelCanvas {
public:
  explicit TCanvasEnsaio(ICadrelCanvas& AMedida) : FMedida(AMedida) {}
  void Linha(double, double, double, double, double, std::int32_t, TTracejado) override {}
  void Rectangulo(double, double, double, double, double, std::int32_t, std::int32_t) override {}
  void Poligono(std::span<const TPontoMm>, double, std::int32_t, std::int32_t) override {}
  void Elipse(double, double, double, double, double, std::int32_t, std::int32_t) override {}
  void Texto(double, double, const std::string&, double, bool, std::int32_t, TAlinhamento) override {}
  void TextoRodado(double, double, const std::string&, double, bool, std::int32_t, TAlinhamento) override {}
  double LarguraTexto(const std::string& ATexto, double ATamanhoPt, bool ANegrito) override {
    return FMedida.LarguraTexto(ATexto, ATamanhoPt, ANegrito);
  }
  double AlturaTexto(double ATamanhoPt) override { return FMedida.AlturaTexto(ATamanhoPt); }
  void Imagem(double, double, double, double, const std::string&) override {}

private:
  ICadrelCanvas& FMedida;
};

// The diagrams of a group one after the other from Y; returns where they end.
double DiagramasDoGrupo(ICadrelCanvas& C, const TGeometriaPagina& G, TConjuntoLeis ALeis, TGrupoDiagramas AGrupo,
                        double Y, double AEscala, TIdioma AIdioma) {
  switch (AGrupo) {
    case gdOrdemTabela: {
      double y = Y;
      if (ALeis.Contem(leiORD)) y = DiagramaOrdem(C, G, y, AEscala, AIdioma);
      if (ALeis.Contem(leiTAB)) y = DiagramaTabela(C, G, y, AEscala, AIdioma);
      return y;
    }
    case gdSimetria: return DiagramaSimetria(C, G, Y, AEscala, AIdioma);
    case gdSomas: return DiagramaSomas(C, G, Y, ALeis.Contem(leiSOMQ), AIdioma);
  }
  return Y;
}
}  // namespace

std::vector<TGrupoDiagramas> GruposDiagramas(TConjuntoLeis ALeis) {
  std::vector<TGrupoDiagramas> grupos;
  if (ALeis.Contem(leiORD) || ALeis.Contem(leiTAB)) grupos.push_back(gdOrdemTabela);
  if (ALeis.Contem(leiSIM)) grupos.push_back(gdSimetria);
  if (TemSomas(ALeis)) grupos.push_back(gdSomas);
  return grupos;
}

std::int32_t NumPaginasDiagramas(TConjuntoLeis ALeis) {
  return static_cast<std::int32_t>(GruposDiagramas(ALeis).size());
}

void DesenharDiagramas(ICadrelCanvas& C, const TGeometriaPagina& G, TConjuntoLeis ALeis, std::int32_t APagina,
                       TIdioma AIdioma) {
  const std::vector<TGrupoDiagramas> grupos = GruposDiagramas(ALeis);
  if (APagina < 0 || APagina >= static_cast<std::int32_t>(grupos.size())) return;

  double y = CTopoPagina;
  if (APagina == 0) {
    C.Texto(G.CentroX(), CTopoPagina, Tr(AIdioma, CTituloDiagramas), CTamanhoTituloPagina, true, 0, alCentro);
    const std::string intro = Tr(AIdioma,
                                 "Em cada diagrama a grelha está toda preenchida, para se ver a lei a funcionar. As "
                                 "marcas lêem-se também a preto e branco: linha contínua, tracejada e cinzento.");
    y = DesenharParagrafo(C, CMargemEsquerda, 35, G.Largura, intro, CTamanhoIntro) + 3;
  }
  // Texts keep their size on any page; on one too short for the diagrams the
  // figures give up a little of theirs, step by step, until all ends above
  // the page's limit.
  const TGrupoDiagramas grupo = grupos[static_cast<std::size_t>(APagina)];
  TCanvasEnsaio ensaio(C);
  const auto escala = [](std::int32_t APasso) { return 1 - APasso * CPassoEscala; };
  std::int32_t passo = 0;
  while (passo < CPassosEscala &&
         DiagramasDoGrupo(ensaio, G, ALeis, grupo, y, escala(passo), AIdioma) > G.LimiteConteudo + CEspacoAposDiagrama)
    ++passo;
  DiagramasDoGrupo(C, G, ALeis, grupo, y, escala(passo), AIdioma);
}

double CabecalhoGrupo(ICadrelCanvas& C, double Y, const std::string& ATitulo, std::span<const TLei> ALeis) {
  for (std::size_t j = 0; j < ALeis.size(); ++j)
    DesenharPictograma(C, ALeis[j], CMargemEsquerda + static_cast<double>(j) * CPassoPictogramas, Y);
  C.Texto(CMargemEsquerda + static_cast<double>(ALeis.size()) * CPassoPictogramas, Y + 3.5, ATitulo,
          CTamanhoCabecalho, true, 0, alEsquerda);
  return Y + CLadoPictograma + 3;
}

void GrelhaDiagrama(ICadrelCanvas& C, std::int32_t N, std::span<const std::int32_t> AValores, std::string_view ALetras,
                    double X, double Y, double ALado, double ATamanhoPt, std::span<const std::int32_t> ASombreadas,
                    std::span<const std::int32_t> ANegrito) {
  const double c = ALado / N;
  // Later items paint over earlier ones: shading, lines, border, texts.
  for (std::int32_t i : ASombreadas) C.Rectangulo(X + (i % N) * c, Y + (i / N) * c, c, c, 0, -1, CCinzaDado);
  DesenharLinhasGrelha(C, N, X, Y, ALado);

  const double h = C.AlturaTexto(ATamanhoPt);
  for (std::int32_t i = 0; i < N * N; ++i) {
    const auto indice = static_cast<std::size_t>(i);
    const std::string texto = ALetras.empty() ? std::to_string(AValores[indice]) : std::string(1, ALetras[indice]);
    const bool negrito = std::find(ANegrito.begin(), ANegrito.end(), i) != ANegrito.end();
    C.Texto(X + (i % N) * c + c / 2, Y + (i / N) * c + (c - h) / 2, texto, ATamanhoPt, negrito, 0, alCentro);
  }
}

TPontoMm CentroCelula(double X, double Y, double ALado, std::int32_t N, std::int32_t ACelula) {
  return PontoMm(X + (ACelula % N + 0.5) * ALado / N, Y + (ACelula / N + 0.5) * ALado / N);
}

void EscreverTexto(ICadrelCanvas& C, double X, double Y, const std::string& ATexto, double ATamanhoPt) {
  C.Texto(X, Y, ATexto, ATamanhoPt, false, 0, alEsquerda);
}

double AlturaLinha(double ATamanhoPt) { return PtParaMm(ATamanhoPt) * 1.45; }

std::string TextoSoma(std::span<const std::int32_t> AValores, const std::array<std::int32_t, 4>& ACelulas) {
  std::int32_t soma = 0;
  std::string texto;
  for (std::int32_t celula : ACelulas) {
    const std::int32_t v = AValores[static_cast<std::size_t>(celula)];
    texto += (texto.empty() ? "" : " + ") + std::to_string(v);
    soma += v;
  }
  return texto + " = " + std::to_string(soma);
}

void Seta(ICadrelCanvas& C, double X1, double Y1, double X2, double Y2) {
  DesenharSeta(C, PontoMm(X1, Y1), PontoMm(X2, Y2), TPontaSeta{.Comprimento = 1.8, .MeiaLargura = 0.9},
               CEspessuraSeta);
}

void LinhaTracejada(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, double AEspessuraPt) {
  const TPontoMm d = Menos(Q, P);
  // The default rounding mode sends a half to the even neighbour.
  const double n = std::max(std::nearbyint(Comprimento(d) / 3), 1.0);
  // Every period ends in a gap, so the line stops where the last dash does.
  const double periodo = Comprimento(d) / n;
  DesenharTracejado(C, P, Mais(P, (n - 0.4) / n, d), 0.6 * periodo, periodo, AEspessuraPt);
}

void LinhaEncurtada(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, bool ATracejada, double AEspessuraPt, double ACorteP,
                    double ACorteQ) {
  const TPontoMm d = Menos(Q, P);
  const double l = Comprimento(d);
  if (l <= ACorteP + ACorteQ + 0.2) return;
  const TPontoMm a = Mais(P, ACorteP / l, d);
  const TPontoMm b = Mais(Q, -ACorteQ / l, d);
  if (ATracejada)
    LinhaTracejada(C, a, b, AEspessuraPt);
  else
    C.Linha(a.X, a.Y, b.X, b.Y, AEspessuraPt, 0);
}

double FolgaTexto(double UX, double UY, double ATamanhoPt) {
  // Half a digit pair's width sideways, a bit over a third of the size up or down.
  const double h = PtParaMm(ATamanhoPt);
  double e = std::abs(UX) > 1e-9 ? 0.55 * h / std::abs(UX) : 1e9;
  if (std::abs(UY) > 1e-9) e = std::min(e, 0.36 * h / std::abs(UY));
  return e + 1.4;
}

void LigarCentros(ICadrelCanvas& C, TPontoMm P, TPontoMm Q, double ATamanhoPt, bool ATracejada,
                  double AEspessuraPt) {
  const TPontoMm d = Menos(Q, P);
  const double l = Comprimento(d);
  if (l == 0) return;
  const double corte = FolgaTexto(d.X / l, d.Y / l, ATamanhoPt);
  LinhaEncurtada(C, P, Q, ATracejada, AEspessuraPt, corte, corte);
}

double MiniGrelhas(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, std::span<const std::int32_t> AValores,
                   std::span<const TLinhaSoma> ALinhas, TIdioma AIdioma) {
  const auto k = static_cast<double>(ALinhas.size());
  const double largura = G.Largura - 2 * CRecuoMinis;
  const double lado = std::min(CLadoMini, (largura - CFolgaMinimaMinis * (k - 1)) / k);
  const double folga = (largura - lado * k) / (k - 1);
  const double x0 = CMargemEsquerda + CRecuoMinis;
  // A caption wider than its grid may lean inwards at the margins, never past them.
  const auto legenda = [&](double X, double AY, const std::string& ATexto, bool ANegrito) {
    const double meia = C.LarguraTexto(ATexto, CTamanhoMini, ANegrito) / 2;
    C.Texto(std::clamp(X, CMargemEsquerda + meia, G.Direita() - meia), AY, ATexto, CTamanhoMini, ANegrito, 0,
            alCentro);
  };
  for (std::size_t i = 0; i < ALinhas.size(); ++i) {
    const TLinhaSoma& linha = ALinhas[i];
    const double x = x0 + static_cast<double>(i) * (lado + folga);
    GrelhaDiagrama(C, 4, AValores, {}, x, Y, lado, CTamanhoMini, linha.Celulas, linha.Celulas);
    SetasQuebradas(C, x, Y, lado, linha);
    legenda(x + lado / 2, Y + lado + 2, Tr(AIdioma, linha.Rotulo.data()), true);
    legenda(x + lado / 2, Y + lado + 2 + AlturaLinha(CTamanhoMini), TextoSoma(AValores, linha.Celulas), false);
  }
  return Y + (lado + 2 + 2 * AlturaLinha(CTamanhoMini) + CEspacoAposDiagrama);
}

void SetasQuebradas(ICadrelCanvas& C, double X, double Y, double ALado, const TLinhaSoma& ALinha) {
  const double s = ALado / 4;
  const double norma = std::hypot(ALinha.DC, ALinha.DL);
  const TPontoMm u = PontoMm(ALinha.DC / norma, ALinha.DL / norma);
  const TPontoMm passo = PontoMm(s * ALinha.DC, s * ALinha.DL);
  const double f = FolgaTexto(u.X, u.Y, CTamanhoMini);
  const double x0 = X - CFolgaQuebrada;
  const double y0 = Y - CFolgaQuebrada;
  const double x1 = X + ALado + CFolgaQuebrada;
  const double y1 = Y + ALado + CFolgaQuebrada;

  for (std::size_t i = 0; i + 1 < ALinha.Celulas.size(); ++i) {
    const std::int32_t a = ALinha.Celulas[i];
    const std::int32_t b = ALinha.Celulas[i + 1];
    if (std::abs(a / 4 - b / 4) <= 1 && std::abs(a % 4 - b % 4) <= 1) continue;
    const TPontoMm ca = CentroCelula(X, Y, ALado, 4, a);
    const TPontoMm cb = CentroCelula(X, Y, ALado, 4, b);
    const TPontoMm saidaDe = Mais(ca, f, u);
    const TPontoMm saidaAte = SaidaQuadrado(ca, Mais(ca, 1, passo), x0, y0, x1, y1);
    Seta(C, saidaDe.X, saidaDe.Y, saidaAte.X, saidaAte.Y);
    const TPontoMm entradaDe = SaidaQuadrado(cb, Mais(cb, -1, passo), x0, y0, x1, y1);
    const TPontoMm entradaAte = Mais(cb, -f, u);
    Seta(C, entradaDe.X, entradaDe.Y, entradaAte.X, entradaAte.Y);
  }
}

double DiagramaOrdem(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, double AEscala, TIdioma AIdioma) {
  const std::vector<std::int32_t>& e = ExemploFixo(0).Solucao;
  constexpr std::array leis{leiORD};
  const double g = CabecalhoGrupo(C, Y, NomesLeis({leiORD}, AIdioma), leis) + 11;
  constexpr double x = 28;
  const double lado = CLadoGrelha * AEscala;
  const double c = lado / 4;

  C.Texto(x + lado / 2, g - 10.5, Tr(AIdioma, "cada linha cresce"), CTamanhoNota, false, 0, alCentro);
  Seta(C, x + 2, g - 3.4, x + lado - 2, g - 3.4);
  Seta(C, x - 3.4, g + 2, x - 3.4, g + (lado - 2));
  // The corners hold the smallest and the largest number.
  constexpr std::array<std::int32_t, 2> cantos{0, 15};
  GrelhaDiagrama(C, 4, e, {}, x, g, lado, CTamanhoDigitos, cantos, cantos);

  // Cell 5 and its four neighbours, each arrow centred on a side of the cell.
  C.Rectangulo(x + c, g + c, c, c, CEspessuraMoldura, 0, -1);
  const double meia = 3.4 * AEscala;
  Seta(C, x + 1.5 * c, g + (c - meia), x + 1.5 * c, g + (c + meia));
  Seta(C, x + 1.5 * c, g + (2 * c - meia), x + 1.5 * c, g + (2 * c + meia));
  Seta(C, x + c - meia, g + 1.5 * c, x + c + meia, g + 1.5 * c);
  Seta(C, x + 2 * c - meia, g + 1.5 * c, x + 2 * c + meia, g + 1.5 * c);

  // The text column keeps its width by drawing nearer the grid on a narrower
  // page, as near as it may; the note under the grid stops short of it.
  const double xd = std::max(G.Direita() - CLarguraColunaOrdem, x + lado + 6);
  const double wd = G.Direita() - xd;
  const double esquerda =
      DesenharParagrafo(C, CMargemEsquerda, g + (lado + 3), xd - 4 - CMargemEsquerda,
                        Tr(AIdioma, "A seta de cima dá o sentido das linhas; a da esquerda, o das colunas."),
                        CTamanhoNota);
  double direita = DesenharParagrafo(C, xd, g - 4, wd,
                                     Tr(AIdioma,
                                        "Os números crescem da esquerda para a direita ao longo de cada linha e de "
                                        "cima para baixo ao longo de cada coluna."),
                                     CTamanhoTexto);
  direita = DesenharParagrafo(C, xd, direita + 2, wd,
                              Formatar(AIdioma,
                                       "O {} e o {}, nos cantos, são o menor e o maior número: "
                                       "vêm sempre dados (fundo cinzento).",
                                       e[0], e[15]),
                              CTamanhoTexto);
  direita =
      DesenharParagrafo(C, xd, direita + 2, wd,
                        Formatar(AIdioma,
                                 "O {}, de contorno grosso, tem de ser maior do que o {} (em cima) e do que o {} (à "
                                 "esquerda), e menor do que o {} (à direita) e do que o {} (em baixo). Se "
                                 "faltasse, só poderia ser um número entre o {} e o {}.",
                                 e[5], e[1], e[4], e[6], e[9], e[1], e[9]),
                        CTamanhoTexto);

  return std::max({esquerda, direita, g + lado}) + CEspacoAposDiagrama;
}

double DiagramaTabela(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, double AEscala, TIdioma AIdioma) {
  const std::vector<std::int32_t>& e = ExemploFixo(2).Solucao;
  constexpr std::array leis{leiTAB};
  const double h = CabecalhoGrupo(C, Y, NomesLeis({leiTAB}, AIdioma), leis);
  const double g = DesenharParagrafo(C, CMargemEsquerda, h + 1, G.Largura,
                                     Tr(AIdioma,
                                        "Em qualquer rectângulo, os cantos opostos somam o mesmo: as duas diagonais "
                                        "dão o mesmo resultado. Cada grelha mostra um rectângulo: os cantos estão a "
                                        "cinzento e as diagonais a linha contínua e a tracejado."),
                                     CTamanhoTexto) +
                   4;
  const double lado = CLadoGrelha * AEscala;
  const double c = lado / 4;

  const std::array<TQuadra, 2> rectangulos{CRectanguloEsquerda, CRectanguloDireita};
  const auto xGrelha = [&](std::size_t j) { return CMargemEsquerda + (lado + 14) * static_cast<double>(j); };
  for (std::size_t j = 0; j < rectangulos.size(); ++j) {
    const TQuadra& r = rectangulos[j];
    const double x = xGrelha(j);
    const std::array<std::int32_t, 4> cantos{r.A, r.B, r.C, r.D};
    GrelhaDiagrama(C, 4, e, {}, x, g, lado, CTamanhoDigitos, cantos, cantos);
    C.Rectangulo(x + c * (r.A % 4), g + c * (r.A / 4), (r.D % 4 - r.A % 4 + 1) * c, (r.D / 4 - r.A / 4 + 1) * c,
                 CEspessuraMoldura, 0, -1);
    LigarCentros(C, CentroCelula(x, g, lado, 4, r.A), CentroCelula(x, g, lado, 4, r.D), CTamanhoDigitos, false,
                 CEspessuraLigacao);
    LigarCentros(C, CentroCelula(x, g, lado, 4, r.B), CentroCelula(x, g, lado, 4, r.C), CTamanhoDigitos, true,
                 CEspessuraLigacao);
  }
  const double somas = g + (lado + 2);
  for (std::size_t j = 0; j < rectangulos.size(); ++j) {
    const TQuadra& r = rectangulos[j];
    DuasSomas(C, xGrelha(j), somas, CTamanhoNota, e, TQuadra{r.A, r.D, r.B, r.C}, AIdioma);
  }

  const TQuadra& r = CRectanguloDireita;
  return DesenharParagrafo(C, CMargemEsquerda, somas + 2 * AlturaLinha(CTamanhoNota) + 4, G.Largura,
                           Formatar(AIdioma,
                                    "No rectângulo da direita, se faltasse o {}, "
                                    "calculava-se {} + {} - {} = {}.",
                                    e[r.D], e[r.B], e[r.C], e[r.A], e[r.D]),
                           CTamanhoTexto) +
         CEspacoAposDiagrama;
}

namespace {

// A side's bold heading; returns the top of what goes under it.
double TituloLado(ICadrelCanvas& C, double Y, const std::string& ATitulo) {
  C.Texto(CMargemEsquerda, Y, ATitulo, CTamanhoTexto, true, 0, alEsquerda);
  return Y + AlturaLinha(CTamanhoTexto) + 3;
}

// The 4 × 4 numbers with a solid and a dashed pair crossing on a dot at the
// centre of the grid.
void ParesCruzados(ICadrelCanvas& C, double X, double Y, double ALado, std::span<const std::int32_t> AValores) {
  const TQuadra& p = CParesSimetria4;
  const std::array<std::int32_t, 4> marcadas{p.A, p.B, p.C, p.D};
  GrelhaDiagrama(C, 4, AValores, {}, X, Y, ALado, CTamanhoDigitos, {}, marcadas);
  LigarCentros(C, CentroCelula(X, Y, ALado, 4, p.A), CentroCelula(X, Y, ALado, 4, p.B), CTamanhoDigitos, false,
               CEspessuraLigacao);
  LigarCentros(C, CentroCelula(X, Y, ALado, 4, p.C), CentroCelula(X, Y, ALado, 4, p.D), CTamanhoDigitos, true,
               CEspessuraLigacao);
  const double meio = ALado / 2 - 1.1;
  C.Elipse(X + meio, Y + meio, 2.2, 2.2, 0.8, 0, 0);
}

// "A: 1 + 23 = 24" for each letter of the letters grid, under a bold title, in
// a column from X that draws back from the right margin rather than cross it.
void SomasDasLetras(ICadrelCanvas& C, const TGeometriaPagina& G, double X, double Y,
                    std::span<const std::int32_t> AValores, TIdioma AIdioma) {
  const std::string titulo = Tr(AIdioma, "Os 8 pares:");
  std::vector<std::string> somas;
  double largura = C.LarguraTexto(titulo, CTamanhoTexto, true);
  for (std::size_t i = 0; i < 8; ++i) {
    const char letra = static_cast<char>('A' + i);
    const std::int32_t a = AValores[CLetrasSimetria.find(letra)];
    const std::int32_t b = AValores[CLetrasSimetria.rfind(letra)];
    somas.push_back(fmt::format("{}: {} + {} = {}", letra, a, b, a + b));
    largura = std::max(largura, C.LarguraTexto(somas.back(), CTamanhoTexto, false));
  }
  const double x = std::min(X, G.Direita() - largura);
  C.Texto(x, Y, titulo, CTamanhoTexto, true, 0, alEsquerda);
  for (std::size_t i = 0; i < somas.size(); ++i)
    EscreverTexto(C, x, Y + 5.6 + static_cast<double>(i) * AlturaLinha(CTamanhoTexto), somas[i], CTamanhoTexto);
}

// Even side: letters show the pairs, numbers show two of them crossing at the
// centre; returns the y below the captions.
double SimetriaPar(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, std::span<const std::int32_t> AValores,
                   double AEscala, TIdioma AIdioma) {
  const double t =
      TituloLado(C, Y, Tr(AIdioma, "Lado par (4 × 4): o centro é onde se cruzam as duas linhas do meio"));
  const double lado = CLadoGrelha * AEscala;
  const double xNumeros = CMargemEsquerda + lado + 8;
  constexpr std::array<std::int32_t, 8> diagonais{0, 3, 5, 6, 9, 10, 12, 15};
  GrelhaDiagrama(C, 4, AValores, CLetrasSimetria, CMargemEsquerda, t, lado, CTamanhoDigitos, diagonais, {});
  ParesCruzados(C, xNumeros, t, lado, AValores);

  const double y = t + lado + 2;
  const double baixoLetras = DesenharParagrafo(C, CMargemEsquerda, y, lado + 4,
                                               Tr(AIdioma, "Mesma letra, posições opostas. A cinzento, os "
                                                           "pares das diagonais."),
                                               CTamanhoNota);
  DuasSomas(C, xNumeros, y, CTamanhoNota, AValores, CParesSimetria4, AIdioma);
  const double baixoNumeros = DesenharParagrafo(C, xNumeros, y + 2 * AlturaLinha(CTamanhoNota), lado + 4,
                                                Tr(AIdioma, "As duas passam pelo centro."), CTamanhoNota);
  SomasDasLetras(C, G, xNumeros + lado + 10, t, AValores, AIdioma);
  return std::max(baixoLetras, baixoNumeros);
}

// The 5 × 5 grid of side ALado at Y with its centre shaded; each pair is drawn
// as two halves that stop short of the centre number.
void MetadesImpar(ICadrelCanvas& C, double Y, double ALado, std::span<const std::int32_t> AValores) {
  constexpr std::array<std::int32_t, 1> centro{12};
  GrelhaDiagrama(C, 5, AValores, {}, CMargemEsquerda, Y, ALado, CTamanhoDigitos, centro, centro);
  const auto centroDe = [&](std::int32_t celula) { return CentroCelula(CMargemEsquerda, Y, ALado, 5, celula); };
  const TQuadra& q = CParesSimetria5;
  const TPontoMm c = centroDe(12);
  LigarCentros(C, centroDe(q.A), c, CTamanhoDigitos, false, CEspessuraLigacao);
  LigarCentros(C, c, centroDe(q.B), CTamanhoDigitos, false, CEspessuraLigacao);
  LigarCentros(C, centroDe(q.C), c, CTamanhoDigitos, true, CEspessuraLigacao);
  LigarCentros(C, c, centroDe(q.D), CTamanhoDigitos, true, CEspessuraLigacao);
}

// The odd example's K, its middle cell and its two pairs, in a column from X to
// the right margin, from Y; returns the y below the column.
double ContasImpar(ICadrelCanvas& C, const TGeometriaPagina& G, double X, double Y,
                   std::span<const std::int32_t> AValores, TIdioma AIdioma) {
  const auto [menor, maior] = std::minmax_element(AValores.begin(), AValores.end());
  const std::int32_t k = *menor + *maior;
  const double largura = G.Direita() - X;
  const double passo = AlturaLinha(CTamanhoTexto);
  double y = DesenharParagrafo(C, X, Y, largura, fmt::format("K = {} + {} = {}.", *menor, *maior, k), CTamanhoTexto);
  y = DesenharParagrafo(C, X, y + 2, largura, Tr(AIdioma, "A célula do meio é oposta de si própria: vale metade de K."),
                        CTamanhoTexto);
  EscreverTexto(C, X, y, fmt::format("{} = {} / 2", AValores[12], k), CTamanhoTexto);
  y = DesenharParagrafo(C, X, y + passo + 2, largura,
                        Formatar(AIdioma, "Os outros 24 números formam 12 pares, todos com soma {}. Por exemplo:", k),
                        CTamanhoTexto);
  DuasSomas(C, X, y, CTamanhoTexto, AValores, CParesSimetria5, AIdioma);
  return y + 2 * passo;
}

// Odd side: the centre cell is its own opposite; returns where the next
// diagram may start.
double SimetriaImpar(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, double AEscala, TIdioma AIdioma) {
  const double u = TituloLado(C, Y, Tr(AIdioma, "Lado ímpar (5 × 5): o centro é uma célula"));
  const std::array<std::int32_t, 25> v = ExemploImpar();
  const double lado = CLadoGrelhaImpar * AEscala;
  MetadesImpar(C, u, lado, v);
  return std::max(ContasImpar(C, G, CMargemEsquerda + lado + 10, u, v, AIdioma), u + lado) + CEspacoAposDiagrama;
}

}  // namespace

double DiagramaSimetria(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, double AEscala, TIdioma AIdioma) {
  const std::vector<std::int32_t>& e = ExemploFixo(0).Solucao;
  const auto [menor, maior] = std::minmax_element(e.begin(), e.end());
  const std::int32_t k = *menor + *maior;
  constexpr std::array leis{leiSIM};
  const double h = CabecalhoGrupo(C, Y, NomesLeis({leiSIM}, AIdioma), leis);
  double y = DesenharParagrafo(
      C, CMargemEsquerda, h + 1, G.Largura,
      Tr(AIdioma, "Dois números em posições opostas, vistas do centro da grelha, somam sempre K."), CTamanhoTexto);
  y = DesenharParagrafo(C, CMargemEsquerda, y + 1, G.Largura,
                        Formatar(AIdioma, "K = {} + {} = {}, o menor mais o maior.", *menor, *maior, k), CTamanhoTexto);
  return SimetriaImpar(C, G, SimetriaPar(C, G, y + 4, e, AEscala, AIdioma) + 6, AEscala, AIdioma);
}

double DiagramaSomas(ICadrelCanvas& C, const TGeometriaPagina& G, double Y, bool AQuebradas, TIdioma AIdioma) {
  const std::vector<std::int32_t>& e = ExemploFixo(AQuebradas ? 4 : 3).Solucao;
  const std::int32_t s = e[0] + e[1] + e[2] + e[3];
  constexpr std::array ambas{leiSOMD, leiSOMQ};
  const double h =
      CabecalhoGrupo(C, Y, NomesLeis({leiSOMD}, AIdioma), std::span<const TLei>(ambas).first(AQuebradas ? 2 : 1));
  const std::span<const TLinhaSoma> linhas(CLinhasSomas);

  const double r = DesenharParagrafo(C, CMargemEsquerda, h + 1, G.Largura,
                                     Formatar(AIdioma,
                                              "Todas as linhas, todas as colunas e as duas "
                                              "diagonais principais somam o mesmo valor S. Aqui "
                                              "S = {}.",
                                              s),
                                     CTamanhoTexto) +
                   4;
  double y = MiniGrelhas(C, G, r, e, linhas.first(4), AIdioma);
  if (AQuebradas) {
    const double rq = DesenharParagrafo(C, CMargemEsquerda, y, G.Largura,
                                        Tr(AIdioma,
                                           "As diagonais «quebradas» saem por um lado da grelha e continuam do lado "
                                           "oposto (as setas pequenas mostram a saída e a entrada). Também somam S."),
                                        CTamanhoTexto) +
                      4;
    y = MiniGrelhas(C, G, rq, e, linhas.last(4), AIdioma);
  }
  return y;
}

}  // namespace cadrel
