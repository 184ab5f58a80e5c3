// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ArrangeCommands.h"

#include "files/CloneDocument.h"
#include "model/ChannelOrder.h"
#include "ui/ArrangeDialog.h"
#include "ui/MemoryPanel.h"
#include "ui/PrintCommands.h"

#include <QAction>
#include <QMenu>

namespace ktv4::ui {

ArrangeCommands::ArrangeCommands(CloneDocument &document, UserPrompts &prompts, MemoryPanel &panel,
                                 QWidget *window)
    : QObject(window), m_document(document), m_panel(panel), m_dialog(new ArrangeDialog(document, window)),
      m_print(new PrintCommands(document, prompts, panel, window))
{
    connect(m_dialog, &ArrangeDialog::arranged, this,
            [this](int moved) { emit statusMessage(tr("Arranged: %n channel(s) moved.", nullptr, moved)); });
    connect(m_print, &PrintCommands::statusMessage, this, &ArrangeCommands::statusMessage);
}

QList<QAction *> ArrangeCommands::addEditItems(QMenu *edit)
{
    edit->addSeparator();
    QAction *arrange = edit->addAction(tr("Arrange(&G)..."));
    arrange->setObjectName(QStringLiteral("mnuEditArrange"));
    QAction *duplicates = edit->addAction(tr("Select Duplicates(&D)"));
    duplicates->setObjectName(QStringLiteral("mnuEditDuplicates"));
    connect(arrange, &QAction::triggered, this, &ArrangeCommands::arrange);
    connect(duplicates, &QAction::triggered, this, &ArrangeCommands::selectDuplicates);
    return {arrange};
}

void ArrangeCommands::addFileItems(QMenu *file, QAction *print)
{
    QAction *preview = new QAction(tr("Print Preview(&V)..."), file);
    preview->setObjectName(QStringLiteral("mnuFilePrintPreview"));
    QAction *pdf = new QAction(tr("Export PDF(&D)..."), file);
    pdf->setObjectName(QStringLiteral("mnuFileExportPdf"));
    const QList<QAction *> items = file->actions();
    const qsizetype at = items.indexOf(print) + 1;
    QAction *before = at > 0 && at < items.size() ? items[at] : nullptr;
    file->insertActions(before, {preview, pdf});
    print->setShortcuts(QKeySequence::Print);
    connect(print, &QAction::triggered, m_print, &PrintCommands::print);
    connect(preview, &QAction::triggered, m_print, &PrintCommands::printPreview);
    connect(pdf, &QAction::triggered, m_print, &PrintCommands::exportPdf);
}

void ArrangeCommands::arrange()
{
    m_dialog->prepare(m_panel.selectedChannels());
    m_dialog->exec();
}

int ArrangeCommands::selectDuplicates()
{
    const QList<int> duplicates = duplicateChannels(m_document.image().channels);
    if (!duplicates.isEmpty())
        m_panel.selectChannelList(duplicates);
    const int count = int(duplicates.size());
    emit statusMessage(tr("%n duplicate(s) selected", nullptr, count));
    return int(duplicates.size());
}

} // namespace ktv4::ui
