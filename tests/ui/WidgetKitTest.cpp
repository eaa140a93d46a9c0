// The widget kit's looks that a person relies on: disabled controls fade as a
// whole, knobs are opaque, symbols' strokes fall on whole pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "ui/kit/Slider.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Theme.h"
#include "ui/kit/ToggleSwitch.h"

namespace brillex::test {
namespace {

// The application in the light or dark appearance for one test.
struct Appearance {
    explicit Appearance(bool dark) : saved(QApplication::palette()) {
        if (dark) QApplication::setPalette(Theme::darkPalette());
    }
    ~Appearance() { QApplication::setPalette(saved); }
    QPalette saved;
};

// A widget on the window background, grabbed as the screen would show it.
struct Backdrop {
    explicit Backdrop(QWidget* control, QSize size = {}) : control(control) {
        host.setAutoFillBackground(true);
        control->setParent(&host);
        control->move(10, 10);
        control->resize(size.isValid() ? size : control->sizeHint());
        host.resize(control->width() + 20, control->height() + 20);
    }
    QImage grab() { return host.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QColor background(const QImage& image) const { return image.pixelColor(2, 2); }
    // A pixel in the control's coordinates.
    QColor at(const QImage& image, int x, int y) const { return image.pixelColor(control->pos() + QPoint(x, y)); }
    QWidget host;
    QWidget* control;
};

int distance(QColor a, QColor b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

QColor faded(QColor shown, QColor background, double opacity) {
    const auto mix = [&](int s, int b) { return static_cast<int>(std::lround(b + opacity * (s - b))); };
    return QColor(mix(shown.red(), background.red()), mix(shown.green(), background.green()),
                  mix(shown.blue(), background.blue()));
}

class DisabledControls : public ::testing::TestWithParam<bool> {};

// Every pixel of the disabled control is the enabled one's laid on the
// window at the disabled opacity: no part is dimmed on its own, and none is
// left out (a see-through knob or a lighter tint would show here).
TEST_P(DisabledControls, FadeAsAWholeOnAndOff) {
    const Appearance appearance(GetParam());
    const struct {
        const char* name;
        QSize size;
        std::function<QWidget*()> make;
    } controls[] = {
        {"slider", {120, 20}, [] {
             auto* slider = new Slider(0.0, 1.0, 0.0, Theme::color(SystemColor::green));
             slider->setValue(0.5);
             return slider;
         }},
        {"switch off", {}, [] { return new ToggleSwitch(ToggleSwitch::Size::small); }},
        {"switch on", {}, [] {
             auto* toggle = new ToggleSwitch(ToggleSwitch::Size::small);
             toggle->setTint(Theme::color(SystemColor::orange));
             toggle->setOn(true);
             return toggle;
         }},
    };
    for (const auto& entry : controls) {
        SCOPED_TRACE(entry.name);
        QWidget* control = entry.make();
        Backdrop backdrop(control, entry.size);
        const QImage enabled = backdrop.grab();
        control->setEnabled(false);
        const QImage disabled = backdrop.grab();
        const QColor background = backdrop.background(enabled);

        int drawn = 0, worst = 0, visible = 0;
        for (int y = 0; y < control->height(); ++y)
            for (int x = 0; x < control->width(); ++x) {
                const QColor shown = backdrop.at(enabled, x, y);
                if (distance(shown, background) > 8) ++drawn;
                const QColor dimmed = backdrop.at(disabled, x, y);
                worst = std::max(worst, distance(dimmed, faded(shown, background, Theme::kDisabledOpacity)));
                visible = std::max(visible, distance(dimmed, background));
            }
        EXPECT_GT(drawn, 40);
        EXPECT_LE(worst, 3);
        // Faded, it is still there to be seen.
        EXPECT_GE(visible, 30);
    }
}

// The knob covers the tint under it: inside its rim only the knob's own colour.
TEST_P(DisabledControls, ASliderKnobIsOpaque) {
    const Appearance appearance(GetParam());
    auto* slider = new Slider(0.0, 1.0, 0.0, Theme::color(SystemColor::green));
    slider->setValue(0.5);
    Backdrop backdrop(slider, QSize(120, 20));
    const QImage image = backdrop.grab();
    const QColor fill = backdrop.at(image, 20, 10);
    ASSERT_GT(fill.green() - fill.red(), 60) << "the track left of the knob is tinted";
    // The knob: 16 across, centred on the track's middle (x 60) and the row's (y 10).
    for (int y = 4; y <= 16; ++y)
        for (int x = 54; x <= 66; ++x)
            if ((x - 60) * (x - 60) + (y - 10) * (y - 10) <= 25) {
                EXPECT_EQ(backdrop.at(image, x, y), QColor(Qt::white)) << x << "," << y;
            }
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, DisabledControls, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "dark" : "light"; });

// Across the middle of the outlined symbols, in the boxes the screens give
// them, every pixel is either bare or fully inked: no stroke straddles two
// pixels at half strength.
TEST(SymbolViewTest, StrokesFallOnWholePixelsAtOneX) {
    for (const char* name : {"display", "laptopcomputer"}) {
        SCOPED_TRACE(name);
        auto* symbol = new SymbolView(name, TextStyle::caption, Qt::black);
        symbol->setBoxWidth(14);
        Backdrop backdrop(symbol);
        QPalette white;
        white.setColor(QPalette::Window, Qt::white);
        backdrop.host.setPalette(white);
        const QImage image = backdrop.grab();
        int inked = 0;
        const auto check = [&](int x, int y) {
            const int grey = backdrop.at(image, x, y).red();
            if (grey < 20) ++inked;
            EXPECT_TRUE(grey < 20 || grey > 235) << "pixel " << x << "," << y << " is " << grey;
        };
        for (int y = 0; y < symbol->height(); ++y) check(symbol->width() / 2, y);
        for (int x = 0; x < symbol->width(); ++x) check(x, 5);
        EXPECT_GE(inked, 5);
    }
}

} // namespace
} // namespace brillex::test
