// A plain 32-bit picture: width x height pixels of 0xAARRGGBB in native byte
// order, rows one after the other with no padding. The same memory layout as
// QImage::Format_RGB32, so a window can show it without copying; the alpha
// byte is kept at 0xFF by everything that draws here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tavrin::graphics {

using Rgb = std::uint32_t;

constexpr Rgb rgb(int r, int g, int b)
{
    return 0xFF000000u | (static_cast<Rgb>(r & 0xFF) << 16) | (static_cast<Rgb>(g & 0xFF) << 8)
           | static_cast<Rgb>(b & 0xFF);
}
constexpr int redOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFFu); }
constexpr int greenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFFu); }
constexpr int blueOf(Rgb c) { return static_cast<int>(c & 0xFFu); }

inline constexpr Rgb kOpaque = 0xFF000000u;
inline constexpr Rgb kWhitePixel = 0xFFFFFFFFu;
inline constexpr Rgb kBlackPixel = 0xFF000000u;

struct Point {
    int x = 0;
    int y = 0;

    friend constexpr Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    constexpr bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;

    constexpr bool operator==(const Size&) const = default;
};

// x, y and a size; the right and bottom edges are exclusive.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    constexpr Point topLeft() const { return {x, y}; }
    constexpr Size size() const { return {width, height}; }
    constexpr bool isEmpty() const { return width <= 0 || height <= 0; }
    constexpr Rect translated(Point d) const { return {x + d.x, y + d.y, width, height}; }
    constexpr Rect intersected(const Rect& o) const
    {
        const int left = std::max(x, o.x);
        const int top = std::max(y, o.y);
        const int right = std::min(x + width, o.x + o.width);
        const int bottom = std::min(y + height, o.y + o.height);
        if (right <= left || bottom <= top) {
            return {left, top, 0, 0};
        }
        return {left, top, right - left, bottom - top};
    }
    constexpr bool operator==(const Rect&) const = default;
};

class PixelBuffer {
public:
    PixelBuffer() = default;
    // A width x height picture filled with `fill`; a size of zero or less gives
    // the null picture.
    PixelBuffer(int width, int height, Rgb fill = kWhitePixel);

    bool isNull() const { return pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return {width_, height_}; }
    Rect rect() const { return {0, 0, width_, height_}; }
    int bytesPerLine() const { return width_ * 4; }

    // Pixel (x, y); 0 outside the picture.
    Rgb pixel(int x, int y) const;
    // Writes pixel (x, y); nothing outside the picture.
    void setPixel(int x, int y, Rgb colour);

    Rgb* line(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
    const Rgb* line(int y) const
    {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    Rgb* data() { return pixels_.data(); }
    const Rgb* data() const { return pixels_.data(); }

    void fill(Rgb colour);
    // Fills the part of `area` inside the picture.
    void fillRect(Rect area, Rgb colour);
    // The part of `area` inside the picture as a picture of its own.
    PixelBuffer copy(Rect area) const;
    PixelBuffer copy() const { return *this; }

    bool operator==(const PixelBuffer&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

} // namespace tavrin::graphics
