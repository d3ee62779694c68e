// The icon's PNG files, read back by an independent decoder (ImageMagick,
// which checks every chunk's CRC and the zlib stream's checksum).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "PngWriter.h"
#include "world/TestFiles.h"

TEST(PngWriter, PicturesReadBackExactlyWithTheirAlpha) {
    // 200 x 100 RGBA needs more than one stored block of 65535 bytes
    const int w = 200, h = 100;
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(static_cast<std::uint32_t>(((x * 7 + y) & 0xFF) << 24 | (x & 0xFF) << 16 |
                                                        (y * 2 & 0xFF) << 8 | ((x ^ y) & 0xFF)));
    const std::string path = "/tmp/hover-png-test-" + std::to_string(getpid()) + ".png";
    ASSERT_TRUE(PngWriter::write(path, w, h, pixels));
    EXPECT_FALSE(PngWriter::write(path + ".bad", w, h + 1, pixels));

    int status = 0;
    const std::string decoded = testfiles::commandOutput("convert '" + path + "' -depth 8 rgba:- 2>/dev/null", &status);
    EXPECT_EQ(status, 0) << "ImageMagick could not read the file";
    std::remove(path.c_str());

    ASSERT_EQ(decoded.size(), pixels.size() * 4);
    int wrong = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t p = pixels[i];
        const unsigned char want[4] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                       static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 24)};
        for (int c = 0; c < 4; ++c)
            if (static_cast<unsigned char>(decoded[i * 4 + c]) != want[c]) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}
