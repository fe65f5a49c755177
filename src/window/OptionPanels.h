// The twelve action options: one choice across the three panels, while the keyboard treats each
// panel's four as a group of their own.
#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;
class QButtonGroup;

class OptionPanels final : public QObject {
    Q_OBJECT

  public:
    // Each panel lists its options in tab order. Choosing one clears the other panels; Tab
    // stops once per panel, at the chosen option there, else at its first; the arrow keys
    // move within a panel only and choose the option they move to.
    OptionPanels(const QList<QList<QAbstractButton*>>& panels, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void clearOtherPanels(const QButtonGroup* chosenIn);
    void keepOneTabStopPerPanel();

    QList<QButtonGroup*> panels_;
};
