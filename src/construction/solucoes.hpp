#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "construction/ordem.hpp"
#include "core/paragem.hpp"
#include "core/random.hpp"
#include "core/tipos.hpp"

namespace cadrel {

// A solution generator that used up its cap of searches or attempts without a
// grid: the attempt that asked fails, not the program.
class ESemSolucao : public ECadrel {
public:
  using ECadrel::ECadrel;
};

// A source of random filled grids that obey one recipe and form a valid box.
class IGeradorSolucao {
public:
  virtual ~IGeradorSolucao() = default;
  virtual TReceita ReceitaUsada() const = 0;
  virtual std::int32_t TamanhoGrelha() const = 0;
  // Every random number comes from ARng; raises ESemSolucao when the cap runs
  // out without a grid, and EInterrompido when a stop was asked for during a
  // long search.
  virtual TSolucao Gerar(TGeradorAleatorio& ARng) = 0;

  void DefinirParagem(TParagem AParagem) { FParagem = AParagem; }

protected:
  TParagem FParagem;
};

void OrdenarInteiros(std::span<std::int32_t> AValores);
// Not empty, within [CMinValor, CMaxValor], all distinct, no four consecutive numbers.
bool ConjuntoValido(std::span<const std::int32_t> AValores);
TSolucao ConfirmarSolucao(std::int32_t N, std::span<const std::int32_t> AValores, TReceita AReceita);
// Shifts the grid at random into [CMinValor, CMaxValor], then confirms it.
TSolucao FinalizarSolucao(std::int32_t N, std::span<const std::int32_t> AValores, TReceita AReceita,
                          TGeradorAleatorio& ARng);

// Penalty of a candidate's cells: 0 exactly when they are distinct, span at
// most 98 and hold no run of four consecutive values. AOrd is scratch space
// of at least as many entries as there are cells.
std::int64_t Custo(std::span<const std::int64_t> ACelulas, std::span<std::int64_t> AOrd);

// Random small combinations of the reduced integer kernel of the recipe's
// laws, pushed by a local search until they form a valid box.
// The caps of the lattice search: steps per search, searches per grid.
struct TLimitesRede {
  std::int32_t Passos = 60000;
  std::int32_t Reinicios = 50;
};

class TGeradorRede final : public IGeradorSolucao {
public:
  TGeradorRede(std::int32_t N, TReceita AReceita, TLimitesRede ALimites = {});

  TReceita ReceitaUsada() const override { return FReceita; }
  std::int32_t TamanhoGrelha() const override { return FN; }
  TSolucao Gerar(TGeradorAleatorio& ARng) override;

  std::int32_t Dimensao() const { return FDim; }
  // Searches the last Gerar ran.
  std::int32_t Tentativas() const { return FTentativas; }

private:
  bool Procurar(TGeradorAleatorio& ARng);
  std::int64_t CustoDe(const std::vector<std::int64_t>& AVector);

  std::int32_t FN;
  TReceita FReceita;
  TLimitesRede FLimites;
  std::int32_t FNV;
  std::int32_t FDim = 0;
  std::vector<std::vector<std::int32_t>> FBase;
  // Candidates are kept in 64 bits so that a long walk can never wrap around.
  std::vector<std::int64_t> FX;
  std::vector<std::int64_t> FY;
  std::vector<std::int64_t> FOrd;
  std::vector<std::int32_t> FCelulas;
  std::int32_t FTentativas = 0;
};

// Pandiagonal, centrally symmetric grids (SOM-Q+SIM) for odd N not divisible by 3.
class TGeradorDuasFases final : public IGeradorSolucao {
public:
  TGeradorDuasFases(std::int32_t N, TReceita AReceita);

  TReceita ReceitaUsada() const override { return FReceita; }
  std::int32_t TamanhoGrelha() const override { return FN; }
  TSolucao Gerar(TGeradorAleatorio& ARng) override;

  const std::vector<std::int32_t>& ParS() const { return FParS; }
  const std::vector<std::int32_t>& ParT() const { return FParT; }
  std::int32_t Fixo() const { return FFixo; }
  // Attempts the last Gerar made.
  std::int32_t Tentativas() const { return FTentativas; }

private:
  bool Tentar(TGeradorAleatorio& ARng, std::vector<std::int32_t>& AGrelha) const;

  std::int32_t FN;
  TReceita FReceita;
  std::vector<std::int32_t> FParS;
  std::vector<std::int32_t> FParT;
  std::int32_t FFixo = -1;
  std::int32_t FTentativas = 0;
};

// ORD+SIM grids: a uniform symmetric rank grid filled with a random symmetric box.
class TGeradorOrdemSimetrica final : public IGeradorSolucao {
public:
  TGeradorOrdemSimetrica(std::int32_t N, TReceita AReceita);

  TReceita ReceitaUsada() const override { return FReceita; }
  std::int32_t TamanhoGrelha() const override { return FN; }
  TSolucao Gerar(TGeradorAleatorio& ARng) override;

  const std::vector<std::int32_t>& Ks() const { return FKs; }
  // Sorted box whose entries i and N*N - 1 - i sum to one feasible K.
  std::vector<std::int32_t> EscolherConjunto(TGeradorAleatorio& ARng);
  // Number sets the last Gerar drew.
  std::int32_t Tentativas() const { return FTentativas; }

private:
  std::int32_t FN;
  TReceita FReceita;
  std::unique_ptr<TMotorOrdem> FMotor;
  std::vector<std::int32_t> FKs;
  std::int32_t FTentativas = 0;
};

bool ReceitaSuportada(std::int32_t N, TReceita AReceita);
std::shared_ptr<IGeradorSolucao> CriarGeradorSolucao(std::int32_t N, TReceita AReceita);

}  // namespace cadrel
