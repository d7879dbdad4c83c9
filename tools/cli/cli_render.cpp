// tavrin-cli render: the picture of a board state, composed by the game's own
// renderer, as a PNG file.
#include "engine/analysis.h"
#include "game/data_folders.h"
#include "graphics/picture_files.h"
#include "graphics/renderer.h"
#include "tools/cli/board_input.h"
#include "tools/cli/command.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace tavrin::cli {
namespace {

using namespace tavrin::graphics;

// The board at (0, 0), the offered-piece panel to its right with a gap of
// one quarter tile, on the panel colour.
constexpr int kPanelGap = kTile / 4;
constexpr int kPictureWidth = kBoardPixels + kPanelGap + kTile;

bool holdsPictures(const std::filesystem::path& folder)
{
    std::error_code ec;
    for (int k = 0; k < kGraphicsKinds; ++k) {
        if (!std::filesystem::is_regular_file(folder / builtinFileName(k), ec)) {
            return false;
        }
    }
    return true;
}

// As the game looks for its data: beside the program, then the installed
// folders; the first that holds the four pictures.
std::string findPictureFolder()
{
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string programFolder = ec ? std::string() : program.parent_path().string();
    for (const std::string& folder : game::dataFolderCandidates(programFolder)) {
        if (holdsPictures(std::filesystem::path(folder).lexically_normal())) {
            return std::filesystem::path(folder).lexically_normal().string();
        }
    }
    return {};
}

int render(const std::vector<std::string>& args)
{
    BoardInput input;
    int offered = -1;
    std::string out;
    std::string data;
    bool dataGiven = false;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (input.takeOption(args, i)) {
                continue;
            }
            if (a == "--offered" || a == "--out" || a == "--data") {
                if (i + 1 >= args.size()) {
                    throw UsageError{a + " needs a value"};
                }
                const std::string& value = args[++i];
                if (a == "--offered") {
                    offered = value == "." ? -1 : parseInt(value, -1, kPieceKinds - 1, "--offered");
                } else if (a == "--data") {
                    data = value;
                    dataGiven = true;
                } else {
                    out = value;
                }
            } else if (!a.empty() && a[0] != '-' && out.empty()) {
                out = a;
            } else {
                throw UsageError{"unknown option '" + a + "'"};
            }
        }
        if (out.empty()) {
            throw UsageError{"no output file (--out FILE.png)"};
        }
    } catch (const UsageError& e) {
        std::cerr << "tavrin-cli render: " << e.message << '\n';
        return 2;
    }

    GameState s;
    if (const std::string error = input.load(std::cin, s); !error.empty()) {
        std::cerr << "tavrin-cli render: " << error << '\n';
        return 2;
    }
    if (!dataGiven) {
        data = findPictureFolder();
    } else if (!holdsPictures(data)) {
        std::cerr << "tavrin-cli render: " << data << " does not hold the pictures ";
        for (int k = 0; k < kGraphicsKinds; ++k) {
            std::cerr << (k ? ", " : "") << builtinFileName(k);
        }
        std::cerr << '\n';
        return 1;
    }
    // Missing or unusable pictures are the drawn stand-ins, as in the game.
    const GraphicsSet graphics = data.empty() ? GraphicsSet::fallback() : readBuiltinGraphics(data);

    NetworkAnalysis analysis(s);
    analysis.networkAnalysis();

    Renderer renderer(graphics, s);
    renderer.redrawAll(offered, false);

    PixelBuffer picture(kPictureWidth, kBoardPixels, renderer.panelColour());
    bitBlt(picture, Point{0, 0}, renderer.boardImage(), renderer.boardImage().rect(), RasterOp::Copy);
    bitBlt(picture, Point{kBoardPixels + kPanelGap, 0}, renderer.panelImage(), renderer.panelImage().rect(),
           RasterOp::Copy);
    if (const std::string error = writePngFile(out, picture); !error.empty()) {
        std::cerr << "tavrin-cli render: " << error << '\n';
        return 1;
    }
    return 0;
}

const Registration reg{{"render",
                        "render [--items C,C,...] [--moves-used N] [--offered P] [--data DIR] --out FILE.png < BOARD"
                        "   draw a board and the offered piece as the game does, into a PNG file",
                        render}};

} // namespace
} // namespace tavrin::cli
