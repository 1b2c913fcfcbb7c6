// The bookmarks and links of a real book's PDF, read back with qpdf and
// poppler, and the pages it prints compared with the file cairo wrote.
#include "output/navegacao_pdf.hpp"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "apoio.hpp"
#include "book/compositor.hpp"
#include "ferramentas_pdf.hpp"
#include "generation/livro.hpp"
#include "output/livro_pdf.hpp"

namespace cadrel {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

struct TCasoLivro {
  std::int32_t N;
  bool Caminho;  // hints: on 5 x 5, two solutions a page instead of four
};

TLivro GerarLivro(const TCasoLivro& ACaso) {
  TConfigLivro config;
  config.NumPuzzles = 5;
  config.N = ACaso.N;
  config.Nivel = 1;
  config.Leis = TConjuntoLeis::DeCodigo(31);
  config.Caminho = ACaso.Caminho;
  config.Semente = 0x4E4156;
  return TGeradorLivro().Gerar(config);
}

// A word pdftotext found, in points from the top-left corner.
struct TPalavra {
  std::string Texto;
  double X1, Y1, X2, Y2;
};

// The words of page APagina (0-based), in reading order.
std::vector<TPalavra> Palavras(const std::string& APdf, std::int32_t APagina) {
  const std::string html =
      Executar(fmt::format("pdftotext -bbox -f {0} -l {0} -enc UTF-8 '{1}' -", APagina + 1, APdf));
  std::vector<TPalavra> palavras;
  const std::string marca = "<word xMin=\"";
  for (auto i = html.find(marca); i != std::string::npos; i = html.find(marca, i + 1)) {
    TPalavra p{};
    const int lidos = std::sscanf(html.c_str() + i + marca.size(), "%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"",
                                  &p.X1, &p.Y1, &p.X2, &p.Y2);
    EXPECT_EQ(lidos, 4) << html.substr(i, 120);
    const auto inicio = html.find('>', i) + 1;
    p.Texto = html.substr(inicio, html.find('<', inicio) - inicio);
    palavras.push_back(p);
  }
  return palavras;
}

// The box of the first run of consecutive words that reads ATextos.
TPalavra Caixa(const std::vector<TPalavra>& APalavras, const std::vector<std::string>& ATextos) {
  for (std::size_t i = 0; i + ATextos.size() <= APalavras.size(); ++i) {
    bool igual = true;
    for (std::size_t k = 0; k < ATextos.size(); ++k) igual = igual && APalavras[i + k].Texto == ATextos[k];
    if (igual)
      return {"", APalavras[i].X1, APalavras[i].Y1, APalavras[i + ATextos.size() - 1].X2,
              APalavras[i + ATextos.size() - 1].Y2};
  }
  ADD_FAILURE() << ATextos.back() << " não está na página";
  return {};
}

// What qpdf reads in the file: its objects, its pages and its outline.
class TLeituraQpdf {
public:
  explicit TLeituraQpdf(const std::string& APdf) : FJson(json::parse(Executar("qpdf --json=2 '" + APdf + "'"))) {
    for (const json& p : FJson["pages"]) FPaginas[p["object"]] = p["pageposfrom1"].get<std::int32_t>() - 1;
  }

  const json& Objecto(const std::string& AReferencia) const { return FJson["qpdf"][1]["obj:" + AReferencia]["value"]; }
  const json& Raiz() const { return Objecto(FJson["qpdf"][1]["trailer"]["value"]["/Root"]); }
  const json& Contorno() const { return FJson["outlines"]; }
  std::int32_t NumPaginas() const { return static_cast<std::int32_t>(FPaginas.size()); }
  std::string ReferenciaPagina(std::int32_t APagina) const { return FJson["pages"][APagina]["object"]; }

  // The page a /Dest goes to; the whole page is shown.
  std::int32_t Destino(const json& ADestino) const {
    EXPECT_EQ(ADestino.size(), 2u);
    EXPECT_EQ(ADestino[1], "/Fit");
    const auto i = FPaginas.find(ADestino[0]);
    return i == FPaginas.end() ? -1 : i->second;
  }

private:
  json FJson;
  std::map<std::string, std::int32_t> FPaginas;
};

class NavegacaoPdf : public testing::TestWithParam<TCasoLivro> {
protected:
  void SetUp() override {
    FLivro = GerarLivro(GetParam());
    GravarLivroPdf(FAlvo, FLivro, FInfo);
  }

  TPastaTemporaria FPasta;
  std::string FAlvo = (FPasta.Caminho() / "livro.pdf").string();
  TLivro FLivro;
  TInfoLivro FInfo = InfoPadrao();
};

TEST_P(NavegacaoPdf, MarcadoresELigacoesNoFicheiro) {
  Executar("qpdf --check '" + FAlvo + "'");
  const TLeituraQpdf pdf(FAlvo);
  const TCompositorLivro compositor(FLivro, FInfo);
  const std::vector<TDescPagina>& plano = compositor.Paginas();
  ASSERT_EQ(pdf.NumPaginas(), compositor.NumPaginas());

  // Where the plan puts each section and each puzzle and solution.
  std::int32_t regras = -1, diagramas = -1, separadores[2] = {-1, -1};
  std::vector<std::int32_t> paginaPuzzle(5, -1), paginaSolucao(5, -1);
  for (std::int32_t p = 0; p < compositor.NumPaginas(); ++p) {
    const TDescPagina& d = plano[p];
    if (d.Tipo == pgRegras && regras < 0) regras = p;
    if (d.Tipo == pgDiagramas && diagramas < 0) diagramas = p;
    if (d.Tipo == pgSeparador) separadores[d.Primeiro] = p;
    const std::int32_t porPagina = d.Tipo == pgPuzzles    ? LayoutPadrao(FLivro.Config.N).PorPagina
                                   : d.Tipo == pgSolucoes ? SolucoesPorPagina(FLivro.Config.N, FLivro.Config.Caminho)
                                                          : 0;
    for (std::int32_t k = 0; k < porPagina && d.Primeiro + k < 5; ++k)
      (d.Tipo == pgPuzzles ? paginaPuzzle : paginaSolucao)[d.Primeiro + k] = p;
  }

  // The outline: the sections in book order, each list of puzzles closed.
  EXPECT_EQ(pdf.Raiz()["/PageMode"], "/UseOutlines");
  const json& contorno = pdf.Objecto(pdf.Raiz()["/Outlines"]);
  EXPECT_EQ(contorno["/Count"], 6);
  const std::vector<std::pair<std::string, std::int32_t>> seccoes{
      {"Capa", 0},
      {"Regras", regras},
      {"Os diagramas das leis", diagramas},
      {"Puzzles", separadores[0]},
      {"Soluções", separadores[1]},
      {"Ficha técnica", compositor.NumPaginas() - 1},
  };
  ASSERT_EQ(pdf.Contorno().size(), seccoes.size());
  for (std::size_t s = 0; s < seccoes.size(); ++s) {
    const json& item = pdf.Contorno()[s];
    EXPECT_EQ(item["title"], seccoes[s].first);
    EXPECT_EQ(pdf.Destino(item["dest"]), seccoes[s].second) << seccoes[s].first;
    const bool lista = s == 3 || s == 4;
    ASSERT_EQ(item["kids"].size(), lista ? 5u : 0u) << seccoes[s].first;
    if (!lista) continue;
    EXPECT_FALSE(item["open"].get<bool>());
    EXPECT_EQ(pdf.Objecto(item["object"])["/Count"], -5);
    for (std::int32_t i = 0; i < 5; ++i) {
      const json& filho = item["kids"][i];
      EXPECT_EQ(filho["title"], fmt::format("{} {:03}", s == 3 ? "Puzzle" : "Solução", i + 1));
      EXPECT_EQ(pdf.Destino(filho["dest"]), (s == 3 ? paginaPuzzle : paginaSolucao)[i]) << filho["title"];
    }
  }

  // Exactly one borderless link per heading, over the heading as printed,
  // to the page of the other half: puzzle i's number and its solution's title.
  std::map<std::pair<std::int32_t, std::int32_t>, std::int32_t> ligacoes, esperadas;
  for (std::int32_t i = 0; i < 5; ++i) esperadas[{paginaPuzzle[i], i}] = esperadas[{paginaSolucao[i], i}] = 1;
  for (std::int32_t p = 0; p < pdf.NumPaginas(); ++p) {
    const json& pagina = pdf.Objecto(pdf.ReferenciaPagina(p));
    if (!pagina.contains("/Annots")) continue;
    const std::vector<TPalavra> palavras = Palavras(FAlvo, p);
    for (const json& referencia : pagina["/Annots"]) {
      const json& a = pdf.Objecto(referencia);
      EXPECT_EQ(a["/Subtype"], "/Link");
      EXPECT_EQ(a["/Border"], json::array({0, 0, 0}));
      const std::int32_t destino = pdf.Destino(a["/Dest"]);
      // /Rect is [x1 y1 x2 y2] from the bottom-left corner.
      const double x1 = a["/Rect"][0], y1 = CAlturaA4Pt - a["/Rect"][3].get<double>(), x2 = a["/Rect"][2],
                   y2 = CAlturaA4Pt - a["/Rect"][1].get<double>();
      std::int32_t achados = 0;
      for (std::int32_t i = 0; i < 5; ++i) {
        const bool ida = paginaPuzzle[i] == p && paginaSolucao[i] == destino;
        const bool volta = paginaSolucao[i] == p && paginaPuzzle[i] == destino;
        if (!ida && !volta) continue;
        const std::string numero = fmt::format("{:03}", i + 1);
        const TPalavra c = ida ? Caixa(palavras, {numero}) : Caixa(palavras, {"Puzzle", numero});
        // The box's sides are the text's advance and its line box; poppler's
        // are the glyphs' and the face's: close, and the text inside.
        if (std::abs(x1 - c.X1) < 1.5 && std::abs(x2 - c.X2) < 1.5 && y1 <= c.Y1 + 0.5 && y2 >= c.Y2 - 0.5 &&
            y2 - y1 < (c.Y2 - c.Y1) * 1.5) {
          ++ligacoes[{p, i}];
          ++achados;
        }
      }
      EXPECT_EQ(achados, 1) << fmt::format("página {}: [{} {} {} {}] para a página {}", p + 1, x1, y1, x2, y2,
                                           destino + 1);
    }
  }
  EXPECT_EQ(ligacoes, esperadas);
}

// The navigation adds nothing that prints: every page renders as in the file
// cairo wrote alone.
TEST_P(NavegacaoPdf, PaginasDesenhadasComoSemNavegacao) {
  const std::string sem = (FPasta.Caminho() / "sem.pdf").string();
  GravarLivroPdf(sem, FLivro, FInfo, LayoutPadrao(FLivro.Config.N), false);
  EXPECT_EQ(Executar("qpdf --json=2 --json-key=outlines '" + sem + "'").find("\"title\""), std::string::npos);

  const fs::path com = FPasta.Caminho() / "com", semNav = FPasta.Caminho() / "sem";
  fs::create_directory(com);
  fs::create_directory(semNav);
  Executar(fmt::format("pdftoppm -r 50 -gray '{}' '{}'", FAlvo, (com / "p").string()));
  Executar(fmt::format("pdftoppm -r 50 -gray '{}' '{}'", sem, (semNav / "p").string()));
  const auto Ler = [](const fs::path& AFicheiro) {
    std::stringstream s;
    s << std::ifstream(AFicheiro, std::ios::binary).rdbuf();
    return s.str();
  };
  std::int32_t paginas = 0;
  for (const auto& e : fs::directory_iterator(com)) {
    ++paginas;
    EXPECT_EQ(Ler(e.path()), Ler(semNav / e.path().filename())) << e.path().filename();
  }
  EXPECT_EQ(paginas, TCompositorLivro(FLivro, FInfo).NumPaginas());
}

INSTANTIATE_TEST_SUITE_P(Livros, NavegacaoPdf, testing::Values(TCasoLivro{5, true}, TCasoLivro{4, false}),
                         [](const testing::TestParamInfo<TCasoLivro>& i) {
                           return fmt::format("N{}_{}", i.param.N, i.param.Caminho ? "ComDicas" : "SemDicas");
                         });

TEST(NavegacaoPdfFalha, FicheiroIlegivelOuPaginaInexistente) {
  const std::string mensagem = Mensagem([] { AcrescentarNavegacao("isto não é um PDF", {}, "/pasta/livro.pdf"); });
  EXPECT_EQ(mensagem.rfind("Não foi possível gravar o ficheiro /pasta/livro.pdf: os marcadores e as ligações não "
                           "entraram no PDF (",
                           0),
            0u)
      << mensagem;

  // A page the plan names but the file lacks.
  const TPastaTemporaria pasta;
  const std::string alvo = (pasta.Caminho() / "livro.pdf").string();
  TLivro livro = GerarLivro({4, true});
  GravarLivroPdf(alvo, livro, InfoPadrao(), LayoutPadrao(4), false);
  std::stringstream pdf;
  pdf << std::ifstream(alvo, std::ios::binary).rdbuf();
  TPlanoNavegacao plano;
  plano.Marcadores.push_back({"Capa", 999});
  EXPECT_EQ(Mensagem([&] { AcrescentarNavegacao(pdf.str(), plano, alvo); }),
            "Não foi possível gravar o ficheiro " + alvo +
                ": os marcadores e as ligações não entraram no PDF (a página 1000 não existe no documento).");
}

}  // namespace
}  // namespace cadrel
