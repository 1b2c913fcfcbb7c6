#include "construction/linear.hpp"

#include <cstddef>
#include <limits>
#include <utility>

#include "core/tipos.hpp"

namespace cadrel {

namespace {

using TVetor = std::vector<std::int64_t>;
using TTabela = std::vector<TVetor>;

// Room for the scalar steps of the reduction, which may briefly exceed 64 bits.
__extension__ typedef __int128 TInt128;

constexpr std::int64_t CLimiteProduto = (std::int64_t{1} << 62) - 1;
constexpr int CMaxPassosReducao = 1000;

[[noreturn]] void Excesso() { throw ECadrel("UnitCadrelLinear: excesso de Int64 na eliminacao"); }

// |x| without the overflow of std::abs at the most negative value.
std::uint64_t Magnitude(std::int64_t x) {
  return x < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
}

// Every stored entry keeps its magnitude below 2^63, so that negating it or
// dividing it by -1 stays defined; anything else is an overflow.
std::int64_t Exato(TInt128 x) {
  if (x <= std::numeric_limits<std::int64_t>::min() || x > std::numeric_limits<std::int64_t>::max())
    Excesso();
  return static_cast<std::int64_t>(x);
}

// The kernel and the reduction subtract a guarded product from an entry that
// has no bound of its own; only these subtractions need checking.
std::int64_t Subtrair(std::int64_t a, std::int64_t b) { return Exato(TInt128{a} - b); }

void DividirPeloMDC(TVetor& v) {
  std::int64_t g = 0;
  for (std::int64_t x : v) g = MDC(g, x);
  if (g < 2) return;
  for (std::int64_t& x : v) x /= g;
}

int ContarNaoNulos(const TVetor& v) {
  int n = 0;
  for (std::int64_t x : v) n += x != 0;
  return n;
}

std::int64_t ProdutoInterno(const TVetor& v, const TVetor& w) {
  TInt128 soma = 0;
  for (std::size_t l = 0; l < v.size(); ++l)
    if (__builtin_add_overflow(soma, TInt128{v[l]} * w[l], &soma)) Excesso();
  return Exato(soma);
}

// Floor of a / b for b > 0.
TInt128 DivisaoInferior(TInt128 a, TInt128 b) { return a >= 0 ? a / b : -((-a - 1 + b) / b); }

bool PrecedeVector(const TVetor& v, const TVetor& w) {
  const std::int64_t nv = ProdutoInterno(v, v);
  const std::int64_t nw = ProdutoInterno(w, w);
  if (nv != nw) return nv < nw;
  for (std::size_t l = 0; l < v.size(); ++l)
    if (v[l] != w[l]) return v[l] < w[l];
  return false;
}

// Insertion sort: stable, so vectors that compare equal keep their order.
void OrdenarBase(TTabela& base) {
  for (std::size_t i = 1; i < base.size(); ++i)
    for (std::size_t k = i; k > 0 && PrecedeVector(base[k], base[k - 1]); --k)
      std::swap(base[k], base[k - 1]);
}

}  // namespace

TEquacao Equacao(std::initializer_list<TTermo> ATermos) { return TEquacao{{ATermos.begin(), ATermos.end()}}; }

TEquacao Equacao(std::span<const TTermo> ATermos) { return TEquacao{{ATermos.begin(), ATermos.end()}}; }

std::int64_t MDC(std::int64_t A, std::int64_t B) {
  std::uint64_t a = Magnitude(A);
  std::uint64_t b = Magnitude(B);
  while (b != 0) {
    const std::uint64_t resto = a % b;
    a = b;
    b = resto;
  }
  // Only 2^63 itself, from the most negative value, has no signed form.
  if (a > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) Excesso();
  return static_cast<std::int64_t>(a);
}

std::int64_t MultSeguro(std::int64_t A, std::int64_t B) {
  if (A == 0 || B == 0) return 0;
  if (Magnitude(A) > static_cast<std::uint64_t>(CLimiteProduto) / Magnitude(B)) Excesso();
  return A * B;
}

std::vector<std::vector<std::int64_t>> ReduzirBase(const std::vector<std::vector<std::int64_t>>& ABase) {
  TTabela base = ABase;
  for (int passo = 1;; ++passo) {
    if (passo > CMaxPassosReducao) throw ECadrel("ReduzirBase: a reducao nao terminou");
    bool mudou = false;
    for (std::size_t j = 0; j < base.size(); ++j) {
      const std::int64_t b = ProdutoInterno(base[j], base[j]);
      if (b == 0) continue;
      for (std::size_t k = 0; k < base.size(); ++k) {
        if (k == j) continue;
        const TInt128 doisC = 2 * TInt128{ProdutoInterno(base[j], base[k])};
        if (doisC <= b && -doisC <= b) continue;
        // The integer nearest to c / b, halves upward.
        const std::int64_t e = Exato(DivisaoInferior(b + doisC, 2 * TInt128{b}));
        for (std::size_t l = 0; l < base[k].size(); ++l)
          base[k][l] = Subtrair(base[k][l], MultSeguro(e, base[j][l]));
        mudou = true;
      }
    }
    OrdenarBase(base);
    if (!mudou) return base;
  }
}

TMotorLinear::TMotorLinear(std::int32_t ANumVariaveis) : FNumVariaveis(ANumVariaveis) {
  if (ANumVariaveis < 1) throw ECadrel("TMotorLinear: numero de variaveis invalido");
}

void TMotorLinear::Limpar() {
  FEquacoes.clear();
  FPostoValido = false;
}

void TMotorLinear::Adicionar(const TEquacao& AEquacao) {
  for (const TTermo& t : AEquacao.Termos)
    if (t.Indice < 0 || t.Indice >= FNumVariaveis)
      throw ECadrel("TMotorLinear.Adicionar: indice de variavel fora do intervalo");
  FEquacoes.push_back(AEquacao);
  FPostoValido = false;
}

std::vector<std::vector<std::int64_t>> TMotorLinear::Coeficientes() const {
  TTabela m(FEquacoes.size(), TVetor(FNumVariaveis, 0));
  for (std::size_t e = 0; e < FEquacoes.size(); ++e)
    for (const TTermo& t : FEquacoes[e].Termos) m[e][t.Indice] += t.Coef;
  return m;
}

// Fraction-free elimination: rows are kept primitive, and each pair of
// products is guarded, so their difference fits without a check.
std::int32_t TMotorLinear::Posto() const {
  if (FPostoValido) return FPosto;
  TTabela m = Coeficientes();
  for (TVetor& linha : m) DividirPeloMDC(linha);
  const std::size_t E = m.size();
  const std::size_t V = static_cast<std::size_t>(FNumVariaveis);
  std::size_t r = 0;
  for (std::size_t c = 0; c < V && r < E; ++c) {
    std::size_t pivo = E;
    for (std::size_t k = r; k < E; ++k) {
      if (m[k][c] == 0) continue;
      if (pivo == E || Magnitude(m[k][c]) < Magnitude(m[pivo][c]) ||
          (Magnitude(m[k][c]) == Magnitude(m[pivo][c]) && ContarNaoNulos(m[k]) < ContarNaoNulos(m[pivo])))
        pivo = k;
    }
    if (pivo == E) continue;
    std::swap(m[r], m[pivo]);
    const std::int64_t p = m[r][c];
    for (std::size_t k = r + 1; k < E; ++k) {
      const std::int64_t a = m[k][c];
      if (a == 0) continue;
      const std::int64_t g = MDC(p, a);
      for (std::size_t j = c; j < V; ++j)
        m[k][j] = MultSeguro(p / g, m[k][j]) - MultSeguro(a / g, m[r][j]);
      DividirPeloMDC(m[k]);
    }
    ++r;
  }
  FPosto = static_cast<std::int32_t>(r);
  FPostoValido = true;
  return FPosto;
}

std::vector<std::vector<double>> TMotorLinear::EspacoNulo() const {
  const TTabela coef = Coeficientes();
  const std::size_t E = coef.size();
  const std::size_t V = static_cast<std::size_t>(FNumVariaveis);
  std::vector<std::vector<double>> m(E, std::vector<double>(V));
  for (std::size_t e = 0; e < E; ++e)
    for (std::size_t v = 0; v < V; ++v) m[e][v] = static_cast<double>(coef[e][v]);

  std::vector<std::size_t> pivos;
  std::vector<bool> ehPivo(V, false);
  std::size_t r = 0;
  for (std::size_t c = 0; c < V && r < E; ++c) {
    std::size_t melhor = E;
    double maior = 1e-9;
    for (std::size_t k = r; k < E; ++k) {
      const double a = m[k][c] < 0 ? -m[k][c] : m[k][c];
      if (a > maior) {
        maior = a;
        melhor = k;
      }
    }
    if (melhor == E) continue;
    std::swap(m[r], m[melhor]);
    const double p = m[r][c];
    for (std::size_t j = c; j < V; ++j) m[r][j] /= p;
    for (std::size_t k = 0; k < E; ++k) {
      const double f = m[k][c];
      if (k == r || f == 0.0) continue;
      for (std::size_t j = c; j < V; ++j) m[k][j] -= f * m[r][j];
    }
    pivos.push_back(c);
    ehPivo[c] = true;
    ++r;
  }

  std::vector<std::vector<double>> base;
  for (std::size_t f = 0; f < V; ++f) {
    if (ehPivo[f]) continue;
    std::vector<double> v(V, 0.0);
    v[f] = 1.0;
    for (std::size_t i = 0; i < r; ++i) v[pivos[i]] = -m[i][f];
    base.push_back(std::move(v));
  }
  return base;
}

// Unimodular row operations on the transpose, mirrored on an identity: the
// rows of the identity whose transposed rows end up zero span the integer
// kernel exactly.
std::vector<std::vector<std::int64_t>> TMotorLinear::NucleoInteiro() const {
  const TTabela m = Coeficientes();
  const std::size_t E = m.size();
  const std::size_t V = static_cast<std::size_t>(FNumVariaveis);
  TTabela t(V, TVetor(E, 0));
  TTabela u(V, TVetor(V, 0));
  for (std::size_t v = 0; v < V; ++v) {
    for (std::size_t e = 0; e < E; ++e) t[v][e] = m[e][v];
    u[v][v] = 1;
  }

  std::size_t r = 0;
  for (std::size_t c = 0; c < E && r < V; ++c) {
    for (;;) {
      std::size_t pivo = V;
      int naoNulos = 0;
      for (std::size_t p = r; p < V; ++p) {
        if (t[p][c] == 0) continue;
        ++naoNulos;
        if (pivo == V || Magnitude(t[p][c]) < Magnitude(t[pivo][c])) pivo = p;
      }
      if (naoNulos < 2) break;
      for (std::size_t p = r; p < V; ++p) {
        if (p == pivo || t[p][c] == 0) continue;
        const std::int64_t q = t[p][c] / t[pivo][c];
        for (std::size_t j = 0; j < E; ++j) t[p][j] = Subtrair(t[p][j], MultSeguro(q, t[pivo][j]));
        for (std::size_t j = 0; j < V; ++j) u[p][j] = Subtrair(u[p][j], MultSeguro(q, u[pivo][j]));
      }
    }
    for (std::size_t p = r; p < V; ++p) {
      if (t[p][c] == 0) continue;
      std::swap(t[r], t[p]);
      std::swap(u[r], u[p]);
      ++r;
      break;
    }
  }
  return TTabela(u.begin() + static_cast<std::ptrdiff_t>(r), u.end());
}

}  // namespace cadrel
