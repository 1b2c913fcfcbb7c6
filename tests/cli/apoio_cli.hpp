#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace cadrel {

// A fresh folder per test, removed with everything in it.
class TPastaTemporaria {
public:
  explicit TPastaTemporaria(const std::string& ASufixo = "") {
    const auto* teste = testing::UnitTest::GetInstance()->current_test_info();
    FCaminho = std::filesystem::temp_directory_path() /
               ("quorvel_cli_" + std::string(teste->name()) + "_" + std::to_string(::getpid()) + ASufixo);
    std::filesystem::remove_all(FCaminho);
    std::filesystem::create_directories(FCaminho);
  }
  ~TPastaTemporaria() {
    std::error_code erro;
    std::filesystem::remove_all(FCaminho, erro);
  }
  TPastaTemporaria(const TPastaTemporaria&) = delete;
  TPastaTemporaria& operator=(const TPastaTemporaria&) = delete;

  std::string operator/(const std::string& ANome) const { return (FCaminho / ANome).string(); }
  const std::filesystem::path& Caminho() const { return FCaminho; }
  std::size_t Entradas() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(FCaminho), {}));
  }

private:
  std::filesystem::path FCaminho;
};

inline std::string LerFicheiro(const std::string& ANome) {
  std::ifstream f(ANome, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

inline void EscreverFicheiro(const std::string& ANome, const std::string& AConteudo) {
  std::ofstream(ANome, std::ios::binary) << AConteudo;
}

}  // namespace cadrel
