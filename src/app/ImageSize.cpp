#include "app/ImageSize.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace corvatt {

bool ReadPngSize(const std::string& path, int& width, int& height) {
    std::ifstream file(path, std::ios::binary);
    std::array<unsigned char, 24> header{};
    if (!file.read(reinterpret_cast<char*>(header.data()), header.size())) return false;
    static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::memcmp(header.data(), kSignature, 8) != 0 || std::memcmp(header.data() + 12, "IHDR", 4) != 0) {
        return false;
    }
    auto be32 = [&header](int at) {
        return static_cast<int>((std::uint32_t{header[at]} << 24) | (std::uint32_t{header[at + 1]} << 16) |
                                (std::uint32_t{header[at + 2]} << 8) | std::uint32_t{header[at + 3]});
    };
    width = be32(16);
    height = be32(20);
    return width > 0 && height > 0;
}

}  // namespace corvatt
