#include "graphics/picture_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

// Both libraries come as headers with their code inside, built here once and
// kept private to this file. Only the BMP reader is needed; the reader never
// touches files itself.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace tavrin::graphics {

static_assert(STBI_MAX_DIMENSIONS == kMaxPictureSide);

PixelBuffer decodeBmp(const unsigned char* bytes, std::size_t size)
{
    if (bytes == nullptr || size == 0 || size > kMaxPictureFileBytes) {
        return PixelBuffer();
    }
    int w = 0;
    int h = 0;
    int channels = 0;
    unsigned char* rgba = stbi_load_from_memory(bytes, static_cast<int>(size), &w, &h, &channels, 4);
    if (rgba == nullptr) {
        return PixelBuffer();
    }
    PixelBuffer image;
    if (w > 0 && h > 0 && w <= kMaxPictureSide && h <= kMaxPictureSide) {
        image = PixelBuffer(w, h);
        const unsigned char* p = rgba;
        for (int y = 0; y < h; ++y) {
            Rgb* line = image.line(y);
            for (int x = 0; x < w; ++x, p += 4) {
                line[x] = rgb(p[0], p[1], p[2]);
            }
        }
    }
    stbi_image_free(rgba);
    return image;
}

PixelBuffer decodeBmp(const std::vector<unsigned char>& bytes)
{
    return decodeBmp(bytes.data(), bytes.size());
}

PixelBuffer readBmpFile(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
        return PixelBuffer();
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > kMaxPictureFileBytes) {
        return PixelBuffer();
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        return PixelBuffer();
    }
    return decodeBmp(bytes);
}

GraphicsSet readBuiltinGraphics(const std::string& folder)
{
    GraphicsSet set = GraphicsSet::fallback();
    const std::filesystem::path dir(folder);
    for (int k = 0; k < kGraphicsKinds; ++k) {
        set.adoptBuiltin(k, readBmpFile((dir / builtinFileName(k)).string()));
    }
    return set;
}

namespace {

void appendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

std::vector<unsigned char> encodePng(const PixelBuffer& image)
{
    std::vector<unsigned char> png;
    if (image.isNull()) {
        return png;
    }
    std::vector<unsigned char> rgbBytes;
    rgbBytes.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()) * 3);
    for (int y = 0; y < image.height(); ++y) {
        const Rgb* line = image.line(y);
        for (int x = 0; x < image.width(); ++x) {
            rgbBytes.push_back(static_cast<unsigned char>(redOf(line[x])));
            rgbBytes.push_back(static_cast<unsigned char>(greenOf(line[x])));
            rgbBytes.push_back(static_cast<unsigned char>(blueOf(line[x])));
        }
    }
    if (stbi_write_png_to_func(appendBytes, &png, image.width(), image.height(), 3, rgbBytes.data(),
                               image.width() * 3)
        == 0) {
        png.clear();
    }
    return png;
}

std::string writePngFile(const std::string& path, const PixelBuffer& image)
{
    const std::vector<unsigned char> png = encodePng(image);
    if (png.empty()) {
        return "the picture could not be encoded";
    }
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return "cannot write " + temporary;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return "cannot replace " + path + ": " + ec.message();
    }
    return {};
}

} // namespace tavrin::graphics
