// Which sound and which music piece plays when, the sound switch, and the
// command guard.
#include "tests/game/flow_fixture.h"

#include "scores/settings_store.h"

namespace tavrin::game::testing {
namespace {

class SoundAndMusic : public FlowTest {
protected:
    void startSeries()
    {
        state.puzzleCount = 1;
        state.puzzles[0] = newPuzzle();
        state.puzzles[0].mode = kBigLoop;
        input([&] { ctl.startSeries("/tmp/a.kem"); });
    }
};

TEST_F(SoundAndMusic, TheFreeGamesMusicRepeatsWhileTheGameLastsAndStopsWithIt)
{
    start();
    EXPECT_TRUE(front.playing(Music::FreeGame));
    EXPECT_TRUE(front.piece(Music::FreeGame).repeats);
    EXPECT_FALSE(front.piece(Music::Series).repeats);
    front.musicEnds(Music::FreeGame);
    EXPECT_TRUE(front.playing(Music::FreeGame));

    input([&] { ctl.endGame(); });
    EXPECT_FALSE(front.playing(Music::FreeGame));
    // A new game plays it from its start again.
    start();
    EXPECT_EQ(front.piece(Music::FreeGame).starts, 2);
    EXPECT_TRUE(front.playing(Music::FreeGame));
}

TEST_F(SoundAndMusic, OnlyThePieceOfTheCurrentActivityRepeats)
{
    start();
    startSeries();
    EXPECT_TRUE(front.playing(Music::Series));
    EXPECT_TRUE(front.piece(Music::Series).repeats);
    EXPECT_FALSE(front.playing(Music::FreeGame));
    EXPECT_FALSE(front.piece(Music::FreeGame).repeats);

    // Sound off leaves the series music on; sound on plays the free-game
    // music once, beside it.
    command(Command::SoundOff);
    EXPECT_TRUE(front.playing(Music::Series));
    command(Command::SoundOn);
    EXPECT_TRUE(front.playing(Music::FreeGame));
    EXPECT_FALSE(front.piece(Music::FreeGame).repeats);
    front.musicEnds(Music::FreeGame);
    front.musicEnds(Music::Series);
    EXPECT_FALSE(front.playing(Music::FreeGame));
    EXPECT_TRUE(front.playing(Music::Series));

    // Back in the free game its music repeats again, the series' does not.
    command(Command::Exit);
    EXPECT_FALSE(front.playing(Music::Series));
    EXPECT_TRUE(front.playing(Music::FreeGame));
    EXPECT_TRUE(front.piece(Music::FreeGame).repeats);
    EXPECT_FALSE(front.piece(Music::Series).repeats);
}

TEST_F(SoundAndMusic, SwitchingOffSilencesClicksMusicAndTheTrash)
{
    MemorySettingsStore settings;
    ctl.attachSettings(&settings);
    start();
    command(Command::SoundOff);
    EXPECT_TRUE(checked(Command::SoundOff));
    EXPECT_FALSE(checked(Command::SoundOn));
    EXPECT_EQ(settings.get("Options", "PointMode", "?"), "0");
    EXPECT_FALSE(front.playing(Music::FreeGame));

    front.clearRecords();
    placeDealt(4);
    discardDealt();
    EXPECT_TRUE(front.sounds.empty());

    // Clicking the checked item again does nothing, not even a save.
    settings.save("Options", "PointMode", "x");
    command(Command::SoundOff);
    EXPECT_EQ(settings.get("Options", "PointMode", "?"), "x");

    // On again: the free-game music starts from the beginning, and the moves sound.
    command(Command::SoundOn);
    EXPECT_EQ(settings.get("Options", "PointMode", "?"), "-1");
    EXPECT_TRUE(front.playing(Music::FreeGame));
    EXPECT_EQ(front.piece(Music::FreeGame).starts, 2);
    placeDealt(5);
    discardDealt();
    EXPECT_EQ(front.sounds, (std::vector<Sound>{Sound::Click, Sound::Trash}));
}

TEST_F(SoundAndMusic, WithTheSwitchOffAtStartTheTrashStillSounds)
{
    ctl.setSoundSwitch(false);
    start();
    EXPECT_FALSE(front.playing(Music::FreeGame));
    placeDealt(4);
    EXPECT_TRUE(front.sounds.empty());
    trash();
    EXPECT_EQ(front.sounds, std::vector<Sound>{Sound::Trash});
}

TEST_F(SoundAndMusic, SoundOnInTheEditorStartsTheFreeGameMusicOnce)
{
    ctl.setSoundSwitch(false);
    start();
    state.editMode = true;
    command(Command::SoundOn);
    EXPECT_TRUE(front.playing(Music::FreeGame));
    // ... but the editor does not repeat it.
    EXPECT_FALSE(front.piece(Music::FreeGame).repeats);
}

// --- the command guard ------------------------------------------------------------------

class Commands : public FlowTest {};

TEST_F(Commands, GoalSettingGuardAsksAndBigLoopIsDroppedAfterYes)
{
    start();
    state.modeSettingActive = true;
    ctl.screen().setStatus("現在のループ点16よりループ点を減らしてください。");
    ctl.screen().setSpinnerEnabled(false);
    front.answers = {Answer::Yes};
    // Outside a series the big-loop command would release its button.
    ctl.screen().setCommandChecked(Command::BigLoop, true);
    command(Command::BigLoop, Source::Toolbar);
    EXPECT_TRUE(checked(Command::BigLoop));
    ASSERT_EQ(front.boxes.size(), 1U);
    EXPECT_EQ(front.boxes[0].text.japanese(),
              "現在ゲームモードの設定途中です。\n続行するとこれまでの操作が取り消されますがよろしいですか？");
    EXPECT_EQ(front.boxes[0].icon, Icon::Question);
    EXPECT_FALSE(state.modeSettingActive);
    EXPECT_EQ(status(), "");
    EXPECT_TRUE(screen().spinner.enabled);

    // The same answer lets the full-connection command run.
    state.modeSettingActive = true;
    front.answers = {Answer::Yes};
    ctl.screen().setCommandChecked(Command::FullConnection, true);
    command(Command::FullConnection, Source::Toolbar);
    EXPECT_FALSE(checked(Command::FullConnection));
}

TEST_F(Commands, AnswerNoDropsTheCommand)
{
    start();
    state.modeSettingActive = true;
    front.answers = {Answer::No};
    const int moves = state.movesUsed;
    placeDealt(3);
    command(Command::NewGame, Source::Toolbar);
    EXPECT_TRUE(state.modeSettingActive);
    EXPECT_NE(state.board[3], kEmpty); // no new game
    EXPECT_EQ(state.movesUsed, moves + 1);
}

TEST_F(Commands, EditMenuAndSoundItemsSkipTheGuard)
{
    start();
    state.modeSettingActive = true;
    command(Command::SoundOff); // no question asked (an unexpected one fails the test)
    command(Command::Undo, Source::Menu);
    command(Command::HelpTopics, Source::Menu);
    EXPECT_TRUE(front.boxes.empty());
    // The toolbar's help button passes the guard.
    front.answers = {Answer::Yes};
    command(Command::HelpTopics, Source::Toolbar);
    EXPECT_EQ(front.boxes.size(), 1U);
    EXPECT_EQ(sessionCommands, (std::vector<Command>{Command::HelpTopics, Command::HelpTopics}));
}

TEST_F(Commands, CommandsAreIgnoredWhileBusy)
{
    start();
    state.modeSettingActive = true;
    ctl.screen().setBusy(true);
    command(Command::NewGame, Source::Menu);
    command(Command::Exit, Source::Menu);
    command(Command::NewGame, Source::Toolbar);
    command(Command::EditMode, Source::Toolbar);
    EXPECT_FALSE(state.editMode);
    EXPECT_TRUE(front.boxes.empty());
    EXPECT_TRUE(front.actions.empty());
}

TEST_F(Commands, ExitEndsTheProgramOutsideSeriesAndEditor)
{
    start();
    command(Command::Exit);
    EXPECT_EQ(front.actions, std::vector<Action>{Action::Quit});
}

TEST_F(Commands, EcoModeButtonOnlyShowsTheState)
{
    start();
    command(Command::EcoMode, Source::Toolbar);
    EXPECT_TRUE(checked(Command::EcoMode));
    command(Command::FullConnection, Source::Toolbar);
    EXPECT_FALSE(checked(Command::FullConnection));
}

TEST_F(Commands, StartUpTimerStartsAFreeGameOrRunsTheGivenAction)
{
    input([&] { ctl.startUp(); });
    EXPECT_EQ(front.wakes, std::vector<Millis>{300});
    tick(Timer::StartUp);
    EXPECT_TRUE(freeGame().active());
    EXPECT_FALSE(output.timerOn(Timer::StartUp));

    int opened = 0;
    ctl.setStartUpAction([&opened] { ++opened; });
    input([&] { ctl.startUp(); });
    tick(Timer::StartUp);
    EXPECT_EQ(opened, 1);
}

TEST_F(Commands, AfterDiscardTickWithoutADiscardDealsNothing)
{
    start();
    const int offered = freeGame().offeredPiece();
    tick(Timer::AfterDiscard);
    EXPECT_EQ(freeGame().offeredPiece(), offered);
    EXPECT_FALSE(output.timerOn(Timer::AfterDiscard));
}

} // namespace
} // namespace tavrin::game::testing
