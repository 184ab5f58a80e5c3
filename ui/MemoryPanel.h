#pragma once
// The "Memory" tab: the memory grid over the channel table, the six buttons that edit the table
// (Clear, Up, Insert / Clear All, Down, Delete) and the two memory transfer buttons.

#include <QWidget>

class QPushButton;
class QTableView;

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class ChannelTableModel;
class ModifyDialog;
class UserPrompts;

class MemoryPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRowsInView = 13;

    MemoryPanel(CloneDocument &document, UserPrompts &prompts, QWidget *parent = nullptr);

    ChannelTableModel *model() const { return m_model; }
    QTableView *grid() const { return m_grid; }

    // The channel the buttons and Modify act on: the grid's current row minus its title row.
    int currentChannel() const;
    // Makes `channel` the current row with the whole row selected; the view does not move.
    void selectChannel(int channel);
    // Channel index of the top visible row.
    int topChannel() const;
    void setTopChannel(int channel);

    // While a transfer runs: the edit and transfer buttons are disabled and a double-click does
    // nothing. The grid itself stays scrollable.
    void setBusy(bool busy);
    bool isBusy() const { return m_busy; }

    // The dialog a double-click opens; the panel refreshes the row after an edit.
    void setModifyDialog(ModifyDialog *dialog);

public slots:
    void refreshAll(); // every row redrawn from the channel table
    void refreshChannel(int channel);

    // Edit > Modify on the Memory tab: the dialog for the current row.
    void modifyCurrentChannel();

    // The buttons.
    void clearChannel();  // cmbClear
    void moveUp();        // Command5
    void insertChannel(); // cmbInsert
    void clearAll();      // cmbClAll
    void moveDown();      // Command4
    void deleteChannel(); // cmbDelete

signals:
    void readMemoryRequested();  // "Read Memory"
    void writeMemoryRequested(); // "Write Memory"
    void modifyRequested(int channel);

protected:
    void changeEvent(QEvent *event) override;

private:
    bool confirm(const QString &title, const QString &question);
    void emptyChannel(int channel);
    void openEditor(int channel);
    void layOutGrid();

    CloneDocument &m_document;
    UserPrompts &m_prompts;
    ChannelTableModel *m_model;
    QTableView *m_grid;
    ModifyDialog *m_dialog = nullptr;
    QPushButton *m_clear;
    QPushButton *m_up;
    QPushButton *m_insert;
    QPushButton *m_clearAll;
    QPushButton *m_down;
    QPushButton *m_delete;
    QPushButton *m_readMemory;
    QPushButton *m_writeMemory;
    bool m_busy = false;
};

} // namespace ktv4::ui
