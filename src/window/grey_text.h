// The grey of hint texts: the system's grey text, made readable where a theme fades it too far.
#pragma once

#include <QColor>

class QPalette;

// How far apart two colours read, after WCAG: 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// The palette's disabled window text; where that reads below 4.5:1 on the window's background,
// the first colour on the way to the normal window text that reaches it.
QColor readableGreyText(const QPalette& palette);
