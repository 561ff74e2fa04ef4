#pragma once
// Test helpers that lay out small Windows executables byte by byte: a
// resource tree, and a PE32 or PE32+ file holding it as its only section, at
// fixed positions a test can patch to damage the file.

#include <cstdint>
#include <string>
#include <vector>

namespace moravel::testing {

// An entry of a resource directory: a subdirectory (children) or, when it
// has no children, data.
struct ResourceNode {
  uint32_t id = 0;
  std::u16string name;  // a named entry when not empty
  std::vector<ResourceNode> children;
  std::vector<uint8_t> data;
};

struct ResourceSection {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> directories;  // offsets in bytes, root first, then depth first in order
  std::vector<uint32_t> dataEntries;  // offsets of the data entries, in the same order
};

// The root directory holds `types`; directories, name strings, data entries
// and data follow one another. Data addresses assume the section at `rva`.
ResourceSection ResourceBytes(const std::vector<ResourceNode>& types, uint32_t rva);

// Fixed positions of the files PeFile writes.
inline constexpr uint32_t kPeHeaderAt = 0x40;  // "PE\0\0"
inline constexpr uint32_t kOptionalHeaderAt = kPeHeaderAt + 24;
inline constexpr uint32_t kSectionDataAt = 0x400;  // the resource section's bytes
inline constexpr uint32_t kSectionRva = 0x1000;
// The resource entry (address, size) of the optional header's data directories.
inline constexpr uint32_t ResourceDirectoryAt(bool plus) {
  return kOptionalHeaderAt + (plus ? 112 : 96) + 2 * 8;
}
inline constexpr uint32_t SectionTableAt(bool plus) {
  return kOptionalHeaderAt + (plus ? 240 : 224);
}

// An executable (PE32, or PE32+ when `plus`) whose one section, ".rsrc",
// holds `section` and is the resource directory.
std::vector<uint8_t> PeFile(const std::vector<uint8_t>& section, bool plus);

// PeFile of ResourceBytes(types).
std::vector<uint8_t> PeWithResources(const std::vector<ResourceNode>& types, bool plus = false);

// An icon group (GRPICONDIR) listing the RT_ICON ids `ids`; `count`, when not
// -1, replaces the stored count, and `type` is the stored kind (1 icon, 2 cursor).
std::vector<uint8_t> IconGroupBytes(const std::vector<uint16_t>& ids, int count = -1, int type = 1);

// A name (or id) entry with one language (1033) holding `data`.
ResourceNode OneLanguage(uint32_t id, std::vector<uint8_t> data, std::u16string name = {});

// The types RT_ICON (3) holding `icons` and RT_GROUP_ICON (14) holding `groups`.
std::vector<ResourceNode> IconTypes(std::vector<ResourceNode> icons,
                                    std::vector<ResourceNode> groups);

void PatchLe16(std::vector<uint8_t>& bytes, size_t at, uint32_t v);
void PatchLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t v);

}  // namespace moravel::testing
