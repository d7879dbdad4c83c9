// The commands of the menus and toolbars, and the menus they sit in.
#pragma once

namespace tavrin::game {

// One identity per menu item and toolbar button pair. Enabling or checking a
// command always sets both its menu item and its button (when it has both).
// The numbers are what the page and the tests see: new commands go at the end.
enum class Command {
    // Game menu "ｹﾞｰﾑ(&G)"
    NewGame,         // "新規ゲーム(&N)" F2; main toolbar button 1
    Open,            // "開く(&O)..."; button 2
    GameSeparator,   // "-": only its visibility changes
    Save,            // "上書き保存(&S)"; button 7 "問題の上書き保存"
    SaveAs,          // "名前を付けて保存(&A)"
    HighScores,      // "ﾊｲｽｺｱ(&H)"; button 17 "ハイスコア"
    ClearHighScores, // "ﾊｲｽｺｱのｸﾘｱ(&C)"
    ResetTheme,      // "ｴｺ・ﾃｰﾏの初期化(&T)"
    Exit,            // "終了(&X)" / "閉じる(&C)" / "中断(&P)"
    // Edit menu "編集(&E)"
    Undo,   // "元に戻す(&U)"; button 8
    Cut,    // "切り取り(&T)"; button 3
    Copy,   // "コピー(&C)"; button 4
    Paste,  // "貼り付け(&P)"; button 5
    Delete, // "削除(&D)"; button 6 "問題の削除"
    // Options menu "ｵﾌﾟｼｮﾝ(&O)"
    SoundOn,        // "音あり(&E)"
    SoundOff,       // "音なし(&S)"
    EcoMode,        // "エコモード(&O)"; button 10
    FullConnection, // "全結合モード(&C)"; button 11
    BigLoop,        // "大ループモード(&L)"; button 12
    EditMode,       // "編集モード(&E)"; button 14
    PlayMode,       // "プレーモード(&P)"; button 15
    CreateTheme,    // "エコ・テーマの作成(&M)..."
    DefaultTheme,   // "デフォルトのエコ・テーマに戻す(&D)"
    // Help menu "ﾍﾙﾌﾟ(&H)"
    HelpTopics, // "ﾄﾋﾟｯｸの検索(&H)" F1; button 18 "ヘルプ"
    About,      // "ﾊﾞｰｼﾞｮﾝ情報(&A)"
    // The board-editing toolbar (buttons only, also in the Edit menu's board submenu)
    MirrorTopBottom, // button 2 "上下反転"
    MirrorLeftRight, // button 3 "左右反転"
    TurnLeft,        // button 5 "左90度回転"
    TurnRight,       // button 6 "右90度回転"
    ShiftLeft,       // button 8 "左にシフト"
    ShiftUp,         // button 9 "上にシフト"
    ShiftDown,       // button 10 "下にシフト"
    ShiftRight,      // button 11 "右にシフト"
    // Added to the Game menu, before the exit item, and to the main toolbar
    // after its last button.
    Hint, // "ヒント(&I)" F3; main toolbar button 20 "ヒント"
    // Added to the Game menu, before the exit item: series the game makes.
    FreshSeries, // "おまかせ問題(&R)": 10 new puzzles of rising grade
    DailySeries, // "今日の問題(&D)": the 10 puzzles of today's date
    // Added to the Options menu: where the registration pages post to.
    ScoreServer, // "ハイスコア登録先(&R)..."
    // Added to the Game menu, beside the new game: the free game of today's
    // date, the same for every player.
    DailyGame, // "今日の一局(&Y)"
};
inline constexpr int kCommandCount = static_cast<int>(Command::DailyGame) + 1;

// Whole menus whose enabled state is set at once.
enum class Menu { Game, Edit, Options, Help };
inline constexpr int kMenuCount = 4;

// Where a command came from: the guard differs for menu items and buttons.
enum class Source { Menu, Toolbar };

} // namespace tavrin::game
