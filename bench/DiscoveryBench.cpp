// OutPortListDevices with 32 USB-serial adapters plugged in, against a bare listing of
// /sys/class/tty in the same mocked tree: what udev, the access checks and the descriptions
// cost on top of reading the directory. Run under umockdev-wrapper.
#include "bench/RatioReport.h"
#include "printer/outport/OutPortDevices.h"
#include "tests/MockDevices.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <dirent.h>
#include <string>

namespace {

constexpr int kSerialPorts = 32;

void PlugAdapters(MockDevices& devices) {
    for (int i = 0; i < kSerialPorts; ++i) {
        const std::string port = "1-" + std::to_string(i + 1);
        devices.AddUsbDevice(port, "FTDI", "FT232R USB UART", std::to_string(10000 + i));
        devices.AddSerialAdapter("ttyUSB" + std::to_string(i), port);
    }
}

void BM_ListDevices(benchmark::State& state) {
    MockDevices devices;
    PlugAdapters(devices);
    for (auto _ : state) {
        OutPortDeviceList* list = OutPortListDevices();
        if (OutPortDeviceCount(list) != kSerialPorts) {
            state.SkipWithError("not every mocked port was listed");
        }
        OutPortFreeDevices(list);
    }
}
BENCHMARK(BM_ListDevices)->Unit(benchmark::kMillisecond);

void BM_ReadTtyClassDirectory(benchmark::State& state) {
    MockDevices devices;
    PlugAdapters(devices);
    for (auto _ : state) {
        DIR* directory = opendir("/sys/class/tty");
        int entries = 0;
        while (directory != nullptr && readdir(directory) != nullptr) {
            ++entries;
        }
        if (directory != nullptr) {
            closedir(directory);
        }
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(BM_ReadTtyClassDirectory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!MockDevices::Active()) {
        std::fprintf(stderr, "run this benchmark under umockdev-wrapper\n");
        return 1;
    }
    return RunAndCompare(argc, argv, {{"BM_ListDevices", "BM_ReadTtyClassDirectory"}});
}
