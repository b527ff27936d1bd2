// OutPort of one 38-byte block to a pseudo-terminal, against a bare write() of the same bytes
// to an already open and configured pty: the price of opening, locking, configuring and
// draining the line on every call.
#include "OutPort.h"
#include "PseudoTerminal.h"
#include "RatioReport.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A pty in raw mode whose master never blocks, named as COM1's device.
class PtyPair : public PseudoTerminal {
public:
    PtyPair() {
        termios raw = Settings();
        cfmakeraw(&raw);
        tcsetattr(m_slave, TCSANOW, &raw);
        fcntl(m_master, F_SETFL, O_NONBLOCK);
        setenv("OUTPORT_COM1", m_name.c_str(), 1);
    }
    // Keeps the master's buffer from filling up between iterations.
    void Discard() const {
        std::array<unsigned char, 4096> sink{};
        while (read(m_master, sink.data(), sink.size()) > 0) {
        }
    }
};

std::array<unsigned char, 38> Block() {
    std::array<unsigned char, 38> block{};
    block.fill('A');
    return block;
}

void BM_OutPortToPty(benchmark::State& state) {
    PtyPair pty;
    auto block = Block();
    for (auto _ : state) {
        if (OutPort(static_cast<int>(block.size()), 0, block.data()) != 1) {
            state.SkipWithError(OutPortLastError());
            break;
        }
        state.PauseTiming();
        pty.Discard();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OutPortToPty)->Unit(benchmark::kMicrosecond);

void BM_RawWriteToPty(benchmark::State& state) {
    PtyPair pty;
    const auto block = Block();
    for (auto _ : state) {
        benchmark::DoNotOptimize(write(pty.m_slave, block.data(), block.size()));
        state.PauseTiming();
        pty.Discard();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RawWriteToPty)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunAndCompare(argc, argv, {{"BM_OutPortToPty", "BM_RawWriteToPty"}});
}
