// SPDX-License-Identifier: Apache-2.0
#include "engine/ConvResult.h"

#include <cstring>
#include <stdexcept>

namespace marlo {

byteResult& byteResults::Add(uint8_t Value, std::string_view sKey) {
  if (!sKey.empty()) {
    const auto [it, inserted] = positionByKey_.try_emplace(std::string(sKey), members_.size());
    if (!inserted) throw std::invalid_argument("byteResults: key already in use: " + it->first);
  }
  return members_.emplace_back(byteResult{Value});
}

byteResult* byteResults::Item(int32_t position) {
  if (position < 1 || position > Count()) return nullptr;
  return &members_[size_t(position - 1)];
}

const byteResult* byteResults::Item(int32_t position) const {
  return const_cast<byteResults*>(this)->Item(position);
}

byteResult* byteResults::Item(std::string_view sKey) {
  const auto it = positionByKey_.find(sKey);
  return it == positionByKey_.end() ? nullptr : &members_[it->second];
}

void byteResults::Remove(int32_t position) {
  if (position < 1 || position > Count())
    throw std::out_of_range("byteResults: no member at position " + std::to_string(position));
  const size_t removed = size_t(position - 1);
  members_.erase(members_.begin() + std::ptrdiff_t(removed));
  for (auto it = positionByKey_.begin(); it != positionByKey_.end();) {
    if (it->second == removed) {
      it = positionByKey_.erase(it);
      continue;
    }
    if (it->second > removed) --it->second;
    ++it;
  }
}

void byteResults::Remove(std::string_view sKey) {
  const auto it = positionByKey_.find(sKey);
  if (it == positionByKey_.end())
    throw std::out_of_range("byteResults: no member under key " + std::string(sKey));
  Remove(static_cast<int32_t>(it->second + 1));
}

void byteResults::AppendValues(std::string_view bytes) {
  const size_t start = members_.size();
  members_.resize(start + bytes.size());
  if (!bytes.empty()) std::memcpy(members_.data() + start, bytes.data(), bytes.size());
}

const std::shared_ptr<marlo::byteResults>& ConvResult::byteResults() {
  if (!byteResults_) byteResults_ = std::make_shared<marlo::byteResults>();
  return byteResults_;
}

void ConvResult::setByteResults(std::shared_ptr<marlo::byteResults> collection) {
  byteResults_ = std::move(collection);
}

}  // namespace marlo
