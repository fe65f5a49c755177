#include "window/OptionPanels.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>

namespace {

// A button keeps its focus by mouse and by arrow key either way; only Tab is given or taken.
void setTabStop(QAbstractButton* option, bool stop) {
    option->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// An exclusive group refuses to clear its chosen button, so it stops being exclusive meanwhile.
void clearChoice(QButtonGroup* panel) {
    QAbstractButton* chosen = panel->checkedButton();
    if (chosen == nullptr) {
        return;
    }
    panel->setExclusive(false);
    chosen->setChecked(false);
    panel->setExclusive(true);
}

bool isArrowKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

}  // namespace

OptionPanels::OptionPanels(const QList<QList<QAbstractButton*>>& panels, QObject* parent)
    : QObject(parent) {
    for (const QList<QAbstractButton*>& options : panels) {
        auto* panel = new QButtonGroup(this);
        for (QAbstractButton* option : options) {
            panel->addButton(option);
            option->installEventFilter(this);
        }
        connect(panel, &QButtonGroup::buttonToggled, this,
                [this, panel](QAbstractButton*, bool checked) {
                    if (checked) {
                        clearOtherPanels(panel);
                    }
                    keepOneTabStopPerPanel();
                });
        panels_.append(panel);
    }
    // Qt moves a group's Tab stop to whichever option takes the focus, chosen or not.
    connect(qApp, &QApplication::focusChanged, this, &OptionPanels::keepOneTabStopPerPanel);
    keepOneTabStopPerPanel();
}

void OptionPanels::clearOtherPanels(const QButtonGroup* chosenIn) {
    for (QButtonGroup* panel : panels_) {
        if (panel != chosenIn) {
            clearChoice(panel);
        }
    }
}

void OptionPanels::keepOneTabStopPerPanel() {
    for (const QButtonGroup* panel : panels_) {
        const QList<QAbstractButton*> options = panel->buttons();
        QAbstractButton* stop = panel->checkedButton();
        for (QAbstractButton* option : options) {
            setTabStop(option, option == (stop != nullptr ? stop : options.first()));
        }
    }
}

// Qt carries the choice along only from a chosen option; an arrow key chooses the option it
// lands on from an unchosen one too, as option buttons do on Windows. The option moves the
// focus first, so the key is handed to it here and not delivered a second time.
bool OptionPanels::eventFilter(QObject* watched, QEvent* event) {
    if (!isArrowKey(event)) {
        return false;
    }
    watched->event(event);
    auto* landed = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    auto* from = static_cast<QAbstractButton*>(watched);
    if (landed != nullptr && landed != from && landed->group() == from->group() &&
        !landed->isChecked()) {
        landed->click();
    }
    return true;
}
