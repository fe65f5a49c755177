// Makes the window's Chinese fonts resolve to a CJK family that is installed here.
#pragma once

#include <QString>
#include <optional>

// Registers the first installed CJK family as the substitute for 微软雅黑 (also under its
// English and Light names) and returns it; nothing when no CJK family is installed.
std::optional<QString> registerCjkFontSubstitutions();
