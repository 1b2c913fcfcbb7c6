#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cadrel {

// A file written whole or not at all. The content goes to a temporary file
// beside the target (so that the final rename never crosses file systems),
// created exclusively and with the mode any new file gets; Concluir puts it in
// the target's place and makes it durable. Dropped before that, however that
// happens, the temporary file is removed and an existing target is untouched.
// Failures raise ECadrel with the reason in Portuguese.
class TFicheiroAtomico {
public:
  explicit TFicheiroAtomico(std::string AFicheiro);
  ~TFicheiroAtomico();
  TFicheiroAtomico(const TFicheiroAtomico&) = delete;
  TFicheiroAtomico& operator=(const TFicheiroAtomico&) = delete;

  void Escrever(std::string_view ADados);
  // Flushes to disk, renames over the target, then flushes the folder entry.
  void Concluir();
  // Asks the disk for some room, as a long write will: a full disk fails now.
  void ProvarEspaco();
  // Removes the temporary file now.
  void Abandonar() noexcept;

  const std::string& Ficheiro() const { return FFicheiro; }
  [[noreturn]] void Falhar(int AErrno);

private:
  std::string FFicheiro;
  std::string FTemporario;  // empty once renamed or removed
  int FDescritor = -1;
};

void GravarFicheiroAtomico(const std::string& AFicheiro, std::string_view AConteudo);

// Why a write to AFicheiro failed, for the user, from errno: the common causes
// in Portuguese.
std::string MotivoFalhaGravacao(int AErrno, const std::string& AFicheiro);

// Tries the target before a long piece of work, as writing it would: creates
// (and removes) its temporary file, and asks the disk for some room. Raises
// the same errors writing would.
void VerificarDestino(const std::string& AFicheiro);

}  // namespace cadrel
