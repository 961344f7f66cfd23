// SPDX-License-Identifier: MIT
#pragma once

#include "ImportedPalette.h"

#include <QByteArray>
#include <optional>

// Reads a design tokens file (W3C Design Tokens Community Group format,
// 2025.10: a JSON object of groups and tokens). Every token of type "color"
// (its own "$type", else its nearest group's, else the type of the token an
// alias leads to) comes in, named after its path with "-" between the
// groups: color.brand.500 is "color-brand-500", a group's "$root" token takes
// the group's name (an alias reaches it as {group.$root}). Tokens of other types are
// skipped. A "$value" is a colour object ("colorSpace", "components", and
// "hex" as the fallback for a space not known here), a CSS colour text, or an
// alias "{group.token}" followed to its token. The colours come in the order
// of their names. A token or member that cannot be read makes the whole file
// fail, naming its path: "«color.brand.500»: …".
namespace DesignTokensReader {

// Nothing when bytes are not a JSON object.
std::optional<Outcome<ImportedPalette>> Read(const QByteArray& bytes);

} // namespace DesignTokensReader
