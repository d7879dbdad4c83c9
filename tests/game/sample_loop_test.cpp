// A rendered piece read out as the sound output reads it: in blocks that do
// not line up with its length.
#include "game/sample_loop.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrin::game {
namespace {

// Stereo frames whose left sample is the frame number and right its negative.
SampleLoop numberedPiece(int frames, bool complete = true)
{
    SampleLoop loop(2);
    std::vector<std::int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(static_cast<std::int16_t>(i));
        samples.push_back(static_cast<std::int16_t>(-i));
    }
    loop.append(samples.data(), static_cast<std::size_t>(frames));
    if (complete) {
        loop.finish({});
    }
    return loop;
}

std::vector<int> readLeft(SampleLoop& loop, std::size_t frames, std::size_t block, bool* ended = nullptr)
{
    std::vector<int> left;
    std::vector<std::int16_t> out(block * 2);
    while (left.size() < frames) {
        const SampleLoop::Read r = loop.read(out.data(), std::min(block, frames - left.size()));
        for (std::size_t i = 0; i < r.frames; ++i) {
            left.push_back(out[2 * i]);
            EXPECT_EQ(out[2 * i + 1], -out[2 * i]);
        }
        if (r.frames == 0) {
            if (ended != nullptr) {
                *ended = r.ended;
            }
            break;
        }
    }
    return left;
}

TEST(SampleLoop, LoopingPieceWrapsToItsFirstFrameWithoutAGap)
{
    SampleLoop loop = numberedPiece(10);
    loop.setLooping(true);
    const std::vector<int> heard = readLeft(loop, 25, 7);
    const std::vector<int> expected{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4};
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(loop.repeats(), 2U);
    EXPECT_EQ(loop.position(), 5U);
}

TEST(SampleLoop, PieceThatDoesNotLoopEndsAtItsLastFrame)
{
    SampleLoop loop = numberedPiece(10);
    loop.seek(6);
    bool ended = false;
    EXPECT_EQ(readLeft(loop, 20, 3, &ended), (std::vector<int>{6, 7, 8, 9}));
    EXPECT_TRUE(ended);
    EXPECT_EQ(loop.position(), loop.length());
    // Told to loop after all, it goes on from the start.
    loop.setLooping(true);
    EXPECT_EQ(readLeft(loop, 3, 8), (std::vector<int>{0, 1, 2}));
}

TEST(SampleLoop, PieceStillBeingRenderedWaitsRatherThanWrapping)
{
    SampleLoop loop = numberedPiece(4, false);
    loop.setLooping(true);
    bool ended = true;
    EXPECT_EQ(readLeft(loop, 10, 10, &ended), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(ended);
    const std::int16_t more[] = {4, -4, 5, -5};
    loop.append(more, 2);
    loop.finish({});
    EXPECT_EQ(readLeft(loop, 4, 10), (std::vector<int>{4, 5, 0, 1}));
}

TEST(SampleLoop, TailRingsIntoEveryRepeatButNotTheFirstPass)
{
    SampleLoop loop(1);
    const std::int16_t piece[] = {100, 200, 300, 400};
    loop.append(piece, 4);
    loop.finish({10, 20, 32767});
    loop.setLooping(true);
    std::vector<std::int16_t> out(12);
    ASSERT_EQ(loop.read(out.data(), 12).frames, 12U);
    EXPECT_EQ(out, (std::vector<std::int16_t>{100, 200, 300, 400, 110, 220, 32767, 400, 110, 220, 32767, 400}));
    // Played again from the start: a first pass once more.
    loop.seek(0);
    ASSERT_EQ(loop.read(out.data(), 2).frames, 2U);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[1], 200);
}

TEST(SampleLoop, EmptyPieceEndsInsteadOfSpinning)
{
    SampleLoop loop(2);
    loop.finish({1, 2});
    loop.setLooping(true);
    std::int16_t out[8] = {};
    const SampleLoop::Read r = loop.read(out, 4);
    EXPECT_EQ(r.frames, 0U);
    EXPECT_TRUE(r.ended);
}

} // namespace
} // namespace tavrin::game
