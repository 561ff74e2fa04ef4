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
