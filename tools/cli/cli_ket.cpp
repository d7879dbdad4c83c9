// tavrin-cli ket: pack four pictures and a goal into an eco theme file, and
// unpack one again.
#include "tools/cli/command.h"

#include "graphics/theme_file.h"
#include "puzzles/atomic_file.h"

#include <iostream>

namespace tavrin::cli {
namespace {

constexpr const char* kUsage =
    "ket pack --goal TEXT SHEET.bmp NORMAL.bmp GOAL.bmp ITEMS.bmp OUT\n"
    "                         write an eco theme file\n"
    "  ket unpack FILE DIR    write the goal to DIR/goal.txt and the pictures to DIR/1.bmp .. 4.bmp";

int usage()
{
    std::cerr << "usage: tavrin-cli " << kUsage << "\n";
    return 2;
}

int pack(const std::vector<std::string>& args)
{
    std::optional<std::string> goal;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--goal" && i + 1 < args.size() && !goal) {
            goal = args[++i];
        } else if (args[i].rfind("--goal=", 0) == 0 && !goal) {
            goal = args[i].substr(7);
        } else {
            files.push_back(args[i]);
        }
    }
    if (!goal || files.size() != 5) {
        return usage();
    }
    if (goal->empty()) {
        std::cerr << "tavrin-cli: the goal text must not be empty\n";
        return 1;
    }
    std::array<std::string, theme::kThemePictures> pictures;
    for (std::size_t k = 0; k < pictures.size(); ++k) {
        FileReadResult file = readFileBytes(files[k], theme::kMaxThemeFileSize + 1);
        if (!file.bytes) {
            std::cerr << "tavrin-cli: " << file.error << "\n";
            return 1;
        }
        pictures[k] = std::move(*file.bytes);
    }
    const std::optional<std::string> bytes = theme::encodeThemeFile(*goal, pictures);
    if (!bytes || bytes->size() > theme::kMaxThemeFileSize) {
        std::cerr << "tavrin-cli: the pictures must not be empty and must fit in "
                  << (theme::kMaxThemeFileSize >> 20) << " MiB together\n";
        return 1;
    }
    const FileWriteResult written = writeFileAtomically(files[4], *bytes);
    if (!written) {
        std::cerr << "tavrin-cli: " << written.error << "\n";
        return 1;
    }
    return 0;
}

int unpack(const std::string& path, const std::filesystem::path& dir)
{
    const theme::ThemeFileRead read = theme::readThemeFile(path);
    if (!read.loaded()) {
        std::cerr << read.message().japanese() << "\n";
        if (!read.error.empty()) {
            std::cerr << read.error << "\n";
        }
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::cerr << "tavrin-cli: cannot create " << dir.string() << ": " << ec.message() << "\n";
        return 1;
    }
    FileWriteResult written = writeFileAtomically(dir / "goal.txt", read.theme.goal);
    for (std::size_t k = 0; written && k < read.theme.pictures.size(); ++k) {
        written = writeFileAtomically(dir / (std::to_string(k + 1) + ".bmp"), read.theme.pictures[k]);
    }
    if (!written) {
        std::cerr << "tavrin-cli: " << written.error << "\n";
        return 1;
    }
    return 0;
}

int run(const std::vector<std::string>& args)
{
    if (!args.empty() && args[0] == "pack") {
        return pack(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    if (args.size() == 3 && args[0] == "unpack") {
        return unpack(args[1], args[2]);
    }
    return usage();
}

static Registration reg{{"ket", kUsage, run}};

} // namespace
} // namespace tavrin::cli
