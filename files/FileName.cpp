// SPDX-License-Identifier: MIT
#include "FileName.h"

#include "LineCodec.h"

#include <QFile>

namespace FileName {

QByteArray Encode(const QString& name)
{
#ifdef Q_OS_UNIX
    return LineCodec::EncodeText(name);
#else
    return QFile::encodeName(name);
#endif
}

QString Decode(QByteArrayView name)
{
#ifdef Q_OS_UNIX
    return LineCodec::DecodeLine(name);
#else
    return QFile::decodeName(name.toByteArray());
#endif
}

} // namespace FileName
