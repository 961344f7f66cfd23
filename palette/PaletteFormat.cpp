// SPDX-License-Identifier: MIT
#include "PaletteFormat.h"

#include "UntrustedText.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const PaletteFormatRow& RowOf(PaletteFormat format)
{
    return PaletteFormats[std::size_t(format)];
}

bool Is(QStringView text, const char16_t* name)
{
    return text.compare(QStringView(name), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<PaletteFormat> PaletteFormatFromName(QStringView name)
{
    for (const PaletteFormatRow& row : PaletteFormats) {
        if (Is(name, row.name))
            return row.format;
    }
    return std::nullopt;
}

std::optional<PaletteFormat> PaletteFormatForFile(const QString& path, QStringView name)
{
    if (!name.isEmpty())
        return PaletteFormatFromName(name);
    // The longest extension that ends the name, of the formats whose name is
    // their extension's first part: "a.tokens.json" is tokens, "a.json" json.
    const QString fileName = QFileInfo(path).fileName();
    std::optional<PaletteFormat> found;
    qsizetype longest = 0;
    for (const PaletteFormatRow& row : PaletteFormats) {
        const QStringView extension(row.extension);
        const qsizetype dot = extension.indexOf(u'.');
        const QStringView firstPart = dot < 0 ? extension : extension.first(dot);
        if (Is(firstPart, row.name) && extension.size() > longest &&
            fileName.endsWith(u'.' + extension.toString(), Qt::CaseInsensitive)) {
            found = row.format;
            longest = extension.size();
        }
    }
    return found;
}

QString PaletteFormatExtension(PaletteFormat format)
{
    return QString::fromUtf16(RowOf(format).extension);
}

QString PaletteFormatList(QStringView conjunction)
{
    QString text;
    for (const PaletteFormatRow& row : PaletteFormats) {
        if (!text.isEmpty())
            text +=
                &row == &PaletteFormats.back() ? u' ' + conjunction + u' ' : QStringLiteral(", ");
        text += QString::fromUtf16(row.name);
    }
    return text;
}

QString UnknownPaletteFormatText(QStringView name)
{
    return UntrustedText::Quoted(name) +
           QStringLiteral(" no es un formato de paleta; los formatos son ") +
           PaletteFormatList(u"y") + u'.';
}

QList<std::pair<QString, PaletteFormat>> PaletteSaveTypes()
{
    QList<std::pair<QString, PaletteFormat>> types;
    QList<const char16_t*> extensions; // of each type
    for (const PaletteFormatRow& row : PaletteFormats) {
        const QString extension = QString::fromUtf16(row.extension);
        const auto last = std::find_if(extensions.crbegin(), extensions.crend(),
                                       [&](const char16_t* e) { return Is(extension, e); });
        const qsizetype at =
            last == extensions.crend() ? extensions.size() : extensions.crend() - last;
        types.insert(at, {QString::fromUtf16(row.label) + QStringLiteral(" (*.") + extension + u')',
                          row.format});
        extensions.insert(at, row.extension);
    }
    return types;
}

QStringList PaletteExtensions()
{
    QStringList extensions;
    for (const PaletteFormatRow& row : PaletteFormats) {
        const QString extension = QString::fromUtf16(row.extension);
        if (!extensions.contains(extension))
            extensions << extension;
    }
    return extensions;
}
