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
    <name>ktv4::CloneTransfer</name>
    <message numerus="yes">
        <source>%1 were written; </source>
        <translation>
            <numerusform>%1 was written; </numerusform>
            <numerusform>%1 were written; </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 were not.</source>
        <translation>
            <numerusform>%1 was not.</numerusform>
            <numerusform>%1 were not.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 were read; the rest are as they were.</source>
        <translation>
            <numerusform>%1 was read; the rest are as they were.</numerusform>
            <numerusform>%1 were read; the rest are as they were.</numerusform>
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
    <name>ktv4::SchedulePlan</name>
    <message numerus="yes">
        <source>%n channel(s) made</source>
        <translation>
            <numerusform>%n channel made</numerusform>
            <numerusform>%n channels made</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n duplicate(s) skipped</source>
        <translation>
            <numerusform>%n duplicate skipped</numerusform>
            <numerusform>%n duplicates skipped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n frequency(ies) left out by the limit</source>
        <translation>
            <numerusform>%n frequency left out by the limit</numerusform>
            <numerusform>%n frequencies left out by the limit</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left out for lack of room</source>
        <translation>
            <numerusform>%n left out for lack of room</numerusform>
            <numerusform>%n left out for lack of room</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) read</source>
        <translation>
            <numerusform>%n row read</numerusform>
            <numerusform>%n rows read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) dropped</source>
        <translation>
            <numerusform>%n row dropped</numerusform>
            <numerusform>%n rows dropped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) filtered out</source>
        <translation>
            <numerusform>%n row filtered out</numerusform>
            <numerusform>%n rows filtered out</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n empty channel(s) from the start channel on, %1 needed: nothing written</source>
        <translation>
            <numerusform>%n empty channel from the start channel on, %1 needed: nothing written</numerusform>
            <numerusform>%n empty channels from the start channel on, %1 needed: nothing written</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ArrangeCommands</name>
    <message numerus="yes">
        <source>Arranged: %n channel(s) moved.</source>
        <translation>
            <numerusform>Arranged: %n channel moved.</numerusform>
            <numerusform>Arranged: %n channels moved.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n duplicate(s) selected</source>
        <translation>
            <numerusform>%n duplicate selected</numerusform>
            <numerusform>%n duplicates selected</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ArrangeDialog</name>
    <message numerus="yes">
        <source>The %n selected channel(s)</source>
        <translation>
            <numerusform>The %n selected channel</numerusform>
            <numerusform>The %n selected channels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Write Changes will then send %n record(s).</source>
        <translation>
            <numerusform>Write Changes will then send %n record.</numerusform>
            <numerusform>Write Changes will then send %n records.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) not known in the radio are read first.</source>
        <translation>
            <numerusform>%n record not known in the radio are read first.</numerusform>
            <numerusform>%n records not known in the radio are read first.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) move.</source>
        <translation>
            <numerusform>%n channel move.</numerusform>
            <numerusform>%n channels move.</numerusform>
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
    <name>ktv4::ui::PrintCommands</name>
    <message numerus="yes">
        <source>Printed %n page(s).</source>
        <translation>
            <numerusform>Printed %n page.</numerusform>
            <numerusform>Printed %n pages.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Exported %n page(s) to %1.</source>
        <translation>
            <numerusform>Exported %n page to %1.</numerusform>
            <numerusform>Exported %n pages to %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::PrintOptionsDialog</name>
    <message numerus="yes">
        <source>The %n selected channel(s)</source>
        <translation>
            <numerusform>The %n selected channel</numerusform>
            <numerusform>The %n selected channels</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::ScheduleImportDialog</name>
    <message numerus="yes">
        <source>%1 and %n other(s)</source>
        <translation>
            <numerusform>%1 and %n other</numerusform>
            <numerusform>%1 and %n others</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n station(s)</source>
        <translation>
            <numerusform>%n station</numerusform>
            <numerusform>%n stations</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n frequency(ies)</source>
        <translation>
            <numerusform>%n frequency</numerusform>
            <numerusform>%n frequencies</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Only %n empty channel(s) from %1 on, %2 needed: choose an earlier channel or fewer stations.</source>
        <translation>
            <numerusform>Only %n empty channel from %1 on, %2 needed: choose an earlier channel or fewer stations.</numerusform>
            <numerusform>Only %n empty channels from %1 on, %2 needed: choose an earlier channel or fewer stations.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) to make, %1 to %2</source>
        <translation>
            <numerusform>%n channel to make, %1 to %2</numerusform>
            <numerusform>%n channels to make, %1 to %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n held already by a channel in use</source>
        <translation>
            <numerusform>%n held already by a channel in use</numerusform>
            <numerusform>%n held already by a channel in use</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left out by the limit</source>
        <translation>
            <numerusform>%n left out by the limit</numerusform>
            <numerusform>%n left out by the limit</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n row(s) read, %2 dropped)</source>
        <translation>
            <numerusform>%1 (%n row read, %2 dropped)</numerusform>
            <numerusform>%1 (%n rows read, %2 dropped)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::TransferController</name>
    <message numerus="yes">
        <source>verified: %n record(s)</source>
        <translation>
            <numerusform>verified: %n record</numerusform>
            <numerusform>verified: %n records</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ktv4::ui::WritePreviewDialog</name>
    <message numerus="yes">
        <source>%n record(s)</source>
        <translation>
            <numerusform>%n record</numerusform>
            <numerusform>%n records</numerusform>
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
    <message numerus="yes">
        <source>verified: %n record(s)</source>
        <translation>
            <numerusform>verified: %n record</numerusform>
            <numerusform>verified: %n records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>different: %n record(s): </source>
        <translation>
            <numerusform>different: %n record: </numerusform>
            <numerusform>different: %n records: </numerusform>
        </translation>
    </message>
</context>
</TS>
