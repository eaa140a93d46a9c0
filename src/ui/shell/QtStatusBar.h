#pragma once

#include <QRect>
#include <QSystemTrayIcon>

#include <memory>

#include "app/StatusBar.h"
#include "ui/shell/GlobalAnchor.h"

namespace brillex {

class QtGlobalEventMonitor;

// The status item's button as a system-tray icon. A left click runs the
// action, except the click that has just closed the popover: on a tray the
// icon belongs to the panel, so clicking it first deactivates us (which the
// mouse monitor takes for a click elsewhere) and then reaches us; running the
// action too would open the popover again at once.
class QtStatusItemButton : public StatusItemButton, public GlobalAnchor {
public:
    explicit QtStatusItemButton(const QtGlobalEventMonitor& monitor);

    void setImage(const std::string& symbolName, const std::string& accessibilityDescription) override;
    void setAction(std::function<void()> action) override;
    Rect bounds() const override;

    // Where the icon is on the tray.
    QRect globalGeometry() const override { return tray_.geometry(); }
    bool hasImage() const { return !tray_.icon().isNull(); }
    QString toolTip() const { return tray_.toolTip(); }
    // Acts as a left click on the icon does.
    void click();

private:
    const QtGlobalEventMonitor& monitor_;
    QSystemTrayIcon tray_;
    std::function<void()> action_;
};

class QtStatusItem : public StatusItem {
public:
    explicit QtStatusItem(const QtGlobalEventMonitor& monitor) : button_(monitor) {}
    StatusItemButton* button() override { return &button_; }

private:
    QtStatusItemButton button_;
};

// The desktop's system tray as the status bar.
class QtStatusBar : public StatusBar {
public:
    explicit QtStatusBar(const QtGlobalEventMonitor& monitor) : monitor_(monitor) {}
    std::unique_ptr<StatusItem> statusItemWithLength(double length) override;

private:
    const QtGlobalEventMonitor& monitor_;
};

} // namespace brillex
