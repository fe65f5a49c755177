// The real message box: modal, titled "蓝禾自动关机", an OK button only and no icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "window/message_box.h"

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
};

TEST(MessageBox, ShowsTheTextUnderTheProgramTitleWithOnlyAnOkButton) {
    SeenBox seen;
    // The box runs its own event loop; a zero timer reads it from inside and presses OK.
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                box->isModal()};
        box->button(QMessageBox::Ok)->click();
    });

    showMessageBox(nullptr, QStringLiteral("设置成功!"));

    EXPECT_EQ(seen.title, QStringLiteral("蓝禾自动关机"));
    EXPECT_EQ(seen.text, QStringLiteral("设置成功!"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(seen.modal);
}

}  // namespace
