#include "drawing/canvas_svg.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include <fmt/format.h>

#include "drawing/canvas_cairo.hpp"
#include "drawing/fontes.hpp"
#include "drawing/pdf.hpp"

namespace cadrel {
namespace {

// A canvas on a page of a PDF that is never written: the one the book's
// texts are measured on.
class CanvasSvg : public ::testing::Test {
protected:
  CanvasSvg() : FPdf("nunca_gravado.pdf"), FCairo(FPdf.NovaPagina(), CDpiPdf) {}

  TDocumentoPdf FPdf;
  TCanvasCairo FCairo;
  TCanvasSvg FSvg;
};

// A drawer breaks lines and centres numbers by these measures: they must be
// those of the PDF to the last unit, whatever the size, face and text.
TEST_F(CanvasSvg, MedeOsTextosComoOPdf) {
  const struct {
    const char* Texto;
    double Tamanho;
    bool Negrito;
  } casos[] = {{"00", 9.5, false},
               {"001", 14, true},
               {"5 × 5", 13, false},
               {"L3C5 = 68 - 12 = 56", 9.5, false},
               {"R2C3 = 40 (only place for it)", 7.3, false},
               {"Os números a cinzento são os dados; os números a negrito são os que se deduziram.", 10, true},
               {"", 12, false}};
  for (const auto& c : casos) {
    EXPECT_EQ(FSvg.LarguraTexto(c.Texto, c.Tamanho, c.Negrito), FCairo.LarguraTexto(c.Texto, c.Tamanho, c.Negrito))
        << c.Texto;
    EXPECT_EQ(FSvg.AlturaTexto(c.Tamanho), FCairo.AlturaTexto(c.Tamanho)) << c.Tamanho;
  }
}

// Every call becomes one element in the PDF's device units (300 a inch), as
// the PDF canvas rounds them; grey -1 paints nothing.
TEST_F(CanvasSvg, CadaChamadaUmElementoEmUnidadesDoPdf) {
  const auto unidades = [this](const std::string& t, double pt, bool negrito) {
    return MmParaUnidades(FCairo.LarguraTexto(t, pt, negrito), CDpiPdf);
  };
  const TMetricasFace& m = MetricasRoboto();
  const auto ascente = [&m](double pt) {
    return static_cast<int>(std::nearbyint(double(m.WinAscent) * TamanhoFonteUnidades(pt, CDpiPdf) / m.UnidadesPorEm));
  };
  const TPontoMm triangulo[] = {{0, 0}, {25.4, 0}, {12.7, 10}};
  const struct {
    std::function<void(ICadrelCanvas&)> Desenhar;
    std::string Esperado;
  } casos[] = {
      {[](ICadrelCanvas& C) { C.Linha(0, 0, 25.4, 0, 0.8, 0); },
       R"(<line x1="0" y1="0" x2="300" y2="0" stroke="#000" stroke-width="3"/>)"},
      {[](ICadrelCanvas& C) { C.Linha(10, 10, 10, 35.4, 0.25, 128, {2, 1}); },
       R"(<line x1="118" y1="118" x2="118" y2="418" stroke="#808080" stroke-width="1" )"
       R"(stroke-dasharray="23.62 11.81"/>)"},
      {[](ICadrelCanvas& C) { C.Linha(0, 0, 1, 1, 1, -1); }, ""},
      {[](ICadrelCanvas& C) { C.Rectangulo(10, 10, 5, 5, 0, -1, 235); },
       R"(<rect x="118" y="118" width="59" height="59" fill="#ebebeb"/>)"},
      {[](ICadrelCanvas& C) { C.Rectangulo(10, 10, -5, 5, 0.5, 0, -1); },
       R"(<rect x="59" y="118" width="59" height="59" fill="none" stroke="#000" stroke-width="2"/>)"},
      {[](ICadrelCanvas& C) { C.Rectangulo(0, 0, 5, 5, 0.5, -1, -1); }, ""},
      {[&triangulo](ICadrelCanvas& C) { C.Poligono(triangulo, 0.5, 0, 255); },
       R"(<polygon points="0,0 300,0 150,118" fill="#fff" stroke="#000" stroke-width="2"/>)"},
      {[](ICadrelCanvas& C) { C.Elipse(0, 0, 3, 2, 0.5, 0, -1); },
       R"(<ellipse cx="17.5" cy="12" rx="17.5" ry="12" fill="none" stroke="#000" stroke-width="2"/>)"},
      {[](ICadrelCanvas& C) { C.Texto(10, 20, "a < b & c", 12, false, 0, alEsquerda); },
       fmt::format(R"e(<text x="118" y="{}" font-size="50">a &lt; b &amp; c</text>)e", 236 + ascente(12))},
      {[](ICadrelCanvas& C) { C.Texto(50, 20, "001", 14, true, 128, alCentro); },
       fmt::format(R"e(<text x="{}" y="{}" font-size="58" font-weight="700" fill="#808080">001</text>)e",
                   591 - unidades("001", 14, true) / 2, 236 + ascente(14))},
      {[](ICadrelCanvas& C) { C.Texto(50, 20, "12", 9.5, false, 0, alDireita); },
       fmt::format(R"e(<text x="{}" y="{}" font-size="40">12</text>)e", 591 - unidades("12", 9.5, false),
                   236 + ascente(9.5))},
      {[](ICadrelCanvas& C) { C.TextoRodado(50, 20, "QUORVEL", 12, true, 0, alCentro); },
       fmt::format(R"e(<text x="{}" y="{}" font-size="50" font-weight="700" )e"
                   R"e(transform="translate(591 236) rotate(90)">QUORVEL</text>)e",
                   -unidades("QUORVEL", 12, true) / 2, ascente(12))},
      {[](ICadrelCanvas& C) { C.Texto(0, 0, "invisível", 12, false, -1, alEsquerda); }, ""},
  };
  for (const auto& c : casos) {
    TCanvasSvg svg;
    c.Desenhar(svg);
    EXPECT_EQ(svg.Elementos(), c.Esperado);
  }
}

// What the ink covers, pens and text boxes included, frames the page's view.
TEST_F(CanvasSvg, LimitesDaTintaEJanela) {
  EXPECT_EQ(FSvg.Limites().Largura, 0);
  FSvg.Rectangulo(25.4, 25.4, 25.4, 25.4, 0.8, 0, -1);  // 300 to 600 units, a pen of 3
  FSvg.Texto(25.4, 76.2, "Ab", 12, false, 0, alEsquerda);
  const TLimitesMm l = FSvg.Limites();
  const double unidade = 25.4 / CDpiPdf;
  EXPECT_NEAR(l.X, 298.5 * unidade, 1e-9);
  EXPECT_NEAR(l.Y, 298.5 * unidade, 1e-9);
  EXPECT_NEAR(l.X + l.Largura, 601.5 * unidade, 1e-9);
  EXPECT_NEAR(l.Y + l.Altura, 76.2 + FCairo.AlturaTexto(12), 1e-9);
  EXPECT_EQ(FSvg.Svg({25.4, 25.4, 50.8, 25.4}).rfind(R"e(<svg viewBox="300 300 600 300" )e", 0), 0u);
  EXPECT_EQ(FSvg.Caracteres(), (std::set<char32_t>{U'A', U'b'}));
}

}  // namespace
}  // namespace cadrel
