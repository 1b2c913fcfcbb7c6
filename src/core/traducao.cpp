#include "core/traducao.hpp"

#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>
#include <unordered_map>

#include "core/embutir.hpp"
#include "core/texto.hpp"
#include "core/tipos.hpp"

// The compiled catalogues (msgfmt, at build time, from po/).
CADREL_EMBUTIR(cadrel_catalogo_en, CADREL_CATALOGO_EN);

namespace cadrel {

namespace {

// A catalogue in GNU gettext's compiled form: a little-endian header, then
// tables of (length, offset) for the originals and for their translations.
// Every string is followed by a NUL; a plural entry holds its forms one after
// the other, and a text with a context is "context\x04text".
class TCatalogo {
public:
  explicit TCatalogo(std::span<const unsigned char> AMo) : FMo(AMo) {
    if (Palavra(0) != 0x950412de) throw ECadrel("TCatalogo: o catalogo compilado nao e um ficheiro .mo");
    const std::uint32_t n = Palavra(8);
    const std::uint32_t originais = Palavra(12);
    const std::uint32_t traducoes = Palavra(16);
    FTextos.reserve(n);
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::string_view original = Texto(originais + 8 * i);
      const std::string_view traducao = Texto(traducoes + 8 * i);
      // The header (empty original) is no text; an empty translation is none.
      if (!original.empty() && !traducao.empty()) FTextos.emplace(original.substr(0, original.find('\0')), traducao);
    }
  }

  // Form AForma of the translation of AChave, or nullptr.
  const char* Procurar(std::string_view AChave, std::size_t AForma = 0) const {
    const auto it = FTextos.find(AChave);
    if (it == FTextos.end()) return nullptr;
    std::string_view formas = it->second;
    for (; AForma > 0; --AForma) {
      const std::size_t fim = formas.find('\0');
      if (fim == std::string_view::npos) return nullptr;
      formas.remove_prefix(fim + 1);
    }
    return formas.data();
  }

private:
  std::uint32_t Palavra(std::size_t AOffset) const {
    if (AOffset + 4 > FMo.size()) throw ECadrel("TCatalogo: o catalogo compilado esta truncado");
    std::uint32_t v = 0;
    std::memcpy(&v, FMo.data() + AOffset, 4);
    return v;
  }
  // The string a (length, offset) pair at ADescritor points at; its NUL follows it.
  std::string_view Texto(std::size_t ADescritor) const {
    const std::uint32_t tamanho = Palavra(ADescritor);
    const std::uint32_t inicio = Palavra(ADescritor + 4);
    if (static_cast<std::size_t>(inicio) + tamanho >= FMo.size())
      throw ECadrel("TCatalogo: o catalogo compilado esta truncado");
    return {reinterpret_cast<const char*>(FMo.data()) + inicio, tamanho};
  }

  std::span<const unsigned char> FMo;
  std::unordered_map<std::string_view, std::string_view> FTextos;
};

const TCatalogo* Catalogo(TIdioma AIdioma) {
  static const TCatalogo en({cadrel_catalogo_en_dados, cadrel_catalogo_en_tamanho});
  return AIdioma == idEn ? &en : nullptr;
}

// Form AForma of AChave's translation in AIdioma's catalogue, or ASenao where
// there is none.
const char* Traduzir(TIdioma AIdioma, std::string_view AChave, std::size_t AForma, const char* ASenao) {
  const TCatalogo* catalogo = Catalogo(AIdioma);
  const char* traducao = catalogo != nullptr ? catalogo->Procurar(AChave, AForma) : nullptr;
  return traducao != nullptr ? traducao : ASenao;
}

// The language part of a locale or LANGUAGE entry: "en" of "en_GB.UTF-8@euro".
std::string_view LinguaDe(std::string_view ANome) { return ANome.substr(0, ANome.find_first_of("_.@")); }

}  // namespace

TIdioma IdiomaDoAmbiente(const std::function<const char*(const char*)>& AVariavel) {
  const auto valor = [&AVariavel](const char* ANome) {
    const char* v = AVariavel(ANome);
    return std::string_view(v != nullptr ? v : "");
  };
  std::string_view locale = valor("LC_ALL");
  if (locale.empty()) locale = valor("LC_MESSAGES");
  if (locale.empty()) locale = valor("LANG");
  if (locale.empty() || locale == "C" || locale == "POSIX") return idPt;
  if (const std::string_view lista = valor("LANGUAGE"); !lista.empty()) {
    for (const std::string_view entrada : Partes(lista, ":"))
      if (const std::optional<TIdioma> idioma = IdiomaDoNome(LinguaDe(entrada))) return *idioma;
    return idPt;
  }
  return IdiomaDoNome(LinguaDe(locale)).value_or(idPt);
}

TIdioma IdiomaDoPrograma() {
  static const TIdioma idioma = IdiomaDoAmbiente([](const char* ANome) { return std::getenv(ANome); });
  return idioma;
}

std::optional<TIdioma> IdiomaDoNome(std::string_view ANome) {
  for (std::size_t i = 0; i < CNomesIdiomas.size(); ++i)
    if (IguaisSemCaixa(CNomesIdiomas[i], ANome)) return static_cast<TIdioma>(i);
  return std::nullopt;
}

const char* Tr(TIdioma AIdioma, const char* ATexto) { return Traduzir(AIdioma, ATexto, 0, ATexto); }

const char* TrC(TIdioma AIdioma, const char* AContexto, const char* ATexto) {
  // Portuguese has no catalogue: no key to build.
  if (Catalogo(AIdioma) == nullptr) return ATexto;
  return Traduzir(AIdioma, std::string(AContexto) + '\x04' + ATexto, 0, ATexto);
}

const char* TrN(TIdioma AIdioma, const char* ASingular, const char* APlural, std::int64_t AN) {
  // Both languages have one form for one and another for every other count.
  const std::size_t forma = AN == 1 ? 0 : 1;
  return Traduzir(AIdioma, ASingular, forma, forma == 0 ? ASingular : APlural);
}

}  // namespace cadrel
