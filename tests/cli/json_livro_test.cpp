#include "cli/json_livro.hpp"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>
#include <vector>

#include "solving/solver.hpp"

namespace cadrel {
namespace {

using TJson = nlohmann::ordered_json;

bool Hex16(const std::string& t) {
  return t.size() == 16 && std::all_of(t.begin(), t.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
         });
}

std::vector<std::string> Chaves(const TJson& j) {
  std::vector<std::string> chaves;
  for (const auto& item : j.items()) chaves.push_back(item.key());
  return chaves;
}

// A progressive 4x4 book goes through every level, so its steps use every
// technique of the small grids.
TLivro Livro(std::uint32_t ASemente, TIdioma AIdioma = idPt) {
  TConfigLivro config;
  config.NumPuzzles = 5;
  config.N = 4;
  config.Nivel = 0;
  config.Leis = TConjuntoLeis::DeCodigo(31);
  config.Titulo = "Férias";
  config.Caminho = true;
  config.Semente = ASemente;
  config.Idioma = AIdioma;
  return TGeradorLivro().Gerar(config);
}

void ExpectReal(const TJson& j, double AEsperado, const char* ACampo) {
  EXPECT_TRUE(j.is_number_float()) << ACampo;
  EXPECT_EQ(j.get<double>(), AEsperado) << ACampo;  // exactly: the text reads back to the same double
}

TEST(JsonLivro, FormaECamposDeUmLivroReal) {
  const TLivro livro = Livro(0x2A);
  ASSERT_EQ(livro.Puzzles.size(), 5u);
  const TJson j = TJson::parse(LivroParaJson(livro));

  EXPECT_EQ(Chaves(j), (std::vector<std::string>{"codigo", "config", "formato", "idioma", "plano", "cancelado", "tentativas",
                                                 "rejeicoes_a6", "rejeicoes", "puzzles"}));
  EXPECT_EQ(j["codigo"], "0000002A");
  EXPECT_EQ(j["formato"], "A4");
  EXPECT_EQ(TJson::parse(LivroParaJson(livro, fm6x9))["formato"], "6x9");
  EXPECT_EQ(j["config"].dump(),
            R"({"num_puzzles":5,"n":4,"nivel":0,"leis":31,"titulo":"Férias","caminho":true,"semente":42})");
  ASSERT_EQ(j["plano"].size(), livro.Plano.size());
  for (std::size_t i = 0; i < livro.Plano.size(); ++i) {
    EXPECT_EQ(j["plano"][i]["nivel"], livro.Plano[i].Nivel);
    EXPECT_EQ(j["plano"][i]["receita"], CodigoReceita(livro.Plano[i].Receita));
  }
  EXPECT_EQ(j["cancelado"], false);
  EXPECT_EQ(j["tentativas"], livro.Tentativas);
  EXPECT_EQ(j["rejeicoes_a6"], livro.RejeicoesA6);
  EXPECT_EQ(Chaves(j["rejeicoes"]),
            (std::vector<std::string>{"A1", "A2", "A3", "A4", "A5", "A7", "A8", "Nos"}));
  EXPECT_EQ(j["rejeicoes"]["A2"], livro.Rejeicoes[critA2]);
  EXPECT_EQ(j["rejeicoes"]["Nos"], livro.Rejeicoes[critNos]);

  ASSERT_EQ(j["puzzles"].size(), livro.Puzzles.size());
  for (std::size_t i = 0; i < livro.Puzzles.size(); ++i) {
    const TPuzzleDoLivro& pl = livro.Puzzles[i];
    const TPuzzle& p = pl.Puzzle;
    const TJson& jp = j["puzzles"][i];
    EXPECT_EQ(Chaves(jp), (std::vector<std::string>{"posicao", "tentativa", "sub_semente", "chave_canonica",
                                                    "chave_conjunto", "n", "nivel", "receita", "solucao",
                                                    "dados", "conjunto", "num_dados", "num_dados_minimo", "s",
                                                    "k", "resultado", "dicas"}));
    EXPECT_EQ(jp["posicao"], pl.Posicao);
    EXPECT_EQ(jp["tentativa"], pl.Tentativa);
    EXPECT_EQ(jp["sub_semente"], pl.SubSemente);
    EXPECT_TRUE(Hex16(jp["chave_canonica"].get<std::string>())) << jp["chave_canonica"];
    EXPECT_TRUE(Hex16(jp["chave_conjunto"].get<std::string>())) << jp["chave_conjunto"];
    EXPECT_EQ(std::stoull(jp["chave_canonica"].get<std::string>(), nullptr, 16), pl.ChaveCanonica);
    EXPECT_EQ(std::stoull(jp["chave_conjunto"].get<std::string>(), nullptr, 16), pl.ChaveConjunto);
    EXPECT_EQ(jp["nivel"], p.Nivel);
    EXPECT_EQ(jp["receita"], CodigoReceita(p.Receita));
    EXPECT_EQ(jp["solucao"].get<std::vector<std::int32_t>>(), p.Solucao);
    EXPECT_EQ(jp["dados"].get<std::vector<std::int32_t>>(), p.Dados);
    EXPECT_EQ(jp["conjunto"].get<std::vector<std::int32_t>>(), p.Conjunto);
    EXPECT_EQ(jp["num_dados"], p.NumDados);
    EXPECT_EQ(jp["s"], p.S);
    EXPECT_EQ(jp["k"], p.K);

    const TJson& r = jp["resultado"];
    EXPECT_EQ(r["resolvido"], true);
    EXPECT_EQ(r["tecnica_max"], static_cast<int>(p.Resultado.TecnicaMax));
    ExpectReal(r["pontuacao"], p.Resultado.Pontuacao, "pontuacao");
    ExpectReal(r["pontuacao_normalizada"], p.Resultado.PontuacaoNormalizada, "pontuacao_normalizada");
    ExpectReal(r["pontuacao_por_celula"], p.Resultado.PontuacaoPorCelula, "pontuacao_por_celula");
    const auto& passos = p.Resultado.Passos;
    ASSERT_EQ(r["passos"].size(), passos.size());
    for (std::size_t k = 0; k < passos.size(); ++k) {
      EXPECT_EQ(r["passos"][k]["tecnica"], static_cast<int>(passos[k].Tecnica));
      EXPECT_EQ(r["passos"][k]["texto"], passos[k].Texto);
      EXPECT_EQ(r["passos"][k]["origens"].get<std::vector<std::int32_t>>(), passos[k].Origens);
    }

    // Each hint index points at the step that places the hint's number.
    const std::vector<TPassoDeducao> dicas = SelecionarDicas(p.Resultado, 6);
    ASSERT_EQ(jp["dicas"].size(), dicas.size());
    EXPECT_FALSE(dicas.empty());
    for (std::size_t k = 0; k < dicas.size(); ++k) {
      const auto d = jp["dicas"][k].get<std::size_t>();
      ASSERT_LT(d, passos.size());
      EXPECT_EQ(passos[d].Celula, dicas[k].Celula);
      EXPECT_EQ(passos[d].Texto, dicas[k].Texto);
    }
  }
}

// The language changes texts only: the same code gives the same puzzles, the
// same solutions, the same hints chosen and the same scores, and every step
// reads in the book's language.
TEST(JsonLivro, IdiomaMudaSoOsTextos) {
  TJson pt = TJson::parse(LivroParaJson(Livro(0x2A)));
  TJson en = TJson::parse(LivroParaJson(Livro(0x2A, idEn)));
  EXPECT_EQ(pt["idioma"], "pt");
  EXPECT_EQ(en["idioma"], "en");
  std::size_t passos = 0, diferentes = 0;
  for (std::size_t i = 0; i < pt["puzzles"].size(); ++i) {
    TJson& a = pt["puzzles"][i]["resultado"]["passos"];
    TJson& b = en["puzzles"][i]["resultado"]["passos"];
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
      const std::string textoEn = b[k]["texto"];
      EXPECT_EQ(textoEn.find_first_of("ãçõáéêóú"), std::string::npos) << textoEn;
      diferentes += a[k]["texto"] != b[k]["texto"];
      a[k].erase("texto");
      b[k].erase("texto");
      ++passos;
    }
  }
  EXPECT_GT(diferentes, passos / 2);
  pt.erase("idioma");
  en.erase("idioma");
  EXPECT_EQ(pt, en);
}

TEST(JsonLivro, MesmoLivroMesmosBytesOutraSementeOutroLivro) {
  const std::string a = LivroParaJson(Livro(0x2A));
  EXPECT_EQ(a, LivroParaJson(Livro(0x2A)));
  const std::string b = LivroParaJson(Livro(0x2B));
  EXPECT_NE(TJson::parse(a)["puzzles"][0]["solucao"], TJson::parse(b)["puzzles"][0]["solucao"]);
}

TEST(JsonLivro, PontuacoesCom17AlgarismosSignificativos) {
  TLivro livro;
  livro.Codigo = "00000001";
  TPuzzleDoLivro p;
  p.Puzzle.N = 4;
  p.Puzzle.Resultado.Pontuacao = 31.0;
  p.Puzzle.Resultado.PontuacaoNormalizada = 0.1;
  p.Puzzle.Resultado.PontuacaoPorCelula = 1.0 / 3.0;
  livro.Puzzles.push_back(p);
  const std::string texto = LivroParaJson(livro);
  EXPECT_NE(texto.find("\"pontuacao\": 31.0,"), std::string::npos);
  EXPECT_NE(texto.find("\"pontuacao_normalizada\": 0.10000000000000001,"), std::string::npos);
  EXPECT_NE(texto.find("\"pontuacao_por_celula\": 0.33333333333333331,"), std::string::npos);
}

}  // namespace
}  // namespace cadrel
