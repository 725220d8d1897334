#pragma once

#include <QImage>

namespace artwork {

// Paints the login window's artwork: a carved, gilded frame around the browser's opening.
QImage paintArtwork();

} // namespace artwork
