#pragma once

#include <QIdentityProxyModel>

class QFileDialog;

namespace cadrel {

// A file list with sizes and dates written in Qt's default locale, that of the
// program's language. Qt writes them in the desktop's regional format, which
// on an English desktop means English months and "PM" for a Portuguese reader.
class TColunasFicheiros final : public QIdentityProxyModel {
  Q_OBJECT

public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& AIndice, int APapel) const override;
};

// Gives Qt's own save dialog a TColunasFicheiros, and fits the columns of its
// detail view to their contents whenever a folder has been read: Qt sizes them
// for English texts, and "documento PDF" or "Data de modificação" are longer.
void ColunasEmPortugues(QFileDialog& ADialogo);

}  // namespace cadrel
