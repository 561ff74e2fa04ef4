#pragma once
// The whole-number scale Windows publishes for the primary monitor: what the
// desktop gets at start and with each change of the monitors.

namespace moravel {

// The scale of a monitor of `dpi` dots per inch: dpi / 96 rounded to the
// nearest whole number (a half up), within 1..kMaxScale; 1 for a DPI that is
// not positive.
int WholeScaleOfDpi(int dpi);

// The primary monitor's DPI as the calling thread sees it (per-monitor aware:
// the monitor's own, from shcore.dll's GetDpiForMonitor where Windows has it,
// else the screen's LOGPIXELSX; unaware: 96), as a whole-number scale.
int PrimaryMonitorScale();

}  // namespace moravel
