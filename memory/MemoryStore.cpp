// SPDX-License-Identifier: MIT
#include "MemoryStore.h"

#include "IO_System.h"
#include "LineCodec.h"
#include "MemoryFileLocation.h"
#include "MemoryListModel.h"

#include <QCryptographicHash>
#include <QHash>

namespace {

QByteArray Digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

Outcome<> MemoryStore::Load(const QString& path)
{
    m_path = path;
    m_unsaved.Clear();
    m_loaded = true;
    // What a save that a crash cut short left beside the file.
    SafeFile::RemoveLeftovers(path);
    QStringList lines;
    const Outcome<QByteArray> read = IO_System::ReadMemoryFile(path, lines);
    m_digest = Digest(read ? *read : QByteArray());
    IO_System::FillMemoryList(lines, m_list);
    // Whatever is in a file that could not be read stays there.
    m_neverWrite = !read;
    if (!read)
        return Failed(read.Reason());
    return {};
}

Outcome<StoreChange> MemoryStore::Add(const QString& code)
{
    if (m_list.Items().contains(code, Qt::CaseSensitive)) {
        return StoreChange{0, 1};
    }
    m_list.AddSorted(code);
    m_unsaved.Added(code);
    return SaveChange({1, 0});
}

Outcome<StoreChange> MemoryStore::Remove(int index)
{
    const QString text = m_list.Item(index);
    m_list.RemoveAt(index);
    m_unsaved.Removed(text);
    return SaveChange({});
}

Outcome<StoreChange> MemoryStore::Merge(const QStringList& codes)
{
    const QStringList added = m_list.AddAllSorted(codes);
    for (const QString& code : added) {
        m_unsaved.Added(code);
    }
    const StoreChange change{int(added.size()), int(codes.size() - added.size())};
    // Nothing new, nothing saved.
    return added.isEmpty() ? change : SaveChange(change);
}

Outcome<StoreChange> MemoryStore::Insert(int index, const QString& code)
{
    m_list.InsertAt(index, code);
    m_unsaved.Added(code);
    return SaveChange({1, 0});
}

Outcome<StoreChange> MemoryStore::Drop(const QStringList& codes)
{
    // One pass over the list and one model reset, whatever the number of codes.
    QHash<QString, int> left;
    for (const QString& code : codes) {
        ++left[code];
    }
    QStringList kept;
    kept.reserve(m_list.Count());
    for (const QString& entry : m_list.Items()) {
        if (const auto found = left.find(entry); found != left.end() && *found > 0) {
            --*found;
            m_unsaved.Removed(entry);
        } else {
            kept << entry;
        }
    }
    if (kept.size() == m_list.Count()) {
        return StoreChange{};
    }
    m_list.SetItems(kept);
    return SaveChange({});
}

Outcome<StoreChange> MemoryStore::SaveChange(StoreChange change)
{
    // A file that could not be read is never written: the change stays in
    // the list, and the close says it was not saved.
    if (m_neverWrite)
        return change;
    if (Outcome<> saved = Save(); !saved)
        return Failed(saved.Reason());
    return change;
}

Outcome<std::optional<QByteArray>> MemoryStore::ReadFile() const
{
    Outcome<std::optional<QByteArray>> read = SafeFile::Read(m_path);
    if (!read)
        return Failed(QStringLiteral("El archivo cambió y no se puede leer: ") + read.Reason());
    return read;
}

void MemoryStore::TakeIn(const QByteArray& bytes)
{
    QStringList lines;
    IO_System::SplitLines(bytes, lines);
    // One model reset: a change at a time, each with its own signals and a
    // search of the whole list, took a minute for a large import.
    m_list.SetItems(m_unsaved.MadeAgainOn(lines));
}

Outcome<> MemoryStore::Save()
{
    if (!m_loaded || (m_neverWrite && m_unsaved.IsEmpty())) {
        return {};
    }
    const QString file = MemoryFileLocation::ForDisplay(m_path);
    if (m_neverWrite) {
        return Failed(QStringLiteral("La lista de colores no se ha guardado: el archivo\n%1\n"
                                     "no se pudo leer al empezar y se deja como estaba.")
                          .arg(file));
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
        const Outcome<std::optional<QByteArray>> onDisk = ReadFile();
        if (!onDisk) {
            reason = onDisk.Reason();
            break;
        }
        // Deleted meanwhile: the list in the window is all there is.
        const bool missing = !onDisk->has_value();
        const QByteArray digest = missing ? m_digest : Digest(**onDisk);
        if (digest != m_digest) {
            TakeIn(**onDisk);
        }
        const QByteArray bytes = LineCodec::EncodeText(IO_System::MemoryListText(m_list));
        const QByteArray written = Digest(bytes);
        // The file holds the list already: nothing is written (no new file,
        // no rename, no sync), so a list marked read-only, or on read-only
        // media, closes without a failure when nothing changed.
        if (!missing && written == digest) {
            m_digest = digest;
            m_unsaved.Clear();
            return {};
        }
        bool changed = false;
        const auto unchanged = [&] {
            const Outcome<std::optional<QByteArray>> now = ReadFile();
            changed = !now || now->has_value() == missing ||
                      (now->has_value() && Digest(**now) != digest);
            return !changed;
        };
        const Outcome<> replaced = SafeFile::Replace(m_path, bytes, unchanged);
        if (replaced) {
            m_digest = written;
            m_unsaved.Clear();
            return {};
        }
        reason = replaced.Reason();
        m_digest = digest; // the list now holds what was on disk
        if (!changed) {
            break;
        }
    }
    return Failed(QStringLiteral("No se pudo guardar la lista de colores en\n%1\n\n%2\n\n"
                                 "El archivo anterior queda como estaba.")
                      .arg(file, reason));
}
