#include "generation/opcoes.hpp"

#include <fmt/format.h>
#include <fmt/ranges.h>
#include <utf8.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

#include "core/texto.hpp"
#include "core/traducao.hpp"
#include "generation/niveis.hpp"

namespace cadrel {

namespace {

constexpr const char* CSeparador = " \u00B7 ";

}  // namespace

TConjuntoLeis LeisEscolhidas(const TEscolhaLeis& AEscolha) {
  if (!AEscolha.Escolher) return CTodasLeis;
  TConjuntoLeis leis;
  if (AEscolha.Simetria) leis.Incluir(leiSIM);
  if (AEscolha.Tabela) leis.Incluir(leiTAB);
  if (AEscolha.Ordem) leis.Incluir(leiORD);
  if (AEscolha.Somas) {
    leis.Incluir(leiSOMD);
    leis.Incluir(leiSOMQ);
  }
  return leis;
}

TNiveisPossiveis NiveisPossiveis(std::int32_t N, TConjuntoLeis ALeis) {
  TNiveisPossiveis possiveis{};
  for (std::int32_t nivel = 1; nivel <= 5; ++nivel) {
    possiveis[nivel - 1] = NivelDisponivel(static_cast<TNivel>(nivel), N, ALeis);
  }
  possiveis[CIndiceProgressiva] = TodosNiveisDisponiveis(N, ALeis);
  return possiveis;
}

bool AlgumNivelPossivel(const TNiveisPossiveis& APossiveis) {
  return std::ranges::any_of(APossiveis, [](bool p) { return p; });
}

std::int32_t IndiceNivelValido(std::int32_t AIndice, const TNiveisPossiveis& APossiveis) {
  if (AIndice >= 0 && AIndice <= CIndiceProgressiva && APossiveis[AIndice]) return AIndice;
  const auto primeiro = std::ranges::find(APossiveis, true);
  return primeiro == APossiveis.end() ? -1 : static_cast<std::int32_t>(primeiro - APossiveis.begin());
}

std::int32_t NivelDoIndice(std::int32_t AIndice) { return AIndice == CIndiceProgressiva ? 0 : AIndice + 1; }

std::int32_t MinimoPuzzles(std::int32_t AIndice) {
  return AIndice == CIndiceProgressiva ? CMinPuzzlesProgressiva : 1;
}

std::string NomeFicheiroPadrao(std::int32_t N, std::int32_t ANivel, std::int32_t ANumPuzzles) {
  const std::string etiqueta = ANivel == 0 ? "P" : fmt::format("N{}", ANivel);
  return fmt::format("Quorvel_{}x{}_{}_{}.pdf", N, N, etiqueta, ANumPuzzles);
}

std::string FicheiroDoVolume(const std::string& AFicheiro, std::int32_t AVolume) {
  if (AVolume == 0) return AFicheiro;
  const std::filesystem::path caminho(AFicheiro);
  const std::string nome = caminho.stem().string() + fmt::format("_vol{:02}", AVolume) + caminho.extension().string();
  return (caminho.parent_path() / nome).string();
}

bool LerNumPuzzles(std::string_view ATexto, std::int32_t& ANum) {
  ANum = 0;
  std::string_view texto = Aparar(ATexto);
  if (!texto.empty() && texto.front() == '+') texto.remove_prefix(1);
  if (texto.empty()) return false;
  std::int32_t valor = 0;
  const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  if (erro != std::errc{} || fim != texto.data() + texto.size()) return false;
  if (valor < 1 || valor > CMaxPuzzles) return false;
  ANum = valor;
  return true;
}

std::string TextoResumo(std::int32_t ANumPuzzles, std::int32_t N, std::int32_t AIndiceNivel,
                        const TEscolhaLeis& AEscolha) {
  std::string texto = fmt::format(fmt::runtime(TrPN("{} puzzle", "{} puzzles", ANumPuzzles)), ANumPuzzles);
  texto += fmt::format("{}{} \u00D7 {}", CSeparador, N, N);
  if (AIndiceNivel == CIndiceProgressiva) {
    texto += CSeparador + FormatarP("progressiva: {}", fmt::join(DistribuicaoProgressiva(ANumPuzzles), " + "));
  } else if (AIndiceNivel >= 0 && AIndiceNivel < CIndiceProgressiva) {
    texto += CSeparador + FormatarP("nível {}", AIndiceNivel + 1);
  }
  if (AEscolha.Escolher) {
    const std::string nomes = NomesLeis(LeisEscolhidas(AEscolha), IdiomaDoPrograma());
    texto += CSeparador + (nomes.empty() ? std::string(TrP("nenhuma lei marcada")) : FormatarP("leis: {}", nomes));
  }
  return texto;
}

std::string MensagemNumPuzzlesInvalido() {
  return FormatarP("Indique um número de puzzles entre 1 e {}.", CMaxPuzzles);
}

std::string MensagemMinimoProgressiva() {
  return FormatarP("Na dificuldade Progressiva, o livro precisa de pelo menos {} puzzles (um por nível).",
                   CMinPuzzlesProgressiva);
}

std::string MotivoBloqueio(bool ANumValido, const TEscolhaLeis& AEscolha, const TNiveisPossiveis& APossiveis) {
  if (!ANumValido) return MensagemNumPuzzlesInvalido();
  if (AEscolha.Escolher && LeisEscolhidas(AEscolha).Vazio()) return TrP("Marque pelo menos uma lei.");
  if (AlgumNivelPossivel(APossiveis)) return {};
  return TrP("Com estas leis não há nenhum nível possível neste tamanho de grelha. Marque mais leis ou mude o "
             "tamanho.");
}

std::string MensagemTituloSemGlifo(char32_t ACaracter) {
  std::string caracter;
  utf8::append(ACaracter, caracter);
  return FormatarP("O título tem o carácter «{}» (U+{:04X}), que o tipo de letra do livro não tem.", caracter,
                   static_cast<std::uint32_t>(ACaracter));
}

std::string DecimalDoPrograma(double AValor, std::int32_t ACasas) {
  // A length made of inches, 9.25 in as 234.95 mm, is often stored a hair
  // below the half it is, and would lose it.
  const double escala = std::pow(10.0, ACasas);
  std::string texto = fmt::format("{:.{}f}", std::floor(AValor * escala + 0.5 + 1e-6) / escala, ACasas);
  if (IdiomaDoPrograma() == idPt) std::replace(texto.begin(), texto.end(), '.', ',');
  return texto;
}

}  // namespace cadrel
