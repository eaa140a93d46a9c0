#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include <functional>
#include <string_view>

class QPainter;
class QWidget;

namespace brillex {

// The named text styles the screens are described in.
enum class TextStyle { title2, title3, headline, subheadline, body, caption, caption2 };

// The named system colours the screens are described in.
enum class SystemColor {
    primary,
    secondary,
    yellow,
    orange,
    red,
    green,
    blue,
    indigo,
    gray,
    white,
    windowBackground,
    separator,
};

// The one place where text styles and system colours become Qt fonts and
// colours. Geometry is in points, one point being one device-independent
// pixel; label colours follow the application palette, the accent colours
// have a light and a dark variant chosen by the palette's window colour.
namespace Theme {

// A style's size and weight only: the family comes from the widget's parent,
// which is how the popover's texts follow the interface language.
QFont font(TextStyle style);
QFont font(TextStyle style, QFont::Weight weight);
// The pixel size of a style, which symbols drawn in that style follow.
int pixelSize(TextStyle style);
QColor color(SystemColor color);
// Whether the texts of language `code` need a face of their own beside the
// application's font (the CJK languages: Han characters differ between
// Simplified Chinese, Japanese and Korean).
bool needsOwnFace(std::string_view code);
// The installed family that draws language `code`'s own characters, from the
// one list of faces per language; empty for a language that needs none and
// when no installed font covers it.
QString languageFamily(std::string_view code);
// The font families for texts in the interface language `code`: the family
// the application's font resolves to, after it that language's own face. For
// the other languages a font that sets nothing.
QFont languageFont(std::string_view code);
// `base` at the given opacity (0 to 1).
QColor withOpacity(QColor base, double opacity);

// How much of a disabled control shows: the platform fades the whole
// control, not its parts one by one.
inline constexpr double kDisabledOpacity = 0.5;
// Paints a control with `draw` (an antialiased painter on the widget's
// coordinates): as it is while the widget is enabled, else into a layer laid
// on at `kDisabledOpacity`, so that overlapping parts fade as one (an opaque
// knob stays opaque over its track).
void paintControl(QWidget& widget, const std::function<void(QPainter&)>& draw);

// Sets a widget's font and its text colour.
void apply(QWidget& widget, TextStyle style, SystemColor color);
void apply(QWidget& widget, TextStyle style, QFont::Weight weight, SystemColor color);
void setTextColor(QWidget& widget, QColor color);

// The dark appearance's palette, for platforms whose theme offers none (the
// offscreen rendering of screenshots and tests). Widgets take their colours
// when made, so it is set before the views are built.
QPalette darkPalette();

} // namespace Theme

} // namespace brillex
