#include "ui/Fonts.h"

#include <QStringList>

namespace Fonts {

static QFont make(const QStringList& families, double pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont nazanin(double pointSize, bool bold)
{
    return make({"B Nazanin", "Nazli", "Noto Naskh Arabic"}, pointSize, bold);
}

QFont titr(double pointSize, bool bold)
{
    return make({"B Titr", "Titr", "Nazli", "Noto Naskh Arabic"}, pointSize, bold);
}

QFont mitra(double pointSize, bool bold)
{
    return make({"B Mitra", "Mitra", "Nazli", "Noto Naskh Arabic"}, pointSize, bold);
}

} // namespace Fonts
