#pragma once
// The file types offered by the "Сменить фон" picture dialog.
//
// The filter is kept in its stored form: pairs of a description and its
// patterns, all separated by "|", the patterns of one pair by ";".

#include <string>
#include <string_view>
#include <vector>

namespace moravel {

inline constexpr std::string_view kPictureDialogFilter =
    "picture|*.gif;*.png;*.jpg;*.jpeg;*.bmp;|CompuServe GIF Image (*.gif)|*.gif|Portable Network "
    "Graphics (*.png)|*.png|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps "
    "(*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";

// The filter as the name filters a file dialog takes, one per pair, in order:
// "description (pattern pattern ...)", e.g. "picture (*.gif *.png *.jpg *.jpeg
// *.bmp)". Empty patterns (a trailing ";") are dropped; a description that
// already ends with exactly its patterns in parentheses is kept as it is. A
// description without any pattern is dropped.
std::vector<std::string> NameFilters(std::string_view filter);

}  // namespace moravel
