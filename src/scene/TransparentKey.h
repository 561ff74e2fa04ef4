#pragma once
// How a picture with the skin's "tr" flag is drawn.
//
// Every picture on the desktop is laid over what lies below it by its own
// alpha, whatever its flag: buttons made by the button editor are stored with
// tr=0 but are PNGs with an alpha shape, and skins were drawn that way. The
// flag adds a colour key for pictures that have no alpha of their own (every
// pixel at 255, as BMP and JPEG files always are): every pixel of the colour
// of the bottom-left pixel becomes fully transparent. A picture that already
// has any alpha below 255 is drawn as it is, with or without the flag.

#include "scene/Picture.h"

namespace moravel {

// The picture as a control with the transparent flag `transparent` draws it:
// `picture` itself, or for a transparent control and an opaque picture a new
// copy with the bottom-left colour keyed out (alpha 0, colour kept). The key
// compares red, green and blue exactly. Keying is idempotent: a keyed picture
// is no longer opaque, so passing it again returns it unchanged.
Picture PictureForDrawing(Picture picture, bool transparent);

}  // namespace moravel
