#pragma once

#include <QString>

// How a slot's subtiles are laid onto a space, kept in its stored text form:
// "0" plain, "1" keyed on the subtile's top-left pixel, "2,<alpha>" blended.
// A bare "2" is not written by the program but may be given.
class TransparencySetting
{
public:
    enum Mode { Plain = 0, Keyed = 1, Blended = 2 };
    static constexpr int DefaultAlpha = 128;

    TransparencySetting() = default;
    explicit TransparencySetting(QString text)
        : m_text(std::move(text))
    {
    }
    static TransparencySetting blended(int alpha);

    const QString &text() const { return m_text; }
    Mode mode() const;
    bool hasAlpha() const;
    // The alpha from the third character on, whole part, as an unsigned byte.
    int alpha() const;
    // The alpha a placement uses: a bare "2" blends at the window's default
    // instead of leaving the space untouched.
    int effectiveAlpha() const;

    bool operator==(const TransparencySetting &other) const = default;

private:
    QString m_text = QStringLiteral("0");
};
