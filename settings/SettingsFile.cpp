#include "SettingsFile.h"

#include "AtomicFile.h"
#include "OutPort.h"

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

bool IsSpace(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::int32_t ReadSettingsField(const unsigned char* field) {
    std::size_t pos = 0;
    while (pos < kSettingsFieldSize && IsSpace(field[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < kSettingsFieldSize && (field[pos] == '+' || field[pos] == '-')) {
        negative = field[pos] == '-';
        ++pos;
    }
    std::int32_t value = 0;
    while (pos < kSettingsFieldSize && IsDigit(field[pos])) {
        value = value * 10 + (field[pos] - '0');
        ++pos;
    }
    return negative ? -value : value;
}

void DecodeSettings(const unsigned char* image, CPrinterSettings& settings) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        settings.*kFileOrder[i] = ReadSettingsField(image + i * kSettingsFieldSize);
    }
}

void EncodeSettings(const CPrinterSettings& settings, unsigned char* image) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        std::array<char, 8> text{};
        Change4(settings.*kFileOrder[i], text.data());
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
