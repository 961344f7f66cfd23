// SPDX-License-Identifier: MIT
#pragma once

#include "ChannelEditor.h"
#include "PaletteColours.h"

#include <QObject>

class ColourBox;
class MemoryColour;
class MemoryListModel;
class MemoryStore;
class QListView;
class QPushButton;

// The controls of the memory frame.
struct MemoryControls
{
    QListView* MemList = nullptr;
    MemoryListModel* Entries = nullptr;
    ColourBox* PreviewList = nullptr;
    MemoryColour* Chosen = nullptr; // the chosen entry's colour, which PreviewList shows
    QPushButton* Save2List = nullptr;
    QPushButton* LoadFromList = nullptr;
    QPushButton* DeleteFromList = nullptr;
};

// The memory list's commands: keep the code shown, load an entry back into
// the editor, delete it, and preview the selected entry's colour. Every
// change is saved to the memory file at once.
class MemoryCommands : public QObject
{
    Q_OBJECT
public:
    // editor: the code box it keeps and the colour it applies.
    MemoryCommands(const MemoryControls& controls, const ChannelControls& editor,
                   MemoryStore& store, QObject* parent = nullptr);

    void Save2List_Click();
    void LoadFromList_Click();
    void DeleteFromList_Click();
    void MemList_Click();
    void MemList_DblClick();
    // The memory list's right-click menu: the chosen entry's name ("Nombre…",
    // also F2 in the list), the list written as a palette for style sheets
    // and paint programs, and a palette's colours taken in, with their names.
    void RenameEntry();
    void ExportPalette();
    void ImportPalette();
    // Colours that come with their names (a scale's steps) added to the list
    // at their sorted places, those already there skipped, and what was
    // added told. The list keeps codes only: the names are for the list's
    // names, which the memory file does not hold.
    void AddNamedColours(const QList<PaletteColours::NamedColour>& colours);

    // Index of the selected entry, -1 when none is selected.
    int SelectedIndex() const;

signals:
    // "Borrar" took code out of the list at index.
    void Removed(int index, const QString& code);
    // "Guardar" (what: empty) or an import (what: its description) put
    // codes into the list.
    void Added(const QString& what, const QStringList& codes);

private:
    // A failed save is told to the user; the list keeps the change.
    void TellFailure(const QString& reason);
    // Puts codes into the list at their sorted places with their names (one
    // each, or none), tells what went in after note, and makes one undo step
    // of it named "<verb> N colores".
    void MergeCodes(const QStringList& codes, const QStringList& names, const QString& verb,
                    const QString& note);

    MemoryControls m_c;
    ChannelControls m_editor;
    MemoryStore& m_store;
};
