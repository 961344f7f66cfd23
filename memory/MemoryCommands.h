// SPDX-License-Identifier: MIT
#pragma once

#include "MemoryStore.h"

#include <QObject>
#include <array>

class ColourBox;
class MemoryListModel;
class QListView;
class QPushButton;
class QScrollBar;
class TextBox;

// The controls of the memory frame, and the editor controls it reads and sets.
struct MemoryControls
{
    QListView* MemList = nullptr;
    MemoryListModel* Entries = nullptr;
    ColourBox* PreviewList = nullptr;
    QPushButton* Save2List = nullptr;
    QPushButton* LoadFromList = nullptr;
    QPushButton* DeleteFromList = nullptr;
    TextBox* Res = nullptr;
    std::array<QScrollBar*, 3> CScroll{};
};

// The memory list's commands: keep the code shown, load an entry back into
// the editor, delete it, and preview the selected entry's colour. Every
// change is saved to the memory file at once.
class MemoryCommands : public QObject
{
    Q_OBJECT
public:
    MemoryCommands(const MemoryControls& controls, QObject* parent = nullptr);

    void Save2List_Click();
    void LoadFromList_Click();
    void DeleteFromList_Click();
    void MemList_Click();
    void MemList_DblClick();

    // Index of the selected entry, -1 when none is selected.
    int SelectedIndex() const;

    // The memory file behind the list.
    MemoryStore& Store() { return m_store; }

private:
    // Saves the list; a failure is told to the user, the list keeps the change.
    void SaveList();

    MemoryControls m_c;
    MemoryStore m_store;
};
