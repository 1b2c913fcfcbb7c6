#pragma once

// Kept to C++17 and the standard library: its one source is compiled as C++17,
// see src/CMakeLists.txt.
#include <cstdint>
#include <string>
#include <vector>

namespace cadrel {

// A bookmark to a whole page (0-based), its children closed.
struct TMarcadorPdf {
  std::string Titulo;  // UTF-8
  std::int32_t Pagina = 0;
  std::vector<TMarcadorPdf> Filhos{};
};

// A borderless link from a box of a page to another whole page; the box in
// points of PDF user space, from the bottom-left corner.
struct TLigacaoPdf {
  std::int32_t Pagina = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  std::int32_t Destino = 0;
};

// The PDF file APdf rewritten by qpdf with the outline and the links added,
// opening with the outline shown. Page objects and content streams go through
// untouched, and the same input gives the same bytes. ADescricao names the
// file in qpdf's messages; any failure raises a std::exception (qpdf's own,
// or std::out_of_range for a page the file lacks).
std::string AcrescentarNavegacaoQpdf(const std::string& APdf, const std::vector<TMarcadorPdf>& AMarcadores,
                                     const std::vector<TLigacaoPdf>& ALigacoes, const std::string& ADescricao);

}  // namespace cadrel
