// SPDX-License-Identifier: MIT
#include "EditHistory.h"

#include "ColourAPI.h"
#include "EditorColour.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"
#include "Messages.h"

#include <QAbstractSlider>
#include <QAction>
#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QWidget>
#include <functional>
#include <utility>

namespace {

// A change already made when it is recorded: the stack's first redo, as it
// takes the step, does nothing.
class Step : public QUndoCommand
{
public:
    Step(const QString& text, std::function<void()> back, std::function<void()> forth)
        : m_back(std::move(back)), m_forth(std::move(forth))
    {
        setText(text);
    }
    void undo() override { m_back(); }
    void redo() override
    {
        if (std::exchange(m_made, true)) {
            m_forth();
        }
    }

private:
    std::function<void()> m_back;
    std::function<void()> m_forth;
    bool m_made = false;
};

// The editor's colour going from one to another. The steps made while one
// thumb is held (thumb, the same hold) merge into one.
class ColourStep : public QUndoCommand
{
public:
    ColourStep(std::function<void(Colour::Rgb8)> apply, Colour::Rgb8 before, Colour::Rgb8 after,
               const QObject* thumb, int hold)
        : m_apply(std::move(apply)), m_before(before), m_after(after), m_thumb(thumb), m_hold(hold)
    {
        Name();
    }
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const ColourStep*>(other);
        if (m_thumb == nullptr || next->m_thumb != m_thumb || next->m_hold != m_hold) {
            return false;
        }
        m_after = next->m_after;
        Name();
        setObsolete(m_after == m_before);
        return true;
    }
    void undo() override { m_apply(m_before); }
    void redo() override
    {
        if (std::exchange(m_made, true)) {
            m_apply(m_after);
        }
    }

private:
    // The colour it gives, as the code box shows it.
    void Name()
    {
        setText(QStringLiteral("Color ") +
                ColourAPI::ComposeCode(static_cast<qint16>(m_after.red),
                                       static_cast<qint16>(m_after.green),
                                       static_cast<qint16>(m_after.blue)));
    }

    std::function<void(Colour::Rgb8)> m_apply;
    Colour::Rgb8 m_before;
    Colour::Rgb8 m_after;
    const QObject* m_thumb;
    int m_hold;
    bool m_made = false;
};

// An action's text: its word, and what it would undo or redo.
QString Named(const QString& word, const QString& what)
{
    return what.isEmpty() ? word : word + QStringLiteral(" «") + what + QStringLiteral("»");
}

} // namespace

EditHistory::EditHistory(EditorColour& edited, MemoryStore& store, const MemoryListModel& list,
                         QWidget& window)
    : QObject(&window), m_edited(edited), m_store(store), m_list(list), m_window(window),
      m_last(edited.Value())
{
    // Enough for any session's work; an import's step holds all its codes.
    m_stack.setUndoLimit(1000);
    m_undo = new QAction(QStringLiteral("Deshacer"), this);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(QStringLiteral("Rehacer"), this);
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_undo->setEnabled(false);
    m_redo->setEnabled(false);
    connect(m_undo, &QAction::triggered, &m_stack, &QUndoStack::undo);
    connect(m_redo, &QAction::triggered, &m_stack, &QUndoStack::redo);
    connect(&m_stack, &QUndoStack::canUndoChanged, m_undo, &QAction::setEnabled);
    connect(&m_stack, &QUndoStack::canRedoChanged, m_redo, &QAction::setEnabled);
    connect(&m_stack, &QUndoStack::undoTextChanged, m_undo, [this](const QString& what) {
        m_undo->setText(Named(QStringLiteral("Deshacer"), what));
    });
    connect(&m_stack, &QUndoStack::redoTextChanged, m_redo, [this](const QString& what) {
        m_redo->setText(Named(QStringLiteral("Rehacer"), what));
    });
    connect(&edited, &EditorColour::Changed, this, &EditHistory::ColourChanged);
}

void EditHistory::ColourChanged(Colour::Rgb8 colour)
{
    const Colour::Rgb8 before = std::exchange(m_last, colour);
    if (m_replaying) {
        return;
    }
    // A thumb held in any of the program's windows (the tool windows are the
    // main window's children).
    const QAbstractSlider* thumb = nullptr;
    for (const QAbstractSlider* slider : m_window.findChildren<QAbstractSlider*>()) {
        if (slider->isSliderDown()) {
            thumb = slider;
            connect(slider, &QAbstractSlider::sliderReleased, this, &EditHistory::EndHold,
                    Qt::UniqueConnection);
        }
    }
    m_stack.push(
        new ColourStep([this](Colour::Rgb8 c) { Replay(c); }, before, colour, thumb, m_hold));
}

void EditHistory::Replay(Colour::Rgb8 colour)
{
    const QScopedValueRollback replaying(m_replaying, true);
    m_edited.Apply(colour);
}

void EditHistory::Removed(int index, const QString& code)
{
    m_stack.push(new Step(
        QStringLiteral("Borrar ") + code,
        [this, index, code] { Tell(m_store.Insert(index, code)); },
        [this, index, code] {
            // Where it was put back, unless the list changed meanwhile.
            const int at = index < m_list.Count() && m_list.Item(index) == code
                               ? index
                               : int(m_list.Items().indexOf(code));
            if (at >= 0) {
                Tell(m_store.Remove(at));
            }
        }));
}

void EditHistory::Added(const QString& what, const QStringList& codes)
{
    if (codes.isEmpty()) {
        return;
    }
    m_stack.push(new Step(
        what.isEmpty() ? QStringLiteral("Guardar ") + codes.front() : what,
        [this, codes] { Tell(m_store.Drop(codes)); },
        [this, codes] { Tell(m_store.Merge(codes)); }));
}

void EditHistory::Tell(const Outcome<StoreChange>& change)
{
    if (!change) {
        Messages::Show(&m_window, QMessageBox::Critical, QStringLiteral("Tintaro"),
                       change.Reason());
    }
}
