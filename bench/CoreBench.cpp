// Building the block and a load/save round of the settings file, in a scratch directory.
#include "CommandBlock.h"
#include "SettingsFile.h"

#include <array>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdlib.h>
#include <string>
#include <unistd.h>

namespace {

// The settings file lives in the working directory; keep it out of the caller's.
class ScratchDirectory {
public:
    ScratchDirectory() : m_previous(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        std::filesystem::current_path(m_path);
    }
    ~ScratchDirectory() {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_path);
    }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

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
    ScratchDirectory scratch;
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
    ScratchDirectory scratch;
    const CPrinterSettings settings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveSettings(settings));
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond);

} // namespace
