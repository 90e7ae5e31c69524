<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ActualSizePdf</name>
    <message>
        <source>The PDF could not be written: %1.</source>
        <translation>Le PDF n’a pas pu être écrit&#xa0;: %1.</translation>
    </message>
    <message>
        <source>The PDF could not be set to print at actual size: its end is not as written.</source>
        <translation>Le PDF n’a pas pu être réglé pour une impression en taille réelle&#xa0;: sa fin n’est pas telle qu’elle a été écrite.</translation>
    </message>
    <message>
        <source>The PDF could not be set to print at actual size: its catalog is not where it was written.</source>
        <translation>Le PDF n’a pas pu être réglé pour une impression en taille réelle&#xa0;: son catalogue n’est pas là où il a été écrit.</translation>
    </message>
    <message>
        <source>The PDF could not be set to print at actual size: it has preferences of its own.</source>
        <translation>Le PDF n’a pas pu être réglé pour une impression en taille réelle&#xa0;: il a déjà ses propres préférences.</translation>
    </message>
</context>
<context>
    <name>ButtonPictureView</name>
    <message>
        <source>L</source>
        <comment>the letter of the left mouse button</comment>
        <translation>G</translation>
    </message>
    <message>
        <source>M</source>
        <comment>the letter of the middle mouse button</comment>
        <translation>M</translation>
    </message>
    <message>
        <source>R</source>
        <comment>the letter of the right mouse button</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3</source>
        <translation>cellule %1, %2 de l’emplacement %3</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, turned right</source>
        <translation>cellule %1, %2 de l’emplacement %3, pivotée à droite</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, turned upside down</source>
        <translation>cellule %1, %2 de l’emplacement %3, tête en bas</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, turned left</source>
        <translation>cellule %1, %2 de l’emplacement %3, pivotée à gauche</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, mirrored left to right</source>
        <translation>cellule %1, %2 de l’emplacement %3, en miroir horizontal</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, mirrored left to right and turned right</source>
        <translation>cellule %1, %2 de l’emplacement %3, en miroir horizontal et pivotée à droite</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, mirrored top to bottom</source>
        <translation>cellule %1, %2 de l’emplacement %3, en miroir vertical</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, mirrored left to right and turned left</source>
        <translation>cellule %1, %2 de l’emplacement %3, en miroir horizontal et pivotée à gauche</translation>
    </message>
    <message>
        <source>Left mouse button: %1</source>
        <translation>Bouton gauche de la souris&#xa0;: %1</translation>
    </message>
    <message>
        <source>Middle mouse button: %1</source>
        <translation>Bouton du milieu de la souris&#xa0;: %1</translation>
    </message>
    <message>
        <source>Right mouse button: %1</source>
        <translation>Bouton droit de la souris&#xa0;: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1, and %n more: %2</source>
        <comment>a variation: the first subtile, then the other cells</comment>
        <translation>
            <numerusform>%1, et %n autre&#xa0;: %2</numerusform>
            <numerusform>%1, et %n autres&#xa0;: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>; </source>
        <comment>between the cells of a variation</comment>
        <translation>&#xa0;; </translation>
    </message>
    <message>
        <source>%1, turned at random</source>
        <comment>the subtiles of a button under random turns</comment>
        <translation>%1, tournée au hasard</translation>
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
        <translation>LONGUEUR</translation>
    </message>
    <message>
        <source>Write each DOCUMENT to OUT (.jpg, .jpeg, .bmp, .png or .pdf); with several documents, OUT is a folder and each output takes its document&apos;s name.</source>
        <translation>Écrit chaque DOCUMENT dans SORTIE (.jpg, .jpeg, .bmp, .png ou .pdf)&#xa0;; avec plusieurs documents, SORTIE est un dossier et chaque fichier écrit prend le nom de son document.</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>SORTIE</translation>
    </message>
    <message>
        <source>jpg, bmp, png or pdf, whatever OUT&apos;s name (default: OUT&apos;s extension; jpg for a folder).</source>
        <translation>jpg, bmp, png ou pdf, quel que soit le nom de SORTIE (par défaut&#xa0;: l’extension de SORTIE&#xa0;; jpg pour un dossier).</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMAT</translation>
    </message>
    <message>
        <source>JPEG quality, 1 to 100 (default 90).</source>
        <translation>Qualité JPEG, de 1 à 100 (90 par défaut).</translation>
    </message>
    <message>
        <source>Write a progressive JPEG.</source>
        <translation>Écrit un JPEG progressif.</translation>
    </message>
    <message>
        <source>Scale each picture down to fit N x N pixels, as for a thumbnail.</source>
        <translation>Réduit chaque image pour qu’elle tienne dans N x N pixels, comme une vignette.</translation>
    </message>
    <message>
        <source>Write sheets of a4, a3, letter, legal or tabloid paper to OUT, a .pdf.</source>
        <translation>Écrit des planches au format a4, a3, letter, legal ou tabloid dans SORTIE, un fichier .pdf.</translation>
    </message>
    <message>
        <source>PAPER</source>
        <translation>PAPIER</translation>
    </message>
    <message>
        <source>Sheets lie on their long side.</source>
        <translation>Les planches sont à l’italienne (paysage).</translation>
    </message>
    <message>
        <source>Blank edge of each sheet, such as 6mm, 0.5cm, 0.25in or 18pt (default 6mm).</source>
        <translation>Bord laissé vide sur chaque planche, par exemple 6mm, 0.5cm, 0.25in ou 18pt (6mm par défaut).</translation>
    </message>
    <message>
        <source>Space between maptiles on a sheet (default 3mm).</source>
        <translation>Espace entre les dalles sur une planche (3mm par défaut).</translation>
    </message>
    <message>
        <source>How far each maptile&apos;s edge runs on past its cut line (default 0mm).</source>
        <translation>Débord de chaque dalle au-delà de sa ligne de coupe (0mm par défaut).</translation>
    </message>
    <message>
        <source>Leave out the lines to cut along and the scale bar.</source>
        <translation>Omet les traits de coupe et l’échelle.</translation>
    </message>
    <message>
        <source>Copies of each maptile on the sheets (default 1).</source>
        <translation>Nombre d’exemplaires de chaque dalle sur les planches (1 par défaut).</translation>
    </message>
    <message>
        <source>--%1 must be a whole number from %2 to %3, not &quot;%4&quot;.</source>
        <translation>--%1 doit être un nombre entier de %2 à %3, et non «&#xa0;%4&#xa0;».</translation>
    </message>
    <message>
        <source>Cannot write sheets to &quot;%1&quot;: sheets are written as PDF, so the name must end in .pdf.</source>
        <translation>Impossible d’écrire les planches dans «&#xa0;%1&#xa0;»&#xa0;: les planches s’écrivent en PDF, le nom doit donc se terminer par .pdf.</translation>
    </message>
    <message>
        <source>Cannot write sheets to &quot;%1&quot;: that is the document &quot;%2&quot;, which would be lost.</source>
        <translation>Impossible d’écrire les planches dans «&#xa0;%1&#xa0;»&#xa0;: c’est le document «&#xa0;%2&#xa0;», qui serait perdu.</translation>
    </message>
    <message>
        <source>--export needs at least one document to export.</source>
        <translation>--export demande au moins un document à exporter.</translation>
    </message>
    <message>
        <source>--format must be one of %1, not &quot;%2&quot;.</source>
        <translation>--format doit valoir %1, et non «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>Cannot export to &quot;%1&quot;: the name must end in .%2.</source>
        <translation>Impossible d’exporter vers «&#xa0;%1&#xa0;»&#xa0;: le nom doit se terminer par .%2.</translation>
    </message>
    <message>
        <source>Cannot export to &quot;%1&quot;: the folder cannot be made.</source>
        <translation>Impossible d’exporter vers «&#xa0;%1&#xa0;»&#xa0;: le dossier ne peut pas être créé.</translation>
    </message>
    <message>
        <source>The editor opens one file at a time; use --export for several documents.</source>
        <translation>L’éditeur ouvre un seul fichier à la fois&#xa0;; utilisez --export pour plusieurs documents.</translation>
    </message>
    <message>
        <source>DOCUMENT</source>
        <translation>DOCUMENT</translation>
    </message>
    <message>
        <source>in the editor (without --export)</source>
        <translation>dans l’éditeur (sans --export)</translation>
    </message>
    <message>
        <source>in a JPEG export</source>
        <translation>dans un export JPEG</translation>
    </message>
    <message>
        <source>in a bitmap export</source>
        <translation>dans un export bitmap</translation>
    </message>
    <message>
        <source>in a PNG export</source>
        <translation>dans un export PNG</translation>
    </message>
    <message>
        <source>in a PDF export</source>
        <translation>dans un export PDF</translation>
    </message>
    <message>
        <source>on sheets (--paper)</source>
        <translation>pour des planches (--paper)</translation>
    </message>
    <message>
        <source>without --paper</source>
        <translation>sans --paper</translation>
    </message>
    <message>
        <source>Options that do nothing %1: %2.</source>
        <translation>Options sans effet %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Cannot export to &quot;%1&quot;: the outputs go into a folder, which needs a folder&apos;s name, not a picture&apos;s.</source>
        <translation>Impossible d’exporter vers «&#xa0;%1&#xa0;»&#xa0;: les sorties vont dans un dossier, qui doit porter un nom de dossier et non un nom d’image.</translation>
    </message>
    <message>
        <source>--flip and --back-offset place the back sheets, which only --backs, --back or --calibration make.</source>
        <translation>--flip et --back-offset placent les planches de verso, que seuls --backs, --back ou --calibration produisent.</translation>
    </message>
    <message>
        <source>Cannot write sheets to &quot;%1&quot;: that is the back &quot;%2&quot;, which would be lost.</source>
        <translation>Impossible d’écrire les planches dans «&#xa0;%1&#xa0;»&#xa0;: c’est le verso «&#xa0;%2&#xa0;», qui serait perdu.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>Lines to cut along: corners (marks at each maptile&apos;s corners, the default), full (lines across the whole sheet, broken around the maptiles) or none.</source>
        <translation>Lignes de coupe&#xa0;: corners (repères aux coins de chaque dalle, par défaut), full (lignes sur toute la planche, interrompues autour des dalles) ou none.</translation>
    </message>
    <message>
        <source>STYLE</source>
        <translation>STYLE</translation>
    </message>
    <message>
        <source>Print FILE, a document or a picture, on the back of every maptile: each sheet is followed by its back sheet, for printing on both sides.</source>
        <translation>Imprime FICHIER, un document ou une image, au verso de chaque dalle&#xa0;: chaque planche est suivie de sa planche de verso, pour l’impression recto verso.</translation>
    </message>
    <message>
        <source>Print FILE on the back of DOCUMENT alone, over --backs; may be given for several documents.</source>
        <translation>Imprime FICHIER au verso de DOCUMENT seul, à la place de --backs&#xa0;; peut être donné pour plusieurs documents.</translation>
    </message>
    <message>
        <source>DOCUMENT=FILE</source>
        <translation>DOCUMENT=FICHIER</translation>
    </message>
    <message>
        <source>The edge the paper is turned over by for its back: long (the default) or short.</source>
        <translation>Le bord par lequel le papier est retourné pour son verso&#xa0;: long (par défaut) ou short.</translation>
    </message>
    <message>
        <source>EDGE</source>
        <translation>BORD</translation>
    </message>
    <message>
        <source>Move everything on the back sheets X across and Y down, such as 1mm,-0.5mm, for a printer that misses the back.</source>
        <translation>Décale tout le contenu des planches de verso de X vers la droite et de Y vers le bas, par exemple 1mm,-0.5mm, pour une imprimante qui décale le verso.</translation>
    </message>
    <message>
        <source>X,Y</source>
        <translation>X,Y</translation>
    </message>
    <message>
        <source>Begin with a calibration sheet and its back, which show how far the printer scales and misses the back.</source>
        <translation>Commence par une planche d’étalonnage et son verso, qui montrent de combien l’imprimante met à l’échelle et décale le verso.</translation>
    </message>
    <message>
        <source>Update each DOCUMENT from the fixed TILESET (a picture, with its .dat beside it); may be given several times.</source>
        <translation>Met à jour chaque DOCUMENT depuis le JEU corrigé (une image, avec son .dat à côté)&#xa0;; peut être donné plusieurs fois.</translation>
    </message>
    <message>
        <source>TILESET</source>
        <translation>JEU</translation>
    </message>
    <message>
        <source>in an update (--update)</source>
        <translation>dans une mise à jour (--update)</translation>
    </message>
    <message>
        <source>Designs printable dungeon map tiles.

Without options, opens the editor, with FILE (a maptile document or picture) if one is given.
With --export, writes the finished maptile of each DOCUMENT without opening a window: as JPEG, bitmap, PNG or a PDF page at 1.5 inches per space, chosen by OUT&apos;s extension. With --paper, writes every DOCUMENT onto sheets of that paper in one PDF, at 1.5 inches per space, with crop marks and a scale bar. A FOLDER stands for every document in it. With --list, prints a line for each document. Each document may take %1 seconds to be read and written; one that takes longer is reported and the others are still written. Documents are read in a sandbox: once they and the outputs are open, nothing else can be opened.
With --update, lays everything each DOCUMENT&apos;s maptile took from TILESET again from TILESET as it is now (a tileset with the same set name, or the same file name when it has none), and saves each DOCUMENT in place; one line tells what became of each.
An option that does nothing where it is given is refused.</source>
        <translation>Conçoit des dalles de donjon à imprimer.

Sans option, ouvre l’éditeur, avec FICHIER (un document de dalle ou une image) s’il est donné.
Avec --export, écrit la dalle finie de chaque DOCUMENT sans ouvrir de fenêtre : en JPEG, bitmap, PNG ou page PDF à 1,5 pouce par case, selon l’extension de SORTIE. Avec --paper, écrit tous les DOCUMENT sur des planches de ce papier, dans un seul PDF, à 1,5 pouce par case, avec traits de coupe et échelle. Un DOSSIER vaut pour chaque document qu’il contient. Avec --list, affiche une ligne par document. Chaque document dispose de %1 secondes pour être lu et écrit ; celui qui prend plus longtemps est signalé, et les autres sont quand même écrits. Les documents sont lus dans un bac à sable : une fois qu’eux et les sorties sont ouverts, plus rien d’autre ne peut être ouvert.
Avec --update, repose tout ce que la dalle de chaque DOCUMENT a pris à JEU depuis JEU tel qu’il est maintenant (un jeu de tuiles de même nom de jeu ou, sans nom, de même nom de fichier), et enregistre chaque DOCUMENT à sa place ; une ligne dit ce qu’il est advenu de chacun.
Une option sans effet là où elle est donnée est refusée.</translation>
    </message>
    <message>
        <source>List each DOCUMENT, tab-separated: file name, maptile number, COLUMNSxROWS, designer, the set names of the tilesets it uses; numbers two documents share and missing numbers are reported.</source>
        <translation>Liste chaque DOCUMENT, séparé par des tabulations&#xa0;: nom de fichier, numéro de dalle, COLONNESxLIGNES, concepteur, noms de jeu des tilesets utilisés&#xa0;; les numéros partagés par deux documents et les numéros manquants sont signalés.</translation>
    </message>
    <message>
        <source>Maptile documents (.ora), or folders of them, to open, export, list or update.</source>
        <translation>Documents de dalle (.ora), ou dossiers qui en contiennent, à ouvrir, exporter, lister ou mettre à jour.</translation>
    </message>
    <message>
        <source>[FILE | DOCUMENT... | FOLDER...]</source>
        <translation>[FICHIER | DOCUMENT... | DOSSIER...]</translation>
    </message>
    <message>
        <source>in a listing (--list)</source>
        <translation>dans une liste (--list)</translation>
    </message>
</context>
<context>
    <name>DialogQuestions</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Ne pas enregistrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
</context>
<context>
    <name>DocumentArchive</name>
    <message>
        <source>a font of the maptile is not valid</source>
        <translation>une police de la dalle n’est pas valide</translation>
    </message>
    <message>
        <source>it is not a zip archive</source>
        <translation>ce n’est pas une archive zip</translation>
    </message>
    <message>
        <source>it holds more than %L1 entries, far more than a maptile document</source>
        <translation>il contient plus de %L1 entrées, bien plus qu’un document de dalle</translation>
    </message>
    <message>
        <source>it is a damaged zip archive (%1)</source>
        <translation>c’est une archive zip endommagée (%1)</translation>
    </message>
    <message>
        <source>it holds an entry with an unsafe name &quot;%1&quot;</source>
        <translation>il contient une entrée au nom dangereux «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>it is not an OpenRaster document</source>
        <translation>ce n’est pas un document OpenRaster</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a PNG picture</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une image PNG</translation>
    </message>
    <message>
        <source>&quot;stack.xml&quot; does not describe an image</source>
        <translation>«&#xa0;stack.xml&#xa0;» ne décrit aucune image</translation>
    </message>
    <message>
        <source>the image in &quot;stack.xml&quot; has no valid &quot;%1&quot; attribute</source>
        <translation>l’image de «&#xa0;stack.xml&#xa0;» n’a pas d’attribut «&#xa0;%1&#xa0;» valide</translation>
    </message>
    <message>
        <source>a layer names a picture &quot;%1&quot; the file does not hold</source>
        <translation>un calque désigne une image «&#xa0;%1&#xa0;» absente du fichier</translation>
    </message>
    <message>
        <source>&quot;stack.xml&quot; lists more than %L1 layers</source>
        <translation>«&#xa0;stack.xml&#xa0;» liste plus de %L1 calques</translation>
    </message>
    <message>
        <source>&quot;stack.xml&quot; is malformed (%1)</source>
        <translation>«&#xa0;stack.xml&#xa0;» est mal formé (%1)</translation>
    </message>
    <message>
        <source>&quot;stack.xml&quot; has no layer stack</source>
        <translation>«&#xa0;stack.xml&#xa0;» n’a pas de pile de calques</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings are malformed</source>
        <translation>les réglages de la dalle sont mal formés</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings have no valid &quot;%1&quot; attribute</source>
        <translation>les réglages de la dalle n’ont pas d’attribut «&#xa0;%1&#xa0;» valide</translation>
    </message>
    <message>
        <source>it was written by a newer Cryptwright (document version %1)</source>
        <translation>il a été écrit par un Cryptwright plus récent (version de document %1)</translation>
    </message>
    <message>
        <source>it lists %1 layers, more than a maptile has</source>
        <translation>il liste %1 calques, plus qu’une dalle n’en a</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings name no layer of the document</source>
        <translation>les réglages de la dalle ne désignent aucun calque du document</translation>
    </message>
    <message>
        <source>the image is %1 x %2 pixels, not the %3 x %4 spaces of the maptile</source>
        <translation>l’image fait %1 x %2 pixels, et non les %3 x %4 cases de la dalle</translation>
    </message>
    <message>
        <source>the maptile number is longer than %1 characters</source>
        <translation>le numéro de dalle dépasse %1 caractères</translation>
    </message>
    <message>
        <source>the designer&apos;s name is longer than %1 characters</source>
        <translation>le nom du concepteur dépasse %1 caractères</translation>
    </message>
    <message>
        <source>a speed value of the maptile&apos;s settings has no valid &quot;%1&quot; attribute</source>
        <translation>une valeur de déplacement des réglages de la dalle n’a pas d’attribut «&#xa0;%1&#xa0;» valide</translation>
    </message>
    <message>
        <source>a speed value is longer than %1 characters</source>
        <translation>une valeur de déplacement dépasse %1 caractères</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings are malformed (%1)</source>
        <translation>les réglages de la dalle sont mal formés (%1)</translation>
    </message>
    <message>
        <source>the maptile&apos;s settings lack a font</source>
        <translation>il manque une police dans les réglages de la dalle</translation>
    </message>
    <message>
        <source>the layer &quot;%1&quot; is not %2 x %3 pixels</source>
        <translation>le calque «&#xa0;%1&#xa0;» ne fait pas %2 x %3 pixels</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2.</source>
        <translation>Impossible d’ouvrir «&#xa0;%1&#xa0;»&#xa0;: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Cryptwright document (.ora).</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un document Cryptwright (.ora).</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>le fichier n’existe pas</translation>
    </message>
    <message>
        <source>it is a folder, not a document</source>
        <translation>c’est un dossier, pas un document</translation>
    </message>
    <message>
        <source>it is not a document file</source>
        <translation>ce n’est pas un fichier de document</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>le fichier ne peut pas être lu (%1)</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>the file is too large to be a maptile document</source>
        <translation>le fichier est trop gros pour être un document de dalle</translation>
    </message>
    <message>
        <source>its entries carry far more names and extra fields than a maptile document</source>
        <translation>ses entrées portent bien plus de noms et de champs supplémentaires qu’un document de dalle</translation>
    </message>
</context>
<context>
    <name>DocumentReader</name>
    <message>
        <source>&quot;%1&quot; is not a PNG picture</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une image PNG</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 x %3 pixels, not %4 x %5 like the document</source>
        <translation>«&#xa0;%1&#xa0;» fait %2 x %3 pixels, et non %4 x %5 comme le document</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large (%2 x %3 pixels)</source>
        <translation>«&#xa0;%1&#xa0;» est trop grand (%2 x %3 pixels)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged</source>
        <translation>«&#xa0;%1&#xa0;» est endommagé</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)</source>
        <translation>l’image fait %1 x %2 pixels, moins qu’une case (%3 x %3 pixels)</translation>
    </message>
</context>
<context>
    <name>DocumentRecords</name>
    <message>
        <source>the maptile&apos;s records are malformed</source>
        <translation>les enregistrements de la tuile sont mal formés</translation>
    </message>
    <message>
        <source>the maptile&apos;s records have no valid &quot;%1&quot; attribute</source>
        <translation>les enregistrements de la tuile n’ont pas d’attribut « %1 » valide</translation>
    </message>
    <message>
        <source>its records were written by a newer Cryptwright</source>
        <translation>ses enregistrements ont été écrits par un Cryptwright plus récent</translation>
    </message>
    <message>
        <source>a tileset&apos;s name in the records is longer than %1 characters</source>
        <translation>un nom de jeu de tuiles dans les enregistrements dépasse %1 caractères</translation>
    </message>
    <message>
        <source>the records carry more than %1 tilesets</source>
        <translation>les enregistrements portent plus de %1 jeux de tuiles</translation>
    </message>
    <message>
        <source>a speed value is longer than %1 characters</source>
        <translation>une valeur de vitesse dépasse %1 caractères</translation>
    </message>
    <message>
        <source>the records list space %1, %2 twice</source>
        <translation>les enregistrements citent deux fois la case %1, %2</translation>
    </message>
    <message>
        <source>space %1, %2 holds more than %3 placements</source>
        <translation>la case %1, %2 porte plus de %3 placements</translation>
    </message>
    <message>
        <source>a placement names tileset %1, which the document does not carry</source>
        <translation>un placement cite le jeu de tuiles %1, que le document ne contient pas</translation>
    </message>
    <message>
        <source>a placement names a cell outside its tileset (&quot;%1&quot;)</source>
        <translation>un placement cite une cellule hors de son jeu de tuiles (« %1 »)</translation>
    </message>
    <message>
        <source>a placement has the transparency &quot;%1&quot;, which is none</source>
        <translation>un placement a la transparence « %1 », qui n’existe pas</translation>
    </message>
    <message>
        <source>the maptile&apos;s records are malformed (%1)</source>
        <translation>les enregistrements de la tuile sont mal formés (%1)</translation>
    </message>
</context>
<context>
    <name>DocumentWriter</name>
    <message>
        <source>there is no maptile to save</source>
        <translation>il n’y a aucune dalle à enregistrer</translation>
    </message>
    <message>
        <source>the pictures could not be encoded</source>
        <translation>les images n’ont pas pu être encodées</translation>
    </message>
</context>
<context>
    <name>EditTileWindow</name>
    <message>
        <source>Edit Tile</source>
        <translation>Modifier la tuile</translation>
    </message>
    <message>
        <source>The subtile as it will be</source>
        <translation>La tuile telle qu’elle sera</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>Miroir vertical</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Pivoter à droite</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Pivoter à gauche</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>Miroir horizontal</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Tout exporter</translation>
    </message>
    <message>
        <source>Folder to export into</source>
        <translation>Dossier où exporter</translation>
    </message>
    <message>
        <source>C&amp;hoose…</source>
        <translation>C&amp;hoisir…</translation>
    </message>
    <message>
        <source>Choose the folder to export into</source>
        <translation>Choisir le dossier où exporter</translation>
    </message>
    <message>
        <source>Export Into</source>
        <translation>Exporter dans</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>JPEG picture (.jpg)</source>
        <translation>Image JPEG (.jpg)</translation>
    </message>
    <message>
        <source>PNG picture (.png)</source>
        <translation>Image PNG (.png)</translation>
    </message>
    <message>
        <source>Bitmap (.bmp)</source>
        <translation>Bitmap (.bmp)</translation>
    </message>
    <message>
        <source>PDF page at 1.5 inches per space (.pdf)</source>
        <translation>Page PDF à 1,5 pouce par case (.pdf)</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Dossier&#xa0;:</translation>
    </message>
    <message>
        <source>F&amp;ormat:</source>
        <translation>F&amp;ormat&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Exporter</translation>
    </message>
</context>
<context>
    <name>ExportBatch</name>
    <message>
        <source>Cannot export &quot;%1&quot; to &quot;%2&quot;: that is the document &quot;%3&quot;, which would be lost.</source>
        <translation>Impossible d’exporter «&#xa0;%1&#xa0;» vers «&#xa0;%2&#xa0;»&#xa0;: c’est le document «&#xa0;%3&#xa0;», qui serait perdu.</translation>
    </message>
    <message>
        <source>Cannot export &quot;%1&quot;: &quot;%2&quot; is written from another document of the same name.</source>
        <translation>Impossible d’exporter «&#xa0;%1&#xa0;»&#xa0;: «&#xa0;%2&#xa0;» est déjà écrit à partir d’un autre document du même nom.</translation>
    </message>
    <message>
        <source>Cannot export &quot;%1&quot;: reading and writing it took longer than %2 seconds.</source>
        <translation>Impossible d’exporter «&#xa0;%1&#xa0;»&#xa0;: sa lecture et son écriture ont pris plus de %2 secondes.</translation>
    </message>
</context>
<context>
    <name>ExportFiles</name>
    <message>
        <source>No document is read: this process cannot confine itself (%1).</source>
        <translation>Aucun document n’est lu&#xa0;: ce processus ne peut pas se confiner (%1).</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: the file cannot be read (%2).</source>
        <translation>Impossible d’ouvrir «&#xa0;%1&#xa0;»&#xa0;: le fichier ne peut pas être lu (%2).</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: the file shrank while it was read.</source>
        <translation>Impossible d’ouvrir «&#xa0;%1&#xa0;»&#xa0;: le fichier a raccourci pendant sa lecture.</translation>
    </message>
</context>
<context>
    <name>Exporter</name>
    <message>
        <source>the page size is refused</source>
        <translation>la taille de page est refusée</translation>
    </message>
    <message>
        <source>the PDF cannot be started</source>
        <translation>le PDF ne peut pas être commencé</translation>
    </message>
    <message>
        <source>the PDF cannot be finished</source>
        <translation>le PDF ne peut pas être terminé</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Graphic Files (*.*) (%1)</source>
        <translation>Fichiers graphiques (*.*) (%1)</translation>
    </message>
    <message>
        <source>Map Tiles (*.*) (%1)</source>
        <translation>Dalles (*.*) (%1)</translation>
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
        <translation>Dalle Cryptwright (*.ora)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>Jpeg (*.jpg *.jpeg)</source>
        <translation>JPEG (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Save Tileset As</source>
        <translation>Enregistrer le jeu de tuiles sous</translation>
    </message>
</context>
<context>
    <name>FileReplacer</name>
    <message>
        <source>Cannot save &quot;%1&quot;: %2.</source>
        <translation>Impossible d’enregistrer «&#xa0;%1&#xa0;»&#xa0;: %2.</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>c’est un dossier</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the folder does not exist</source>
        <translation>le dossier n’existe pas</translation>
    </message>
</context>
<context>
    <name>FontDialog</name>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Police&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Souligné</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>Barré</translation>
    </message>
    <message>
        <source>Colour...</source>
        <translation>Couleur...</translation>
    </message>
    <message>
        <source>Sample of the font</source>
        <translation>Aperçu de la police</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Text Colour</source>
        <translation>Couleur du texte</translation>
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
        <translation>Ce bouton efface la dalle et remet toutes ses cases à vide.</translation>
    </message>
    <message>
        <source>Open a saved tile or load an image as a background for the maptile.</source>
        <translation>Ouvrez une dalle enregistrée ou chargez une image de fond.</translation>
    </message>
    <message>
        <source>Use this button to save the current maptile as a jpeg or bitmap.</source>
        <translation>Ce bouton enregistre la dalle en JPEG ou en bitmap.</translation>
    </message>
    <message>
        <source>This button opens a window with a full-size view of the maptile.</source>
        <translation>Ce bouton ouvre une fenêtre montrant la dalle en taille réelle.</translation>
    </message>
    <message>
        <source>This prints the maptile. No options yet - uses your default printer and options.</source>
        <translation>Imprime la dalle. Pas encore d’options&#xa0;: imprimante par défaut.</translation>
    </message>
    <message>
        <source>Select a size for you maptile here. 3 to 5 spaces wide by 3 to 6 spaces tall.</source>
        <translation>Taille de la dalle&#xa0;: de 3 à 5 cases de large sur 3 à 6 cases de haut.</translation>
    </message>
    <message>
        <source>This adds a custom maptile number to the maptile in the upper left hand corner.</source>
        <translation>Ajoute un numéro de dalle de votre choix dans le coin supérieur gauche.</translation>
    </message>
    <message>
        <source>Add your name to the maptile. You are the one who designed it.</source>
        <translation>Ajoutez votre nom à la dalle. C’est vous qui l’avez conçue&#xa0;!</translation>
    </message>
    <message>
        <source>Click her for program info, bug reporting, special thanks, and web links.</source>
        <translation>Cliquez ici&#xa0;: infos, signaler un bug, remerciements et liens web.</translation>
    </message>
    <message>
        <source>This is the subtile assigned to the left mouse button.</source>
        <translation>Voici la tuile attribuée au bouton gauche de la souris.</translation>
    </message>
    <message>
        <source>This is the subtile assigned to the middle mouse button (if you have one).</source>
        <translation>Voici la tuile attribuée au bouton du milieu (si vous en avez un).</translation>
    </message>
    <message>
        <source>This is the subtile assigned to the right mouse button.</source>
        <translation>Voici la tuile attribuée au bouton droit de la souris.</translation>
    </message>
    <message>
        <source>Click here to show this tileset and all of its subtiles.</source>
        <translation>Cliquez ici pour afficher ce jeu de tuiles et toutes ses tuiles.</translation>
    </message>
    <message>
        <source>Click here to load in a new tileset to replace the current one.</source>
        <translation>Cliquez ici pour charger un autre jeu de tuiles à la place de celui-ci.</translation>
    </message>
    <message>
        <source>Click on one of the subtiles of this tileset to assign it to the chosen mouse button.</source>
        <translation>Cliquez sur une tuile pour l’attribuer au bouton de la souris utilisé.</translation>
    </message>
    <message>
        <source>Click to place one of the subtiles you have assigned to the mouse buttons.</source>
        <translation>Cliquez pour poser une des tuiles attribuées aux boutons de la souris.</translation>
    </message>
    <message>
        <source>Hi! I&apos;m the dungeon dude and I&apos;ll be your guide! Just watch it - I bite!</source>
        <translation>Salut&#xa0;! Je suis le gars du donjon, votre guide. Attention, je mords&#xa0;!</translation>
    </message>
    <message>
        <source>Click here to set some of the options for the program.</source>
        <translation>Cliquez ici pour régler quelques options du programme.</translation>
    </message>
    <message>
        <source>Click here to set the transparency settings for this tileset.</source>
        <translation>Cliquez ici pour régler la transparence de ce jeu de tuiles.</translation>
    </message>
    <message>
        <source>This fills every blank space of the maptile with the left button&apos;s subtile.</source>
        <translation>Remplit chaque case vide de la dalle avec la tuile du bouton gauche.</translation>
    </message>
    <message>
        <source>Guide</source>
        <translation>Guide</translation>
    </message>
    <message>
        <source>Shift+arrows and Space, or a drag, mix subtiles. R turns at random.</source>
        <translation>Maj+flèches et Espace, ou glisser, mêlent les tuiles. R : tours au hasard.</translation>
    </message>
    <message>
        <source>Turn or mirror the outlined subtile; a double-click on the palette does too.</source>
        <translation>Tourner ou retourner la tuile encadrée&#xa0;; aussi par double-clic sur la palette.</translation>
    </message>
</context>
<context>
    <name>InfoWindow</name>
    <message>
        <source>About Cryptwright</source>
        <translation>À propos de Cryptwright</translation>
    </message>
    <message>
        <source>Cryptwright&apos;s icon</source>
        <translation>Icône de Cryptwright</translation>
    </message>
    <message>
        <source>Version 1.00</source>
        <translation>Version 1.00</translation>
    </message>
    <message>
        <source>A map tile editor for dungeon board games.
Written by the Cryptwright team.</source>
        <translation>Un éditeur de dalles pour jeux de plateau de donjon.
Écrit par l’équipe Cryptwright.</translation>
    </message>
    <message>
        <source>No program could be started to open %1.</source>
        <translation>Aucun programme n’a pu être lancé pour ouvrir %1.</translation>
    </message>
</context>
<context>
    <name>JpegOptionsWindow</name>
    <message>
        <source> Jpeg Save Options</source>
        <translation>Options d’enregistrement JPEG</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>JPEG quality from 1, the smallest file, to 100, the best picture</source>
        <translation>Qualité JPEG de 1, le plus petit fichier, à 100, la meilleure image</translation>
    </message>
    <message>
        <source>Progressive</source>
        <translation>Progressif</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Quality (%1%)</source>
        <translation>Qualité (%1 %)</translation>
    </message>
</context>
<context>
    <name>JpegWriter</name>
    <message>
        <source>the picture&apos;s pixels cannot be written as JPEG</source>
        <translation>les pixels de l&apos;image ne peuvent pas être écrits en JPEG</translation>
    </message>
</context>
<context>
    <name>ListCommand</name>
    <message>
        <source>--list needs at least one folder or document to list.</source>
        <translation>--list demande au moins un dossier ou un document à lister.</translation>
    </message>
    <message>
        <source>%1 documents share number %2: %3.</source>
        <translation>%1 documents partagent le numéro %2&#xa0;: %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no maptile number.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas de numéro de dalle.</translation>
    </message>
</context>
<context>
    <name>LoadProgress</name>
    <message>
        <source>Loading</source>
        <translation>Chargement</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;...</source>
        <translation>Lecture de «&#xa0;%1&#xa0;»...</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The dungeon dude, your guide</source>
        <translation>Le gars du donjon, votre guide</translation>
    </message>
    <message>
        <source>Welcome to Cryptwright Version 1.00!</source>
        <translation>Bienvenue dans Cryptwright version 1.00&#xa0;!</translation>
    </message>
    <message>
        <source>Load tileset…</source>
        <translation>Charger un jeu de tuiles…</translation>
    </message>
    <message>
        <source>Transparency…</source>
        <translation>Transparence…</translation>
    </message>
    <message>
        <source>Tileset properties…</source>
        <translation>Propriétés du jeu de tuiles…</translation>
    </message>
    <message>
        <source>Save tileset as…</source>
        <translation>Enregistrer le jeu de tuiles sous…</translation>
    </message>
    <message>
        <source>New empty tileset</source>
        <translation>Nouveau jeu de tuiles vide</translation>
    </message>
    <message>
        <source>%1[*] – %2</source>
        <translation>%1[*] – %2</translation>
    </message>
    <message>
        <source>Save As…</source>
        <translation>Enregistrer sous…</translation>
    </message>
    <message>
        <source>Update maptile from this tileset</source>
        <translation>Mettre à jour la dalle depuis ce jeu de tuiles</translation>
    </message>
    <message>
        <source>The left button lays the subtile again, from tileset &quot;%1&quot; in slot %2.</source>
        <translation>Le bouton gauche pose de nouveau la tuile, depuis le jeu de tuiles « %1 » de l’emplacement %2.</translation>
    </message>
    <message>
        <source>No slot held tileset &quot;%1&quot;: the maptile&apos;s own copy of it is now in slot %2, and the left button lays the subtile again.</source>
        <translation>Aucun emplacement ne contenait le jeu de tuiles « %1 » : la copie que garde la dalle est maintenant dans l’emplacement %2, et le bouton gauche pose de nouveau la tuile.</translation>
    </message>
    <message>
        <source>Point at a space of the maptile, then press I to pick the subtile on top of it.</source>
        <translation>Pointez une case de la dalle, puis appuyez sur I pour reprendre la tuile du dessus.</translation>
    </message>
    <message>
        <source>Cannot pick this subtile: no slot holds tileset &quot;%1&quot;, and slots E to H are all in use. Load the tileset into a slot, then press I again.</source>
        <translation>Impossible de reprendre cette tuile : aucun emplacement ne contient le jeu de tuiles « %1 », et les emplacements E à H sont tous occupés. Chargez le jeu de tuiles dans un emplacement, puis appuyez de nouveau sur I.</translation>
    </message>
    <message>
        <source>Spaces laid again from tileset &quot;%1&quot;: %2.</source>
        <translation>Cases posées de nouveau depuis le jeu de tuiles « %1 » : %2.</translation>
    </message>
    <message>
        <source>No space of the maptile was laid from tileset &quot;%1&quot;.</source>
        <translation>Aucune case de la dalle n’a été posée depuis le jeu de tuiles « %1 ».</translation>
    </message>
    <message>
        <source>Nothing to pick here: this space holds no subtile on record, only what the maptile was opened or started with.</source>
        <translation>Rien à reprendre ici : cette case ne garde aucune tuile, seulement ce avec quoi la dalle a été ouverte ou commencée.</translation>
    </message>
    <message>
        <source>Open Set…</source>
        <translation>Ouvrir un jeu…</translation>
    </message>
    <message>
        <source>Open Set</source>
        <translation>Ouvrir un jeu</translation>
    </message>
    <message>
        <source>Edit subtile…</source>
        <translation>Modifier la tuile…</translation>
    </message>
    <message>
        <source>Load at start</source>
        <translation>Charger au démarrage</translation>
    </message>
    <message>
        <source>View size</source>
        <translation>Taille d’affichage</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1&#x202f;%</translation>
    </message>
</context>
<context>
    <name>MaptileControl</name>
    <message>
        <source>The current maptile has had changes made to it.</source>
        <translation>La dalle actuelle a été modifiée.</translation>
    </message>
    <message>
        <source>Do you still wish to clear the tile?</source>
        <translation>Voulez-vous quand même effacer la dalle&#xa0;?</translation>
    </message>
    <message>
        <source>Do you still wish to open another maptile?</source>
        <translation>Voulez-vous quand même ouvrir une autre dalle&#xa0;?</translation>
    </message>
</context>
<context>
    <name>MaptilePicture</name>
    <message>
        <source>the picture is %1 x %2 pixels, smaller than one space (%3 x %3 pixels)</source>
        <translation>l’image fait %1 x %2 pixels, moins qu’une case (%3 x %3 pixels)</translation>
    </message>
</context>
<context>
    <name>MaptilePrinter</name>
    <message>
        <source>Cryptwright maptile</source>
        <translation>Dalle Cryptwright</translation>
    </message>
    <message>
        <source>There is no maptile to print.</source>
        <translation>Il n’y a aucune dalle à imprimer.</translation>
    </message>
    <message>
        <source>The maptile could not be printed: no printer is installed. Choose a printer, or print to a file.</source>
        <translation>La dalle n’a pas pu être imprimée&#xa0;: aucune imprimante n’est installée. Choisissez une imprimante ou imprimez dans un fichier.</translation>
    </message>
    <message>
        <source>The maptile could not be printed: the printer &quot;%1&quot; could not be started.</source>
        <translation>La dalle n’a pas pu être imprimée&#xa0;: l’imprimante «&#xa0;%1&#xa0;» n’a pas pu démarrer.</translation>
    </message>
    <message>
        <source>The maptile could not be printed: the printer reported an error while printing.</source>
        <translation>La dalle n’a pas pu être imprimée&#xa0;: l’imprimante a signalé une erreur pendant l’impression.</translation>
    </message>
    <message>
        <source>the PDF cannot be started</source>
        <translation>le PDF ne peut pas être commencé</translation>
    </message>
    <message>
        <source>the PDF cannot be finished</source>
        <translation>le PDF ne peut pas être terminé</translation>
    </message>
</context>
<context>
    <name>MaptileSaver</name>
    <message>
        <source>there is no picture to save</source>
        <translation>il n’y a aucune image à enregistrer</translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;: it is the document this maptile is kept in, and a picture written over it would destroy the document. Choose another name.</source>
        <translation>Impossible d’enregistrer «&#xa0;%1&#xa0;»&#xa0;: c’est le document qui conserve cette dalle, et une image écrite par-dessus le détruirait. Choisissez un autre nom.</translation>
    </message>
</context>
<context>
    <name>MaptileSet</name>
    <message>
        <source>&quot;%1&quot; could not be read.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être lu.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was made by another program: it holds a picture, but no maptile number or designer.</source>
        <translation>«&#xa0;%1&#xa0;» vient d’un autre programme&#xa0;: il contient une image, mais ni numéro de dalle ni concepteur.</translation>
    </message>
    <message>
        <source>No maptile documents in this folder</source>
        <translation>Aucun document de dalle dans ce dossier</translation>
    </message>
    <message>
        <source>1 maptile</source>
        <translation>1 dalle</translation>
    </message>
    <message>
        <source>%1 maptiles</source>
        <translation>%1 dalles</translation>
    </message>
    <message>
        <source>%1 share number %2</source>
        <translation>%1 partagent le numéro %2</translation>
    </message>
    <message>
        <source>1 has no number</source>
        <translation>1 n’a pas de numéro</translation>
    </message>
    <message>
        <source>%1 have no number</source>
        <translation>%1 n’ont pas de numéro</translation>
    </message>
    <message>
        <source>1 is no maptile of this program</source>
        <translation>1 n’est pas une dalle de ce programme</translation>
    </message>
    <message>
        <source>%1 are no maptiles of this program</source>
        <translation>%1 ne sont pas des dalles de ce programme</translation>
    </message>
    <message>
        <source>%1 still being read</source>
        <translation>%1 encore en lecture</translation>
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
        <translation>en lecture</translation>
    </message>
    <message>
        <source>number %1</source>
        <translation>numéro %1</translation>
    </message>
    <message>
        <source>shares its number</source>
        <translation>partage son numéro</translation>
    </message>
    <message>
        <source>has no number</source>
        <translation>n’a pas de numéro</translation>
    </message>
</context>
<context>
    <name>MetafileDecoder</name>
    <message>
        <source>there is not enough memory to draw the metafile</source>
        <translation>il n’y a pas assez de mémoire pour dessiner le métafichier</translation>
    </message>
    <message>
        <source>the metafile is incomplete</source>
        <translation>le métafichier est incomplet</translation>
    </message>
    <message>
        <source>the metafile is damaged or uses features that cannot be drawn</source>
        <translation>le métafichier est endommagé ou utilise des fonctions impossibles à dessiner</translation>
    </message>
    <message>
        <source>the metafile header gives it no size</source>
        <translation>l’en-tête du métafichier ne lui donne aucune taille</translation>
    </message>
    <message>
        <source>the metafile is damaged</source>
        <translation>le métafichier est endommagé</translation>
    </message>
    <message>
        <source>the metafile holds a damaged bitmap</source>
        <translation>le métafichier contient un bitmap endommagé</translation>
    </message>
    <message>
        <source>the metafile reader could not be started</source>
        <translation>le lecteur de métafichiers n’a pas pu démarrer</translation>
    </message>
    <message>
        <source>the metafile draws nothing</source>
        <translation>le métafichier ne dessine rien</translation>
    </message>
    <message>
        <source>the picture is too large (at most %1 x %1 pixels)</source>
        <translation>l’image est trop grande (au plus %1 x %1 pixels)</translation>
    </message>
    <message>
        <source>the file is too large to be a metafile</source>
        <translation>le fichier est trop gros pour être un métafichier</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>it is not a Windows metafile</source>
        <translation>ce n’est pas un métafichier Windows</translation>
    </message>
    <message>
        <source>the metafile could not be drawn</source>
        <translation>le métafichier n’a pas pu être dessiné</translation>
    </message>
</context>
<context>
    <name>OptionsWindow</name>
    <message>
        <source>Cryptwright Options</source>
        <translation>Options de Cryptwright</translation>
    </message>
    <message>
        <source>Maptile Number Font</source>
        <translation>Police du numéro de dalle</translation>
    </message>
    <message>
        <source>Choose the maptile number&apos;s font</source>
        <translation>Choisir la police du numéro de dalle</translation>
    </message>
    <message>
        <source>Subtile Speed Font</source>
        <translation>Police des valeurs de déplacement</translation>
    </message>
    <message>
        <source>Choose the speed values&apos; font</source>
        <translation>Choisir la police des valeurs de déplacement</translation>
    </message>
    <message>
        <source>Auto Number Subtile Speed Values</source>
        <translation>Valeurs de déplacement automatiques</translation>
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
        <translation>Jeu de tuiles %1</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, empty</source>
        <translation>cellule %1, %2 de l’emplacement %3, vide</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, no speed value</source>
        <translation>cellule %1, %2 de l’emplacement %3, sans valeur de déplacement</translation>
    </message>
    <message>
        <source>cell %1, %2 of slot %3, speed value %4</source>
        <translation>cellule %1, %2 de l’emplacement %3, valeur de déplacement %4</translation>
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
        <translation>Letter (8,5 × 11 po)</translation>
    </message>
    <message>
        <source>Legal (8.5 × 14 in)</source>
        <translation>Legal (8,5 × 14 po)</translation>
    </message>
    <message>
        <source>Tabloid (11 × 17 in)</source>
        <translation>Tabloïd (11 × 17 po)</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Paysage</translation>
    </message>
    <message>
        <source>A length in mm, cm, in or pt, such as 6 mm or 0.25 in</source>
        <translation>Une longueur en mm, cm, in ou pt, par exemple 6 mm ou 0.25 in</translation>
    </message>
    <message>
        <source>Margin</source>
        <translation>Marge</translation>
    </message>
    <message>
        <source>Gap between maptiles</source>
        <translation>Espace entre les dalles</translation>
    </message>
    <message>
        <source>Bleed</source>
        <translation>Fond perdu</translation>
    </message>
    <message>
        <source>Cut lines</source>
        <translation>Lignes de coupe</translation>
    </message>
    <message>
        <source>Lines to cut along, and the scale bar: marks at each maptile&apos;s corners, or lines through every cut from edge to edge, broken around the pictures</source>
        <translation>Les lignes le long desquelles couper, et l’échelle&#xa0;: des traits aux coins de chaque dalle, ou des lignes qui suivent chaque coupe d’un bord à l’autre, interrompues autour des images</translation>
    </message>
    <message>
        <source>Marks at the corners</source>
        <translation>Traits aux coins</translation>
    </message>
    <message>
        <source>Lines across the sheet</source>
        <translation>Lignes sur toute la planche</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>&amp;Papier&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Orientation:</source>
        <translation>&amp;Orientation&#xa0;:</translation>
    </message>
    <message>
        <source>Ma&amp;rgin:</source>
        <translation>&amp;Marge&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Gap:</source>
        <translation>&amp;Espace&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Bleed:</source>
        <translation>&amp;Fond perdu&#xa0;:</translation>
    </message>
    <message>
        <source>C&amp;ut lines:</source>
        <translation>&amp;Lignes de coupe&#xa0;:</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>PictureDecoder</name>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>it is not a picture in a format the program reads</source>
        <translation>ce n’est pas une image dans un format que le programme sait lire</translation>
    </message>
    <message>
        <source>the picture is damaged</source>
        <translation>l’image est endommagée</translation>
    </message>
    <message>
        <source>the file is incomplete</source>
        <translation>le fichier est incomplet</translation>
    </message>
    <message>
        <source>the picture is damaged or incomplete</source>
        <translation>l’image est endommagée ou incomplète</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2 pixels)</source>
        <translation>l’image est trop grande (%1 x %2 pixels)</translation>
    </message>
    <message>
        <source>it is not a PNG picture</source>
        <translation>ce n’est pas une image PNG</translation>
    </message>
    <message>
        <source>it is an MNG animation, which the program does not read</source>
        <translation>c’est une animation MNG, que le programme ne lit pas</translation>
    </message>
    <message>
        <source>the drawing is too large</source>
        <translation>le dessin est trop grand</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>the file does not exist</source>
        <translation>le fichier n’existe pas</translation>
    </message>
    <message>
        <source>it is a folder, not a picture</source>
        <translation>c’est un dossier, pas une image</translation>
    </message>
    <message>
        <source>it is not a picture file</source>
        <translation>ce n’est pas un fichier image</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>le fichier ne peut pas être lu (%1)</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>the file is too large to be a picture</source>
        <translation>le fichier est trop gros pour être une image</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2.</source>
        <translation>Impossible d’ouvrir «&#xa0;%1&#xa0;»&#xa0;: %2.</translation>
    </message>
</context>
<context>
    <name>PictureReader</name>
    <message>
        <source>the system could not start a process to read it</source>
        <translation>le système n’a pas pu lancer de processus pour le lire</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>le fichier ne peut pas être lu (%1)</translation>
    </message>
    <message>
        <source>the picture could not be passed on</source>
        <translation>l’image n’a pas pu être transmise</translation>
    </message>
    <message>
        <source>reading it took longer than %1 seconds</source>
        <translation>sa lecture a pris plus de %1 secondes</translation>
    </message>
    <message>
        <source>there is not enough memory to read it</source>
        <translation>il n’y a pas assez de mémoire pour le lire</translation>
    </message>
    <message>
        <source>the picture is damaged and could not be read</source>
        <translation>l’image est endommagée et n’a pas pu être lue</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>Cryptwright Preview</source>
        <translation>Aperçu Cryptwright</translation>
    </message>
    <message>
        <source>The maptile at full size</source>
        <translation>La dalle en taille réelle</translation>
    </message>
    <message>
        <source>Scroll left and right</source>
        <translation>Défiler à gauche et à droite</translation>
    </message>
    <message>
        <source>Scroll up and down</source>
        <translation>Défiler vers le haut et vers le bas</translation>
    </message>
    <message>
        <source>Fit the window to the maptile</source>
        <translation>Ajuster la fenêtre à la dalle</translation>
    </message>
</context>
<context>
    <name>PrintSheetsWindow</name>
    <message>
        <source>Print Sheets</source>
        <translation>Imprimer des planches</translation>
    </message>
    <message>
        <source>Current maptile</source>
        <translation>Dalle actuelle</translation>
    </message>
    <message>
        <source>Maptiles to print</source>
        <translation>Dalles à imprimer</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>Ajouter…</translation>
    </message>
    <message>
        <source>Add documents</source>
        <translation>Ajouter des documents</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Remove the chosen maptile</source>
        <translation>Retirer la dalle choisie</translation>
    </message>
    <message>
        <source>Copies of the chosen maptile</source>
        <translation>Exemplaires de la dalle choisie</translation>
    </message>
    <message>
        <source>&amp;Copies:</source>
        <translation>E&amp;xemplaires&#xa0;:</translation>
    </message>
    <message>
        <source>Maptiles</source>
        <translation>Dalles</translation>
    </message>
    <message>
        <source>Preview of the sheet</source>
        <translation>Aperçu de la planche</translation>
    </message>
    <message>
        <source>Previous sheet</source>
        <translation>Planche précédente</translation>
    </message>
    <message>
        <source>Next sheet</source>
        <translation>Planche suivante</translation>
    </message>
    <message>
        <source>Sheet shown</source>
        <translation>Planche affichée</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Imprimer…</translation>
    </message>
    <message>
        <source>Print the sheets</source>
        <translation>Imprimer les planches</translation>
    </message>
    <message>
        <source>&amp;Save PDF…</source>
        <translation>Enregistrer en P&amp;DF…</translation>
    </message>
    <message>
        <source>Save the sheets as a PDF</source>
        <translation>Enregistrer les planches en PDF</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Add a maptile to print.</source>
        <translation>Ajoutez une dalle à imprimer.</translation>
    </message>
    <message>
        <source>Reading %1…</source>
        <translation>Lecture de %1…</translation>
    </message>
    <message>
        <source>Sheet %1 of %2</source>
        <translation>Planche %1 sur %2</translation>
    </message>
    <message>
        <source>No sheets</source>
        <translation>Aucune planche</translation>
    </message>
    <message>
        <source>%1 (reading…)</source>
        <translation>%1 (lecture…)</translation>
    </message>
    <message>
        <source>%1 (%2 × %3 spaces)</source>
        <translation>%1 (%2 × %3 cases)</translation>
    </message>
    <message>
        <source>%1 (%2 × %3 pixels)</source>
        <translation>%1 (%2 × %3 pixels)</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>%1 could not be added: it could not be read.</source>
        <translation>%1 n’a pas pu être ajouté&#xa0;: il n’a pas pu être lu.</translation>
    </message>
    <message>
        <source>%1 could not be added: %2</source>
        <translation>%1 n’a pas pu être ajouté&#xa0;: %2</translation>
    </message>
    <message>
        <source>Add Maptiles</source>
        <translation>Ajouter des dalles</translation>
    </message>
    <message>
        <source>Maptiles and pictures (*.ora *.png *.jpg *.jpeg *.bmp *.gif *.wmf);;All files (*)</source>
        <translation>Dalles et images (*.ora *.png *.jpg *.jpeg *.bmp *.gif *.wmf);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Maptile sheets</source>
        <translation>Planches de dalles</translation>
    </message>
    <message>
        <source>No printer is installed: choose a printer, or print to a file.</source>
        <translation>Aucune imprimante n’est installée&#xa0;: choisissez une imprimante ou imprimez dans un fichier.</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Enregistrer en PDF</translation>
    </message>
    <message>
        <source>sheets.pdf</source>
        <translation>planches.pdf</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Bac&amp;k…</source>
        <translation>&amp;Verso…</translation>
    </message>
    <message>
        <source>Choose the chosen maptile&apos;s own back</source>
        <translation>Choisir le verso propre à la dalle choisie</translation>
    </message>
    <message>
        <source>Choose a picture or document to print behind the chosen maptile alone</source>
        <translation>Choisir une image ou un document à imprimer derrière la seule dalle choisie</translation>
    </message>
    <message>
        <source>No own back</source>
        <translation>Pas de verso propre</translation>
    </message>
    <message>
        <source>No own back for the chosen maptile</source>
        <translation>Pas de verso propre pour la dalle choisie</translation>
    </message>
    <message>
        <source>The chosen maptile takes the back for all again, if there is one</source>
        <translation>La dalle choisie reprend le verso commun à toutes, s’il y en a un</translation>
    </message>
    <message>
        <source>Sheet %1 of %2, back</source>
        <translation>Planche %1 sur %2, verso</translation>
    </message>
    <message>
        <source>Sheet %1 of %2, calibration</source>
        <translation>Planche %1 sur %2, étalonnage</translation>
    </message>
    <message>
        <source>Sheet %1 of %2, calibration back</source>
        <translation>Planche %1 sur %2, verso de l’étalonnage</translation>
    </message>
    <message>
        <source>%1, back: %2</source>
        <translation>%1, verso&#xa0;: %2</translation>
    </message>
    <message>
        <source>Back for Every Maptile</source>
        <translation>Verso de toutes les dalles</translation>
    </message>
    <message>
        <source>Back for the Maptile</source>
        <translation>Verso de la dalle</translation>
    </message>
    <message>
        <source>Pictures and maptiles (*.png *.jpg *.jpeg *.bmp *.gif *.ora *.wmf);;All files (*)</source>
        <translation>Images et dalles (*.png *.jpg *.jpeg *.bmp *.gif *.ora *.wmf);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>%1 does not print on both sides. The fronts and the backs are saved as two PDFs instead: print the fronts, put the sheets back in turned over, and print the backs.</source>
        <translation>%1 n’imprime pas en recto verso. Les rectos et les versos sont enregistrés à la place dans deux PDF&#xa0;: imprimez les rectos, remettez les planches retournées, puis imprimez les versos.</translation>
    </message>
    <message>
        <source>Save Fronts and Backs</source>
        <translation>Enregistrer les rectos et les versos</translation>
    </message>
    <message>
        <source>The fronts are in %1 and the backs in %2.</source>
        <translation>Les rectos sont dans %1 et les versos dans %2.</translation>
    </message>
    <message>
        <source>%1-fronts.pdf</source>
        <translation>%1-rectos.pdf</translation>
    </message>
    <message>
        <source>%1-backs.pdf</source>
        <translation>%1-versos.pdf</translation>
    </message>
    <message>
        <source>The sheets have no backs to save on their own.</source>
        <translation>Les planches n’ont pas de verso à enregistrer à part.</translation>
    </message>
</context>
<context>
    <name>QuitControl</name>
    <message>
        <source>The tileset in slot %1 has changes that are not saved.</source>
        <translation>Le jeu de tuiles de l’emplacement %1 a des modifications non enregistrées.</translation>
    </message>
    <message>
        <source>The tilesets in slots %1 and %2 have changes that are not saved.</source>
        <translation>Les jeux de tuiles des emplacements %1 et %2 ont des modifications non enregistrées.</translation>
    </message>
    <message>
        <source>Do you still wish to quit?</source>
        <translation>Voulez-vous quand même quitter&#xa0;?</translation>
    </message>
</context>
<context>
    <name>ReaderLoads</name>
    <message>
        <source>Loading &quot;%1&quot; was cancelled; nothing was changed.</source>
        <translation>Chargement de «&#xa0;%1&#xa0;» annulé&#xa0;; rien n’a changé.</translation>
    </message>
</context>
<context>
    <name>RecoveryControl</name>
    <message>
        <source>the maptile</source>
        <translation>la dalle</translation>
    </message>
    <message>
        <source>the maptile of &quot;%1&quot;</source>
        <translation>la dalle de «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>the tileset in slot %1</source>
        <translation>le jeu de tuiles de l’emplacement %1</translation>
    </message>
    <message>
        <source>the tileset &quot;%1&quot; in slot %2</source>
        <translation>le jeu de tuiles «&#xa0;%1&#xa0;» de l’emplacement %2</translation>
    </message>
    <message>
        <source>Cryptwright did not close normally. Changes that were not saved were kept on %1:
• %2

Restore them, or discard them?</source>
        <translation>Cryptwright ne s’est pas fermé normalement. Les modifications non enregistrées ont été conservées le %1&#xa0;:
• %2

Les restaurer, ou les abandonner&#xa0;?</translation>
    </message>
    <message>
        <source>%1
The work is still kept in &quot;%2&quot;.</source>
        <translation>%1
Le travail reste conservé dans «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>Restoring the work was cancelled.</source>
        <translation>La restauration du travail a été annulée.</translation>
    </message>
</context>
<context>
    <name>RecoveryFolder</name>
    <message>
        <source>Work kept in &quot;%1&quot; after a crash is neither offered nor removed: the folder is a symbolic link, which could lead anywhere.</source>
        <translation>Le travail conservé dans «&#xa0;%1&#xa0;» après un plantage n’est ni proposé ni supprimé&#xa0;: le dossier est un lien symbolique, qui pourrait mener n’importe où.</translation>
    </message>
    <message>
        <source>Some work kept in &quot;%1&quot; could not be read and was left there.</source>
        <translation>Une partie du travail conservé dans «&#xa0;%1&#xa0;» n’a pas pu être lue et y a été laissée.</translation>
    </message>
</context>
<context>
    <name>RecoverySession</name>
    <message>
        <source>Unsaved work cannot be kept in &quot;%1&quot;: %2.</source>
        <translation>Le travail non enregistré ne peut pas être conservé dans «&#xa0;%1&#xa0;»&#xa0;: %2.</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>le dossier ne peut pas être créé</translation>
    </message>
    <message>
        <source>its lock file cannot be made</source>
        <translation>son fichier de verrou ne peut pas être créé</translation>
    </message>
    <message>
        <source>the recovery folder is a symbolic link</source>
        <translation>le dossier de récupération est un lien symbolique</translation>
    </message>
</context>
<context>
    <name>Renamer</name>
    <message>
        <source>The renaming process &quot;%1&quot; cannot be started (%2).</source>
        <translation>Le processus de renommage «&#xa0;%1&#xa0;» ne peut pas être lancé (%2).</translation>
    </message>
    <message>
        <source>The renaming process &quot;%1&quot; ended at once.</source>
        <translation>Le processus de renommage «&#xa0;%1&#xa0;» s’est arrêté aussitôt.</translation>
    </message>
    <message>
        <source>its writing was given up</source>
        <translation>son écriture a été abandonnée</translation>
    </message>
    <message>
        <source>the renaming process has ended</source>
        <translation>le processus de renommage s’est arrêté</translation>
    </message>
</context>
<context>
    <name>SecondaryWindows</name>
    <message>
        <source>This maptile</source>
        <translation>Cette dalle</translation>
    </message>
</context>
<context>
    <name>SetExport</name>
    <message>
        <source>The export of %1 stopped before it was done; what it had not finished was not written.</source>
        <translation>L’export de %1 s’est arrêté avant la fin&#xa0;; ce qui n’était pas terminé n’a pas été écrit.</translation>
    </message>
</context>
<context>
    <name>SetModel</name>
    <message>
        <source>Being read…</source>
        <translation>En lecture…</translation>
    </message>
    <message>
        <source>Made by another program</source>
        <translation>Fait par un autre programme</translation>
    </message>
    <message>
        <source>Cannot be read</source>
        <translation>Illisible</translation>
    </message>
    <message>
        <source>No number · %1</source>
        <translation>Sans numéro · %1</translation>
    </message>
    <message>
        <source>No. %1 (shared) · %2</source>
        <translation>N° %1 (partagé) · %2</translation>
    </message>
    <message>
        <source>No. %1 · %2</source>
        <translation>N° %1 · %2</translation>
    </message>
</context>
<context>
    <name>SetUpdate</name>
    <message>
        <source>The update of %1 stopped before it was done; each of them is as it was or updated whole.</source>
        <translation>La mise à jour de %1 s’est arrêtée avant la fin ; chacune est restée telle quelle ou a été mise à jour en entier.</translation>
    </message>
</context>
<context>
    <name>SetWindow</name>
    <message>
        <source>Set – %1</source>
        <translation>Jeu – %1</translation>
    </message>
    <message>
        <source>Maptiles of the set</source>
        <translation>Dalles du jeu</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Open the chosen maptile in the editor</source>
        <translation>Ouvrir la dalle choisie dans l’éditeur</translation>
    </message>
    <message>
        <source>&amp;Export All…</source>
        <translation>Tout &amp;exporter…</translation>
    </message>
    <message>
        <source>Export every maptile of the set</source>
        <translation>Exporter chaque dalle du jeu</translation>
    </message>
    <message>
        <source>&amp;Print Sheets…</source>
        <translation>&amp;Imprimer des planches…</translation>
    </message>
    <message>
        <source>Print every maptile of the set on sheets</source>
        <translation>Imprimer chaque dalle du jeu sur des planches</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Close the set window</source>
        <translation>Fermer la fenêtre du jeu</translation>
    </message>
    <message>
        <source>State of the set</source>
        <translation>État du jeu</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The export was cancelled; the maptiles exported before stay whole.</source>
        <translation>L’export a été annulé&#xa0;; les dalles exportées avant restent entières.</translation>
    </message>
    <message>
        <source>All %1 maptiles were exported.</source>
        <translation>Les %1 dalles ont toutes été exportées.</translation>
    </message>
    <message>
        <source>%1 of %2 maptiles could not be exported:</source>
        <translation>%1 dalles sur %2 n’ont pas pu être exportées&#xa0;:</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>Tout exporter</translation>
    </message>
    <message>
        <source>&amp;Update from Tileset…</source>
        <translation>&amp;Mettre à jour depuis un jeu de tuiles…</translation>
    </message>
    <message>
        <source>Lay every maptile of the set again from a fixed tileset</source>
        <translation>Reposer chaque dalle du jeu depuis un jeu de tuiles corrigé</translation>
    </message>
    <message>
        <source>&amp;Where Used</source>
        <translation>Où &amp;utilisée</translation>
    </message>
    <message>
        <source>Mark the maptiles that use the subtile outlined in the editor</source>
        <translation>Marquer les dalles qui utilisent la tuile encadrée dans l’éditeur</translation>
    </message>
    <message>
        <source>Cancel the work under way</source>
        <translation>Annuler le travail en cours</translation>
    </message>
    <message>
        <source>The update from &quot;%1&quot; was cancelled: %2 of %3 maptiles were updated whole, the others are as they were.</source>
        <translation>La mise à jour depuis « %1 » a été annulée : %2 dalles sur %3 ont été mises à jour en entier, les autres sont restées telles quelles.</translation>
    </message>
    <message>
        <source>%1 of %2 maptiles were updated from &quot;%3&quot;.</source>
        <translation>%1 dalles sur %2 ont été mises à jour depuis « %3 ».</translation>
    </message>
    <message>
        <source>Update from Tileset</source>
        <translation>Mettre à jour depuis un jeu de tuiles</translation>
    </message>
    <message>
        <source>The palette in front holds no tileset whose subtile could be looked for.</source>
        <translation>La palette au premier plan ne contient aucun jeu de tuiles dont on pourrait chercher une tuile.</translation>
    </message>
    <message>
        <source>Cancelling: the maptiles at work are finished first…</source>
        <translation>Annulation : les dalles en cours sont d’abord terminées…</translation>
    </message>
</context>
<context>
    <name>SheetBacks</name>
    <message>
        <source>The back %1 could not be read.</source>
        <translation>Le verso %1 n’a pas pu être lu.</translation>
    </message>
    <message>
        <source>The back %1 could not be read: %2</source>
        <translation>Le verso %1 n’a pas pu être lu&#xa0;: %2</translation>
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
        <translation>po</translation>
    </message>
    <message>
        <source>Print both sides at actual size, then hold the sheet up to the light.</source>
        <translation>Imprimez les deux faces en taille réelle, puis tenez la planche devant la lumière.</translation>
    </message>
    <message>
        <source>Back offset: add the number on each scale where the front&apos;s cross shows through, in mm; right and down count as +.</source>
        <translation>Décalage du verso&#xa0;: ajoutez le nombre lu sur chaque échelle là où transparaît la croix du recto, en mm&#xa0;; vers la droite et vers le bas comptent en +.</translation>
    </message>
</context>
<context>
    <name>SheetLayout</name>
    <message>
        <source>The margin, the gap and the bleed cannot be negative.</source>
        <translation>La marge, l’espace et le fond perdu ne peuvent pas être négatifs.</translation>
    </message>
    <message>
        <source>Margins of %1 mm leave no room on %2 paper.</source>
        <translation>Des marges de %1 mm ne laissent aucune place sur du papier %2.</translation>
    </message>
    <message>
        <source>There is no maptile to put on sheets.</source>
        <translation>Il n’y a aucune dalle à mettre sur les planches.</translation>
    </message>
    <message>
        <source>%1 cannot be printed %2 times: from 1 to %3 copies can be.</source>
        <translation>%1 ne peut pas être imprimé %2 fois&#xa0;: de 1 à %3 exemplaires sont possibles.</translation>
    </message>
    <message>
        <source>%1 has no picture to print.</source>
        <translation>%1 n’a aucune image à imprimer.</translation>
    </message>
    <message>
        <source>%1 (%2 × %3 mm with its bleed) does not fit the %4 × %5 mm inside the margins of %6 paper, either way up.</source>
        <translation>%1 (%2 × %3 mm avec son fond perdu) ne tient pas, dans aucun sens, dans les %4 × %5 mm entre les marges du papier %6.</translation>
    </message>
    <message>
        <source>%1 (%2 × %3 mm) does not fit the %4 × %5 mm inside the margins of %6 paper, either way up.</source>
        <translation>%1 (%2 × %3 mm) ne tient pas, dans aucun sens, dans les %4 × %5 mm entre les marges du papier %6.</translation>
    </message>
    <message>
        <source>The calibration sheet needs %1 × %1 mm inside the margins, and %2 paper leaves %3 × %4 mm.</source>
        <translation>La planche d’étalonnage demande %1 × %1 mm entre les marges, et le papier %2 laisse %3 × %4 mm.</translation>
    </message>
    <message>
        <source>A back offset of %1 mm across and %2 mm down pushes the scales of the calibration sheet off the paper.</source>
        <translation>Un décalage du verso de %1 mm vers la droite et de %2 mm vers le bas fait sortir du papier les échelles de la planche d’étalonnage.</translation>
    </message>
    <message>
        <source>A back offset of %1 mm across and %2 mm down pushes the back of %3 off the paper.</source>
        <translation>Un décalage du verso de %1 mm vers la droite et de %2 mm vers le bas fait sortir du papier le verso de %3.</translation>
    </message>
</context>
<context>
    <name>SheetLength</name>
    <message>
        <source>A length is needed, such as 6 mm or 0.25 in.</source>
        <translation>Il faut une longueur, par exemple 6 mm ou 0.25 in.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a length such as 6 mm or 0.25 in.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une longueur comme 6 mm ou 0.25 in.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs a unit: mm, cm, in or pt.</source>
        <translation>«&#xa0;%1&#xa0;» doit avoir une unité&#xa0;: mm, cm, in ou pt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a unit of length; use mm, cm, in or pt.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une unité de longueur&#xa0;; utilisez mm, cm, in ou pt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used: a length cannot be negative.</source>
        <translation>«&#xa0;%1&#xa0;» ne convient pas&#xa0;: une longueur ne peut pas être négative.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is longer than any paper.</source>
        <translation>«&#xa0;%1&#xa0;» est plus long que n’importe quel papier.</translation>
    </message>
</context>
<context>
    <name>SheetOutput</name>
    <message>
        <source>There are no sheets to write.</source>
        <translation>Il n’y a aucune planche à écrire.</translation>
    </message>
    <message>
        <source>The PDF cannot be written: its file is not open for writing.</source>
        <translation>Le PDF ne peut pas être écrit&#xa0;: son fichier n’est pas ouvert en écriture.</translation>
    </message>
    <message>
        <source>The PDF could not be written: %1.</source>
        <translation>Le PDF n’a pas pu être écrit&#xa0;: %1.</translation>
    </message>
    <message>
        <source>There are no sheets to print.</source>
        <translation>Il n’y a aucune planche à imprimer.</translation>
    </message>
    <message>
        <source>The sheets could not be started: the printer or file refused them.</source>
        <translation>Les planches n’ont pas pu être commencées&#xa0;: l’imprimante ou le fichier les a refusées.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>%1 n’a pas pu être lu.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 n’a pas pu être lu&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 is no longer the size it was laid out at.</source>
        <translation>%1 n’a plus la taille avec laquelle il a été disposé.</translation>
    </message>
    <message>
        <source>Sheet %1 could not be begun: the printer or file refused it.</source>
        <translation>La planche %1 n’a pas pu être commencée&#xa0;: l’imprimante ou le fichier l’a refusée.</translation>
    </message>
    <message>
        <source>The sheets could not be finished: the printer or file reported an error.</source>
        <translation>Les planches n’ont pas pu être terminées&#xa0;: l’imprimante ou le fichier a signalé une erreur.</translation>
    </message>
    <message>
        <source>The back of %1 could not be read.</source>
        <translation>Le verso de %1 n’a pas pu être lu.</translation>
    </message>
    <message>
        <source>The back of %1 could not be read: %2</source>
        <translation>Le verso de %1 n’a pas pu être lu&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>SheetPainter</name>
    <message>
        <source>1 space = 1.5 in = 38.1 mm</source>
        <translation>1 case = 1,5 po = 38,1 mm</translation>
    </message>
    <message>
        <source>1 cm</source>
        <translation>1 cm</translation>
    </message>
    <message>
        <source>1 in</source>
        <translation>1 po</translation>
    </message>
</context>
<context>
    <name>SheetSettings</name>
    <message>
        <source>&quot;%1&quot; is not a paper this program knows; use %2.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un papier connu de ce programme&#xa0;; utilisez %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a kind of cut line; use corners, full or none.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un type de ligne de coupe&#xa0;; utilisez corners, full ou none.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an edge to turn the paper over by; use long or short.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un bord par lequel retourner le papier&#xa0;; utilisez long ou short.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a back offset such as 1.5mm,-0.5mm: two lengths, across and down, with a comma between.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un décalage du verso comme 1.5mm,-0.5mm&#xa0;: deux longueurs, vers la droite et vers le bas, séparées par une virgule.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not name a document and its back as DOCUMENT=FILE.</source>
        <translation>«&#xa0;%1&#xa0;» ne nomme pas un document et son verso sous la forme DOCUMENT=FICHIER.</translation>
    </message>
    <message>
        <source>%1 is given more than one back.</source>
        <translation>%1 reçoit plus d’un verso.</translation>
    </message>
    <message>
        <source>A back is given for %1, which is not among the documents to print.</source>
        <translation>Un verso est donné pour %1, qui ne fait pas partie des documents à imprimer.</translation>
    </message>
</context>
<context>
    <name>ShippedTilesets</name>
    <message>
        <source>%1 comes with Cryptwright: it is a default tileset or its metadata, read at every start, and is never written over. Save under another name or in another folder.</source>
        <translation>%1 est fourni avec Cryptwright&#xa0;: c’est un jeu de tuiles par défaut ou ses métadonnées, lu à chaque démarrage, et il n’est jamais écrasé. Enregistrez sous un autre nom ou dans un autre dossier.</translation>
    </message>
</context>
<context>
    <name>SlotWidgets</name>
    <message>
        <source>Enlarged subtile</source>
        <translation>Tuile agrandie</translation>
    </message>
    <message>
        <source>Frame of the enlarged subtile</source>
        <translation>Cadre de la tuile agrandie</translation>
    </message>
    <message>
        <source>Show slot %1</source>
        <translation>Afficher l’emplacement %1</translation>
    </message>
    <message>
        <source>The menu key or a right-click offers the slot&apos;s tileset commands</source>
        <translation>La touche Menu ou un clic droit propose les commandes du jeu de tuiles de l’emplacement</translation>
    </message>
    <message>
        <source>Transparency of slot %1</source>
        <translation>Transparence de l’emplacement %1</translation>
    </message>
    <message>
        <source>Load a tileset into slot %1</source>
        <translation>Charger un jeu de tuiles dans l’emplacement %1</translation>
    </message>
</context>
<context>
    <name>TileData</name>
    <message>
        <source>UNKNOWN TILESET</source>
        <translation>JEU DE TUILES INCONNU</translation>
    </message>
    <message>
        <source>UNKNOWN CREATOR</source>
        <translation>CRÉATEUR INCONNU</translation>
    </message>
    <message>
        <source>%1 BY: %2</source>
        <translation>%1 PAR&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>TileDataWriter</name>
    <message>
        <source>The tileset information file %1 cannot be read, so the tileset was not saved.</source>
        <translation>Le fichier d’informations %1 du jeu de tuiles ne peut pas être lu&#xa0;; le jeu de tuiles n’a donc pas été enregistré.</translation>
    </message>
    <message>
        <source>The tileset information file %1 is too large to be a tileset&apos;s, so the tileset was not saved.</source>
        <translation>Le fichier d’informations %1 est trop gros pour un jeu de tuiles&#xa0;; le jeu de tuiles n’a donc pas été enregistré.</translation>
    </message>
</context>
<context>
    <name>TilesetControl</name>
    <message>
        <source>The tileset in slot %1 has changes that are not saved.</source>
        <translation>Le jeu de tuiles de l’emplacement %1 a des modifications non enregistrées.</translation>
    </message>
    <message>
        <source>Do you still wish to load another tileset into it?</source>
        <translation>Voulez-vous quand même y charger un autre jeu de tuiles&#xa0;?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>The clipboard holds no picture to paste into the subtile.</source>
        <translation>Le presse-papiers ne contient aucune image à coller dans la tuile.</translation>
    </message>
    <message>
        <source>Slot %1 starts with its default tileset again.</source>
        <translation>L’emplacement %1 démarre de nouveau avec son jeu de tuiles par défaut.</translation>
    </message>
    <message>
        <source>Slot %1 starts empty again.</source>
        <translation>L’emplacement %1 démarre de nouveau vide.</translation>
    </message>
    <message>
        <source>The tileset in slot %1 has no file yet. Save it first; then it can be loaded at start.</source>
        <translation>Le jeu de tuiles de l’emplacement %1 n’a pas encore de fichier. Enregistrez-le d’abord&#xa0;; il pourra alors être chargé au démarrage.</translation>
    </message>
    <message>
        <source>Slot %1 loads &quot;%2&quot; at every start.</source>
        <translation>L’emplacement %1 charge «&#xa0;%2&#xa0;» à chaque démarrage.</translation>
    </message>
    <message>
        <source>Cannot open the tileset &quot;%1&quot; that slot %2 loads at start: it is not in the folder &quot;%3&quot;.</source>
        <translation>Impossible d’ouvrir le jeu de tuiles «&#xa0;%1&#xa0;» que l’emplacement %2 charge au démarrage&#xa0;: il n’est pas dans le dossier «&#xa0;%3&#xa0;».</translation>
    </message>
</context>
<context>
    <name>TilesetPropertiesWindow</name>
    <message>
        <source>Tileset Properties - Slot %1</source>
        <translation>Propriétés du jeu de tuiles – Emplacement %1</translation>
    </message>
    <message>
        <source>Set &amp;name:</source>
        <translation>&amp;Nom du jeu&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Creator:</source>
        <translation>&amp;Créateur&#xa0;:</translation>
    </message>
    <message>
        <source>Subtile in column %1, row %2</source>
        <translation>Tuile de la colonne %1, ligne %2</translation>
    </message>
    <message>
        <source>Speed value of the subtile in column %1, row %2</source>
        <translation>Valeur de déplacement de la tuile de la colonne %1, ligne %2</translation>
    </message>
    <message>
        <source>Speed values:</source>
        <translation>Valeurs de déplacement&#xa0;:</translation>
    </message>
</context>
<context>
    <name>TilesetWriter</name>
    <message>
        <source>%1 has no extension: a tileset is saved as PNG, BMP or JPEG, so its name ends in .png, .bmp or .jpg.</source>
        <translation>%1 n’a pas d’extension&#xa0;: un jeu de tuiles s’enregistre en PNG, BMP ou JPEG, son nom se termine donc par .png, .bmp ou .jpg.</translation>
    </message>
    <message>
        <source>%1 has an extension the tileset cannot be saved as: a tileset is saved as PNG, BMP or JPEG, so its name ends in .png, .bmp or .jpg.</source>
        <translation>%1 a une extension que le jeu de tuiles ne peut pas prendre&#xa0;: un jeu de tuiles s’enregistre en PNG, BMP ou JPEG, son nom se termine donc par .png, .bmp ou .jpg.</translation>
    </message>
</context>
<context>
    <name>ToolbarWidgets</name>
    <message>
        <source>Clear the maptile</source>
        <translation>Effacer la dalle</translation>
    </message>
    <message>
        <source>Open a maptile or a background picture</source>
        <translation>Ouvrir une dalle ou une image de fond</translation>
    </message>
    <message>
        <source>Save the maptile; right-click to save it under another name or type</source>
        <translation>Enregistrer la dalle&#xa0;; clic droit pour l’enregistrer sous un autre nom ou type</translation>
    </message>
    <message>
        <source>Full-size preview</source>
        <translation>Aperçu en taille réelle</translation>
    </message>
    <message>
        <source>Print the maptile</source>
        <translation>Imprimer la dalle</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Fill the blank spaces with the left button&apos;s subtile</source>
        <translation>Remplir les cases vides avec la tuile du bouton gauche</translation>
    </message>
    <message>
        <source>About Cryptwright</source>
        <translation>À propos de Cryptwright</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d’outils</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>Maptile size</source>
        <translation>Taille de la dalle</translation>
    </message>
    <message>
        <source>Columns x rows: 3 to 5 spaces wide by 3 to 6 spaces tall</source>
        <translation>Colonnes x lignes&#xa0;: de 3 à 5 cases de large sur 3 à 6 cases de haut</translation>
    </message>
    <message>
        <source>Maptile number</source>
        <translation>Numéro de dalle</translation>
    </message>
    <message>
        <source>Up to two characters in the maptile&apos;s upper left corner</source>
        <translation>Jusqu’à deux caractères dans le coin supérieur gauche de la dalle</translation>
    </message>
    <message>
        <source>Maptile Designed By:</source>
        <translation>Dalle conçue par&#xa0;:</translation>
    </message>
    <message>
        <source>Maptile designed by</source>
        <translation>Dalle conçue par</translation>
    </message>
    <message>
        <source>Your name, in the credit line at the bottom of the maptile</source>
        <translation>Votre nom, dans la mention en bas de la dalle</translation>
    </message>
</context>
<context>
    <name>TransparencyWindow</name>
    <message>
        <source>Transparency Options</source>
        <translation>Options de transparence</translation>
    </message>
    <message>
        <source>No Transparency</source>
        <translation>Aucune transparence</translation>
    </message>
    <message>
        <source>Transparent Background</source>
        <translation>Fond transparent</translation>
    </message>
    <message>
        <source>Alpha Blending (Semi-Transparent)</source>
        <translation>Fusion alpha (semi-transparente)</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Opacité</translation>
    </message>
    <message>
        <source>How much of the tileset&apos;s subtiles shows over the space, from 1 to 255</source>
        <translation>À quel point les tuiles du jeu se voient sur la case, de 1 à 255</translation>
    </message>
    <message>
        <source>Example of Effects</source>
        <translation>Exemple d’effet</translation>
    </message>
    <message>
        <source>A space&apos;s floor</source>
        <translation>Le sol d’une case</translation>
    </message>
    <message>
        <source>plus</source>
        <translation>plus</translation>
    </message>
    <message>
        <source>A subtile laid over it</source>
        <translation>Une tuile posée dessus</translation>
    </message>
    <message>
        <source>gives</source>
        <translation>donne</translation>
    </message>
    <message>
        <source>The space with the subtile laid over it</source>
        <translation>La case avec la tuile posée dessus</translation>
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
        <translation>Recto verso</translation>
    </message>
    <message>
        <source>Back for every maptile</source>
        <translation>Verso de toutes les dalles</translation>
    </message>
    <message>
        <source>Printed behind every maptile that has no back of its own</source>
        <translation>Imprimé derrière chaque dalle qui n’a pas de verso propre</translation>
    </message>
    <message>
        <source>Back for &amp;all…</source>
        <translation>Verso pour &amp;toutes…</translation>
    </message>
    <message>
        <source>Choose the back for every maptile</source>
        <translation>Choisir le verso de toutes les dalles</translation>
    </message>
    <message>
        <source>Choose a picture or document to print behind every maptile</source>
        <translation>Choisir une image ou un document à imprimer derrière chaque dalle</translation>
    </message>
    <message>
        <source>No back</source>
        <translation>Pas de verso</translation>
    </message>
    <message>
        <source>No back for every maptile</source>
        <translation>Pas de verso pour toutes les dalles</translation>
    </message>
    <message>
        <source>Print nothing behind the maptiles that have no back of their own</source>
        <translation>N’imprimer rien derrière les dalles qui n’ont pas de verso propre</translation>
    </message>
    <message>
        <source>Edge the paper is turned over by</source>
        <translation>Bord par lequel le papier est retourné</translation>
    </message>
    <message>
        <source>The edge the paper turns over by between its sides, as the printer&apos;s two-sided setting says</source>
        <translation>Le bord par lequel le papier se retourne entre ses deux faces, comme le dit le réglage recto verso de l’imprimante</translation>
    </message>
    <message>
        <source>Long edge</source>
        <translation>Bord long</translation>
    </message>
    <message>
        <source>Short edge</source>
        <translation>Bord court</translation>
    </message>
    <message>
        <source>Moves everything on the backs to meet the fronts: a length such as 1.5 mm or -0.5 mm, right and down positive. The calibration sheet shows how far.</source>
        <translation>Déplace tout le verso pour qu’il rejoigne le recto&#xa0;: une longueur comme 1.5 mm ou -0.5 mm, positive vers la droite et vers le bas. La planche d’étalonnage montre de combien.</translation>
    </message>
    <message>
        <source>Back offset across</source>
        <translation>Décalage du verso vers la droite</translation>
    </message>
    <message>
        <source>Back offset down</source>
        <translation>Décalage du verso vers le bas</translation>
    </message>
    <message>
        <source>Ca&amp;libration sheet first</source>
        <translation>Planche d’étalonna&amp;ge d’abord</translation>
    </message>
    <message>
        <source>Calibration sheet first</source>
        <translation>Planche d’étalonnage d’abord</translation>
    </message>
    <message>
        <source>Begins with a sheet of rulers and crosshairs on both sides, which shows whether the printer scales the page and how far it misses the back</source>
        <translation>Commence par une planche de règles et de réticules sur les deux faces, qui montre si l’imprimante met la page à l’échelle et de combien elle manque le verso</translation>
    </message>
    <message>
        <source>across</source>
        <translation>vers la droite</translation>
    </message>
    <message>
        <source>down</source>
        <translation>vers le bas</translation>
    </message>
    <message>
        <source>Back o&amp;ffset:</source>
        <translation>Déc&amp;alage du verso&#xa0;:</translation>
    </message>
    <message>
        <source>Tur&amp;ned over by:</source>
        <translation>&amp;Retourner par&#xa0;:</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>No back for all</source>
        <translation>Pas de verso commun</translation>
    </message>
</context>
<context>
    <name>UpdateCommand</name>
    <message>
        <source>--update needs at least one document to update.</source>
        <translation>--update demande au moins un document à mettre à jour.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is named more than once; it is updated once.</source>
        <translation>«&#xa0;%1&#xa0;» est nommé plusieurs fois&#xa0;; il est mis à jour une fois.</translation>
    </message>
    <message>
        <source>%1: keeps no record of what was laid on it, so it cannot be updated; left as it was.</source>
        <translation>%1&#xa0;: ne garde aucun enregistrement de ce qui y a été posé et ne peut donc pas être mis à jour&#xa0;; laissé tel quel.</translation>
    </message>
    <message>
        <source>1 space updated from &quot;%1&quot;</source>
        <translation>1 case mise à jour depuis «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>%1 spaces updated from &quot;%2&quot;</source>
        <translation>%1 cases mises à jour depuis «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>%1: uses none of these tilesets; left as it was.</source>
        <translation>%1&#xa0;: n’utilise aucun de ces jeux de tuiles&#xa0;; laissé tel quel.</translation>
    </message>
    <message>
        <source>%1: already up to date; left as it was.</source>
        <translation>%1&#xa0;: déjà à jour&#xa0;; laissé tel quel.</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (%2) matched no placement in these documents.</source>
        <translation>«&#xa0;%1&#xa0;» (%2) ne correspond à rien de posé dans ces documents.</translation>
    </message>
</context>
<context>
    <name>WhereUsed</name>
    <message>
        <source>Keeps no record of its subtiles</source>
        <translation>Ne garde pas trace de ses tuiles</translation>
    </message>
    <message>
        <source>Does not use it</source>
        <translation>Ne l’utilise pas</translation>
    </message>
    <message>
        <source>Used on 1 space</source>
        <translation>Utilisée sur 1 case</translation>
    </message>
    <message>
        <source>Used on %1 spaces</source>
        <translation>Utilisée sur %1 cases</translation>
    </message>
    <message>
        <source>keeps no record of its subtiles</source>
        <translation>ne garde pas trace de ses tuiles</translation>
    </message>
    <message>
        <source>does not use the subtile</source>
        <translation>n’utilise pas la tuile</translation>
    </message>
    <message>
        <source>uses the subtile on 1 space</source>
        <translation>utilise la tuile sur 1 case</translation>
    </message>
    <message>
        <source>uses the subtile on %1 spaces</source>
        <translation>utilise la tuile sur %1 cases</translation>
    </message>
    <message>
        <source>Column %1, row %2 of &quot;%3&quot;</source>
        <translation>Colonne %1, ligne %2 de « %3 »</translation>
    </message>
    <message>
        <source>used in no maptile</source>
        <translation>utilisée dans aucune dalle</translation>
    </message>
    <message>
        <source>used in 1 maptile, on 1 space</source>
        <translation>utilisée dans 1 dalle, sur 1 case</translation>
    </message>
    <message>
        <source>used in 1 maptile, on %1 spaces</source>
        <translation>utilisée dans 1 dalle, sur %1 cases</translation>
    </message>
    <message>
        <source>used in %1 maptiles, on %2 spaces</source>
        <translation>utilisée dans %1 dalles, sur %2 cases</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1 ; %2</translation>
    </message>
    <message>
        <source>1 keeps no record of its subtiles</source>
        <translation>1 ne garde pas trace de ses tuiles</translation>
    </message>
    <message>
        <source>%1 keep no record of their subtiles</source>
        <translation>%1 ne gardent pas trace de leurs tuiles</translation>
    </message>
</context>
<context>
    <name>WholeWriteDevice</name>
    <message>
        <source>not every byte could be written</source>
        <translation>tous les octets n’ont pas pu être écrits</translation>
    </message>
</context>
<context>
    <name>WorkingView</name>
    <message>
        <source>Maptile</source>
        <translation>Dalle</translation>
    </message>
    <message>
        <source>Speed value</source>
        <translation>Valeur de déplacement</translation>
    </message>
    <message>
        <source>The speed value printed on the space; Escape leaves it as it was</source>
        <translation>La valeur de déplacement imprimée sur la case&#xa0;; Échap la laisse inchangée</translation>
    </message>
    <message>
        <source>%1 spaces wide and %2 spaces tall</source>
        <translation>%1 cases de large sur %2 cases de haut</translation>
    </message>
    <message>
        <source>space %1, %2, blank</source>
        <translation>case %1, %2, vide</translation>
    </message>
    <message>
        <source>space %1, %2, blank, speed value %3</source>
        <translation>case %1, %2, vide, valeur de déplacement %3</translation>
    </message>
    <message>
        <source>space %1, %2, no speed value</source>
        <translation>case %1, %2, sans valeur de déplacement</translation>
    </message>
    <message>
        <source>space %1, %2, speed value %3</source>
        <translation>case %1, %2, valeur de déplacement %3</translation>
    </message>
</context>
<context>
    <name>Workspace</name>
    <message>
        <source>Cannot open the default tileset &quot;%1&quot;: it is not in the folder %2.</source>
        <translation>Impossible d’ouvrir le jeu de tuiles par défaut «&#xa0;%1&#xa0;»&#xa0;: il n’est pas dans le dossier %2.</translation>
    </message>
    <message>
        <source>Cannot open the default tileset &quot;%1&quot;: it is in neither the folder %2 nor %3.</source>
        <translation>Impossible d’ouvrir le jeu de tuiles par défaut «&#xa0;%1&#xa0;»&#xa0;: il n’est ni dans le dossier %2 ni dans %3.</translation>
    </message>
    <message>
        <source>Cannot open the default tileset &quot;%1&quot;: it is in none of the folders %2.</source>
        <translation>Impossible d’ouvrir le jeu de tuiles par défaut «&#xa0;%1&#xa0;»&#xa0;: il n’est dans aucun des dossiers %2.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
</context>
<context>
    <name>ZipEntryStream</name>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>«&#xa0;%1&#xa0;» est manquant</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large</source>
        <translation>«&#xa0;%1&#xa0;» est trop gros</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is packed larger than it is</source>
        <translation>«&#xa0;%1&#xa0;» est plus gros compressé que décompressé</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read (%2)</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être lu (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged (%2)</source>
        <translation>«&#xa0;%1&#xa0;» est endommagé (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not as long as the archive says</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas la longueur qu’annonce l’archive</translation>
    </message>
</context>
<context>
    <name>ZipReader</name>
    <message>
        <source>It holds more than %L1 entries</source>
        <translation>il contient plus de %L1 entrées</translation>
    </message>
    <message>
        <source>Its entries carry more names and extra fields than a document needs</source>
        <translation>ses entrées portent plus de noms et de champs supplémentaires qu’il n’en faut à un document</translation>
    </message>
</context>
</TS>
