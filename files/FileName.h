// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A file's name as the system holds it (bytes) and as text, both ways
// without loss. On Unix a name is any bytes: one that is not valid UTF-8 (a
// Latin-1 "Begoña" on a USB stick, in $HOME or on the command line) keeps
// its bytes through the text (LineCodec's escapes), where Qt's own
// conversion would put U+FFFD in their place and name another file.
namespace FileName {

QByteArray Encode(const QString& name);
QString Decode(QByteArrayView name);

} // namespace FileName
