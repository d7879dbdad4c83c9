#include "app/command_table.h"

#include <stdexcept>

namespace tavrin::app {

using game::Command;
using game::Menu;

namespace {

// clang-format off
constexpr std::array<CommandInfo, game::kCommandCount> kTable{{
    {Command::NewGame,         Menu::Game, true, "新規ゲーム(&N)", "F2", Toolbar::Main, 1, "新規ゲーム", true, false, false, false},
    {Command::Open,            Menu::Game, true, "開く(&O)...", "", Toolbar::Main, 2, "開く", true, false, false, false},
    {Command::GameSeparator,   Menu::Game, true, "-", "", Toolbar::None, 0, "", true, false, false, false},
    {Command::Save,            Menu::Game, true, "上書き保存(&S)", "", Toolbar::Main, 7, "問題の上書き保存", false, false, false, false},
    {Command::SaveAs,          Menu::Game, true, "名前を付けて保存(&A)", "", Toolbar::None, 0, "", false, false, false, false},
    {Command::HighScores,      Menu::Game, true, "ﾊｲｽｺｱ(&H)", "", Toolbar::Main, 17, "ハイスコア", true, false, false, true},
    {Command::ClearHighScores, Menu::Game, true, "ﾊｲｽｺｱのｸﾘｱ(&C)", "", Toolbar::None, 0, "", false, false, false, false},
    {Command::ResetTheme,      Menu::Game, true, "ｴｺ・ﾃｰﾏの初期化(&T)", "", Toolbar::None, 0, "", false, false, false, false},
    {Command::Exit,            Menu::Game, true, "終了(&X)", "", Toolbar::None, 0, "", true, false, false, true},
    {Command::Undo,            Menu::Edit, true, "元に戻す(&U)", "", Toolbar::Main, 8, "元に戻す", false, false, false, false},
    {Command::Cut,             Menu::Edit, true, "切り取り(&T)", "", Toolbar::Main, 3, "切り取り", false, false, false, true},
    {Command::Copy,            Menu::Edit, true, "コピー(&C)", "", Toolbar::Main, 4, "コピー", false, false, false, false},
    {Command::Paste,           Menu::Edit, true, "貼り付け(&P)", "", Toolbar::Main, 5, "貼り付け", false, false, false, false},
    {Command::Delete,          Menu::Edit, true, "削除(&D)", "", Toolbar::Main, 6, "問題の削除", false, false, false, false},
    {Command::SoundOn,         Menu::Options, true, "音あり(&E)", "", Toolbar::None, 0, "", true, true, true, false},
    {Command::SoundOff,        Menu::Options, true, "音なし(&S)", "", Toolbar::None, 0, "", true, true, false, false},
    {Command::EcoMode,         Menu::Options, true, "エコモード(&O)", "", Toolbar::Main, 10, "エコモード", true, true, true, true},
    {Command::FullConnection,  Menu::Options, true, "全結合モード(&C)", "", Toolbar::Main, 11, "全結合モード", false, true, false, false},
    {Command::BigLoop,         Menu::Options, true, "大ループモード(&L)", "", Toolbar::Main, 12, "大ループモード", false, true, false, false},
    {Command::EditMode,        Menu::Options, true, "編集モード(&E)", "", Toolbar::Main, 14, "編集モード", true, true, false, true},
    {Command::PlayMode,        Menu::Options, true, "プレーモード(&P)", "", Toolbar::Main, 15, "プレーモード", true, true, true, false},
    {Command::CreateTheme,     Menu::Options, true, "エコ・テーマの作成(&M)...", "", Toolbar::None, 0, "", true, false, false, true},
    {Command::DefaultTheme,    Menu::Options, true, "デフォルトのエコ・テーマに戻す(&D)", "", Toolbar::None, 0, "", true, false, false, false},
    {Command::HelpTopics,      Menu::Help, true, "ﾄﾋﾟｯｸの検索(&H)", "F1", Toolbar::Main, 18, "ヘルプ", true, false, false, false},
    {Command::About,           Menu::Help, true, "ﾊﾞｰｼﾞｮﾝ情報(&A)", "", Toolbar::None, 0, "", true, false, false, true},
    {Command::MirrorTopBottom, Menu::Edit, false, "上下反転(&V)", "", Toolbar::Board, 2, "上下反転", true, false, false, false},
    {Command::MirrorLeftRight, Menu::Edit, false, "左右反転(&H)", "", Toolbar::Board, 3, "左右反転", true, false, false, false},
    {Command::TurnLeft,        Menu::Edit, false, "左90度回転(&L)", "", Toolbar::Board, 5, "左90度回転", true, false, false, false},
    {Command::TurnRight,       Menu::Edit, false, "右90度回転(&R)", "", Toolbar::Board, 6, "右90度回転", true, false, false, false},
    {Command::ShiftLeft,       Menu::Edit, false, "左にシフト(&A)", "", Toolbar::Board, 8, "左にシフト", true, false, false, false},
    {Command::ShiftUp,         Menu::Edit, false, "上にシフト(&W)", "", Toolbar::Board, 9, "上にシフト", true, false, false, false},
    {Command::ShiftDown,       Menu::Edit, false, "下にシフト(&S)", "", Toolbar::Board, 10, "下にシフト", true, false, false, false},
    {Command::ShiftRight,      Menu::Edit, false, "右にシフト(&D)", "", Toolbar::Board, 11, "右にシフト", true, false, false, false},
    {Command::Hint,            Menu::Game, true, "ヒント(&I)", "F3", Toolbar::Main, 20, "ヒント", false, false, false, true},
}};
// clang-format on

constexpr bool tableInOrder()
{
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (static_cast<std::size_t>(kTable[i].command) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableInOrder(), "command table must follow the Command enum");

} // namespace

const std::array<CommandInfo, game::kCommandCount>& commandTable()
{
    return kTable;
}

const CommandInfo& commandInfo(Command command)
{
    const auto i = static_cast<std::size_t>(command);
    if (i >= kTable.size()) {
        throw std::out_of_range("unknown command");
    }
    return kTable[i];
}

std::string_view menuCaption(Menu menu)
{
    switch (menu) {
    case Menu::Game: return "ｹﾞｰﾑ(&G)";
    case Menu::Edit: return "編集(&E)";
    case Menu::Options: return "ｵﾌﾟｼｮﾝ(&O)";
    case Menu::Help: return "ﾍﾙﾌﾟ(&H)";
    }
    return "";
}

} // namespace tavrin::app
