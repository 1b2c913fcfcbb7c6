#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/traducao.hpp"

// The window tests run as the program does: one Qt application, Qt's own texts
// in Portuguese. No display needed, whoever runs them, and Qt's settings (the
// file dialog keeps its folder, view and columns there) go to a folder of their
// own, not the user's.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const QTemporaryDir configuracao;
  setenv("XDG_CONFIG_HOME", configuracao.path().toLocal8Bit().constData(), 1);
  QApplication aplicacao(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (!cadrel::InstalarTraducao(aplicacao)) {
    std::fprintf(stderr, "A tradução do Qt não foi carregada de %s.\n", cadrel::CTraducaoQt);
    return 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
