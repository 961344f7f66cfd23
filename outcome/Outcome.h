// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>
#include <utility>

// A failure, as every operation that can fail gives it: the reason in
// Spanish, for the user. Turns into the failed Outcome of any value.
struct Failure
{
    QString reason;
};

inline Failure Failed(QString reason)
{
    return {std::move(reason)};
}

// What an operation that can fail gives back: its value, or the reason it
// failed (never both). Tested as a bool, true when it succeeded.
template <typename T = void> class [[nodiscard]] Outcome
{
public:
    Outcome(T value) : m_value(std::move(value)) {}
    Outcome(Failure failure) : m_reason(std::move(failure.reason)) {}

    explicit operator bool() const { return m_value.has_value(); }
    // The value; only when it succeeded.
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    // Why it failed; empty when it succeeded.
    const QString& Reason() const { return m_reason; }

private:
    std::optional<T> m_value;
    QString m_reason;
};

// An operation that gives nothing back but can fail.
template <> class [[nodiscard]] Outcome<void>
{
public:
    Outcome() = default;
    Outcome(Failure failure) : m_failed(true), m_reason(std::move(failure.reason)) {}

    explicit operator bool() const { return !m_failed; }
    const QString& Reason() const { return m_reason; }

private:
    bool m_failed = false;
    QString m_reason;
};
