// SPDX-License-Identifier: MIT
#pragma once

#include "ChannelEditor.h"

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

    // Index of the selected entry, -1 when none is selected.
    int SelectedIndex() const;

private:
    // A failed save is told to the user; the list keeps the change.
    void TellFailure(const QString& reason);

    MemoryControls m_c;
    ChannelControls m_editor;
    MemoryStore& m_store;
};
