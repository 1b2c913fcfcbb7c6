#include <QApplication>
#include <QTemporaryDir>
#include <QThreadPool>

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
#if defined(__SANITIZE_THREAD__)
  // Qt splits large image conversions over its global pool, whose threads
  // share their queue under a QMutex that ThreadSanitizer cannot see (Qt is
  // not built with it). With one pool thread that never retires there is no
  // second one to share it with.
  QThreadPool::globalInstance()->setMaxThreadCount(1);
  QThreadPool::globalInstance()->setExpiryTimeout(-1);
#endif
  if (!cadrel::InstalarTraducao(aplicacao)) {
    std::fprintf(stderr, "A tradução do Qt não foi carregada de %s.\n", cadrel::CTraducaoQt);
    return 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
