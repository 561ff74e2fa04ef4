#pragma once
// What the code that loads a skin could not use, told to whoever asks: a
// picture that is missing or cannot be read, a key that leaves part of the
// skin unseen. The program asks nobody (a null SkinProblems*), so nothing is
// built or checked for it; the preview tool collects them for the skin's
// author. Reporting never changes what is loaded or shown.

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/IniFile.h"

namespace moravel {

struct SkinProblem {
  std::filesystem::path file;     // the settings file (or picture) it is about
  std::string section;            // without brackets; empty: the whole file
  std::string key;                // empty: the whole section
  std::string what;               // e.g. "no such picture"
  std::filesystem::path picture;  // the picture concerned, printed after `what`; may be empty
  std::string detail;             // why, when known (a decoder's words); may be empty
};

class SkinProblems {
 public:
  virtual ~SkinProblems() = default;
  virtual void Report(SkinProblem problem) = 0;
};

// The settings key that named a picture, and its value as stored. Views:
// they must outlive the call they are passed to. A null `ini` names nothing.
struct SkinKey {
  const IniFile* ini = nullptr;
  std::string_view section;
  std::string_view key;
  std::string_view value;
};

// Tells `problems` (nothing when it or key.ini is null) that `file`, named by
// `key`, gave no picture, for the decoder's `error`: "no picture named" for an
// empty value, "no such picture" for a missing file (with the value as stored
// and "outside the skins folder" for a name that leads there, IsNoSkinPath),
// "not a picture file" for a folder or other non-file, else "cannot read"
// with the error.
void ReportPictureFailure(SkinProblems* problems, const SkinKey& key,
                          const std::filesystem::path& file, std::string_view error);

}  // namespace moravel
