#include <gtest/gtest.h>

#include <algorithm>
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
    std::vector<uint8_t> plain(pixels.size(), 0xAA), chosen = plain, inPlace = pixels;
    ToCommonServerWordsScalar(pixels.data(), plain.data(), count);
    ToCommonServerWords(pixels.data(), chosen.data(), count);
    ToCommonServerWords(inPlace.data(), inPlace.data(), count);
    EXPECT_EQ(chosen, plain) << count << " pixels";
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 4 * count, inPlace.begin())) << count;
  }
  const uint8_t rgba[4] = {0x12, 0x34, 0x56, 0x78};
  uint32_t word = 0;
  ToCommonServerWordsScalar(rgba, reinterpret_cast<uint8_t*>(&word), 1);
  EXPECT_EQ(word, 0x123456u) << "red in bits 16 to 23, green 8 to 15, blue 0 to 7";
}

}  // namespace
}  // namespace moravel
