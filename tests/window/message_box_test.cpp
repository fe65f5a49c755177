// The real message box, its button in Chinese like the rest of the window: modal, titled
// "蓝禾自动关机", an OK button only and no icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "window/message_box.h"
#include "window/qt_translation.h"

namespace {

struct SeenBox {
    QString title;
    QString text;
    QString okText;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
};

TEST(MessageBox, ShowsTheTextUnderTheProgramTitleWithOnlyAnOkButton) {
    SeenBox seen;
    // The box runs its own event loop; a zero timer reads it from inside and presses OK.
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QAbstractButton* ok = box != nullptr ? box->button(QMessageBox::Ok) : nullptr;
        if (ok == nullptr) {
            ADD_FAILURE() << "no message box with an OK button is open";
            QApplication::closeAllWindows();
            return;
        }
        seen = {box->windowTitle(),     box->text(),   ok->text(), box->icon(),
                box->standardButtons(), box->isModal()};
        ok->click();
    });

    ASSERT_TRUE(installChineseQtTexts(*QCoreApplication::instance()));
    showMessageBox(nullptr, QStringLiteral("设置成功!"));

    EXPECT_EQ(seen.title, QStringLiteral("蓝禾自动关机"));
    EXPECT_EQ(seen.text, QStringLiteral("设置成功!"));
    EXPECT_EQ(seen.okText, QStringLiteral("确定"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(seen.modal);
}

}  // namespace
