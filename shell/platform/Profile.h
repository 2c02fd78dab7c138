// Profile files: "[section]" lines followed by "key=value" lines, read and written key by key.
#pragma once

// Copies the value of key in section of the file at path into out, or def (nullptr: "") when
// the file, the section or the key is missing; names match in any ASCII case, blanks around
// the value and one pair of matching quotes around it are dropped; the text is cut to
// size - 1 bytes and NUL-terminated. Returns the number of bytes copied.
int ReadProfileString(const char* section, const char* key, const char* def, char* out, int size,
                      const char* path);

// Sets key in section to value (cut at its first line break), adding the file, the section at
// its end or the key at the end of its section when missing; every other byte of the file stays.
// The file is replaced whole, so it is never left half written. Returns 0, or -1 on failure.
int WriteProfileString(const char* section, const char* key, const char* value, const char* path);
