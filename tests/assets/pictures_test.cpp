// The built-in pictures: sizes, the sheet and item layouts the renderer
// relies on, image/mask conventions, and seamless backgrounds.
#include "asset_readers.h"
#include "engine/pieces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace assets_test {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

Bitmap loadBitmap(const std::string& name)
{
    const auto bytes = readFile(assetPath(name));
    if (!bytes) {
        ADD_FAILURE() << "missing " << assetPath(name);
        return {};
    }
    const auto bmp = parseBmp(*bytes);
    if (!bmp) {
        ADD_FAILURE() << name << " is not an uncompressed 24-bit BMP";
        return {};
    }
    EXPECT_EQ(bmp->fileSizeField, bytes->size()) << name;
    return *bmp;
}

double luminance(std::uint32_t p)
{
    return 0.299 * ((p >> 16) & 0xFF) + 0.587 * ((p >> 8) & 0xFF) + 0.114 * (p & 0xFF);
}

int channel(std::uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

// Checks one image/mask pair at (x, y) / (x, maskY): a pure black-and-white
// mask, a white image wherever the mask is black. Returns the opaque share.
double checkSprite(const Bitmap& bmp, int x, int y, int maskY, const std::string& what)
{
    int opaque = 0;
    for (int v = 0; v < 32; ++v) {
        for (int u = 0; u < 32; ++u) {
            const std::uint32_t m = bmp.at(x + u, maskY + v);
            EXPECT_TRUE(m == kWhite || m == kBlack) << what << " mask pixel " << u << "," << v;
            if (m == kWhite) {
                ++opaque;
            } else {
                EXPECT_EQ(bmp.at(x + u, y + v), kWhite) << what << " image not white where transparent at " << u << "," << v;
            }
        }
    }
    return opaque / 1024.0;
}

TEST(RoadSheet, HasTheSheetSizeAndFourRowsPerPiece)
{
    const Bitmap sheet = loadBitmap("hyperroad.bmp");
    ASSERT_EQ(sheet.width, 352);
    ASSERT_EQ(sheet.height, 128);
    for (int code = 0; code < tavrin::kPieceKinds; ++code) {
        const std::string name = "piece " + std::to_string(code);
        const double plain = checkSprite(sheet, code * 32, 0, 32, name + " plain");
        const double lit = checkSprite(sheet, code * 32, 64, 96, name + " lit");
        EXPECT_GT(plain, 0.2) << name;
        EXPECT_LT(plain, 0.95) << name;
        EXPECT_DOUBLE_EQ(plain, lit) << name;
    }
}

TEST(RoadSheet, EachColumnOpensExactlyThePieceSides)
{
    const Bitmap sheet = loadBitmap("hyperroad.bmp");
    ASSERT_EQ(sheet.width, 352);
    // The middle of each side, and a point just inside it.
    const int sideX[4] = {16, 0, 31, 16};
    const int sideY[4] = {0, 16, 16, 31};
    for (int code = 0; code < tavrin::kPieceKinds; ++code) {
        for (int dir = 0; dir < tavrin::kDirections; ++dir) {
            for (int maskRow : {32, 96}) {
                const std::uint32_t m = sheet.at(code * 32 + sideX[dir], maskRow + sideY[dir]);
                EXPECT_EQ(m == kWhite, tavrin::opensSide(code, dir))
                    << "piece " << code << " side " << dir << " mask row " << maskRow;
            }
        }
        // Corners are never road.
        EXPECT_EQ(sheet.at(code * 32, 32), kBlack) << "piece " << code;
        EXPECT_EQ(sheet.at(code * 32 + 31, 32 + 31), kBlack) << "piece " << code;
    }
}

TEST(RoadSheet, OpenSidesMeetTheirNeighboursEdgeToEdge)
{
    // A road leaving one tile must line up with the road entering the next:
    // the opaque run along a right edge equals the run along a left edge.
    const Bitmap sheet = loadBitmap("hyperroad.bmp");
    ASSERT_EQ(sheet.width, 352);
    const auto run = [&](int code, bool rightEdge) {
        std::vector<int> rows;
        for (int y = 0; y < 32; ++y) {
            if (sheet.at(code * 32 + (rightEdge ? 31 : 0), 32 + y) == kWhite) rows.push_back(y);
        }
        return rows;
    };
    const std::vector<int> reference = run(0, true);
    ASSERT_FALSE(reference.empty());
    for (int code = 0; code < tavrin::kPieceKinds; ++code) {
        if (tavrin::opensSide(code, tavrin::kRight)) {
            EXPECT_EQ(run(code, true), reference) << "piece " << code;
        }
        if (tavrin::opensSide(code, tavrin::kLeft)) {
            EXPECT_EQ(run(code, false), reference) << "piece " << code;
        }
    }
}

TEST(RoadSheet, LitLookIsBrighterThanPlainLook)
{
    const Bitmap sheet = loadBitmap("hyperroad.bmp");
    ASSERT_EQ(sheet.width, 352);
    for (int code = 0; code < tavrin::kPieceKinds; ++code) {
        double plain = 0, lit = 0;
        int n = 0;
        for (int v = 0; v < 32; ++v) {
            for (int u = 0; u < 32; ++u) {
                if (sheet.at(code * 32 + u, 32 + v) != kWhite) continue;
                plain += luminance(sheet.at(code * 32 + u, v));
                lit += luminance(sheet.at(code * 32 + u, 64 + v));
                ++n;
            }
        }
        ASSERT_GT(n, 0);
        EXPECT_GT(lit / n, plain / n + 15.0) << "piece " << code;
    }
}

TEST(ItemStrip, HoldsThreeItemsWithMasks)
{
    const Bitmap items = loadBitmap("items.bmp");
    ASSERT_EQ(items.width, 96);
    ASSERT_EQ(items.height, 64);
    for (int k = 0; k < 3; ++k) {
        const double share = checkSprite(items, k * 32, 0, 32, "item " + std::to_string(k));
        EXPECT_GT(share, 0.2) << "item " << k << " is too small to read";
        EXPECT_LT(share, 0.8) << "item " << k << " hides its cell";
    }
    // Water is blue, the sprout green, the sun yellow: compare mean colours.
    double mean[3][3] = {};
    for (int k = 0; k < 3; ++k) {
        int n = 0;
        for (int v = 0; v < 32; ++v) {
            for (int u = 0; u < 32; ++u) {
                if (items.at(k * 32 + u, 32 + v) != kWhite) continue;
                const std::uint32_t p = items.at(k * 32 + u, v);
                mean[k][0] += channel(p, 16);
                mean[k][1] += channel(p, 8);
                mean[k][2] += channel(p, 0);
                ++n;
            }
        }
        for (double& c : mean[k]) c /= n;
    }
    EXPECT_GT(mean[0][2], mean[0][0]) << "water should be blue";
    EXPECT_GT(mean[1][1], mean[1][2]) << "the sprout should be green";
    EXPECT_GT(mean[2][0], mean[2][2] + 60) << "the sun should be yellow";
}

struct LandStats {
    double r = 0, g = 0, b = 0;
    double interior = 0; // mean difference between neighbouring columns and rows
    double seam = 0;     // the same across the wrap-around edges
};

LandStats landStats(const Bitmap& land)
{
    LandStats s;
    const auto diff = [](std::uint32_t a, std::uint32_t b) {
        return std::abs(channel(a, 16) - channel(b, 16)) + std::abs(channel(a, 8) - channel(b, 8)) +
               std::abs(channel(a, 0) - channel(b, 0));
    };
    const int n = land.width;
    double interior = 0;
    double seam = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j + 1 < n; ++j) {
            interior += diff(land.at(j, i), land.at(j + 1, i)) + diff(land.at(i, j), land.at(i, j + 1));
        }
        seam += diff(land.at(n - 1, i), land.at(0, i)) + diff(land.at(i, n - 1), land.at(i, 0));
        for (int j = 0; j < n; ++j) {
            const std::uint32_t p = land.at(j, i);
            s.r += channel(p, 16);
            s.g += channel(p, 8);
            s.b += channel(p, 0);
        }
    }
    s.interior = interior / (2.0 * n * (n - 1));
    s.seam = seam / (2.0 * n);
    s.r /= n * n;
    s.g /= n * n;
    s.b /= n * n;
    return s;
}

TEST(Backgrounds, AreSquareAndTileWithoutVisibleSeams)
{
    for (const char* name : {"background_normal.bmp", "background_goal.bmp"}) {
        const Bitmap land = loadBitmap(name);
        ASSERT_EQ(land.width, 256) << name;
        ASSERT_EQ(land.height, 256) << name;
        const LandStats s = landStats(land);
        EXPECT_GT(s.interior, 1.0) << name << " should have some texture";
        EXPECT_LT(s.seam, 1.6 * s.interior) << name << " shows a seam when repeated";
    }
}

TEST(Backgrounds, GoalLandIsGreenAndNormalLandIsEarthen)
{
    const LandStats normal = landStats(loadBitmap("background_normal.bmp"));
    const LandStats goal = landStats(loadBitmap("background_goal.bmp"));
    EXPECT_GT(goal.g, goal.r + 30);
    EXPECT_GT(goal.g, goal.b + 60);
    EXPECT_GT(normal.r, normal.g);
    EXPECT_GT(normal.g, normal.b);
    EXPECT_GT(goal.g - goal.r, normal.g - normal.r + 30) << "greening must be plain to see";
}

TEST(Icon, ComesInTwoSizes)
{
    const auto big = readFile(assetPath("tavrin.png"));
    const auto small = readFile(assetPath("tavrin-48.png"));
    ASSERT_TRUE(big && small);
    EXPECT_EQ(pngSize(*big), std::make_pair(256, 256));
    EXPECT_EQ(pngSize(*small), std::make_pair(48, 48));
}

} // namespace
} // namespace assets_test
