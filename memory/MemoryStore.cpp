// SPDX-License-Identifier: MIT
#include "MemoryStore.h"

#include "IO_System.h"
#include "LineCodec.h"
#include "MemoryFileLocation.h"
#include "MemoryListModel.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

QByteArray Digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

Outcome<> MemoryStore::Load(const QString& path)
{
    m_path = path;
    m_namesPath = NamesFile::PathFor(path);
    m_unsaved.Clear();
    m_namesUnsaved.clear();
    m_loaded = true;
    // What a save that a crash cut short left beside the files.
    SafeFile::RemoveLeftovers(path);
    SafeFile::RemoveLeftovers(m_namesPath);
    QStringList lines;
    const Outcome<QByteArray> read = IO_System::ReadMemoryFile(path, lines);
    m_digest = Digest(read ? *read : QByteArray());
    IO_System::FillMemoryList(lines, m_list);
    // Whatever is in a file that could not be read stays there.
    m_neverWrite = !read;
    // The names, read after the list and never in its way. They are not
    // written while the list could not be read: the names of its colours
    // would be lost.
    const Outcome<std::optional<QByteArray>> names = SafeFile::Read(m_namesPath);
    m_namesNeverWrite = !names || m_neverWrite;
    const QByteArray namesBytes = names ? names->value_or(QByteArray()) : QByteArray();
    m_namesDigest = Digest(namesBytes);
    // Names of codes the list does not hold are kept aside, never shown nor
    // written: a colour added again later takes its name back.
    m_list.SetGivenNames(NamesFile::Parse(namesBytes));
    if (!read)
        return Failed(read.Reason());
    return {};
}

Outcome<StoreChange> MemoryStore::Add(const QString& code, const QString& name)
{
    if (!name.isEmpty())
        return Merge({code}, {name});
    // "Guardar" looks the list through once, without a set of it.
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
    const QString key = NamesFile::Key(text);
    if (!m_list.GivenName(text).isEmpty() &&
        std::none_of(m_list.Items().cbegin(), m_list.Items().cend(),
                     [&key](const QString& entry) { return NamesFile::Key(entry) == key; })) {
        NamesFile::Names names = m_list.GivenNames();
        names.remove(key);
        m_list.SetGivenNames(std::move(names));
        m_namesUnsaved.insert(key, QString());
    }
    return SaveChange({});
}

namespace {

// The names other colours than key's hold, in lower case.
QSet<QString> TakenNames(const NamesFile::Names& names, const QString& key)
{
    QSet<QString> taken;
    for (auto name = names.cbegin(); name != names.cend(); ++name) {
        if (name.key() != key)
            taken.insert(name->toLower());
    }
    return taken;
}

// name, or name with "-2", "-3"... when another colour holds it, or has
// it as its derived name (given names go first in a palette: that colour
// would lose its name).
QString Unique(const QString& name, const QSet<QString>& taken, const MemoryListModel& list,
               const QString& code)
{
    QString unique = name;
    for (int count = 2; taken.contains(unique.toLower()) || list.DerivedByOther(unique, code);
         ++count) {
        const QString suffix = QStringLiteral("-%1").arg(count);
        unique = name.left(NamesFile::MaxName - suffix.size()) + suffix;
    }
    return unique;
}

} // namespace

Outcome<StoreChange> MemoryStore::Merge(const QStringList& codes, const QStringList& names)
{
    const QStringList added = m_list.AddAllSorted(codes);
    for (const QString& code : added) {
        m_unsaved.Added(code);
    }
    // The names taken, all at once: one signal for the whole list.
    NamesFile::Names given = m_list.GivenNames();
    QSet<QString> taken;
    const qsizetype named = std::min(codes.size(), names.size());
    bool renamed = false;
    for (qsizetype i = 0; i < named; ++i) {
        const QString& code = codes.at(i);
        const QString name = NamesFile::Cleaned(names.at(i));
        if (!NamesFile::IsCode(code) || name.isEmpty() || given.contains(NamesFile::Key(code)) ||
            name == m_list.DerivedName(code))
            continue;
        if (!renamed)
            taken = TakenNames(given, QString());
        const QString unique = Unique(name, taken, m_list, code);
        taken.insert(unique.toLower());
        given.insert(NamesFile::Key(code), unique);
        m_namesUnsaved.insert(NamesFile::Key(code), unique);
        renamed = true;
    }
    if (renamed)
        m_list.SetGivenNames(std::move(given));
    const StoreChange change{int(added.size()), int(codes.size() - added.size())};
    // Nothing new, nothing saved.
    return added.isEmpty() && !renamed ? change : SaveChange(change);
}

Outcome<> MemoryStore::Rename(int index, const QString& name)
{
    const QString entry = m_list.Item(index);
    const QString key = NamesFile::Key(entry);
    QString cleaned = NamesFile::Cleaned(name);
    // Its own derived name is no name to keep.
    if (cleaned == m_list.DerivedName(entry))
        cleaned.clear();
    if (!cleaned.isEmpty())
        cleaned = Unique(cleaned, TakenNames(m_list.GivenNames(), key), m_list, entry);
    if (!NamesFile::IsCode(entry) || cleaned == m_list.GivenName(entry))
        return {};
    m_list.SetGivenName(entry, cleaned);
    m_namesUnsaved.insert(key, cleaned);
    if (m_neverWrite)
        return {};
    return SaveNames();
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
    const Outcome<> list = SaveList();
    const Outcome<> names = SaveNames();
    return list ? names : list;
}

Outcome<> MemoryStore::SaveNames()
{
    if (!m_loaded || (m_namesNeverWrite && m_namesUnsaved.isEmpty()))
        return {};
    const QString file = MemoryFileLocation::ForDisplay(m_namesPath);
    if (m_namesNeverWrite) {
        return Failed(QStringLiteral("Los nombres de los colores no se han guardado: el "
                                     "archivo\n%1\nno se pudo leer al empezar y se deja como "
                                     "estaba. La lista de colores no depende de él.")
                          .arg(file));
    }
    // As the list's save: a hand edit is taken in first, the names given
    // since the last save made again on it, and the file looked at once more
    // right before the new one takes its place.
    QString reason;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const Outcome<std::optional<QByteArray>> onDisk = SafeFile::Read(m_namesPath);
        if (!onDisk) {
            reason = QStringLiteral("El archivo cambió y no se puede leer: ") + onDisk.Reason();
            break;
        }
        const bool missing = !onDisk->has_value();
        const QByteArray digest = missing ? m_namesDigest : Digest(**onDisk);
        if (digest != m_namesDigest) {
            NamesFile::Names names = NamesFile::Parse(**onDisk);
            for (auto name = m_namesUnsaved.cbegin(); name != m_namesUnsaved.cend(); ++name) {
                if (name->isEmpty())
                    names.remove(name.key());
                else
                    names.insert(name.key(), *name);
            }
            m_list.SetGivenNames(std::move(names));
        }
        const QByteArray bytes = NamesFile::Text(m_list.Items(), m_list.GivenNames());
        // No names and no file: none is made.
        if (missing ? bytes.isEmpty() : Digest(bytes) == digest) {
            m_namesDigest = missing ? Digest(bytes) : digest;
            m_namesUnsaved.clear();
            return {};
        }
        bool changed = false;
        const auto unchanged = [&] {
            const Outcome<std::optional<QByteArray>> now = SafeFile::Read(m_namesPath);
            changed = !now || now->has_value() == missing ||
                      (now->has_value() && Digest(**now) != digest);
            return !changed;
        };
        const Outcome<> replaced = SafeFile::Replace(m_namesPath, bytes, unchanged);
        if (replaced) {
            m_namesDigest = Digest(bytes);
            m_namesUnsaved.clear();
            return {};
        }
        reason = replaced.Reason();
        m_namesDigest = digest;
        if (!changed)
            break;
    }
    return Failed(QStringLiteral("No se pudieron guardar los nombres de los colores en\n%1\n\n"
                                 "%2\n\nEl archivo anterior queda como estaba; la lista de "
                                 "colores no depende de él.")
                      .arg(file, reason));
}

Outcome<> MemoryStore::SaveList()
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
