// SPDX-License-Identifier: MIT
#include "StandardStreams.h"

#include "SystemError.h"

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace StandardStreams {

void OpenMissing()
{
#ifdef Q_OS_UNIX
    // The lowest free descriptor is the one opened, so going up from 0 each
    // closed one is filled in its own place.
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            // GCOVR_EXCL_START: open takes the lowest free number; fails only without /dev/null
            if (opened >= 0 && opened != fd) {
                ::close(opened); // /dev/null missing or taken: leave it
            }
            // GCOVR_EXCL_STOP
        }
    }
#endif
}

namespace {

QString Reason(int error)
{
    // Said of standard output where the system's own text would not read
    // well; every other error (a full disk, a terminal that hung up) in the
    // system's text.
    switch (error) {
    case EPIPE:
        return QStringLiteral("el programa que la leía ya ha terminado");
    case EBADF:
        return QStringLiteral("está cerrada");
    // GCOVR_EXCL_START: tested, but a file size limit stops the counters being written too
    case EFBIG:
        return QStringLiteral("el archivo ha llegado a su tamaño máximo");
    // GCOVR_EXCL_STOP
    default: {
        // In the sentence's lower case.
        QString text = SystemError::Text(error);
        text[0] = text[0].toLower();
        return text;
    }
    }
}

} // namespace

QString Write(FILE* stream, const QString& text)
{
    errno = 0;
    // Every byte, a NUL among them: fputs would stop at the first.
    const QByteArray bytes = text.toUtf8();
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
    if (std::fflush(stream) == 0 && written) {
        return {};
    }
    const int error = errno != 0 ? errno : EIO;
    std::clearerr(stream);
    return Reason(error);
}

} // namespace StandardStreams
