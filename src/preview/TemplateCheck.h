#pragma once
// The skin's button templates ([freebutton1] .. up to the first gap in
// config.ini) as the button editor reads them (FaceParams.h): for each of the
// three states, its template picture must load, and the icon rectangle
// (x y w h) and the caption rectangle (tx ty tw th) must lie inside it with
// sizes of at least 1. The face renderer fits such rectangles silently
// (ButtonFaceRenderer.h), so the button would not look as drawn.
// A state whose picture and rectangles are those of an earlier state is not
// told again.

#include <filesystem>

#include "desktop/SkinProblems.h"
#include "settings/IniFile.h"

namespace moravel {

// `skinPath`: the skin folder, as the program resolves template names.
void CheckButtonTemplates(const IniFile& config, const std::filesystem::path& skinPath,
                          SkinProblems& problems);

}  // namespace moravel
