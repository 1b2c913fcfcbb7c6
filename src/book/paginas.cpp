#include "book/paginas.hpp"

#include <ctime>
#include <optional>

#include <fmt/format.h>

#include "core/momento.hpp"

namespace cadrel {

namespace {
constexpr double CTamanhoRodape = 9;
constexpr double CEntrelinha = 1.45;  // line step of a paragraph, in font sizes
}  // namespace

TLayoutPuzzles LayoutPadrao(std::int32_t N) { return TLayoutPuzzles{2, N == 4 ? 64.0 : 74.0}; }

TInfoLivro InfoPadrao(TIdioma AIdioma) {
  // A fixed moment is a day in UTC, the same wherever the book is made.
  std::tm dia{};
  if (const std::optional<std::time_t> fixado = MomentoFixado()) {
    gmtime_r(&*fixado, &dia);
  } else {
    const std::time_t agora = std::time(nullptr);
    localtime_r(&agora, &dia);
  }
  // Day and month in either order are read both ways in English: the ISO form is not.
  const std::string data = AIdioma == idPt
                               ? fmt::format("{:02}/{:02}/{:04}", dia.tm_mday, dia.tm_mon + 1, dia.tm_year + 1900)
                               : fmt::format("{:04}-{:02}-{:02}", dia.tm_year + 1900, dia.tm_mon + 1, dia.tm_mday);
  return TInfoLivro{data, "1.0"};
}

TConjuntoLeis LeisDoLivro(const TLivro& ALivro) {
  int bits = 0;
  for (const TPuzzleDoLivro& p : ALivro.Puzzles) bits |= p.Puzzle.Receita.Leis.Bits();
  return TConjuntoLeis::DeCodigo(bits);
}

std::int32_t SolucoesPorPagina(std::int32_t N, bool ACaminho) { return N != 4 && ACaminho ? 2 : 4; }

std::string TextoTamanho(std::int32_t N) { return fmt::format("{} \u00D7 {}", N, N); }

std::vector<std::string> QuebrarLinhas(ICadrelCanvas& C, const std::string& ATexto, double ALarguraMax,
                                       double ATamanhoPt, bool ANegrito) {
  std::vector<std::string> linhas;
  std::string actual;
  std::size_t inicio = 0;
  while (true) {
    const std::size_t fim = ATexto.find(' ', inicio);
    const std::string palavra = ATexto.substr(inicio, fim == std::string::npos ? std::string::npos : fim - inicio);
    std::string candidata = actual.empty() ? palavra : actual + ' ' + palavra;
    if (!actual.empty() && C.LarguraTexto(candidata, ATamanhoPt, ANegrito) > ALarguraMax) {
      linhas.push_back(std::move(actual));
      actual = palavra;
    } else {
      actual = std::move(candidata);
    }
    if (fim == std::string::npos) break;
    inicio = fim + 1;
  }
  if (!actual.empty()) linhas.push_back(std::move(actual));
  return linhas;
}

double PassoDeLinha(double ATamanhoPt) { return PtParaMm(ATamanhoPt) * CEntrelinha; }

double DesenharParagrafo(ICadrelCanvas& C, double X, double Y, double ALargura, const std::string& ATexto,
                         double ATamanhoPt) {
  const double passo = PassoDeLinha(ATamanhoPt);
  const std::vector<std::string> linhas = QuebrarLinhas(C, ATexto, ALargura, ATamanhoPt, false);
  for (std::size_t i = 0; i < linhas.size(); ++i)
    C.Texto(X, Y + static_cast<double>(i) * passo, linhas[i], ATamanhoPt, false, 0, alEsquerda);
  return Y + static_cast<double>(linhas.size()) * passo;
}

void DesenharRodape(ICadrelCanvas& C, const TGeometriaPagina& G, std::int32_t ANumero) {
  if (ANumero <= 0) return;
  C.Texto(CMargemEsquerda, G.YRodape, "QUORVEL | Velmaro", CTamanhoRodape, false, CCinzaSecundario, alEsquerda);
  C.Texto(G.Direita(), G.YRodape, std::to_string(ANumero), CTamanhoRodape, false, CCinzaSecundario, alDireita);
}

}  // namespace cadrel
