#include "settings/PresetFileName.h"

#include "base/Characters.h"
#include "base/Utf8.h"
#include "settings/AtomicFile.h"

#include <cstddef>
#include <cstdint>

namespace {

bool IsSafeAscii(char c) {
    return IsAsciiAlnum(c) || c == '-' || c == '_' || c == ' ';
}

// FNV-1a: stable across builds and machines, which std::hash is not.
std::uint64_t NameHash(std::string_view name) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    return hash;
}

std::string Hex(std::uint64_t value, int digits) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xFU];
        value >>= 4U;
    }
    return text;
}

} // namespace

std::string PresetFileName(std::string_view name) {
    std::string stem;
    std::size_t cut = 0; // where the stem may be cut: after a whole character
    constexpr std::size_t kHashed = 1 + 16;
    const std::size_t longest = kLongestReplacedName - kPresetFileSuffix.size();
    for (std::size_t pos = 0; pos < name.size();) {
        const auto character = DecodeUtf8(name, pos);
        const std::size_t size = character ? character->size : 1;
        const bool beyondAscii = character && character->code >= 0x80;
        for (std::size_t i = pos; i < pos + size; ++i) {
            const auto byte = static_cast<unsigned char>(name[i]);
            stem +=
                beyondAscii || IsSafeAscii(name[i]) ? std::string(1, name[i]) : "%" + Hex(byte, 2);
        }
        pos += size;
        if (stem.size() <= longest - kHashed) {
            cut = stem.size();
        }
    }
    if (stem.size() > longest) {
        stem = stem.substr(0, cut) + "~" + Hex(NameHash(name), 16);
    }
    return stem + std::string(kPresetFileSuffix);
}
