#include <cstdio>
#include <cstring>

#include "tegolux.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("tegolux %s\n", TEGOLUX_VERSION_STRING);
    return 0;
  }
  std::printf("Usage: tegolux <command>\n");
  return 0;
}
