// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/QtTranslations.h"

#include <QTest>
#include <QTranslator>

using namespace lumavert;

class QtTranslationsTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        // A translator removes itself from the application when deleted.
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
    }

    void qtsOwnTextsFollowTheWindowsLanguage_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("saveAs"); ///< the file dialog's title
        for (const auto& [code, saveAs] :
             {std::pair{"de", "Speichern unter"}, std::pair{"fr", "Enregistrer sous"},
              std::pair{"sp", "Guardar como"}, std::pair{"PT", "Gravar Como"}, // European
              std::pair{"cn", "另存为"}, std::pair{"en", "Save As"}}) {
            QTest::newRow(code) << QString::fromUtf8(code) << QString::fromUtf8(saveAs);
        }
    }
    void qtsOwnTextsFollowTheWindowsLanguage() {
        QFETCH(QString, code);
        QFETCH(QString, saveAs);
        QVERIFY(installQtTranslations(code.toStdString()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), saveAs);
        // The keys of message boxes and of the overwrite question.
        const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
        QCOMPARE(cancel == "Cancel", code == "en");
    }
};

QTEST_GUILESS_MAIN(QtTranslationsTest)
#include "QtTranslationsTest.moc"
