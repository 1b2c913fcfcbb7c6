#include "solving/contador.hpp"

#include <algorithm>
#include <limits>

namespace cadrel {

TContadorSolucoes::TContadorSolucoes(std::int32_t N, TReceita AReceita) {
  if (N < 2 || N > 7) throw ECadrel("TContadorSolucoes: N tem de estar entre 2 e 7");
  FN = N;
  FNN = N * N;
  FReceita = AReceita;
  FTemSIM = AReceita.Leis.Contem(leiSIM);
  FTemTAB = AReceita.Leis.Contem(leiTAB);
  FTemORD = AReceita.Leis.Contem(leiORD);
  FTemSOM = AReceita.Leis.Contem(leiSOMD) || AReceita.Leis.Contem(leiSOMQ);
  FLinhas = ConstruirLinhas(N, AReceita).Celulas;
  FRects = ConstruirRectangulos(N, AReceita);
  FCelLinhas = LinhasPorCelula(N, FLinhas);
  FCelRects = RectangulosPorCelula(N, FRects);
  FIdxValor.assign(CTamIdxValor, -1);
  FUsado.assign(FNN, 0);
  FVal.assign(FNN, 0);
  FNums.reserve(FNN);
  // Every level places at least one cell, and the last one finds none empty.
  FListas.resize(static_cast<std::size_t>(FNN + 1) * 2 * FNN);
  FDadosOrdem.reserve(FNN);
  if (CodigoReceita(AReceita) == 5) FMotor = std::make_unique<TMotorOrdem>(N);
}

void TContadorSolucoes::Colocar(std::int32_t ACelula, std::int32_t v) {
  FVal[ACelula] = v;
  FUsado[FIdxValor[v]] = 1;
}

void TContadorSolucoes::Retirar(std::int32_t ACelula, std::int32_t v) {
  FVal[ACelula] = 0;
  FUsado[FIdxValor[v]] = 0;
}

// Checks only the laws through ACelula: the rest held before it was written.
bool TContadorSolucoes::Consistente(std::int32_t ACelula) const {
  const std::int32_t v = FVal[ACelula];

  if (FTemSIM) {
    // The centre of an odd grid is its own partner, so it must hold K / 2.
    const std::int32_t parceira = FVal[FNN - 1 - ACelula];
    if (parceira != 0 && parceira + v != FK) return false;
  }

  for (std::int32_t r : FCelRects[ACelula]) {
    const TRectangulo& rect = FRects[r];
    const std::int32_t a = FVal[rect.A], b = FVal[rect.B], c = FVal[rect.C], d = FVal[rect.D];
    if (a != 0 && b != 0 && c != 0 && d != 0 && a + d != b + c) return false;
  }

  for (std::int32_t l : FCelLinhas[ACelula]) {
    std::int32_t soma = 0;
    bool completa = true;
    for (std::int32_t celula : FLinhas[l]) {
      soma += FVal[celula];
      completa = completa && FVal[celula] != 0;
    }
    if (completa ? soma != FS : FS - soma <= 0) return false;
  }

  if (FTemORD) {
    const std::int32_t linha = ACelula / FN, coluna = ACelula % FN;
    if (coluna > 0 && FVal[ACelula - 1] != 0 && FVal[ACelula - 1] >= v) return false;
    if (coluna < FN - 1 && FVal[ACelula + 1] != 0 && FVal[ACelula + 1] <= v) return false;
    if (linha > 0 && FVal[ACelula - FN] != 0 && FVal[ACelula - FN] >= v) return false;
    if (linha < FN - 1 && FVal[ACelula + FN] != 0 && FVal[ACelula + FN] <= v) return false;
  }
  return true;
}

// Writes the candidates of an empty cell into ALista and returns how many.
// A forced value, when some law forces one, decides alone.
std::int32_t TContadorSolucoes::Candidatos(std::int32_t ACelula, std::int32_t* ALista) const {
  auto forcado = [this, ALista](std::int32_t v) {
    if (!Livre(v)) return 0;
    ALista[0] = v;
    return 1;
  };

  if (FTemSIM) {
    const std::int32_t parceira = FVal[FNN - 1 - ACelula];
    if (parceira != 0) return forcado(FK - parceira);
  }

  for (std::int32_t r : FCelRects[ACelula]) {
    const TRectangulo& rect = FRects[r];
    const std::int32_t a = FVal[rect.A], b = FVal[rect.B], c = FVal[rect.C], d = FVal[rect.D];
    // The cell itself is the one empty corner, so three filled means one zero.
    if ((a == 0) + (b == 0) + (c == 0) + (d == 0) != 1) continue;
    if (ACelula == rect.A) return forcado(b + c - d);
    if (ACelula == rect.D) return forcado(b + c - a);
    if (ACelula == rect.B) return forcado(a + d - c);
    return forcado(a + d - b);
  }

  for (std::int32_t l : FCelLinhas[ACelula]) {
    std::int32_t soma = 0;
    std::int32_t vazias = 0;
    for (std::int32_t celula : FLinhas[l]) {
      soma += FVal[celula];
      vazias += FVal[celula] == 0;
    }
    if (vazias == 1) return forcado(FS - soma);
  }

  std::int32_t lo = 0;
  std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  if (FTemORD) {
    const std::int32_t linha = ACelula / FN, coluna = ACelula % FN;
    if (coluna > 0) lo = std::max(lo, FVal[ACelula - 1]);
    if (linha > 0) lo = std::max(lo, FVal[ACelula - FN]);
    if (coluna < FN - 1 && FVal[ACelula + 1] != 0) hi = std::min(hi, FVal[ACelula + 1]);
    if (linha < FN - 1 && FVal[ACelula + FN] != 0) hi = std::min(hi, FVal[ACelula + FN]);
  }
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < FNN; ++i)
    if (!FUsado[i] && FNums[i] > lo && FNums[i] < hi) ALista[n++] = FNums[i];
  return n;
}

void TContadorSolucoes::Procurar(std::int32_t ANivel) {
  if (FContagem >= FLimite || FEstourou) return;

  std::int32_t* actual = &FListas[static_cast<std::size_t>(ANivel) * 2 * FNN];
  std::int32_t* melhor = actual + FNN;
  std::int32_t escolhida = -1;
  std::int32_t numMelhor = std::numeric_limits<std::int32_t>::max();
  for (std::int32_t celula = 0; celula < FNN; ++celula) {
    if (FVal[celula] != 0) continue;
    const std::int32_t n = Candidatos(celula, actual);
    if (n == 0) return;
    if (n < numMelhor) {
      numMelhor = n;
      escolhida = celula;
      std::swap(actual, melhor);
      if (n == 1) break;
    }
  }

  if (escolhida < 0) {
    ++FContagem;
    return;
  }
  if (++FNos > FMaxNos) {
    FEstourou = true;
    return;
  }

  const std::int32_t parceira = FNN - 1 - escolhida;
  for (std::int32_t i = 0; i < numMelhor; ++i) {
    const std::int32_t v = melhor[i];
    Colocar(escolhida, v);
    if (Consistente(escolhida)) {
      if (!FTemSIM || parceira == escolhida || FVal[parceira] != 0) {
        Procurar(ANivel + 1);
      } else if (const std::int32_t w = FK - v; Livre(w)) {
        // The partner is forced: placing both at once halves the depth.
        Colocar(parceira, w);
        if (Consistente(parceira)) Procurar(ANivel + 1);
        Retirar(parceira, w);
      }
    }
    Retirar(escolhida, v);
    if (FContagem >= FLimite || FEstourou) break;
  }
}

bool TContadorSolucoes::ConjuntoSimetrico(std::span<const std::int32_t> AConjunto,
                                          std::int32_t ATotal) const {
  if (2 * ATotal % FNN != 0) return false;
  const std::int32_t k = 2 * ATotal / FNN;
  for (std::int32_t j = 0; j < FNN; ++j)
    if (AConjunto[j] + AConjunto[FNN - 1 - j] != k) return false;
  return true;
}

// With a symmetric box the sorted numbers pair up by rank, so the puzzle is a
// rank-grid question the order engine answers without search.
std::int32_t TContadorSolucoes::ContarPorMotor(std::span<const std::int32_t> ADados,
                                               std::int32_t ALimite) {
  FDadosOrdem.clear();
  for (std::int32_t celula = 0; celula < FNN; ++celula) {
    const std::int32_t v = ADados[celula];
    if (v == 0) continue;
    if (!Pertence(v)) return 0;
    FDadosOrdem.push_back({celula, FIdxValor[v] + 1});
  }
  return FMotor->Contar(FDadosOrdem, ALimite);
}

std::int32_t TContadorSolucoes::Contar(std::span<const std::int32_t> AConjunto,
                                       std::span<const std::int32_t> ADados, std::int32_t ALimite,
                                       std::int32_t AMaxNos) {
  if (std::ssize(AConjunto) != FNN || std::ssize(ADados) != FNN)
    throw ECadrel("TContadorSolucoes.Contar: conjunto e dados tem de ter N*N valores");
  if (ALimite < 1) throw ECadrel("TContadorSolucoes.Contar: o limite tem de ser pelo menos 1");

  const std::int32_t total = IndexarConjunto(AConjunto, FIdxValor, "TContadorSolucoes.Contar");

  FNos = 0;

  if (FUsarMotor && FMotor && ConjuntoSimetrico(AConjunto, total)) return ContarPorMotor(ADados, ALimite);

  if (FTemSIM && 2 * total % FNN != 0) return 0;
  if (FTemSOM && total % FN != 0) return 0;

  FK = 2 * total / FNN;
  FS = total / FN;
  FNums.assign(AConjunto.begin(), AConjunto.end());
  std::fill(FUsado.begin(), FUsado.end(), 0);
  std::fill(FVal.begin(), FVal.end(), 0);

  for (std::int32_t celula = 0; celula < FNN; ++celula) {
    const std::int32_t v = ADados[celula];
    if (v == 0) continue;
    if (!Livre(v)) return 0;
    Colocar(celula, v);
  }
  for (std::int32_t celula = 0; celula < FNN; ++celula)
    if (FVal[celula] != 0 && !Consistente(celula)) return 0;

  FLimite = ALimite;
  FMaxNos = AMaxNos;
  FEstourou = false;
  FContagem = 0;
  Procurar(0);
  return FEstourou && FContagem < ALimite ? -1 : FContagem;
}

}  // namespace cadrel
