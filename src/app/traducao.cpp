#include "app/traducao.hpp"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include "core/traducao.hpp"

namespace cadrel {

bool InstalarTraducao(QCoreApplication& AAplicacao) {
  // Qt's own texts are English already; only an English locale's regional
  // forms are kept, and any other gives way to plain English.
  if (IdiomaDoPrograma() == idEn) {
    if (QLocale::system().language() != QLocale::English) QLocale::setDefault(QLocale(QLocale::English));
    return true;
  }
  // What Qt formats on its own follows: the file dialog names file types from
  // the desktop's database in this language. The book's numbers and dates are
  // written by the core library, which never asks QLocale.
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Portugal));
  // Lives as long as the program: Qt keeps asking it whenever a dialog opens.
  static QTranslator tradutor;
  return tradutor.load(CTraducaoQt) && AAplicacao.installTranslator(&tradutor);
}

}  // namespace cadrel
