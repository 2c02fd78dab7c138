// The transport's mends on loopback: the server's address as typed, empty and short datagrams.
#include <cstring>

#include "display/MessageLog.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "tests/NetLoopback.h"

using Transport = LoopbackTest;

// A LAN address usually has no name registered for it (127.0.0.9 has none):
// it is used as it stands, never looked up in reverse. Join checks that the
// join request reached the test's socket at that address.
TEST_F(Transport, ADottedAddressIsUsedAsItStands) {
  Join("127.0.0.9");
  EXPECT_EQ(GameMode, Client);
}

TEST_F(Transport, TextThatIsNoDottedAddressIsNotFound) {
  for (const char* text : {"192.168.1.256", "1..2.3", "10.0.0", "1.2.3.4x", "1.2.3.0004"}) {
    std::strcpy(ServerName, text);
    EXPECT_EQ(ConnectToServer(), -1) << text;
    EXPECT_STREQ(MessageLine(0), "Serveur introuvable !");
    EXPECT_EQ(NetWaitHandle(), -1);
  }
}

// The pending byte count of an empty datagram is 0: asking for it would leave
// the empty one at the head of the queue and every datagram behind it unread.
TEST_F(Transport, AnEmptyDatagramHoldsUpNothingBehindIt) {
  Host();
  int ann = Socket();
  Deliver(ann, "");
  Tick(ann, "CAnn");
  EXPECT_EQ(Got(ann), "C010000000NN03Moi03Ann|");
}

TEST_F(Transport, AShortDatagramIsReadWithoutWhatALongerOneLeft) {
  Host();
  Admit(2);
  Tick(peer[1], "T01" + std::string(300, 'x'));
  Got(peer[2]);
  Deliver(peer[1], "D01");
  EXPECT_EQ(Got(peer[2]), "D01|");
}
