<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ActualSizePdf</name>
    <message>
        <source>The PDF could not be written: %1.</source>
        <translation>Das PDF konnte nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>The PDF could not be set to print at actual size: its end is not as written.</source>
        <translation>Das PDF konnte nicht auf Druck in Originalgröße gestellt werden: Sein Ende ist nicht so, wie es geschrieben wurde.</translation>
    </message>
    <message>
        <source>The PDF could not be set to print at actual size: its catalog is not where it was written.</source>
        <translation>Das PDF konnte nicht auf Druck in Originalgröße gestellt werden: Sein Katalog steht nicht dort, wo er geschrieben wurde.</translation>
    </message>
    <message>
        <source>The PDF could not be set to print at actual size: it has preferences of its own.</source>
        <translation>Das PDF konnte nicht auf Druck in Originalgröße gestellt werden: Es hat schon eigene Voreinstellungen.</translation>
    </message>
</context>
<context>
    <name>ButtonPictureView</name>
    <message>
        <source>L</source>
        <comment>the letter of the left mouse button</comment>
        <translation>L</translation>
    </message>
    <message>
        <source>M</source>
        <comment>the letter of the middle mouse button</comment>
        <translation>M</translation>
    </message>
    <message>
        <source>R</source>
        <comment>the letter of the right mouse button</comment>
        <translation>R</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3</source>
        <translation>Zelle %1, %2 von Slot %3</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, turned right</source>
        <translation>Zelle %1, %2 von Slot %3, nach rechts gedreht</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, turned upside down</source>
        <translation>Zelle %1, %2 von Slot %3, auf den Kopf gestellt</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, turned left</source>
        <translation>Zelle %1, %2 von Slot %3, nach links gedreht</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, mirrored left to right</source>
        <translation>Zelle %1, %2 von Slot %3, horizontal gespiegelt</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, mirrored left to right and turned right</source>
        <translation>Zelle %1, %2 von Slot %3, horizontal gespiegelt und nach rechts gedreht</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, mirrored top to bottom</source>
        <translation>Zelle %1, %2 von Slot %3, vertikal gespiegelt</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, mirrored left to right and turned left</source>
        <translation>Zelle %1, %2 von Slot %3, horizontal gespiegelt und nach links gedreht</translation>
    </message>
    <message>
        <source>Left mouse button: %1</source>
        <translation>Linke Maustaste: %1</translation>
    </message>
    <message>
        <source>Middle mouse button: %1</source>
        <translation>Mittlere Maustaste: %1</translation>
    </message>
    <message>
        <source>Right mouse button: %1</source>
        <translation>Rechte Maustaste: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1, and %n more: %2</source>
        <comment>a variation: the first subtile, then the other cells</comment>
        <translation>
            <numerusform>%1 und %n weitere: %2</numerusform>
            <numerusform>%1 und %n weitere: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>; </source>
        <comment>between the cells of a variation</comment>
        <translation>; </translation>
    </message>
    <message>
        <source>%1, turned at random</source>
        <comment>the subtiles of a button under random turns</comment>
        <translation>%1, zufällig gedreht</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>a cell of a variation: its column and row</comment>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>LENGTH</source>
        <translation>LÄNGE</translation>
    </message>
    <message>
        <source>Write each DOCUMENT to OUT (.jpg, .jpeg, .bmp, .png or .pdf); with several documents, OUT is a folder and each output takes its document&apos;s name.</source>
        <translation>Schreibt jedes DOKUMENT nach AUSGABE (.jpg, .jpeg, .bmp, .png oder .pdf); bei mehreren Dokumenten ist AUSGABE ein Ordner, und jede Ausgabe bekommt den Namen ihres Dokuments.</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>AUSGABE</translation>
    </message>
    <message>
        <source>jpg, bmp, png or pdf, whatever OUT&apos;s name (default: OUT&apos;s extension; jpg for a folder).</source>
        <translation>jpg, bmp, png oder pdf, unabhängig vom Namen von AUSGABE (Standard: die Endung von AUSGABE; jpg für einen Ordner).</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMAT</translation>
    </message>
    <message>
        <source>JPEG quality, 1 to 100 (default 90).</source>
        <translation>JPEG-Qualität, 1 bis 100 (Standard 90).</translation>
    </message>
    <message>
        <source>Write a progressive JPEG.</source>
        <translation>Schreibt ein progressives JPEG.</translation>
    </message>
    <message>
        <source>Scale each picture down to fit N x N pixels, as for a thumbnail.</source>
        <translation>Verkleinert jedes Bild auf höchstens N x N Pixel, wie für ein Vorschaubild.</translation>
    </message>
    <message>
        <source>Write sheets of a4, a3, letter, legal or tabloid paper to OUT, a .pdf.</source>
        <translation>Schreibt Bögen im Papierformat a4, a3, letter, legal oder tabloid nach AUSGABE, einer .pdf-Datei.</translation>
    </message>
    <message>
        <source>PAPER</source>
        <translation>PAPIER</translation>
    </message>
    <message>
        <source>Sheets lie on their long side.</source>
        <translation>Die Bögen liegen quer.</translation>
    </message>
    <message>
        <source>Blank edge of each sheet, such as 6mm, 0.5cm, 0.25in or 18pt (default 6mm).</source>
        <translation>Leerer Rand jedes Bogens, etwa 6mm, 0.5cm, 0.25in oder 18pt (Standard 6mm).</translation>
    </message>
    <message>
        <source>Space between maptiles on a sheet (default 3mm).</source>
        <translation>Abstand zwischen den Kartenteilen auf einem Bogen (Standard 3mm).</translation>
    </message>
    <message>
        <source>How far each maptile&apos;s edge runs on past its cut line (default 0mm).</source>
        <translation>Wie weit der Rand jedes Kartenteils über die Schnittlinie hinausreicht (Standard 0mm).</translation>
    </message>
    <message>
        <source>Leave out the lines to cut along and the scale bar.</source>
        <translation>Lässt die Schnittmarken und den Maßstab weg.</translation>
    </message>
    <message>
        <source>Copies of each maptile on the sheets (default 1).</source>
        <translation>Anzahl der Kopien jedes Kartenteils auf den Bögen (Standard 1).</translation>
    </message>
    <message>
        <source>--%1 must be a whole number from %2 to %3, not &quot;%4&quot;.</source>
        <translation>--%1 muss eine ganze Zahl von %2 bis %3 sein, nicht „%4“.</translation>
    </message>
    <message>
        <source>Cannot write sheets to &quot;%1&quot;: sheets are written as PDF, so the name must end in .pdf.</source>
        <translation>Bögen können nicht nach „%1“ geschrieben werden: Bögen werden als PDF geschrieben, daher muss der Name auf .pdf enden.</translation>
    </message>
    <message>
        <source>Cannot write sheets to &quot;%1&quot;: that is the document &quot;%2&quot;, which would be lost.</source>
        <translation>Bögen können nicht nach „%1“ geschrieben werden: Das ist das Dokument „%2“, das dabei verloren ginge.</translation>
    </message>
    <message>
        <source>--export needs at least one document to export.</source>
        <translation>--export braucht mindestens ein Dokument zum Exportieren.</translation>
    </message>
    <message>
        <source>--format must be one of %1, not &quot;%2&quot;.</source>
        <translation>--format muss eines von %1 sein, nicht „%2“.</translation>
    </message>
    <message>
        <source>Cannot export to &quot;%1&quot;: the name must end in .%2.</source>
        <translation>Export nach „%1“ nicht möglich: Der Name muss auf .%2 enden.</translation>
    </message>
    <message>
        <source>Cannot export to &quot;%1&quot;: the folder cannot be made.</source>
        <translation>Export nach „%1“ nicht möglich: Der Ordner kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The editor opens one file at a time; use --export for several documents.</source>
        <translation>Der Editor öffnet nur eine Datei auf einmal; für mehrere Dokumente gibt es --export.</translation>
    </message>
    <message>
        <source>DOCUMENT</source>
        <translation>DOKUMENT</translation>
    </message>
    <message>
        <source>in the editor (without --export)</source>
        <translation>im Editor (ohne --export)</translation>
    </message>
    <message>
        <source>in a JPEG export</source>
        <translation>bei einem JPEG-Export</translation>
    </message>
    <message>
        <source>in a bitmap export</source>
        <translation>bei einem Bitmap-Export</translation>
    </message>
    <message>
        <source>in a PNG export</source>
        <translation>bei einem PNG-Export</translation>
    </message>
    <message>
        <source>in a PDF export</source>
        <translation>bei einem PDF-Export</translation>
    </message>
    <message>
        <source>on sheets (--paper)</source>
        <translation>bei Bögen (--paper)</translation>
    </message>
    <message>
        <source>without --paper</source>
        <translation>ohne --paper</translation>
    </message>
    <message>
        <source>Options that do nothing %1: %2.</source>
        <translation>Optionen, die %1 nichts bewirken: %2.</translation>
    </message>
    <message>
        <source>Cannot export to &quot;%1&quot;: the outputs go into a folder, which needs a folder&apos;s name, not a picture&apos;s.</source>
        <translation>Export nach „%1“ nicht möglich: Die Ausgaben kommen in einen Ordner, und der braucht den Namen eines Ordners, nicht den eines Bildes.</translation>
    </message>
    <message>
        <source>--flip and --back-offset place the back sheets, which only --backs, --back or --calibration make.</source>
        <translation>--flip und --back-offset legen die Rückseitenbögen fest, die nur --backs, --back oder --calibration erzeugen.</translation>
    </message>
    <message>
        <source>Cannot write sheets to &quot;%1&quot;: that is the back &quot;%2&quot;, which would be lost.</source>
        <translation>Bögen können nicht nach „%1“ geschrieben werden: Das ist die Rückseite „%2“, die dabei verloren ginge.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>Lines to cut along: corners (marks at each maptile&apos;s corners, the default), full (lines across the whole sheet, broken around the maptiles) or none.</source>
        <translation>Schnittlinien: corners (Marken an den Ecken jedes Kartenteils, Standard), full (Linien über den ganzen Bogen, um die Kartenteile herum unterbrochen) oder none.</translation>
    </message>
    <message>
        <source>STYLE</source>
        <translation>STIL</translation>
    </message>
    <message>
        <source>Print FILE, a document or a picture, on the back of every maptile: each sheet is followed by its back sheet, for printing on both sides.</source>
        <translation>Druckt DATEI, ein Dokument oder ein Bild, auf die Rückseite jedes Kartenteils: Auf jeden Bogen folgt sein Rückseitenbogen, für beidseitigen Druck.</translation>
    </message>
    <message>
        <source>Print FILE on the back of DOCUMENT alone, over --backs; may be given for several documents.</source>
        <translation>Druckt DATEI nur auf die Rückseite von DOKUMENT, anstelle von --backs; kann für mehrere Dokumente angegeben werden.</translation>
    </message>
    <message>
        <source>DOCUMENT=FILE</source>
        <translation>DOKUMENT=DATEI</translation>
    </message>
    <message>
        <source>The edge the paper is turned over by for its back: long (the default) or short.</source>
        <translation>Die Kante, über die das Papier für die Rückseite gewendet wird: long (Standard) oder short.</translation>
    </message>
    <message>
        <source>EDGE</source>
        <translation>KANTE</translation>
    </message>
    <message>
        <source>Move everything on the back sheets X across and Y down, such as 1mm,-0.5mm, for a printer that misses the back.</source>
        <translation>Verschiebt alles auf den Rückseitenbögen um X nach rechts und Y nach unten, etwa 1mm,-0.5mm, für einen Drucker, der die Rückseite versetzt druckt.</translation>
    </message>
    <message>
        <source>X,Y</source>
        <translation>X,Y</translation>
    </message>
    <message>
        <source>Begin with a calibration sheet and its back, which show how far the printer scales and misses the back.</source>
        <translation>Beginnt mit einem Kalibrierbogen und seiner Rückseite, die zeigen, wie stark der Drucker skaliert und die Rückseite versetzt.</translation>
    </message>
    <message>
        <source>Update each DOCUMENT from the fixed TILESET (a picture, with its .dat beside it); may be given several times.</source>
        <translation>Jedes DOKUMENT aus dem berichtigten KACHELSATZ (einem Bild mit seiner .dat daneben) erneuern; darf mehrmals angegeben werden.</translation>
    </message>
    <message>
        <source>TILESET</source>
        <translation>KACHELSATZ</translation>
    </message>
    <message>
        <source>in an update (--update)</source>
        <translation>bei einer Erneuerung (--update)</translation>
    </message>
    <message>
        <source>Designs printable dungeon map tiles.

Without options, opens the editor, with FILE (a maptile document or picture) if one is given.
With --export, writes the finished maptile of each DOCUMENT without opening a window: as JPEG, bitmap, PNG or a PDF page at 1.5 inches per space, chosen by OUT&apos;s extension. With --paper, writes every DOCUMENT onto sheets of that paper in one PDF, at 1.5 inches per space, with crop marks and a scale bar. A FOLDER stands for every document in it. With --list, prints a line for each document. Each document may take %1 seconds to be read and written; one that takes longer is reported and the others are still written. Documents are read in a sandbox: once they and the outputs are open, nothing else can be opened.
With --update, lays everything each DOCUMENT&apos;s maptile took from TILESET again from TILESET as it is now (a tileset with the same set name, or the same file name when it has none), and saves each DOCUMENT in place; one line tells what became of each.
An option that does nothing where it is given is refused.</source>
        <translation>Entwirft druckbare Kartenteile für Dungeon-Brettspiele.

Ohne Optionen öffnet es den Editor, mit DATEI (einem Kartenteil-Dokument oder Bild), falls angegeben.
Mit --export schreibt es das fertige Kartenteil jedes DOKUMENTS, ohne ein Fenster zu öffnen: als JPEG, Bitmap, PNG oder PDF-Seite mit 1,5 Zoll je Feld, je nach Endung von AUSGABE. Mit --paper schreibt es alle DOKUMENTE auf Bögen dieses Papiers in ein einziges PDF, mit 1,5 Zoll je Feld, mit Schnittmarken und Maßstab. Ein ORDNER steht für jedes Dokument darin. Mit --list gibt es für jedes Dokument eine Zeile aus. Jedes Dokument darf %1 Sekunden zum Lesen und Schreiben brauchen; eines, das länger braucht, wird gemeldet, und die übrigen werden trotzdem geschrieben. Dokumente werden in einer Sandbox gelesen: Sobald sie und die Ausgaben geöffnet sind, lässt sich nichts anderes mehr öffnen.
Mit --update legt es alles, was das Kartenteil jedes DOKUMENTS aus KACHELSATZ genommen hat, neu aus KACHELSATZ, wie er jetzt ist (ein Kachelsatz mit demselben Satznamen oder, ohne einen, demselben Dateinamen), und speichert jedes DOKUMENT an seinem Ort; eine Zeile sagt, was aus jedem wurde.
Eine Option, die an ihrer Stelle nichts bewirkt, wird abgelehnt.</translation>
    </message>
    <message>
        <source>List each DOCUMENT, tab-separated: file name, maptile number, COLUMNSxROWS, designer, the set names of the tilesets it uses; numbers two documents share and missing numbers are reported.</source>
        <translation>Listet jedes DOKUMENT tabulatorgetrennt: Dateiname, Kartenteilnummer, SPALTENxZEILEN, Gestalter, die Set-Namen der verwendeten Tilesets; Nummern, die zwei Dokumente teilen, und fehlende Nummern werden gemeldet.</translation>
    </message>
    <message>
        <source>Maptile documents (.ora), or folders of them, to open, export, list or update.</source>
        <translation>Kartenteil-Dokumente (.ora) oder Ordner davon, zum Öffnen, Exportieren, Auflisten oder Erneuern.</translation>
    </message>
    <message>
        <source>[FILE | DOCUMENT... | FOLDER...]</source>
        <translation>[DATEI | DOKUMENT... | ORDNER...]</translation>
    </message>
    <message>
        <source>in a listing (--list)</source>
        <translation>bei einer Auflistung (--list)</translation>
    </message>
</context>
<context>
    <name>DialogQuestions</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
</context>
<context>
    <name>DocumentArchive</name>
    <message>
        <source>a font of the maptile is not valid</source>
        <translation>Eine Schrift des Kartenteils ist ungültig</translation>
    </message>
    <message>
        <source>it is not a zip archive</source>
        <translation>Es ist kein ZIP-Archiv</translation>
    </message>
    <message>
        <source>it holds more than %L1 entries, far more than a maptile document</source>
        <translation>Es enthält mehr als %L1 Einträge, weit mehr als ein Kartenteil-Dokument</translation>
    </message>
    <message>
        <source>it is a damaged zip archive (%1)</source>
        <translation>Es ist ein beschädigtes ZIP-Archiv (%1)</translation>
    </message>
    <message>
        <source>it holds an entry with an unsafe name &quot;%1&quot;</source>
        <translation>Es enthält einen Eintrag mit dem unsicheren Namen „%1“</translation>
    </message>
    <message>
        <source>it is not an OpenRaster document</source>
        <translation>Es ist kein OpenRaster-Dokument</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a PNG picture</source>
        <translation>„%1“ ist kein PNG-Bild</translation>
    </message>
    <message>
        <source>&quot;stack.xml&quot; does not describe an image</source>
        <translation>„stack.xml“ beschreibt kein Bild</translation>
    </message>
    <message>
        <source>the image in &quot;stack.xml&quot; has no valid &quot;%1&quot; attribute</source>
        <translation>Das Bild in „stack.xml“ hat kein gültiges Attribut „%1“</translation>
    </message>
    <message>
        <source>a layer names a picture &quot;%1&quot; the file does not hold</source>
        <translation>Eine Ebene nennt ein Bild „%1“, das nicht in der Datei enthalten ist</translation>
    </message>
    <message>
        <source>&quot;stack.xml&quot; lists more than %L1 layers</source>
        <translation>„stack.xml“ führt mehr als %L1 Ebenen auf</translation>
    </message>
    <message>
        <source>&quot;stack.xml&quot; is malformed (%1)</source>
        <translation>„stack.xml“ ist fehlerhaft (%1)</translation>
    </message>
    <message>
        <source>&quot;stack.xml&quot; has no layer stack</source>
        <translation>„stack.xml“ hat keinen Ebenenstapel</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings are malformed</source>
        <translation>Die Einstellungen des Kartenteils sind fehlerhaft</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings have no valid &quot;%1&quot; attribute</source>
        <translation>Die Einstellungen des Kartenteils haben kein gültiges Attribut „%1“</translation>
    </message>
    <message>
        <source>it was written by a newer Cryptwright (document version %1)</source>
        <translation>Es wurde mit einem neueren Cryptwright geschrieben (Dokumentversion %1)</translation>
    </message>
    <message>
        <source>it lists %1 layers, more than a maptile has</source>
        <translation>Es führt %1 Ebenen auf, mehr als ein Kartenteil hat</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings name no layer of the document</source>
        <translation>Die Einstellungen des Kartenteils nennen keine Ebene des Dokuments</translation>
    </message>
    <message>
        <source>the image is %1 x %2 pixels, not the %3 x %4 spaces of the maptile</source>
        <translation>Das Bild ist %1 x %2 Pixel groß und nicht %3 x %4 Felder wie das Kartenteil</translation>
    </message>
    <message>
        <source>the maptile number is longer than %1 characters</source>
        <translation>Die Kartenteilnummer ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>the designer&apos;s name is longer than %1 characters</source>
        <translation>Der Name des Gestalters ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>a speed value of the maptile&apos;s settings has no valid &quot;%1&quot; attribute</source>
        <translation>Ein Bewegungswert in den Einstellungen des Kartenteils hat kein gültiges Attribut „%1“</translation>
    </message>
    <message>
        <source>a speed value is longer than %1 characters</source>
        <translation>Ein Bewegungswert ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings are malformed (%1)</source>
        <translation>Die Einstellungen des Kartenteils sind fehlerhaft (%1)</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings lack a font</source>
        <translation>In den Einstellungen des Kartenteils fehlt eine Schrift</translation>
    </message>
    <message>
        <source>the layer &quot;%1&quot; is not %2 x %3 pixels</source>
        <translation>Die Ebene „%1“ ist nicht %2 x %3 Pixel groß</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2.</source>
        <translation>„%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Cryptwright document (.ora).</source>
        <translation>„%1“ ist kein Cryptwright-Dokument (.ora).</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>Die Datei existiert nicht</translation>
    </message>
    <message>
        <source>it is a folder, not a document</source>
        <translation>Es ist ein Ordner, kein Dokument</translation>
    </message>
    <message>
        <source>it is not a document file</source>
        <translation>Es ist keine Dokumentdatei</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>Die Datei kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
    <message>
        <source>the file is too large to be a maptile document</source>
        <translation>Die Datei ist zu groß für ein Kartenteil-Dokument</translation>
    </message>
    <message>
        <source>its entries carry far more names and extra fields than a maptile document</source>
        <translation>Seine Einträge führen weit mehr Namen und Zusatzfelder mit als ein Kartenteil-Dokument</translation>
    </message>
</context>
<context>
    <name>DocumentReader</name>
    <message>
        <source>&quot;%1&quot; is not a PNG picture</source>
        <translation>„%1“ ist kein PNG-Bild</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 x %3 pixels, not %4 x %5 like the document</source>
        <translation>„%1“ ist %2 x %3 Pixel groß und nicht %4 x %5 wie das Dokument</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large (%2 x %3 pixels)</source>
        <translation>„%1“ ist zu groß (%2 x %3 Pixel)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged</source>
        <translation>„%1“ ist beschädigt</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)</source>
        <translation>Das Bild ist %1 x %2 Pixel groß, kleiner als ein Feld (%3 x %3 Pixel)</translation>
    </message>
</context>
<context>
    <name>DocumentRecords</name>
    <message>
        <source>the maptile&apos;s records are malformed</source>
        <translation>die Aufzeichnungen der Kartenkachel sind fehlerhaft</translation>
    </message>
    <message>
        <source>the maptile&apos;s records have no valid &quot;%1&quot; attribute</source>
        <translation>die Aufzeichnungen der Kartenkachel haben kein gültiges Attribut „%1“</translation>
    </message>
    <message>
        <source>its records were written by a newer Cryptwright</source>
        <translation>ihre Aufzeichnungen stammen von einem neueren Cryptwright</translation>
    </message>
    <message>
        <source>a tileset&apos;s name in the records is longer than %1 characters</source>
        <translation>ein Tileset-Name in den Aufzeichnungen ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>the records carry more than %1 tilesets</source>
        <translation>die Aufzeichnungen enthalten mehr als %1 Tilesets</translation>
    </message>
    <message>
        <source>a speed value is longer than %1 characters</source>
        <translation>ein Geschwindigkeitswert ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>the records list space %1, %2 twice</source>
        <translation>die Aufzeichnungen nennen Feld %1, %2 zweimal</translation>
    </message>
    <message>
        <source>space %1, %2 holds more than %3 placements</source>
        <translation>Feld %1, %2 enthält mehr als %3 Platzierungen</translation>
    </message>
    <message>
        <source>a placement names tileset %1, which the document does not carry</source>
        <translation>eine Platzierung nennt Tileset %1, das das Dokument nicht enthält</translation>
    </message>
    <message>
        <source>a placement names a cell outside its tileset (&quot;%1&quot;)</source>
        <translation>eine Platzierung nennt eine Zelle außerhalb ihres Tilesets („%1“)</translation>
    </message>
    <message>
        <source>a placement has the transparency &quot;%1&quot;, which is none</source>
        <translation>eine Platzierung hat die Transparenz „%1“, die es nicht gibt</translation>
    </message>
    <message>
        <source>the maptile&apos;s records are malformed (%1)</source>
        <translation>die Aufzeichnungen der Kartenkachel sind fehlerhaft (%1)</translation>
    </message>
</context>
<context>
    <name>DocumentWriter</name>
    <message>
        <source>there is no maptile to save</source>
        <translation>Es gibt kein Kartenteil zum Speichern</translation>
    </message>
    <message>
        <source>the pictures could not be encoded</source>
        <translation>Die Bilder konnten nicht kodiert werden</translation>
    </message>
</context>
<context>
    <name>EditTileWindow</name>
    <message>
        <source>Edit Tile</source>
        <translation>Kachel bearbeiten</translation>
    </message>
    <message>
        <source>The subtile as it will be</source>
        <translation>Die Kachel, wie sie werden wird</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>Vertikal spiegeln</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ExportAllDialog</name>
    <message>
        <source>Export All</source>
        <translation>Alle exportieren</translation>
    </message>
    <message>
        <source>Folder to export into</source>
        <translation>Ordner, in den exportiert wird</translation>
    </message>
    <message>
        <source>C&amp;hoose…</source>
        <translation>&amp;Wählen…</translation>
    </message>
    <message>
        <source>Choose the folder to export into</source>
        <translation>Den Ordner wählen, in den exportiert wird</translation>
    </message>
    <message>
        <source>Export Into</source>
        <translation>Exportieren nach</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>JPEG picture (.jpg)</source>
        <translation>JPEG-Bild (.jpg)</translation>
    </message>
    <message>
        <source>PNG picture (.png)</source>
        <translation>PNG-Bild (.png)</translation>
    </message>
    <message>
        <source>Bitmap (.bmp)</source>
        <translation>Bitmap (.bmp)</translation>
    </message>
    <message>
        <source>PDF page at 1.5 inches per space (.pdf)</source>
        <translation>PDF-Seite mit 1,5 Zoll je Feld (.pdf)</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Ordner:</translation>
    </message>
    <message>
        <source>F&amp;ormat:</source>
        <translation>F&amp;ormat:</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Exportieren</translation>
    </message>
</context>
<context>
    <name>ExportBatch</name>
    <message>
        <source>Cannot export &quot;%1&quot; to &quot;%2&quot;: that is the document &quot;%3&quot;, which would be lost.</source>
        <translation>„%1“ kann nicht nach „%2“ exportiert werden: Das ist das Dokument „%3“, das dabei verloren ginge.</translation>
    </message>
    <message>
        <source>Cannot export &quot;%1&quot;: &quot;%2&quot; is written from another document of the same name.</source>
        <translation>„%1“ kann nicht exportiert werden: „%2“ wird schon aus einem anderen Dokument gleichen Namens geschrieben.</translation>
    </message>
    <message>
        <source>Cannot export &quot;%1&quot;: reading and writing it took longer than %2 seconds.</source>
        <translation>„%1“ kann nicht exportiert werden: Lesen und Schreiben dauerten länger als %2 Sekunden.</translation>
    </message>
</context>
<context>
    <name>ExportFiles</name>
    <message>
        <source>No document is read: this process cannot confine itself (%1).</source>
        <translation>Es wird kein Dokument gelesen: Der Prozess kann sich nicht selbst einschränken (%1).</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: the file cannot be read (%2).</source>
        <translation>„%1“ kann nicht geöffnet werden: Die Datei kann nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: the file shrank while it was read.</source>
        <translation>„%1“ kann nicht geöffnet werden: Die Datei ist beim Lesen kürzer geworden.</translation>
    </message>
</context>
<context>
    <name>Exporter</name>
    <message>
        <source>the page size is refused</source>
        <translation>Die Seitengröße wird abgelehnt</translation>
    </message>
    <message>
        <source>the PDF cannot be started</source>
        <translation>Das PDF kann nicht begonnen werden</translation>
    </message>
    <message>
        <source>the PDF cannot be finished</source>
        <translation>Das PDF kann nicht fertiggestellt werden</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Graphic Files (*.*) (%1)</source>
        <translation>Grafikdateien (*.*) (%1)</translation>
    </message>
    <message>
        <source>Map Tiles (*.*) (%1)</source>
        <translation>Kartenteile (*.*) (%1)</translation>
    </message>
    <message>
        <source>Jpeg (*.jpg)</source>
        <translation>JPEG (*.jpg)</translation>
    </message>
    <message>
        <source>Bitmap (*.bmp)</source>
        <translation>Bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>PNG (*.png)</source>
        <translation>PNG (*.png)</translation>
    </message>
    <message>
        <source>Cryptwright maptile (*.ora)</source>
        <translation>Cryptwright-Kartenteil (*.ora)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Jpeg (*.jpg *.jpeg)</source>
        <translation>JPEG (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Save Tileset As</source>
        <translation>Kachelsatz speichern unter</translation>
    </message>
</context>
<context>
    <name>FileReplacer</name>
    <message>
        <source>Cannot save &quot;%1&quot;: %2.</source>
        <translation>„%1“ kann nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>Es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>Es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the folder does not exist</source>
        <translation>Der Ordner existiert nicht</translation>
    </message>
</context>
<context>
    <name>FontDialog</name>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Schriftart:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>Durchgestrichen</translation>
    </message>
    <message>
        <source>Colour...</source>
        <translation>Farbe ...</translation>
    </message>
    <message>
        <source>Sample of the font</source>
        <translation>Schriftprobe</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Text Colour</source>
        <translation>Textfarbe</translation>
    </message>
</context>
<context>
    <name>FontText</name>
    <message>
        <source>%1 Pt. %2</source>
        <extracomment>A font as the options show it: its size in points, then its family.</extracomment>
        <translation>%1 pt %2</translation>
    </message>
</context>
<context>
    <name>GuideHints</name>
    <message>
        <source>This button clears the maptile with blank spaces.</source>
        <translation>Dieser Knopf leert alle Felder des Kartenteils.</translation>
    </message>
    <message>
        <source>Open a saved tile or load an image as a background for the maptile.</source>
        <translation>Öffne ein gespeichertes Kartenteil oder lade ein Bild als Hintergrund.</translation>
    </message>
    <message>
        <source>Use this button to save the current maptile as a jpeg or bitmap.</source>
        <translation>Hiermit speicherst du das Kartenteil als JPEG oder Bitmap.</translation>
    </message>
    <message>
        <source>This button opens a window with a full-size view of the maptile.</source>
        <translation>Öffnet ein Fenster mit dem Kartenteil in voller Größe.</translation>
    </message>
    <message>
        <source>This prints the maptile. No options yet - uses your default printer and options.</source>
        <translation>Druckt das Kartenteil. Noch ohne Optionen – mit deinem Standarddrucker.</translation>
    </message>
    <message>
        <source>Select a size for you maptile here. 3 to 5 spaces wide by 3 to 6 spaces tall.</source>
        <translation>Wähle hier die Größe des Kartenteils: 3 bis 5 Felder breit, 3 bis 6 hoch.</translation>
    </message>
    <message>
        <source>This adds a custom maptile number to the maptile in the upper left hand corner.</source>
        <translation>Hier kommt eine eigene Nummer in die linke obere Ecke des Kartenteils.</translation>
    </message>
    <message>
        <source>Add your name to the maptile. You are the one who designed it.</source>
        <translation>Setz deinen Namen aufs Kartenteil. Du hast es schließlich gestaltet.</translation>
    </message>
    <message>
        <source>Click her for program info, bug reporting, special thanks, and web links.</source>
        <translation>Klick hier für Infos, Fehler melden, Dank und Weblinks.</translation>
    </message>
    <message>
        <source>This is the subtile assigned to the left mouse button.</source>
        <translation>Das ist die Kachel auf der linken Maustaste.</translation>
    </message>
    <message>
        <source>This is the subtile assigned to the middle mouse button (if you have one).</source>
        <translation>Das ist die Kachel auf der mittleren Maustaste (falls du eine hast).</translation>
    </message>
    <message>
        <source>This is the subtile assigned to the right mouse button.</source>
        <translation>Das ist die Kachel auf der rechten Maustaste.</translation>
    </message>
    <message>
        <source>Click here to show this tileset and all of its subtiles.</source>
        <translation>Klick hier, um diesen Kachelsatz mit all seinen Kacheln zu zeigen.</translation>
    </message>
    <message>
        <source>Click here to load in a new tileset to replace the current one.</source>
        <translation>Klick hier, um statt diesem einen neuen Kachelsatz zu laden.</translation>
    </message>
    <message>
        <source>Click on one of the subtiles of this tileset to assign it to the chosen mouse button.</source>
        <translation>Klick auf eine Kachel, um sie der gedrückten Maustaste zuzuweisen.</translation>
    </message>
    <message>
        <source>Click to place one of the subtiles you have assigned to the mouse buttons.</source>
        <translation>Klick, um die Kachel der gedrückten Maustaste hierhin zu legen.</translation>
    </message>
    <message>
        <source>Hi! I&apos;m the dungeon dude and I&apos;ll be your guide! Just watch it - I bite!</source>
        <translation>Hi! Ich bin der Dungeon-Typ, dein Begleiter! Aber Vorsicht – ich beiße!</translation>
    </message>
    <message>
        <source>Click here to set some of the options for the program.</source>
        <translation>Klick hier für ein paar Einstellungen des Programms.</translation>
    </message>
    <message>
        <source>Click here to set the transparency settings for this tileset.</source>
        <translation>Klick hier, um die Transparenz dieses Kachelsatzes einzustellen.</translation>
    </message>
    <message>
        <source>This fills every blank space of the maptile with the left button&apos;s subtile.</source>
        <translation>Füllt jedes leere Feld des Kartenteils mit der Kachel der linken Taste.</translation>
    </message>
    <message>
        <source>Guide</source>
        <translation>Begleiter</translation>
    </message>
    <message>
        <source>Shift+arrows and Space, or a drag, mix subtiles. R turns at random.</source>
        <translation>Ziehen, Umschalt+Pfeile und Leertaste mischen; R dreht zufällig.</translation>
    </message>
    <message>
        <source>Turn or mirror the outlined subtile; a double-click on the palette does too.</source>
        <translation>Umrandete Kachel drehen oder spiegeln; auch per Doppelklick auf die Palette.</translation>
    </message>
</context>
<context>
    <name>InfoWindow</name>
    <message>
        <source>About Cryptwright</source>
        <translation>Über Cryptwright</translation>
    </message>
    <message>
        <source>Cryptwright&apos;s icon</source>
        <translation>Symbol von Cryptwright</translation>
    </message>
    <message>
        <source>Version 1.00</source>
        <translation>Version 1.00</translation>
    </message>
    <message>
        <source>A map tile editor for dungeon board games.
Written by the Cryptwright team.</source>
        <translation>Ein Editor für Kartenteile von Dungeon-Brettspielen.
Geschrieben vom Cryptwright-Team.</translation>
    </message>
    <message>
        <source>No program could be started to open %1.</source>
        <translation>Es konnte kein Programm gestartet werden, um %1 zu öffnen.</translation>
    </message>
</context>
<context>
    <name>JpegOptionsWindow</name>
    <message>
        <source> Jpeg Save Options</source>
        <translation>JPEG-Speicheroptionen</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>JPEG quality from 1, the smallest file, to 100, the best picture</source>
        <translation>JPEG-Qualität von 1, der kleinsten Datei, bis 100, dem besten Bild</translation>
    </message>
    <message>
        <source>Progressive</source>
        <translation>Progressiv</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Quality (%1%)</source>
        <translation>Qualität (%1 %)</translation>
    </message>
</context>
<context>
    <name>JpegWriter</name>
    <message>
        <source>the picture&apos;s pixels cannot be written as JPEG</source>
        <translation>die Bildpunkte dieses Bildes lassen sich nicht als JPEG schreiben</translation>
    </message>
</context>
<context>
    <name>ListCommand</name>
    <message>
        <source>--list needs at least one folder or document to list.</source>
        <translation>--list braucht mindestens einen Ordner oder ein Dokument zum Auflisten.</translation>
    </message>
    <message>
        <source>%1 documents share number %2: %3.</source>
        <translation>%1 Dokumente teilen die Nummer %2: %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no maptile number.</source>
        <translation>„%1“ hat keine Kartenteilnummer.</translation>
    </message>
</context>
<context>
    <name>LoadProgress</name>
    <message>
        <source>Loading</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;...</source>
        <translation>„%1“ wird gelesen ...</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The dungeon dude, your guide</source>
        <translation>Der Dungeon-Typ, dein Begleiter</translation>
    </message>
    <message>
        <source>Welcome to Cryptwright Version 1.00!</source>
        <translation>Willkommen bei Cryptwright Version 1.00!</translation>
    </message>
    <message>
        <source>Load tileset…</source>
        <translation>Kachelsatz laden …</translation>
    </message>
    <message>
        <source>Transparency…</source>
        <translation>Transparenz …</translation>
    </message>
    <message>
        <source>Tileset properties…</source>
        <translation>Eigenschaften des Kachelsatzes …</translation>
    </message>
    <message>
        <source>Save tileset as…</source>
        <translation>Kachelsatz speichern unter …</translation>
    </message>
    <message>
        <source>New empty tileset</source>
        <translation>Neuer leerer Kachelsatz</translation>
    </message>
    <message>
        <source>%1[*] – %2</source>
        <translation>%1[*] – %2</translation>
    </message>
    <message>
        <source>Save As…</source>
        <translation>Speichern unter …</translation>
    </message>
    <message>
        <source>Update maptile from this tileset</source>
        <translation>Kartenteil aus diesem Kachelsatz erneuern</translation>
    </message>
    <message>
        <source>The left button lays the subtile again, from tileset &quot;%1&quot; in slot %2.</source>
        <translation>Die linke Maustaste legt die Kachel wieder, aus dem Kachelsatz „%1“ in Slot %2.</translation>
    </message>
    <message>
        <source>No slot held tileset &quot;%1&quot;: the maptile&apos;s own copy of it is now in slot %2, and the left button lays the subtile again.</source>
        <translation>Kein Slot hielt den Kachelsatz „%1“: die Kopie des Kartenteils liegt jetzt in Slot %2, und die linke Maustaste legt die Kachel wieder.</translation>
    </message>
    <message>
        <source>Point at a space of the maptile, then press I to pick the subtile on top of it.</source>
        <translation>Zeige auf ein Feld des Kartenteils und drücke I, um die oberste Kachel aufzunehmen.</translation>
    </message>
    <message>
        <source>Cannot pick this subtile: no slot holds tileset &quot;%1&quot;, and slots E to H are all in use. Load the tileset into a slot, then press I again.</source>
        <translation>Diese Kachel kann nicht aufgenommen werden: kein Slot hält den Kachelsatz „%1“, und die Slots E bis H sind alle belegt. Lade den Kachelsatz in einen Slot und drücke dann erneut I.</translation>
    </message>
    <message>
        <source>Spaces laid again from tileset &quot;%1&quot;: %2.</source>
        <translation>Aus dem Kachelsatz „%1“ neu gelegte Felder: %2.</translation>
    </message>
    <message>
        <source>No space of the maptile was laid from tileset &quot;%1&quot;.</source>
        <translation>Kein Feld des Kartenteils wurde aus dem Kachelsatz „%1“ gelegt.</translation>
    </message>
    <message>
        <source>Nothing to pick here: this space holds no subtile on record, only what the maptile was opened or started with.</source>
        <translation>Hier gibt es nichts aufzunehmen: auf diesem Feld ist keine Kachel verzeichnet, nur das, womit das Kartenteil geöffnet oder begonnen wurde.</translation>
    </message>
    <message>
        <source>Open Set…</source>
        <translation>Set öffnen…</translation>
    </message>
    <message>
        <source>Open Set</source>
        <translation>Set öffnen</translation>
    </message>
    <message>
        <source>Edit subtile…</source>
        <translation>Kachel bearbeiten …</translation>
    </message>
    <message>
        <source>Load at start</source>
        <translation>Beim Start laden</translation>
    </message>
    <message>
        <source>View size</source>
        <translation>Ansichtsgröße</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
</context>
<context>
    <name>MaptileControl</name>
    <message>
        <source>The current maptile has had changes made to it.</source>
        <translation>Das aktuelle Kartenteil wurde geändert.</translation>
    </message>
    <message>
        <source>Do you still wish to clear the tile?</source>
        <translation>Möchtest du das Kartenteil trotzdem leeren?</translation>
    </message>
    <message>
        <source>Do you still wish to open another maptile?</source>
        <translation>Möchtest du trotzdem ein anderes Kartenteil öffnen?</translation>
    </message>
</context>
<context>
    <name>MaptilePicture</name>
    <message>
        <source>the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)</source>
        <translation>Das Bild ist %1 x %2 Pixel groß, kleiner als ein Feld (%3 x %3 Pixel)</translation>
    </message>
</context>
<context>
    <name>MaptilePrinter</name>
    <message>
        <source>Cryptwright maptile</source>
        <translation>Cryptwright-Kartenteil</translation>
    </message>
    <message>
        <source>There is no maptile to print.</source>
        <translation>Es gibt kein Kartenteil zum Drucken.</translation>
    </message>
    <message>
        <source>The maptile could not be printed: no printer is installed. Choose a printer, or print to a file.</source>
        <translation>Das Kartenteil konnte nicht gedruckt werden: Es ist kein Drucker eingerichtet. Wähle einen Drucker oder drucke in eine Datei.</translation>
    </message>
    <message>
        <source>The maptile could not be printed: the printer &quot;%1&quot; could not be started.</source>
        <translation>Das Kartenteil konnte nicht gedruckt werden: Der Drucker „%1“ konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The maptile could not be printed: the printer reported an error while printing.</source>
        <translation>Das Kartenteil konnte nicht gedruckt werden: Der Drucker hat beim Drucken einen Fehler gemeldet.</translation>
    </message>
    <message>
        <source>the PDF cannot be started</source>
        <translation>das PDF kann nicht begonnen werden</translation>
    </message>
    <message>
        <source>the PDF cannot be finished</source>
        <translation>das PDF kann nicht fertiggestellt werden</translation>
    </message>
</context>
<context>
    <name>MaptileSaver</name>
    <message>
        <source>there is no picture to save</source>
        <translation>Es gibt kein Bild zum Speichern</translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;: it is the document this maptile is kept in, and a picture written over it would destroy the document. Choose another name.</source>
        <translation>„%1“ kann nicht gespeichert werden: Es ist das Dokument, in dem dieses Kartenteil aufbewahrt wird, und ein Bild darüber würde das Dokument zerstören. Wähle einen anderen Namen.</translation>
    </message>
</context>
<context>
    <name>MaptileSet</name>
    <message>
        <source>&quot;%1&quot; could not be read.</source>
        <translation>„%1“ konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was made by another program: it holds a picture, but no maptile number or designer.</source>
        <translation>„%1“ stammt aus einem anderen Programm: Es enthält ein Bild, aber keine Kartenteilnummer und keinen Gestalter.</translation>
    </message>
    <message>
        <source>No maptile documents in this folder</source>
        <translation>Keine Kartenteil-Dokumente in diesem Ordner</translation>
    </message>
    <message>
        <source>1 maptile</source>
        <translation>1 Kartenteil</translation>
    </message>
    <message>
        <source>%1 maptiles</source>
        <translation>%1 Kartenteile</translation>
    </message>
    <message>
        <source>%1 share number %2</source>
        <translation>%1 teilen die Nummer %2</translation>
    </message>
    <message>
        <source>1 has no number</source>
        <translation>1 hat keine Nummer</translation>
    </message>
    <message>
        <source>%1 have no number</source>
        <translation>%1 haben keine Nummer</translation>
    </message>
    <message>
        <source>1 is no maptile of this program</source>
        <translation>1 ist kein Kartenteil dieses Programms</translation>
    </message>
    <message>
        <source>%1 are no maptiles of this program</source>
        <translation>%1 sind keine Kartenteile dieses Programms</translation>
    </message>
    <message>
        <source>%1 still being read</source>
        <translation>%1 werden noch gelesen</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>being read</source>
        <translation>wird gelesen</translation>
    </message>
    <message>
        <source>number %1</source>
        <translation>Nummer %1</translation>
    </message>
    <message>
        <source>shares its number</source>
        <translation>teilt seine Nummer</translation>
    </message>
    <message>
        <source>has no number</source>
        <translation>hat keine Nummer</translation>
    </message>
</context>
<context>
    <name>MetafileDecoder</name>
    <message>
        <source>there is not enough memory to draw the metafile</source>
        <translation>Es ist nicht genug Speicher frei, um die Metadatei zu zeichnen</translation>
    </message>
    <message>
        <source>the metafile is incomplete</source>
        <translation>Die Metadatei ist unvollständig</translation>
    </message>
    <message>
        <source>the metafile is damaged or uses features that cannot be drawn</source>
        <translation>Die Metadatei ist beschädigt oder nutzt Funktionen, die sich nicht zeichnen lassen</translation>
    </message>
    <message>
        <source>the metafile header gives it no size</source>
        <translation>Der Kopf der Metadatei gibt keine Größe an</translation>
    </message>
    <message>
        <source>the metafile is damaged</source>
        <translation>Die Metadatei ist beschädigt</translation>
    </message>
    <message>
        <source>the metafile holds a damaged bitmap</source>
        <translation>Die Metadatei enthält ein beschädigtes Bitmap</translation>
    </message>
    <message>
        <source>the metafile reader could not be started</source>
        <translation>Das Lesen von Metadateien konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>the metafile draws nothing</source>
        <translation>Die Metadatei zeichnet nichts</translation>
    </message>
    <message>
        <source>the picture is too large (at most %1 x %1 pixels)</source>
        <translation>Das Bild ist zu groß (höchstens %1 x %1 Pixel)</translation>
    </message>
    <message>
        <source>the file is too large to be a metafile</source>
        <translation>Die Datei ist zu groß für eine Metadatei</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
    <message>
        <source>it is not a Windows metafile</source>
        <translation>Es ist keine Windows-Metadatei</translation>
    </message>
    <message>
        <source>the metafile could not be drawn</source>
        <translation>Die Metadatei konnte nicht gezeichnet werden</translation>
    </message>
</context>
<context>
    <name>OptionsWindow</name>
    <message>
        <source>Cryptwright Options</source>
        <translation>Cryptwright-Einstellungen</translation>
    </message>
    <message>
        <source>Maptile Number Font</source>
        <translation>Schrift der Kartenteilnummer</translation>
    </message>
    <message>
        <source>Choose the maptile number&apos;s font</source>
        <translation>Schrift der Kartenteilnummer wählen</translation>
    </message>
    <message>
        <source>Subtile Speed Font</source>
        <translation>Schrift der Bewegungswerte</translation>
    </message>
    <message>
        <source>Choose the speed values&apos; font</source>
        <translation>Schrift der Bewegungswerte wählen</translation>
    </message>
    <message>
        <source>Auto Number Subtile Speed Values</source>
        <translation>Bewegungswerte automatisch setzen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PaletteView</name>
    <message>
        <source>Tileset %1</source>
        <translation>Kachelsatz %1</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, empty</source>
        <translation>Zelle %1, %2 von Slot %3, leer</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, no speed value</source>
        <translation>Zelle %1, %2 von Slot %3, kein Bewegungswert</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, speed value %4</source>
        <translation>Zelle %1, %2 von Slot %3, Bewegungswert %4</translation>
    </message>
</context>
<context>
    <name>PaperPanel</name>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>A4 (210 × 297 mm)</source>
        <translation>A4 (210 × 297 mm)</translation>
    </message>
    <message>
        <source>A3 (297 × 420 mm)</source>
        <translation>A3 (297 × 420 mm)</translation>
    </message>
    <message>
        <source>Letter (8.5 × 11 in)</source>
        <translation>Letter (8,5 × 11 Zoll)</translation>
    </message>
    <message>
        <source>Legal (8.5 × 14 in)</source>
        <translation>Legal (8,5 × 14 Zoll)</translation>
    </message>
    <message>
        <source>Tabloid (11 × 17 in)</source>
        <translation>Tabloid (11 × 17 Zoll)</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Hochformat</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Querformat</translation>
    </message>
    <message>
        <source>A length in mm, cm, in or pt, such as 6 mm or 0.25 in</source>
        <translation>Eine Länge in mm, cm, in oder pt, etwa 6 mm oder 0.25 in</translation>
    </message>
    <message>
        <source>Margin</source>
        <translation>Rand</translation>
    </message>
    <message>
        <source>Gap between maptiles</source>
        <translation>Abstand zwischen den Kartenteilen</translation>
    </message>
    <message>
        <source>Bleed</source>
        <translation>Anschnitt</translation>
    </message>
    <message>
        <source>Cut lines</source>
        <translation>Schnittlinien</translation>
    </message>
    <message>
        <source>Lines to cut along, and the scale bar: marks at each maptile&apos;s corners, or lines through every cut from edge to edge, broken around the pictures</source>
        <translation>Linien zum Schneiden und der Maßstab: Marken an den Ecken jedes Kartenteils oder Linien durch jeden Schnitt von Kante zu Kante, unterbrochen um die Bilder</translation>
    </message>
    <message>
        <source>Marks at the corners</source>
        <translation>Marken an den Ecken</translation>
    </message>
    <message>
        <source>Lines across the sheet</source>
        <translation>Linien über den ganzen Bogen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>&amp;Papier:</translation>
    </message>
    <message>
        <source>&amp;Orientation:</source>
        <translation>&amp;Ausrichtung:</translation>
    </message>
    <message>
        <source>Ma&amp;rgin:</source>
        <translation>&amp;Rand:</translation>
    </message>
    <message>
        <source>&amp;Gap:</source>
        <translation>Ab&amp;stand:</translation>
    </message>
    <message>
        <source>&amp;Bleed:</source>
        <translation>Anschni&amp;tt:</translation>
    </message>
    <message>
        <source>C&amp;ut lines:</source>
        <translation>Sch&amp;nittlinien:</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>PictureDecoder</name>
    <message>
        <source>the file is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
    <message>
        <source>it is not a picture in a format the program reads</source>
        <translation>Es ist kein Bild in einem Format, das das Programm liest</translation>
    </message>
    <message>
        <source>the picture is damaged</source>
        <translation>Das Bild ist beschädigt</translation>
    </message>
    <message>
        <source>the file is incomplete</source>
        <translation>Die Datei ist unvollständig</translation>
    </message>
    <message>
        <source>the picture is damaged or incomplete</source>
        <translation>Das Bild ist beschädigt oder unvollständig</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2 pixels)</source>
        <translation>Das Bild ist zu groß (%1 x %2 Pixel)</translation>
    </message>
    <message>
        <source>it is not a PNG picture</source>
        <translation>es ist kein PNG-Bild</translation>
    </message>
    <message>
        <source>it is an MNG animation, which the program does not read</source>
        <translation>Es ist eine MNG-Animation, die das Programm nicht liest</translation>
    </message>
    <message>
        <source>the drawing is too large</source>
        <translation>Die Zeichnung ist zu groß</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>the file does not exist</source>
        <translation>Die Datei existiert nicht</translation>
    </message>
    <message>
        <source>it is a folder, not a picture</source>
        <translation>Es ist ein Ordner, kein Bild</translation>
    </message>
    <message>
        <source>it is not a picture file</source>
        <translation>Es ist keine Bilddatei</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>Die Datei kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
    <message>
        <source>the file is too large to be a picture</source>
        <translation>Die Datei ist zu groß für ein Bild</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2.</source>
        <translation>„%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
</context>
<context>
    <name>PictureReader</name>
    <message>
        <source>the system could not start a process to read it</source>
        <translation>Das System konnte keinen Prozess zum Lesen starten</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>Die Datei kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>the picture could not be passed on</source>
        <translation>Das Bild konnte nicht übergeben werden</translation>
    </message>
    <message>
        <source>reading it took longer than %1 seconds</source>
        <translation>Das Lesen dauerte länger als %1 Sekunden</translation>
    </message>
    <message>
        <source>there is not enough memory to read it</source>
        <translation>Es ist nicht genug Speicher frei, um sie zu lesen</translation>
    </message>
    <message>
        <source>the picture is damaged and could not be read</source>
        <translation>Das Bild ist beschädigt und konnte nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>Cryptwright Preview</source>
        <translation>Cryptwright-Vorschau</translation>
    </message>
    <message>
        <source>The maptile at full size</source>
        <translation>Das Kartenteil in voller Größe</translation>
    </message>
    <message>
        <source>Scroll left and right</source>
        <translation>Nach links und rechts blättern</translation>
    </message>
    <message>
        <source>Scroll up and down</source>
        <translation>Nach oben und unten blättern</translation>
    </message>
    <message>
        <source>Fit the window to the maptile</source>
        <translation>Fenster an das Kartenteil anpassen</translation>
    </message>
</context>
<context>
    <name>PrintSheetsWindow</name>
    <message>
        <source>Print Sheets</source>
        <translation>Bögen drucken</translation>
    </message>
    <message>
        <source>Current maptile</source>
        <translation>Aktuelles Kartenteil</translation>
    </message>
    <message>
        <source>Maptiles to print</source>
        <translation>Zu druckende Kartenteile</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>Hinzufügen …</translation>
    </message>
    <message>
        <source>Add documents</source>
        <translation>Dokumente hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove the chosen maptile</source>
        <translation>Gewähltes Kartenteil entfernen</translation>
    </message>
    <message>
        <source>Copies of the chosen maptile</source>
        <translation>Kopien des gewählten Kartenteils</translation>
    </message>
    <message>
        <source>&amp;Copies:</source>
        <translation>&amp;Kopien:</translation>
    </message>
    <message>
        <source>Maptiles</source>
        <translation>Kartenteile</translation>
    </message>
    <message>
        <source>Preview of the sheet</source>
        <translation>Vorschau des Bogens</translation>
    </message>
    <message>
        <source>Previous sheet</source>
        <translation>Vorheriger Bogen</translation>
    </message>
    <message>
        <source>Next sheet</source>
        <translation>Nächster Bogen</translation>
    </message>
    <message>
        <source>Sheet shown</source>
        <translation>Angezeigter Bogen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken …</translation>
    </message>
    <message>
        <source>Print the sheets</source>
        <translation>Die Bögen drucken</translation>
    </message>
    <message>
        <source>&amp;Save PDF…</source>
        <translation>PDF spei&amp;chern …</translation>
    </message>
    <message>
        <source>Save the sheets as a PDF</source>
        <translation>Die Bögen als PDF speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Add a maptile to print.</source>
        <translation>Füge ein Kartenteil zum Drucken hinzu.</translation>
    </message>
    <message>
        <source>Reading %1…</source>
        <translation>%1 wird gelesen …</translation>
    </message>
    <message>
        <source>Sheet %1 of %2</source>
        <translation>Bogen %1 von %2</translation>
    </message>
    <message>
        <source>No sheets</source>
        <translation>Keine Bögen</translation>
    </message>
    <message>
        <source>%1 (reading…)</source>
        <translation>%1 (wird gelesen …)</translation>
    </message>
    <message>
        <source>%1 (%2 × %3 spaces)</source>
        <translation>%1 (%2 × %3 Felder)</translation>
    </message>
    <message>
        <source>%1 (%2 × %3 pixels)</source>
        <translation>%1 (%2 × %3 Pixel)</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>%1 could not be added: it could not be read.</source>
        <translation>%1 konnte nicht hinzugefügt werden: Es konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 could not be added: %2</source>
        <translation>%1 konnte nicht hinzugefügt werden: %2</translation>
    </message>
    <message>
        <source>Add Maptiles</source>
        <translation>Kartenteile hinzufügen</translation>
    </message>
    <message>
        <source>Maptiles and pictures (*.ora *.png *.jpg *.jpeg *.bmp *.gif *.wmf);;All files (*)</source>
        <translation>Kartenteile und Bilder (*.ora *.png *.jpg *.jpeg *.bmp *.gif *.wmf);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Maptile sheets</source>
        <translation>Kartenteil-Bögen</translation>
    </message>
    <message>
        <source>No printer is installed: choose a printer, or print to a file.</source>
        <translation>Es ist kein Drucker eingerichtet: Wähle einen Drucker oder drucke in eine Datei.</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>PDF speichern</translation>
    </message>
    <message>
        <source>sheets.pdf</source>
        <translation>boegen.pdf</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Bac&amp;k…</source>
        <translation>Rücks&amp;eite …</translation>
    </message>
    <message>
        <source>Choose the chosen maptile&apos;s own back</source>
        <translation>Eigene Rückseite des gewählten Kartenteils wählen</translation>
    </message>
    <message>
        <source>Choose a picture or document to print behind the chosen maptile alone</source>
        <translation>Ein Bild oder Dokument wählen, das nur hinter das gewählte Kartenteil gedruckt wird</translation>
    </message>
    <message>
        <source>No own back</source>
        <translation>Keine eigene Rückseite</translation>
    </message>
    <message>
        <source>No own back for the chosen maptile</source>
        <translation>Keine eigene Rückseite für das gewählte Kartenteil</translation>
    </message>
    <message>
        <source>The chosen maptile takes the back for all again, if there is one</source>
        <translation>Das gewählte Kartenteil bekommt wieder die Rückseite für alle, falls es eine gibt</translation>
    </message>
    <message>
        <source>Sheet %1 of %2, back</source>
        <translation>Bogen %1 von %2, Rückseite</translation>
    </message>
    <message>
        <source>Sheet %1 of %2, calibration</source>
        <translation>Bogen %1 von %2, Kalibrierung</translation>
    </message>
    <message>
        <source>Sheet %1 of %2, calibration back</source>
        <translation>Bogen %1 von %2, Rückseite der Kalibrierung</translation>
    </message>
    <message>
        <source>%1, back: %2</source>
        <translation>%1, Rückseite: %2</translation>
    </message>
    <message>
        <source>Back for Every Maptile</source>
        <translation>Rückseite für jedes Kartenteil</translation>
    </message>
    <message>
        <source>Back for the Maptile</source>
        <translation>Rückseite für das Kartenteil</translation>
    </message>
    <message>
        <source>Pictures and maptiles (*.png *.jpg *.jpeg *.bmp *.gif *.ora *.wmf);;All files (*)</source>
        <translation>Bilder und Kartenteile (*.png *.jpg *.jpeg *.bmp *.gif *.ora *.wmf);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 does not print on both sides. The fronts and the backs are saved as two PDFs instead: print the fronts, put the sheets back in turned over, and print the backs.</source>
        <translation>%1 druckt nicht beidseitig. Vorder- und Rückseiten werden stattdessen als zwei PDFs gespeichert: Drucke die Vorderseiten, lege die Bögen gewendet wieder ein und drucke die Rückseiten.</translation>
    </message>
    <message>
        <source>Save Fronts and Backs</source>
        <translation>Vorder- und Rückseiten speichern</translation>
    </message>
    <message>
        <source>The fronts are in %1 and the backs in %2.</source>
        <translation>Die Vorderseiten stehen in %1, die Rückseiten in %2.</translation>
    </message>
    <message>
        <source>%1-fronts.pdf</source>
        <translation>%1-vorderseiten.pdf</translation>
    </message>
    <message>
        <source>%1-backs.pdf</source>
        <translation>%1-rueckseiten.pdf</translation>
    </message>
    <message>
        <source>The sheets have no backs to save on their own.</source>
        <translation>Die Bögen haben keine Rückseiten, die sich eigens speichern ließen.</translation>
    </message>
</context>
<context>
    <name>QuitControl</name>
    <message>
        <source>The tileset in slot %1 has changes that are not saved.</source>
        <translation>Der Kachelsatz in Slot %1 hat ungespeicherte Änderungen.</translation>
    </message>
    <message>
        <source>The tilesets in slots %1 and %2 have changes that are not saved.</source>
        <translation>Die Kachelsätze in den Slots %1 und %2 haben ungespeicherte Änderungen.</translation>
    </message>
    <message>
        <source>Do you still wish to quit?</source>
        <translation>Möchtest du trotzdem beenden?</translation>
    </message>
</context>
<context>
    <name>ReaderLoads</name>
    <message>
        <source>Loading &quot;%1&quot; was cancelled; nothing was changed.</source>
        <translation>Laden von „%1“ abgebrochen; nichts wurde geändert.</translation>
    </message>
</context>
<context>
    <name>RecoveryControl</name>
    <message>
        <source>the maptile</source>
        <translation>das Kartenteil</translation>
    </message>
    <message>
        <source>the maptile of &quot;%1&quot;</source>
        <translation>das Kartenteil von „%1“</translation>
    </message>
    <message>
        <source>the tileset in slot %1</source>
        <translation>der Kachelsatz in Slot %1</translation>
    </message>
    <message>
        <source>the tileset &quot;%1&quot; in slot %2</source>
        <translation>der Kachelsatz „%1“ in Slot %2</translation>
    </message>
    <message>
        <source>Cryptwright did not close normally. Changes that were not saved were kept on %1:
• %2

Restore them, or discard them?</source>
        <translation>Cryptwright wurde nicht normal beendet. Ungespeicherte Änderungen wurden am %1 aufbewahrt:
• %2

Möchtest du sie wiederherstellen oder verwerfen?</translation>
    </message>
    <message>
        <source>%1
The work is still kept in &quot;%2&quot;.</source>
        <translation>%1
Die Arbeit bleibt in „%2“ aufbewahrt.</translation>
    </message>
    <message>
        <source>Restoring the work was cancelled.</source>
        <translation>Das Wiederherstellen der Arbeit wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>RecoveryFolder</name>
    <message>
        <source>Work kept in &quot;%1&quot; after a crash is neither offered nor removed: the folder is a symbolic link, which could lead anywhere.</source>
        <translation>Nach einem Absturz in „%1“ aufbewahrte Arbeit wird weder angeboten noch entfernt: Der Ordner ist eine symbolische Verknüpfung, die überallhin führen könnte.</translation>
    </message>
    <message>
        <source>Some work kept in &quot;%1&quot; could not be read and was left there.</source>
        <translation>Ein Teil der in „%1“ aufbewahrten Arbeit konnte nicht gelesen werden und wurde dort belassen.</translation>
    </message>
</context>
<context>
    <name>RecoverySession</name>
    <message>
        <source>Unsaved work cannot be kept in &quot;%1&quot;: %2.</source>
        <translation>Ungespeicherte Arbeit kann nicht in „%1“ aufbewahrt werden: %2.</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>its lock file cannot be made</source>
        <translation>seine Sperrdatei kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the recovery folder is a symbolic link</source>
        <translation>der Wiederherstellungsordner ist eine symbolische Verknüpfung</translation>
    </message>
</context>
<context>
    <name>Renamer</name>
    <message>
        <source>The renaming process &quot;%1&quot; cannot be started (%2).</source>
        <translation>Der Umbenennungsprozess „%1“ kann nicht gestartet werden (%2).</translation>
    </message>
    <message>
        <source>The renaming process &quot;%1&quot; ended at once.</source>
        <translation>Der Umbenennungsprozess „%1“ hat sich sofort beendet.</translation>
    </message>
    <message>
        <source>its writing was given up</source>
        <translation>das Schreiben wurde abgebrochen</translation>
    </message>
    <message>
        <source>the renaming process has ended</source>
        <translation>der Umbenennungsprozess ist beendet</translation>
    </message>
</context>
<context>
    <name>SecondaryWindows</name>
    <message>
        <source>This maptile</source>
        <translation>Dieses Kartenteil</translation>
    </message>
</context>
<context>
    <name>SetExport</name>
    <message>
        <source>The export of %1 stopped before it was done; what it had not finished was not written.</source>
        <translation>Der Export von %1 brach vor dem Ende ab; was nicht fertig war, wurde nicht geschrieben.</translation>
    </message>
</context>
<context>
    <name>SetModel</name>
    <message>
        <source>Being read…</source>
        <translation>Wird gelesen…</translation>
    </message>
    <message>
        <source>Made by another program</source>
        <translation>Aus einem anderen Programm</translation>
    </message>
    <message>
        <source>Cannot be read</source>
        <translation>Nicht lesbar</translation>
    </message>
    <message>
        <source>No number · %1</source>
        <translation>Keine Nummer · %1</translation>
    </message>
    <message>
        <source>No. %1 (shared) · %2</source>
        <translation>Nr. %1 (geteilt) · %2</translation>
    </message>
    <message>
        <source>No. %1 · %2</source>
        <translation>Nr. %1 · %2</translation>
    </message>
</context>
<context>
    <name>SetUpdate</name>
    <message>
        <source>The update of %1 stopped before it was done; each of them is as it was or updated whole.</source>
        <translation>Die Erneuerung von %1 endete, bevor sie fertig war; jedes davon ist wie zuvor oder ganz erneuert.</translation>
    </message>
</context>
<context>
    <name>SetWindow</name>
    <message>
        <source>Set – %1</source>
        <translation>Set – %1</translation>
    </message>
    <message>
        <source>Maptiles of the set</source>
        <translation>Kartenteile des Sets</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open the chosen maptile in the editor</source>
        <translation>Das gewählte Kartenteil im Editor öffnen</translation>
    </message>
    <message>
        <source>&amp;Export All…</source>
        <translation>Alle &amp;exportieren…</translation>
    </message>
    <message>
        <source>Export every maptile of the set</source>
        <translation>Jedes Kartenteil des Sets exportieren</translation>
    </message>
    <message>
        <source>&amp;Print Sheets…</source>
        <translation>Bögen &amp;drucken…</translation>
    </message>
    <message>
        <source>Print every maptile of the set on sheets</source>
        <translation>Jedes Kartenteil des Sets auf Bögen drucken</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Close the set window</source>
        <translation>Das Set-Fenster schließen</translation>
    </message>
    <message>
        <source>State of the set</source>
        <translation>Zustand des Sets</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The export was cancelled; the maptiles exported before stay whole.</source>
        <translation>Der Export wurde abgebrochen; die zuvor exportierten Kartenteile bleiben vollständig.</translation>
    </message>
    <message>
        <source>All %1 maptiles were exported.</source>
        <translation>Alle %1 Kartenteile wurden exportiert.</translation>
    </message>
    <message>
        <source>%1 of %2 maptiles could not be exported:</source>
        <translation>%1 von %2 Kartenteilen konnten nicht exportiert werden:</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>Alle exportieren</translation>
    </message>
    <message>
        <source>&amp;Update from Tileset…</source>
        <translation>Aus &amp;Kachelsatz erneuern…</translation>
    </message>
    <message>
        <source>Lay every maptile of the set again from a fixed tileset</source>
        <translation>Jedes Kartenteil des Sets aus einem berichtigten Kachelsatz neu legen</translation>
    </message>
    <message>
        <source>&amp;Where Used</source>
        <translation>&amp;Wo verwendet</translation>
    </message>
    <message>
        <source>Mark the maptiles that use the subtile outlined in the editor</source>
        <translation>Die Kartenteile markieren, die die im Editor umrandete Kachel verwenden</translation>
    </message>
    <message>
        <source>Cancel the work under way</source>
        <translation>Die laufende Arbeit abbrechen</translation>
    </message>
    <message>
        <source>The update from &quot;%1&quot; was cancelled: %2 of %3 maptiles were updated whole, the others are as they were.</source>
        <translation>Die Erneuerung aus „%1“ wurde abgebrochen: %2 von %3 Kartenteilen wurden ganz erneuert, die anderen sind wie zuvor.</translation>
    </message>
    <message>
        <source>%1 of %2 maptiles were updated from &quot;%3&quot;.</source>
        <translation>%1 von %2 Kartenteilen wurden aus „%3“ erneuert.</translation>
    </message>
    <message>
        <source>Update from Tileset</source>
        <translation>Aus Kachelsatz erneuern</translation>
    </message>
    <message>
        <source>The palette in front holds no tileset whose subtile could be looked for.</source>
        <translation>Die vordere Palette enthält keinen Kachelsatz, dessen Kachel gesucht werden könnte.</translation>
    </message>
    <message>
        <source>Cancelling: the maptiles at work are finished first…</source>
        <translation>Wird abgebrochen: Die Kartenteile in Arbeit werden noch fertiggestellt…</translation>
    </message>
</context>
<context>
    <name>SheetBacks</name>
    <message>
        <source>The back %1 could not be read.</source>
        <translation>Die Rückseite %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The back %1 could not be read: %2</source>
        <translation>Die Rückseite %1 konnte nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>SheetCalibration</name>
    <message>
        <source>cm</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>in</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>Print both sides at actual size, then hold the sheet up to the light.</source>
        <translation>Beide Seiten in Originalgröße drucken, dann den Bogen gegen das Licht halten.</translation>
    </message>
    <message>
        <source>Back offset: add the number on each scale where the front&apos;s cross shows through, in mm; right and down count as +.</source>
        <translation>Versatz der Rückseite: Zähle die Zahl auf jeder Skala, an der das Kreuz der Vorderseite durchscheint, in mm hinzu; nach rechts und nach unten zählt +.</translation>
    </message>
</context>
<context>
    <name>SheetLayout</name>
    <message>
        <source>The margin, the gap and the bleed cannot be negative.</source>
        <translation>Rand, Abstand und Anschnitt dürfen nicht negativ sein.</translation>
    </message>
    <message>
        <source>Margins of %1 mm leave no room on %2 paper.</source>
        <translation>Ränder von %1 mm lassen auf %2-Papier keinen Platz.</translation>
    </message>
    <message>
        <source>There is no maptile to put on sheets.</source>
        <translation>Es gibt kein Kartenteil für die Bögen.</translation>
    </message>
    <message>
        <source>%1 cannot be printed %2 times: from 1 to %3 copies can be.</source>
        <translation>%1 kann nicht %2-mal gedruckt werden: Möglich sind 1 bis %3 Kopien.</translation>
    </message>
    <message>
        <source>%1 has no picture to print.</source>
        <translation>%1 hat kein Bild zum Drucken.</translation>
    </message>
    <message>
        <source>%1 (%2 × %3 mm with its bleed) does not fit the %4 × %5 mm inside the margins of %6 paper, either way up.</source>
        <translation>%1 (%2 × %3 mm mit Anschnitt) passt weder hoch noch quer in die %4 × %5 mm innerhalb der Ränder von %6-Papier.</translation>
    </message>
    <message>
        <source>%1 (%2 × %3 mm) does not fit the %4 × %5 mm inside the margins of %6 paper, either way up.</source>
        <translation>%1 (%2 × %3 mm) passt weder hoch noch quer in die %4 × %5 mm innerhalb der Ränder von %6-Papier.</translation>
    </message>
    <message>
        <source>The calibration sheet needs %1 × %1 mm inside the margins, and %2 paper leaves %3 × %4 mm.</source>
        <translation>Der Kalibrierbogen braucht %1 × %1 mm innerhalb der Ränder, und %2-Papier lässt %3 × %4 mm.</translation>
    </message>
    <message>
        <source>A back offset of %1 mm across and %2 mm down pushes the scales of the calibration sheet off the paper.</source>
        <translation>Ein Versatz der Rückseite von %1 mm nach rechts und %2 mm nach unten schiebt die Skalen des Kalibrierbogens über den Papierrand.</translation>
    </message>
    <message>
        <source>A back offset of %1 mm across and %2 mm down pushes the back of %3 off the paper.</source>
        <translation>Ein Versatz der Rückseite von %1 mm nach rechts und %2 mm nach unten schiebt die Rückseite von %3 über den Papierrand.</translation>
    </message>
</context>
<context>
    <name>SheetLength</name>
    <message>
        <source>A length is needed, such as 6 mm or 0.25 in.</source>
        <translation>Hier gehört eine Länge hin, etwa 6 mm oder 0.25 in.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a length such as 6 mm or 0.25 in.</source>
        <translation>„%1“ ist keine Länge wie 6 mm oder 0.25 in.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs a unit: mm, cm, in or pt.</source>
        <translation>„%1“ braucht eine Einheit: mm, cm, in oder pt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a unit of length; use mm, cm, in or pt.</source>
        <translation>„%1“ ist keine Längeneinheit; erlaubt sind mm, cm, in und pt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used: a length cannot be negative.</source>
        <translation>„%1“ geht nicht: Eine Länge kann nicht negativ sein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is longer than any paper.</source>
        <translation>„%1“ ist länger als jedes Papier.</translation>
    </message>
</context>
<context>
    <name>SheetOutput</name>
    <message>
        <source>There are no sheets to write.</source>
        <translation>Es gibt keine Bögen zu schreiben.</translation>
    </message>
    <message>
        <source>The PDF cannot be written: its file is not open for writing.</source>
        <translation>Das PDF kann nicht geschrieben werden: Seine Datei ist nicht zum Schreiben geöffnet.</translation>
    </message>
    <message>
        <source>The PDF could not be written: %1.</source>
        <translation>Das PDF konnte nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>There are no sheets to print.</source>
        <translation>Es gibt keine Bögen zu drucken.</translation>
    </message>
    <message>
        <source>The sheets could not be started: the printer or file refused them.</source>
        <translation>Die Bögen konnten nicht begonnen werden: Der Drucker oder die Datei hat sie abgelehnt.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>%1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is no longer the size it was laid out at.</source>
        <translation>%1 hat nicht mehr die Größe, mit der es angeordnet wurde.</translation>
    </message>
    <message>
        <source>Sheet %1 could not be begun: the printer or file refused it.</source>
        <translation>Bogen %1 konnte nicht begonnen werden: Der Drucker oder die Datei hat ihn abgelehnt.</translation>
    </message>
    <message>
        <source>The sheets could not be finished: the printer or file reported an error.</source>
        <translation>Die Bögen konnten nicht fertiggestellt werden: Der Drucker oder die Datei hat einen Fehler gemeldet.</translation>
    </message>
    <message>
        <source>The back of %1 could not be read.</source>
        <translation>Die Rückseite von %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The back of %1 could not be read: %2</source>
        <translation>Die Rückseite von %1 konnte nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>SheetPainter</name>
    <message>
        <source>1 space = 1.5 in = 38.1 mm</source>
        <translation>1 Feld = 1,5 Zoll = 38,1 mm</translation>
    </message>
    <message>
        <source>1 cm</source>
        <translation>1 cm</translation>
    </message>
    <message>
        <source>1 in</source>
        <translation>1 Zoll</translation>
    </message>
</context>
<context>
    <name>SheetSettings</name>
    <message>
        <source>&quot;%1&quot; is not a paper this program knows; use %2.</source>
        <translation>„%1“ ist kein Papier, das dieses Programm kennt; möglich sind %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a kind of cut line; use corners, full or none.</source>
        <translation>„%1“ ist keine Art von Schnittlinien; möglich sind corners, full oder none.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an edge to turn the paper over by; use long or short.</source>
        <translation>„%1“ ist keine Kante, über die das Papier gewendet wird; möglich sind long oder short.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a back offset such as 1.5mm,-0.5mm: two lengths, across and down, with a comma between.</source>
        <translation>„%1“ ist kein Versatz der Rückseite wie 1.5mm,-0.5mm: zwei Längen, nach rechts und nach unten, mit einem Komma dazwischen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not name a document and its back as DOCUMENT=FILE.</source>
        <translation>„%1“ nennt kein Dokument und seine Rückseite als DOKUMENT=DATEI.</translation>
    </message>
    <message>
        <source>%1 is given more than one back.</source>
        <translation>%1 bekommt mehr als eine Rückseite.</translation>
    </message>
    <message>
        <source>A back is given for %1, which is not among the documents to print.</source>
        <translation>Für %1 ist eine Rückseite angegeben, aber es ist keines der Dokumente, die gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>ShippedTilesets</name>
    <message>
        <source>%1 comes with Cryptwright: it is a default tileset or its metadata, read at every start, and is never written over. Save under another name or in another folder.</source>
        <translation>%1 gehört zu Cryptwright: Es ist ein Standard-Kachelsatz oder dessen Metadaten, wird bei jedem Start gelesen und nie überschrieben. Speichere unter einem anderen Namen oder in einem anderen Ordner.</translation>
    </message>
</context>
<context>
    <name>SlotWidgets</name>
    <message>
        <source>Enlarged subtile</source>
        <translation>Vergrößerte Kachel</translation>
    </message>
    <message>
        <source>Frame of the enlarged subtile</source>
        <translation>Rahmen der vergrößerten Kachel</translation>
    </message>
    <message>
        <source>Show slot %1</source>
        <translation>Slot %1 zeigen</translation>
    </message>
    <message>
        <source>The menu key or a right-click offers the slot&apos;s tileset commands</source>
        <translation>Die Menütaste oder ein Rechtsklick bietet die Befehle für den Kachelsatz des Slots</translation>
    </message>
    <message>
        <source>Transparency of slot %1</source>
        <translation>Transparenz von Slot %1</translation>
    </message>
    <message>
        <source>Load a tileset into slot %1</source>
        <translation>Kachelsatz in Slot %1 laden</translation>
    </message>
</context>
<context>
    <name>TileData</name>
    <message>
        <source>UNKNOWN TILESET</source>
        <translation>UNBEKANNTER KACHELSATZ</translation>
    </message>
    <message>
        <source>UNKNOWN CREATOR</source>
        <translation>UNBEKANNTER ERSTELLER</translation>
    </message>
    <message>
        <source>%1 BY: %2</source>
        <translation>%1 VON: %2</translation>
    </message>
</context>
<context>
    <name>TileDataWriter</name>
    <message>
        <source>The tileset information file %1 cannot be read, so the tileset was not saved.</source>
        <translation>Die Informationsdatei %1 des Kachelsatzes kann nicht gelesen werden, daher wurde der Kachelsatz nicht gespeichert.</translation>
    </message>
    <message>
        <source>The tileset information file %1 is too large to be a tileset&apos;s, so the tileset was not saved.</source>
        <translation>Die Informationsdatei %1 ist zu groß für einen Kachelsatz, daher wurde der Kachelsatz nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>TilesetControl</name>
    <message>
        <source>The tileset in slot %1 has changes that are not saved.</source>
        <translation>Der Kachelsatz in Slot %1 hat ungespeicherte Änderungen.</translation>
    </message>
    <message>
        <source>Do you still wish to load another tileset into it?</source>
        <translation>Möchtest du trotzdem einen anderen Kachelsatz hineinladen?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>The clipboard holds no picture to paste into the subtile.</source>
        <translation>Die Zwischenablage enthält kein Bild, das in die Kachel eingefügt werden kann.</translation>
    </message>
    <message>
        <source>Slot %1 starts with its default tileset again.</source>
        <translation>Slot %1 beginnt wieder mit seinem Standard-Kachelsatz.</translation>
    </message>
    <message>
        <source>Slot %1 starts empty again.</source>
        <translation>Slot %1 beginnt wieder leer.</translation>
    </message>
    <message>
        <source>The tileset in slot %1 has no file yet. Save it first; then it can be loaded at start.</source>
        <translation>Der Kachelsatz in Slot %1 hat noch keine Datei. Speichere ihn zuerst; dann kann er beim Start geladen werden.</translation>
    </message>
    <message>
        <source>Slot %1 loads &quot;%2&quot; at every start.</source>
        <translation>Slot %1 lädt „%2“ bei jedem Start.</translation>
    </message>
    <message>
        <source>Cannot open the tileset &quot;%1&quot; that slot %2 loads at start: it is not in the folder &quot;%3&quot;.</source>
        <translation>Der Kachelsatz „%1“, den Slot %2 beim Start lädt, kann nicht geöffnet werden: Er liegt nicht im Ordner „%3“.</translation>
    </message>
</context>
<context>
    <name>TilesetPropertiesWindow</name>
    <message>
        <source>Tileset Properties - Slot %1</source>
        <translation>Eigenschaften des Kachelsatzes – Slot %1</translation>
    </message>
    <message>
        <source>Set &amp;name:</source>
        <translation>&amp;Name des Satzes:</translation>
    </message>
    <message>
        <source>&amp;Creator:</source>
        <translation>&amp;Ersteller:</translation>
    </message>
    <message>
        <source>Subtile in column %1, row %2</source>
        <translation>Kachel in Spalte %1, Zeile %2</translation>
    </message>
    <message>
        <source>Speed value of the subtile in column %1, row %2</source>
        <translation>Bewegungswert der Kachel in Spalte %1, Zeile %2</translation>
    </message>
    <message>
        <source>Speed values:</source>
        <translation>Bewegungswerte:</translation>
    </message>
</context>
<context>
    <name>TilesetWriter</name>
    <message>
        <source>%1 has no extension: a tileset is saved as PNG, BMP or JPEG, so its name ends in .png, .bmp or .jpg.</source>
        <translation>%1 hat keine Endung: Ein Kachelsatz wird als PNG, BMP oder JPEG gespeichert, daher endet sein Name auf .png, .bmp oder .jpg.</translation>
    </message>
    <message>
        <source>%1 has an extension the tileset cannot be saved as: a tileset is saved as PNG, BMP or JPEG, so its name ends in .png, .bmp or .jpg.</source>
        <translation>%1 hat eine Endung, in der sich der Kachelsatz nicht speichern lässt: Ein Kachelsatz wird als PNG, BMP oder JPEG gespeichert, daher endet sein Name auf .png, .bmp oder .jpg.</translation>
    </message>
</context>
<context>
    <name>ToolbarWidgets</name>
    <message>
        <source>Clear the maptile</source>
        <translation>Kartenteil leeren</translation>
    </message>
    <message>
        <source>Open a maptile or a background picture</source>
        <translation>Kartenteil oder Hintergrundbild öffnen</translation>
    </message>
    <message>
        <source>Save the maptile; right-click to save it under another name or type</source>
        <translation>Kartenteil speichern; Rechtsklick speichert es unter anderem Namen oder Typ</translation>
    </message>
    <message>
        <source>Full-size preview</source>
        <translation>Vorschau in voller Größe</translation>
    </message>
    <message>
        <source>Print the maptile</source>
        <translation>Kartenteil drucken</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Fill the blank spaces with the left button&apos;s subtile</source>
        <translation>Leere Felder mit der Kachel der linken Taste füllen</translation>
    </message>
    <message>
        <source>About Cryptwright</source>
        <translation>Über Cryptwright</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Maptile size</source>
        <translation>Größe des Kartenteils</translation>
    </message>
    <message>
        <source>Columns x rows: 3 to 5 spaces wide by 3 to 6 spaces tall</source>
        <translation>Spalten x Zeilen: 3 bis 5 Felder breit, 3 bis 6 Felder hoch</translation>
    </message>
    <message>
        <source>Maptile number</source>
        <translation>Kartenteilnummer</translation>
    </message>
    <message>
        <source>Up to two characters in the maptile&apos;s upper left corner</source>
        <translation>Bis zu zwei Zeichen in der linken oberen Ecke des Kartenteils</translation>
    </message>
    <message>
        <source>Maptile Designed By:</source>
        <translation>Gestaltet von:</translation>
    </message>
    <message>
        <source>Maptile designed by</source>
        <translation>Kartenteil gestaltet von</translation>
    </message>
    <message>
        <source>Your name, in the credit line at the bottom of the maptile</source>
        <translation>Dein Name, in der Zeile am unteren Rand des Kartenteils</translation>
    </message>
</context>
<context>
    <name>TransparencyWindow</name>
    <message>
        <source>Transparency Options</source>
        <translation>Transparenz-Einstellungen</translation>
    </message>
    <message>
        <source>No Transparency</source>
        <translation>Keine Transparenz</translation>
    </message>
    <message>
        <source>Transparent Background</source>
        <translation>Transparenter Hintergrund</translation>
    </message>
    <message>
        <source>Alpha Blending (Semi-Transparent)</source>
        <translation>Alpha-Überblendung (halbtransparent)</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Deckkraft</translation>
    </message>
    <message>
        <source>How much of the tileset&apos;s subtiles shows over the space, from 1 to 255</source>
        <translation>Wie deutlich die Kacheln des Satzes über dem Feld zu sehen sind, von 1 bis 255</translation>
    </message>
    <message>
        <source>Example of Effects</source>
        <translation>Beispiel der Wirkung</translation>
    </message>
    <message>
        <source>A space&apos;s floor</source>
        <translation>Der Boden eines Feldes</translation>
    </message>
    <message>
        <source>plus</source>
        <translation>plus</translation>
    </message>
    <message>
        <source>A subtile laid over it</source>
        <translation>Eine darübergelegte Kachel</translation>
    </message>
    <message>
        <source>gives</source>
        <translation>ergibt</translation>
    </message>
    <message>
        <source>The space with the subtile laid over it</source>
        <translation>Das Feld mit der darübergelegten Kachel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TwoSidedPanel</name>
    <message>
        <source>Two sides</source>
        <translation>Zwei Seiten</translation>
    </message>
    <message>
        <source>Back for every maptile</source>
        <translation>Rückseite für jedes Kartenteil</translation>
    </message>
    <message>
        <source>Printed behind every maptile that has no back of its own</source>
        <translation>Wird hinter jedes Kartenteil ohne eigene Rückseite gedruckt</translation>
    </message>
    <message>
        <source>Back for &amp;all…</source>
        <translation>Rückseite für a&amp;lle …</translation>
    </message>
    <message>
        <source>Choose the back for every maptile</source>
        <translation>Rückseite für jedes Kartenteil wählen</translation>
    </message>
    <message>
        <source>Choose a picture or document to print behind every maptile</source>
        <translation>Ein Bild oder Dokument wählen, das hinter jedes Kartenteil gedruckt wird</translation>
    </message>
    <message>
        <source>No back</source>
        <translation>Keine Rückseite</translation>
    </message>
    <message>
        <source>No back for every maptile</source>
        <translation>Keine Rückseite für alle Kartenteile</translation>
    </message>
    <message>
        <source>Print nothing behind the maptiles that have no back of their own</source>
        <translation>Nichts hinter die Kartenteile ohne eigene Rückseite drucken</translation>
    </message>
    <message>
        <source>Edge the paper is turned over by</source>
        <translation>Kante, über die das Papier gewendet wird</translation>
    </message>
    <message>
        <source>The edge the paper turns over by between its sides, as the printer&apos;s two-sided setting says</source>
        <translation>Die Kante, über die das Papier zwischen seinen Seiten gewendet wird, wie es die Duplex-Einstellung des Druckers sagt</translation>
    </message>
    <message>
        <source>Long edge</source>
        <translation>Lange Kante</translation>
    </message>
    <message>
        <source>Short edge</source>
        <translation>Kurze Kante</translation>
    </message>
    <message>
        <source>Moves everything on the backs to meet the fronts: a length such as 1.5 mm or -0.5 mm, right and down positive. The calibration sheet shows how far.</source>
        <translation>Verschiebt alles auf den Rückseiten, damit es die Vorderseiten trifft: eine Länge wie 1.5 mm oder -0.5 mm, nach rechts und nach unten positiv. Der Kalibrierbogen zeigt, wie weit.</translation>
    </message>
    <message>
        <source>Back offset across</source>
        <translation>Versatz der Rückseite nach rechts</translation>
    </message>
    <message>
        <source>Back offset down</source>
        <translation>Versatz der Rückseite nach unten</translation>
    </message>
    <message>
        <source>Ca&amp;libration sheet first</source>
        <translation>Kal&amp;ibrierbogen zuerst</translation>
    </message>
    <message>
        <source>Calibration sheet first</source>
        <translation>Kalibrierbogen zuerst</translation>
    </message>
    <message>
        <source>Begins with a sheet of rulers and crosshairs on both sides, which shows whether the printer scales the page and how far it misses the back</source>
        <translation>Beginnt mit einem Bogen aus Linealen und Fadenkreuzen auf beiden Seiten, der zeigt, ob der Drucker die Seite skaliert und wie weit er die Rückseite verfehlt</translation>
    </message>
    <message>
        <source>across</source>
        <translation>nach rechts</translation>
    </message>
    <message>
        <source>down</source>
        <translation>nach unten</translation>
    </message>
    <message>
        <source>Back o&amp;ffset:</source>
        <translation>Rückseiten&amp;versatz:</translation>
    </message>
    <message>
        <source>Tur&amp;ned over by:</source>
        <translation>&amp;Wenden über:</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>No back for all</source>
        <translation>Keine Rückseite für alle</translation>
    </message>
</context>
<context>
    <name>UpdateCommand</name>
    <message>
        <source>--update needs at least one document to update.</source>
        <translation>--update braucht mindestens ein Dokument zum Erneuern.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is named more than once; it is updated once.</source>
        <translation>„%1“ ist mehrmals genannt; es wird einmal erneuert.</translation>
    </message>
    <message>
        <source>%1: keeps no record of what was laid on it, so it cannot be updated; left as it was.</source>
        <translation>%1: hält nicht fest, was darauf gelegt wurde, und kann daher nicht erneuert werden; unverändert gelassen.</translation>
    </message>
    <message>
        <source>1 space updated from &quot;%1&quot;</source>
        <translation>1 Feld aus „%1“ erneuert</translation>
    </message>
    <message>
        <source>%1 spaces updated from &quot;%2&quot;</source>
        <translation>%1 Felder aus „%2“ erneuert</translation>
    </message>
    <message>
        <source>%1: uses none of these tilesets; left as it was.</source>
        <translation>%1: nutzt keinen dieser Kachelsätze; unverändert gelassen.</translation>
    </message>
    <message>
        <source>%1: already up to date; left as it was.</source>
        <translation>%1: bereits auf dem neuesten Stand; unverändert gelassen.</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (%2) matched no placement in these documents.</source>
        <translation>„%1“ (%2) passt zu keinem Gelegten in diesen Dokumenten.</translation>
    </message>
</context>
<context>
    <name>WhereUsed</name>
    <message>
        <source>Keeps no record of its subtiles</source>
        <translation>Hält seine Kacheln nicht fest</translation>
    </message>
    <message>
        <source>Does not use it</source>
        <translation>Verwendet sie nicht</translation>
    </message>
    <message>
        <source>Used on 1 space</source>
        <translation>Auf 1 Feld verwendet</translation>
    </message>
    <message>
        <source>Used on %1 spaces</source>
        <translation>Auf %1 Feldern verwendet</translation>
    </message>
    <message>
        <source>keeps no record of its subtiles</source>
        <translation>hält seine Kacheln nicht fest</translation>
    </message>
    <message>
        <source>does not use the subtile</source>
        <translation>verwendet die Kachel nicht</translation>
    </message>
    <message>
        <source>uses the subtile on 1 space</source>
        <translation>verwendet die Kachel auf 1 Feld</translation>
    </message>
    <message>
        <source>uses the subtile on %1 spaces</source>
        <translation>verwendet die Kachel auf %1 Feldern</translation>
    </message>
    <message>
        <source>Column %1, row %2 of &quot;%3&quot;</source>
        <translation>Spalte %1, Zeile %2 von „%3“</translation>
    </message>
    <message>
        <source>used in no maptile</source>
        <translation>in keinem Kartenteil verwendet</translation>
    </message>
    <message>
        <source>used in 1 maptile, on 1 space</source>
        <translation>in 1 Kartenteil verwendet, auf 1 Feld</translation>
    </message>
    <message>
        <source>used in 1 maptile, on %1 spaces</source>
        <translation>in 1 Kartenteil verwendet, auf %1 Feldern</translation>
    </message>
    <message>
        <source>used in %1 maptiles, on %2 spaces</source>
        <translation>in %1 Kartenteilen verwendet, auf %2 Feldern</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>1 keeps no record of its subtiles</source>
        <translation>1 hält seine Kacheln nicht fest</translation>
    </message>
    <message>
        <source>%1 keep no record of their subtiles</source>
        <translation>%1 halten ihre Kacheln nicht fest</translation>
    </message>
</context>
<context>
    <name>WholeWriteDevice</name>
    <message>
        <source>not every byte could be written</source>
        <translation>Nicht alle Bytes konnten geschrieben werden</translation>
    </message>
</context>
<context>
    <name>WorkingView</name>
    <message>
        <source>Maptile</source>
        <translation>Kartenteil</translation>
    </message>
    <message>
        <source>Speed value</source>
        <translation>Bewegungswert</translation>
    </message>
    <message>
        <source>The speed value printed on the space; Escape leaves it as it was</source>
        <translation>Der Bewegungswert, der auf das Feld gedruckt wird; Escape lässt ihn, wie er war</translation>
    </message>
    <message>
        <source>%1 spaces wide and %2 spaces tall</source>
        <translation>%1 Felder breit und %2 Felder hoch</translation>
    </message>
    <message>
        <source>space %1, %2, blank</source>
        <translation>Feld %1, %2, leer</translation>
    </message>
    <message>
        <source>space %1, %2, blank, speed value %3</source>
        <translation>Feld %1, %2, leer, Bewegungswert %3</translation>
    </message>
    <message>
        <source>space %1, %2, no speed value</source>
        <translation>Feld %1, %2, kein Bewegungswert</translation>
    </message>
    <message>
        <source>space %1, %2, speed value %3</source>
        <translation>Feld %1, %2, Bewegungswert %3</translation>
    </message>
</context>
<context>
    <name>Workspace</name>
    <message>
        <source>Cannot open the default tileset &quot;%1&quot;: it is not in the folder %2.</source>
        <translation>Der Standard-Kachelsatz „%1“ kann nicht geöffnet werden: Er liegt nicht im Ordner %2.</translation>
    </message>
    <message>
        <source>Cannot open the default tileset &quot;%1&quot;: it is in neither the folder %2 nor %3.</source>
        <translation>Der Standard-Kachelsatz „%1“ kann nicht geöffnet werden: Er liegt weder im Ordner %2 noch in %3.</translation>
    </message>
    <message>
        <source>Cannot open the default tileset &quot;%1&quot;: it is in none of the folders %2.</source>
        <translation>Der Standard-Kachelsatz „%1“ kann nicht geöffnet werden: Er liegt in keinem der Ordner %2.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>ZipEntryStream</name>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>„%1“ fehlt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large</source>
        <translation>„%1“ ist zu groß</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is packed larger than it is</source>
        <translation>„%1“ ist gepackt größer als entpackt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read (%2)</source>
        <translation>„%1“ kann nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged (%2)</source>
        <translation>„%1“ ist beschädigt (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not as long as the archive says</source>
        <translation>„%1“ ist nicht so lang, wie das Archiv angibt</translation>
    </message>
</context>
<context>
    <name>ZipReader</name>
    <message>
        <source>It holds more than %L1 entries</source>
        <translation>Es enthält mehr als %L1 Einträge</translation>
    </message>
    <message>
        <source>Its entries carry more names and extra fields than a document needs</source>
        <translation>Seine Einträge führen mehr Namen und Zusatzfelder mit, als ein Dokument braucht</translation>
    </message>
</context>
</TS>
