// Profile files edited line by line, so that comments, blank lines and foreign bytes survive.
#include "shell/platform/Profile.h"

#include <fcntl.h>
#include <sys/types.h>
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
  // A "key = value" layout keeps its blanks when the value is replaced, as many after the "="
  // as stand before it; other blanks before a value are no part of it and go.
  size_t before = 0, at = equals + 1;
  while (before < equals && IsBlank(line[equals - 1 - before])) ++before;
  while (at < line.size() && at - equals - 1 < before && IsBlank(line[at])) ++at;
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
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text->append(chunk, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) errno = EIO;
  return ok;
}

// A link's target, followed link by link, each relative to the link's own directory; the path
// itself when it is no link or does not exist.
static std::string FollowLinks(const std::string& path) {
  std::string at = path;
  char cwd[4096];
  if (at[0] != '/' && getcwd(cwd, sizeof cwd)) at = std::string(cwd) + "/" + at;
  for (int hops = 0; hops < 40; ++hops) {
    char to[4096];
    ssize_t n = readlink(at.c_str(), to, sizeof to - 1);
    if (n < 0) return at;
    std::string next(to, size_t(n));
    size_t slash = at.rfind('/');
    if (next[0] != '/' && slash != std::string::npos) next.insert(0, at, 0, slash + 1);
    at = next;
  }
  return at;  // a loop: still a link, which nothing replaces
}

// The replacement is made beside the file under this one name: a write cut short leaves at most
// this file, which the next write reuses and the next start removes.
static std::string TemporaryName(const std::string& target) { return target + ".tmp"; }

static bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// A profile file as last read or written, kept so that neither a read nor an unchanged write
// goes to the disk; read again when the file on the disk changes.
struct CachedFile {
  std::string target;      // the file itself, links followed
  bool exists = false;
  struct stat seen {};      // the file on the disk as it was last read or written
  std::vector<ProfileLine> lines;
  bool changed = false;     // lines hold writes the disk has not had yet
};

static std::vector<CachedFile> Files;
static int Holds = 0;

// The file's lines, read again when the disk holds another version; false when it exists but
// cannot be read. Changes the disk has not taken (held, or refused) stay until the file changes.
static CachedFile* Cached(const char* path) {
  std::string target = FollowLinks(path);
  CachedFile* f = nullptr;
  for (CachedFile& c : Files)
    if (c.target == target) f = &c;
  struct stat st;
  bool exists = stat(target.c_str(), &st) == 0;
  if (f && f->exists == exists && (!exists || SameFile(f->seen, st))) return f;
  if (f && f->changed && Holds > 0) return f;
  std::string text;
  if (exists && !LoadFile(target.c_str(), &text)) return nullptr;
  if (!exists && errno != ENOENT) return nullptr;
  if (!f) f = &Files.emplace_back();
  f->target = target;
  f->exists = exists;
  f->seen = st;
  f->lines = SplitLines(text);
  f->changed = false;
  return f;
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
  CachedFile* f = Cached(path);
  static const std::vector<ProfileLine> none;
  const std::vector<ProfileLine>& lines = f ? f->lines : none;
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
static mode_t FileMode(const struct stat* old) {
  if (old) return old->st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

static bool WriteAll(int fd, const char* text, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = write(fd, text + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

// A file that is there must be a plain file that this user may write and that is not marked
// read-only; a missing one is created.
static bool MayReplace(const std::string& target, struct stat* st, bool* exists) {
  struct stat link;
  if (lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) return false;  // a link loop
  *exists = stat(target.c_str(), st) == 0;
  if (!*exists) return errno == ENOENT;
  return S_ISREG(st->st_mode) && (st->st_mode & 0222) != 0 && access(target.c_str(), W_OK) == 0;
}

// Writes the fixed sibling file, flushes it to the disk, then renames it over the target: a
// crash at any moment leaves either the old file or the new one, never a cut one. A link is
// kept and its target replaced; a file that may not be written is left as it is.
static int ReplaceTarget(const std::string& target, const char* text, size_t size,
                         struct stat* after) {
  struct stat old;
  bool exists = false;
  if (!MayReplace(target, &old, &exists)) return -1;
  std::string temp = TemporaryName(target);
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  bool ok = fchmod(fd, FileMode(exists ? &old : nullptr)) == 0 && WriteAll(fd, text, size) &&
            fsync(fd) == 0 && fstat(fd, after) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && std::rename(temp.c_str(), target.c_str()) == 0) return 0;
  unlink(temp.c_str());
  return -1;
}

int ReplaceFileText(const char* path, const char* text, size_t size) {
  struct stat after;
  return ReplaceTarget(FollowLinks(path), text, size, &after);
}

void RemoveUnfinishedWrite(const char* path) {
  unlink(TemporaryName(FollowLinks(path)).c_str());
}

// A change that keeps the file's length and lies within one 512-byte sector is written where
// it stands: a sector is written whole or not at all, so the file is never cut, and the cost
// does not grow with the file.
static bool WriteInPlace(CachedFile* f, size_t at, const std::string& bytes) {
  if (bytes.empty() || at / 512 != (at + bytes.size() - 1) / 512) return false;
  struct stat st;
  bool exists = false;
  if (!MayReplace(f->target, &st, &exists) || !exists || !SameFile(st, f->seen)) return false;
  int fd = open(f->target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = pwrite(fd, bytes.data(), bytes.size(), off_t(at)) == ssize_t(bytes.size()) &&
            fdatasync(fd) == 0 && fstat(fd, &f->seen) == 0;
  ok = close(fd) == 0 && ok;
  return ok;
}

static int WriteWhole(CachedFile* f) {
  std::string out;
  for (const ProfileLine& l : f->lines) out += l.text + l.end;
  struct stat after;
  if (ReplaceTarget(f->target, out.data(), out.size(), &after) != 0) return -1;
  f->exists = true;
  f->seen = after;
  return 0;
}

void HoldProfileWrites() { ++Holds; }

int ReleaseProfileWrites() {
  if (Holds > 0 && --Holds > 0) return 0;
  int result = 0;
  for (CachedFile& f : Files) {
    if (!f.changed) continue;
    if (WriteWhole(&f) != 0) result = -1;
    else f.changed = false;
  }
  return result;
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

// Where a line starts in the file.
static size_t LineOffset(const std::vector<ProfileLine>& lines, int line) {
  size_t at = 0;
  for (int i = 0; i < line; ++i) at += lines[i].text.size() + lines[i].end.size();
  return at;
}

int WriteProfileString(const char* section, const char* key, const char* value, const char* path) {
  // A file that exists but cannot be read is left alone rather than replaced by one key.
  CachedFile* f = Cached(path);
  if (!f) return -1;
  // A line break in a value would smuggle in lines of its own, even whole sections.
  std::string_view v = value ? value : "";
  v = v.substr(0, v.find_first_of("\r\n"));
  ProfileSpot spot = FindKey(f->lines, section, key);
  std::string before = spot.key >= 0 ? f->lines[spot.key].text : "";
  SetKey(&f->lines, section, key, v);
  // Nothing to write, though a change the disk refused earlier is still not on it.
  if (spot.key >= 0 && f->lines[spot.key].text == before) return f->changed && !Holds ? -1 : 0;
  bool wasChanged = f->changed;
  f->changed = true;
  if (Holds > 0) return 0;
  // Only a changed value of the same length can go in place; its bytes from the value's start.
  if (!wasChanged && spot.key >= 0 && f->lines[spot.key].text.size() == before.size()) {
    size_t from = spot.valueAt;
    const std::string& now = f->lines[spot.key].text;
    while (from < now.size() && now[from] == before[from]) ++from;
    size_t to = now.size();
    while (to > from && now[to - 1] == before[to - 1]) --to;
    if (WriteInPlace(f, LineOffset(f->lines, spot.key) + from, now.substr(from, to - from))) {
      f->changed = false;
      return 0;
    }
  }
  if (WriteWhole(f) != 0) return -1;
  f->changed = false;
  return 0;
}
