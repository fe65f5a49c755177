#include "window/PanelGroup.h"

#include <QRect>

PanelGroup::PanelGroup(QWidget* window, const QString& name, const QList<QWidget*>& members)
    : QWidget(window) {
    setAccessibleName(name);
    QRect area;
    for (const QWidget* member : members) {
        area |= member->geometry();
    }
    setGeometry(area);
    for (QWidget* member : members) {
        const QPoint inWindow = member->pos();
        member->setParent(this);
        member->move(inWindow - area.topLeft());
    }
}
