// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DeviceEnvironment.h"
#include "app/MainWindow.h"
#include "app/QtTranslations.h"
#include "app/WindowCommandLine.h"
#include "controls/QtText.h"
#include "i18n/TextCatalogue.h"
#include "program/Version.h"

#include <QApplication>
#include <QFile>

#include <iostream>

using namespace lumavert;

int main(int argc, char* argv[]) {
    // Answered before Qt looks for a display, so they work without one.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string usageError;
    const std::optional<WindowCommandLine> options = parseWindowCommandLine(arguments, usageError);
    if (!options) {
        std::cerr << "lumavert: " << usageError << " (see lumavert --help)\n";
        return 2;
    }
    if (options->help) {
        std::cout << windowUsage();
        return 0;
    }
    if (options->version) {
        std::cout << "lumavert " << kVersion << '\n';
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumavert"));
    QApplication::setApplicationVersion(qtString(kVersion));
    setCurrentLanguage(options->language);
    installQtTranslations(CurrentLanguage());
    std::string error;
    const auto devices = options->simulate
                             ? DeviceEnvironment::simulated(options->simulateFile, error)
                             : DeviceEnvironment::system();
    if (!devices) {
        std::cerr << "lumavert: --simulate: " << error << '\n';
        return 2; // a value of an option that cannot be used, as an unknown option
    }
    MainWindow window({devices->bus(), devices->monitor()});
    window.show();
    if (!options->file.empty()) {
        window.openModeSetFile(QFile::decodeName(options->file.c_str()));
    }
    return QApplication::exec();
}
