#include "codecs/ExecutableIcon.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "codecs/ByteReader.h"
#include "codecs/FileByteSource.h"
#include "codecs/IcoCodec.h"
#include "codecs/PeResourceTree.h"
#include "raster/Stretch.h"
#include "settings/Utf8Path.h"

namespace moravel {
namespace {

constexpr uint32_t kIconType = 3, kIconGroupType = 14;  // RT_ICON, RT_GROUP_ICON
// A group: reserved, type (1: icon), count; then per image width, height,
// colour count, reserved (one byte each), planes, bit count, bytes in the
// image (ignored: the image's own data is read) and the u16 id of its RT_ICON.
constexpr size_t kGroupHeaderSize = 6, kGroupEntrySize = 14, kGroupIdAt = 12;
constexpr size_t kMaxGroupEntries = 4096;
// ExamineIconEntry reads no further than this.
constexpr size_t kExamineBytes = 26;
// Images larger than this a side are skipped (real icons stop at 256; this
// keeps one decoded picture within 16 MiB), and at most this many images are
// decoded before giving up, so a hostile group of many large broken images
// costs a bounded time.
constexpr int kMaxImageSide = 2048;
constexpr int kMaxDecodeAttempts = 4;

// The first numbered entry with `id`, or nothing.
std::optional<ResourceEntry> FindId(const std::vector<ResourceEntry>& entries, uint32_t id) {
  for (const ResourceEntry& e : entries)
    if (!e.named && e.id == id) return e;
  return std::nullopt;
}

// The data of the first language under a name entry.
std::optional<ResourceData> FirstLanguage(PeResourceTree& tree, const ResourceEntry& name) {
  auto languages = tree.Children(name);
  if (languages.empty()) return std::nullopt;
  return tree.Data(languages.front());
}

// The images a group lists that can be found and whose first bytes state a
// usable size up to kMaxImageSide, in group order.
struct Candidates {
  std::vector<std::array<uint8_t, kExamineBytes>> prefixes;  // the images' first bytes
  std::vector<IconEntry> entries;                            // data lies in prefixes
  std::vector<ResourceData> where;                           // one per entry
};

Candidates ListImages(const ByteSource& file, PeResourceTree& tree, std::span<const uint8_t> group,
                      const ResourceEntry& iconType) {
  ByteReader in(group);
  const size_t count =
      std::min<size_t>(in.U16(4), (group.size() - kGroupHeaderSize) / kGroupEntrySize);
  // The RT_ICON names by id, first of each id only; read once for all images.
  std::unordered_map<uint32_t, ResourceEntry> icons;
  for (const ResourceEntry& e : tree.Children(iconType))
    if (!e.named) icons.emplace(e.id, e);
  Candidates c;
  std::vector<ResourceData> found;
  for (size_t i = 0; i < count; ++i) {
    auto icon = icons.find(in.U16(kGroupHeaderSize + i * kGroupEntrySize + kGroupIdAt));
    if (icon == icons.end()) continue;
    auto data = FirstLanguage(tree, icon->second);
    if (!data || data->size == 0 || data->size > kMaxExecutableIconBytes) continue;
    std::array<uint8_t, kExamineBytes> prefix{};
    if (!file.Read(data->offset,
                   std::span(prefix).first(std::min<size_t>(data->size, kExamineBytes))))
      continue;
    found.push_back(*data);
    c.prefixes.push_back(prefix);
  }
  // The prefixes no longer move: the entries may point into them.
  for (size_t i = 0; i < found.size(); ++i) {
    const size_t length = std::min<size_t>(found[i].size, kExamineBytes);
    auto e = ExamineIconEntry(std::span(c.prefixes[i]).first(length));
    if (e && e->width <= kMaxImageSide && e->height <= kMaxImageSide) {
      c.entries.push_back(*e);
      c.where.push_back(found[i]);
    }
  }
  return c;
}

// The nearest image of `c` that decodes, at size x size; a failing image
// gives way to the next nearest, kMaxDecodeAttempts in all.
std::optional<Bitmap> DecodeNearest(const ByteSource& file, Candidates& c, int size) {
  std::vector<uint8_t> bytes;
  for (int attempt = 0; attempt < kMaxDecodeAttempts && !c.entries.empty(); ++attempt) {
    const size_t i = PickIconEntry(c.entries, size);
    bytes.resize(c.where[i].size);
    if (file.Read(c.where[i].offset, bytes)) {
      Result<Bitmap> decoded = DecodeIconEntry(bytes);
      if (decoded.ok()) {
        Bitmap& picture = *decoded;
        if ((picture.width() == size && picture.height() == size) ||
            StretchBitmapToSize(picture, size, size))
          return std::move(picture);
      }
    }
    c.entries.erase(c.entries.begin() + std::ptrdiff_t(i));
    c.where.erase(c.where.begin() + std::ptrdiff_t(i));
  }
  return std::nullopt;
}

// Why a path could not be opened as a regular file, looked up after the fact.
Error WhyNotOpened(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status))
    return Error{ErrorKind::kNotFound, "cannot open " + Utf8Of(path)};
  if (!std::filesystem::is_regular_file(status))
    return Error{ErrorKind::kNotAFile, "not a regular file: " + Utf8Of(path)};
  return Error{ErrorKind::kAccessDenied, "cannot open " + Utf8Of(path)};
}

}  // namespace

Result<Bitmap> ReadExecutableIcon(const ByteSource& file, int size) {
  if (size < 1 || size > kMaxExecutableIconSize)
    return Error{ErrorKind::kUnsupported, "icon size out of range: " + std::to_string(size)};
  Result<PeResourceTree> tree = PeResourceTree::Open(file);
  if (!tree) return tree.error();
  const Error none{ErrorKind::kEmpty, "no icon in the executable"};

  const std::vector<ResourceEntry> types = tree->Root();
  auto groupType = FindId(types, kIconGroupType), iconType = FindId(types, kIconType);
  if (!groupType || !iconType) return none;
  auto groups = tree->Children(*groupType);
  if (groups.empty()) return none;
  auto groupData = FirstLanguage(*tree, groups.front());
  if (!groupData || groupData->size < kGroupHeaderSize) return none;

  std::vector<uint8_t> group(
      std::min<size_t>(groupData->size, kGroupHeaderSize + kMaxGroupEntries * kGroupEntrySize));
  if (!file.Read(groupData->offset, group)) return none;
  ByteReader in(group);
  if (in.U16(2) != 1) return none;  // not an icon group

  Candidates candidates = ListImages(file, *tree, group, *iconType);
  auto icon = DecodeNearest(file, candidates, size);
  if (!icon) return none;
  return std::move(*icon);
}

Result<Bitmap> ReadExecutableIcon(const std::filesystem::path& path, int size) {
  FileByteSource file(path);
  if (!file.ok()) return WhyNotOpened(path);
  return ReadExecutableIcon(file, size);
}

}  // namespace moravel
