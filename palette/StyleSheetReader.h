// SPDX-License-Identifier: MIT
#pragma once

#include "ImportedPalette.h"

#include <QStringView>
#include <optional>

// Reads the colours of a style sheet: CSS (custom properties), SCSS
// (variables) and Tailwind themes (custom properties in @theme).
namespace StyleSheetReader {

// Every custom property ("--name: value") and SCSS variable ("$name: value")
// whose value is a CSS colour (Colour::ReadCssColour), in file order; a flag
// after the value (!default, !important) is dropped. Other declarations,
// selectors and at-rules are skipped. Comments /* */ are ignored, and so is
// the rest of a line after // outside brackets and quotes (SCSS; in CSS it
// holds no declaration anyway). Each colour's name is the declaration's,
// without "--" or "$", and without "color-" inside an @theme block (Tailwind's
// "--color-brand" is brand). Nothing when text holds no such declaration
// and no rule at all: then it is no style sheet. Rules of plain properties
// without any custom property are refused as such.
std::optional<Outcome<ImportedPalette>> Read(QStringView text);

} // namespace StyleSheetReader
