// SPDX-License-Identifier: MIT
#include "MemoryStore.h"

#include "IO_System.h"
#include "LineCodec.h"
#include "MemoryFileLocation.h"
#include "MemoryListModel.h"

#include <QCryptographicHash>

using SafeFile::ReadStatus;

namespace {

QByteArray Digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

QString MemoryStore::Load(const QString& path, MemoryListModel& list)
{
    m_path = path;
    m_unsaved.Clear();
    m_loaded = true;
    // What a save that a crash cut short left beside the file.
    SafeFile::RemoveLeftovers(path);
    QByteArray bytes;
    QString reason;
    const ReadStatus status = SafeFile::Read(path, bytes, &reason);
    if (status != ReadStatus::Read) {
        bytes.clear();
    }
    m_digest = Digest(bytes);
    QStringList lines;
    IO_System::SplitLines(bytes, lines);
    IO_System::FillMemoryList(lines, list);
    // Whatever is in a file that could not be read stays there.
    m_neverWrite = status == ReadStatus::Unreadable || status == ReadStatus::TooLarge;
    if (!m_neverWrite) {
        return QString();
    }
    return QStringLiteral("No se pudo leer la lista de colores guardada en\n%1\n\n%2\n\n"
                          "Tintaro empieza con la lista vacía y no escribirá en ese archivo.")
        .arg(MemoryFileLocation::ForDisplay(path), reason);
}

void MemoryStore::Added(const QString& text)
{
    m_unsaved.Added(text);
}

void MemoryStore::Removed(const QString& text)
{
    m_unsaved.Removed(text);
}

bool MemoryStore::ReadFile(QByteArray& bytes, bool& missing, QString* reason) const
{
    missing = false;
    switch (SafeFile::Read(m_path, bytes, reason)) {
    case ReadStatus::Missing:
        missing = true;
        bytes.clear();
        return true;
    case ReadStatus::Unreadable:
    case ReadStatus::TooLarge:
        *reason = QStringLiteral("El archivo cambió y no se puede leer: ") + *reason;
        return false;
    case ReadStatus::Read:
        break;
    }
    return true;
}

void MemoryStore::TakeIn(const QByteArray& bytes, MemoryListModel& list) const
{
    QStringList lines;
    IO_System::SplitLines(bytes, lines);
    // One model reset: a change at a time, each with its own signals and a
    // search of the whole list, took a minute for a large import.
    list.SetItems(m_unsaved.MadeAgainOn(lines));
}

MemoryStore::SaveResult MemoryStore::Save(MemoryListModel& list, QString* message)
{
    if (!m_loaded || (m_neverWrite && m_unsaved.IsEmpty())) {
        return SaveResult::Saved;
    }
    const QString file = MemoryFileLocation::ForDisplay(m_path);
    if (m_neverWrite) {
        *message = QStringLiteral("La lista de colores no se ha guardado: el archivo\n%1\n"
                                  "no se pudo leer al empezar y se deja como estaba.")
                       .arg(file);
        return SaveResult::NotWritten;
    }
    // What is on disk now is compared, byte for byte through a digest, with
    // what this copy last read or wrote: a hand edit (or a copy of Tintaro
    // that could not tell another one runs) is taken in first, whatever the
    // file's times say (a file system may keep them to the second). It is
    // looked at once more right before the new file takes the old one's
    // place, and the whole save made again when it changed meanwhile.
    QString reason;
    for (int attempt = 0; attempt < 5; ++attempt) {
        QByteArray onDisk;
        bool missing = false;
        if (!ReadFile(onDisk, missing, &reason)) {
            break;
        }
        // Deleted meanwhile: the list in the window is all there is.
        const QByteArray digest = missing ? m_digest : Digest(onDisk);
        if (digest != m_digest) {
            TakeIn(onDisk, list);
        }
        const QByteArray bytes = LineCodec::EncodeText(IO_System::MemoryListText(list));
        // The file holds the list already: nothing is written (no new file,
        // no rename, no sync), so a list marked read-only, or on read-only
        // media, closes without a failure when nothing changed.
        if (!missing && Digest(bytes) == digest) {
            m_digest = digest;
            m_unsaved.Clear();
            return SaveResult::Saved;
        }
        bool changed = false;
        const auto unchanged = [&] {
            QByteArray now;
            bool gone = false;
            QString ignored;
            changed = !ReadFile(now, gone, &ignored) || gone != missing ||
                      (!gone && Digest(now) != digest);
            return !changed;
        };
        if (SafeFile::Replace(m_path, bytes, &reason, unchanged)) {
            m_digest = Digest(bytes);
            m_unsaved.Clear();
            return SaveResult::Saved;
        }
        m_digest = digest; // the list now holds what was on disk
        if (!changed) {
            break;
        }
    }
    *message = QStringLiteral("No se pudo guardar la lista de colores en\n%1\n\n%2\n\n"
                              "El archivo anterior queda como estaba.")
                   .arg(file, reason);
    return SaveResult::Failed;
}
