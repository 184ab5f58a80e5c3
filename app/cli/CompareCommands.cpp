// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliCommand.h"
#include "app/cli/CliParser.h"

#include "files/Backups.h"
#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "model/ImageDiff.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace ktv4::cli {

namespace {

// diff(1)'s exit codes.
enum DiffExit { DiffSame = 0, DiffDifferent = 1, DiffTrouble = 2 };

QString modelText(int modelIndex, bool variantA)
{
    return modelOptionCaption(modelIndex) + (variantA ? QStringLiteral(" (variant A)") : QString());
}

QJsonArray fieldsJson(const QList<FieldChange> &fields)
{
    QJsonArray array;
    for (const FieldChange &f : fields)
        array.append(QJsonObject{{"field", f.field}, {"before", f.before}, {"after", f.after}});
    return array;
}

QString changeKind(ChannelChange::Kind kind)
{
    switch (kind) {
    case ChannelChange::Added:
        return QStringLiteral("added");
    case ChannelChange::Removed:
        return QStringLiteral("removed");
    case ChannelChange::Changed:
        break;
    }
    return QStringLiteral("changed");
}

QJsonObject diffJson(const ImageDiff &diff, const QList<int> &records)
{
    QJsonArray settings;
    for (const FieldChange &s : diff.settings)
        settings.append(QJsonObject{{"caption", s.field}, {"before", s.before}, {"after", s.after}});
    QJsonArray vfos;
    for (const VfoChange &v : diff.vfos)
        vfos.append(QJsonObject{{"label", vfoLabel(v.vfo)}, {"fields", fieldsJson(v.fields)}});
    QJsonArray channels;
    for (const ChannelChange &c : diff.channels) {
        channels.append(QJsonObject{{"index", c.channel},
                                    {"label", gridRowLabel(c.channel)},
                                    {"change", changeKind(c.kind)},
                                    {"fields", fieldsJson(c.fields)}});
    }
    QJsonArray addresses;
    for (const int address : records)
        addresses.append(addressText(address));
    return QJsonObject{
        {"settings", settings}, {"vfos", vfos}, {"channels", channels}, {"records", addresses}};
}

// A clone file as a write would send it: its records, and its header.
struct Side {
    CloneDocument document;
    ImageRecords records;
};

bool loadSide(Side &side, const QString &path)
{
    const FileResult result = side.document.load(path);
    if (!result.ok()) {
        printError(messageText(result.status), fileDetail(path, result.detail));
        return false;
    }
    side.records = imageRecords(side.document.image());
    return true;
}

} // namespace

int runDiff(const QStringList &arguments)
{
    CliParser parser("diff", "Lists what differs between two clone files: the model, settings by caption,\n"
                             "the VFOs and channels by row label, old -> new. Exit status as diff(1):\n"
                             "0 the same, 1 different, 2 trouble.");
    parser.addPositionalArgument("A.TV4", "The old file.");
    parser.addPositionalArgument("B.TV4", "The new file.");
    const QCommandLineOption json("json", "Print JSON for scripts.");
    parser.addOption(json);
    if (const int code = parser.parse(arguments, 2); code >= 0)
        return code == ExitOk ? DiffSame : DiffTrouble;
    Side a;
    Side b;
    if (!loadSide(a, parser.positionalArguments().at(0)) || !loadSide(b, parser.positionalArguments().at(1)))
        return DiffTrouble;

    const ImageDiff diff = diffImages(a.document.image(), b.document.image());
    const QList<int> records = differingRecords(a.records, b.records);
    const QString modelBefore = modelText(a.document.modelIndex(), a.document.cloneVariantA());
    const QString modelAfter = modelText(b.document.modelIndex(), b.document.cloneVariantA());
    const bool same = records.isEmpty() && diff.isEmpty() && modelBefore == modelAfter;

    QString text;
    QTextStream out(&text);
    if (parser.isSet(json)) {
        QJsonObject object = diffJson(diff, records);
        object.insert("same", same);
        if (modelBefore != modelAfter)
            object.insert("model", QJsonObject{{"before", modelBefore}, {"after", modelAfter}});
        out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    } else {
        if (modelBefore != modelAfter)
            out << "Model: " << modelBefore << " → " << modelAfter << "\n";
        for (const QString &line : describeDiff(diff))
            out << line << "\n";
    }
    out.flush();
    // A list that did not reach its reader is trouble, not an answer.
    if (writeText(text) != ExitOk)
        return DiffTrouble;
    return same ? DiffSame : DiffDifferent;
}

namespace {

// What a backup holds of the radio; for one named before that was part of the name, its channels
// in use.
QString holds(const BackupEntry &backup)
{
    const QString scope = BackupStore::scopeText(backup.scope);
    return scope.isEmpty() ? QStringLiteral("%1 channels in use").arg(BackupStore::channelsInUse(backup.path))
                           : scope;
}

} // namespace

int runBackups(const QStringList &arguments)
{
    CliParser parser("backups", "Lists the automatic backups, newest first: when, which model, read from or\n"
                                "about to be written to the radio, what of it (settings and VFOs, 604\n"
                                "channels, all, changed records), and the file.");
    const QCommandLineOption json("json", "Print JSON for scripts.");
    parser.addOption(json);
    if (const int code = parser.parse(arguments, 0); code >= 0)
        return code;
    const BackupStore store;
    const QList<BackupEntry> backups = store.list();
    QString text;
    QTextStream out(&text);
    if (parser.isSet(json)) {
        QJsonArray array;
        for (const BackupEntry &b : backups) {
            array.append(QJsonObject{{"time", b.time.toString(Qt::ISODate)},
                                     {"model", b.model},
                                     {"reason", b.reason == BackupReason::Read ? "read" : "write"},
                                     {"holds", holds(b)},
                                     {"channelsInUse", BackupStore::channelsInUse(b.path)},
                                     {"path", b.path}});
        }
        return writeOutput(
            QJsonDocument(QJsonObject{{"folder", store.folder()}, {"backups", array}}).toJson());
    }
    if (backups.isEmpty())
        return writeText(QStringLiteral("No backups in %1\n").arg(store.folder()));
    for (const BackupEntry &b : backups) {
        out << QStringLiteral("%1  %2 %3 %4  %5\n")
                   .arg(b.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                   .arg(b.model, -9)
                   .arg(b.reason == BackupReason::Read ? QStringLiteral("read") : QStringLiteral("write"), -5)
                   .arg(holds(b), -17)
                   .arg(b.path);
    }
    out.flush();
    return writeText(text);
}

} // namespace ktv4::cli
