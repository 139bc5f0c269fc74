// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace lumavert {

/// Every text the program's own windows show. Texts are UTF-8.
enum class Text {
    Connected,
    Disconnected,
    Next,
    Test,
    Upload,
    Open,
    Save,
    DefaultModes,
    FactoryReset,
    Household,
    Outdoor,
    Military,
    Tactical,
    Fishing,
    Customize,
    Help,
    Brightness,
    Frequency,
    LightingDuration,
    DimmingDuration,
    Insert,
    Delete,
    DeviceNotDetected,
    Uploading,
    UploadCompleted,
    UploadFinished,
    UploadFailed, ///< not every block reached the light
    Downloading,
    DownloadCompleted,
    DownloadFailed,
    Ok,
    SosItem,
    Sos,
    KeptValue,        ///< a value bar's tip: "%1" is the value the light keeps, with its unit
    KeptEntryDropped, ///< a value bar's tip: the light loses the lone last duration
    SosMarkDropped,   ///< a value bar's tip: the light reads an S.O.S mode back as Customize
    UnsavedChanges,   ///< the question before closing with unsaved modes
    Discard,          ///< close without saving
    Cancel,           ///< keep the window open
    PermissionHint,   ///< a light that may not be opened: "%1" its node, "%2" the udev rule
};

/// Number of catalogue entries; `Text` values run from 0 to kTextCount - 1.
inline constexpr int kTextCount = static_cast<int>(Text::PermissionHint) + 1;

/// The text of an entry for a Language code: "cn", "de", "fr", "sp", "pt" (any case), else English.
std::string lookupText(Text entry, std::string_view languageCode);

/// The text of an entry in the current language.
std::string lookupText(Text entry);

/// A copy of the current Language code ("en" until the program sets it).
std::string CurrentLanguage();

/// Sets the current Language code. The program does so once, at start-up.
void setCurrentLanguage(std::string_view languageCode);

/// Font face for the program's texts in a language.
std::string TextFontFace(std::string_view languageCode);

/// The locale a Language code's texts are written for, as translation catalogues are named:
/// "de", "fr", "es", "pt_PT", "zh_CN", or "en".
std::string localeName(std::string_view languageCode);

/// True when the code selects Chinese, which picks the Chinese resources.
bool isChinese(std::string_view languageCode);

/// Resource number of the 800 x 600 background picture for a language.
int backgroundBitmapId(std::string_view languageCode);

/// Path of the introduction page on the maker's image server, e.g. "/glowdial-images/en/".
std::string introPagePath(std::string_view languageCode);

/// Path of the maker's web site for a language, "/cn/" or "/us/".
std::string webSitePath(std::string_view languageCode);

/// File name of the local introduction page below the program's res folder.
std::string localIntroPage(std::string_view languageCode);

} // namespace lumavert
