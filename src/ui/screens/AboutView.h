#pragma once

#include <QString>

#include "ui/screens/AppScreen.h"
#include "ui/screens/ScreenView.h"
#include "ui/screens/ViewEnvironment.h"

class QLabel;

namespace brillex {

class PlainButton;
class TextLabel;

// The about screen: icon, name and version, the studio, and a button that
// opens a feedback mail. Its back button leads to the settings screen.
class AboutView : public ScreenView {
    Q_OBJECT
public:
    static constexpr const char* kFeedbackAddress = "feedback@tovane.studio";
    static constexpr const char* kFeedbackSubject = "Brillex Feedback";
    static constexpr const char* kVersionNumber = "1.0";

    AboutView(const ViewEnvironment& environment, Navigate navigate, QWidget* parent = nullptr);

    void refresh() override;

    // "mailto:" with the address and the percent-encoded subject.
    static QString feedbackURL();

    PlainButton* backButton() const { return backButton_; }
    TextLabel* title() const { return title_; }
    TextLabel* version() const { return version_; }
    TextLabel* studio() const { return studio_; }
    PlainButton* feedbackButton() const { return feedbackButton_; }

private:
    ViewEnvironment environment_;
    PlainButton* backButton_;
    TextLabel* backText_;
    QWidget* backShadow_;
    TextLabel* backShadowText_;
    TextLabel* title_;
    TextLabel* version_;
    TextLabel* studio_;
    PlainButton* feedbackButton_;
    TextLabel* feedbackText_;
};

} // namespace brillex
