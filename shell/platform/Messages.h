// The program's message queue: what the window procedure receives, in order, on one thread.
#pragma once
#include <cstdint>

enum MessageKind : int32_t {
  MsgDestroy,      // the main window is going away
  MsgMove,         // a = client x, b = client y (0..65535 each)
  MsgPaint,        // the window needs its picture again
  MsgActivate,     // a = 1 when the program became the active application, 0 when not
  MsgKeyDown,      // a = KeyCode: scan code, plus 0x100 for an extended key
  MsgKeyUp,        // a = KeyCode
  MsgCommand,      // a = menu command identifier
  MsgMusicNotice,  // a = 1 when the tune played to its end, another code when it was stopped
  MsgQuit,         // a = exit code; the main loop ends
};

struct Message {
  MessageKind kind;
  int32_t a;
  int32_t b;
};

// Appends a message to the queue; any back end and the audio notice use it.
void PostMessage(MessageKind kind, int32_t a = 0, int32_t b = 0);

// Takes the oldest waiting message without waiting; false when none waits.
bool TakeMessage(Message* m);

// Waits until a message waits, a watched socket has data, a pulled-down menu
// closes, or timeoutMs passes (negative: no limit); takes the message when
// there is one and returns true. The socket counts only while no menu is down.
bool WaitMessage(Message* m, int timeoutMs);

// A file descriptor whose readable data ends WaitMessage early, or -1 for none.
void WatchSocket(int fd);

// The procedure that takes the messages posted while a modal dialog runs a loop
// of its own: paint, move, activation, key release and music notices go to it
// at once, in order; a key press, command, destroy or quit waits for the main loop.
void SetModalProcedure(void (*procedure)(const Message& m));
