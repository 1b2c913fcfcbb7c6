#pragma once

#include <string>
#include <string_view>

namespace cadrel {

// Writes the file whole or not at all: the content goes to a temporary file
// in the target's folder, which replaces the target only once it is
// complete, so an existing file survives any failure and no temporary file
// is left behind. A failure raises ECadrel with a message for the user.
void GravarFicheiroAtomico(const std::string& AFicheiro, std::string_view AConteudo);

// Why a write failed, for the user: the common causes in Portuguese.
std::string MotivoFalhaGravacao(int AErrno);

// Refuses, before a long generation, a target whose folder does not exist.
void VerificarPastaDestino(const std::string& AFicheiro);

}  // namespace cadrel
