// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Plurals.h"

#include <QTranslator>

namespace ktv4 {

bool loadPluralForms(QTranslator &translator)
{
    return translator.load(QStringLiteral(":/i18n/ktv4clone_en.qm"));
}

} // namespace ktv4
