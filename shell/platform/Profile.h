// Profile files: "[section]" lines followed by "key=value" lines, read and written key by key.
#pragma once
#include <cstddef>

// Copies the value of key in section of the file at path into out, or def (nullptr: "") when
// the file, the section or the key is missing; names match in any ASCII case, blanks around
// the value and one pair of matching quotes around it are dropped; the text is cut to
// size - 1 bytes and NUL-terminated. Returns the number of bytes copied.
int ReadProfileString(const char* section, const char* key, const char* def, char* out, int size,
                      const char* path);

// Sets key in section to value (cut at its first line break), adding the file, the section at
// its end or the key at the end of its section when missing; every other byte of the file stays.
// A link's target is written. The file is never left half written; an unchanged value costs no
// disk access. A file that may not be written stays as it is and -1 is returned, yet reads go on
// seeing the value until the file changes on the disk. Returns 0, or -1 on failure.
int WriteProfileString(const char* section, const char* key, const char* value, const char* path);

// Until the matching release, writes change only the copy in memory, which reads see; the last
// release writes each changed file once. Returns 0, or -1 when a file could not be written.
void HoldProfileWrites();
int ReleaseProfileWrites();

// Replaces the whole file at path (a link's target) by size bytes of text, never leaving it cut;
// a file that may not be written stays as it is. Returns 0, or -1.
int ReplaceFileText(const char* path, const char* text, size_t size);

// Removes what a write to the file at path left behind when the program was killed during it.
void RemoveUnfinishedWrite(const char* path);
