#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes true-colour pictures with alpha as PNG files, the format desktops
// take for application icons. The picture data go into stored (uncompressed)
// deflate blocks: an icon is a few kilobytes, and no compression library is
// needed.
class PngWriter {
public:
    // `pixels` holds width * height values 0xAARRGGBB, row by row from the top.
    static bool write(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels);

    static std::uint32_t crc32(const std::string& bytes);
    static std::uint32_t adler32(const std::string& bytes);
};
