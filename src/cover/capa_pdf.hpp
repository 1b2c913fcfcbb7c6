#pragma once

#include <string>

#include "book/paginas.hpp"
#include "cover/geometria_capa.hpp"
#include "generation/livro.hpp"

namespace cadrel {

// The cover of ALivro's print edition at AFormato, on APapel: its spine is as
// thick as that edition's page count, blank pages included, says.
TGeometriaCapa GeometriaCapaDoLivro(const TLivro& ALivro, const TInfoLivro& AInfo, TFormato AFormato, TPapel APapel);

// Writes the cover of ALivro laid out as ACapa at ACaminho, a PDF of one page
// of its size: the file appears only once it is whole; any failure leaves the
// disk as it was and raises.
void GravarCapaPdf(const std::string& ACaminho, const TGeometriaCapa& ACapa, const TLivro& ALivro);
// The same for the cover GeometriaCapaDoLivro lays out, which it returns.
TGeometriaCapa GravarCapaPdf(const std::string& ACaminho, const TLivro& ALivro, const TInfoLivro& AInfo,
                             TFormato AFormato, TPapel APapel);

}  // namespace cadrel
