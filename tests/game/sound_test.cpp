// Which device plays when, the music loop and the sound switch.
#include "tests/game/flow_fixture.h"

#include "scores/settings_store.h"

namespace tavrin::game::testing {
namespace {

class Sound : public FlowTest {};

TEST_F(Sound, DevicesOpenWithTheirFiles)
{
    EXPECT_EQ(window.device(Device::Click).file, "B.wav");
    EXPECT_EQ(window.device(Device::Trash).file, "trush.wav");
    EXPECT_EQ(window.device(Device::FreeMusic).file, "ecomode.mid");
    EXPECT_EQ(window.device(Device::SeriesMusic).file, "mondai.mid");
    EXPECT_EQ(window.device(Device::Jingle).file, "jan.wav");
}

TEST_F(Sound, MusicRestartsAtItsEndWithoutPolling)
{
    ctl.StartFreeGame();
    ASSERT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    // The loop timer waits for the end of the piece, not a millisecond.
    ASSERT_TRUE(window.isRunning(Timer::MusicLoop));
    EXPECT_GE(window.running[Timer::MusicLoop], 60000);

    // A tick before the end changes nothing.
    window.device(Device::FreeMusic).position = 1000;
    window.media.clear();
    ctl.timerTick(Timer::MusicLoop);
    EXPECT_TRUE(window.media.empty());
    EXPECT_EQ(window.running[Timer::MusicLoop], 60000 - 1000 + 30);

    window.finishPlaying(Device::FreeMusic);
    ctl.timerTick(Timer::MusicLoop);
    ASSERT_FALSE(window.media.empty());
    EXPECT_EQ(window.media.back(), (MediaCall{Device::FreeMusic, "play", "ecomode.mid", 0, 60000}));
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    EXPECT_TRUE(window.isRunning(Timer::MusicLoop));
}

TEST_F(Sound, StoppedMusicIsNotRestartedAndTheTimerRests)
{
    ctl.StartFreeGame();
    ctl.EndGame();
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Stopped);
    ctl.timerTick(Timer::MusicLoop);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Stopped);
    EXPECT_FALSE(window.isRunning(Timer::MusicLoop));
}

TEST_F(Sound, SeriesMusicLoopsDuringTheSeries)
{
    ctl.StartFreeGame();
    state.puzzleCount = 1;
    state.puzzles[0] = newPuzzle();
    state.puzzles[0].mode = kBigLoop;
    ctl.StartSeries("/tmp/a.kem");
    ASSERT_EQ(window.device(Device::SeriesMusic).mode, DeviceMode::Playing);
    ASSERT_TRUE(window.isRunning(Timer::MusicLoop));
    EXPECT_EQ(window.running[Timer::MusicLoop], 45000 + 30);
    window.finishPlaying(Device::SeriesMusic);
    ctl.timerTick(Timer::MusicLoop);
    EXPECT_EQ(window.device(Device::SeriesMusic).mode, DeviceMode::Playing);
}

TEST_F(Sound, OnlyThePieceOfTheCurrentActivityRepeatsByItself)
{
    ctl.StartFreeGame();
    EXPECT_TRUE(window.device(Device::FreeMusic).looping);
    EXPECT_FALSE(window.device(Device::SeriesMusic).looping);

    // The series music starts before the series does, and still repeats.
    state.puzzleCount = 1;
    state.puzzles[0] = newPuzzle();
    state.puzzles[0].mode = kBigLoop;
    ctl.StartSeries("/tmp/a.kem");
    EXPECT_TRUE(window.device(Device::SeriesMusic).looping);
    EXPECT_FALSE(window.device(Device::FreeMusic).looping);

    // Sound on during the series plays the free-game music once, beside it.
    ctl.command(Command::SoundOff);
    ctl.command(Command::SoundOn);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    EXPECT_FALSE(window.device(Device::FreeMusic).looping);
    EXPECT_TRUE(window.device(Device::SeriesMusic).looping);
}

TEST_F(Sound, SwitchingOffClosesThreeDevicesAndSilencesClicks)
{
    MemorySettingsStore settings;
    ctl.attachSettings(&settings);
    ctl.StartFreeGame();
    ctl.command(Command::SoundOff);
    EXPECT_TRUE(window.command(Command::SoundOff).checked);
    EXPECT_FALSE(window.command(Command::SoundOn).checked);
    EXPECT_EQ(settings.get("Options", "PointMode", "?"), "0");
    EXPECT_FALSE(window.device(Device::Click).open);
    EXPECT_FALSE(window.device(Device::Trash).open);
    EXPECT_FALSE(window.device(Device::FreeMusic).open);
    EXPECT_TRUE(window.device(Device::SeriesMusic).open);
    EXPECT_TRUE(window.device(Device::Jingle).open);

    window.media.clear();
    placeDealt(4);
    ctl.trashReleased();
    ctl.timerTick(Timer::AfterDiscard);
    EXPECT_EQ(window.soundCount(Device::Click), 0);
    EXPECT_EQ(window.soundCount(Device::Trash), 0);

    // Clicking the checked item again does nothing, not even a save.
    settings.save("Options", "PointMode", "x");
    ctl.command(Command::SoundOff);
    EXPECT_EQ(settings.get("Options", "PointMode", "?"), "x");

    // On again: the free-game music starts from the beginning.
    ctl.command(Command::SoundOn);
    EXPECT_EQ(settings.get("Options", "PointMode", "?"), "-1");
    EXPECT_TRUE(window.device(Device::Click).open);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    EXPECT_EQ(window.device(Device::FreeMusic).position, 0);
}

TEST_F(Sound, WithTheSwitchOffAtStartTheTrashStillSounds)
{
    ctl.setSoundSwitch(false);
    ctl.StartFreeGame();
    EXPECT_NE(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    window.media.clear();
    placeDealt(4);
    EXPECT_EQ(window.soundCount(Device::Click), 0);
    ctl.trashReleased();
    EXPECT_EQ(window.soundCount(Device::Trash), 1);
}

TEST_F(Sound, SoundOnInTheEditorStartsTheFreeGameMusicToo)
{
    ctl.setSoundSwitch(false);
    ctl.StartFreeGame();
    state.editMode = true;
    ctl.command(Command::SoundOn);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    // ... but the editor does not loop it.
    EXPECT_FALSE(window.isRunning(Timer::MusicLoop));
    EXPECT_FALSE(window.device(Device::FreeMusic).looping);
}

TEST_F(Sound, MissingFileOnlyMakesTheDeviceSilent)
{
    window.playableFiles.erase("B.wav");
    ctl.OpenSoundDevices();
    ctl.StartFreeGame();
    window.media.clear();
    placeDealt(9);
    EXPECT_EQ(window.soundCount(Device::Click), 0);
    EXPECT_TRUE(window.boxes.empty());
}

// --- the command guard ------------------------------------------------------------------

class Commands : public FlowTest {};

TEST_F(Commands, GoalSettingGuardAsksAndBigLoopIsDroppedAfterYes)
{
    ctl.StartFreeGame();
    state.modeSettingActive = true;
    window.status = "現在のループ点16よりループ点を減らしてください。";
    window.answers = {Answer::Yes};
    // Outside a series the big-loop command would release its button.
    window.command(Command::BigLoop).checked = true;
    ctl.command(Command::BigLoop, Source::Toolbar);
    EXPECT_TRUE(window.command(Command::BigLoop).checked);
    ASSERT_EQ(window.boxes.size(), 1U);
    EXPECT_EQ(window.boxes[0].text,
              "現在ゲームモードの設定途中です。\n続行するとこれまでの操作が取り消されますがよろしいですか？");
    EXPECT_EQ(window.boxes[0].icon, Icon::Question);
    EXPECT_FALSE(state.modeSettingActive);
    EXPECT_EQ(window.status, "");
    EXPECT_TRUE(window.spinnerEnabled);

    // The same answer lets the full-connection command run.
    state.modeSettingActive = true;
    window.answers = {Answer::Yes};
    window.command(Command::FullConnection).checked = true;
    ctl.command(Command::FullConnection, Source::Toolbar);
    EXPECT_FALSE(window.command(Command::FullConnection).checked);
}

TEST_F(Commands, AnswerNoDropsTheCommand)
{
    ctl.StartFreeGame();
    state.modeSettingActive = true;
    window.answers = {Answer::No};
    const int moves = state.movesUsed;
    placeDealt(3);
    ctl.command(Command::NewGame, Source::Toolbar);
    EXPECT_TRUE(state.modeSettingActive);
    EXPECT_EQ(state.board[3] != kEmpty, true); // no new game
    EXPECT_EQ(state.movesUsed, moves + 1);
}

TEST_F(Commands, EditMenuAndSoundItemsSkipTheGuard)
{
    ctl.StartFreeGame();
    state.modeSettingActive = true;
    ctl.command(Command::SoundOff); // no question asked (an empty script would throw)
    ctl.command(Command::Undo, Source::Menu);
    ctl.command(Command::HelpTopics, Source::Menu);
    EXPECT_TRUE(window.boxes.empty());
    // The toolbar's help button passes the guard.
    window.answers = {Answer::Yes};
    ctl.command(Command::HelpTopics, Source::Toolbar);
    EXPECT_EQ(window.boxes.size(), 1U);
    EXPECT_EQ(window.shellCommands, (std::vector<Command>{Command::HelpTopics, Command::HelpTopics}));
}

TEST_F(Commands, CommandsAreIgnoredWhileBusy)
{
    ctl.StartFreeGame();
    state.modeSettingActive = true;
    window.busy = true;
    ctl.command(Command::NewGame, Source::Menu);
    ctl.command(Command::Exit, Source::Menu);
    ctl.command(Command::NewGame, Source::Toolbar);
    ctl.command(Command::EditMode, Source::Toolbar);
    EXPECT_FALSE(state.editMode);
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_FALSE(window.quit);
}

TEST_F(Commands, ExitEndsTheProgramOutsideSeriesAndEditor)
{
    ctl.StartFreeGame();
    ctl.command(Command::Exit);
    EXPECT_TRUE(window.quit);
}

TEST_F(Commands, EcoModeButtonOnlyShowsTheState)
{
    ctl.StartFreeGame();
    ctl.command(Command::EcoMode, Source::Toolbar);
    EXPECT_TRUE(window.command(Command::EcoMode).checked);
    ctl.command(Command::FullConnection, Source::Toolbar);
    EXPECT_FALSE(window.command(Command::FullConnection).checked);
}

TEST_F(Commands, StartUpTimerStartsAFreeGameOrRunsTheGivenAction)
{
    ctl.startUp();
    EXPECT_EQ(window.running[Timer::StartUp], 300);
    ctl.timerTick(Timer::StartUp);
    EXPECT_TRUE(flow().freeGameActive);
    EXPECT_FALSE(window.isRunning(Timer::StartUp));

    int opened = 0;
    ctl.setStartUpAction([&opened] { ++opened; });
    ctl.startUp();
    ctl.timerTick(Timer::StartUp);
    EXPECT_EQ(opened, 1);
}

TEST_F(Commands, AfterDiscardTickWithoutADiscardDealsNothing)
{
    ctl.StartFreeGame();
    const int offered = flow().offeredPiece;
    ctl.timerTick(Timer::AfterDiscard);
    EXPECT_EQ(flow().offeredPiece, offered);
    EXPECT_FALSE(window.isRunning(Timer::AfterDiscard));
}

} // namespace
} // namespace tavrin::game::testing
