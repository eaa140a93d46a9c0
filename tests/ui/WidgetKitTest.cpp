// The widget kit's looks that a person relies on: disabled controls that can
// still be seen, labels that do not cut their accents.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <cmath>

#include "ui/kit/Slider.h"
#include "ui/kit/Theme.h"
#include "ui/kit/ToggleSwitch.h"

namespace brillex::test {
namespace {

double luminance(QColor color) {
    const auto channel = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

// The contrast ratio of two opaque colours, 1 (none) to 21.
double contrast(QColor a, QColor b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The application in the light or dark appearance for one test.
struct Appearance {
    explicit Appearance(bool dark) : saved(QApplication::palette()) {
        if (dark) QApplication::setPalette(Theme::darkPalette());
    }
    ~Appearance() { QApplication::setPalette(saved); }
    QPalette saved;
};

// A control on the window background, grabbed as the screen would show it.
struct Backdrop {
    explicit Backdrop(QWidget* control) : control(control) {
        host.setAutoFillBackground(true);
        control->setParent(&host);
        control->move(10, 10);
        control->resize(control->sizeHint());
        host.resize(control->width() + 20, control->height() + 20);
    }
    QImage grab() { return host.grab().toImage(); }
    QColor background(const QImage& image) const { return image.pixelColor(2, 2); }
    // A pixel in the control's coordinates.
    QColor at(const QImage& image, QPointF point) const {
        return image.pixelColor((control->pos() + point.toPoint()));
    }
    QWidget host;
    QWidget* control;
};

class DisabledControls : public ::testing::TestWithParam<bool> {};

TEST_P(DisabledControls, ASwitchStaysVisiblyASwitchOffAndOn) {
    const Appearance appearance(GetParam());
    for (bool on : {false, true}) {
        auto* toggle = new ToggleSwitch(ToggleSwitch::Size::small);
        toggle->setTint(Theme::color(SystemColor::orange));
        toggle->setOn(on);
        toggle->setEnabled(false);
        Backdrop backdrop(toggle);
        const QImage image = backdrop.grab();
        const QSize size = toggle->sizeHint();
        // The knob sits at one end; the track shows bare at the other.
        const double mid = size.height() / 2.0;
        const QColor track = backdrop.at(image, {on ? mid : size.width() - mid, mid});
        const QColor knob = backdrop.at(image, {on ? size.width() - mid : mid, mid});
        SCOPED_TRACE(on ? "on" : "off");
        EXPECT_GE(contrast(track, backdrop.background(image)), 1.5) << track.name().toStdString();
        EXPECT_GE(contrast(knob, track), 1.5) << knob.name().toStdString() << " on " << track.name().toStdString();
    }
}

TEST_P(DisabledControls, ASliderKeepsItsTrackAndKnobOutline) {
    const Appearance appearance(GetParam());
    auto* slider = new Slider(0.0, 1.0, 0.0, Theme::color(SystemColor::orange));
    slider->setValue(0.5);
    slider->setEnabled(false);
    Backdrop backdrop(slider);
    slider->resize(120, 20);
    const QImage image = backdrop.grab();
    const QColor background = backdrop.background(image);
    const double y = 10.0;
    EXPECT_GE(contrast(backdrop.at(image, {20, y}), background), 1.5) << "tinted part";
    EXPECT_GE(contrast(backdrop.at(image, {100, y}), background), 1.5) << "bare part";
    // The knob (16 wide, centred at the middle) is told from the window by its outline.
    double outline = 1.0;
    for (int x = 48; x <= 58; ++x) outline = std::max(outline, contrast(backdrop.at(image, QPointF(x, 5)), background));
    EXPECT_GE(outline, 1.5);
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, DisabledControls, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "dark" : "light"; });

} // namespace
} // namespace brillex::test
