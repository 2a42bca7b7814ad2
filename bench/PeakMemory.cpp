// SPDX-License-Identifier: Apache-2.0
// Peak memory of one conversion beyond the input and the tables, as a
// multiple of the input size. Reads the kernel's high-water mark of resident
// memory before and after the conversion.
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/SampleText.h"
#include "engine/ConvMarlo.h"

namespace {

long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool returnBytes = argc > 1 && std::string(argv[1]) == "--return-bytes";
  marlo::ConvMarlo engine;
  engine.InitMe();
  const std::string input = marlo::bench::MakeBig5Prose(engine, 64 << 20);
  std::ofstream("/proc/self/clear_refs") << "5";  // reset the high-water mark
  const long before = StatusKiB("VmRSS:");
  const auto result = engine.BigToGB(input, returnBytes);
  const long peak = StatusKiB("VmHWM:");
  std::printf("BigToGB on %zu MiB (IsReturnbyte %s): peak %.2f x input beyond input and tables\n",
              input.size() >> 20, returnBytes ? "true" : "false",
              double(peak - before) * 1024.0 / double(input.size()));
  return result->strResult.size() == input.size() ? 0 : 1;
}
