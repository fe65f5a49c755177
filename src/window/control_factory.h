// Creates the window's controls from their names, design-time texts and twips positions.
#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Left, Top, Width, Height in twips, 15 to a logical pixel.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

QRect pixelsFromTwips(const Twips& twips);

// A colour given as 0x00BBGGRR, red in the lowest byte.
QColor colorFromBgr(std::uint32_t bgr);

// Paints one palette role of a control in every colour group.
void setControlColor(QWidget* control, QPalette::ColorRole role, const QColor& color);

// Each control gets its name as objectName; labels are read out by their caption.
QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, const Twips& at);
QLineEdit* addTextBox(QWidget* parent, const char* name, const QString& text, const Twips& at,
                      const QString& accessibleName);
QRadioButton* addOption(QWidget* parent, const char* name, const QString& caption, const Twips& at,
                        const QString& accessibleDescription);
QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, const Twips& at,
                       const QString& accessibleDescription);
// The window's only drop-down list is the hidden interface selector: its list never opens.
QComboBox* addDropDownList(QWidget* parent, const char* name, const Twips& at,
                           const QString& accessibleName);
// A filled rectangle without behaviour: the separators and the graph surface.
QWidget* addPanel(QWidget* parent, const char* name, const Twips& at, const QColor& color,
                  const QString& accessibleName);
