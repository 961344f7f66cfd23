// SPDX-License-Identifier: MIT
#include "NamesFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace NamesFile {

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Characters a name never holds: they would break its line, hide or reorder
// text around it.
bool IsUnwanted(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

} // namespace

QString PathFor(const QString& memoryFile)
{
    const QFileInfo info(memoryFile);
    const QString path = QDir(info.path()).filePath(info.completeBaseName() + u".names");
    return path == memoryFile ? memoryFile + u".names" : path;
}

QString Key(QStringView code)
{
    return code.toString().toUpper();
}

bool IsCode(QStringView text)
{
    if (text.size() != 7 || text[0] != u'#')
        return false;
    for (QChar c : text.sliced(1)) {
        const char16_t u = c.unicode();
        const char16_t lower = u | 0x20;
        if (!(u >= u'0' && u <= u'9') && !(lower >= u'a' && lower <= u'f'))
            return false;
    }
    return true;
}

QString Cleaned(QStringView name)
{
    // Most names need nothing: taken as they are.
    bool clean = !name.isEmpty() && name.size() <= MaxName && !name.front().isSpace() &&
                 !name.back().isSpace();
    for (qsizetype i = 0; clean && i < name.size(); ++i) {
        // A blank is one space, never two together.
        const QChar c = name[i];
        clean = !IsUnwanted(c.unicode()) && (!c.isSpace() || (c == u' ' && !name[i + 1].isSpace()));
    }
    if (clean)
        return name.toString();
    // Every unwanted character lies in the BMP: a surrogate is never one.
    QString text = name.toString();
    for (QChar& c : text) {
        if (IsUnwanted(c.unicode()))
            c = u' ';
    }
    text = std::move(text).simplified();
    if (text.size() > MaxName)
        text.truncate(text.at(MaxName - 1).isHighSurrogate() ? MaxName - 1 : MaxName);
    return std::move(text).trimmed();
}

Names Parse(QByteArrayView bytes)
{
    Names names;
    const QString text = QString::fromUtf8(bytes);
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        for (QStringView part : line.tokenize(u'\r')) {
            if (!IsCode(part.first(qMin<qsizetype>(7, part.size()))) ||
                (part.size() > 7 && !IsBlank(part[7])))
                continue;
            const QString name = Cleaned(part.sliced(7));
            if (!name.isEmpty())
                names.insert(Key(part.first(7)), name);
        }
    }
    return names;
}

QByteArray Text(const QStringList& entries, const Names& names)
{
    if (names.isEmpty())
        return {};
    QString text;
    QSet<QString> written;
    for (const QString& entry : entries) {
        if (!IsCode(entry))
            continue;
        const QString key = Key(entry);
        const auto name = names.constFind(key);
        if (name == names.cend() || written.contains(key))
            continue;
        written.insert(key);
        text += entry + u'\t' + *name + u"\r\n";
    }
    if (text.isEmpty())
        return {};
    return (QStringLiteral("* Nombres de los colores de la lista: código (azul, verde, rojo), "
                           "tabulador y nombre.\r\n") +
            text)
        .toUtf8();
}

} // namespace NamesFile
