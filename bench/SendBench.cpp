// Send from the setup dialog on the offscreen platform, against pseudo-terminals:
// - how long a posted event waits to be handled while a send is stalled (the window must keep
//   answering; the goal is under 50 ms),
// - how long from a click on Cancel until the dialog takes input again (goal: under 100 ms),
// - a 38-byte block sent on the worker thread against OutPort called directly, as a ratio of
//   the two measured in this one run.
#include "printer/outport/OutPort.h"
#include "tests/PseudoTerminal.h"
#include "ui/setup/SendJob.h"
#include "ui/setup/SendProgress.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr int kCancelRuns = 10;
constexpr int kSendRuns = 300;
constexpr int kStalledMs = 1500;
constexpr int kPostEveryMs = 5;

// A pseudo-terminal named as COM1's device.
class Pty : public PseudoTerminal {
public:
    Pty() { setenv("OUTPORT_COM1", Name().c_str(), 1); }
};

struct Summary {
    double medianMs;
    double maxMs;
    std::size_t count;
};

Summary Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back(), ms.size()};
}

void WaitUntil(const std::function<bool()>& done) {
    while (!done()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

// Records how long each posted event waited in the queue before it was handled.
class LatencyProbe : public QObject {
public:
    void Post() {
        m_clock.start();
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    std::vector<double> m_waitedMs;

protected:
    void customEvent(QEvent*) override {
        m_waitedMs.push_back(static_cast<double>(m_clock.nsecsElapsed()) / 1e6);
    }

private:
    QElapsedTimer m_clock;
};

struct DialogUnderTest {
    DialogUnderTest() {
        dialog.SetMessagePresenter([this](QWidget*, const DialogMessage&) {
            answeredNs = clock.nsecsElapsed();
            ++messages;
        });
        dialog.Create();
    }
    CSendProgress* Progress() const { return dialog.findChild<CSendProgress*>(); }

    CSetupDlg dialog;
    QElapsedTimer clock;
    qint64 answeredNs = 0;
    int messages = 0;
};

// Event-loop latency over a stalled send, before and while the progress window is up.
Summary StalledLatency(DialogUnderTest& under, const Pty& pty) {
    pty.Stall();
    LatencyProbe probe;
    QTimer poster;
    QObject::connect(&poster, &QTimer::timeout, &probe, &LatencyProbe::Post);
    QTest::mouseClick(under.dialog.GetDlgItem(IDC_SEND), Qt::LeftButton);
    poster.start(kPostEveryMs);
    QElapsedTimer span;
    span.start();
    WaitUntil([&] { return span.elapsed() >= kStalledMs; });
    poster.stop();
    const int before = under.messages;
    QTest::mouseClick(under.Progress()->findChild<QPushButton*>(), Qt::LeftButton);
    WaitUntil([&] { return under.messages > before; });
    pty.Resume();
    pty.Received(0);
    return Summarise(probe.m_waitedMs);
}

// From the click on Cancel to the dialog's answer (its input is unblocked just before).
Summary CancelToInput(DialogUnderTest& under, const Pty& pty) {
    std::vector<double> ms;
    pty.Stall();
    for (int i = 0; i < kCancelRuns; ++i) {
        QTest::mouseClick(under.dialog.GetDlgItem(IDC_SEND), Qt::LeftButton);
        WaitUntil([&] { return under.Progress() != nullptr && under.Progress()->isVisible(); });
        const int before = under.messages;
        under.clock.start();
        QTest::mouseClick(under.Progress()->findChild<QPushButton*>(), Qt::LeftButton);
        WaitUntil([&] { return under.messages > before; });
        ms.push_back(static_cast<double>(under.answeredNs) / 1e6);
    }
    pty.Resume();
    pty.Received(0);
    return Summarise(ms);
}

// Mean microseconds per 38-byte send, direct and on the worker, alternating in rounds.
std::pair<double, double> DirectAndThreaded(const Pty& pty) {
    std::array<unsigned char, 38> block{};
    block.fill('A');
    qint64 directNs = 0;
    qint64 threadedNs = 0;
    QElapsedTimer clock;
    for (int i = 0; i < kSendRuns; ++i) {
        clock.start();
        const int sent = OutPort(static_cast<int>(block.size()), 0, block.data());
        directNs += clock.nsecsElapsed();
        pty.Received(0);

        clock.start();
        bool done = false;
        {
            QEventLoop loop;
            CSendJob job(0, block.data(), static_cast<int>(block.size()));
            QObject::connect(&job, &CSendJob::Finished, &loop, [&] {
                done = true;
                loop.quit();
            });
            job.Start();
            loop.exec();
        }
        threadedNs += clock.nsecsElapsed();
        pty.Received(0);
        if (sent != 1 || !done) {
            std::fprintf(stderr, "send failed: %s\n", OutPortLastError());
            std::exit(1);
        }
    }
    return {static_cast<double>(directNs) / kSendRuns / 1e3,
            static_cast<double>(threadedNs) / kSendRuns / 1e3};
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("OUTPORT_TIMEOUT_MS", "60000", 1);
    char scratch[] = "/tmp/send-bench-XXXXXX"; // settings and outport.conf are looked for here
    if (mkdtemp(scratch) == nullptr || chdir(scratch) != 0) {
        return 1;
    }
    setenv("XDG_CONFIG_HOME", scratch, 1);
    QApplication application(argc, argv);
    const Pty pty;
    DialogUnderTest under;
    const Summary latency = StalledLatency(under, pty);
    const Summary cancel = CancelToInput(under, pty);
    const auto [directUs, threadedUs] = DirectAndThreaded(pty);
    rmdir(scratch);

    std::printf("%-44s %8s %8s %8s\n", "send from the dialog", "median", "max", "samples");
    std::printf("%-44s %8.2f %8.2f %8zu\n", "posted event handled, send stalled (ms)",
                latency.medianMs, latency.maxMs, latency.count);
    std::printf("%-44s %8.2f %8.2f %8zu\n", "Cancel to taking input again (ms)", cancel.medianMs,
                cancel.maxMs, cancel.count);
    std::printf("%-44s %8s %8s %8s\n", "38-byte block to a pty, mean of runs", "direct", "worker",
                "ratio");
    std::printf("%-44s %8.1f %8.1f %8.2f\n", "time per send (us)", directUs, threadedUs,
                threadedUs / directUs);
    return 0;
}
