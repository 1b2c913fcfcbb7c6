#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cadrel {

// Where a file waits until it is complete. Unnamed (O_TMPFILE) it leaves
// nothing in the folder whatever happens to the process, even SIGKILL; file
// systems that cannot make one get a hidden name beside the target instead,
// removed on every path the process lives through.
enum TModoTemporario : std::uint8_t {
  mtSemNome,  // unnamed where the file system allows it, otherwise named
  mtComNome,  // always named
};

// Writes AConteudo as the whole file AFicheiro, or leaves the disk as it was:
// the bytes go to a temporary file in the target's folder (so that it never
// crosses file systems), with the mode any new file gets, are flushed to disk,
// and only then take the target's name; the folder entry is flushed last.
// Failures raise ECadrel with the reason in Portuguese.
void GravarFicheiroAtomico(const std::string& AFicheiro, std::string_view AConteudo,
                           TModoTemporario AModo = mtSemNome);

// Tries the target before a long piece of work, as writing it would: opens a
// temporary file where the book will go and asks the disk for some room,
// leaving no name behind. Raises the same errors writing would.
void VerificarDestino(const std::string& AFicheiro, TModoTemporario AModo = mtSemNome);

// Why a write to AFicheiro failed, for the user, from errno: the common causes
// in Portuguese.
std::string MotivoFalhaGravacao(int AErrno, const std::string& AFicheiro);

// The hidden name beside AFicheiro under which attempt ANumero of process APid
// keeps a file, cut at a character boundary to fit AMaxNome bytes, the longest
// name the folder takes.
std::string NomeTemporario(const std::string& AFicheiro, long AMaxNome, int APid, int ANumero);

}  // namespace cadrel
