// The English edition of a book: the same puzzles as the Portuguese one, and
// nothing of Portuguese left in what it prints or in its bookmarks.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "apoio.hpp"
#include "ferramentas_pdf.hpp"
#include "generation/livro.hpp"
#include "output/livro_pdf.hpp"

namespace cadrel {
namespace {

struct TCasoIdioma {
  std::int32_t N;
  std::int32_t Nivel;  // 0: progressive, every level of the size
  bool Dicas;
  TFormato Formato;
};

// Words the Portuguese book prints that no English sentence of it uses.
const std::set<std::string> CPalavrasPortuguesas{
    "Soluções", "Solução", "Regras", "Nível", "linha",     "coluna",   "números",   "número",   "grelha",
    "caixa",    "leis",    "lei",   "Simetria", "Tabela", "Ordem",     "Somas",     "Ficha",    "técnica",
    "quebrada", "oposta",  "único", "cabe",     "faltam", "restantes", "eliminação", "Capa",    "Código",
    "Passo",    "colocar", "Três",  "conselhos", "exemplo", "Círculos", "diagramas", "dados",   "com",
    "não",      "são",     "dos",   "das",      "uma",    "para",      "que",        "Formato", "Tamanho"};

std::vector<std::string> Palavras(const std::string& ATexto) {
  std::vector<std::string> palavras;
  std::string palavra;
  for (const char c : ATexto + " ") {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || std::isalnum(u)) {
      palavra += c;
    } else if (!palavra.empty()) {
      palavras.push_back(palavra);
      palavra.clear();
    }
  }
  return palavras;
}

class IdiomaPdf : public testing::TestWithParam<TCasoIdioma> {};

TEST_P(IdiomaPdf, LivroInglesSemPortugues) {
  const TCasoIdioma& c = GetParam();
  TConfigLivro config = ConfigLivro(c.Nivel == 0 ? 5 : 2, c.N, c.Nivel, 0x1D10);
  config.Caminho = c.Dicas;
  config.Idioma = idEn;
  const TLivro livro = TGeradorLivro().Gerar(config);
  const TPastaTemporaria pasta;
  const std::string alvo = (pasta.Caminho() / "book.pdf").string();
  GravarLivroPdf(alvo, livro, InfoPadrao(idEn), TEdicao{c.Formato, false});

  const std::string texto = Executar(fmt::format("pdftotext -enc UTF-8 '{}' -", alvo));
  std::string marcadores;
  const auto juntar = [&marcadores](const auto& AJuntar, const nlohmann::json& AItens) -> void {
    for (const nlohmann::json& m : AItens) {
      marcadores += m["title"].get<std::string>() + "\n";
      AJuntar(AJuntar, m["kids"]);
    }
  };
  const nlohmann::json pdf = nlohmann::json::parse(Executar(fmt::format("qpdf --json=2 '{}'", alvo)));
  juntar(juntar, pdf["outlines"]);
  for (const std::string& fonte : {texto, marcadores}) {
    for (const char* letra : {"ã", "ç", "õ", "á", "é", "ê", "ó", "í", "ú", "à", "â"})
      EXPECT_EQ(fonte.find(letra), std::string::npos) << letra;
    for (const std::string& palavra : Palavras(fonte)) EXPECT_EQ(CPalavrasPortuguesas.count(palavra), 0u) << palavra;
  }
  EXPECT_NE(marcadores.find("Solutions\nSolution 001\n"), std::string::npos) << marcadores;
  EXPECT_NE(texto.find("Book details"), std::string::npos);
  // Cells are named as English names them, in the worked example and in the hints.
  EXPECT_NE(texto.find("R3C1"), std::string::npos);
  EXPECT_EQ(texto.find("L3C1"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Idiomas, IdiomaPdf,
                         testing::Values(TCasoIdioma{4, 0, true, fmA4}, TCasoIdioma{5, 0, false, fmA5},
                                         TCasoIdioma{6, 0, true, fm6x9}, TCasoIdioma{7, 0, true, fmCarta},
                                         TCasoIdioma{7, 3, false, fmA4}),
                         [](const testing::TestParamInfo<TCasoIdioma>& i) {
                           return fmt::format("N{}_Nivel{}_{}", i.param.N, i.param.Nivel,
                                              i.param.Dicas ? "ComDicas" : "SemDicas");
                         });

}  // namespace
}  // namespace cadrel
