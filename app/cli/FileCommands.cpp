// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliCommand.h"
#include "app/cli/CliParser.h"
#include "app/cli/CliPaths.h"

#include "files/CloneDocument.h"
#include "files/ImageFile.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <optional>

namespace ktv4::cli {

namespace {

// A field's code as the record holds it: the frequency in hertz, a code byte, 1 for skipped.
qint64 recordValue(const RecordBytes &record, ChannelColumn column)
{
    constexpr int kCodeOffsets[] = {-1, 1, 2, 3, 4, 6, 7, 9};
    switch (column) {
    case ColFrequency:
        return readInt32(record, 16);
    case ColSplit:
        return readInt32(record, 28);
    case ColName:
        return 0;
    case ColSkip:
        return record[0] == 0x88 ? 1 : 0;
    default:
        return record[kCodeOffsets[column]];
    }
}

// Each field by its column title: its code as the record holds it and the text the grid shows.
template <typename Value, typename TextOf>
QJsonObject fieldsJson(const Value &value, const RecordBytes &record, int count, TextOf textOf)
{
    QJsonObject object;
    const QStringList &titles = channelColumnTitles();
    for (int c = 0; c < count; ++c)
        object.insert(titles[c], QJsonObject{{"value", recordValue(record, ChannelColumn(c))},
                                             {"text", textOf(value, ChannelColumn(c))}});
    return object;
}

// The selected item; a transmit-side byte kept from outside its list shows as that byte.
QString settingText(const SettingDescriptor &d, const SettingsValues &values)
{
    const int position = listPosition(d, values);
    if (position >= 0)
        return d.items[position];
    return QStringLiteral("byte 0x%1, not in the list").arg(values.*d.member & 0xFF, 2, 16, QLatin1Char('0'));
}

void dumpText(const CloneDocument &document, QTextStream &out)
{
    const RadioImage &image = document.image();
    out << "Model: " << modelOptionCaption(document.modelIndex())
        << (document.cloneVariantA() ? " (variant A)" : "") << "\n\nSettings\n";
    for (const SettingDescriptor &d : settingDescriptors())
        out << QStringLiteral("  %1 %2\n")
                   .arg(d.caption + QLatin1Char(':'), -20)
                   .arg(settingText(d, image.settings.values));
    out << QStringLiteral("  %1 %2\n")
               .arg(QStringLiteral("IQ Shift(KHz):"), -20)
               .arg(iqShiftText(image.settings.values.Slider1));

    const QStringList &titles = channelColumnTitles();
    auto header = [&](const QString &label, int columns) {
        out << QStringLiteral("%1").arg(label, -6);
        for (int c = 0; c < columns; ++c)
            out << QStringLiteral(" %1").arg(titles[c], c == ColFrequency || c == ColSplit ? -11 : -7);
        out << "\n";
    };
    auto row = [&](const QString &label, const auto &value, int columns, auto textOf) {
        out << QStringLiteral("%1").arg(label, -6);
        for (int c = 0; c < columns; ++c)
            out << QStringLiteral(" %1").arg(textOf(value, ChannelColumn(c)),
                                             c == ColFrequency || c == ColSplit ? -11 : -7);
        out << "\n";
    };

    out << "\nVFOs\n";
    header(QString(), kVfoColumns);
    for (int v = 0; v < kVfoCount; ++v)
        row(vfoLabel(v), image.vfos[v], kVfoColumns, vfoFieldText);

    const int inUse = channelsInUse(image.channels);
    out << "\nChannels in use: " << inUse << " of " << kChannelCount << "\n";
    if (inUse) {
        header(QString(), kChannelColumns);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            if (image.channels[ch].inUse)
                row(gridRowLabel(ch), image.channels[ch], kChannelColumns, channelFieldText);
        }
    }
}

QJsonObject dumpJson(const CloneDocument &document)
{
    const RadioImage &image = document.image();
    const SettingsValues &values = image.settings.values;
    QJsonObject settings;
    for (const SettingDescriptor &d : settingDescriptors()) {
        QJsonObject setting{
            {"caption", d.caption}, {"position", listPosition(d, values)}, {"text", settingText(d, values)}};
        // The transmit-side settings keep a byte outside their lists; scripts see the byte itself.
        if (d.keepsUnlistedByte)
            setting.insert("byte", values.*d.member);
        settings.insert(QLatin1String(d.control), setting);
    }
    settings.insert("Slider1", QJsonObject{{"caption", "IQ Shift(KHz)"},
                                           {"value", values.Slider1},
                                           {"text", iqShiftText(values.Slider1)}});
    QJsonArray vfos;
    for (int v = 0; v < kVfoCount; ++v) {
        QJsonObject vfo =
            fieldsJson<RadioFields>(image.vfos[v], encodeVfo(image.vfos[v]), kVfoColumns, vfoFieldText);
        vfo.insert("label", vfoLabel(v));
        vfos.append(vfo);
    }
    QJsonArray channels;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (!image.channels[ch].inUse)
            continue;
        const Channel &c = image.channels[ch];
        QJsonObject channel = fieldsJson(c, encodeChannel(c), kChannelColumns, channelFieldText);
        channel.insert("index", ch);
        channel.insert("label", gridRowLabel(ch));
        channels.append(channel);
    }
    return QJsonObject{{"model", document.modelIndex()},
                       {"modelCaption", modelOptionCaption(document.modelIndex())},
                       {"variantA", document.cloneVariantA()},
                       {"settingsData1", recordText(encodeSettings(image.settings, 1))},
                       {"settingsData2", recordText(encodeSettings(image.settings, 2))},
                       {"settings", settings},
                       {"vfos", vfos},
                       {"channels", channels}};
}

// --format: the program's own CSV layout, or the other tool's.
const QCommandLineOption kFormatOption("format", "CSV layout: own (the program's, the default) or chirp.",
                                       "FORMAT", "own");

// Nothing, or the usage error's exit code.
std::optional<int> checkFormat(const CliParser &parser)
{
    const QString format = parser.value(kFormatOption);
    if (format != QLatin1String("own") && format != QLatin1String("chirp"))
        return parser.usageError("--format must be own or chirp");
    return std::nullopt;
}

bool isChirp(const CliParser &parser)
{
    return parser.value(kFormatOption) == QLatin1String("chirp");
}

void printChirpReport(const ChirpImportReport &report)
{
    QTextStream err(stderr);
    for (const QString &line : report.noteLines())
        err << line << "\n";
    err << report.summary() << "\n";
}

} // namespace

int writeOutput(const QByteArray &bytes)
{
    QString error;
    if (writeStandardOutput(bytes, error))
        return ExitOk;
    printError(messageText(FileStatus::FileOpenError), error);
    return ExitFailure;
}

int writeText(const QString &text)
{
    return writeOutput(text.toUtf8());
}

QString fileDetail(const QString &path, const QString &detail, const QString &role)
{
    const QString name = QDir::toNativeSeparators(path);
    if (detail.contains(name))
        return detail;
    const QString named = role.isEmpty() ? name : role + QLatin1Char(' ') + name;
    return detail.isEmpty() ? named : named + QStringLiteral(": ") + detail;
}

bool loadInput(CloneDocument &document, const QString &path, const QString &role)
{
    const FileResult result = document.load(path);
    if (!result.ok()) {
        printError(messageText(result.status), fileDetail(path, result.detail, role));
        return false;
    }
    return true;
}

int saveOutput(CloneDocument &document, const QString &path, ImageFormat standardOutputFormat)
{
    if (isStandardOutput(path))
        return writeOutput(imageFileBytes(standardOutputFormat, document.image(), document.modelIndex(),
                                          document.cloneVariantA()));
    const FileResult result = document.save(path);
    if (!result.ok()) {
        printError(messageText(result.status), result.detail);
        return ExitFailure;
    }
    return ExitOk;
}

int runNew(const QStringList &arguments)
{
    CliParser parser(
        "new", "Saves the image the program starts with: default settings and VFOs, 604 empty channels.");
    QCommandLineOption model("model", "Model option 0..3 (J, T, E, PN-31/32); 2 by default.", "N", "2");
    QCommandLineOption variantA("variant-a", "Write the header of the A variant.");
    parser.addOption(model);
    parser.addOption(variantA);
    parser.addOutputOption();
    if (const int code = parser.parse(arguments, 0); code >= 0)
        return code;
    bool ok = false;
    const int modelIndex = parser.value(model).toInt(&ok);
    if (!ok || modelIndex < 0 || modelIndex >= kModelOptionCount)
        return parser.usageError("--model must be 0, 1, 2 or 3");
    if (const int code = checkCommandPaths("new", {{"-o", parser.output(), true}}); code >= 0)
        return code;

    CloneDocument document;
    document.setIdentified(modelIndex, parser.isSet(variantA));
    document.newImage();
    return saveOutput(document, parser.output());
}

int runConvert(const QStringList &arguments)
{
    CliParser parser("convert", "Loads a clone file or a memory file and saves it again, checked, in the\n"
                                "program's own layout. Each file's form follows its name: .yaml and .yml\n"
                                "are memory files (the radio's memory as text), anything else clone files.");
    parser.addPositionalArgument("IN.TV4", "Clone file (.TV4) or memory file (.yaml, .yml) to read.");
    parser.addOutputOption();
    const QCommandLineOption to("to", "The form of -o -: tv4 (the default) or yaml.", "FORMAT");
    parser.addOption(to);
    if (const int code = parser.parse(arguments, 1); code >= 0)
        return code;
    const QString format = parser.value(to).toLower();
    if (parser.isSet(to) && format != QLatin1String("tv4") && format != QLatin1String("yaml"))
        return parser.usageError("--to must be tv4 or yaml");
    const ImageFormat chosen =
        format == QLatin1String("yaml") ? ImageFormat::MemoryFile : ImageFormat::CloneFile;
    if (parser.isSet(to) && !isStandardOutput(parser.output()) &&
        imageFormatForPath(parser.output()) != chosen)
        return parser.usageError(
            QStringLiteral("--to %1 does not match the name %2; memory files end in .yaml "
                           "or .yml")
                .arg(format, parser.output()));
    if (const int code = checkCommandPaths(
            "convert", {{"IN.TV4", parser.positionalArguments().at(0)}, {"-o", parser.output(), true}});
        code >= 0)
        return code;
    CloneDocument document;
    if (!loadInput(document, parser.positionalArguments().at(0)))
        return ExitFailure;
    return saveOutput(document, parser.output(), chosen);
}

int runDump(const QStringList &arguments)
{
    CliParser parser("dump", "Shows what a clone file holds: settings, VFOs and the channels in use.");
    parser.addPositionalArgument("IN.TV4", "Clone file (.TV4) or memory file (.yaml, .yml) to read.");
    QCommandLineOption json("json", "Print JSON for scripts.");
    QCommandLineOption duplicates(
        "duplicates", "List only the channels whose frequency and mode repeat an earlier channel's.");
    parser.addOptions({json, duplicates});
    if (const int code = parser.parse(arguments, 1); code >= 0)
        return code;
    CloneDocument document;
    if (!loadInput(document, parser.positionalArguments().at(0)))
        return ExitFailure;
    if (parser.isSet(duplicates))
        return writeText(duplicatesText(document.image().channels));
    if (parser.isSet(json))
        return writeOutput(QJsonDocument(dumpJson(document)).toJson(QJsonDocument::Indented));
    QString text;
    QTextStream out(&text);
    dumpText(document, out);
    out.flush();
    return writeText(text);
}

int runExportCsv(const QStringList &arguments)
{
    CliParser parser("export-csv", "Writes the channels in use of a clone file to a CSV file.");
    parser.addPositionalArgument("IN.TV4", "Clone file (.TV4) or memory file (.yaml, .yml) to read.");
    parser.addOutputOption();
    parser.addOption(kFormatOption);
    if (const int code = parser.parse(arguments, 1); code >= 0)
        return code;
    if (const std::optional<int> code = checkFormat(parser))
        return *code;
    if (const int code = checkCommandPaths(
            "export-csv", {{"IN.TV4", parser.positionalArguments().at(0)}, {"-o", parser.output(), true}});
        code >= 0)
        return code;
    CloneDocument document;
    if (!loadInput(document, parser.positionalArguments().at(0)))
        return ExitFailure;
    if (isStandardOutput(parser.output())) {
        const RadioImage &image = document.image();
        return writeOutput(isChirp(parser)
                               ? chirpCsvExportBytes(image.channels, image.settings.values.cmbTone)
                               : csvExportBytes(image.channels));
    }
    const FileResult result =
        isChirp(parser) ? document.exportChirpCsv(parser.output()) : document.exportCsv(parser.output());
    if (!result.ok()) {
        printError(messageText(result.status), result.detail);
        return ExitFailure;
    }
    return ExitOk;
}

int runImportCsv(const QStringList &arguments)
{
    CliParser parser("import-csv",
                     "Merges the channels of a CSV file into a clone file's channels and saves the result.");
    parser.addPositionalArgument("IN.TV4", "Clone file (.TV4) or memory file (.yaml, .yml) to start from.");
    parser.addPositionalArgument("IN.csv", "CSV file to import.");
    parser.addOutputOption();
    QCommandLineOption csvOut("csv-out", "Also export the channels as they stand after the import.",
                              "OUT.csv");
    parser.addOption(csvOut);
    parser.addOption(kFormatOption);
    if (const int code = parser.parse(arguments, 2); code >= 0)
        return code;
    if (const std::optional<int> code = checkFormat(parser))
        return *code;
    if (const int code =
            checkCommandPaths("import-csv", {{"IN.TV4", parser.positionalArguments().at(0)},
                                             {"IN.csv", parser.positionalArguments().at(1), false},
                                             {"-o", parser.output(), true},
                                             {"--csv-out", parser.value(csvOut), true}});
        code >= 0)
        return code;
    CloneDocument document;
    if (!loadInput(document, parser.positionalArguments().at(0)))
        return ExitFailure;
    const QString csvPath = parser.positionalArguments().at(1);
    FileResult imported;
    QString summary; // what an import in the program's own layout did, said once all is saved
    if (isChirp(parser)) {
        const ChirpImport import = document.importChirpCsv(csvPath);
        imported = import.result;
        if (imported.ok())
            printChirpReport(import.report);
    } else {
        const CsvImportResult import = document.importCsv(csvPath);
        imported = import.result;
        summary = csvImportSummary(import);
    }
    if (!imported.ok()) {
        printError(messageText(imported.status), imported.detail);
        return ExitFailure;
    }
    // Both outputs or neither: the CSV file is written aside first and put in place only after the
    // clone file was saved.
    const QString csvOutPath = parser.value(csvOut);
    const RadioImage &image = document.image();
    const QByteArray csvBytes = isChirp(parser)
                                    ? chirpCsvExportBytes(image.channels, image.settings.values.cmbTone)
                                    : csvExportBytes(image.channels);
    PreparedSave csv;
    if (parser.isSet(csvOut) && !isStandardOutput(csvOutPath)) {
        if (const FileResult prepared = csv.prepare(csvOutPath, csvBytes); !prepared.ok()) {
            printError(messageText(prepared.status), prepared.detail);
            return ExitFailure;
        }
    }
    if (const int code = saveOutput(document, parser.output()); code != ExitOk)
        return code;
    if (parser.isSet(csvOut) && isStandardOutput(csvOutPath))
        return writeOutput(csvBytes);
    if (parser.isSet(csvOut)) {
        if (const FileResult committed = csv.commit(); !committed.ok()) {
            printError(messageText(committed.status), committed.detail);
            return ExitFailure;
        }
    }
    // How many rows were taken and why others were not, as the window's status bar says it.
    if (!summary.isEmpty())
        QTextStream(stderr) << summary << "\n";
    return ExitOk;
}

} // namespace ktv4::cli
