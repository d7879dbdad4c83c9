#include "game/command_table.h"

#include <cstdlib>
#include <vector>

namespace tavrin::game {

namespace {

// clang-format off
constexpr std::array<CommandInfo, kCommandCount> kTable{{
    {Command::NewGame,         Menu::Game, true, TAVRIN_TEXT("menu", "新規ゲーム(&N)"), "F2", Toolbar::Main, 1, TAVRIN_TEXT("menu", "新規ゲーム"), true, false, false, false},
    {Command::Open,            Menu::Game, true, TAVRIN_TEXT("menu", "開く(&O)..."), "", Toolbar::Main, 2, TAVRIN_TEXT("menu", "開く"), true, false, false, false},
    {Command::GameSeparator,   Menu::Game, true, kNoText, "", Toolbar::None, 0, kNoText, true, false, false, false},
    {Command::Save,            Menu::Game, true, TAVRIN_TEXT("menu", "上書き保存(&S)"), "", Toolbar::Main, 7, TAVRIN_TEXT("menu", "問題の上書き保存"), false, false, false, false},
    {Command::SaveAs,          Menu::Game, true, TAVRIN_TEXT("menu", "名前を付けて保存(&A)"), "", Toolbar::None, 0, kNoText, false, false, false, false},
    {Command::HighScores,      Menu::Game, true, TAVRIN_TEXT("menu", "ﾊｲｽｺｱ(&H)"), "", Toolbar::Main, 17, TAVRIN_TEXT("menu", "ハイスコア"), true, false, false, true},
    {Command::ClearHighScores, Menu::Game, true, TAVRIN_TEXT("menu", "ﾊｲｽｺｱのｸﾘｱ(&C)"), "", Toolbar::None, 0, kNoText, false, false, false, false},
    {Command::ResetTheme,      Menu::Game, true, TAVRIN_TEXT("menu", "ｴｺ・ﾃｰﾏの初期化(&T)"), "", Toolbar::None, 0, kNoText, false, false, false, false},
    {Command::Exit,            Menu::Game, true, TAVRIN_TEXT("menu", "終了(&X)"), "", Toolbar::None, 0, kNoText, true, false, false, true},
    {Command::Undo,            Menu::Edit, true, TAVRIN_TEXT("menu", "元に戻す(&U)"), "", Toolbar::Main, 8, TAVRIN_TEXT("menu", "元に戻す"), false, false, false, false},
    {Command::Cut,             Menu::Edit, true, TAVRIN_TEXT("menu", "切り取り(&T)"), "", Toolbar::Main, 3, TAVRIN_TEXT("menu", "切り取り"), false, false, false, true},
    {Command::Copy,            Menu::Edit, true, TAVRIN_TEXT("menu", "コピー(&C)"), "", Toolbar::Main, 4, TAVRIN_TEXT("menu", "コピー"), false, false, false, false},
    {Command::Paste,           Menu::Edit, true, TAVRIN_TEXT("menu", "貼り付け(&P)"), "", Toolbar::Main, 5, TAVRIN_TEXT("menu", "貼り付け"), false, false, false, false},
    {Command::Delete,          Menu::Edit, true, TAVRIN_TEXT("menu", "削除(&D)"), "", Toolbar::Main, 6, TAVRIN_TEXT("menu", "問題の削除"), false, false, false, false},
    {Command::SoundOn,         Menu::Options, true, TAVRIN_TEXT("menu", "音あり(&E)"), "", Toolbar::None, 0, kNoText, true, true, true, false},
    {Command::SoundOff,        Menu::Options, true, TAVRIN_TEXT("menu", "音なし(&S)"), "", Toolbar::None, 0, kNoText, true, true, false, false},
    {Command::EcoMode,         Menu::Options, true, TAVRIN_TEXT("menu", "エコモード(&O)"), "", Toolbar::Main, 10, TAVRIN_TEXT("menu", "エコモード"), true, true, true, true},
    {Command::FullConnection,  Menu::Options, true, TAVRIN_TEXT("menu", "全結合モード(&C)"), "", Toolbar::Main, 11, TAVRIN_TEXT("menu", "全結合モード"), false, true, false, false},
    {Command::BigLoop,         Menu::Options, true, TAVRIN_TEXT("menu", "大ループモード(&L)"), "", Toolbar::Main, 12, TAVRIN_TEXT("menu", "大ループモード"), false, true, false, false},
    {Command::EditMode,        Menu::Options, true, TAVRIN_TEXT("menu", "編集モード(&E)"), "", Toolbar::Main, 14, TAVRIN_TEXT("menu", "編集モード"), true, true, false, true},
    {Command::PlayMode,        Menu::Options, true, TAVRIN_TEXT("menu", "プレーモード(&P)"), "", Toolbar::Main, 15, TAVRIN_TEXT("menu", "プレーモード"), true, true, true, false},
    {Command::CreateTheme,     Menu::Options, true, TAVRIN_TEXT("menu", "エコ・テーマの作成(&M)..."), "", Toolbar::None, 0, kNoText, true, false, false, true},
    {Command::DefaultTheme,    Menu::Options, true, TAVRIN_TEXT("menu", "デフォルトのエコ・テーマに戻す(&D)"), "", Toolbar::None, 0, kNoText, true, false, false, false},
    {Command::HelpTopics,      Menu::Help, true, TAVRIN_TEXT("menu", "ﾄﾋﾟｯｸの検索(&H)"), "F1", Toolbar::Main, 18, TAVRIN_TEXT("menu", "ヘルプ"), true, false, false, false},
    {Command::About,           Menu::Help, true, TAVRIN_TEXT("menu", "ﾊﾞｰｼﾞｮﾝ情報(&A)"), "", Toolbar::None, 0, kNoText, true, false, false, true},
    {Command::MirrorTopBottom, Menu::Edit, false, TAVRIN_TEXT("menu", "上下反転(&V)"), "", Toolbar::Board, 2, TAVRIN_TEXT("menu", "上下反転"), true, false, false, false},
    {Command::MirrorLeftRight, Menu::Edit, false, TAVRIN_TEXT("menu", "左右反転(&H)"), "", Toolbar::Board, 3, TAVRIN_TEXT("menu", "左右反転"), true, false, false, false},
    {Command::TurnLeft,        Menu::Edit, false, TAVRIN_TEXT("menu", "左90度回転(&L)"), "", Toolbar::Board, 5, TAVRIN_TEXT("menu", "左90度回転"), true, false, false, false},
    {Command::TurnRight,       Menu::Edit, false, TAVRIN_TEXT("menu", "右90度回転(&R)"), "", Toolbar::Board, 6, TAVRIN_TEXT("menu", "右90度回転"), true, false, false, false},
    {Command::ShiftLeft,       Menu::Edit, false, TAVRIN_TEXT("menu", "左にシフト(&A)"), "", Toolbar::Board, 8, TAVRIN_TEXT("menu", "左にシフト"), true, false, false, false},
    {Command::ShiftUp,         Menu::Edit, false, TAVRIN_TEXT("menu", "上にシフト(&W)"), "", Toolbar::Board, 9, TAVRIN_TEXT("menu", "上にシフト"), true, false, false, false},
    {Command::ShiftDown,       Menu::Edit, false, TAVRIN_TEXT("menu", "下にシフト(&S)"), "", Toolbar::Board, 10, TAVRIN_TEXT("menu", "下にシフト"), true, false, false, false},
    {Command::ShiftRight,      Menu::Edit, false, TAVRIN_TEXT("menu", "右にシフト(&D)"), "", Toolbar::Board, 11, TAVRIN_TEXT("menu", "右にシフト"), true, false, false, false},
    {Command::Hint,            Menu::Game, true, TAVRIN_TEXT("menu", "ヒント(&I)"), "F3", Toolbar::Main, 20, TAVRIN_TEXT("menu", "ヒント"), false, false, false, true},
    {Command::FreshSeries,     Menu::Game, true, TAVRIN_TEXT("menu", "おまかせ問題(&R)"), "", Toolbar::None, 0, kNoText, true, false, false, true},
    {Command::DailySeries,     Menu::Game, true, TAVRIN_TEXT("menu", "今日の問題(&D)"), "", Toolbar::None, 0, kNoText, true, false, false, false},
    {Command::ScoreServer,     Menu::Options, true, TAVRIN_TEXT("menu", "ハイスコア登録先(&R)..."), "", Toolbar::None, 0, kNoText, true, false, false, true},
    {Command::DailyGame,       Menu::Game, true, TAVRIN_TEXT("menu", "今日の一局(&Y)"), "", Toolbar::None, 0, kNoText, true, false, false, false},
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

const std::array<CommandInfo, kCommandCount>& commandTable()
{
    return kTable;
}

const CommandInfo& commandInfo(Command command)
{
    // Every window checks the numbers it turns into commands; a value outside
    // the enum is a fault in the program itself.
    const auto i = static_cast<std::size_t>(command);
    if (i >= kTable.size()) {
        std::abort();
    }
    return kTable[i];
}

std::vector<Command> menuItems(Menu menu)
{
    std::vector<Command> items;
    for (const CommandInfo& info : kTable) {
        if (info.menu != menu || !info.inMenu || info.command == Command::Exit
            || info.command == Command::DailyGame) {
            continue;
        }
        items.push_back(info.command);
        if (info.command == Command::NewGame) {
            items.push_back(Command::DailyGame);
        }
    }
    if (kTable[static_cast<std::size_t>(Command::Exit)].menu == menu) {
        items.push_back(Command::Exit);
    }
    return items;
}

Phrase menuCaption(Menu menu)
{
    switch (menu) {
    case Menu::Game: return TAVRIN_TEXT("menu", "ｹﾞｰﾑ(&G)");
    case Menu::Edit: return TAVRIN_TEXT("menu", "編集(&E)");
    case Menu::Options: return TAVRIN_TEXT("menu", "ｵﾌﾟｼｮﾝ(&O)");
    case Menu::Help: return TAVRIN_TEXT("menu", "ﾍﾙﾌﾟ(&H)");
    }
    return kNoText;
}

} // namespace tavrin::game
