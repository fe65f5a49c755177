#include "form1_fixture.h"

void Form1Test::start() {
    form_ = std::make_unique<Form1>(
        Form1Services{processes_, launcher_, table_, settings_, clock_, monotonicClock_,
                      [this](std::string_view line) { log_.emplace_back(line); }},
        [this](const QString& text) {
            messages_.push_back(text);
            timer4WhenShown_.push_back(timer("Timer4")->isActive());
            if (whileMessageShown_) {
                whileMessageShown_();
            }
        });
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get())) {
        throw std::runtime_error("Form1 was never shown");
    }
}

void Form1Test::typeInto(const char* name, const QString& text) {
    auto* box = control<QLineEdit>(name);
    box->clear();
    QTest::keyClicks(box, text);
}
