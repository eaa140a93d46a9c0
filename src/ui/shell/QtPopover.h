#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

#include "app/Popover.h"
#include "ui/screens/ViewEnvironment.h"

namespace brillex {

class ContentView;

// The popover as a frameless window under the status item. It closes only
// when told to; its size follows the root view, and it stays anchored to the
// item as it grows or shrinks.
class QtPopover : public QObject, public Popover {
    Q_OBJECT
public:
    explicit QtPopover(std::function<ViewEnvironment()> environment);
    ~QtPopover() override;

    void setBehavior(PopoverBehavior behavior) override { behavior_ = behavior; }
    void setAnimates(bool animates) override { animates_ = animates; }
    // The root view is made when the popover first opens: making it takes the
    // views' model objects, which must not come to be during launch.
    void hostContentView() override;

    bool isShown() const override;
    void showRelativeTo(Rect bounds, StatusItemButton& anchor, RectEdge edge) override;
    void performClose() override;

    QWidget* window() const { return window_.get(); }
    // Null until the popover has been shown once after hosting.
    ContentView* contentView() const { return content_; }
    PopoverBehavior behavior() const { return behavior_; }

    // Where the window goes for an anchor rectangle in Qt's global
    // coordinates: centred under it, above it when the screen has no room
    // below, kept inside `available`. An empty anchor means the top right of
    // `available`.
    static QPoint placement(QSize size, QRect anchor, QRect available);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    std::function<ViewEnvironment()> environment_;
    std::unique_ptr<QWidget> window_;
    bool hosted_ = false;
    ContentView* content_ = nullptr;
    PopoverBehavior behavior_ = PopoverBehavior::applicationDefined;
    bool animates_ = false;
    QRect anchor_;
};

// Makes Qt popovers whose root views read the given environment.
class QtPopoverFactory : public PopoverFactory {
public:
    explicit QtPopoverFactory(std::function<ViewEnvironment()> environment) : environment_(std::move(environment)) {}
    std::unique_ptr<Popover> makePopover() override { return std::make_unique<QtPopover>(environment_); }

private:
    std::function<ViewEnvironment()> environment_;
};

} // namespace brillex
