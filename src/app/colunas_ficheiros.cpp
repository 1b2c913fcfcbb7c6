#include "app/colunas_ficheiros.hpp"

#include <QFileSystemModel>
#include <QLocale>

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

}  // namespace cadrel
