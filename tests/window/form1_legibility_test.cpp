// The window stays legible on today's desktops: its grey hint in dark themes, and every text it
// can show, its own and Qt's Chinese, on a desktop without a Chinese font.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QScopeGuard>
#include <QTranslator>
#include <memory>
#include <optional>
#include <string_view>
#include <tuple>

#include "form1_fixture.h"
#include "scheduler/messages.h"
#include "window/grey_text.h"
#include "window/qt_text.h"
#include "window/qt_translation.h"

namespace {

using Form1Legibility = Form1Test;

// WCAG's own figures: #777 on white just misses 4.5:1, #767676 just reaches it.
TEST(GreyText, ContrastRatioGivesWcagsFigures) {
    const std::tuple<QColor, QColor, double> cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {QColor(0x777777), Qt::white, 4.48},
        {QColor(0x767676), Qt::white, 4.54},
        {QColor(0x2a2e32), QColor(0x2a2e32), 1.0},
    };
    for (const auto& [first, second, expected] : cases) {
        EXPECT_NEAR(contrastRatio(first, second), expected, 0.005)
            << first.name().toStdString() << " on " << second.name().toStdString();
    }
}

// The colours a palette gives the hint to work with, as each desktop sets them.
struct Scheme {
    const char* name;
    QColor window;
    QColor text;
    QColor disabledText;
};

// Windows' grey text (109,109,109) already reads at 4.54:1 and stays as it is. Breeze Dark as
// KDE builds the palette from kdeglobals: disabled text is the normal text faded 65 % into the
// background, then darkened 10 %. Adwaita-dark as adwaita-qt sets it (GTK's insensitive
// foreground); qt6ct's "darker" scheme as its file gives it.
const Scheme kSchemes[] = {
    {"Windows", QColor(240, 240, 240), QColor(0, 0, 0), QColor(109, 109, 109)},
    {"Breeze Dark", QColor(42, 46, 50), QColor(252, 252, 252), QColor(110, 113, 115)},
    {"Adwaita-dark", QColor(0x353535), QColor(0xeeeeec), QColor(0x919190)},
    {"qt6ct darker", QColor(0x222020), QColor(0xffffff), QColor(0x808080)},
};

QPalette paletteOf(const Scheme& scheme) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, scheme.window);
    palette.setColor(QPalette::WindowText, scheme.text);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, scheme.disabledText);
    return palette;
}

// The hint reads at 4.5:1 at least, yet stays fainter than the text around it; a theme's grey
// that reads already is kept, one that does not is moved only just far enough.
void expectReadableHint(const Form1& form, const Scheme& scheme, const char* when) {
    const QColor hint =
        form.findChild<QLabel*>(QStringLiteral("Label13"))->palette().color(QPalette::WindowText);
    const double hintContrast = contrastRatio(hint, scheme.window);
    const std::string where = std::string(scheme.name) + ", " + when;
    EXPECT_GE(hintContrast, 4.5) << where;
    EXPECT_LT(hintContrast, contrastRatio(scheme.text, scheme.window)) << where;
    if (contrastRatio(scheme.disabledText, scheme.window) >= 4.5) {
        EXPECT_EQ(hint, scheme.disabledText) << where;
    } else {
        EXPECT_LT(hintContrast, 4.6) << where;
    }
}

// Qt's own palette first, then each desktop's, switched while the window is open as a user
// switches themes, and a window opened under it.
TEST_F(Form1Legibility, HintReadsInEveryThemeAndFollowsASwitchAtRunTime) {
    const QPalette qtDefault = QApplication::palette();
    const auto restore = qScopeGuard([qtDefault] { QApplication::setPalette(qtDefault); });
    const Scheme defaultScheme{"Qt's default", qtDefault.color(QPalette::Window),
                               qtDefault.color(QPalette::WindowText),
                               qtDefault.color(QPalette::Disabled, QPalette::WindowText)};
    expectReadableHint(*form_, defaultScheme, "at start");
    for (const Scheme& scheme : kSchemes) {
        QApplication::setPalette(paletteOf(scheme));
        // A new palette reaches an open window on the event loop's next turn.
        QCoreApplication::processEvents();
        expectReadableHint(*form_, scheme, "switched at run time");
        const std::unique_ptr<Form1> previous = std::move(form_);
        start();
        expectReadableHint(*form_, scheme, "at start");
    }
}

// The caption font built into the program: all a desktop without a Chinese font has to draw
// Chinese with. On Windows the window's texts are in 微软雅黑 itself, and there is none.
std::optional<QRawFont> builtInCaptionFont() {
    QFile file(QStringLiteral(":/fonts/lanhe-caption-hei.ttf"));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return QRawFont(file.readAll(), 12);
}

// The characters of a text the font has no glyph for. A tab only parts a menu entry from its
// shortcut.
QString missingGlyphs(const QRawFont& font, const QString& text) {
    QString missing;
    for (const char32_t character : text.toUcs4()) {
        if (character != U'\t' && !font.supportsCharacter(character)) {
            missing += QString::fromUcs4(&character, 1);
        }
    }
    return missing;
}

// The Chinese of each Qt text the window can show, from the translation installed with Qt.
QStringList translatedQtTexts() {
    QTranslator translator;
    if (!translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        ADD_FAILURE() << "Qt's Chinese translation is not installed";
        return {};
    }
    QFile list(QStringLiteral(LANHE_QT_TEXTS_FILE));
    EXPECT_TRUE(list.open(QIODevice::ReadOnly | QIODevice::Text)) << LANHE_QT_TEXTS_FILE;
    QStringList texts;
    for (const QString& line : QString::fromUtf8(list.readAll()).split('\n')) {
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QStringList entry = line.split('\t');
        const QString text =
            translator.translate(qPrintable(entry.value(0)), qPrintable(entry.value(1)));
        EXPECT_FALSE(text.isEmpty()) << "no translation of " << line.toStdString();
        texts << text;
    }
    return texts;
}

// Every text the program can show draws on a desktop with no Chinese font: the controls' own,
// every message, the Chinese of the listed Qt texts, and what Qt really shows with its Chinese
// installed as the program installs it: the text boxes' context menu and the box's button.
TEST_F(Form1Legibility, EveryTextTheProgramCanShowHasAGlyphInTheBuiltInFont) {
    const std::optional<QRawFont> font = builtInCaptionFont();
    if (!font) {
        GTEST_SKIP() << "no caption font built in";
    }
    QStringList texts{form_->windowTitle()};
    for (const QWidget* widget : form_->findChildren<QWidget*>()) {
        texts << widget->property("text").toString();
    }
    for (const std::string_view message :
         {kChooseActionMessage, kArmedMessage, kNoSuchProcessMessage, kCannotStartPrefix,
          kNotADateTimeMessage, kNotLaterThanNowMessage, kMissedTargetMessage,
          kNotAValidNumberMessage}) {
        texts << toQString(message);
    }
    texts << translatedQtTexts();
    ASSERT_TRUE(installChineseQtTexts(*QCoreApplication::instance()));
    const std::unique_ptr<QMenu> menu(control<QLineEdit>("Text10")->createStandardContextMenu());
    for (const QAction* action : menu->actions()) {
        texts << action->text();
    }
    const QMessageBox box(QMessageBox::NoIcon, form_->windowTitle(), kArmed, QMessageBox::Ok);
    texts << box.button(QMessageBox::Ok)->text();
    for (const QString& text : texts) {
        EXPECT_EQ(missingGlyphs(*font, text), QString()) << text.toStdString();
    }
}

}  // namespace
