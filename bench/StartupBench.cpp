// Start-up to dialog shown: the setup dialog against a bare QDialog holding as many plain
// widgets in a program that links Qt Widgets alone (startup_bare_dialog), each in a fresh
// process, alternating, on the offscreen platform. Also the peak resident memory of each process,
// how many shared libraries each has mapped once shown, and the setup dialog with COM1 on a
// print queue whose server never answers against the same without one. Prints medians and their
// ratios. A second baseline has the setup dialog's kinds of widgets and texts (startup_bare_dialog
// kinds), which tells what Qt costs for those widgets from what the dialog's own code costs.
#include "bench/ShownReport.h"
#include "tests/Endpoints.h"
#include "ui/setup/SetupDlg.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRuns = 15;

// The child: shows the setup dialog and reports when it is on screen.
int RunChild(long long startNs, int argc, char* argv[]) {
    QApplication application(argc, argv);
    CSetupDlg dialog;
    dialog.SetMessagePresenter([](QWidget*, const DialogMessage&) {});
    dialog.Create();
    ReportShown(dialog, startNs);
    return 0;
}

struct Run {
    double ms;
    long peakKb;
    long libraries;
};

// Starts `program` (with "setup" for this program's own child) and reads what it reports.
Run Spawn(const char* program, const char* mode) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        std::exit(1);
    }
    const long long start = NowNs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        const std::string startText = std::to_string(start);
        if (mode != nullptr) {
            execl(program, program, mode, startText.c_str(), static_cast<char*>(nullptr));
        } else {
            execl(program, program, startText.c_str(), static_cast<char*>(nullptr));
        }
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
        std::fprintf(stderr, "%s failed\n", program);
        std::exit(1);
    }
    char* rest = nullptr;
    const long long ns = std::strtoll(buffer, &rest, 10);
    return {static_cast<double>(ns) / 1e6, usage.ru_maxrss, std::strtol(rest, nullptr, 10)};
}

template <typename T> T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Medians {
    double ms;
    long peakKb;
    long libraries;
};

// The setup dialog's medians against a baseline's, after the caller's row title.
void PrintComparison(const Medians& setup, const char* baseline, const Medians& other) {
    std::printf(" %12s %12s %8s\n", "setup dialog", baseline, "ratio");
    std::printf("%-28s %12.1f %12.1f %8.2f\n", "start-up to shown (ms)", setup.ms, other.ms,
                setup.ms / other.ms);
    std::printf("%-28s %12ld %12ld %8.2f\n", "peak resident memory (KiB)", setup.peakKb,
                other.peakKb,
                static_cast<double>(setup.peakKb) / static_cast<double>(other.peakKb));
    std::printf("%-28s %12ld %12ld %8.2f\n", "shared libraries mapped", setup.libraries,
                other.libraries,
                static_cast<double>(setup.libraries) / static_cast<double>(other.libraries));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3) {
        return RunChild(std::atoll(argv[2]), argc, argv);
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
    std::vector<double> setupMs, bareMs, kindsMs, queueMs;
    std::vector<long> setupKb, bareKb, kindsKb, setupLibraries, bareLibraries, kindsLibraries;
    for (int i = 0; i < kRuns; ++i) {
        const Run setup = Spawn("/proc/self/exe", "setup");
        const Run bare = Spawn(TROVANEL_BARE_DIALOG, nullptr);
        const Run kinds = Spawn(TROVANEL_BARE_DIALOG, "kinds");
        setenv("CUPS_SERVER", silentServer.c_str(), 1);
        setenv("OUTPORT_COM1", "cups:labels", 1);
        const Run queue = Spawn("/proc/self/exe", "setup");
        unsetenv("CUPS_SERVER");
        unsetenv("OUTPORT_COM1");
        setupMs.push_back(setup.ms);
        setupKb.push_back(setup.peakKb);
        bareMs.push_back(bare.ms);
        bareKb.push_back(bare.peakKb);
        setupLibraries.push_back(setup.libraries);
        bareLibraries.push_back(bare.libraries);
        kindsMs.push_back(kinds.ms);
        kindsKb.push_back(kinds.peakKb);
        kindsLibraries.push_back(kinds.libraries);
        queueMs.push_back(queue.ms);
    }
    rmdir(scratch);
    const Medians setup{Median(setupMs), Median(setupKb), Median(setupLibraries)};
    std::printf("median of %-18d", kRuns);
    PrintComparison(setup, "bare dialog", {Median(bareMs), Median(bareKb), Median(bareLibraries)});
    std::printf("\n%-28s", "");
    PrintComparison(setup, "same kinds",
                    {Median(kindsMs), Median(kindsKb), Median(kindsLibraries)});
    const double sMs = setup.ms, qMs = Median(queueMs);
    std::printf("\n%-28s %12s %12s %8s\n", "", "silent CUPS", "no CUPS", "ratio");
    std::printf("%-28s %12.1f %12.1f %8.2f\n", "setup dialog shown (ms)", qMs, sMs, qMs / sMs);
    return 0;
}
