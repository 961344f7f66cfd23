// SPDX-License-Identifier: MIT
#include "MemoryCommands.h"

#include "ChannelEditor.h"
#include "ColourAPI.h"
#include "ColourBox.h"
#include "EditorColour.h"
#include "MemoryColour.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"
#include "Messages.h"
#include "PaletteColours.h"
#include "PaletteExport.h"
#include "PaletteFormat.h"
#include "PaletteImport.h"
#include "PaletteMerge.h"
#include "TextBox.h"
#include "UntrustedText.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSet>

namespace {

// A file's name as a message shows it.
QString ShownName(const QString& path)
{
    return UntrustedText::Escaped(QDir::toNativeSeparators(path));
}

} // namespace

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
    auto* rename = new QAction(QStringLiteral("Nombre…"), this);
    rename->setShortcut(Qt::Key_F2);
    rename->setShortcutContext(Qt::WidgetShortcut);
    connect(rename, &QAction::triggered, this, &MemoryCommands::RenameEntry);
    auto* exportPalette = new QAction(QStringLiteral("Exportar paleta…"), this);
    auto* importPalette = new QAction(QStringLiteral("Importar paleta…"), this);
    connect(exportPalette, &QAction::triggered, this, &MemoryCommands::ExportPalette);
    connect(importPalette, &QAction::triggered, this, &MemoryCommands::ImportPalette);
    m_c.MemList->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_c.MemList->addActions({rename, exportPalette, importPalette});
    // An empty memory has no palette to export.
    const auto exportable = [exportPalette, entries = m_c.Entries] {
        exportPalette->setEnabled(entries->Count() > 0);
    };
    connect(m_c.Entries, &QAbstractItemModel::rowsInserted, exportPalette, exportable);
    connect(m_c.Entries, &QAbstractItemModel::rowsRemoved, exportPalette, exportable);
    connect(m_c.Entries, &QAbstractItemModel::modelReset, exportPalette, exportable);
    exportable();
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
    // The selection follows its entry when the new one sorts before it.
    const bool held = m_c.Entries->Items().contains(code);
    const Outcome<StoreChange> added = m_store.Add(code);
    // A failed save leaves the change in the list.
    if (!held) {
        emit Added(QString(), {code});
    }
    if (!added) {
        TellFailure(added.Reason());
    } else if (added->skipped > 0) {
        Messages::Show(m_c.MemList->window(), QMessageBox::Information,
                       QStringLiteral("Infomación"), QStringLiteral("Ya esta en la lista"));
    }
}

void MemoryCommands::LoadFromList_Click()
{
    const int index = SelectedIndex();
    if (index < 0) {
        return;
    }
    m_editor.Edited->Apply(CodeColour(m_c.Entries->Item(index)));
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
    const QString code = m_c.Entries->Item(index);
    const Outcome<StoreChange> removed = m_store.Remove(index);
    emit Removed(index, code);
    if (!removed) {
        TellFailure(removed.Reason());
    }
}

void MemoryCommands::TellFailure(const QString& reason)
{
    Messages::Show(m_c.MemList->window(), QMessageBox::Critical, QStringLiteral("Tintaro"), reason);
}

void MemoryCommands::MemList_Click()
{
    const int index = SelectedIndex();
    if (index >= 0) {
        const QColor colour = ToQColor(ColourAPI::CodeToColour(m_c.Entries->Item(index)));
        m_c.Chosen->Set({colour.red(), colour.green(), colour.blue()});
    }
}

void MemoryCommands::RenameEntry()
{
    const int index = SelectedIndex();
    if (index < 0 || !PaletteColours::IsCode(m_c.Entries->Item(index))) {
        return;
    }
    const QString entry = m_c.Entries->Item(index);
    bool ok = false;
    const QString name = QInputDialog::getText(
        m_c.MemList->window(), QStringLiteral("Nombre del color"),
        QStringLiteral("Nombre de %1 (vacío: %2):").arg(entry, m_c.Entries->DerivedName(entry)),
        QLineEdit::Normal, m_c.Entries->Name(index), &ok);
    // The list may have changed meanwhile (a signal closed the window).
    if (!ok || index >= m_c.Entries->Count() || m_c.Entries->Item(index) != entry) {
        return;
    }
    if (const Outcome<> renamed = m_store.Rename(index, name); !renamed) {
        TellFailure(renamed.Reason());
    }
}

void MemoryCommands::ExportPalette()
{
    const QList<std::pair<QString, PaletteFormat>> kinds = PaletteSaveTypes();
    QStringList types;
    for (const auto& [type, format] : kinds) {
        types << type;
    }
    QString chosen = types.first();
    const QString path = QFileDialog::getSaveFileName(
        m_c.MemList->window(), QStringLiteral("Exportar paleta"), QStringLiteral("Tintaro.gpl"),
        types.join(QStringLiteral(";;")), &chosen);
    if (path.isEmpty()) {
        return;
    }
    // The file type chosen, unless the name's extension says otherwise: it
    // names another format's, or a longer one ("a.tokens.json" with JSON
    // chosen). Design tokens chosen and written to "a.json" stay tokens.
    PaletteFormat format = kinds[qMax(0, types.indexOf(chosen))].second;
    if (const auto byName = PaletteFormatForFile(path); byName) {
        const QString named = PaletteFormatExtension(*byName);
        const QString chosenExtension = PaletteFormatExtension(format);
        if (named != chosenExtension &&
            (named.size() > chosenExtension.size() ||
             !path.endsWith(u'.' + chosenExtension.section(u'.', -1), Qt::CaseInsensitive))) {
            format = *byName;
        }
    }
    const Outcome<> exported = PaletteExport::ExportToFile(
        path, format, m_c.Entries->Items(), m_store.Path(), m_c.Entries->GivenNames());
    if (!exported) {
        Messages::Show(m_c.MemList->window(), QMessageBox::Critical, QStringLiteral("Tintaro"),
                       PaletteExport::FailureText(FileFailure::Layout::Window, ShownName(path),
                                                  exported.Reason()));
    }
}

void MemoryCommands::AddNamedColours(const QList<PaletteColours::NamedColour>& colours)
{
    QStringList codes;
    QStringList names;
    for (const PaletteColours::NamedColour& colour : colours) {
        codes << colour.code;
        names << colour.name;
    }
    MergeCodes(codes, names, QStringLiteral("Añadir"), QString());
}

void MemoryCommands::MergeCodes(const QStringList& codes, const QStringList& names,
                                const QString& verb, const QString& note)
{
    const QSet<QString> held(m_c.Entries->Items().cbegin(), m_c.Entries->Items().cend());
    const Outcome<StoreChange> merged = m_store.Merge(codes, names);
    // What went in: each code the list did not hold, once.
    QStringList added;
    QSet<QString> seen = held;
    for (const QString& code : codes) {
        if (!seen.contains(code)) {
            seen.insert(code);
            added << code;
        }
    }
    emit Added(verb + (added.size() == 1 ? QStringLiteral(" 1 color")
                                         : QStringLiteral(" %1 colores").arg(added.size())),
               added);
    if (!merged) {
        TellFailure(merged.Reason());
        return;
    }
    Messages::Show(m_c.MemList->window(), QMessageBox::Information, QStringLiteral("Tintaro"),
                   note + PaletteMerge::MergeMessage(merged->added, merged->skipped));
}

void MemoryCommands::ImportPalette()
{
    const QString path = QFileDialog::getOpenFileName(
        m_c.MemList->window(), QStringLiteral("Importar paleta"), QString(),
        QStringLiteral("Paletas (*.") + PaletteExtensions().join(QStringLiteral(" *.")) +
            QStringLiteral(");;Todos los archivos (*)"));
    if (path.isEmpty()) {
        return;
    }
    const Outcome<ImportedPalette> palette = PaletteImport::ImportFromFile(path, m_store.Path());
    if (!palette) {
        Messages::Show(m_c.MemList->window(), QMessageBox::Warning, QStringLiteral("Tintaro"),
                       PaletteImport::FailureText(FileFailure::Layout::Window, ShownName(path),
                                                  palette.Reason()));
        return;
    }
    MergeCodes(palette->codes, palette->names, QStringLiteral("Importar"), palette->note);
}
