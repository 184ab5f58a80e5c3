// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text field of the edit dialog with its character rule. Typed keys that break the rule are
// dropped; pasted, dropped or programmatically set text is passed through the same rule, so no
// other way of getting text into the field can bring in characters that typing could not.

#include <QLineEdit>

namespace ktv4::ui {

class ModifyField : public QLineEdit {
    Q_OBJECT
public:
    enum class Rule {
        Free,   // anything (the split-frequency fields)
        Digits, // 0 to 9 (the frequency fields)
        Name,   // the characters of the radio's name code; a to z become A to Z
    };
    enum class Padding {
        None,
        ZeroWhenEmpty, // the MHz field: "" becomes "0" on leaving
        ThreeDigits,   // the kHz and Hz fields: "5" becomes "005" on leaving
    };

    ModifyField(Rule rule, int maxChars, QWidget *parent = nullptr);

    Rule rule() const { return m_rule; }
    void setPadding(Padding padding) { m_padding = padding; }
    // When set, a typed digit that fills the field emits filled() after it is inserted.
    void setMovesOn(bool movesOn) { m_movesOn = movesOn; }

    // `text` reduced to what the rule lets through.
    QString filtered(const QString &text) const;
    // The clipboard's text, after the rule, at the cursor (replacing the selection).
    void pasteFiltered();
    // Applies the padding of leaving the field.
    void pad();

signals:
    void filled();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    Rule m_rule;
    Padding m_padding = Padding::None;
    bool m_movesOn = false;
    bool m_selectOnRelease = false;
};

} // namespace ktv4::ui
