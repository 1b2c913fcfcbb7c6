#include "app/colunas_ficheiros.hpp"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QTreeView>

namespace cadrel {

namespace {
// QFileSystemModel's columns are fixed: name, size, type, date modified.
constexpr int CColunaTamanho = 1;
constexpr int CColunaData = 3;
}  // namespace

QVariant TColunasFicheiros::data(const QModelIndex& AIndice, int APapel) const {
  const auto* ficheiros = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (APapel == Qt::DisplayRole && ficheiros != nullptr) {
    const QModelIndex origem = mapToSource(AIndice);
    if (AIndice.column() == CColunaTamanho && !ficheiros->isDir(origem)) {
      return QLocale().formattedDataSize(ficheiros->size(origem));
    }
    if (AIndice.column() == CColunaData) {
      return QLocale().toString(ficheiros->lastModified(origem), QLocale::ShortFormat);
    }
  }
  return QIdentityProxyModel::data(AIndice, APapel);
}

void ColunasEmPortugues(QFileDialog& ADialogo) {
  // The dialog owns the model it is given, and sets its own model under it.
  auto* colunas = new TColunasFicheiros(&ADialogo);
  ADialogo.setProxyModel(colunas);
  auto* ficheiros = qobject_cast<QFileSystemModel*>(colunas->sourceModel());
  auto* detalhes = ADialogo.findChild<QTreeView*>();
  if (ficheiros == nullptr || detalhes == nullptr) return;
  QObject::connect(ficheiros, &QFileSystemModel::directoryLoaded, detalhes, [detalhes] {
    for (int c = CColunaTamanho; c <= CColunaData; ++c) detalhes->resizeColumnToContents(c);
  });
}

}  // namespace cadrel
