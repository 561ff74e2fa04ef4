#pragma once
// Test helpers for the picture codecs: reading fixture files (our own under
// tests/data, the outside suites in place under ../shared/testdata), the flat
// [r,g,b,a,...] JSON arrays beside them, and comparing decoded pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "raster/Bitmap.h"

namespace moravel::testing {

// tests/data/<relative>.
std::filesystem::path TestData(const std::string& relative);

// <shared>/<relative>, where <shared> is MORAVEL_SHARED_TEST_DATA: the
// outside suites (pngsuite, bmpsuite), read in place from ../shared/testdata
// beside the clone and never copied into the project.
std::filesystem::path SharedTestData(const std::string& relative);

// Empty when SharedTestData(folder) is a folder; otherwise why a test that
// reads it cannot run, naming the folder and where it was looked for.
std::string MissingSharedFolder(const std::string& folder);

// Parameter lists drawn from a missing shared folder hold only this name, so
// the parameterised test has one case, which skips.
inline constexpr const char* kSharedFolderAbsent = "shared_folder_absent";

// The whole file; fails the current test (and returns nothing) if unreadable.
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

// A JSON array of integers, e.g. "[1, 2,3]". Nothing if the text is not one.
std::optional<std::vector<long>> ParseIntArray(const std::string& text);
std::optional<std::vector<long>> ReadIntArray(const std::filesystem::path& path);

// Succeeds when `picture` holds width * height == expected.size() / 4 pixels
// and every channel is within `tolerance` of `expected`. Pixels for which
// `considered(x, y)` is given and returns false are skipped. Failures name
// the first few differing pixels.
::testing::AssertionResult PixelsNear(const Bitmap& picture, const std::vector<long>& expected,
                                      int tolerance,
                                      const std::function<bool(int, int)>& considered = {});

}  // namespace moravel::testing

// Ends the running test as skipped, with MissingSharedFolder's message, when
// the shared folder `folder` (e.g. "pngsuite") is absent.
#define MORAVEL_SKIP_WITHOUT_SHARED(folder)                                              \
  do {                                                                                   \
    const std::string moravelMissing_ = ::moravel::testing::MissingSharedFolder(folder); \
    if (!moravelMissing_.empty()) GTEST_SKIP() << moravelMissing_;                       \
  } while (false)
