#include "cli/resolver.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "apoio_cli.hpp"

namespace cadrel {
namespace {

using TJson = nlohmann::json;

struct TResposta {
  int Codigo = -1;
  std::string Saida;
  std::string Erro;
};

std::string Conteudo(std::FILE* AFicheiro) {
  std::string texto;
  std::rewind(AFicheiro);
  for (int c; (c = std::fgetc(AFicheiro)) != EOF;) texto += static_cast<char>(c);
  std::fclose(AFicheiro);
  return texto;
}

TResposta Resolver(const TOpcoesResolver& AOpcoes) {
  std::FILE* saida = std::tmpfile();
  std::FILE* erro = std::tmpfile();
  const int codigo = ExecutarResolver(AOpcoes, saida, erro);
  return {codigo, Conteudo(saida), Conteudo(erro)};
}

TResposta ResolverTexto(const std::string& ATexto, bool AJson = false, std::int32_t AMaxNos = CNosResolverPadrao) {
  TPastaCli pasta;
  EscreverFicheiro(pasta / "puzzle.txt", ATexto);
  return Resolver({pasta / "puzzle.txt", std::nullopt, AJson, AMaxNos});
}

std::string Livro(const std::string& ANome) {
  return std::string(QUORVEL_LIVROS_DOURADOS) + "/" + ANome + ".json";
}

// The book's puzzle in the text format, its givens kept or all emptied.
std::string ComoTexto(const TJson& APuzzle, bool AVazio = false) {
  const std::pair<int, const char*> leis[] = {{4, "ORD"}, {2, "TAB"}, {1, "SIM"}, {8, "SOM-D"}, {16, "SOM-Q"}};
  std::string receita;
  for (const auto& [bit, nome] : leis)
    if ((APuzzle["receita"].get<int>() & bit) != 0) receita += (receita.empty() ? "" : "+") + std::string(nome);
  std::string texto = "# do livro\nleis " + receita + "\ncaixa";
  for (const TJson& v : APuzzle["conjunto"]) texto += " " + v.dump() + ",";
  const int n = APuzzle["n"].get<int>();
  for (int c = 0; c < n * n; ++c) {
    const int v = AVazio ? 0 : APuzzle["dados"][static_cast<std::size_t>(c)].get<int>();
    texto += (c % n == 0 ? "\n" : "  ") + (v == 0 ? std::string(".") : std::to_string(v));
  }
  return texto + "\n";
}

// Every puzzle of a real book of each size gives back, from the book and from
// the text format, exactly the book's result and solution, and its level is
// among those the puzzle fits.
TEST(Resolver, LivrosReaisDeCadaTamanho) {
  for (const char* nome : {"4x4_n5_somas", "5x5_progressiva_todas", "6x6_n3_tabela_simetria", "7x7_n5_todas"}) {
    const TJson livro = TJson::parse(LerFicheiro(Livro(nome)));
    const auto& puzzles = livro["puzzles"];
    for (std::size_t k = 0; k < puzzles.size(); ++k) {
      SCOPED_TRACE(std::string(nome) + " puzzle " + std::to_string(k + 1));
      const TResposta doLivro = Resolver({Livro(nome), static_cast<std::int32_t>(k + 1), true, CNosResolverPadrao});
      const TResposta doTexto = ResolverTexto(ComoTexto(puzzles[k]), true);
      ASSERT_EQ(doLivro.Codigo, 0) << doLivro.Erro;
      EXPECT_EQ(doTexto.Saida, doLivro.Saida);
      const TJson j = TJson::parse(doLivro.Saida);
      EXPECT_EQ(j["resultado"], puzzles[k]["resultado"]);
      EXPECT_EQ(j["solucao"], puzzles[k]["solucao"]);
      EXPECT_EQ(j["solucoes"], 1);
      const std::vector<int> niveis = j["niveis"];
      EXPECT_NE(std::find(niveis.begin(), niveis.end(), puzzles[k]["nivel"].get<int>()), niveis.end());
    }
  }
}

// For a person: the book's step texts numbered, the grid, the summary.
TEST(Resolver, TextoParaUmaPessoa) {
  const TJson livro = TJson::parse(LerFicheiro(Livro("6x6_n3_tabela_simetria")));
  const TResposta r = ResolverTexto(ComoTexto(livro["puzzles"][0]));
  ASSERT_EQ(r.Codigo, 0) << r.Erro;
  const TJson& passos = livro["puzzles"][0]["resultado"]["passos"];
  for (std::size_t i = 0; i < passos.size(); ++i)
    EXPECT_NE(r.Saida.find(std::to_string(i + 1) + ". " + passos[i]["texto"].get<std::string>() + "\n"),
              std::string::npos);
  for (const char* linha : {"Soluções: exatamente uma.\n", "Só por dedução: sim.\n",
                            "Técnicas: T1, T2 e T3; a mais alta, T3.\n", "Níveis em que cabe: 3.\n"})
    EXPECT_NE(r.Saida.find(linha), std::string::npos) << linha << "\n" << r.Saida;
}

// With --idioma en the steps are those an English book of the same puzzle
// prints.
TEST(Resolver, PassosNoIdiomaDoLivro) {
  const TJson livro = TJson::parse(LerFicheiro(Livro("6x6_n3_tabela_simetria")));
  TPastaCli pasta;
  EscreverFicheiro(pasta / "puzzle.txt", ComoTexto(livro["puzzles"][0]));
  TOpcoesResolver opcoes{pasta / "puzzle.txt", std::nullopt, true, CNosResolverPadrao};
  opcoes.Idioma = idEn;
  const TResposta r = Resolver(opcoes);
  ASSERT_EQ(r.Codigo, 0) << r.Erro;
  const TJson passos = TJson::parse(r.Saida)["resultado"]["passos"];
  const TJson& emPortugues = livro["puzzles"][0]["resultado"]["passos"];
  ASSERT_EQ(passos.size(), emPortugues.size());
  for (std::size_t i = 0; i < passos.size(); ++i) {
    const std::string texto = passos[i]["texto"];
    EXPECT_EQ(passos[i]["celula"], emPortugues[i]["celula"]);
    EXPECT_EQ(texto.find_first_of("ãçõáéêóú"), std::string::npos) << texto;
    if (passos[i]["celula"].get<int>() >= 0) {
      EXPECT_EQ(texto.rfind("R", 0), 0u) << texto;
    }
  }
}

// An emptied grid has more than one solution, and two different ones are
// shown; a budget too small leaves the count undecided; givens that agree
// pairwise can still admit no solution at all.
TEST(Resolver, VariasNenhumaOuPorDecidir) {
  for (const char* nome : {"4x4_n5_somas", "5x5_n4_sem_dicas", "6x6_n3_tabela_simetria", "7x7_n2_ordem_simetria"}) {
    SCOPED_TRACE(nome);
    const TJson livro = TJson::parse(LerFicheiro(Livro(nome)));
    const TResposta r = ResolverTexto(ComoTexto(livro["puzzles"][0], true));
    EXPECT_EQ(r.Codigo, 1) << r.Erro;
    EXPECT_NE(r.Saida.find("Soluções: mais de uma. Duas delas:\n"), std::string::npos) << r.Saida;
    const TJson j = TJson::parse(ResolverTexto(ComoTexto(livro["puzzles"][0], true), true).Saida);
    EXPECT_EQ(j["solucoes"], 2);
    EXPECT_FALSE(j.contains("solucao"));
  }

  const TJson livro = TJson::parse(LerFicheiro(Livro("7x7_n5_todas")));
  const TResposta porDecidir = ResolverTexto(ComoTexto(livro["puzzles"][0], true), false, 50);
  EXPECT_EQ(porDecidir.Codigo, 1);
  EXPECT_NE(porDecidir.Saida.find("Soluções: por decidir; o limite de 50 nós esgotou-se (--nos).\n"),
            std::string::npos);

  // 3 in L2C3 needs four smaller numbers above and to its left: only 1 is.
  const TResposta semSolucao = ResolverTexto(
      "leis ORD+SIM\ncaixa 1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 31\n1 . . .\n. . 3 .\n. . . .\n. . . 31\n");
  EXPECT_EQ(semSolucao.Codigo, 1) << semSolucao.Erro;
  EXPECT_NE(semSolucao.Saida.find("Soluções: nenhuma.\n"), std::string::npos) << semSolucao.Saida;
}

// The laws also by the names --leis takes, in any case and beside the codes,
// and "Somas" as the one sum law the size and the other laws leave: in a 4x4
// grid, only SOM-D goes with SIM. The size is known only after the leis line,
// which may come last.
TEST(Resolver, LeisPelosNomes) {
  const std::string puzzle4 =
      "caixa 1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 31\n. . . .\n. . . .\n. . . .\n. . . .\n";
  const struct {
    std::string leis;
    std::string receita;
  } casos[] = {
      {"Ordem+Simetria", "ORD+SIM"},
      {"tabela+SIM", "TAB+SIM"},
      {"sOMAS+Simetria", "SOM-D+SIM"},
      {"Somas+SOM-Q", "SOM-Q"},
  };
  for (const auto& c : casos) {
    const TResposta r = ResolverTexto(puzzle4 + "leis " + c.leis + "\n", false, 1);
    EXPECT_EQ(r.Erro, "") << c.leis;
    EXPECT_EQ(r.Saida.rfind("Puzzle 4x4, leis " + c.receita + ".\n", 0), 0u) << c.leis << "\n" << r.Saida;
  }
}

// Every malformed input exits 2 naming the line or field and what is wrong,
// and nothing is written to standard output.
TEST(Resolver, EntradasInvalidas) {
  const std::string caixa4 = "caixa 1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 31\n";
  const std::string grelha4 = ". . . .\n. . . .\n. . . .\n. . . .\n";
  const std::string caixa25 = "caixa 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25\n";
  const std::string grelha5 = ". . . . .\n. . . . .\n. . . . .\n. . . . .\n. . . . .\n";
  const struct {
    std::string texto;
    std::string erro;
  } casos[] = {
      {"leis ORD+XYZ\n" + caixa4 + grelha4,
       "linha 1: lei desconhecida \"XYZ\"; as leis são Ordem (ORD), Tabela (TAB), Simetria (SIM) e Somas (SOM-D "
       "ou SOM-Q).\n"},
      {"leis Somas\n" + caixa4 + grelha4,
       "linha 1: \"Somas\" tanto pode ser SOM-D como SOM-Q em grelhas 4x4; escreva SOM-D (com as diagonais "
       "principais) ou SOM-Q (com as diagonais quebradas).\n"},
      {caixa25 + grelha5 + "leis Simetria+Somas\n",
       "linha 7: \"Somas\" tanto pode ser SOM-D+SIM como SOM-Q+SIM em grelhas 5x5"},
      {"leis Ordem+Somas\n" + caixa4 + grelha4,
       "linha 1: com \"Somas\", nem a receita ORD+SOM-D nem a ORD+SOM-Q serve para grelhas 4x4.\n"},
      {"leis ORD+TAB\n" + caixa4 + grelha4, "linha 1: a receita ORD+TAB não serve para grelhas 4x4"},
      {"leis\n" + caixa4 + grelha4, "linha 1: indique as leis"},
      {caixa4 + grelha4, "puzzle: falta a linha das leis"},
      {"leis TAB\n" + grelha4, "puzzle: falta a linha da caixa"},
      {"leis TAB\n" + caixa4 + ". . .\n. . .\n. . .\n", "grelha: tem 3 linhas; uma grelha tem de 4 a 7"},
      {"leis TAB\n" + caixa4 + ". . . .\n. . .\n. . . .\n. . . .\n", "linha 4: a linha tem 3 células"},
      {"leis TAB\n" + caixa4 + ". x . .\n. . . .\n. . . .\n. . . .\n", "linha 3: \"x\" não é um número nem um ponto"},
      {"leis TAB\n" + caixa4 + ". 0 . .\n. . . .\n. . . .\n. . . .\n", "linha 3: uma célula vazia escreve-se com um ponto"},
      {"leis TAB\n" + caixa4 + ". 4 . .\n. . . .\n. . . .\n. . . .\n", "linha 3: o 4 em L1C2 não está na caixa"},
      {"leis TAB\n" + caixa4 + ". 5 . .\n. . . .\n. . 5 .\n. . . .\n", "linha 5: o 5 em L3C3 já está dado em L1C2"},
      {"leis TAB\ncaixa 1 3 5 7 9 11 13 15 17 19 21 23 25 27 29\n" + grelha4, "linha 2: a caixa tem 15 números"},
      {"leis TAB\ncaixa 1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 29\n" + grelha4, "linha 2: o 29 aparece duas vezes"},
      {"leis TAB\ncaixa 1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 100\n" + grelha4, "linha 2: o 100 está fora de 1 a 99"},
      {"leis TAB\ncaixa 1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 x\n" + grelha4, "linha 2: \"x\" não é um número"},
      {"leis TAB+SIM\ncaixa 1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 32\n" + grelha4,
       "linha 2: os números somam 257; com a lei SIM"},
      {"leis ORD+SIM\n" + caixa4 + "1 . . .\n. . . .\n. . . .\n. . . 29\n",
       "grelha: os números dados quebram uma lei: lei SIM: L1C1 (1) e L4C4 (29) somam 30, e não K = 32"},
      {"leis ORD+SIM\n" + caixa4 + "1 . . .\n. 17 . .\n. . 15 .\n. . . 31\n",
       "grelha: os números dados quebram uma lei: lei ORD: L2C2 (17) tem de ser menor do que L3C3 (15)"},
      {"leis TAB\n" + caixa4 + "1 3 . .\n5 9 . .\n. . . .\n. . . .\n",
       "grelha: os números dados quebram uma lei: lei TAB: L1C1 + L2C2 = 10, mas L1C2 + L2C1 = 8"},
      {"leis SOM-D\n" + caixa4 + "31 29 27 25\n. . . .\n. . . .\n. . . .\n",
       "grelha: os números dados quebram uma lei: lei SOM-D: a linha 1 soma 112, e não S = 64"},
      {"leis TAB\nleis SIM\n" + caixa4 + grelha4, "linha 2: as leis já foram dadas na linha 1"},
      {"{\"puzzles\": []}", "livro: o ficheiro é um livro JSON; indique o puzzle com --puzzle K."},
  };
  for (const auto& c : casos) {
    const TResposta r = ResolverTexto(c.texto);
    EXPECT_EQ(r.Codigo, 2) << c.texto;
    EXPECT_EQ(r.Erro.rfind(c.erro, 0), 0u) << c.erro << "\n" << r.Erro;
    EXPECT_EQ(r.Saida, "");
  }

  TPastaCli pasta;
  EscreverFicheiro(pasta / "nao.json", "{\"codigo\": 1}");
  EscreverFicheiro(pasta / "enorme.json", "{\"puzzles\": 9999e999}");  // found by fuzz_resolver
  EscreverFicheiro(pasta / "partido.json", "{\"puzzles\": [{\"n\": 4, \"receita\": 2, \"conjunto\": [1, 2]}]}");
  const struct {
    TOpcoesResolver opcoes;
    std::string erro;
  } livros[] = {
      {{pasta / "nada.txt", std::nullopt, false, 100}, "Não foi possível ler o ficheiro " + (pasta / "nada.txt") + ": o ficheiro não existe."},
      {{pasta.Caminho().string(), std::nullopt, false, 100}, "Não foi possível ler o ficheiro " + pasta.Caminho().string() + ": é uma pasta."},
      {{pasta / "nao.json", 1, false, 100}, "livro: não é um livro JSON do quorvel-cli: falta o campo \"puzzles\"."},
      {{pasta / "partido.json", 1, false, 100}, "campo puzzles[0].conjunto: tem 2 valores, e não 16."},
      {{pasta / "enorme.json", 1, false, 100}, "livro: não é JSON válido (um número grande demais)."},
      {{Livro("4x4_n5_somas"), 5, false, 100}, "--puzzle: o livro tem 4 puzzles; o 5 não existe."},
      {{Livro("4x4_n5_somas") + "x", 1, false, 100}, "Não foi possível ler o ficheiro " + Livro("4x4_n5_somas") + "x: o ficheiro não existe."},
  };
  for (const auto& c : livros) {
    const TResposta r = Resolver(c.opcoes);
    EXPECT_EQ(r.Codigo, 2);
    EXPECT_EQ(r.Erro, c.erro + "\n");
  }
}

}  // namespace
}  // namespace cadrel
