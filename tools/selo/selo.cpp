// Draws the licence seal of the books, the CC BY-NC-ND 4.0 badge, as a
// 1280 x 450 PNG with transparent corners: the "cc" roundel on the left, the
// BY, NC and ND symbols on the right above a black band with their short
// names. Its output is kept in resources/, so only a change of the drawing
// needs this tool (target selo_png).
#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <numbers>

namespace {

constexpr double CLargura = 1280, CAltura = 450;
constexpr double CFaixaTopo = 300;      // top of the black band of names
constexpr double CInicioSimbolos = 440;  // left edge of the symbols' area
constexpr double CRaioSimbolo = 118;
constexpr double CCentroSimbolosY = 155;

void Cinzento(cairo_t* cr) { cairo_set_source_rgb(cr, 0xAB / 255.0, 0xB1 / 255.0, 0xAA / 255.0); }

void RectanguloRedondo(cairo_t* cr, double x, double y, double w, double h, double r) {
  const double pi = std::numbers::pi;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
  cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
  cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
  cairo_close_path(cr);
}

// A white disc with a black ring, the ground of every symbol.
void Disco(cairo_t* cr, double cx, double cy, double r, double anel) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, anel);
  cairo_stroke(cr);
}

// Writes a text with its ink centred on (cx, cy).
void TextoCentrado(cairo_t* cr, const char* texto, double tamanho, double cx, double cy) {
  cairo_set_font_size(cr, tamanho);
  cairo_text_extents_t e;
  cairo_text_extents(cr, texto, &e);
  cairo_move_to(cr, cx - e.x_bearing - e.width / 2, cy - e.y_bearing - e.height / 2);
  cairo_show_text(cr, texto);
  cairo_new_path(cr);
}

void Roundel(cairo_t* cr) {
  const double cx = 222, cy = 225;
  Disco(cr, cx, cy, 188, 36);
  // The two letters c as thick open arcs, their mouths to the right.
  const double pi = std::numbers::pi;
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 30);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (double dx : {-62.0, 62.0}) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + dx, cy, 50, pi / 4, 7 * pi / 4);
    cairo_stroke(cr);
  }
}

void Pessoa(cairo_t* cr, double cx, double cy) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_arc(cr, cx, cy - 64, 21, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
  RectanguloRedondo(cr, cx - 40, cy - 34, 80, 72, 14);  // trunk and arms
  cairo_fill(cr);
  cairo_rectangle(cr, cx - 25, cy + 30, 22, 64);  // legs
  cairo_rectangle(cr, cx + 3, cy + 30, 22, 64);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);  // arms apart from the trunk
  cairo_set_line_width(cr, 5);
  for (double dx : {-24.0, 24.0}) {
    cairo_move_to(cr, cx + dx, cy - 6);
    cairo_line_to(cr, cx + dx, cy + 38);
  }
  cairo_stroke(cr);
}

void MoedaRiscada(cairo_t* cr, double cx, double cy) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  TextoCentrado(cr, "$", 170, cx, cy);
  // The stroke across, bordered in white so it reads over the sign.
  const double d = CRaioSimbolo * std::numbers::sqrt2 / 2 - 4;
  cairo_move_to(cr, cx - d, cy - d);
  cairo_line_to(cr, cx + d, cy + d);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_line_width(cr, 30);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 16);
  cairo_stroke(cr);
}

void Igual(cairo_t* cr, double cx, double cy) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, cx - 60, cy - 44, 120, 30);
  cairo_rectangle(cr, cx - 60, cy + 14, 120, 30);
  cairo_fill(cr);
}

void Selo(cairo_t* cr) {
  // Ground and frame; outside the rounded frame stays transparent.
  RectanguloRedondo(cr, 6, 6, CLargura - 12, CAltura - 12, 26);
  Cinzento(cr);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, CInicioSimbolos, CFaixaTopo, CLargura - CInicioSimbolos, CAltura - CFaixaTopo);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 10);
  cairo_stroke(cr);

  Roundel(cr);

  const double passo = (CLargura - 6 - CInicioSimbolos) / 3;
  const char* nomes[] = {"BY", "NC", "ND"};
  void (*simbolos[])(cairo_t*, double, double) = {Pessoa, MoedaRiscada, Igual};
  for (int i = 0; i < 3; ++i) {
    const double cx = CInicioSimbolos + passo * (i + 0.5);
    Disco(cr, cx, CCentroSimbolosY, CRaioSimbolo, 14);
    simbolos[i](cr, cx, CCentroSimbolosY);
    cairo_set_source_rgb(cr, 1, 1, 1);
    TextoCentrado(cr, nomes[i], 96, cx, (CFaixaTopo + CAltura - 6) / 2);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: selo SAIDA.png\n");
    return 2;
  }
  FT_Library ft;
  FT_Face face;
  if (FT_Init_FreeType(&ft) != 0 || FT_New_Face(ft, QUORVEL_ROBOTO_NEGRITO, 0, &face) != 0) {
    std::fprintf(stderr, "selo: nao abre %s\n", QUORVEL_ROBOTO_NEGRITO);
    return 1;
  }
  cairo_font_face_t* fonte = cairo_ft_font_face_create_for_ft_face(face, 0);
  cairo_surface_t* imagem = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, CLargura, CAltura);
  cairo_t* cr = cairo_create(imagem);
  cairo_set_font_face(cr, fonte);
  Selo(cr);
  cairo_destroy(cr);
  const cairo_status_t estado = cairo_surface_write_to_png(imagem, argv[1]);
  cairo_surface_destroy(imagem);
  cairo_font_face_destroy(fonte);
  cairo_debug_reset_static_data();
  FT_Done_Face(face);
  FT_Done_FreeType(ft);
  if (estado != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "selo: %s: %s\n", argv[1], cairo_status_to_string(estado));
    return 1;
  }
  return 0;
}
