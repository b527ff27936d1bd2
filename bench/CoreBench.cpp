// Building the block and a load/save round of the settings file, in a scratch directory.
#include "bench/RatioReport.h"
#include "printer/CommandBlock.h"
#include "settings/SettingsFile.h"
#include "tests/WorkDirectory.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

void BM_BuildCommand(benchmark::State& state) {
    CPrinterSettings settings;
    settings.SetLength(100);
    std::array<unsigned char, kCommandBufferSize> buffer{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildCommand(settings, buffer.data()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildCommand);

void BM_LoadSettings(benchmark::State& state) {
    const WorkDirectory scratch; // the settings file lives in the working directory
    SaveSettings(CPrinterSettings());
    for (auto _ : state) {
        CPrinterSettings settings;
        LoadSettings(settings);
        benchmark::DoNotOptimize(settings);
    }
}
BENCHMARK(BM_LoadSettings);

// Dominated by fsync of the file and its directory: the price of a save that survives a crash.
void BM_SaveSettings(benchmark::State& state) {
    const WorkDirectory scratch; // the settings file lives in the working directory
    const CPrinterSettings settings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveSettings(settings));
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond);

// The baselines: the same 40 bytes read and written plainly, with no decoding and no
// protection against a crash in the middle of the write.
void BM_PlainRead(benchmark::State& state) {
    const WorkDirectory scratch; // the settings file lives in the working directory
    SaveSettings(CPrinterSettings());
    std::array<unsigned char, kSettingsFileSize> image{};
    for (auto _ : state) {
        std::FILE* file = std::fopen(kSettingsFileName, "rb");
        benchmark::DoNotOptimize(std::fread(image.data(), 1, image.size(), file));
        std::fclose(file);
    }
}
BENCHMARK(BM_PlainRead);

void BM_PlainWrite(benchmark::State& state) {
    const WorkDirectory scratch; // the settings file lives in the working directory
    std::array<unsigned char, kSettingsFileSize> image{};
    for (auto _ : state) {
        std::FILE* file = std::fopen(kSettingsFileName, "wb");
        benchmark::DoNotOptimize(std::fwrite(image.data(), 1, image.size(), file));
        std::fclose(file);
    }
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunAndCompare(
        argc, argv, {{"BM_LoadSettings", "BM_PlainRead"}, {"BM_SaveSettings", "BM_PlainWrite"}});
}
