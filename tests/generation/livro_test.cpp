#include "generation/livro.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>

#include "apoio.hpp"
#include "construction/leis.hpp"
#include "construction/solucoes.hpp"
#include "generation/bandas.hpp"
#include "generation/niveis.hpp"
#include "solving/contador.hpp"
#include "solving/solver.hpp"

namespace cadrel {
namespace {

TEST(ConfigLivro, MensagensPelaOrdemDosTestes) {
  struct Caso {
    TConfigLivro config;
    const char* mensagem;
  };
  const Caso casos[] = {
      {ConfigLivro(0, 8, 9, 1), "Tamanho de grelha inválido: 8 (de 4 a 7)"},
      {ConfigLivro(0, 3, 0, 1), "Tamanho de grelha inválido: 3 (de 4 a 7)"},
      {ConfigLivro(0, 5, 9, 1), "Número de puzzles inválido: 0 (de 1 a 200)"},
      {ConfigLivro(201, 5, 0, 1), "Número de puzzles inválido: 201 (de 1 a 200)"},
      {ConfigLivro(10, 5, 6, 1), "Nível inválido: 6 (0 é a Progressiva, de 1 a 5)"},
      {ConfigLivro(10, 5, -1, 1), "Nível inválido: -1 (0 é a Progressiva, de 1 a 5)"},
      {ConfigLivro(10, 5, 0, 1, {leiORD, leiSIM}),
       "O nível 3 não tem nenhuma receita com as leis escolhidas em 5x5"},
      {ConfigLivro(10, 6, 5, 1, {leiTAB, leiSOMD}), "O nível 5 não tem nenhuma receita com as leis escolhidas em 6x6"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(Mensagem([&] { PlanearLivro(c.config); }), c.mensagem);
    EXPECT_EQ(Mensagem([&] { TGeradorLivro().Gerar(c.config); }), c.mensagem);
  }
  EXPECT_EQ(Mensagem([] { ValidarConfigLivro(ConfigLivro(200, 7, 5, 1, {})); }), "(nenhum erro)");
}

TEST(ConfigLivro, CodigosSubSementesETextos) {
  EXPECT_EQ(CodigoLivro(255), "000000FF");
  EXPECT_EQ(CodigoLivro(4294967295u), "FFFFFFFF");
  EXPECT_EQ(CodigoLivro(0x1A2B3C4D), "1A2B3C4D");
  EXPECT_EQ(CalcularSubSemente(7, 3, 5), DerivarSemente(7, 3 * 4096 + 5));
  EXPECT_EQ(TextoProgresso(0, 50, 3, Receita(9)), "A gerar o puzzle 1 de 50 (nível 3, SOM-D+SIM)");
}

std::vector<int> Niveis(const std::vector<TPosicaoPlano>& plano) {
  std::vector<int> niveis;
  for (const TPosicaoPlano& p : plano) niveis.push_back(p.Nivel);
  return niveis;
}

TEST(PlanoLivro, NiveisEReceitasRepartidos) {
  EXPECT_EQ(Niveis(PlanearLivro(ConfigLivro(7, 5, 0, 1))), (std::vector<int>{1, 1, 2, 2, 3, 4, 5}));

  std::set<std::vector<int>> ordens;
  for (std::uint32_t semente = 1; semente <= 20; ++semente) {
    for (int puzzles : {10, 11}) {
      const auto plano = PlanearLivro(ConfigLivro(puzzles, 5, 1, semente));
      const auto tab = std::count_if(plano.begin(), plano.end(), [](const TPosicaoPlano& p) { return p.Receita == Receita(2); });
      EXPECT_TRUE(tab == puzzles / 2 || tab == (puzzles + 1) / 2) << puzzles;
      EXPECT_EQ(Niveis(plano), std::vector<int>(puzzles, 1));
      std::vector<int> codigos;
      for (const TPosicaoPlano& p : plano) codigos.push_back(CodigoReceita(p.Receita));
      if (puzzles == 10) ordens.insert(codigos);
    }
  }
  EXPECT_GT(ordens.size(), 10u);  // the order comes from the seed
  // With one allowed recipe every position gets it.
  const auto soTab = PlanearLivro(ConfigLivro(6, 4, 2, 3, {leiTAB}));
  EXPECT_TRUE(std::all_of(soTab.begin(), soTab.end(), [](const TPosicaoPlano& p) { return p.Receita == Receita(2); }));
}

TEST(RegistoRepeticoes, QualquerChaveRepete) {
  TRegistoRepeticoes registo;
  EXPECT_FALSE(registo.Repetido(1, 2));
  registo.Registar(1, 2);
  registo.Registar(1, 2);
  EXPECT_TRUE(registo.Repetido(1, 9));
  EXPECT_TRUE(registo.Repetido(9, 2));
  EXPECT_FALSE(registo.Repetido(2, 1));
  registo.Registar(3, 2);
  EXPECT_EQ(registo.Quantos(), 2);
}

// Every puzzle of small real books deduces within its level, is unique,
// obeys its laws and scores inside its band.
TEST(GeradorLivro, LivrosPequenosDeTodosOsNiveisETamanhos) {
  for (int n = 4; n <= 7; ++n)
    for (int nivel = 1; nivel <= 5; ++nivel) {
      const TLivro livro = TGeradorLivro().Gerar(ConfigLivro(2, n, nivel, static_cast<std::uint32_t>(n * 10 + nivel)));
      ASSERT_EQ(livro.Puzzles.size(), 2u);
      EXPECT_FALSE(livro.Cancelado);
      for (std::size_t i = 0; i < livro.Puzzles.size(); ++i) {
        const TPuzzleDoLivro& pl = livro.Puzzles[i];
        const TPuzzle& p = pl.Puzzle;
        EXPECT_EQ(pl.Posicao, static_cast<int>(i));
        EXPECT_EQ(pl.SubSemente, CalcularSubSemente(livro.Config.Semente, pl.Posicao, pl.Tentativa));
        EXPECT_EQ(p.Nivel, nivel);
        EXPECT_TRUE(VerificarLeis(TSolucao{n, p.Solucao}, p.Receita));
        EXPECT_TRUE(ConjuntoValido(p.Conjunto));
        for (int c = 0; c < n * n; ++c) EXPECT_TRUE(p.Dados[c] == 0 || p.Dados[c] == p.Solucao[c]);

        TSolverDeducao solver(n, p.Receita);
        const TResultadoSolver r =
            solver.Resolver(p.Conjunto, p.Dados, ParametrosNivel(static_cast<TNivel>(nivel)).TecnicaMax, p.Solucao);
        EXPECT_TRUE(r.Resolvido);
        EXPECT_EQ(r.PontuacaoPorCelula, p.Resultado.PontuacaoPorCelula);
        const TBanda banda = BandaPontuacao(static_cast<TNivel>(nivel), n, p.Receita);
        EXPECT_GE(r.PontuacaoPorCelula, banda.Minimo);
        EXPECT_LE(r.PontuacaoPorCelula, banda.Maximo);
        TContadorSolucoes contador(n, p.Receita);
        EXPECT_EQ(contador.Contar(p.Conjunto, p.Dados, 2, 10000000), 1);
      }
    }
}

std::string Resumo(const TLivro& livro) {
  std::string s = livro.Codigo + " " + std::to_string(livro.Tentativas) + " " + std::to_string(livro.RejeicoesA6);
  for (int r : livro.Rejeicoes) s += " " + std::to_string(r);
  for (const TPuzzleDoLivro& p : livro.Puzzles) {
    s += " |" + std::to_string(p.Tentativa) + " " + std::to_string(p.ChaveCanonica);
    for (int v : p.Puzzle.Dados) s += " " + std::to_string(v);
  }
  return s;
}

TEST(GeradorLivro, MesmaSementeMesmoLivro) {
  const TLivro a = TGeradorLivro().Gerar(ConfigLivro(6, 5, 0, 0xC0FFEE));
  const TLivro b = TGeradorLivro().Gerar(ConfigLivro(6, 5, 0, 0xC0FFEE));
  const TLivro c = TGeradorLivro().Gerar(ConfigLivro(6, 5, 0, 0xC0FFEF));
  EXPECT_EQ(a.Plano, b.Plano);
  EXPECT_EQ(Resumo(a), Resumo(b));
  EXPECT_NE(Resumo(a), Resumo(c));
  EXPECT_EQ(a.Codigo, "00C0FFEE");
}

// A series shares one registry, volume after volume: no solution and no box
// comes back anywhere in it, the first volume is the book its code makes
// alone, and every volume has a code of its own.
TEST(GeradorLivro, SerieSemPuzzlesRepetidos) {
  const TConfigLivro serie = ConfigLivro(12, 4, 1, 0x5E41E);
  TRegistoRepeticoes registo;
  std::set<std::uint64_t> canonicas, conjuntos;
  std::set<std::string> codigos;
  for (std::int32_t k = 1; k <= 4; ++k) {
    const TConfigLivro config = ConfigDoVolume(serie, k, 4);
    EXPECT_EQ(config.Volume, k);
    EXPECT_EQ(config.SementeSerie, serie.Semente);
    const TLivro livro = TGeradorLivro(2).Gerar(config, {}, &registo);
    ASSERT_EQ(livro.Puzzles.size(), 12u);
    codigos.insert(livro.Codigo);
    for (const TPuzzleDoLivro& p : livro.Puzzles) {
      EXPECT_TRUE(canonicas.insert(p.ChaveCanonica).second) << "volume " << k;
      EXPECT_TRUE(conjuntos.insert(p.ChaveConjunto).second) << "volume " << k;
    }
    if (k == 1) {
      EXPECT_EQ(Resumo(livro), Resumo(TGeradorLivro().Gerar(serie)));
    }
  }
  EXPECT_EQ(codigos.size(), 4u);
  EXPECT_EQ(registo.Quantos(), 48);
}

// The user's flag, set from another thread (a signal, the window), stops the
// book between attempts and inside long ones.
TEST(GeradorLivro, ParagemPedidaDeOutraThread) {
  for (const std::int32_t tarefas : {1, 2}) {
    std::atomic<bool> parar{false};
    std::jthread pedido([&parar] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      parar = true;
    });
    const TLivro livro = TGeradorLivro(tarefas, &parar).Gerar(ConfigLivro(200, 7, 5, 0x0BADF00D));
    EXPECT_TRUE(livro.Cancelado);
    EXPECT_LT(livro.Puzzles.size(), 200u);
  }
}

TEST(GeradorLivro, ProgressoECancelamento) {
  const TConfigLivro config = ConfigLivro(10, 4, 1, 0x5EED2026);
  std::vector<std::string> textos;
  int ultimosFeitos = 0, relatoriosSemPuzzle = 0, ultimasTentativas = 0;
  const auto relatar = [&](int feitos, int total, int tentativas, const std::string& texto, bool&) {
    EXPECT_EQ(total, 10);
    EXPECT_GT(tentativas, ultimasTentativas);  // the book's own count, attempts so far
    if (feitos == ultimosFeitos) {
      ++relatoriosSemPuzzle;
      EXPECT_EQ(tentativas % 50, 0);
    }
    ultimosFeitos = feitos;
    ultimasTentativas = tentativas;
    textos.push_back(texto);
  };
  const TLivro completo = TGeradorLivro().Gerar(config, relatar);
  ASSERT_GT(completo.Tentativas, 50);  // at least one report after a failed attempt
  EXPECT_EQ(relatoriosSemPuzzle, completo.Tentativas / 50);
  EXPECT_EQ(ultimasTentativas, completo.Tentativas);
  EXPECT_EQ(textos.back(), "Livro completo: 10 de 10 puzzles gerados");
  EXPECT_EQ(textos.front().rfind("A gerar o puzzle 2 de 10 (nível 1, ", 0), 0u);

  // Cancelled in the report after a failed attempt: the puzzles so far.
  int feitosAoCancelar = -1;
  int anterior = 0;
  const TLivro cancelado = TGeradorLivro().Gerar(config, [&](int feitos, int, int, const std::string&, bool& cancelar) {
    if (feitos == anterior && feitosAoCancelar < 0) {
      feitosAoCancelar = feitos;
      cancelar = true;
    }
    anterior = feitos;
  });
  EXPECT_TRUE(cancelado.Cancelado);
  EXPECT_EQ(static_cast<int>(cancelado.Puzzles.size()), feitosAoCancelar);
  EXPECT_EQ(cancelado.Tentativas, 50);

  // A cancel that comes with the last puzzle leaves a complete book.
  const TLivro tarde = TGeradorLivro().Gerar(config, [](int feitos, int total, int, const std::string&, bool& cancelar) {
    cancelar = feitos == total;
  });
  EXPECT_FALSE(tarde.Cancelado);
  EXPECT_EQ(tarde.Puzzles.size(), 10u);
}

}  // namespace
}  // namespace cadrel
