// SPDX-License-Identifier: MIT
#pragma once

#include "Outcome.h"
#include "Rgb8.h"
#include "StoreChange.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

class EditorColour;
class MemoryListModel;
class MemoryStore;
class QAction;
class QWidget;

// The way back: "Deshacer" (Ctrl+Z) steps back through the editor's colours
// and the changes of the memory list, "Rehacer" (Ctrl+Mayús+Z) forward
// again, each action's text saying what it undoes or redoes. Every colour
// applied to the editor is a step (moves of a slider while its thumb is held
// make one); so is each "Borrar", "Guardar" and import of the memory list,
// undone and redone through the store, which saves each at once, so that
// the memory file comes back byte for byte. The last 1000 steps are kept.
class EditHistory : public QObject
{
    Q_OBJECT
public:
    // window: where a failed save is told.
    EditHistory(EditorColour& edited, MemoryStore& store, const MemoryListModel& list,
                QWidget& window);

    QAction* Undo() const { return m_undo; }
    QAction* Redo() const { return m_redo; }

    // "Borrar" took code out of the list at index.
    void Removed(int index, const QString& code);
    // "Guardar" (what: empty) or an import (what: how the step is named,
    // "Importar 3 colores") put codes into the list.
    void Added(const QString& what, const QStringList& codes);

private:
    void ColourChanged(Colour::Rgb8 colour);
    // Applies a colour of the history to the editor without making a step
    // of it.
    void Replay(Colour::Rgb8 colour);
    // A failed save is told; the list keeps the change.
    void Tell(const Outcome<StoreChange>& change);
    void EndHold() { ++m_hold; }

    EditorColour& m_edited;
    MemoryStore& m_store;
    const MemoryListModel& m_list;
    QWidget& m_window;
    QUndoStack m_stack;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    Colour::Rgb8 m_last;
    bool m_replaying = false;
    int m_hold = 0; // counts the thumbs let go
};
