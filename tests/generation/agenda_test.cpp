#include "generation/agenda.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace cadrel {
namespace {

// A stand-in for an attempt: accepted, raising or rejected as a hash of the
// attempt says, and slow now and then so that threads overtake each other.
std::uint32_t Mistura(TTarefa t) {
  std::uint32_t h = static_cast<std::uint32_t>(t.Posicao) * 2654435761u ^ static_cast<std::uint32_t>(t.Tentativa) * 40503u;
  h ^= h >> 13;
  return h * 0x5bd1e995u;
}

TResultadoTentativa Fazer(TTarefa t) {
  const std::uint32_t h = Mistura(t);
  if (h % 4 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
  TResultadoTentativa r;
  if (h % 5 == 0) {
    r.Aceite = true;
  } else if (h % 11 == 0) {
    r.Erro = std::make_exception_ptr(std::runtime_error("erro"));
  } else {
    r.Criterio = critA4;
  }
  return r;
}

// The book's side: an accepted puzzle ends the position unless it is a
// "repeat" (every third one); an error ends it too.
std::string Consumir(TAgendaTentativas& AAgenda, std::int32_t APosicoes, std::int32_t AMax,
                     const TAgendaTentativas::TFazer& AFazer) {
  std::string registo;
  for (std::int32_t p = 0; p < APosicoes; ++p) {
    for (std::int32_t a = 0; a < AMax; ++a) {
      const TResultadoTentativa r = AAgenda.Esperar({p, a}, AFazer);
      const char tipo = r.Erro ? 'E' : r.Aceite ? (Mistura({p, a}) % 3 == 0 ? 'R' : 'A') : '.';
      registo += tipo;
      if (tipo == 'A' || tipo == 'E') break;
    }
    registo += '|';
    AAgenda.Concluir(p);
  }
  return registo;
}

TEST(AgendaTentativas, ResultadosPelaOrdemComQualquerNumeroDeThreads) {
  constexpr std::int32_t CPosicoes = 40, CMax = 30;
  TAgendaTentativas sozinha(std::vector<std::int32_t>(CPosicoes, CMax), TParagem());
  const std::string esperado = Consumir(sozinha, CPosicoes, CMax, Fazer);
  ASSERT_NE(esperado.find('R'), std::string::npos);
  ASSERT_NE(esperado.find('E'), std::string::npos);

  for (const int ajudantes : {1, 3, 7}) {
    SCOPED_TRACE(ajudantes);
    TAgendaTentativas agenda(std::vector<std::int32_t>(CPosicoes, CMax), TParagem());
    std::vector<std::jthread> threads;
    for (int i = 0; i < ajudantes; ++i)
      threads.emplace_back([&agenda] {
        while (const auto tarefa = agenda.Proxima()) agenda.Entregar(*tarefa, Fazer(*tarefa));
      });
    EXPECT_EQ(Consumir(agenda, CPosicoes, CMax, Fazer), esperado);
    agenda.Fechar();
  }
}

// Never more attempts than a position may take, and none twice.
TEST(AgendaTentativas, CadaTentativaUmaVezDentroDoMaximo) {
  constexpr std::int32_t CPosicoes = 6, CMax = 4;
  TAgendaTentativas agenda(std::vector<std::int32_t>(CPosicoes, CMax), TParagem());
  std::mutex trinco;
  std::vector<std::vector<int>> feitas(CPosicoes, std::vector<int>(CMax, 0));
  const TAgendaTentativas::TFazer rejeitar = [&](TTarefa t) {
    const std::lock_guard guarda(trinco);
    EXPECT_LT(t.Tentativa, CMax);
    ++feitas[t.Posicao][t.Tentativa];
    return TResultadoTentativa{};
  };
  std::vector<std::jthread> threads;
  for (int i = 0; i < 3; ++i)
    threads.emplace_back([&] {
      while (const auto tarefa = agenda.Proxima()) agenda.Entregar(*tarefa, rejeitar(*tarefa));
    });
  for (std::int32_t p = 0; p < CPosicoes; ++p) {
    for (std::int32_t a = 0; a < CMax; ++a) EXPECT_FALSE(agenda.Esperar({p, a}, rejeitar).Aceite);
    agenda.Concluir(p);
  }
  agenda.Fechar();
  threads.clear();
  for (const auto& posicao : feitas)
    for (const int vezes : posicao) EXPECT_EQ(vezes, 1);
}

// A stop asked for from outside ends the wait with an interrupted result and
// hands out nothing more; a helper's failure outside an attempt is raised.
TEST(AgendaTentativas, ParagemEFalha) {
  std::atomic<bool> parar{false};
  TAgendaTentativas agenda({1000}, TParagem(&parar));
  std::atomic<int> feitas{0};
  const TAgendaTentativas::TFazer lenta = [&](TTarefa) {
    if (++feitas == 3) parar = true;
    return TResultadoTentativa{};
  };
  std::int32_t a = 0;
  while (!agenda.Esperar({0, a}, lenta).Interrompida) ++a;
  EXPECT_EQ(a, 3);
  EXPECT_FALSE(agenda.Proxima().has_value());

  TAgendaTentativas falhada({10}, TParagem());
  falhada.Falhar(std::make_exception_ptr(std::runtime_error("sem memoria")));
  EXPECT_THROW(falhada.Esperar({0, 0}, lenta), std::runtime_error);
}

}  // namespace
}  // namespace cadrel
