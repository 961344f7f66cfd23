// SPDX-License-Identifier: MIT
#pragma once

#include <QSet>
#include <QStringList>
#include <algorithm>
#include <random>

// Test data of the benchmarks, the same on every run: count distinct random
// codes in the case-insensitive order in which "Guardar" stores them, and
// codes that are not among them (to be stored as new entries).
namespace BenchData {

inline QString CodeOf(quint32 rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

inline QStringList SortedCodes(int count)
{
    std::mt19937 random(42);
    QSet<QString> codes;
    while (codes.size() < count)
        codes.insert(CodeOf(random()));
    QStringList sorted(codes.cbegin(), codes.cend());
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return sorted;
}

inline QStringList CodesNotIn(const QStringList& list, int count)
{
    const QSet<QString> present(list.cbegin(), list.cend());
    std::mt19937 random(7);
    QStringList codes;
    while (codes.size() < count)
        if (const QString code = CodeOf(random()); !present.contains(code))
            codes.append(code);
    return codes;
}

} // namespace BenchData
