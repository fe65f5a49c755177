// A panel's options and its 确定 under the panel's name, for a screen reader to say which panel
// a control belongs to. It draws nothing and keeps each control where it stood in the window.
#pragma once

#include <QList>
#include <QWidget>

class PanelGroup final : public QWidget {
    Q_OBJECT

  public:
    // Takes the members, children of the window, as its own. It covers only their bounding
    // box, where no other control lies, so that it takes no click meant for another.
    PanelGroup(QWidget* window, const QString& name, const QList<QWidget*>& members);
};
