#include "settings/Localization.h"

#include <utility>

#include "base/Port.h"

namespace brillex {
namespace {

struct TextPair {
    std::string_view key;
    std::string_view text;
};

constexpr const char* kFallbackLanguage = "en";

constexpr TextPair kEnglish[] = {
    {"settings", "Settings"},
    {"power", "Power"},
    {"controls", "Controls"},
    {"general", "General"},
    {"only_while_charging", "Only while charging"},
    {"auto_off_battery", "Auto off on battery"},
    {"auto_off_low_battery", "Auto off on low battery"},
    {"auto_off_timer", "Auto-off Timer"},
    {"brightness_key_control", "Brightness Key Control"},
    {"use_f1_f2", "Use F1/F2 keys to control boost"},
    {"enable_in_settings", "Enable in System Settings"},
    {"launch_at_login", "Launch at login"},
    {"language", "Language"},
    {"about", "About"},
    {"quit_app", "Quit Brillex"},
    {"system_brightness", "System Brightness"},
    {"xdr_boost", "XDR Boost"},
    {"no_display", "No display detected"},
    {"no_xdr_display", "No XDR display detected"},
    {"built_in_display", "Built-in Retina Display"},
    {"external_display", "External Display"},
    {"not_supported", "Not supported"},
    {"requires_100", "Requires 100% system brightness"},
    {"brightness_not_available", "Brightness control not available"},
    {"back", "Back"},
    {"version", "Version"},
    {"by_tovane", "by Tovane"},
    {"send_feedback", "Send Feedback"},
    {"keyboard_backlight", "Keyboard Backlight"},
    {"keyboard_backlight_desc", "Show keyboard brightness control"},
    {"display_features", "Display Controls"},
    {"display_features_desc", "Dark Mode, Night Shift, True Tone"},
};

constexpr TextPair kKorean[] = {
    {"settings", "설정"},
    {"power", "전원"},
    {"controls", "제어"},
    {"general", "일반"},
    {"only_while_charging", "충전 중일 때만"},
    {"auto_off_battery", "배터리 사용 시 자동 끄기"},
    {"auto_off_low_battery", "배터리 부족 시 자동 끄기"},
    {"auto_off_timer", "자동 끄기 타이머"},
    {"brightness_key_control", "밝기 키 제어"},
    {"use_f1_f2", "F1/F2 키로 부스트 조절"},
    {"enable_in_settings", "시스템 설정에서 활성화"},
    {"launch_at_login", "로그인 시 실행"},
    {"language", "언어"},
    {"about", "정보"},
    {"quit_app", "Brillex 종료"},
    {"system_brightness", "시스템 밝기"},
    {"xdr_boost", "XDR 부스트"},
    {"no_display", "디스플레이 없음"},
    {"no_xdr_display", "XDR 디스플레이 없음"},
    {"built_in_display", "내장 Retina 디스플레이"},
    {"external_display", "외장 디스플레이"},
    {"not_supported", "지원되지 않음"},
    {"requires_100", "시스템 밝기 100% 필요"},
    {"brightness_not_available", "밝기 제어 불가"},
    {"back", "뒤로"},
    {"version", "버전"},
    {"by_tovane", "by Tovane"},
    {"send_feedback", "피드백 보내기"},
    {"keyboard_backlight", "키보드 백라이트"},
    {"keyboard_backlight_desc", "키보드 밝기 제어 표시"},
    {"display_features", "디스플레이 제어"},
    {"display_features_desc", "다크 모드, 나이트 시프트, 트루 톤"},
};

constexpr TextPair kJapanese[] = {
    {"settings", "設定"},
    {"power", "電源"},
    {"controls", "コントロール"},
    {"general", "一般"},
    {"only_while_charging", "充電中のみ"},
    {"auto_off_battery", "バッテリー使用時に自動オフ"},
    {"auto_off_low_battery", "バッテリー残量低下時に自動オフ"},
    {"auto_off_timer", "自動オフタイマー"},
    {"brightness_key_control", "輝度キー制御"},
    {"use_f1_f2", "F1/F2キーでブースト調整"},
    {"enable_in_settings", "システム設定で有効化"},
    {"launch_at_login", "ログイン時に起動"},
    {"language", "言語"},
    {"about", "情報"},
    {"quit_app", "Brillexを終了"},
    {"system_brightness", "システム輝度"},
    {"xdr_boost", "XDRブースト"},
    {"no_display", "ディスプレイなし"},
    {"no_xdr_display", "XDRディスプレイなし"},
    {"built_in_display", "内蔵Retinaディスプレイ"},
    {"external_display", "外部ディスプレイ"},
    {"not_supported", "非対応"},
    {"requires_100", "システム輝度100%が必要"},
    {"brightness_not_available", "輝度制御不可"},
    {"back", "戻る"},
    {"version", "バージョン"},
    {"by_tovane", "by Tovane"},
    {"send_feedback", "フィードバック"},
    {"keyboard_backlight", "キーボードバックライト"},
    {"keyboard_backlight_desc", "キーボード輝度制御を表示"},
    {"display_features", "ディスプレイ制御"},
    {"display_features_desc", "ダークモード、Night Shift、True Tone"},
};

constexpr TextPair kSimplifiedChinese[] = {
    {"settings", "设置"},
    {"power", "电源"},
    {"controls", "控制"},
    {"general", "通用"},
    {"only_while_charging", "仅充电时"},
    {"auto_off_battery", "使用电池时自动关闭"},
    {"auto_off_low_battery", "低电量时自动关闭"},
    {"auto_off_timer", "自动关闭计时器"},
    {"brightness_key_control", "亮度键控制"},
    {"use_f1_f2", "使用F1/F2键控制增强"},
    {"enable_in_settings", "在系统设置中启用"},
    {"launch_at_login", "登录时启动"},
    {"language", "语言"},
    {"about", "关于"},
    {"quit_app", "退出Brillex"},
    {"system_brightness", "系统亮度"},
    {"xdr_boost", "XDR增强"},
    {"no_display", "未检测到显示器"},
    {"no_xdr_display", "未检测到XDR显示器"},
    {"built_in_display", "内置Retina显示器"},
    {"external_display", "外接显示器"},
    {"not_supported", "不支持"},
    {"requires_100", "需要100%系统亮度"},
    {"brightness_not_available", "亮度控制不可用"},
    {"back", "返回"},
    {"version", "版本"},
    {"by_tovane", "by Tovane"},
    {"send_feedback", "发送反馈"},
    {"keyboard_backlight", "键盘背光"},
    {"keyboard_backlight_desc", "显示键盘亮度控制"},
    {"display_features", "显示控制"},
    {"display_features_desc", "深色模式、夜览、原彩显示"},
};

constexpr TextPair kSpanish[] = {
    {"settings", "Ajustes"},
    {"power", "Energía"},
    {"controls", "Controles"},
    {"general", "General"},
    {"only_while_charging", "Solo mientras carga"},
    {"auto_off_battery", "Apagar con batería"},
    {"auto_off_low_battery", "Apagar con batería baja"},
    {"auto_off_timer", "Temporizador"},
    {"brightness_key_control", "Control de teclas"},
    {"use_f1_f2", "Usa F1/F2 para ajustar"},
    {"enable_in_settings", "Activar en Ajustes"},
    {"launch_at_login", "Abrir al iniciar"},
    {"language", "Idioma"},
    {"about", "Acerca de"},
    {"quit_app", "Salir de Brillex"},
    {"system_brightness", "Brillo del sistema"},
    {"xdr_boost", "Impulso XDR"},
    {"no_display", "Sin pantalla"},
    {"no_xdr_display", "Sin pantalla XDR"},
    {"built_in_display", "Pantalla Retina integrada"},
    {"external_display", "Pantalla externa"},
    {"not_supported", "No compatible"},
    {"requires_100", "Requiere brillo al 100%"},
    {"brightness_not_available", "Control no disponible"},
    {"back", "Atrás"},
    {"version", "Versión"},
    {"by_tovane", "por Tovane"},
    {"send_feedback", "Enviar comentarios"},
    {"keyboard_backlight", "Retroiluminación"},
    {"keyboard_backlight_desc", "Mostrar control de teclado"},
    {"display_features", "Controles de pantalla"},
    {"display_features_desc", "Modo oscuro, Night Shift, True Tone"},
};

constexpr TextPair kFrench[] = {
    {"settings", "Réglages"},
    {"power", "Alimentation"},
    {"controls", "Contrôles"},
    {"general", "Général"},
    {"only_while_charging", "Uniquement en charge"},
    {"auto_off_battery", "Désactiver sur batterie"},
    {"auto_off_low_battery", "Désactiver si batterie faible"},
    {"auto_off_timer", "Minuterie"},
    {"brightness_key_control", "Contrôle des touches"},
    {"use_f1_f2", "Utilisez F1/F2 pour ajuster"},
    {"enable_in_settings", "Activer dans Réglages"},
    {"launch_at_login", "Ouvrir à la connexion"},
    {"language", "Langue"},
    {"about", "À propos"},
    {"quit_app", "Quitter Brillex"},
    {"system_brightness", "Luminosité système"},
    {"xdr_boost", "Boost XDR"},
    {"no_display", "Aucun écran"},
    {"no_xdr_display", "Aucun écran XDR"},
    {"built_in_display", "Écran Retina intégré"},
    {"external_display", "Écran externe"},
    {"not_supported", "Non pris en charge"},
    {"requires_100", "Nécessite 100% de luminosité"},
    {"brightness_not_available", "Contrôle non disponible"},
    {"back", "Retour"},
    {"version", "Version"},
    {"by_tovane", "par Tovane"},
    {"send_feedback", "Envoyer un commentaire"},
    {"keyboard_backlight", "Rétroéclairage"},
    {"keyboard_backlight_desc", "Afficher le contrôle du clavier"},
    {"display_features", "Contrôles d'affichage"},
    {"display_features_desc", "Mode sombre, Night Shift, True Tone"},
};

constexpr TextPair kGerman[] = {
    {"settings", "Einstellungen"},
    {"power", "Stromversorgung"},
    {"controls", "Steuerung"},
    {"general", "Allgemein"},
    {"only_while_charging", "Nur beim Laden"},
    {"auto_off_battery", "Bei Akku ausschalten"},
    {"auto_off_low_battery", "Bei niedrigem Akku aus"},
    {"auto_off_timer", "Auto-Aus-Timer"},
    {"brightness_key_control", "Helligkeitstasten"},
    {"use_f1_f2", "F1/F2 für Boost nutzen"},
    {"enable_in_settings", "In Einstellungen aktivieren"},
    {"launch_at_login", "Bei Anmeldung starten"},
    {"language", "Sprache"},
    {"about", "Über"},
    {"quit_app", "Brillex beenden"},
    {"system_brightness", "Systemhelligkeit"},
    {"xdr_boost", "XDR-Boost"},
    {"no_display", "Kein Display erkannt"},
    {"no_xdr_display", "Kein XDR-Display"},
    {"built_in_display", "Internes Retina Display"},
    {"external_display", "Externes Display"},
    {"not_supported", "Nicht unterstützt"},
    {"requires_100", "Erfordert 100% Helligkeit"},
    {"brightness_not_available", "Steuerung nicht verfügbar"},
    {"back", "Zurück"},
    {"version", "Version"},
    {"by_tovane", "von Tovane"},
    {"send_feedback", "Feedback senden"},
    {"keyboard_backlight", "Tastaturbeleuchtung"},
    {"keyboard_backlight_desc", "Tastaturhelligkeit anzeigen"},
    {"display_features", "Anzeigesteuerung"},
    {"display_features_desc", "Dunkelmodus, Night Shift, True Tone"},
};

constexpr Localization::Language kLanguages[] = {
    {"en", "English"},
    {"ko", "한국어"},
    {"ja", "日本語"},
    {"zh-Hans", "简体中文"},
    {"es", "Español"},
    {"fr", "Français"},
    {"de", "Deutsch"},
};

// The texts of each language of kLanguages, in the same order.
constexpr std::span<const TextPair> kTables[] = {
    kEnglish, kKorean, kJapanese, kSimplifiedChinese, kSpanish, kFrench, kGerman,
};

static_assert(std::size(kTables) == std::size(kLanguages));

} // namespace

Localization& Localization::shared() {
    static auto* instance = new Localization(Port<SettingsStore>::get());
    return *instance;
}

Localization::Localization(SettingsStore& store) : reader_(store) {
    for (std::size_t i = 0; i < std::size(kLanguages); ++i) {
        Table table;
        for (const auto& [key, text] : kTables[i]) table.emplace(key, text);
        strings_.emplace(kLanguages[i].code, std::move(table));
    }
}

std::span<const Localization::Language> Localization::supportedLanguages() {
    return kLanguages;
}

std::string Localization::currentLanguage() const {
    return reader_.text(kLanguageKey, kFallbackLanguage);
}

void Localization::setCurrentLanguage(const std::string& code) {
    reader_.store().set(kLanguageKey, code);
    objectWillChange().emit();
}

std::string Localization::localized(std::string_view key) const {
    const auto lookup = [&](std::string_view code) -> const std::string* {
        const auto table = strings_.find(code);
        if (table == strings_.end()) return nullptr;
        const auto text = table->second.find(key);
        return text == table->second.end() ? nullptr : &text->second;
    };
    if (const auto* text = lookup(currentLanguage())) return *text;
    if (const auto* text = lookup(kFallbackLanguage)) return *text;
    return std::string(key);
}

} // namespace brillex
