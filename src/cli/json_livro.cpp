#include "cli/json_livro.hpp"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

#include "solving/solver.hpp"

namespace cadrel {

namespace {

using TJson = TJsonOrdenado;

std::string Hex64(std::uint64_t v) { return fmt::format("{:016X}", v); }

// Hints are copies of placement steps, and every placement fills a cell of its own.
std::vector<std::int32_t> IndicesDicas(const TPuzzle& APuzzle) {
  const auto& passos = APuzzle.Resultado.Passos;
  std::vector<std::int32_t> indices;
  for (const TPassoDeducao& dica : SelecionarDicas(APuzzle.Resultado, MaxDicas(APuzzle.N))) {
    const auto it = std::find_if(passos.begin(), passos.end(),
                                 [&dica](const TPassoDeducao& p) { return p.Celula == dica.Celula; });
    if (dica.Celula < 0 || it == passos.end())
      throw ECadrel(fmt::format("LivroParaJson: dica sem passo na celula {}", dica.Celula));
    indices.push_back(static_cast<std::int32_t>(it - passos.begin()));
  }
  return indices;
}

TJson PuzzleParaJson(const TPuzzleDoLivro& APuzzle) {
  const TPuzzle& p = APuzzle.Puzzle;
  return {{"posicao", APuzzle.Posicao},
          {"tentativa", APuzzle.Tentativa},
          {"sub_semente", APuzzle.SubSemente},
          {"chave_canonica", Hex64(APuzzle.ChaveCanonica)},
          {"chave_conjunto", Hex64(APuzzle.ChaveConjunto)},
          {"n", p.N},
          {"nivel", static_cast<int>(p.Nivel)},
          {"receita", CodigoReceita(p.Receita)},
          {"solucao", p.Solucao},
          {"dados", p.Dados},
          {"conjunto", p.Conjunto},
          {"num_dados", p.NumDados},
          {"num_dados_minimo", p.NumDadosMinimo},
          {"s", p.S},
          {"k", p.K},
          {"resultado", ResultadoParaJson(p.Resultado)},
          {"dicas", IndicesDicas(p)}};
}

TJson LivroParaArvore(const TLivro& L, TFormato AFormato) {
  const TConfigLivro& c = L.Config;
  TJson plano = TJson::array();
  for (const TPosicaoPlano& pos : L.Plano)
    plano.push_back({{"nivel", pos.Nivel}, {"receita", CodigoReceita(pos.Receita)}});
  TJson puzzles = TJson::array();
  for (const TPuzzleDoLivro& p : L.Puzzles) puzzles.push_back(PuzzleParaJson(p));
  TJson arvore = {{"codigo", L.Codigo},
                  {"config",
                   {{"num_puzzles", c.NumPuzzles},
                    {"n", c.N},
                    {"nivel", c.Nivel},
                    {"leis", static_cast<int>(c.Leis.Bits())},
                    {"titulo", c.Titulo},
                    {"caminho", c.Caminho},
                    {"semente", c.Semente}}},
                  {"formato", DadosFormato(AFormato).Nome},
                  {"idioma", NomeIdioma(c.Idioma)},
                  {"plano", std::move(plano)},
                  {"cancelado", L.Cancelado},
                  {"tentativas", L.Tentativas},
                  {"rejeicoes_a6", L.RejeicoesA6},
                  {"rejeicoes",
                   {{"A1", L.Rejeicoes[critA1]},
                    {"A2", L.Rejeicoes[critA2]},
                    {"A3", L.Rejeicoes[critA3]},
                    {"A4", L.Rejeicoes[critA4]},
                    {"A5", L.Rejeicoes[critA5]},
                    {"A7", L.Rejeicoes[critA7]},
                    {"A8", L.Rejeicoes[critA8]},
                    {"Nos", L.Rejeicoes[critNos]}}},
                  {"puzzles", std::move(puzzles)}};
  // Only a volume of a series says so: a book alone keeps its fields as they were.
  if (c.Volume > 0)
    arvore["serie"] = {{"codigo", CodigoLivro(c.SementeSerie)}, {"volume", c.Volume}, {"volumes", c.Volumes}};
  return arvore;
}

// nlohmann writes the shortest text that reads back to the same double; the
// export keeps 17 significant digits, still with a decimal point or an
// exponent so that a reader sees a float.
std::string TextoReal(double x) {
  if (!std::isfinite(x)) return "null";
  std::string t = fmt::format("{:.17g}", x);
  if (t.find_first_of(".e") == std::string::npos) t += ".0";
  return t;
}

bool Escalar(const TJson& j) { return !j.is_structured(); }

// A value written on one line: a scalar, or an array of scalars.
bool Plano(const TJson& j) {
  return Escalar(j) || (j.is_array() && std::all_of(j.begin(), j.end(), Escalar));
}

// Containers whose members are all flat go on one line (a grid, a step, the
// configuration); the others open one line per member.
void Escrever(const TJson& j, int ANivel, std::string& ASaida) {
  if (j.is_number_float()) {
    ASaida += TextoReal(j.get<double>());
    return;
  }
  if (Escalar(j)) {
    ASaida += j.dump();
    return;
  }
  const bool objecto = j.is_object();
  ASaida += objecto ? '{' : '[';
  if (j.empty()) {
    ASaida += objecto ? '}' : ']';
    return;
  }
  const bool numaLinha = std::all_of(j.begin(), j.end(), Plano);
  const std::string recuo(static_cast<std::size_t>(2 * (ANivel + 1)), ' ');
  bool primeiro = true;
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (!primeiro) ASaida += ',';
    ASaida += numaLinha ? (primeiro ? "" : " ") : "\n" + recuo;
    primeiro = false;
    if (objecto) ASaida += TJson(it.key()).dump() + ": ";
    Escrever(*it, ANivel + 1, ASaida);
  }
  if (!numaLinha) ASaida += '\n' + std::string(static_cast<std::size_t>(2 * ANivel), ' ');
  ASaida += objecto ? '}' : ']';
}

}  // namespace

TJsonOrdenado ResultadoParaJson(const TResultadoSolver& r) {
  TJson passos = TJson::array();
  for (const TPassoDeducao& p : r.Passos) {
    passos.push_back({{"tecnica", static_cast<int>(p.Tecnica)},
                      {"celula", p.Celula},
                      {"valor", p.Valor},
                      {"operandos", p.Operandos},
                      {"texto", p.Texto},
                      {"origens", p.Origens}});
  }
  return {{"resolvido", r.Resolvido},
          {"tecnica_max", static_cast<int>(r.TecnicaMax)},
          {"operandos_total", r.OperandosTotal},
          {"operandos_max_passo", r.OperandosMaxPasso},
          {"pontuacao", r.Pontuacao},
          {"pontuacao_normalizada", r.PontuacaoNormalizada},
          {"pontuacao_por_celula", r.PontuacaoPorCelula},
          {"passos", std::move(passos)}};
}

std::string JsonParaTexto(const TJsonOrdenado& AArvore) {
  std::string saida;
  Escrever(AArvore, 0, saida);
  saida += '\n';
  return saida;
}

std::string LivroParaJson(const TLivro& ALivro, TFormato AFormato) {
  return JsonParaTexto(LivroParaArvore(ALivro, AFormato));
}

}  // namespace cadrel
