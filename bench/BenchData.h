// SPDX-License-Identifier: MIT
#pragma once

// Test data shared by the benchmarks: lists of random colour codes, the same
// on every run.

#include <QSet>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <random>

namespace BenchData {

// The list sizes the benchmarks run at; the first is the smallest.
constexpr int kSizes[] = {1000, 10000, 100000};

inline QString CodeOf(quint32 rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

// count distinct random codes, in the case-insensitive order in which
// "&Guardar" would have stored them.
inline QStringList SortedCodes(int count, quint32 seed = 42)
{
    std::mt19937 random(seed);
    QSet<quint32> seen;
    seen.reserve(count);
    QStringList codes;
    codes.reserve(count);
    while (codes.size() < count) {
        const quint32 rgb = random() & 0xFFFFFF;
        if (!seen.contains(rgb)) {
            seen.insert(rgb);
            codes.append(CodeOf(rgb));
        }
    }
    std::sort(codes.begin(), codes.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return codes;
}

// count random codes that are not in list (to be stored as new entries).
inline QStringList CodesNotIn(const QStringList& list, int count, quint32 seed = 7)
{
    const QSet<QString> present(list.cbegin(), list.cend());
    std::mt19937 random(seed);
    QStringList codes;
    codes.reserve(count);
    while (codes.size() < count) {
        QString code = CodeOf(random());
        if (!present.contains(code)) {
            codes.append(code);
        }
    }
    return codes;
}

// The duplicate test of "&Guardar": the first item equal to text, exactly
// (case counts), in index order; -1 when none is.
inline int FindExact(const QStringList& items, const QString& text)
{
    const auto it = std::find(items.cbegin(), items.cend(), text);
    return it == items.cend() ? -1 : static_cast<int>(it - items.cbegin());
}

} // namespace BenchData
