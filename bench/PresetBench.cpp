// Listing a folder of 500 presets against reading the one preset a command asks for.
#include "bench/RatioReport.h"
#include "settings/PresetFileName.h"
#include "settings/PresetStore.h"
#include "settings/PresetText.h"
#include "tests/WorkDirectory.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

namespace {

constexpr int kPresets = 500;

// A user's folder holding kPresets presets in both units, and no administrator's folder.
PresetFolders FolderOfPresets(const WorkDirectory& scratch) {
    PresetFolders folders{(scratch.path() / "presets").string(), {}};
    std::filesystem::create_directories(folders.user);
    for (int i = 0; i < kPresets; ++i) {
        Preset preset;
        preset.name = "Stock " + std::to_string(i);
        preset.description = "Direct thermal, 3 mm gap";
        preset.unit = i % 2;
        preset.length = 40 + i % 400;
        preset.gap = 3;
        preset.mode = 1;
        WriteFile(folders.user + "/" + PresetFileName(preset.name), PresetText(preset));
    }
    return folders;
}

void BM_ListPresets(benchmark::State& state) {
    const WorkDirectory scratch;
    const PresetFolders folders = FolderOfPresets(scratch);
    for (auto _ : state) {
        const PresetList list = ListPresets(folders);
        benchmark::DoNotOptimize(list.usable.size());
    }
}
BENCHMARK(BM_ListPresets)->Unit(benchmark::kMillisecond);

void BM_ReadOnePreset(benchmark::State& state) {
    const WorkDirectory scratch;
    const PresetFolders folders = FolderOfPresets(scratch);
    const std::string path = folders.user + "/" + PresetFileName("Stock 250");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadPresetFile(path));
    }
}
BENCHMARK(BM_ReadOnePreset)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunAndCompare(argc, argv, {{"BM_ListPresets", "BM_ReadOnePreset"}});
}
