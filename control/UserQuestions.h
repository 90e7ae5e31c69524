#pragma once

#include "output/JpegOptions.h"

#include <QString>

#include <functional>
#include <optional>

// What the editor's decisions ask and tell the user. The main window answers
// with message boxes, file dialogs and the guide; tests answer themselves.
class UserQuestions
{
public:
    enum class Keep { Save, Discard, Cancel };
    enum class Recovered { Restore, Discard, Later };
    // What a file dialog is for: the maptile (pictures and documents) or a tileset.
    enum class Files { Maptile, Tileset };

    virtual ~UserQuestions() = default;

    // Whether to save work before it is replaced or left: why it matters,
    // then what the user asked to do.
    virtual Keep askToKeep(const QString &why, const QString &question) = 0;
    // A file to open; empty when the user cancels.
    virtual QString chooseToOpen(Files files) = 0;
    // Where to save, offering suggested (a path, or a name in the folder used
    // last); empty when the user cancels.
    virtual QString chooseToSave(Files files, const QString &suggested) = 0;
    // The choices of one JPEG save; none when the user cancels.
    virtual std::optional<JpegOptions> askJpegOptions() = 0;
    // Work an editor that did not close left behind, as text describes it.
    virtual Recovered offerRecovered(const QString &text) = 0;
    // Something went wrong that the user must know about.
    virtual void warn(const QString &text) = 0;
    // Something the user should know that went as well as it could.
    virtual void inform(const QString &text) = 0;
    // A passing remark, where the guide speaks.
    virtual void note(const QString &text) = 0;

    // Asks as askToKeep() does; true when the work may go: it was discarded,
    // or save() saved it.
    bool mayLeave(const QString &why, const QString &question, const std::function<bool()> &save);
};
