#pragma once
// Test helpers for the picture codecs: reading fixture files, the flat
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
