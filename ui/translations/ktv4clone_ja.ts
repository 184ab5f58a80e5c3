<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>ktv4</name>
    <message>
        <source>Location &quot;%1&quot; is not a channel 0 to 603</source>
        <translation>Location「%1」は 0～603 のチャンネルではありません</translation>
    </message>
    <message>
        <source>frequency &quot;%1&quot; is not a frequency in MHz with up to 6 decimals</source>
        <translation>周波数「%1」は小数点以下 6 桁までの MHz 単位の周波数ではありません</translation>
    </message>
    <message>
        <source>frequency %1 MHz is outside the radio&apos;s range, 0.030000 to 34.999999 MHz</source>
        <translation>周波数 %1 MHz は無線機の範囲 (0.030000～34.999999 MHz) の外です</translation>
    </message>
    <message>
        <source>no mode: FM, the other tool&apos;s default</source>
        <translation>モードなし: 相手のツールの既定値 FM として格納</translation>
    </message>
    <message>
        <source>mode %1 stored as %2</source>
        <translation>モード %1 を %2 として格納</translation>
    </message>
    <message>
        <source>mode &quot;%1&quot; has no counterpart on the radio</source>
        <translation>モード「%1」は無線機にありません</translation>
    </message>
    <message>
        <source>offset &quot;%1&quot; is not a frequency: transmits on the receive frequency</source>
        <translation>オフセット「%1」は周波数ではありません: 受信周波数で送信します</translation>
    </message>
    <message>
        <source>transmit frequency %1 MHz is outside the radio&apos;s range: transmits on the receive frequency</source>
        <translation>送信周波数 %1 MHz は無線機の範囲外です: 受信周波数で送信します</translation>
    </message>
    <message>
        <source>receive only (Duplex off) is not carried: transmits on the receive frequency</source>
        <translation>受信専用 (Duplex off) は引き継げません: 受信周波数で送信します</translation>
    </message>
    <message>
        <source>Duplex &quot;%1&quot; not understood: transmits on the receive frequency</source>
        <translation>Duplex「%1」を解釈できません: 受信周波数で送信します</translation>
    </message>
    <message>
        <source>tone squelch (TSQL) is not carried: the tone is sent, reception is not squelched</source>
        <translation>トーンスケルチ (TSQL) は引き継げません: トーンは送信しますが、受信にスケルチはかかりません</translation>
    </message>
    <message>
        <source>cross mode %1 is not carried: only the sent tone is kept</source>
        <translation>クロスモード %1 は引き継げません: 送信トーンだけを残します</translation>
    </message>
    <message>
        <source>tone mode %1 is not carried: no tone</source>
        <translation>トーンモード %1 は引き継げません: トーンなし</translation>
    </message>
    <message>
        <source>tone %1 Hz: the radio sends its Tone Frequency setting, %2 Hz</source>
        <translation>トーン %1 Hz: 無線機は Tone Frequency の設定値 %2 Hz を送信します</translation>
    </message>
    <message>
        <source>priority scan (P) is not carried: scanned like any channel</source>
        <translation>優先スキャン (P) は引き継げません: 通常のチャンネルとしてスキャンします</translation>
    </message>
    <message>
        <source>Skip &quot;%1&quot; not understood: not skipped</source>
        <translation>Skip「%1」を解釈できません: スキップしません</translation>
    </message>
    <message>
        <source>name &quot;%1&quot; stored as &quot;%2&quot;</source>
        <translation>名前「%1」を「%2」として格納</translation>
    </message>
    <message>
        <source>the first row is not a CHIRP header: it needs Location and Frequency columns</source>
        <translation>1 行目が CHIRP の見出し行ではありません: Location 列と Frequency 列が必要です</translation>
    </message>
    <message>
        <source>replaces the row of line %1 for the same channel</source>
        <translation>同じチャンネルの %1 行目を置き換えます</translation>
    </message>
    <message>
        <source>%1 added: %2</source>
        <translation>%1 追加: %2</translation>
    </message>
    <message>
        <source>%1 removed (was %2)</source>
        <translation>%1 削除 (元: %2)</translation>
    </message>
    <message>
        <source>%1: bytes the program does not edit</source>
        <translation>%1: このプログラムが編集しないバイト</translation>
    </message>
    <message>
        <source>tone %1 Hz: the radio sends its Tone Frequency setting, byte %2, which is no listed tone</source>
        <translation>トーン %1 Hz: 無線機はトーン周波数の設定 (バイト %2、一覧にないトーン) を送出します</translation>
    </message>
    <message>
        <source>Comment value &quot;%1&quot; not understood: left out</source>
        <translation>Comment の値「%1」を解釈できないため無視しました</translation>
    </message>
    <message>
        <source>a quoted field is never closed: the row ends with its line</source>
        <translation>引用符で始まるフィールドが閉じていないため、その行で行を終えました</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 と %2</translation>
    </message>
    <message>
        <source>settings block %1</source>
        <translation>設定ブロック %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1～%2</translation>
    </message>
    <message numerus="yes">
        <source>%n check(s) failed.</source>
        <translation>
            <numerusform>%n 件のチェックが失敗しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>channel(s) %1</source>
        <translation>
            <numerusform>チャンネル %1</numerusform>
        </translation>
    </message>
    <message>
        <source>(not saved)</source>
        <translation>(未保存)</translation>
    </message>
    <message>
        <source>%1    Image checksum %2</source>
        <translation>%1    イメージのチェックサム %2</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>%1 / %2 ページ</translation>
    </message>
</context>
<context>
    <name>ktv4::BackupStore</name>
    <message>
        <source>settings and VFOs</source>
        <translation>設定と VFO</translation>
    </message>
    <message>
        <source>%1 channels</source>
        <translation>%1 チャンネル</translation>
    </message>
    <message>
        <source>all</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>changed records</source>
        <translation>変更のあったレコード</translation>
    </message>
</context>
<context>
    <name>ktv4::ChirpImportReport</name>
    <message>
        <source>Line %1, Location %2: %3%4</source>
        <translation>%1 行目、Location %2: %3%4</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>dropped: </source>
        <translation>除外: </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n channel(s)</source>
        <translation>
            <numerusform>%n チャンネルをインポートしました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n adjusted</source>
        <translation>
            <numerusform>うち調整 %n 件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>dropped %n row(s)</source>
        <translation>
            <numerusform>%n 行を除外しました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) replaced an earlier row for the same channel</source>
        <translation>
            <numerusform>%n 行は同じチャンネルの前の行を置き換えました</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::CloneDocument</name>
    <message>
        <source>Model %1</source>
        <translation>機種 %1</translation>
    </message>
    <message>
        <source>Import %1</source>
        <translation>%1 のインポート</translation>
    </message>
    <message>
        <source>Auto Select</source>
        <translation>機種の自動選択</translation>
    </message>
</context>
<context>
    <name>ktv4::CloneTransfer</name>
    <message>
        <source>Read Settings</source>
        <translation>設定の読み出し</translation>
    </message>
    <message>
        <source>Read Memory</source>
        <translation>メモリーの読み出し</translation>
    </message>
    <message>
        <source>Read ALL</source>
        <translation>すべての読み出し</translation>
    </message>
    <message>
        <source>Nothing was written to the radio.</source>
        <translation>無線機には何も書き込まれませんでした。</translation>
    </message>
    <message>
        <source>The settings and both VFOs were written.</source>
        <translation>設定と両方の VFO を書き込みました。</translation>
    </message>
    <message>
        <source>All %1 channels were written.</source>
        <translation>全 %1 チャンネルを書き込みました。</translation>
    </message>
    <message>
        <source>The settings, both VFOs and all %1 channels were written.</source>
        <translation>設定、両方の VFO、全 %1 チャンネルを書き込みました。</translation>
    </message>
    <message>
        <source>1 changed record was written: %1.</source>
        <translation>変更のあった 1 レコードを書き込みました: %1。</translation>
    </message>
    <message>
        <source>%1 changed records were written: %2.</source>
        <translation>変更のあった %1 レコードを書き込みました: %2。</translation>
    </message>
    <message numerus="yes">
        <source>%1 were written; </source>
        <translation>
            <numerusform>%1 は書き込みました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 were not.</source>
        <translation>
            <numerusform>%1 は書き込まれていません。</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was read; the data are as they were.</source>
        <translation>何も読み出していません。データは元のままです。</translation>
    </message>
    <message numerus="yes">
        <source>%1 were read; the rest are as they were.</source>
        <translation>
            <numerusform>%1 を読み出しました。残りは元のままです。</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was read first and differs from this image; it was not written, as it had never been read. Write Changes again shows how it differs.</source>
        <translation>%1 は先に読み出したところ、このデータと異なっていました。一度も読み出したことがなかったため書き込んでいません。もう一度「変更分の書き込み」を行うと違いを表示します。</translation>
    </message>
    <message>
        <source>%1 were read first and differ from this image; they were not written, as they had never been read. Write Changes again shows how they differ.</source>
        <translation>%1 は先に読み出したところ、このデータと異なっていました。一度も読み出したことがなかったため書き込んでいません。もう一度「変更分の書き込み」を行うと違いを表示します。</translation>
    </message>
</context>
<context>
    <name>ktv4::CsvImport</name>
    <message>
        <source>No channel was imported</source>
        <translation>チャンネルはインポートされませんでした</translation>
    </message>
    <message>
        <source>No channel was imported: the file holds no KT-V4 memory row.</source>
        <translation>チャンネルはインポートされませんでした: このファイルには KT-V4 のメモリー行がありません。</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) imported</source>
        <translation>
            <numerusform>%n チャンネルをインポートしました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) replaced an earlier row for the same channel</source>
        <translation>
            <numerusform>%n 行は同じチャンネルの前の行を置き換えました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n naming no channel</source>
        <translation>
            <numerusform>チャンネルの指定が正しくない行 %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with no frequency or one outside 30 kHz to 35 MHz</source>
        <translation>
            <numerusform>周波数がないか 30 kHz～35 MHz の範囲外の行 %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with an unknown mode</source>
        <translation>
            <numerusform>不明なモードの行 %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with an unknown AGC</source>
        <translation>
            <numerusform>不明な AGC の行 %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with an unknown filter</source>
        <translation>
            <numerusform>不明なフィルターの行 %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with a quote left open at the end of its line</source>
        <translation>
            <numerusform>行末で引用符が閉じていない行 %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) dropped</source>
        <translation>
            <numerusform>%n 行を除外</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::Schedule</name>
    <message>
        <source>line %1: %2 kHz is outside 30 kHz to 35 MHz</source>
        <translation>%1 行目: %2 kHz は 30 kHz～35 MHz の範囲外です</translation>
    </message>
    <message>
        <source>line %1: unreadable time &quot;%2&quot;</source>
        <translation>%1 行目: 時刻「%2」を読み取れません</translation>
    </message>
    <message>
        <source>line %1: bad frequency &quot;%2&quot;</source>
        <translation>%1 行目: 周波数「%2」が正しくありません</translation>
    </message>
</context>
<context>
    <name>ktv4::SchedulePlan</name>
    <message numerus="yes">
        <source>%n row(s) read</source>
        <translation>
            <numerusform>%n 行を読み込み</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) dropped</source>
        <translation>
            <numerusform>%n 行を除外</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) filtered out</source>
        <translation>
            <numerusform>%n 行が条件に合わず</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n frequency(ies) left out by the limit</source>
        <translation>
            <numerusform>上限により %n 周波数を省略</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) made</source>
        <translation>
            <numerusform>%n チャンネルを作成</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n duplicate(s) skipped</source>
        <translation>
            <numerusform>重複 %n 件をスキップ</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 kHz %2: channel %3 holds it</source>
        <translation>%1 kHz %2: チャンネル %3 に登録済み</translation>
    </message>
    <message numerus="yes">
        <source>%n left out for lack of room</source>
        <translation>
            <numerusform>空きチャンネル不足で %n 件を省略</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n empty channel(s) from the start channel on, %1 needed: nothing written</source>
        <translation>
            <numerusform>開始チャンネル以降の空きは %n、必要数は %1: 何も書き込んでいません</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::AboutDialog</name>
    <message>
        <source>About Orvane Clone Utility</source>
        <translation>About Orvane Clone Utility</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ｼｽﾃﾑ情報(&amp;S)...</source>
        <translation>ｼｽﾃﾑ情報(&amp;S)...</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ArrangeCommands</name>
    <message>
        <source>Arrange(&amp;G)...</source>
        <translation>並べ替え(&amp;G)...</translation>
    </message>
    <message>
        <source>Select Duplicates(&amp;D)</source>
        <translation>重複を選択(&amp;D)</translation>
    </message>
    <message>
        <source>Print Preview(&amp;V)...</source>
        <translation>印刷プレビュー(&amp;V)...</translation>
    </message>
    <message>
        <source>Export PDF(&amp;D)...</source>
        <translation>PDF にエクスポート(&amp;D)...</translation>
    </message>
    <message numerus="yes">
        <source>Arranged: %n channel(s) moved.</source>
        <translation>
            <numerusform>並べ替えました: %n チャンネルを移動しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n duplicate(s) selected</source>
        <translation>
            <numerusform>%n 件の重複を選択しました</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ArrangeDialog</name>
    <message>
        <source>Arrange Channels</source>
        <translation>チャンネルの並べ替え</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>周波数</translation>
    </message>
    <message>
        <source>Mode, then frequency</source>
        <translation>モード、次に周波数</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Band, then frequency</source>
        <translation>バンド、次に周波数</translation>
    </message>
    <message>
        <source>Move the channels in use to the start of the range</source>
        <translation>使用中のチャンネルを範囲の先頭に詰める</translation>
    </message>
    <message>
        <source>Leave one empty channel between bands</source>
        <translation>バンドの間に空きチャンネルを 1 つ置く</translation>
    </message>
    <message>
        <source>Arrange</source>
        <translation>並べ替え</translation>
    </message>
    <message>
        <source>Order by:</source>
        <translation>並べ方:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>チャンネル:</translation>
    </message>
    <message>
        <source>Moves:</source>
        <translation>移動:</translation>
    </message>
    <message numerus="yes">
        <source>The %n selected channel(s)</source>
        <translation>
            <numerusform>選択した %n チャンネル</numerusform>
        </translation>
    </message>
    <message>
        <source>Memory 0 to 199</source>
        <translation>Memory 0～199</translation>
    </message>
    <message>
        <source>Bank A (A0 to A199)</source>
        <translation>バンク A (A0～A199)</translation>
    </message>
    <message>
        <source>Bank B (B0 to B199)</source>
        <translation>バンク B (B0～B199)</translation>
    </message>
    <message>
        <source>All channels (P1 and P2 stay in place)</source>
        <translation>すべてのチャンネル (P1 と P2 は動きません)</translation>
    </message>
    <message>
        <source>Nothing is known of what the radio holds: Write Memory sends every channel.</source>
        <translation>無線機の内容が分かりません: メモリーの書き込みで全チャンネルを送ります。</translation>
    </message>
    <message numerus="yes">
        <source>Write Changes will then send %n record(s).</source>
        <translation>
            <numerusform>この後の「変更分の書き込み」で %n レコードを送ります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) not known in the radio are read first.</source>
        <translation>
            <numerusform>無線機の内容が分からない %n レコードは先に読み出します。</numerusform>
        </translation>
    </message>
    <message>
        <source>Arrange channels</source>
        <translation>チャンネルの並べ替え</translation>
    </message>
    <message>
        <source>The channels are in this order already.</source>
        <translation>チャンネルはすでにこの順序です。</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) move.</source>
        <translation>
            <numerusform>%n チャンネルが移動します。</numerusform>
        </translation>
    </message>
    <message>
        <source>Too few empty channels for a gap between every two bands: no gaps.</source>
        <translation>バンドごとに間を空けるだけの空きチャンネルがないため、間を空けません。</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::BackupsDialog</name>
    <message>
        <source>Backups</source>
        <translation>バックアップ</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>機種</translation>
    </message>
    <message>
        <source>Read or write</source>
        <translation>読み出し/書き込み</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>read</source>
        <translation>読み出し</translation>
    </message>
    <message>
        <source>write</source>
        <translation>書き込み</translation>
    </message>
    <message>
        <source>damaged</source>
        <translation>破損</translation>
    </message>
    <message>
        <source>Holds</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>%1 channels in use</source>
        <translation>使用中 %1 チャンネル</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ChannelTableModel</name>
    <message>
        <source>Move channel %1</source>
        <translation>チャンネル %1 の移動</translation>
    </message>
    <message>
        <source>Move %1 channels</source>
        <translation>%1 チャンネルの移動</translation>
    </message>
    <message>
        <source>Transmits on %1 (Split Freq.)</source>
        <translation>%1 で送信 (Split Freq.)</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ComPortDialog</name>
    <message>
        <source>COM%1</source>
        <translation>COM%1</translation>
    </message>
    <message>
        <source>COM Port Setup</source>
        <translation>COM Port Setup</translation>
    </message>
    <message>
        <source>Serial ports on this computer</source>
        <translation>このコンピューターのシリアルポート</translation>
    </message>
    <message>
        <source>Device path (used instead of the COM number):</source>
        <translation>デバイスのパス (COM 番号の代わりに使用):</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>(none found)</source>
        <translation>(見つかりません)</translation>
    </message>
    <message>
        <source>in use by %1 (PID %2)</source>
        <translation>%1 が使用中 (PID %2)</translation>
    </message>
    <message>
        <source>COM %1 is %2 on this computer.</source>
        <translation>このコンピューターでは COM %1 は %2 です。</translation>
    </message>
    <message>
        <source>
The radio is reached on %1.</source>
        <translation>
無線機には %1 で接続します。</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::FileController</name>
    <message>
        <source>Memory as text (*.yaml)</source>
        <translation>テキスト形式のメモリ (*.yaml)</translation>
    </message>
    <message>
        <source>Memory as text (*.yaml *.yml)</source>
        <translation>テキスト形式のメモリ (*.yaml *.yml)</translation>
    </message>
    <message>
        <source>Orvane KT-V4 Clone Files (*.TV4)</source>
        <translation>Orvane KT-V4 Clone Files (*.TV4)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>All Files (*)</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>Save Changes</translation>
    </message>
    <message>
        <source>Save changes to settings?</source>
        <translation>Save changes to settings?</translation>
    </message>
    <message>
        <source>New(&amp;N)</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <source>Open(&amp;O)...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save As(&amp;A)...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Import(&amp;I)...</source>
        <translation>ｲﾝﾎﾟｰﾄ(&amp;I)...</translation>
    </message>
    <message>
        <source>Export(&amp;E)...</source>
        <translation>ｴｸｽﾎﾟｰﾄ(&amp;E)...</translation>
    </message>
    <message>
        <source>Backups(&amp;B)...</source>
        <translation>ﾊﾞｯｸｱｯﾌﾟ(&amp;B)...</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::MainWindow</name>
    <message>
        <source>File(&amp;F)</source>
        <translation>ﾌｧｲﾙ(&amp;F)</translation>
    </message>
    <message>
        <source>Print Setup(&amp;U)...</source>
        <translation>ﾍﾟｰｼﾞ設定(&amp;U)...</translation>
    </message>
    <message>
        <source>Print(&amp;P)...</source>
        <translation>印刷(&amp;P)...</translation>
    </message>
    <message>
        <source>Exit(&amp;X)...</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Modify(&amp;M)</source>
        <translation>変更(&amp;M)</translation>
    </message>
    <message>
        <source>View(&amp;V)</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Tool Bar(&amp;T)</source>
        <translation>ﾂｰﾙ ﾊﾞｰ(&amp;T)</translation>
    </message>
    <message>
        <source>Tool(&amp;T)</source>
        <translation>ﾂｰﾙ(&amp;T)</translation>
    </message>
    <message>
        <source>COM Port Setup(&amp;C)</source>
        <translation>COM ポートセットアップ(&amp;C)</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>ﾍﾙﾌﾟ(&amp;H)</translation>
    </message>
    <message>
        <source>Check Serial Port(&amp;S)…</source>
        <translation>ｼﾘｱﾙﾎﾟｰﾄの確認(&amp;S)…</translation>
    </message>
    <message>
        <source>About(&amp;A)</source>
        <translation>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新規作成</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>上書き保存</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ﾍﾙﾌﾟ</translation>
    </message>
    <message>
        <source>Status Bar(&amp;S)</source>
        <translation>ｽﾃｰﾀｽﾊﾞｰ(&amp;S)</translation>
    </message>
    <message>
        <source>Read(&amp;R)</source>
        <translation>読み出し(&amp;R)</translation>
    </message>
    <message>
        <source>Write(&amp;W)</source>
        <translation>書き込み(&amp;W)</translation>
    </message>
    <message>
        <source>Settings(&amp;S)</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>Memory(&amp;M)</source>
        <translation>メモリー(&amp;M)</translation>
    </message>
    <message>
        <source>ALL(&amp;A)</source>
        <translation>すべて(&amp;A)</translation>
    </message>
    <message>
        <source>Cut(&amp;T)</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>Copy(&amp;C)</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>Paste(&amp;P)</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>Find(&amp;F)...</source>
        <translation>検索(&amp;F)...</translation>
    </message>
    <message>
        <source>Changes(&amp;C)</source>
        <translation>変更分(&amp;C)</translation>
    </message>
    <message>
        <source>Verify After Writing(&amp;V)</source>
        <translation>書き込み後に照合(&amp;V)</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memory</translation>
    </message>
    <message>
        <source>Modify %1</source>
        <translation>%1 の変更</translation>
    </message>
    <message>
        <source>&amp;%1 %2</source>
        <translation>&amp;%1 %2</translation>
    </message>
    <message>
        <source>Import Schedule(&amp;C)...</source>
        <translation>ｽｹｼﾞｭｰﾙのｲﾝﾎﾟｰﾄ(&amp;C)...</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::MemoryCommands</name>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV Files (*.csv)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>All Files (*)</translation>
    </message>
    <message>
        <source>CHIRP CSV (*.csv)</source>
        <translation>CHIRP CSV (*.csv)</translation>
    </message>
    <message>
        <source>CHIRP CSV Import</source>
        <translation>CHIRP CSV のインポート</translation>
    </message>
    <message>
        <source>The details list each row dropped or changed to fit the radio, with the reason.</source>
        <translation>詳細に、除外した行と無線機に合わせて変更した行を理由とともに示します。</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>チャンネルのインポート</translation>
    </message>
    <message>
        <source>Export Channels</source>
        <translation>チャンネルのエクスポート</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::MemoryPanel</name>
    <message>
        <source>Memorys</source>
        <translation>Memorys</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Read Memory</source>
        <translation>Read Memory</translation>
    </message>
    <message>
        <source>Write Memory</source>
        <translation>Write Memory</translation>
    </message>
    <message>
        <source>Find a channel by label, name or frequency</source>
        <translation>ラベル、名前または周波数でチャンネルを検索</translation>
    </message>
    <message>
        <source>No channel matches &quot;%1&quot;.</source>
        <translation>「%1」に一致するチャンネルはありません。</translation>
    </message>
    <message>
        <source>Modify channel %1</source>
        <translation>チャンネル %1 の変更</translation>
    </message>
    <message>
        <source>Edit &gt; Undo brings the channels back.</source>
        <translation>Edit &gt; Undo brings the channels back.</translation>
    </message>
    <message>
        <source>channel %1</source>
        <translation>チャンネル %1</translation>
    </message>
    <message>
        <source>%1 channels</source>
        <translation>%1 チャンネル</translation>
    </message>
    <message>
        <source>%1 works in the first bank only (channels 0 to 199); banks A and B keep their places.</source>
        <translation>%1 は最初のバンク (チャンネル 0～199) でだけ使えます。バンク A と B の並びは変わりません。</translation>
    </message>
    <message>
        <source>Insert %1</source>
        <translation>%1 の挿入</translation>
    </message>
    <message>
        <source>Are you sure that you want to do the delete?</source>
        <translation>Are you sure that you want to do the delete?</translation>
    </message>
    <message>
        <source>Are you sure that you want to delete these %1 channels?</source>
        <translation>Are you sure that you want to delete these %1 channels?</translation>
    </message>
    <message>
        <source>DELETE OK</source>
        <translation>DELETE OK</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>%1 の削除</translation>
    </message>
    <message>
        <source>Are you sure that you want to do the clear?</source>
        <translation>Are you sure that you want to do the clear?</translation>
    </message>
    <message>
        <source>Are you sure that you want to clear these %1 channels?</source>
        <translation>Are you sure that you want to clear these %1 channels?</translation>
    </message>
    <message>
        <source>CLEAR OK</source>
        <translation>CLEAR OK</translation>
    </message>
    <message>
        <source>Clear %1</source>
        <translation>%1 のクリア</translation>
    </message>
    <message>
        <source>Are you sure that you want to clear all memory?</source>
        <translation>Are you sure that you want to clear all memory?</translation>
    </message>
    <message>
        <source>Copied %1.</source>
        <translation>%1 をコピーしました。</translation>
    </message>
    <message>
        <source>Cut %1</source>
        <translation>%1 の切り取り</translation>
    </message>
    <message>
        <source>Cut %1.</source>
        <translation>%1 を切り取りました。</translation>
    </message>
    <message>
        <source>Paste %1</source>
        <translation>%1 の貼り付け</translation>
    </message>
    <message>
        <source>Pasted %1.</source>
        <translation>%1 を貼り付けました。</translation>
    </message>
    <message>
        <source>Skipped %1 of the rows: a CSV import would drop them, or they do not fit below the last channel.</source>
        <translation>%1 行を飛ばしました: CSV インポートで除外される行か、最後のチャンネルより後ろにはみ出す行です。</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s)</source>
        <translation>
            <numerusform>%n チャンネル</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ModifyDialog</name>
    <message>
        <source>Modify </source>
        <translation>Modify </translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Split Frequency</source>
        <translation>Split Frequency</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>M</source>
        <translation>M</translation>
    </message>
    <message>
        <source>K</source>
        <translation>K</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>RF Gain</source>
        <translation>RF Gain</translation>
    </message>
    <message>
        <source>AGC</source>
        <translation>AGC</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Noise Blanker</source>
        <translation>Noise Blanker</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>Tone</translation>
    </message>
    <message>
        <source>The frequency is outside the range. <byte value="xd"/>
</source>
        <translation>The frequency is outside the range. <byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::PortCheckDialog</name>
    <message>
        <source>Check Serial Port</source>
        <translation>シリアルポートの確認</translation>
    </message>
    <message>
        <source>Check Again</source>
        <translation>再確認</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Checking %1…</source>
        <translation>%1 を確認しています…</translation>
    </message>
    <message>
        <source>Every check passed for %1.</source>
        <translation>%1 はすべての確認項目に合格しました。</translation>
    </message>
    <message>
        <source>Something keeps %1 from working. Each failed item says how to fix it; the same check runs in a terminal as: ktv4cli doctor --port %1</source>
        <translation>%1 が使えない原因があります。不合格の各項目に直し方を示します。同じ確認は端末でも実行できます:
ktv4cli doctor --port %1</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::PrintCommands</name>
    <message numerus="yes">
        <source>Printed %n page(s).</source>
        <translation>
            <numerusform>%n ページを印刷しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>The printer could not be used.</source>
        <translation>プリンターを使えませんでした。</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>PDF にエクスポート</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF ファイル (*.pdf)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>All Files (*)</translation>
    </message>
    <message>
        <source>the PDF could not be made</source>
        <translation>PDF を作成できませんでした</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n page(s) to %1.</source>
        <translation>
            <numerusform>%1 に %n ページをエクスポートしました。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::PrintOptionsDialog</name>
    <message>
        <source>Print Channels</source>
        <translation>チャンネルの印刷</translation>
    </message>
    <message>
        <source>List: the grid&apos;s columns</source>
        <translation>一覧: グリッドの列</translation>
    </message>
    <message>
        <source>Card: 150 channels a page</source>
        <translation>カード: 1 ページに 150 チャンネル</translation>
    </message>
    <message>
        <source>Layout:</source>
        <translation>レイアウト:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>チャンネル:</translation>
    </message>
    <message>
        <source>Paper:</source>
        <translation>用紙:</translation>
    </message>
    <message>
        <source>The channels in use</source>
        <translation>使用中のチャンネル</translation>
    </message>
    <message numerus="yes">
        <source>The %n selected channel(s)</source>
        <translation>
            <numerusform>選択した %n チャンネル</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ProgramInfo</name>
    <message>
        <source>Version 0.20.00 Beta</source>
        <translation>Version 0.20.00 Beta</translation>
    </message>
    <message>
        <source>Reads, edits and writes the clone memory of the KT-V4 HF transceiver.</source>
        <translation>KT-V4 HF トランシーバーのクローンメモリーを読み出し、編集し、書き込みます。</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License (GPL), version 3 or later. It comes with no warranty.</source>
        <translation>GNU 一般公衆利用許諾書 (GPL) バージョン 3 以降のもとで配布するフリーソフトウェアです。無保証です。</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ScheduleImportDialog</name>
    <message numerus="yes">
        <source>%1 and %n other(s)</source>
        <translation>
            <numerusform>%1 ほか %n 局</numerusform>
        </translation>
    </message>
    <message>
        <source>Import Schedule</source>
        <translation>放送スケジュールのインポート</translation>
    </message>
    <message>
        <source>Choose File...</source>
        <translation>ファイルを選ぶ...</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>kHz</source>
        <translation>kHz</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>放送局</translation>
    </message>
    <message>
        <source>Times (UTC)</source>
        <translation>放送時間 (UTC)</translation>
    </message>
    <message>
        <source>Fill the empty channels from:</source>
        <translation>空きチャンネルに入れる開始位置:</translation>
    </message>
    <message>
        <source>Stations</source>
        <translation>放送局の条件</translation>
    </message>
    <message>
        <source>On the air at</source>
        <translation>放送中の時刻</translation>
    </message>
    <message>
        <source>UTC, any day</source>
        <translation>UTC、曜日を問わず</translation>
    </message>
    <message>
        <source>Mo</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Tu</source>
        <translation>火</translation>
    </message>
    <message>
        <source>We</source>
        <translation>水</translation>
    </message>
    <message>
        <source>Th</source>
        <translation>木</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>金</translation>
    </message>
    <message>
        <source>Sa</source>
        <translation>土</translation>
    </message>
    <message>
        <source>Su</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Days:</source>
        <translation>曜日:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>%1 amateur (%2)</source>
        <translation>%1 アマチュア (%2)</translation>
    </message>
    <message>
        <source>Band:</source>
        <translation>バンド:</translation>
    </message>
    <message>
        <source>Frequencies:</source>
        <translation>周波数:</translation>
    </message>
    <message>
        <source>any; codes such as E, F</source>
        <translation>指定なし。E, F などのコード</translation>
    </message>
    <message>
        <source>Languages:</source>
        <translation>言語:</translation>
    </message>
    <message>
        <source>any; codes such as Eu, WEu</source>
        <translation>指定なし。Eu, WEu などのコード</translation>
    </message>
    <message>
        <source>Targets:</source>
        <translation>対象地域:</translation>
    </message>
    <message>
        <source>any; part of the name</source>
        <translation>指定なし。局名の一部</translation>
    </message>
    <message>
        <source>Station:</source>
        <translation>放送局:</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>制限なし</translation>
    </message>
    <message>
        <source>Keeps the frequencies on the air longest each week.</source>
        <translation>週あたりの放送時間が長い周波数から残します。</translation>
    </message>
    <message>
        <source>At most:</source>
        <translation>最大数:</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>stations, frequencies</comment>
        <translation>%1、%2</translation>
    </message>
    <message numerus="yes">
        <source>%n station(s)</source>
        <translation>
            <numerusform>%n 局</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n frequency(ies)</source>
        <translation>
            <numerusform>%n 周波数</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose a schedule file.</source>
        <translation>スケジュールファイルを選んでください。</translation>
    </message>
    <message numerus="yes">
        <source>Only %n empty channel(s) from %1 on, %2 needed: choose an earlier channel or fewer stations.</source>
        <translation>
            <numerusform>%1 以降の空きチャンネルは %n 個しかありません (%2 個必要)。前のチャンネルから始めるか、放送局を絞ってください。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) to make, %1 to %2</source>
        <translation>
            <numerusform>%n チャンネルを作成 (%1 ～ %2)</numerusform>
        </translation>
    </message>
    <message>
        <source>No channel to make.</source>
        <translation>作成するチャンネルはありません。</translation>
    </message>
    <message numerus="yes">
        <source>%n held already by a channel in use</source>
        <translation>
            <numerusform>%n 件は使用中のチャンネルにすでにあります</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left out by the limit</source>
        <translation>
            <numerusform>%n 件は最大数により除外</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n row(s) read, %2 dropped)</source>
        <translation>
            <numerusform>%1 (%n 行を読み込み、%2 行を除外)</numerusform>
        </translation>
    </message>
    <message>
        <source>Broadcast Schedules (*.csv)</source>
        <translation>放送スケジュール (*.csv)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>All Files (*)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::SettingsPanel</name>
    <message>
        <source>Settings 1</source>
        <translation>Settings 1</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>Read Settings</translation>
    </message>
    <message>
        <source>Write Settings</source>
        <translation>Write Settings</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Auto Select</source>
        <translation>Auto Select</translation>
    </message>
    <message>
        <source>IQ Shift(KHz)</source>
        <translation>IQ Shift(KHz)</translation>
    </message>
    <message>
        <source>IQ Shift %1</source>
        <translation>IQ シフト %1</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ShownColumns</name>
    <message>
        <source>Pwr Column(&amp;P)</source>
        <translation>Pwr 列(&amp;P)</translation>
    </message>
    <message>
        <source>Tone Column(&amp;O)</source>
        <translation>Tone 列(&amp;O)</translation>
    </message>
    <message>
        <source>Split Freq. Column(&amp;L)</source>
        <translation>Split Freq. 列(&amp;L)</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::StartupArguments</name>
    <message>
        <source>Reads, edits and writes the clone memory of the KT-V4 HF transceiver.</source>
        <translation>KT-V4 HF トランシーバーのクローンメモリーを読み出し、編集し、書き込みます。</translation>
    </message>
    <message>
        <source>Talk to the radio on DEVICE (such as /dev/ttyUSB0) for this run.</source>
        <translation>今回だけ DEVICE (/dev/ttyUSB0 など) で無線機と通信します。</translation>
    </message>
    <message>
        <source>DEVICE</source>
        <translation>DEVICE</translation>
    </message>
    <message>
        <source>Write every line sent to and received from the radio to FILE.</source>
        <translation>無線機と送受信したすべての行を FILE に書き出します。</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>A clone file (*.TV4) or memory file (*.yaml) to open.</source>
        <translation>開くクローンファイル (*.TV4) またはテキスト形式のメモリ (*.yaml)。</translation>
    </message>
    <message>
        <source>[file]</source>
        <translation>[file]</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::TransferController</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Nothing to write: the radio already holds this image.</source>
        <translation>書き込むものはありません: 無線機はすでにこのデータを保持しています。</translation>
    </message>
    <message>
        <source>Backup not saved: %1</source>
        <translation>バックアップを保存できませんでした: %1</translation>
    </message>
    <message>
        <source>Channel %1 of %2</source>
        <translation>チャンネル %1 / %2</translation>
    </message>
    <message>
        <source>Talking to the radio on %1…</source>
        <translation>%1 で無線機と通信しています…</translation>
    </message>
    <message>
        <source>Identified %1</source>
        <translation>機種を確認しました: %1</translation>
    </message>
    <message>
        <source> (variant A)</source>
        <translation> (バリアント A)</translation>
    </message>
    <message numerus="yes">
        <source>verified: %n record(s)</source>
        <translation>
            <numerusform>照合済み: %n レコード</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::TransferMessages</name>
    <message>
        <source>Help &gt; Check Serial Port… tells what keeps the port from opening and how to fix it.</source>
        <translation>ﾍﾙﾌﾟ &gt; ｼﾘｱﾙﾎﾟｰﾄの確認… で、ポートを開けない原因と直し方がわかります。</translation>
    </message>
    <message>
        <source>You may not open this serial device. On most systems serial ports belong to the group &quot;dialout&quot;: add yourself with &quot;sudo usermod -aG dialout $USER&quot;, then log out and in again.</source>
        <translation>このシリアルデバイスを開く権限がありません。多くのシステムではシリアルポートはグループ「dialout」に属します。&quot;sudo usermod -aG dialout $USER&quot; で自分を追加し、いったんログアウトしてから再びログインしてください。</translation>
    </message>
    <message>
        <source>There is no such device. Check that the cable is plugged in and choose its port under Tool &gt; COM Port Setup.</source>
        <translation>そのデバイスはありません。ケーブルがつながっているか確かめ、ﾂｰﾙ &gt; COM ポートセットアップ でポートを選んでください。</translation>
    </message>
    <message>
        <source>Another program is using the port. Close it and try again.</source>
        <translation>別のプログラムがポートを使用しています。そのプログラムを閉じてからやり直してください。</translation>
    </message>
    <message>
        <source>Tool &gt; Write &gt; Changes sends only what is left.</source>
        <translation>ﾂｰﾙ &gt; 書き込み &gt; 変更分 で残りだけを送ります。</translation>
    </message>
    <message>
        <source>Check that the radio is on and in clone mode.</source>
        <translation>無線機の電源が入り、クローンモードになっているか確かめてください。</translation>
    </message>
    <message>
        <source>Check that the cable is plugged in.</source>
        <translation>ケーブルがつながっているか確かめてください。</translation>
    </message>
    <message>
        <source>Help &gt; Check Serial Port… checks the port and asks the radio.</source>
        <translation>ﾍﾙﾌﾟ &gt; ｼﾘｱﾙﾎﾟｰﾄの確認… でポートを確認し、無線機に問い合わせます。</translation>
    </message>
    <message>
        <source>Read the settings and both VFOs from %1</source>
        <translation>%1 から設定と両方の VFO を読み出しました</translation>
    </message>
    <message>
        <source>Read %1 channels from %2</source>
        <translation>%2 から %1 チャンネルを読み出しました</translation>
    </message>
    <message>
        <source>Read the settings, both VFOs and %1 channels from %2</source>
        <translation>%2 から設定、両方の VFO、%1 チャンネルを読み出しました</translation>
    </message>
    <message>
        <source>Nothing was written: the radio already holds this image.</source>
        <translation>何も書き込んでいません: 無線機はすでにこのデータを保持しています。</translation>
    </message>
    <message>
        <source>Cancelled: nothing written</source>
        <translation>中止しました: 何も書き込んでいません</translation>
    </message>
    <message>
        <source>Cancelled: %1 written</source>
        <translation>中止しました: %1 を書き込みました</translation>
    </message>
    <message>
        <source>Cancelled: nothing read</source>
        <translation>中止しました: 何も読み出していません</translation>
    </message>
    <message>
        <source>Cancelled: %1 read</source>
        <translation>中止しました: %1 を読み出しました</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 (port %2)</source>
        <translation>%1 (ポート %2)</translation>
    </message>
    <message>
        <source>Write cancelled</source>
        <translation>書き込みを中止しました</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::UndoHistory</name>
    <message>
        <source>Undo(&amp;U)</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>Undo %1(&amp;U)</source>
        <translation>元に戻す: %1(&amp;U)</translation>
    </message>
    <message>
        <source>Redo(&amp;R)</source>
        <translation>やり直し(&amp;R)</translation>
    </message>
    <message>
        <source>Redo %1(&amp;R)</source>
        <translation>やり直し: %1(&amp;R)</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::UserPrompts</name>
    <message>
        <source>ERROR</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>%1 holds comments of its own.</source>
        <translation>%1 には独自のコメントがあります。</translation>
    </message>
    <message>
        <source>The program writes its own layout and does not keep comments. Save anyway?</source>
        <translation>プログラムは独自の形式で書き込むため、コメントは保持されません。保存しますか?</translation>
    </message>
</context>
<context>
    <name>ktv4::ui::WritePreviewDialog</name>
    <message>
        <source>Write Settings</source>
        <translation>設定の書き込み</translation>
    </message>
    <message>
        <source>Write Memory</source>
        <translation>メモリーの書き込み</translation>
    </message>
    <message>
        <source>Write Changes</source>
        <translation>変更分の書き込み</translation>
    </message>
    <message>
        <source>Write ALL</source>
        <translation>すべての書き込み</translation>
    </message>
    <message>
        <source> (variant A)</source>
        <translation> (バリアント A)</translation>
    </message>
    <message>
        <source>Model: %1</source>
        <translation>機種: %1</translation>
    </message>
    <message>
        <source>Channels in use: %1 of %2</source>
        <translation>使用中のチャンネル: %2 中 %1</translation>
    </message>
    <message>
        <source>The radio identified itself as %1, but this image is for %2.</source>
        <translation>無線機は %1 と応答しましたが、このデータは %2 用です。</translation>
    </message>
    <message>
        <source>Nothing is known of what the radio holds: it has not been read or written in this session. This write sends %1:</source>
        <translation>無線機の内容は不明です (このセッションではまだ読み出しも書き込みもしていません)。この書き込みでは %1 を送ります:</translation>
    </message>
    <message>
        <source>The radio already holds what this write sends (%1).</source>
        <translation>無線機はすでにこの書き込みの内容 (%1) を保持しています。</translation>
    </message>
    <message>
        <source>Compared with what the radio last held, this write of %1 changes:</source>
        <translation>無線機が最後に保持していた内容と比べて、この %1 の書き込みで変わるもの:</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>書き込み</translation>
    </message>
    <message>
        <source>will be read first</source>
        <translation>先に読み出します</translation>
    </message>
    <message>
        <source>%1: what the radio holds is replaced</source>
        <translation>%1: 無線機の内容を置き換えます</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Nothing is known of what the radio holds: it has not been read or written in this session.</source>
        <translation>無線機の内容は不明です (このセッションではまだ読み出しも書き込みもしていません)。</translation>
    </message>
    <message>
        <source>Nothing is known to differ from what the radio holds.</source>
        <translation>無線機の内容と異なることがわかっているものはありません。</translation>
    </message>
    <message>
        <source>Records never read are read first. Where they differ from this image they are left as the radio holds them, and the next Write Changes shows how they differ.</source>
        <translation>読み出したことのないレコードは先に読み出します。このデータと異なっていても無線機の内容のまま残し、次の「変更分の書き込み」で違いを表示します。</translation>
    </message>
    <message>
        <source>%1: not known in the radio, written as they stand</source>
        <translation>%1: 無線機の内容は不明です。そのまま書き込みます</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s)</source>
        <translation>
            <numerusform>%n レコード</numerusform>
        </translation>
    </message>
</context>
</TS>
