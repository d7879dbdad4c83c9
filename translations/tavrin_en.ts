<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>app</name>
    <message>
        <source>ハイスコア登録先のアドレス（%1）が正しくありません。</source>
        <translation>The high-score server address (%1) is not valid.</translation>
    </message>
    <message>
        <source>ハイスコア登録先（%1）に接続できませんでした。</source>
        <translation>Could not reach the high-score server (%1).</translation>
    </message>
    <message>
        <source>ハイスコア登録先の答えを読めませんでした（%1）。</source>
        <translation>Could not read the high-score server's answer (%1).</translation>
    </message>
    <message>
        <source>問題ファイルを開けません：編集モード中です。</source>
        <translation>Cannot open the puzzle file: the editor is open.</translation>
    </message>
    <message>
        <source>問題ファイルを開けません：問題に挑戦中です。</source>
        <translation>Cannot open the puzzle file: a series is being played.</translation>
    </message>
    <message>
        <source>問題ファイルを開けません：ダイアログを閉じてから開いてください。</source>
        <translation>Cannot open the puzzle file: close the open dialog first.</translation>
    </message>
    <message>
        <source>問題ファイルを開けません：ファイルが見つかりません。</source>
        <translation>Cannot open the puzzle file: the file was not found.</translation>
    </message>
    <message>
        <source>問題ファイルを開けません：問題ファイル(KEMファイル)ではありません。</source>
        <translation>Cannot open the puzzle file: it is not a puzzle file (KEM file).</translation>
    </message>
    <message>
        <source>ビットマップ (*.bmp)</source>
        <translation>Bitmaps (*.bmp)</translation>
    </message>
    <message>
        <source>全てのファイル (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>問題のﾛｰﾄﾞ</source>
        <translation>Open Puzzle File</translation>
    </message>
    <message>
        <source>Tavrin 問題(*.kem)</source>
        <translation>Tavrin puzzles (*.kem)</translation>
    </message>
    <message>
        <source>名前をつけて問題の保存</source>
        <translation>Save Puzzle File As</translation>
    </message>
    <message>
        <source>Tavrin問題(*.kem)</source>
        <translation>Tavrin puzzles (*.kem)</translation>
    </message>
    <message>
        <source>全てのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>ハイスコア登録用のページを書き込めませんでした。</source>
        <translation>Could not write the high-score registration page.</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Tavrin</translation>
    </message>
    <message>
        <source>Tavrin for Windowsを終了するとこれまでの変更内容が破棄されますが、よろしいですか？</source>
        <translation>Quitting Tavrin for Windows will discard your changes. Quit anyway?</translation>
    </message>
    <message>
        <source>Tavrin for Windows ヘルプ</source>
        <translation>Tavrin for Windows Help</translation>
    </message>
    <message>
        <source>ヘルプファイルが見つかりません。</source>
        <translation>The help pages cannot be found.</translation>
    </message>
    <message>
        <source>Tavrin for Windows
バージョン %1</source>
        <translation>Tavrin for Windows
Version %1</translation>
    </message>
    <message>
        <source>すでにTavrin for Windowsが起動されています。</source>
        <translation>Tavrin for Windows is already running.</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>通常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>使い方: tavrin [--lang ja|en] [問題ファイル.kem]

問題ファイルを指定すると、その問題に順に挑戦するモードで起動します。
指定しないときはフリーゲームを始めます。
すでに起動しているときは、指定した問題ファイルを起動中のTavrinで開きます。

オプション:
  -h, --help        この説明を表示して終了します。
      --version     バージョンを表示して終了します。
      --lang ja|en  今回だけ日本語（ja）か英語（en）で表示します。
</source>
        <translation>Usage: tavrin [--lang ja|en] [PUZZLE-FILE.kem]

With a puzzle file, the game starts by playing its puzzles one after another.
Without one, it starts a free game.
When the game is already running, it opens the puzzle file there.

Options:
  -h, --help        show this help and exit
      --version     show the version and exit
      --lang ja|en  show the game in Japanese (ja) or English (en) this time
</translation>
    </message>
    <message>
        <source>%1は大きすぎるか通常のファイルではないため、読み込まずに起動しました。設定とハイスコアは保存されません。</source>
        <translation>%1 is too large or not a regular file, so the game started without reading it. Settings and high scores will not be kept.</translation>
    </message>
    <message>
        <source>%1に書き込めないため、設定とハイスコアは保存されません。このまま遊ぶことはできます。</source>
        <translation>%1 cannot be written to, so settings and high scores will not be kept. You can still play.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>読み込めなくなった画像の代わりに標準の画像を使います：%1</source>
        <translation>These pictures no longer load; the built-in ones are used instead: %1</translation>
    </message>
    <message>
        <source>%1
%2</source>
        <translation>%1
%2</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>ハイスコア登録用のページを書き出しました：%1</source>
        <translation>High-score registration page written: %1</translation>
    </message>
    <message>
        <source>ハイスコア登録先</source>
        <translation>High-Score Server</translation>
    </message>
    <message>
        <source>ハイスコア登録用のページが送り先にするスコアサーバーのアドレス(&amp;A)：</source>
        <translation>&amp;Address of the score server the registration pages post to:</translation>
    </message>
    <message>
        <source>空欄のときは、このコンピューターで動くtavrin-scores（%1）に送ります。次に書き出すページから使われます。</source>
        <translation>Left empty, the pages post to tavrin-scores on this computer (%1). The next page written uses the address.</translation>
    </message>
    <message>
        <source>http:// か https:// で始まり、空白や引用符を含まないアドレスを入力してください。</source>
        <translation>Enter an address that starts with http:// or https:// and holds no blanks or quotes.</translation>
    </message>
</context>
<context>
    <name>engine</name>
    <message>
        <source>全てのハイパーロードをつなげてください。現在のグループ数：%1</source>
        <translation>Connect all the hyper roads. Groups now: %1</translation>
    </message>
    <message>
        <source>ループ点を増やしてください。現在のループ点：%1</source>
        <translation>Raise the loop points. Loop points now: %1</translation>
    </message>
    <message>
        <source>全てのハイパーロードがつながるようにしてください。</source>
        <translation>Connect all the hyper roads into one group.</translation>
    </message>
    <message>
        <source>ループ点を増やしてください。</source>
        <translation>Raise the loop points.</translation>
    </message>
    <message>
        <source>やった！クリアだ</source>
        <translation>Well done! Cleared!</translation>
    </message>
    <message>
        <source>ハイパーロードを２つ以上のグループに分けて設置してください。</source>
        <translation>Lay out the hyper roads in two or more groups.</translation>
    </message>
    <message>
        <source>まずループ点が0より大きくなるようにしてください。</source>
        <translation>First make the loop points greater than 0.</translation>
    </message>
    <message>
        <source>水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。</source>
        <translation>Link water, sprouts and sun with hyper roads and turn the whole land green.</translation>
    </message>
    <message>
        <source>現在のループ点%1よりループ点を減らしてください。</source>
        <translation>Lower the loop points below the current %1.</translation>
    </message>
    <message>
        <source>残り手数が%1手戻されました！</source>
        <translation>%1 moves given back!</translation>
    </message>
    <message>
        <source>エコ点</source>
        <translation>Eco points</translation>
    </message>
    <message>
        <source>残り手数</source>
        <translation>Moves left</translation>
    </message>
    <message>
        <source>総合得点</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>ループ点</source>
        <translation>Loop points</translation>
    </message>
    <message>
        <source>連続得点</source>
        <translation>Chain</translation>
    </message>
</context>
<context>
    <name>game</name>
    <message>
        <source>今日の一局（%1）　%2</source>
        <translation>Today's game (%1)   %2</translation>
    </message>
    <message>
        <source>問題</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>ミス</source>
        <translation>Misses</translation>
    </message>
    <message>
        <source>グループ数</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>超える点</source>
        <translation>To beat</translation>
    </message>
    <message>
        <source>全%1問を解きました。ミスは%2回でした。</source>
        <translation>All %1 puzzles solved, with %2 misses.</translation>
    </message>
    <message>
        <source>おまかせ問題</source>
        <translation>Generated Puzzles</translation>
    </message>
    <message>
        <source>今日の問題 %1</source>
        <translation>Daily Puzzles %1</translation>
    </message>
    <message>
        <source>難易度０ %1</source>
        <translation>Grade 0 %1</translation>
    </message>
    <message>
        <source>難易度１ %1</source>
        <translation>Grade 1 %1</translation>
    </message>
    <message>
        <source>難易度２ %1</source>
        <translation>Grade 2 %1</translation>
    </message>
    <message>
        <source>難易度３ %1</source>
        <translation>Grade 3 %1</translation>
    </message>
    <message>
        <source>難易度４ %1</source>
        <translation>Grade 4 %1</translation>
    </message>
    <message>
        <source>難易度５ %1</source>
        <translation>Grade 5 %1</translation>
    </message>
    <message>
        <source>この問題には既にゲームモードが指定されています。
続行するとゲームモードは取り消されますがよろしいですか？</source>
        <translation>This puzzle already has a game mode.
Continuing removes it. Continue?</translation>
    </message>
    <message>
        <source>何かこの問題のコメントを書いてください。</source>
        <translation>Write a comment for this puzzle.</translation>
    </message>
    <message>
        <source>目標は達成されました。

エコ点：		%1
ループ点：		%2
ボーナス点：	%3
総合得点：		%4</source>
        <translation>Goal reached.

Eco points:		%1
Loop points:		%2
Bonus:		%3
Total:		%4</translation>
    </message>
    <message>
        <source>残念！%1手以内で全てのハイパーロードをつなげることができませんでした。
今回の得点は残念ですが、ハイスコアの対象になりません。</source>
        <translation>Too bad! The hyper roads were not all connected within %1 moves.
Sorry, this score does not count for the high scores.</translation>
    </message>
    <message>
        <source>%1手以内で目標を達成することができませんでした。
今回の得点はハイスコアの対象になりません。</source>
        <translation>The goal was not reached within %1 moves.
This score does not count for the high scores.</translation>
    </message>
    <message>
        <source>同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。</source>
        <translation>A hyper road cannot be laid on one of the same shape.</translation>
    </message>
    <message>
        <source>新規ゲームで遊ぶにはF2キーを押してください。</source>
        <translation>Press F2 to play a new game.</translation>
    </message>
    <message>
        <source>最小ループ長：%1</source>
        <translation>Shortest loop: %1</translation>
    </message>
    <message>
        <source>現在ゲームモードの設定途中です。
続行するとこれまでの操作が取り消されますがよろしいですか？</source>
        <translation>A game mode is being set.
Continuing undoes what you have done so far. Continue?</translation>
    </message>
    <message>
        <source>続行するとこれまでの変更内容が破棄されますが、よろしいですか？</source>
        <translation>Continuing discards your changes. Continue?</translation>
    </message>
    <message>
        <source>ヒント：置ける場所がありません。</source>
        <translation>Hint: there is nowhere to lay this piece.</translation>
    </message>
    <message>
        <source>ヒント：上から%1行目・左から%2列目に置くと、エコ点とループ点の合計は%3点です。</source>
        <translation>Hint: row %1, column %2 makes %3 eco and loop points in all.</translation>
    </message>
    <message>
        <source>前回のゲームの保存ファイルを読み込めませんでした。新しいゲームを始めます。</source>
        <translation>Could not read the file of the last game. A new game starts.</translation>
    </message>
    <message>
        <source>前回のゲームの保存ファイルがTavrinのものではありません。新しいゲームを始めます。</source>
        <translation>The file of the last game is not one of Tavrin&apos;s. A new game starts.</translation>
    </message>
    <message>
        <source>前回のゲームは新しいバージョンのTavrinで保存されています。新しいゲームを始めます。</source>
        <translation>The last game was saved by a newer version of Tavrin. A new game starts.</translation>
    </message>
    <message>
        <source>前回のゲームの保存ファイルが途中で切れています。新しいゲームを始めます。</source>
        <translation>The file of the last game is cut short. A new game starts.</translation>
    </message>
    <message>
        <source>前回のゲームの保存ファイルが壊れています。新しいゲームを始めます。</source>
        <translation>The file of the last game is damaged. A new game starts.</translation>
    </message>
    <message>
        <source>アイテムの画像が前回のゲームと合いません。新しいゲームを始めます。</source>
        <translation>The item picture does not fit the last game. A new game starts.</translation>
    </message>
    <message>
        <source>ゲームを保存できませんでした。</source>
        <translation>Could not save the game.</translation>
    </message>
    <message>
        <source>ヒント：得点の増える場所はなし。上から%1行目・左から%2列目で道がアイテムに近づきます。</source>
        <translation>Hint: nothing scores yet; row %1, column %2 brings the roads nearer the items.</translation>
    </message>
</context>
<context>
    <name>graphics</name>
    <message>
        <source>開きたいファイルの種類を選択してOKを押してください。</source>
        <translation>Choose the kind of file to open and press OK.</translation>
    </message>
    <message>
        <source>%1(BMPファイル)</source>
        <translation>%1 (BMP file)</translation>
    </message>
    <message>
        <source>問題ファイル(KEMファイル)</source>
        <translation>Puzzle file (KEM file)</translation>
    </message>
    <message>
        <source>エコ・テーマ(KETファイル)</source>
        <translation>Eco theme (KET file)</translation>
    </message>
    <message>
        <source>画像ファイルの個別変更</source>
        <translation>Replace one picture</translation>
    </message>
    <message>
        <source>ハイパーロード</source>
        <translation>Hyper-road sheet</translation>
    </message>
    <message>
        <source>通常の背景</source>
        <translation>Normal background</translation>
    </message>
    <message>
        <source>目標達成時の背景</source>
        <translation>Goal-reached background</translation>
    </message>
    <message>
        <source>アイテム</source>
        <translation>Item picture</translation>
    </message>
    <message>
        <source>ファイルがビットマップ形式ではありません。</source>
        <translation>The file is not a bitmap.</translation>
    </message>
    <message>
        <source>ビットマップのファイルが352x128ピクセルでないため、
ハイパーロードとして使用できませんでした。</source>
        <translation>The bitmap is not 352x128 pixels,
so it cannot be used as the hyper-road sheet.</translation>
    </message>
    <message>
        <source>ビットマップのファイルが32 * (2～5) x64ピクセルでないため、
アイテムとして使用できませんでした。</source>
        <translation>The bitmap is not 32 * (2-5) x 64 pixels,
so it cannot be used as the item picture.</translation>
    </message>
    <message>
        <source>ハイパーロードのﾛｰﾄﾞ</source>
        <translation>Load Hyper-Road Sheet</translation>
    </message>
    <message>
        <source>通常の背景のﾛｰﾄﾞ</source>
        <translation>Load Normal Background</translation>
    </message>
    <message>
        <source>目標達成後の背景のﾛｰﾄﾞ</source>
        <translation>Load Goal-Reached Background</translation>
    </message>
    <message>
        <source>アイテムのﾛｰﾄﾞ</source>
        <translation>Load Item Picture</translation>
    </message>
    <message>
        <source>新しいアイテムをロードすると現在のプレーモードでのゲームを中断されますがよいですか？</source>
        <translation>Loading new items ends the current game in play mode. Continue?</translation>
    </message>
    <message>
        <source>新しいアイテムをロードすると現在のゲームを中断されますがよいですか？</source>
        <translation>Loading new items ends the current game. Continue?</translation>
    </message>
    <message>
        <source>新しいアイテムをロードすると現在のプレーモードでのゲームは中断されますがよいですか？</source>
        <translation>Loading new items ends the current game in play mode. Continue?</translation>
    </message>
    <message>
        <source>新しいアイテムをロードすると現在のゲームは中断されますがよいですか？</source>
        <translation>Loading new items ends the current game. Continue?</translation>
    </message>
    <message>
        <source>エコ・テーマの読み込みに失敗しました。</source>
        <translation>Could not load the eco theme.</translation>
    </message>
    <message>
        <source>%1を読み込むことができませんでした。</source>
        <translation>Could not read %1.</translation>
    </message>
    <message>
        <source>何かエコ・テーマの目標を入力してください。</source>
        <translation>Enter a goal for the eco theme.</translation>
    </message>
    <message>
        <source>エコ・テーマのロード</source>
        <translation>Load Eco Theme</translation>
    </message>
    <message>
        <source>名前をつけてエコ・テーマの保存</source>
        <translation>Save Eco Theme As</translation>
    </message>
    <message>
        <source>エコ・テーマ(*.ket)</source>
        <translation>Eco themes (*.ket)</translation>
    </message>
    <message>
        <source>全てのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>%1を開いています...</source>
        <translation>Opening %1...</translation>
    </message>
    <message>
        <source>%1を登録しています...</source>
        <translation>Applying %1...</translation>
    </message>
    <message>
        <source>%1をゲーム(G)+開く(O)...で読み込んでください。</source>
        <translation>%1: load it with Game (G) + Open (O)... first.</translation>
    </message>
    <message>
        <source>%1を読み込んでいます...</source>
        <translation>Reading %1...</translation>
    </message>
    <message>
        <source>%1に書き込むことができませんでした。</source>
        <translation>Could not write %1.</translation>
    </message>
</context>
<context>
    <name>menu</name>
    <message>
        <source>今日の一局(&amp;Y)</source>
        <translation>Toda&amp;y's Game</translation>
    </message>
    <message>
        <source>新規ゲーム(&amp;N)</source>
        <translation>&amp;New Game</translation>
    </message>
    <message>
        <source>新規ゲーム</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>問題の上書き保存</source>
        <translation>Save puzzle file</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>ﾊｲｽｺｱ(&amp;H)</source>
        <translation>&amp;High Scores</translation>
    </message>
    <message>
        <source>ハイスコア</source>
        <translation>High scores</translation>
    </message>
    <message>
        <source>ﾊｲｽｺｱのｸﾘｱ(&amp;C)</source>
        <translation>Clea&amp;r High Scores</translation>
    </message>
    <message>
        <source>ｴｺ・ﾃｰﾏの初期化(&amp;T)</source>
        <translation>Reset Eco &amp;Theme</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>問題の削除</source>
        <translation>Delete puzzle</translation>
    </message>
    <message>
        <source>音あり(&amp;E)</source>
        <translation>Sound &amp;On</translation>
    </message>
    <message>
        <source>音なし(&amp;S)</source>
        <translation>Sound O&amp;ff</translation>
    </message>
    <message>
        <source>エコモード(&amp;O)</source>
        <translation>&amp;Eco Mode</translation>
    </message>
    <message>
        <source>エコモード</source>
        <translation>Eco mode</translation>
    </message>
    <message>
        <source>全結合モード(&amp;C)</source>
        <translation>Full &amp;Connection Mode</translation>
    </message>
    <message>
        <source>全結合モード</source>
        <translation>Full connection mode</translation>
    </message>
    <message>
        <source>大ループモード(&amp;L)</source>
        <translation>Big &amp;Loop Mode</translation>
    </message>
    <message>
        <source>大ループモード</source>
        <translation>Big loop mode</translation>
    </message>
    <message>
        <source>編集モード(&amp;E)</source>
        <translation>Edi&amp;t Mode</translation>
    </message>
    <message>
        <source>編集モード</source>
        <translation>Edit mode</translation>
    </message>
    <message>
        <source>プレーモード(&amp;P)</source>
        <translation>&amp;Play Mode</translation>
    </message>
    <message>
        <source>プレーモード</source>
        <translation>Play mode</translation>
    </message>
    <message>
        <source>エコ・テーマの作成(&amp;M)...</source>
        <translation>&amp;Make Eco Theme...</translation>
    </message>
    <message>
        <source>デフォルトのエコ・テーマに戻す(&amp;D)</source>
        <translation>Back to &amp;Default Eco Theme</translation>
    </message>
    <message>
        <source>ﾄﾋﾟｯｸの検索(&amp;H)</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)</source>
        <translation>&amp;About Tavrin</translation>
    </message>
    <message>
        <source>上下反転(&amp;V)</source>
        <translation>Flip &amp;Vertically</translation>
    </message>
    <message>
        <source>上下反転</source>
        <translation>Flip vertically</translation>
    </message>
    <message>
        <source>左右反転(&amp;H)</source>
        <translation>Flip &amp;Horizontally</translation>
    </message>
    <message>
        <source>左右反転</source>
        <translation>Flip horizontally</translation>
    </message>
    <message>
        <source>左90度回転(&amp;L)</source>
        <translation>Rotate 90° &amp;Left</translation>
    </message>
    <message>
        <source>左90度回転</source>
        <translation>Rotate 90° left</translation>
    </message>
    <message>
        <source>右90度回転(&amp;R)</source>
        <translation>Rotate 90° &amp;Right</translation>
    </message>
    <message>
        <source>右90度回転</source>
        <translation>Rotate 90° right</translation>
    </message>
    <message>
        <source>左にシフト(&amp;A)</source>
        <translation>Shift Left (&amp;A)</translation>
    </message>
    <message>
        <source>左にシフト</source>
        <translation>Shift left</translation>
    </message>
    <message>
        <source>上にシフト(&amp;W)</source>
        <translation>Shift Up (&amp;W)</translation>
    </message>
    <message>
        <source>上にシフト</source>
        <translation>Shift up</translation>
    </message>
    <message>
        <source>下にシフト(&amp;S)</source>
        <translation>Shift Down (&amp;S)</translation>
    </message>
    <message>
        <source>下にシフト</source>
        <translation>Shift down</translation>
    </message>
    <message>
        <source>右にシフト(&amp;D)</source>
        <translation>Shift Right (&amp;D)</translation>
    </message>
    <message>
        <source>右にシフト</source>
        <translation>Shift right</translation>
    </message>
    <message>
        <source>ヒント(&amp;I)</source>
        <translation>H&amp;int</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>ｹﾞｰﾑ(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>盤の変形(&amp;B)</source>
        <translation>Transform &amp;Board</translation>
    </message>
    <message>
        <source>表示倍率(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>新規問題(&amp;N)</source>
        <translation>&amp;New Puzzle</translation>
    </message>
    <message>
        <source>新規問題の作成</source>
        <translation>New puzzle</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>中断(&amp;P)</source>
        <translation>Sto&amp;p</translation>
    </message>
    <message>
        <source>おまかせ問題(&amp;R)</source>
        <translation>&amp;Generated Puzzles</translation>
    </message>
    <message>
        <source>今日の問題(&amp;D)</source>
        <translation>&amp;Daily Puzzles</translation>
    </message>
    <message>
        <source>ハイスコア登録先(&amp;R)...</source>
        <translation>High-Score &amp;Server...</translation>
    </message>
    <message>
        <source>言語 / Language(&amp;G)</source>
        <translation>言語 / Lan&amp;guage</translation>
    </message>
</context>
<context>
    <name>puzzles</name>
    <message>
        <source>一つの問題ファイルに64問までしか保存できません。</source>
        <translation>A puzzle file holds at most 64 puzzles.</translation>
    </message>
    <message>
        <source>Tavrinの問題ファイルのファイル形式ではありません。</source>
        <translation>This is not a Tavrin puzzle file.</translation>
    </message>
    <message>
        <source>保存する前に全ての問題のゲームモードをつける必要があります。</source>
        <translation>Give every puzzle a game mode before saving.</translation>
    </message>
    <message>
        <source>%1を読み込むことができませんでした。</source>
        <translation>Could not read %1.</translation>
    </message>
    <message>
        <source>%1に保存することができませんでした。</source>
        <translation>Could not save to %1.</translation>
    </message>
    <message>
        <source>%1 - Tavrin for Windows[編集]</source>
        <translation>%1 - Tavrin for Windows [Edit]</translation>
    </message>
    <message>
        <source>%1 - Tavrin for Windows[実行]</source>
        <translation>%1 - Tavrin for Windows [Play]</translation>
    </message>
</context>
<context>
    <name>scores</name>
    <message>
        <source>ランキングに登録</source>
        <translation>Register in the ranking</translation>
    </message>
    <message>
        <source>数字はミスの回数です。少ないほど上位です。</source>
        <translation>The numbers are misses: fewer is better.</translation>
    </message>
    <message>
        <source>あなたはアイテム %1種類での%2位になりました。
名前を入力してください。</source>
        <translation>You took place %2 with %1 kinds of items.
Please enter your name.</translation>
    </message>
    <message>
        <source>あなたは&quot;%1&quot;での%2位になりました。
名前を入力してください。</source>
        <translation>You took place %2 in &quot;%1&quot;.
Please enter your name.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;のハイスコアを消去してもよいですか？</source>
        <translation>Clear the high scores of &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>Tavrinのﾊｲｽｺｱ アイテム %1</source>
        <translation>Tavrin High Scores - %1 items</translation>
    </message>
    <message>
        <source>%1 - Tavrinのﾊｲｽｺｱ</source>
        <translation>%1 - Tavrin High Scores</translation>
    </message>
    <message>
        <source>エコモードのハイスコアを消去してもよいですか？</source>
        <translation>Clear the eco mode high scores?</translation>
    </message>
    <message>
        <source>ハイスコア登録</source>
        <translation>Register High Score</translation>
    </message>
    <message>
        <source>クリップボードへコピー</source>
        <translation>Copy to Clipboard</translation>
    </message>
    <message>
        <source>Tavrin for Windows(アイテム%1)ハイスコア報告です。
%2</source>
        <translation>Tavrin for Windows high scores (%1 items)
%2</translation>
    </message>
    <message>
        <source>ハイスコアを保存できませんでした。この記録はゲームを終了すると消えます。</source>
        <translation>The high score could not be saved. This entry will be gone when the game ends.</translation>
    </message>
</context>
<context>
    <name>web</name>
    <message>
        <source>ランキングに登録できませんでした。サーバーにつながりません。</source>
        <translation>Could not register in the ranking: the server cannot be reached.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>English</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>このブラウザーには保存できないため、ハイスコアとゲームは残りません。このまま遊ぶことはできます。</source>
        <translation>This browser does not let the page store anything, so high scores and the game will not be kept. You can still play.</translation>
    </message>
    <message>
        <source>問題ファイルを開く</source>
        <translation>Open a Puzzle File</translation>
    </message>
    <message>
        <source>この端末のファイル...</source>
        <translation>A file on this device...</translation>
    </message>
    <message>
        <source>問題ファイル(*.kem)をここにドロップしても開けます。</source>
        <translation>You can also drop a puzzle file (*.kem) here.</translation>
    </message>
    <message>
        <source>ブラウザー版には問題の編集とエコ・テーマはありません。デスクトップ版でお使いください。</source>
        <translation>The browser version has no puzzle editor and no eco themes: use the desktop version for those.</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ゴミ箱</source>
        <translation>Trash</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした。ネットワークにつながっているか確かめてください。</source>
        <translation>The file could not be read. Check that the device is online.</translation>
    </message>
</context>
</TS>
