// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The byte-exact text form of a line of a file: valid UTF-8 decodes as such,
// and every byte of an invalid sequence becomes U+DC80 + (byte - 0x80), so
// that EncodeText gives the same bytes back.
namespace LineCodec {

QString DecodeLine(QByteArrayView bytes);
QByteArray EncodeText(QStringView text);

} // namespace LineCodec
