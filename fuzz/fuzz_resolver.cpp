// The puzzle reader of `quorvel-cli resolver` on any file, in both formats.
// It must refuse with ECadrel or hand over a puzzle that the solver and the
// counter take without a complaint about their input: the reader's checks
// are the only ones between a user's file and them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/puzzle_lido.hpp"
#include "construction/leis.hpp"
#include "construction/solucoes.hpp"
#include "falha.hpp"
#include "solving/contador.hpp"
#include "solving/solver.hpp"

namespace cadrel {
namespace {

// Small, so that every input costs little.
constexpr std::int32_t CMaxNos = 2000;

void Verificar(const TPuzzleLido& APuzzle) {
  const std::int32_t N = APuzzle.N;
  const auto nn = static_cast<std::size_t>(N * N);
  Exigir(N >= 4 && N <= 7, "lado fora de 4..7");
  Exigir(ReceitaSuportada(N, APuzzle.Receita), "receita sem gerador para o lado");
  Exigir(APuzzle.Conjunto.size() == nn && APuzzle.Dados.size() == nn, "caixa ou grelha com tamanho errado");
  Exigir(std::is_sorted(APuzzle.Conjunto.begin(), APuzzle.Conjunto.end()) &&
             std::adjacent_find(APuzzle.Conjunto.begin(), APuzzle.Conjunto.end()) == APuzzle.Conjunto.end(),
         "caixa não estritamente crescente");
  Exigir(APuzzle.Conjunto.front() >= CMinValor && APuzzle.Conjunto.back() <= CMaxValor, "caixa fora de 1..99");
  Exigir(ConflitoNosDados(N, APuzzle.Receita, APuzzle.Conjunto, APuzzle.Dados).empty(), "dados em conflito");

  // Past the reader only the deduction's own contradictions may raise.
  TSolverDeducao solver(N, APuzzle.Receita);
  try {
    solver.Resolver(APuzzle.Conjunto, APuzzle.Dados, tecT6, {});
  } catch (const ECadrel& e) {
    Exigir(!std::string_view(e.what()).starts_with("TSolverDeducao.Resolver:"), e.what());
  }
  TContadorSolucoes contador(N, APuzzle.Receita);
  contador.SetUsarMotorOrdem(false);
  const std::int32_t solucoes = contador.Contar(APuzzle.Conjunto, APuzzle.Dados, 2, CMaxNos);
  Exigir(solucoes >= -1 && solucoes <= 2, "contagem fora de -1..2");
}

}  // namespace
}  // namespace cadrel

// The first byte chooses the format: odd is a book's JSON, and then the
// second byte is the puzzle's number; even is the text format.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ATamanho) {
  if (ATamanho < 2) return 0;
  const std::string_view texto(reinterpret_cast<const char*>(AData) + 2, ATamanho - 2);
  try {
    const cadrel::TPuzzleLido puzzle = (AData[0] & 1) != 0 ? cadrel::LerPuzzleLivro(texto, AData[1])
                                                          : cadrel::LerPuzzleTexto(texto);
    cadrel::Verificar(puzzle);
  } catch (const cadrel::ECadrel&) {
  }
  return 0;
}
