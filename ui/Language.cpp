// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Language.h"

#include "files/Plurals.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace ktv4::ui {

bool usesJapaneseCaptions(const QLocale &locale)
{
    // Only the first interface language counts: a Japanese entry further down the user's list
    // does not turn the menus Japanese.
    const QStringList languages = locale.uiLanguages();
    const QLocale first = languages.isEmpty() ? locale : QLocale(languages.first());
    return first.language() == QLocale::Japanese;
}

bool loadCaptions(QTranslator &translator, const QLocale &locale)
{
    if (!usesJapaneseCaptions(locale))
        return loadPluralForms(translator);
    return translator.load(QStringLiteral(":/i18n/ktv4clone_ja.qm"));
}

bool loadQtCaptions(QTranslator &translator, const QLocale &locale)
{
    if (!usesJapaneseCaptions(locale))
        return false;
    return translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace ktv4::ui
