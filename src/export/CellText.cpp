#include "export/CellText.h"

namespace CellText {

bool looksLikeFormula(const QString& text)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.front());
}

QString neutralised(const QString& text)
{
    return looksLikeFormula(text) ? QLatin1Char('\'') + text : text;
}

QByteArray boundedUtf8(const QString& text, int maxBytes)
{
    QString clean = text;
    clean.replace(QChar(0), QChar(QChar::ReplacementCharacter));
    QByteArray bytes = clean.toUtf8();
    if (bytes.size() <= maxBytes)
        return bytes;
    int end = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the start of the cut character.
    while (end > 0 && (static_cast<unsigned char>(bytes.at(end)) & 0xC0) == 0x80)
        --end;
    bytes.truncate(end);
    return bytes;
}

std::optional<double> wholeNumber(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || QString::number(value) != text)
        return std::nullopt;
    return static_cast<double>(value);
}

} // namespace CellText
