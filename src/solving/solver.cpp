#include "solving/solver.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

#include <fmt/printf.h>

#include "core/bits.hpp"
#include "core/traducao.hpp"

namespace cadrel {

namespace {

// Checked before any list is built for the side.
std::int32_t LadoValido(std::int32_t N) {
  if (N < 2 || N > 7) throw ECadrel("TSolverDeducao: N tem de estar entre 2 e 7");
  return N;
}

constexpr std::uint64_t Bit(std::int32_t j) { return std::uint64_t{1} << j; }

// The givens lead to no solution: resolver shows why to the user, in the
// language of the steps, after the prefix every message of the solver has.
[[noreturn]] void Contradicao(const std::string& AMotivo) { throw ECadrel("TSolverDeducao: " + AMotivo); }

// Ranks lo..hi (1-based) as number indices lo - 1 .. hi - 1.
constexpr std::uint64_t FaixaDePostos(std::int32_t lo, std::int32_t hi) {
  return (Bit(hi) - 1) & ~(Bit(lo - 1) - 1);
}

}  // namespace

TSolverDeducao::TSolverDeducao(std::int32_t N, TReceita AReceita)
    : FN(LadoValido(N)),
      FNN(N * N),
      FReceita(AReceita),
      FTemSIM(AReceita.Leis.Contem(leiSIM)),
      FTemTAB(AReceita.Leis.Contem(leiTAB)),
      FTemORD(AReceita.Leis.Contem(leiORD)),
      FTemSOM(TemSomas(AReceita.Leis)),
      FRects(ConstruirRectangulos(N, AReceita)),
      FDesc(N),
      FIdxValor(CMaxValor + 1, -1),
      FCol(FNN, -1),
      FCand(FNN, 0) {
  TLinhasSoma linhas = ConstruirLinhas(N, AReceita);
  FLinhas = std::move(linhas.Celulas);
  FNomes = std::move(linhas.Nomes);
  FNums.reserve(FNN);
  FRef.reserve(FNN);
}

void TSolverDeducao::DefinirIdioma(TIdioma AIdioma) {
  if (AIdioma == FIdioma) return;
  FIdioma = AIdioma;
  FNomes = ConstruirLinhas(FN, FReceita, AIdioma).Nomes;
}

std::int32_t TSolverDeducao::IndiceDe(std::int32_t AValor) const {
  if (AValor < 0 || AValor > CMaxValor) return -1;
  return FIdxValor[AValor];
}

std::int32_t TSolverDeducao::ValorEm(std::int32_t ACelula) const { return FNums[FCol[ACelula]]; }

void TSolverDeducao::Colocar(std::int32_t ACelula, std::int32_t AIndice, TTecnica ATecnica) {
  const std::int32_t valor = FNums[AIndice];
  if (!(FCand[ACelula] & Bit(AIndice)))
    Contradicao(fmt::sprintf(Tr(FIdioma, "%s quer colocar %d em %s, que nao o admite"), NomeTecnica(ATecnica), valor,
                             NomeCelula(FN, ACelula, FIdioma)));
  if (!FRef.empty() && valor != FRef[ACelula])
    throw ECadrel(fmt::sprintf("TSolverDeducao: %s colocou %d em %s, mas a solucao tem %d",
                               NomeTecnica(ATecnica), valor, NomeCelula(FN, ACelula),
                               FRef[ACelula]));
  FCol[ACelula] = AIndice;
  FCand[ACelula] = 0;
  FUsados |= Bit(AIndice);
  ++FNumColocados;
  for (std::int32_t c = 0; c < FNN; ++c) {
    if (FCol[c] >= 0) continue;
    FCand[c] &= ~Bit(AIndice);
    if (FCand[c] == 0)
      Contradicao(fmt::sprintf(Tr(FIdioma, "contradicao, %s ficou sem candidatos"), NomeCelula(FN, c, FIdioma)));
  }
}

template <class FTexto>
void TSolverDeducao::Anotar(TTecnica ATecnica, std::int32_t ACelula, std::int32_t AValor,
                            std::int32_t AOperandos, FTexto&& ATexto,
                            std::span<const std::int32_t> AOrigens) {
  FResumo.TecnicaMax = std::max(FResumo.TecnicaMax, ATecnica);
  FResumo.OperandosTotal += AOperandos;
  FResumo.OperandosMaxPasso = std::max(FResumo.OperandosMaxPasso, AOperandos);
  std::int32_t& maxTecnica = ATecnica == tecT3 ? FResumo.OperandosMaxT3 : FResumo.OperandosMaxSomas;
  if (ATecnica == tecT3 || ATecnica == tecT5 || ATecnica == tecT6)
    maxTecnica = std::max(maxTecnica, AOperandos);
  FPeso += PesoTecnica(ATecnica) * (AOperandos + 2);
  if (FComPassos)
    FPassos.push_back(TPassoDeducao{ATecnica, ACelula, AValor, AOperandos, ATexto(),
                                    std::vector<std::int32_t>(AOrigens.begin(), AOrigens.end())});
}

void TSolverDeducao::Executar(std::span<const std::int32_t> AConjunto,
                              std::span<const std::int32_t> ADados, TTecnica ATecnicaMax,
                              std::span<const std::int32_t> ASolucaoRef, bool AComPassos) {
  const auto nn = static_cast<std::size_t>(FNN);
  if (AConjunto.size() != nn || ADados.size() != nn)
    throw ECadrel("TSolverDeducao.Resolver: conjunto e dados tem de ter N*N valores");
  if (!ASolucaoRef.empty() && ASolucaoRef.size() != nn)
    throw ECadrel("TSolverDeducao.Resolver: a solucao de referencia tem de ter N*N valores");

  const std::int32_t total = IndexarConjunto(AConjunto, FIdxValor, "TSolverDeducao.Resolver");
  if (FTemSIM && (2 * total) % FNN != 0)
    throw ECadrel("TSolverDeducao.Resolver: K nao e inteiro");
  if (FTemSOM && total % FN != 0) throw ECadrel("TSolverDeducao.Resolver: S nao e inteiro");
  FK = 2 * total / FNN;
  FS = total / FN;
  FNums.assign(AConjunto.begin(), AConjunto.end());
  FRef.assign(ASolucaoRef.begin(), ASolucaoRef.end());

  std::fill(FCol.begin(), FCol.end(), -1);
  std::fill(FCand.begin(), FCand.end(), Bit(FNN) - 1);
  FUsados = 0;
  FNumColocados = 0;
  FComPassos = AComPassos;
  FPassos.clear();
  FResumo = TResumoSolver{};
  FPeso = 0;

  FNumDados = 0;
  for (std::int32_t c = 0; c < FNN; ++c) {
    const std::int32_t v = ADados[c];
    if (v == 0) continue;
    const std::int32_t j = IndiceDe(v);
    if (j < 0) throw ECadrel(fmt::sprintf("TSolverDeducao.Resolver: dado %d fora do conjunto", v));
    if (FUsados & Bit(j))
      throw ECadrel(fmt::sprintf("TSolverDeducao.Resolver: dado %d repetido", v));
    Colocar(c, j, tecNenhuma);
    ++FNumDados;
  }

  while (FNumColocados < FNN) {
    const bool progresso =
        AplicarT1() || (FTemSIM && ATecnicaMax >= tecT2 && AplicarT2()) ||
        (FTemTAB && ATecnicaMax >= tecT3 && AplicarT3()) ||
        (FTemORD && ATecnicaMax >= tecT4 && AplicarT4()) ||
        (FTemSOM && ATecnicaMax >= tecT5 && AplicarSomas(1, 2, tecT5)) ||
        (FTemSOM && ATecnicaMax >= tecT6 && AplicarSomas(3, 3, tecT6));
    if (!progresso) break;
  }

  FResumo.Resolvido = FNumColocados == FNN;
  FResumo.Pontuacao = FPeso / 2.0;
  FResumo.PontuacaoPorCelula = FResumo.Pontuacao / FNN;
  FResumo.PontuacaoNormalizada = FNumDados < FNN ? FResumo.Pontuacao / (FNN - FNumDados) : 0.0;
}

TResultadoSolver TSolverDeducao::Resolver(std::span<const std::int32_t> AConjunto,
                                          std::span<const std::int32_t> ADados,
                                          TTecnica ATecnicaMax,
                                          std::span<const std::int32_t> ASolucaoRef) {
  Executar(AConjunto, ADados, ATecnicaMax, ASolucaoRef, true);
  TResultadoSolver r;
  r.Resolvido = FResumo.Resolvido;
  r.Passos = std::move(FPassos);
  r.TecnicaMax = FResumo.TecnicaMax;
  r.OperandosTotal = FResumo.OperandosTotal;
  r.OperandosMaxPasso = FResumo.OperandosMaxPasso;
  r.Pontuacao = FResumo.Pontuacao;
  r.PontuacaoNormalizada = FResumo.PontuacaoNormalizada;
  r.PontuacaoPorCelula = FResumo.PontuacaoPorCelula;
  return r;
}

TResumoSolver TSolverDeducao::Classificar(std::span<const std::int32_t> AConjunto,
                                          std::span<const std::int32_t> ADados, TTecnica ATecnicaMax,
                                          std::span<const std::int32_t> ASolucaoRef) {
  Executar(AConjunto, ADados, ATecnicaMax, ASolucaoRef, false);
  return FResumo;
}

bool TSolverDeducao::AplicarT1() {
  for (std::int32_t c = 0; c < FNN; ++c) {
    if (FCol[c] >= 0 || !UmSoBit(FCand[c])) continue;
    const std::int32_t j = std::countr_zero(FCand[c]);
    Colocar(c, j, tecT1);
    Anotar(tecT1, c, FNums[j], 0,
           [&] { return fmt::sprintf(Tr(FIdioma, "%s = %d (único)"), NomeCelula(FN, c, FIdioma), FNums[j]); });
    return true;
  }

  // The first free number that fits in no cell or in exactly one decides.
  std::uint64_t umaVez = 0;
  std::uint64_t duasVezes = 0;
  for (std::int32_t c = 0; c < FNN; ++c) {
    if (FCol[c] >= 0) continue;
    duasVezes |= umaVez & FCand[c];
    umaVez |= FCand[c];
  }
  const std::uint64_t livres = ~FUsados & (Bit(FNN) - 1);
  const std::uint64_t nenhuma = livres & ~umaVez;
  const std::uint64_t decididos = nenhuma | (livres & umaVez & ~duasVezes);
  if (decididos == 0) return false;
  const std::int32_t j = std::countr_zero(decididos);
  if (nenhuma & Bit(j))
    Contradicao(fmt::sprintf(Tr(FIdioma, "contradicao, o numero %d nao cabe em nenhuma celula"), FNums[j]));
  for (std::int32_t c = 0; c < FNN; ++c) {
    if (FCol[c] >= 0 || !(FCand[c] & Bit(j))) continue;
    Colocar(c, j, tecT1);
    Anotar(tecT1, c, FNums[j], 0,
           [&] {
             return fmt::sprintf(Tr(FIdioma, "%s = %d (só cabe aqui)"), NomeCelula(FN, c, FIdioma), FNums[j]);
           });
    break;
  }
  return true;
}

bool TSolverDeducao::AplicarT2() {
  for (std::int32_t i = 0; i < FNN; ++i) {
    const std::int32_t p = CelulaOposta(FN, i);
    if (i == p || FCol[i] < 0 || FCol[p] >= 0) continue;
    const std::int32_t v = FK - ValorEm(i);
    const std::int32_t j = IndiceDe(v);
    if (j < 0)
      Contradicao(fmt::sprintf(Tr(FIdioma, "T2 deu %d, que nao pertence ao conjunto"), v));
    Colocar(p, j, tecT2);
    Anotar(
        tecT2, p, v, 1,
        [&] { return fmt::sprintf("%s = %d - %d = %d", NomeCelula(FN, p, FIdioma), FK, ValorEm(i), v); },
        std::span(&i, 1));
    return true;
  }
  return false;
}

bool TSolverDeducao::AplicarT3() {
  for (const TRectangulo& r : FRects) {
    const bool a = FCol[r.A] >= 0, b = FCol[r.B] >= 0, c = FCol[r.C] >= 0, d = FCol[r.D] >= 0;
    if (a + b + c + d != 3) continue;

    // A + D = B + C, solved for the empty corner; the text names the operands
    // in the order they are added and subtracted.
    struct {
      std::int32_t canto, x, y, z;
    } f;
    if (!a)
      f = {r.A, r.B, r.C, r.D};
    else if (!d)
      f = {r.D, r.B, r.C, r.A};
    else if (!b)
      f = {r.B, r.A, r.D, r.C};
    else
      f = {r.C, r.A, r.D, r.B};
    const std::int32_t v = ValorEm(f.x) + ValorEm(f.y) - ValorEm(f.z);
    const std::int32_t j = IndiceDe(v);
    if (j < 0)
      Contradicao(fmt::sprintf(Tr(FIdioma, "T3 deu %d, que nao pertence ao conjunto"), v));

    std::array<std::int32_t, 3> origens{};
    std::size_t numOrigens = 0;
    for (std::int32_t k : {r.A, r.B, r.C, r.D})
      if (k != f.canto) origens[numOrigens++] = k;
    Colocar(f.canto, j, tecT3);
    Anotar(
        tecT3, f.canto, v, 3,
        [&] {
          return fmt::sprintf("%s = %d + %d - %d = %d", NomeCelula(FN, f.canto, FIdioma), ValorEm(f.x),
                              ValorEm(f.y), ValorEm(f.z), v);
        },
        origens);
    return true;
  }
  return false;
}

bool TSolverDeducao::AplicarT4() {
  bool mudou = false;
  for (std::int32_t celula = 0; celula < FNN; ++celula) {
    if (FCol[celula] >= 0) continue;
    const std::int32_t r = celula / FN, c = celula % FN;
    std::int32_t lo = (r + 1) * (c + 1);
    std::int32_t hi = FNN - (FN - r) * (FN - c) + 1;
    for (std::int32_t outra = 0; outra < FNN; ++outra) {
      const std::int32_t f = FCol[outra];
      if (f < 0) continue;
      const std::int32_t r2 = outra / FN, c2 = outra % FN;
      if (r2 <= r && c2 <= c) lo = std::max(lo, f + (r - r2 + 1) * (c - c2 + 1));
      if (r2 >= r && c2 >= c) hi = std::min(hi, f + 2 - (r2 - r + 1) * (c2 - c + 1));
    }
    if (hi < lo || hi < 1)
      Contradicao(fmt::sprintf(Tr(FIdioma, "contradicao de ordem em %s"), NomeCelula(FN, celula, FIdioma)));
    const std::uint64_t novo = FCand[celula] & FaixaDePostos(lo, hi);
    if (novo == FCand[celula]) continue;
    if (novo == 0)
      Contradicao(fmt::sprintf(Tr(FIdioma, "contradicao de ordem em %s"), NomeCelula(FN, celula, FIdioma)));
    FCand[celula] = novo;
    mudou = true;
  }
  if (mudou) Anotar(tecT4, -1, 0, 0, [this] { return std::string(Tr(FIdioma, "limites de ordem")); });
  return mudou;
}

bool TSolverDeducao::AplicarSomas(std::int32_t AMin, std::int32_t AMax, TTecnica ATecnica) {
  for (std::size_t linha = 0; linha < FLinhas.size(); ++linha) {
    const std::vector<std::int32_t>& celulas = FLinhas[linha];
    std::int32_t resto = FS;
    std::int32_t e = 0;
    for (std::int32_t c : celulas) {
      if (FCol[c] < 0)
        FDesc[e++] = c;
      else
        resto -= ValorEm(c);
    }
    if (e < AMin || e > AMax) continue;

    if (e == 1) {
      const std::int32_t x = FDesc[0];
      const std::int32_t j = IndiceDe(resto);
      if (j < 0)
        Contradicao(fmt::sprintf(Tr(FIdioma, "a soma deu %d, que nao pertence ao conjunto"), resto));
      // The other cells of the line, in line order, are the operands.
      std::array<std::int32_t, 7> origens{};
      std::size_t numOrigens = 0;
      for (std::int32_t c : celulas)
        if (c != x) origens[numOrigens++] = c;
      const std::span<const std::int32_t> usadas(origens.data(), numOrigens);
      Colocar(x, j, ATecnica);
      Anotar(
          ATecnica, x, resto, FN - 1,
          [&] {
            std::string texto = fmt::sprintf("%s = %d", NomeCelula(FN, x, FIdioma), FS);
            for (std::int32_t c : usadas) texto += fmt::sprintf(" - %d", ValorEm(c));
            return texto + fmt::sprintf(" = %d", resto);
          },
          usadas);
      return true;
    }

    bool mudou = false;
    for (std::int32_t l = 0; l < e; ++l) {
      const std::int32_t x = FDesc[l];
      std::uint64_t novo = 0;
      for (std::uint64_t resta = FCand[x]; resta != 0; resta &= resta - 1) {
        const std::int32_t k = std::countr_zero(resta);
        if (CabeNaSoma(l, e, resto - FNums[k], Bit(k))) novo |= Bit(k);
      }
      if (novo == FCand[x]) continue;
      if (novo == 0)
        Contradicao(fmt::sprintf(Tr(FIdioma, "contradicao de soma em %s"), FNomes[linha]));
      // Later cells of the line are judged against this narrowed set.
      FCand[x] = novo;
      mudou = true;
    }
    if (mudou) {
      Anotar(ATecnica, -1, 0, FN - e, [&] {
        return fmt::sprintf(Tr(FIdioma, "%s: faltam %d números que somam %d"), FNomes[linha], e, resto);
      });
      return true;
    }
  }
  return false;
}

bool TSolverDeducao::CabeNaSoma(std::int32_t l, std::int32_t e, std::int32_t b,
                                std::uint64_t AUsado) const {
  const std::int32_t x = FDesc[l == 0 ? 1 : 0];
  const std::int32_t y = FDesc[l == e - 1 ? e - 2 : e - 1];
  if (e == 2) {
    const std::int32_t j = IndiceDe(b);
    return j >= 0 && (FCand[x] & Bit(j)) && Bit(j) != AUsado;
  }
  for (std::uint64_t resta = FCand[x] & ~AUsado; resta != 0; resta &= resta - 1) {
    const std::int32_t m = std::countr_zero(resta);
    const std::int32_t j = IndiceDe(b - FNums[m]);
    if (j >= 0 && j != m && (FCand[y] & Bit(j)) && Bit(j) != AUsado) return true;
  }
  return false;
}

std::vector<TPassoDeducao> SelecionarDicas(const TResultadoSolver& AResultado, std::int32_t AMax) {
  const std::vector<TPassoDeducao>& passos = AResultado.Passos;
  std::int32_t m = -1;
  for (const TPassoDeducao& p : passos) m = std::max(m, p.Celula);

  std::vector<std::int32_t> passoDaCelula(m + 1, -1);
  std::vector<std::int32_t> colocacoes;
  for (std::size_t j = 0; j < passos.size(); ++j) {
    if (passos[j].Celula < 0) continue;
    passoDaCelula[passos[j].Celula] = static_cast<std::int32_t>(j);
    colocacoes.push_back(static_cast<std::int32_t>(j));
  }

  // Hardest first; the sort is stable, so equal steps keep their solving order.
  std::stable_sort(colocacoes.begin(), colocacoes.end(), [&passos](std::int32_t x, std::int32_t y) {
    const std::int32_t px = PesoTecnica(passos[x].Tecnica), py = PesoTecnica(passos[y].Tecnica);
    if (px != py) return px > py;
    return passos[x].Operandos > passos[y].Operandos;
  });

  std::vector<bool> escolhido(passos.size(), false);
  std::vector<bool> recolhido(passos.size(), false);
  std::vector<std::int32_t> fecho;
  auto visitar = [&](auto& self, std::int32_t j) -> void {
    if (escolhido[j] || recolhido[j]) return;
    recolhido[j] = true;
    fecho.push_back(j);
    for (std::int32_t origem : passos[j].Origens)
      if (origem >= 0 && origem <= m && passoDaCelula[origem] >= 0)
        self(self, passoDaCelula[origem]);
  };

  std::int32_t conta = 0;
  for (std::int32_t j : colocacoes) {
    if (escolhido[j]) continue;
    fecho.clear();
    visitar(visitar, j);
    const auto tamanho = static_cast<std::int32_t>(fecho.size());
    const bool cabe = conta + tamanho <= AMax;
    for (std::int32_t k : fecho) {
      recolhido[k] = false;
      if (cabe) escolhido[k] = true;
    }
    if (cabe) conta += tamanho;
  }

  std::vector<TPassoDeducao> dicas;
  for (std::size_t j = 0; j < passos.size(); ++j)
    if (escolhido[j]) dicas.push_back(passos[j]);
  return dicas;
}

}  // namespace cadrel
