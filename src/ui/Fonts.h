#pragma once

#include <QFont>

// The forms' fonts with free fall-backs: "B Nazanin" -> Nazli -> Noto Naskh Arabic, and
// "B Titr" -> Titr.
namespace Fonts {
QFont nazanin(double pointSize = 12, bool bold = true);
QFont titr(double pointSize, bool bold = true);
QFont mitra(double pointSize, bool bold = true);
} // namespace Fonts
