#pragma once

#include <QWidget>

#include <string>

#include "ui/screens/AppScreen.h"
#include "ui/screens/ChangeObserver.h"
#include "ui/screens/ViewEnvironment.h"

class QVBoxLayout;

namespace brillex {

class ScreenView;

// The popover's root: 300 points wide, as tall as the screen it shows, on the
// window background. It holds the current screen, the only state of the
// popover's views, and redraws that screen on the next turn after any model
// it shows announces a change.
class ContentView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 300;

    explicit ContentView(const ViewEnvironment& environment, QWidget* parent = nullptr);

    AppScreen currentScreen() const { return currentScreen_; }
    // Replaces the screen at once, without a transition.
    void setCurrentScreen(AppScreen screen);
    ScreenView* screen() const { return screen_; }

private:
    void redraw();
    // The texts below inherit the family for the interface language.
    void followLanguage();
    // Watches every model the screens read, including each display's brightness state.
    void watchModels();

    ViewEnvironment environment_;
    AppScreen currentScreen_ = AppScreen::main;
    QVBoxLayout* layout_;
    ScreenView* screen_ = nullptr;
    std::string language_;
    ChangeObserver observer_;
};

} // namespace brillex
