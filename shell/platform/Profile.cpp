// Profile files edited line by line, so that comments, blank lines and foreign bytes survive.
#include "shell/platform/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// One line of the file without its end, and the end it had ("\r\n", "\n", or none for a last
// line without one), so that a rewrite gives back every line it did not change byte for byte.
struct ProfileLine {
  std::string text;
  std::string end;
};

// Where a section and a key were found; -1 when missing.
struct ProfileSpot {
  int header = -1;      // the section's "[...]" line
  int lastFilled = -1;  // its last line that is not blank
  int key = -1;         // the key's line
  size_t valueAt = 0;   // where the key's value starts in that line
};

// Blanks as the platform's reader sees them; bytes 0x80..0xFF are letters of Windows-1252.
static bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

static std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

static char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

static bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// True for a "[name]" line; the name is what lies between "[" and the last "]", trimmed.
static bool SectionHeader(std::string_view line, std::string_view* name) {
  line = Trim(line);
  size_t close = line.rfind(']');
  if (line.empty() || line.front() != '[' || close == std::string_view::npos) return false;
  *name = Trim(line.substr(1, close - 1));
  return true;
}

// True for a "key=value" line; a comment line is a key no one asks for and needs no rule.
static bool KeyLine(std::string_view line, std::string_view* key, size_t* valueAt) {
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  *key = Trim(line.substr(0, equals));
  // Blanks before an old value stay when it is replaced; blanks with no value after them go.
  size_t at = equals + 1;
  while (at < line.size() && IsBlank(line[at])) ++at;
  *valueAt = at < line.size() ? at : equals + 1;
  return true;
}

static std::vector<ProfileLine> SplitLines(const std::string& text) {
  std::vector<ProfileLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t stop = nl == std::string::npos ? text.size() : nl;
    ProfileLine line{text.substr(start, stop - start), nl == std::string::npos ? "" : "\n"};
    if (!line.end.empty() && !line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.end = "\r\n";
    }
    lines.push_back(std::move(line));
    start = stop + 1;
  }
  return lines;
}

// The first section of that name wins, and within it the first key, for reads and writes alike.
static ProfileSpot FindKey(const std::vector<ProfileLine>& lines, const char* section,
                           const char* key) {
  ProfileSpot spot;
  for (int i = 0; i < int(lines.size()); ++i) {
    std::string_view name, k;
    size_t at = 0;
    if (SectionHeader(lines[i].text, &name)) {
      if (spot.header >= 0) break;
      if (SameName(name, Trim(section))) spot.header = spot.lastFilled = i;
    } else if (spot.header >= 0) {
      if (!Trim(lines[i].text).empty()) spot.lastFilled = i;
      if (spot.key < 0 && KeyLine(lines[i].text, &k, &at) && SameName(k, Trim(key))) {
        spot.key = i;
        spot.valueAt = at;
      }
    }
  }
  return spot;
}

// The whole file, or false when it cannot be read (errno tells why).
static bool LoadFile(const char* path, std::string* text) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text->append(chunk, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) errno = EIO;
  return ok;
}

// Drops a pair of matching quotes around a value, as the platform's reader does.
static std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

int ReadProfileString(const char* section, const char* key, const char* def, char* out, int size,
                      const char* path) {
  if (size <= 0) return 0;
  std::string text;
  std::vector<ProfileLine> lines;
  if (LoadFile(path, &text)) lines = SplitLines(text);
  ProfileSpot spot = FindKey(lines, section, key);
  std::string_view value = def ? def : "";
  if (spot.key >= 0) {
    value = Unquote(Trim(std::string_view(lines[spot.key].text).substr(spot.valueAt)));
  }
  size_t n = std::min(value.size(), size_t(size - 1));
  std::memcpy(out, value.data(), n);
  out[n] = 0;
  return int(n);
}

// The mode the new file gets: the old file's, or what the user's umask allows a new file.
static mode_t FileMode(const char* path) {
  struct stat st;
  if (stat(path, &st) == 0) return st.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

static bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

// Writes a sibling file, flushes it to the disk, then renames it over the old one: a crash at
// any moment leaves either the old file or the new one, never a cut one.
static int ReplaceFile(const char* path, const std::string& text) {
  std::string temp = std::string(path) + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return -1;
  bool ok = fchmod(fd, FileMode(path)) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && std::rename(temp.c_str(), path) == 0) return 0;
  unlink(temp.c_str());
  return -1;
}

// New lines follow the file's own line ends; a new file gets the system's LF.
static std::string LineEnd(const std::vector<ProfileLine>& lines) {
  for (const ProfileLine& l : lines) {
    if (!l.end.empty()) return l.end;
  }
  return "\n";
}

static void InsertLine(std::vector<ProfileLine>* lines, int at, std::string text,
                       const std::string& end) {
  if (at > 0 && (*lines)[at - 1].end.empty()) (*lines)[at - 1].end = end;
  lines->insert(lines->begin() + at, ProfileLine{std::move(text), end});
}

static void SetKey(std::vector<ProfileLine>* lines, const char* section, const char* key,
                   std::string_view value) {
  ProfileSpot spot = FindKey(*lines, section, key);
  std::string end = LineEnd(*lines);
  std::string keyLine = std::string(Trim(key)) + "=" + std::string(value);
  if (spot.key >= 0) {
    std::string& text = (*lines)[spot.key].text;
    text.replace(spot.valueAt, std::string::npos, value);
  } else if (spot.header >= 0) {
    InsertLine(lines, spot.lastFilled + 1, keyLine, end);
  } else {
    InsertLine(lines, int(lines->size()), "[" + std::string(Trim(section)) + "]", end);
    InsertLine(lines, int(lines->size()), keyLine, end);
  }
}

int WriteProfileString(const char* section, const char* key, const char* value, const char* path) {
  std::string text;
  // A file that exists but cannot be read is left alone rather than replaced by one key.
  if (!LoadFile(path, &text) && errno != ENOENT) return -1;
  std::vector<ProfileLine> lines = SplitLines(text);
  // A line break in a value would smuggle in lines of its own, even whole sections.
  std::string_view v = value ? value : "";
  v = v.substr(0, v.find_first_of("\r\n"));
  SetKey(&lines, section, key, v);
  std::string out;
  for (const ProfileLine& l : lines) out += l.text + l.end;
  return ReplaceFile(path, out);
}
