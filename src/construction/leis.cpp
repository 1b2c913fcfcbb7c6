#include "construction/leis.hpp"

#include <cmath>
#include <iterator>

#include <fmt/format.h>

#include "core/traducao.hpp"

namespace cadrel {


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
  if (TemSomas(AReceita.Leis)) juntar(EquacoesSOM(N, AReceita.Leis.Contem(leiSOMQ)));
  return eqs;
}

void CarregarReceita(TMotorLinear& AMotor, std::int32_t N, TReceita AReceita) {
  if (AMotor.NumVariaveis() != NumVariaveisGrelha(N))
    throw ECadrel("CarregarReceita: o motor nao tem N*N+1 variaveis");
  for (const TEquacao& eq : EquacoesReceita(N, AReceita)) AMotor.Adicionar(eq);
}

bool LeisCompativeis(TReceita AReceita) {
  return !(TemSomas(AReceita.Leis) && (AReceita.Leis.Contem(leiORD) || AReceita.Leis.Contem(leiTAB)));
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
  if (TemSomas(AReceita.Leis)) {
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

std::string ConflitoNosDados(std::int32_t N, TReceita AReceita, std::span<const std::int32_t> AConjunto,
                             std::span<const std::int32_t> ADados) {
  const std::int32_t NN = N * N;
  std::int64_t total = 0;
  for (std::int32_t x : AConjunto) total += x;
  const auto nome = [N](std::int32_t c) { return NomeCelula(N, c, IdiomaDoPrograma()); };

  if (AReceita.Leis.Contem(leiSIM)) {
    const std::int64_t K = 2 * total / NN;
    for (std::int32_t c = 0; c < NN; ++c) {
      const std::int32_t o = CelulaOposta(N, c);
      if (o < c || ADados[c] == 0 || ADados[o] == 0 || std::int64_t{ADados[c]} + ADados[o] == K) continue;
      if (o == c)
        return FormatarP("lei SIM: o centro {} tem {}, cujo dobro não é K = {}", nome(c), ADados[c], K);
      return FormatarP("lei SIM: {} ({}) e {} ({}) somam {}, e não K = {}", nome(c), ADados[c], nome(o),
                       ADados[o], ADados[c] + ADados[o], K);
    }
  }
  if (AReceita.Leis.Contem(leiORD)) {
    // Order is transitive: a cell is below every cell to its right and below it.
    for (std::int32_t a = 0; a < NN; ++a)
      for (std::int32_t b = 0; b < NN; ++b)
        if (a != b && ADados[a] != 0 && ADados[b] != 0 && a / N <= b / N && a % N <= b % N &&
            ADados[a] >= ADados[b])
          return FormatarP("lei ORD: {} ({}) tem de ser menor do que {} ({})", nome(a), ADados[a], nome(b),
                           ADados[b]);
  }
  if (AReceita.Leis.Contem(leiTAB)) {
    for (const TRectangulo& r : ConstruirRectangulos(N, AReceita)) {
      const std::int32_t a = ADados[r.A], b = ADados[r.B], c = ADados[r.C], d = ADados[r.D];
      if (a == 0 || b == 0 || c == 0 || d == 0 || a + d == b + c) continue;
      return FormatarP("lei TAB: {} + {} = {}, mas {} + {} = {}", nome(r.A), nome(r.D), a + d, nome(r.B),
                       nome(r.C), b + c);
    }
  }
  if (TemSomas(AReceita.Leis)) {
    const std::int64_t S = total / N;
    const TLinhasSoma linhas = ConstruirLinhas(N, AReceita, IdiomaDoPrograma());
    for (std::size_t l = 0; l < linhas.Celulas.size(); ++l) {
      std::int64_t soma = 0;
      bool completa = true;
      for (std::int32_t c : linhas.Celulas[l]) {
        soma += ADados[c];
        completa = completa && ADados[c] != 0;
      }
      if (completa && soma != S)
        return FormatarP("lei {}: a {} soma {}, e não S = {}", AReceita.Leis.Contem(leiSOMQ) ? "SOM-Q" : "SOM-D",
                         linhas.Nomes[l], soma, S);
      if (!completa && soma >= S)
        return FormatarP("lei {}: os números dados na {} já somam {}, e a linha soma S = {}",
                         AReceita.Leis.Contem(leiSOMQ) ? "SOM-Q" : "SOM-D", linhas.Nomes[l], soma, S);
    }
  }
  return {};
}

}  // namespace cadrel
