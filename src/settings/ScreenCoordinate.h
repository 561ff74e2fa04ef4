#pragma once
// Stored screen coordinates. A stored x or y is relative to an edge or to the
// centre of the screen, chosen by its range; E is the screen's width (for x)
// or height (for y) in pixels and H = E / 2 (integer division):
//   0 <= v < 10000       -> v              from the left or top edge
//   -10000 < v < 0       -> E + v          from the right or bottom edge
//   v >= 10000           -> v - 10000 + H  from the centre, rightwards/down
//   v <= -10000          -> v + 10000 + H  from the centre, leftwards/up
// So 10000 and -10000 both mean the centre. The program itself writes plain
// pixel positions (the first range).

namespace moravel {

// The pixel position for stored value `v` on a screen `extent` pixels wide or
// high. Computed in 64 bits; a result outside the int range is clamped to it.
int ResolveScreenCoordinate(int v, int extent);

}  // namespace moravel

namespace moravel {

// A screen of device pixels on which a skin is laid out at a whole-number
// scale: every stored coordinate resolves against the logical screen of
// (width / scale) x (height / scale) skin pixels, and is then drawn `scale`
// times larger. Stored positions, the pointer's skin position, grids and
// slots are skin pixels; controls and the frame are device pixels.
struct SkinScreen {
  int width = 1, height = 1;  // device pixels
  int scale = 1;              // device pixels per skin pixel, 1..kMaxScale

  int logicalWidth() const { return width / scale; }
  int logicalHeight() const { return height / scale; }
  // The device column or row where stored x or y `v` lies.
  int X(int v) const { return Device(ResolveScreenCoordinate(v, logicalWidth())); }
  int Y(int v) const { return Device(ResolveScreenCoordinate(v, logicalHeight())); }
  // Skin pixels to device pixels, clamped to the int range.
  int Device(int skin) const;
  // Device pixels to the skin pixel that holds them (rounded down).
  int Skin(int device) const;
};

}  // namespace moravel
