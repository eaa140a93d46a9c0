#include "ui/kit/Theme.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <map>

namespace brillex::Theme {

namespace {

struct Style {
    int pixels;
    QFont::Weight weight;
};

Style styleOf(TextStyle style) {
    switch (style) {
    case TextStyle::title2: return {17, QFont::Normal};
    case TextStyle::title3: return {15, QFont::Normal};
    case TextStyle::headline: return {13, QFont::DemiBold};
    case TextStyle::subheadline: return {11, QFont::Normal};
    case TextStyle::body: return {13, QFont::Normal};
    case TextStyle::caption: return {10, QFont::Normal};
    case TextStyle::caption2: return {10, QFont::Normal};
    }
    return {13, QFont::Normal};
}

bool isDark() { return QApplication::palette().color(QPalette::Window).lightness() < 128; }

QColor accent(QColor light, QColor dark) { return isDark() ? dark : light; }

struct CjkFaces {
    std::string_view code;
    QFontDatabase::WritingSystem writingSystem;
    QStringList preferred;  // by family name, best first
};

const CjkFaces* cjkFacesOf(std::string_view code) {
    static const CjkFaces faces[] = {
        {"zh-Hans", QFontDatabase::SimplifiedChinese,
         {"Noto Sans CJK SC", "Source Han Sans SC", "Source Han Sans CN", "WenQuanYi Micro Hei", "PingFang SC"}},
        {"ja", QFontDatabase::Japanese, {"Noto Sans CJK JP", "Source Han Sans JP", "IPAGothic", "Hiragino Sans"}},
        {"ko", QFontDatabase::Korean, {"Noto Sans CJK KR", "Source Han Sans KR", "NanumGothic", "Apple SD Gothic Neo"}},
    };
    for (const CjkFaces& entry : faces)
        if (entry.code == code) return &entry;
    return nullptr;
}

// The preferred installed family, else any family made for the writing
// system; empty when none is installed (the platform's fallback then draws).
QString cjkFamily(const CjkFaces& faces) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : faces.preferred)
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    const QStringList made = QFontDatabase::families(faces.writingSystem);
    return made.isEmpty() ? QString() : made.first();
}

} // namespace

QFont font(TextStyle style) { return font(style, styleOf(style).weight); }

QFont font(TextStyle style, QFont::Weight weight) {
    QFont result;
    result.setPixelSize(styleOf(style).pixels);
    result.setWeight(weight);
    return result;
}

bool needsOwnFace(std::string_view code) { return cjkFacesOf(code) != nullptr; }

QString languageFamily(std::string_view code) {
    const CjkFaces* faces = cjkFacesOf(code);
    if (!faces) return {};
    // Looked up once per language: the font database does not change under a running program.
    static std::map<std::string_view, QString> chosen;
    auto found = chosen.find(faces->code);
    if (found == chosen.end()) found = chosen.emplace(faces->code, cjkFamily(*faces)).first;
    return found->second;
}

QFont languageFont(std::string_view code) {
    QFont result;
    const QString family = languageFamily(code);
    if (family.isEmpty()) return result;
    // Latin letters and digits stay in the family the application's font
    // resolves to (its name may be an alias such as "Sans Serif", which a
    // family list does not resolve), so they look and measure the same in
    // every language; the CJK face draws what that family lacks, before any
    // platform fallback would.
    result.setFamilies({QFontInfo(QApplication::font()).family(), family});
    return result;
}

int pixelSize(TextStyle style) { return styleOf(style).pixels; }

QColor color(SystemColor color) {
    const QPalette palette = QApplication::palette();
    switch (color) {
    case SystemColor::primary: return withOpacity(palette.color(QPalette::WindowText), 0.85);
    case SystemColor::secondary: return withOpacity(palette.color(QPalette::WindowText), 0.5);
    case SystemColor::yellow: return accent(QColor(255, 204, 0), QColor(255, 214, 10));
    case SystemColor::orange: return accent(QColor(255, 149, 0), QColor(255, 159, 10));
    case SystemColor::red: return accent(QColor(255, 59, 48), QColor(255, 69, 58));
    case SystemColor::green: return accent(QColor(40, 205, 65), QColor(50, 215, 75));
    case SystemColor::blue: return accent(QColor(0, 122, 255), QColor(10, 132, 255));
    case SystemColor::indigo: return accent(QColor(88, 86, 214), QColor(94, 92, 230));
    case SystemColor::gray: return accent(QColor(142, 142, 147), QColor(152, 152, 157));
    case SystemColor::white: return QColor(255, 255, 255);
    case SystemColor::windowBackground: return palette.color(QPalette::Window);
    case SystemColor::separator: return withOpacity(palette.color(QPalette::WindowText), 0.12);
    }
    return palette.color(QPalette::WindowText);
}

QColor withOpacity(QColor base, double opacity) {
    base.setAlphaF(static_cast<float>(base.alphaF() * opacity));
    return base;
}

void paintControl(QWidget& widget, const std::function<void(QPainter&)>& draw) {
    QPainter painter(&widget);
    if (widget.isEnabled()) {
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        return;
    }
    const qreal ratio = widget.devicePixelRatioF();
    QImage layer(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        draw(layerPainter);
    }
    painter.setOpacity(kDisabledOpacity);
    painter.drawImage(QPointF(0, 0), layer);
}

void apply(QWidget& widget, TextStyle style, SystemColor textColor) {
    apply(widget, style, styleOf(style).weight, textColor);
}

void apply(QWidget& widget, TextStyle style, QFont::Weight weight, SystemColor textColor) {
    widget.setFont(font(style, weight));
    setTextColor(widget, color(textColor));
}

void setTextColor(QWidget& widget, QColor textColor) {
    QPalette palette = widget.palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(role, textColor);
    widget.setPalette(palette);
    // Inside a button a widget would otherwise draw in the button's text role.
    widget.setForegroundRole(QPalette::WindowText);
}

QPalette darkPalette() {
    // Qt derives the text, light and shadow roles from the button and window colours.
    QPalette palette(QColor(58, 58, 60), QColor(40, 40, 42));
    palette.setColor(QPalette::Base, QColor(30, 30, 30));
    palette.setColor(QPalette::Highlight, QColor(10, 132, 255));
    return palette;
}

} // namespace brillex::Theme
