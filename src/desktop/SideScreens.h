#pragma once
// The monitors beside the primary one, which show only the skin's wallpaper
// for their own shape (DesktopModel::monitors after the first).

#include <span>
#include <vector>

#include "raster/Rect.h"

namespace moravel {

struct DesktopModel;

// Of the monitors `screens` (desktop coordinates), the ones that get a
// wallpaper of their own: those that overlap neither the primary monitor nor
// one kept before them (a mirrored output shows what it overlaps already).
std::vector<Rect> SideScreenAreas(Rect primary, std::span<const Rect> screens);

// Paints every side screen's wallpaper again from the current skin (after a
// skin switch, a wallpaper change or new monitors), then tells the window
// (SideScreensChanged). A side screen whose wallpaper cannot be painted gets
// an empty picture: its monitor shows what lies beneath.
void PaintSideScreens(DesktopModel& model);

}  // namespace moravel
