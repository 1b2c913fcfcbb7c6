#include <algorithm>
#include <string>

#include "book/editorial.hpp"
#include "core/texto.hpp"
#include "cover/paineis.hpp"

namespace cadrel {

namespace {

constexpr double CMaxTamanhoTitulo = 14;
constexpr double CMaxTamanhoCodigo = 9;
constexpr double CEspacoCodigo = 6;  // between the title's span and the code

// The largest size up to AMaximo at which the turned line is no thicker than
// ALargura and no longer than AComprimento: a rule of three for each, then
// down a little while the canvas's rounding still lets it out.
double TamanhoNaLombada(ICadrelCanvas& C, const std::string& ATexto, bool ANegrito, double AMaximo, double ALargura,
                        double AComprimento) {
  double t = std::min({AMaximo, AMaximo * ALargura / C.AlturaTexto(AMaximo),
                       AMaximo * AComprimento / C.LarguraTexto(ATexto, AMaximo, ANegrito)});
  while (C.AlturaTexto(t) > ALargura || C.LarguraTexto(ATexto, t, ANegrito) > AComprimento) t *= 0.97;
  return t;
}

}  // namespace

// The title, or the collection's name, across the middle of the spine and the
// book's code at its foot, both reading from top to bottom.
void DesenharLombada(ICadrelCanvas& C, const TGeometriaCapa& AG, const TLivro& ALivro) {
  if (!AG.LombadaComTexto()) return;
  const TRectanguloMm A = AG.TextoLombada();
  const double centro = A.X + A.Largura / 2;
  const std::string_view aparado = Aparar(ALivro.Config.Titulo);
  const std::string titulo = aparado.empty() ? std::string(CProduto) : std::string(aparado);

  const double tc = TamanhoNaLombada(C, ALivro.Codigo, false, CMaxTamanhoCodigo, A.Largura, A.Altura / 4);
  const double codigo = C.LarguraTexto(ALivro.Codigo, tc, false);
  // Centred on the spine, the title keeps as clear of the code above as below.
  const double tt =
      TamanhoNaLombada(C, titulo, true, CMaxTamanhoTitulo, A.Largura, A.Altura - 2 * (codigo + CEspacoCodigo));
  C.TextoRodado(centro + C.AlturaTexto(tt) / 2, A.Y + A.Altura / 2, titulo, tt, true, CCinzaTextoCapa, alCentro);
  C.TextoRodado(centro + C.AlturaTexto(tc) / 2, A.Y + A.Altura, ALivro.Codigo, tc, false, CCinzaTextoCapa,
                alDireita);
}

}  // namespace cadrel
