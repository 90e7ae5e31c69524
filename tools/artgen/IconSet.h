#pragma once

#include "SvgScene.h"

#include <QString>
#include <map>

// The toolbar icons and the application icon. Toolbar icons are drawn on a
// 16-unit grid: fills on whole pixels, 1-unit strokes on half pixels, so
// they stay crisp at 16 x 16 and double cleanly.
class IconSet
{
public:
    // Name (file name without .svg) to drawing.
    static std::map<QString, SvgScene> toolbar();
    static SvgScene application();

    // Writes resources/icons/*.svg and the application icon PNGs.
    static bool write(const QString &repoRoot);
};
