#include "printer/CommandBlock.h"

#include "printer/outport/OutPort.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned char kStx = 0x02;
constexpr unsigned char kEsc = 0x1B;

// Appends bytes at a moving position in the command buffer.
class BlockWriter {
public:
    explicit BlockWriter(unsigned char* start) : m_pNext(start), m_pStart(start) {}

    void Byte(unsigned char byte) { *m_pNext++ = byte; }
    void Text(const char* text) {
        const std::size_t size = std::strlen(text);
        std::memcpy(m_pNext, text, size);
        m_pNext += size;
    }
    void Field(void (*change)(int, char*), int value, std::size_t width) {
        std::array<char, 8> text{};
        change(value, text.data());
        std::memcpy(m_pNext, text.data(), width);
        m_pNext += width;
    }
    void LineEnd() { Text("\r\n"); }
    int Size() const { return static_cast<int>(m_pNext - m_pStart); }

private:
    unsigned char* m_pNext;
    unsigned char* m_pStart;
};

// The printer takes the tear-off position as 220 plus ten per tenth of an inch. Widened so a
// damaged value saturates in the field instead of overflowing.
int TearField(std::int32_t tearInch) {
    const std::int64_t value = std::int64_t{tearInch} * 10 + 220;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

int BuildCommand(const CPrinterSettings& settings, unsigned char* command) {
    BlockWriter block(command);
    block.Byte(kStx);
    block.Text("KX");
    block.Field(Change4, settings.m_nLengthMm, 4);
    block.LineEnd();

    block.Byte(kStx);
    block.Text("KI5");
    block.Field(Change2, settings.m_nGapMm, 2);
    block.LineEnd();

    block.Byte(kStx);
    block.Text("KI7");
    block.Byte(settings.m_nPrintMode == 0 ? 0x01 : 0x00);
    block.LineEnd();

    block.Byte(kStx);
    block.Text("f");
    block.Field(Change3, TearField(settings.m_nTearInch), 3);
    block.LineEnd();

    block.Byte(kEsc);
    block.Text("KI;");
    block.Byte(
        static_cast<unsigned char>(static_cast<std::uint32_t>(settings.m_nCutOffset) & 0xFF));
    block.LineEnd();
    return block.Size();
}

bool SendToPrinter(const CPrinterSettings& settings, unsigned char* command,
                   OutPortCancel* cancel) {
    const int length = BuildCommand(settings, command);
    const int result = cancel == nullptr
                           ? OutPort(length, settings.m_nPort, command)
                           : OutPortCancellable(length, settings.m_nPort, command, cancel);
    return result == 1;
}
