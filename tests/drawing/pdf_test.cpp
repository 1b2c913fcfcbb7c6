#include "drawing/pdf.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "apoio.hpp"
#include "core/tipos.hpp"
#include "drawing/canvas_cairo.hpp"
#include "ferramentas_pdf.hpp"

namespace cadrel {
namespace {

namespace fs = std::filesystem;

// Each test writes into a folder of its own, removed afterwards.
class Pdf : public ::testing::Test {
protected:
  std::string Sobre(const std::string& AFerramenta) { return Executar(AFerramenta + " '" + FAlvo + "'"); }

  void EscreverAntigo() { std::ofstream(FAlvo) << "antigo"; }

  std::string Conteudo() {
    std::stringstream s;
    s << std::ifstream(FAlvo).rdbuf();
    return s.str();
  }

  std::vector<std::string> Ficheiros() {
    std::vector<std::string> nomes;
    for (const auto& e : fs::directory_iterator(FPasta)) nomes.push_back(e.path().filename().string());
    return nomes;
  }

  TPastaTemporaria FTemporaria;
  const fs::path& FPasta = FTemporaria.Caminho();
  std::string FAlvo = (FPasta / "livro.pdf").string();
};

// A page of the document, drawn through the cairo canvas at the PDF's resolution.
std::shared_ptr<ICadrelCanvas> NovaPagina(TDocumentoPdf& ADoc) {
  return std::make_shared<TCanvasCairo>(ADoc.NovaPagina(), CDpiPdf);
}

void DesenharPaginas(TDocumentoPdf& ADoc) {
  auto c = NovaPagina(ADoc);
  c->Texto(18, 205, "QUORVEL", 14, true, 0, alEsquerda);
  c->Texto(18, 216, "© 2024 Velmaro · 5 × 5 – «Números a colocar»", 12, false, 0, alEsquerda);
  c->Imagem(18, 235.15, 30, 10.546875, "SELO_CC_BY_NC_ND");
  c->Rectangulo(20, 20, 60, 40, 0.8, 0, 200);
  c->Elipse(100, 20, 14, 14, 1.2, 0, -1);
  const TPontoMm triangulo[] = {PontoMm(150, 20), PontoMm(180, 60), PontoMm(120, 60)};
  c->Poligono(triangulo, 0.5, 0, 128);
  c = NovaPagina(ADoc);
  c->Texto(105, 140, "Soluções", 36, true, 0, alCentro);
  c->Linha(90, 162.5, 120, 162.5, 0.8, 0);
}

TEST_F(Pdf, LivroDeDuasPaginasSubstituiOFicheiro) {
  EscreverAntigo();
  {
    TDocumentoPdf doc(FAlvo);
    DesenharPaginas(doc);
    doc.Gravar();
  }
  EXPECT_EQ(Ficheiros(), std::vector<std::string>{"livro.pdf"});
  Sobre("qpdf --check");

  const std::string info = Executar("pdfinfo -f 1 -l 2 '" + FAlvo + "'");
  EXPECT_NE(info.find("Title:           QUORVEL\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Author:          Velmaro\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Pages:           2\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Encrypted:       no\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Page    1 size:  595 x 842 pts"), std::string::npos) << info;
  EXPECT_NE(info.find("Page    2 size:  595 x 842 pts"), std::string::npos) << info;

  // Only the two faces, both embedded.
  EXPECT_EQ(FacesEmbutidas(FAlvo), (std::vector<std::string>{"Roboto-Bold", "Roboto-Regular"}));

  const std::string texto = Executar("pdftotext -enc UTF-8 '" + FAlvo + "' -");
  for (const char* esperado : {"QUORVEL", "Soluções", "5 × 5", "«Números a colocar»", "© 2024 Velmaro"})
    EXPECT_NE(texto.find(esperado), std::string::npos) << esperado << '\n' << texto;

  // The seal: one RGB image and no soft mask beside it (page, num, type,
  // width, height, color, ...).
  const auto imagens = Tabela(Sobre("pdfimages -list"), 2);
  ASSERT_EQ(imagens.size(), 1u);
  EXPECT_EQ(std::vector<std::string>(imagens[0].begin() + 2, imagens[0].begin() + 6),
            (std::vector<std::string>{"image", "1280", "450", "rgb"}));
}

TEST_F(Pdf, TextoAlinhadoEmUnidadesInteiras) {
  std::int32_t larguraRegular = 0, larguraNegrito = 0;
  {
    TDocumentoPdf doc(FAlvo);
    auto c = NovaPagina(doc);
    larguraRegular = MmParaUnidades(c->LarguraTexto("Soluções", 12, false), CDpiPdf);
    larguraNegrito = MmParaUnidades(c->LarguraTexto("Soluções", 12, true), CDpiPdf);
    c->Texto(100, 50, "Soluções", 12, false, 0, alEsquerda);
    c->Texto(100, 60, "Soluções", 12, true, 0, alCentro);
    c->Texto(100, 70, "Soluções", 12, false, 0, alDireita);
    doc.Gravar();
  }
  // An odd width shows whether the centring halves it by truncation.
  ASSERT_EQ(larguraNegrito % 2, 1);
  const std::int32_t x = MmParaUnidades(100, CDpiPdf);
  const std::int32_t esperados[] = {x, x - larguraNegrito / 2, x - larguraRegular};

  // pdftotext places each word at its first glyph's origin, in points.
  const std::string caixas = Executar("pdftotext -bbox '" + FAlvo + "' -");
  std::vector<double> inicios;
  const std::string marca = "<word xMin=\"";
  for (auto i = caixas.find(marca); i != std::string::npos; i = caixas.find(marca, i + 1))
    inicios.push_back(std::stod(caixas.substr(i + marca.size())));
  ASSERT_EQ(inicios.size(), 3u) << caixas;
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(inicios[i], esperados[i] * 72.0 / CDpiPdf, 0.01) << i;
}

TEST_F(Pdf, ErroAoDesenharNaoDeixaRasto) {
  EscreverAntigo();
  EXPECT_EQ(Mensagem([&] {
              TDocumentoPdf doc(FAlvo);
              DesenharPaginas(doc);
              NovaPagina(doc)->Imagem(0, 0, 10, 10, "NENHUM");
              doc.Gravar();
            }),
            "Imagem: o recurso NENHUM nao existe no executavel");
  EXPECT_EQ(Conteudo(), "antigo");
  EXPECT_EQ(Ficheiros(), std::vector<std::string>{"livro.pdf"});
}

// The bytes handed over by Fechar reach the disk only through Gravar, exactly
// as given; a step between them that fails leaves the disk as it was.
TEST_F(Pdf, BytesFechadosSoChegamAoDiscoComGravar) {
  EscreverAntigo();
  std::string bytes;
  {
    TDocumentoPdf doc(FAlvo);
    DesenharPaginas(doc);
    bytes = doc.Fechar();
  }
  EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(Conteudo(), "antigo");
  EXPECT_EQ(Ficheiros(), std::vector<std::string>{"livro.pdf"});

  TDocumentoPdf doc(FAlvo);
  DesenharPaginas(doc);
  const std::string cairo = doc.Fechar();
  EXPECT_EQ(Mensagem([&] { doc.NovaPagina(); }), "TDocumentoPdf.NovaPagina: o documento ja foi fechado");
  doc.Gravar(cairo + "%acrescento\n");
  EXPECT_EQ(Conteudo(), cairo + "%acrescento\n");
  EXPECT_EQ(Ficheiros(), std::vector<std::string>{"livro.pdf"});
}

TEST_F(Pdf, FalhaDeEscritaPreservaOFicheiroExistente) {
  EscreverAntigo();
  // Files of this process may not grow past 4 KiB while the book is written.
  rlimit antes;
  getrlimit(RLIMIT_FSIZE, &antes);
  rlimit limite = antes;
  limite.rlim_cur = 4096;
  const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limite);
  std::string mensagem;
  try {
    TDocumentoPdf doc(FAlvo);
    DesenharPaginas(doc);
    doc.Gravar();
  } catch (const ECadrel& e) {
    mensagem = e.what();
  }
  setrlimit(RLIMIT_FSIZE, &antes);
  std::signal(SIGXFSZ, sinal);
  EXPECT_EQ(mensagem, "Não foi possível gravar o ficheiro " + FAlvo + ": o ficheiro fica grande demais.");
  EXPECT_EQ(Conteudo(), "antigo");
  EXPECT_EQ(Ficheiros(), std::vector<std::string>{"livro.pdf"});
}

// Nothing touches the disk before the bytes are ready: the missing folder is
// found when they are written.
TEST_F(Pdf, PastaInexistente) {
  const std::string caminho = (FPasta / "nada" / "livro.pdf").string();
  TDocumentoPdf doc(caminho);
  DesenharPaginas(doc);
  EXPECT_EQ(Mensagem([&] { doc.Gravar(); }),
            "Não foi possível gravar o ficheiro " + caminho + ": a pasta não existe.");
  EXPECT_TRUE(Ficheiros().empty());
}

}  // namespace
}  // namespace cadrel
