// SPDX-License-Identifier: MIT
#include "PaletteFormat.h"

#include "UntrustedText.h"

#include <QFileInfo>
#include <array>

namespace {

struct FormatName
{
    PaletteFormat format;
    const char16_t* name;
};

constexpr std::array<FormatName, 6> Names = {{{PaletteFormat::Gpl, u"gpl"},
                                              {PaletteFormat::Css, u"css"},
                                              {PaletteFormat::Scss, u"scss"},
                                              {PaletteFormat::Tailwind, u"tailwind"},
                                              {PaletteFormat::Json, u"json"},
                                              {PaletteFormat::Txt, u"txt"}}};

} // namespace

std::optional<PaletteFormat> PaletteFormatFromName(QStringView name)
{
    for (const FormatName& entry : Names) {
        if (name.compare(QStringView(entry.name), Qt::CaseInsensitive) == 0)
            return entry.format;
    }
    return std::nullopt;
}

QString PaletteFormatName(PaletteFormat format)
{
    for (const FormatName& entry : Names) {
        if (entry.format == format)
            return QString::fromUtf16(entry.name);
    }
    return {};
}

std::optional<PaletteFormat> PaletteFormatForFile(const QString& path, QStringView name)
{
    if (!name.isEmpty())
        return PaletteFormatFromName(name);
    const std::optional<PaletteFormat> format = PaletteFormatFromName(QFileInfo(path).suffix());
    if (format == PaletteFormat::Tailwind)
        return std::nullopt;
    return format;
}

QString PaletteFormatExtension(PaletteFormat format)
{
    return format == PaletteFormat::Tailwind ? QStringLiteral("css") : PaletteFormatName(format);
}

QString UnknownPaletteFormatText(QStringView name)
{
    return UntrustedText::Quoted(name) +
           QStringLiteral(" no es un formato de paleta; los formatos son gpl, css, scss, "
                          "tailwind, json y txt.");
}
