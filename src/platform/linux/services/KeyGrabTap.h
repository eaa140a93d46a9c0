#pragma once

#include <memory>
#include <string>
#include <vector>

#include "keys/EventTap.h"
#include "platform/linux/x11/CrtcRamp.h"

class QSocketNotifier;

namespace brillex::x11 {

// The two brightness keys taken from the desktop with passive grabs on the
// root window of a connection of its own. X hands a grabbed key to this
// client alone, so every press reaches the filter as the auxiliary-button
// event of brightness up or down; the verdict has nothing left to decide.
class KeyGrabTap : public EventTap {
public:
    enum class Grab { held, takenByOther, keysUnmapped, refused };

    // Takes the connection and closes it when destroyed, which also releases
    // the grabs.
    KeyGrabTap(XDisplay* display, TapFilter filter);
    ~KeyGrabTap() override;
    KeyGrabTap(const KeyGrabTap&) = delete;
    KeyGrabTap& operator=(const KeyGrabTap&) = delete;

    // Grabs both keys, plain and with CapsLock, NumLock or both; all or none.
    Grab grab();
    // The log line for a grab() that failed.
    static std::string describe(Grab result);

    void addToMainRunLoop() override;
    void removeFromMainRunLoop() override;
    // Disabled, the keys are released to the desktop until enabled again.
    void setEnabled(bool enabled) override;

private:
    struct Key {
        unsigned char keycode;
        int auxiliaryCode;
    };

    void ungrab();
    std::vector<unsigned int> lockCombinations() const;
    void readEvents();

    XDisplay* display_;
    TapFilter filter_;
    std::vector<Key> keys_;
    std::vector<unsigned int> combinations_;  // the modifiers of the last grab
    bool grabbed_ = false;
    bool enabled_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace brillex::x11
