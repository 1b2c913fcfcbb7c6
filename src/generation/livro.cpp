#include "generation/livro.hpp"

#include <memory>
#include <unordered_map>

#include <fmt/format.h>

#include "core/random.hpp"
#include "generation/niveis.hpp"

namespace cadrel {

namespace {
constexpr std::int32_t CMinLado = 4;
constexpr std::int32_t CMaxLado = 7;
constexpr std::int32_t CMaxPuzzles = 200;
constexpr std::int32_t CMaxNivel = 5;
constexpr std::int32_t CTentativasPorReceita = 300;
constexpr std::int32_t CIntervaloProgresso = 50;
// No attempt seed uses it: attempts stay below 4096 per position.
constexpr std::uint32_t CSementePlano = 0xFFFFFFFFu;
}  // namespace

bool TRegistoRepeticoes::Repetido(std::uint64_t AChaveCanonica, std::uint64_t AChaveConjunto) const {
  return FCanonicas.contains(AChaveCanonica) || FConjuntos.contains(AChaveConjunto);
}

void TRegistoRepeticoes::Registar(std::uint64_t AChaveCanonica, std::uint64_t AChaveConjunto) {
  FCanonicas.insert(AChaveCanonica);
  FConjuntos.insert(AChaveConjunto);
}

void ValidarConfigLivro(const TConfigLivro& AConfig) {
  if (AConfig.N < CMinLado || AConfig.N > CMaxLado)
    throw ECadrel(fmt::format("Tamanho de grelha inválido: {} (de {} a {})", AConfig.N, CMinLado, CMaxLado));
  if (AConfig.NumPuzzles < 1 || AConfig.NumPuzzles > CMaxPuzzles)
    throw ECadrel(fmt::format("Número de puzzles inválido: {} (de 1 a {})", AConfig.NumPuzzles, CMaxPuzzles));
  if (AConfig.Nivel < 0 || AConfig.Nivel > CMaxNivel)
    throw ECadrel(fmt::format("Nível inválido: {} (0 é a Progressiva, de 1 a {})", AConfig.Nivel, CMaxNivel));
}

std::vector<TPosicaoPlano> PlanearLivro(const TConfigLivro& AConfig) {
  ValidarConfigLivro(AConfig);
  std::array<std::int32_t, CMaxNivel> porNivel{};
  if (AConfig.Nivel == 0)
    porNivel = DistribuicaoProgressiva(AConfig.NumPuzzles);
  else
    porNivel[AConfig.Nivel - 1] = AConfig.NumPuzzles;

  TGeradorAleatorio rng(DerivarSemente(AConfig.Semente, CSementePlano));
  std::vector<TPosicaoPlano> plano;
  plano.reserve(AConfig.NumPuzzles);
  for (std::int32_t nivel = 1; nivel <= CMaxNivel; ++nivel) {
    const std::int32_t c = porNivel[nivel - 1];
    if (c == 0) continue;
    const std::vector<TReceita> receitas =
        ReceitasPermitidas(static_cast<TNivel>(nivel), AConfig.N, AConfig.Leis);
    if (receitas.empty())
      throw ECadrel(fmt::format("O nível {} não tem nenhuma receita com as leis escolhidas em {}x{}", nivel,
                                AConfig.N, AConfig.N));
    // The remainder goes to the recipes starting at a random one.
    const auto r = static_cast<std::int32_t>(receitas.size());
    const std::int32_t q = c / r, resto = c % r, desvio = rng.Limite(r);
    std::vector<std::int32_t> vagas;
    for (std::int32_t k = 0; k < r; ++k)
      vagas.insert(vagas.end(), (k - desvio + r) % r < resto ? q + 1 : q, k);
    Embaralhar(rng, vagas);
    for (std::int32_t k : vagas) plano.push_back({nivel, receitas[k]});
  }
  return plano;
}

std::string CodigoLivro(std::uint32_t ASemente) { return fmt::format("{:08X}", ASemente); }

std::uint32_t CalcularSubSemente(std::uint32_t ASemente, std::int32_t APosicao, std::int32_t ATentativa) {
  return DerivarSemente(ASemente, static_cast<std::uint32_t>(APosicao) * 4096u + static_cast<std::uint32_t>(ATentativa));
}

std::string TextoProgresso(std::int32_t AAceites, std::int32_t ATotal, std::int32_t ANivel, TReceita AReceita) {
  return fmt::format("A gerar o puzzle {} de {} (nível {}, {})", AAceites + 1, ATotal, ANivel, NomeReceita(AReceita));
}

std::string TextoLivroCompleto(std::int32_t ATotal) {
  return fmt::format("Livro completo: {} de {} puzzles gerados", ATotal, ATotal);
}

TLivro TGeradorLivro::Gerar(const TConfigLivro& AConfig, const TProgressoLivro& AProgresso) {
  TLivro livro;
  livro.Config = AConfig;
  livro.Codigo = CodigoLivro(AConfig.Semente);
  livro.Plano = PlanearLivro(AConfig);
  const auto total = static_cast<std::int32_t>(livro.Plano.size());

  // The generators' set-up (linear algebra, order engines) is paid once per
  // level and recipe of the book.
  std::unordered_map<std::int32_t, std::unique_ptr<TGeradorPuzzle>> geradores;
  TRegistoRepeticoes registo;
  bool cancelar = false;

  for (std::int32_t p = 0; p < total && !cancelar; ++p) {
    const TPosicaoPlano& posicao = livro.Plano[p];
    const auto nivel = static_cast<TNivel>(posicao.Nivel);
    std::vector<TReceita> candidatas{posicao.Receita};
    for (TReceita r : ReceitasPermitidas(nivel, AConfig.N, AConfig.Leis))
      if (r != posicao.Receita) candidatas.push_back(r);

    bool colocado = false;
    std::int32_t tentativa = 0;
    for (std::size_t c = 0; c < candidatas.size() && !colocado && !cancelar; ++c) {
      const TReceita receita = candidatas[c];
      auto& gerador = geradores[posicao.Nivel * 1000 + CodigoReceita(receita)];
      if (!gerador) gerador = std::make_unique<TGeradorPuzzle>(AConfig.N, nivel, receita);

      for (std::int32_t i = 0; i < CTentativasPorReceita && !colocado && !cancelar; ++i, ++tentativa) {
        const std::uint32_t subSemente = CalcularSubSemente(AConfig.Semente, p, tentativa);
        TGeradorAleatorio rng(subSemente);
        ++livro.Tentativas;
        TPuzzle puzzle;
        TCriterio criterio;
        if (gerador->TentarGerar(rng, puzzle, criterio)) {
          const std::uint64_t canonica = CalcularChaveCanonica(AConfig.N, receita, puzzle.Solucao);
          const std::uint64_t conjunto = CalcularChaveConjunto(puzzle.Conjunto);
          if (registo.Repetido(canonica, conjunto)) {
            ++livro.RejeicoesA6;
          } else {
            registo.Registar(canonica, conjunto);
            livro.Puzzles.push_back({p, tentativa, subSemente, canonica, conjunto, std::move(puzzle)});
            colocado = true;
          }
        } else {
          ++livro.Rejeicoes[criterio];
        }

        if (AProgresso && (colocado || livro.Tentativas % CIntervaloProgresso == 0)) {
          const auto feitos = static_cast<std::int32_t>(livro.Puzzles.size());
          AProgresso(feitos, total,
                     feitos == total ? TextoLivroCompleto(total) : TextoProgresso(feitos, total, posicao.Nivel, receita),
                     cancelar);
        }
      }
    }
    if (!colocado && !cancelar)
      throw ECadrel(fmt::format("Nenhum puzzle aceite para {}x{}, nível {}, receita {}", AConfig.N, AConfig.N,
                                posicao.Nivel, NomeReceita(posicao.Receita)));
  }
  livro.Cancelado = cancelar && static_cast<std::int32_t>(livro.Puzzles.size()) < total;
  return livro;
}

}  // namespace cadrel
