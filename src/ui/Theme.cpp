#include "ui/Theme.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace brillex::Theme {

namespace {

struct Style {
    int pixels;
    QFont::Weight weight;
};

Style styleOf(TextStyle style) {
    switch (style) {
    case TextStyle::title2: return {17, QFont::Normal};
    case TextStyle::title3: return {15, QFont::Normal};
    case TextStyle::headline: return {13, QFont::DemiBold};
    case TextStyle::subheadline: return {11, QFont::Normal};
    case TextStyle::body: return {13, QFont::Normal};
    case TextStyle::caption: return {10, QFont::Normal};
    case TextStyle::caption2: return {10, QFont::Normal};
    }
    return {13, QFont::Normal};
}

bool isDark() { return QApplication::palette().color(QPalette::Window).lightness() < 128; }

QColor accent(QColor light, QColor dark) { return isDark() ? dark : light; }

} // namespace

QFont font(TextStyle style) { return font(style, styleOf(style).weight); }

QFont font(TextStyle style, QFont::Weight weight) {
    QFont result = QApplication::font();
    result.setPixelSize(styleOf(style).pixels);
    result.setWeight(weight);
    return result;
}

int pixelSize(TextStyle style) { return styleOf(style).pixels; }

QColor color(SystemColor color) {
    const QPalette palette = QApplication::palette();
    switch (color) {
    case SystemColor::primary: return withOpacity(palette.color(QPalette::WindowText), 0.85);
    case SystemColor::secondary: return withOpacity(palette.color(QPalette::WindowText), 0.5);
    case SystemColor::yellow: return accent(QColor(255, 204, 0), QColor(255, 214, 10));
    case SystemColor::orange: return accent(QColor(255, 149, 0), QColor(255, 159, 10));
    case SystemColor::red: return accent(QColor(255, 59, 48), QColor(255, 69, 58));
    case SystemColor::green: return accent(QColor(40, 205, 65), QColor(50, 215, 75));
    case SystemColor::blue: return accent(QColor(0, 122, 255), QColor(10, 132, 255));
    case SystemColor::indigo: return accent(QColor(88, 86, 214), QColor(94, 92, 230));
    case SystemColor::gray: return accent(QColor(142, 142, 147), QColor(152, 152, 157));
    case SystemColor::white: return QColor(255, 255, 255);
    case SystemColor::windowBackground: return palette.color(QPalette::Window);
    case SystemColor::separator: return withOpacity(palette.color(QPalette::WindowText), 0.12);
    }
    return palette.color(QPalette::WindowText);
}

QColor withOpacity(QColor base, double opacity) {
    base.setAlphaF(static_cast<float>(base.alphaF() * opacity));
    return base;
}

void apply(QWidget& widget, TextStyle style, SystemColor textColor) {
    apply(widget, style, styleOf(style).weight, textColor);
}

void apply(QWidget& widget, TextStyle style, QFont::Weight weight, SystemColor textColor) {
    widget.setFont(font(style, weight));
    setTextColor(widget, color(textColor));
}

void setTextColor(QWidget& widget, QColor textColor) {
    QPalette palette = widget.palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(role, textColor);
    widget.setPalette(palette);
    // Inside a button a widget would otherwise draw in the button's text role.
    widget.setForegroundRole(QPalette::WindowText);
}

QPalette darkPalette() {
    // Qt derives the text, light and shadow roles from the button and window colours.
    QPalette palette(QColor(58, 58, 60), QColor(40, 40, 42));
    palette.setColor(QPalette::Base, QColor(30, 30, 30));
    palette.setColor(QPalette::Highlight, QColor(10, 132, 255));
    return palette;
}

} // namespace brillex::Theme
