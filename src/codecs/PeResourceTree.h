#pragma once
// The resource tree of a Windows executable (PE32 or PE32+), read on demand
// through a ByteSource: the DOS and PE headers, the section table (at most
// kMaxSections sections), then one directory at a time of the tree the
// resource data directory points at (level 1 types, 2 names, 3 languages).
//
// Nothing stored is trusted: every range is checked against the file,
// relative addresses are mapped only inside one section's raw data, no
// directory is read twice (so a loop ends), nothing below level 3 is read,
// and at most kMaxEntriesPerDirectory entries of one directory and
// kMaxEntries in all are read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "base/Result.h"
#include "codecs/ByteSource.h"

namespace moravel {

struct ResourceEntry {
  uint32_t id = 0;         // the stored name-or-id word; an id only when !named
  bool named = false;      // given by a name string (its id never matches a number)
  bool directory = false;  // points at a subdirectory, else at a data entry
  uint32_t offset = 0;     // of that subdirectory or data entry, from the tree's start
  int level = 1;           // of the directory holding the entry: 1 types, 2 names, 3 languages
};

// Where a resource's bytes lie in the file: the whole range is inside it.
struct ResourceData {
  uint64_t offset = 0;  // bytes from the start of the file
  uint32_t size = 0;    // bytes
};

class PeResourceTree {
 public:
  static constexpr size_t kMaxSections = 96;
  static constexpr size_t kMaxEntriesPerDirectory = 4096;
  static constexpr size_t kMaxEntries = 65536;

  // Reads the headers and the section table of `file`, which must outlive the
  // tree. kMalformed, with a message saying what is wrong, when it is not a
  // PE file (no MZ or PE signature, an optional header of another kind) or
  // when the optional header or the section table cannot be read. A file
  // without a resource directory gives a tree whose Root() is empty.
  static Result<PeResourceTree> Open(const ByteSource& file);

  // The root directory's entries (the types), in stored order: named entries
  // come before numbered ones. Like every directory, read once only.
  std::vector<ResourceEntry> Root();

  // The entries of the subdirectory `parent` points at, in stored order.
  // Empty when `parent` points at data or lies at level 3, when that
  // directory was read before through this tree, when it cannot be read, or
  // when the entry budget is spent. A directory claiming more entries than
  // its section holds gives those that fit.
  std::vector<ResourceEntry> Children(const ResourceEntry& parent);

  // Where the data of the data entry `leaf` lies. Nothing for a subdirectory,
  // an entry that cannot be read, or data outside the sections or the file.
  std::optional<ResourceData> Data(const ResourceEntry& leaf) const;

 private:
  struct Section {
    uint64_t address = 0;  // relative virtual address
    uint64_t rawSize = 0;
    uint64_t rawOffset = 0;  // in the file
  };
  struct Mapped {
    uint64_t offset = 0;     // in the file
    uint64_t available = 0;  // bytes from there to the end of the section's data (and the file)
  };

  explicit PeResourceTree(const ByteSource& file) : file_(&file) {}

  // The file position of relative address `rva` and how many bytes follow it
  // inside the same section's raw data and the file.
  std::optional<Mapped> Map(uint64_t rva) const;
  std::vector<ResourceEntry> ReadDirectory(uint32_t offset, int level);

  const ByteSource* file_;
  std::vector<Section> sections_;
  uint32_t rootAddress_ = 0;              // relative virtual address of the tree; 0: no resources
  std::unordered_set<uint32_t> visited_;  // directory offsets already read
  size_t entriesRead_ = 0;
};

}  // namespace moravel
