// Any bytes as the settings file: each field reads as atoi reads its four bytes alone, and the
// reader never looks past a field (each field is handed over in a buffer of exactly 4 bytes).
#include "settings/SettingsFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

int Reference(const unsigned char* field) {
    const std::string text(reinterpret_cast<const char*>(field), kSettingsFieldSize);
    return std::atoi(text.c_str()); // stops at an embedded zero byte, as the field rule does
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<unsigned char, kSettingsFileSize> image{};
    std::memcpy(image.data(), data, std::min(size, image.size()));

    std::array<int, 10> expected{};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto field = std::make_unique<unsigned char[]>(kSettingsFieldSize);
        std::memcpy(field.get(), image.data() + i * kSettingsFieldSize, kSettingsFieldSize);
        expected[i] = Reference(field.get());
        if (ReadSettingsField(field.get()) != expected[i]) {
            std::abort();
        }
    }
    CPrinterSettings settings;
    DecodeSettings(image.data(), settings);
    const std::array<int, 10> decoded{
        settings.m_nUnit,     settings.m_nLengthInch, settings.m_nGapInch,   settings.m_nCutOffset,
        settings.m_nTearInch, settings.m_nPort,       settings.m_nPrintMode, settings.m_nLengthMm,
        settings.m_nGapMm,    settings.m_nTearMm};
    if (decoded != expected) {
        std::abort();
    }
    return 0;
}
