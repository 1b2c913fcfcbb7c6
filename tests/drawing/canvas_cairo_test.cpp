#include "drawing/canvas_cairo.hpp"

#include <gtest/gtest.h>

#include "apoio.hpp"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/tipos.hpp"
#include "drawing/cairo_ptr.hpp"
#include "drawing/fontes.hpp"
#include "drawing/png.hpp"
#include "drawing/recursos.hpp"

namespace cadrel {
namespace {

constexpr double CUnidadeMm = 25.4 / 300;

TEST(Unidades, MilimetrosAoInteiroMaisProximoComMetadesParaPar) {
  struct {
    double MeiasUnidades;  // the length lands on this many half units, exactly
    std::int32_t Esperado;
  } casos[] = {{5, 2}, {11, 6}, {13, 6}, {49, 24}, {57, 28}, {35, 18}};
  for (const auto& c : casos) {
    const double mm = c.MeiasUnidades * 25.4 / 600;
    ASSERT_EQ(mm / 25.4 * 300, c.MeiasUnidades / 2) << mm;
    EXPECT_EQ(MmParaUnidades(mm, 300), c.Esperado) << mm;
    EXPECT_EQ(MmParaUnidades(-mm, 300), -c.Esperado) << mm;
  }
  EXPECT_EQ(MmParaUnidades(105, 300), 1240);  // 1240.157...
  EXPECT_EQ(MmParaUnidades(148.5, 300), 1754);
  EXPECT_EQ(MmParaUnidades(25.4, 72), 72);
}

TEST(Unidades, EspessuraDeCanetaNuncaAbaixoDeUmaUnidade) {
  struct {
    double Pt;
    std::int32_t Esperado;
  } casos[] = {{0, 1},   {0.12, 1}, {0.36, 2}, {0.6, 2}, {0.84, 4}, {0.5, 2},
               {0.8, 3}, {0.9, 4},  {1.0, 4},  {1.2, 5}, {1.6, 7}};
  for (const auto& c : casos) EXPECT_EQ(EspessuraUnidades(c.Pt, 300), c.Esperado) << c.Pt;
  EXPECT_EQ(TamanhoFonteUnidades(12, 300), 50);
  EXPECT_EQ(TamanhoFonteUnidades(36, 300), 150);
}

// A canvas over an RGB image in which one pixel is one device unit, the
// context in points as on a PDF page.
class Raster : public ::testing::Test {
protected:
  static constexpr int CLado = 120;

  Raster()
      : FImagem(cairo_image_surface_create(CAIRO_FORMAT_RGB24, CLado, CLado)), FCr(cairo_create(FImagem.get())) {
    cairo_set_source_rgb(FCr.get(), 1, 1, 1);
    cairo_paint(FCr.get());
    cairo_scale(FCr.get(), 300.0 / 72, 300.0 / 72);
  }

  // The red channel of a pixel: every drawing is grey.
  int Nivel(int x, int y) {
    cairo_surface_flush(FImagem.get());
    const unsigned char* dados = cairo_image_surface_get_data(FImagem.get());
    const auto* linha = reinterpret_cast<const std::uint32_t*>(dados + y * cairo_image_surface_get_stride(FImagem.get()));
    return (linha[x] >> 16) & 0xFF;
  }

  // The last row with dark ink in [x0, x1).
  int UltimaLinhaEscura(int x0, int x1) {
    int ultima = -1;
    for (int y = 0; y < CLado; ++y)
      for (int x = x0; x < x1; ++x)
        if (Nivel(x, y) < 128) ultima = y;
    return ultima;
  }

  TSuperficieCairo FImagem;
  TContextoCairo FCr;
  TCanvasCairo FCanvas{FCr.get(), 300};
};

TEST_F(Raster, CantoOpostoConvertidoDaSomaEmMilimetros) {
  // X and the width both land on 2.5 units (2 on their own); X + width is 5.
  const double meia = 5 * 25.4 / 600;
  FCanvas.Rectangulo(meia, meia, meia, meia, 0, -1, 0);
  for (int i = 0; i < 8; ++i) {
    const bool dentro = i >= 2 && i < 5;
    EXPECT_EQ(Nivel(i, 3) < 128, dentro) << "x " << i;
    EXPECT_EQ(Nivel(3, i) < 128, dentro) << "y " << i;
  }
}

TEST_F(Raster, NiveisDeCinzentoEMenosUmNadaPinta) {
  const double u = CUnidadeMm;
  FCanvas.Rectangulo(0, 0, 100 * u, 10 * u, 0, -1, 0);
  FCanvas.Rectangulo(10 * u, 0, 10 * u, 10 * u, 1, -1, -1);   // invisible: the black stays
  FCanvas.Rectangulo(30 * u, 0, 10 * u, 10 * u, 0, -1, 128);  // grey over black
  FCanvas.Rectangulo(50 * u, 0, 10 * u, 10 * u, 0, -1, 255);  // white hides the black
  FCanvas.Linha(70 * u, 15 * u, 80 * u, 15 * u, 2, -1);      // invisible line
  FCanvas.Elipse(0, 20 * u, 40 * u, 40 * u, 0.8, 0, -1);       // ring: its centre stays white
  EXPECT_EQ(Nivel(15, 5), 0);
  EXPECT_EQ(Nivel(35, 5), 128);
  EXPECT_EQ(Nivel(55, 5), 255);
  EXPECT_EQ(Nivel(75, 15), 255);
  EXPECT_EQ(Nivel(20, 40), 255);
  EXPECT_LT(Nivel(20, 21), 128);  // top of the ring
  EXPECT_LT(Nivel(1, 40), 128);   // its left side
}

TEST_F(Raster, LinhaDeZeroPontosTemUmaUnidade) {
  const double u = CUnidadeMm;
  FCanvas.Linha(10 * u, 20 * u, 100 * u, 20 * u, 0, 0);
  int tinta = 0;  // in pixels' worth of black across the line
  for (int y = 10; y < 30; ++y) tinta += 255 - Nivel(50, y);
  EXPECT_NEAR(tinta, 255, 3);
  EXPECT_EQ(Nivel(50, 18), 255);
  EXPECT_EQ(Nivel(50, 21), 255);
}

TEST_F(Raster, TracejadoDesdeOPrimeiroPontoELinhaSeguinteContinua) {
  // Dashes of 10 units every 20 along lines 100 units long, a pen of 4 units
  // whose round caps reach 2 units into each gap; the solid line comes last.
  const double u = CUnidadeMm;
  const TTracejado padrao{.TracoMm = 10 * u, .IntervaloMm = 10 * u};
  struct {
    int De, Ate, Y;
    TTracejado Tracejado;
  } linhas[] = {{10, 110, 20, padrao}, {110, 10, 50, padrao}, {10, 110, 80, {}}};
  for (const auto& l : linhas) FCanvas.Linha(l.De * u, l.Y * u, l.Ate * u, l.Y * u, 1, 0, l.Tracejado);
  for (const auto& l : linhas) {
    const int sentido = l.Ate > l.De ? 1 : -1;
    for (int k = 0; k < 5; ++k) {
      // The middles of the k-th dash and of the gap after it, from the first point.
      const int traco = l.De + sentido * (20 * k + 5);
      const int intervalo = l.De + sentido * (20 * k + 15);
      EXPECT_EQ(Nivel(traco, l.Y), 0) << l.Y << " traco " << k;
      EXPECT_EQ(Nivel(intervalo, l.Y), l.Tracejado.Continuo() ? 0 : 255) << l.Y << " intervalo " << k;
    }
  }
}

TEST_F(Raster, TextoAncoradoNoTopoDaCelulaComALinhaDeBaseIgualNosDoisPesos) {
  // "H" stands on the baseline, 52 units (usWinAscent at a 50-unit em) below
  // the top of the line, whatever the weight.
  FCanvas.Texto(5 * CUnidadeMm, 10 * CUnidadeMm, "H", 12, false, 0, alEsquerda);
  FCanvas.Texto(60 * CUnidadeMm, 10 * CUnidadeMm, "H", 12, true, 0, alEsquerda);
  EXPECT_EQ(UltimaLinhaEscura(0, 55), 10 + 52 - 1);
  EXPECT_EQ(UltimaLinhaEscura(55, CLado), 10 + 52 - 1);
}

// Turned a quarter turn clockwise about its anchor, a line prints the pixels
// of the same line drawn level, transposed: the level pixel (dx, dy) from its
// anchor is the turned pixel (-dy - 1, dx) from its own, but for the
// antialiasing's rounding of a level.
TEST_F(Raster, TextoRodadoEhOTextoDeitadoRodadoSobreAAncora) {
  const int ax = 5, ay = 5, bx = 115, by = 55;
  for (const TAlinhamento alinhamento : {alEsquerda, alCentro, alDireita}) {
    cairo_set_source_rgb(FCr.get(), 1, 1, 1);
    cairo_paint(FCr.get());
    // Centred and right-aligned lines start before their anchors: they are
    // drawn further along so that both lie whole on the image.
    const int recuo = alinhamento == alEsquerda ? 0 : alinhamento == alCentro ? 20 : 40;
    FCanvas.Texto((ax + recuo) * CUnidadeMm, ay * CUnidadeMm, "Fj", 12, true, 0, alinhamento);
    FCanvas.TextoRodado(bx * CUnidadeMm, (by + recuo) * CUnidadeMm, "Fj", 12, true, 0, alinhamento);
    int tinta = 0;
    for (int dy = 0; dy < 60; ++dy)
      for (int dx = 0; dx < 50; ++dx) {
        const int deitado = Nivel(ax + dx, ay + dy);
        tinta += deitado < 128;
        ASSERT_NEAR(Nivel(bx - dy - 1, by + dx), deitado, 3) << int{alinhamento} << " dx " << dx << " dy " << dy;
      }
    EXPECT_GT(tinta, 200) << int{alinhamento};
    // Nothing right of the anchor's column nor above its row.
    for (int i = 0; i < CLado; ++i) {
      EXPECT_EQ(Nivel(bx + 1, i), 255) << i;
      EXPECT_EQ(Nivel(bx - 70 + i / 2, by - 1), 255) << i;
    }
  }
}

TEST_F(Raster, AlturaDaLinhaEhACelulaWindowsDaFace) {
  // (usWinAscent + usWinDescent) / unitsPerEm of the em: 66 units at 12 pt.
  EXPECT_DOUBLE_EQ(FCanvas.AlturaTexto(12), 66 * CUnidadeMm);
  EXPECT_DOUBLE_EQ(FCanvas.AlturaTexto(24), 132 * CUnidadeMm);
  EXPECT_DOUBLE_EQ(FCanvas.AlturaTexto(36), 198 * CUnidadeMm);
}

TEST_F(Raster, LarguraQuantizadaEmUnidades) {
  for (const char* texto : {"Soluções", "5 × 5", "«Números a colocar»", "i"})
    for (double tamanho : {7.5, 12.0, 36.0}) {
      const double regular = FCanvas.LarguraTexto(texto, tamanho, false);
      const double negrito = FCanvas.LarguraTexto(texto, tamanho, true);
      for (double largura : {regular, negrito}) {
        const double unidades = largura / CUnidadeMm;
        EXPECT_NEAR(unidades, std::nearbyint(unidades), 1e-9) << texto << ' ' << tamanho;
        EXPECT_GT(unidades, 0.1 * tamanho) << texto << ' ' << tamanho;
      }
      EXPECT_GE(negrito, regular) << texto;
    }
  EXPECT_EQ(FCanvas.LarguraTexto("", 12, false), 0);
  EXPECT_GT(FCanvas.LarguraTexto("Soluções", 24, false), 1.9 * FCanvas.LarguraTexto("Soluções", 12, false));
}

// A missing resource is the program's own fault: ECadrel, which every caller
// reports, with the exact message.
TEST(Imagem, RecursoInexistenteEhErroDoSistema) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10);
  TContextoCairo cr(cairo_create(s));
  cairo_surface_destroy(s);
  TCanvasCairo canvas(cr.get(), 300);
  EXPECT_EQ(Mensagem([&] { canvas.Imagem(0, 0, 10, 10, "SELO_CC_BY"); }),
            "Imagem: o recurso SELO_CC_BY nao existe no executavel");
}

TEST(Imagem, SeloEhPngDe1280Por450EPngTruncadoFalha) {
  const auto selo = Recurso("SELO_CC_BY_NC_ND");
  ASSERT_TRUE(selo);
  const TSuperficieCairo imagem = DecodificarPng(*selo);
  EXPECT_EQ(cairo_image_surface_get_width(imagem.get()), 1280);
  EXPECT_EQ(cairo_image_surface_get_height(imagem.get()), 450);
  EXPECT_EQ(cairo_image_surface_get_format(imagem.get()), CAIRO_FORMAT_ARGB32);
  EXPECT_EQ(Mensagem([&] { DecodificarPng(selo->first(selo->size() / 2)); }),
            std::string("DecodificarPng: imagem invalida (") + cairo_status_to_string(CAIRO_STATUS_READ_ERROR) + ")");
}

TEST(Imagem, TransparenciaMisturadaSobreBranco) {
  TSuperficieCairo transparente(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1));
  TContextoCairo cr(cairo_create(transparente.get()));
  cairo_rectangle(cr.get(), 1, 0, 1, 1);
  cairo_set_source_rgba(cr.get(), 0, 0, 0, 0.5);
  cairo_fill(cr.get());
  cr.reset();
  const TSuperficieCairo branca = SobreBranco(transparente.get());
  EXPECT_EQ(cairo_image_surface_get_format(branca.get()), CAIRO_FORMAT_RGB24);
  const auto* px = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(branca.get()));
  EXPECT_EQ(px[0] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_NEAR(static_cast<int>((px[1] >> 8) & 0xFF), 128, 1);
}

TEST(Fontes, CaracteresDosTextosImpressos) {
  for (const char* texto : {"Soluções", "5 × 5", "«»", "©", "·", "–", "Número único"})
    EXPECT_EQ(CaracterSemGlifo(texto), std::nullopt) << texto;
  EXPECT_EQ(CaracterSemGlifo("\u4E00"), U'\u4E00');  // a CJK ideograph
  for (const char* partido : {"ok\xC3", "\xFF"})  // cut in the middle of a character; no UTF-8 at all
    EXPECT_EQ(Mensagem([&] { CaracterSemGlifo(partido); }), "CaracterSemGlifo: o texto nao e UTF-8 valido");
  // The first character that cannot print is named, to be refused in a title.
  EXPECT_EQ(CaracterSemGlifo("Férias de Verão"), std::nullopt);
  EXPECT_EQ(CaracterSemGlifo("Sudoku \u6570\u72EC \U0001F600"), U'\u6570');
  EXPECT_EQ(CaracterSemGlifo("ok \U0001F600"), U'\U0001F600');
}

}  // namespace
}  // namespace cadrel
