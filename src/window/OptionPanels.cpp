#include "window/OptionPanels.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>

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

}  // namespace

OptionPanels::OptionPanels(const QList<QList<QAbstractButton*>>& panels, QObject* parent)
    : QObject(parent) {
    for (const QList<QAbstractButton*>& options : panels) {
        auto* panel = new QButtonGroup(this);
        for (QAbstractButton* option : options) {
            panel->addButton(option);
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
