// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ModifyField.h"

#include "model/Channel.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QValidator>

namespace ktv4::ui {

namespace {

QChar ruled(ModifyField::Rule rule, QChar c)
{
    switch (rule) {
    case ModifyField::Rule::Free:
        return c;
    case ModifyField::Rule::Digits:
        return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c : QChar();
    case ModifyField::Rule::Name: {
        const QChar upper = c >= QLatin1Char('a') && c <= QLatin1Char('z') ? c.toUpper() : c;
        return isNameCodeChar(upper) ? upper : QChar();
    }
    }
    return QChar();
}

// The last guard: whatever way text arrives (drag and drop, an input method, setText), the field
// only ever holds characters of its rule.
class RuleValidator : public QValidator {
public:
    RuleValidator(ModifyField *field) : QValidator(field), m_field(field) {}

    State validate(QString &input, int &pos) const override
    {
        const QString kept = m_field->filtered(input);
        if (kept != input) {
            pos = static_cast<int>(m_field->filtered(input.left(pos)).size());
            input = kept;
        }
        return Acceptable;
    }

private:
    ModifyField *m_field;
};

bool isControlText(const QString &text)
{
    return text.isEmpty() || text.front().unicode() < 0x20 || text.front().unicode() == 0x7F;
}

} // namespace

ModifyField::ModifyField(Rule rule, int maxChars, QWidget *parent) : QLineEdit(parent), m_rule(rule)
{
    setMaxLength(maxChars);
    if (rule != Rule::Free)
        setValidator(new RuleValidator(this));
}

QString ModifyField::filtered(const QString &text) const
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        const QChar r = ruled(m_rule, c);
        if (!r.isNull())
            kept.append(r);
    }
    return kept;
}

void ModifyField::pasteFiltered()
{
    if (isReadOnly())
        return;
    // Filtered before the length limit cuts it, so "1a2b3" pastes as "123" and not "12".
    insert(filtered(QGuiApplication::clipboard()->text()));
}

void ModifyField::pad()
{
    switch (m_padding) {
    case Padding::None:
        break;
    case Padding::ZeroWhenEmpty:
        if (text().isEmpty())
            setText(QStringLiteral("0"));
        break;
    case Padding::ThreeDigits:
        if (text().size() < 3)
            setText(text().rightJustified(3, QLatin1Char('0')));
        break;
    }
}

void ModifyField::keyPressEvent(QKeyEvent *event)
{
    if (m_rule != Rule::Free && event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (m_rule == Rule::Free || isControlText(typed) ||
        (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        // Backspace, Delete, the arrows, Tab, Enter and the editing shortcuts work as usual.
        QLineEdit::keyPressEvent(event);
        return;
    }

    const QString kept = filtered(typed);
    if (kept.isEmpty()) {
        event->accept(); // a character outside the rule is dropped
        return;
    }
    const bool fills = m_movesOn && text().size() - selectedText().size() + kept.size() == maxLength();
    const QString before = text();
    if (kept == typed) {
        QLineEdit::keyPressEvent(event);
    } else {
        QKeyEvent raised(event->type(), event->key(), event->modifiers(), kept, event->isAutoRepeat(),
                         static_cast<ushort>(event->count()));
        QLineEdit::keyPressEvent(&raised);
        event->setAccepted(raised.isAccepted());
    }
    if (fills && text() != before)
        emit filled();
}

void ModifyField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (m_rule != Rule::Digits)
        return;
    // Entering a frequency field selects its whole text; after a click, once the button is up.
    if (event->reason() == Qt::MouseFocusReason)
        m_selectOnRelease = true;
    else if (event->reason() != Qt::PopupFocusReason)
        selectAll();
}

void ModifyField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    m_selectOnRelease = false;
    if (event->reason() != Qt::PopupFocusReason)
        pad();
}

void ModifyField::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_rule != Rule::Free && event->button() == Qt::MiddleButton &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        insert(filtered(QGuiApplication::clipboard()->text(QClipboard::Selection)));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (m_selectOnRelease && !hasSelectedText())
        selectAll();
    m_selectOnRelease = false;
}

void ModifyField::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (m_rule != Rule::Free) {
        if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
            disconnect(paste, &QAction::triggered, nullptr, nullptr);
            connect(paste, &QAction::triggered, this, &ModifyField::pasteFiltered);
        }
    }
    menu->popup(event->globalPos());
}

} // namespace ktv4::ui
