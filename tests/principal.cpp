#include <gtest/gtest.h>

#include "idioma_teste.hpp"

// The tests pin the program's Portuguese words, so every test process speaks
// Portuguese whatever the locale of whoever runs the suite; the tests of the
// English ones give the programs they start a locale of their own.
int main(int argc, char** argv) {
  cadrel::DefinirLocaleDoTeste("C.UTF-8");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
