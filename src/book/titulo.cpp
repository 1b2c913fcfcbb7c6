#include "book/titulo.hpp"

#include <algorithm>

#include <utf8.h>

#include "book/paginas.hpp"

namespace cadrel {

namespace {

// The title's lines when even the smallest size leaves it wider than the
// page: broken at blanks, and a word too wide on its own between characters.
std::vector<std::string> LinhasDoTitulo(ICadrelCanvas& C, const std::string& ATitulo, double ALargura,
                                        double ATamanho) {
  std::vector<std::string> linhas;
  for (const std::string& linha : QuebrarLinhas(C, ATitulo, ALargura, ATamanho, true)) {
    if (C.LarguraTexto(linha, ATamanho, true) <= ALargura) {
      linhas.push_back(linha);
      continue;
    }
    std::string parte;
    for (auto it = linha.begin(); it != linha.end();) {
      const auto inicio = it;
      utf8::next(it, linha.end());
      const std::string caracter(inicio, it);
      if (!parte.empty() && C.LarguraTexto(parte + caracter, ATamanho, true) > ALargura) {
        linhas.push_back(std::move(parte));
        parte.clear();
      }
      parte += caracter;
    }
    linhas.push_back(std::move(parte));
  }
  return linhas;
}

}  // namespace

double TamanhoQueCabe(ICadrelCanvas& C, const std::string& ATexto, double ALargura, double AMaximo, double APasso,
                      double AMinimo) {
  double tamanho = AMaximo;
  while (tamanho > AMinimo && C.LarguraTexto(ATexto, tamanho, true) > ALargura) tamanho -= APasso;
  return std::max(tamanho, AMinimo);
}

TTituloComposto ComporTitulo(ICadrelCanvas& C, const std::string& ATitulo, double ALargura, double AMaximo,
                             double APasso, double AMinimo) {
  const double tamanho = TamanhoQueCabe(C, ATitulo, ALargura, AMaximo, APasso, AMinimo);
  if (C.LarguraTexto(ATitulo, tamanho, true) <= ALargura) return {tamanho, {ATitulo}};
  return {tamanho, LinhasDoTitulo(C, ATitulo, ALargura, tamanho)};
}

}  // namespace cadrel
