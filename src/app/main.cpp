#include "app/CommandLine.h"
#include "app/DeviceEnvironment.h"
#include "app/MainWindow.h"
#include "i18n/TextCatalogue.h"

#include <QApplication>

#include <iostream>

using namespace lumavert;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumavert"));
    QApplication::setApplicationVersion(QStringLiteral(LUMAVERT_VERSION));

    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        arguments.push_back(argument.toStdString());
    }
    const CommandLine options = parseCommandLine(arguments);
    if (!options.error.empty()) {
        std::cerr << "lumavert: " << options.error << "\nTry 'lumavert --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << commandLineHelp("lumavert");
        return 0;
    }
    if (options.version) {
        std::cout << "lumavert " << LUMAVERT_VERSION << '\n';
        return 0;
    }

    setCurrentLanguage(options.language);
    std::string error;
    const auto devices = options.simulate
                             ? DeviceEnvironment::simulated(options.simulateFile, error)
                             : DeviceEnvironment::system();
    if (!devices) {
        std::cerr << "lumavert: " << error << '\n';
        return 1;
    }
    MainWindow window({devices->bus(), devices->monitor()});
    window.show();
    return QApplication::exec();
}
