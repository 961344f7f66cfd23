// SPDX-License-Identifier: MIT
#include "MemoryCommands.h"

#include "ChannelEditor.h"
#include "ColourAPI.h"
#include "ColourBox.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"
#include "TextBox.h"

#include <QListView>
#include <QMessageBox>
#include <QPushButton>

MemoryCommands::MemoryCommands(const MemoryControls& controls, const ChannelControls& editor,
                               MemoryStore& store, QObject* parent)
    : QObject(parent), m_c(controls), m_editor(editor), m_store(store)
{
    connect(m_c.Save2List, &QPushButton::clicked, this, &MemoryCommands::Save2List_Click);
    connect(m_c.LoadFromList, &QPushButton::clicked, this, &MemoryCommands::LoadFromList_Click);
    connect(m_c.DeleteFromList, &QPushButton::clicked, this, &MemoryCommands::DeleteFromList_Click);
    // A selection by mouse or keyboard previews the entry.
    connect(m_c.MemList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (SelectedIndex() >= 0) {
            MemList_Click();
        }
    });
    connect(m_c.MemList, &QAbstractItemView::doubleClicked, this,
            &MemoryCommands::MemList_DblClick);
}

int MemoryCommands::SelectedIndex() const
{
    const QModelIndexList rows = m_c.MemList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void MemoryCommands::Save2List_Click()
{
    const QString code = m_editor.Res->text();
    if (!ColourAPI::HasCodeShape(code)) {
        return;
    }
    if (m_c.Entries->Items().contains(code, Qt::CaseSensitive)) {
        QMessageBox::information(m_c.MemList->window(), QStringLiteral("Infomación"),
                                 QStringLiteral("Ya esta en la lista"));
        return;
    }
    // The selection follows its entry when the new one sorts before it.
    m_c.Entries->AddSorted(code);
    m_store.Added(code);
    SaveList();
}

void MemoryCommands::LoadFromList_Click()
{
    const int index = SelectedIndex();
    if (index < 0) {
        return;
    }
    SetSlidersFromCode(m_editor.CScroll, m_c.Entries->Item(index));
}

void MemoryCommands::MemList_DblClick()
{
    LoadFromList_Click();
}

void MemoryCommands::DeleteFromList_Click()
{
    const int index = SelectedIndex();
    if (index < 0) {
        return;
    }
    // Cleared first: a view moves the selection to a neighbour when the
    // selected row goes, and that would repaint the list sample.
    m_c.MemList->selectionModel()->clear();
    const QString text = m_c.Entries->Item(index);
    m_c.Entries->RemoveAt(index);
    m_store.Removed(text);
    SaveList();
}

void MemoryCommands::SaveList()
{
    QString message;
    if (m_store.Save(*m_c.Entries, &message) == MemoryStore::SaveResult::Failed) {
        QMessageBox::critical(m_c.MemList->window(), QStringLiteral("Tintaro"), message);
    }
}

void MemoryCommands::MemList_Click()
{
    const int index = SelectedIndex();
    if (index >= 0) {
        m_c.PreviewList->SetBackColour(ToQColor(ColourAPI::CodeToColour(m_c.Entries->Item(index))));
    }
}
