#pragma once

// A PNG read by libpng directly. Qt's picture reader first asks every
// picture plug-in installed for what it reads (about a millisecond of the
// start for the window's icon alone), even when told the format.

#include <QImage>

class QString;

namespace q42 {

// The picture in a file or resource; a null image when it is missing, is
// no PNG or is larger than a window's picture may be (1024 on a side).
QImage leePng(const QString& archivo);

} // namespace q42
