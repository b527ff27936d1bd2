#include "base/Utf8.h"

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

} // namespace

std::optional<Utf8Character> DecodeUtf8(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return std::nullopt;
    }
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t size = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if (lead < 0x80U) {
        return Utf8Character{lead, 1};
    }
    if ((lead & 0xE0U) == 0xC0U) {
        size = 2;
        code = lead & 0x1FU;
        smallest = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
        size = 3;
        code = lead & 0x0FU;
        smallest = 0x800;
    } else if ((lead & 0xF8U) == 0xF0U) {
        size = 4;
        code = lead & 0x07U;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - pos < size) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(byte)) {
            return std::nullopt;
        }
        code = (code << 6U) | (byte & 0x3FU);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return Utf8Character{code, size};
}

std::size_t FirstInvalidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto character = DecodeUtf8(text, pos);
        if (!character) {
            return pos;
        }
        pos += character->size;
    }
    return std::string_view::npos;
}
