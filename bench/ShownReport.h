#pragma once

// What a start-up bench child reports once its dialog is on screen: nanoseconds since the
// parent forked it, and how many shared libraries it has mapped by then.
#include "tests/MappedLibraries.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>

inline long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

inline void ReportShown(QWidget& dialog, long long startNs) {
    while (dialog.windowHandle() == nullptr || !dialog.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    const long long shownNs = NowNs();
    std::printf("%lld %zu\n", shownNs - startNs, MappedLibraries().size());
}
