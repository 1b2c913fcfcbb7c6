#pragma once

#include <QIdentityProxyModel>

namespace cadrel {

// The save dialog's file list with sizes and dates written in Qt's default
// locale, the program's Portuguese. Qt writes them in the desktop's regional
// format, which on an English desktop means English months and "PM".
class TColunasFicheiros final : public QIdentityProxyModel {
  Q_OBJECT

public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& AIndice, int APapel) const override;
};

}  // namespace cadrel
