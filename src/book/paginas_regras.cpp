#include "book/paginas_regras.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "book/grelha.hpp"
#include "book/pictogramas.hpp"

namespace cadrel {

namespace {
constexpr double CTamanhoTitulo = 24;
constexpr double CTamanhoCabecalho = 16;
constexpr double CTamanhoTexto = 11;
constexpr double CEspacoParagrafos = 2.5;

// A law block: icons of 14 mm with a 4 mm gap, the paragraph under them.
constexpr double CPassoIcone = CLadoPictograma + 4;
constexpr double CTopoParagrafoBloco = 17;
constexpr double CAlturaMinimaBloco = 46;
constexpr double CEspacoAposBloco = 7;
constexpr double CEspacoCabecalhoLeis = 12;

// The worked example: a left column of two 40 mm grids, a right column of text.
constexpr double CLadoGrelhaExemplo = 40;
constexpr double CTamanhoDigitosExemplo = 14;
constexpr double CXColunaDireita = 68;
constexpr double CPassoNumeros = 5.4;
constexpr double CTamanhoPassos = 10.5;
constexpr double CPassoLinhaPasso = 4.7;
constexpr double CEspacoEntrePassos = 1.2;

void Cabecalho(ICadrelCanvas& C, double Y, const std::string& ATexto) {
  C.Texto(CMargemEsquerda, Y, ATexto, CTamanhoCabecalho, true, 0, alEsquerda);
}
}  // namespace

TPaginasRegras::TPaginasRegras(TConjuntoLeis ALeis, bool ATemNivel5, const TGeometriaPagina& AGeometria,
                               TIdioma AIdioma)
    : FLeis(ALeis),
      FTemNivel5(ATemNivel5),
      FGeometria(AGeometria),
      FIdioma(AIdioma),
      FPlano(PlanoRegras(ALeis, ATemNivel5, AGeometria, AIdioma)),
      FBlocos(BlocosLeis(ALeis, AIdioma)) {}

void TPaginasRegras::PaginaRegras(ICadrelCanvas& C, const TDescPagina& ADesc) const {
  // Each element starts at its planned y, never where the previous one really
  // ended, so the page breaks stay those the composer counted.
  for (const TElementoRegras& el : FPlano) {
    if (el.Pagina != ADesc.Primeiro) continue;
    switch (el.Tipo) {
      case erComoSeJoga: DesenharComoSeJoga(C, el.Y); break;
      case erBloco: {
        double y = el.Y;
        if (el.Indice == 0) {
          Cabecalho(C, y, Tr(FIdioma, "As leis deste livro"));
          y += CEspacoCabecalhoLeis;
        }
        DesenharBlocoLei(C, FBlocos[static_cast<std::size_t>(el.Indice)], false, y, FGeometria);
        break;
      }
      case erCirculos: {
        double y = el.Y;
        DesenharBlocoLei(C, BlocoCirculos(FIdioma), true, y, FGeometria);
        break;
      }
      case erExemplo: DesenharExemplo(C, el.Y); break;
      case erConselhos: DesenharConselhos(C, el.Y); break;
    }
  }
  DesenharRodape(C, FGeometria, ADesc.Numero);
}

void TPaginasRegras::DesenharComoSeJoga(ICadrelCanvas& C, double Y) const {
  C.Texto(FGeometria.CentroX(), Y, Tr(FIdioma, CTituloRegras), CTamanhoTitulo, true, 0, alCentro);
  Cabecalho(C, Y + 18, Tr(FIdioma, "Como se joga"));
  double y = Y + 28;
  for (const std::string& p : ParagrafosComoSeJoga(FLeis, FTemNivel5, FIdioma))
    y = DesenharParagrafo(C, CMargemEsquerda, y, FGeometria.Largura, p, CTamanhoTexto) + CEspacoParagrafos;
}

void TPaginasRegras::DesenharBlocoLei(ICadrelCanvas& C, const TBlocoLei& ABloco, bool ACirculos, double& Y,
                                      const TGeometriaPagina& G) {
  double x = CMargemEsquerda + CPassoIcone;
  if (ACirculos) {
    DesenharLeiOculta(C, CMargemEsquerda, Y);
  } else {
    DesenharPictograma(C, ABloco.Lei, CMargemEsquerda, Y);
    if (ABloco.TemLei2) {
      DesenharPictograma(C, ABloco.Lei2, x, Y);
      x += CPassoIcone;
    }
  }
  C.Texto(x, Y + 3.5, ABloco.Titulo, CTamanhoCabecalho, true, 0, alEsquerda);
  double y =
      DesenharParagrafo(C, CMargemEsquerda, Y + CTopoParagrafoBloco, G.Largura, ABloco.Paragrafo, CTamanhoTexto);
  y = DesenharParagrafo(C, CMargemEsquerda, y + 1.5, G.Largura, ABloco.Exemplo, CTamanhoTexto);
  Y = std::max(y, Y + CAlturaMinimaBloco) + CEspacoAposBloco;
}

void TPaginasRegras::DesenharExemplo(ICadrelCanvas& C, double Y) const {
  const TExemploRegras& e = EscolherExemplo(FLeis);
  std::vector<std::int32_t> ordenados = e.Solucao;
  std::sort(ordenados.begin(), ordenados.end());

  Cabecalho(C, Y, Tr(FIdioma, "Um exemplo"));
  const double topo =
      DesenharParagrafo(C, CMargemEsquerda, Y + 10, FGeometria.Largura, IntroExemplo(e, FIdioma), CTamanhoTexto) + 3;

  C.Texto(CMargemEsquerda, topo, Tr(FIdioma, "Puzzle"), 10, true, 0, alEsquerda);
  DesenharGrelha(C, 4, e.Dados, e.Solucao, CMargemEsquerda, topo + 6, CLadoGrelhaExemplo, false,
                 CTamanhoDigitosExemplo);

  std::string numeros = Tr(FIdioma, "Números a colocar:");
  for (std::int32_t n : NumerosEmFalta(ordenados, e.Dados)) numeros += fmt::format(" {}", n);
  // The right column runs to the right margin; the numbers keep a little off it.
  const double larguraDireita = FGeometria.Direita() - CXColunaDireita;
  const std::vector<std::string> linhas = QuebrarLinhas(C, numeros, larguraDireita - 4, CTamanhoTexto, false);
  for (std::size_t i = 0; i < linhas.size(); ++i)
    C.Texto(CXColunaDireita, topo + CPassoNumeros * static_cast<double>(i), linhas[i], CTamanhoTexto, false, 0,
            alEsquerda);
  const double g = topo + CPassoNumeros * static_cast<double>(linhas.size()) + 2;

  C.Texto(CXColunaDireita, g, Tr(FIdioma, "Passo a passo:"), CTamanhoTexto, true, 0, alEsquerda);
  double h = g + 6;
  for (std::size_t k = 0; k < e.Passos.size(); ++k) {
    for (const std::string& linha :
         QuebrarLinhas(C, fmt::format("{}. {}", k + 1, Tr(FIdioma, e.Passos[k].Texto.c_str())), larguraDireita,
                       CTamanhoPassos, false)) {
      C.Texto(CXColunaDireita, h, linha, CTamanhoPassos, false, 0, alEsquerda);
      h += CPassoLinhaPasso;
    }
    h += CEspacoEntrePassos;
  }

  C.Texto(CMargemEsquerda, topo + 51, Tr(FIdioma, "Solução"), 10, true, 0, alEsquerda);
  DesenharGrelha(C, 4, e.Dados, e.Solucao, CMargemEsquerda, topo + 57, CLadoGrelhaExemplo, true,
                 CTamanhoDigitosExemplo);
  DesenharParagrafo(C, CMargemEsquerda, topo + 99, FGeometria.Largura,
                    Tr(FIdioma, "Os números a cinzento são os dados; os números a negrito são os que se deduziram."),
                    CTamanhoTexto);
}

void TPaginasRegras::DesenharConselhos(ICadrelCanvas& C, double Y) const {
  Cabecalho(C, Y, Tr(FIdioma, "Três conselhos"));
  double y = Y + 10;
  const std::vector<std::string> conselhos = Conselhos(FIdioma);
  for (std::size_t i = 0; i < conselhos.size(); ++i)
    y = DesenharParagrafo(C, CMargemEsquerda, y, FGeometria.Largura, fmt::format("{}. {}", i + 1, conselhos[i]),
                          CTamanhoTexto) +
        CEspacoParagrafos;
}

}  // namespace cadrel
