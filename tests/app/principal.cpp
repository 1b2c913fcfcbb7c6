#include <QApplication>
#include <QTemporaryDir>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/traducao.hpp"
#include "idioma_teste.hpp"

// The window tests run as the program does: one Qt application, the program
// and Qt's own texts in Portuguese, or in English with --locale=en_US.UTF-8,
// the locale the process is then given before anything reads it. No display
// needed, whoever runs them, and Qt's settings (the file dialog keeps its
// folder, view and columns there) go to a folder of their own, not the user's.
int main(int argc, char** argv) {
  constexpr std::string_view CLocale = "--locale=";
  const char* locale = "C.UTF-8";
  for (int k = 1; k < argc; ++k)
    if (std::string_view(argv[k]).starts_with(CLocale)) locale = argv[k] + CLocale.size();
  cadrel::DefinirLocaleDoTeste(locale);
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
