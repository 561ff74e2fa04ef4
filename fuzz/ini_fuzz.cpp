// Settings files from arbitrary bytes: parsing never fails, untouched text
// survives byte for byte, and what is written reads back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniDocument.h"
#include "settings/IniSyntax.h"
#include "settings/IniText.h"

namespace {

using moravel::IniDocument;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Serialise, encode in the file's charset (UTF-8 when 1251 cannot take it),
// decode and parse again, as a write followed by a fresh read would.
IniDocument ThroughBytes(const IniDocument& doc, const moravel::IniText& original) {
  const std::string text = doc.Serialize();
  std::optional<std::string> bytes =
      moravel::EncodeIniText(text, original.charset, original.byteOrderMark);
  if (!bytes)
    bytes = moravel::EncodeIniText(text, moravel::IniCharset::kUtf8, original.byteOrderMark);
  Check(bytes.has_value());
  const moravel::IniText decoded = moravel::DecodeIniBytes(*bytes);
  Check(decoded.text == text);
  return IniDocument(decoded.text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const moravel::IniText decoded = moravel::DecodeIniBytes(bytes);
  const IniDocument doc(decoded.text);

  // Nothing edited: the very same bytes come back.
  Check(doc.Serialize() == decoded.text);
  Check(moravel::EncodeIniText(decoded.text, decoded.charset, decoded.byteOrderMark) == bytes);

  // Reads of everything that is there.
  const std::vector<std::string> sections = doc.SectionNames();
  for (const std::string& section : sections) {
    Check(doc.HasSection(section));
    for (const std::string& key : doc.KeyNames(section)) {
      const std::optional<std::string_view> value = doc.Find(section, key);
      Check(value.has_value());
      (void)moravel::ParseIniInt(*value);
    }
  }

  // A write into the first section (or a new one) with a value cut from the
  // input; it must read back exactly after a trip through the file bytes.
  const std::string section = sections.empty() ? "fuzz" : sections.front();
  const std::string value(bytes.substr(bytes.size() / 2, 24));
  IniDocument edited = doc;
  if (edited.Set(section, "Key", value)) {
    const IniDocument reread = ThroughBytes(edited, decoded);
    Check(reread.Find(section, "key") == std::optional<std::string_view>(value));
    Check(reread.SectionNames() == edited.SectionNames());
    Check(reread.Serialize() == edited.Serialize());
  } else {
    Check(edited.Serialize() == doc.Serialize());
  }

  // Erasing a section removes it for good and keeps the others.
  if (!sections.empty()) {
    IniDocument erased = doc;
    Check(erased.EraseSection(sections.back()));
    const IniDocument reread = ThroughBytes(erased, decoded);
    Check(!reread.HasSection(sections.back()));
    Check(reread.SectionNames().size() + 1 == sections.size());
  }
  return 0;
}
