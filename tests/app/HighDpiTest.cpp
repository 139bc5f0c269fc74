// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on a screen of device pixel ratio 2: every picture drawn twice as fine, the window
// and its parts at their usual sizes.

#include "WindowHarness.h"

#include "app/NoticeDialog.h"
#include "controls/SkinBitmap.h"

#include <QDir>

using namespace lumavert;

namespace {

// Before the application exists: the offscreen screen then has a device pixel ratio of 2.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

} // namespace

class HighDpiTest : public WindowTest {
    Q_OBJECT

  public:
    HighDpiTest()
        : WindowTest(true) {}

  private slots:
    // This program never calls Q_INIT_RESOURCE: linking lumavert_ui must be enough.
    void everyPictureIsCompiledInWithItsFineVersion() {
        QVERIFY(kScaled);
        const QStringList pictures = QDir(QStringLiteral(":/bitmaps")).entryList({"*.png"});
        QVERIFY(!pictures.isEmpty());
        for (const QString& entry : pictures) {
            if (entry.contains('@')) {
                continue;
            }
            const QPixmap picture = loadSkinBitmap(entry.section('.', 0, 0).toInt());
            QVERIFY2(picture.devicePixelRatio() == 2, qPrintable(entry));
        }
    }

    // Sizes come from the pictures' sizes in window pixels; parts of a picture are taken at
    // the same place whatever its pixels.
    void sizesAndPartsStayAsAtOneTimes() {
        QCOMPARE(h->window->size(), QSize(800, 600));
        QCOMPARE(NoticeDialog(h->window.get(), {}).size(), QSize(400, 240));
        QCOMPARE(h->key("testButton")->size(), QSize(84, 40));
        // In the filled part of a value bar: inside its body and just below it.
        const QImage shown = h->modeRow(1)->valueBar()->grab().toImage();
        QCOMPARE(shown.size(), QSize(366, 82));
        QVERIFY(shown.pixelColor(20, 72) != shown.pixelColor(20, 60));
    }
};

QTEST_MAIN(HighDpiTest)
#include "HighDpiTest.moc"
