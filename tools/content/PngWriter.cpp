#include "PngWriter.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace {

constexpr size_t kStoredBlockMax = 65535;  // the most one stored deflate block holds
constexpr std::uint32_t kAdlerBase = 65521;

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, PngWriter::crc32(body));
}

// zlib stream of stored blocks
std::string storedZlib(const std::string& raw) {
    std::string z = "\x78\x01";
    size_t at = 0;
    do {
        const size_t len = std::min(kStoredBlockMax, raw.size() - at);
        const bool last = at + len == raw.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(len & 0xFF);
        z += static_cast<char>(len >> 8);
        z += static_cast<char>(~len & 0xFF);
        z += static_cast<char>((~len >> 8) & 0xFF);
        z.append(raw, at, len);
        at += len;
    } while (at < raw.size());
    put32(z, PngWriter::adler32(raw));
    return z;
}

}  // namespace

std::uint32_t PngWriter::crc32(const std::string& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char ch : bytes) c = table[(c ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t PngWriter::adler32(const std::string& bytes) {
    std::uint32_t a = 1, b = 0;
    for (const char ch : bytes) {
        a = (a + static_cast<unsigned char>(ch)) % kAdlerBase;
        b = (b + a) % kAdlerBase;
    }
    return (b << 16) | a;
}

bool PngWriter::write(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) return false;
    std::string header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits a channel, RGBA, no interlace
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // no row filter
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            for (const int shift : {16, 8, 0, 24}) raw += static_cast<char>((p >> shift) & 0xFF);
        }
    }
    std::string png = "\x89PNG\r\n\x1a\n";
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", storedZlib(raw));
    chunk(png, "IEND", "");
    std::ofstream out(path, std::ios::binary);
    out << png;
    return static_cast<bool>(out);
}
