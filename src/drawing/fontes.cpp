#include "drawing/fontes.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <array>
#include <mutex>
#include <optional>

#include <utf8.h>

#include "core/tipos.hpp"
#include "drawing/recursos.hpp"

namespace cadrel {
namespace {

// The regular and bold faces, opened in a FreeType library of their own.
struct TFacesFt {
  FT_Library Biblioteca = nullptr;
  std::array<FT_Face, 2> Ft{};

  TFacesFt() {
    if (FT_Init_FreeType(&Biblioteca) != 0) throw ECadrel("FaceRoboto: FreeType nao inicia");
    const char* nomes[] = {"ROBOTO_REGULAR", "ROBOTO_NEGRITO"};
    for (int i = 0; i < 2; ++i) {
      const auto dados = Recurso(nomes[i]);
      if (!dados || FT_New_Memory_Face(Biblioteca, dados->data(), static_cast<FT_Long>(dados->size()), 0, &Ft[i]) != 0)
        throw ECadrel(std::string("FaceRoboto: a face ") + nomes[i] + " nao abre");
    }
  }
};

// Built on first use and never torn down: cairo may still hold the faces in
// its caches at exit, and FreeType must outlive them.
struct TFaces : TFacesFt {
  std::array<cairo_font_face_t*, 2> Cairo{};
  TMetricasFace Metricas;
  cairo_font_options_t* Opcoes = nullptr;

  TFaces() {
    for (int i = 0; i < 2; ++i) Cairo[i] = cairo_ft_font_face_create_for_ft_face(Ft[i], FT_LOAD_NO_HINTING);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(Ft[0], FT_SFNT_OS2));
    if (os2 == nullptr) throw ECadrel("FaceRoboto: a face regular nao tem tabela OS/2");
    Metricas = {Ft[0]->units_per_EM, os2->usWinAscent, os2->usWinDescent};
    Opcoes = cairo_font_options_create();
    cairo_font_options_set_hint_style(Opcoes, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(Opcoes, CAIRO_HINT_METRICS_OFF);
  }
};

const TFaces& Faces() {
  static const TFaces faces;
  return faces;
}

// A title is checked on the window's thread while a book may be drawn on
// another, and FreeType forbids one face on two threads: the check has faces
// of its own, used by one caller at a time.
struct TFacesConsulta : TFacesFt {
  std::mutex Trinco;
};

TFacesConsulta& FacesConsulta() {
  static TFacesConsulta faces;
  return faces;
}

}  // namespace

cairo_font_face_t* FaceRoboto(bool ANegrito) { return Faces().Cairo[ANegrito ? 1 : 0]; }

const TMetricasFace& MetricasRoboto() { return Faces().Metricas; }

const cairo_font_options_t* OpcoesFonte() { return Faces().Opcoes; }

std::optional<char32_t> CaracterSemGlifo(const std::string& AUtf8) {
  if (!utf8::is_valid(AUtf8)) throw ECadrel("CaracterSemGlifo: o texto nao e UTF-8 valido");
  TFacesConsulta& faces = FacesConsulta();
  const std::scoped_lock trinco(faces.Trinco);
  for (const char32_t codigo : utf8::utf8to32(AUtf8))
    for (FT_Face face : faces.Ft)
      if (FT_Get_Char_Index(face, codigo) == 0) return codigo;
  return std::nullopt;
}

}  // namespace cadrel
