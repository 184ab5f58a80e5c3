// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UndoHistory.h"

#include <QAction>
#include <QUndoStack>

namespace ktv4::ui {

namespace {

// One change as a step of the history: doing it applies what the change makes of the image,
// undoing it what the change found.
class ImageCommand : public QUndoCommand {
public:
    static constexpr int kMergeId = 1;

    ImageCommand(CloneDocument &document, ImageChange change)
        : m_document(document), m_change(std::move(change))
    {
        setText(m_change.text);
    }

    void undo() override { m_document.applyPart(m_change.before); }
    void redo() override { m_document.applyPart(m_change.after); }

    int id() const override { return m_change.mergeKey != 0 ? kMergeId : -1; }

    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const ImageCommand *>(other);
        if (next->m_change.mergeKey != m_change.mergeKey || !mergeable(next->m_change))
            return false;
        m_change.after = next->m_change.after;
        // A drag that ends where it began leaves nothing to take back.
        setObsolete(m_change.isEmpty());
        return true;
    }

private:
    // Only changes of the same parts join: the later one's after then covers the earlier one's.
    bool mergeable(const ImageChange &next) const
    {
        const ImagePart &a = m_change.after;
        const ImagePart &b = next.after;
        return a.firstChannel == b.firstChannel && a.channels.size() == b.channels.size() &&
               a.settings.has_value() == b.settings.has_value() &&
               a.modelIndex.has_value() == b.modelIndex.has_value() &&
               a.vfos[0].has_value() == b.vfos[0].has_value() &&
               a.vfos[1].has_value() == b.vfos[1].has_value();
    }

    CloneDocument &m_document;
    ImageChange m_change;
};

// An Edit menu item that names the step it takes back or does again: "Undo Delete channel 12(&U)".
void nameSteps(QAction *item, void (QUndoStack::*textChanged)(const QString &), const QUndoStack *stack,
               const QString &bare, const QString &named)
{
    const auto caption = [item, bare, named](const QString &step) {
        item->setText(step.isEmpty() ? bare : named.arg(step));
    };
    // After the stack's own caption, which this one replaces.
    QObject::connect(stack, textChanged, item, caption);
    caption(textChanged == &QUndoStack::undoTextChanged ? stack->undoText() : stack->redoText());
}

} // namespace

UndoHistory::UndoHistory(CloneDocument &document, QObject *parent)
    : QObject(parent), m_document(document), m_stack(new QUndoStack(this))
{
    m_document.setRecorder(this);
    connect(m_stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { m_document.setDataChanged(!clean); });
}

UndoHistory::~UndoHistory()
{
    m_document.setRecorder(nullptr);
}

void UndoHistory::record(ImageChange change)
{
    const bool wasClean = m_stack->isClean();
    const bool fromRadio = change.origin == ImageChange::Origin::Radio;
    m_stack->push(new ImageCommand(m_document, std::move(change)));
    // Records read from the radio are no unsaved edit: they are what the radio holds.
    if (fromRadio && wasClean)
        m_stack->setClean();
}

QAction *UndoHistory::createUndoItem(QObject *parent) const
{
    QAction *item = m_stack->createUndoAction(parent);
    nameSteps(item, &QUndoStack::undoTextChanged, m_stack, tr("Undo(&U)"), tr("Undo %1(&U)"));
    item->setShortcut(QKeySequence::Undo);
    return item;
}

QAction *UndoHistory::createRedoItem(QObject *parent) const
{
    QAction *item = m_stack->createRedoAction(parent);
    nameSteps(item, &QUndoStack::redoTextChanged, m_stack, tr("Redo(&R)"), tr("Redo %1(&R)"));
    item->setShortcut(QKeySequence::Redo);
    return item;
}

void UndoHistory::markSaved()
{
    m_stack->setClean();
}

void UndoHistory::restart()
{
    m_stack->clear();
}

} // namespace ktv4::ui
