// Start-up to dialog shown: the setup dialog against a bare QDialog holding as many plain
// widgets, each in a fresh process, alternating, on the offscreen platform. Also the peak
// resident memory of each process, and the setup dialog with COM1 on a print queue whose server
// never answers against the same without one. Prints medians and their ratios.
#include "tests/Endpoints.h"
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
    // A print server whose backlog is full: connecting to it waits for the whole time-out.
    LoopbackListener silent(0);
    silent.FillBacklog();
    const std::string silentServer = "127.0.0.1:" + std::to_string(silent.Port());
    std::vector<double> setupMs, bareMs, queueMs;
    std::vector<long> setupKb, bareKb;
    for (int i = 0; i < kRuns; ++i) {
        const Run setup = Spawn("/proc/self/exe", "setup");
        const Run bare = Spawn("/proc/self/exe", "bare");
        setenv("CUPS_SERVER", silentServer.c_str(), 1);
        setenv("OUTPORT_COM1", "cups:labels", 1);
        const Run queue = Spawn("/proc/self/exe", "setup");
        unsetenv("CUPS_SERVER");
        unsetenv("OUTPORT_COM1");
        setupMs.push_back(setup.ms);
        setupKb.push_back(setup.peakKb);
        bareMs.push_back(bare.ms);
        bareKb.push_back(bare.peakKb);
        queueMs.push_back(queue.ms);
    }
    rmdir(scratch);
    const double sMs = Median(setupMs), bMs = Median(bareMs), qMs = Median(queueMs);
    const long sKb = Median(setupKb), bKb = Median(bareKb);
    std::printf("median of %-18d %12s %12s %8s\n", kRuns, "setup dialog", "bare dialog", "ratio");
    std::printf("%-28s %12.1f %12.1f %8.2f\n", "start-up to shown (ms)", sMs, bMs, sMs / bMs);
    std::printf("%-28s %12ld %12ld %8.2f\n", "peak resident memory (KiB)", sKb, bKb,
                static_cast<double>(sKb) / static_cast<double>(bKb));
    std::printf("\n%-28s %12s %12s %8s\n", "", "silent CUPS", "no CUPS", "ratio");
    std::printf("%-28s %12.1f %12.1f %8.2f\n", "setup dialog shown (ms)", qMs, sMs, qMs / sMs);
    return 0;
}
