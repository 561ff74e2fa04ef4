#pragma once
// What the user is told when a button cannot be made or removed. Each text
// names the cause; nothing was changed when one is shown.

#include <filesystem>
#include <optional>
#include <string>

#include "base/Error.h"
#include "desktop/ButtonTable.h"
#include "placement/ButtonTarget.h"

namespace moravel {

inline constexpr const char* kNoWriteAccessMessage = "Нет доступа на запись в каталоге ";
inline constexpr const char* kNoSpaceMessage = "Не хватает места на диске в каталоге ";
inline constexpr const char* kWriteFailedMessage = "Не удалось записать в каталог ";
inline constexpr const char* kDesktopFullMessage =
    "На рабочем столе уже 500 кнопок: новую кнопку добавить нельзя.";
inline constexpr const char* kTargetNotStorableMessage =
    "Путь кнопки содержит перевод строки или недопустимые символы, и его нельзя сохранить: ";
inline constexpr const char* kNoTemplatePictureMessage =
    "Не удалось прочитать картинку шаблона кнопки: ";

// A failed write into `folder` as the user is told it: `error` with the
// no-access text for kAccessDenied, the full-disk text for kNoSpace, else the
// general one followed by the error's own message.
Error WriteFailure(const Error& error, const std::filesystem::path& folder);

// Why `target` cannot be stored in user.ini (a line break, a NUL or invalid
// UTF-8 in its object or param); nothing when it can.
std::optional<std::string> UnstorableTargetMessage(const ButtonTarget& target);

}  // namespace moravel
