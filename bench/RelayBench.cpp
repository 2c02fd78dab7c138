// The Server relaying height reports on loopback: the real main loop (Qt back end, offscreen)
// runs an eight-player game whose seven clients are plain sockets of a second thread.
// Prints the time from a report leaving its client's socket to its arrival at each other
// client, the Server's CPU while relaying and while nothing comes, what a bare loop of system
// calls relaying the same reports costs on this machine, and the PlayersPanel's share.
// Usage: relay-bench [SECONDS [REPORTS_PER_SECOND]]. On a busy machine the tail is other
// processes' doing; `chrt -f 10 relay-bench` shows the program's own.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "display/Panels.h"
#include "net/GameState.h"
#include "net/Transport.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/Window.h"

using Clock = std::chrono::steady_clock;
constexpr int Clients = 7;

static std::atomic<bool> g_stop{false};

static double ThreadCpuSeconds(long* preempted = nullptr) {
  rusage u;
  getrusage(RUSAGE_THREAD, &u);
  if (preempted) *preempted = u.ru_nivcsw;
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Other processes on the machine lengthen the tail: the figures say how busy it was.
static double LoadAverage() {
  double load = -1;
  if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(f, "%lf", &load) != 1) load = -1;
    std::fclose(f);
  }
  return load;
}

static sockaddr_in ServerAddress() {
  sockaddr_in a{};
  socklen_t n = sizeof a;
  getsockname(NetWaitHandle(), reinterpret_cast<sockaddr*>(&a), &n);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

// Where the clients send: the Server's socket, or the bare relay's below.
static sockaddr_in g_relay{};

static void SendText(int fd, const char* text) {
  char bytes[1000] = {};
  std::snprintf(bytes, sizeof bytes, "%s", text);
  sendto(fd, bytes, sizeof bytes, 0, reinterpret_cast<sockaddr*>(&g_relay), sizeof g_relay);
}

// Takes every datagram waiting at the clients; the height reports of clients
// carry a sequence number in their score field.
static void Collect(const int* fds, const std::vector<Clock::time_point>& sent,
                    std::vector<double>* us, int wait) {
  pollfd p[Clients];
  for (int i = 0; i < Clients; ++i) p[i] = {fds[i], POLLIN, 0};
  if (poll(p, Clients, wait) <= 0) return;
  char bytes[1000];
  for (int i = 0; i < Clients; ++i) {
    while (recv(fds[i], bytes, sizeof bytes, MSG_DONTWAIT) > 0) {
      auto now = Clock::now();
      if (bytes[0] != 'H' || std::strncmp(bytes + 1, "00", 2) == 0) continue;
      size_t seq = size_t(std::atoi(std::string(bytes + 3, 6).c_str()));
      if (seq < sent.size())
        us->push_back(std::chrono::duration<double, std::micro>(now - sent[seq]).count());
    }
  }
}

// Client c + 1 reports in turn, rate reports a second in all.
static void RunClients(const int* fds, int seconds, int rate, std::vector<double>* us,
                       int* reports) {
  std::vector<Clock::time_point> sent(size_t(seconds) * size_t(rate) + 1);
  auto start = Clock::now();
  auto period = std::chrono::nanoseconds(1000000000LL / rate);
  for (size_t seq = 0; seq + 1 < sent.size(); ++seq) {
    auto due = start + period * seq;
    for (auto now = Clock::now(); now < due; now = Clock::now())
      Collect(fds, sent, us, int((due - now) / std::chrono::milliseconds(1)) + 1);
    char text[32];
    std::snprintf(text, sizeof text, "H%02d%06d%03d%02d", int(seq % Clients) + 1,
                  int(seq % 1000000), 0, 5);
    sent[seq] = Clock::now();
    SendText(fds[seq % Clients], text);
    *reports = int(seq) + 1;
  }
  auto end = Clock::now() + std::chrono::milliseconds(200);
  while (Clock::now() < end) Collect(fds, sent, us, 20);
}

static double Percentile(std::vector<double>& v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, size_t(q * double(v.size())))];
}

// Runs the main loop until the flag is set; a datagram sent to the Server ends its wait.
// Returns the CPU seconds used; *preempted counts the times another thread took the core.
static double LoopCpu(int code, long* preempted) {
  long before = 0, after = 0;
  double cpu0 = ThreadCpuSeconds(&before);
  while (!g_stop && RunLoopPass(&code)) {
  }
  double cpu = ThreadCpuSeconds(&after) - cpu0;
  *preempted = after - before;
  return cpu;
}

// What the kernel alone charges for a relay on this machine: a loop of plain
// system calls (wait, receive, one send to the six others) relaying the same
// reports. What the Server spends beyond it is the program's own.
static double BareRelayCpu(const int* fds, int seconds, int rate) {
  int relay = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(relay, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t n = sizeof g_relay;
  getsockname(relay, reinterpret_cast<sockaddr*>(&g_relay), &n);
  sockaddr_in peer[Clients];
  for (int i = 0; i < Clients; ++i) {
    n = sizeof peer[i];
    getsockname(fds[i], reinterpret_cast<sockaddr*>(&peer[i]), &n);
    peer[i].sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  }
  std::vector<double> us;
  int reports = 0;
  g_stop = false;
  std::thread clients([&] {
    RunClients(fds, seconds, rate, &us, &reports);
    g_stop = true;
    SendText(fds[0], "Z");
  });
  char bytes[1000];
  int relayed = 0;
  double cpu0 = ThreadCpuSeconds();
  for (pollfd p{relay, POLLIN, 0}; poll(&p, 1, 1000) >= 0;) {
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    if (recvfrom(relay, bytes, sizeof bytes, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from),
                 &fromLength) <= 0)
      continue;
    if (g_stop) break;
    mmsghdr message[Clients] = {};
    iovec part{bytes, sizeof bytes};
    int k = 0;
    for (sockaddr_in& to : peer) {
      if (to.sin_port == from.sin_port) continue;
      message[k].msg_hdr = {&to, sizeof to, &part, 1, nullptr, 0, 0};
      ++k;
    }
    sendmmsg(relay, message, unsigned(k), 0);
    ++relayed;
  }
  double cpu = ThreadCpuSeconds() - cpu0;
  clients.join();
  close(relay);
  return cpu / std::max(relayed, 1);
}

// The PlayersPanel's share of a report, apart from the sockets: an eight-row
// panel redrawn after a height report that changes one number, and after one
// that changes nothing on the screen (the same height again).
static void PanelCost() {
  const int calls = 4000;
  for (int changing = 1; changing >= 0; --changing) {
    double cpu0 = ThreadCpuSeconds();
    for (int k = 0; k < calls; ++k) {
      if (changing) PlayerTable[1 + k % 7].height = (k / 7) % 21;
      DrawPlayersPanel();
    }
    std::printf("players panel redrawn after a report that %s: %.1f us of Server CPU\n",
                changing ? "changes a height" : "changes nothing shown",
                1e6 * (ThreadCpuSeconds() - cpu0) / calls);
  }
}

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  int rate = argc > 2 ? std::atoi(argv[2]) : 200;
  if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  PlatformStartup(argc, argv);
  ConnectLayers();
  MusicOn = SoundOn = 0;
  CreateMainWindow(100, 100);
  CreatePanelSurfaces();
  std::strcpy(Alias, "Hote");
  MaxPlayers = 8;
  NetPort = 0;  // the system picks a free port
  if (OpenServerSocket() != 0) return 1;
  g_relay = ServerAddress();
  ResetGame(true, Server);
  int fds[Clients];
  int code = 0;
  for (int i = 0; i < Clients; ++i) {
    fds[i] = socket(AF_INET, SOCK_DGRAM, 0);
    char join[8];
    std::snprintf(join, sizeof join, "CJ%d", i + 1);
    SendText(fds[i], join);
    while (HighestIndex < i + 1) RunLoopPass(&code);
  }
  // The eighth player filled the game: its match runs, the Server's own pieces falling.
  std::printf("8 players, match running: %s\n", MatchOver ? "no" : "yes");

  std::vector<double> us;
  int reports = 0;
  std::thread idle([&] {
    std::this_thread::sleep_for(std::chrono::seconds(2));
    g_stop = true;
    SendText(fds[0], "Z");
  });
  long preempted = 0;
  double idleCpu = LoopCpu(code, &preempted);
  idle.join();
  g_stop = false;
  std::thread clients([&] {
    RunClients(fds, seconds, rate, &us, &reports);
    g_stop = true;
    SendText(fds[0], "Z");
  });
  auto t0 = Clock::now();
  double cpu = LoopCpu(code, &preempted);
  double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  clients.join();

  std::printf("Server with no datagram for 2 s, its own pieces falling: CPU %.2f %% of one core\n",
              100.0 * idleCpu / 2);
  std::printf("%d height reports in %.1f s (%d a second), each relayed to %d clients\n", reports,
              wall, rate, Clients - 1);
  std::printf("arrivals: %zu of %d\n", us.size(), reports * (Clients - 1));
  std::printf("report to arrival at another client: median %.0f us, 99th percentile %.0f us, "
              "worst %.0f us\n",
              Percentile(us, 0.5), Percentile(us, 0.99), Percentile(us, 1.0));
  std::printf("Server CPU while relaying: %.2f %% of one core, %.0f us per report "
              "(relay, then the players panel redrawn)\n",
              100.0 * cpu / wall, 1e6 * cpu / std::max(reports, 1));
  double bare = BareRelayCpu(fds, seconds, rate);
  std::printf("the same reports relayed by a bare loop of system calls: %.0f us per report, "
              "the program's own share %.0f us\n",
              1e6 * bare, 1e6 * (cpu / std::max(reports, 1) - bare));
  std::printf("Server thread preempted %ld times; machine load average %.2f on %u cores\n",
              preempted, LoadAverage(), std::thread::hardware_concurrency());
  PanelCost();
  for (int fd : fds) close(fd);
  CloseNet();
  return 0;
}
