#include "controls/LinkLabel.h"
#include "controls/CellFont.h"
#include "controls/ColorRef.h"

#include <QtTest>

namespace lumavert {
namespace {

// Records presses that reach it, as the main window does to be dragged.
class PressRecorder : public QWidget {
  public:
    int presses = 0;

  protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// Rightmost column holding a pixel other than the background, or -1.
int rightmostInk(const QImage& image, const QColor& background) {
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) != background) {
                return x;
            }
        }
    }
    return -1;
}

} // namespace

class LinkLabelTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void aClickOpensTheLink();
    void clicksWithoutALinkAreIgnoredAndReachTheWindow();
    void rightPlacementKeepsTheIndentFree();
    void centredTextIgnoresTheIndent();
    void longTextWrapsOverSeveralLines();

  private:
    QStringList opened;
    LinkLabel::Opener previous;
};

void LinkLabelTest::init() {
    opened.clear();
    previous = LinkLabel::SetOpener([this](const QString& link) { opened << link; });
}

void LinkLabelTest::cleanup() {
    LinkLabel::SetOpener(previous);
}

void LinkLabelTest::aClickOpensTheLink() {
    LinkLabel label;
    label.resize(186, 16);
    label.SetText(QStringLiteral("www.example.com"));
    label.SetLink(QStringLiteral("https://www.example.com/us/"));
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(20, 8));
    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(20, 8));
    QCOMPARE(opened, QStringList{QStringLiteral("https://www.example.com/us/")});
}

void LinkLabelTest::clicksWithoutALinkAreIgnoredAndReachTheWindow() {
    PressRecorder window;
    auto* label = new LinkLabel(&window);
    label->setGeometry(0, 0, 99, 16);
    label->SetText(QStringLiteral("Disconnected"));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 8));
    QVERIFY(opened.isEmpty());
    QCOMPARE(window.presses, 1);
    label->SetLink(QStringLiteral("https://www.example.com/"));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 8));
    QCOMPARE(window.presses, 1); // a label with a link keeps its press
    QCOMPARE(opened.size(), 1);
}

void LinkLabelTest::rightPlacementKeepsTheIndentFree() {
    LinkLabel label;
    label.resize(54, 15);
    label.SetText(QStringLiteral("12."));
    label.SetAlignment(AlignRight, AlignBottom);
    label.SetIndent(5);
    label.SetBackColour(kLightGrey);
    label.SetTextColour(kBlack);
    const int ink = rightmostInk(label.grab().toImage(), fromColorRef(kLightGrey));
    QVERIFY2(ink >= 54 - 5 - 3 && ink < 54 - 5, qPrintable(QString::number(ink)));
}

void LinkLabelTest::centredTextIgnoresTheIndent() {
    LinkLabel label;
    label.resize(100, 16);
    label.SetText(QStringLiteral("Text"));
    label.SetAlignment(AlignCentre, AlignVCentre);
    const QImage plain = label.grab().toImage();
    label.SetIndent(30);
    QCOMPARE(label.grab().toImage(), plain);
}

void LinkLabelTest::longTextWrapsOverSeveralLines() {
    LinkLabel label;
    label.resize(120, 60);
    label.SetText(QStringLiteral("Device not detected\nPlease verify connection"));
    label.SetAlignment(AlignCentre, AlignTop);
    const QFont font = cellFont(QStringLiteral("Arial"), 14);
    label.SetFontFrom(&font);
    const QImage shown = label.grab().toImage();
    int lowestInk = -1;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixelColor(x, y) != QColor(Qt::white)) {
                lowestInk = y;
            }
        }
    }
    QVERIFY2(lowestInk > 2 * QFontMetrics(font).height(), qPrintable(QString::number(lowestInk)));
}

} // namespace lumavert

QTEST_MAIN(lumavert::LinkLabelTest)
#include "LinkLabelTest.moc"
