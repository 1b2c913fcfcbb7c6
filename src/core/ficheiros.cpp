#include "core/ficheiros.hpp"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include <fmt/format.h>

#include "core/tipos.hpp"

namespace cadrel {

namespace {

// Room asked of the disk before a long generation: a full disk says so here.
constexpr off_t CEspacoDeProva = 64 * 1024;
// The temporary name adds a dot, a number and ".tmp" to the target's name,
// which may already be as long as a name can be: the copied part is cut.
constexpr std::size_t CMaxNomeCopiado = NAME_MAX - 24;

std::filesystem::path Pasta(const std::string& AFicheiro) {
  const std::filesystem::path pasta = std::filesystem::path(AFicheiro).parent_path();
  return pasta.empty() ? std::filesystem::path(".") : pasta;
}

// A hidden name beside the target, cut at a character boundary when long.
std::string BaseTemporaria(const std::string& AFicheiro) {
  std::string nome = std::filesystem::path(AFicheiro).filename().string();
  if (nome.size() > CMaxNomeCopiado) {
    std::size_t fim = CMaxNomeCopiado;
    while (fim > 0 && (static_cast<unsigned char>(nome[fim]) & 0xC0) == 0x80) --fim;
    nome.resize(fim);
  }
  return (Pasta(AFicheiro) / ("." + nome)).string();
}

// The errno of a failed write, or 0 once every byte is written.
int EscreverTudo(int ADescritor, const char* ADados, std::size_t ATamanho) {
  while (ATamanho > 0) {
    const ssize_t n = ::write(ADescritor, ADados, ATamanho);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    ADados += n;
    ATamanho -= static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

std::string MotivoFalhaGravacao(int AErrno, const std::string& AFicheiro) {
  switch (AErrno) {
    case ENOENT: {
      // A folder that exists but takes no new files (/proc) says ENOENT too.
      std::error_code erro;
      return std::filesystem::is_directory(Pasta(AFicheiro), erro) ? "não é possível criar ficheiros nessa pasta"
                                                                    : "a pasta não existe";
    }
    case ENOTDIR:
      return "uma parte do caminho não é uma pasta";
    case EACCES:
    case EPERM:
      return "não há permissão para escrever aí";
    case EROFS:
      return "o disco só permite leitura";
    case ENOSPC:
    case EDQUOT:
      return "não há espaço livre no disco";
    case EISDIR:
      return "o destino é uma pasta";
    case EFBIG:
      return "o ficheiro fica grande demais";
    case ENAMETOOLONG:
      return "o nome do ficheiro é comprido demais";
    case ENOMEM:
      return "memória insuficiente";
    case EIO:
      return "erro de entrada/saída no disco";
    default: {
      const char* nome = ::strerrorname_np(AErrno);
      return fmt::format("erro do sistema {}", nome != nullptr ? nome : std::to_string(AErrno));
    }
  }
}

TFicheiroAtomico::TFicheiroAtomico(std::string AFicheiro) : FFicheiro(std::move(AFicheiro)) {
  // Rename cannot put a file where a folder is; saying so now beats a long
  // write that fails at the end.
  std::error_code erro;
  if (std::filesystem::is_directory(FFicheiro, erro)) Falhar(EISDIR);
  // The temporary name is cut to fit; the target's own must fit as it is.
  const long maxNome = ::pathconf(Pasta(FFicheiro).c_str(), _PC_NAME_MAX);
  if (std::filesystem::path(FFicheiro).filename().string().size() > static_cast<std::size_t>(maxNome > 0 ? maxNome : NAME_MAX))
    Falhar(ENAMETOOLONG);
  const std::string base = BaseTemporaria(FFicheiro);
  for (int n = 0; FDescritor < 0; ++n) {
    FTemporario = fmt::format("{}.{}.{}.tmp", base, ::getpid(), n);
    // 0666 through the umask: the mode any new file of the user gets.
    FDescritor = ::open(FTemporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FDescritor < 0 && errno != EEXIST) {
      const int e = errno;
      FTemporario.clear();
      Falhar(e);
    }
  }
}

TFicheiroAtomico::~TFicheiroAtomico() { Abandonar(); }

void TFicheiroAtomico::Abandonar() noexcept {
  if (FDescritor >= 0) ::close(FDescritor);
  FDescritor = -1;
  if (!FTemporario.empty()) ::unlink(FTemporario.c_str());
  FTemporario.clear();
}

void TFicheiroAtomico::Falhar(int AErrno) {
  Abandonar();
  throw ECadrel(
      fmt::format("Não foi possível gravar o ficheiro {}: {}.", FFicheiro, MotivoFalhaGravacao(AErrno, FFicheiro)));
}

void TFicheiroAtomico::Escrever(std::string_view ADados) {
  if (FDescritor < 0) throw ECadrel("TFicheiroAtomico.Escrever: o ficheiro ja foi concluido ou abandonado");
  if (const int erro = EscreverTudo(FDescritor, ADados.data(), ADados.size()); erro != 0) Falhar(erro);
}

void TFicheiroAtomico::Concluir() {
  if (FDescritor < 0) throw ECadrel("TFicheiroAtomico.Concluir: o ficheiro ja foi concluido ou abandonado");
  if (::fsync(FDescritor) != 0) Falhar(errno);
  const int fecho = ::close(FDescritor);
  FDescritor = -1;
  if (fecho != 0) Falhar(errno);
  if (std::rename(FTemporario.c_str(), FFicheiro.c_str()) != 0) Falhar(errno);
  FTemporario.clear();
  // The new name is durable only once the folder itself is on disk; a folder
  // that cannot be synced (some network file systems) still has the file.
  const int pasta = ::open(Pasta(FFicheiro).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (pasta >= 0) {
    ::fsync(pasta);
    ::close(pasta);
  }
}

void GravarFicheiroAtomico(const std::string& AFicheiro, std::string_view AConteudo) {
  TFicheiroAtomico ficheiro(AFicheiro);
  ficheiro.Escrever(AConteudo);
  ficheiro.Concluir();
}

void TFicheiroAtomico::ProvarEspaco() {
  // Not every file system reserves room (EOPNOTSUPP, EINVAL): only a disk that
  // says it is full, or a file that may not grow, stops the work.
  const int e = ::posix_fallocate(FDescritor, 0, CEspacoDeProva);
  if (e == ENOSPC || e == EDQUOT || e == EFBIG) Falhar(e);
}

void VerificarDestino(const std::string& AFicheiro) {
  TFicheiroAtomico prova(AFicheiro);
  prova.ProvarEspaco();
}

}  // namespace cadrel
