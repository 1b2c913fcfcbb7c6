#include "cli/resolver.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <fmt/format.h>

#include <cerrno>
#include <span>
#include <vector>

#include "cli/json_livro.hpp"
#include "cli/puzzle_lido.hpp"
#include "core/texto.hpp"
#include "core/traducao.hpp"
#include "generation/niveis.hpp"
#include "solving/contador.hpp"
#include "solving/solver.hpp"

namespace cadrel {

namespace {

constexpr int CSaidaUnica = 0;
constexpr int CSaidaOutra = 1;
constexpr int CSaidaEntrada = 2;
// Solutions asked of the counter: one proves nothing, two prove ambiguity.
constexpr std::int32_t CLimiteSolucoes = 2;

std::string MotivoLeitura(int AErrno) {
  switch (AErrno) {
    case ENOENT: return TrP("o ficheiro não existe");
    case EACCES:
    case EPERM: return TrP("não há permissão para o ler");
    case EISDIR: return TrP("é uma pasta");
    case ENOMEM: return TrP("memória insuficiente");
    default: return FormatarP("erro do sistema {}", ::strerrorname_np(AErrno) ? ::strerrorname_np(AErrno) : "?");
  }
}

std::string LerTudo(const std::string& AFicheiro) {
  const bool entrada = AFicheiro == "-";
  const int fd = entrada ? STDIN_FILENO : ::open(AFicheiro.c_str(), O_RDONLY | O_CLOEXEC);
  std::string conteudo;
  int erro = fd < 0 ? errno : 0;
  for (char bloco[65536]; erro == 0;) {
    const ssize_t n = ::read(fd, bloco, sizeof bloco);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) erro = errno;
    if (n <= 0) break;
    conteudo.append(bloco, static_cast<std::size_t>(n));
  }
  if (fd >= 0 && !entrada) ::close(fd);
  if (erro != 0)
    throw ECadrel(entrada ? FormatarP("Não foi possível ler a entrada: {}.", MotivoLeitura(erro))
                          : FormatarP("Não foi possível ler o ficheiro {}: {}.", AFicheiro, MotivoLeitura(erro)));
  return conteudo;
}

TPuzzleLido Ler(const TOpcoesResolver& AOpcoes) {
  const std::string conteudo = LerTudo(AOpcoes.Ficheiro);
  if (AOpcoes.Puzzle) return LerPuzzleLivro(conteudo, *AOpcoes.Puzzle);
  const std::string_view inicio = Aparar(conteudo);
  if (!inicio.empty() && inicio.front() == '{')
    throw ECadrel(TrP("livro: o ficheiro é um livro JSON; indique o puzzle com --puzzle K."));
  return LerPuzzleTexto(conteudo);
}

// Two decimals at most, with a decimal comma in Portuguese.
std::string Decimal(double x) {
  std::string t = fmt::format("{:.2f}", x);
  while (t.back() == '0') t.pop_back();
  if (t.back() == '.') t.pop_back();
  if (IdiomaDoPrograma() == idPt) std::replace(t.begin(), t.end(), '.', ',');
  return t;
}

std::string Grelha(std::int32_t N, std::span<const std::int32_t> AValores) {
  std::string texto;
  for (std::int32_t r = 0; r < N; ++r) {
    for (std::int32_t c = 0; c < N; ++c) {
      const std::int32_t v = AValores[static_cast<std::size_t>(r * N + c)];
      texto += v == 0 ? fmt::format("{:>4}", ".") : fmt::format("{:>4}", v);
    }
    texto += '\n';
  }
  return texto;
}

std::string Lista(const std::vector<std::string>& AItens) {
  std::string texto;
  for (std::size_t i = 0; i < AItens.size(); ++i)
    texto += (i == 0 ? "" : i + 1 == AItens.size() ? TrP(" e ") : ", ") + AItens[i];
  return texto;
}

// Everything the answer needs, in one place for both forms of output.
struct TResposta {
  const TPuzzleLido& Puzzle;
  TResultadoSolver Resultado;
  std::string Contradicao;  // the deduction's, when it found one
  std::vector<std::int32_t> Deduzida;  // the grid as far as deduction goes
  std::int32_t Solucoes = 0;  // -1 when the budget ran out first
  std::int32_t Nos = 0;
  std::vector<std::vector<std::int32_t>> Encontradas;
  std::vector<TNivel> Niveis;
};

std::string TextoParaPessoa(const TResposta& R, std::int32_t AMaxNos) {
  const std::int32_t N = R.Puzzle.N;
  std::string t = FormatarP("Puzzle {}x{}, leis {}.", N, N, NomeReceita(R.Puzzle.Receita)) + "\n\n";
  t += TrP("Passos da dedução:") + std::string("\n");
  for (std::size_t i = 0; i < R.Resultado.Passos.size(); ++i)
    t += fmt::format("{:>4}. {}\n", i + 1, R.Resultado.Passos[i].Texto);
  if (R.Resultado.Passos.empty()) t += "  " + std::string(TrP("nenhum")) + "\n";
  t += "\n" + std::string(TrP("Grelha até onde a dedução chega:")) + "\n" + Grelha(N, R.Deduzida) + "\n";

  switch (R.Solucoes) {
    case 1: t += TrP("Soluções: exatamente uma.") + std::string("\n"); break;
    case 0: t += TrP("Soluções: nenhuma.") + std::string("\n"); break;
    case -1: t += FormatarP("Soluções: por decidir; o limite de {} nós esgotou-se (--nos).", AMaxNos) + "\n"; break;
    default:
      t += TrP("Soluções: mais de uma. Duas delas:") + std::string("\n");
      for (const std::vector<std::int32_t>& s : R.Encontradas) t += Grelha(N, s) + "\n";
  }
  const auto porPreencher = std::count(R.Deduzida.begin(), R.Deduzida.end(), 0);
  if (!R.Contradicao.empty())
    t += FormatarP("Só por dedução: não; a dedução chega a uma contradição ({}).", R.Contradicao) + "\n";
  else if (R.Resultado.Resolvido)
    t += TrP("Só por dedução: sim.") + std::string("\n");
  else
    t += FormatarP("Só por dedução: não; ficam {} células por preencher.", porPreencher) + "\n";

  std::vector<std::string> tecnicas;
  for (TTecnica tec = tecT1; tec <= tecT6; tec = static_cast<TTecnica>(tec + 1))
    if (std::any_of(R.Resultado.Passos.begin(), R.Resultado.Passos.end(),
                    [tec](const TPassoDeducao& p) { return p.Tecnica == tec; }))
      tecnicas.push_back(NomeTecnica(tec));
  t += (tecnicas.empty() ? std::string(TrP("Técnicas: nenhuma."))
                         : FormatarP("Técnicas: {}; a mais alta, {}.", Lista(tecnicas),
                                     NomeTecnica(R.Resultado.TecnicaMax))) +
       "\n";
  t += FormatarP("Pontuação: {}; normalizada, {} por célula por preencher ({} por célula da grelha).",
                 Decimal(R.Resultado.Pontuacao), Decimal(R.Resultado.PontuacaoNormalizada),
                 Decimal(R.Resultado.PontuacaoPorCelula)) +
       "\n";
  std::vector<std::string> niveis;
  for (const TNivel n : R.Niveis) niveis.push_back(std::to_string(n));
  t += (niveis.empty() ? std::string(TrP("Níveis em que cabe: nenhum.")) : FormatarP("Níveis em que cabe: {}.", Lista(niveis))) +
       "\n";
  return t;
}

std::string TextoJson(const TResposta& R) {
  TJsonOrdenado j{{"resultado", ResultadoParaJson(R.Resultado)}, {"solucoes", R.Solucoes}, {"nos", R.Nos}};
  if (R.Solucoes == 1) j["solucao"] = R.Encontradas.front();
  TJsonOrdenado niveis = TJsonOrdenado::array();
  for (const TNivel n : R.Niveis) niveis.push_back(static_cast<int>(n));
  j["niveis"] = std::move(niveis);
  if (!R.Contradicao.empty()) j["contradicao"] = R.Contradicao;
  return JsonParaTexto(j);
}

}  // namespace

int ExecutarResolver(const TOpcoesResolver& AOpcoes, std::FILE* ASaida, std::FILE* AErro) {
  std::optional<TPuzzleLido> lido;
  try {
    lido = Ler(AOpcoes);
  } catch (const ECadrel& e) {
    std::fputs((std::string(e.what()) + "\n").c_str(), AErro);
    return CSaidaEntrada;
  }
  const TPuzzleLido& puzzle = *lido;
  TResposta resposta{puzzle, {}, {}, puzzle.Dados, 0, 0, {}, {}};

  // No reference solution: a contradiction is then the deduction proving
  // that there is no solution.
  TSolverDeducao solver(puzzle.N, puzzle.Receita);
  solver.DefinirIdioma(AOpcoes.Idioma);
  try {
    resposta.Resultado = solver.Resolver(puzzle.Conjunto, puzzle.Dados, tecT6, {});
  } catch (const ECadrel& e) {
    constexpr std::string_view CPrefixo = "TSolverDeducao: ";
    const std::string_view motivo = e.what();
    resposta.Contradicao = motivo.starts_with(CPrefixo) ? motivo.substr(CPrefixo.size()) : motivo;
  }
  for (const TPassoDeducao& p : resposta.Resultado.Passos)
    if (p.Celula >= 0) resposta.Deduzida[static_cast<std::size_t>(p.Celula)] = p.Valor;

  // The search, not the order engine, so that the solutions it finds can be shown.
  TContadorSolucoes contador(puzzle.N, puzzle.Receita);
  contador.SetUsarMotorOrdem(false);
  resposta.Solucoes = contador.Contar(puzzle.Conjunto, puzzle.Dados, CLimiteSolucoes, AOpcoes.MaxNos);
  resposta.Nos = contador.Nos();
  for (std::int32_t i = 0; i < contador.NumSolucoesGuardadas(); ++i) {
    const std::span<const std::int32_t> s = contador.SolucaoGuardada(i);
    resposta.Encontradas.emplace_back(s.begin(), s.end());
  }
  if (resposta.Resultado.Resolvido)
    resposta.Niveis = NiveisCompativeis(puzzle.N, puzzle.Receita, resposta.Resultado.TecnicaMax,
                                        resposta.Resultado.PontuacaoPorCelula);

  const std::string texto = AOpcoes.Json ? TextoJson(resposta) : TextoParaPessoa(resposta, AOpcoes.MaxNos);
  std::fputs(texto.c_str(), ASaida);
  std::fflush(ASaida);
  return resposta.Solucoes == 1 ? CSaidaUnica : CSaidaOutra;
}

}  // namespace cadrel
