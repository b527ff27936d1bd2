// Listing printers on the network: 50 published printers against none, both through a private
// avahi-daemon in a namespace of the bench's own (run by tests/avahi-namespace.sh; see
// scripts/run-benchmarks.sh).
#include "bench/RatioReport.h"
#include "printer/outport/OutPortDevices.h"
#include "tests/AvahiNamespace.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kPrinters = 50;

void List(benchmark::State& state, int expected) {
    for (auto _ : state) {
        OutPortDeviceList* list = OutPortListNetworkPrinters(0, nullptr);
        if (OutPortDeviceCount(list) != expected) {
            state.SkipWithError(("listed " + std::to_string(OutPortDeviceCount(list)) + " " +
                                 OutPortDeviceListProblem(list))
                                    .c_str());
        }
        OutPortFreeDevices(list);
    }
}

// Runs first, before anything is published.
void BM_ListNoNetworkPrinters(benchmark::State& state) {
    List(state, 0);
}
BENCHMARK(BM_ListNoNetworkPrinters)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_List50NetworkPrinters(benchmark::State& state) {
    std::vector<std::unique_ptr<Publication>> printers;
    for (int i = 0; i < kPrinters; ++i) {
        printers.push_back(std::make_unique<Publication>(
            std::vector<std::string>{"-s", "Label " + std::to_string(i), "_pdl-datastream._tcp",
                                     "9100", "usb_MFG=Acme", "usb_MDL=LP-2824"}));
    }
    for (const auto& printer : printers) {
        if (!printer->Established()) {
            state.SkipWithError("a printer could not be published");
            return;
        }
    }
    List(state, kPrinters);
}
BENCHMARK(BM_List50NetworkPrinters)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (AvahiNamespaceDir() == nullptr) {
        std::fprintf(stderr, "run inside tests/avahi-namespace.sh\n");
        return 1;
    }
    return RunAndCompare(
        argc, argv,
        {{"BM_List50NetworkPrinters/iterations:5", "BM_ListNoNetworkPrinters/iterations:5"}});
}
