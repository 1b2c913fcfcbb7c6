#include "book/paginas_regras.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "book/canvas_gravador.hpp"
#include "book/grelha.hpp"
#include "book/pictogramas.hpp"

namespace cadrel {
namespace {

const double CPasso11 = PtParaMm(11) * 1.45;  // line step of an 11 pt paragraph

// The first text call that starts with APrefixo, or nullptr.
const TChamada* AcharTexto(const TCanvasGravador& C, const std::string& APrefixo) {
  for (const TChamada& c : C.Chamadas)
    if (c.Op == opTexto && c.Texto.rfind(APrefixo, 0) == 0) return &c;
  return nullptr;
}

void EsperarTexto(const TCanvasGravador& C, const std::string& APrefixo, double X, double Y, double ATamanho,
                  bool ANegrito, TAlinhamento AAlinhamento = alEsquerda) {
  const TChamada* t = AcharTexto(C, APrefixo);
  ASSERT_NE(t, nullptr) << APrefixo;
  EXPECT_DOUBLE_EQ(t->X, X) << APrefixo;
  EXPECT_DOUBLE_EQ(t->Y, Y) << APrefixo;
  EXPECT_EQ(t->Tamanho, ATamanho) << APrefixo;
  EXPECT_EQ(t->Negrito, ANegrito) << APrefixo;
  EXPECT_EQ(t->Contorno, 0) << APrefixo;
  EXPECT_EQ(t->Alinhamento, AAlinhamento) << APrefixo;
}

// True when the calls of ADesenho, drawn alone, occur in a row on C.
template <class F>
bool Desenhou(const TCanvasGravador& C, F&& ADesenho) {
  TCanvasGravador so;
  ADesenho(so);
  return std::search(C.Chamadas.begin(), C.Chamadas.end(), so.Chamadas.begin(), so.Chamadas.end()) !=
         C.Chamadas.end();
}

std::size_t Contar(const TCanvasGravador& C, const std::string& ATexto) {
  const std::vector<std::string> t = C.Textos();
  return static_cast<std::size_t>(std::count(t.begin(), t.end(), ATexto));
}

// All laws and level 5: page 0 holds how-to-play, Ordem and Tabela; page 1
// Simetria, Somas and Círculos; page 2 the example and the tips.
class PaginasRegrasCompletas : public testing::Test {
protected:
  TPaginasRegras FRegras{TConjuntoLeis::DeCodigo(31), true};

  TCanvasGravador Pagina(std::int32_t AIndice, std::int32_t ANumero) const {
    TCanvasGravador c;
    FRegras.PaginaRegras(c, TDescPagina{pgRegras, AIndice, ANumero});
    return c;
  }
  const TElementoRegras& Elemento(std::size_t i) const { return FRegras.Plano()[i]; }
};

TEST_F(PaginasRegrasCompletas, CadaPaginaDesenhaOsSeusElementosNoYPlaneado) {
  ASSERT_EQ(FRegras.NumPaginas(), 3);
  const TCanvasGravador p0 = Pagina(0, 3);
  EsperarTexto(p0, "Regras", 105, 18, 24, true, alCentro);
  EsperarTexto(p0, "Como se joga", 18, 36, 16, true);
  EsperarTexto(p0, "Cada puzzle é", 18, 46, 11, false);
  const double yOrdem = Elemento(1).Y + 12;
  EsperarTexto(p0, "As leis deste livro", 18, Elemento(1).Y, 16, true);
  EsperarTexto(p0, "Ordem", 36, yOrdem + 3.5, 16, true);
  EXPECT_TRUE(Desenhou(p0, [&](ICadrelCanvas& c) { DesenharPictograma(c, leiORD, 18, yOrdem); }));
  EXPECT_TRUE(Desenhou(p0, [&](ICadrelCanvas& c) { DesenharPictograma(c, leiTAB, 18, Elemento(2).Y); }));
  EsperarTexto(p0, "Os números crescem", 18, yOrdem + 17, 11, false);
  EXPECT_EQ(AcharTexto(p0, "Simetria"), nullptr);
  EXPECT_EQ(AcharTexto(p0, "Um exemplo"), nullptr);

  const TCanvasGravador p1 = Pagina(1, 4);
  EXPECT_EQ(Contar(p1, "As leis deste livro"), 0u);
  EsperarTexto(p1, "Simetria", 36, 18 + 3.5, 16, true);
  EXPECT_TRUE(Desenhou(p1, [&](ICadrelCanvas& c) { DesenharPictograma(c, leiSIM, 18, 18); }));
  // Both sum pictograms, the title after the second.
  const double ySomas = Elemento(4).Y;
  EsperarTexto(p1, "Somas", 54, ySomas + 3.5, 16, true);
  EXPECT_TRUE(Desenhou(p1, [&](ICadrelCanvas& c) {
    DesenharPictograma(c, leiSOMD, 18, ySomas);
    DesenharPictograma(c, leiSOMQ, 36, ySomas);
  }));
  // Level 5: one hidden-law circle in place of a pictogram.
  const double yCirculos = Elemento(5).Y;
  EXPECT_EQ(Elemento(5).Tipo, erCirculos);
  EsperarTexto(p1, "Círculos", 36, yCirculos + 3.5, 16, true);
  EXPECT_TRUE(Desenhou(p1, [&](ICadrelCanvas& c) { DesenharLeiOculta(c, 18, yCirculos); }));
  // The circle and the three dots of the Simetria pictogram: the circles
  // block draws no pictogram of its own.
  EXPECT_EQ(p1.Do(opElipse).size(), 4u);

  const TCanvasGravador p2 = Pagina(2, 5);
  EsperarTexto(p2, "Um exemplo", 18, 18, 16, true);
  EsperarTexto(p2, "Três conselhos", 18, Elemento(7).Y, 16, true);
}

bool Menciona(const TCanvasGravador& C, const std::string& ATrecho) {
  const std::vector<std::string> t = C.Textos();
  return std::any_of(t.begin(), t.end(), [&](const std::string& s) { return s.find(ATrecho) != std::string::npos; });
}

TEST_F(PaginasRegrasCompletas, ComoSeJogaAvisaDosCirculos) {
  EXPECT_TRUE(Menciona(Pagina(0, 3), "«Círculos»"));
  TCanvasGravador sem;
  TPaginasRegras(TConjuntoLeis::DeCodigo(31), false).PaginaRegras(sem, TDescPagina{pgRegras, 0, 3});
  EXPECT_FALSE(Menciona(sem, "«Círculos»"));
}

TEST_F(PaginasRegrasCompletas, RodapeNoFimEPaginaSemElementosSoComRodape) {
  TCanvasGravador rodape;
  DesenharRodape(rodape, CGeometriaA4, 4);
  const TCanvasGravador p1 = Pagina(1, 4);
  ASSERT_GE(p1.Chamadas.size(), rodape.Chamadas.size());
  EXPECT_TRUE(std::equal(rodape.Chamadas.begin(), rodape.Chamadas.end(),
                         p1.Chamadas.end() - static_cast<std::ptrdiff_t>(rodape.Chamadas.size())));
  EXPECT_EQ(Pagina(7, 4).Chamadas, rodape.Chamadas);
}

TEST(PaginasRegras, SemLeisNaoHaCabecalhoDasLeis) {
  const TPaginasRegras regras({}, false);
  for (std::int32_t p = 0; p < regras.NumPaginas(); ++p) {
    TCanvasGravador c;
    regras.PaginaRegras(c, TDescPagina{pgRegras, p, 3 + p});
    EXPECT_EQ(AcharTexto(c, "As leis deste livro"), nullptr);
    EXPECT_TRUE(c.Do(opPoligono).empty());  // no pictogram draws without a law
  }
}

// Example 2 (table law): one line of numbers to place, and a first step too
// long for one line at 10.5 pt.
TEST(PaginasRegras, ExemploGrelhasNumerosEPassos) {
  const TExemploRegras& e = ExemploFixo(2);
  const double Y = 40;
  TCanvasGravador c;
  TPaginasRegras({leiTAB}, false).DesenharExemplo(c, Y);

  EsperarTexto(c, "Um exemplo", 18, Y, 16, true);
  EsperarTexto(c, "Um puzzle de 4 × 4 com as leis: Tabela.", 18, Y + 10, 11, false);
  TCanvasGravador rascunho;
  const double topo = DesenharParagrafo(rascunho, 18, Y + 10, 174, IntroExemplo(e), 11) + 3;

  EsperarTexto(c, "Puzzle", 18, topo, 10, true);
  EXPECT_TRUE(Desenhou(
      c, [&](ICadrelCanvas& g) { DesenharGrelha(g, 4, e.Dados, e.Solucao, 18, topo + 6, 40, false, 14); }));
  EsperarTexto(c, "Solução", 18, topo + 51, 10, true);
  EXPECT_TRUE(Desenhou(
      c, [&](ICadrelCanvas& g) { DesenharGrelha(g, 4, e.Dados, e.Solucao, 18, topo + 57, 40, true, 14); }));
  EsperarTexto(c, "Os números a cinzento são os dados;", 18, topo + 99, 11, false);

  // The missing numbers in ascending order, not in the order of the cells.
  EsperarTexto(c, "Números a colocar: 3 4 6 8 15 17 18", 68, topo, 11, false);
  const double g = topo + 5.4 + 2;
  EsperarTexto(c, "Passo a passo:", 68, g, 11, true);
  const double h = g + 6;
  EsperarTexto(c, "1. L2C1 = 10 + 19 - 11 = 18", 68, h, 10.5, false);
  EsperarTexto(c, "2. L1C3 = 10 + 12 - 18 = 4", 68, h + 2 * 4.7 + 1.2, 10.5, false);
  EsperarTexto(c, "7. L4C4 = 6 + 21 - 10 = 17", 68, h + 7 * 4.7 + 6 * 1.2, 10.5, false);
  std::size_t linhasPassos = 0;
  for (const TChamada& t : c.Do(opTexto))
    if (t.X == 68 && t.Tamanho == 10.5) ++linhasPassos;
  EXPECT_EQ(linhasPassos, 8u);
}

TEST(PaginasRegras, ConselhosNumeradosEmParagrafos) {
  TCanvasGravador c;
  TPaginasRegras({}, false).DesenharConselhos(c, 100);
  EsperarTexto(c, "Três conselhos", 18, 100, 16, true);
  // Each tip wraps to two lines at 11 pt.
  EsperarTexto(c, "1. Comece pelo mais directo", 18, 110, 11, false);
  EsperarTexto(c, "2. Vá riscando", 18, 110 + 2 * CPasso11 + 2.5, 11, false);
  EsperarTexto(c, "3. Se nada avança", 18, 110 + 4 * CPasso11 + 5, 11, false);
}

}  // namespace
}  // namespace cadrel
