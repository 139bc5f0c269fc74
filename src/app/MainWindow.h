// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/BackgroundDrag.h"
#include "app/UserPrompts.h"
#include "device/DeviceStatus.h"
#include "device/HidLink.h"
#include "device/TransferSequence.h"
#include "model/LightMode.h"
#include "model/PanelContents.h"
#include "model/Presets.h"
#include "model/ViewState.h"

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QPushButton;
class QScrollBar;

namespace lumavert {

class BeamPreview;
class EditTracker;
class IntroPanel;
class KeptValueTips;
class LinkLabel;
class PickerRow;
class SkinButton;
class TransferDialog;

/// What the main window needs from outside: the bus the light is on and where its device
/// changes come from. Both must outlive the window.
struct DeviceAccess {
    HidBus& bus;
    DeviceMonitor* monitor = nullptr;
};

/// The program's single window: the Mode set being edited, its two panels, the keys of the
/// commands and the light's status.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    /// `delays` shortens the transfer dialog's delays in tests; the program uses the defaults.
    MainWindow(DeviceAccess device, std::unique_ptr<UserPrompts> prompts,
               const TransferDelays& delays, QWidget* parent = nullptr);
    explicit MainWindow(DeviceAccess device, QWidget* parent = nullptr);
    ~MainWindow() override;

    const ModeSet& modeSet() const { return modes_; }
    const ViewState& viewState() const { return view_; }
    const HidLink& hidLink() const { return hidLink_; }

    /// Opens a Mode set file as the Open command does, with its messages.
    void openModeSetFile(const QString& path);

    /// Message number of the request to read the light back, posted to the window itself.
    static constexpr int kDownloadRequest = 0x482;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Start-up, in order.
    void setUpFrame();
    void createFonts();
    void layOutKeys();
    void layOutLabels();
    void placeScrollBars();
    void connectCommands();
    void probeAtStart();

    // Panels. The rows are made the first time they are shown.
    PickerRow* modeRow(std::size_t k);
    PickerRow* stepRow(std::size_t k);
    PickerRow* makeRow(int type, int items, std::size_t k, const QString& name, QPoint firstRow);
    /// Lets the history and the value tips follow what the row writes and shows.
    void watchRow(PickerRow* row);
    void refresh(Refresh panels);
    void refreshModePanel();
    void refreshStepPanel();
    void onScroll(QScrollBar* bar, int action);
    void showSelectedModeInBeam();

    // Commands.
    void testMode();
    void upload();
    void openFile();
    /// True when the set was saved.
    bool saveFile();
    void showPresetMenu();
    void applyPresetCommand(Preset preset);
    void openHelp();
    void showNotice();
    /// Marks the set as kept once the dialog has written all of it.
    TransferDialog* keepWhenUploaded(TransferDialog* dialog);
    /// Opens an upload or download dialog as the one open transfer.
    void openTransfer(TransferDialog* dialog);
    /// How to fix the permission on a light that is listed but may not be opened; else empty.
    QString permissionProblem() const;

    // Light status.
    void onDeviceChange(int code);
    void applyStatus(const DeviceStatusChange& change);
    void showConnectedLook(bool connected);
    void download();
    void restoreAndRaise();

    ModeSet modes_;
    ViewState view_;
    EditTracker* edits_ = nullptr;
    KeptValueTips* keptTips_ = nullptr;
    BeamPreview* beam_ = nullptr;
    HidLink hidLink_;
    DeviceMonitor* deviceMonitor_ = nullptr;
    std::unique_ptr<UserPrompts> prompts_;
    TransferDelays delays_;

    QPixmap background_;
    QFont buttonFont_;
    QFont statusFont_;
    QFont linkFont_;
    QFont nextFont_;

    QScrollBar* modeScrollBar_ = nullptr;
    QScrollBar* stepScrollBar_ = nullptr;
    LinkLabel* webAddressLabel_ = nullptr;
    LinkLabel* statusLabel_ = nullptr;
    SkinButton* deviceIndicator_ = nullptr;
    SkinButton* closeButton_ = nullptr;
    SkinButton* minimizeButton_ = nullptr;
    SkinButton* modeUpButton_ = nullptr;
    SkinButton* stepUpButton_ = nullptr;
    SkinButton* testButton_ = nullptr;
    SkinButton* saveButton_ = nullptr;
    SkinButton* openButton_ = nullptr;
    SkinButton* defaultModesButton_ = nullptr;
    SkinButton* addModeButton_ = nullptr;
    SkinButton* addStepButton_ = nullptr;
    SkinButton* uploadButton_ = nullptr;
    SkinButton* modeDownButton_ = nullptr;
    SkinButton* stepDownButton_ = nullptr;
    SkinButton* customizeButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    IntroPanel* introPanel_ = nullptr;
    std::array<PickerRow*, kModeRows> modeRows_{};
    std::array<PickerRow*, kStepRows> stepRows_{};

    QPointer<TransferDialog> transfer_;  ///< the open upload or download, if any
    bool readBackAfterTransfer_ = false; ///< a light arrived while a transfer was open
    bool readBackWhenShown_ = false;     ///< a read asked for before the window was on the screen
    bool iconSet_ = false;               ///< the window's icon is set after its first frame
    BackgroundDrag backgroundDrag_{*this};
};

} // namespace lumavert
