#include "generation/opcoes.hpp"

#include <gtest/gtest.h>

namespace cadrel {
namespace {

TEST(NomeFicheiroPadrao, EtiquetaDoNivel) {
  EXPECT_EQ(NomeFicheiroPadrao(5, 0, 50), "Quorvel_5x5_P_50.pdf");
  EXPECT_EQ(NomeFicheiroPadrao(6, 3, 20), "Quorvel_6x6_N3_20.pdf");
  EXPECT_EQ(NomeFicheiroPadrao(4, 5, 1), "Quorvel_4x4_N5_1.pdf");
}

}  // namespace
}  // namespace cadrel
