// What the first row of a run costs over the rows after it: the breaking
// point of one wave through the side-by-side engine (shore::findBreaking
// over a span), timed the first time in this process and then again.
// Prints both in microseconds; run it a few times for its spread, e.g.
//   for i in $(seq 20); do build/bench/saiha-bench-first-row; done
#include <chrono>
#include <cstdio>

#include "shore/engine.h"

int main() {
  using Clock = std::chrono::steady_clock;
  using saiha::shore::Breaking;
  using saiha::shore::Wave;
  const Wave wave{1, 10, 30, 60};
  Breaking out[1];
  double microseconds[2];
  for (double& elapsed : microseconds) {
    const auto start = Clock::now();
    saiha::shore::findBreaking({&wave, 1}, out);
    elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  }
  std::printf("first row %.1f us, next row %.1f us\n", microseconds[0], microseconds[1]);
  return out[0].error == saiha::shore::Error::None ? 0 : 1;
}
