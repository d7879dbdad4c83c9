#include "game/record_replay.h"

#include "engine/scoring.h"
#include "game/controller.h"
#include "game/daily_game.h"
#include "game/random.h"
#include "game/window.h"

namespace tavrin::game {

namespace {

// A window that shows nothing and asks nothing: the game's boxes are
// answered at once, there are no media devices, the timers are the
// controller's own (it keeps their state itself).
class NoWindow final : public Window {
public:
    void setStatusText(const Text& text) override { status_ = text; }
    Text statusText() const override { return status_; }
    void setWindowCaption(const Text&) override {}
    Text windowCaption() const override { return {}; }
    void quitProgram() override {}
    bool pointerBusy() const override { return false; }
    void setClipboardText(const std::string&) override {}
    void shellCommand(Command) override {}
    Answer messageBox(const Text&, const Text&, Buttons buttons, Icon) override
    {
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    std::optional<std::string> inputBox(const Text&, const Text&, const std::string&) override { return std::nullopt; }
    void setScoreLabel(ScoreLabel, const std::string&) override {}
    void setScoreFrameCaption(ScoreLabel, const Text&) override {}
    void setScoreFrameVisible(ScoreLabel, bool) override {}
    void setTrash(int) override {}
    void setLoopLengthText(const Text&) override {}
    void setCommentText(const Text&) override {}
    std::string commentText() const override { return {}; }
    void setCommentVisible(bool) override {}
    void setCommentReadOnly(bool) override {}
    void setSpinnerRange(int, int) override {}
    int spinnerMaximum() const override { return 0; }
    void setSpinnerValue(int) override {}
    int spinnerValue() const override { return 0; }
    void setSpinnerEnabled(bool) override {}
    void setSpinnerVisible(bool) override {}
    void setSpinnerLabel(const std::string&) override {}
    void setCommandEnabled(Command, bool) override {}
    void setCommandChecked(Command, bool) override {}
    void setCommandCaption(Command, const Text&) override {}
    void setCommandToolTip(Command, const Text&) override {}
    void setCommandImage(Command, int) override {}
    void setCommandVisible(Command, bool) override {}
    void setMenuEnabled(Menu, bool) override {}
    void setPanelVisible(Panel, bool) override {}
    bool panelVisible(Panel panel) const override { return panel == Panel::FreeGame; }
    void setBoardToolbarEnabled(bool) override {}
    void setPaletteBorder(int, bool) override {}
    void setPaletteEnabled(int, bool) override {}
    void setPaletteVisible(int, bool) override {}
    void setEditorOption(EditorOption) override {}
    EditorOption editorOption() const override { return EditorOption::Normal; }
    void startTimer(Timer, int) override {}
    void stopTimer(Timer) override {}
    bool timerRunning(Timer) const override { return false; }
    void drawTile(const TileDraw&) override {}
    void clearOfferedPiece() override {}
    void redrawAll() override {}
    void redrawBoard() override {}
    void mediaOpen(Device, DeviceType, const std::string&) override {}
    void mediaClose(Device) override {}
    void mediaPlay(Device, long, long) override {}
    void mediaSound(Device) override {}
    void mediaStop(Device) override {}
    void mediaSeek(Device, long) override {}
    long mediaStart(Device) const override { return 0; }
    long mediaLength(Device) const override { return 0; }
    long mediaPosition(Device) const override { return 0; }
    DeviceMode mediaMode(Device) const override { return DeviceMode::NotOpen; }
    bool mediaCanPlay(Device) const override { return false; }

private:
    Text status_;
};

// A placement sequence is four frames and a check; more means it never ends.
constexpr int kMaxTicks = 64;

} // namespace

struct FreeGamePlay::Parts {
    Parts(std::uint64_t seed, int itemKinds) : random(seed), controller(state, window, random)
    {
        controller.setItemKindCount(itemKinds);
        controller.StartFreeGame();
    }
    GameState state;
    NoWindow window;
    RandomSource random;
    GameController controller;
};

FreeGamePlay::FreeGamePlay(std::uint64_t seed, int itemKinds) : parts_(std::make_unique<Parts>(seed, itemKinds)) {}

FreeGamePlay::~FreeGamePlay() = default;

FreeGamePlay::Outcome FreeGamePlay::play(std::uint8_t move)
{
    GameController& controller = parts_->controller;
    if (!active()) {
        return Outcome::Over;
    }
    if (move == kDiscardMove) {
        controller.trashReleased();
    } else if (move < kCellCount) {
        controller.cellReleased(move);
    } else {
        return Outcome::Refused;
    }
    if (!controller.timerOn(Timer::Evaluation) && !controller.timerOn(Timer::AfterDiscard)) {
        return Outcome::Refused;
    }
    for (int tick = 0; tick < kMaxTicks && controller.timerOn(Timer::Evaluation); ++tick) {
        controller.timerTick(Timer::Evaluation);
    }
    if (controller.timerOn(Timer::AfterDiscard)) {
        controller.timerTick(Timer::AfterDiscard);
    }
    if (controller.timerOn(Timer::Evaluation)) {
        return Outcome::Refused;
    }
    if (!controller.flow().freeGameActive && controller.flow().turnResult == TurnResult::kGoalReached &&
        move != kDiscardMove) {
        goal_ = true;
        score_ = getpointtotal(parts_->state);
    }
    return Outcome::Played;
}

bool FreeGamePlay::active() const { return parts_->controller.flow().freeGameActive; }

bool FreeGamePlay::goalReached() const { return goal_; }

int FreeGamePlay::offeredPiece() const { return parts_->controller.flow().offeredPiece; }

bool FreeGamePlay::nextMoveFree() const { return parts_->controller.flow().discardWindow[0] >= 0; }

const GameState& FreeGamePlay::state() const { return parts_->state; }

Verification verifyRecord(const GameRecord& record, std::optional<int> claimedScore)
{
    Verification result;
    if (!recordValid(record)) {
        result.problem = RecordProblem::BadValue;
        return result;
    }
    if (record.daily && !isDailyGame(record)) {
        result.verdict = Verdict::NotDailyGame;
        return result;
    }
    FreeGamePlay game(record.seed, record.itemKinds);
    for (std::size_t i = 0; i < record.moves.size(); ++i) {
        const FreeGamePlay::Outcome outcome = game.play(record.moves[i]);
        if (outcome != FreeGamePlay::Outcome::Played) {
            result.verdict = outcome == FreeGamePlay::Outcome::Over ? Verdict::MovesAfterEnd : Verdict::MoveRefused;
            result.move = static_cast<int>(i);
            return result;
        }
    }
    if (!game.goalReached()) {
        result.verdict = Verdict::GoalNotReached;
        return result;
    }
    result.score = game.score();
    result.verdict = claimedScore && *claimedScore != result.score ? Verdict::ScoreDiffers : Verdict::Finished;
    return result;
}

Verification verifyRecordBytes(std::string_view bytes, std::optional<int> claimedScore)
{
    const RecordRead read = decodeRecord(bytes);
    if (!read.record) {
        Verification result;
        result.problem = read.problem;
        return result;
    }
    return verifyRecord(*read.record, claimedScore);
}

std::string_view verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Finished: return "the game reaches the goal";
    case Verdict::Malformed: return "not a valid record";
    case Verdict::NotDailyGame: return "not the daily game of its date";
    case Verdict::MoveRefused: return "the rules refuse a move";
    case Verdict::MovesAfterEnd: return "moves after the end of the game";
    case Verdict::GoalNotReached: return "the game does not reach the goal";
    case Verdict::ScoreDiffers: return "the game gives another score";
    }
    return "";
}

} // namespace tavrin::game
