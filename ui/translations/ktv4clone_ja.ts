<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>ktv4::ui::MainWindow</name>
    <message>
        <source>File(&amp;F)</source>
        <translation>ﾌｧｲﾙ(&amp;F)</translation>
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
        <source>Import(&amp;I)...</source>
        <translation>ｲﾝﾎﾟｰﾄ(&amp;I)...</translation>
    </message>
    <message>
        <source>Export(&amp;E)...</source>
        <translation>ｴｸｽﾎﾟｰﾄ(&amp;E)...</translation>
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
        <source>Undo(&amp;U)</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>Redo(&amp;R)</source>
        <translation>やり直し(&amp;R)</translation>
    </message>
    <message>
        <source>Undo %1(&amp;U)</source>
        <translation>元に戻す: %1(&amp;U)</translation>
    </message>
    <message>
        <source>Redo %1(&amp;R)</source>
        <translation>やり直し: %1(&amp;R)</translation>
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
</TS>
