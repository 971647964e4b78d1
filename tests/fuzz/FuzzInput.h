#pragma once
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <utility>

// Splits a fuzz input at its first zero byte into two fields.
inline std::pair<QByteArray, QByteArray> SplitAtZero(const uint8_t* data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype zero = all.indexOf('\0');
    if (zero < 0)
        return {all, QByteArray()};
    return {all.left(zero), all.mid(zero + 1)};
}
