// SPDX-License-Identifier: Apache-2.0
// Each type's output on two real texts, committed (tests/golden, made by
// its make.sh): a change of any table cell those texts meet shows here, and
// in the diff of the regenerated outputs.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "batch/ConversionPipeline.h"
#include "batch/ConversionTypes.h"
#include "engine/ConvMarlo.h"

namespace marlo {
namespace {

const std::string kGolden = std::string(MARLO_SOURCE_DIR) + "/tests/golden/";

std::string Read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(GoldenOutputs, EveryTypeWritesItsCommittedOutput) {
  ConvMarlo engine;
  engine.InitMe();
  std::istringstream manifest(Read(kGolden + "manifest.txt"));
  int checked = 0;
  for (std::string line; std::getline(manifest, line);) {
    std::istringstream fields(line);
    std::string typeName, input, output, option;
    fields >> typeName >> input >> output >> option;
    const std::optional<ConvType> type = FindConversionType(typeName);
    ASSERT_TRUE(type) << line;
    ConversionPipeline pipeline(engine, *type, TextEnds{}, false, false, option == "--phrases");
    const std::string converted(pipeline.Feed(Read(kGolden + "input/" + input), true));
    const std::string expected = Read(kGolden + output);
    ASSERT_EQ(converted.size(), expected.size()) << line;
    for (size_t at = 0; at < expected.size(); ++at)
      ASSERT_EQ(converted[at], expected[at]) << line << ": first difference at byte " << at;
    ++checked;
  }
  EXPECT_EQ(checked, kConversionTypeCount + 3);  // and the three with phrases
}

}  // namespace
}  // namespace marlo
