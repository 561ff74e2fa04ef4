#include "codecs/PeResourceTree.h"

#include <algorithm>
#include <array>

#include "codecs/ByteReader.h"
#include "codecs/CodecError.h"

namespace moravel {
namespace {

constexpr size_t kDosHeaderSize = 64, kNewHeaderPointer = 0x3C;
constexpr size_t kPeHeaderSize = 24;  // "PE\0\0" and the COFF file header
constexpr size_t kSectionHeaderSize = 40;
constexpr size_t kDirectoryHeaderSize = 16, kDirectoryEntrySize = 8, kDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000u;
constexpr unsigned kResourceDirectoryIndex = 2;

// Where the data directories start in each optional header kind, and where
// the count of them is.
struct OptionalLayout {
  size_t countAt, directoriesAt;
};
std::optional<OptionalLayout> LayoutFor(unsigned magic) {
  if (magic == 0x10B) return OptionalLayout{92, 96};    // PE32
  if (magic == 0x20B) return OptionalLayout{108, 112};  // PE32+
  return std::nullopt;
}

}  // namespace

Result<PeResourceTree> PeResourceTree::Open(const ByteSource& file) {
  std::array<uint8_t, kDosHeaderSize> dos;
  if (!file.Read(0, dos) || dos[0] != 'M' || dos[1] != 'Z')
    return Malformed("not a Windows executable: no MZ header");
  ByteReader dosIn(dos);
  const uint64_t peAt = dosIn.U32(kNewHeaderPointer);

  std::array<uint8_t, kPeHeaderSize> pe;
  if (!file.Read(peAt, pe) || pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
    return Malformed("not a Windows executable: no PE header");
  ByteReader peIn(pe);
  const size_t sectionCount = std::min<size_t>(peIn.U16(6), kMaxSections);
  const size_t optionalSize = peIn.U16(20);

  // The optional header's start: magic, the data directory count and, when
  // both the count and the stored header size reach it, the resource entry.
  const uint64_t optionalAt = peAt + kPeHeaderSize;
  std::array<uint8_t, 136> optional{};
  const size_t optionalRead = std::min(optionalSize, optional.size());
  if (optionalRead < 2 || !file.Read(optionalAt, std::span(optional).first(optionalRead)))
    return Malformed("damaged executable: the optional header cannot be read");
  ByteReader optIn{std::span(optional).first(optionalRead)};
  auto layout = LayoutFor(optIn.U16(0));
  if (!layout) return Malformed("not a Windows executable: optional header of another kind");

  PeResourceTree tree(file);
  const size_t entryAt = layout->directoriesAt + 8 * kResourceDirectoryIndex;
  const uint32_t directoryCount = optIn.U32(layout->countAt);
  if (optIn.ok() && directoryCount > kResourceDirectoryIndex && optIn.Has(entryAt, 8))
    tree.rootAddress_ = optIn.U32(entryAt);  // its stored size is not needed, and often wrong

  std::vector<uint8_t> table(sectionCount * kSectionHeaderSize);
  if (!file.Read(optionalAt + optionalSize, table))
    return Malformed("damaged executable: the section table runs past the end of the file");
  ByteReader tableIn(table);
  for (size_t i = 0; i < sectionCount; ++i) {
    const size_t at = i * kSectionHeaderSize;
    tree.sections_.push_back(
        Section{tableIn.U32(at + 12), tableIn.U32(at + 16), tableIn.U32(at + 20)});
  }
  return tree;
}

std::optional<PeResourceTree::Mapped> PeResourceTree::Map(uint64_t rva) const {
  for (const Section& s : sections_) {
    if (rva < s.address || rva - s.address >= s.rawSize) continue;
    const uint64_t offset = s.rawOffset + (rva - s.address);
    if (offset >= file_->size()) return std::nullopt;
    const uint64_t inSection = s.rawSize - (rva - s.address);
    return Mapped{offset, std::min(inSection, file_->size() - offset)};
  }
  return std::nullopt;
}

std::vector<ResourceEntry> PeResourceTree::Root() {
  if (rootAddress_ == 0) return {};
  return ReadDirectory(0, 1);
}

std::vector<ResourceEntry> PeResourceTree::Children(const ResourceEntry& parent) {
  if (!parent.directory || parent.level >= 3) return {};
  return ReadDirectory(parent.offset, parent.level + 1);
}

std::vector<ResourceEntry> PeResourceTree::ReadDirectory(uint32_t offset, int level) {
  if (!visited_.insert(offset).second) return {};
  auto where = Map(uint64_t(rootAddress_) + offset);
  std::array<uint8_t, kDirectoryHeaderSize> header;
  if (!where || where->available < header.size() || !file_->Read(where->offset, header)) return {};
  ByteReader headerIn(header);
  size_t count = size_t(headerIn.U16(12)) + headerIn.U16(14);  // named, then numbered
  count = std::min({count, kMaxEntriesPerDirectory, kMaxEntries - entriesRead_,
                    size_t((where->available - header.size()) / kDirectoryEntrySize)});
  std::vector<uint8_t> raw(count * kDirectoryEntrySize);
  if (!file_->Read(where->offset + header.size(), raw)) return {};
  entriesRead_ += count;

  ByteReader in(raw);
  std::vector<ResourceEntry> entries;
  entries.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t name = in.U32(i * kDirectoryEntrySize);
    const uint32_t target = in.U32(i * kDirectoryEntrySize + 4);
    entries.push_back(ResourceEntry{.id = name,
                                    .named = (name & kHighBit) != 0,
                                    .directory = (target & kHighBit) != 0,
                                    .offset = target & ~kHighBit,
                                    .level = level});
  }
  return entries;
}

std::optional<ResourceData> PeResourceTree::Data(const ResourceEntry& leaf) const {
  if (leaf.directory) return std::nullopt;
  auto entryAt = Map(uint64_t(rootAddress_) + leaf.offset);
  std::array<uint8_t, kDataEntrySize> entry;
  if (!entryAt || entryAt->available < entry.size() || !file_->Read(entryAt->offset, entry))
    return std::nullopt;
  ByteReader in(entry);
  const uint32_t address = in.U32(0), size = in.U32(4);
  auto dataAt = Map(address);
  if (!dataAt || dataAt->available < size) return std::nullopt;
  return ResourceData{dataAt->offset, size};
}

}  // namespace moravel
