#pragma once

#include <QFont>
#include <QString>

#include <set>
#include <string>

namespace brillex {

class Localization;

// Whether the installed fonts draw a language: where none covers it, its
// texts are empty boxes, which the log then says once per language.
class FontCoverage {
public:
    // One report per language in the whole program, from launch on.
    static FontCoverage& shared();

    // True when every letter of `text` is in one of `font`'s families.
    static bool covers(const QFont& font, const QString& text);

    // The current language in the family list its views are given.
    void checkCurrentLanguage(const Localization& loc);

    // Checks the texts of language `code` (its name among them) in `font`,
    // the family list its views use, the first time it is asked about that
    // language, and logs one line when one is not covered.
    void check(const Localization& loc, const std::string& code, const QFont& font);

private:
    std::set<std::string> checked_;
};

} // namespace brillex
