// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one image and the state that goes with it: the current clone file, the caption,
// the unsaved-changes flag, the model option and the header variant. The window and the command
// line both work through it, so the rules for New, Open, Save, Import and Export live here once.

#include "files/ChirpCsv.h"
#include "files/CloneFile.h"
#include "files/CsvExchange.h"
#include "files/ImageChange.h"
#include "files/SchedulePlan.h"
#include "model/RadioImage.h"
#include "model/RadioMemory.h"

#include <QObject>

namespace ktv4 {

// Keeps the history of the changes a document applies: the window's undo stack. Without one the
// document applies each change itself and just marks itself changed.
class ChangeRecorder {
public:
    virtual ~ChangeRecorder() = default;
    // Makes `change` a step of the history and does it: the step applies `change.after` to the
    // document (again, when it is already there: that changes nothing).
    virtual void record(ImageChange change) = 0;
    // The image as it stands is what the current file holds.
    virtual void markSaved() = 0;
    // New or Open: the image starts afresh, with nothing to take back.
    virtual void restart() = 0;
};

class CloneDocument : public QObject {
    Q_OBJECT
public:
    explicit CloneDocument(QObject *parent = nullptr);

    // Read access for views and encoders. Programs change the image with submit(); the writable
    // form only sets up an image before anything shows it (tests, benchmarks).
    RadioImage &image() { return m_image; }
    const RadioImage &image() const { return m_image; }

    // The one way to change the image: the change becomes a step of the recorder's history, whose
    // doing applies `change.after` and announces what changed. An empty change does nothing.
    void submit(ImageChange change);
    // Writes a part into the image and announces it, recording nothing: for the recorder's undo
    // and redo, and for a transfer that shows each record as it arrives and records the whole
    // read at its end.
    void applyPart(const ImagePart &part);
    // A change already applied with applyPart(), for the history.
    void record(ImageChange change);
    void setRecorder(ChangeRecorder *recorder) { m_recorder = recorder; }

    // What the radio attached in this session last held, record by record, and how it last
    // identified itself. Opening or saving files leaves it alone: the radio did not change.
    RadioMemory &radio() { return m_radio; }
    const RadioMemory &radio() const { return m_radio; }

    int modelIndex() const { return m_modelIndex; }
    bool cloneVariantA() const { return m_cloneVariantA; }
    const QString &cloneFileName() const { return m_cloneFileName; }
    bool dataChanged() const { return m_dataChanged; }

    // AppTitle, or AppTitle + " - " + the shown file's name without its folder.
    QString caption() const;

    // A click on a model option, or a loaded header: a change of the model option.
    void selectModel(int modelIndex);
    // The radio's identification: sets the option as a step of the history, without marking the
    // data changed.
    void setIdentified(int modelIndex, bool variantA);
    void setCloneVariantA(bool variantA) { m_cloneVariantA = variantA; }
    void setDataChanged(bool changed);

    // File > New after the save question: default settings and VFOs for the current model
    // option, all channels empty, no current file.
    void newImage();

    // LoadCloneFile, or a memory file (*.yaml, *.yml): all or nothing. A file that fails any check changes
    // nothing at all: not the image, the model option, the variant, the current file, the caption or the
    // changed flag.
    FileResult load(const QString &path);

    // writeCloneFile, or a memory file for *.yaml and *.yml; on success the path becomes the
    // current file, so Save keeps the file's form.
    FileResult save(const QString &path);

    // CSV export. The current clone file, the caption and the changed flag stay: the CSV file is
    // not the image.
    FileResult exportCsv(const QString &path);

    // CSV import into the channel table; the current clone file and the caption stay. Rows
    // merged into the table mark the data changed (also when the file is refused half-way).
    CsvImportResult importCsv(const QString &path);

    // The same two in the other tool's layout. The import stores nothing when the file cannot be
    // read or is not in that layout; otherwise it merges every usable row and reports the others.
    FileResult exportChirpCsv(const QString &path);
    ChirpImport importChirpCsv(const QString &path);

    // A broadcast schedule's planned channels into their empty channels, as one change named
    // after the schedule file. Changes nothing and returns false when the plan does not fit.
    bool importSchedule(const SchedulePlan &plan, const QString &schedulePath);

signals:
    void captionChanged(const QString &caption);
    void modelChanged(int modelIndex);
    void dataChangedChanged(bool changed);
    // Settings, VFOs and channels were replaced as a whole (New, Open).
    void imageReplaced();
    // Parts of the image changed: channels first..last (both included), one VFO, the settings.
    void channelsChanged(int first, int last);
    void vfoChanged(int vfo);
    void settingsChanged();

private:
    void setCloneFileName(const QString &cloneFileName);

    RadioImage m_image;
    RadioMemory m_radio;
    int m_modelIndex = kStartupModelOption;
    bool m_cloneVariantA = false;
    QString m_cloneFileName;
    bool m_dataChanged = false;
    ChangeRecorder *m_recorder = nullptr;
};

} // namespace ktv4
