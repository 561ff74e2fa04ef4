#pragma once
// Where the analog clock's hands point at a time of day.

namespace moravel {

// Angles in degrees, counter-clockwise on the screen, 90 = 12 o'clock (a hand
// picture is drawn pointing to 3 o'clock, which is angle 0).
struct HandAngles {
  float hour = 0;
  float minute = 0;
  float second = 0;
};

// The angles at hour h (0..23), minute m and second s. The hour hand moves on
// by the minutes and seconds, the minute hand by the seconds, the second hand
// in whole steps of 6 degrees. Angles are not reduced to one turn.
inline HandAngles HandAnglesAt(int h, int m, int s) {
  HandAngles a;
  a.hour = float(double(90 - 30 * h) - m / 2.0 - s / 120.0);
  a.minute = float(double(90 - 6 * m) - s / 10.0);
  a.second = float(90 - 6 * s);
  return a;
}

}  // namespace moravel
