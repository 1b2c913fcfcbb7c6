#include "html/livro_html.hpp"

#include <algorithm>
#include <set>
#include <string_view>

#include <fmt/format.h>
#include <nlohmann/json.hpp>
#include <utf8.h>

#include "book/diagramas.hpp"
#include "book/grelha.hpp"
#include "book/paginas.hpp"
#include "book/paginas_puzzles.hpp"
#include "book/paginas_regras.hpp"
#include "core/embutir.hpp"
#include "core/ficheiros.hpp"
#include "core/texto.hpp"
#include "core/traducao.hpp"
#include "drawing/canvas_cairo.hpp"
#include "drawing/pdf.hpp"
#include "html/fontes_html.hpp"
#include "html/puzzle_html.hpp"

// The page's style sheet and script, from resources/html, compiled in.
CADREL_EMBUTIR(cadrel_html_estilo, CADREL_HTML_ESTILO);
CADREL_EMBUTIR(cadrel_html_programa, CADREL_HTML_PROGRAMA);

namespace cadrel {
namespace {

std::string_view Embutido(const unsigned char* ADados, std::uint64_t ATamanho) {
  return {reinterpret_cast<const char*>(ADados), static_cast<std::size_t>(ATamanho)};
}

// Places in the SVG's own whole units, so that what lies over the picture
// meets the lines the browser draws from those units.
std::int32_t Unidades(double AMm) { return MmParaUnidades(AMm, CDpiPdf); }

std::string Percentagem(double AParte, double ATodo) {
  std::string texto = fmt::format("{:.3f}", AParte / ATodo * 100);
  while (texto.back() == '0') texto.pop_back();
  if (texto.back() == '.') texto.pop_back();
  return texto + '%';
}

// The style of an element laid over the drawing at AOnde, in shares of the
// window the SVG shows.
std::string Sobre(const TLimitesMm& AOnde, const TLimitesMm& AJanela) {
  const double x0 = Unidades(AJanela.X), y0 = Unidades(AJanela.Y);
  const double w = Unidades(AJanela.X + AJanela.Largura) - x0, h = Unidades(AJanela.Y + AJanela.Altura) - y0;
  const double x = Unidades(AOnde.X), y = Unidades(AOnde.Y);
  return fmt::format("left:{};top:{};width:{};height:{}", Percentagem(x - x0, w), Percentagem(y - y0, h),
                     Percentagem(Unidades(AOnde.X + AOnde.Largura) - x, w),
                     Percentagem(Unidades(AOnde.Y + AOnde.Altura) - y, h));
}

std::string Botao(std::string_view AAccao, const char* ATexto, bool AAlternar = false) {
  return fmt::format("<button type=\"button\" data-acao=\"{}\"{}>{}</button>", AAccao,
                     AAlternar ? " aria-pressed=\"false\"" : "", EscaparXml(ATexto));
}

std::string SeccaoPuzzle(const TPuzzle& APuzzle, std::int32_t AIndice, const TPuzzleSvg& ASvg, TIdioma AIdioma) {
  const std::int32_t k = AIndice + 1;
  const std::int32_t n = APuzzle.N;
  const std::string titulo = Formatar(AIdioma, "Puzzle {:03}", k);
  std::string celulas;
  bool primeira = true;
  for (std::int32_t i = 0; i < n * n; ++i) {
    if (APuzzle.Dados[i] != 0) {
      celulas += "<span></span>";
      continue;
    }
    // One cell of the grid in the tab order, the last one visited: the
    // arrows move between the others.
    celulas += fmt::format(
        "<span class=\"c\"><input data-celula=\"{}\" aria-label=\"{}\" inputmode=\"numeric\" enterkeyhint=\"done\" "
        "autocomplete=\"off\" spellcheck=\"false\" maxlength=\"2\" tabindex=\"{}\"><span class=\"notas\" "
        "aria-hidden=\"true\"></span></span>",
        NomeCelula(n, i, idPt), EscaparXml(Formatar(AIdioma, "Linha {}, coluna {}", i / n + 1, i % n + 1)),
        primeira ? 0 : -1);
    primeira = false;
  }
  std::string marcas;
  for (const TNumeroCaixa& numero : ASvg.Caixa)
    marcas += fmt::format("<span data-numero=\"{}\" style=\"{}\"></span>", numero.Numero,
                          Sobre(numero.Onde, ASvg.Janela));

  return fmt::format(
      "<section class=\"puzzle\" id=\"puzzle-{k}\" data-puzzle=\"{k}\" aria-labelledby=\"titulo-{k}\">"
      "<h2 class=\"leitor\" id=\"titulo-{k}\">{titulo}</h2>"
      "<div class=\"folha\" style=\"--d:{digitos}\">{svg}"
      "<div class=\"grelha\" role=\"group\" aria-label=\"{titulo}\" style=\"{grelha};--n:{n}\">{celulas}</div>"
      "<div class=\"marcas\" aria-hidden=\"true\">{marcas}</div></div>"
      "<div class=\"controlos\">{botoes}</div>"
      "<p class=\"pista\" data-pista aria-live=\"polite\"></p><p class=\"estado\" role=\"status\"></p></section>\n",
      fmt::arg("k", k), fmt::arg("titulo", EscaparXml(titulo)),
      fmt::arg("digitos", fmt::format("{:.3f}", ASvg.DigitosMm / ASvg.Janela.Largura * 100)),
      fmt::arg("svg", ASvg.Svg),
      fmt::arg("grelha", Sobre(ASvg.Grelha, ASvg.Janela)), fmt::arg("n", n), fmt::arg("celulas", celulas),
      fmt::arg("marcas", marcas),
      fmt::arg("botoes", Botao("lapis", Tr(AIdioma, "Lápis"), true) + Botao("desfazer", Tr(AIdioma, "Desfazer")) +
                             Botao("refazer", Tr(AIdioma, "Refazer")) + Botao("verificar", Tr(AIdioma, "Verificar")) +
                             Botao("pista", Tr(AIdioma, "Pista")) + Botao("solucao", Tr(AIdioma, "Solução")) +
                             Botao("recomecar", Tr(AIdioma, "Recomeçar"))));
}

// A page of the book drawn by ADesenhar, framed to its ink.
template <class F>
std::string PaginaSvg(F&& ADesenhar, std::set<char32_t>& ACaracteres) {
  TCanvasSvg svg;
  ADesenhar(svg);
  const TLimitesMm tinta = svg.Limites();
  ACaracteres.insert(svg.Caracteres().begin(), svg.Caracteres().end());
  return "<div class=\"pagina\">" + svg.Svg({tinta.X - 4, tinta.Y - 4, tinta.Largura + 8, tinta.Altura + 8}) +
         "</div>";
}

// The book's rules and diagrams pages as the book prints them, without their
// footers, folded away until asked for: a reader new to the laws finds them
// there.
std::string SeccaoRegras(const TLivro& ALivro, std::set<char32_t>& ACaracteres) {
  const TIdioma idioma = ALivro.Config.Idioma;
  const TConjuntoLeis leis = LeisDoLivro(ALivro);
  const bool nivel5 = std::any_of(ALivro.Puzzles.begin(), ALivro.Puzzles.end(),
                                  [](const TPuzzleDoLivro& p) { return p.Puzzle.Nivel == 5; });
  const TPaginasRegras regras(leis, nivel5, CGeometriaA4, idioma);
  std::string paginas;
  for (std::int32_t i = 0; i < regras.NumPaginas(); ++i)
    paginas += PaginaSvg([&](ICadrelCanvas& C) { regras.PaginaRegras(C, {pgRegras, i, 0}); }, ACaracteres);
  for (std::int32_t i = 0; i < NumPaginasDiagramas(leis); ++i)
    paginas += PaginaSvg([&](ICadrelCanvas& C) { DesenharDiagramas(C, CGeometriaA4, leis, i, idioma); }, ACaracteres);
  return fmt::format("<details class=\"regras\"><summary>{}</summary>{}</details>\n",
                     EscaparXml(Tr(idioma, CTituloRegras)), paginas);
}

// What the script needs of a puzzle: its side, givens and solution, the box,
// and the steps of the book's path that place a number, with their texts.
nlohmann::json DadosPuzzle(const TPuzzle& APuzzle) {
  nlohmann::json passos = nlohmann::json::array();
  for (const TPassoDeducao& passo : APuzzle.Resultado.Passos)
    if (passo.Celula >= 0) passos.push_back({passo.Celula, passo.Texto});
  return {{"n", APuzzle.N},
          {"d", APuzzle.Dados},
          {"s", APuzzle.Solucao},
          {"c", NumerosEmFalta(APuzzle.Conjunto, APuzzle.Dados)},
          {"p", std::move(passos)}};
}

// The texts the script shows, in the book's language.
nlohmann::json TextosPrograma(TIdioma AIdioma) {
  return {
      {"resolvido", Tr(AIdioma, "Resolvido!")},
      {"revelado", Tr(AIdioma, "Solução mostrada.")},
      {"semErros", Tr(AIdioma, "Sem erros até aqui.")},
      {"erro", TrN(AIdioma, "{} número errado.", "{} números errados.", 1)},
      {"erros", TrN(AIdioma, "{} número errado.", "{} números errados.", 2)},
      {"foraDaCaixa", Tr(AIdioma, "Esse número não está na caixa.")},
      {"repetido", Tr(AIdioma, "Esse número já está noutra célula.")},
      {"eliminacao", Tr(AIdioma, "Os restantes números resultam por eliminação.")},
      {"confirmarSolucao", Tr(AIdioma, "Mostrar a solução deste puzzle?")},
      {"confirmarRecomecar", Tr(AIdioma, "Apagar todos os números deste puzzle?")},
  };
}

// JSON inside a <script> element: no "</script>" nor "<!--" may appear in it.
std::string JsonNaPagina(const nlohmann::json& ADados) {
  std::string texto;
  for (const char c : ADados.dump()) {
    if (c == '<')
      texto += "\\u003c";
    else
      texto += c;
  }
  return texto;
}

void JuntarCaracteres(std::set<char32_t>& ACaracteres, std::string_view ATexto) {
  for (auto i = ATexto.begin(); i != ATexto.end();) ACaracteres.insert(utf8::next(i, ATexto.end()));
}

std::string FaceCss(bool ANegrito, const std::set<char32_t>& ACaracteres) {
  const std::string face = SubconjuntoRoboto(ANegrito, ACaracteres);
  return fmt::format("@font-face{{font-family:Roboto;font-weight:{};src:url(data:font/ttf;base64,{}) "
                     "format(\"truetype\")}}\n",
                     ANegrito ? 700 : 400,
                     Base64({reinterpret_cast<const unsigned char*>(face.data()), face.size()}));
}

}  // namespace

std::string LivroParaHtml(const TLivro& ALivro) {
  const TConfigLivro& config = ALivro.Config;
  const TIdioma idioma = config.Idioma;
  const TPaginasPuzzles paginas(ALivro, TInfoLivro{}, LayoutEcra(config.N), GeometriaEcra(config.N));
  std::set<char32_t> caracteres;
  std::string puzzles, indice;
  nlohmann::json dados = nlohmann::json::array();
  for (std::size_t i = 0; i < ALivro.Puzzles.size(); ++i) {
    const auto indicePuzzle = static_cast<std::int32_t>(i);
    const TPuzzle& p = ALivro.Puzzles[i].Puzzle;
    const TPuzzleSvg svg = DesenharPuzzleSvg(paginas, indicePuzzle);
    caracteres.insert(svg.Caracteres.begin(), svg.Caracteres.end());
    puzzles += SeccaoPuzzle(p, indicePuzzle, svg, idioma);
    indice += fmt::format("<li><a href=\"#puzzle-{0}\" data-indice=\"{0}\">{0:03}</a></li>", i + 1);
    dados.push_back(DadosPuzzle(p));
  }

  const std::string regras = SeccaoRegras(ALivro, caracteres);
  const std::string tituloLivro(Aparar(config.Titulo));
  const std::string titulo = tituloLivro.empty() ? std::string("Quorvel") : tituloLivro;
  const std::size_t quantos = ALivro.Puzzles.size();
  const nlohmann::json programa = {{"livro", ALivro.Codigo}, {"textos", TextosPrograma(idioma)}, {"puzzles", dados}};
  const std::string corpo = fmt::format(
      "<header><h1>{titulo}</h1><p class=\"livro\">{codigoRotulo} <b>{codigo}</b> · {quantos} · {tamanho}</p>"
      "<p class=\"ajuda\">{ajuda}</p>{regras}</header>\n"
      "<nav aria-labelledby=\"indice\"><h2 id=\"indice\">{indiceRotulo}</h2><ol class=\"indice\">{indice}</ol></nav>\n"
      "<main>\n{puzzles}</main>\n"
      "<script type=\"application/json\" id=\"dados-livro\">{dados}</script>\n",
      fmt::arg("titulo", EscaparXml(titulo)), fmt::arg("codigoRotulo", EscaparXml(Tr(idioma, "Código do livro:"))),
      fmt::arg("codigo", EscaparXml(ALivro.Codigo)),
      fmt::arg("quantos", fmt::format(fmt::runtime(TrN(idioma, "{} puzzles", "{} puzzles", quantos)), quantos)),
      fmt::arg("tamanho", TextoTamanho(config.N)),
      fmt::arg("ajuda", EscaparXml(Tr(idioma, "Escreva em cada célula vazia um número da caixa; o lápis anota "
                                              "vários números numa célula. As setas andam entre as células."))),
      fmt::arg("regras", regras), fmt::arg("indiceRotulo", EscaparXml(Tr(idioma, "Índice"))),
      fmt::arg("indice", indice),
      fmt::arg("puzzles", puzzles), fmt::arg("dados", JsonNaPagina(programa)));

  const std::string_view estilo = Embutido(cadrel_html_estilo_dados, cadrel_html_estilo_tamanho);
  const std::string_view script = Embutido(cadrel_html_programa_dados, cadrel_html_programa_tamanho);
  // The faces keep every character the page holds, whatever shows it: the
  // drawings, the page's own texts, or the script from the book's data.
  JuntarCaracteres(caracteres, corpo);
  JuntarCaracteres(caracteres, titulo);
  for (char32_t c = 0x20; c < 0x7F; ++c) caracteres.insert(c);

  return fmt::format(
      "<!DOCTYPE html>\n<html lang=\"{lingua}\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      // Nothing but what the page carries: no request can leave it.
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
      "script-src 'unsafe-inline'; font-src data:; img-src data:\">\n"
      "<title>{titulo}</title>\n<style>\n{regular}{negrito}{estilo}</style>\n</head>\n<body>\n{corpo}"
      "<script>\n{script}</script>\n</body>\n</html>\n",
      fmt::arg("lingua", idioma == idEn ? "en" : "pt-PT"), fmt::arg("titulo", EscaparXml(titulo)),
      fmt::arg("regular", FaceCss(false, caracteres)), fmt::arg("negrito", FaceCss(true, caracteres)),
      fmt::arg("estilo", estilo), fmt::arg("corpo", corpo), fmt::arg("script", script));
}

void GravarLivroHtml(const std::string& ACaminho, const TLivro& ALivro) {
  GravarFicheiroAtomico(ACaminho, LivroParaHtml(ALivro));
}

}  // namespace cadrel
