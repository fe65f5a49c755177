// The real message box: modal, titled "蓝禾自动关机", an OK button in Chinese only, no icon.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "window/message_box.h"
#include "window/qt_translation.h"

namespace {

TEST(MessageBox, ShowsTheTextUnderTheProgramTitleWithOnlyAnOkButton) {
    QStringList seen;
    // The box runs its own event loop; a zero timer reads it from inside and presses OK.
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->button(QMessageBox::Ok) == nullptr) {
            QApplication::closeAllWindows();
            return;
        }
        seen = {box->windowTitle(), box->text(), box->button(QMessageBox::Ok)->text()};
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->textFormat(), Qt::PlainText) << "a command's error line read as markup";
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        EXPECT_TRUE(box->isModal());
        box->button(QMessageBox::Ok)->click();
    });

    ASSERT_TRUE(installChineseQtTexts(*QCoreApplication::instance()));
    showMessageBox(nullptr, QStringLiteral("设置成功!"));

    EXPECT_EQ(seen, QStringList({"蓝禾自动关机", "设置成功!", "确定"}));
}

}  // namespace
