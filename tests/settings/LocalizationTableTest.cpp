#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/ManualLoop.h"
#include "settings/Localization.h"
#include "settings/MemoryStore.h"

using namespace brillex;

namespace {

// The language list and the text tables as the product's documentation gives them, copied
// verbatim; parsed below so that the compiled table is checked against every cell.
constexpr const char* kDocumentedTables = R"md(
| Code | Display name in the picker |
|---|---|
| "en" | "English" |
| "ko" | "한국어" |
| "ja" | "日本語" |
| "zh-Hans" | "简体中文" |
| "es" | "Español" |
| "fr" | "Français" |
| "de" | "Deutsch" |

| Key | English ("en") | Shown on |
|---|---|---|
| "settings" | "Settings" | not shown by any screen |
| "power" | "Power" | settings: section header |
| "controls" | "Controls" | settings: section header |
| "general" | "General" | settings: section header |
| "only_while_charging" | "Only while charging" | settings: toggle |
| "auto_off_battery" | "Auto off on battery" | not shown by any screen |
| "auto_off_low_battery" | "Auto off on low battery" | settings: toggle |
| "auto_off_timer" | "Auto-off Timer" | settings: toggle |
| "brightness_key_control" | "Brightness Key Control" | settings: toggle title |
| "use_f1_f2" | "Use F1/F2 keys to control boost" | settings: toggle subtitle |
| "enable_in_settings" | "Enable in System Settings" | settings: accessibility prompt |
| "launch_at_login" | "Launch at login" | settings: toggle |
| "language" | "Language" | settings: picker label |
| "about" | "About" | settings: row; about: title |
| "quit_app" | "Quit Brillex" | settings: quit row |
| "system_brightness" | "System Brightness" | not shown by any screen |
| "xdr_boost" | "XDR Boost" | main: XDR section title |
| "no_display" | "No display detected" | main: system-brightness section without displays |
| "no_xdr_display" | "No XDR display detected" | main: XDR section without extended-range displays |
| "built_in_display" | "Built-in Retina Display" | main: name of the built-in display in both kinds of row |
| "external_display" | "External Display" | not shown by any screen |
| "not_supported" | "Not supported" | main: boost row of a display that is not XDR-capable; keyboard section without backlight |
| "requires_100" | "Requires 100% system brightness" | main: boost row hint when the display is not at full system brightness |
| "brightness_not_available" | "Brightness control not available" | main: system-brightness row without brightness functions |
| "back" | "Back" | about: back button |
| "version" | "Version" | about: version line |
| "by_tovane" | "by Tovane" | about: studio line |
| "send_feedback" | "Send Feedback" | about: feedback button |
| "keyboard_backlight" | "Keyboard Backlight" | main: slider title; settings: toggle |
| "keyboard_backlight_desc" | "Show keyboard brightness control" | not shown by any screen |
| "display_features" | "Display Controls" | settings: toggle |
| "display_features_desc" | "Dark Mode, Night Shift, True Tone" | not shown by any screen |

| Key | "ko" | "ja" | "zh-Hans" |
|---|---|---|---|
| "settings" | "설정" | "設定" | "设置" |
| "power" | "전원" | "電源" | "电源" |
| "controls" | "제어" | "コントロール" | "控制" |
| "general" | "일반" | "一般" | "通用" |
| "only_while_charging" | "충전 중일 때만" | "充電中のみ" | "仅充电时" |
| "auto_off_battery" | "배터리 사용 시 자동 끄기" | "バッテリー使用時に自動オフ" | "使用电池时自动关闭" |
| "auto_off_low_battery" | "배터리 부족 시 자동 끄기" | "バッテリー残量低下時に自動オフ" | "低电量时自动关闭" |
| "auto_off_timer" | "자동 끄기 타이머" | "自動オフタイマー" | "自动关闭计时器" |
| "brightness_key_control" | "밝기 키 제어" | "輝度キー制御" | "亮度键控制" |
| "use_f1_f2" | "F1/F2 키로 부스트 조절" | "F1/F2キーでブースト調整" | "使用F1/F2键控制增强" |
| "enable_in_settings" | "시스템 설정에서 활성화" | "システム設定で有効化" | "在系统设置中启用" |
| "launch_at_login" | "로그인 시 실행" | "ログイン時に起動" | "登录时启动" |
| "language" | "언어" | "言語" | "语言" |
| "about" | "정보" | "情報" | "关于" |
| "quit_app" | "Brillex 종료" | "Brillexを終了" | "退出Brillex" |
| "system_brightness" | "시스템 밝기" | "システム輝度" | "系统亮度" |
| "xdr_boost" | "XDR 부스트" | "XDRブースト" | "XDR增强" |
| "no_display" | "디스플레이 없음" | "ディスプレイなし" | "未检测到显示器" |
| "no_xdr_display" | "XDR 디스플레이 없음" | "XDRディスプレイなし" | "未检测到XDR显示器" |
| "built_in_display" | "내장 Retina 디스플레이" | "内蔵Retinaディスプレイ" | "内置Retina显示器" |
| "external_display" | "외장 디스플레이" | "外部ディスプレイ" | "外接显示器" |
| "not_supported" | "지원되지 않음" | "非対応" | "不支持" |
| "requires_100" | "시스템 밝기 100% 필요" | "システム輝度100%が必要" | "需要100%系统亮度" |
| "brightness_not_available" | "밝기 제어 불가" | "輝度制御不可" | "亮度控制不可用" |
| "back" | "뒤로" | "戻る" | "返回" |
| "version" | "버전" | "バージョン" | "版本" |
| "by_tovane" | "by Tovane" | "by Tovane" | "by Tovane" |
| "send_feedback" | "피드백 보내기" | "フィードバック" | "发送反馈" |
| "keyboard_backlight" | "키보드 백라이트" | "キーボードバックライト" | "键盘背光" |
| "keyboard_backlight_desc" | "키보드 밝기 제어 표시" | "キーボード輝度制御を表示" | "显示键盘亮度控制" |
| "display_features" | "디스플레이 제어" | "ディスプレイ制御" | "显示控制" |
| "display_features_desc" | "다크 모드, 나이트 시프트, 트루 톤" | "ダークモード、Night Shift、True Tone" | "深色模式、夜览、原彩显示" |

| Key | "es" | "fr" | "de" |
|---|---|---|---|
| "settings" | "Ajustes" | "Réglages" | "Einstellungen" |
| "power" | "Energía" | "Alimentation" | "Stromversorgung" |
| "controls" | "Controles" | "Contrôles" | "Steuerung" |
| "general" | "General" | "Général" | "Allgemein" |
| "only_while_charging" | "Solo mientras carga" | "Uniquement en charge" | "Nur beim Laden" |
| "auto_off_battery" | "Apagar con batería" | "Désactiver sur batterie" | "Bei Akku ausschalten" |
| "auto_off_low_battery" | "Apagar con batería baja" | "Désactiver si batterie faible" | "Bei niedrigem Akku aus" |
| "auto_off_timer" | "Temporizador" | "Minuterie" | "Auto-Aus-Timer" |
| "brightness_key_control" | "Control de teclas" | "Contrôle des touches" | "Helligkeitstasten" |
| "use_f1_f2" | "Usa F1/F2 para ajustar" | "Utilisez F1/F2 pour ajuster" | "F1/F2 für Boost nutzen" |
| "enable_in_settings" | "Activar en Ajustes" | "Activer dans Réglages" | "In Einstellungen aktivieren" |
| "launch_at_login" | "Abrir al iniciar" | "Ouvrir à la connexion" | "Bei Anmeldung starten" |
| "language" | "Idioma" | "Langue" | "Sprache" |
| "about" | "Acerca de" | "À propos" | "Über" |
| "quit_app" | "Salir de Brillex" | "Quitter Brillex" | "Brillex beenden" |
| "system_brightness" | "Brillo del sistema" | "Luminosité système" | "Systemhelligkeit" |
| "xdr_boost" | "Impulso XDR" | "Boost XDR" | "XDR-Boost" |
| "no_display" | "Sin pantalla" | "Aucun écran" | "Kein Display erkannt" |
| "no_xdr_display" | "Sin pantalla XDR" | "Aucun écran XDR" | "Kein XDR-Display" |
| "built_in_display" | "Pantalla Retina integrada" | "Écran Retina intégré" | "Internes Retina Display" |
| "external_display" | "Pantalla externa" | "Écran externe" | "Externes Display" |
| "not_supported" | "No compatible" | "Non pris en charge" | "Nicht unterstützt" |
| "requires_100" | "Requiere brillo al 100%" | "Nécessite 100% de luminosité" | "Erfordert 100% Helligkeit" |
| "brightness_not_available" | "Control no disponible" | "Contrôle non disponible" | "Steuerung nicht verfügbar" |
| "back" | "Atrás" | "Retour" | "Zurück" |
| "version" | "Versión" | "Version" | "Version" |
| "by_tovane" | "por Tovane" | "par Tovane" | "von Tovane" |
| "send_feedback" | "Enviar comentarios" | "Envoyer un commentaire" | "Feedback senden" |
| "keyboard_backlight" | "Retroiluminación" | "Rétroéclairage" | "Tastaturbeleuchtung" |
| "keyboard_backlight_desc" | "Mostrar control de teclado" | "Afficher le contrôle du clavier" | "Tastaturhelligkeit anzeigen" |
| "display_features" | "Controles de pantalla" | "Contrôles d'affichage" | "Anzeigesteuerung" |
| "display_features_desc" | "Modo oscuro, Night Shift, True Tone" | "Mode sombre, Night Shift, True Tone" | "Dunkelmodus, Night Shift, True Tone" |
)md";

std::vector<std::string> cells(const std::string& row) {
    std::vector<std::string> result;
    std::size_t start = row.find('|') + 1;
    for (auto bar = row.find('|', start); bar != std::string::npos; bar = row.find('|', start)) {
        auto cell = row.substr(start, bar - start);
        cell.erase(0, cell.find_first_not_of(' '));
        cell.erase(cell.find_last_not_of(' ') + 1);
        result.push_back(cell);
        start = bar + 1;
    }
    return result;
}

// The text between the first and the last double quote of a cell; empty when unquoted.
std::string unquote(const std::string& cell) {
    const auto open = cell.find('"');
    const auto close = cell.rfind('"');
    if (open == std::string::npos || close == open) return {};
    return cell.substr(open + 1, close - open - 1);
}

struct Documented {
    std::vector<std::pair<std::string, std::string>> languages;  // code, picker name
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> texts;  // code -> key, text
};

Documented parseDocumented() {
    Documented doc;
    std::istringstream in(kDocumentedTables);
    std::vector<std::string> columns;  // language code per column; "" for other columns
    bool languageList = false;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.starts_with("|---")) continue;
        const auto row = cells(line);
        if (row.at(0) == "Code") {
            languageList = true;
            continue;
        }
        if (row.at(0) == "Key") {
            languageList = false;
            columns.clear();
            for (const auto& header : row) columns.push_back(unquote(header));
            continue;
        }
        if (languageList) {
            doc.languages.emplace_back(unquote(row.at(0)), unquote(row.at(1)));
            continue;
        }
        for (std::size_t i = 1; i < row.size(); ++i) {
            if (!columns.at(i).empty()) doc.texts[columns[i]].emplace_back(unquote(row.at(0)), unquote(row.at(i)));
        }
    }
    return doc;
}

} // namespace

TEST(LocalizationTable, EveryLanguageHoldsExactlyTheDocumentedTexts) {
    const auto doc = parseDocumented();
    ASSERT_EQ(doc.languages.size(), 7u);
    ASSERT_EQ(doc.texts.size(), 7u);

    ManualLoop loop;
    MemoryStore store(loop);
    Localization localization(store);
    ASSERT_EQ(localization.strings().size(), 7u);

    for (const auto& [code, pairs] : doc.texts) {
        SCOPED_TRACE(code);
        ASSERT_EQ(pairs.size(), 32u);
        const auto table = localization.strings().find(code);
        ASSERT_NE(table, localization.strings().end());
        EXPECT_EQ(table->second.size(), pairs.size());
        localization.setCurrentLanguage(code);
        for (const auto& [key, text] : pairs) {
            const auto entry = table->second.find(key);
            ASSERT_NE(entry, table->second.end()) << key;
            EXPECT_EQ(entry->second, text) << key;
            EXPECT_EQ(localization.localized(key), text) << key;
        }
    }
}

TEST(LocalizationTable, SupportedLanguagesInPickerOrderWithTheirOwnNames) {
    const auto doc = parseDocumented();
    const auto languages = Localization::supportedLanguages();
    ASSERT_EQ(languages.size(), doc.languages.size());
    for (std::size_t i = 0; i < languages.size(); ++i) {
        EXPECT_EQ(languages[i].code, doc.languages[i].first);
        EXPECT_EQ(languages[i].name, doc.languages[i].second);
    }
}
