#include "cli/puzzle_lido.hpp"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <numeric>
#include <optional>
#include <string>

#include "construction/leis.hpp"
#include "construction/solucoes.hpp"
#include "core/texto.hpp"
#include "core/traducao.hpp"

namespace cadrel {

namespace {

[[noreturn]] void Recusar(const std::string& AOnde, const std::string& AMotivo) {
  throw ECadrel(AOnde + ": " + AMotivo + ".");
}

// A line of the file, where a book's page would say "linha" of a grid's row.
std::string LinhaDoFicheiro(std::int32_t ANumero) {
  return fmt::format(fmt::runtime(TrPC("ficheiro", "linha {}")), ANumero);
}

std::string Celula(std::int32_t N, std::int32_t ACelula) { return NomeCelula(N, ACelula, IdiomaDoPrograma()); }

// Where each part of the puzzle came from, to name it in a refusal.
struct TOrigens {
  std::string Leis;
  std::string Caixa;
  std::function<std::string(std::int32_t ACelula)> Celula;
};

std::optional<std::int32_t> Numero(std::string_view ATexto) {
  std::int32_t v = 0;
  const auto [fim, erro] = std::from_chars(ATexto.data(), ATexto.data() + ATexto.size(), v);
  if (ATexto.empty() || erro != std::errc{} || fim != ATexto.data() + ATexto.size()) return std::nullopt;
  return v;
}

// A "leis" line as read. "Somas" names no sum law by itself: which one it is
// waits for the grid's size.
struct TLeisLidas {
  TConjuntoLeis Leis;  // without "Somas"
  bool Somas = false;
};

// The laws joined by "+", in any order and case: the codes of the recipe's
// name (ORD, TAB, SIM, SOM-D, SOM-Q) or the names of --leis.
TLeisLidas LerLeis(std::string_view ATexto, const std::string& AOnde) {
  TLeisLidas lidas;
  for (const std::string_view parte : Partes(ATexto, "+")) {
    std::int32_t lei = 0;
    while (lei < CNumLeis && !IguaisSemCaixa(SiglaLei(static_cast<TLei>(lei)), parte)) ++lei;
    if (lei < CNumLeis) {
      lidas.Leis.Incluir(static_cast<TLei>(lei));
      continue;
    }
    const std::optional<TConjuntoLeis> doNome = LeisDoNome(parte);
    if (!doNome)
      Recusar(AOnde, FormatarP("lei desconhecida \"{}\"; as leis são Ordem (ORD), Tabela (TAB), Simetria (SIM) "
                               "e Somas (SOM-D ou SOM-Q)",
                               parte));
    if (TemSomas(*doNome))
      lidas.Somas = true;
    else
      lidas.Leis = TConjuntoLeis::DeCodigo(lidas.Leis.Bits() | doNome->Bits());
  }
  if (lidas.Leis.Vazio() && !lidas.Somas) Recusar(AOnde, TrP("indique as leis, por exemplo ORD+SIM"));
  return lidas;
}

// "Somas" is the sum law that, with the other laws, gives the one recipe
// grids of side N support. When both sum laws do, only the file can say which
// it meant; when neither does, no spelling of it would serve.
TReceita ReceitaLida(const TLeisLidas& ALidas, std::int32_t N, const std::string& AOnde) {
  // Beside SOM-D or SOM-Q, "Somas" says nothing more.
  if (!ALidas.Somas || TemSomas(ALidas.Leis)) return ReceitaDeLeis(ALidas.Leis);
  const auto com = [&ALidas](TLei ASoma) {
    TConjuntoLeis leis = ALidas.Leis;
    leis.Incluir(ASoma);
    return ReceitaDeLeis(leis);
  };
  const TReceita diagonais = com(leiSOMD);
  const TReceita quebradas = com(leiSOMQ);
  const bool serveD = ReceitaSuportada(N, diagonais);
  if (serveD != ReceitaSuportada(N, quebradas)) return serveD ? diagonais : quebradas;
  if (serveD)
    Recusar(AOnde, FormatarP("\"Somas\" tanto pode ser {} como {} em grelhas {}x{}; escreva SOM-D (com as "
                             "diagonais principais) ou SOM-Q (com as diagonais quebradas)",
                             NomeReceita(diagonais), NomeReceita(quebradas), N, N));
  Recusar(AOnde, FormatarP("com \"Somas\", nem a receita {} nem a {} serve para grelhas {}x{}",
                           NomeReceita(diagonais), NomeReceita(quebradas), N, N));
}

// The checks both formats share, once the puzzle's parts are read.
void Verificar(TPuzzleLido& APuzzle, const TOrigens& AOrigens) {
  const std::int32_t N = APuzzle.N;
  const std::int32_t nn = N * N;
  if (!ReceitaSuportada(N, APuzzle.Receita))
    Recusar(AOrigens.Leis, FormatarP("a receita {} não serve para grelhas {}x{}", NomeReceita(APuzzle.Receita), N, N));

  std::vector<std::int32_t>& caixa = APuzzle.Conjunto;
  if (static_cast<std::int32_t>(caixa.size()) != nn)
    Recusar(AOrigens.Caixa, FormatarP("a caixa tem {} números; uma grelha {}x{} precisa de {}", caixa.size(), N, N, nn));
  for (const std::int32_t v : caixa)
    if (v < CMinValor || v > CMaxValor)
      Recusar(AOrigens.Caixa, FormatarP("o {} está fora de {} a {}", v, CMinValor, CMaxValor));
  std::sort(caixa.begin(), caixa.end());
  if (const auto igual = std::adjacent_find(caixa.begin(), caixa.end()); igual != caixa.end())
    Recusar(AOrigens.Caixa, FormatarP("o {} aparece duas vezes", *igual));
  const std::int32_t total = std::accumulate(caixa.begin(), caixa.end(), 0);
  const TConjuntoLeis leis = APuzzle.Receita.Leis;
  if (leis.Contem(leiSIM) && 2 * total % nn != 0)
    Recusar(AOrigens.Caixa, FormatarP("os números somam {}; com a lei SIM, o dobro da soma tem de ser múltiplo "
                                      "de {}, para que K seja inteiro",
                                      total, nn));
  if (TemSomas(leis) && total % N != 0)
    Recusar(AOrigens.Caixa, FormatarP("os números somam {}; com uma lei de somas, a soma tem de ser múltipla de "
                                      "{}, para que S seja inteiro",
                                      total, N));

  std::vector<std::int32_t> celulaDe(CMaxValor + 1, -1);
  for (std::int32_t c = 0; c < nn; ++c) {
    const std::int32_t v = APuzzle.Dados[c];
    if (v == 0) continue;
    if (!std::binary_search(caixa.begin(), caixa.end(), v))
      Recusar(AOrigens.Celula(c), FormatarP("o {} em {} não está na caixa", v, Celula(N, c)));
    if (celulaDe[v] >= 0)
      Recusar(AOrigens.Celula(c),
              FormatarP("o {} em {} já está dado em {}", v, Celula(N, c), Celula(N, celulaDe[v])));
    celulaDe[v] = c;
  }
  if (const std::string conflito = ConflitoNosDados(N, APuzzle.Receita, caixa, APuzzle.Dados); !conflito.empty())
    Recusar(TrP("grelha"), FormatarP("os números dados quebram uma lei: {}", conflito));
}

}  // namespace

TPuzzleLido LerPuzzleTexto(std::string_view ATexto) {
  struct TLinhaGrelha {
    std::int32_t Numero;
    std::vector<std::string_view> Celulas;
  };
  std::optional<std::int32_t> linhaLeis, linhaCaixa;
  TLeisLidas leis;
  TPuzzleLido puzzle;
  std::vector<TLinhaGrelha> grelha;

  std::int32_t numero = 0;
  for (const std::string_view bruta : Partes(ATexto, "\n", false)) {
    ++numero;
    const std::string_view linha = Aparar(bruta);
    if (linha.empty() || linha.front() == '#') continue;
    const std::string onde = LinhaDoFicheiro(numero);
    const std::vector<std::string_view> palavras = Partes(linha, " \t");
    if (IguaisSemCaixa(palavras.front(), "leis")) {
      if (linhaLeis) Recusar(onde, FormatarP("as leis já foram dadas na linha {}", *linhaLeis));
      linhaLeis = numero;
      leis = LerLeis(linha.substr(palavras.front().size()), onde);
    } else if (IguaisSemCaixa(palavras.front(), "caixa")) {
      if (linhaCaixa) Recusar(onde, FormatarP("a caixa já foi dada na linha {}", *linhaCaixa));
      linhaCaixa = numero;
      for (const std::string_view t : Partes(linha.substr(palavras.front().size()), " \t,")) {
        const std::optional<std::int32_t> v = Numero(t);
        if (!v) Recusar(onde, FormatarP("\"{}\" não é um número", t));
        puzzle.Conjunto.push_back(*v);
      }
    } else {
      grelha.push_back({numero, palavras});
    }
  }

  if (!linhaLeis) Recusar(TrP("puzzle"), TrP("falta a linha das leis (por exemplo \"leis ORD+SIM\")"));
  if (!linhaCaixa) Recusar(TrP("puzzle"), TrP("falta a linha da caixa (\"caixa\" e os números)"));
  const auto N = static_cast<std::int32_t>(grelha.size());
  if (N < CMinLado || N > CMaxLado)
    Recusar(TrP("grelha"), FormatarP("tem {} linhas; uma grelha tem de {} a {}", N, CMinLado, CMaxLado));
  puzzle.N = N;
  puzzle.Dados.reserve(static_cast<std::size_t>(N * N));
  for (const TLinhaGrelha& linha : grelha) {
    const std::string onde = LinhaDoFicheiro(linha.Numero);
    if (static_cast<std::int32_t>(linha.Celulas.size()) != N)
      Recusar(onde, FormatarP("a linha tem {} células; a grelha tem {} linhas, e cada linha tem de ter {}",
                              linha.Celulas.size(), N, N));
    for (const std::string_view celula : linha.Celulas) {
      const std::optional<std::int32_t> v = celula == "." ? std::optional<std::int32_t>(0) : Numero(celula);
      if (!v || *v < 0)
        Recusar(onde, FormatarP("\"{}\" não é um número nem um ponto", celula));
      if (*v == 0 && celula != ".") Recusar(onde, TrP("uma célula vazia escreve-se com um ponto, não com 0"));
      puzzle.Dados.push_back(*v);
    }
  }

  TOrigens origens{LinhaDoFicheiro(*linhaLeis), LinhaDoFicheiro(*linhaCaixa),
                   [&grelha, N](std::int32_t c) { return LinhaDoFicheiro(grelha[c / N].Numero); }};
  puzzle.Receita = ReceitaLida(leis, N, origens.Leis);
  Verificar(puzzle, origens);
  return puzzle;
}

TPuzzleLido LerPuzzleLivro(std::string_view AJson, std::int32_t AK) {
  using TJson = nlohmann::json;
  TJson livro;
  try {
    livro = TJson::parse(AJson);
  } catch (const TJson::parse_error& e) {
    Recusar(TrP("livro"), FormatarP("não é JSON válido (byte {})", e.byte));
  } catch (const TJson::out_of_range&) {
    Recusar(TrP("livro"), TrP("não é JSON válido (um número grande demais)"));
  }
  if (!livro.is_object() || !livro.contains("puzzles") || !livro["puzzles"].is_array())
    Recusar(TrP("livro"), TrP("não é um livro JSON do quorvel-cli: falta o campo \"puzzles\""));
  const TJson& puzzles = livro["puzzles"];
  if (AK < 1 || static_cast<std::size_t>(AK) > puzzles.size())
    Recusar("--puzzle", FormatarP("o livro tem {} puzzles; o {} não existe", puzzles.size(), AK));

  const TJson& p = puzzles[static_cast<std::size_t>(AK - 1)];
  const std::string base = FormatarP("campo puzzles[{}]", AK - 1);
  if (!p.is_object()) Recusar(base, TrP("não é um objeto"));
  const auto inteiro = [&](const char* ANome, std::int32_t AMin, std::int32_t AMax) {
    const std::string onde = base + "." + ANome;
    if (!p.contains(ANome) || !p[ANome].is_number_integer()) Recusar(onde, TrP("falta, ou não é um número inteiro"));
    const auto v = p[ANome].get<std::int64_t>();
    if (v < AMin || v > AMax) Recusar(onde, FormatarP("{} está fora de {} a {}", v, AMin, AMax));
    return static_cast<std::int32_t>(v);
  };
  const auto lista = [&](const char* ANome, std::size_t ATamanho) {
    const std::string onde = base + "." + ANome;
    if (!p.contains(ANome) || !p[ANome].is_array()) Recusar(onde, TrP("falta, ou não é uma lista"));
    const TJson& valores = p[ANome];
    if (valores.size() != ATamanho) Recusar(onde, FormatarP("tem {} valores, e não {}", valores.size(), ATamanho));
    std::vector<std::int32_t> r;
    for (const TJson& v : valores) {
      if (!v.is_number_integer() || v.get<std::int64_t>() < 0 || v.get<std::int64_t>() > CMaxValor)
        Recusar(onde, FormatarP("{} não é um número de 0 a {}", v.dump(), CMaxValor));
      r.push_back(v.get<std::int32_t>());
    }
    return r;
  };

  TPuzzleLido puzzle;
  puzzle.N = inteiro("n", CMinLado, CMaxLado);
  puzzle.Receita = ReceitaDeLeis(TConjuntoLeis::DeCodigo(inteiro("receita", 0, 31)));
  const auto nn = static_cast<std::size_t>(puzzle.N * puzzle.N);
  puzzle.Conjunto = lista("conjunto", nn);
  puzzle.Dados = lista("dados", nn);
  Verificar(puzzle, {base + ".receita", base + ".conjunto", [&base](std::int32_t) { return base + ".dados"; }});
  return puzzle;
}

}  // namespace cadrel
