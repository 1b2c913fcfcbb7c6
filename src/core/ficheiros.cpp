#include "core/ficheiros.hpp"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fmt/format.h>

#include "core/tipos.hpp"
#include "core/traducao.hpp"

namespace cadrel {

namespace {

// Room asked of the disk before a long generation: a full disk says so here.
constexpr off_t CEspacoDeProva = 64 * 1024;

std::filesystem::path Pasta(const std::string& AFicheiro) {
  const std::filesystem::path pasta = std::filesystem::path(AFicheiro).parent_path();
  return pasta.empty() ? std::filesystem::path(".") : pasta;
}

// The longest name the folder's own file system takes, which may be shorter
// than NAME_MAX.
long MaxNome(const std::filesystem::path& APasta) {
  const long maxNome = ::pathconf(APasta.c_str(), _PC_NAME_MAX);
  return maxNome > 0 ? maxNome : NAME_MAX;
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

// Gives the open unnamed file ADescritor the name ANome; false with errno set
// when it cannot.
bool Ligar(int ADescritor, const std::string& ANome) {
  const std::string proprio = fmt::format("/proc/self/fd/{}", ADescritor);
  if (::linkat(AT_FDCWD, proprio.c_str(), AT_FDCWD, ANome.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  // Without /proc the file can still be linked by its descriptor, where the
  // process may (CAP_DAC_READ_SEARCH).
  if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0) return false;
  return ::linkat(ADescritor, "", AT_FDCWD, ANome.c_str(), AT_EMPTY_PATH) == 0;
}

// The file being written, owned from its opening to its name: dropped before
// that, however that happens, it leaves the folder as it was.
class TFicheiroTemporario {
public:
  TFicheiroTemporario(const std::string& AFicheiro, TModoTemporario AModo);
  ~TFicheiroTemporario() { Largar(); }
  TFicheiroTemporario(const TFicheiroTemporario&) = delete;
  TFicheiroTemporario& operator=(const TFicheiroTemporario&) = delete;

  void Escrever(std::string_view ADados);
  // Asks the disk for some room, as a long write will: a full disk fails now.
  void ProvarEspaco();
  // Flushes to disk, gives the file the target's name, then flushes the folder.
  void Concluir();

private:
  [[noreturn]] void Falhar(int AErrno);
  void Largar() noexcept;
  // A fresh hidden name beside the target, for the file or a link to it; false
  // with errno set when the name cannot be made for any reason but being taken.
  template <class F>
  bool NovoNome(F&& ACriar);
  void NomearSemNome();
  void NomearComNome();
  void RemoverRestos() const noexcept;

  const std::string& FFicheiro;
  std::filesystem::path FPasta;
  long FMaxNome;
  int FDescritor = -1;
  std::string FNome;  // the hidden name while it exists
};

TFicheiroTemporario::TFicheiroTemporario(const std::string& AFicheiro, TModoTemporario AModo)
    : FFicheiro(AFicheiro), FPasta(Pasta(AFicheiro)), FMaxNome(MaxNome(FPasta)) {
  // A rename or a link cannot put a file where a folder is; saying so now
  // beats a long write that fails at the end.
  std::error_code erro;
  if (std::filesystem::is_directory(FFicheiro, erro)) Falhar(EISDIR);
  // The hidden name is cut to fit; the target's own must fit as it is.
  if (std::filesystem::path(FFicheiro).filename().string().size() > static_cast<std::size_t>(FMaxNome))
    Falhar(ENAMETOOLONG);
  RemoverRestos();
  // 0666 through the umask: the mode any new file of the user gets.
  if (AModo == mtSemNome) {
    FDescritor = ::open(FPasta.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (FDescritor >= 0) return;
    if (errno != EOPNOTSUPP && errno != EISDIR) Falhar(errno);
  }
  if (!NovoNome([this](const std::string& ANome) {
        FDescritor = ::open(ANome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return FDescritor >= 0;
      }))
    Falhar(errno);
}

// A process killed in the instant between the two names of a replaced file
// (or while a named temporary file was written) leaves its hidden name behind;
// the next write of the same target removes those of processes that are gone.
void TFicheiroTemporario::RemoverRestos() const noexcept {
  std::error_code erro;
  for (std::filesystem::directory_iterator it(FPasta, erro), fim; !erro && it != fim; it.increment(erro)) {
    const std::string nome = it->path().filename().string();
    if (nome.size() < 8 || nome[0] != '.' || !nome.ends_with(".tmp")) continue;
    // ".<name>.<pid>.<n>.tmp": the two numbers before ".tmp".
    const std::string resto = nome.substr(0, nome.size() - 4);
    const std::size_t pontoN = resto.rfind('.');
    const std::size_t pontoPid = pontoN == std::string::npos || pontoN == 0 ? std::string::npos
                                                                             : resto.rfind('.', pontoN - 1);
    if (pontoPid == std::string::npos) continue;
    int pid = 0, n = 0;
    const char* fimPid = resto.data() + pontoN;
    const char* fimN = resto.data() + resto.size();
    if (std::from_chars(resto.data() + pontoPid + 1, fimPid, pid).ptr != fimPid || pid <= 0) continue;
    if (std::from_chars(resto.data() + pontoN + 1, fimN, n).ptr != fimN) continue;
    if (std::filesystem::path(NomeTemporario(FFicheiro, FMaxNome, pid, n)).filename() != nome) continue;
    if (::kill(pid, 0) != 0 && errno == ESRCH) ::unlink(it->path().c_str());
  }
}

template <class F>
bool TFicheiroTemporario::NovoNome(F&& ACriar) {
  for (int n = 0;; ++n) {
    std::string nome = NomeTemporario(FFicheiro, FMaxNome, ::getpid(), n);
    if (ACriar(nome)) {
      FNome = std::move(nome);
      return true;
    }
    if (errno != EEXIST) return false;
  }
}

void TFicheiroTemporario::Largar() noexcept {
  if (FDescritor >= 0) ::close(FDescritor);
  FDescritor = -1;
  if (!FNome.empty()) ::unlink(FNome.c_str());
  FNome.clear();
}

void TFicheiroTemporario::Falhar(int AErrno) {
  Largar();
  throw ECadrel(
      FormatarP("Não foi possível gravar o ficheiro {}: {}.", FFicheiro, MotivoFalhaGravacao(AErrno, FFicheiro)));
}

void TFicheiroTemporario::Escrever(std::string_view ADados) {
  if (const int erro = EscreverTudo(FDescritor, ADados.data(), ADados.size()); erro != 0) Falhar(erro);
}

void TFicheiroTemporario::ProvarEspaco() {
  // Not every file system reserves room (EOPNOTSUPP, EINVAL): only a disk that
  // says it is full, or a file that may not grow, stops the work.
  const int e = ::posix_fallocate(FDescritor, 0, CEspacoDeProva);
  if (e == ENOSPC || e == EDQUOT || e == EFBIG) Falhar(e);
}

// A link cannot replace a name: an existing book is replaced by a rename of a
// second, hidden link, which exists only between those two calls.
void TFicheiroTemporario::NomearSemNome() {
  if (Ligar(FDescritor, FFicheiro)) return;
  if (errno != EEXIST) Falhar(errno);
  if (!NovoNome([this](const std::string& ANome) { return Ligar(FDescritor, ANome); })) Falhar(errno);
  if (std::rename(FNome.c_str(), FFicheiro.c_str()) != 0) Falhar(errno);
  FNome.clear();
}

void TFicheiroTemporario::NomearComNome() {
  if (std::rename(FNome.c_str(), FFicheiro.c_str()) != 0) Falhar(errno);
  FNome.clear();
}

void TFicheiroTemporario::Concluir() {
  if (::fsync(FDescritor) != 0) Falhar(errno);
  if (FNome.empty())
    NomearSemNome();
  else
    NomearComNome();
  // Flushed already: closing cannot lose what fsync kept.
  ::close(FDescritor);
  FDescritor = -1;
  // The new name is durable only once the folder itself is on disk; a folder
  // that cannot be synced (some network file systems) still has the file.
  const int pasta = ::open(FPasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (pasta >= 0) {
    ::fsync(pasta);
    ::close(pasta);
  }
}

}  // namespace

std::string MotivoFalhaGravacao(int AErrno, const std::string& AFicheiro) {
  switch (AErrno) {
    case ENOENT: {
      // A folder that exists but takes no new files (/proc) says ENOENT too.
      std::error_code erro;
      return std::filesystem::is_directory(Pasta(AFicheiro), erro) ? TrP("não é possível criar ficheiros nessa pasta")
                                                                    : TrP("a pasta não existe");
    }
    case ENOTDIR:
      return TrP("uma parte do caminho não é uma pasta");
    case EACCES:
    case EPERM:
      return TrP("não há permissão para escrever aí");
    case EROFS:
      return TrP("o disco só permite leitura");
    case ENOSPC:
    case EDQUOT:
      return TrP("não há espaço livre no disco");
    case EISDIR:
      return TrP("o destino é uma pasta");
    case EFBIG:
      return TrP("o ficheiro fica grande demais");
    case ENAMETOOLONG:
      return TrP("o nome do ficheiro é comprido demais");
    case ENOMEM:
      return TrP("memória insuficiente");
    case EIO:
      return TrP("erro de entrada/saída no disco");
    default: {
      const char* nome = ::strerrorname_np(AErrno);
      return FormatarP("erro do sistema {}", nome != nullptr ? nome : std::to_string(AErrno));
    }
  }
}

std::string NomeTemporario(const std::string& AFicheiro, long AMaxNome, int APid, int ANumero) {
  const std::string sufixo = fmt::format(".{}.{}.tmp", APid, ANumero);
  std::string nome = std::filesystem::path(AFicheiro).filename().string();
  const long cabe = AMaxNome - 1 - static_cast<long>(sufixo.size());
  if (static_cast<long>(nome.size()) > cabe) {
    std::size_t fim = cabe > 0 ? static_cast<std::size_t>(cabe) : 0;
    while (fim > 0 && (static_cast<unsigned char>(nome[fim]) & 0xC0) == 0x80) --fim;
    nome.resize(fim);
  }
  return (Pasta(AFicheiro) / ("." + nome + sufixo)).string();
}

void GravarFicheiroAtomico(const std::string& AFicheiro, std::string_view AConteudo, TModoTemporario AModo) {
  TFicheiroTemporario ficheiro(AFicheiro, AModo);
  ficheiro.Escrever(AConteudo);
  ficheiro.Concluir();
}

void VerificarDestino(const std::string& AFicheiro, TModoTemporario AModo) {
  TFicheiroTemporario prova(AFicheiro, AModo);
  prova.ProvarEspaco();
}

}  // namespace cadrel
