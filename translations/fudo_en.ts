<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Menu</name>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>対局(人間)</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>対局(COM)</source>
        <translation>Against the computer</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>Play first</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Play second</translation>
    </message>
    <message>
        <source>COM対局ﾚﾍﾞﾙ</source>
        <translation>Computer level</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>局面</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>最初</source>
        <translation>Back to the start</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Turn the board</translation>
    </message>
    <message>
        <source>戻</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>読込</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>書込</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>背景画</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>畳</source>
        <translation>Tatami</translation>
    </message>
    <message>
        <source>竹</source>
        <translation>Bamboo</translation>
    </message>
    <message>
        <source>宇宙</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>煉瓦</source>
        <translation>Brick</translation>
    </message>
    <message>
        <source>移動指導</source>
        <translation>Move guidance</translation>
    </message>
    <message>
        <source>経過時間</source>
        <translation>Elapsed time</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>About</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>不動将棋</source>
        <translation>Fudō Shogi</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名 ：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>後    手 ：</source>
        <translation>Second:</translation>
    </message>
    <message>
        <source>先    手 ：</source>
        <translation>First:</translation>
    </message>
    <message>
        <source>対 局 名：</source>
        <translation>Game:</translation>
    </message>
    <message>
        <source>─  対 局 中  ─</source>
        <translation>─  IN PLAY  ─</translation>
    </message>
    <message>
        <source>─  終 局  ─</source>
        <translation>─  GAME OVER  ─</translation>
    </message>
    <message>
        <source>先手の番です</source>
        <translation>The first player to move</translation>
    </message>
    <message>
        <source>後手の番です</source>
        <translation>The second player to move</translation>
    </message>
    <message>
        <source>MANの番です</source>
        <translation>Your move</translation>
    </message>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>OKですか？</source>
        <translation>Ready?</translation>
    </message>
    <message>
        <source>再開(COM)</source>
        <translation>Resume against the computer</translation>
    </message>
    <message>
        <source>マウスの右をクリックして下さい</source>
        <translation>Click with the right mouse button to promote</translation>
    </message>
    <message>
        <source>成り</source>
        <translation>Promotion</translation>
    </message>
    <message>
        <source>棋譜を '進 'で進めて下さい</source>
        <translation>Step through the record with Forward</translation>
    </message>
    <message>
        <source>棋譜の再生を続けますか？</source>
        <translation>Keep stepping through the record?</translation>
    </message>
    <message>
        <source>「対局」で始めて下さい</source>
        <translation>Start a game from the Game menu</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>あなたの勝ちです</source>
        <translation>You win</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀの勝ちです</source>
        <translation>The computer wins</translation>
    </message>
    <message>
        <source>先手の勝ちです</source>
        <translation>The first player wins</translation>
    </message>
    <message>
        <source>後手の勝ちです</source>
        <translation>The second player wins</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>続けますか？</source>
        <translation>Continue?</translation>
    </message>
    <message>
        <source>再ゲーム</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>500手に達したので引き分けです</source>
        <translation>500 moves reached: the game is a draw</translation>
    </message>
    <message>
        <source>よし！!</source>
        <translation>Checkmate: your king will be taken</translation>
    </message>
    <message>
        <source>詰め ?</source>
        <translation>Checkmate?</translation>
    </message>
    <message>
        <source>** 王手 **</source>
        <translation>** Check **</translation>
    </message>
    <message>
        <source>思考中</source>
        <translation>Thinking</translation>
    </message>
    <message>
        <source>手目</source>
        <translation> moves</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人</source>
        <translation>Handicap: Meijin</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段</source>
        <translation>Handicap: 8-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段</source>
        <translation>Handicap: 7-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段</source>
        <translation>Handicap: 6-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段</source>
        <translation>Handicap: 5-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段</source>
        <translation>Handicap: 4-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段</source>
        <translation>Handicap: 3-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段</source>
        <translation>Handicap: 2-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段</source>
        <translation>Handicap: 1-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級</source>
        <translation>Handicap: 1-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級</source>
        <translation>Handicap: 2-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級</source>
        <translation>Handicap: 3-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級</source>
        <translation>Handicap: 4-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級</source>
        <translation>Handicap: 5-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級</source>
        <translation>Handicap: 6-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級</source>
        <translation>Handicap: 7-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級</source>
        <translation>Handicap: 8-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級</source>
        <translation>Handicap: 9-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級</source>
        <translation>Handicap: 10-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級</source>
        <translation>Handicap: 11-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級</source>
        <translation>Handicap: 12-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定</source>
        <translation>Handicap</translation>
    </message>
    <message>
        <source>棋譜ﾓｰﾄﾞではできません</source>
        <translation>Not while a record is open</translation>
    </message>
    <message>
        <source>対局途中ではできません</source>
        <translation>Not during a game</translation>
    </message>
    <message>
        <source>反転後ではできません</source>
        <translation>Not after turning the board</translation>
    </message>
    <message>
        <source>局面→最初にして下さい</source>
        <translation>Choose Position → Back to the start first</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>End of the record</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>できません</source>
        <translation>Not possible</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Turn the board</translation>
    </message>
    <message>
        <source>不動将棋 (Fudō Shogi)</source>
        <translation>Fudō Shogi (不動将棋)</translation>
    </message>
    <message>
        <source>バージョン %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>王は動かない将棋：自分の王を動かした方が負けです。</source>
        <translation>Shogi in which a king never moves: whoever moves their own king loses.</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>About</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙを読み込めません</source>
        <translation>Cannot read the record file</translation>
    </message>
    <message>
        <source>棋譜を書き込めませんでした</source>
        <translation>Could not write the record</translation>
    </message>
    <message>
        <source>%1行目</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>%1手目</source>
        <translation>Move %1</translation>
    </message>
    <message>
        <source>指し手の行に半角の数字と空白以外の文字があります</source>
        <translation>A move line holds characters other than digits and blanks</translation>
    </message>
    <message>
        <source>指し手の行は%1文字でなければなりません(%2文字)</source>
        <translation>A move line must be %1 characters long (it has %2)</translation>
    </message>
    <message>
        <source>%1桁目からの欄が数値ではありません</source>
        <translation>The field from column %1 is not a number</translation>
    </message>
    <message>
        <source>移動元が盤の外です</source>
        <translation>The origin is off the board</translation>
    </message>
    <message>
        <source>移動先が盤の外です</source>
        <translation>The destination is off the board</translation>
    </message>
    <message>
        <source>移動元と移動先が同じです</source>
        <translation>The origin and the destination are the same</translation>
    </message>
    <message>
        <source>動かした駒のコード %1 は駒ではありません</source>
        <translation>The moved piece's code %1 is not a piece</translation>
    </message>
    <message>
        <source>移動後の駒のコード %1 が動かした駒と合いません</source>
        <translation>The piece code %1 after the move does not fit the moved piece</translation>
    </message>
    <message>
        <source>成れない位置で成っています</source>
        <translation>A piece promotes where it cannot</translation>
    </message>
    <message>
        <source>取った駒のコード %1 が正しくありません</source>
        <translation>The captured piece's code %1 is wrong</translation>
    </message>
    <message>
        <source>打った駒が持駒台の位置と合いません</source>
        <translation>A dropped piece does not fit its place on the stand</translation>
    </message>
    <message>
        <source>駒を打った升に駒があります</source>
        <translation>A piece is dropped on an occupied square</translation>
    </message>
    <message>
        <source>時間が負の値です</source>
        <translation>A time is negative</translation>
    </message>
    <message>
        <source>座標か駒が正しくありません</source>
        <translation>A square or a piece is wrong</translation>
    </message>
    <message>
        <source>同じ側が続けて指しています</source>
        <translation>The same side moves twice in a row</translation>
    </message>
    <message>
        <source>移動先にある駒が記録と違います</source>
        <translation>The piece on the destination is not the recorded one</translation>
    </message>
    <message>
        <source>持駒にない駒を打っています</source>
        <translation>A piece not in hand is dropped</translation>
    </message>
    <message>
        <source>移動元に動かした駒がありません</source>
        <translation>The moved piece is not on its origin</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>文字でないﾃﾞｰﾀがあります</source>
        <translation>The file holds data that is not text</translation>
    </message>
    <message>
        <source>Shift_JIS の文字ではありません</source>
        <translation>Not Shift_JIS text</translation>
    </message>
    <message>
        <source>指し手が%1手を超えています</source>
        <translation>More than %1 moves</translation>
    </message>
    <message>
        <source>対局名に改行などの制御文字があります</source>
        <translation>The game name holds line breaks or other control characters</translation>
    </message>
    <message>
        <source>上手の名前に改行などの制御文字があります</source>
        <translation>The upper player's name holds line breaks or other control characters</translation>
    </message>
    <message>
        <source>下手の名前に改行などの制御文字があります</source>
        <translation>The lower player's name holds line breaks or other control characters</translation>
    </message>
    <message>
        <source>対局名に Shift_JIS で書けない文字があります</source>
        <translation>The game name holds characters Shift_JIS cannot write</translation>
    </message>
    <message>
        <source>上手の名前に Shift_JIS で書けない文字があります</source>
        <translation>The upper player's name holds characters Shift_JIS cannot write</translation>
    </message>
    <message>
        <source>下手の名前に Shift_JIS で書けない文字があります</source>
        <translation>The lower player's name holds characters Shift_JIS cannot write</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が入力されていません</source>
        <translation>No file name given</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名に「/」「\」は使えません</source>
        <translation>A file name cannot hold “/” or “\”</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名に制御文字は使えません</source>
        <translation>A file name cannot hold control characters</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名の先頭に「.」は使えません</source>
        <translation>A file name cannot start with “.”</translation>
    </message>
    <message>
        <source>棋譜ﾓｰﾄﾞではヒントは出せません</source>
        <translation>No hint while a record is open</translation>
    </message>
    <message>
        <source>対局中ではないのでヒントは出せません</source>
        <translation>No hint outside a game</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀの番です</source>
        <translation>The computer's move</translation>
    </message>
    <message>
        <source>500手に達しています</source>
        <translation>500 moves reached</translation>
    </message>
    <message>
        <source>ヒントを考えています…</source>
        <translation>Looking for a hint…</translation>
    </message>
    <message>
        <source>指せる手がありません</source>
        <translation>No move can be played</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>詰んでいます</source>
        <translation>Checkmated</translation>
    </message>
    <message>
        <source>成香</source>
        <translation>+L</translation>
    </message>
    <message>
        <source>成桂</source>
        <translation>+N</translation>
    </message>
    <message>
        <source>成銀</source>
        <translation>+S</translation>
    </message>
    <message>
        <source>馬</source>
        <translation>+B</translation>
    </message>
    <message>
        <source>龍</source>
        <translation>+R</translation>
    </message>
    <message>
        <source>玉</source>
        <translation>K</translation>
    </message>
    <message>
        <source>SFENをコピーしました</source>
        <translation>SFEN copied</translation>
    </message>
    <message>
        <source>対局は終わりました</source>
        <translation>The game is over</translation>
    </message>
    <message>
        <source>対局を始めて下さい</source>
        <translation>Start a game first</translation>
    </message>
    <message>
        <source>棋譜の再生中です</source>
        <translation>A record is being replayed</translation>
    </message>
    <message>
        <source>相手の駒です</source>
        <translation>That is the other side's piece</translation>
    </message>
    <message>
        <source>そこに駒はありません</source>
        <translation>No piece there</translation>
    </message>
    <message>
        <source>その駒は持っていません</source>
        <translation>You do not hold that piece</translation>
    </message>
    <message>
        <source>駒を選び直して下さい</source>
        <translation>Pick the piece again</translation>
    </message>
    <message>
        <source>同じ桝です</source>
        <translation>The same square</translation>
    </message>
    <message>
        <source>自分の駒があります</source>
        <translation>Your own piece is there</translation>
    </message>
    <message>
        <source>駒の上には打てません</source>
        <translation>A piece cannot be dropped on another</translation>
    </message>
    <message>
        <source>二歩です</source>
        <translation>Two pawns on one file</translation>
    </message>
    <message>
        <source>行き所のない駒は打てません</source>
        <translation>A piece cannot be dropped where it could never move</translation>
    </message>
    <message>
        <source>その駒はそこへ動けません</source>
        <translation>That piece cannot move there</translation>
    </message>
    <message>
        <source>間に駒があります</source>
        <translation>A piece is in the way</translation>
    </message>
    <message>
        <source>成らないと行き所がありません（右クリックで成り）</source>
        <translation>It must promote there (right-click to promote)</translation>
    </message>
    <message>
        <source>▲手番</source>
        <translation>▲ to move</translation>
    </message>
    <message>
        <source>△手番</source>
        <translation>△ to move</translation>
    </message>
    <message>
        <source>読み取り専用のファイルです</source>
        <translation>The file is read-only</translation>
    </message>
    <message>
        <source>ファイル名がありません</source>
        <translation>No file name is given</translation>
    </message>
    <message>
        <source>フォルダには書き込めません</source>
        <translation>A folder cannot be written as a file</translation>
    </message>
    <message>
        <source>通常のファイルでもパイプでも端末などの装置でもないので書き込めません</source>
        <translation>It is neither a file, a pipe nor a device such as a terminal, so it cannot be written</translation>
    </message>
    <message>
        <source>リンクの先のファイルを確かめられません</source>
        <translation>The file the link points to cannot be made sure of</translation>
    </message>
    <message>
        <source>読み手のいないパイプには書き込めません</source>
        <translation>Nothing reads from the pipe, so it cannot be written</translation>
    </message>
    <message>
        <source>読み手がパイプを閉じました</source>
        <translation>The reader closed the pipe</translation>
    </message>
    <message>
        <source>書き込む前にファイルの種類が変わりました</source>
        <translation>The file changed its kind before it could be written</translation>
    </message>
    <message>
        <source>リンクが多すぎます</source>
        <translation>Too many links in a row</translation>
    </message>
    <message>
        <source>王が元の位置にない局面からは対局できません</source>
        <translation>A game cannot start from a position where a king is off its starting square</translation>
    </message>
    <message>
        <source>反転後は書き込みできません</source>
        <translation>Cannot save after turning the board</translation>
    </message>
    <message>
        <source>棋譜書込</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません</source>
        <translation>Cannot save after setting a handicap</translation>
    </message>
    <message>
        <source>保存するデータがありません</source>
        <translation>Nothing to save</translation>
    </message>
    <message>
        <source>同じ名前の棋譜があります。上書きしますか？</source>
        <translation>A record of that name exists. Replace it?</translation>
    </message>
    <message>
        <source>棋譜保存</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>棋譜を書き込みました</source>
        <translation>The record is saved</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が正しくありません</source>
        <translation>Bad file name</translation>
    </message>
    <message>
        <source>読み込みました</source>
        <translation>The record is read</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません</source>
        <translation>The record file holds no data</translation>
    </message>
    <message>
        <source>アクセスが許可されていません</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダがありません</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>フォルダではありません</source>
        <translation>Not a folder</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります</source>
        <translation>A folder of that name exists</translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>読み取り専用の場所です</source>
        <translation>Read-only place</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>入出力エラーが起きました</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>DUDodovi王将棋.dll</source>
        <translation>Sound library</translation>
    </message>
    <message>
        <source>Direct Soundインターフェースが作成できません。</source>
        <translation>Cannot open the sound device.</translation>
    </message>
    <message>
        <source>「%1」を読み込めません。</source>
        <translation>Cannot read “%1”.</translation>
    </message>
    <message>
        <source>ファイルが空です</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>１</source>
        <translation>1</translation>
    </message>
    <message>
        <source>２</source>
        <translation>2</translation>
    </message>
    <message>
        <source>３</source>
        <translation>3</translation>
    </message>
    <message>
        <source>４</source>
        <translation>4</translation>
    </message>
    <message>
        <source>５</source>
        <translation>5</translation>
    </message>
    <message>
        <source>６</source>
        <translation>6</translation>
    </message>
    <message>
        <source>７</source>
        <translation>7</translation>
    </message>
    <message>
        <source>８</source>
        <translation>8</translation>
    </message>
    <message>
        <source>９</source>
        <translation>9</translation>
    </message>
    <message>
        <source>一</source>
        <translation>a</translation>
    </message>
    <message>
        <source>二</source>
        <translation>b</translation>
    </message>
    <message>
        <source>三</source>
        <translation>c</translation>
    </message>
    <message>
        <source>四</source>
        <translation>d</translation>
    </message>
    <message>
        <source>五</source>
        <translation>e</translation>
    </message>
    <message>
        <source>六</source>
        <translation>f</translation>
    </message>
    <message>
        <source>七</source>
        <translation>g</translation>
    </message>
    <message>
        <source>八</source>
        <translation>h</translation>
    </message>
    <message>
        <source>九</source>
        <translation>i</translation>
    </message>
    <message>
        <source>歩</source>
        <translation>P</translation>
    </message>
    <message>
        <source>と</source>
        <translation>+P</translation>
    </message>
    <message>
        <source>香</source>
        <translation>L</translation>
    </message>
    <message>
        <source>香成</source>
        <translation>+L</translation>
    </message>
    <message>
        <source>桂</source>
        <translation>N</translation>
    </message>
    <message>
        <source>桂成</source>
        <translation>+N</translation>
    </message>
    <message>
        <source>銀</source>
        <translation>S</translation>
    </message>
    <message>
        <source>銀成</source>
        <translation>+S</translation>
    </message>
    <message>
        <source>金</source>
        <translation>G</translation>
    </message>
    <message>
        <source>角</source>
        <translation>B</translation>
    </message>
    <message>
        <source>角成</source>
        <translation>+B</translation>
    </message>
    <message>
        <source>飛</source>
        <translation>R</translation>
    </message>
    <message>
        <source>飛成</source>
        <translation>+R</translation>
    </message>
    <message>
        <source>王</source>
        <translation>K</translation>
    </message>
    <message>
        <source>%1手目(%2行目)</source>
        <translation>Move %1 (line %2)</translation>
    </message>
    <message>
        <source>時間が読めません</source>
        <translation>Cannot read the time</translation>
    </message>
    <message>
        <source>開始局面の前に指し手があります</source>
        <translation>A move comes before the start position</translation>
    </message>
    <message>
        <source>指し手が読めません</source>
        <translation>Cannot read the move</translation>
    </message>
    <message>
        <source>手番が合いません</source>
        <translation>The move is not the side to move's</translation>
    </message>
    <message>
        <source>升目が盤の外です</source>
        <translation>A square is off the board</translation>
    </message>
    <message>
        <source>記録の続きが終局の前にあります</source>
        <translation>The record's continuation comes before the end of the game</translation>
    </message>
    <message>
        <source>指し手の後に局面があります</source>
        <translation>A position comes after the moves</translation>
    </message>
    <message>
        <source>PI の後の駒落ちが読めません</source>
        <translation>Cannot read the pieces removed after PI</translation>
    </message>
    <message>
        <source>盤面の行が読めません</source>
        <translation>Cannot read a row of the board</translation>
    </message>
    <message>
        <source>局面の行が読めません</source>
        <translation>Cannot read a line of the position</translation>
    </message>
    <message>
        <source>読めない行です</source>
        <translation>A line that cannot be read</translation>
    </message>
    <message>
        <source>盤面が9段ありません</source>
        <translation>The board does not have 9 ranks</translation>
    </message>
    <message>
        <source>開始局面がありません</source>
        <translation>There is no start position</translation>
    </message>
    <message>
        <source>名前に改行、コンマなどの書けない文字があります</source>
        <translation>A name holds characters the file cannot hold, such as a line break or a comma</translation>
    </message>
    <message>
        <source>名前に Shift_JIS で書けない文字があります</source>
        <translation>A name holds characters Shift_JIS cannot write</translation>
    </message>
    <message>
        <source>名前に Shift_JIS で書けない文字があります(.kifu なら書けます)</source>
        <translation>A name holds characters Shift_JIS cannot write (a .kifu file can hold them)</translation>
    </message>
    <message>
        <source>名前に改行などの制御文字があります</source>
        <translation>A name holds control characters such as a line break</translation>
    </message>
    <message>
        <source>その駒は打てません</source>
        <translation>That piece cannot be dropped</translation>
    </message>
    <message>
        <source>そこには打てません(駒のある升、二歩、行き所のない駒)</source>
        <translation>A piece cannot be dropped there (an occupied square, a second pawn on the file, or a piece with no move left)</translation>
    </message>
    <message>
        <source>そこには打てません</source>
        <translation>A piece cannot be dropped there</translation>
    </message>
    <message>
        <source>移動元に手番の駒がありません</source>
        <translation>The origin holds no piece of the side to move</translation>
    </message>
    <message>
        <source>駒の種類が盤の駒と合いません</source>
        <translation>The piece does not match the piece on the board</translation>
    </message>
    <message>
        <source>成れない駒か位置で成っています</source>
        <translation>A promotion of a piece or on a square that cannot promote</translation>
    </message>
    <message>
        <source>行き所のない駒になります</source>
        <translation>The piece would have no move left</translation>
    </message>
    <message>
        <source>移動先の駒が記録と違います</source>
        <translation>The captured piece differs from the record</translation>
    </message>
    <message>
        <source>打った駒が正しくありません</source>
        <translation>The dropped piece is wrong</translation>
    </message>
    <message>
        <source>開始局面が平手にも不動将棋の駒落ちにもありません</source>
        <translation>The start position is neither the even opening nor one of Fudō Shogi's handicaps</translation>
    </message>
    <message>
        <source>指し手がありません</source>
        <translation>There are no moves</translation>
    </message>
    <message>
        <source>玉を取って終わった後に指し手があります</source>
        <translation>Moves follow the end of the game by taking a king</translation>
    </message>
    <message>
        <source>手合が正しくありません</source>
        <translation>The handicap is wrong</translation>
    </message>
    <message>
        <source>終局の後に指し手があります</source>
        <translation>Moves follow the end of the game</translation>
    </message>
    <message>
        <source>手番でない側が指しています</source>
        <translation>The side not to move has moved</translation>
    </message>
    <message>
        <source>手数が続いていません(%1手目)</source>
        <translation>The move numbers do not follow on (move %1)</translation>
    </message>
    <message>
        <source>「同」の前に指し手がありません</source>
        <translation>“Same square” with no move before it</translation>
    </message>
    <message>
        <source>駒の名前が読めません</source>
        <translation>Cannot read the piece's name</translation>
    </message>
    <message>
        <source>成れない駒が成っています</source>
        <translation>A piece that cannot promote has promoted</translation>
    </message>
    <message>
        <source>消費時間が読めません</source>
        <translation>Cannot read the time used</translation>
    </message>
    <message>
        <source>盤面図の行が読めません</source>
        <translation>Cannot read a row of the board diagram</translation>
    </message>
    <message>
        <source>手合割「%1」は不動将棋にありません</source>
        <translation>Fudō Shogi has no handicap “%1”</translation>
    </message>
    <message>
        <source>盤面図が9段ありません</source>
        <translation>The board diagram does not have 9 ranks</translation>
    </message>
    <message>
        <source>拡張子が .kif .kifu .csa のどれでもありません</source>
        <translation>The file name does not end in .kif, .kifu or .csa</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>指し手が正しくありません</source>
        <translation>The moves are wrong</translation>
    </message>
    <message>
        <source>文字でないデータがあります</source>
        <translation>The file holds data that is not text</translation>
    </message>
    <message>
        <source>文字コードが Shift_JIS、EUC-JP、UTF-8、UTF-16 のどれでもありません</source>
        <translation>The text is in none of Shift_JIS, EUC-JP, UTF-8 and UTF-16</translation>
    </message>
    <message>
        <source>UTF-16 として読めない文字があります</source>
        <translation>The file holds characters that are not UTF-16</translation>
    </message>
    <message>
        <source>消費時間が大きすぎます(%1時間まで)</source>
        <translation>The time is too long (%1 hours at most)</translation>
    </message>
    <message>
        <source>変化は読まずに本譜だけを読みました</source>
        <translation>The variations were left out: only the main line was read</translation>
    </message>
    <message>
        <source>%1手目「%2」(%3行目)</source>
        <translation>Move %1 “%2” (line %3)</translation>
    </message>
    <message>
        <source>王は動かないので、この手で終局です。後の%1手は読みません</source>
        <translation>A king never moves: the game ends with this move (moves left out after it: %1)</translation>
    </message>
    <message>
        <source>駒別の局面が読めません</source>
        <translation>Cannot read the start position given piece by piece</translation>
    </message>
    <message>
        <source>拡張子を .csa にして下さい</source>
        <translation>Give the file name the extension .csa</translation>
    </message>
    <message>
        <source>拡張子を .kif か .kifu にして下さい</source>
        <translation>Give the file name the extension .kif or .kifu</translation>
    </message>
    <message>
        <source>先手勝ち</source>
        <translation>▲ wins</translation>
    </message>
    <message>
        <source>後手勝ち</source>
        <translation>△ wins</translation>
    </message>
    <message>
        <source>互角</source>
        <translation>even</translation>
    </message>
    <message>
        <source>先手有望</source>
        <translation>▲ slightly ahead</translation>
    </message>
    <message>
        <source>先手有利</source>
        <translation>▲ ahead</translation>
    </message>
    <message>
        <source>先手優勢</source>
        <translation>▲ well ahead</translation>
    </message>
    <message>
        <source>先手勝勢</source>
        <translation>▲ winning</translation>
    </message>
    <message>
        <source>後手有望</source>
        <translation>△ slightly ahead</translation>
    </message>
    <message>
        <source>後手有利</source>
        <translation>△ ahead</translation>
    </message>
    <message>
        <source>後手優勢</source>
        <translation>△ well ahead</translation>
    </message>
    <message>
        <source>後手勝勢</source>
        <translation>△ winning</translation>
    </message>
    <message>
        <source>解析しています…</source>
        <translation>Analysing the game…</translation>
    </message>
    <message>
        <source>解析が終わりました</source>
        <translation>The analysis is done</translation>
    </message>
    <message>
        <source>解析を中止しました</source>
        <translation>The analysis was stopped</translation>
    </message>
    <message>
        <source>反転後は解析できません</source>
        <translation>A turned board cannot be analysed</translation>
    </message>
    <message>
        <source>解析する指し手がありません</source>
        <translation>There are no moves to analyse</translation>
    </message>
    <message>
        <source>疑問手</source>
        <translation>Inaccuracy</translation>
    </message>
    <message>
        <source>悪手</source>
        <translation>Mistake</translation>
    </message>
    <message>
        <source>大悪手</source>
        <translation>Blunder</translation>
    </message>
    <message>
        <source>成りますか？</source>
        <translation>Promote?</translation>
    </message>
    <message>
        <source>成る</source>
        <translation>Promote</translation>
    </message>
    <message>
        <source>不成</source>
        <translation>Do not promote</translation>
    </message>
    <message>
        <source>時間切れです</source>
        <translation>Time is up</translation>
    </message>
    <message>
        <source>持ち時間</source>
        <translation>Time control</translation>
    </message>
    <message>
        <source>秒読み %1</source>
        <translation>Byoyomi %1</translation>
    </message>
    <message>
        <source>待ったはできません</source>
        <translation>Nothing to take back now</translation>
    </message>
    <message>
        <source>コンピュータの時間が切れました。あなたの勝ちです</source>
        <translation>The computer ran out of time: you win</translation>
    </message>
    <message>
        <source>時間が切れました。コンピュータの勝ちです</source>
        <translation>Your time ran out: the computer wins</translation>
    </message>
    <message>
        <source>後手の時間が切れました。先手の勝ちです</source>
        <translation>Gote ran out of time, so Sente wins</translation>
    </message>
    <message>
        <source>先手の時間が切れました。後手の勝ちです</source>
        <translation>Sente ran out of time, so Gote wins</translation>
    </message>
    <message>
        <source>500手で引き分けです</source>
        <translation>A draw after 500 moves</translation>
    </message>
    <message>
        <source>コンピュータが王を動かしたので、あなたの勝ちです</source>
        <translation>The computer moved its king, so you win</translation>
    </message>
    <message>
        <source>王を動かしたので負けです</source>
        <translation>You moved your king, so you lose</translation>
    </message>
    <message>
        <source>王を取りました。あなたの勝ちです</source>
        <translation>You took the king: you win</translation>
    </message>
    <message>
        <source>王を取られました。コンピュータの勝ちです</source>
        <translation>Your king was taken: the computer wins</translation>
    </message>
    <message>
        <source>詰みです。あなたの勝ちです</source>
        <translation>Checkmate: you win</translation>
    </message>
    <message>
        <source>コンピュータが投了しました。あなたの勝ちです</source>
        <translation>The computer resigned: you win</translation>
    </message>
    <message>
        <source>後手が王を動かしたので、先手の勝ちです</source>
        <translation>Gote moved the king, so Sente wins</translation>
    </message>
    <message>
        <source>先手が王を動かしたので、後手の勝ちです</source>
        <translation>Sente moved the king, so Gote wins</translation>
    </message>
    <message>
        <source>先手が王を取りました。先手の勝ちです</source>
        <translation>Sente took the king: Sente wins</translation>
    </message>
    <message>
        <source>後手が王を取りました。後手の勝ちです</source>
        <translation>Gote took the king: Gote wins</translation>
    </message>
    <message>
        <source>詰みです。次に王を取られます</source>
        <translation>Checkmate: your king will be taken</translation>
    </message>
    <message>
        <source>王手</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>コンピュータの番です</source>
        <translation>The computer's move</translation>
    </message>
    <message>
        <source>王は動かせません。動かすと負けです</source>
        <translation>The king cannot move: moving it loses</translation>
    </message>
    <message>
        <source>王を動かすと負けです。指しますか？</source>
        <translation>Moving the king loses. Play it?</translation>
    </message>
    <message>
        <source>王が取られます。指しますか？</source>
        <translation>Your king will be taken. Play it?</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>F2 で対局を始めます</source>
        <translation>Press F2 to start a game</translation>
    </message>
    <message>
        <source>読み込みました。「進」で進めて下さい</source>
        <translation>Record read: step through it with Forward</translation>
    </message>
    <message>
        <source>音を出す装置が見つかりません。音なしで続けます</source>
        <translation>No sound device found: playing without sound</translation>
    </message>
</context>
<context>
    <name>fudo::qt::ExchangeActions</name>
    <message>
        <source>棋譜の保存</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>棋譜を開く</source>
        <translation>Open record</translation>
    </message>
    <message>
        <source>KIF形式で保存…</source>
        <translation>Save as KIF…</translation>
    </message>
    <message>
        <source>CSA形式で保存…</source>
        <translation>Save as CSA…</translation>
    </message>
    <message>
        <source>KIF/CSA形式を開く…</source>
        <translation>Open KIF/CSA…</translation>
    </message>
    <message>
        <source>SFENをコピー</source>
        <translation>Copy SFEN</translation>
    </message>
    <message>
        <source>棋譜欄</source>
        <translation>Move list</translation>
    </message>
    <message>
        <source>CSA形式 (*.csa)</source>
        <translation>CSA records (*.csa)</translation>
    </message>
    <message>
        <source>KIF形式 (*.kif);;KIF形式 UTF-8 (*.kifu)</source>
        <translation>KIF records (*.kif);;KIF records, UTF-8 (*.kifu)</translation>
    </message>
    <message>
        <source>KIF/CSA形式 (*.kif *.kifu *.csa)</source>
        <translation>KIF/CSA records (*.kif *.kifu *.csa)</translation>
    </message>
    <message>
        <source>対局をやめて棋譜を開きますか？</source>
        <translation>Leave this game and open the record?</translation>
    </message>
</context>
<context>
    <name>fudo::qt::MoveListPanel</name>
    <message>
        <source>棋譜</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>手数</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>指し手</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>開始局面</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>fudo::qt::AnalysisActions</name>
    <message>
        <source>解析</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>検討</source>
        <translation>Live analysis</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>評価値</source>
        <translation>Evaluation</translation>
    </message>
    <message>
        <source>深さ</source>
        <translation>depth</translation>
    </message>
    <message>
        <source>最善</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>読み筋</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>検討中…</source>
        <translation>Analysing…</translation>
    </message>
    <message>
        <source>詰み %1手（%2）</source>
        <translation>mate in %1 (%2)</translation>
    </message>
    <message>
        <source>%1%2（%3）</source>
        <translation>%1%2 (%3)</translation>
    </message>
</context>
<context>
    <name>fudo::qt::MainWindow</name>
    <message>
        <source>手番の表示</source>
        <translation>Show the side to move</translation>
    </message>
    <message>
        <source>最後の手の色</source>
        <translation>Colour the last move</translation>
    </message>
    <message>
        <source>移動指導の色</source>
        <translation>Colour the reach</translation>
    </message>
    <message>
        <source>拒否の理由</source>
        <translation>Say why a click is refused</translation>
    </message>
    <message>
        <source>強さの段階</source>
        <translation>Strength steps of LEVEL4</translation>
    </message>
    <message>
        <source>勝ちました。次は一つ上の %1 はいかがですか（COM対局ﾚﾍﾞﾙで選べます）</source>
        <translation>You won. How about %1, one step up, next time? (Choose it under Computer level.)</translation>
    </message>
    <message>
        <source>負けました。次は一つ下の %1 はいかがですか（COM対局ﾚﾍﾞﾙで選べます）</source>
        <translation>You lost. How about %1, one step down, next time? (Choose it under Computer level.)</translation>
    </message>
    <message>
        <source>新しい対局</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>補助表示</source>
        <translation>Play aids</translation>
    </message>
    <message>
        <source>前回の対局は読めないので使いません</source>
        <translation>The last game cannot be read and is left out</translation>
    </message>
    <message>
        <source>前回の対局</source>
        <translation>Last game</translation>
    </message>
    <message>
        <source>前回の対局を続けますか？</source>
        <translation>Continue the last game?</translation>
    </message>
    <message>
        <source>対局をやめて新しい対局を始めますか？</source>
        <translation>Leave this game and start a new one?</translation>
    </message>
    <message>
        <source>対局をやめて最初の局面に戻りますか？</source>
        <translation>Leave this game and go back to the start?</translation>
    </message>
    <message>
        <source>棋譜と解析を閉じますか？</source>
        <translation>Close the record and its review?</translation>
    </message>
    <message>
        <source>成るかを尋ねる</source>
        <translation>Ask whether to promote</translation>
    </message>
    <message>
        <source>ドラッグと選択の取り消し</source>
        <translation>Drag pieces; a click or Esc lets a pick go</translation>
    </message>
    <message>
        <source>なし（経過時間）</source>
        <translation>None (elapsed time)</translation>
    </message>
    <message>
        <source>10分 + 秒読み30秒</source>
        <translation>10 min + 30 s byoyomi</translation>
    </message>
    <message>
        <source>秒読み30秒</source>
        <translation>30 s byoyomi</translation>
    </message>
    <message>
        <source>5分 + 1手ごとに10秒（フィッシャー）</source>
        <translation>5 min + 10 s a move (Fischer)</translation>
    </message>
    <message>
        <source>10分 切れ負け</source>
        <translation>10 min, sudden death</translation>
    </message>
    <message>
        <source>3分 切れ負け</source>
        <translation>3 min, sudden death</translation>
    </message>
    <message>
        <source>待った</source>
        <translation>Take back</translation>
    </message>
    <message>
        <source>持ち時間</source>
        <translation>Time control</translation>
    </message>
    <message>
        <source>盤を回す</source>
        <translation>Turn the view</translation>
    </message>
    <message>
        <source>対局の案内</source>
        <translation>Game guidance</translation>
    </message>
    <message>
        <source>対局をやめて棋譜を読み込みますか？</source>
        <translation>Leave this game and read the record?</translation>
    </message>
    <message>
        <source>棋譜の読込</source>
        <translation>Read a record</translation>
    </message>
</context>
<context>
    <name>fudo::qt::EndPanel</name>
    <message>
        <source>対局終了</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>新しい対局</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>棋譜を保存</source>
        <translation>Save the record</translation>
    </message>
    <message>
        <source>盤面を見る</source>
        <translation>Look at the board</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Analyse</translation>
    </message>
</context>
<context>
    <name>fudo::qt::HelpWindow</name>
    <message>
        <source>不動将棋のヘルプ</source>
        <translation>Fudō Shogi help</translation>
    </message>
    <message>
        <source>このプログラムについて</source>
        <translation>About this program</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
