// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders every skinned control in each of its states into one picture, so the skin can be
// judged at a glance: lumavert-gallery [out.png]. Runs on any Qt platform, e.g. offscreen.

#include "controls/CellFont.h"
#include "controls/ColorRef.h"
#include "controls/LinkLabel.h"
#include "controls/QtText.h"
#include "controls/SkinBitmap.h"
#include "controls/SkinButton.h"
#include "controls/SkinCombo.h"
#include "controls/SkinProgress.h"
#include "controls/ValueSlider.h"
#include "i18n/TextCatalogue.h"
#include "model/LightMode.h"
#include "model/ViewState.h"
#include "rows/PickerItem.h"
#include "rows/PickerRow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include <array>
#include <cstdio>
#include <vector>

namespace lumavert {
namespace {

QFont boldFont(int cell) {
    QFont font = cellFont(QStringLiteral("Arial"), cell);
    font.setBold(true);
    return font;
}

// A widget that paints one of the skin's background pictures, as the windows do.
class Backdrop : public QWidget {
  public:
    explicit Backdrop(int bitmapId)
        : picture(loadSkinBitmap(bitmapId)) {
        resize(picture.size());
    }

  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, picture); }

  private:
    QPixmap picture;
};

enum class KeyState { Normal, Hover, Pressed, Disabled };

SkinButton* makeKey(QWidget* parent, std::array<int, 4> bitmaps, const QString& caption,
                    const QFont& font, int alignV = AlignVCentre) {
    auto* key = new SkinButton(parent);
    key->LoadBitmaps(bitmaps[0], bitmaps[1], bitmaps[2], bitmaps[3]);
    key->SetTextColour(kWhite);
    key->SetTextAlign(AlignCentre, alignV);
    key->setFont(font);
    key->setText(caption);
    return key;
}

void putInState(SkinButton* key, KeyState state) {
    if (state == KeyState::Hover) {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), key->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(key, &move);
    }
    key->setDown(state == KeyState::Pressed);
    key->setEnabled(state != KeyState::Disabled);
}

LinkLabel* makeLabel(QWidget* parent, const QRect& place, const QString& caption, const QFont& font,
                     std::uint32_t colour, std::uint32_t back, int alignH) {
    auto* label = new LinkLabel(parent);
    label->setGeometry(place);
    label->SetText(caption);
    label->SetFontFrom(&font);
    label->SetTextColour(colour);
    label->SetBackColour(back);
    label->SetAlignment(alignH, AlignVCentre);
    return label;
}

PickerRow* makeRow(QWidget* parent, int rowType, int mask, int id, LightMode* mode, int entry,
                   bool selected, bool marked, int number) {
    auto* row = new PickerRow(rowType, mask, id, parent);
    row->SetState(selected, marked);
    row->SetNumber(number);
    row->Bind(mode, entry);
    return row;
}

ModeSet sampleModes() {
    ModeSet modes(5);
    modes[0].brightness = 75;
    modes[1].kind = KindFrequency;
    modes[1].frequency = 12;
    modes[2].kind = KindCustomize;
    modes[2].steps = {500, 1200, 250, 250};
    applySosPattern(modes[3]);
    modes[4].brightness = 35;
    return modes;
}

// The main window as its layout places the skin: the keys, labels and rows over picture 254.
QPixmap windowMock(ModeSet& modes) {
    Backdrop window(254);
    const QFont button = boldFont(14);
    QFont link = boldFont(16);
    link.setItalic(true);
    link.setUnderline(true);

    makeKey(&window, {227, 228, 229, 0}, {}, button)->move(772, 2);
    makeKey(&window, {230, 231, 232, 0}, {}, button)->move(742, 2);
    makeKey(&window, {225, 225, 225, 226}, {}, button)->move(510, 4);
    makeLabel(&window, {305, 6, 186, 16}, QStringLiteral("www.example.com"), link, kWhite,
              kAccentGreen, AlignCentre);
    makeLabel(&window, {586, 8, 99, 16}, qtText(Text::Connected), button, kWhite, kAccentGreen,
              AlignLeft);
    auto* help = new QPushButton(qtText(Text::Help), &window);
    help->setFont(button);
    help->setGeometry(691, 4, 47, 22);
    makeKey(&window, {245, 245, 245, 0}, qtText(Text::Customize), button)->move(613, 60);
    const std::pair<Text, int> keys[] = {
        {Text::Test, 44}, {Text::Upload, 131}, {Text::Open, 219}, {Text::Save, 306}};
    for (const auto& [caption, x] : keys) {
        makeKey(&window, {203, 204, 205, 0}, qtText(caption), button)->move(x, 532);
    }
    makeKey(&window, {257, 258, 256, 0}, qtText(Text::DefaultModes), button)->move(394, 532);
    makeKey(&window, {206, 207, 208, 0}, qtText(Text::Next), button, AlignTop)->move(235, 460);
    makeKey(&window, {206, 207, 208, 0}, qtText(Text::Next), button, AlignTop)->move(635, 260);

    for (int k = 0; k < kModeRows; ++k) {
        makeRow(&window, RowTypeMode, kModeRowItems, k + 1, &modes[static_cast<size_t>(k)], -1,
                k == 2, k == 2, k + 1)
            ->move(173, 150 + 60 * k);
    }
    makeRow(&window, RowTypeStep, kLightingRowItems, 1, &modes[2], 2, true, false, 2)
        ->move(570, 120);
    makeRow(&window, RowTypeStep, kDimmingRowItems, 2, &modes[2], 3, false, false, 2)
        ->move(570, 180);
    auto* stepBar = new QScrollBar(Qt::Vertical, &window);
    stepBar->setGeometry(775, 125, 18, 125);
    stepBar->setRange(0, 1);
    makeLabel(&window, {536, 330, 262, 268}, QStringLiteral("(introduction page)"), button,
              0x808080, kWhite, AlignCentre);
    return window.grab();
}

struct Section {
    QString title;
    std::vector<QPixmap> pictures;
};

// A plain top-level widget in one colour to grab controls on.
class Holder : public QWidget {
  public:
    explicit Holder(std::uint32_t colour = kLightGrey) {
        QPalette plain = palette();
        plain.setColor(QPalette::Window, fromColorRef(colour));
        setPalette(plain);
        setAutoFillBackground(true);
    }
};

Section keySection(const QString& title, std::array<int, 4> bitmaps, const QString& caption,
                   int alignV = AlignVCentre, std::uint32_t backdrop = kLightGrey) {
    Section section{title, {}};
    for (KeyState state :
         {KeyState::Normal, KeyState::Hover, KeyState::Pressed, KeyState::Disabled}) {
        Holder holder(backdrop);
        SkinButton* key = makeKey(&holder, bitmaps, caption, boldFont(14), alignV);
        putInState(key, state);
        holder.resize(key->size());
        section.pictures.push_back(holder.grab());
    }
    return section;
}

Section rowSection() {
    static ModeSet modes = sampleModes();
    Section section{QStringLiteral("Rows: mode plain / selected / selected+marked; lighting, "
                                   "dimming plain / selected; edit box open"),
                    {}};
    const struct {
        int rowType, mask, mode, entry;
        bool selected, marked;
    } states[] = {
        {RowTypeMode, kModeRowItems, 4, -1, false, false},
        {RowTypeMode, kModeRowItems, 1, -1, true, false},
        {RowTypeMode, kModeRowItems, 0, -1, true, true},
        {RowTypeStep, kLightingRowItems, 2, 0, false, false},
        {RowTypeStep, kLightingRowItems, 2, 0, true, false},
        {RowTypeStep, kDimmingRowItems, 2, 1, false, false},
        {RowTypeStep, kDimmingRowItems, 2, 1, true, false},
    };
    int number = 1;
    for (const auto& state : states) {
        Holder holder;
        holder.resize(200, 60);
        makeRow(&holder, state.rowType, state.mask, 1, &modes[static_cast<size_t>(state.mode)],
                state.entry, state.selected, state.marked, number++);
        section.pictures.push_back(holder.grab());
    }
    Holder holder;
    holder.resize(200, 60);
    PickerRow* editing =
        makeRow(&holder, RowTypeStep, kLightingRowItems, 1, &modes[2], 0, true, false, 1);
    const QPointF at(20, 20);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, editing->mapToGlobal(at),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editing->valueBar(), &doubleClick);
    section.pictures.push_back(holder.grab());
    return section;
}

Section comboSection() {
    Section section{QStringLiteral("Item list: face, face without selection, dropped list"), {}};
    Holder holder;
    holder.resize(130, 20);
    auto* combo = new SkinCombo(&holder);
    combo->setGeometry(0, 0, 130, 20);
    combo->LoadArrowBitmap(212);
    combo->SetTextColours(kAccentGreen, kWhite);
    combo->SetBackColours(kLightGrey, kAccentGreen);
    combo->setFont(cellFont(QStringLiteral("Arial"), 14));
    const ItemTable items = makeItemTable();
    for (const auto& [key, item] : items) {
        if (key & kModeRowItems) {
            combo->addItem(item.name, key);
        }
    }
    combo->setCurrentIndex(1);
    section.pictures.push_back(holder.grab());
    combo->setCurrentIndex(-1);
    section.pictures.push_back(holder.grab());

    const int rowHeight = combo->fontMetrics().height() + 6;
    QPixmap list(130, rowHeight * combo->count());
    QPainter painter(&list);
    for (int i = 0; i < combo->count(); ++i) {
        QStyleOptionViewItem option;
        option.rect = QRect(0, i * rowHeight, 130, rowHeight);
        option.font = combo->font();
        option.state = i == 2 ? QStyle::State_Selected : QStyle::State_None;
        combo->itemDelegate()->paint(&painter, option, combo->model()->index(i, 0));
    }
    painter.end();
    section.pictures.push_back(list);
    return section;
}

Section progressSection() {
    Section section{QStringLiteral("Progress 0..4 and the transfer dialog"), {}};
    for (int pos = 0; pos <= 4; pos += 2) {
        SkinProgress bar;
        bar.LoadBitmaps(251, 252);
        bar.SetMargins(8, 8);
        const QFont font = boldFont(14);
        bar.SetFont(&font);
        bar.SetRange(0, 4);
        bar.SetPos(pos);
        section.pictures.push_back(bar.grab());
    }
    Backdrop dialog(247);
    QFont message = cellFont(QStringLiteral("Arial"), 22);
    message.setItalic(true);
    makeLabel(&dialog, {58, 104, 315, 34}, qtText(Text::Uploading), message, kBlack, kLightGrey,
              AlignCentre);
    auto* bar = new SkinProgress(&dialog);
    bar->LoadBitmaps(251, 252);
    bar->move(23, 142);
    bar->SetMargins(8, 8);
    const QFont button = boldFont(14);
    bar->SetFont(&button);
    bar->SetRange(0, 4);
    bar->SetPos(3);
    makeKey(&dialog, {248, 249, 250, 0}, qtText(Text::Ok), button)->move(165, 184);
    section.pictures.push_back(dialog.grab());
    return section;
}

Section iconSection() {
    Section section{QStringLiteral("Program icon"), {}};
    for (int size : {48, 64, 128}) {
        section.pictures.push_back(
            loadSkinBitmap(255).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    return section;
}

// Stacks the sections under their titles right of the window mock; a section without a title
// continues the line of the one before.
QImage compose(const QPixmap& window, const std::vector<Section>& sections) {
    constexpr int kGap = 14;
    constexpr int kSheetX = 840;
    constexpr int kWidth = 1680;
    const int height = window.height() + 60;
    int y = 0;
    int x = kSheetX;
    int lineHeight = 0;
    std::vector<std::pair<QPoint, QPixmap>> placed;
    std::vector<std::pair<QPoint, QString>> titles;
    for (const Section& section : sections) {
        if (!section.title.isEmpty()) {
            y += lineHeight + kGap + 6;
            titles.push_back({{kSheetX, y + 12}, section.title});
            y += 20;
            x = kSheetX;
            lineHeight = 0;
        }
        for (const QPixmap& picture : section.pictures) {
            if (x + picture.width() > kWidth - 20) {
                x = kSheetX;
                y += lineHeight + kGap;
                lineHeight = 0;
            }
            placed.push_back({{x, y}, picture});
            x += picture.width() + kGap;
            lineHeight = std::max(lineHeight, picture.height());
        }
        x += kGap;
    }
    y += lineHeight + kGap;
    QImage sheet(kWidth, std::max(height, y), QImage::Format_RGB32);
    sheet.fill(QColor(250, 250, 250));
    QPainter painter(&sheet);
    painter.setFont(boldFont(14));
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(20, 24, QStringLiteral("Main window (German, as at start-up)"));
    painter.drawPixmap(20, 36, window);
    for (const auto& [at, title] : titles) {
        painter.drawText(at, title);
    }
    for (const auto& [at, picture] : placed) {
        painter.drawPixmap(at, picture);
    }
    return sheet;
}

} // namespace
} // namespace lumavert

int main(int argc, char** argv) {
    using namespace lumavert;
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery.png");

    setCurrentLanguage("de");
    ModeSet modes = sampleModes();
    const QPixmap window = windowMock(modes);
    setCurrentLanguage("en");

    const std::vector<Section> sections = {
        keySection(QStringLiteral("Key 203-205: normal, hover, pressed, disabled"),
                   {203, 204, 205, 0}, qtText(Text::Upload)),
        keySection(QStringLiteral("Wide key 256-258 and customize key 245"), {257, 258, 256, 0},
                   qtText(Text::DefaultModes)),
        keySection({}, {245, 245, 245, 0}, qtText(Text::Customize)),
        keySection(QStringLiteral("Next 206-208 and up 209-211"), {206, 207, 208, 0},
                   qtText(Text::Next), AlignTop),
        keySection({}, {209, 210, 211, 0}, {}),
        keySection(QStringLiteral("OK key 248-250"), {248, 249, 250, 0}, qtText(Text::Ok)),
        keySection(QStringLiteral("Title band: close 227-229, minimize 230-232, light 225/226"),
                   {227, 228, 229, 0}, {}, AlignVCentre, kAccentGreen),
        keySection({}, {230, 231, 232, 0}, {}, AlignVCentre, kAccentGreen),
        keySection({}, {225, 225, 225, 226}, {}, AlignVCentre, kAccentGreen),
        rowSection(),
        comboSection(),
        progressSection(),
        iconSection(),
    };
    const QImage sheet = compose(window, sections);
    if (!sheet.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(out));
    return 0;
}
