// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/CellFont.h"
#include "controls/ColorRef.h"
#include "controls/LinkLabel.h"
#include "controls/SkinBitmap.h"
#include "controls/SkinButton.h"
#include "controls/SkinCombo.h"
#include "controls/SkinProgress.h"
#include "controls/SkinScrollBar.h"
#include "controls/ValueSlider.h"

#include <QAbstractItemView>
#include <QDir>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace lumavert {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kHighlight = kAccentGreen;

// Pixels far more red than blue: text written in red, not in blue.
int reddish(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y).red() - image.pixelColor(x, y).blue() > 100;
        }
    }
    return count;
}

QColor sampleOf(const QPixmap& picture, QPoint at = {20, 20}) {
    return picture.toImage().pixelColor(at);
}

void moveOver(QWidget& widget, QPoint at, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, held,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &move);
}

// Records presses that reach it, as the main window does to be dragged.
class PressRecorder : public QWidget {
  public:
    int presses = 0;

  protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

void configure(SkinCombo& combo) {
    combo.resize(110, 20);
    QVERIFY(combo.LoadArrowBitmap(212));
    combo.SetTextColours(kHighlight, kWhite);
    combo.SetBackColours(kLightGrey, kHighlight);
    combo.addItems(
        {QStringLiteral("Brightness"), QStringLiteral("Frequency"), QStringLiteral("Customize")});
}

QColor paintedItem(SkinCombo& combo, QStyle::State state) {
    combo.showPopup(); // the list gets its delegate when it first drops
    combo.hidePopup();
    QImage image(100, 20, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = state;
    option.font = combo.font();
    combo.itemDelegate()->paint(&painter, option, combo.model()->index(1, 0));
    painter.end();
    return image.pixelColor(98, 1);
}

// The value bar of a mode row: 183 pixels wide, margin 6, track offset 30, 2-pixel marker.
void configure(ValueSlider& bar, double minimum, double maximum, double step) {
    QVERIFY(bar.SetBitmaps(219, 220, 236));
    bar.SetMargin(6);
    bar.SetTrackOffset(30);
    bar.SetRange(minimum, maximum);
    bar.SetStep(step);
}

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

    QStringList opened;
    ValueSlider* slider = nullptr;

  private slots:
    void initTestCase() {
        LinkLabel::SetOpener([this](const QString& link) { opened << link; });
    }

    void init() { slider = new ValueSlider; }

    // Releases the button even when a test failed mid-drag, so no button state leaks onwards.
    void cleanup() {
        if (slider->isDragging()) {
            QTest::mouseRelease(slider, Qt::LeftButton);
        }
        delete slider;
    }

    // Pictures, colours and fonts.

    // Pictures are read from the plain pixels the build made of their PNGs: the same pictures,
    // transparent parts included, each read once and then shared.
    void plainPicturesAreTheirPngs() {
        const QStringList pngs = QDir(QStringLiteral(":/bitmaps")).entryList({"???.png"});
        QVERIFY(pngs.size() > 40);
        for (const QString& name : pngs) {
            const int number = name.left(3).toInt();
            QVERIFY(QFile::exists(QStringLiteral(":/bitmaps/%1.rgb32").arg(number)));
            const QImage plain = loadSkinBitmap(number).toImage();
            const QImage png(QStringLiteral(":/bitmaps/") + name);
            QVERIFY2(plain == png.convertToFormat(plain.format()), qPrintable(name));
            QCOMPARE(loadSkinBitmap(number).cacheKey(), loadSkinBitmap(number).cacheKey());
        }
    }

    void cellFontsFitTheirCells() {
        for (int height : {10, 14, 22}) {
            const QFont font = cellFont(QStringLiteral("Arial"), height);
            QVERIFY(QFontMetrics(font).height() <= height && font.pixelSize() >= height * 2 / 3);
        }
    }

    // Status label, value bar and progress bar write their text in the colour they are given.
    void textIsDrawnInItsColour() {
        LinkLabel label;
        label.resize(100, 20);
        label.SetText(QStringLiteral("Connected"));
        ValueSlider& bar = *slider;
        QVERIFY(bar.SetBitmaps(213, 214, 0));
        bar.SetRange(1, 100);
        bar.SetValue(88);
        SkinProgress progress;
        QVERIFY(progress.LoadBitmaps(251, 252));
        progress.SetRange(0, 4);
        progress.SetPos(2);
        const std::function<QImage(std::uint32_t)> paintedIn[] = {
            [&](std::uint32_t c) { return label.SetTextColour(c), label.grab().toImage(); },
            [&](std::uint32_t c) { return bar.SetTextColour(c), bar.grab().toImage(); },
            [&](std::uint32_t c) { return progress.SetTextColour(c), progress.grab().toImage(); },
        };
        for (const auto& paint : paintedIn) {
            QVERIFY(reddish(paint(kRed)) - reddish(paint(kBlue)) > 10);
        }
    }

    // Keys.

    // A key takes the size of its normal picture and shows the picture of its state.
    void aKeyShowsItsStateAndHover() {
        const struct {
            const char* name;
            bool hover, pressed, disabled;
            int disabledId, shown;
        } cases[] = {
            {"normal", false, false, false, 216, 203},
            {"hover", true, false, false, 216, 204},
            {"pressed beats hover", true, true, false, 216, 205},
            {"disabled beats pressed", true, true, true, 216, 216},
            {"disabled beats hover", true, false, true, 216, 216},
            {"disabled without its picture", true, false, true, 0, 203},
        };
        for (const auto& c : cases) {
            SkinButton button;
            QVERIFY(button.LoadBitmaps(203, 204, 205, c.disabledId));
            QCOMPARE(button.size(), QSize(84, 40));
            if (c.hover) {
                moveOver(button, {10, 10}, Qt::NoButton);
            }
            button.setDown(c.pressed);
            button.setEnabled(!c.disabled);
            if (c.hover) { // Qt still tells a disabled key that the pointer entered it.
                QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)));
                QCoreApplication::sendEvent(&button, &enter);
            }
            QVERIFY2(sampleOf(button.grab()) == sampleOf(loadSkinBitmap(c.shown)), c.name);
        }
        // Hover does not begin in a drag, and ends when the pointer leaves.
        SkinButton button;
        QVERIFY(button.LoadBitmaps(203, 204, 205, 0));
        moveOver(button, {5, 5}, Qt::LeftButton);
        QVERIFY(!button.isHover());
        moveOver(button, {5, 5}, Qt::NoButton);
        moveOver(button, {100, 5}, Qt::NoButton);
        QVERIFY(!button.isHover());
    }

    // Item lists.

    void theListDropsBelowTheFaceWhateverEntryIsShown() {
        QWidget window;
        window.resize(300, 300);
        auto* combo = new SkinCombo(&window);
        configure(*combo);
        combo->setFont(QFont(QStringLiteral("Arial"), 7));
        combo->move(40, 50);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint below = combo->mapToGlobal(combo->rect().bottomLeft()); // its last row
        const QPoint aim = below + QPoint(20, 30);
        for (int current = 0; current < combo->count(); ++current) {
            combo->setCurrentIndex(current);
            combo->showPopup();
            QAbstractItemView* list = combo->view();
            QCOMPARE(list->font(), combo->font());
            QCOMPARE(list->window()->geometry().topLeft(), below);
            // the same point, the same entry
            QCOMPARE(list->indexAt(list->viewport()->mapFromGlobal(aim)).row(), 1);
            combo->hidePopup();
        }
    }

    // The face keeps its own colours and shows the arrow; only highlighted entries of the
    // list take the selected ones. The wheel changes no item.
    void theFaceKeepsItsColoursAndItsItem() {
        SkinCombo combo;
        configure(combo);
        combo.setCurrentIndex(2);
        const QImage face = combo.grab().toImage();
        QCOMPARE(face.pixelColor(combo.itemRect().right(), 18), fromColorRef(kLightGrey));
        const QImage arrow = loadSkinBitmap(212).toImage();
        QCOMPARE(face.pixelColor(combo.buttonRect().left() + 10, 10), arrow.pixelColor(10, 10));
        QCOMPARE(paintedItem(combo, QStyle::State_Selected), fromColorRef(kHighlight));
        QCOMPARE(paintedItem(combo, QStyle::State_None), fromColorRef(kLightGrey));
        QSignalSpy activated(&combo, &SkinCombo::activated);
        for (int delta : {120, -120, -240}) {
            const QPointF at(20, 10);
            QWheelEvent wheel(at, combo.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(&combo, &wheel);
        }
        QCOMPARE(combo.currentIndex(), 2);
        QCOMPARE(activated.count(), 0);
    }

    // Progress bar.

    void progressFillEdgePercentageAndRange() {
        SkinProgress bar;
        QVERIFY(bar.LoadBitmaps(251, 252));
        QCOMPARE(bar.size(), QSize(356, 37));
        bar.SetMargins(8, 8);
        bar.SetRange(0, 4);
        for (int pos = 0; pos <= 4; ++pos) {
            QCOMPARE(edgeX({0, 4, pos}, 356, 8, 8), 8 + 85 * pos);
            bar.SetPos(pos);
            QCOMPARE(bar.percentText(), QString::number(25 * pos) + '%');
        }
        bar.SetPos(1); // the fill left of the edge at 93, the empty track right of it
        const QImage shown = bar.grab().toImage();
        const QImage fill = loadSkinBitmap(252).toImage();
        const QImage empty = loadSkinBitmap(251).toImage();
        QCOMPARE(shown.pixelColor(60, 10), fill.pixelColor(60, 10));
        QCOMPARE(shown.pixelColor(120, 10), empty.pixelColor(120, 10));
        QVERIFY(fill.pixelColor(60, 10) != empty.pixelColor(120, 10));
        QCOMPARE(edgeX({3, 3, 3}, 356, 8, 8), 8); // an empty range shows an empty bar
        QCOMPARE(percentage({5, 1, 3}), 0);
    }

    // Value bar.

    // Drags follow the marker in whole steps within the range; a press beside the marker's two
    // columns only reports itself; SetValue clamps but does not round; an empty range or a bar
    // too narrow for a track never divides by zero.
    void valueBarDragsPressesAndClamps() {
        ValueSlider& bar = *slider;
        configure(bar, 1, 100, 1);
        QCOMPARE(bar.PositionOf(1), 37);
        QCOMPARE(bar.PositionOf(100), 176);
        QSignalSpy messages(&bar, &ValueSlider::messageSent);
        // x, where the press lands (0: on the marker at 1), value after the move
        const int cases[][3] = {{106, 0, 50},   {105, 0, 49},   {10, 0, 1},    {200, 0, 100},
                                {123, 103, 50}, {126, 106, 50}, {170, 150, 50}};
        for (const auto& [x, pressAt, stored] : cases) {
            bar.SetValue(pressAt == 0 ? 1 : 50); // a marker at 104 and 105 for 50
            QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(pressAt == 0 ? 37 : pressAt, 20));
            QCOMPARE(bar.isDragging(), pressAt == 0);
            QTest::mouseMove(&bar, QPoint(x, 20));
            QCOMPARE(bar.GetValue(), double(stored));
            QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(x, 20));
        }
        QCOMPARE(messages.last(), (QVariantList{int(SliderPress), 50}));
        bar.SetValue(100); // the marker is cut to the bar's rounded end
        const QColor marker = loadSkinBitmap(236).toImage().pixelColor(0, 0);
        QVERIFY(bar.grab().toImage().pixelColor(bar.PositionOf(100), 6) != marker);
        configure(bar, 50, 3000, 50);
        bar.SetUnit(QStringLiteral("ms"));
        for (const auto& [set, kept] : {std::pair{4000.0, 3000.0}, {-5.0, 50.0}, {137.5, 137.5}}) {
            bar.SetValue(set);
            QCOMPARE(bar.GetValue(), kept);
        }
        bar.SetValue(3000);
        QCOMPARE(bar.valueText(), QStringLiteral("3000ms"));
        configure(bar, 0, 0, 0);
        QCOMPARE(bar.PositionOf(0), 37);
        QCOMPARE(valueAt({20, 6, 2, 30, 1, 100, 1}, 10), 1.0);
        QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(37, 20));
        QTest::mouseMove(&bar, QPoint(120, 20));
        QCOMPARE(bar.GetValue(), 0.0);
    }

    // Scroll bars: a green thumb on the light panels.
    void scrollBarThumbShowsInTheSkinsGreen() {
        QScrollBar bar(Qt::Vertical);
        applySkinScrollBarStyle(bar);
        bar.setRange(0, 2);
        bar.resize(18, 125);
        const QImage shown = bar.grab().toImage();
        int green = 0;
        for (int y = 0; y < shown.height(); ++y) {
            green += shown.pixelColor(9, y) == fromColorRef(kAccentGreen) ? 1 : 0;
        }
        QVERIFY(green > 20);
    }

    // Labels.

    // A label with a link keeps its press and opens the link on a left release over it; one
    // without lets presses through to the window beneath.
    void labelsOpenLinksOnlyOnALeftReleaseOverThem() {
        PressRecorder window;
        auto* label = new LinkLabel(&window);
        label->setGeometry(0, 0, 186, 16);
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 8));
        QCOMPARE(window.presses, 1);
        label->SetLink(QStringLiteral("https://www.example.com/us/"));
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 8));
        QCOMPARE(window.presses, 1);
        QTest::mouseClick(label, Qt::RightButton, {}, QPoint(20, 8));
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(20, 8));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(20, 30)); // a change of mind
        QCOMPARE(opened, QStringList{QStringLiteral("https://www.example.com/us/")});
    }
};

} // namespace lumavert

QTEST_MAIN(lumavert::ControlsTest)
#include "ControlsTest.moc"
