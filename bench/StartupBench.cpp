// Start-up to dialog shown: the setup dialog against a bare QDialog holding as many plain
// widgets, each in a fresh process, alternating, on the offscreen platform. Also the peak
// resident memory of each process. Prints medians and their ratios.
#include "ui/setup/SetupDlg.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRuns = 15;

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

void WaitUntilExposed(QWidget& dialog) {
    while (dialog.windowHandle() == nullptr || !dialog.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

// The child: builds one dialog, shows it, reports the time since the parent forked.
int RunChild(const char* mode, long long startNs, int argc, char* argv[]) {
    QApplication application(argc, argv);
    long long shownNs = 0;
    if (std::strcmp(mode, "setup") == 0) {
        CSetupDlg dialog;
        dialog.SetMessagePresenter([](QWidget*, const DialogMessage&) {});
        dialog.Create();
        WaitUntilExposed(dialog);
        shownNs = NowNs();
    } else {
        QDialog dialog;
        for (int i = 0; i < 30; ++i) {
            new QPushButton(QString::number(i), &dialog);
        }
        dialog.show();
        WaitUntilExposed(dialog);
        shownNs = NowNs();
    }
    std::printf("%lld\n", shownNs - startNs);
    return 0;
}

struct Run {
    double ms;
    long peakKb;
};

Run Spawn(const char* self, const char* mode) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        std::exit(1);
    }
    const long long start = NowNs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        const std::string startText = std::to_string(start);
        execl(self, self, mode, startText.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[64] = {};
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer - 1);
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s child failed\n", mode);
        std::exit(1);
    }
    return {static_cast<double>(std::atoll(buffer)) / 1e6, usage.ru_maxrss};
}

template <typename T> T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3) {
        return RunChild(argv[1], std::atoll(argv[2]), argc, argv);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char scratch[] = "/tmp/startup-bench-XXXXXX"; // the dialog loads its settings from here
    if (mkdtemp(scratch) == nullptr || chdir(scratch) != 0) {
        return 1;
    }
    std::vector<double> setupMs, bareMs;
    std::vector<long> setupKb, bareKb;
    for (int i = 0; i < kRuns; ++i) {
        const Run setup = Spawn("/proc/self/exe", "setup");
        const Run bare = Spawn("/proc/self/exe", "bare");
        setupMs.push_back(setup.ms);
        setupKb.push_back(setup.peakKb);
        bareMs.push_back(bare.ms);
        bareKb.push_back(bare.peakKb);
    }
    rmdir(scratch);
    const double sMs = Median(setupMs), bMs = Median(bareMs);
    const long sKb = Median(setupKb), bKb = Median(bareKb);
    std::printf("median of %-18d %12s %12s %8s\n", kRuns, "setup dialog", "bare dialog", "ratio");
    std::printf("%-28s %12.1f %12.1f %8.2f\n", "start-up to shown (ms)", sMs, bMs, sMs / bMs);
    std::printf("%-28s %12ld %12ld %8.2f\n", "peak resident memory (KiB)", sKb, bKb,
                static_cast<double>(sKb) / static_cast<double>(bKb));
    return 0;
}
