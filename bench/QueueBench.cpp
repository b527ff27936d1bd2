// Print queues of a private CUPS scheduler (tests/cups-scheduler.sh, started here and stopped at
// the end): a send through a queue until its job is completed, against a send to a capture
// file; listing 56 queues (the script's six and 50 more), against looking at one queue.
#include "bench/RatioReport.h"
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "tests/Endpoints.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kExtraQueues = 50;

std::array<unsigned char, 38> Block() {
    std::array<unsigned char, 38> block{};
    block.fill('A');
    return block;
}

void Send(benchmark::State& state, const std::string& uri) {
    auto block = Block();
    for (auto _ : state) {
        if (OutPortToUri(uri.c_str(), static_cast<int>(block.size()), block.data()) != 1) {
            state.SkipWithError(OutPortLastError());
            break;
        }
    }
}

void BM_SendThroughQueue(benchmark::State& state) {
    Send(state, "cups:labels");
}
BENCHMARK(BM_SendThroughQueue)->Unit(benchmark::kMillisecond);

void BM_SendToFile(benchmark::State& state) {
    char path[] = "/tmp/queue-bench-XXXXXX";
    const int fd = mkstemp(path);
    Send(state, std::string("file:") + path);
    close(fd);
    unlink(path);
}
BENCHMARK(BM_SendToFile)->Unit(benchmark::kMillisecond);

void BM_ListQueues(benchmark::State& state) {
    for (auto _ : state) {
        OutPortDeviceList* list = OutPortListQueues(nullptr);
        if (OutPortDeviceCount(list) != kExtraQueues + 6) {
            state.SkipWithError(OutPortDeviceListProblem(list));
        }
        OutPortFreeDevices(list);
    }
}
BENCHMARK(BM_ListQueues)->Unit(benchmark::kMillisecond);

void BM_DescribeOneQueue(benchmark::State& state) {
    for (auto _ : state) {
        OutPortFreeTarget(OutPortDescribeUri("cups:labels"));
    }
}
BENCHMARK(BM_DescribeOneQueue)->Unit(benchmark::kMillisecond);

int Script(const std::string& arguments) {
    return std::system(
        ("bash " TROVANEL_SOURCE_DIR "/tests/cups-scheduler.sh " + arguments).c_str());
}

} // namespace

int main(int argc, char** argv) {
    char folder[] = "/tmp/queue-bench-cups-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    // A port nothing listens on now.
    LoopbackListener probe;
    const std::string port = std::to_string(probe.Port());
    probe.Close();
    const std::string server = "127.0.0.1:" + port;
    if (Script(std::string("start ") + folder + " " + port) != 0) {
        std::fprintf(stderr, "the private scheduler did not start\n");
        return 1;
    }
    setenv("CUPS_SERVER", server.c_str(), 1);
    for (int i = 0; i < kExtraQueues; ++i) {
        const std::string name = "bench" + std::to_string(i);
        std::system(("lpadmin -h " + server + " -p " + name + " -E -v capture:" + folder +
                     "/capture/" + name + " -m raw 2>/dev/null")
                        .c_str());
    }
    const int result = RunAndCompare(
        argc, argv,
        {{"BM_SendThroughQueue", "BM_SendToFile"}, {"BM_ListQueues", "BM_DescribeOneQueue"}});
    Script(std::string("stop ") + folder);
    std::system((std::string("rm -rf ") + folder).c_str());
    return result;
}
