// The engine from C++: the breaking point of a wave, its state at a chosen
// depth, and the codes that say why a calculation stopped.
//
//   build/examples/engine_example
//
// Built with the rest of the tree, and against an installed libsaiha alone:
//   cmake -S examples/engine_example -B example-build -DCMAKE_PREFIX_PATH=PREFIX
//   g++ -std=c++20 examples/engine_example.cpp $(pkg-config --cflags --libs saiha)
#include <cstdio>
#include <string>

#include <saiha/report/messages.h>
#include <saiha/runtime/text.h>
#include <saiha/shore/engine.h>

int main() {
  using namespace saiha;
  // Ho = 1 m, T = 10 s, αo = 30° on a beach of slope 1/60.
  const shore::Wave wave{1, 10, 30, 60};
  const shore::Breaking b = shore::findBreaking(wave);
  if (!b.ok()) {
    std::puts(report::errorText(b.error).c_str());
    return 1;
  }
  const shore::State s = shore::stateAt(b, 5.0);  // at 5 m
  const std::string line = "Hb " + rt::formatResult(b.Hb) + " m at hb " +
                           rt::formatResult(b.hb) + " m; at h = 5 m: H " +
                           rt::formatResult(s.H) + " m, L " + rt::formatResult(s.L) + " m";
  std::puts(line.c_str());

  // A refused input is a code, never an exception.
  const shore::Breaking bad = shore::findBreaking({1, 10, 90, 60});
  return bad.error == shore::Error::InvalidAngle ? 0 : 1;
}
