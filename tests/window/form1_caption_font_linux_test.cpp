// Every text the program can show, its own and Qt's Chinese, draws on a desktop without a
// Chinese font, from the caption font built into the Linux program. (On Windows the window's
// texts are in 微软雅黑 itself, and no font is built in.)
#include <QAction>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QTranslator>
#include <memory>
#include <string_view>

#include "form1_fixture.h"
#include "scheduler/messages.h"
#include "window/qt_text.h"
#include "window/qt_translation.h"

namespace {

using Form1CaptionFont = Form1Test;

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
    EXPECT_TRUE(translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                                QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        << "Qt's Chinese translation is not installed";
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
TEST_F(Form1CaptionFont, EveryTextTheProgramCanShowHasAGlyphInTheBuiltInFont) {
    // All a desktop without a Chinese font has to draw Chinese with.
    QFile file(QStringLiteral(":/fonts/lanhe-caption-hei.ttf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no caption font built in";
    const QRawFont font(file.readAll(), 12);
    ASSERT_TRUE(font.isValid());
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
        EXPECT_EQ(missingGlyphs(font, text), QString()) << text.toStdString();
    }
}

}  // namespace
