// Whole programs over loopback: three headless peers (net-peer) as separate processes, straight
// or through a relay of the test that drops, repeats and reorders datagrams.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

// A net-peer with args; timeout(1) kills it should it hang.
FILE* Spawn(const std::string& args) {
  return popen(("exec timeout -s KILL 120 " NET_PEER " " + args).c_str(), "r");
}

// What the peer printed up to its end, then its exit status (137 when it hung).
int Finish(FILE* peer, std::string* text) {
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, peer)) > 0;) text->append(buffer, n);
  int status = pclose(peer);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The first line of text that begins with prefix; "" when none does.
std::string LineOf(const std::string& text, const std::string& prefix) {
  std::string all = "\n" + text;
  size_t at = all.find("\n" + prefix);
  return at == std::string::npos ? "" : all.substr(at + 1, all.find('\n', at + 1) - at - 1);
}

int LoopbackSocket() {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  bind(fd, (sockaddr*)&a, sizeof a);
  return fd;
}

// Stands between the two Clients and the Server: fd[c] is Client c's "server", fd[2 + c] its
// address at the Server. Each Client's join goes wrong for sure (its first request is lost,
// Ann's first reply too, Bob's second request comes twice); then each datagram is dropped,
// repeated or held back behind later ones, one in ten each.
struct LossyRelay {
  int fd[4] = {LoopbackSocket(), LoopbackSocket(), LoopbackSocket(), LoopbackSocket()};
  sockaddr_in to[4] = {};  // where what leaves through fd[i] goes
  std::mt19937 random{7};
  std::deque<std::pair<int, std::string>> held;
  int sent[4] = {}, dropped = 0, doubled = 0, delayed = 0;

  void Send(int i, const std::string& bytes) {
    sendto(fd[i], bytes.data(), bytes.size(), 0, (const sockaddr*)&to[i], sizeof to[i]);
  }
  void Release() {
    Send(held.front().first, held.front().second);
    held.pop_front();
  }
  void Pass(int i, const std::string& bytes) {
    int nth = ++sent[i];
    unsigned r = nth == 1 && i != 1 ? 0 : random() % 100;  // a first one is always lost
    if (i == 3 && nth == 2) Send(i, bytes);
    if (r < 10) {
      ++dropped;
    } else if (r < 30) {  // held back behind later ones; a repeat also goes now
      if (r < 20) {
        ++doubled;
        Send(i, bytes);
      }
      ++delayed;
      held.push_back({i, bytes});
    } else {
      Send(i, bytes);
      if (!held.empty() && random() % 3 == 0) Release();
    }
  }
  void Run(const std::atomic<bool>& stop) {
    while (!stop) {
      pollfd p[4];
      for (int i = 0; i < 4; ++i) p[i] = {fd[i], POLLIN, 0};
      if (poll(p, 4, 20) <= 0)
        while (!held.empty()) Release();
      for (int i = 0; i < 4; ++i) {
        char buffer[2048];
        socklen_t n = sizeof to[i];
        ssize_t got = p[i].revents & POLLIN
                          ? recvfrom(fd[i], buffer, sizeof buffer, 0, (sockaddr*)&to[i], &n)
                          : -1;
        if (got >= 0) Pass((i + 2) % 4, std::string(buffer, size_t(got)));
      }
    }
  }
};

// Three players for seconds of game time; what each printed, the Server's first. Nobody
// crashes or hangs, every join completes, and every machine ends with the same table.
std::vector<std::string> PlayThree(bool lossy, const std::string& seconds) {
  FILE* server = Spawn("server 0 3 " + seconds + " 21");
  char port[32] = "";
  EXPECT_NE(fgets(port, sizeof port, server), nullptr);
  LossyRelay relay;
  const int serverPort = atoi(port + 5);
  relay.to[2] = relay.to[3] = {AF_INET, htons(uint16_t(serverPort)), {htonl(INADDR_LOOPBACK)}, {}};
  std::atomic<bool> stop = false;
  std::thread pump([&] { lossy ? relay.Run(stop) : void(); });
  auto via = [&](int c) {
    sockaddr_in a{};
    socklen_t n = sizeof a;
    getsockname(relay.fd[c], (sockaddr*)&a, &n);
    return std::to_string(lossy ? ntohs(a.sin_port) : serverPort);
  };
  FILE* ann = Spawn("client " + via(0) + " Ann " + seconds + " 22");
  FILE* bob = Spawn("client " + via(1) + " Bob " + seconds + " 23");
  std::vector<std::string> out(3);
  int codes[3] = {Finish(server, &out[0]), Finish(ann, &out[1]), Finish(bob, &out[2])};
  stop = true;
  pump.join();
  for (int fd : relay.fd) close(fd);
  EXPECT_EQ(codes[0] + codes[1] + codes[2], 0) << codes[0] << codes[1] << codes[2];
  std::string table = LineOf(out[0], "table ");
  EXPECT_EQ(table.substr(0, 20), "table 2 consistent 1");
  std::set<std::string> rows;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(LineOf(out[i], "table "), table) << i;
    rows.insert(LineOf(out[i], "mine ").substr(0, 6));
  }
  EXPECT_EQ(rows, (std::set<std::string>{"mine 0", "mine 1", "mine 2"}));
  EXPECT_EQ(out[0].find("matches 0\n"), std::string::npos);
  EXPECT_TRUE(!lossy || relay.dropped * relay.doubled * relay.delayed > 0);
  return out;
}

}  // namespace

// After "S", the Clients and their Server hold the same seed, Level, pieces and Board, cell
// by cell.
TEST(NetProcesses, AfterTheStartClientsAndServerHoldTheSameBoardAndPieces) {
  std::vector<std::string> out = PlayThree(false, "5");
  std::string start = LineOf(out[0], "start "), board = LineOf(out[0], "board ");
  ASSERT_NE(start, "");
  EXPECT_NE(board.find("888888888888"), std::string::npos);  // the floor, at least
  for (int i : {1, 2}) {
    EXPECT_EQ(LineOf(out[i], "start "), start) << i;
    EXPECT_EQ(LineOf(out[i], "board "), board) << i;
  }
}

TEST(NetProcesses, ALossyLinkKeepsJoinsAndTablesWhole) { PlayThree(true, "60"); }

// Run by net-netem.sh inside a network namespace whose loopback loses 10 % of its packets.
TEST(NetProcesses, ANetemLinkKeepsJoinsAndTablesWhole) {
  if (!std::getenv("PLOXEN_NETEM")) GTEST_SKIP() << "only inside net-netem.sh's namespace";
  PlayThree(false, "60");
}
