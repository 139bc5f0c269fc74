// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StartupBench.h"

#include "ChildProcess.h"
#include "FirstPaintClock.h"
#include "ProcessStatus.h"
#include "Statistics.h"

#include "app/DeviceEnvironment.h"
#include "app/MainWindow.h"
#include "app/QtTranslations.h"
#include "i18n/TextCatalogue.h"

#include <QApplication>
#include <QPainter>

#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace lumavert {

namespace {

using Clock = FirstPaintClock::Clock;

constexpr double kLongestMainMs = 150.0;
constexpr double kLargestRatio = 1.3;

struct WindowName {
    StartupWindow window;
    std::string_view name;
};
constexpr WindowName kWindowNames[] = {
    {StartupWindow::Main, "main"}, {StartupWindow::Text, "text"}, {StartupWindow::Bare, "bare"}};

std::string nameOf(StartupWindow window) {
    for (const auto& [known, name] : kWindowNames) {
        if (known == window) {
            return std::string(name);
        }
    }
    return {};
}

// The floor: what any skinned window of this size does before its first frame.
class TextWindow : public QWidget {
  public:
    TextWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        resize(800, 600);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(240, 240, 240));
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(16);
        painter.setFont(font);
        painter.drawText(QPoint(20, 40), QStringLiteral("LUMAVERT 3.0"));
    }
};

struct FirstPaint {
    double ms = 0;   ///< from starting the process
    long peakKb = 0; ///< resident memory at its highest so far
};

FirstPaint measureFirstPaint(const std::string& self, StartupWindow window) {
    const Clock::time_point started = Clock::now();
    ChildProcess child({self, "--first-paint", nameOf(window)}, ChildProcess::Output::Capture);
    std::istringstream printed(child.readOutput());
    const ChildProcess::Exit exit = child.wait();
    long long paintedNs = 0;
    FirstPaint result;
    if (!exit.normal || exit.code != 0 || !(printed >> paintedNs >> result.peakKb)) {
        throw std::runtime_error("the " + nameOf(window) +
                                 " window did not report its first paint; run " + self +
                                 " --first-paint " + nameOf(window) + " to see why");
    }
    const Clock::time_point painted{std::chrono::nanoseconds(paintedNs)};
    result.ms = std::chrono::duration<double, std::milli>(painted - started).count();
    return result;
}

} // namespace

std::optional<StartupWindow> startupWindowNamed(std::string_view name) {
    for (const auto& [window, known] : kWindowNames) {
        if (known == name) {
            return window;
        }
    }
    return std::nullopt;
}

int printFirstPaint(StartupWindow window) {
    // As lumavert starts: German texts with Qt's translations, the system's bus, no light
    // attached.
    setCurrentLanguage("de");
    std::unique_ptr<DeviceEnvironment> devices;
    std::unique_ptr<QWidget> shown;
    if (window == StartupWindow::Main) {
        installQtTranslations(CurrentLanguage());
        devices = DeviceEnvironment::system();
        shown = std::make_unique<MainWindow>(DeviceAccess{devices->bus(), devices->monitor()});
    } else if (window == StartupWindow::Text) {
        shown = std::make_unique<TextWindow>();
    } else {
        shown = std::make_unique<QWidget>();
        shown->resize(800, 600);
    }
    FirstPaintClock clock(*shown);
    shown->show();
    QApplication::exec();
    if (!clock.paintedAt()) {
        return 1;
    }
    std::cout << std::chrono::duration_cast<std::chrono::nanoseconds>(
                     clock.paintedAt()->time_since_epoch())
                     .count()
              << ' ' << peakResidentKb(::getpid()).value_or(0) << std::endl;
    return 0;
}

void benchStartup(ResultTable& table, const std::string& self, int runs) {
    std::map<StartupWindow, std::vector<double>> ms;
    std::map<StartupWindow, std::vector<double>> kb;
    for (int run = -1; run < runs; ++run) { // run -1 warms the file cache; not counted
        for (const auto& [window, name] : kWindowNames) {
            const FirstPaint paint = measureFirstPaint(self, window);
            if (run >= 0) {
                ms[window].push_back(paint.ms);
                kb[window].push_back(static_cast<double>(paint.peakKb));
            }
        }
    }
    const auto medianMs = [&](StartupWindow w) { return median(ms[w]); };
    const auto medianKb = [&](StartupWindow w) { return median(kb[w]); };
    const double timeRatio = medianMs(StartupWindow::Main) / medianMs(StartupWindow::Text);
    const double memoryRatio = medianKb(StartupWindow::Main) / medianKb(StartupWindow::Text);
    const std::string of = ", median of " + std::to_string(runs) + " fresh processes";
    table.add({"Start-up to first paint, MainWindow" + of,
               formatNumber(medianMs(StartupWindow::Main), 1) + " ms",
               "≤ " + formatNumber(kLongestMainMs, 0) + " ms",
               medianMs(StartupWindow::Main) <= kLongestMainMs});
    table.add({"Start-up to first paint, floor: frameless 800 × 600 window, background and one "
               "line of bold Arial" +
                   of,
               formatNumber(medianMs(StartupWindow::Text), 1) + " ms", "", std::nullopt});
    table.add({"Start-up to first paint, bare 800 × 600 QWidget that draws nothing" + of,
               formatNumber(medianMs(StartupWindow::Bare), 1) + " ms", "", std::nullopt});
    table.add({"Start-up ratio MainWindow / floor window", formatNumber(timeRatio, 2),
               "≤ " + formatNumber(kLargestRatio, 1), timeRatio <= kLargestRatio});
    table.add({"Peak memory at first paint, MainWindow / floor window (VmHWM)",
               formatMebibytes(medianKb(StartupWindow::Main)) + " / " +
                   formatMebibytes(medianKb(StartupWindow::Text)) + " = " +
                   formatNumber(memoryRatio, 2),
               "≤ " + formatNumber(kLargestRatio, 1), memoryRatio <= kLargestRatio});
}

} // namespace lumavert
