// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Memory" tab: the memory grid over the channel table, the six buttons that edit the table
// (Clear, Up, Insert / Clear All, Down, Delete) and the two memory transfer buttons.
//
// Clear, Insert and Delete act on the selected rows (Shift and Ctrl extend the selection). Every
// edit is one change handed to the document; the grid follows the document's announcements.

#include <QWidget>

class QLayout;
class QLineEdit;
class QPushButton;
class QTableView;

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class ChannelSortProxy;
class ChannelTableModel;
class ModifyDialog;
class UserPrompts;

class MemoryPanel : public QWidget {
    Q_OBJECT
public:
    // The grid shows at least this many rows, and more when the window grows.
    static constexpr int kRowsInView = 13;

    MemoryPanel(CloneDocument &document, UserPrompts &prompts, QWidget *parent = nullptr);

    // The channel model, and the sorted view of it the grid shows (grid rows are its rows).
    ChannelTableModel *model() const { return m_model; }
    ChannelSortProxy *sortProxy() const { return m_sort; }
    QTableView *grid() const { return m_grid; }

    // The channel Modify acts on: the grid's current row minus its title row.
    int currentChannel() const;
    // The channels of the selected rows, in order; the current channel when nothing is selected.
    QList<int> selectedChannels() const;
    // Selects channels first..last as whole rows, first current.
    void selectChannels(int first, int last);
    // Selects these channels as whole rows, the first current; wherever a sort shows them.
    void selectChannelList(const QList<int> &channels);
    // Makes `channel` the current row with the whole row selected; the view does not move.
    void selectChannel(int channel);
    // The top visible row (the channel index there while the view is not sorted).
    int topChannel() const;
    void setTopChannel(int channel);

    // While a transfer runs: the edit and transfer buttons are disabled and a double-click does
    // nothing. The grid itself stays scrollable.
    void setBusy(bool busy);
    bool isBusy() const { return m_busy; }

    // The dialog a double-click opens; the panel applies the channel its OK gives back.
    void setModifyDialog(ModifyDialog *dialog);

    // Shows the hidden-by-default columns among `columns` (ColPwr, ColTone, ColSplit) and hides
    // the others of them.
    void setShownColumns(const QList<int> &columns);

public slots:
    void refreshAll(); // every row redrawn from the channel table
    void refreshChannel(int channel);

    // Edit > Modify on the Memory tab: the dialog for the current row.
    void modifyCurrentChannel();

    // Edit > Cut, Copy, Paste: the selected channels to the clipboard (Cut then empties them);
    // Paste fills from the current row onwards.
    void copyChannels();
    void cutChannels();
    void pasteChannels();
    // Edit > Find: the find field above the grid; Enter in it goes to the next channel whose
    // label, name or frequency matches.
    void showFind();
    // The next channel after the current row that matches `text`, wrapping; -1 when none does.
    int findChannel(const QString &text) const;

    // The buttons.
    void clearChannel();  // cmbClear: the selected channels
    void moveUp();        // Command5
    void insertChannel(); // cmbInsert: as many empty channels as rows are selected
    void clearAll();      // cmbClAll
    void moveDown();      // Command4
    void deleteChannel(); // cmbDelete: the selected channels

signals:
    void readMemoryRequested();  // "Read Memory"
    void writeMemoryRequested(); // "Write Memory"
    // What the status bar should say about the last command, e.g. why it did nothing.
    void statusMessage(const QString &text);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool confirm(const QString &title, const QString &question);
    void openEditor(int channel);
    // Insert and Delete act in the first bank only; says so when the selection lies outside it.
    QList<int> firstBankSelection(const QString &command);
    void layOutGrid();
    int currentRow() const;
    void selectRow(int row);
    void createGrid(QWidget *frame);
    // Edit > Find's field above the grid.
    void createFindField(QWidget *frame);
    // The six edit buttons in two rows, the two transfer buttons beside them.
    QLayout *buttonRows();

    CloneDocument &m_document;
    UserPrompts &m_prompts;
    ChannelTableModel *m_model;
    ChannelSortProxy *m_sort;
    QTableView *m_grid;
    ModifyDialog *m_dialog = nullptr;
    QList<int> m_shownColumns;
    QPushButton *m_clearButton;
    QPushButton *m_upButton;
    QPushButton *m_insertButton;
    QPushButton *m_clearAllButton;
    QPushButton *m_downButton;
    QPushButton *m_deleteButton;
    QPushButton *m_readMemoryButton;
    QPushButton *m_writeMemoryButton;
    QLineEdit *m_findField;
    bool m_busy = false;
};

} // namespace ktv4::ui
