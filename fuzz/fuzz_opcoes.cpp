// The command line's option reader on any argument list. It must answer
// every list with help, the version, an error that names the option, or a
// configuration inside the ranges the generator accepts, and never throw.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/opcoes.hpp"
#include "falha.hpp"
#include "generation/livro.hpp"
#include "generation/opcoes.hpp"

namespace cadrel {
namespace {

// Each NUL ends one argument, as the shell hands them over; a last piece
// without its NUL is an argument too. An empty piece is an empty argument.
std::vector<std::string> Argumentos(std::string_view AEntrada) {
  std::vector<std::string> args;
  while (!AEntrada.empty()) {
    const std::size_t fim = std::min(AEntrada.find('\0'), AEntrada.size());
    args.emplace_back(AEntrada.substr(0, fim));
    AEntrada.remove_prefix(std::min(fim + 1, AEntrada.size()));
  }
  return args;
}

bool TerminaEmPdf(std::string_view ANome) {
  constexpr std::string_view pdf = ".pdf";
  return ANome.size() >= pdf.size() &&
         std::equal(pdf.begin(), pdf.end(), ANome.end() - pdf.size(),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

void VerificarConfig(const TOpcoesCli& AOpcoes) {
  const TConfigLivro& c = AOpcoes.Config;
  Exigir(c.N >= 4 && c.N <= 7, "lado fora de 4..7");
  Exigir(c.Nivel >= 0 && c.Nivel <= 5, "nível fora de 0..5");
  Exigir(c.NumPuzzles >= 1 && c.NumPuzzles <= CMaxPuzzles, "número de puzzles fora do intervalo");
  Exigir(!c.Leis.Vazio() && c.Leis.Bits() < 32, "conjunto de leis vazio ou com bits a mais");
  Exigir(c.Semente == 0, "semente escrita na configuração antes da geração");
  Exigir(AOpcoes.Tarefas >= 1 && AOpcoes.Tarefas <= CMaxTarefas, "tarefas fora do intervalo");
  const auto caracteres = std::count_if(c.Titulo.begin(), c.Titulo.end(), [](char x) {
    return (static_cast<unsigned char>(x) & 0xC0) != 0x80;
  });
  Exigir(caracteres <= 60, "título com mais de 60 caracteres");
  const std::string pdf = FicheiroPdf(AOpcoes);
  Exigir(TerminaEmPdf(pdf), "ficheiro PDF sem .pdf");
  Exigir(AOpcoes.Json != pdf, "JSON e PDF no mesmo ficheiro");
}

void Verificar(const TAnaliseOpcoes& AAnalise) {
  switch (AAnalise.Desfecho) {
    case TDesfechoOpcoes::doAjuda:
      Exigir(AAnalise.Texto.find("Uso: quorvel-cli") != std::string::npos, "ajuda sem a linha de uso");
      break;
    case TDesfechoOpcoes::doVersao:
      Exigir(AAnalise.Texto.starts_with("quorvel-cli "), "versão sem o nome do programa");
      break;
    case TDesfechoOpcoes::doErro:
      // Every refusal ends by pointing at the help.
      Exigir(AAnalise.Texto.ends_with("Use quorvel-cli --help para ver as opções."),
             "erro sem sugestão de ajuda");
      break;
    case TDesfechoOpcoes::doGerar:
      VerificarConfig(AAnalise.Opcoes);
      break;
    case TDesfechoOpcoes::doResolver:
      Exigir(!AAnalise.Resolver.Ficheiro.empty(), "resolver sem ficheiro");
      Exigir(AAnalise.Resolver.MaxNos >= 1, "limite de nós abaixo de 1");
      Exigir(!AAnalise.Resolver.Puzzle || *AAnalise.Resolver.Puzzle >= 1, "puzzle abaixo de 1");
      break;
    default:
      Falhar("desfecho desconhecido");
  }
}

}  // namespace
}  // namespace cadrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ATamanho) {
  const std::vector<std::string> args =
      cadrel::Argumentos(std::string_view(reinterpret_cast<const char*>(AData), ATamanho));
  std::vector<const char*> argv{"quorvel-cli"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  cadrel::Verificar(cadrel::AnalisarOpcoes(static_cast<int>(argv.size()), argv.data()));
  return 0;
}
