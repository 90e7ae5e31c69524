#pragma once

#include "document/MaptileDocument.h"
#include "maptile/Maptile.h"
#include "maptile/MaptileOverlays.h"
#include "tilesets/SubtileRef.h"
#include "tilesets/TileData.h"
#include "tilesets/TilesetSlot.h"

#include <QImage>
#include <QObject>
#include <QUndoStack>

#include <array>
#include <functional>

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
    static int pictureForButton(int code);

    static inline const std::array<QString, 4> DefaultTilesetNames{
        QStringLiteral("Default_A.jpg"), QStringLiteral("Default_B.jpg"),
        QStringLiteral("Default_C.jpg"), QStringLiteral("Default_D.gif")};

    explicit Workspace(QObject *parent = nullptr);

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
    QString loadTileset(int index, const QString &path);
    void setTransparency(int index, const TransparencySetting &setting);
    void setOutlineCell(int index, QPoint cell);
    // Writes an edited subtile into the slot's tileset in memory.
    void replaceSubtile(int index, int column, int row, const QImage &subtile);
    QString setInfo(int index);
    QString getTileData(int index, int column, int row);

    // Mouse-button assignment.
    SubtileRef buttonRef(int picture) const { return m_buttonRefs.at(picture); }
    const QImage &buttonImage(int picture) const { return m_buttonImages.at(picture); }
    // Gives the pressed button the subtile under the slot's outline; a code
    // other than 1, 2 or 4 assigns nothing.
    void assign(int buttonCode, int slotIndex);
    // Repaints every button picture assigned from slot index.
    void paintButtons(int index);

    // The maptile. Each change below is one undo step.
    const Maptile &maptile() const { return m_maptile; }
    bool maptileChanged() const { return m_maptileChanged; }
    void setMaptileChanged(bool changed) { m_maptileChanged = changed; }
    bool autoNumber() const { return m_autoNumber; }
    void setAutoNumber(bool on) { m_autoNumber = on; }
    // Places the subtile of the pressed button on space, numbering it first
    // when automatic numbering is on, and redraws.
    void place(int buttonCode, QPoint space);
    // Stores a speed value chosen by hand (nothing outside the table) and redraws.
    void chooseSpeedValue(QPoint space, const QString &value);
    // Applies a size from the size list; a different size marks the maptile changed.
    void setSize(int columns, int rows);
    // Every space blank and every speed value cleared; then the size re-applied.
    void blankMaptile(int columns, int rows);
    // An opened picture becomes the maptile: cut to whole spaces, at most 5 x 6;
    // speed values and the maptile number cleared.
    void openImage(const QImage &image);
    // The maptile with its texts and overlay fonts, as a document keeps it.
    MaptileDocument document() const;
    // An editable document becomes the maptile, texts and fonts included, as one step.
    void openDocument(const MaptileDocument &document);

    const QString &mapNumText() const { return m_texts[MapNumBox]; }
    const QString &designerText() const { return m_texts[DesignerBox]; }
    const QString &text(TextBox box) const { return m_texts[box]; }
    void setMapNumText(const QString &text) { setText(MapNumBox, text); }
    void setDesignerText(const QString &text) { setText(DesignerBox, text); }
    void setText(TextBox box, const QString &text);

    // Undo and redo of the maptile's changes; either marks the maptile changed.
    QUndoStack &undoStack() { return m_undoStack; }
    void undo();
    void redo();
    // Typing in a text box stays one step until this is called (the box lost the focus).
    void endTypingStep() { ++m_typingStep; }
    int typingStep() const { return m_typingStep; }

    // What the undo steps carry out. Each redraws; none records a step.
    void putSubtile(QPoint space, const QImage &tileset, int column, int row, const TransparencySetting &setting,
                    const QString &speed);
    void putSpace(QPoint space, const QImage &pixels, const QString &speed);
    void putSpeedValue(QPoint space, const QString &value);
    void putSize(int columns, int rows);
    void putMaster(const QImage &master);
    void putBlank(int columns, int rows);
    void putMaptile(const QImage &master, const SpeedValues &speed);
    void putImage(const QImage &image);
    void putDocument(const MaptileDocument &document);
    void putText(TextBox box, const QString &text);

    MaptileOverlays &overlays() { return m_overlays; }
    void setMapNumFont(const QFont &font, const QColor &colour);
    void setSpeedFont(const QFont &font, const QColor &colour);

    // Rebuilds the preview and the working view from the master.
    void paintNum();
    const QImage &preview() const { return m_preview; }
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

private:
    // One step back or forward through the undo stack.
    void replay(bool forward);

    std::array<TilesetSlot, Geometry::SlotCount> m_slots;
    std::array<SubtileRef, ButtonCount> m_buttonRefs;
    std::array<QImage, ButtonCount> m_buttonImages;
    TileData m_tileData;
    Maptile m_maptile;
    MaptileOverlays m_overlays;
    std::array<QString, 2> m_texts;
    QImage m_preview;
    QImage m_view;
    bool m_maptileChanged = false;
    bool m_autoNumber = true;
    QUndoStack m_undoStack;
    int m_typingStep = 0;
};
