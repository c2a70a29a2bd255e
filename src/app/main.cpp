#include <cstdio>

int main() {
  std::puts("nxui");
  return 0;
}
