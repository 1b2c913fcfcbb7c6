#pragma once

class QCoreApplication;

namespace cadrel {

// Qt's catalogue in European Portuguese, compiled at build time and carried
// inside the program.
inline constexpr const char* CTraducaoQt = ":/traducoes/qtbase_pt_PT.qm";

// The texts Qt draws itself (the save dialog, the buttons of the message boxes,
// the edit menus) in the program's language (IdiomaDoPrograma), and Qt's
// default locale with them: in Portuguese from this catalogue, in English as Qt
// writes them. Call it once the application exists and before any widget is
// made, since widgets take their texts when they are built. False when the
// Portuguese catalogue could not be loaded: Qt then speaks English.
bool InstalarTraducao(QCoreApplication& AAplicacao);

}  // namespace cadrel
