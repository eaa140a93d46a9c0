#include "platform/linux/services/KeyGrabTap.h"

#include <QSocketNotifier>

#include "base/Log.h"
#include "keys/KeyboardManager.h"

// Last: Xlib's macros (KeyPress, None, Bool) clash with names in the headers above.
#include "platform/linux/x11/XErrorTrap.h"
#include <X11/XF86keysym.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace brillex::x11 {

KeyGrabTap::KeyGrabTap(XDisplay* display, TapFilter filter) : display_(display), filter_(std::move(filter)) {
    const std::pair<KeySym, int> wanted[] = {{XF86XK_MonBrightnessUp, KeyboardManager::kKeyBrightnessUp},
                                             {XF86XK_MonBrightnessDown, KeyboardManager::kKeyBrightnessDown}};
    for (const auto& [keysym, auxiliaryCode] : wanted) {
        if (const KeyCode keycode = XKeysymToKeycode(display_, keysym); keycode != 0) {
            keys_.push_back({keycode, auxiliaryCode});
        }
    }
}

std::string KeyGrabTap::describe(Grab result) {
    switch (result) {
    case Grab::takenByOther:
        return "KeyGrab: another client holds XF86MonBrightnessUp/Down; bind them to `brillex ctl up|down` "
               "in the desktop's keyboard settings instead";
    case Grab::keysUnmapped:
        return "KeyGrab: the keyboard map has no XF86MonBrightnessUp/Down keys";
    case Grab::held:
    case Grab::refused:
        break;
    }
    return "KeyGrab: the X server refused to grab the brightness keys";
}

KeyGrabTap::~KeyGrabTap() {
    notifier_.reset();
    XCloseDisplay(display_);
}

std::vector<unsigned int> KeyGrabTap::lockCombinations() const {
    // NumLock is whichever modifier carries the Num_Lock key, when one does.
    unsigned int numLock = 0;
    const KeyCode numLockKey = XKeysymToKeycode(display_, XK_Num_Lock);
    if (XModifierKeymap* map = XGetModifierMapping(display_)) {
        for (int modifier = 0; modifier < 8 && numLockKey != 0; ++modifier) {
            for (int i = 0; i < map->max_keypermod; ++i) {
                if (map->modifiermap[modifier * map->max_keypermod + i] == numLockKey) numLock = 1u << modifier;
            }
        }
        XFreeModifiermap(map);
    }
    std::vector<unsigned int> combinations{0, LockMask};
    if (numLock != 0) combinations.insert(combinations.end(), {numLock, numLock | LockMask});
    return combinations;
}

KeyGrabTap::Grab KeyGrabTap::grab() {
    if (grabbed_) return Grab::held;
    if (keys_.empty()) return Grab::keysUnmapped;
    const Window root = DefaultRootWindow(display_);
    // Kept, so that a modifier map changed meanwhile cannot leave a grab behind.
    combinations_ = lockCombinations();
    XErrorTrap trap(display_);
    for (const Key& key : keys_) {
        for (const unsigned int modifiers : combinations_) {
            XGrabKey(display_, key.keycode, modifiers, root, False, GrabModeAsync, GrabModeAsync);
        }
    }
    if (const int error = trap.firstErrorCode(); error != 0) {
        // Some combinations may have been granted before the refusal.
        ungrab();
        return error == BadAccess ? Grab::takenByOther : Grab::refused;
    }
    grabbed_ = true;
    return Grab::held;
}

void KeyGrabTap::ungrab() {
    const Window root = DefaultRootWindow(display_);
    XErrorTrap trap(display_);
    for (const Key& key : keys_) {
        for (const unsigned int modifiers : combinations_) XUngrabKey(display_, key.keycode, modifiers, root);
    }
    trap.failed();
    grabbed_ = false;
}

void KeyGrabTap::addToMainRunLoop() {
    if (notifier_) return;
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    notifier_->setEnabled(enabled_);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
}

void KeyGrabTap::removeFromMainRunLoop() {
    notifier_.reset();
}

void KeyGrabTap::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (notifier_) notifier_->setEnabled(enabled);
    if (!enabled) {
        if (grabbed_) ungrab();
    } else if (const Grab result = grab(); result != Grab::held) {
        logLine(describe(result));
    }
}

void KeyGrabTap::readEvents() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type != KeyPress && event.type != KeyRelease) continue;
        for (const Key& key : keys_) {
            if (key.keycode != event.xkey.keycode) continue;
            const std::int64_t state =
                event.type == KeyPress ? KeyboardManager::kKeyStateDown : KeyboardManager::kKeyStateUp;
            const TapEvent tapEvent{KeyboardManager::kSystemDefinedEventType,
                                    TapEvent::Fields{KeyboardManager::kAuxControlButtonsSubtype,
                                                     std::int64_t{key.auxiliaryCode} << 16 | state << 8}};
            filter_(tapEvent);
        }
    }
}

} // namespace brillex::x11
