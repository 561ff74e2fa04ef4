#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "raster/ServerWords.h"

namespace moravel {
namespace {

// Every length (the vector loop's tails), apart and in place: the chosen
// loop gives the plain loop's bytes, and those are the visual's words.
TEST(ServerWordsTest, EveryLengthGivesTheVisualsWordsApartAndInPlace) {
  std::vector<uint8_t> pixels(4 * 40);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 37 + 11);
  for (int count = 0; count <= 40; ++count) {
    std::vector<uint8_t> plain(pixels.size(), 0xAA), chosen(pixels.size(), 0xAA);
    ToCommonServerWordsScalar(pixels.data(), plain.data(), count);
    ToCommonServerWords(pixels.data(), chosen.data(), count);
    EXPECT_EQ(chosen, plain) << count << " pixels";
    std::vector<uint8_t> inPlace = pixels;
    ToCommonServerWords(inPlace.data(), inPlace.data(), count);
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 4 * count, inPlace.begin()))
        << count << " pixels in place";
  }
  const uint8_t rgba[4] = {0x12, 0x34, 0x56, 0x78};
  uint8_t out[4];
  ToCommonServerWordsScalar(rgba, out, 1);
  uint32_t word;
  std::memcpy(&word, out, 4);
  EXPECT_EQ(word, 0x123456u) << "red in bits 16 to 23, green 8 to 15, blue 0 to 7";
}

}  // namespace
}  // namespace moravel
