#pragma once

class QCoreApplication;

namespace cadrel {

// Qt's catalogue in European Portuguese, compiled at build time and carried
// inside the program.
inline constexpr const char* CTraducaoQt = ":/traducoes/qtbase_pt_PT.qm";

// The program speaks only Portuguese, whatever the desktop's language: this
// puts the texts Qt draws itself (the save dialog, the buttons of the message
// boxes, the edit menus) in Portuguese, and makes Portuguese Qt's default
// locale. Call it once the application exists and before any widget is made,
// since widgets take their texts when they are built. False when the
// catalogue could not be loaded: Qt then speaks English.
bool InstalarTraducao(QCoreApplication& AAplicacao);

}  // namespace cadrel
