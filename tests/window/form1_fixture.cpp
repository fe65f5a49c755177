#include "form1_fixture.h"

#include <QLineEdit>
#include <QMetaObject>
#include <QTest>

#include "scheduler/power_action.h"

Form1Test::Form1Test() {
    form_ = std::make_unique<Form1>(
        Form1Services{processes_, launcher_, interfaceTable_, settings_, clock_, monotonicClock_},
        [this](const QString& text) {
            messages_.push_back({text, timer("Timer4")->isActive()});
            if (whileMessageShown_) {
                whileMessageShown_();
            }
        });
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get())) {
        throw std::runtime_error("Form1 was never shown");
    }
}

void Form1Test::click(const char* name) {
    QWidget* target = control(name);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
}

void Form1Test::typeInto(const char* name, const QString& text) {
    auto* box = control<QLineEdit>(name);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    // Key by key with the character as the event's text, so full-width digits type too.
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

void Form1Test::tick(const char* timerName) {
    QMetaObject::invokeMethod(timer(timerName), "timeout");
}

std::vector<QString> Form1Test::messageTexts() const {
    std::vector<QString> texts;
    for (const ShownMessage& message : messages_) {
        texts.push_back(message.text);
    }
    return texts;
}

QString Form1Test::shownRate() {
    click("Command3");
    return messages_.back().text;
}

std::string Form1Test::commandLineOf(ActionKind kind) {
    return std::string(powerCommandLine(kind).value());
}
