#include "SettingsFile.h"

#include "AtomicFile.h"
#include "NumberField.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace {

using FieldPointer = std::int32_t CPrinterSettings::*;

constexpr std::array<FieldPointer, 10> kFileOrder{
    &CPrinterSettings::m_nUnit,      &CPrinterSettings::m_nLengthInch,
    &CPrinterSettings::m_nGapInch,   &CPrinterSettings::m_nCutOffset,
    &CPrinterSettings::m_nTearInch,  &CPrinterSettings::m_nPort,
    &CPrinterSettings::m_nPrintMode, &CPrinterSettings::m_nLengthMm,
    &CPrinterSettings::m_nGapMm,     &CPrinterSettings::m_nTearMm,
};

} // namespace

std::int32_t ReadSettingsField(const unsigned char* field) {
    return ReadNumberField(field, kSettingsFieldSize);
}

void DecodeSettings(const unsigned char* image, CPrinterSettings& settings) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        settings.*kFileOrder[i] = ReadSettingsField(image + i * kSettingsFieldSize);
    }
}

void EncodeSettings(const CPrinterSettings& settings, unsigned char* image) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        std::array<char, 8> text{};
        WriteNumberField(settings.*kFileOrder[i], static_cast<int>(kSettingsFieldSize),
                         text.data());
        std::memcpy(image + i * kSettingsFieldSize, text.data(), kSettingsFieldSize);
    }
}

void LoadSettings(CPrinterSettings& settings) {
    std::FILE* file = std::fopen(kSettingsFileName, "rb");
    if (file == nullptr) {
        return;
    }
    std::array<unsigned char, kSettingsFileSize> image{};
    (void)std::fread(image.data(), 1, image.size(), file);
    std::fclose(file);
    DecodeSettings(image.data(), settings);
}

SaveResult SaveSettings(const CPrinterSettings& settings) {
    std::array<unsigned char, kSettingsFileSize> image{};
    EncodeSettings(settings, image.data());
    switch (ReplaceFile(kSettingsFileName, image.data(), image.size())) {
    case ReplaceResult::Replaced:
        return SaveResult::Saved;
    case ReplaceResult::CannotCreate:
        return SaveResult::CannotOpen;
    case ReplaceResult::CannotWrite:
        break;
    }
    return SaveResult::CannotWrite;
}
