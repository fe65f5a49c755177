#include "window/grey_text.h"

#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// WCAG's least contrast for text of ordinary size; the hint is 9 pt.
constexpr double kReadableContrast = 4.5;

double linearChannel(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor& color) {
    return 0.2126 * linearChannel(color.redF()) + 0.7152 * linearChannel(color.greenF()) +
           0.0722 * linearChannel(color.blueF());
}

QColor partWay(const QColor& from, const QColor& to, int step, int steps) {
    const auto channel = [step, steps](int start, int end) {
        return start + qRound(static_cast<double>(end - start) * step / steps);
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

}  // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double one = relativeLuminance(first);
    const double other = relativeLuminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

// Dark schemes often fade disabled text almost into the background on purpose. The grey is moved
// one step of a channel value at a time, so that it stays as grey as the theme allows.
QColor readableGreyText(const QPalette& palette) {
    const QColor background = palette.color(QPalette::Active, QPalette::Window);
    const QColor grey = palette.color(QPalette::Disabled, QPalette::WindowText);
    const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    const int steps =
        std::max({std::abs(text.red() - grey.red()), std::abs(text.green() - grey.green()),
                  std::abs(text.blue() - grey.blue()), 1});
    for (int step = 0; step < steps; ++step) {
        const QColor candidate = partWay(grey, text, step, steps);
        if (contrastRatio(candidate, background) >= kReadableContrast) {
            return candidate;
        }
    }
    return text;
}
