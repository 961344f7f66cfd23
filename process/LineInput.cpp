// SPDX-License-Identifier: MIT
#include "LineInput.h"

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#else
#include <io.h>
#endif

LineInput::LineInput(int fd, qsizetype longest) : m_fd(fd), m_longest(longest) {}

bool LineInput::Fill()
{
    constexpr qsizetype chunk = 64 * 1024;
    m_buffer.remove(0, m_start);
    m_start = 0;
    const qsizetype size = m_buffer.size();
    m_buffer.resize(size + chunk);
    for (;;) {
#ifdef Q_OS_UNIX
        const ssize_t got = ::read(m_fd, m_buffer.data() + size, size_t(chunk));
#else
        const int got = ::_read(m_fd, m_buffer.data() + size, unsigned(chunk));
#endif
        if (got < 0 && errno == EINTR) // GCOVR_EXCL_BR_LINE: no signal handler runs while reading
            continue;                  // GCOVR_EXCL_LINE: no signal handler runs while reading
        m_buffer.resize(size + qMax<qsizetype>(got, 0));
        if (got < 0)
            m_error = errno;
        m_ended = got == 0;
        return got > 0;
    }
}

LineInput::Status LineInput::Next(QByteArray& line)
{
    line.clear();
    bool tooLong = false;
    bool any = false;
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', m_start);
        const qsizetype stop = end < 0 ? m_buffer.size() : end;
        if (stop > m_start)
            any = true;
        if (!tooLong) {
            line.append(m_buffer.constData() + m_start, stop - m_start);
            if (line.size() > m_longest + 1) { // + 1: a CR before the LF
                tooLong = true;
                line.clear();
            }
        }
        if (end >= 0) {
            m_start = end + 1;
            if (line.endsWith('\r'))
                line.chop(1);
            tooLong = tooLong || line.size() > m_longest;
            return tooLong ? Status::TooLong : Status::Line;
        }
        m_start = m_buffer.size();
        if (m_error != 0 || m_ended || !Fill()) {
            if (m_error != 0)
                return Status::Failed;
            if (!any && !tooLong)
                return Status::End;
            // The last line, without a line break.
            tooLong = tooLong || line.size() > m_longest;
            return tooLong ? Status::TooLong : Status::Line;
        }
    }
}
