// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: every engine operation on arbitrary bytes. Besides the
// sanitizers' findings it traps on a broken invariant.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/ConvMarlo.h"
#include "engine/ConvStream.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using Operation = std::shared_ptr<marlo::ConvResult> (marlo::ConvMarlo::*)(std::string_view,
                                                                           bool) const;

using marlo::fuzz::Engine;
using marlo::fuzz::Require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const marlo::ConvMarlo& engine = Engine();
  const std::string input(reinterpret_cast<const char*>(data), size);
  const Operation sameLength[] = {
      &marlo::ConvMarlo::BigToGB,  &marlo::ConvMarlo::GBToBig,  &marlo::ConvMarlo::GbkToBig,
      &marlo::ConvMarlo::BigToGbk, &marlo::ConvMarlo::USCToBig, &marlo::ConvMarlo::BigToUSC,
      &marlo::ConvMarlo::GbkToUSC, &marlo::ConvMarlo::USCToGbk, &marlo::ConvMarlo::BigToCNS};
  for (Operation op : sameLength) {
    const auto plain = (engine.*op)(input, false);
    const auto withBytes = (engine.*op)(input, true);
    Require(plain->strResult.size() == size);
    Require(withBytes->strResult == plain->strResult);
    Require(withBytes->byteResults()->Values() == plain->strResult);
  }
  const Operation resizing[] = {
      &marlo::ConvMarlo::BigToUSCforWide, &marlo::ConvMarlo::GbkToUSCforWide,
      &marlo::ConvMarlo::USCToGbkforNarrow, &marlo::ConvMarlo::USCToBigforNarrow};
  for (Operation op : resizing) {
    const auto withBytes = (engine.*op)(input, true);
    Require(withBytes->byteResults()->Values() == withBytes->strResult);
    (void)engine.USCToWebContent(withBytes);
  }
  // Streamed in pieces whose sizes come from the input itself, every
  // operation gives the bytes of its whole conversion.
  using enum marlo::Operation;
  const marlo::Operation streamed[] = {BigToGB,         GBToBig,           GbkToBig,
                                       USCToGbk,        BigToCNS,          BigToUSCforWide,
                                       GbkToUSCforWide, USCToGbkforNarrow, USCToBigforNarrow,
                                       BigToGBPhrases,  GBToBigPhrases,    GbkCharactersToBig};
  for (const marlo::Operation operation : streamed) {
    marlo::ConvStream stream(engine, {operation});
    std::string out;
    size_t at = 0;
    for (size_t k = 0; at < size; ++k) {
      const size_t piece = 1 + data[k % size] % 97;
      out += stream.Feed(std::string_view(input).substr(at, piece), false);
      at += piece;
    }
    out += stream.Feed("", true);
    Require(out == engine.Run(operation, input)->strResult);
    // And the same characters counted as replaced.
    marlo::ConvStream whole(engine, {operation});
    (void)whole.Feed(input, true);
    Require(stream.replaced() == whole.replaced());
  }

  std::string big = input, gb = input;
  engine.BigToSpcBig(big);
  engine.BigToSpcGB(gb);
  (void)engine.BigInSpc(input);
  (void)engine.GBInSpc(input);
  return 0;
}
