#include "window/font_substitution.h"

#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QResource>
#include <QStringList>

namespace {

// Built into the program on Linux only: WenQuanYi Micro Hei cut down to the window's texts.
const QString kCaptionFont = QStringLiteral(":/fonts/lanhe-caption-hei.ttf");

// Microsoft YaHei itself comes first so that Windows keeps it; the others carry Latin glyphs
// as well, so Latin text and line metrics come from the same family as the Chinese text.
const QStringList kCjkFamilies{
    QStringLiteral("Microsoft YaHei"),     QStringLiteral("Lanhe Caption Hei"),
    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
    QStringLiteral("Source Han Sans SC"),  QStringLiteral("WenQuanYi Zen Hei"),
    QStringLiteral("Droid Sans Fallback"), QStringLiteral("AR PL UMing CN"),
};

const QStringList kWindowFontNames{
    QStringLiteral("微软雅黑"),
    QStringLiteral("Microsoft YaHei"),
    QStringLiteral("微软雅黑 Light"),
    QStringLiteral("Microsoft YaHei Light"),
};

// Once a process. The font is handed over where it lies in the program file, not copied: only
// the pages of it that are drawn from become resident.
void registerCaptionFont() {
    [[maybe_unused]] static const bool registered = [] {
        const QResource font(kCaptionFont);
        return font.isValid() && font.compressionAlgorithm() == QResource::NoCompression &&
               QFontDatabase::addApplicationFontFromData(
                   QByteArray::fromRawData(reinterpret_cast<const char*>(font.data()),
                                           static_cast<qsizetype>(font.size()))) >= 0;
    }();
}

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
    registerCaptionFont();
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
