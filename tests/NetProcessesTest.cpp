// Whole programs over loopback: headless peers (net-peer) as separate processes, straight or
// through a relay of the test that drops, repeats and reorders datagrams.
#include <arpa/inet.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <random>
#include <thread>
#include <string>
#include <vector>

namespace {

// A running net-peer and what it printed.
struct Peer {
  pid_t pid = -1;
  int out = -1;
  std::string text;
};

Peer Spawn(const std::vector<std::string>& args) {
  int pipeFds[2];
  EXPECT_EQ(pipe(pipeFds), 0);
  Peer p;
  p.pid = fork();
  if (p.pid == 0) {
    dup2(pipeFds[1], 1);
    close(pipeFds[0]);
    std::vector<char*> argv{const_cast<char*>(NET_PEER)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(NET_PEER, argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  p.out = pipeFds[0];
  return p;
}

// Reads what the peer prints until a line begins with prefix, or it ends.
std::string ReadUntil(Peer& p, const std::string& prefix) {
  char buffer[4096];
  for (;;) {
    size_t at = p.text.rfind('\n' + prefix);
    if (p.text.compare(0, prefix.size(), prefix) == 0) at = 0;
    if (at != std::string::npos) {
      size_t from = at == 0 ? 0 : at + 1;
      size_t eol = p.text.find('\n', from);
      if (eol != std::string::npos) return p.text.substr(from, eol - from);
    }
    pollfd q{p.out, POLLIN, 0};
    if (poll(&q, 1, 30000) != 1) return "";
    ssize_t n = read(p.out, buffer, sizeof buffer);
    if (n <= 0) return "";
    p.text.append(buffer, size_t(n));
  }
}

// Waits for the peer to end within ms; kills it and reports -1 when it hangs.
int Finish(Peer& p, int ms) {
  ReadUntil(p, "\x01");  // drains its output to the end
  for (int waited = 0; waited < ms; waited += 10) {
    int status = 0;
    if (waitpid(p.pid, &status, WNOHANG) == p.pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    usleep(10000);
  }
  kill(p.pid, SIGKILL);
  waitpid(p.pid, nullptr, 0);
  return -1;
}

int PortOf(int fd) {
  sockaddr_in a{};
  socklen_t n = sizeof a;
  getsockname(fd, (sockaddr*)&a, &n);
  return ntohs(a.sin_port);
}

int LoopbackSocket() {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  bind(fd, (sockaddr*)&a, sizeof a);
  return fd;
}

// The rows a peer printed as its table, "name,name,...".
std::string Names(Peer& p) {
  std::string names, text = p.text;
  for (size_t at = text.find("\nrow "); at != std::string::npos; at = text.find("\nrow ", at + 1)) {
    size_t name = text.find(' ', at + 5) + 1;
    names += text.substr(name, text.find('\n', name) - name) + ",";
  }
  return names;
}

}  // namespace

// After "S", a Client and its Server hold the same Board, Level and pieces.
TEST(NetProcesses, AfterTheStartClientAndServerHoldTheSameBoardAndPieces) {
  Peer server = Spawn({"server", "0", "2", "0", "11"});
  std::string port = ReadUntil(server, "port ").substr(5);
  ASSERT_NE(port, "");
  Peer client = Spawn({"client", port, "Ann", "0", "12"});
  std::string serverStart = ReadUntil(server, "seed ");
  std::string clientStart = ReadUntil(client, "seed ");
  EXPECT_EQ(Finish(server, 5000), 0);
  EXPECT_EQ(Finish(client, 5000), 0);
  ASSERT_NE(serverStart, "");
  EXPECT_EQ(clientStart, serverStart);
  auto board = [](const Peer& p) { return p.text.substr(p.text.find("seed ")); };
  EXPECT_EQ(board(client), board(server));
  EXPECT_NE(board(server).find("8888888888"), std::string::npos);  // the floor, at least
}

namespace {

// Passes datagrams between peers and the Server: one front socket per Client
// (its "server"), one back socket per Client (its address at the Server).
// Each datagram is dropped, repeated or held back behind later ones at random.
struct LossyRelay {
  int front[2], back[2];
  sockaddr_in client[2] = {};
  sockaddr_in server{};
  std::mt19937 random{7};
  struct Held {
    int fd;
    sockaddr_in to;
    std::string bytes;
  };
  std::deque<Held> held;
  int dropped = 0, doubled = 0, reordered = 0;

  void Send(int fd, const sockaddr_in& to, const std::string& bytes) {
    sendto(fd, bytes.data(), bytes.size(), 0, (const sockaddr*)&to, sizeof to);
  }
  // Each Client's join goes wrong for sure before chance takes over: the
  // first request of each is lost, Ann's first reply too, and Bob's second request comes twice.
  int count[2][2] = {};
  void Pass(int fd, const sockaddr_in& to, const std::string& bytes, int c, int up) {
    int nth = ++count[c][up];
    if (nth == 1 && (up || c == 0)) return void(++dropped);
    if (c == 1 && up && nth == 2) Send(fd, to, bytes);
    unsigned r = random() % 100;
    if (r < 10) return void(++dropped);
    if (r < 20) ++doubled, Send(fd, to, bytes);
    if (r < 30) return ++reordered, held.push_back({fd, to, bytes});
    Send(fd, to, bytes);
    if (!held.empty() && random() % 3 == 0) {
      Send(held.front().fd, held.front().to, held.front().bytes);
      held.pop_front();
    }
  }
  void Run(const bool* stop) {
    char buffer[2048];
    while (!*stop) {
      pollfd p[4] = {{front[0], POLLIN, 0}, {front[1], POLLIN, 0}, {back[0], POLLIN, 0},
                     {back[1], POLLIN, 0}};
      if (poll(p, 4, 20) <= 0) {
        for (; !held.empty(); held.pop_front()) Send(held.front().fd, held.front().to, held.front().bytes);
        continue;
      }
      for (int i = 0; i < 4; ++i) {
        if (!(p[i].revents & POLLIN)) continue;
        sockaddr_in from{};
        socklen_t n = sizeof from;
        ssize_t got = recvfrom(p[i].fd, buffer, sizeof buffer, 0, (sockaddr*)&from, &n);
        if (got < 0) continue;
        std::string bytes(buffer, size_t(got));
        if (i < 2) client[i] = from, Pass(back[i], server, bytes, i, 1);
        else Pass(front[i - 2], client[i - 2], bytes, i - 2, 0);
      }
    }
  }
};

// Three players for a minute of game time; through the relay the link loses one
// datagram in ten, repeats one in ten and holds one in ten back, after joins that
// lose their first datagrams. Nobody crashes or hangs, both joins complete, and
// every machine ends with the same table.
void PlayThreeForAMinute(bool throughRelay) {
  Peer server = Spawn({"server", "0", "3", "60", "21"});
  std::string port = ReadUntil(server, "port ").substr(5);
  ASSERT_NE(port, "");
  LossyRelay relay;
  relay.server = {AF_INET, htons(uint16_t(std::stoi(port))), {htonl(INADDR_LOOPBACK)}, {}};
  for (int i = 0; i < 2; ++i) relay.front[i] = LoopbackSocket(), relay.back[i] = LoopbackSocket();
  bool stop = false;
  std::thread pump([&] { relay.Run(&stop); });
  auto to = [&](int i) { return throughRelay ? std::to_string(PortOf(relay.front[i])) : port; };
  Peer ann = Spawn({"client", to(0), "Ann", "60", "22"});
  Peer bob = Spawn({"client", to(1), "Bob", "60", "23"});
  std::string tables[3] = {ReadUntil(server, "table "), ReadUntil(ann, "table "),
                           ReadUntil(bob, "table ")};
  int codes[3] = {Finish(server, 60000), Finish(ann, 60000), Finish(bob, 60000)};
  stop = true;
  pump.join();
  for (int i = 0; i < 2; ++i) close(relay.front[i]), close(relay.back[i]);
  EXPECT_EQ(codes[0] + codes[1] + codes[2], 0) << codes[0] << codes[1] << codes[2];
  EXPECT_EQ(tables[0], "table 2 mine 0 consistent 1");
  std::string mine[2] = {tables[1].substr(0, 15), tables[2].substr(0, 15)};
  EXPECT_EQ(mine[0].substr(0, 13) + mine[1].substr(0, 13), "table 2 mine table 2 mine ");
  EXPECT_NE(mine[0], mine[1]);
  EXPECT_EQ(Names(ann), Names(server));
  EXPECT_EQ(Names(bob), Names(server));
  EXPECT_NE(server.text.find("matches "), server.text.find("matches 0"));
  if (throughRelay) {
    EXPECT_GT(relay.dropped * relay.doubled * relay.reordered, 0);
  }
}

}  // namespace

TEST(NetProcesses, ALossyLinkKeepsJoinsAndTablesWhole) { PlayThreeForAMinute(true); }

// Run by net-netem.sh inside a network namespace whose loopback loses 10 % of its packets.
TEST(NetProcesses, ANetemLinkKeepsJoinsAndTablesWhole) {
  if (!std::getenv("PLOXEN_NETEM")) GTEST_SKIP() << "only inside net-netem.sh's namespace";
  PlayThreeForAMinute(false);
}
