#include "scene/TransparentKey.h"

#include <memory>

namespace moravel {

Picture PictureForDrawing(Picture picture, bool transparent) {
  if (!transparent || !HasPixels(picture) || !picture->opaque()) return picture;
  auto keyed = std::make_shared<Bitmap>(*picture);
  const Rgba key = keyed->at(0, keyed->height() - 1);
  uint8_t* p = keyed->data();
  for (size_t i = 0; i < keyed->byteCount(); i += 4) {
    if (p[i] == key.r && p[i + 1] == key.g && p[i + 2] == key.b) p[i + 3] = 0;
  }
  return keyed;
}

}  // namespace moravel
