#include "app/CommandLine.h"

#include <QTest>

using namespace lumavert;

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void defaultsStartInGermanOnTheRealBus() {
        const CommandLine options = parseCommandLine({});
        QCOMPARE(options.language, std::string("de"));
        QVERIFY(!options.simulate);
        QVERIFY(options.error.empty());
    }

    void readsEveryOption() {
        const CommandLine options =
            parseCommandLine({"--lang=en", "--simulate=/tmp/light.bin", "--version"});
        QCOMPARE(options.language, std::string("en"));
        QVERIFY(options.simulate);
        QCOMPARE(options.simulateFile, std::string("/tmp/light.bin"));
        QVERIFY(options.version);
        QVERIFY(parseCommandLine({"--simulate"}).simulate);
        QVERIFY(parseCommandLine({"--simulate"}).simulateFile.empty());
        QVERIFY(parseCommandLine({"-h"}).help);
    }

    void refusesWhatItDoesNotKnow_data() {
        QTest::addColumn<QString>("argument");
        QTest::newRow("unknown") << "--colour";
        QTest::newRow("empty file") << "--simulate=";
        QTest::newRow("empty language") << "--lang=";
        QTest::newRow("glued") << "--simulatex";
    }
    void refusesWhatItDoesNotKnow() {
        QFETCH(QString, argument);
        const CommandLine options = parseCommandLine({argument.toStdString()});
        QVERIFY(!options.error.empty());
        QVERIFY(options.error.find(argument.toStdString()) != std::string::npos);
    }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
