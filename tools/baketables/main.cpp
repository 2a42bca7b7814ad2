// SPDX-License-Identifier: Apache-2.0
// Works the engine's tables out from the five table resources and writes
// them as the engine reads them. Runs at build time on the build machine,
// so the tables are in that machine's byte order.
//
//   marlo_bake_tables OUTPUT RESOURCE_101 RESOURCE_102 ... RESOURCE_105
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <vector>

#include "engine/src/BakedTables.h"

namespace {

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read ") + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::cerr << "usage: marlo_bake_tables OUTPUT RESOURCE_101 ... RESOURCE_105\n";
    return 2;
  }
  try {
    std::vector<uint8_t> files[5];
    std::span<const uint8_t> resources[5];
    for (int i = 0; i < 5; ++i) {
      files[i] = ReadFile(argv[2 + i]);
      resources[i] = files[i];
    }
    const auto tables = marlo::BuildTables(resources);
    const std::string temporary = std::string(argv[1]) + ".part";
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(tables.get()), sizeof(marlo::BakedTables));
      if (!out.flush()) throw std::runtime_error("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), argv[1]) != 0)
      throw std::runtime_error(std::string("cannot write ") + argv[1]);
  } catch (const std::exception& e) {
    std::cerr << "marlo_bake_tables: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
