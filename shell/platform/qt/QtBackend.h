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

// The main window, or nullptr while there is none.
class QWidget;
QWidget* MainWindowWidget();

// The X server's connection, or nullptr on a platform without one.
struct xcb_connection_t;
xcb_connection_t* XConnection();

// Ends the wait of WaitMessage as a message would, without one.
void EndWait();

// Puts on the screen at once what was drawn on the window surface and only scheduled.
void ShowWindowNow();

// Hands the window procedure the messages a modal loop may deliver; call as one starts.
void DeliverMessagesInModalLoop();

// Gives the main window its menu bar from the menu resource; the check marks follow it.
class QMainWindow;
void BuildMenu(QMainWindow* window);

// Gives a top-level window a title bar with only the buttons named, before it is shown.
void SetFrameButtons(QWidget* window, bool minimise, bool close);
