#include "window/accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "window/Form1.h"
#include "window/PanelGroup.h"

namespace {

// Asked for each class from the object's own up to QObject, before Qt's factory for widgets
// answers for QWidget with a role of Client, which screen readers take for mere filler.
QAccessibleInterface* interfaceWithRole(const QString& className, QObject* object) {
    if (className == QLatin1String(Form1::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    if (className == QLatin1String(PanelGroup::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    }
    return nullptr;
}

}  // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceWithRole);
        return true;
    }();
    static_cast<void>(installed);
}
