#pragma once

#include <cstdint>
#include <string>

// The book options that the window and the command line share.
namespace cadrel {

// The file name proposed for a book: "Quorvel_5x5_P_50.pdf" for 50 progressive
// puzzles of 5x5, "Quorvel_6x6_N3_20.pdf" for 20 puzzles of level 3 on 6x6.
// ANivel is 1..5, or 0 for the progressive mix.
std::string NomeFicheiroPadrao(std::int32_t N, std::int32_t ANivel, std::int32_t ANumPuzzles);

}  // namespace cadrel
