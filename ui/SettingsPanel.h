// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Settings" tab: the VFO grid, the "Model" frame, "Read Settings" / "Write Settings", the
// settings lists in three columns and the "IQ Shift(KHz)" frame. The three transmit-side lists
// (key speed, break-in, tone frequency) close the three columns, where the user can see and
// change what the radio holds.
//
// Each change of a list or of the slider is one change handed to the document (a drag of the
// slider is one step); the lists and the slider follow the document's settings announcements.

#include <QWidget>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTableView;

namespace ktv4 {
class CloneDocument;
struct SettingsValues;
} // namespace ktv4

namespace ktv4::ui {

class VfoTableModel;

class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    // Slider units per step of cmdMN(i) / cmdPL(i).
    static constexpr std::array<int, 6> kIQSteps{1, 5, 10, 50, 100, 500};

    explicit SettingsPanel(CloneDocument &document, QWidget *parent = nullptr);

    VfoTableModel *vfoModel() const { return m_vfoModel; }
    QTableView *vfoGrid() const { return m_vfoGrid; }

    QComboBox *list(const QString &control) const;
    QSlider *slider() const { return m_shiftSlider; }
    QLabel *shiftCaption() const { return m_lblIQShift; }

    // The VFO the grid's current row stands for (0 = VFO A).
    int currentVfo() const;
    // Row "VFO A" current, selected across all its columns.
    void selectFirstVfoRow();

    // Shows the hidden-by-default columns among `columns` (ColPwr, ColTone) in the VFO grid.
    void setShownColumns(const QList<int> &columns);

    // While a transfer runs nothing here that starts one or changes the data can be used.
    void setBusy(bool busy);

public slots:
    // decodeSettingsData's effect on the panel: every list and the slider from the document.
    void refreshSettings();
    void showModel(int modelIndex);

signals:
    void autoSelectRequested();    // cmdAuto
    void readSettingsRequested();  // cmbRxData1
    void writeSettingsRequested(); // cmbTxData1
    void modifyVfoRequested(int vfo);

private:
    QWidget *buildTopRow();
    QWidget *buildModelFrame();
    QWidget *buildShiftFrame();
    QComboBox *buildList(const char *control, QWidget *parent);
    QPushButton *stepButton(const QString &name, const QString &caption, int delta);
    void setShift(int value);
    void submitSettings(const SettingsValues &values, const QString &text, int mergeKey = 0);
    void layOutVfoGrid();

    CloneDocument &m_document;
    VfoTableModel *m_vfoModel;
    QTableView *m_vfoGrid = nullptr;
    QButtonGroup *m_modelOptions = nullptr;
    QPushButton *m_autoSelectButton = nullptr;
    QPushButton *m_readSettingsButton = nullptr;
    QPushButton *m_writeSettingsButton = nullptr;
    QWidget *m_lists = nullptr;
    QWidget *m_shiftFrame = nullptr;
    QWidget *m_modelFrame = nullptr;
    QSlider *m_shiftSlider = nullptr;
    QLabel *m_lblIQShift = nullptr;
    QList<QComboBox *> m_allLists;
    QList<int> m_shownColumns;
    bool m_busy = false;
    bool m_showing = false; // the widgets are being set from the document
    int m_dragKey = 0;      // one per drag of the slider
};

} // namespace ktv4::ui
