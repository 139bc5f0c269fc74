// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/WindowCommandLine.h"
#include "cli/CliCommandLine.h"

#include <QTest>

using namespace lumavert;

namespace {

std::optional<WindowCommandLine> parseWindow(const std::vector<std::string>& arguments,
                                             std::string& error) {
    return parseWindowCommandLine(arguments, error);
}

} // namespace

class WindowCommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void sharedOptionsMeanTheSameInBothPrograms_data() {
        QTest::addColumn<QString>("argument");
        for (const char* argument :
             {"--help", "-h", "--version", "--simulate", "--simulate=light.bin",
              "--simulate=", "--simulatex", "--simulate=="}) {
            QTest::newRow(argument) << argument;
        }
    }
    void sharedOptionsMeanTheSameInBothPrograms() {
        QFETCH(QString, argument);
        std::string windowError;
        const auto window = parseWindow({argument.toStdString()}, windowError);
        std::string cliError;
        const std::vector<std::string> cliArguments{argument.toStdString(), "devices"};
        const auto cli = parseCommandLine(cliArguments, cliError);
        QCOMPARE(bool(window), bool(cli));
        if (window) {
            const SharedOptions& w = *window;
            const SharedOptions& c = *cli;
            QCOMPARE(w.help, c.help);
            QCOMPARE(w.version, c.version);
            QCOMPARE(w.simulate, c.simulate);
            QCOMPARE(w.simulateFile, c.simulateFile);
        } else {
            QCOMPARE(windowError, cliError);
        }
    }

    void defaultsToGermanOnTheRealBusAndReadsTheLanguage() {
        std::string error;
        const auto defaults = parseWindow({}, error);
        QVERIFY(defaults);
        QCOMPARE(defaults->language, std::string("de"));
        QVERIFY(!defaults->simulate);
        QCOMPARE(parseWindow({"--lang=en", "--simulate"}, error)->language, std::string("en"));
        QVERIFY(!parseWindow({"--lang="}, error));
        QCOMPARE(error, std::string("unknown option '--lang='"));
    }

    void opensOneFileGivenAnywhereAndAfterDoubleDash() {
        std::string error;
        QCOMPARE(parseWindow({"a.ini", "--lang=en"}, error)->file, std::string("a.ini"));
        QCOMPARE(parseWindow({"--simulate", "--", "-b.ini"}, error)->file, std::string("-b.ini"));
        QVERIFY(!parseWindow({"a.ini", "b.ini"}, error));
        QCOMPARE(error, std::string("only one FILE can be opened"));
    }
};

QTEST_APPLESS_MAIN(WindowCommandLineTest)
#include "WindowCommandLineTest.moc"
