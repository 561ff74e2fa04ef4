#pragma once
// The commands that follow the monitors: the primary monitor changed size
// (resolution, rotation, a monitor plugged in or out), and the other
// monitors, which show the skin's wallpaper for their own shape.
//
// Neither writes anything to the skin's files.

#include <span>
#include <vector>

#include "desktop/DesktopModel.h"
#include "raster/Rect.h"

namespace moravel {

// The desktop on a width x height screen (pixels): the scene is taken down,
// the frame made for the new size, the wallpaper chosen again for its shape,
// the scene built again (so every stored coordinate is resolved again and the
// analog clock takes its plate from the new wallpaper) and shown whole.
// Nothing happens when the size is the one shown, or before Start.
void ResizeDesktop(DesktopModel& model, int width, int height);

// Of the monitors `screens` (desktop coordinates), the ones that get a
// wallpaper of their own: those that overlap neither the primary monitor nor
// one kept before them (a mirrored output shows what it overlaps already).
std::vector<Rect> SideScreenAreas(Rect primary, std::span<const Rect> screens);

// One wallpaper per area, each `areas[i]` sized, painted as the skin picks
// it for that shape; then window.SideScreensChanged().
void SetSideScreens(DesktopModel& model, std::span<const Rect> areas);

// Paints every side screen's wallpaper again from the current skin (after a
// skin switch or a wallpaper change). A side screen whose wallpaper cannot be
// painted gets an empty picture: its monitor shows what lies beneath.
void PaintSideScreens(DesktopModel& model);

}  // namespace moravel
