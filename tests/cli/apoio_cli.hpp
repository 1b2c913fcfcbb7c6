#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ferramentas_pdf.hpp"

namespace cadrel {

// A temporary folder with the paths and counts the command's tests ask of it.
class TPastaCli : public TPastaTemporaria {
public:
  std::string operator/(const std::string& ANome) const { return (Caminho() / ANome).string(); }
  std::size_t Entradas() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(Caminho()), {}));
  }
};

inline std::string LerFicheiro(const std::string& ANome) {
  std::ifstream f(ANome, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

inline void EscreverFicheiro(const std::string& ANome, const std::string& AConteudo) {
  std::ofstream(ANome, std::ios::binary) << AConteudo;
}

}  // namespace cadrel
