// OutPort of one 38-byte block to a pseudo-terminal, against a bare write() of the same bytes
// to an already open and configured pty: the price of opening, locking, configuring and
// draining the line on every call.
#include "bench/RatioReport.h"
#include "printer/outport/OutPort.h"
#include "tests/PseudoTerminal.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <termios.h>
#include <unistd.h>

namespace {

// A pty in raw mode, named as COM1's device.
class PtyPair : public PseudoTerminal {
public:
    PtyPair() {
        termios raw = Settings();
        cfmakeraw(&raw);
        tcsetattr(Slave(), TCSANOW, &raw);
        setenv("OUTPORT_COM1", Name().c_str(), 1);
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
        pty.Received(0); // keeps the buffer from filling up
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OutPortToPty)->Unit(benchmark::kMicrosecond);

void BM_RawWriteToPty(benchmark::State& state) {
    PtyPair pty;
    const auto block = Block();
    for (auto _ : state) {
        benchmark::DoNotOptimize(write(pty.Slave(), block.data(), block.size()));
        state.PauseTiming();
        pty.Received(0); // keeps the buffer from filling up
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RawWriteToPty)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunAndCompare(argc, argv, {{"BM_OutPortToPty", "BM_RawWriteToPty"}});
}
