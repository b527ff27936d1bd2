// OutPortListDevices with 8 mocked USB printers, each asked for its port status, against
// listing the same printers without asking them: discovery and the access checks alone. Run
// under umockdev-wrapper, whose ioctl handlers answer for the printers.
#include "bench/RatioReport.h"
#include "printer/outport/OutPortDevices.h"
#include "printer/outport/discovery/UdevDevices.h"
#include "printer/outport/transport/DeviceAccess.h"
#include "tests/MockDevices.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kPrinters = 8;

void PlugPrinters(MockDevices& devices) {
    for (int i = 0; i < kPrinters; ++i) {
        const std::string port = "1-" + std::to_string(i + 1);
        const std::string serial = std::to_string(20000 + i);
        devices.AddUsbDevice(port, "Acme", "LP-2824", serial);
        devices.AddUsbPrinter("lp" + std::to_string(i), port, "MFG:Acme;MDL:LP-2824;SN:" + serial);
        devices.AnswerPortStatus("/dev/usb/lp" + std::to_string(i), 0x18);
    }
}

void BM_ListPrintersWithStatus(benchmark::State& state) {
    MockDevices devices;
    PlugPrinters(devices);
    for (auto _ : state) {
        OutPortDeviceList* list = OutPortListDevices();
        int idle = 0;
        for (int i = 0; i < OutPortDeviceCount(list); ++i) {
            idle += std::strcmp(OutPortDeviceAt(list, i)->printer.state, "idle") == 0 ? 1 : 0;
        }
        if (idle != kPrinters) {
            state.SkipWithError("not every mocked printer said it was idle");
        }
        OutPortFreeDevices(list);
    }
}
BENCHMARK(BM_ListPrintersWithStatus)->Unit(benchmark::kMillisecond);

void BM_ListPrintersWithoutStatus(benchmark::State& state) {
    MockDevices devices;
    PlugPrinters(devices);
    for (auto _ : state) {
        int usable = 0;
        for (const DiscoveredDevice& device : DiscoverDevices()) {
            usable += CheckAccess(device.node).usable ? 1 : 0;
        }
        if (usable != kPrinters) {
            state.SkipWithError("not every mocked printer was listed");
        }
    }
}
BENCHMARK(BM_ListPrintersWithoutStatus)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!MockDevices::Active()) {
        std::fprintf(stderr, "run this benchmark under umockdev-wrapper\n");
        return 1;
    }
    return RunAndCompare(argc, argv,
                         {{"BM_ListPrintersWithStatus", "BM_ListPrintersWithoutStatus"}});
}
