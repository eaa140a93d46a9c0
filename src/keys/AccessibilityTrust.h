#pragma once

namespace brillex {

// Whether the user has allowed this program to watch and filter input events
// (the system's accessibility trust).
class AccessibilityTrust {
public:
    virtual ~AccessibilityTrust() = default;

    // With `prompt`, an untrusted program also gets the system's request to
    // grant trust shown; the answer is the trust as it stands now, the
    // request does not wait for the user.
    virtual bool isProcessTrusted(bool prompt) = 0;
};

} // namespace brillex
