#include "core/tipos.hpp"

#include <algorithm>

#include <fmt/format.h>

#include "core/texto.hpp"
#include "core/traducao.hpp"

namespace cadrel {

std::int32_t CodigoReceita(TReceita AReceita) {
  std::int32_t codigo = 0;
  for (int i = 0; i < CNumLeis; ++i)
    if (AReceita.Leis.Contem(static_cast<TLei>(i))) codigo |= 1 << i;
  return codigo;
}

TReceita ReceitaDeLeis(TConjuntoLeis ALeis) { return TReceita{ALeis}; }

std::string NomeReceita(TReceita AReceita) {
  const TConjuntoLeis& leis = AReceita.Leis;
  std::string nome;
  auto juntar = [&nome](TLei ALei) {
    if (!nome.empty()) nome += '+';
    nome += SiglaLei(ALei);
  };
  if (leis.Contem(leiORD)) juntar(leiORD);
  if (leis.Contem(leiTAB)) juntar(leiTAB);
  if (leis.Contem(leiSOMQ))
    juntar(leiSOMQ);
  else if (leis.Contem(leiSOMD))
    juntar(leiSOMD);
  if (leis.Contem(leiSIM)) juntar(leiSIM);
  return nome.empty() ? "(sem leis)" : nome;
}

std::optional<TConjuntoLeis> LeisDoNome(std::string_view ANome) {
  const auto it = std::find_if(CNomesLeis.begin(), CNomesLeis.end(),
                               [ANome](const TNomeLei& n) { return IguaisSemCaixa(n.Nome, ANome); });
  if (it == CNomesLeis.end()) return std::nullopt;
  return it->Leis;
}

std::string NomesLeis(TConjuntoLeis ALeis, TIdioma AIdioma) {
  std::string nomes;
  for (const TNomeLei& n : CNomesLeis) {
    if ((ALeis.Bits() & n.Leis.Bits()) == 0) continue;
    if (!nomes.empty()) nomes += ", ";
    nomes += Tr(AIdioma, n.Nome.data());
  }
  return nomes;
}

std::string NomeTecnica(TTecnica ATecnica) {
  if (ATecnica >= tecT1 && ATecnica <= tecT6) return fmt::format("T{}", static_cast<int>(ATecnica));
  return "-";
}

std::int32_t PesoTecnica(TTecnica ATecnica) {
  switch (ATecnica) {
    case tecT1:
    case tecT2: return 1;
    case tecT3:
    case tecT4: return 2;
    case tecT5: return 3;
    case tecT6: return 4;
    default: return 0;
  }
}

std::int32_t IndexarConjunto(std::span<const std::int32_t> AConjunto, std::span<std::int32_t> AIdxValor,
                             std::string_view AOrigem) {
  std::fill(AIdxValor.begin(), AIdxValor.end(), -1);
  std::int32_t total = 0;
  for (std::size_t i = 0; i < AConjunto.size(); ++i) {
    const std::int32_t v = AConjunto[i];
    if (v < CMinValor || v > CMaxValor)
      throw ECadrel(std::string(AOrigem) + ": numero do conjunto fora de [CMinValor, CMaxValor]");
    if (i > 0 && v <= AConjunto[i - 1])
      throw ECadrel(std::string(AOrigem) + ": o conjunto tem de ser estritamente crescente");
    AIdxValor[v] = static_cast<std::int32_t>(i);
    total += v;
  }
  return total;
}

std::int32_t MaxOperandosPasso(std::int32_t N) { return N - 1; }

std::int32_t MaxOperandosTotal(std::int32_t N) { return 5 * N * N; }

TLinhasSoma ConstruirLinhas(std::int32_t N, TReceita AReceita, TIdioma AIdioma) {
  TLinhasSoma linhas;
  const bool somaQ = AReceita.Leis.Contem(leiSOMQ);
  if (!somaQ && !AReceita.Leis.Contem(leiSOMD)) return linhas;

  auto adicionar = [&linhas, N](std::string nome, auto celula) {
    std::vector<std::int32_t> celulas(N);
    for (std::int32_t i = 0; i < N; ++i) celulas[i] = celula(i);
    linhas.Celulas.push_back(std::move(celulas));
    linhas.Nomes.push_back(std::move(nome));
  };

  const auto nome = [](const char* AModelo, std::int32_t ANumero) {
    return fmt::format(fmt::runtime(AModelo), ANumero);
  };
  for (std::int32_t r = 0; r < N; ++r)
    adicionar(nome(Tr(AIdioma, "linha {}"), r + 1), [=](std::int32_t c) { return r * N + c; });
  for (std::int32_t c = 0; c < N; ++c)
    adicionar(nome(Tr(AIdioma, "coluna {}"), c + 1), [=](std::int32_t r) { return r * N + c; });

  if (somaQ) {
    for (std::int32_t k = 0; k < N; ++k) {
      adicionar(nome(Tr(AIdioma, "diagonal quebrada {}"), k + 1),
                [=](std::int32_t i) { return i * N + (i + k) % N; });
      adicionar(nome(Tr(AIdioma, "diagonal quebrada inversa {}"), k + 1),
                [=](std::int32_t i) { return i * N + (N + (k - i) % N) % N; });
    }
  } else {
    adicionar(Tr(AIdioma, "diagonal"), [=](std::int32_t i) { return i * N + i; });
    adicionar(Tr(AIdioma, "diagonal inversa"), [=](std::int32_t i) { return i * N + (N - 1 - i); });
  }
  return linhas;
}

std::vector<TRectangulo> ConstruirRectangulos(std::int32_t N, TReceita AReceita) {
  std::vector<TRectangulo> rects;
  if (!AReceita.Leis.Contem(leiTAB)) return rects;
  rects.reserve(static_cast<std::size_t>(N * (N - 1) / 2) * (N * (N - 1) / 2));
  for (std::int32_t r1 = 0; r1 <= N - 2; ++r1)
    for (std::int32_t r2 = r1 + 1; r2 <= N - 1; ++r2)
      for (std::int32_t c1 = 0; c1 <= N - 2; ++c1)
        for (std::int32_t c2 = c1 + 1; c2 <= N - 1; ++c2)
          rects.push_back({r1 * N + c1, r1 * N + c2, r2 * N + c1, r2 * N + c2});
  return rects;
}

std::vector<std::vector<std::int32_t>> LinhasPorCelula(
    std::int32_t N, const std::vector<std::vector<std::int32_t>>& ALinhas) {
  std::vector<std::vector<std::int32_t>> porCelula(N * N);
  for (std::size_t l = 0; l < ALinhas.size(); ++l)
    for (std::int32_t celula : ALinhas[l]) porCelula[celula].push_back(static_cast<std::int32_t>(l));
  return porCelula;
}

std::vector<std::vector<std::int32_t>> RectangulosPorCelula(
    std::int32_t N, const std::vector<TRectangulo>& ARects) {
  std::vector<std::vector<std::int32_t>> porCelula(N * N);
  for (std::size_t i = 0; i < ARects.size(); ++i) {
    const TRectangulo& r = ARects[i];
    for (std::int32_t canto : {r.A, r.B, r.C, r.D})
      porCelula[canto].push_back(static_cast<std::int32_t>(i));
  }
  return porCelula;
}

std::string NomeCelula(std::int32_t N, std::int32_t ACelula, TIdioma AIdioma) {
  return Formatar(AIdioma, "L{}C{}", ACelula / N + 1, ACelula % N + 1);
}

}  // namespace cadrel
