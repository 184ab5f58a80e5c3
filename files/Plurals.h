// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTranslator;

namespace ktv4 {

// Loads the English forms of the texts that count something ("1 channel", "2 channels"). The
// command line installs it always; the window installs it when it shows no other language.
bool loadPluralForms(QTranslator &translator);

} // namespace ktv4
