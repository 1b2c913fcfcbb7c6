#include "output/navegacao_pdf.hpp"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstddef>
#include <exception>
#include <memory>
#include <new>
#include <vector>

#include <fmt/format.h>

#include "core/tipos.hpp"
#include "drawing/canvas.hpp"
#include "drawing/pdf.hpp"

namespace cadrel {

namespace {

using THandle = QPDFObjectHandle;

class TNavegador {
public:
  explicit TNavegador(QPDF& APdf) : FPdf(APdf), FPaginas(APdf.getAllPages()) {}

  // The outline's entries: each points at a whole page, its children linked
  // below it and closed.
  void Marcadores(const std::vector<TMarcador>& AMarcadores) {
    if (AMarcadores.empty()) return;
    THandle raiz = FPdf.makeIndirectObject(THandle::newDictionary({{"/Type", THandle::newName("/Outlines")}}));
    Pendurar(raiz, AMarcadores);
    raiz.replaceKey("/Count", THandle::newInteger(static_cast<long long>(AMarcadores.size())));
    FPdf.getRoot().replaceKey("/Outlines", raiz);
    FPdf.getRoot().replaceKey("/PageMode", THandle::newName("/UseOutlines"));
  }

  void Ligacoes(const std::vector<TLigacao>& ALigacoes) {
    for (const TLigacao& ligacao : ALigacoes) {
      // The canvas measures from the top-left corner, PDF user space from
      // the bottom-left.
      const TRectanguloMm& a = ligacao.Area;
      const THandle caixa = THandle::newArray({Real(MmParaPt(a.X)), Real(CAlturaA4Pt - MmParaPt(a.Y + a.Altura)),
                                               Real(MmParaPt(a.X + a.Largura)), Real(CAlturaA4Pt - MmParaPt(a.Y))});
      const THandle anotacao = FPdf.makeIndirectObject(THandle::newDictionary({
          {"/Type", THandle::newName("/Annot")},
          {"/Subtype", THandle::newName("/Link")},
          {"/Rect", caixa},
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
      throw ECadrel(fmt::format("AcrescentarNavegacao: a pagina {} nao existe no documento", AIndice));
    return FPaginas[static_cast<std::size_t>(AIndice)];
  }

  THandle Destino(std::int32_t APagina) const { return THandle::newArray({Pagina(APagina), THandle::newName("/Fit")}); }

  void Pendurar(THandle& APai, const std::vector<TMarcador>& AFilhos) {
    THandle anterior;
    for (const TMarcador& marcador : AFilhos) {
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

std::string AcrescentarNavegacao(const std::string& APdf, const TPlanoNavegacao& APlano,
                                 const std::string& AFicheiro) {
  try {
    QPDF pdf;
    // cairo's file must read cleanly; a repaired one would not be the same book.
    pdf.setSuppressWarnings(true);
    pdf.setAttemptRecovery(false);
    pdf.processMemoryFile(AFicheiro.c_str(), APdf.data(), APdf.size());
    TNavegador navegador(pdf);
    navegador.Marcadores(APlano.Marcadores);
    navegador.Ligacoes(APlano.Ligacoes);

    QPDFWriter escritor(pdf);
    escritor.setOutputMemory();
    // The streams go through untouched, as cairo compressed them: the same
    // drawing, and no time spent packing it again.
    escritor.setStreamDataMode(qpdf_s_preserve);
    escritor.setObjectStreamMode(qpdf_o_preserve);
    // The /ID from the content, not from the clock, so that a fixed moment
    // still gives the same bytes.
    escritor.setDeterministicID(true);
    escritor.write();
    const std::shared_ptr<Buffer> saida = escritor.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(saida->getBuffer()), saida->getSize());
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const ECadrel&) {
    throw;
  } catch (const std::exception& e) {
    throw ECadrel(fmt::format(
        "Não foi possível gravar o ficheiro {}: os marcadores e as ligações não entraram no PDF ({}).", AFicheiro,
        e.what()));
  }
}

}  // namespace cadrel
