// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StartupBench.h"

#include "ChildProcess.h"
#include "FirstPaintClock.h"
#include "Statistics.h"

#include "app/DeviceEnvironment.h"
#include "app/MainWindow.h"
#include "i18n/TextCatalogue.h"

#include <QApplication>

#include <iostream>
#include <stdexcept>

namespace lumavert {

namespace {

using Clock = FirstPaintClock::Clock;

constexpr double kLongestMainMs = 150.0;
constexpr double kLargestRatio = 1.3;

const char* windowArgument(StartupWindow window) {
    return window == StartupWindow::Main ? "main" : "bare";
}

/// Milliseconds from starting a fresh process to its window's first paint.
double timeFirstPaint(const std::string& self, StartupWindow window) {
    const Clock::time_point started = Clock::now();
    ChildProcess child({self, "--first-paint", windowArgument(window)},
                       ChildProcess::Output::Capture);
    const std::string printed = child.readOutput();
    const ChildProcess::Exit exit = child.wait();
    if (!exit.normal || exit.code != 0 || printed.empty()) {
        throw std::runtime_error(std::string("the ") + windowArgument(window) +
                                 " window did not report its first paint; run " + self +
                                 " --first-paint " + windowArgument(window) + " to see why");
    }
    const Clock::time_point painted{std::chrono::nanoseconds(std::stoll(printed))};
    return std::chrono::duration<double, std::milli>(painted - started).count();
}

} // namespace

int printFirstPaint(StartupWindow window) {
    // As the program starts: German texts, the system's bus, no light attached.
    setCurrentLanguage("de");
    std::unique_ptr<DeviceEnvironment> devices;
    std::unique_ptr<QWidget> shown;
    if (window == StartupWindow::Main) {
        devices = DeviceEnvironment::system();
        shown = std::make_unique<MainWindow>(DeviceAccess{devices->bus(), devices->monitor()});
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
              << std::endl;
    return 0;
}

void benchStartup(ResultTable& table, const std::string& self, int runs) {
    std::vector<double> mainMs;
    std::vector<double> bareMs;
    timeFirstPaint(self, StartupWindow::Main); // warms the file cache; not counted
    timeFirstPaint(self, StartupWindow::Bare);
    for (int run = 0; run < runs; ++run) {
        mainMs.push_back(timeFirstPaint(self, StartupWindow::Main));
        bareMs.push_back(timeFirstPaint(self, StartupWindow::Bare));
    }
    const double mainMedian = median(mainMs);
    const double bareMedian = median(bareMs);
    const double ratio = mainMedian / bareMedian;
    const std::string of = ", median of " + std::to_string(runs) + " fresh processes";
    table.add({"Start-up to first paint, MainWindow" + of, formatNumber(mainMedian, 1) + " ms",
               "≤ " + formatNumber(kLongestMainMs, 0) + " ms", mainMedian <= kLongestMainMs});
    table.add({"Start-up to first paint, bare 800 × 600 QWidget" + of,
               formatNumber(bareMedian, 1) + " ms", "", std::nullopt});
    table.add({"Start-up ratio MainWindow / bare window", formatNumber(ratio, 2),
               "≤ " + formatNumber(kLargestRatio, 1), ratio <= kLargestRatio});
}

} // namespace lumavert
