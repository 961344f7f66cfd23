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

QString MemoryStore::Load(const QString& path)
{
    m_path = path;
    m_unsaved.Clear();
    m_loaded = true;
    // What a save that a crash cut short left beside the file.
    SafeFile::RemoveLeftovers(path);
    QStringList lines;
    QByteArray bytes;
    QString reason;
    const ReadStatus status = IO_System::ReadMemoryFile(path, lines, &reason, &bytes);
    m_digest = Digest(bytes);
    IO_System::FillMemoryList(lines, m_list);
    // Whatever is in a file that could not be read stays there.
    m_neverWrite = status == ReadStatus::Unreadable || status == ReadStatus::TooLarge;
    if (!m_neverWrite) {
        return QString();
    }
    return QStringLiteral("No se pudo leer la lista de colores guardada en\n%1\n\n%2\n\n"
                          "Tintaro empieza con la lista vacía y no escribirá en ese archivo.")
        .arg(MemoryFileLocation::ForDisplay(path), reason);
}

StoreOutcome MemoryStore::Add(const QString& code)
{
    if (m_list.Items().contains(code, Qt::CaseSensitive)) {
        StoreOutcome outcome;
        outcome.skipped = 1;
        return outcome;
    }
    m_list.AddSorted(code);
    m_unsaved.Added(code);
    StoreOutcome outcome = Save();
    outcome.added = 1;
    return outcome;
}

StoreOutcome MemoryStore::Remove(int index)
{
    const QString text = m_list.Item(index);
    m_list.RemoveAt(index);
    m_unsaved.Removed(text);
    return Save();
}

StoreOutcome MemoryStore::Merge(const QStringList& codes)
{
    const QStringList added = m_list.AddAllSorted(codes);
    for (const QString& code : added) {
        m_unsaved.Added(code);
    }
    // Nothing new, nothing saved.
    StoreOutcome outcome = added.isEmpty() ? StoreOutcome() : Save();
    outcome.added = int(added.size());
    outcome.skipped = int(codes.size() - added.size());
    return outcome;
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

void MemoryStore::TakeIn(const QByteArray& bytes)
{
    QStringList lines;
    IO_System::SplitLines(bytes, lines);
    // One model reset: a change at a time, each with its own signals and a
    // search of the whole list, took a minute for a large import.
    m_list.SetItems(m_unsaved.MadeAgainOn(lines));
}

StoreOutcome MemoryStore::Save()
{
    StoreOutcome outcome;
    if (!m_loaded || (m_neverWrite && m_unsaved.IsEmpty())) {
        return outcome;
    }
    const QString file = MemoryFileLocation::ForDisplay(m_path);
    if (m_neverWrite) {
        outcome.result = SaveResult::NotWritten;
        outcome.reason = QStringLiteral("La lista de colores no se ha guardado: el archivo\n%1\n"
                                        "no se pudo leer al empezar y se deja como estaba.")
                             .arg(file);
        return outcome;
    }
    // What is on disk now is compared, byte for byte through a digest, with
    // what this copy last read or wrote: a hand edit (or a copy of Tintaro
    // that could not tell another one runs) is taken in first, whatever the
    // file's times say (a file system may keep them to the second). It is
    // looked at once more right before the new file takes the old one's
    // place, and the whole save made again when it changed meanwhile.
    // The file is read and written here as IO_System::ReadMemoryFile and
    // WriteTextFile do (SafeFile, SplitLines, MemoryListText, LineCodec),
    // not through them: the save needs the bytes themselves, on disk for the
    // digest (split into entries only when they changed) and to be written
    // (nothing is written when they equal the file's), and it hands
    // SafeFile::Replace that last look.
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
            TakeIn(onDisk);
        }
        const QByteArray bytes = LineCodec::EncodeText(IO_System::MemoryListText(m_list));
        const QByteArray written = Digest(bytes);
        // The file holds the list already: nothing is written (no new file,
        // no rename, no sync), so a list marked read-only, or on read-only
        // media, closes without a failure when nothing changed.
        if (!missing && written == digest) {
            m_digest = digest;
            m_unsaved.Clear();
            return outcome;
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
            m_digest = written;
            m_unsaved.Clear();
            return outcome;
        }
        m_digest = digest; // the list now holds what was on disk
        if (!changed) {
            break;
        }
    }
    outcome.result = SaveResult::Failed;
    outcome.reason = QStringLiteral("No se pudo guardar la lista de colores en\n%1\n\n%2\n\n"
                                    "El archivo anterior queda como estaba.")
                         .arg(file, reason);
    return outcome;
}
