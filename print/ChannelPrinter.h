// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel list on paper: File > Print, Print Preview and Export PDF in the window, and
// `ktv4cli print` without one, all paint through printChannels() onto a paged device (a printer,
// the preview or a PDF writer), so every printout of an image looks the same.
//
// Two layouts: the list (the chosen columns, headings repeated on every page, no row split across
// pages) and the card (label, frequency, mode and name in two or three columns, up to 150 channels
// a page, to keep by the radio). Every page is headed by the file name, the model, the date and a
// short checksum of the image, so that two printouts can be told apart, and says "Page N of M".

#include "model/RadioImage.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;

namespace ktv4 {

enum class PrintLayout { List, Card };

struct PrintJob {
    PrintLayout layout = PrintLayout::List;
    QList<int> channels; // in the order they are printed
    QList<int> columns;  // the list's columns (ChannelColumn), in order; the card ignores them
    QString fileName;    // the clone file's name without its folder; empty for an image never saved
    int modelIndex = kStartupModelOption;
    QDate date;
};

// The channels in use, in channel order: what a printout holds unless the user chose others.
QList<int> printedChannels(const ChannelTable &channels);
// The grid's columns as it shows them at start: all but Pwr, Tone and Split Freq.
QList<int> defaultPrintColumns();

// The first 8 hexadecimal digits of the SHA-1 of the image's 608 records in record order.
QString imageChecksum(const RadioImage &image);

// Paints every page of the job on `device`, with its page size and margins as they are set;
// returns the number of pages, 0 when the device cannot be painted on.
int printChannels(QPagedPaintDevice &device, const RadioImage &image, const PrintJob &job);

// The job as a PDF document on paper of `size` with the printout's margins; empty when it could
// not be made. `pages` gets the number of pages.
QByteArray printToPdf(const RadioImage &image, const PrintJob &job, const QPageSize &size,
                      int *pages = nullptr);

} // namespace ktv4
