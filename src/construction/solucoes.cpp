#include "construction/solucoes.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <utility>

#include <fmt/format.h>

#include "construction/leis.hpp"
#include "construction/linear.hpp"
#include "core/bits.hpp"

namespace cadrel {

// ---------------------------------------------------------------- boxes ---

void OrdenarInteiros(std::span<std::int32_t> AValores) {
  for (std::size_t i = 1; i < AValores.size(); ++i) {
    const std::int32_t v = AValores[i];
    std::size_t j = i;
    for (; j > 0 && AValores[j - 1] > v; --j) AValores[j] = AValores[j - 1];
    AValores[j] = v;
  }
}

bool ConjuntoValido(std::span<const std::int32_t> AValores) {
  if (AValores.empty()) return false;
  // Values 1 .. 99 as bits of two words: a repeat finds its bit set, and a
  // run of four shows as four set bits in a row.
  std::array<std::uint64_t, 2> presenca{};
  for (const std::int32_t v : AValores) {
    if (v < CMinValor || v > CMaxValor) return false;
    std::uint64_t& palavra = presenca[static_cast<std::size_t>(v >> 6)];
    const std::uint64_t bit = std::uint64_t{1} << (v & 63);
    if ((palavra & bit) != 0) return false;
    palavra |= bit;
  }
  return (InicioDeQuatro(presenca[0], presenca[1]) | InicioDeQuatro(presenca[1], 0)) == 0;
}

TSolucao ConfirmarSolucao(std::int32_t N, std::span<const std::int32_t> AValores, TReceita AReceita) {
  if (!ConjuntoValido(AValores)) throw ECadrel("ConfirmarSolucao: conjunto de numeros invalido");
  TSolucao solucao{N, std::vector<std::int32_t>(AValores.begin(), AValores.end())};
  if (!VerificarLeis(solucao, AReceita))
    throw ECadrel("ConfirmarSolucao: o verificador rejeitou a solucao gerada");
  return solucao;
}

TSolucao FinalizarSolucao(std::int32_t N, std::span<const std::int32_t> AValores, TReceita AReceita,
                          TGeradorAleatorio& ARng) {
  const auto [menor, maior] = std::minmax_element(AValores.begin(), AValores.end());
  const std::int64_t lo = *menor;
  const std::int64_t amplitude = static_cast<std::int64_t>(*maior) - lo;
  if (amplitude > CMaxValor - CMinValor)
    throw ECadrel("FinalizarSolucao: intervalo excede [CMinValor, CMaxValor]");
  const std::int32_t desvio = ARng.Entre(0, CMaxValor - CMinValor - static_cast<std::int32_t>(amplitude));
  std::vector<std::int32_t> deslocados(AValores.size());
  for (std::size_t i = 0; i < AValores.size(); ++i)
    deslocados[i] = static_cast<std::int32_t>(AValores[i] - lo + CMinValor + desvio);
  return ConfirmarSolucao(N, deslocados, AReceita);
}

namespace {

// Candidates whose cells span fewer values than this are costed from a bitmap
// of the values present, without sorting; wider ones are sorted.
constexpr std::int64_t CBitsPresenca = 512;

std::int64_t ExcessoSequencia(std::int64_t ASequencia) { return ASequencia >= 4 ? ASequencia - 3 : 0; }

// Repeated values and the excess of runs over three, from the sorted values.
std::pair<std::int64_t, std::int64_t> RepetidosEExcessoOrdenando(std::span<const std::int64_t> ACelulas,
                                                                 std::span<std::int64_t> AOrd) {
  const std::span<std::int64_t> ord = AOrd.first(ACelulas.size());
  std::copy(ACelulas.begin(), ACelulas.end(), ord.begin());
  std::sort(ord.begin(), ord.end());
  std::int64_t repetidos = 0, excesso = 0, sequencia = 1;
  for (std::size_t i = 1; i < ord.size(); ++i) {
    // A repeated value neither extends nor breaks a run.
    if (ord[i] == ord[i - 1]) {
      ++repetidos;
    } else if (ord[i] == ord[i - 1] + 1) {
      ++sequencia;
    } else {
      excesso += ExcessoSequencia(sequencia);
      sequencia = 1;
    }
  }
  return {repetidos, excesso + ExcessoSequencia(sequencia)};
}

// The same from a bitmap of the values present: a run of L >= 4 values is
// L - 3 places where four set bits start.
std::pair<std::int64_t, std::int64_t> RepetidosEExcessoContando(std::span<const std::int64_t> ACelulas,
                                                                std::int64_t AMenor, std::int64_t AAmplitude) {
  std::array<std::uint64_t, CBitsPresenca / 64> presenca;
  const auto palavras = std::span(presenca).first(static_cast<std::size_t>(AAmplitude / 64 + 1));
  std::fill(palavras.begin(), palavras.end(), 0);
  for (const std::int64_t v : ACelulas) palavras[(v - AMenor) >> 6] |= std::uint64_t{1} << ((v - AMenor) & 63);

  std::int64_t distintos = 0, excesso = 0;
  for (std::size_t w = 0; w < palavras.size(); ++w) {
    distintos += ContarBits(palavras[w]);
    excesso += ContarBits(InicioDeQuatro(palavras[w], w + 1 < palavras.size() ? palavras[w + 1] : 0));
  }
  return {static_cast<std::int64_t>(ACelulas.size()) - distintos, excesso};
}

}  // namespace

std::int64_t Custo(std::span<const std::int64_t> ACelulas, std::span<std::int64_t> AOrd) {
  const auto [menor, maior] = std::minmax_element(ACelulas.begin(), ACelulas.end());
  const std::int64_t amplitude = *maior - *menor;
  const auto [repetidos, excesso] = amplitude < CBitsPresenca
                                        ? RepetidosEExcessoContando(ACelulas, *menor, amplitude)
                                        : RepetidosEExcessoOrdenando(ACelulas, AOrd);
  const std::int64_t espalhamento = std::max<std::int64_t>(0, amplitude - (CMaxValor - CMinValor));
  return espalhamento + 6 * repetidos + 2 * excesso;
}

// -------------------------------------------------------- lattice search ---

namespace {
// Steps, or two-phase attempts, between two looks at the stop flag.
constexpr int CPassosEntreParagens = 1024;
constexpr std::int64_t CMaxEntradaBase = 100000;
constexpr std::array<std::int32_t, 4> CPassosVizinho{-2, -1, 1, 2};
}  // namespace

TGeradorRede::TGeradorRede(std::int32_t N, TReceita AReceita, TLimitesRede ALimites)
    : FN(N), FReceita(AReceita), FLimites(ALimites), FNV(N * N + 1) {
  std::vector<std::vector<std::int64_t>> nucleo;
  {
    TMotorLinear motor(FNV);
    CarregarReceita(motor, N, AReceita);
    nucleo = motor.NucleoInteiro();
  }
  const auto base = ReduzirBase(nucleo);
  FDim = static_cast<std::int32_t>(base.size());
  if (FDim == 0) throw ECadrel("TGeradorRede: a receita nao admite solucoes nao nulas");

  FBase.assign(FDim, std::vector<std::int32_t>(FNV));
  for (std::int32_t j = 0; j < FDim; ++j)
    for (std::int32_t l = 0; l < FNV; ++l) {
      const std::int64_t v = base[j][l];
      if (v > CMaxEntradaBase || v < -CMaxEntradaBase)
        throw ECadrel("TGeradorRede: base reduzida com entradas demasiado grandes");
      FBase[j][l] = static_cast<std::int32_t>(v);
    }
  FX.resize(FNV);
  FY.resize(FNV);
  FOrd.resize(N * N);
  FCelulas.resize(N * N);
}

std::int64_t TGeradorRede::CustoDe(const std::vector<std::int64_t>& AVector) {
  return Custo(std::span<const std::int64_t>(AVector).first(FN * FN), FOrd);
}

bool TGeradorRede::Procurar(TGeradorAleatorio& ARng) {
  std::fill(FX.begin(), FX.end(), 0);
  for (std::int32_t j = 0; j < FDim; ++j) {
    const std::int64_t a = ARng.Entre(-3, 3);
    for (std::int32_t l = 0; l < FNV; ++l) FX[l] += a * FBase[j][l];
  }
  std::int64_t custo = CustoDe(FX);
  for (std::int32_t k = 0; custo != 0 && k < FLimites.Passos; ++k) {
    if (k % CPassosEntreParagens == 0) FParagem.Verificar();
    const std::int32_t i = ARng.Limite(FDim);
    const std::int64_t m = CPassosVizinho[ARng.Limite(4)];
    for (std::int32_t l = 0; l < FNV; ++l) FY[l] = FX[l] + m * FBase[i][l];
    const std::int64_t c = CustoDe(FY);

    bool aceitar = c <= custo;
    if (!aceitar) {
      // A worse neighbour is taken with probability 1 / ((c - custo) * t + 1),
      // t growing from 1 to 6 over the search.
      const std::int64_t t = 1 + (6 * static_cast<std::int64_t>(k)) / FLimites.Passos;
      const std::int64_t limite = std::min<std::int64_t>((c - custo) * t + 1, std::numeric_limits<std::int32_t>::max());
      aceitar = ARng.Limite(static_cast<std::int32_t>(limite)) == 0;
    }
    if (aceitar) {
      std::swap(FX, FY);
      custo = c;
    }
  }
  return custo == 0;
}

TSolucao TGeradorRede::Gerar(TGeradorAleatorio& ARng) {
  for (FTentativas = 1; FTentativas <= FLimites.Reinicios; ++FTentativas) {
    if (!Procurar(ARng)) continue;
    // A zero penalty bounds the span to 98; moving the smallest cell to 0
    // keeps the values small without changing the placed grid.
    const std::int64_t menor = *std::min_element(FX.begin(), FX.begin() + FN * FN);
    for (std::int32_t c = 0; c < FN * FN; ++c) FCelulas[c] = static_cast<std::int32_t>(FX[c] - menor);
    return FinalizarSolucao(FN, FCelulas, FReceita, ARng);
  }
  throw ESemSolucao(fmt::format("TGeradorRede: sem solucao para {} em {}x{} apos {} reinicios",
                                NomeReceita(FReceita), FN, FN, FLimites.Reinicios));
}

// ------------------------------------------------------------ two phases ---

namespace {
constexpr int CTentativasDuasFases = 20000;
constexpr int CCandidatos = 44;
constexpr int CDeslocDiferenca = 2 * CCandidatos;  // differences -88 .. 88
}  // namespace

TGeradorDuasFases::TGeradorDuasFases(std::int32_t N, TReceita AReceita) : FN(N), FReceita(AReceita) {
  if (N % 2 == 0 || N % 3 == 0) throw ECadrel("TGeradorDuasFases: N tem de ser impar e nao multiplo de 3");
  if (AReceita.Leis != CLeisSOMQSIM) throw ECadrel("TGeradorDuasFases: so serve para SOM-Q+SIM");
  // Index i meets index (a - i) mod N in the opposite cell.
  const std::int32_t a = (3 * N - 3) % N;
  for (std::int32_t i = 0; i < N; ++i) {
    const std::int32_t p = (N + (a - i) % N) % N;
    if (i < p) {
      FParS.push_back(i);
      FParT.push_back(p);
    } else if (i == p) {
      FFixo = i;
    }
  }
  if (FFixo < 0 || static_cast<std::int32_t>(FParS.size()) != (N - 1) / 2)
    throw ECadrel("TGeradorDuasFases: estrutura de pares inesperada");
}

bool TGeradorDuasFases::Tentar(TGeradorAleatorio& ARng, std::vector<std::int32_t>& AGrelha) const {
  const auto m = static_cast<std::int32_t>(FParS.size());

  // First phase: m distinct numbers of 1..44 by a partial shuffle.
  std::array<std::int32_t, CCandidatos> P;
  for (int i = 0; i < CCandidatos; ++i) P[i] = i + 1;
  for (std::int32_t p = 0; p < m; ++p) std::swap(P[p], P[p + ARng.Limite(CCandidatos - p)]);

  std::array<std::int32_t, CCandidatos> D;
  std::int32_t numD = 0;
  D[numD++] = 0;
  for (std::int32_t p = 0; p < m; ++p) {
    D[numD++] = P[p];
    D[numD++] = -P[p];
  }
  std::array<bool, 2 * CDeslocDiferenca + 1> marcada{};
  for (std::int32_t s = 0; s < numD; ++s)
    for (std::int32_t t = 0; t < numD; ++t)
      if (s != t) marcada[D[s] - D[t] + CDeslocDiferenca] = true;
  auto livre = [&marcada](std::int32_t d) { return !marcada[d + CDeslocDiferenca]; };

  // Second phase: the differences of the second set must avoid the first's,
  // so that all the sums d + e differ.
  std::vector<std::int32_t> Q(CCandidatos);
  for (int i = 0; i < CCandidatos; ++i) Q[i] = i + 1;
  Embaralhar(ARng, Q);

  std::array<std::int32_t, CCandidatos> E;
  std::array<std::int32_t, CCandidatos> F;
  std::int32_t numE = 0, numF = 0;
  E[numE++] = 0;
  for (std::int32_t q = 0; q < CCandidatos && numF < m; ++q) {
    const std::int32_t f = Q[q];
    bool aceite = livre(2 * f) && livre(-2 * f);
    for (std::int32_t i = 0; aceite && i < numE; ++i) {
      const std::int32_t e = E[i];
      aceite = livre(f - e) && livre(e - f) && livre(-f - e) && livre(f + e);
    }
    if (aceite) {
      E[numE++] = f;
      E[numE++] = -f;
      F[numF++] = f;
    }
  }
  if (numF < m) return false;

  std::vector<std::int32_t> A(FN, 0), B(FN, 0);
  for (std::int32_t p = 0; p < m; ++p) {
    A[FParS[p]] = -P[p];
    A[FParT[p]] = P[p];
    B[FParS[p]] = -F[p];
    B[FParT[p]] = F[p];
  }
  for (std::int32_t r = 0; r < FN; ++r)
    for (std::int32_t c = 0; c < FN; ++c) AGrelha[r * FN + c] = A[(r + 2 * c) % FN] + B[(2 * r + c) % FN];

  std::vector<std::int32_t> deslocada(AGrelha);
  const std::int32_t menor = *std::min_element(deslocada.begin(), deslocada.end());
  for (auto& v : deslocada) v = v - menor + 1;
  return ConjuntoValido(deslocada);
}

TSolucao TGeradorDuasFases::Gerar(TGeradorAleatorio& ARng) {
  std::vector<std::int32_t> grelha(FN * FN);
  for (FTentativas = 1; FTentativas <= CTentativasDuasFases; ++FTentativas) {
    if (FTentativas % CPassosEntreParagens == 0) FParagem.Verificar();
    if (Tentar(ARng, grelha)) return FinalizarSolucao(FN, grelha, FReceita, ARng);
  }
  throw ESemSolucao(fmt::format("TGeradorDuasFases: sem solucao para {}x{} apos {} tentativas", FN, FN,
                            CTentativasDuasFases));
}

// ------------------------------------------------------ order + symmetry ---

namespace {
constexpr int CTentativasConjunto = 5000;

// The values x with max(K - 99, 1) <= x < K - x <= 99.
std::int32_t PrimeiroParceiro(std::int32_t K) { return std::max(K - CMaxValor, CMinValor); }
std::int32_t NumParceiros(std::int32_t K) { return (K - 1) / 2 - PrimeiroParceiro(K) + 1; }
}  // namespace

TGeradorOrdemSimetrica::TGeradorOrdemSimetrica(std::int32_t N, TReceita AReceita) : FN(N), FReceita(AReceita) {
  if (AReceita.Leis != CLeisORDSIM) throw ECadrel("TGeradorOrdemSimetrica: so serve para ORD+SIM");
  FMotor = std::make_unique<TMotorOrdem>(N);
  const std::int32_t nn = N * N;
  for (std::int32_t K = 3; K <= 2 * CMaxValor + 1; ++K) {
    if (nn % 2 == 1 && K % 2 == 1) continue;  // the centre holds K / 2
    if (NumParceiros(K) >= nn / 2) FKs.push_back(K);
  }
  if (FKs.empty()) throw ECadrel("TGeradorOrdemSimetrica: nenhum K admite o conjunto");
}

std::vector<std::int32_t> TGeradorOrdemSimetrica::EscolherConjunto(TGeradorAleatorio& ARng) {
  const std::int32_t nn = FN * FN;
  const std::int32_t metade = nn / 2;
  std::vector<std::int32_t> parceiros, conjunto(nn);
  for (FTentativas = 1; FTentativas <= CTentativasConjunto; ++FTentativas) {
    const std::int32_t K = FKs[ARng.Limite(static_cast<std::int32_t>(FKs.size()))];
    const std::int32_t lo = PrimeiroParceiro(K);
    const std::int32_t cnt = NumParceiros(K);
    parceiros.resize(cnt);
    for (std::int32_t i = 0; i < cnt; ++i) parceiros[i] = lo + i;
    for (std::int32_t i = 0; i < metade; ++i) std::swap(parceiros[i], parceiros[i + ARng.Limite(cnt - i)]);
    const std::span<std::int32_t> baixos(parceiros.data(), metade);
    OrdenarInteiros(baixos);
    for (std::int32_t i = 0; i < metade; ++i) {
      conjunto[i] = baixos[i];
      conjunto[nn - 1 - i] = K - baixos[i];
    }
    if (nn % 2 == 1) conjunto[metade] = K / 2;
    if (ConjuntoValido(conjunto)) return conjunto;
  }
  throw ESemSolucao(fmt::format("TGeradorOrdemSimetrica: sem conjunto valido para {}x{} apos {} tentativas", FN, FN,
                            CTentativasConjunto));
}

TSolucao TGeradorOrdemSimetrica::Gerar(TGeradorAleatorio& ARng) {
  const std::vector<std::int32_t> postos = FMotor->Amostrar(ARng);
  const std::vector<std::int32_t> numeros = EscolherConjunto(ARng);
  std::vector<std::int32_t> grelha(FN * FN);
  for (std::int32_t i = 0; i < FN * FN; ++i) grelha[i] = numeros[postos[i] - 1];
  return ConfirmarSolucao(FN, grelha, FReceita);
}

// --------------------------------------------------------------- factory ---

bool ReceitaSuportada(std::int32_t N, TReceita AReceita) {
  if (N < 4 || N > 7) return false;
  if (AReceita.Leis.Contem(leiORD) && AReceita.Leis != CLeisORDSIM) return false;
  return LeisCompativeis(AReceita) && ReceitaAdmiteDistintos(N, AReceita);
}

std::shared_ptr<IGeradorSolucao> CriarGeradorSolucao(std::int32_t N, TReceita AReceita) {
  if (!ReceitaSuportada(N, AReceita))
    throw ECadrel(fmt::format("Sem gerador de solucao para {} em {}x{}", NomeReceita(AReceita), N, N));
  if (AReceita.Leis == CLeisORDSIM) return std::make_shared<TGeradorOrdemSimetrica>(N, AReceita);
  if (N == 7 && AReceita.Leis == CLeisSOMQSIM) return std::make_shared<TGeradorDuasFases>(N, AReceita);
  return std::make_shared<TGeradorRede>(N, AReceita);
}

}  // namespace cadrel
