<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ktv4</name>
    <message numerus="yes">
        <source>%n check(s) failed.</source>
        <translation>
            <numerusform>%n check failed.</numerusform>
            <numerusform>%n checks failed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>channel(s) %1</source>
        <translation>
            <numerusform>channel %1</numerusform>
            <numerusform>channels %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ChirpImportReport</name>
    <message numerus="yes">
        <source>Imported %n channel(s)</source>
        <translation>
            <numerusform>Imported %n channel</numerusform>
            <numerusform>Imported %n channels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n adjusted</source>
        <translation>
            <numerusform>%n adjusted</numerusform>
            <numerusform>%n adjusted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>dropped %n row(s)</source>
        <translation>
            <numerusform>dropped %n row</numerusform>
            <numerusform>dropped %n rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) replaced an earlier row for the same channel</source>
        <translation>
            <numerusform>%n row replaced an earlier row for the same channel</numerusform>
            <numerusform>%n rows replaced an earlier row for the same channel</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::CsvImport</name>
    <message numerus="yes">
        <source>%n channel(s) imported</source>
        <translation>
            <numerusform>%n channel imported</numerusform>
            <numerusform>%n channels imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) replaced an earlier row for the same channel</source>
        <translation>
            <numerusform>%n row replaced an earlier row for the same channel</numerusform>
            <numerusform>%n rows replaced an earlier row for the same channel</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n naming no channel</source>
        <translation>
            <numerusform>%n naming no channel</numerusform>
            <numerusform>%n naming no channel</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with no frequency or one outside 30 kHz to 35 MHz</source>
        <translation>
            <numerusform>%n with no frequency or one outside 30 kHz to 35 MHz</numerusform>
            <numerusform>%n with no frequency or one outside 30 kHz to 35 MHz</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with an unknown mode</source>
        <translation>
            <numerusform>%n with an unknown mode</numerusform>
            <numerusform>%n with an unknown mode</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with an unknown AGC</source>
        <translation>
            <numerusform>%n with an unknown AGC</numerusform>
            <numerusform>%n with an unknown AGC</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with an unknown filter</source>
        <translation>
            <numerusform>%n with an unknown filter</numerusform>
            <numerusform>%n with an unknown filter</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with a quote left open at the end of its line</source>
        <translation>
            <numerusform>%n with a quote left open at the end of its line</numerusform>
            <numerusform>%n with a quote left open at the end of its line</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) dropped</source>
        <translation>
            <numerusform>%n row dropped</numerusform>
            <numerusform>%n rows dropped</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::MemoryPanel</name>
    <message numerus="yes">
        <source>%n channel(s)</source>
        <translation>
            <numerusform>%n channel</numerusform>
            <numerusform>%n channels</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4cli</name>
    <message numerus="yes">
        <source>expects %n file argument(s)</source>
        <translation>
            <numerusform>expects %n file argument</numerusform>
            <numerusform>expects %n file arguments</numerusform>
        </translation>
    </message>
</context>
</TS>
