#pragma once

#include "document/MaptileDocument.h"
#include "maptile/Maptile.h"
#include "maptile/MaptileOverlays.h"
#include "maptile/Redraw.h"
#include "raster/Orientation.h"
#include "tilesets/SubtileRef.h"
#include "tilesets/TilesetSlot.h"
#include "workspace/ButtonSubtile.h"
#include "workspace/Placement.h"
#include "workspace/UndoHistory.h"
#include "workspace/VariationChooser.h"

#include <QImage>
#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TilesetReads;

// The editor's run-wide state and the one place edits go through: the eight
// tileset slots, the subtiles on the three mouse buttons, the maptile with its
// texts and overlays, and the pictures the redraw makes from them. Windows
// read it and call it; it tells them what changed through signals.
class Workspace : public QObject
{
    Q_OBJECT

public:
    // Mouse button codes as the palette and working view report them.
    enum ButtonCode { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    // The three button pictures, in the order left, middle, right.
    enum ButtonPicture { Left = 0, Middle = 1, Right = 2 };
    static constexpr int ButtonCount = 3;
    // The two text boxes of the toolbar.
    enum TextBox { MapNumBox = 0, DesignerBox = 1 };
    // Picture for a button code, or -1 for none (two buttons at once).
    static int pictureForButton(int code)
    {
        return code == LeftButton ? Left : code == RightButton ? Right : code == MiddleButton ? Middle : -1;
    }

    static inline const std::array<QString, 4> DefaultTilesetNames{
        QStringLiteral("Default_A.jpg"), QStringLiteral("Default_B.jpg"), QStringLiteral("Default_C.jpg"),
        QStringLiteral("Default_D.gif")};

    explicit Workspace(QObject *parent = nullptr);
    ~Workspace() override;

    // Starts reading the default tilesets and building their palettes in the
    // background, for a start-up from the same folders to take.
    void readDefaultsAhead(const QStringList &folders);
    // Start-up: the default tilesets into slots A-D (each failure reported
    // through report, in slot order), their palettes, the first
    // button subtiles, the credit, a blank 5 x 6 maptile, and the flag cleared.
    // Each default is taken from the first of folders that holds it.
    void startUp(const QStringList &folders, const std::function<void(const QString &)> &report);
    // Where default tilesets are looked for: beside the program, then in the
    // installed data folder.
    static QStringList defaultTilesetFolders();

    // Tileset slots.
    const TilesetSlot &slot(int index) const { return m_slots.at(index); }
    // Loads a picture file into a slot and rebuilds its palette and button
    // pictures. On failure returns the reason and leaves the slot as it was.
    // The editor reads the file in a child process instead and hands the
    // picture to setTileset().
    QString loadTileset(int index, const QString &path);
    // A picture read from path becomes the slot's tileset, with its palette and
    // button pictures. Each change of a tileset below is one undo step.
    void setTileset(int index, const QImage &picture, const QString &path);
    void setTransparency(int index, const TransparencySetting &setting);
    void setOutlineCell(int index, QPoint cell);
    // Writes an edited subtile into the slot's tileset in memory.
    void replaceSubtile(int index, int column, int row, const QImage &subtile);
    // A picture made into subtile cell of a slot: scaled to fit, centred on the blank colour.
    void importSubtile(int index, QPoint cell, const QImage &picture);
    // The cell shows the blank colour again.
    void emptyCell(int index, QPoint cell);
    // A tileset the maptile's records carry becomes the slot's, unsaved, as one step.
    void takeTilesetCopy(int index, const TilesetCopy &copy);
    // A blank tileset without a file, named "Untitled".
    void newEmptyTileset(int index);
    // The slot's metadata, kept for the run; the label and numbering use it at once.
    void setTileData(int index, const TileData &data);
    // Saves the slot's tileset and metadata; the slot then holds that file.
    QString saveTileset(int index, const QString &path);
    // Work kept from a crash: picture, read from file, comes back into the slot
    // with the metadata kept beside file, as unsaved changes to path, its own
    // file (none when empty).
    void restoreTileset(int index, const QImage &picture, const QString &file, const QString &path);
    // Slots whose tileset was changed since it was loaded or saved.
    QList<int> unsavedSlots() const;
    // The set-information label's text, with "*" after it while changes are unsaved.
    QString setInfo(int index) const;
    QString getTileData(int index, int column, int row) const;

    // Mouse-button assignment.
    // The button's first subtile, and all of them when it holds a variation.
    SubtileRef buttonRef(int picture) const { return m_buttons.at(picture).ref(); }
    const std::vector<SubtileRef> &buttonCells(int picture) const { return m_buttons.at(picture).cells(); }
    Orientation buttonOrientation(int picture) const { return m_buttons.at(picture).orientation(); }
    // The button's picture: its palette cell, turned as the button holds the subtile.
    const QImage &buttonImage(int picture) const { return m_buttons.at(picture).image(); }
    // What the button lays: its subtile at full resolution, turned.
    const QImage &buttonSubtile(int picture) const { return m_buttons.at(picture).subtile(); }
    // Gives the pressed button the subtile under the slot's outline, plain; a
    // code other than 1, 2 or 4 assigns nothing.
    void assign(int buttonCode, int slotIndex);
    // Gives the button picture the subtile at ref, turned as orientation says.
    void giveButton(int picture, const SubtileRef &ref, const Orientation &orientation);
    // Gives the pressed button the cells of the slot's palette inside cells,
    // as a variation when there are several; the empty ones are left out.
    void assignCells(int buttonCode, int slotIndex, QRect cells);
    // Random turns: every placement from any button also turned and mirrored at random.
    bool randomTurns() const { return m_randomTurns; }
    void setRandomTurns(bool on);
    // Turns or mirrors the subtiles of all three buttons.
    void turnButtons(Orientation::Turn turn);
    // Repaints every button picture assigned from slot index.
    void paintButtons(int index);

    // The maptile. Each change below is one undo step.
    const Maptile &maptile() const { return m_maptile; }
    bool maptileChanged() const { return m_maptileChanged; }
    void setMaptileChanged(bool changed);
    // The maptile or a tileset has changes that are not saved.
    bool hasUnsavedWork() const;
    // The document the maptile is kept in, which Save writes back to: empty
    // for a new or cleared maptile and one opened from a picture.
    const QString &documentPath() const { return m_documentPath; }
    // The maptile was saved as the document at path.
    void setDocumentPath(const QString &path);
    bool autoNumber() const { return m_autoNumber; }
    void setAutoNumber(bool on) { m_autoNumber = on; }
    // Places the subtile of the pressed button on space (one of them, chosen
    // when the button holds a variation), numbering it first
    // when automatic numbering is on, and redraws.
    void place(int buttonCode, QPoint space);
    // A press that goes on as a stroke while the button is held: placed as
    // place() does, then every space of the maptile the stroke enters is
    // placed too, once. The whole stroke is one undo step.
    void beginStroke(int buttonCode, QPoint space);
    void continueStroke(QPoint space);
    void endStroke();
    // Every blank space of the maptile takes the left button's subtile, as one step.
    void fill();
    // Stores a speed value chosen by hand (nothing outside the table) and redraws.
    void chooseSpeedValue(QPoint space, const QString &value);
    // Applies a size from the size list; a different size marks the maptile changed.
    void setSize(int columns, int rows);
    // Every space blank and every speed value cleared; then the size re-applied.
    void blankMaptile(int columns, int rows);
    // An opened picture becomes the maptile: cut to whole spaces, at most 5 x 6;
    // speed values and the maptile number cleared.
    void openImage(const QImage &image);
    // What the master is made of; composed, it gives the master exactly.
    const MaptileRecords &records() const { return *m_records; }
    // Every placement laid from the slot's tileset (by set name, or file name
    // without one) is laid again from its current pixels, as one step. Returns
    // the spaces laid again; none changes nothing and records no step.
    int updateFromSlot(int index);
    // The maptile with its texts and overlay fonts, as a document keeps it.
    MaptileDocument document() const;
    // An editable document becomes the maptile, texts and fonts included, as
    // one step; the maptile is then kept in path, the file it was read from.
    void openDocument(const MaptileDocument &document, const QString &path);

    const QString &mapNumText() const { return m_texts[MapNumBox]; }
    const QString &designerText() const { return m_texts[DesignerBox]; }
    const QString &text(TextBox box) const { return m_texts[box]; }
    void setMapNumText(const QString &text) { setText(MapNumBox, text); }
    void setDesignerText(const QString &text) { setText(DesignerBox, text); }
    void setText(TextBox box, const QString &text);

    // Undo and redo of the changes to the maptile and the tilesets, in the
    // order they were made. Undoing or redoing a maptile change marks the
    // maptile changed, a tileset change the tileset.
    UndoHistory &history() { return m_history; }
    void undo();
    void redo();
    // Typing in a text box stays one step until this is called (the box lost the focus).
    void endTypingStep() { ++m_typingStep; }

    MaptileOverlays &overlays() { return m_overlays; }
    void setMapNumFont(const QFont &font, const QColor &colour) { m_overlays.setMapNumFont(font, colour); }
    void setSpeedFont(const QFont &font, const QColor &colour) { m_overlays.setSpeedFont(font, colour); }

    // Redraws the working view from the master; the preview follows.
    void paintNum();
    // Made when first asked for after a redraw: most redraws are only seen in the working view.
    const QImage &preview() const;
    const QImage &workingView() const { return m_view; }

signals:
    // A slot's tileset, palette, path or setting changed.
    void slotChanged(int index);
    void buttonChanged(int picture);
    void mapNumTextChanged(const QString &text);
    void designerTextChanged(const QString &text);
    // The preview and working view were rebuilt.
    void redrawn();
    // A size from the size list was applied, undone or redone; the list follows it.
    void sizeChosen(int columns, int rows);
    // The maptile changed flag went up or down.
    void modificationChanged(bool changed);
    void documentPathChanged(const QString &path);
    // A change was made, undone or redone.
    void edited();

private:
    // What the undo steps carry out, reached only through them. Each redraws;
    // none records a step.
    friend class ClearCommand;
    friend class OpenDocumentCommand;
    friend class OpenImageCommand;
    friend class PlaceCommand;
    friend class ResizeCommand;
    friend class UpdateCommand;
    // The records for a step to put back: null while they are only the master
    // as a base, which putRecords() makes again from the master.
    std::shared_ptr<const MaptileRecords> keptRecords() const;
    void putRecords(std::shared_ptr<const MaptileRecords> records);
    void putSubtiles(const std::vector<Placement> &placements);
    void putSpeedValue(QPoint space, const QString &value);
    void putSize(int columns, int rows);
    void putMaster(const QImage &master);
    void putBlank(int columns, int rows);
    void putMaptile(const QImage &master, const SpeedValues &speed);
    void putImage(const QImage &image);
    void putDocument(const MaptileDocument &document);
    void putText(TextBox box, const QString &text);
    // The maptile is kept in path from now on; returns the file it was kept in.
    QString swapDocumentPath(const QString &path);
    void putTileset(int index, const TilesetSlot &tileset);
    void putSubtilePixels(int index, int column, int row, const QImage &pixels);
    void putTileData(int index, const TileData &data);

    // Does step and records it in the history.
    void record(std::unique_ptr<UndoStep> step);
    // The slot's tileset, path and metadata replaced, as one step.
    void replaceTileset(int index, const TilesetSlot &tileset);

    // One step back or forward through the history.
    void replay(bool forward);
    // Remakes what a button shows and lays from its record and orientation.
    void paintButton(int picture);
    // Laying the button's subtile on space, numbered as automatic numbering
    // says; of a variation or with random turns, as the chooser picks for the stroke.
    Placement placement(int picture, QPoint space);

    std::array<TilesetSlot, Geometry::SlotCount> m_slots;
    std::unique_ptr<TilesetReads> m_defaultReads;
    // Painted from the tilesets once start-up has loaded them.
    std::array<ButtonSubtile, ButtonCount> m_buttons{ButtonSubtile({0, 6, 0}), ButtonSubtile({0, 6, 3}),
                                                     ButtonSubtile({0, 1, 1})};
    Maptile m_maptile;
    // Shared with the undo steps, which keep them as they were before and after.
    std::shared_ptr<const MaptileRecords> m_records = std::make_shared<const MaptileRecords>();
    MaptileOverlays m_overlays;
    std::array<QString, 2> m_texts;
    // What the last redraw laid over the master, kept for the preview made after it.
    std::vector<Redraw::Laid> m_laid;
    mutable QImage m_preview;
    mutable bool m_previewStale = true;
    QImage m_view;
    bool m_maptileChanged = false;
    QString m_documentPath;
    bool m_autoNumber = true;
    UndoHistory m_history;
    bool m_randomTurns = false;
    VariationChooser m_chooser;
    int m_typingStep = 0;
    // The stroke under way: its button's picture (-1 for none), its number,
    // and the spaces it covered, one bit per space of the 5 x 6 table.
    int m_strokePicture = -1;
    qint64 m_stroke = 0;
    quint32 m_strokeCovered = 0;
};
