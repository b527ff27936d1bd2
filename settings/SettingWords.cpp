#include "settings/SettingWords.h"

#include "base/Characters.h"
#include "base/EditInteger.h"

#include <array>
#include <functional>

namespace {

constexpr std::array<std::string_view, 4> kPortWords{"COM1", "COM2", "LPT1", "LPT2"};

// Letter case is folded by ASCII rules alone: Unicode folding would take the Kelvin sign for a
// 'k' and the long s for an 's'.
std::optional<std::int32_t> CodeOf(std::string_view word, std::string_view zero,
                                   std::string_view one) {
    if (EqualIgnoringAsciiCase(word, zero)) {
        return 0;
    }
    if (EqualIgnoringAsciiCase(word, one)) {
        return 1;
    }
    return std::nullopt;
}

using SetOperation = SetResult (CPrinterSettings::*)(std::int32_t);

std::optional<SetOperation> MeasurementOperation(std::string_view name) {
    if (name == "length") {
        return &CPrinterSettings::SetLength;
    }
    if (name == "gap") {
        return &CPrinterSettings::SetGap;
    }
    if (name == "tear") {
        return &CPrinterSettings::SetTearOffset;
    }
    if (name == "cut") {
        return &CPrinterSettings::SetCutOffset;
    }
    return std::nullopt;
}

// Applies a code setting; nothing for a measurement, the fault for a word that is none.
std::optional<SettingFault> ApplyCode(CPrinterSettings& settings, const SettingWord& word) {
    if (word.name == "unit") {
        const auto code = UnitCode(word.value);
        if (!code) {
            return SettingFault::NotUnit;
        }
        settings.m_nUnit = *code;
    } else if (word.name == "port") {
        const auto code = PortIndex(word.value);
        if (!code) {
            return SettingFault::NotPort;
        }
        settings.m_nPort = *code;
    } else if (word.name == "mode") {
        const auto code = ModeCode(word.value);
        if (!code) {
            return SettingFault::NotMode;
        }
        settings.m_nPrintMode = *code;
    } else if (!MeasurementOperation(word.name)) {
        return SettingFault::UnknownName;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> PortWord(std::int32_t port) {
    if (port < 0 || port >= static_cast<std::int32_t>(kPortWords.size())) {
        return std::nullopt;
    }
    return kPortWords.at(static_cast<std::size_t>(port));
}

std::optional<std::int32_t> PortIndex(std::string_view word) {
    for (std::size_t port = 0; port < kPortWords.size(); ++port) {
        if (EqualIgnoringAsciiCase(word, kPortWords.at(port))) {
            return static_cast<std::int32_t>(port);
        }
    }
    return std::nullopt;
}

std::string_view UnitWord(std::int32_t unit) {
    return unit == 0 ? "inch" : "mm";
}

std::optional<std::int32_t> UnitCode(std::string_view word) {
    return CodeOf(word, "inch", "mm");
}

std::string_view ModeWord(std::int32_t mode) {
    return mode == 0 ? "transfer" : "direct";
}

std::optional<std::int32_t> ModeCode(std::string_view word) {
    return CodeOf(word, "transfer", "direct");
}

bool IsSettingName(std::string_view name) {
    return name == "unit" || name == "port" || name == "mode" || MeasurementOperation(name);
}

std::vector<SettingRejection> ApplySettingWords(CPrinterSettings& settings,
                                                std::span<const SettingWord> words) {
    std::vector<SettingRejection> rejections;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (const auto fault = ApplyCode(settings, words[i])) {
            const bool unknown = *fault == SettingFault::UnknownName;
            rejections.push_back({*fault, i, unknown ? words[i].name : words[i].value, {}});
        }
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto operation = MeasurementOperation(words[i].name);
        if (!operation) {
            continue;
        }
        const auto number = ReadEditInteger(words[i].value);
        if (!number) {
            rejections.push_back({SettingFault::NotInteger, i, words[i].value, {}});
            continue;
        }
        const SetResult result = std::invoke(*operation, settings, *number);
        if (!result.accepted) {
            rejections.push_back({SettingFault::OutOfRange, i, words[i].value, result.message});
        }
    }
    return rejections;
}
