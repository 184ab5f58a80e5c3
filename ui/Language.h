// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's captions in the user's interface language: Japanese when that is the first
// language the user's settings name, English otherwise (the texts in the code).

#include <QLocale>

class QTranslator;

namespace ktv4::ui {

bool usesJapaneseCaptions(const QLocale &locale);

// Loads the Japanese captions into `translator` when `locale` asks for them, and otherwise the
// English forms of the counted texts ("1 channel", "2 channels"); false when neither loads.
bool loadCaptions(QTranslator &translator, const QLocale &locale = QLocale::system());

// Loads Qt's own Japanese texts (the standard buttons OK, Cancel, Yes, No, Close, "Show
// Details...", the file dialogs) when `locale` asks for Japanese captions and the system has
// them installed; false otherwise, and those texts stay English.
bool loadQtCaptions(QTranslator &translator, const QLocale &locale = QLocale::system());

} // namespace ktv4::ui
