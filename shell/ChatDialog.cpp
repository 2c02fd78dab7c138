// Dialog 104: one chat line, echoed in the sender's log and sent to the other players.
#include <cstdio>

#include "display/MessageLog.h"
#include "net/GameState.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/DialogProcs.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"



// "T", two digits and the text must fit the ExchangeBuffer with its terminator.
constexpr int MaxChatText = ExchangeSize - 4;

static void SendChat(const char* text) {
  char line[sizeof Alias + 3 + MaxChatText];
  std::snprintf(line, sizeof line, "%s : %s", Alias, text);
  AppendMessage(line, PurpleText);
  std::snprintf(ExchangeBuffer, ExchangeSize, "T%02d%s", int(MyIndex), text);
  PublishMessage();
}

void ChatDialogProc(DialogWindow* d, DialogEvent e, int value) {
  if (e == DialogInit) FocusItem(d, ChatField, false);
  if (e != DialogCommand || (value != DialogOk && value != DialogCancel)) return;
  if (value == DialogOk) {
    char text[MaxChatText + 1];
    GetItemText(d, ChatField, text, sizeof text);
    if (text[0]) SendChat(text);
  }
  CloseDialog(d, value);
}
