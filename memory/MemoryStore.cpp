// SPDX-License-Identifier: MIT
#include "MemoryStore.h"

#include "IO_System.h"
#include "MemoryListModel.h"

#include <QDir>

using SafeFile::ReadStatus;

QString MemoryStore::Load(const QString& path, MemoryListModel& list)
{
    m_path = path;
    m_stamp = {};
    m_unsaved.clear();
    m_loaded = true;
    QStringList lines;
    QString reason;
    const ReadStatus status = IO_System::ReadMemoryFile(path, lines, &reason, &m_stamp);
    IO_System::FillMemoryList(lines, list);
    // Whatever is in a file that could not be read stays there.
    m_neverWrite = status == ReadStatus::Unreadable || status == ReadStatus::TooLarge;
    if (!m_neverWrite) {
        return QString();
    }
    return QStringLiteral("No se pudo leer la lista de colores guardada en\n%1\n\n%2\n\n"
                          "Tintaro empieza con la lista vacía y no escribirá en ese archivo.")
        .arg(QDir::toNativeSeparators(path), reason);
}

void MemoryStore::Added(const QString& text)
{
    m_unsaved.append({true, text});
}

void MemoryStore::Removed(const QString& text)
{
    m_unsaved.append({false, text});
}

bool MemoryStore::TakeChangesOnDisk(MemoryListModel& list, QString* reason)
{
    QStringList lines;
    switch (IO_System::ReadMemoryFile(m_path, lines, reason)) {
    case ReadStatus::Missing:
        // Deleted meanwhile: the list in the window is all there is.
        return true;
    case ReadStatus::Unreadable:
    case ReadStatus::TooLarge:
        *reason = QStringLiteral("El archivo cambió y no se puede leer: ") + *reason;
        return false;
    case ReadStatus::Read:
        break;
    }
    list.SetItems(lines);
    for (const Change& change : std::as_const(m_unsaved)) {
        const int index = static_cast<int>(list.Items().indexOf(change.text));
        if (!change.added) {
            list.RemoveAt(index);
        } else if (index < 0) {
            list.AddSorted(change.text);
        }
    }
    return true;
}

MemoryStore::SaveResult MemoryStore::Save(MemoryListModel& list, QString* message)
{
    if (!m_loaded || (m_neverWrite && m_unsaved.isEmpty())) {
        return SaveResult::Saved;
    }
    const QString file = QDir::toNativeSeparators(m_path);
    if (m_neverWrite) {
        *message = QStringLiteral("La lista de colores no se ha guardado: el archivo\n%1\n"
                                  "no se pudo leer al empezar y se deja como estaba.")
                       .arg(file);
        return SaveResult::NotWritten;
    }
    // Changed on disk since it was last read or written (by hand, or by a
    // copy of Tintaro that could not tell another one runs): its entries
    // are taken in first.
    QString reason;
    if ((SafeFile::StampOf(m_path) == m_stamp || TakeChangesOnDisk(list, &reason)) &&
        IO_System::WriteTextFile(m_path, IO_System::MemoryListText(list), &reason, &m_stamp)) {
        m_unsaved.clear();
        return SaveResult::Saved;
    }
    *message = QStringLiteral("No se pudo guardar la lista de colores en\n%1\n\n%2\n\n"
                              "El archivo anterior queda como estaba.")
                   .arg(file, reason);
    return SaveResult::Failed;
}
