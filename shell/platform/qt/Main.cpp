// Program entry until the window exists.
#include <cstdio>

int main() {
  std::puts("Ploxen: the rules are in place; the game window comes next.");
  return 0;
}
