#pragma once

#include <string>

#include "book/navegacao.hpp"
#include "drawing/pdf.hpp"

namespace cadrel {

// The book's file APdf, as cairo made it, with the bookmarks and the links of
// APlano added (see drawing/navegacao_qpdf.hpp): nothing printed changes.
// cairo 1.16 writes damaged files once its own tags are used, hence this step
// on the finished bytes. Failures raise ECadrel naming AFicheiro.
// AAlturaPt is the height of the pages, whose boxes the plan gives from the top.
std::string AcrescentarNavegacao(const std::string& APdf, const TPlanoNavegacao& APlano,
                                 const std::string& AFicheiro, double AAlturaPt = CAlturaA4Pt);

}  // namespace cadrel
