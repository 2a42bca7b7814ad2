// SPDX-License-Identifier: Apache-2.0
#include "engine/ConvStream.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <exception>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <thread>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marlo {

size_t WholeCharacterPrefix(CharacterParse parse, std::string_view bytes) {
  // Under every parse a byte 0x01..0x7E never starts a pair, so the second
  // of two such bytes in a row is a whole character: cut right after it.
  constexpr size_t kLookBack = 256;
  for (size_t p = bytes.size(); p >= 2 && bytes.size() - p < kLookBack; --p)
    if (IsSingleByte(uint8_t(bytes[p - 1])) && IsSingleByte(uint8_t(bytes[p - 2]))) return p;
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i + 1 < n) i += StartsPair(parse, s[i], s[i + 1]) ? 2 : 1;
  if (i == n - 1 && MayStartPair(parse, s[i])) return i;
  return n;
}

// A growing output buffer that is never cleared: converted bytes overwrite it.
class OutputBuffer {
 public:
  uint8_t* Reserve(size_t size) {
    if (size > capacity_) {
      bytes_.reset(new uint8_t[size]);
      capacity_ = size;
    }
    return bytes_.get();
  }
  std::string_view View(size_t size) const {
    return {reinterpret_cast<const char*>(bytes_.get()), size};
  }

 private:
  std::unique_ptr<uint8_t[]> bytes_;
  size_t capacity_ = 0;
};

namespace {

// Where a phrase step's text can be cut so that the parts convert apart
// to the bytes the whole gives: right after a byte below 0x40, which under
// both phrase parses is a character of its own and which no phrase holds.
// The cuts fall about every kPart bytes (small enough that the 32 KiB
// pieces of UTF-8 input are shared too); a text with no such byte for long
// keeps its parts longer.
constexpr size_t kPart = size_t(1) << 13;
size_t CutIntoParts(std::string_view text, std::vector<size_t>& ends) {
  ends.clear();
  size_t begin = 0;
  while (text.size() - begin > 2 * kPart) {
    size_t p = begin + kPart;
    const size_t least = begin + kPart / 2;
    while (p > least && uint8_t(text[p - 1]) >= 0x40) --p;
    if (p == least) {  // none near: the first one after
      p = begin + kPart;
      while (p < text.size() && uint8_t(text[p - 1]) >= 0x40) ++p;
      if (p == text.size()) break;
    }
    ends.push_back(p);
    begin = p;
  }
  ends.push_back(text.size());
  return ends.size();
}

// One turn of a wait spent awake, easy on a processor's other thread.
inline void Relax() {
#if defined(__SSE2__)
  _mm_pause();
#endif
}

// Waits awake for what the other thread is about to finish; only where it
// seems to have lost its processor (to a third thread, say) does it give
// up the turn.
template <typename Done>
void WaitFor(Done done) {
  for (unsigned k = 0; !done(); ++k) {
    Relax();
    if (k >= 4096) std::this_thread::yield();
  }
}

}  // namespace

// The parts of one phrase step's piece, taken by the stream's thread and
// the helper alike, whichever is free: neither waits on the other for
// more than a part.
struct ConvStream::Parts {
  const ConvMarlo* engine = nullptr;
  const ConversionStep* step = nullptr;
  std::string_view text;
  bool last = false;
  std::vector<size_t> ends;    // of each part in text
  std::vector<size_t> starts;  // of each part's room in output
  std::vector<size_t> rooms;   // and its size
  std::vector<size_t> sizes, consumed;
  std::vector<uint64_t> replaced;
  std::vector<std::exception_ptr> errors;
  uint8_t* output = nullptr;
  std::atomic<size_t> next{0}, done{0};

  // Converts parts until none is left to take.
  void Work() {
    for (size_t j; (j = next.fetch_add(1, std::memory_order_relaxed)) < ends.size();) {
      const size_t begin = j == 0 ? 0 : ends[j - 1];
      try {
        int pending = -1;
        // A part but the last ends where no phrase can go on: it is whole.
        sizes[j] = engine->RunStep(*step, text.substr(begin, ends[j] - begin), output + starts[j],
                                   rooms[j], pending, last || j + 1 < ends.size(), consumed[j],
                                   replaced[j]);
      } catch (...) {
        errors[j] = std::current_exception();
      }
      done.fetch_add(1, std::memory_order_release);
    }
  }
};

// A second thread for the stream's life: starting one a piece would cost
// about as much as the piece. Between pieces it waits a while awake, as
// the next comes within microseconds and waking a sleeping thread takes
// longer than that on a virtual machine (measured: with sleeps between
// pieces two threads were slower than one); then it sleeps.
class ConvStream::Helper {
 public:
  Helper() : thread_([this] { Loop(); }) {}
  ~Helper() {
    work_.store(&stopping_);
    work_.notify_one();
    thread_.join();
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;

  // Works on the parts until they are all done, the helper beside.
  void Convert(Parts& parts) {
    parts.next.store(0, std::memory_order_relaxed);
    parts.done.store(0, std::memory_order_relaxed);
    work_.store(&parts);
    work_.notify_one();
    parts.Work();
    WaitFor([&] { return parts.done.load(std::memory_order_acquire) == parts.ends.size(); });
    // Taken back if the helper never came to it; else it may still be
    // looking at the parts' counter, and lets go at once.
    Parts* offered = &parts;
    if (!work_.compare_exchange_strong(offered, nullptr)) WaitFor([&] { return !helping_.load(); });
  }

 private:
  void Loop() {
    using Clock = std::chrono::steady_clock;
    for (;;) {
      const auto awake = Clock::now() + std::chrono::microseconds(200);
      for (unsigned k = 1; work_.load() == nullptr; ++k) {
        Relax();
        if (k % 64 == 0 && Clock::now() > awake) work_.wait(nullptr);
      }
      helping_.store(true);
      Parts* parts = work_.exchange(nullptr);
      if (parts == &stopping_) return;
      if (parts != nullptr) parts->Work();
      helping_.store(false);
    }
  }

  std::atomic<Parts*> work_{nullptr};
  std::atomic<bool> helping_{false};
  Parts stopping_;
  std::thread thread_;  // last: it starts once the rest is in place
};

struct ConvStream::Step {
  ConversionStep conversion;
  int pendingByte = -1;  // the widening step's byte that waits for a partner
  std::string pending;   // input bytes held back for the next piece
  std::string joined;    // pending bytes and the next piece
  OutputBuffer output;
};

ConvStream::ConvStream(const ConvMarlo& engine, const std::vector<Operation>& operations,
                       bool secondThread)
    : engine_(engine),
      secondThread_(secondThread),
      parts_(secondThread ? std::make_unique<Parts>() : nullptr) {
  for (Operation operation : operations)
    for (const ConversionStep& conversion : StepsOf(operation))
      steps_.push_back({conversion, -1, {}, {}, {}});
}

ConvStream::~ConvStream() = default;

std::string_view ConvStream::Feed(std::string_view piece, bool last) {
  std::string_view input = piece;
  for (Step& step : steps_) {
    std::string_view text = input;
    if (!step.pending.empty()) {
      step.joined.assign(step.pending);
      step.joined.append(input);
      text = step.joined;
    }
    const size_t cut = last ? text.size() : WholeCharacterPrefix(step.conversion.parse, text);
    const std::string_view whole = text.substr(0, cut);
    size_t consumed = 0, size = 0;
    if (secondThread_ && step.conversion.kind == StepKind::kPhrases &&
        CutIntoParts(whole, parts_->ends) > 1 && (helper_ || StartHelper())) {
      size = RunInParts(step, whole, last, consumed);
    } else {
      const size_t room = step.conversion.MaxOutput(whole.size());
      uint8_t* out = step.output.Reserve(room);
      size = engine_.RunStep(step.conversion, whole, out, room, step.pendingByte, last, consumed,
                             replaced_);
    }
    step.pending.assign(text.substr(consumed));
    input = step.output.View(size);
  }
  return input;
}

bool ConvStream::StartHelper() {
  try {
    helper_ = std::make_unique<Helper>();
    return true;
  } catch (const std::system_error&) {  // no thread to be had: one will do
    secondThread_ = false;
    return false;
  }
}

size_t ConvStream::RunInParts(Step& step, std::string_view text, bool last, size_t& consumed) {
  Parts& parts = *parts_;
  parts.engine = &engine_;
  parts.step = &step.conversion;
  parts.text = text;
  parts.last = last;
  const size_t count = parts.ends.size();
  parts.starts.resize(count);
  parts.rooms.resize(count);
  size_t room = 0;
  for (size_t j = 0; j < count; ++j) {
    parts.starts[j] = room;
    const size_t length = parts.ends[j] - (j == 0 ? 0 : parts.ends[j - 1]);
    parts.rooms[j] = (step.conversion.MaxOutput(length) + 63) & ~size_t(63);
    room += parts.rooms[j];
  }
  parts.sizes.assign(count, 0);
  parts.consumed.assign(count, 0);
  parts.replaced.assign(count, 0);
  parts.errors.assign(count, nullptr);
  parts.output = step.output.Reserve(room);
  helper_->Convert(parts);
  for (const std::exception_ptr& error : parts.errors)
    if (error) std::rethrow_exception(error);
  // The parts' bytes closed up behind the first's, which is in place.
  size_t size = parts.sizes[0];
  for (size_t j = 1; j < count; ++j) {
    std::memmove(parts.output + size, parts.output + parts.starts[j], parts.sizes[j]);
    size += parts.sizes[j];
  }
  consumed = parts.ends[count - 2] + parts.consumed[count - 1];
  for (const uint64_t replaced : parts.replaced) replaced_ += replaced;
  return size;
}

}  // namespace marlo
