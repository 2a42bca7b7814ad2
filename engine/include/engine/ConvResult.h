// SPDX-License-Identifier: Apache-2.0
// What every conversion hands back: the converted bytes and, on request, one
// byte value per output byte.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace marlo {

// One byte of converted output. Members live contiguously inside their
// collection, so a reference to one stays valid only until the collection
// changes size.
struct byteResult {
  uint8_t Value = 0;
};
static_assert(sizeof(byteResult) == 1);

// An ordered collection of byte values with 1-based positions. Values are
// stored contiguously; a string key is kept only for members added with one.
class byteResults {
 public:
  // Appends a member; a non-empty key must be unused (std::invalid_argument).
  byteResult& Add(uint8_t Value, std::string_view sKey = {});

  // The member at a 1-based position or under a key, or nullptr.
  byteResult* Item(int32_t position);
  byteResult* Item(std::string_view sKey);
  const byteResult* Item(int32_t position) const;

  int32_t Count() const { return static_cast<int32_t>(members_.size()); }

  // Removes a member; later members move up. std::out_of_range when absent.
  void Remove(int32_t position);
  void Remove(std::string_view sKey);

  // Enumeration in position order.
  auto begin() const { return members_.begin(); }
  auto end() const { return members_.end(); }
  auto begin() { return members_.begin(); }
  auto end() { return members_.end(); }

  // All values at once, as raw bytes in position order.
  std::string_view Values() const {
    return {reinterpret_cast<const char*>(members_.data()), members_.size()};
  }
  // Same as one Add per byte with no key, without the per-byte cost.
  void AppendValues(std::string_view bytes);

 private:
  std::vector<byteResult> members_;
  std::map<std::string, size_t, std::less<>> positionByKey_;  // 0-based
};

class ConvResult {
 public:
  // The converted bytes.
  std::string strResult;

  // Created on first read; later reads return the same collection.
  const std::shared_ptr<marlo::byteResults>& byteResults();
  // Replaces the held collection; nullptr clears it.
  void setByteResults(std::shared_ptr<marlo::byteResults> collection);

 private:
  std::shared_ptr<marlo::byteResults> byteResults_;
};

}  // namespace marlo
