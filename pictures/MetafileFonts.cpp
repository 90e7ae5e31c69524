#include "pictures/MetafileFonts.h"

#include <QByteArray>
#include <QFile>
#include <QList>

// libwmf's headers define many short Windows-style macros; keep them after Qt's.
#include <libwmf/api.h>
#include <libwmf/font.h>
#include <libwmf/gd.h>

namespace {

// One standard font: the PostScript name libwmf maps onto, its file, the
// metrics libwmf attaches to a Type 1 font in the PFA or PFB form, and the
// face opened from them, which lives as long as the process.
struct Font
{
    QByteArray psName;
    QByteArray path;
    QByteArray glyphs;
    QByteArray metrics;
    FT_Face face = nullptr;
};

// Written once, before any drawing; read by every drawing after.
QList<Font> &fonts()
{
    static QList<Font> read;
    return read;
}

wmfFontmapData *fontmap(wmfAPI *api)
{
    const auto *data = static_cast<wmfFontData *>(api->font_data);
    return data ? static_cast<wmfFontmapData *>(data->user_data) : nullptr;
}

// The first of libwmf's font folders that holds the file, as libwmf searches them.
QByteArray readFromFolders(char *const *folders, const QByteArray &name, QByteArray *path)
{
    for (; folders && *folders; ++folders) {
        QFile file(QFile::decodeName(*folders) + QLatin1Char('/') + QFile::decodeName(name));
        if (file.open(QIODevice::ReadOnly)) {
            *path = QFile::encodeName(file.fileName());
            return file.readAll();
        }
    }
    return {};
}

// The character map libwmf chooses for a font it opens.
void selectCharmap(FT_Face face)
{
    for (const FT_Encoding encoding :
         {FT_ENCODING_ADOBE_STANDARD, FT_ENCODING_ADOBE_CUSTOM, FT_ENCODING_MS_SYMBOL, FT_ENCODING_UNICODE}) {
        if (FT_Select_Charmap(face, encoding) == 0)
            return;
    }
}

FT_Face openFace(FT_Library library, const Font &font)
{
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte *>(font.glyphs.constData()),
                           FT_Long(font.glyphs.size()), 0, &face)
        != 0)
        return nullptr;
    if (!font.metrics.isEmpty()) {
        FT_Open_Args metrics{};
        metrics.flags = FT_OPEN_MEMORY;
        metrics.memory_base = reinterpret_cast<const FT_Byte *>(font.metrics.constData());
        metrics.memory_size = FT_Long(font.metrics.size());
        FT_Attach_Stream(face, &metrics);
    }
    selectCharmap(face);
    return face;
}

} // namespace

void MetafileFonts::preload()
{
    static FT_Library library = nullptr;
    if (library || FT_Init_FreeType(&library) != 0)
        return;
    // An instance of its own only to learn libwmf's font table and folders.
    wmfAPI_Options options{};
    options.function = wmf_gd_function;
    wmfAPI *api = nullptr;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None || !fontmap(api)) {
        if (api)
            wmf_api_destroy(api);
        return;
    }
    const wmfFontmapData *map = fontmap(api);
    for (const wmfFT_Mapping *standard = map->ps; standard && standard->name; ++standard) {
        Font font{standard->name, {}, {}, {}};
        const QByteArray file = standard->mapping;
        font.glyphs = readFromFolders(map->fontdirs, file, &font.path);
        if (font.glyphs.isEmpty())
            continue;
        if (file.endsWith(".pfa") || file.endsWith(".pfb")) {
            QByteArray metricsPath;
            font.metrics = readFromFolders(map->fontdirs, file.chopped(4) + ".afm", &metricsPath);
        }
        // Opened once: parsing a font costs more than drawing most metafiles.
        font.face = openFace(library, font);
        if (font.face)
            fonts().append(font);
    }
    wmf_api_destroy(api);
}

void MetafileFonts::serve(_wmfAPI *api)
{
    wmfFontmapData *map = fontmap(api);
    if (fonts().isEmpty() || !map || !map->cache)
        return;
    // libwmf looks a PostScript name up in its cache of open faces before it
    // looks for a file; the cache ends at an entry without a name and grows
    // sixteen entries at a time.
    qsizetype used = 0;
    while (map->cache[used].name)
        ++used;
    const qsizetype entries = (used + fonts().size() + 1 + 15) / 16 * 16;
    auto *cache =
        static_cast<wmfFT_CacheEntry *>(wmf_realloc(api, map->cache, size_t(entries) * sizeof(wmfFT_CacheEntry)));
    if (!cache || api->err != wmf_E_None)
        return;
    map->cache = cache;
    for (const Font &font : std::as_const(fonts())) {
        // The instance lets its reference go when it is destroyed; the face stays.
        FT_Reference_Face(font.face);
        cache[used].name = wmf_strdup(api, font.psName.constData());
        cache[used].path = wmf_strdup(api, font.path.constData());
        cache[used].face = font.face;
        ++used;
    }
    cache[used].name = nullptr;
}

int MetafileFonts::count()
{
    return int(fonts().size());
}
