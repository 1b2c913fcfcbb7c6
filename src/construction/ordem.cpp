#include "construction/ordem.hpp"

#include <algorithm>
#include <limits>

#include "core/tipos.hpp"

namespace cadrel {

namespace {
constexpr std::uint32_t Celula(std::int32_t ALinha) { return 1u << (3 * ALinha); }
}  // namespace

TMotorOrdem::TMotorOrdem(std::int32_t N) {
  if (N < 2 || N > 7) throw ECadrel("TMotorOrdem: N tem de estar entre 2 e 7");
  FN = N;
  FNN = N * N;
  FMeio = FNN / 2;
  FImpar = FNN % 2 != 0;
  FCentro = (N - 1) / 2;
  FGC.assign(FNN, 0);
  FGR.assign(FMeio + 2, -1);
  // Diagrams of the square are N-subsets of 0..2N-1: C(2N, N) of them.
  FBinomios.assign((2 * FN + 1) * (FN + 1), 0);
  for (std::int32_t a = 0; a <= 2 * FN; ++a)
    for (std::int32_t b = 0; b <= std::min(a, FN); ++b)
      FBinomios[a * (FN + 1) + b] = (b == 0 || b == a) ? 1
                                                       : FBinomios[(a - 1) * (FN + 1) + b - 1] +
                                                             FBinomios[(a - 1) * (FN + 1) + b];
  const std::int32_t numDiagramas = FBinomios[2 * FN * (FN + 1) + FN];
  FManeiras.assign(numDiagramas, -1);
  FMemo.assign(numDiagramas, 0);
  FMemoContagem.assign(numDiagramas, 0);

  EnumerarFormas(0, FMeio, FN, 0);
  if (FFinais.empty()) throw ECadrel("TMotorOrdem: sem formas finais validas");

  FPesos.resize(std::max<std::size_t>(FFinais.size(), FN));
  FLinhasRemoviveis.resize(FN);
  FCelulaDoPosto.resize(FMeio);
}

// Read from the bottom row up, the lengths l(N-1-i) + i form a strictly
// increasing N-subset of 0..2N-1, ranked in the combinatorial number system.
std::int32_t TMotorOrdem::IndiceForma(std::uint32_t F) const {
  std::int32_t indice = 0;
  for (std::int32_t i = 0; i < FN; ++i) indice += FBinomios[(Comprimento(F, FN - 1 - i) + i) * (FN + 1) + i + 1];
  return indice;
}

bool TMotorOrdem::CantoRemovivel(std::uint32_t F, std::int32_t i) const {
  const std::int32_t comp = Comprimento(F, i);
  return comp > 0 && (i == FN - 1 || Comprimento(F, i + 1) < comp);
}

// A final shape is the lower half whose rotation is its complement; with a
// centre, the centre must be the one addable corner left for rank M + 1.
bool TMotorOrdem::FormaFinalValida(std::uint32_t F) const {
  if (FImpar) {
    if (Comprimento(F, FCentro) != FCentro) return false;
    if (FCentro > 0 && Comprimento(F, FCentro - 1) <= FCentro) return false;
  }
  for (std::int32_t i = 0; i < FN; ++i)
    for (std::int32_t j = 0; j < FN; ++j) {
      const std::int32_t io = FN - 1 - i;
      const std::int32_t jo = FN - 1 - j;
      const bool oposta = Contem(F, io, jo) || (FImpar && io == FCentro && jo == FCentro);
      if (Contem(F, i, j) == oposta) return false;
    }
  return true;
}

// Row lengths run downward so that the shapes come in descending
// lexicographic order; sampling draws from them in this order.
void TMotorOrdem::EnumerarFormas(std::int32_t ALinha, std::int32_t AResto, std::int32_t AAnterior,
                                 std::uint32_t F) {
  if (ALinha == FN) {
    if (AResto == 0 && FormaFinalValida(F)) FFinais.push_back(F);
    return;
  }
  for (std::int32_t comp = std::min(AResto, AAnterior); comp >= 0; --comp)
    EnumerarFormas(ALinha + 1, AResto - comp, comp, F + comp * Celula(ALinha));
}

std::int64_t TMotorOrdem::Maneiras(std::uint32_t F) {
  if (F == 0) return 1;
  std::int64_t& memo = FManeiras[IndiceForma(F)];
  if (memo >= 0) return memo;
  std::int64_t total = 0;
  for (std::int32_t i = 0; i < FN; ++i)
    if (CantoRemovivel(F, i)) total += Maneiras(F - Celula(i));
  memo = total;
  return total;
}

// Brings every given into the lower half; false when two givens disagree.
bool TMotorOrdem::PrepararDados(std::span<const TDadoOrdem> ADados) {
  std::fill(FGC.begin(), FGC.end(), 0);
  std::fill(FGR.begin(), FGR.end(), -1);
  const std::int32_t centro = FCentro * FN + FCentro;
  for (const TDadoOrdem& dado : ADados) {
    if (dado.Celula < 0 || dado.Celula >= FNN) throw ECadrel("TMotorOrdem: celula do dado fora da grelha");
    if (dado.Posto < 1 || dado.Posto > FNN) throw ECadrel("TMotorOrdem: posto do dado fora de 1..N*N");
    std::int32_t celula = dado.Celula;
    std::int32_t posto = dado.Posto;
    if (FImpar) {
      // The centre's rank is fixed by the symmetry; the walk never places it.
      if (posto == FMeio + 1) {
        if (celula != centro) return false;
        continue;
      }
      if (celula == centro) return false;
    }
    if (posto > FMeio) {
      celula = FNN - 1 - celula;
      posto = FNN + 1 - posto;
    }
    if ((FGC[celula] != 0 && FGC[celula] != posto) || (FGR[posto] >= 0 && FGR[posto] != celula))
      return false;
    FGC[celula] = posto;
    FGR[posto] = celula;
  }
  return true;
}

bool TMotorOrdem::CobreDados(std::uint32_t F) const {
  for (std::int32_t celula = 0; celula < FNN; ++celula)
    if (FGC[celula] != 0 && !Contem(F, celula / FN, celula % FN)) return false;
  return true;
}

std::int64_t TMotorOrdem::ContarAte(std::span<const TDadoOrdem> ADados, std::int64_t ALimite) {
  if (!PrepararDados(ADados)) return 0;
  FLimite = ALimite;
  if (++FContagem == 0) {  // the stamps wrapped around: forget them all
    std::fill(FMemoContagem.begin(), FMemoContagem.end(), 0);
    FContagem = 1;
  }
  return ContarDesde(0, 0);
}

// Capped values are memoised only within one count, and every ancestor of a
// capped subtree is capped too, so the result is exactly min(count, cap).
std::int64_t TMotorOrdem::ContarDesde(std::uint32_t F, std::int32_t k) {
  const std::int32_t indice = IndiceForma(F);
  if (FMemoContagem[indice] == FContagem) return FMemo[indice];
  const std::int32_t r = k + 1;
  std::int64_t soma = 0;
  if (r > FMeio) {
    soma = FormaFinalValida(F) && CobreDados(F) ? 1 : 0;
  } else {
    for (std::int32_t a = 0; a < FN; ++a) {
      const std::int32_t comp = Comprimento(F, a);
      if (comp == FN || (a > 0 && Comprimento(F, a - 1) <= comp)) continue;
      const std::int32_t celula = a * FN + comp;
      if (FGR[r] >= 0 && FGR[r] != celula) continue;
      if (FGC[celula] != 0 && FGC[celula] != r) continue;
      const std::int64_t parte = ContarDesde(F + Celula(a), k + 1);
      if (parte >= FLimite - soma) {
        soma = FLimite;
        break;
      }
      soma += parte;
    }
  }
  FMemo[indice] = soma;
  FMemoContagem[indice] = FContagem;
  return soma;
}

std::int32_t TMotorOrdem::Contar(std::span<const TDadoOrdem> ADados, std::int32_t ALimite) {
  if (ALimite < 1) throw ECadrel("TMotorOrdem.Contar: o limite tem de ser pelo menos 1");
  return static_cast<std::int32_t>(ContarAte(ADados, ALimite));
}

std::int64_t TMotorOrdem::ContarExacto(std::span<const TDadoOrdem> ADados) {
  return ContarAte(ADados, std::numeric_limits<std::int64_t>::max());
}

// Draws the final shape by its number of fillings, then peels its corners
// from rank M down to 1, each weighted by the fillings of what remains.
std::vector<std::int32_t> TMotorOrdem::Amostrar(TGeradorAleatorio& ARng) {
  const auto numFinais = FFinais.size();
  for (std::size_t f = 0; f < numFinais; ++f) FPesos[f] = Maneiras(FFinais[f]);
  std::uint32_t F = FFinais[ARng.Ponderado(std::span(FPesos.data(), numFinais))];

  for (std::int32_t j = FMeio - 1; j >= 0; --j) {
    std::size_t n = 0;
    for (std::int32_t i = 0; i < FN; ++i)
      if (CantoRemovivel(F, i)) {
        FLinhasRemoviveis[n] = i;
        FPesos[n] = Maneiras(F - Celula(i));
        ++n;
      }
    const std::int32_t b = FLinhasRemoviveis[ARng.Ponderado(std::span(FPesos.data(), n))];
    FCelulaDoPosto[j] = b * FN + Comprimento(F, b) - 1;
    F -= Celula(b);
  }

  std::vector<std::int32_t> postos(FNN);
  for (std::int32_t j = 0; j < FMeio; ++j) {
    postos[FCelulaDoPosto[j]] = j + 1;
    postos[FNN - 1 - FCelulaDoPosto[j]] = FNN - j;
  }
  if (FImpar) postos[FCentro * FN + FCentro] = FMeio + 1;
  return postos;
}

}  // namespace cadrel
