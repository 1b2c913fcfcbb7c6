#include "html/livro_html.hpp"

#include <glib.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <utf8.h>

#include "apoio.hpp"
#include "book/diagramas.hpp"
#include "book/grelha.hpp"
#include "book/paginas.hpp"
#include "book/paginas_puzzles.hpp"
#include "book/paginas_regras.hpp"
#include "core/texto.hpp"
#include "drawing/canvas_svg.hpp"
#include "drawing/pdf.hpp"
#include "drawing/recursos.hpp"
#include "html/puzzle_html.hpp"

namespace cadrel {
namespace {

TLivro GerarLivro(std::int32_t N, std::int32_t ANivel, std::int32_t APuzzles, TIdioma AIdioma = idPt) {
  TConfigLivro config = ConfigLivro(APuzzles, N, ANivel, 0x2A);
  config.Idioma = AIdioma;
  return TGeradorLivro().Gerar(config);
}

// What follows each AAntes in ATexto up to the next ADepois.
std::vector<std::string> Todos(const std::string& ATexto, const std::string& AAntes,
                               const std::string& ADepois = "\"") {
  std::vector<std::string> achados;
  for (std::size_t i = ATexto.find(AAntes); i != std::string::npos; i = ATexto.find(AAntes, i)) {
    i += AAntes.size();
    const std::size_t fim = ATexto.find(ADepois, i);
    achados.push_back(ATexto.substr(i, fim - i));
  }
  return achados;
}

// The value of attribute ANome of each element ATag of ATexto.
std::vector<std::string> Atributos(const std::string& ATexto, const std::string& ATag, const std::string& ANome) {
  std::vector<std::string> valores;
  for (const std::string& elemento : Todos(ATexto, "<" + ATag + " ", ">")) {
    const std::vector<std::string> valor = Todos(" " + elemento, " " + ANome + "=\"");
    valores.push_back(valor.empty() ? "(nenhum)" : valor.front());
  }
  return valores;
}

// The part of the page that belongs to puzzle k.
std::string Seccao(const std::string& AHtml, std::int32_t k) {
  const std::size_t inicio = AHtml.find("data-puzzle=\"" + std::to_string(k) + "\"");
  return AHtml.substr(inicio, AHtml.find("</section>", inicio) - inicio);
}

nlohmann::json DadosDaPagina(const std::string& AHtml) {
  const std::string abertura = "<script type=\"application/json\" id=\"dados-livro\">";
  const std::size_t inicio = AHtml.find(abertura) + abertura.size();
  return nlohmann::json::parse(AHtml.substr(inicio, AHtml.find("</script>", inicio) - inicio));
}

// A progressive book of five puzzles and its page, made once for the tests that read it.
struct TExemplo {
  TLivro Livro;
  std::string Html;
};

const TExemplo& Exemplo() {
  static const TExemplo exemplo = [] {
    TExemplo e{GerarLivro(5, 0, 5), {}};
    e.Html = LivroParaHtml(e.Livro);
    return e;
  }();
  return exemplo;
}

// The faces of the page's @font-face rules, decoded.
std::vector<std::string> Faces(const std::string& AHtml) {
  std::vector<std::string> faces;
  const std::string marca = "base64,";
  for (std::size_t i = AHtml.find(marca); i != std::string::npos; i = AHtml.find(marca, i)) {
    i += marca.size();
    const std::string codigo = AHtml.substr(i, AHtml.find(')', i) - i);
    gsize tamanho = 0;
    const std::unique_ptr<guchar, decltype(&g_free)> bytes(g_base64_decode(codigo.c_str(), &tamanho), g_free);
    faces.emplace_back(reinterpret_cast<const char*>(bytes.get()), tamanho);
  }
  return faces;
}

// What scripts and tests rely on, puzzle by puzzle: the cells, the box, the
// buttons, and the data the hints and the checks come from.
TEST(LivroHtml, ContratoDeCadaPuzzle) {
  const TLivro& livro = Exemplo().Livro;
  const std::string& html = Exemplo().Html;
  const nlohmann::json dados = DadosDaPagina(html);
  EXPECT_EQ(dados["livro"], livro.Codigo);
  ASSERT_EQ(Todos(html, "data-puzzle=\"").size(), livro.Puzzles.size());
  for (std::size_t i = 0; i < livro.Puzzles.size(); ++i) {
    const TPuzzle& p = livro.Puzzles[i].Puzzle;
    const std::string seccao = Seccao(html, static_cast<std::int32_t>(i + 1));
    std::vector<std::string> vazias, rotulos;
    for (std::int32_t c = 0; c < p.N * p.N; ++c)
      if (p.Dados[c] == 0) {
        vazias.push_back(NomeCelula(p.N, c));
        rotulos.push_back("Linha " + std::to_string(c / p.N + 1) + ", coluna " + std::to_string(c % p.N + 1));
      }
    EXPECT_EQ(Atributos(seccao, "input", "data-celula"), vazias) << i;
    EXPECT_EQ(Atributos(seccao, "input", "aria-label"), rotulos) << i;
    EXPECT_EQ(Atributos(seccao, "button", "data-acao"),
              (std::vector<std::string>{"lapis", "desfazer", "refazer", "verificar", "pista", "solucao", "recomecar"}));
    EXPECT_EQ(Todos(seccao, " data-pista ").size(), 1u);

    const std::vector<std::int32_t> caixa = NumerosEmFalta(p.Conjunto, p.Dados);
    std::vector<std::string> numeros;
    for (const std::int32_t v : caixa) numeros.push_back(std::to_string(v));
    EXPECT_EQ(Todos(seccao, "data-numero=\""), numeros) << i;

    const nlohmann::json& d = dados["puzzles"][i];
    EXPECT_EQ(d["s"].get<std::vector<std::int32_t>>(), p.Solucao);
    EXPECT_EQ(d["c"].get<std::vector<std::int32_t>>(), caixa);
    nlohmann::json passos = nlohmann::json::array();
    for (const TPassoDeducao& passo : p.Resultado.Passos)
      if (passo.Celula >= 0) passos.push_back({passo.Celula, passo.Texto});
    EXPECT_EQ(d["p"], passos) << i;
  }
}

// The rules and the laws' diagrams come with the puzzles, as in the book.
TEST(LivroHtml, RegrasEDiagramasDoLivro) {
  const TLivro& livro = Exemplo().Livro;
  const TConjuntoLeis leis = LeisDoLivro(livro);
  const TPaginasRegras regras(leis, true, CGeometriaA4, idPt);
  const std::string& html = Exemplo().Html;
  const std::string seccao = html.substr(html.find("<details class=\"regras\"><summary>Regras</summary>"));
  EXPECT_EQ(Todos(seccao.substr(0, seccao.find("</details>")), "<div class=\"pagina\"><svg ").size(),
            static_cast<std::size_t>(regras.NumPaginas() + NumPaginasDiagramas(leis)));
  EXPECT_NE(seccao.find(EscaparXml(Tr(idPt, CTituloDiagramas))), std::string::npos);
}

// Opened from the disk with no network, the page asks for nothing: no
// address, no file, no element that loads one, and a policy that forbids it.
TEST(LivroHtml, NadaVemDeFora) {
  const std::string& html = Exemplo().Html;
  for (const char* proibido : {"http:", "https:", "<link", "<img", "<iframe", "<object", "<embed", "src=", "@import"})
    EXPECT_EQ(html.find(proibido), std::string::npos) << proibido;
  for (const std::string& url : Todos(html, "url(", ")")) EXPECT_EQ(url.rfind("data:", 0), 0u) << url.substr(0, 20);
  EXPECT_NE(html.find("<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none';"), std::string::npos);
  // A script element ends at the first "</script": the book's data cannot hold one.
  EXPECT_EQ(Todos(html, "</script").size(), 2u);
}

// The faces the page carries draw every character it holds, with the
// advances of the faces the book is measured with, and are cut down to that.
TEST(LivroHtml, FacesCortadasAosCaracteresDaPagina) {
  const std::string& html = Exemplo().Html;
  const std::vector<std::string> faces = Faces(html);
  ASSERT_EQ(faces.size(), 2u);
  const std::string texto = html.substr(html.find("<body>"));
  std::set<char32_t> caracteres;
  for (auto i = texto.begin(); i != texto.end();) caracteres.insert(utf8::next(i, texto.end()));
  caracteres.erase(U'\n');

  FT_Library ft = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&ft), 0);
  const char* nomes[] = {"ROBOTO_REGULAR", "ROBOTO_NEGRITO"};
  for (int f = 0; f < 2; ++f) {
    const std::string& bytes = faces[f];
    const auto inteira = Recurso(nomes[f]);
    ASSERT_TRUE(inteira);
    EXPECT_LT(bytes.size() * 5, inteira->size()) << nomes[f];
    FT_Face cortada = nullptr, original = nullptr;
    ASSERT_EQ(FT_New_Memory_Face(ft, reinterpret_cast<const FT_Byte*>(bytes.data()), static_cast<FT_Long>(bytes.size()),
                                 0, &cortada),
              0);
    ASSERT_EQ(FT_New_Memory_Face(ft, inteira->data(), static_cast<FT_Long>(inteira->size()), 0, &original), 0);
    for (const char32_t c : caracteres) {
      ASSERT_NE(FT_Get_Char_Index(cortada, c), 0u) << nomes[f] << " U+" << std::hex << static_cast<std::uint32_t>(c);
      ASSERT_EQ(FT_Load_Char(cortada, c, FT_LOAD_NO_SCALE), 0);
      const FT_Pos avanco = cortada->glyph->advance.x;
      ASSERT_EQ(FT_Load_Char(original, c, FT_LOAD_NO_SCALE), 0);
      EXPECT_EQ(avanco, original->glyph->advance.x) << nomes[f] << " U+" << std::hex << static_cast<std::uint32_t>(c);
    }
    FT_Done_Face(cortada);
    FT_Done_Face(original);
  }
  FT_Done_FreeType(ft);
}

// The drawing is the book's drawer's, unchanged by what the page reads from
// it: the grid found is the one whose cells the givens are shaded in, and the
// box's numbers lie beside it, in the box's order.
TEST(LivroHtml, PuzzleDesenhadoPeloLivro) {
  const TLivro& livro = Exemplo().Livro;
  const std::int32_t n = livro.Config.N;
  const TPaginasPuzzles paginas(livro, TInfoLivro{}, LayoutEcra(n), GeometriaEcra(n));
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(livro.Puzzles.size()); ++i) {
    const TPuzzle& p = livro.Puzzles[i].Puzzle;
    const TPuzzleSvg svg = DesenharPuzzleSvg(paginas, i);
    TCanvasSvg directo;
    paginas.DesenharPuzzle(directo, i, CTopoPagina);
    EXPECT_EQ(svg.Svg, directo.Svg(svg.Janela));

    const double lado = svg.Grelha.Largura, c = lado / n;
    EXPECT_EQ(lado, LayoutEcra(n).LadoMm);
    const std::size_t dado = std::find_if(p.Dados.begin(), p.Dados.end(), [](std::int32_t v) { return v != 0; }) -
                             p.Dados.begin();
    const std::int32_t x = MmParaUnidades(svg.Grelha.X + static_cast<double>(dado % n) * c, CDpiPdf);
    const std::int32_t y = MmParaUnidades(svg.Grelha.Y + static_cast<double>(dado / n) * c, CDpiPdf);
    EXPECT_NE(svg.Svg.find("<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\""), std::string::npos)
        << i;

    std::vector<std::int32_t> numeros;
    for (const TNumeroCaixa& numero : svg.Caixa) {
      numeros.push_back(numero.Numero);
      EXPECT_GT(numero.Onde.X, svg.Grelha.X + lado);
      EXPECT_GE(numero.Onde.Y, svg.Grelha.Y);
    }
    EXPECT_EQ(numeros, NumerosEmFalta(p.Conjunto, p.Dados));
    EXPECT_LT(svg.Janela.X + svg.Janela.Largura, CMargemEsquerda + GeometriaEcra(n).Largura + 2);
  }
}

// The page's own texts in the book's language, its cells still named as the
// contract names them.
TEST(LivroHtmlIdioma, TextosDaPaginaEmIngles) {
  const std::string html = LivroParaHtml(GerarLivro(4, 1, 2, idEn));
  // The script's own names are Portuguese words too: only the page and its data count.
  const std::string pagina = html.substr(0, html.rfind("<script>"));
  EXPECT_NE(html.find("<html lang=\"en\">"), std::string::npos);
  EXPECT_NE(html.find("aria-label=\"Row 1, column"), std::string::npos);
  EXPECT_NE(html.find("<input data-celula=\"L"), std::string::npos);
  for (const char* ingles : {">Check<", ">Hint<", ">Undo<", ">Pencil<", ">Contents<", "Book code:", "\"Solved!\""})
    EXPECT_NE(html.find(ingles), std::string::npos) << ingles;
  for (const char* portugues : {"Verificar", "Pista", "Desfazer", "Lápis", "Índice", "Código", "Linha", "Resolvido"})
    EXPECT_EQ(pagina.find(portugues), std::string::npos) << portugues;
}

// The book most pages will be made of, 50 puzzles 5 × 5 with hints, fits the
// page's budget.
TEST(LivroHtmlTamanho, LivroPadraoAbaixoDeUmMegabyte) {
  const std::string html = LivroParaHtml(GerarLivro(5, 0, 50));
  EXPECT_LT(html.size(), 1000000u);
}

}  // namespace
}  // namespace cadrel
