// SPDX-License-Identifier: Apache-2.0
#include "engine/src/EmbeddedResources.h"

#include <stdexcept>
#include <string>

#define MARLO_DECLARE_RESOURCE(id)                        \
  extern "C" const uint8_t marlo_resource_##id##_begin[]; \
  extern "C" const uint8_t marlo_resource_##id##_end[];
MARLO_DECLARE_RESOURCE(101)
MARLO_DECLARE_RESOURCE(102)
MARLO_DECLARE_RESOURCE(103)
MARLO_DECLARE_RESOURCE(104)
MARLO_DECLARE_RESOURCE(105)
MARLO_DECLARE_RESOURCE(106)
MARLO_DECLARE_RESOURCE(107)
MARLO_DECLARE_RESOURCE(108)
MARLO_DECLARE_RESOURCE(109)
extern "C" const uint8_t marlo_phrase_image_106_begin[];
extern "C" const uint8_t marlo_phrase_image_106_end[];
extern "C" const uint8_t marlo_phrase_image_107_begin[];
extern "C" const uint8_t marlo_phrase_image_107_end[];

namespace marlo {

std::span<const uint8_t> LoadResource(int id) {
  switch (id) {
    case 101:
      return {marlo_resource_101_begin, marlo_resource_101_end};
    case 102:
      return {marlo_resource_102_begin, marlo_resource_102_end};
    case 103:
      return {marlo_resource_103_begin, marlo_resource_103_end};
    case 104:
      return {marlo_resource_104_begin, marlo_resource_104_end};
    case 105:
      return {marlo_resource_105_begin, marlo_resource_105_end};
    case 106:
      return {marlo_resource_106_begin, marlo_resource_106_end};
    case 107:
      return {marlo_resource_107_begin, marlo_resource_107_end};
    case 108:
      return {marlo_resource_108_begin, marlo_resource_108_end};
    case 109:
      return {marlo_resource_109_begin, marlo_resource_109_end};
    default:
      throw std::out_of_range("no resource " + std::to_string(id));
  }
}

std::span<const uint8_t> LoadPhraseImage(int id) {
  switch (id) {
    case 106:
      return {marlo_phrase_image_106_begin, marlo_phrase_image_106_end};
    case 107:
      return {marlo_phrase_image_107_begin, marlo_phrase_image_107_end};
    default:
      throw std::out_of_range("no phrase image " + std::to_string(id));
  }
}

}  // namespace marlo
