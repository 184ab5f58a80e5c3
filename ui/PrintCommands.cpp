// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PrintCommands.h"

#include "base/FileAccess.h"
#include "files/CloneDocument.h"
#include "ui/ChannelSortProxy.h"
#include "ui/MemoryPanel.h"
#include "ui/UserPrompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTableView>

namespace ktv4::ui {

PrintOptionsDialog::PrintOptionsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgPrintOptions"));
    setWindowTitle(tr("Print Channels"));
    m_layout = new QComboBox(this);
    m_layout->setObjectName(QStringLiteral("cmbPrintLayout"));
    m_layout->addItem(tr("List: the grid's columns"), int(PrintLayout::List));
    m_layout->addItem(tr("Card: 150 channels a page"), int(PrintLayout::Card));
    m_channels = new QComboBox(this);
    m_channels->setObjectName(QStringLiteral("cmbPrintChannels"));
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("cmbPrintPaper"));
    m_paper->addItem(QStringLiteral("A4"), int(QPageSize::A4));
    m_paper->addItem(QStringLiteral("Letter"), int(QPageSize::Letter));
    // Letter where the locale measures in inches, A4 elsewhere.
    if (QLocale().measurementSystem() == QLocale::ImperialUSSystem)
        m_paper->setCurrentIndex(1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(tr("Layout:"), m_layout);
    form->addRow(tr("Channels:"), m_channels);
    form->addRow(tr("Paper:"), m_paper);
    form->addRow(buttons);
}

void PrintOptionsDialog::prepare(int selected, bool askPaper)
{
    m_channels->clear();
    m_channels->addItem(tr("The channels in use"), false);
    if (selected > 1)
        m_channels->addItem(tr("The %n selected channel(s)", nullptr, selected), true);
    m_paper->setEnabled(askPaper);
}

PrintLayout PrintOptionsDialog::layout() const
{
    return PrintLayout(m_layout->currentData().toInt());
}

bool PrintOptionsDialog::selectionOnly() const
{
    return m_channels->currentData().toBool();
}

QPageSize PrintOptionsDialog::paper() const
{
    return QPageSize(QPageSize::PageSizeId(m_paper->currentData().toInt()));
}

PrintCommands::PrintCommands(CloneDocument &document, UserPrompts &prompts, MemoryPanel &panel,
                             QWidget *window)
    : QObject(window), m_document(document), m_prompts(prompts), m_panel(panel), m_window(window),
      m_options(new PrintOptionsDialog(window))
{
}

PrintJob PrintCommands::job() const
{
    PrintJob job;
    job.layout = m_options->layout();
    const ChannelSortProxy *view = m_panel.sortProxy();
    const QList<int> selected = m_panel.selectedChannels();
    for (int row = 0; row < view->rowCount(); ++row) {
        const int channel = view->channelAt(row);
        const bool wanted = m_options->selectionOnly() ? selected.contains(channel)
                                                       : m_document.image().channels[channel].inUse;
        if (wanted)
            job.channels << channel;
    }
    const QHeaderView *header = m_panel.grid()->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column) && header->sectionSize(column) > 0)
            job.columns << column;
    }
    job.fileName = QFileInfo(m_document.cloneFileName()).fileName();
    job.modelIndex = m_document.modelIndex();
    job.date = QDate::currentDate();
    return job;
}

bool PrintCommands::askOptions(bool askPaper)
{
    m_options->prepare(int(m_panel.selectedChannels().size()), askPaper);
    return m_options->exec() == QDialog::Accepted;
}

void PrintCommands::print()
{
    if (!askOptions(false))
        return;
    QPrinter printer;
    QPrintDialog dialog(&printer, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int pages = printChannels(printer, m_document.image(), job());
    emit statusMessage(pages > 0 ? tr("Printed %n page(s).", nullptr, pages)
                                 : tr("The printer could not be used."));
}

void PrintCommands::printPreview()
{
    if (!askOptions(false))
        return;
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, m_window);
    const PrintJob printed = job();
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, &printed](QPrinter *device) { printChannels(*device, m_document.image(), printed); });
    preview.exec();
}

bool PrintCommands::exportPdf()
{
    if (!askOptions(true))
        return false;
    FileDialogRequest request;
    request.caption = tr("Export PDF");
    request.fileName =
        m_lastPdf.isEmpty() ? nameBeside(m_document.cloneFileName(), QStringLiteral(".pdf")) : m_lastPdf;
    request.filter = tr("PDF Files (*.pdf)") + QStringLiteral(";;") + tr("All Files (*)");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString chosen = m_prompts.saveFileName(m_window, request);
    if (chosen.isEmpty())
        return false;
    const QString path = withDefaultSuffix(chosen, QStringLiteral("pdf"));
    m_lastPdf = path;
    int pages = 0;
    const QByteArray pdf = printToPdf(m_document.image(), job(), m_options->paper(), &pages);
    const FileResult saved = pdf.isEmpty()
                                 ? FileResult{FileStatus::FileOpenError, tr("the PDF could not be made")}
                                 : saveWholeFile(path, pdf);
    if (!saved.ok()) {
        m_prompts.message(m_window, fileErrorMessage(saved, path));
        return false;
    }
    emit statusMessage(tr("Exported %n page(s) to %1.", nullptr, pages).arg(QFileInfo(path).fileName()));
    return true;
}

} // namespace ktv4::ui
