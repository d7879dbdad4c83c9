// tavrin-assetgen OUTPUT_DIR: draws, synthesises and composes the game's own
// pictures, sounds, music, icon and help pictures into the program folder.
#include "file_out.h"
#include "icon_art.h"
#include "item_art.h"
#include "land_art.h"
#include "midi_writer.h"
#include "road_art.h"
#include "songs.h"
#include "sounds.h"
#include "wav_writer.h"

#include <QImage>
#include <QString>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

using namespace tavrin::assets;

bool saveImage(const std::filesystem::path& path, const QImage& image, const char* format)
{
    return writeViaTemporary(path.string(), [&](const std::string& name) {
        return image.save(QString::fromStdString(name), format);
    });
}

int run(const std::filesystem::path& out)
{
    std::error_code ec;
    std::filesystem::create_directories(out / "help", ec);
    if (ec) {
        std::cerr << "tavrin-assetgen: cannot create " << (out / "help").string() << ": " << ec.message() << '\n';
        return 1;
    }

    int failures = 0;
    const auto check = [&](bool ok, const std::filesystem::path& path) {
        if (!ok) {
            std::cerr << "tavrin-assetgen: cannot write " << path.string() << '\n';
            ++failures;
        }
    };

    const QImage sheet = makeRoadSheet();
    const QImage normalLand = makeNormalLand();
    const QImage greenLand = makeGreenLand();
    const QImage items = makeItemStrip();
    check(saveImage(out / "hyperroad.bmp", sheet, "BMP"), out / "hyperroad.bmp");
    check(saveImage(out / "background_normal.bmp", normalLand, "BMP"), out / "background_normal.bmp");
    check(saveImage(out / "background_goal.bmp", greenLand, "BMP"), out / "background_goal.bmp");
    check(saveImage(out / "items.bmp", items, "BMP"), out / "items.bmp");

    check(saveImage(out / "tavrin.png", makeIcon(256), "PNG"), out / "tavrin.png");
    for (const int size : {48, 64, 128}) {
        const std::filesystem::path icon = out / ("tavrin-" + std::to_string(size) + ".png");
        check(saveImage(icon, makeIcon(size), "PNG"), icon);
    }

    const std::filesystem::path help = out / "help";
    check(saveImage(help / "pieces.png", makePiecesChart(sheet, normalLand, greenLand), "PNG"), help / "pieces.png");
    check(saveImage(help / "items.png", makeItemsChart(items, normalLand), "PNG"), help / "items.png");
    check(saveImage(help / "sheet.png", makeCellChart(sheet), "PNG"), help / "sheet.png");
    check(saveImage(help / "item_strip.png", makeCellChart(items), "PNG"), help / "item_strip.png");

    check(writeWav((out / "B.wav").string(), placementTap(), 0.72), out / "B.wav");
    check(writeWav((out / "trush.wav").string(), trashSwish(), 0.75), out / "trush.wav");
    check(writeWav((out / "jan.wav").string(), rewardJingle(), 0.7), out / "jan.wav");

    check(writeFileSafely((out / "ecomode.mid").string(), smfBytes(freeGameSong())), out / "ecomode.mid");
    check(writeFileSafely((out / "mondai.mid").string(), smfBytes(seriesSong())), out / "mondai.mid");
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tavrin-assetgen OUTPUT_DIR\n";
        return 2;
    }
    try {
        return run(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "tavrin-assetgen: " << e.what() << '\n';
        return 1;
    }
}
