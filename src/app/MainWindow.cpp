// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainWindow.h"

#include "app/BeamPreview.h"
#include "app/EditTracker.h"
#include "app/IntroPanel.h"
#include "app/KeptValueTips.h"
#include "app/NoticeDialog.h"
#include "app/ProgramFiles.h"
#include "app/TransferDialog.h"
#include "config/ModeSetFile.h"
#include "controls/CellFont.h"
#include "controls/ColorRef.h"
#include "controls/LinkLabel.h"
#include "controls/QtText.h"
#include "controls/SkinBitmap.h"
#include "controls/SkinButton.h"
#include "controls/SkinScrollBar.h"
#include "device/DeviceImageCodec.h"
#include "device/DeviceStatus.h"
#include "device/PermissionHint.h"
#include "device/TransferCommands.h"
#include "i18n/TextCatalogue.h"
#include "model/EditingOperations.h"
#include "model/PickerRules.h"
#include "program/Version.h"
#include "rows/PickerRow.h"
#include "rows/RowNoticeEvent.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <utility>

namespace lumavert {

namespace {

const QEvent::Type kDownloadRequestEvent =
    static_cast<QEvent::Type>(QEvent::User + MainWindow::kDownloadRequest);

// The window's layout was drawn on a 469 x 300 grid over its 800 x 600 pixels; keys placed on
// that grid are put where its points fall.
QPoint fromLayoutGrid(int x, int y) {
    return {x * 800 / 469, y * 600 / 300};
}

// Qt ends the program when an exception leaves a slot: a command that fails says so instead.
template <typename Work>
bool succeeds(Work work) {
    try {
        return work();
    } catch (...) {
        return false;
    }
}

enum class FontRole { None, Button, Next };

struct KeyLayout {
    SkinButton* MainWindow::*member;
    const char* name;
    std::array<int, 4> bitmaps; // normal, hover, pressed, disabled
    QPoint place;
    std::optional<Text> caption;
    FontRole font;
    int alignH;
    int alignV;
    bool shown;
};

} // namespace

MainWindow::MainWindow(DeviceAccess device, QWidget* parent)
    : MainWindow(device, std::make_unique<DesktopPrompts>(), TransferDelays{}, parent) {}

MainWindow::MainWindow(DeviceAccess device, std::unique_ptr<UserPrompts> prompts,
                       const TransferDelays& delays, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , modes_{makeDefaultMode()}
    , hidLink_(device.bus)
    , prompts_(std::move(prompts))
    , delays_(delays) {
    edits_ = new EditTracker(this, modes_, view_);
    connect(edits_, &EditTracker::restored, this, [this] { refresh(Refresh::Both); });
    keptTips_ = new KeptValueTips(modes_, view_, this);
    setUpFrame();
    beam_ = new BeamPreview(background_, this);
    connect(edits_, &EditTracker::valueEdited, this, &MainWindow::showSelectedModeInBeam);
    createFonts();
    introPanel_ = new IntroPanel(this);
    layOutKeys();
    layOutLabels();
    placeScrollBars();
    connectCommands();
    deviceMonitor_ = device.monitor;
    hidLink_.setDeviceChangeReceiver(device.monitor, [this](const DeviceChange& change) {
        // Changes may come from any thread; handle them in order on this one.
        QMetaObject::invokeMethod(
            this, [this, code = change.code] { onDeviceChange(code); }, Qt::QueuedConnection);
    });
    probeAtStart();
    refresh(resetView(view_));
}

MainWindow::~MainWindow() {
    // No device change may reach a window that is going away, and an open transfer ends (its
    // worker joined) while the link it uses still exists.
    if (deviceMonitor_ != nullptr) {
        deviceMonitor_->stop();
    }
    qDeleteAll(findChildren<SkinnedDialog*>(Qt::FindDirectChildrenOnly));
}

void MainWindow::setUpFrame() {
    setWindowTitle(qtString(kProductTitle));
    background_ = loadSkinBitmap(backgroundBitmapId(CurrentLanguage()));
    setFixedSize(background_.isNull() ? QSize(800, 600)
                                      : background_.deviceIndependentSize().toSize());
    setAcceptDrops(true);
}

void MainWindow::createFonts() {
    const QString face = QString::fromStdString(TextFontFace(CurrentLanguage()));
    const auto bold = [](QFont font) {
        font.setBold(true);
        return font;
    };
    buttonFont_ = bold(cellFont(face, 14));
    statusFont_ = bold(cellFont(face, 14));
    linkFont_ = bold(cellFont(QStringLiteral("Arial"), 16));
    linkFont_.setItalic(true);
    linkFont_.setUnderline(true);
    nextFont_ = bold(cellFont(face, isChinese(CurrentLanguage()) ? 10 : 14));
}

void MainWindow::layOutKeys() {
    // Pictures (normal, hover, pressed, disabled), place, caption, font, caption placement and
    // whether the key shows at start.
    // clang-format off
    static const KeyLayout keys[] = {
        {&MainWindow::closeButton_, "closeButton", {227, 228, 229, 0}, {772, 2}, {}, FontRole::None, AlignCentre, AlignVCentre, true},
        {&MainWindow::minimizeButton_, "minimizeButton", {230, 231, 232, 0}, {742, 2}, {}, FontRole::None, AlignCentre, AlignVCentre, true},
        {&MainWindow::deviceIndicator_, "deviceIndicator", {225, 225, 225, 226}, {510, 4}, {}, FontRole::None, AlignCentre, AlignVCentre, true},
        {&MainWindow::customizeButton_, "customizeButton", {245, 245, 245, 0}, {613, 60}, Text::Customize, FontRole::Button, AlignCentre, AlignVCentre, true},
        {&MainWindow::testButton_, "testButton", {203, 204, 205, 0}, {44, 532}, Text::Test, FontRole::Button, AlignCentre, AlignVCentre, true},
        {&MainWindow::uploadButton_, "uploadButton", {203, 204, 205, 0}, {131, 532}, Text::Upload, FontRole::Button, AlignCentre, AlignVCentre, true},
        {&MainWindow::openButton_, "openButton", {203, 204, 205, 0}, {219, 532}, Text::Open, FontRole::Button, AlignCentre, AlignVCentre, true},
        {&MainWindow::saveButton_, "saveButton", {203, 204, 205, 0}, {306, 532}, Text::Save, FontRole::Button, AlignCentre, AlignVCentre, true},
        {&MainWindow::defaultModesButton_, "defaultModesButton", {257, 258, 256, 0}, {394, 532}, Text::DefaultModes, FontRole::Button, AlignCentre, AlignVCentre, true},
        {&MainWindow::addModeButton_, "addModeButton", {206, 207, 208, 0}, fromLayoutGrid(133, 231), Text::Next, FontRole::Next, AlignCentre, AlignTop, true},
        {&MainWindow::modeUpButton_, "modeUpButton", {209, 210, 211, 0}, fromLayoutGrid(259, 129), {}, FontRole::Button, AlignCentre, AlignBottom, false},
        {&MainWindow::modeDownButton_, "modeDownButton", {206, 207, 208, 0}, fromLayoutGrid(259, 153), {}, FontRole::Button, AlignCentre, AlignTop, false},
        {&MainWindow::addStepButton_, "addStepButton", {206, 207, 208, 0}, fromLayoutGrid(363, 247), Text::Next, FontRole::Next, AlignCentre, AlignTop, false},
        {&MainWindow::stepUpButton_, "stepUpButton", {209, 210, 211, 0}, fromLayoutGrid(422, 69), {}, FontRole::Button, AlignCentre, AlignBottom, false},
        {&MainWindow::stepDownButton_, "stepDownButton", {206, 207, 208, 0}, fromLayoutGrid(422, 93), {}, FontRole::Button, AlignCentre, AlignTop, false},
    };
    // clang-format on
    for (const KeyLayout& key : keys) {
        auto* button = new SkinButton(this);
        button->setObjectName(QLatin1String(key.name));
        button->LoadBitmaps(key.bitmaps[0], key.bitmaps[1], key.bitmaps[2], key.bitmaps[3]);
        button->SetTextColour(kWhite);
        button->SetTextAlign(key.alignH, key.alignV);
        if (key.font != FontRole::None) {
            button->setFont(key.font == FontRole::Next ? nextFont_ : buttonFont_);
        }
        if (key.caption) {
            button->setText(qtText(*key.caption));
        }
        button->move(key.place);
        button->setVisible(key.shown);
        this->*key.member = button;
    }
    deviceIndicator_->setEnabled(false);

    helpButton_ = new QPushButton(qtText(Text::Help), this);
    helpButton_->setObjectName(QStringLiteral("helpButton"));
    helpButton_->setFont(buttonFont_);
    helpButton_->setGeometry(691, 4, 47, 22);
}

void MainWindow::layOutLabels() {
    const SiteAddress site = webSiteAddress(CurrentLanguage());
    webAddressLabel_ = new LinkLabel(this);
    webAddressLabel_->setObjectName(QStringLiteral("webAddressLabel"));
    webAddressLabel_->setGeometry(305, 6, 186, 16);
    webAddressLabel_->SetText(site.caption);
    webAddressLabel_->SetLink(site.link);
    webAddressLabel_->SetFontFrom(&linkFont_);
    webAddressLabel_->SetTextColour(kWhite);
    webAddressLabel_->SetBackColour(kAccentGreen);
    webAddressLabel_->SetAlignment(AlignCentre, AlignVCentre);
    webAddressLabel_->setCursor(Qt::PointingHandCursor);

    statusLabel_ = new LinkLabel(this);
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    statusLabel_->setGeometry(586, 8, 99, 16);
    statusLabel_->SetText(qtText(Text::Disconnected));
    statusLabel_->SetFontFrom(&statusFont_);
    statusLabel_->SetTextColour(kBlack);
    statusLabel_->SetBackColour(kAccentGreen);
    statusLabel_->SetAlignment(AlignLeft, AlignVCentre);
}

void MainWindow::placeScrollBars() {
    modeScrollBar_ = new QScrollBar(Qt::Vertical, this);
    modeScrollBar_->setObjectName(QStringLiteral("modeScrollBar"));
    modeScrollBar_->setGeometry(480, 170, 18, 280);
    stepScrollBar_ = new QScrollBar(Qt::Vertical, this);
    stepScrollBar_->setObjectName(QStringLiteral("stepScrollBar"));
    stepScrollBar_->setGeometry(775, 125, 18, 125);
    for (QScrollBar* bar : {modeScrollBar_, stepScrollBar_}) {
        applySkinScrollBarStyle(*bar);
        bar->hide();
        connect(bar, &QScrollBar::actionTriggered, this,
                [this, bar](int action) { onScroll(bar, action); });
    }
}

// The window starts showing one of its seven rows; each is made when it is first shown.
PickerRow* MainWindow::modeRow(std::size_t k) {
    if (modeRows_[k] == nullptr) {
        modeRows_[k] =
            makeRow(RowTypeMode, kModeRowItems, k, QStringLiteral("modeRow"), {173, 150});
    }
    return modeRows_[k];
}

PickerRow* MainWindow::stepRow(std::size_t k) {
    constexpr int kItems[kStepRows] = {kLightingRowItems, kDimmingRowItems};
    if (stepRows_[k] == nullptr) {
        stepRows_[k] = makeRow(RowTypeStep, kItems[k], k, QStringLiteral("stepRow"), {570, 120});
    }
    return stepRows_[k];
}

PickerRow* MainWindow::makeRow(int type, int items, std::size_t k, const QString& name,
                               QPoint firstRow) {
    const int number = static_cast<int>(k) + 1;
    auto* row = new PickerRow(type, items, number, this);
    row->setObjectName(name + QString::number(number));
    row->setGeometry(firstRow.x(), firstRow.y() + 60 * static_cast<int>(k), 200, 60);
    watchRow(row);
    return row;
}

void MainWindow::watchRow(PickerRow* row) {
    edits_->watchRow(row);
    keptTips_->watchRow(row);
}

void MainWindow::connectCommands() {
    const auto edit = [this](auto operation) {
        return [this, operation] { refresh(operation(modes_, view_)); };
    };
    connect(addModeButton_, &SkinButton::clicked, this, edit(addMode));
    connect(addStepButton_, &SkinButton::clicked, this, edit(addStep));
    connect(modeUpButton_, &SkinButton::clicked, this, edit(modeRowsLineUp));
    connect(modeDownButton_, &SkinButton::clicked, this, edit(modeRowsLineDown));
    connect(stepUpButton_, &SkinButton::clicked, this, edit(stepRowsLineUp));
    connect(stepDownButton_, &SkinButton::clicked, this, edit(stepRowsLineDown));
    connect(testButton_, &SkinButton::clicked, this, &MainWindow::testMode);
    connect(uploadButton_, &SkinButton::clicked, this, &MainWindow::upload);
    connect(openButton_, &SkinButton::clicked, this, &MainWindow::openFile);
    connect(saveButton_, &SkinButton::clicked, this, &MainWindow::saveFile);
    connect(defaultModesButton_, &SkinButton::clicked, this, &MainWindow::showPresetMenu);
    connect(minimizeButton_, &SkinButton::clicked, this, &QWidget::showMinimized);
    connect(closeButton_, &SkinButton::clicked, this, &QWidget::close);
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::openHelp);
}

// ---- Panels ----

void MainWindow::refresh(Refresh panels) {
    if (includes(panels, Refresh::ModePanel)) {
        refreshModePanel();
    }
    if (includes(panels, Refresh::StepPanel)) {
        refreshStepPanel();
    }
    // Every change of the set or the view ends here, but for the values rows write themselves.
    edits_->record();
    showSelectedModeInBeam();
}

void MainWindow::showSelectedModeInBeam() {
    const bool selected = view_.selectedMode >= 0 && view_.selectedMode < modeCount(modes_);
    beam_->showMode(selected ? &modes_[static_cast<std::size_t>(view_.selectedMode)] : nullptr);
}

namespace {

// `row` is null for a row never shown yet.
void applyRow(PickerRow* row, const RowContent& content, ModeSet& modes) {
    if (!content.visible) {
        if (row != nullptr) {
            row->hide();
        }
        return;
    }
    row->SetState(content.selected, content.marked);
    row->SetNumber(content.number);
    row->Bind(&modes[static_cast<std::size_t>(content.modePosition)], content.entryIndex);
    row->show();
}

// The panel's numbers count a page inside the range: with min..max and a page of `page` the
// thumb runs from min to max - page + 1.
void applyScrollBar(QScrollBar* bar, const ScrollBarContent& content) {
    if (!content.visible) {
        bar->hide();
        return;
    }
    const QSignalBlocker blocker(bar);
    bar->setRange(content.minimum, std::max(content.minimum, content.maximum - content.page + 1));
    bar->setPageStep(content.page);
    bar->setSingleStep(1);
    bar->setValue(content.position);
    bar->show();
}

} // namespace

void MainWindow::refreshModePanel() {
    const ModePanelContent content = modePanelContent(modes_, view_);
    for (std::size_t k = 0; k < modeRows_.size(); ++k) {
        applyRow(content.rows[k].visible ? modeRow(k) : modeRows_[k], content.rows[k], modes_);
    }
    applyScrollBar(modeScrollBar_, content.scrollBar);
    addModeButton_->setGeometry(content.addModeButton.x, content.addModeButton.y, 60, 56);
}

void MainWindow::refreshStepPanel() {
    const StepPanelContent content = stepPanelContent(modes_, view_);
    for (std::size_t k = 0; k < stepRows_.size(); ++k) {
        applyRow(content.rows[k].visible ? stepRow(k) : stepRows_[k], content.rows[k], modes_);
    }
    addStepButton_->setVisible(content.addStepButtonVisible);
    applyScrollBar(stepScrollBar_, content.scrollBar);
    if (content.addStepButtonMoved) {
        addStepButton_->setGeometry(content.addStepButton.x, content.addStepButton.y, 60, 56);
    }
    if (content.heading != Heading::Unchanged) {
        customizeButton_->setText(
            qtText(content.heading == Heading::Sos ? Text::Sos : Text::Customize));
    }
}

void MainWindow::onScroll(QScrollBar* bar, int action) {
    const int code = [action] {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return int{ScrollLineUp};
        case QAbstractSlider::SliderSingleStepAdd:
            return int{ScrollLineDown};
        case QAbstractSlider::SliderPageStepSub:
            return int{ScrollPageUp};
        case QAbstractSlider::SliderPageStepAdd:
            return int{ScrollPageDown};
        case QAbstractSlider::SliderMove:
            return int{ScrollThumbTrack};
        default:
            return -1;
        }
    }();
    const int thumb = bar->sliderPosition();
    refresh(bar == modeScrollBar_ ? scrollModeRows(modes_, view_, code, thumb)
                                  : scrollStepRows(modes_, view_, code, thumb));
    // The bar shows what the view now holds, whatever it would have moved to by itself.
    bar->setSliderPosition(bar == modeScrollBar_ ? view_.modeTop : view_.entryTop / 2);
    addModeButton_->setFocus();
}

// ---- Window ----

void MainWindow::paintEvent(QPaintEvent*) {
    if (!iconSet_) {
        // The icon's 256-pixel picture is decoded once the first frame is done: that frame does
        // not show it.
        iconSet_ = true;
        QTimer::singleShot(0, this,
                           [this] { setWindowIcon(QIcon(QStringLiteral(":/bitmaps/255.png"))); });
    }
    if (readBackWhenShown_) {
        readBackWhenShown_ = false;
        QCoreApplication::postEvent(this, new QEvent(kDownloadRequestEvent));
    }
    QPainter painter(this);
    if (background_.isNull()) {
        painter.fillRect(rect(), fromColorRef(0xF0F0F0));
        return;
    }
    painter.drawPixmap(0, 0, background_);
}

// The window has no frame: its background is where it is dragged.
void MainWindow::mousePressEvent(QMouseEvent* event) {
    backgroundDrag_.press(*event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    backgroundDrag_.move(*event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent*) {
    backgroundDrag_.release();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == kDownloadRequestEvent) {
        download();
        return true;
    }
    if (const auto* notice = RowNoticeEvent::from(event)) {
        refresh(handleRowNotice(modes_, view_, notice->notice(), notice->rowType(),
                                notice->controlId()));
        return true;
    }
    return QWidget::event(event);
}

// ---- Commands ----

void MainWindow::testMode() {
    const TestResult result = sendTestMode(hidLink_, modes_, view_);
    refresh(result.refresh);
    if (result.outcome == TestOutcome::NoLight) {
        showNotice();
    }
}

void MainWindow::upload() {
    DeviceImage image{};
    switch (prepareUpload(hidLink_, modes_, image)) {
    case UploadStart::NoLight:
        showNotice();
        return;
    case UploadStart::NoModes:
        return;
    case UploadStart::Ready:
        openTransfer(keepWhenUploaded(TransferDialog::upload(this, hidLink_, image, delays_)));
        return;
    }
}

void MainWindow::download() {
    DeviceImage request{};
    switch (prepareDownload(hidLink_, transfer_ != nullptr, request)) {
    case DownloadStart::Busy:
        // A read request would land between the open transfer's blocks. After an upload the
        // light shows what was written; a running or cancelled download needs no second read.
        readBackAfterTransfer_ = readBackAfterTransfer_ ||
                                 transfer_->sequence().direction() == TransferDirection::Upload;
        return;
    case DownloadStart::NoLight:
        return;
    case DownloadStart::Ready:
        break;
    }
    restoreAndRaise();
    if (!windowHandle()->isExposed()) {
        // The dialog is centred on this window, which the window manager has yet to place.
        readBackWhenShown_ = true;
        return;
    }
    auto* dialog = TransferDialog::download(this, hidLink_, request, delays_);
    connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
        // The set is replaced only by a completed read that the user confirmed.
        if (result == QDialog::Accepted && dialog->sequence().downloadCompleted()) {
            ModeSet read;
            const bool decoded = succeeds([&] {
                decodeDeviceImage(dialog->image(), read);
                return true;
            });
            if (decoded) {
                modes_ = std::move(read);
                refresh(resetView(view_));
                edits_->markKept();
            } else {
                prompts_->showMessage(this, qtText(Text::DownloadFailed));
            }
        }
    });
    openTransfer(dialog);
}

void MainWindow::openTransfer(TransferDialog* dialog) {
    transfer_ = dialog;
    connect(dialog, &QDialog::finished, this, [this] {
        transfer_ = nullptr;
        // A light that arrived during an upload now shows what was written.
        if (std::exchange(readBackAfterTransfer_, false)) {
            QCoreApplication::postEvent(this, new QEvent(kDownloadRequestEvent));
        }
    });
    dialog->open();
}

TransferDialog* MainWindow::keepWhenUploaded(TransferDialog* dialog) {
    connect(dialog, &QDialog::finished, this, [this, dialog, uploaded = modes_] {
        const TransferSequence& sequence = dialog->sequence();
        if (sequence.stage() == TransferStage::UploadCompleted && sequence.failedWrites() == 0) {
            edits_->markKept(uploaded);
        }
    });
    return dialog;
}

void MainWindow::openFile() {
    const QString path = prompts_->chooseFileToOpen(this);
    if (!path.isEmpty()) {
        openModeSetFile(path);
    }
}

void MainWindow::openModeSetFile(const QString& path) {
    // The set changes only when the whole file is accepted; nothing that fails escapes.
    const bool loaded =
        succeeds([&] { return loadModeSet(modes_, QFile::encodeName(path).toStdString()); });
    if (!loaded) {
        prompts_->showMessage(this, QStringLiteral("Failed to read config file!"));
    }
    refresh(resetView(view_));
    if (loaded) {
        edits_->markKept();
    }
}

bool MainWindow::saveFile() {
    const QString path = prompts_->chooseFileToSave(this);
    if (path.isEmpty()) {
        return false;
    }
    if (!succeeds([&] { return saveModeSet(modes_, QFile::encodeName(path).toStdString()); })) {
        prompts_->showMessage(this, QStringLiteral("Failed to write config file!"));
        return false;
    }
    edits_->markKept();
    return true;
}

// One local file dropped on the window is opened as by the Open command.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    openModeSetFile(event->mimeData()->urls().front().toLocalFile());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (edits_->unsaved()) {
        const CloseChoice choice = prompts_->askSaveBeforeClosing(this);
        if (choice == CloseChoice::Cancel || (choice == CloseChoice::Save && !saveFile())) {
            event->ignore();
            return;
        }
    }
    QWidget::closeEvent(event);
}

void MainWindow::showPresetMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("presetMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const PresetInfo& info : kPresets) {
        QAction* action = menu->addAction(qtText(info.label));
        action->setData(info.commandId());
        connect(action, &QAction::triggered, this,
                [this, preset = info.preset] { applyPresetCommand(preset); });
    }
    // The menu opens above its key, its bottom-left corner on the key's top-left corner.
    menu->popup(defaultModesButton_->mapToGlobal(QPoint(0, -menu->sizeHint().height())));
}

void MainWindow::applyPresetCommand(Preset preset) {
    applyPreset(preset, modes_);
    refresh(resetView(view_));
}

void MainWindow::openHelp() {
    // A help file in the working directory wins over the installed page.
    const QFileInfo chm(QStringLiteral("GlowdialHelp.chm"));
    QDesktopServices::openUrl(chm.exists() ? QUrl::fromLocalFile(chm.absoluteFilePath())
                                           : helpPageUrl());
}

void MainWindow::showNotice() {
    (new NoticeDialog(this, permissionProblem()))->open();
}

QString MainWindow::permissionProblem() const {
    const ProbeResult& probe = hidLink_.lastProbe();
    return probe.status == ProbeStatus::PermissionDenied
               ? QString::fromStdString(permissionHint(probe.device))
               : QString();
}

// ---- Light status ----

void MainWindow::probeAtStart() {
    applyStatus(initialDeviceStatus(hidLink_));
}

void MainWindow::onDeviceChange(int code) {
    applyStatus(deviceChanged(hidLink_, code));
}

void MainWindow::applyStatus(const DeviceStatusChange& change) {
    if (change.look != StatusLook::Unchanged) {
        showConnectedLook(change.look == StatusLook::Connected);
    }
    switch (change.action) {
    case ArrivalAction::ReadBack:
        // Posted, so the read starts after the current handler (and start-up) has returned.
        QCoreApplication::postEvent(this, new QEvent(kDownloadRequestEvent));
        break;
    case ArrivalAction::RaiseWindow:
        restoreAndRaise();
        break;
    case ArrivalAction::None:
        break;
    }
}

void MainWindow::showConnectedLook(bool connected) {
    deviceIndicator_->setEnabled(connected);
    statusLabel_->SetText(qtText(connected ? Text::Connected : Text::Disconnected));
    statusLabel_->SetTextColour(connected ? kWhite : kBlack);
    const QString hint = permissionProblem(); // empty while connected
    deviceIndicator_->setToolTip(hint);
    statusLabel_->setToolTip(hint);
    statusLabel_->update();
}

void MainWindow::restoreAndRaise() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace lumavert
