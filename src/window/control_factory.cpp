#include "window/control_factory.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window/HiddenSelector.h"

namespace {

constexpr double kTwipsPerPixel = 15.0;

int pixels(int twips) {
    return qRound(twips / kTwipsPerPixel);
}

template <class Control>
Control* place(Control* control, const char* name, const Twips& at, const QString& accessibleName) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(pixelsFromTwips(at));
    control->setAccessibleName(accessibleName);
    return control;
}

}  // namespace

QRect pixelsFromTwips(const Twips& twips) {
    return {pixels(twips.left), pixels(twips.top), pixels(twips.width), pixels(twips.height)};
}

QColor colorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

void setControlColor(QWidget* control, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = control->palette();
    palette.setColor(role, color);
    control->setPalette(palette);
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, const Twips& at) {
    auto* label = place(new QLabel(caption, parent), name, at, caption.trimmed());
    // A caption starts at the top left of its box and is cut off where the box ends.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit* addTextBox(QWidget* parent, const char* name, const QString& text, const Twips& at,
                      const QString& accessibleName) {
    return place(new QLineEdit(text, parent), name, at, accessibleName);
}

QRadioButton* addOption(QWidget* parent, const char* name, const QString& caption, const Twips& at,
                        const QString& accessibleDescription) {
    auto* option = place(new QRadioButton(caption, parent), name, at, caption);
    option->setAccessibleDescription(accessibleDescription);
    return option;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, const Twips& at,
                       const QString& accessibleDescription) {
    auto* button = place(new QPushButton(caption, parent), name, at, caption);
    button->setAccessibleDescription(accessibleDescription);
    return button;
}

QComboBox* addDropDownList(QWidget* parent, const char* name, const Twips& at,
                           const QString& accessibleName) {
    return place(new HiddenSelector(parent), name, at, accessibleName);
}

QWidget* addPanel(QWidget* parent, const char* name, const Twips& at, const QColor& color,
                  const QString& accessibleName) {
    auto* panel = place(new QWidget(parent), name, at, accessibleName);
    panel->setAutoFillBackground(true);
    setControlColor(panel, QPalette::Window, color);
    return panel;
}
