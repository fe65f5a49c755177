// The grey hint stays readable in every theme, dark ones included, and follows a theme switched
// while the program runs.
#include <QScopeGuard>
#include <memory>
#include <tuple>

#include "form1_fixture.h"
#include "window/grey_text.h"

namespace {

using Form1Legibility = Form1Test;

// WCAG's own figures: #777 on white just misses 4.5:1, #767676 just reaches it.
TEST(GreyText, ContrastRatioGivesWcagsFigures) {
    const std::tuple<QColor, QColor, double> cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {QColor(0x777777), Qt::white, 4.48},
        {QColor(0x767676), Qt::white, 4.54},
    };
    for (const auto& [first, second, expected] : cases) {
        EXPECT_NEAR(contrastRatio(first, second), expected, 0.005)
            << first.name().toStdString() << " on " << second.name().toStdString();
    }
}

// Each desktop's window, text and disabled text colours. Windows' grey text (109,109,109)
// already reads at 4.54:1 and stays as it is. Breeze Dark as KDE builds the palette from
// kdeglobals: disabled text is the normal text faded 65 % into the background, then darkened
// 10 %. Adwaita-dark as adwaita-qt sets it (GTK's insensitive foreground); qt6ct's "darker"
// scheme as its file gives it.
const std::tuple<const char*, QColor, QColor, QColor> kSchemes[] = {
    {"Windows", QColor(240, 240, 240), QColor(0, 0, 0), QColor(109, 109, 109)},
    {"Breeze Dark", QColor(42, 46, 50), QColor(252, 252, 252), QColor(110, 113, 115)},
    {"Adwaita-dark", QColor(0x353535), QColor(0xeeeeec), QColor(0x919190)},
    {"qt6ct darker", QColor(0x222020), QColor(0xffffff), QColor(0x808080)},
};

// Under the application's palette, the hint reads at 4.5:1 at least, yet stays fainter than
// the text around it; a theme's grey that reads already is kept, one that does not is moved
// only just far enough. The separators take the theme's grey too.
void expectReadableHint(const Form1& form, const std::string& where) {
    const QPalette theme = QApplication::palette();
    const QColor window = theme.color(QPalette::Window);
    const QColor grey = theme.color(QPalette::Disabled, QPalette::WindowText);
    const QColor hint =
        form.findChild<QLabel*>(QStringLiteral("Label13"))->palette().color(QPalette::WindowText);
    const double hintContrast = contrastRatio(hint, window);
    EXPECT_GE(hintContrast, 4.5) << where;
    EXPECT_LT(hintContrast, contrastRatio(theme.color(QPalette::WindowText), window)) << where;
    for (const char* line : {"Line1", "Line2"}) {
        EXPECT_EQ(form.findChild<QWidget*>(line)->palette().color(QPalette::Window),
                  theme.color(QPalette::Mid))
            << line << ", " << where;
    }
    if (contrastRatio(grey, window) >= 4.5) {
        EXPECT_EQ(hint, grey) << where;
    } else {
        EXPECT_LT(hintContrast, 4.6) << where;
    }
}

// Qt's own palette first, then each desktop's, switched while the window is open as a user
// switches themes, and a window opened under it. The separators' grey differs from scheme to
// scheme, so that a line left behind shows.
TEST_F(Form1Legibility, HintReadsInEveryThemeAndFollowsASwitchAtRunTime) {
    const QPalette qtDefault = QApplication::palette();
    const auto restore = qScopeGuard([qtDefault] { QApplication::setPalette(qtDefault); });
    expectReadableHint(*form_, "Qt's default at start");
    for (const auto& [name, window, text, grey] : kSchemes) {
        QPalette palette = qtDefault;
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Disabled, QPalette::WindowText, grey);
        palette.setColor(QPalette::Mid, grey);
        QApplication::setPalette(palette);
        // A new palette reaches an open window on the event loop's next turn.
        QCoreApplication::processEvents();
        expectReadableHint(*form_, std::string(name) + ", switched at run time");
        const std::unique_ptr<Form1> previous = std::move(form_);
        start();
        expectReadableHint(*form_, std::string(name) + ", at start");
    }
}

}  // namespace
