// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/TextCatalogue.h"

#include "i18n/AsciiCase.h"

#include <algorithm>
#include <array>

namespace lumavert {

namespace {

enum Language { English, German, French, Spanish, Portuguese, Chinese, kLanguageCount };

struct LanguageCode {
    std::string_view code;
    Language language;
};

constexpr LanguageCode kLanguageCodes[] = {
    {"cn", Chinese}, {"de", German}, {"fr", French}, {"sp", Spanish}, {"pt", Portuguese},
};

struct Entry {
    Text text;
    std::array<const char*, kLanguageCount> texts; ///< in the order of `Language`
};

// clang-format off
constexpr Entry kCatalogue[] = {
    //                         English, German, French, Spanish, Portuguese, Chinese
    {Text::Connected,          {"Connected", "Verbunden", "Connecté", "Conectado", "Ligado", "已连接"}},
    {Text::Disconnected,       {"Disconnected", "Nicht verbunden", "Déconnecté", "Desconectado", "Desligado", "未连接"}},
    {Text::Next,               {"Next", "Weiter", "Suivant", "Next", "Next", "下一个"}},
    {Text::Test,               {"Test", "Test", "Test", "Test", "Teste", "试一试"}},
    {Text::Upload,             {"Upload", "übertragen", "Chargement", "Carga", "Carga", "载入手电"}},
    {Text::Open,               {"Open", "Offnen", "Ouvrir", "Abrir", "Abrir", "打开"}},
    {Text::Save,               {"Save", "Speichern", "Sauvegarder", "Guardar", "Guardar", "保存"}},
    {Text::DefaultModes,       {"Default Modes", "Voreinstellungen", "Modes par defaut", "Modos estandar", "Modos standard", "默认模式"}},
    {Text::FactoryReset,       {"Factory data reset", "Auf Werkseinstellungen zurücksetzen", "Reinstallation par defaut", "Reinicio modos de serie preinstalados", "Reinicio modos serie pre-instalados", "出厂设置"}},
    {Text::Household,          {"Household", "Haushalts-Modus", "Mode Domestique", "Modo Domestico", "Modo Domestico", "居家模式"}},
    {Text::Outdoor,            {"Outdoor", "Outdoor-Modus", "Mode Exterieur", "Modo Outdoor", "Modo Outdoor", "户外模式"}},
    {Text::Military,           {"Military", "Einsatz-Modus", "Mode Militaire", "ModoMilitar", "Modo Militar", "警用模式"}},
    {Text::Tactical,           {"Tactical", "Taktischer Modus", "Mode Tactique", "Modo Tactico", "Modo Tactico", "战术模式"}},
    {Text::Fishing,            {"Fishing", "Angel-Modus", "Mode Peche", "ModoPesca", "Modo Pesca", "垂钓模式"}},
    {Text::Customize,          {"Customize", "Customize", "Personnaliser", "Personalizar", "Personalizar", "自定义"}},
    {Text::Help,               {"Help", "Help", "Help", "Help", "Help", "帮助"}},
    {Text::Brightness,         {"Brightness", "Helligkeit", "Luminosite", "Luminosidad", "Luminosidade", "亮度"}},
    {Text::Frequency,          {"Frequency", "Frequenz", "Frequence", "Frecuencia", "Frequencia", "频率"}},
    {Text::LightingDuration,   {"Lighting Duration", "Leuchtdauer", "Haute durée d'éclairage", "Duración alta luminosidad", "Duracao alta luminosidade", "亮时长"}},
    {Text::DimmingDuration,    {"Dimming Duration", "Dimmdauer", "Basse durée d' obscurité", "Duración baja oscuridad", "Duracao baixa luminosidade", "暗时长"}},
    {Text::Insert,             {"(Insert)", "(Einfügen)", "(Inserer)", "(Insertar)", "(Inserir)", "(插入)"}},
    {Text::Delete,             {"(Delete)", "(Loschen)", "(Supprimer)", "(Eliminar)", "(Eliminar)", "(删除)"}},
    {Text::DeviceNotDetected,  {"Device not detected\nPlease verify connection",
                               "Gerat nicht verbunden. Bitte prüfen Sie die Verbindung",
                               "Aucun dispositif connecté : vérifier et maintenir le dispositif ouvert",
                               "Ningún dispositivo conectado: por favor verificar el dispositivo y mantenerlo abierto",
                               "Nenhum dispositivo ligado: por favor verificar o dispositivo e manter aberto",
                               "未检测到电筒\n请连接电筒并打开开关"}},
    {Text::Uploading,          {"Uploading", "Download", "Téléchargement en cours", "Descargando", "Descarregando", "载入中"}},
    {Text::UploadCompleted,    {"Upload completed", "Download", "Téléchargement terminé", "Descargacompleta", "Descarga completa", "载入完成"}},
    {Text::UploadFailed,       {"Upload failed", "Übertragung fehlgeschlagen", "Échec du chargement", "Carga fallida", "Falha na carga", "载入失败"}},
    {Text::Downloading,        {"Downloading", "Lesen", "Lecture en cours", "Leyendo", "Lendo", "读取中"}},
    {Text::DownloadCompleted,  {"Download completed", "abgeschlossen", "Complété", "completo", "Completo", "读取完成"}},
    {Text::DownloadFailed,     {"Download failed", "Download failed", "Download failed", "Download failed", "Download failed", "读取错误"}},
    {Text::Ok,                 {"OK", "OK", "OK", "OK", "OK", "确定"}},
    {Text::SosItem,            {"(S.O.S)", "(S.O.S)", "(S.O.S)", "(S.O.S)", "(S.O.S)", "(S.O.S)"}},
    {Text::Sos,                {"S.O.S", "S.O.S", "S.O.S", "S.O.S", "S.O.S", "S.O.S"}},
    {Text::KeptValue,          {"The light keeps %1", "Die Lampe speichert %1", "La lampe garde %1", "La linterna guarda %1", "A lanterna guarda %1", "手电保存为 %1"}},
    {Text::KeptEntryDropped,   {"The light does not keep this duration", "Die Lampe speichert diese Dauer nicht", "La lampe ne garde pas cette durée", "La linterna no guarda esta duración", "A lanterna não guarda esta duração", "手电不保存此时长"}},
    {Text::SosMarkDropped,     {"The light does not keep the S.O.S mark", "Die Lampe speichert die S.O.S-Kennzeichnung nicht", "La lampe ne garde pas la marque S.O.S", "La linterna no guarda la marca S.O.S", "A lanterna não guarda a marca S.O.S", "手电不保存S.O.S标记"}},
    {Text::UnsavedChanges,     {"The light modes have unsaved changes.\nSave them before closing?",
                               "Die Lichtmodi haben ungespeicherte Änderungen.\nVor dem Schließen speichern?",
                               "Les modes d'éclairage ont des modifications non enregistrées.\nLes enregistrer avant de fermer ?",
                               "Los modos de luz tienen cambios sin guardar.\n¿Guardarlos antes de cerrar?",
                               "Os modos de luz têm alterações não guardadas.\nGuardá-las antes de fechar?",
                               "灯光模式有未保存的更改。\n关闭前是否保存？"}},
    {Text::Discard,            {"Discard", "Verwerfen", "Abandonner", "Descartar", "Descartar", "不保存"}},
    {Text::Cancel,             {"Cancel", "Abbrechen", "Annuler", "Cancelar", "Cancelar", "取消"}},
    {Text::PermissionHint,     {"This user may not open the light %1. The udev rule %2 allows it: once it is installed, run sudo udevadm control --reload-rules && sudo udevadm trigger and plug the light in again.",
                               "Dieser Benutzer darf die Lampe %1 nicht öffnen. Die udev-Regel %2 erlaubt es: nach der Installation sudo udevadm control --reload-rules && sudo udevadm trigger ausführen und die Lampe neu anstecken.",
                               "Cet utilisateur ne peut pas ouvrir la lampe %1. La règle udev %2 le permet : une fois installée, lancez sudo udevadm control --reload-rules && sudo udevadm trigger et rebranchez la lampe.",
                               "Este usuario no puede abrir la linterna %1. La regla udev %2 lo permite: una vez instalada, ejecute sudo udevadm control --reload-rules && sudo udevadm trigger y vuelva a conectar la linterna.",
                               "Este utilizador não pode abrir a lanterna %1. A regra udev %2 permite-o: depois de instalada, execute sudo udevadm control --reload-rules && sudo udevadm trigger e volte a ligar a lanterna.",
                               "当前用户无权打开电筒 %1。udev 规则 %2 可授予权限：安装后运行 sudo udevadm control --reload-rules && sudo udevadm trigger，然后重新插入电筒。"}},
};
// clang-format on

Language languageOf(std::string_view languageCode) {
    const auto found = std::ranges::find_if(kLanguageCodes, [&](const LanguageCode& known) {
        return equalsIgnoringAsciiCase(known.code, languageCode);
    });
    return found == std::end(kLanguageCodes) ? English : found->language;
}

std::string& currentLanguageCode() {
    static std::string code = "en";
    return code;
}

template <typename T>
T forChinese(std::string_view languageCode, T chinese, T other) {
    return isChinese(languageCode) ? chinese : other;
}

} // namespace

std::string lookupText(Text entry, std::string_view languageCode) {
    // The transfer dialog's second name for the same words.
    const Text shown = entry == Text::UploadFinished ? Text::UploadCompleted : entry;
    const auto found = std::ranges::find(kCatalogue, shown, &Entry::text);
    if (found == std::end(kCatalogue)) {
        return {};
    }
    return found->texts[static_cast<std::size_t>(languageOf(languageCode))];
}

std::string lookupText(Text entry) {
    return lookupText(entry, currentLanguageCode());
}

std::string CurrentLanguage() {
    return currentLanguageCode();
}

void setCurrentLanguage(std::string_view languageCode) {
    currentLanguageCode() = languageCode;
}

std::string localeName(std::string_view languageCode) {
    constexpr std::array<const char*, kLanguageCount> kLocales{"en", "de",    "fr",
                                                               "es", "pt_PT", "zh_CN"};
    return kLocales[static_cast<std::size_t>(languageOf(languageCode))];
}

bool isChinese(std::string_view languageCode) {
    return languageOf(languageCode) == Chinese;
}

std::string TextFontFace(std::string_view languageCode) {
    return forChinese<std::string>(languageCode, "仿宋", "Arial");
}

int backgroundBitmapId(std::string_view languageCode) {
    return forChinese(languageCode, 246, 254);
}

std::string introPagePath(std::string_view languageCode) {
    return forChinese<std::string>(languageCode, "/glowdial-images/cn/", "/glowdial-images/en/");
}

std::string webSitePath(std::string_view languageCode) {
    return forChinese<std::string>(languageCode, "/cn/", "/us/");
}

std::string localIntroPage(std::string_view languageCode) {
    return forChinese<std::string>(languageCode, "Intro_cn.html", "Intro_us.html");
}

} // namespace lumavert
