#include "construction/leis.hpp"

#include <cmath>
#include <iterator>

namespace cadrel {

namespace {

bool TemSoma(TReceita AReceita) { return AReceita.Leis.Contem(leiSOMD) || AReceita.Leis.Contem(leiSOMQ); }

}  // namespace

std::int32_t NumVariaveisGrelha(std::int32_t N) { return N * N + 1; }

TEquacao EquacaoTotal(std::int32_t N) {
  TEquacao eq;
  for (std::int32_t i = 0; i < N * N; ++i) eq.Termos.push_back(Termo(i, 1));
  eq.Termos.push_back(Termo(N * N, -N));
  return eq;
}

// Reversing the row-major index is the point reflection through the centre.
std::vector<TEquacao> EquacoesSIM(std::int32_t N) {
  const std::int32_t X = N * N;
  std::vector<TEquacao> eqs;
  for (std::int32_t e = 0; e < N * N; ++e) {
    const std::int32_t f = CelulaOposta(N, e);
    if (e < f)
      eqs.push_back(Equacao({Termo(e, N), Termo(f, N), Termo(X, -2)}));
    else if (e == f)
      eqs.push_back(Equacao({Termo(e, N), Termo(X, -1)}));
  }
  return eqs;
}

// The rectangles anchored at the top-left cell imply the law for all others.
std::vector<TEquacao> EquacoesTAB(std::int32_t N) {
  std::vector<TEquacao> eqs;
  for (std::int32_t i = 1; i < N; ++i)
    for (std::int32_t j = 1; j < N; ++j)
      eqs.push_back(Equacao({Termo(N * i + j, 1), Termo(0, 1), Termo(N * i, -1), Termo(j, -1)}));
  return eqs;
}

TEquacao EquacaoLinha(std::int32_t N, std::span<const std::int32_t> ACelulas) {
  TEquacao eq;
  for (std::int32_t celula : ACelulas) eq.Termos.push_back(Termo(celula, 1));
  eq.Termos.push_back(Termo(N * N, -1));
  return eq;
}

// The sum lines of the grid geometry come in exactly the order these
// equations need: rows, columns, then the diagonals.
std::vector<TEquacao> EquacoesSOM(std::int32_t N, bool AQuebradas) {
  const TLinhasSoma linhas = ConstruirLinhas(N, ReceitaDeLeis({AQuebradas ? leiSOMQ : leiSOMD}));
  std::vector<TEquacao> eqs;
  for (const std::vector<std::int32_t>& celulas : linhas.Celulas) eqs.push_back(EquacaoLinha(N, celulas));
  return eqs;
}

std::vector<TEquacao> EquacoesReceita(std::int32_t N, TReceita AReceita) {
  std::vector<TEquacao> eqs{EquacaoTotal(N)};
  auto juntar = [&eqs](std::vector<TEquacao> bloco) {
    eqs.insert(eqs.end(), std::make_move_iterator(bloco.begin()), std::make_move_iterator(bloco.end()));
  };
  if (AReceita.Leis.Contem(leiSIM)) juntar(EquacoesSIM(N));
  if (AReceita.Leis.Contem(leiTAB)) juntar(EquacoesTAB(N));
  if (TemSoma(AReceita)) juntar(EquacoesSOM(N, AReceita.Leis.Contem(leiSOMQ)));
  return eqs;
}

void CarregarReceita(TMotorLinear& AMotor, std::int32_t N, TReceita AReceita) {
  if (AMotor.NumVariaveis() != NumVariaveisGrelha(N))
    throw ECadrel("CarregarReceita: o motor nao tem N*N+1 variaveis");
  for (const TEquacao& eq : EquacoesReceita(N, AReceita)) AMotor.Adicionar(eq);
}

bool LeisCompativeis(TReceita AReceita) {
  return !(TemSoma(AReceita) && (AReceita.Leis.Contem(leiORD) || AReceita.Leis.Contem(leiTAB)));
}

bool ReceitaAdmiteDistintos(std::int32_t N, TReceita AReceita) {
  TMotorLinear motor(NumVariaveisGrelha(N));
  CarregarReceita(motor, N, AReceita);
  const std::vector<std::vector<double>> base = motor.EspacoNulo();
  if (base.empty()) return false;
  for (std::int32_t i = 0; i < N * N - 1; ++i)
    for (std::int32_t j = i + 1; j < N * N; ++j) {
      bool sempreIguais = true;
      for (const std::vector<double>& v : base)
        if (std::fabs(v[i] - v[j]) > 1e-9) {
          sempreIguais = false;
          break;
        }
      if (sempreIguais) return false;
    }
  return true;
}

bool VerificarLeis(const TSolucao& ASolucao, TReceita AReceita) {
  const std::int32_t N = ASolucao.N;
  const std::vector<std::int32_t>& v = ASolucao.Valores;
  if (N <= 1 || static_cast<std::int64_t>(N) * N != static_cast<std::int64_t>(v.size())) return false;
  const std::int32_t NN = N * N;
  std::int64_t total = 0;
  for (std::int32_t x : v) total += x;

  if (AReceita.Leis.Contem(leiSIM)) {
    if (2 * total % NN != 0) return false;
    const std::int64_t K = 2 * total / NN;
    for (std::int32_t i = 0; i < NN; ++i)
      if (std::int64_t{v[i]} + v[CelulaOposta(N, i)] != K) return false;
  }
  if (AReceita.Leis.Contem(leiTAB)) {
    for (const TRectangulo& r : ConstruirRectangulos(N, AReceita))
      if (std::int64_t{v[r.A]} + v[r.D] != std::int64_t{v[r.B]} + v[r.C]) return false;
  }
  if (AReceita.Leis.Contem(leiORD)) {
    for (std::int32_t r = 0; r < N; ++r)
      for (std::int32_t c = 0; c < N; ++c) {
        const std::int32_t i = r * N + c;
        if (c < N - 1 && v[i] >= v[i + 1]) return false;
        if (r < N - 1 && v[i] >= v[i + N]) return false;
      }
  }
  // A total that N does not divide rejects the grid before any line is summed.
  if (TemSoma(AReceita)) {
    if (total % N != 0) return false;
    const std::int64_t S = total / N;
    for (const std::vector<std::int32_t>& linha : ConstruirLinhas(N, AReceita).Celulas) {
      std::int64_t soma = 0;
      for (std::int32_t celula : linha) soma += v[celula];
      if (soma != S) return false;
    }
  }
  return true;
}

}  // namespace cadrel
