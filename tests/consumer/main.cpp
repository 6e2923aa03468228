// Uses the engine the way a host does: through the umbrella header and the CMake target only.
#include <cstdio>

#include "tegolux.h"

int main() {
  Curve3D entity;
  std::printf("consumer linked tegolux, tolerance %g\n", kSnapTolerance);
  return 0;
}
