#include "core/ficheiros.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fmt/format.h>

#include "core/tipos.hpp"

namespace cadrel {

std::string MotivoFalhaGravacao(int AErrno) {
  switch (AErrno) {
    case ENOENT:
      return "a pasta não existe";
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
    default:
      return std::strerror(AErrno);
  }
}

namespace {

[[noreturn]] void Falhar(const std::string& AFicheiro, int AErrno) {
  throw ECadrel(fmt::format("Não foi possível gravar o ficheiro {}: {}.", AFicheiro, MotivoFalhaGravacao(AErrno)));
}

std::filesystem::path Pasta(const std::string& AFicheiro) {
  const std::filesystem::path pasta = std::filesystem::path(AFicheiro).parent_path();
  return pasta.empty() ? std::filesystem::path(".") : pasta;
}

// Closes and removes the temporary file unless it has become the target.
class TFicheiroTemporario {
public:
  explicit TFicheiroTemporario(std::string AModelo)
      : FNome(std::move(AModelo)), FFd(mkstemp(FNome.data())), FExiste(FFd >= 0) {}
  ~TFicheiroTemporario() {
    Fechar();
    if (FExiste) std::remove(FNome.c_str());
  }
  TFicheiroTemporario(const TFicheiroTemporario&) = delete;
  TFicheiroTemporario& operator=(const TFicheiroTemporario&) = delete;

  int Fd() const { return FFd; }
  const std::string& Nome() const { return FNome; }
  bool Fechar() {
    if (FFd < 0) return true;
    const bool ok = ::close(FFd) == 0;
    FFd = -1;
    return ok;
  }
  void Entregue() { FExiste = false; }

private:
  std::string FNome;
  int FFd;
  bool FExiste;
};

}  // namespace

void GravarFicheiroAtomico(const std::string& AFicheiro, std::string_view AConteudo) {
  const std::filesystem::path destino(AFicheiro);
  TFicheiroTemporario tmp((Pasta(AFicheiro) / ("." + destino.filename().string() + ".XXXXXX")).string());
  if (tmp.Fd() < 0) Falhar(AFicheiro, errno);

  // mkstemp makes the file private; the book gets the usual permissions.
  const mode_t mascara = ::umask(0);
  ::umask(mascara);
  if (::fchmod(tmp.Fd(), 0666 & ~mascara) != 0) Falhar(AFicheiro, errno);
  while (!AConteudo.empty()) {
    const ssize_t n = ::write(tmp.Fd(), AConteudo.data(), AConteudo.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Falhar(AFicheiro, errno);
    AConteudo.remove_prefix(static_cast<std::size_t>(n));
  }
  if (::fsync(tmp.Fd()) != 0 || !tmp.Fechar()) Falhar(AFicheiro, errno);
  if (std::rename(tmp.Nome().c_str(), AFicheiro.c_str()) != 0) Falhar(AFicheiro, errno);
  tmp.Entregue();
}

void VerificarPastaDestino(const std::string& AFicheiro) {
  std::error_code erro;
  if (!std::filesystem::is_directory(Pasta(AFicheiro), erro)) Falhar(AFicheiro, ENOENT);
}

}  // namespace cadrel
