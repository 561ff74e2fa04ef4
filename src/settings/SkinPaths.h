#pragma once
// Where a skin's files are. A skin is the folder skins/<dir>/ beside the
// executable. Values in the skin's settings files name files relative to that
// folder with "\" as the separator (skins are made on Windows); a value that
// starts with "?" is an absolute path instead. The program writes its own
// values in the same stored form (for example "temp\freebutton3_u.png").
//
// A relative name may lead to a neighbour skin ("..\wood\a.png"), never
// out of the skins folder: the name is resolved lexically ("." and ".." taken
// away as written, before any lookup on the disk), and one that leads out
// names a file under kNoSkinFolder, which is always missing. Symbolic links
// inside the skins folder are followed as the file system has them: they
// were put there by whoever installed the skins, while the names checked here
// come from the skins' own text.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

// "\" -> "/".
std::string StoredNameToPosix(std::string_view storedName);

// A folder that can never exist: every file under it reads as missing and
// every write under it fails.
inline constexpr const char* kNoSkinFolder = "/dev/null/";

// The skin folder: exeFolder/skins/<dir>/, always ending with "/". `dir` is
// taken as stored ("\" becomes "/"); an empty dir gives the skins folder
// itself. A dir that would lead out of skins/ (an absolute path, a drive
// letter, or a ".." component) names no skin: the result is kNoSkinFolder,
// where no file can be read or written, so the skin counts as missing.
std::filesystem::path SkinPath(const std::filesystem::path& exeFolder, std::string_view dir);

// True for a path under kNoSkinFolder: a name that leads out of the skins
// folder, or a file of a skin that names none.
bool IsNoSkinPath(const std::filesystem::path& path);

// The folder that the names of the skin at `skinPath` stay in: the skins
// folder, the skin folder's parent. When `skinPath` is itself named "skins"
// (the skins folder, for an empty dir, or a skin of that name) it is that
// folder; for kNoSkinFolder it is kNoSkinFolder. Lexical, without the disk.
std::filesystem::path SkinsFolderOf(const std::filesystem::path& skinPath);

// `file` made lexically normal when that lies in SkinsFolderOf(skinPath),
// else kNoSkinFolder with the file's name.
std::filesystem::path WithinSkins(const std::filesystem::path& skinPath,
                                  const std::filesystem::path& file);

// The absolute path of a value "?<path>", taken as is; nothing for other values.
std::optional<std::filesystem::path> AbsolutePictureValue(std::string_view value);

// The file a picture value names: an absolute value (see above) found with
// FindFileIgnoringCase, else ResolveSkinFile(skinPath, value).
std::filesystem::path PicturePath(const std::filesystem::path& skinPath, std::string_view value);

struct StatePictures {
  std::filesystem::path up, over, down;
};

// The up, over and down pictures of a button from its stored image value:
// in skinPath + value, the one character after the last "_" of the whole path
// is replaced by "u", "o" and "d" (the extension stays as stored). So
// "temp\freebutton3_d.png" gives .../temp/freebutton3_u.png, _o.png, _d.png.
// The "_" may lie in skinPath itself; the rule applies all the same. Nothing
// when the value is empty, when the path has no "_", or when "_" is its last
// character. A multi-byte UTF-8 character after "_" is replaced whole.
// The results are lexically normal and not resolved against the disk (see
// ResolveSkinFile); one that would lead out of the skins folder is a path
// under kNoSkinFolder.
std::optional<StatePictures> StatePictureNames(const std::filesystem::path& skinPath,
                                               std::string_view imageValue);

}  // namespace moravel
