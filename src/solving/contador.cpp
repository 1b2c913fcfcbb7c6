#include "solving/contador.hpp"

#include <algorithm>
#include <bit>
#include <limits>

#include "core/bits.hpp"

namespace cadrel {

namespace {

constexpr std::uint64_t Bit(std::int32_t i) { return std::uint64_t{1} << i; }

// Checked once per this many nodes: often enough to stop within a few
// milliseconds, rarely enough to cost nothing.
constexpr std::int32_t CNosEntreParagens = 1024;

}  // namespace

TContadorSolucoes::TContadorSolucoes(std::int32_t N, TReceita AReceita) {
  if (N < 2 || N > 7) throw ECadrel("TContadorSolucoes: N tem de estar entre 2 e 7");
  FN = N;
  FNN = N * N;
  FReceita = AReceita;
  FTemSIM = AReceita.Leis.Contem(leiSIM);
  FTemTAB = AReceita.Leis.Contem(leiTAB);
  FTemORD = AReceita.Leis.Contem(leiORD);
  FTemSOM = TemSomas(AReceita.Leis);
  FLinhas = ConstruirLinhas(N, AReceita).Celulas;
  FRects = ConstruirRectangulos(N, AReceita);

  FInicioLinhas.push_back(0);
  for (const std::vector<std::int32_t>& linhas : LinhasPorCelula(N, FLinhas)) {
    FCelLinhas.insert(FCelLinhas.end(), linhas.begin(), linhas.end());
    FInicioLinhas.push_back(static_cast<std::int32_t>(FCelLinhas.size()));
  }
  FInicioRects.push_back(0);
  const auto rectsPorCelula = RectangulosPorCelula(N, FRects);
  for (std::int32_t celula = 0; celula < FNN; ++celula) {
    for (std::int32_t r : rectsPorCelula[celula]) {
      const bool positivo = celula == FRects[r].A || celula == FRects[r].D;
      FCelRects.push_back({r, positivo ? 1 : -1});
    }
    FInicioRects.push_back(static_cast<std::int32_t>(FCelRects.size()));
  }

  FIdxValor.assign(CTamIdxValor, -1);
  FAte.assign(CTamIdxValor, 0);
  FVal.assign(FNN, 0);
  FSomaLinha.assign(FLinhas.size(), 0);
  FVaziasLinha.assign(FLinhas.size(), 0);
  FDifRect.assign(FRects.size(), 0);
  FCheiosRect.assign(FRects.size(), 0);
  FNums.reserve(FNN);
  FDadosOrdem.reserve(FNN);
  FSolucoes.reserve(2 * static_cast<std::size_t>(FNN));  // the uniqueness question's limit
  if (AReceita.Leis == CLeisORDSIM) FMotor = std::make_unique<TMotorOrdem>(N);
}

void TContadorSolucoes::Colocar(std::int32_t ACelula, std::int32_t v) {
  FVal[ACelula] = v;
  FLivres &= ~Bit(FIdxValor[v]);
  FVazias &= ~Bit(ACelula);
  for (std::int32_t k = FInicioLinhas[ACelula]; k < FInicioLinhas[ACelula + 1]; ++k) {
    FSomaLinha[FCelLinhas[k]] += v;
    --FVaziasLinha[FCelLinhas[k]];
  }
  for (std::int32_t k = FInicioRects[ACelula]; k < FInicioRects[ACelula + 1]; ++k) {
    FDifRect[FCelRects[k].Rect] += FCelRects[k].Sinal * v;
    ++FCheiosRect[FCelRects[k].Rect];
  }
}

void TContadorSolucoes::Retirar(std::int32_t ACelula) {
  const std::int32_t v = FVal[ACelula];
  FVal[ACelula] = 0;
  FLivres |= Bit(FIdxValor[v]);
  FVazias |= Bit(ACelula);
  for (std::int32_t k = FInicioLinhas[ACelula]; k < FInicioLinhas[ACelula + 1]; ++k) {
    FSomaLinha[FCelLinhas[k]] -= v;
    ++FVaziasLinha[FCelLinhas[k]];
  }
  for (std::int32_t k = FInicioRects[ACelula]; k < FInicioRects[ACelula + 1]; ++k) {
    FDifRect[FCelRects[k].Rect] -= FCelRects[k].Sinal * v;
    --FCheiosRect[FCelRects[k].Rect];
  }
}

// Checks only the laws through ACelula: the rest held before it was written.
bool TContadorSolucoes::Consistente(std::int32_t ACelula) const {
  const std::int32_t v = FVal[ACelula];

  if (FTemSIM) {
    // The centre of an odd grid is its own partner, so it must hold K / 2.
    const std::int32_t parceira = FVal[FNN - 1 - ACelula];
    if (parceira != 0 && parceira + v != FK) return false;
  }

  for (std::int32_t k = FInicioRects[ACelula]; k < FInicioRects[ACelula + 1]; ++k) {
    const std::int32_t r = FCelRects[k].Rect;
    if (FCheiosRect[r] == 4 && FDifRect[r] != 0) return false;
  }

  for (std::int32_t k = FInicioLinhas[ACelula]; k < FInicioLinhas[ACelula + 1]; ++k) {
    const std::int32_t l = FCelLinhas[k];
    if (FVaziasLinha[l] == 0 ? FSomaLinha[l] != FS : FS - FSomaLinha[l] <= 0) return false;
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

// The candidates of an empty cell as a mask of number indices; ascending
// indices are ascending values. A forced value, when some law forces one,
// decides alone.
std::uint64_t TContadorSolucoes::Candidatos(std::int32_t ACelula) const {
  if (FTemSIM) {
    const std::int32_t parceira = FVal[FNN - 1 - ACelula];
    if (parceira != 0) return Forcado(FK - parceira);
  }

  // The cell itself is the one empty corner, so three filled means it is forced.
  for (std::int32_t k = FInicioRects[ACelula]; k < FInicioRects[ACelula + 1]; ++k) {
    const std::int32_t r = FCelRects[k].Rect;
    if (FCheiosRect[r] == 3) return Forcado(-FCelRects[k].Sinal * FDifRect[r]);
  }

  for (std::int32_t k = FInicioLinhas[ACelula]; k < FInicioLinhas[ACelula + 1]; ++k) {
    const std::int32_t l = FCelLinhas[k];
    if (FVaziasLinha[l] == 1) return Forcado(FS - FSomaLinha[l]);
  }

  // Only the numbers strictly between the neighbours that order the cell.
  std::int32_t lo = 0;
  std::int32_t hi = CMaxValor + 1;
  if (FTemORD) {
    const std::int32_t linha = ACelula / FN, coluna = ACelula % FN;
    if (coluna > 0) lo = std::max(lo, FVal[ACelula - 1]);
    if (linha > 0) lo = std::max(lo, FVal[ACelula - FN]);
    if (coluna < FN - 1 && FVal[ACelula + 1] != 0) hi = std::min(hi, FVal[ACelula + 1]);
    if (linha < FN - 1 && FVal[ACelula + FN] != 0) hi = std::min(hi, FVal[ACelula + FN]);
    if (hi <= lo) return 0;
  }
  const std::int32_t primeiro = FAte[lo];
  const std::int32_t fim = FAte[hi - 1];
  return FLivres & (Bit(fim) - 1) & ~(Bit(primeiro) - 1);
}

void TContadorSolucoes::Procurar() {
  if (FContagem >= FLimite || FEstourou) return;

  std::int32_t escolhida = -1;
  std::uint64_t melhor = 0;
  std::int32_t numMelhor = std::numeric_limits<std::int32_t>::max();
  for (std::uint64_t vazias = FVazias; vazias != 0; vazias &= vazias - 1) {
    const std::int32_t celula = std::countr_zero(vazias);
    const std::uint64_t candidatos = Candidatos(celula);
    if (candidatos == 0) return;
    const std::int32_t n = ContarBits(candidatos);
    if (n < numMelhor) {
      numMelhor = n;
      escolhida = celula;
      melhor = candidatos;
      if (n == 1) break;
    }
  }

  if (escolhida < 0) {
    ++FContagem;
    FSolucoes.insert(FSolucoes.end(), FVal.begin(), FVal.end());
    return;
  }
  if (++FNos > FMaxNos) {
    FEstourou = true;
    return;
  }
  if (FNos % CNosEntreParagens == 0) FParagem.Verificar();

  const std::int32_t parceira = FNN - 1 - escolhida;
  for (; melhor != 0; melhor &= melhor - 1) {
    const std::int32_t v = FNums[std::countr_zero(melhor)];
    Colocar(escolhida, v);
    if (Consistente(escolhida)) {
      if (!FTemSIM || parceira == escolhida || FVal[parceira] != 0) {
        Procurar();
      } else if (const std::int32_t w = FK - v; Livre(w)) {
        // The partner is forced: placing both at once halves the depth.
        Colocar(parceira, w);
        if (Consistente(parceira)) Procurar();
        Retirar(parceira);
      }
    }
    Retirar(escolhida);
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
  FSolucoes.clear();

  if (FUsarMotor && FMotor && ConjuntoSimetrico(AConjunto, total)) return ContarPorMotor(ADados, ALimite);

  if (FTemSIM && 2 * total % FNN != 0) return 0;
  if (FTemSOM && total % FN != 0) return 0;

  FK = 2 * total / FNN;
  FS = total / FN;
  FNums.assign(AConjunto.begin(), AConjunto.end());
  for (std::int32_t v = 0, n = 0; v < CTamIdxValor; ++v) {
    if (FIdxValor[v] >= 0) ++n;
    FAte[v] = n;
  }
  FLivres = Bit(FNN) - 1;
  FVazias = Bit(FNN) - 1;
  std::fill(FVal.begin(), FVal.end(), 0);
  for (std::size_t l = 0; l < FLinhas.size(); ++l) {
    FSomaLinha[l] = 0;
    FVaziasLinha[l] = static_cast<std::int32_t>(FLinhas[l].size());
  }
  std::fill(FDifRect.begin(), FDifRect.end(), 0);
  std::fill(FCheiosRect.begin(), FCheiosRect.end(), 0);

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
  Procurar();
  return FEstourou && FContagem < ALimite ? -1 : FContagem;
}

}  // namespace cadrel
