#include "generation/niveis.hpp"

#include <algorithm>

#include "generation/bandas.hpp"

namespace cadrel {

TParametrosNivel ParametrosNivel(TNivel ANivel) {
  switch (ANivel) {
    case 1: return {200, tecT4};
    case 2: return {150, tecT4};
    case 3: return {125, tecT5};
    case 4: return {110, tecT6};
    default: return {100, tecT6};
  }
}

std::vector<TReceita> ReceitasNivel(TNivel ANivel, std::int32_t N) {
  switch (ANivel) {
    case 1:
    case 2: return {ReceitaDeLeis(CLeisORDSIM), ReceitaDeLeis(CLeisTAB)};
    case 3:
    case 4: return {ReceitaDeLeis(CLeisTABSIM), ReceitaDeLeis(CLeisSOMDSIM)};
    // A 4x4 pandiagonal square cannot be centrally symmetric with distinct numbers.
    default: return {ReceitaDeLeis(N == 4 ? CLeisSOMQ : CLeisSOMQSIM), ReceitaDeLeis(CLeisSOMDSIM)};
  }
}

bool LeisContidas(TReceita AReceita, TConjuntoLeis APermitidas) {
  return (AReceita.Leis.Bits() & ~APermitidas.Bits()) == 0;
}

std::vector<TReceita> ReceitasPermitidas(TNivel ANivel, std::int32_t N, TConjuntoLeis APermitidas) {
  std::vector<TReceita> receitas = ReceitasNivel(ANivel, N);
  std::erase_if(receitas, [APermitidas](TReceita r) { return !LeisContidas(r, APermitidas); });
  return receitas;
}

bool NivelDisponivel(TNivel ANivel, std::int32_t N, TConjuntoLeis APermitidas) {
  return !ReceitasPermitidas(ANivel, N, APermitidas).empty();
}

bool TodosNiveisDisponiveis(std::int32_t N, TConjuntoLeis APermitidas) {
  for (TNivel nivel = 1; nivel <= 5; ++nivel)
    if (!NivelDisponivel(nivel, N, APermitidas)) return false;
  return true;
}

std::int32_t DadosAlvo(TNivel ANivel, std::int32_t AMinimo, std::int32_t N) {
  const std::int32_t alvo = (AMinimo * ParametrosNivel(ANivel).PercentagemDados + 99) / 100;
  const std::int32_t tecto = (N * N * 60) / 100;
  return std::max(AMinimo, std::min(alvo, tecto));
}

std::array<std::int32_t, 5> DistribuicaoProgressiva(std::int32_t ANumPuzzles) {
  std::array<std::int32_t, 5> porNivel;
  for (std::int32_t i = 0; i < 5; ++i) porNivel[i] = ANumPuzzles / 5 + (i < ANumPuzzles % 5 ? 1 : 0);
  return porNivel;
}

std::vector<TNivel> NiveisCompativeis(std::int32_t N, TReceita AReceita, TTecnica ATecnicaMax,
                                      double APontuacaoPorCelula) {
  std::vector<TNivel> niveis;
  for (TNivel nivel = 1; nivel <= 5; ++nivel) {
    const std::vector<TReceita> receitas = ReceitasNivel(nivel, N);
    TBanda banda;
    if (std::find(receitas.begin(), receitas.end(), AReceita) != receitas.end() &&
        ATecnicaMax <= ParametrosNivel(nivel).TecnicaMax &&
        ProcurarBanda(nivel, N, CodigoReceita(AReceita), banda) && APontuacaoPorCelula >= banda.Minimo &&
        APontuacaoPorCelula <= banda.Maximo)
      niveis.push_back(nivel);
  }
  return niveis;
}

}  // namespace cadrel
