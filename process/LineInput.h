// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

// Reads a stream one line at a time, never holding more than a bounded
// part of a line: a line longer than the bound (a file without line breaks,
// /dev/zero) is skipped to its end and reported as too long, so memory stays
// small whatever comes in.
class LineInput
{
public:
    enum class Status {
        Line,    // a line, without its LF or CR LF
        TooLong, // a line of more than the bound's bytes, dropped
        End,     // nothing more
        Failed,  // the stream could not be read: Error() says why
    };

    LineInput(int fd, qsizetype longest);

    Status Next(QByteArray& line);
    int Error() const { return m_error; }

private:
    bool Fill();

    int m_fd;
    qsizetype m_longest;
    QByteArray m_buffer;
    qsizetype m_start = 0;
    bool m_ended = false;
    int m_error = 0;
};
