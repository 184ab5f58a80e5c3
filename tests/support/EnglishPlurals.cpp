// SPDX-License-Identifier: GPL-3.0-or-later
// Every test program counts in English as the programs do ("1 channel", "2 channels"): the
// translator is installed as soon as the application object exists.
#include "files/Plurals.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

void installEnglishPlurals()
{
    static QTranslator plurals;
    if (ktv4::loadPluralForms(plurals))
        QCoreApplication::installTranslator(&plurals);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installEnglishPlurals)
