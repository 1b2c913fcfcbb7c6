#include "html/fontes_html.hpp"

#include <hb-subset.h>

#include <memory>
#include <new>

#include "core/tipos.hpp"
#include "drawing/recursos.hpp"

namespace cadrel {
namespace {

struct TLibertaHb {
  void operator()(hb_blob_t* ABlob) const { hb_blob_destroy(ABlob); }
  void operator()(hb_face_t* AFace) const { hb_face_destroy(AFace); }
  void operator()(hb_subset_input_t* AEntrada) const { hb_subset_input_destroy(AEntrada); }
};
template <class T>
using THb = std::unique_ptr<T, TLibertaHb>;

}  // namespace

std::string SubconjuntoRoboto(bool ANegrito, const std::set<char32_t>& ACaracteres) {
  const auto dados = Recurso(ANegrito ? "ROBOTO_NEGRITO" : "ROBOTO_REGULAR");
  if (!dados) throw ECadrel("SubconjuntoRoboto: a face nao existe no executavel");
  const THb<hb_blob_t> blob(hb_blob_create(reinterpret_cast<const char*>(dados->data()),
                                           static_cast<unsigned int>(dados->size()), HB_MEMORY_MODE_READONLY,
                                           nullptr, nullptr));
  const THb<hb_face_t> face(hb_face_create(blob.get(), 0));
  const THb<hb_subset_input_t> entrada(hb_subset_input_create_or_fail());
  if (!entrada) throw std::bad_alloc();
  hb_set_t* caracteres = hb_subset_input_unicode_set(entrada.get());
  for (const char32_t c : ACaracteres) hb_set_add(caracteres, c);
  hb_set_t* fora = hb_subset_input_set(entrada.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
  for (const hb_tag_t tabela : {HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'D', 'E', 'F'),
                                HB_TAG('k', 'e', 'r', 'n')})
    hb_set_add(fora, tabela);
  hb_subset_input_set_flags(entrada.get(), HB_SUBSET_FLAGS_NO_HINTING);
  const THb<hb_face_t> subconjunto(hb_subset_or_fail(face.get(), entrada.get()));
  if (!subconjunto) throw ECadrel("SubconjuntoRoboto: o HarfBuzz nao conseguiu cortar a face");
  const THb<hb_blob_t> bytes(hb_face_reference_blob(subconjunto.get()));
  unsigned int tamanho = 0;
  const char* inicio = hb_blob_get_data(bytes.get(), &tamanho);
  return {inicio, tamanho};
}

}  // namespace cadrel
