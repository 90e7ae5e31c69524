#include "tilesets/TransparencySetting.h"

TransparencySetting TransparencySetting::blended(int alpha)
{
    return TransparencySetting(QStringLiteral("2,%1").arg(alpha));
}

TransparencySetting::Mode TransparencySetting::mode() const
{
    if (m_text.startsWith(QLatin1Char('1')))
        return Keyed;
    if (m_text.startsWith(QLatin1Char('2')))
        return Blended;
    return Plain;
}

bool TransparencySetting::hasAlpha() const
{
    return m_text.size() > 2;
}

int TransparencySetting::alpha() const
{
    // Leading digits of the text from the third character, like a numeric read
    // that stops at the first character that is not part of the number.
    const QString rest = m_text.mid(2).trimmed();
    qint64 value = 0;
    for (QChar c : rest) {
        if (!c.isDigit())
            break;
        value = std::min<qint64>(value * 10 + c.digitValue(), 1 << 20);
    }
    return int(value & 0xff);
}

int TransparencySetting::effectiveAlpha() const
{
    return hasAlpha() ? alpha() : DefaultAlpha;
}
