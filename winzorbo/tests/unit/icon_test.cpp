#include "content/icon.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <string>
#include <unistd.h>

namespace {
struct Average {
    double r = 0, g = 0, b = 0, a = 0;
};

// The mean colour (weighted by coverage) and coverage of a square of the
// picture in 0..1 units.
Average average(const std::vector<unsigned char>& pixels, int size, double x0, double y0, double x1,
                double y1) {
    Average mean;
    int count = 0;
    for (int y = static_cast<int>(y0 * size); y < static_cast<int>(y1 * size); ++y) {
        for (int x = static_cast<int>(x0 * size); x < static_cast<int>(x1 * size); ++x) {
            const unsigned char* p = &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            double alpha = p[3] / 255.0;
            mean.r += p[0] * alpha;
            mean.g += p[1] * alpha;
            mean.b += p[2] * alpha;
            mean.a += alpha;
            ++count;
        }
    }
    if (mean.a > 0) {
        mean.r /= mean.a;
        mean.g /= mean.a;
        mean.b /= mean.a;
    }
    mean.a /= count;
    return mean;
}
} // namespace

TEST(Icon, EverySizeShowsTheSamePicture) {
    const int largest = 256;
    std::vector<unsigned char> big = icon_pixels(largest);
    ASSERT_EQ(big.size(), std::size_t{largest} * largest * 4);
    // A round icon: the corners transparent, the middle covered.
    EXPECT_EQ(big[3], 0);
    EXPECT_EQ(big[(std::size_t{largest} * largest - 1) * 4 + 3], 0);
    EXPECT_EQ(average(big, largest, 0.4, 0.4, 0.6, 0.6).a, 1.0);
    for (int size : icon_sizes) {
        std::vector<unsigned char> small = icon_pixels(size);
        // Quarters of the picture agree in colour and coverage with the
        // largest size, so no size is shifted, mirrored or scaled wrongly.
        for (double qx : {0.0, 0.5}) {
            for (double qy : {0.0, 0.5}) {
                Average a = average(big, largest, qx, qy, qx + 0.5, qy + 0.5);
                Average b = average(small, size, qx, qy, qx + 0.5, qy + 0.5);
                EXPECT_NEAR(a.a, b.a, 0.06) << size << " at " << qx << "," << qy;
                EXPECT_NEAR(a.r, b.r, 16) << size << " at " << qx << "," << qy;
                EXPECT_NEAR(a.g, b.g, 16) << size << " at " << qx << "," << qy;
                EXPECT_NEAR(a.b, b.b, 16) << size << " at " << qx << "," << qy;
            }
        }
    }
    // The rocket climbs towards the top right: its red nose is there, its
    // flame (orange and yellow, no blue) at the bottom left.
    Average nose = average(big, largest, 0.67, 0.27, 0.73, 0.32);
    EXPECT_GT(nose.r, 150);
    EXPECT_LT(nose.g, 120);
    Average flame = average(big, largest, 0.22, 0.73, 0.27, 0.78);
    EXPECT_GT(flame.r, 200);
    EXPECT_LT(flame.b, 120);
}

TEST(Icon, WritesTheThemeTreeAndReplacesAnOldOne) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("winzorbo-icons-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "hicolor" / "99x99" / "apps");
    std::string problem;
    ASSERT_TRUE(write_icons(folder.string(), "org.example.Test", problem)) << problem;
    EXPECT_FALSE(fs::exists(folder / "hicolor" / "99x99"));
    for (int size : icon_sizes) {
        std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
        fs::path png = folder / "hicolor" / dimensions / "apps" / "org.example.Test.png";
        int w = 0, h = 0, channels = 0;
        unsigned char* pixels = stbi_load(png.c_str(), &w, &h, &channels, 0);
        ASSERT_NE(pixels, nullptr) << png;
        EXPECT_EQ(w, size);
        EXPECT_EQ(h, size);
        EXPECT_EQ(channels, 4);
        stbi_image_free(pixels);
    }
    std::FILE* file = std::fopen(
        (folder / "hicolor" / "scalable" / "apps" / "org.example.Test.svg").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(icon_svg().rfind("<?xml", 0), 0u);
    EXPECT_NE(icon_svg().find("viewBox=\"0 0 256 256\""), std::string::npos);

    // A folder that cannot be made is reported, not passed over.
    fs::path blocked = folder / "file";
    std::FILE* plain = std::fopen(blocked.c_str(), "wb");
    ASSERT_NE(plain, nullptr);
    std::fclose(plain);
    EXPECT_FALSE(write_icons(blocked.string(), "x", problem));
    EXPECT_FALSE(problem.empty());
    fs::remove_all(folder);
}
