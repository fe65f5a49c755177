#include "window/font_substitution.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

// Microsoft YaHei itself comes first so that Windows keeps it; the others carry Latin glyphs
// as well, so Latin text and line metrics come from the same family as the Chinese text.
const QStringList kCjkFamilies{
    QStringLiteral("Microsoft YaHei"),   QStringLiteral("WenQuanYi Micro Hei"),
    QStringLiteral("Noto Sans CJK SC"),  QStringLiteral("Source Han Sans SC"),
    QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Droid Sans Fallback"),
    QStringLiteral("AR PL UMing CN"),
};

const QStringList kWindowFontNames{
    QStringLiteral("微软雅黑"),
    QStringLiteral("Microsoft YaHei"),
    QStringLiteral("微软雅黑 Light"),
    QStringLiteral("Microsoft YaHei Light"),
};

std::optional<QString> firstInstalledCjkFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : kCjkFamilies) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> registerCjkFontSubstitutions() {
    const std::optional<QString> family = firstInstalledCjkFamily();
    if (family) {
        for (const QString& name : kWindowFontNames) {
            if (name.compare(*family, Qt::CaseInsensitive) != 0) {
                QFont::insertSubstitution(name, *family);
            }
        }
    }
    return family;
}
