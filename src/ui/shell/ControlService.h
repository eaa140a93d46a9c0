#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

namespace brillex {

class ControlCommands;

// The running instance on the session bus: owns the name that makes it the
// one instance of the user, and carries `brillex ctl` words to the control
// commands and their answer back. Every call is answered at once.
class ControlService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.brillex.Brillex.Control")
public:
    static constexpr const char* kServiceName = "org.brillex.Brillex";
    static constexpr const char* kObjectPath = "/org/brillex/Brillex";
    static constexpr const char* kInterface = "org.brillex.Brillex.Control";

    // `unavailable`: no session bus, or the object could not be published.
    enum class Claim { claimed, taken, unavailable };

    explicit ControlService(QDBusConnection bus);
    ~ControlService() override;

    // Publishes the object, then takes the name; `taken` when another
    // instance holds it.
    Claim claim();
    // The commands that calls reach from now on; referenced, not owned.
    void serve(ControlCommands& commands) { commands_ = &commands; }

public Q_SLOTS:
    // The words after "ctl"; answers the exit status and the two texts.
    Q_SCRIPTABLE int Command(const QStringList& words, QString& out, QString& err);
    // A second start of the program asks for the popover.
    Q_SCRIPTABLE void ShowPopover();

private:
    QDBusConnection bus_;
    ControlCommands* commands_ = nullptr;
    bool registered_ = false;
};

} // namespace brillex
