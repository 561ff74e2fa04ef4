#pragma once
// Changes to one settings file that belong together (a button's record, a
// renumbering): IniFile::Apply writes them all with one temporary file and
// one rename, so the file on the disk holds all of them or none.

#include <string>
#include <string_view>
#include <vector>

namespace moravel {

class IniBatch {
 public:
  // One change, applied in the order given.
  struct Change {
    enum class Kind { kSet, kEraseSection } kind;
    std::string section, key, value;
  };

  IniBatch& Set(std::string_view section, std::string_view key, std::string_view value) {
    changes_.push_back(
        {Change::Kind::kSet, std::string(section), std::string(key), std::string(value)});
    return *this;
  }
  IniBatch& SetInt(std::string_view section, std::string_view key, int value) {
    return Set(section, key, std::to_string(value));
  }
  IniBatch& SetFlag(std::string_view section, std::string_view key, bool value) {
    return Set(section, key, value ? "1" : "0");
  }
  // Removes every section of this name with its keys (none: no change).
  IniBatch& EraseSection(std::string_view section) {
    changes_.push_back({Change::Kind::kEraseSection, std::string(section), {}, {}});
    return *this;
  }

  const std::vector<Change>& changes() const { return changes_; }
  bool empty() const { return changes_.empty(); }

 private:
  std::vector<Change> changes_;
};

}  // namespace moravel
