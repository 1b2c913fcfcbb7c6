#include "book/grelha.hpp"

#include <algorithm>
#include <string>

#include "book/paginas.hpp"
#include "book/pictogramas.hpp"

namespace cadrel {

namespace {
constexpr double CTamanhoCaixa = 9.5;
constexpr double CPassoLinhaCaixa = 5.6;
constexpr double CEspacoNumeros = 4;   // between neighbouring numbers of a row
constexpr double CFolgaCaixa = 8;      // horizontal padding of the box, both sides together
constexpr double CLarguraMinCaixa = 40;
constexpr double CPassoLeis = 24;      // a 14 mm pictogram and a 10 mm gap
}  // namespace

double TamanhoDigitos(double ALado, std::int32_t N) { return std::max(MmParaPt(ALado / N * 0.38), 8.0); }

void DesenharLinhasGrelha(ICadrelCanvas& C, std::int32_t N, double X, double Y, double ALado) {
  const double c = ALado / N;
  for (std::int32_t k = 1; k < N; ++k) {
    C.Linha(X, Y + k * c, X + ALado, Y + k * c, 0.25, 0);
    C.Linha(X + k * c, Y, X + k * c, Y + ALado, 0.25, 0);
  }
  C.Rectangulo(X, Y, ALado, ALado, 0.8, 0, -1);
}

void DesenharGrelha(ICadrelCanvas& C, std::int32_t N, std::span<const std::int32_t> ADados,
                    std::span<const std::int32_t> ASolucao, double X, double Y, double ALado, bool AMostrarSolucao,
                    double ATamanhoPt) {
  const double c = ALado / N;
  // Later items paint over earlier ones: shading, lines, border, numbers.
  for (std::int32_t i = 0; i < N * N; ++i)
    if (ADados[i] != 0) C.Rectangulo(X + (i % N) * c, Y + (i / N) * c, c, c, 0, -1, CCinzaDado);
  DesenharLinhasGrelha(C, N, X, Y, ALado);

  const double h = C.AlturaTexto(ATamanhoPt);
  for (std::int32_t i = 0; i < N * N; ++i) {
    const std::int32_t valor = AMostrarSolucao ? ASolucao[i] : ADados[i];
    if (valor == 0) continue;
    const bool negrito = !AMostrarSolucao || ADados[i] == 0;
    C.Texto(X + (i % N) * c + c / 2, Y + (i / N) * c + (c - h) / 2, std::to_string(valor), ATamanhoPt, negrito, 0,
            alCentro);
  }
}

std::vector<std::int32_t> NumerosEmFalta(std::span<const std::int32_t> AConjunto,
                                         std::span<const std::int32_t> ADados) {
  std::vector<std::int32_t> faltam;
  for (std::int32_t v : AConjunto)
    if (std::find(ADados.begin(), ADados.end(), v) == ADados.end()) faltam.push_back(v);
  return faltam;
}

namespace {

// Where the box puts its numbers: PorLinha a row, the rows filled evenly.
struct TArranjoCaixa {
  std::int32_t PorLinha = 0;
  std::vector<std::string> Textos;
  std::vector<double> Larguras;
  std::vector<double> LarguraLinha;  // the numbers of each row and the spaces between them
  double Largura = 0;
  double Altura = 0;
};

TArranjoCaixa ArranjarCaixa(ICadrelCanvas& C, double ALarguraMax, std::span<const std::int32_t> ANumeros) {
  const auto n = static_cast<std::int32_t>(ANumeros.size());
  TArranjoCaixa a;
  if (n == 0) return a;

  const double w00 = C.LarguraTexto("00", CTamanhoCaixa, false);
  const double cabem = std::clamp((ALarguraMax - CFolgaCaixa + CEspacoNumeros) / (w00 + CEspacoNumeros), 1.0, 10.0);
  std::int32_t q = static_cast<std::int32_t>(cabem);
  const std::int32_t linhas = (n + q - 1) / q;
  q = (n + linhas - 1) / linhas;  // fill the rows evenly
  a.PorLinha = q;

  for (std::int32_t v : ANumeros) {
    a.Textos.push_back(std::to_string(v));
    a.Larguras.push_back(C.LarguraTexto(a.Textos.back(), CTamanhoCaixa, false));
  }
  a.LarguraLinha.assign(linhas, 0.0);
  for (std::int32_t i = 0; i < n; ++i)
    a.LarguraLinha[i / q] += a.Larguras[i] + (i % q == 0 ? 0.0 : CEspacoNumeros);

  const double b = *std::max_element(a.LarguraLinha.begin(), a.LarguraLinha.end()) + CFolgaCaixa;
  a.Largura = std::min(std::max(b, CLarguraMinCaixa), ALarguraMax);
  a.Altura = linhas * CPassoLinhaCaixa + 4;
  return a;
}

}  // namespace

TMedidaCaixa MedirCaixaNumeros(ICadrelCanvas& C, double ALarguraMax, std::span<const std::int32_t> ANumeros) {
  const TArranjoCaixa a = ArranjarCaixa(C, ALarguraMax, ANumeros);
  return {a.Largura, a.Altura};
}

double DesenharCaixaNumeros(ICadrelCanvas& C, double X, double Y, double ALarguraMax,
                            std::span<const std::int32_t> ANumeros) {
  const TArranjoCaixa a = ArranjarCaixa(C, ALarguraMax, ANumeros);
  if (a.Textos.empty()) return Y;
  C.Rectangulo(X, Y, a.Largura, a.Altura, 0.5, 0, -1);

  const auto n = static_cast<std::int32_t>(a.Textos.size());
  const auto linhas = static_cast<std::int32_t>(a.LarguraLinha.size());
  const std::int32_t q = a.PorLinha;
  const double alturaTexto = C.AlturaTexto(CTamanhoCaixa);
  for (std::int32_t k = 0; k < linhas; ++k) {
    double x = X + a.Largura / 2 - a.LarguraLinha[k] / 2;
    const double y = Y + 2 + k * CPassoLinhaCaixa + (CPassoLinhaCaixa - alturaTexto) / 2;
    for (std::int32_t i = k * q; i < std::min(k * q + q, n); ++i) {
      C.Texto(x, y, a.Textos[i], CTamanhoCaixa, false, 0, alEsquerda);
      x += a.Larguras[i] + CEspacoNumeros;
    }
  }
  return Y + a.Altura;
}

std::vector<TLei> LeisPorOrdem(TReceita AReceita) {
  const TConjuntoLeis& leis = AReceita.Leis;
  std::vector<TLei> ordem;
  for (TLei lei : {leiORD, leiTAB, leiSIM})
    if (leis.Contem(lei)) ordem.push_back(lei);
  if (leis.Contem(leiSOMQ))
    ordem.push_back(leiSOMQ);
  else if (leis.Contem(leiSOMD))
    ordem.push_back(leiSOMD);
  return ordem;
}

void DesenharLeisPuzzle(ICadrelCanvas& C, const TPuzzle& APuzzle, double X, double Y) {
  const std::vector<TLei> leis = LeisPorOrdem(APuzzle.Receita);
  for (std::size_t j = 0; j < leis.size(); ++j) {
    const double x = X + static_cast<double>(j) * CPassoLeis;
    if (APuzzle.Nivel == 5)
      DesenharLeiOculta(C, x, Y + 1);
    else
      DesenharPictograma(C, leis[j], x, Y + 1);
  }
}

}  // namespace cadrel
