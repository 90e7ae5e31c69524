#pragma once

struct _wmfAPI;

// The fonts libwmf draws metafile text with, read into memory while files can
// still be opened, so that text is drawn where none may be. libwmf maps every
// font a metafile asks for onto its standard PostScript fonts, opening their
// files as it goes; an instance that is served the fonts finds them all
// already open, and maps exactly as it would from the files. The fonts are
// shared by the instances served, which must draw one at a time.
class MetafileFonts
{
public:
    // Reads and opens the files of libwmf's standard fonts, once. Until this
    // is called, and for a font whose file could not be read, libwmf opens
    // the file itself.
    static void preload();
    // Gives a new drawing instance the fonts read by preload(), before it
    // maps any font.
    static void serve(_wmfAPI *api);
    // How many fonts preload() has read.
    static int count();
};
