#pragma once
// JPEG decoding through libjpeg itself, so pictures still load where Qt's JPEG image plugin
// is not deployed.

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a baseline or progressive JPEG held in memory into an RGB32 image.
// Returns an empty (null) QImage and sets *error (if given) when the data is not a decodable JPEG.
QImage DecodeJpeg(const QByteArray& data, QString* error = nullptr);
