#pragma once

#include <QByteArray>
#include <QString>

// Files are written as UTF-8 without a byte-order mark, so any name or
// customer text survives. Files carried over from an older installation are
// in Windows-1252: bytes that are not valid UTF-8 are read that way.
namespace TextCodec {
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);
} // namespace TextCodec
