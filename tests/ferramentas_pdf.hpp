#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// Reading a written PDF back through the qpdf and poppler command-line tools.
namespace cadrel {

// Standard output and error of a shell command; the test fails when it does
// not exit with 0.
inline std::string Executar(const std::string& AComando) {
  FILE* tubo = popen((AComando + " 2>&1").c_str(), "r");
  std::string saida;
  std::array<char, 4096> bloco;
  for (std::size_t n; (n = std::fread(bloco.data(), 1, bloco.size(), tubo)) > 0;) saida.append(bloco.data(), n);
  EXPECT_EQ(pclose(tubo), 0) << AComando << '\n' << saida;
  return saida;
}

// The rows of a tool's table after its header, split at blanks.
inline std::vector<std::vector<std::string>> Tabela(const std::string& ASaida, int ACabecalho) {
  std::vector<std::vector<std::string>> linhas;
  std::istringstream entrada(ASaida);
  for (std::string linha; std::getline(entrada, linha);) {
    if (ACabecalho-- > 0) continue;
    std::istringstream campos(linha);
    linhas.emplace_back();
    for (std::string campo; campos >> campo;) linhas.back().push_back(campo);
  }
  return linhas;
}

// The faces of the file without their subset prefix, sorted; the test fails
// for one that is not an embedded TrueType face.
inline std::vector<std::string> FacesEmbutidas(const std::string& APdf) {
  std::vector<std::string> faces;
  // name, type, encoding, emb, ...
  for (const auto& f : Tabela(Executar("pdffonts '" + APdf + "'"), 2)) {
    if (f.size() < 4) {
      ADD_FAILURE() << "linha curta de pdffonts";
      continue;
    }
    EXPECT_EQ(f[1], "TrueType") << f[0];
    EXPECT_EQ(f[3], "yes") << f[0];
    faces.push_back(f[0].substr(f[0].find('+') + 1));
  }
  std::sort(faces.begin(), faces.end());
  return faces;
}

// A grey picture as pdftoppm -gray writes it: a binary PGM, one byte a pixel,
// row after row from the top; the test fails for a file that is not one whole.
struct TImagemCinza {
  int Largura = 0, Altura = 0;
  std::vector<unsigned char> Pixeis;
};

inline TImagemCinza LerPgm(const std::filesystem::path& AFicheiro) {
  std::ifstream f(AFicheiro, std::ios::binary);
  std::string magia;
  int maximo = 0;
  TImagemCinza imagem;
  f >> magia >> imagem.Largura >> imagem.Altura >> maximo;
  f.get();
  EXPECT_EQ(magia, "P5") << AFicheiro;
  imagem.Pixeis.assign(std::istreambuf_iterator<char>(f), {});
  EXPECT_EQ(imagem.Pixeis.size(), static_cast<std::size_t>(imagem.Largura) * imagem.Altura) << AFicheiro;
  return imagem;
}

// A fresh folder, removed with its content when it goes.
class TPastaTemporaria {
public:
  TPastaTemporaria() {
    std::string modelo = (std::filesystem::temp_directory_path() / "quorvel_pdf_XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    FPasta = modelo;
  }
  ~TPastaTemporaria() { std::filesystem::remove_all(FPasta); }
  TPastaTemporaria(const TPastaTemporaria&) = delete;
  TPastaTemporaria& operator=(const TPastaTemporaria&) = delete;

  const std::filesystem::path& Caminho() const { return FPasta; }

private:
  std::filesystem::path FPasta;
};

}  // namespace cadrel
