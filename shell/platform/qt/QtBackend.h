// What the Qt back end's files share among themselves; nothing outside qt/ includes it.
#pragma once
#include <QString>
#include <QByteArray>

// Windows-1252 bytes to Unicode and back (unmappable characters become '?').
QString FromCp1252(const char* text, int len = -1);
QByteArray ToCp1252(const QString& text);

// The KeyCode of a key event: set-1 scan code plus 0x100 when extended.
class QKeyEvent;
int KeyCodeOf(const QKeyEvent* e);
int KeyCodeFromNative(unsigned nativeScanCode);
int KeyCodeFromQtKey(int qtKey);

// Number of modal dialogs running now; the main window takes no input meanwhile.
extern int ModalDepth;

// Applies a new client-area position of the main window when the window exists.
class QWidget;
QWidget* MainWindowWidget();
