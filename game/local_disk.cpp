#include "game/disk.h"

#include "puzzles/kem_names.h"

#include <optional>
#include <system_error>

namespace tavrin::game {

namespace {

// The file's full path, without "." and ".." steps.
std::filesystem::path absoluteFile(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal();
}

class LocalDisk : public Disk {
public:
    LocalDisk(const std::filesystem::path& pageFolder, const SettingsStore& settings)
    {
        if (!pageFolder.empty()) {
            pages_.emplace(pageFolder, settings);
        }
    }

    // Only plain files are read: a named pipe or a device would block or never end.
    Text puzzleFileProblem(const std::string& path) const override
    {
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(path, error);
        if (status.type() == std::filesystem::file_type::not_found
            || status.type() == std::filesystem::file_type::none) {
            return kPuzzleFileNotFound;
        }
        if (status.type() != std::filesystem::file_type::regular
            || !kem::hasPuzzleExtension(std::filesystem::path(path).filename().string())) {
            return TAVRIN_TEXT("app", "問題ファイルを開けません：問題ファイル(KEMファイル)ではありません。");
        }
        return {};
    }

    kem::PuzzleFileRead readPuzzleFile(const std::string& path, bool absolute) const override
    {
        return kem::readPuzzleFile(absolute ? absoluteFile(path) : std::filesystem::path(path));
    }

    kem::PuzzleFileSave savePuzzleFile(const std::string& name, const kem::PuzzleList& puzzles) const override
    {
        return kem::savePuzzleFile(name, puzzles);
    }

    FreeHighScoreWindow freeHighScores(HighScores& scores, int itemCount) override
    {
        if (!pages_) {
            FreeHighScoreWindow shown;
            shown.view = scores.freeView(itemCount);
            return shown;
        }
        FreeHighScoreWindow shown = showFreeHighScores(scores, *pages_, itemCount);
        shown.pagePath.make_preferred();
        return shown;
    }

    void scoresCleared() override
    {
        if (pages_) {
            pages_->deletePagesAfterClear();
        }
    }

private:
    std::optional<ScorePages> pages_;
};

} // namespace

std::unique_ptr<Disk> localDisk(const std::filesystem::path& pageFolder, const SettingsStore& settings)
{
    return std::make_unique<LocalDisk>(pageFolder, settings);
}

} // namespace tavrin::game
