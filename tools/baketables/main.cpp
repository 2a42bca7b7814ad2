// SPDX-License-Identifier: Apache-2.0
// Works the engine's tables out from the resources and writes them as the
// engine reads them. Runs at build time on the build machine, so the
// tables are in that machine's byte order.
//
//   marlo_bake_tables OUTPUT RESOURCE_101 RESOURCE_102 ... RESOURCE_105 RESOURCE_109
//   marlo_bake_tables --phrases OUTPUT PHRASE_RESOURCE
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "engine/src/BakedTables.h"
#include "engine/src/PhraseTable.h"

namespace {

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read ") + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Written beside the output and renamed over it: a build stopped halfway
// leaves no partial table for the next one to link in.
void WriteFile(const char* path, const void* data, size_t size) {
  const std::string temporary = std::string(path) + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    if (!out.flush()) throw std::runtime_error("cannot write " + temporary);
  }
  if (std::rename(temporary.c_str(), path) != 0)
    throw std::runtime_error(std::string("cannot write ") + path);
}

}  // namespace

int main(int argc, char** argv) {
  const bool phrases = argc > 1 && std::strcmp(argv[1], "--phrases") == 0;
  if (phrases ? argc != 4 : argc != 8) {
    std::cerr << "usage: marlo_bake_tables OUTPUT RESOURCE_101 ... RESOURCE_105 RESOURCE_109\n"
                 "       marlo_bake_tables --phrases OUTPUT PHRASE_RESOURCE\n";
    return 2;
  }
  try {
    if (phrases) {
      const std::vector<uint8_t> resource = ReadFile(argv[3]);
      const std::vector<uint8_t> image = marlo::PhraseTable(resource).Image();
      WriteFile(argv[2], image.data(), image.size());
      return 0;
    }
    std::vector<uint8_t> files[6];
    std::span<const uint8_t> resources[6];
    for (int i = 0; i < 6; ++i) {
      files[i] = ReadFile(argv[2 + i]);
      resources[i] = files[i];
    }
    const auto tables = marlo::BuildTables(resources);
    WriteFile(argv[1], tables.get(), sizeof(marlo::BakedTables));
  } catch (const std::exception& e) {
    std::cerr << "marlo_bake_tables: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
