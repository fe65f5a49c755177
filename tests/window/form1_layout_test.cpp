// The window as the user sees it and reaches it by keyboard: one choice across the panels, Tab
// and the arrow keys through them, and the monitor kept out of sight whatever the window's size.
#include <QAbstractItemView>
#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRadioButton>
#include <QRegularExpression>
#include <QResource>
#include <QTextLayout>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "form1_fixture.h"

namespace {

using Form1Window = Form1Test;

// What a screen reader announces: every control a name, the window a frame named by its
// caption, each text box by the label before it, and each 确定 with its four options inside a
// group named for its panel. The options stay option buttons, whatever holds them. Start-up
// writes the fixture clock's 08:05 minute without its leading zero; Text1 to Text4 are read
// back as Text6 shows them, in form1_clock_trigger_test.cpp.
TEST_F(Form1Window, AScreenReaderFindsAFrameOfThreeNamedPanelsAndEachTextBoxsLabel) {
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "5");
    for (const QWidget* widget : form_->findChildren<QWidget*>(
             QRegularExpression("^(Label|Text|Option|Command|Line|lbl|cbo|PIC)"))) {
        EXPECT_FALSE(widget->accessibleName().trimmed().isEmpty())
            << widget->objectName().toStdString();
    }
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form_.get());
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("蓝禾自动关机"));
    const std::pair<QString, QString> panels[] = {
        {QStringLiteral("按时间"), "Option1 Option2 Option3 Option4 Command1"},
        {QStringLiteral("按网速"), "Option8 Option7 Option6 Option5 Command4"},
        {QStringLiteral("进程结束"), "Option9 Option10 Option11 Option12 Command5"},
    };
    for (const auto& [panel, members] : panels) {
        const QStringList names = members.split(' ');
        QAccessibleInterface* group =
            QAccessible::queryAccessibleInterface(control(qPrintable(names[0])))->parent();
        EXPECT_EQ(group->role(), QAccessible::Grouping) << qPrintable(panel);
        EXPECT_EQ(group->text(QAccessible::Name), panel);
        EXPECT_EQ(group->parent(), window) << qPrintable(panel);
        QStringList held;
        for (int i = 0; i < group->childCount(); ++i) {
            const QAccessibleInterface* member = group->child(i);
            held << member->object()->objectName();
            EXPECT_EQ(member->role(), i < 4 ? QAccessible::RadioButton : QAccessible::Button)
                << qPrintable(held.last());
        }
        EXPECT_EQ(held.join(' '), members) << qPrintable(panel);
    }
    const std::pair<const char*, const char*> labelled[] = {
        {"Text1", "Label1"}, {"Text2", "Label2"}, {"Text3", "Label3"}, {"Text4", "Label4"},
        {"Text5", "Label5"}, {"Text8", "Label8"}, {"Text9", "Label9"}, {"Text10", "Label11"},
    };
    for (const auto& [box, label] : labelled) {
        const auto relations =
            QAccessible::queryAccessibleInterface(control(box))->relations(QAccessible::Label);
        ASSERT_EQ(relations.size(), 1) << box;
        EXPECT_EQ(relations[0].first->object(), control(label)) << box;
    }
}

// The caption is what a screen reader names the frame, above.
TEST_F(Form1Window, WindowHasItsCaptionIconAndAFixedSize) {
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    EXPECT_FALSE(form_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // Each size the window system asks for is the image drawn for it; between sizes, the next
    // larger one scaled down. It comes once the window has been shown.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form_->windowIcon().isNull(); }));
    const QIcon icon = form_->windowIcon();
    ASSERT_EQ(icon.availableSizes().size(), 4) << "icon resources missing";
    for (const int size : {16, 32, 48, 256}) {
        EXPECT_EQ(icon.pixmap(size).toImage(),
                  QImage(QStringLiteral(":/icons/lanhe-shutdown-%1.png").arg(size)))
            << size;
    }
    EXPECT_EQ(icon.pixmap(24).size(), QSize(24, 24));
    EXPECT_EQ(icon.pixmap(512).size(), QSize(256, 256));
}

// Every window state the widget is told of.
struct WindowStateRecorder final : QObject {
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange) {
            seen.push_back(static_cast<QWidget*>(watched)->windowState());
        }
        return false;
    }
    std::vector<Qt::WindowStates> seen;
};

// Maximize and full screen asked for anyway, as Qt's own title bar under Wayland does, are taken
// and then undone: the window is back in its normal state at its size. Asked for on the widget,
// which tells itself of the new state on every platform, the minimal one under Wine included.
TEST_F(Form1Window, MaximizeOrFullScreenAskedForAnywayIsUndone) {
    const QSize own = form_->size();
    WindowStateRecorder states;
    form_->installEventFilter(&states);
    for (const Qt::WindowStates imposed :
         {Qt::WindowStates(Qt::WindowMaximized), Qt::WindowStates(Qt::WindowFullScreen),
          Qt::WindowMaximized | Qt::WindowFullScreen}) {
        form_->setWindowState(imposed);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return std::ranges::count(states.seen, imposed) > 0 &&
                   form_->windowState() == Qt::WindowNoState && form_->size() == own;
        })) << imposed.toInt();
    }
}

// The window's Chinese texts come from one Chinese family, on Linux the caption font built into
// the program (which has every glyph they need: form1_caption_font_linux_test.cpp); a character
// that font lacks, as a user may type, is drawn from an installed font.
TEST_F(Form1Window, TextsResolveToOneChineseFamilyAndTypedTextFallsBack) {
    const bool builtIn = QResource(QStringLiteral(":/fonts/lanhe-caption-hei.ttf")).isValid();
    const QString family = QFontInfo(form_->font()).family();
    EXPECT_TRUE(
        builtIn ? family == QStringLiteral("Lanhe Caption Hei")
                : QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
        << family.toStdString();
    for (const QWidget* widget : form_->findChildren<QWidget*>()) {
        if (widget->font().family() != QStringLiteral("Arial")) {
            EXPECT_EQ(QFontInfo(widget->font()).family(), family)
                << widget->objectName().toStdString();
        }
    }
    // Message boxes and menus keep the system's font, not the window's.
    EXPECT_NE(QApplication::font(), form_->font());
    QTextLayout typed(QStringLiteral("龘"), form_->font());
    typed.beginLayout();
    typed.createLine();
    typed.endLayout();
    const QList<QGlyphRun> runs = typed.glyphRuns();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_NE(runs[0].glyphIndexes().value(0), 0u);
}

// Real key presses from Text1, as a user's. Tab stops once per panel, at the option chosen
// there, else at the panel's first; the hidden controls keep their place. The rows run in
// turn, so the third finds the left panel back at its first option.
TEST_F(Form1Window, TabStopsOncePerPanelAtItsChosenOptionElseAtItsFirst) {
    const char* const cases[][4] = {
        {"Option3", "Option3", "Option5", "Option9"},  // chosen by mouse, then the three stops
        {"Option12", "Option1", "Option5", "Option12"},
        {"Option7", "Option1", "Option7", "Option9"},
    };
    for (const auto& [chosen, left, middle, right] : cases) {
        QTest::mouseClick(control(chosen), Qt::LeftButton);
        control("Text1")->setFocus();
        QStringList visited;
        for (int stop = 0; stop < 17; ++stop) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        EXPECT_EQ(visited.join(' '),
                  QStringLiteral("Text2 Text3 Text4 Text5 %1 Command1 cboConnectionType Text6 "
                                 "Command3 Text8 Text9 %2 Command4 Text10 Command5 %3 Text1")
                      .arg(left, middle, right))
            << "with " << chosen << " chosen";
    }
}

// An arrow key chooses the next option in its direction within the panel, never in the next,
// whatever the options' names say, also from an option the focus reached unchosen. A click
// clears the choice made before in any panel: here a click in the left panel clears the
// right's, one in the middle the left's, and the last row's arrow the middle's.
TEST_F(Form1Window, ArrowKeysMoveTheOneChoiceWithinItsPanelOnly) {
    const std::tuple<const char*, bool, Qt::Key, const char*> cases[] = {
        {"Option9", true, Qt::Key_Left, "Option9"},
        {"Option4", true, Qt::Key_Right, "Option4"},
        {"Option8", true, Qt::Key_Right, "Option7"},
        {"Option2", false, Qt::Key_Right, "Option3"},
    };
    for (const auto& [from, clicked, key, to] : cases) {
        SCOPED_TRACE(testing::Message() << from << " " << key);
        if (clicked) {
            QTest::mouseClick(control(from), Qt::LeftButton);
        } else {
            control(from)->setFocus();
        }
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), to);
        EXPECT_TRUE(control<QRadioButton>(to)->isChecked());
        const QList<QRadioButton*> options = form_->findChildren<QRadioButton*>();
        EXPECT_EQ(std::ranges::count_if(options, &QRadioButton::isChecked), 1);
    }
}

// Enter and Return press the focused 确定 as Space does; with nothing chosen each panel asks
// for a choice.
TEST_F(Form1Window, EnterPressesTheFocusedButton) {
    const std::tuple<const char*, Qt::Key, Qt::KeyboardModifier> presses[] = {
        {"Command1", Qt::Key_Return, Qt::NoModifier},
        {"Command4", Qt::Key_Enter, Qt::KeypadModifier},
        {"Command5", Qt::Key_Return, Qt::NoModifier},
    };
    for (const auto& [button, key, modifier] : presses) {
        control(button)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key, modifier);
    }
    const QString ask = QStringLiteral("请选择执行内容！");
    EXPECT_THAT(messages_, ::testing::ElementsAre(ask, ask, ask));
}

// The controls below the client area stay visible to Qt, so that they keep taking the
// keyboard focus, yet are never seen, even where the window manager ignores the fixed size (as
// a maximize may). The selector's list would open as a window of its own, on screen: nothing
// builds it unasked, no key or click opens it; built, it takes the selector's font.
TEST_F(Form1Window, HiddenControlsStayOutOfSightAndTheSelectorsListNeverOpens) {
    table_.rows = {interfaceRow("eth0"), interfaceRow("wlan0")};
    start();
    form_->windowHandle()->setGeometry(0, 0, 1280, 800);
    QCoreApplication::processEvents();
    EXPECT_FALSE(control("Command1")->visibleRegion().isEmpty());
    // Placed below the visible client area: the monitor, Text6 and Command3.
    for (const QString& name : QStringLiteral("cboConnectionType PIC1 lblType lblDownloadSpeedTop "
                                              "lblUploadSpeedTop lblDownloadSpeedAverage "
                                              "lblUploadSpeedAverage lblRecv lblSent lblDSpeed "
                                              "lblUSpeed Text6 Command3")
                                   .split(' ')) {
        const QWidget* hidden = control(qPrintable(name));
        EXPECT_TRUE(hidden->isVisible()) << qPrintable(name);
        EXPECT_TRUE(hidden->visibleRegion().isEmpty()) << qPrintable(name);
    }
    auto* selector = control<QComboBox>("cboConnectionType");
    EXPECT_EQ(selector->findChild<QAbstractItemView*>(), nullptr) << "list built though unused";
    EXPECT_EQ(selector->view()->font(), selector->font());
    selector->setFocus();
    QTest::keyClick(selector, Qt::Key_F4);
    QTest::keyClick(selector, Qt::Key_Down, Qt::AltModifier);
    QTest::mouseClick(selector, Qt::LeftButton);
    EXPECT_FALSE(selector->view()->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace
