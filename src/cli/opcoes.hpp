#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/resolver.hpp"
#include "core/edicao.hpp"
#include "core/tipos.hpp"
#include "cover/geometria_capa.hpp"
#include "generation/opcoes.hpp"

namespace cadrel {

struct TOpcoesCli {
  // Everything but the seed, which stays 0 here: a book without --semente
  // takes a fresh one only when it is about to be generated.
  TConfigLivro Config;
  std::optional<std::uint32_t> Semente;
  std::string Pdf;   // empty when -o/--saida was not given
  std::string Json;  // empty when --json was not given: no JSON then
  std::string Html;  // empty when --html was not given: no page then
  TEdicao Edicao;    // the trim, and whether the PDF is the print edition
  std::string Capa;  // empty when --capa was not given: no cover then
  TPapel Papel = ppBranco;  // of the print edition, which the cover's spine follows
  bool Silencioso = false;
  std::int32_t Tarefas = 1;  // threads that make attempts; by default one per core
  std::int32_t Volumes = 0;  // a series of that many books; 0 for one book
  std::int32_t Volume = 0;   // with Volumes, the one volume to write; 0 for all
};

enum class TDesfechoOpcoes { doGerar, doResolver, doAjuda, doVersao, doErro };

struct TAnaliseOpcoes {
  TDesfechoOpcoes Desfecho = TDesfechoOpcoes::doErro;
  std::string Texto;  // the help text, the version line, or the message that names the bad option
  TOpcoesCli Opcoes;
  TOpcoesResolver Resolver;  // for doResolver
};

// Reads and checks every option before anything runs; a bad value is a
// doErro whose message names the option.
TAnaliseOpcoes AnalisarOpcoes(int argc, const char* const* argv);

// Where the PDF goes: -o/--saida, else the proposed book name in the
// current folder.
std::string FicheiroPdf(const TOpcoesCli& AOpcoes);

}  // namespace cadrel
