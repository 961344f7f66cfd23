// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QString>
#include <QStringView>
#include <optional>

// The 148 named colours of CSS, among them the spellings that share a colour
// (aqua and cyan, fuchsia and magenta, gray and grey in all seven pairs).
// transparent and currentcolor are not colours of their own and are not here.
namespace NamedColours {

using Colour::Rgb8;

// ASCII letters in any case: "DarkGrey" is darkgrey.
std::optional<Rgb8> Find(QStringView name);

// The name of exactly this colour, or an empty text. Where several names share
// the colour, the first in alphabetical order: aqua, fuchsia and the "gray"
// spellings.
QString ExactName(Rgb8 colour);

// The name whose colour lies nearest in Oklab (deltaEOK), the first in
// alphabetical order on a tie.
QString NearestName(Rgb8 colour);

} // namespace NamedColours
