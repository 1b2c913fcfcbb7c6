#include "drawing/navegacao_qpdf.hpp"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstddef>
#include <memory>
#include <stdexcept>

namespace cadrel {

namespace {

using THandle = QPDFObjectHandle;

class TNavegador {
public:
  explicit TNavegador(QPDF& APdf) : FPdf(APdf), FPaginas(APdf.getAllPages()) {}

  void Marcadores(const std::vector<TMarcadorPdf>& AMarcadores) {
    if (AMarcadores.empty()) return;
    THandle raiz = FPdf.makeIndirectObject(THandle::newDictionary({{"/Type", THandle::newName("/Outlines")}}));
    Pendurar(raiz, AMarcadores);
    // Only the top level shows at first.
    raiz.replaceKey("/Count", THandle::newInteger(static_cast<long long>(AMarcadores.size())));
    FPdf.getRoot().replaceKey("/Outlines", raiz);
    FPdf.getRoot().replaceKey("/PageMode", THandle::newName("/UseOutlines"));
  }

  void Ligacoes(const std::vector<TLigacaoPdf>& ALigacoes) {
    for (const TLigacaoPdf& ligacao : ALigacoes) {
      const THandle anotacao = FPdf.makeIndirectObject(THandle::newDictionary({
          {"/Type", THandle::newName("/Annot")},
          {"/Subtype", THandle::newName("/Link")},
          {"/Rect", THandle::newArray({Real(ligacao.X1), Real(ligacao.Y1), Real(ligacao.X2), Real(ligacao.Y2)})},
          {"/Border", THandle::newArray({THandle::newInteger(0), THandle::newInteger(0), THandle::newInteger(0)})},
          {"/Dest", Destino(ligacao.Destino)},
      }));
      THandle pagina = Pagina(ligacao.Pagina);
      if (!pagina.getKey("/Annots").isArray()) pagina.replaceKey("/Annots", THandle::newArray());
      pagina.getKey("/Annots").appendItem(anotacao);
    }
  }

private:
  static THandle Real(double APontos) { return THandle::newReal(APontos, 2); }

  THandle Pagina(std::int32_t AIndice) const {
    if (AIndice < 0 || static_cast<std::size_t>(AIndice) >= FPaginas.size())
      throw std::out_of_range("a página " + std::to_string(AIndice + 1) + " não existe no documento");
    return FPaginas[static_cast<std::size_t>(AIndice)];
  }

  THandle Destino(std::int32_t APagina) const { return THandle::newArray({Pagina(APagina), THandle::newName("/Fit")}); }

  void Pendurar(THandle& APai, const std::vector<TMarcadorPdf>& AFilhos) {
    THandle anterior;
    for (const TMarcadorPdf& marcador : AFilhos) {
      THandle item = FPdf.makeIndirectObject(THandle::newDictionary({
          {"/Title", THandle::newUnicodeString(marcador.Titulo)},
          {"/Parent", APai},
          {"/Dest", Destino(marcador.Pagina)},
      }));
      if (anterior.isInitialized()) {
        anterior.replaceKey("/Next", item);
        item.replaceKey("/Prev", anterior);
      } else {
        APai.replaceKey("/First", item);
      }
      if (!marcador.Filhos.empty()) {
        Pendurar(item, marcador.Filhos);
        // Negative: the list starts closed.
        item.replaceKey("/Count", THandle::newInteger(-static_cast<long long>(marcador.Filhos.size())));
      }
      anterior = item;
    }
    APai.replaceKey("/Last", anterior);
  }

  QPDF& FPdf;
  std::vector<THandle> FPaginas;
};

}  // namespace

std::string AcrescentarNavegacaoQpdf(const std::string& APdf, const std::vector<TMarcadorPdf>& AMarcadores,
                                     const std::vector<TLigacaoPdf>& ALigacoes, const std::string& ADescricao) {
  QPDF pdf;
  // Nothing on standard error; and a file that needs repair is refused, not
  // rewritten into something else.
  pdf.setSuppressWarnings(true);
  pdf.setAttemptRecovery(false);
  pdf.processMemoryFile(ADescricao.c_str(), APdf.data(), APdf.size());
  TNavegador navegador(pdf);
  navegador.Marcadores(AMarcadores);
  navegador.Ligacoes(ALigacoes);

  QPDFWriter escritor(pdf);
  escritor.setOutputMemory();
  // The streams go through as they came, compressed: the same drawing, and no
  // time spent packing it again.
  escritor.setStreamDataMode(qpdf_s_preserve);
  escritor.setObjectStreamMode(qpdf_o_preserve);
  // The /ID from the content, not from the clock, so that a fixed moment
  // still gives the same bytes.
  escritor.setDeterministicID(true);
  escritor.write();
  const std::shared_ptr<Buffer> saida = escritor.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(saida->getBuffer()), saida->getSize());
}

}  // namespace cadrel
