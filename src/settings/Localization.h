#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "base/Observable.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsStore.h"

namespace brillex {

// The interface texts in seven languages, compiled in, and the user's choice
// of language, which is kept in the store under "appLanguage".
class Localization : public ObservableObject {
public:
    struct Language {
        std::string_view code;
        std::string_view name;  // in its own language, as the picker shows it
    };
    using Table = std::map<std::string, std::string, std::less<>>;

    static Localization& shared();
    explicit Localization(SettingsStore& store);

    static constexpr const char* kLanguageKey = "appLanguage";

    // The seven languages in the picker's order.
    static std::span<const Language> supportedLanguages();

    // The stored code, or "en" when none is stored. Read from the store every time.
    std::string currentLanguage() const;
    // Stores the code (unchecked), then announces the change so that every
    // view showing a text redraws.
    void setCurrentLanguage(const std::string& code);

    // The text of the current language, else the English one, else the key itself.
    std::string localized(std::string_view key) const;

    // Language code -> key -> text; complete from construction, never changed.
    const std::map<std::string, Table, std::less<>>& strings() const { return strings_; }

private:
    SettingsReader reader_;
    std::map<std::string, Table, std::less<>> strings_;
};

} // namespace brillex
