#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvatt {

// The request frame: byte 0 report ID 0, byte 1 command, bytes 2-4 command
// specific, bytes 5-31 payload, byte 32 checksum (sum of bytes 5-31 modulo 256),
// bytes 33-64 only in 65-byte requests and not covered by the checksum.
class OutputReport {
public:
    static constexpr std::size_t kShortSize = 33;
    static constexpr std::size_t kLongSize = 65;
    static constexpr std::size_t kChecksumIndex = 32;
    static constexpr std::size_t kPayloadBegin = 5;

    explicit OutputReport(std::uint8_t command = 0, std::size_t size = kShortSize)
        : m_size(size == kLongSize ? kLongSize : kShortSize) {
        m_bytes[1] = command;
    }

    std::uint8_t* data() { return m_bytes.data(); }
    const std::uint8_t* data() const { return m_bytes.data(); }
    std::size_t size() const { return m_size; }
    std::uint8_t& operator[](std::size_t i) { return m_bytes[i]; }
    std::uint8_t operator[](std::size_t i) const { return m_bytes[i]; }

    // Sum of bytes 5 to 31 modulo 256; buffer must hold at least 33 bytes.
    static std::uint8_t Checksum(const std::uint8_t* buffer) {
        unsigned sum = 0;
        for (std::size_t i = kPayloadBegin; i < kChecksumIndex; ++i) {
            sum += buffer[i];
        }
        return static_cast<std::uint8_t>(sum & 0xFF);
    }
    static void StoreChecksum(std::uint8_t* buffer) { buffer[kChecksumIndex] = Checksum(buffer); }

private:
    std::array<std::uint8_t, kLongSize> m_bytes{};
    std::size_t m_size;
};

}  // namespace corvatt
