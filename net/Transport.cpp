// Datagram transport: the socket's set-up, the server's address, sends and the one receive per GameTick.
#include "net/Transport.h"

#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "net/MatchServices.h"
#include "net/Messages.h"

char ExchangeBuffer[ExchangeSize];
NetAddress SenderAddress;
NetAddress PeerTable[MaxTablePlayers];


static int FailAndClose(const char* text) {
  AppendMessage(text, RedText);
  CloseNet();
  return -1;
}

// Only NetPort's low 16 bits count; the port travels most significant byte first.
static NetAddress InternetAddress(uint32_t address) {
  NetAddress a{};
  a.family = NetInternetFamily;
  const uint8_t port[2] = {uint8_t((NetPort >> 8) & 0xFF), uint8_t(NetPort & 0xFF)};
  std::memcpy(&a.port, port, 2);
  a.address = address;
  return a;
}

// Four decimal parts 0..255 joined by dots, nothing else; the address in network byte order.
static bool ParseDotted(const char* text, uint32_t* address) {
  uint8_t bytes[4];
  const char* p = text;
  for (int part = 0; part < 4; ++part) {
    if (part > 0 && *p++ != '.') return false;
    int value = 0, digits = 0;
    for (; *p >= '0' && *p <= '9' && digits < 4; ++p, ++digits) value = value * 10 + (*p - '0');
    if (digits == 0 || digits > 3 || value > 255) return false;
    bytes[part] = uint8_t(value);
  }
  if (*p != '\0') return false;
  std::memcpy(address, bytes, 4);
  return true;
}

// A text that starts with a letter names a host; any other must be a dotted
// address, used as it stands: a LAN address usually has no name registered
// for it, and a reverse lookup would only stall the window to learn so.
static bool ResolveServer(const char* text, uint32_t* address) {
  bool isName = (text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z');
  return isName ? NetLookupName(text, address) : ParseDotted(text, address);
}

// Starts the network layer; 0, or -1 after a red line.
static int NetStartup() {
  if (NetSystemStartup() != 0) return FailAndClose("Windows Sockets non support\xE9 !");
  return 0;
}

int OpenServerSocket() {
  if (NetStartup() != 0) return -1;
  SenderAddress = InternetAddress(0);
  if (NetOpenSocket() != 0) return FailAndClose("Erreur cr\xE9" "ation socket !");
  if (NetBindSocket(SenderAddress) != 0) return FailAndClose("Une partie est d\xE9j\xE0 en cours !");
  return 0;
}

int ConnectToServer() {
  if (NetStartup() != 0) return -1;
  AppendMessage("Recherche serveur...", GreenText);
  uint32_t address = 0;
  if (!ResolveServer(ServerName, &address)) return FailAndClose("Serveur introuvable !");
  SenderAddress = InternetAddress(address);
  if (NetOpenSocket() != 0) return FailAndClose("Erreur cr\xE9" "ation socket !");
  PeerTable[0] = SenderAddress;
  SendJoinRequest();
  return 0;
}

// Whatever an earlier, longer message left behind the text goes out as zero bytes.
static void ClearBehindText() {
  const void* end = std::memchr(ExchangeBuffer, '\0', ExchangeSize);
  size_t length = end ? size_t(static_cast<const char*>(end) - ExchangeBuffer) : ExchangeSize;
  std::memset(ExchangeBuffer + length, 0, ExchangeSize - length);
}

static void SendBuffer(const NetAddress& to) {
  ClearBehindText();
  NetSendTo(to, ExchangeBuffer, ExchangeSize);
}

void SendToPeer(int index) {
  if (index >= 0 && index < MaxTablePlayers) SendBuffer(PeerTable[index]);
}

void SendToSender() { SendBuffer(SenderAddress); }

void SendToClients(int except) {
  NetAddress to[MaxTablePlayers];
  int count = 0;
  for (int i = 1; i <= HighestIndex && i < MaxTablePlayers; ++i)
    if (i != except) to[count++] = PeerTable[i];
  ClearBehindText();
  NetSendToEach(to, count, ExchangeBuffer, ExchangeSize);
}

// The datagram is text up to its own length: the bytes behind it are cleared
// so nothing of an earlier datagram is read as part of this one, and a full
// 1000 bytes without a terminator gets one in its last byte.
bool ReceiveDatagram() {
  NetAddress from;
  int length = NetReceiveFrom(ExchangeBuffer, ExchangeSize, &from);
  if (length < 0) return false;
  SenderAddress = from;
  std::memset(ExchangeBuffer + length, 0, size_t(ExchangeSize - length));
  ExchangeBuffer[ExchangeSize - 1] = '\0';
  return true;
}

void CloseNet() {
  NetCloseSocket();
  NetSystemCleanup();
}
