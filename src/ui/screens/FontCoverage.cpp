#include "ui/screens/FontCoverage.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStringList>

#include "base/Log.h"
#include "settings/Localization.h"
#include "ui/kit/Theme.h"

namespace brillex {

FontCoverage& FontCoverage::shared() {
    static FontCoverage coverage;
    return coverage;
}

void FontCoverage::checkCurrentLanguage(const Localization& loc) {
    const std::string code = loc.currentLanguage();
    check(loc, code, Theme::languageFont(code).resolve(QApplication::font()));
}

bool FontCoverage::covers(const QFont& font, const QString& text) {
    QStringList families = font.families();
    if (families.isEmpty()) families.append(font.family());
    std::vector<QFontMetrics> metrics;
    for (const QString& family : families) {
        QFont face(font);
        face.setFamilies({family});
        // The face itself, not the system's fallbacks behind it.
        face.setStyleStrategy(QFont::NoFontMerging);
        metrics.emplace_back(face);
    }
    for (const char32_t letter : text.toUcs4()) {
        if (!QChar::isLetter(letter)) continue;
        bool found = false;
        for (const QFontMetrics& face : metrics) found = found || face.inFontUcs4(letter);
        if (!found) return false;
    }
    return true;
}

void FontCoverage::check(const Localization& loc, const std::string& code, const QFont& font) {
    // A language's faces are chosen once (Theme::languageFamily): a second look finds the same.
    if (!checked_.insert(code).second) return;
    std::string name = code;
    for (const Localization::Language& language : Localization::supportedLanguages())
        if (language.code == code) name = std::string(language.name);
    QString text = QString::fromStdString(name);
    if (const auto table = loc.strings().find(code); table != loc.strings().end())
        for (const auto& [key, value] : table->second) text += QString::fromStdString(value);
    if (covers(font, text)) return;
    logLine("Fonts: no installed font covers " + name + " (" + code +
            "); its texts show as empty boxes until one is installed, e.g. fonts-noto-cjk");
}

} // namespace brillex
