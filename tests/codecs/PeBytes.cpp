#include "codecs/PeBytes.h"

#include <algorithm>
#include <map>

#include "codecs/DibBytes.h"

namespace moravel::testing {
namespace {

using Directory = const std::vector<ResourceNode>*;

void CollectDirectories(Directory dir, std::vector<Directory>& out) {
  out.push_back(dir);
  for (const ResourceNode& e : *dir)
    if (!e.children.empty()) CollectDirectories(&e.children, out);
}

}  // namespace

std::vector<uint8_t> IconGroupBytes(const std::vector<uint16_t>& ids, int count, int type) {
  std::vector<uint8_t> out;
  PutLe16(out, 0);
  PutLe16(out, uint32_t(type));
  PutLe16(out, uint32_t(count < 0 ? int(ids.size()) : count));
  for (uint16_t id : ids) {
    out.insert(out.end(), {0, 0, 0, 0});  // width, height, colours: the reader ignores them
    PutLe16(out, 1);                      // planes
    PutLe16(out, 32);                     // bits
    PutLe32(out, 0);                      // bytes in the image
    PutLe16(out, id);
  }
  return out;
}

ResourceNode OneLanguage(uint32_t id, std::vector<uint8_t> data, std::u16string name) {
  return {.id = id, .name = std::move(name), .children = {{.id = 1033, .data = std::move(data)}}};
}

std::vector<ResourceNode> IconTypes(std::vector<ResourceNode> icons,
                                    std::vector<ResourceNode> groups) {
  return {{.id = 3, .children = std::move(icons)}, {.id = 14, .children = std::move(groups)}};
}

void PatchLe16(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  bytes.at(at) = uint8_t(v), bytes.at(at + 1) = uint8_t(v >> 8);
}

void PatchLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  PatchLe16(bytes, at, v & 0xFFFF);
  PatchLe16(bytes, at + 2, v >> 16);
}

ResourceSection ResourceBytes(const std::vector<ResourceNode>& types, uint32_t rva) {
  std::vector<Directory> dirs;
  CollectDirectories(&types, dirs);
  ResourceSection out;
  std::map<Directory, uint32_t> dirAt;
  uint32_t at = 0;
  for (Directory d : dirs) {
    dirAt[d] = at;
    out.directories.push_back(at);
    at += uint32_t(16 + 8 * d->size());
  }
  // Name strings (length, UTF-16 units), then data entries, then data.
  std::map<const ResourceNode*, uint32_t> nameAt, entryAt;
  std::vector<const ResourceNode*> leaves;
  for (Directory d : dirs) {
    for (const ResourceNode& e : *d) {
      if (!e.name.empty()) nameAt[&e] = at, at += uint32_t(2 + 2 * e.name.size());
      if (e.children.empty()) leaves.push_back(&e);
    }
  }
  at = (at + 3) / 4 * 4;
  for (const ResourceNode* leaf : leaves) {
    entryAt[leaf] = at;
    out.dataEntries.push_back(at);
    at += 16;
  }
  std::vector<uint8_t>& b = out.bytes;
  for (Directory d : dirs) {
    uint32_t named = 0;
    for (const ResourceNode& e : *d) named += !e.name.empty();
    b.insert(b.end(), 12, 0);
    PutLe16(b, named);
    PutLe16(b, uint32_t(d->size()) - named);
    for (const ResourceNode& e : *d) {
      PutLe32(b, e.name.empty() ? e.id : 0x80000000u | nameAt[&e]);
      PutLe32(b, e.children.empty() ? entryAt[&e] : 0x80000000u | dirAt[&e.children]);
    }
  }
  for (Directory d : dirs) {
    for (const ResourceNode& e : *d) {
      if (e.name.empty()) continue;
      PutLe16(b, uint32_t(e.name.size()));
      for (char16_t c : e.name) PutLe16(b, c);
    }
  }
  b.resize((b.size() + 3) / 4 * 4, 0);
  uint32_t dataAt = at;
  for (const ResourceNode* leaf : leaves) {
    PutLe32(b, rva + dataAt);
    PutLe32(b, uint32_t(leaf->data.size()));
    PutLe32(b, 0);  // code page
    PutLe32(b, 0);
    dataAt += uint32_t(leaf->data.size() + 3) / 4 * 4;
  }
  for (const ResourceNode* leaf : leaves) {
    b.insert(b.end(), leaf->data.begin(), leaf->data.end());
    b.resize((b.size() + 3) / 4 * 4, 0);
  }
  return out;
}

std::vector<uint8_t> PeFile(const std::vector<uint8_t>& section, bool plus) {
  std::vector<uint8_t> b(kSectionDataAt, 0);
  b[0] = 'M', b[1] = 'Z';
  PatchLe32(b, 0x3C, kPeHeaderAt);
  b[kPeHeaderAt] = 'P', b[kPeHeaderAt + 1] = 'E';
  PatchLe16(b, kPeHeaderAt + 4, plus ? 0x8664 : 0x14C);  // machine
  PatchLe16(b, kPeHeaderAt + 6, 1);                      // sections
  PatchLe16(b, kPeHeaderAt + 20, plus ? 240 : 224);      // optional header size
  PatchLe16(b, kOptionalHeaderAt, plus ? 0x20B : 0x10B);
  PatchLe32(b, kOptionalHeaderAt + (plus ? 108 : 92), 16);  // data directories
  PatchLe32(b, ResourceDirectoryAt(plus), kSectionRva);
  PatchLe32(b, ResourceDirectoryAt(plus) + 4, uint32_t(section.size()));
  const uint32_t table = SectionTableAt(plus);
  const uint32_t rawSize = uint32_t(section.size() + 0x1FF) / 0x200 * 0x200;
  std::copy_n(".rsrc", 5, b.begin() + table);
  PatchLe32(b, table + 8, uint32_t(section.size()));  // virtual size
  PatchLe32(b, table + 12, kSectionRva);
  PatchLe32(b, table + 16, rawSize);
  PatchLe32(b, table + 20, kSectionDataAt);
  b.insert(b.end(), section.begin(), section.end());
  b.resize(kSectionDataAt + rawSize, 0);
  return b;
}

std::vector<uint8_t> PeWithResources(const std::vector<ResourceNode>& types, bool plus) {
  return PeFile(ResourceBytes(types, kSectionRva).bytes, plus);
}

}  // namespace moravel::testing
