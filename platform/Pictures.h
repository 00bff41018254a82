// SPDX-License-Identifier: MIT
#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// Picture files chosen by the player. ".bmp"/".BMP" go to the built-in bitmap
// loader; every other extension goes to the image library (JPEG through Qt, PCX
// through our own decoder). Any failure answers with a null image.
namespace Pictures {

QImage loadBitmapFile(const QString &fileName);   // the built-in loader
QImage loadWithLibrary(const QString &fileName);  // the image library
QImage decodePcx(const QByteArray &data);         // never reads past data, never throws
bool isGifName(const QString &fileName);          // exactly ".gif" or ".GIF"
bool isBmpName(const QString &fileName);          // exactly ".bmp" or ".BMP"
QImage load(const QString &fileName);             // dispatch by extension as above

}  // namespace Pictures
