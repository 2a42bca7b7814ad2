// libFuzzer target: every engine operation on arbitrary bytes. Besides the
// sanitizers' findings it traps on a broken invariant.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ConvMarlo.h"

namespace {

using Operation = std::shared_ptr<marlo::ConvResult> (marlo::ConvMarlo::*)(std::string_view,
                                                                           bool) const;

const marlo::ConvMarlo& Engine() {
  static const marlo::ConvMarlo* engine = [] {
    auto* e = new marlo::ConvMarlo;
    e->InitMe();
    return e;
  }();
  return *engine;
}

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

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
  std::string big = input, gb = input;
  engine.BigToSpcBig(big);
  engine.BigToSpcGB(gb);
  (void)engine.BigInSpc(input);
  (void)engine.GBInSpc(input);
  return 0;
}
