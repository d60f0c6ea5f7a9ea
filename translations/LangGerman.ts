<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ExifStatisticsDialog</name>
    <message>
        <source>%1 items</source>
        <translation>%1 Stück</translation>
    </message>
    <message>
        <source>Folder: %1</source>
        <translation>Ordner: %1</translation>
    </message>
    <message>
        <source>Files: %1, files with EXIF: %2</source>
        <translation>Dateien: %1, Dateien mit EXIF: %2</translation>
    </message>
    <message>
        <source>Used cameras:</source>
        <translation>Verwendete Kameras:</translation>
    </message>
    <message>
        <source>Used exposures:</source>
        <translation>Verwendete Belichtungszeiten:</translation>
    </message>
    <message>
        <source>Used apertures:</source>
        <translation>Verwendete Blenden:</translation>
    </message>
    <message>
        <source>Focal lengths:</source>
        <translation>Brennweiten:</translation>
    </message>
    <message>
        <source>ISO:</source>
        <translation>ISO:</translation>
    </message>
</context>
<context>
    <name>ExifTurn</name>
    <message>
        <source>The file's JPEG markers are damaged.</source>
        <translation>Die JPEG-Marker der Datei sind beschädigt.</translation>
    </message>
    <message>
        <source>The file's EXIF data is damaged.</source>
        <translation>Die EXIF-Daten der Datei sind beschädigt.</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Bilinear (most quick)</source>
        <translation>Bilinear (am schnellsten)</translation>
    </message>
    <message>
        <source>Bilinear, high quality</source>
        <translation>Bilinear, hohe Qualität</translation>
    </message>
    <message>
        <source>Bicubic, high quality</source>
        <translation>Bikubisch, hohe Qualität</translation>
    </message>
    <message>
        <source>English (default)</source>
        <translation>Englisch (Standard)</translation>
    </message>
</context>
<context>
    <name>VersionDialog</name>
    <message>
        <source>Version control</source>
        <translation>Versionsverwaltung</translation>
    </message>
    <message>
        <source>No versions</source>
        <translation>Keine Versionen</translation>
    </message>
    <message>
        <source>v%1, modified: %2, %3.</source>
        <translation>v%1, geändert: %2, %3.</translation>
    </message>
    <message>
        <source>File %1 was copyed to repository</source>
        <translation>Datei %1 wurde in das Archiv kopiert</translation>
    </message>
    <message>
        <source>No versions selected</source>
        <translation>Keine Version ausgewählt</translation>
    </message>
    <message>
        <source>Delete this version from repository?</source>
        <translation>Diese Version aus dem Archiv löschen?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Choose folder to save %1</source>
        <translation>Ordner zum Speichern von %1 wählen</translation>
    </message>
    <message>
        <source>%1 Files (*%2)</source>
        <translation>%1-Dateien (*%2)</translation>
    </message>
    <message>
        <source>File was saved</source>
        <translation>Datei wurde gespeichert</translation>
    </message>
    <message>
        <source>File was restored</source>
        <translation>Datei wurde wiederhergestellt</translation>
    </message>
</context>
<context>
    <name>CaptionText</name>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>Date/time</source>
        <translation>Datum/Uhrzeit</translation>
    </message>
    <message>
        <source>ISO</source>
        <translation>ISO</translation>
    </message>
    <message>
        <source>Focal length</source>
        <translation>Brennweite</translation>
    </message>
    <message>
        <source>Aperture</source>
        <translation>Blende</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Belichtung</translation>
    </message>
    <message>
        <source>This file does not contain EXIF data</source>
        <translation>Diese Datei enthält keine EXIF-Daten</translation>
    </message>
</context>
<context>
    <name>CopyProgress</name>
    <message>
        <source>Copying...</source>
        <translation>Kopieren...</translation>
    </message>
    <message>
        <source>Copying %1 of %2:
%3</source>
        <translation>Kopiere %1 von %2:
%3</translation>
    </message>
</context>
<context>
    <name>CustomSizeCheck</name>
    <message>
        <source>Width and height must be more than 10 pixels</source>
        <translation>Breite und Höhe müssen größer als 10 Pixel sein</translation>
    </message>
    <message>
        <source>Width and height must not be more than 16384 pixels</source>
        <translation>Breite und Höhe dürfen nicht größer als 16384 Pixel sein</translation>
    </message>
    <message>
        <source>Width and height must be more than 1 cm</source>
        <translation>Breite und Höhe müssen größer als 1 cm sein</translation>
    </message>
    <message>
        <source>Width and height must not be more than 1000 cm</source>
        <translation>Breite und Höhe dürfen nicht größer als 1000 cm sein</translation>
    </message>
    <message>
        <source>Width and height must be more than 0,2 inches</source>
        <translation>Breite und Höhe müssen größer als 0,2 Zoll sein</translation>
    </message>
    <message>
        <source>Width and height must not be more than 400 inches</source>
        <translation>Breite und Höhe dürfen nicht größer als 400 Zoll sein</translation>
    </message>
</context>
<context>
    <name>DescriptionEdit</name>
    <message>
        <source>Description of "%s%s":</source>
        <translation>Beschreibung von "%s%s":</translation>
    </message>
</context>
<context>
    <name>DescriptionStore</name>
    <message>
        <source>The description file "%1" could not be read.</source>
        <translation>Die Beschreibungsdatei "%1" konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>A description cannot be stored for the file name "%1".</source>
        <translation>Für den Dateinamen "%1" kann keine Beschreibung gespeichert werden.</translation>
    </message>
    <message>
        <source>The description contains characters that the description file cannot hold.</source>
        <translation>Die Beschreibung enthält Zeichen, die die Beschreibungsdatei nicht aufnehmen kann.</translation>
    </message>
    <message>
        <source>The description file "%1" could not be read, so it is not replaced.</source>
        <translation>Die Beschreibungsdatei "%1" konnte nicht gelesen werden und wird deshalb nicht ersetzt.</translation>
    </message>
    <message>
        <source>The link "%1" could not be resolved.</source>
        <translation>Die Verknüpfung "%1" konnte nicht aufgelöst werden.</translation>
    </message>
    <message>
        <source>A description moves only with a file renamed within its folder.</source>
        <translation>Eine Beschreibung wandert nur mit einer Datei, die im selben Ordner umbenannt wird.</translation>
    </message>
    <message>
        <source>larger than %1 MB</source>
        <translation>größer als %1 MB</translation>
    </message>
    <message>
        <source>more than %1 lines</source>
        <translation>mehr als %1 Zeilen</translation>
    </message>
    <message>
        <source>The description file "%1" could not be read: %2</source>
        <translation>Die Beschreibungsdatei "%1" konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The description file "%1" could not be read (%2), so it is not replaced.</source>
        <translation>Die Beschreibungsdatei "%1" konnte nicht gelesen werden (%2) und wird deshalb nicht ersetzt.</translation>
    </message>
</context>
<context>
    <name>Exif</name>
    <message>
        <source>%.1f mm</source>
        <translation>%.1f mm</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Camera: %s</source>
        <translation>Kamera: %s</translation>
    </message>
    <message>
        <source>Exposure: %s sec</source>
        <translation>Belichtung: %s s</translation>
    </message>
    <message>
        <source>ISO: Auto</source>
        <translation>ISO: Auto</translation>
    </message>
    <message>
        <source>ISO: %d</source>
        <translation>ISO: %d</translation>
    </message>
    <message>
        <source>Date: %s</source>
        <translation>Datum: %s</translation>
    </message>
</context>
<context>
    <name>ExifEditRules</name>
    <message>
        <source>ISO field must be digital only</source>
        <translation>Das ISO-Feld darf nur Ziffern enthalten</translation>
    </message>
    <message>
        <source>ISO value cannot be greater than 65535</source>
        <translation>Der ISO-Wert darf nicht größer als 65535 sein</translation>
    </message>
</context>
<context>
    <name>exportImagesInfo</name>
    <message>
        <source>;You can use this file for different statistics, for example, to show graphs in Excel
N	File_Name	Camera	Exposure	Aperture	ISO	Focal length
</source>
        <translation>;Diese Datei eignet sich für Auswertungen, zum Beispiel für Diagramme in Excel
N	Dateiname	Kamera	Belichtung	Blende	ISO	Brennweite
</translation>
    </message>
    <message>
        <source>Choose file for save</source>
        <translation>Datei zum Speichern wählen</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>FavouriteCommands</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The folder "%1" cannot be kept in Favourites.</source>
        <translation>Der Ordner "%1" kann nicht in den Favoriten gespeichert werden.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Folder "%1" added to Favourites</source>
        <translation>Ordner "%1" wurde zu den Favoriten hinzugefügt</translation>
    </message>
    <message>
        <source>Do you really want to delete all folders from Favourites?</source>
        <translation>Wollen Sie wirklich alle Ordner aus den Favoriten löschen?</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Do you really want to delete file "%1"?</source>
        <translation>Wollen Sie die Datei "%1" wirklich löschen?</translation>
    </message>
    <message>
        <source>Do you really want to delete %1 selected files?</source>
        <translation>Wollen Sie die %1 ausgewählten Dateien wirklich löschen?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Cannot delete file</source>
        <translation>Datei kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Cannot rename file</source>
        <translation>Datei kann nicht umbenannt werden</translation>
    </message>
    <message>
        <source>Choose folder to place the file "%1"</source>
        <translation>Ordner für die Datei "%1" wählen</translation>
    </message>
    <message>
        <source>Choose folder to place %1 selected files</source>
        <translation>Ordner für %1 ausgewählte Dateien wählen</translation>
    </message>
    <message>
        <source>Copy file %1 to %2?</source>
        <translation>Datei %1 nach %2 kopieren?</translation>
    </message>
    <message>
        <source>Copy %1 selected files to folder %2?</source>
        <translation>%1 ausgewählte Dateien in den Ordner %2 kopieren?</translation>
    </message>
    <message>
        <source>Cannot copy file(s) to itself</source>
        <translation>Datei(en) können nicht auf sich selbst kopiert werden</translation>
    </message>
    <message>
        <source>Cannot copy file</source>
        <translation>Datei kann nicht kopiert werden</translation>
    </message>
    <message>
        <source>File was copied successfully</source>
        <translation>Datei wurde erfolgreich kopiert</translation>
    </message>
    <message>
        <source>Create link to file %1 in the folder %2?</source>
        <translation>Verknüpfung zur Datei %1 im Ordner %2 anlegen?</translation>
    </message>
    <message>
        <source>Link successfully created</source>
        <translation>Verknüpfung wurde erfolgreich angelegt</translation>
    </message>
    <message>
        <source>Copy %1 file(s) to folder "%2"?</source>
        <translation>%1 Datei(en) in den Ordner "%2" kopieren?</translation>
    </message>
    <message>
        <source>Shift+Del deletes for good, past the trash: this cannot be undone.</source>
        <translation>Umschalt+Entf löscht endgültig, am Papierkorb vorbei: das lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>Restored from the trash: %1</source>
        <translation>Aus dem Papierkorb zurückgeholt: %1</translation>
    </message>
    <message>
        <source>Undo delete: %1</source>
        <translation>Löschen rückgängig: %1</translation>
    </message>
</context>
<context>
    <name>FileCopier</name>
    <message>
        <source>The folder "%1" does not exist.</source>
        <translation>Der Ordner "%1" existiert nicht.</translation>
    </message>
    <message>
        <source>The file "%1" could not be written.</source>
        <translation>Die Datei "%1" konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>FileMenuItems</name>
    <message>
        <source>Folders list is empty</source>
        <translation>Die Ordnerliste ist leer</translation>
    </message>
    <message>
        <source>Edit file description...</source>
        <translation>Dateibeschreibung bearbeiten...</translation>
    </message>
    <message>
        <source>Copy file to folder...</source>
        <translation>Datei in Ordner kopieren...</translation>
    </message>
    <message>
        <source>Copy file "%1" to folder %2	(&amp;%3)</source>
        <translation>Datei "%1" in Ordner %2 kopieren	(&amp;%3)</translation>
    </message>
    <message>
        <source>Copy file "%1" to folder %2</source>
        <translation>Datei "%1" in Ordner %2 kopieren</translation>
    </message>
    <message>
        <source>Create link in folder...</source>
        <translation>Verknüpfung in Ordner anlegen...</translation>
    </message>
    <message>
        <source>Create link to file "%1" in folder %2	(&amp;%3)</source>
        <translation>Verknüpfung zur Datei "%1" im Ordner %2 anlegen	(&amp;%3)</translation>
    </message>
    <message>
        <source>Create link to file "%1" in folder %2</source>
        <translation>Verknüpfung zur Datei "%1" im Ordner %2 anlegen</translation>
    </message>
    <message>
        <source>Copy %1 selected files to folder...</source>
        <translation>%1 ausgewählte Dateien in Ordner kopieren...</translation>
    </message>
    <message>
        <source>Copy %1 selected files to folder %2	(&amp;%3)</source>
        <translation>%1 ausgewählte Dateien in Ordner %2 kopieren	(&amp;%3)</translation>
    </message>
    <message>
        <source>Copy %1 selected files to folder %2</source>
        <translation>%1 ausgewählte Dateien in Ordner %2 kopieren</translation>
    </message>
    <message>
        <source>Setup folders list...</source>
        <translation>Ordnerliste einrichten...</translation>
    </message>
    <message>
        <source>Add editor...</source>
        <translation>Editor hinzufügen...</translation>
    </message>
    <message>
        <source>Editors list is empty</source>
        <translation>Die Editorliste ist leer</translation>
    </message>
    <message>
        <source>Edit "%1" with "%2" 	(&amp;%3)</source>
        <translation>"%1" mit "%2" bearbeiten 	(&amp;%3)</translation>
    </message>
    <message>
        <source>Edit "%1" with "%2"</source>
        <translation>"%1" mit "%2" bearbeiten</translation>
    </message>
    <message>
        <source>Edit %1 selected files with "%2" 	(&amp;%3)</source>
        <translation>%1 ausgewählte Dateien mit "%2" bearbeiten 	(&amp;%3)</translation>
    </message>
    <message>
        <source>Edit %1 selected files with "%2"</source>
        <translation>%1 ausgewählte Dateien mit "%2" bearbeiten</translation>
    </message>
    <message>
        <source>Setup editors list...</source>
        <translation>Editorliste einrichten...</translation>
    </message>
    <message>
        <source>Show all</source>
        <translation>Alle zeigen</translation>
    </message>
</context>
<context>
    <name>FileOperations</name>
    <message>
        <source>There is no trash folder for "%1".</source>
        <translation>Für "%1" gibt es keinen Papierkorb.</translation>
    </message>
    <message>
        <source>"%1" could not be moved to the trash: %2</source>
        <translation>"%1" konnte nicht in den Papierkorb verschoben werden: %2</translation>
    </message>
    <message>
        <source>"%1" could not be moved to the trash.</source>
        <translation>"%1" konnte nicht in den Papierkorb verschoben werden.</translation>
    </message>
    <message>
        <source>The file "%1" does not exist.</source>
        <translation>Die Datei "%1" existiert nicht.</translation>
    </message>
    <message>
        <source>"%1" could not be deleted: %2</source>
        <translation>"%1" konnte nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>"%1" is not a valid file name.</source>
        <translation>"%1" ist kein gültiger Dateiname.</translation>
    </message>
    <message>
        <source>"%1" could not be renamed to "%2": %3</source>
        <translation>"%1" konnte nicht in "%2" umbenannt werden: %3</translation>
    </message>
    <message>
        <source>The folder "%1" does not exist.</source>
        <translation>Der Ordner "%1" existiert nicht.</translation>
    </message>
    <message>
        <source>The link "%1" could not be written.</source>
        <translation>Die Verknüpfung "%1" konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>FileResolution</name>
    <message>
        <source>Cannot open file</source>
        <translation>Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>This format is not supported yet.</source>
        <translation>Dieses Format wird noch nicht unterstützt.</translation>
    </message>
    <message>
        <source>The resolution could not be stored in this file.</source>
        <translation>Die Auflösung konnte in dieser Datei nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>FinalStepModel</name>
    <message>
        <source>File(s): %d/%d</source>
        <translation>Datei(en): %d/%d</translation>
    </message>
</context>
<context>
    <name>FormatCatalogue</name>
    <message>
        <source>Other, pixels...</source>
        <translation>Andere, Pixel...</translation>
    </message>
    <message>
        <source>Other...</source>
        <translation>Andere...</translation>
    </message>
    <message>
        <source>Other, cm...</source>
        <translation>Andere, cm...</translation>
    </message>
    <message>
        <source>Other, inch...</source>
        <translation>Andere, Zoll...</translation>
    </message>
</context>
<context>
    <name>ImageEditSession</name>
    <message>
        <source>The image was modified, do you want to save it?</source>
        <translation>Das Bild wurde geändert. Wollen Sie es speichern?</translation>
    </message>
    <message>
        <source>This format is not supported yet.</source>
        <translation>Dieses Format wird noch nicht unterstützt.</translation>
    </message>
</context>
<context>
    <name>ImageTransform</name>
    <message>
        <source>One of the image dimensions is not divisible by 16, rotation without loss is impossible.
Do you want to rotate anyway?</source>
        <translation>Eine der Bildabmessungen ist nicht durch 16 teilbar, verlustfreies Drehen ist nicht möglich.
Wollen Sie trotzdem drehen?</translation>
    </message>
    <message>
        <source>You can save the image in TIFF format, but EXIF data will not be saved.
48-bit images are also not supported yet.
Do you want to continue anyway?</source>
        <translation>Sie können das Bild im TIFF-Format speichern, aber die EXIF-Daten werden nicht gespeichert.
48-Bit-Bilder werden ebenfalls noch nicht unterstützt.
Wollen Sie trotzdem fortfahren?</translation>
    </message>
    <message>
        <source>Do you want to replace the original file?</source>
        <translation>Wollen Sie die Originaldatei ersetzen?</translation>
    </message>
    <message>
        <source>Cannot open file</source>
        <translation>Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>This format is not supported yet.</source>
        <translation>Dieses Format wird noch nicht unterstützt.</translation>
    </message>
    <message>
        <source>Cannot rotate image</source>
        <translation>Bild kann nicht gedreht werden</translation>
    </message>
    <message>
        <source>The file holds far more data than its picture can.</source>
        <translation>Die Datei enthält weit mehr Daten, als ihr Bild fassen kann.</translation>
    </message>
</context>
<context>
    <name>IndexPrintJob</name>
    <message>
        <source>The page could not be composed.</source>
        <translation>Die Seite konnte nicht zusammengestellt werden.</translation>
    </message>
</context>
<context>
    <name>LengthUnit</name>
    <message>
        <source>Pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Cm</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>Mm</source>
        <translation>mm</translation>
    </message>
</context>
<context>
    <name>PrintFileWriter</name>
    <message>
        <source>The picture could not be composed.</source>
        <translation>Das Bild konnte nicht zusammengestellt werden.</translation>
    </message>
</context>
<context>
    <name>PrintParameters</name>
    <message>
        <source>Image size:<byte value="xd" />
  %dx%d pixels</source>
        <translation>Bildgröße:<byte value="xd" />
  %dx%d Pixel</translation>
    </message>
    <message>
        <source>Image size:<byte value="xd" />
  %.1fx%.1f cm<byte value="xd" />
  %dx%d pixels</source>
        <translation>Bildgröße:<byte value="xd" />
  %.1fx%.1f cm<byte value="xd" />
  %dx%d Pixel</translation>
    </message>
    <message>
        <source>Image size:<byte value="xd" />
  %.1fx%.1f inch<byte value="xd" />
  %dx%d pixels</source>
        <translation>Bildgröße:<byte value="xd" />
  %.1fx%.1f Zoll<byte value="xd" />
  %dx%d Pixel</translation>
    </message>
    <message>
        <source>Enter new size in pixels</source>
        <translation>Neue Größe in Pixeln eingeben</translation>
    </message>
    <message>
        <source>Enter new size in cm</source>
        <translation>Neue Größe in cm eingeben</translation>
    </message>
    <message>
        <source>Enter new size in inches</source>
        <translation>Neue Größe in Zoll eingeben</translation>
    </message>
    <message>
        <source>"%1" would be %2 x %3 pixels, more than the largest picture the program makes (%4 pixels a side, %5 megapixels).</source>
        <translation>„%1“ wäre %2 x %3 Pixel groß, größer als das größte Bild, das das Programm erzeugt (%4 Pixel je Seite, %5 Megapixel).</translation>
    </message>
    <message>
        <source>%1 dpi is more than the highest resolution the program writes (%2 dpi).</source>
        <translation>%1 dpi sind mehr als die höchste Auflösung, die das Programm schreibt (%2 dpi).</translation>
    </message>
    <message>
        <source>The largest size of its proportions that fits is %1 x %2 pixels.</source>
        <translation>Die größte passende Größe in diesen Proportionen ist %1 x %2 Pixel.</translation>
    </message>
    <message>
        <source>At %1 dpi it is %2 x %3 pixels, the largest that fits.</source>
        <translation>Bei %1 dpi sind es %2 x %3 Pixel, die größte passende Größe.</translation>
    </message>
    <message>
        <source>Make it that size?</source>
        <translation>In dieser Größe erstellen?</translation>
    </message>
    <message>
        <source>Use %1 dpi?</source>
        <translation>%1 dpi verwenden?</translation>
    </message>
    <message>
        <source>too large: %1 dpi at most</source>
        <translation>zu groß: höchstens %1 dpi</translation>
    </message>
    <message>
        <source>too large</source>
        <translation>zu groß</translation>
    </message>
</context>
<context>
    <name>SafeWrite</name>
    <message>
        <source>The file "%1" could not be written: %2</source>
        <translation>Die Datei "%1" konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The file "%1" could not be read: %2</source>
        <translation>Die Datei "%1" konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The file "%1" already exists.</source>
        <translation>Die Datei "%1" existiert bereits.</translation>
    </message>
</context>
<context>
    <name>SaveRules</name>
    <message>
        <source>File is busy with other process, the image was saved as &lt;%1&gt;</source>
        <translation>Die Datei wird von einem anderen Prozess benutzt, das Bild wurde als &lt;%1&gt; gespeichert</translation>
    </message>
    <message>
        <source>This format is not supported yet.</source>
        <translation>Dieses Format wird noch nicht unterstützt.</translation>
    </message>
    <message>
        <source>Cannot save the image: %1</source>
        <translation>Das Bild kann nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The image file is damaged: only part of the picture could be decoded.
It is not written, so that it is never taken for the whole picture.</source>
        <translation>Die Bilddatei ist beschädigt: nur ein Teil des Bildes konnte gelesen werden.
Es wird nicht geschrieben, damit es nie für das ganze Bild gehalten wird.</translation>
    </message>
</context>
<context>
    <name>ToneCurvePresets</name>
    <message>
        <source>Click here to select...</source>
        <translation>Hier klicken zum Auswählen...</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Little dark</source>
        <translation>Etwas dunkler</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkler</translation>
    </message>
    <message>
        <source>Dark more</source>
        <translation>Viel dunkler</translation>
    </message>
    <message>
        <source>Little bright</source>
        <translation>Etwas heller</translation>
    </message>
    <message>
        <source>Bright</source>
        <translation>Heller</translation>
    </message>
    <message>
        <source>Bright more</source>
        <translation>Viel heller</translation>
    </message>
    <message>
        <source>High contrast</source>
        <translation>Hoher Kontrast</translation>
    </message>
    <message>
        <source>Low contrast</source>
        <translation>Niedriger Kontrast</translation>
    </message>
    <message>
        <source>Lighten shadows</source>
        <translation>Schatten aufhellen</translation>
    </message>
    <message>
        <source>Darken highlights</source>
        <translation>Lichter abdunkeln</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Invertieren</translation>
    </message>
</context>
<context>
    <name>VersionStore</name>
    <message>
        <source>The version index "%1" could not be read.</source>
        <translation>Der Versionsindex "%1" konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The version index "%1" could not be read, so it is not replaced.</source>
        <translation>Der Versionsindex "%1" konnte nicht gelesen werden und wird deshalb nicht ersetzt.</translation>
    </message>
    <message>
        <source>The file "%1" does not exist.</source>
        <translation>Die Datei "%1" existiert nicht.</translation>
    </message>
    <message>
        <source>The path "%1" is too long for the version repository: at most %2 characters are possible.</source>
        <translation>Der Pfad "%1" ist zu lang für das Versionsarchiv: höchstens %2 Zeichen sind möglich.</translation>
    </message>
    <message>
        <source>The extension of "%1" is too long for the version repository: at most %2 characters are possible.</source>
        <translation>Die Dateiendung von "%1" ist zu lang für das Versionsarchiv: höchstens %2 Zeichen sind möglich.</translation>
    </message>
    <message>
        <source>The version repository "%1" could not be created.</source>
        <translation>Das Versionsarchiv "%1" konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>No free name was found in the version repository.</source>
        <translation>Im Versionsarchiv wurde kein freier Name gefunden.</translation>
    </message>
    <message>
        <source>No further version can be numbered.</source>
        <translation>Es kann keine weitere Version nummeriert werden.</translation>
    </message>
    <message>
        <source>Version %1 of "%2" does not exist.</source>
        <translation>Version %1 von "%2" existiert nicht.</translation>
    </message>
    <message>
        <source>The file "%1" could not be deleted: %2</source>
        <translation>Die Datei "%1" konnte nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>larger than %1 MB</source>
        <translation>größer als %1 MB</translation>
    </message>
    <message>
        <source>The version index "%1" could not be read: %2</source>
        <translation>Der Versionsindex "%1" konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>its lock file could not be made</source>
        <translation>seine Sperrdatei konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>The version repository "%1" is in use by another program; try again in a moment.</source>
        <translation>Das Versionsarchiv "%1" wird von einem anderen Programm benutzt; bitte gleich noch einmal versuchen.</translation>
    </message>
    <message>
        <source>The version repository "%1" cannot be changed: %2</source>
        <translation>Das Versionsarchiv "%1" kann nicht geändert werden: %2</translation>
    </message>
    <message>
        <source>"%1" is not a regular file.</source>
        <translation>"%1" ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The version repository "%1" could not be created: %2</source>
        <translation>Das Versionsarchiv "%1" konnte nicht angelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>WallpaperBackend</name>
    <message>
        <source>The file "%1" does not exist.</source>
        <translation>Die Datei "%1" existiert nicht.</translation>
    </message>
    <message>
        <source>No way to set the wallpaper on this desktop was found (it needs gsettings, Plasma, xfconf-query, xwallpaper or feh).</source>
        <translation>Auf diesem Desktop wurde kein Weg gefunden, das Hintergrundbild zu setzen (nötig ist gsettings, Plasma, xfconf-query, xwallpaper oder feh).</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>Rückgabewert %1</translation>
    </message>
    <message>
        <source>not started</source>
        <translation>nicht gestartet</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 fehlgeschlagen: %2</translation>
    </message>
</context>
<context>
    <name>WizardFormatList</name>
    <message>
        <source>Wallpaper</source>
        <translation>Hintergrundbild</translation>
    </message>
</context>
<context>
    <name>quorvel::AboutDialog</name>
    <message>
        <source>About Quorvel</source>
        <translation>Über Quorvel</translation>
    </message>
    <message>
        <source>Quorvel %1

A browser and viewer for folders of digital photographs, with EXIF columns, filters and statistics, descriptions, file management, lossless rotation, crop, red-eye removal and tone curves, preparation for print, web and mobile devices, index prints and a version repository.

Built with Qt %2.</source>
        <translation>Quorvel %1

Ein Browser und Betrachter für Ordner mit Digitalfotos, mit EXIF-Spalten, Filtern und Statistik, Beschreibungen, Dateiverwaltung, verlustfreiem Drehen, Zuschneiden, Rote-Augen-Korrektur und Tonwertkurven, Vorbereitung für Druck, Web und Mobilgeräte, Indexabzügen und einem Versionsarchiv.

Erstellt mit Qt %2.</translation>
    </message>
</context>
<context>
    <name>quorvel::CurvesDialog</name>
    <message>
        <source>Image adjustment</source>
        <translation>Bildkorrektur</translation>
    </message>
    <message>
        <source>In this dialog you can correct the image, make it more dark or bright, highlight the shadows, etc. Click &lt;Presets&gt; to select one.</source>
        <translation>In diesem Dialog können Sie das Bild korrigieren, es dunkler oder heller machen, die Schatten aufhellen usw. Wählen Sie eine Vorgabe unter &lt;Vorgaben&gt;.</translation>
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
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Presets:</source>
        <translation>Vorgaben:</translation>
    </message>
</context>
<context>
    <name>quorvel::DescriptionDialog</name>
    <message>
        <source>Edit description</source>
        <translation>Beschreibung bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>quorvel::ExifEditDialog</name>
    <message>
        <source>Note: this operation may be dangerous! File will be open for writing, and the author cannot guarantee that changing EXIF data will be compatible with all camera models and on all operation systems. If you are not sure, you may cancel this operation. You also may create a backup copy of the file before this operation.</source>
        <translation>Hinweis: dieser Vorgang kann gefährlich sein! Die Datei wird zum Schreiben geöffnet, und der Autor kann nicht garantieren, dass das Ändern der EXIF-Daten mit allen Kameramodellen und auf allen Betriebssystemen verträglich ist. Wenn Sie unsicher sind, brechen Sie den Vorgang ab. Sie können vor dem Vorgang auch eine Sicherungskopie der Datei anlegen.</translation>
    </message>
    <message>
        <source>Edit EXIF data</source>
        <translation>EXIF-Daten bearbeiten</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>Kamera:</translation>
    </message>
    <message>
        <source>ISO:</source>
        <translation>ISO:</translation>
    </message>
    <message>
        <source>Focal length:</source>
        <translation>Brennweite:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Aperture:</source>
        <translation>Blende:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>(stored in descript.ion file)</source>
        <translation>(in der Datei descript.ion gespeichert)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>quorvel::ExifStatisticsDialog</name>
    <message>
        <source>EXIF statistics</source>
        <translation>EXIF-Statistik</translation>
    </message>
    <message>
        <source>Gathering statistics, please wait...</source>
        <translation>Statistik wird erstellt, bitte warten...</translation>
    </message>
</context>
<context>
    <name>quorvel::HistogramWindow</name>
    <message>
        <source>Histogram</source>
        <translation>Histogramm</translation>
    </message>
</context>
<context>
    <name>quorvel::ImageEditWindow</name>
    <message>
        <source>Quorvel - image edit</source>
        <translation>Quorvel - Bild bearbeiten</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Zuschn.</translation>
    </message>
    <message>
        <source>Crop image</source>
        <translation>Bild zuschneiden</translation>
    </message>
    <message>
        <source>Eye</source>
        <translation>Auge</translation>
    </message>
    <message>
        <source>Crvs</source>
        <translation>Kurven</translation>
    </message>
    <message>
        <source>Adjust brightness, contrast, etc</source>
        <translation>Helligkeit, Kontrast usw. anpassen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Fit image to window</source>
        <translation>Bild in das Fenster einpassen</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Switch to drag picture mode</source>
        <translation>In den Modus zum Verschieben des Bildes wechseln</translation>
    </message>
    <message>
        <source>&amp;Save and close</source>
        <translation>&amp;Speichern und schließen</translation>
    </message>
    <message>
        <source>File name for saving:</source>
        <translation>Dateiname zum Speichern:</translation>
    </message>
</context>
<context>
    <name>quorvel::IndexPrintDialog</name>
    <message>
        <source>Quorvel - index-print create wizard</source>
        <translation>Quorvel - Indexprint erstellen</translation>
    </message>
    <message>
        <source>Create index-print files</source>
        <translation>Indexprint-Dateien erstellen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Magrin:</source>
        <translation>Abstand:</translation>
    </message>
    <message>
        <source>Width, sm:</source>
        <translation>Breite, cm:</translation>
    </message>
    <message>
        <source>Height, sm:</source>
        <translation>Höhe, cm:</translation>
    </message>
    <message>
        <source>Min. place-X, sm:</source>
        <translation>Min. Abstand X, cm:</translation>
    </message>
    <message>
        <source>Min. place-Y, sm:</source>
        <translation>Min. Abstand Y, cm:</translation>
    </message>
    <message>
        <source>Show file names</source>
        <translation>Dateinamen anzeigen</translation>
    </message>
    <message>
        <source>Image names size, sm:</source>
        <translation>Größe der Bildnamen, cm:</translation>
    </message>
    <message>
        <source>Auto refresh images (slowly)</source>
        <translation>Bilder automatisch aktualisieren (langsam)</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>List:</source>
        <translation>Liste:</translation>
    </message>
    <message>
        <source>Max quantity on list:</source>
        <translation>Höchstzahl pro Liste:</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Add file to list</source>
        <translation>Datei zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Remove file from list</source>
        <translation>Datei aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Вверх</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move file up</source>
        <translation>Datei nach oben</translation>
    </message>
    <message>
        <source>Вниз</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Move file down</source>
        <translation>Datei nach unten</translation>
    </message>
    <message>
        <source>Изображения (jpg, tiff, bmp) (*.jpg *.tif *.tiff *.bmp *.JPG *.TIF *.TIFF *.BMP)</source>
        <translation>Bilder (jpg, tiff, bmp) (*.jpg *.tif *.tiff *.bmp *.JPG *.TIF *.TIFF *.BMP)</translation>
    </message>
    <message>
        <source>Choose file for save</source>
        <translation>Datei zum Speichern wählen</translation>
    </message>
    <message>
        <source>JPEG (*.jpg)</source>
        <translation>JPEG (*.jpg)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Print area contains more than one list.
Do you want to prepare all lists (choose &lt;Yes&gt;) or only current one (choose &lt;No&gt;)?</source>
        <translation>Der Druckbereich umfasst mehr als eine Liste.
Wollen Sie alle Listen erstellen (&lt;Ja&gt;) oder nur die aktuelle (&lt;Nein&gt;)?</translation>
    </message>
    <message>
        <source>Making list %1 of %2...</source>
        <translation>Liste %1 von %2 wird erstellt...</translation>
    </message>
    <message>
        <source>Cannot create image</source>
        <translation>Bild kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Image created successfull</source>
        <translation>Bild erfolgreich erstellt</translation>
    </message>
</context>
<context>
    <name>quorvel::JpegQualityDialog</name>
    <message>
        <source>Set JPEG compression level</source>
        <translation>JPEG-Kompressionsstufe einstellen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>min size</source>
        <translation>minimale Größe</translation>
    </message>
    <message>
        <source>max size</source>
        <translation>maximale Größe</translation>
    </message>
    <message>
        <source>Quality: %1</source>
        <translation>Qualität: %1</translation>
    </message>
</context>
<context>
    <name>quorvel::KeyHelpDialog</name>
    <message>
        <source>Help: available keys and features list</source>
        <translation>Hilfe: verfügbare Tasten und Funktionen</translation>
    </message>
    <message>
        <source>Color management</source>
        <translation>Farbverwaltung</translation>
    </message>
    <message>
        <source>Original image:</source>
        <translation>Originalbild:</translation>
    </message>
    <message>
        <source>Show R-channel:</source>
        <translation>R-Kanal zeigen:</translation>
    </message>
    <message>
        <source>Show G-channel:</source>
        <translation>G-Kanal zeigen:</translation>
    </message>
    <message>
        <source>Show B-channel:</source>
        <translation>B-Kanal zeigen:</translation>
    </message>
    <message>
        <source>Show/hide overlighted areas:</source>
        <translation>Überbelichtete Bereiche zeigen/verbergen:</translation>
    </message>
    <message>
        <source>Show histogram:</source>
        <translation>Histogramm zeigen:</translation>
    </message>
    <message>
        <source>File management</source>
        <translation>Dateiverwaltung</translation>
    </message>
    <message>
        <source>Copy file to folder:</source>
        <translation>Datei in Ordner kopieren:</translation>
    </message>
    <message>
        <source>Create link to file:</source>
        <translation>Verknüpfung zur Datei anlegen:</translation>
    </message>
    <message>
        <source>Refresh:</source>
        <translation>Aktualisieren:</translation>
    </message>
    <message>
        <source>Delete file:</source>
        <translation>Datei löschen:</translation>
    </message>
    <message>
        <source>Rename file:</source>
        <translation>Datei umbenennen:</translation>
    </message>
    <message>
        <source>Image rotate:</source>
        <translation>Bild drehen:</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Go to next image:</source>
        <translation>Nächstes Bild:</translation>
    </message>
    <message>
        <source>Go to previous image:</source>
        <translation>Vorheriges Bild:</translation>
    </message>
    <message>
        <source>Zoom (+/-):</source>
        <translation>Zoom (+/-):</translation>
    </message>
    <message>
        <source>Zoom 100%:</source>
        <translation>Zoom 100%:</translation>
    </message>
    <message>
        <source>Fit width:</source>
        <translation>Breite einpassen:</translation>
    </message>
    <message>
        <source>Show context menu:</source>
        <translation>Kontextmenü zeigen:</translation>
    </message>
    <message>
        <source>This help window:</source>
        <translation>Dieses Hilfefenster:</translation>
    </message>
    <message>
        <source>More keys</source>
        <translation>Weitere Tasten</translation>
    </message>
    <message>
        <source>Next/previous image in the view:</source>
        <translation>Nächstes/vorheriges Bild in der Ansicht:</translation>
    </message>
    <message>
        <source>First/last image in the view:</source>
        <translation>Erstes/letztes Bild in der Ansicht:</translation>
    </message>
    <message>
        <source>Full screen:</source>
        <translation>Vollbild:</translation>
    </message>
    <message>
        <source>Slideshow (Space pauses):</source>
        <translation>Diashow (Leertaste hält an):</translation>
    </message>
    <message>
        <source>Copy image to clipboard:</source>
        <translation>Bild in die Zwischenablage kopieren:</translation>
    </message>
    <message>
        <source>Undo delete:</source>
        <translation>Löschen rückgängig:</translation>
    </message>
    <message>
        <source>Quit without asking:</source>
        <translation>Beenden ohne Rückfrage:</translation>
    </message>
    <message>
        <source>"A"</source>
        <translation>"A"</translation>
    </message>
    <message>
        <source>"R"</source>
        <translation>"R"</translation>
    </message>
    <message>
        <source>"G"</source>
        <translation>"G"</translation>
    </message>
    <message>
        <source>"B"</source>
        <translation>"B"</translation>
    </message>
    <message>
        <source>"F3"</source>
        <translation>"F3"</translation>
    </message>
    <message>
        <source>"Ctrl+H"</source>
        <translation>"Strg+H"</translation>
    </message>
    <message>
        <source>"Atl+C", "Ctrl+M" + "1,2,3..."</source>
        <translation>"Alt+C", "Strg+M" + "1,2,3..."</translation>
    </message>
    <message>
        <source>"Ctrl+M" + "a,b,c..."</source>
        <translation>"Strg+M" + "a,b,c..."</translation>
    </message>
    <message>
        <source>"F5"</source>
        <translation>"F5"</translation>
    </message>
    <message>
        <source>"F8", "Del", "Shift+Del"</source>
        <translation>"F8", "Entf", "Umschalt+Entf"</translation>
    </message>
    <message>
        <source>"F6"</source>
        <translation>"F6"</translation>
    </message>
    <message>
        <source>"Ctrl+J"</source>
        <translation>"Strg+J"</translation>
    </message>
    <message>
        <source>"Space", mouse wheel</source>
        <translation>"Leertaste", Mausrad</translation>
    </message>
    <message>
        <source>"Backspace", mouse wheel</source>
        <translation>"Rücktaste", Mausrad</translation>
    </message>
    <message>
        <source>Ctrl + mouse wheel, "+", "-"</source>
        <translation>Strg + Mausrad, "+", "-"</translation>
    </message>
    <message>
        <source>"/"</source>
        <translation>"/"</translation>
    </message>
    <message>
        <source>Num *</source>
        <translation>Num *</translation>
    </message>
    <message>
        <source>"Ctrl+M"</source>
        <translation>"Strg+M"</translation>
    </message>
    <message>
        <source>"H"</source>
        <translation>"H"</translation>
    </message>
    <message>
        <source>"Right", "Page Down" / "Left", "Page Up"</source>
        <translation>"Rechts", "Bild ab" / "Links", "Bild auf"</translation>
    </message>
    <message>
        <source>"Home" / "End"</source>
        <translation>"Pos1" / "Ende"</translation>
    </message>
    <message>
        <source>"Enter", "F11"</source>
        <translation>"Eingabe", "F11"</translation>
    </message>
    <message>
        <source>"F10"</source>
        <translation>"F10"</translation>
    </message>
    <message>
        <source>"Ctrl+C"</source>
        <translation>"Strg+C"</translation>
    </message>
    <message>
        <source>"F2"</source>
        <translation>"F2"</translation>
    </message>
    <message>
        <source>"Ctrl+Z"</source>
        <translation>"Strg+Z"</translation>
    </message>
    <message>
        <source>"Ctrl+Q"</source>
        <translation>"Strg+Q"</translation>
    </message>
</context>
<context>
    <name>quorvel::MainWindow</name>
    <message>
        <source>Main toolbar</source>
        <translation>Hauptsymbolleiste</translation>
    </message>
    <message>
        <source>Directory tree</source>
        <translation>Verzeichnisbaum</translation>
    </message>
    <message>
        <source>Files list</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Do you really want to exit?</source>
        <translation>Wollen Sie das Programm wirklich beenden?</translation>
    </message>
    <message>
        <source>&amp;Image</source>
        <translation>&amp;Bild</translation>
    </message>
    <message>
        <source>F&amp;avourites</source>
        <translation>F&amp;avoriten</translation>
    </message>
    <message>
        <source>&amp;Delete folder from the list</source>
        <translation>Ordner aus der Liste &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>quorvel::PrintParametersDialog</name>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Rotate the frame</source>
        <translation>Rahmen drehen</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Resolution, dpi:</source>
        <translation>Auflösung, dpi:</translation>
    </message>
    <message>
        <source>Use digital photolab field scaling</source>
        <translation>Randkorrektur des Fotolabors verwenden</translation>
    </message>
    <message>
        <source>Frame:</source>
        <translation>Rahmen:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Text height:</source>
        <translation>Texthöhe:</translation>
    </message>
    <message>
        <source>Margin:</source>
        <translation>Abstand:</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Text color...</source>
        <translation>Textfarbe...</translation>
    </message>
</context>
<context>
    <name>quorvel::PrintFramingDialog</name>
    <message>
        <source>Quorvel - prepare file, final step</source>
        <translation>Quorvel - Datei vorbereiten, letzter Schritt</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Insert info from EXIF</source>
        <translation>Angaben aus EXIF einfügen</translation>
    </message>
    <message>
        <source>Text position:</source>
        <translation>Textposition:</translation>
    </message>
    <message>
        <source>Frame color...</source>
        <translation>Rahmenfarbe...</translation>
    </message>
    <message>
        <source>&lt;&lt; </source>
        <translation>&lt;&lt; </translation>
    </message>
    <message>
        <source>Switch to previous selected file</source>
        <translation>Zur vorigen ausgewählten Datei</translation>
    </message>
    <message>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <source>Switch to next selected file</source>
        <translation>Zur nächsten ausgewählten Datei</translation>
    </message>
    <message>
        <source>Create file...</source>
        <translation>Datei erstellen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Fit image to window</source>
        <translation>Bild in das Fenster einpassen</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Switch to drag picture mode</source>
        <translation>In den Modus zum Verschieben des Bildes wechseln</translation>
    </message>
    <message>
        <source>HL</source>
        <translation>HL</translation>
    </message>
    <message>
        <source>Align frame to left side</source>
        <translation>Rahmen am linken Rand ausrichten</translation>
    </message>
    <message>
        <source>HC</source>
        <translation>HM</translation>
    </message>
    <message>
        <source>Align frame to horizontal center</source>
        <translation>Rahmen waagerecht zentrieren</translation>
    </message>
    <message>
        <source>HR</source>
        <translation>HR</translation>
    </message>
    <message>
        <source>Align frame to right side</source>
        <translation>Rahmen am rechten Rand ausrichten</translation>
    </message>
    <message>
        <source>SW</source>
        <translation>BB</translation>
    </message>
    <message>
        <source>Align frame to image width</source>
        <translation>Rahmen auf Bildbreite bringen</translation>
    </message>
    <message>
        <source>VT</source>
        <translation>VO</translation>
    </message>
    <message>
        <source>Align frame to top side</source>
        <translation>Rahmen am oberen Rand ausrichten</translation>
    </message>
    <message>
        <source>VC</source>
        <translation>VM</translation>
    </message>
    <message>
        <source>Align frame to vertical center</source>
        <translation>Rahmen senkrecht zentrieren</translation>
    </message>
    <message>
        <source>VB</source>
        <translation>VU</translation>
    </message>
    <message>
        <source>Align frame to bottom side</source>
        <translation>Rahmen am unteren Rand ausrichten</translation>
    </message>
    <message>
        <source>SH</source>
        <translation>BH</translation>
    </message>
    <message>
        <source>Align frame to image hight</source>
        <translation>Rahmen auf Bildhöhe bringen</translation>
    </message>
    <message>
        <source>Allow to put frame outside the image</source>
        <translation>Rahmen darf über das Bild hinausragen</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Wird geladen...</translation>
    </message>
    <message>
        <source>Choose file for save</source>
        <translation>Datei zum Speichern wählen</translation>
    </message>
    <message>
        <source>Файлы JPEG (*.jpg)</source>
        <translation>JPEG-Dateien (*.jpg)</translation>
    </message>
    <message>
        <source>Cannot create image</source>
        <translation>Bild kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Image created successfull</source>
        <translation>Bild erfolgreich erstellt</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Do you really want to abort print preparing?</source>
        <translation>Wollen Sie die Druckvorbereitung wirklich abbrechen?</translation>
    </message>
</context>
<context>
    <name>quorvel::ImageView</name>
    <message>
        <source>%1: %2x%3, %4bpp</source>
        <translation>%1: %2x%3, %4 bpp</translation>
    </message>
    <message>
        <source>%1: %2x%3</source>
        <translation>%1: %2x%3</translation>
    </message>
    <message>
        <source>EXIF not present.</source>
        <translation>Keine EXIF-Daten.</translation>
    </message>
    <message>
        <source>Zoom: %1%.</source>
        <translation>Zoom: %1%.</translation>
    </message>
    <message>
        <source>File not loaded</source>
        <translation>Datei nicht geladen</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Wird geladen...</translation>
    </message>
    <message>
        <source>, damaged</source>
        <translation>, beschädigt</translation>
    </message>
</context>
<context>
    <name>quorvel::RedEyeDialog</name>
    <message>
        <source>Fix red eyes</source>
        <translation>Rote Augen entfernen</translation>
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
        <source>Red component limit:</source>
        <translation>Grenze des Rotanteils:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
</context>
<context>
    <name>quorvel::RenameDialog</name>
    <message>
        <source>Rename file</source>
        <translation>Datei umbenennen</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>File name cannot be empty</source>
        <translation>Der Dateiname darf nicht leer sein</translation>
    </message>
    <message>
        <source>File with this name allready exist, cannot rename.</source>
        <translation>Eine Datei mit diesem Namen existiert bereits, Umbenennen nicht möglich.</translation>
    </message>
</context>
<context>
    <name>quorvel::ResolutionDialog</name>
    <message>
        <source>Set image resolution</source>
        <translation>Bildauflösung einstellen</translation>
    </message>
    <message>
        <source>Horizontal:</source>
        <translation>Horizontal:</translation>
    </message>
    <message>
        <source>Vertical:</source>
        <translation>Vertikal:</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>dpi</source>
        <translation>dpi</translation>
    </message>
</context>
<context>
    <name>quorvel::FileListPane</name>
    <message>
        <source>Details or thumbnails view</source>
        <translation>Details- oder Miniaturansicht</translation>
    </message>
    <message>
        <source>&amp;Details view</source>
        <translation>&amp;Detailansicht</translation>
    </message>
    <message>
        <source>&amp;Thumbnails view</source>
        <translation>&amp;Miniaturansicht</translation>
    </message>
    <message>
        <source>Short or EXIF view</source>
        <translation>Kurz- oder EXIF-Ansicht</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Apply filter</source>
        <translation>Filter anwenden</translation>
    </message>
</context>
<context>
    <name>quorvel::RotateDialog</name>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>180</source>
        <translation>180</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Hor</source>
        <translation>Horiz.</translation>
    </message>
    <message>
        <source>Ver</source>
        <translation>Vert.</translation>
    </message>
    <message>
        <source>JPEG image rotate</source>
        <translation>JPEG-Bild drehen</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>File name for saving:</source>
        <translation>Dateiname zum Speichern:</translation>
    </message>
    <message>
        <source>Cannot open file</source>
        <translation>Datei kann nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>quorvel::SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>External editors</source>
        <translation>Externe Editoren</translation>
    </message>
    <message>
        <source>Favourite folders</source>
        <translation>Favoritenordner</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>Open files using CMS (slowly)</source>
        <translation>Dateien mit Farbverwaltung öffnen (langsam)</translation>
    </message>
    <message>
        <source>High quality RAW conversion (slowly)</source>
        <translation>RAW-Umwandlung in hoher Qualität (langsam)</translation>
    </message>
    <message>
        <source>View images interpolation method:</source>
        <translation>Interpolation beim Betrachten:</translation>
    </message>
    <message>
        <source>Print prepare interpolation method:</source>
        <translation>Interpolation bei der Druckvorbereitung:</translation>
    </message>
    <message>
        <source>Interface language:</source>
        <translation>Sprache der Oberfläche:</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Startup folder:</source>
        <translation>Startordner:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Ask when exit</source>
        <translation>Beim Beenden fragen</translation>
    </message>
    <message>
        <source>Units by default:</source>
        <translation>Standardeinheit:</translation>
    </message>
    <message>
        <source>New language will be available after you restart the program.</source>
        <translation>Die neue Sprache steht nach einem Neustart des Programms zur Verfügung.</translation>
    </message>
    <message>
        <source>Choose the startup folder</source>
        <translation>Startordner wählen</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Choose editor from the list to remove</source>
        <translation>Editor zum Entfernen aus der Liste wählen</translation>
    </message>
    <message>
        <source>Chose editor, you want to add in Favourites</source>
        <translation>Editor wählen, der zu den Favoriten hinzugefügt werden soll</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Slideshow interval:</source>
        <translation>Diashow-Intervall:</translation>
    </message>
    <message>
        <source>Rotate pictures by their EXIF orientation</source>
        <translation>Bilder nach ihrer EXIF-Ausrichtung drehen</translation>
    </message>
</context>
<context>
    <name>quorvel::VersionDialog</name>
    <message>
        <source>Remember this version </source>
        <translation>Diese Version merken </translation>
    </message>
    <message>
        <source>Delete version</source>
        <translation>Version löschen</translation>
    </message>
    <message>
        <source>Restore version</source>
        <translation>Version wiederherstellen</translation>
    </message>
    <message>
        <source>Save version to...</source>
        <translation>Version speichern unter...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Version preview:</source>
        <translation>Versionsvorschau:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Versions list:</source>
        <translation>Versionsliste:</translation>
    </message>
    <message>
        <source>Current file preview:</source>
        <translation>Vorschau der aktuellen Datei:</translation>
    </message>
    <message>
        <source>The file %1 already exists.
Replace it with version %2?</source>
        <translation>Die Datei %1 existiert bereits.
Mit Version %2 ersetzen?</translation>
    </message>
</context>
<context>
    <name>quorvel::WallpaperDialog</name>
    <message>
        <source>Set as wallpaper</source>
        <translation>Als Hintergrundbild setzen</translation>
    </message>
    <message>
        <source>Reset wallpaper</source>
        <translation>Hintergrundbild zurücksetzen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Wallpaper was changed</source>
        <translation>Das Hintergrundbild wurde geändert</translation>
    </message>
    <message>
        <source>Wallpaper was set to defaults</source>
        <translation>Das Hintergrundbild wurde auf die Vorgabe zurückgesetzt</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>quorvel::CommandTable</name>
    <message>
        <source>&amp;Refresh files list	F5</source>
        <translation>&amp;Dateiliste aktualisieren	F5</translation>
    </message>
    <message>
        <source>Refresh file list (F5)</source>
        <translation>Dateiliste aktualisieren (F5)</translation>
    </message>
    <message>
        <source>&amp;Exit	Alt+F4, Esc</source>
        <translation>&amp;Beenden	Alt+F4, Esc</translation>
    </message>
    <message>
        <source>Quit the program</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Directory tree</source>
        <translation>Verzeichnisbaum</translation>
    </message>
    <message>
        <source>Show or hide the directory tree</source>
        <translation>Verzeichnisbaum zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Files pane</source>
        <translation>Dateibereich</translation>
    </message>
    <message>
        <source>Show or hide the files list</source>
        <translation>Dateiliste zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Main toolbar</source>
        <translation>Hauptsymbolleiste</translation>
    </message>
    <message>
        <source>Show or hide the main toolbar</source>
        <translation>Hauptsymbolleiste zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Navigation toolbar</source>
        <translation>Navigationsleiste</translation>
    </message>
    <message>
        <source>Show image in full-screen</source>
        <translation>Bild im Vollbild zeigen</translation>
    </message>
    <message>
        <source>Full screen (Enter)</source>
        <translation>Vollbild (Enter)</translation>
    </message>
    <message>
        <source>&amp;Add current folder</source>
        <translation>Aktuellen Ordner &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add current folder to Favourites</source>
        <translation>Aktuellen Ordner zu den Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>All...</source>
        <translation>Alle...</translation>
    </message>
    <message>
        <source>Delete all folders from Favourites</source>
        <translation>Alle Ordner aus den Favoriten löschen</translation>
    </message>
    <message>
        <source>&amp;Show all folders</source>
        <translation>&amp;Alle Ordner zeigen</translation>
    </message>
    <message>
        <source>Show all folders</source>
        <translation>Alle Ordner zeigen</translation>
    </message>
    <message>
        <source>&amp;Prepare to print, web or mobile device...	F7</source>
        <translation>Für &amp;Druck, Web oder Mobilgerät vorbereiten...	F7</translation>
    </message>
    <message>
        <source>Prepare to print, web or mobile device (F7)</source>
        <translation>Für Druck, Web oder Mobilgerät vorbereiten (F7)</translation>
    </message>
    <message>
        <source>Prepare &amp;index-print photo...</source>
        <translation>&amp;Indexabzug vorbereiten...</translation>
    </message>
    <message>
        <source>Prepare index print</source>
        <translation>Indexabzug vorbereiten</translation>
    </message>
    <message>
        <source>&amp;Delete file...	F8, Del</source>
        <translation>Datei &amp;löschen...	F8, Entf</translation>
    </message>
    <message>
        <source>Delete file (F8, Del)</source>
        <translation>Datei löschen (F8, Entf)</translation>
    </message>
    <message>
        <source>Rename file	F6</source>
        <translation>Datei umbenennen	F6</translation>
    </message>
    <message>
        <source>Rename file (F6)</source>
        <translation>Datei umbenennen (F6)</translation>
    </message>
    <message>
        <source>&amp;Rotate/Flip...	Ctrl+J</source>
        <translation>&amp;Drehen/Spiegeln...	Strg+J</translation>
    </message>
    <message>
        <source>Rotate/Flip (Ctrl+J)</source>
        <translation>Drehen/Spiegeln (Strg+J)</translation>
    </message>
    <message>
        <source>Copy image to clipboard</source>
        <translation>Bild in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Show histogram	Ctrl+H</source>
        <translation>Histogramm zeigen	Strg+H</translation>
    </message>
    <message>
        <source>Show histogram (Ctrl+H)</source>
        <translation>Histogramm zeigen (Strg+H)</translation>
    </message>
    <message>
        <source>Add file to version control...</source>
        <translation>Datei zur Versionsverwaltung hinzufügen...</translation>
    </message>
    <message>
        <source>Add file to version control</source>
        <translation>Datei zur Versionsverwaltung hinzufügen</translation>
    </message>
    <message>
        <source>Crop image...</source>
        <translation>Bild zuschneiden...</translation>
    </message>
    <message>
        <source>Crop image</source>
        <translation>Bild zuschneiden</translation>
    </message>
    <message>
        <source>Adjust image...</source>
        <translation>Bild anpassen...</translation>
    </message>
    <message>
        <source>Adjust brightness, contrast, etc</source>
        <translation>Helligkeit, Kontrast usw. anpassen</translation>
    </message>
    <message>
        <source>Open directory in &amp;Explorer	F12</source>
        <translation>Ordner im &amp;Dateimanager öffnen	F12</translation>
    </message>
    <message>
        <source>Open directory in the file manager (F12)</source>
        <translation>Ordner im Dateimanager öffnen (F12)</translation>
    </message>
    <message>
        <source>Set image as wallpaper...</source>
        <translation>Bild als Hintergrundbild setzen...</translation>
    </message>
    <message>
        <source>Set image as wallpaper</source>
        <translation>Bild als Hintergrundbild setzen</translation>
    </message>
    <message>
        <source>&amp;Change EXIF data...	Ctrl+E</source>
        <translation>EXIF-Daten &amp;ändern...	Strg+E</translation>
    </message>
    <message>
        <source>Change EXIF data (Ctrl+E)</source>
        <translation>EXIF-Daten ändern (Strg+E)</translation>
    </message>
    <message>
        <source>Edit file description...</source>
        <translation>Dateibeschreibung bearbeiten...</translation>
    </message>
    <message>
        <source>Edit file description</source>
        <translation>Dateibeschreibung bearbeiten</translation>
    </message>
    <message>
        <source>EXIF data &amp;statistics</source>
        <translation>EXIF-&amp;Statistik</translation>
    </message>
    <message>
        <source>EXIF data statistics</source>
        <translation>EXIF-Statistik</translation>
    </message>
    <message>
        <source>E&amp;xport images information...</source>
        <translation>Bildinformationen e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Export images information</source>
        <translation>Bildinformationen exportieren</translation>
    </message>
    <message>
        <source>Se&amp;ttings...	F9</source>
        <translation>Ein&amp;stellungen...	F9</translation>
    </message>
    <message>
        <source>Settings (F9)</source>
        <translation>Einstellungen (F9)</translation>
    </message>
    <message>
        <source>Show image in &amp;all colors	A</source>
        <translation>Bild in &amp;allen Farben zeigen	A</translation>
    </message>
    <message>
        <source>All colours (A)</source>
        <translation>Alle Farben (A)</translation>
    </message>
    <message>
        <source>&amp;R-channel	R</source>
        <translation>&amp;R-Kanal	R</translation>
    </message>
    <message>
        <source>R channel (R)</source>
        <translation>R-Kanal (R)</translation>
    </message>
    <message>
        <source>&amp;G-channel	G</source>
        <translation>&amp;G-Kanal	G</translation>
    </message>
    <message>
        <source>G channel (G)</source>
        <translation>G-Kanal (G)</translation>
    </message>
    <message>
        <source>&amp;B-channel	B</source>
        <translation>&amp;B-Kanal	B</translation>
    </message>
    <message>
        <source>B channel (B)</source>
        <translation>B-Kanal (B)</translation>
    </message>
    <message>
        <source>Show all channels	Alt+F3</source>
        <translation>Alle Kanäle zeigen	Alt+F3</translation>
    </message>
    <message>
        <source>Show all channels (Alt+F3)</source>
        <translation>Alle Kanäle zeigen (Alt+F3)</translation>
    </message>
    <message>
        <source>Show overlighted areas	F3</source>
        <translation>Überbelichtete Bereiche zeigen	F3</translation>
    </message>
    <message>
        <source>Show overlighted areas (F3)</source>
        <translation>Überbelichtete Bereiche zeigen (F3)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>About Quorvel</source>
        <translation>Über Quorvel</translation>
    </message>
    <message>
        <source>&amp;Program features...</source>
        <translation>&amp;Programmfunktionen...</translation>
    </message>
    <message>
        <source>Program features</source>
        <translation>Programmfunktionen</translation>
    </message>
    <message>
        <source>Available &amp;hotkeys	H</source>
        <translation>Verfügbare &amp;Tasten	H</translation>
    </message>
    <message>
        <source>Available hotkeys (H)</source>
        <translation>Verfügbare Tasten (H)</translation>
    </message>
    <message>
        <source>Previous image	Backspace</source>
        <translation>Vorheriges Bild	Rücktaste</translation>
    </message>
    <message>
        <source>Previous image (Backspace)</source>
        <translation>Vorheriges Bild (Rücktaste)</translation>
    </message>
    <message>
        <source>Next image	Space</source>
        <translation>Nächstes Bild	Leertaste</translation>
    </message>
    <message>
        <source>Next image (Space)</source>
        <translation>Nächstes Bild (Leertaste)</translation>
    </message>
    <message>
        <source>First image</source>
        <translation>Erstes Bild</translation>
    </message>
    <message>
        <source>Last image</source>
        <translation>Letztes Bild</translation>
    </message>
    <message>
        <source>Zoom in	+</source>
        <translation>Vergrößern	+</translation>
    </message>
    <message>
        <source>Zoom in (+)</source>
        <translation>Vergrößern (+)</translation>
    </message>
    <message>
        <source>Zoom out	-</source>
        <translation>Verkleinern	-</translation>
    </message>
    <message>
        <source>Zoom out (-)</source>
        <translation>Verkleinern (-)</translation>
    </message>
    <message>
        <source>Full size	/</source>
        <translation>Originalgröße	/</translation>
    </message>
    <message>
        <source>Full size (/)</source>
        <translation>Originalgröße (/)</translation>
    </message>
    <message>
        <source>Fit width	*</source>
        <translation>Breite einpassen	*</translation>
    </message>
    <message>
        <source>Fit width (*)</source>
        <translation>Breite einpassen (*)</translation>
    </message>
    <message>
        <source>Lock zoom	Ctrl+L</source>
        <translation>Zoom sperren	Strg+L</translation>
    </message>
    <message>
        <source>Lock zoom (Ctrl+L)</source>
        <translation>Zoom sperren (Strg+L)</translation>
    </message>
    <message>
        <source>File menu	Ctrl+M</source>
        <translation>Dateimenü	Strg+M</translation>
    </message>
    <message>
        <source>File menu (Ctrl+M)</source>
        <translation>Dateimenü (Strg+M)</translation>
    </message>
    <message>
        <source>Edit file in the external editor	F4</source>
        <translation>Datei im externen Editor bearbeiten	F4</translation>
    </message>
    <message>
        <source>Edit file in the external editor (F4)</source>
        <translation>Datei im externen Editor bearbeiten (F4)</translation>
    </message>
    <message>
        <source>Go to Favourite folder</source>
        <translation>Zum Favoritenordner gehen</translation>
    </message>
    <message>
        <source>Thumbnails</source>
        <translation>Miniaturen</translation>
    </message>
    <message>
        <source>Switch between details and thumbnails</source>
        <translation>Zwischen Details und Miniaturen wechseln</translation>
    </message>
    <message>
        <source>Set image resolution...</source>
        <translation>Bildauflösung einstellen...</translation>
    </message>
    <message>
        <source>Set image resolution</source>
        <translation>Bildauflösung einstellen</translation>
    </message>
    <message>
        <source>Copy to folder...	Alt+C</source>
        <translation>In Ordner kopieren...	Alt+C</translation>
    </message>
    <message>
        <source>Copy file(s) to a folder (Alt+C)</source>
        <translation>Datei(en) in einen Ordner kopieren (Alt+C)</translation>
    </message>
    <message>
        <source>Undo delete	Ctrl+Z</source>
        <translation>Löschen rückgängig	Strg+Z</translation>
    </message>
    <message>
        <source>Bring the files of the last delete back from the trash (Ctrl+Z)</source>
        <translation>Die zuletzt gelöschten Dateien aus dem Papierkorb zurückholen (Strg+Z)</translation>
    </message>
    <message>
        <source>&amp;Quit	Ctrl+Q</source>
        <translation>&amp;Beenden ohne Rückfrage	Strg+Q</translation>
    </message>
    <message>
        <source>Quit the program without asking (Ctrl+Q)</source>
        <translation>Das Programm ohne Rückfrage beenden (Strg+Q)</translation>
    </message>
    <message>
        <source>Slideshow	F10</source>
        <translation>Diashow	F10</translation>
    </message>
    <message>
        <source>Show the pictures one after another, full screen (F10)</source>
        <translation>Die Bilder nacheinander im Vollbild zeigen (F10)</translation>
    </message>
</context>
<context>
    <name>quorvel::FileList</name>
    <message>
        <source>. %d/%d, %d b</source>
        <translation>. %d/%d, %d B</translation>
    </message>
    <message>
        <source>. %d/%d, %.1f Kb</source>
        <translation>. %d/%d, %.1f KB</translation>
    </message>
    <message>
        <source>. %d/%d, %.1f Mb</source>
        <translation>. %d/%d, %.1f MB</translation>
    </message>
    <message>
        <source>. sel: %d/%d, %d b</source>
        <translation>. Ausw.: %d/%d, %d B</translation>
    </message>
    <message>
        <source>. sel: %d/%d, %.1f Kb</source>
        <translation>. Ausw.: %d/%d, %.1f KB</translation>
    </message>
    <message>
        <source>. sel: %d/%d, %.1f Mb</source>
        <translation>. Ausw.: %d/%d, %.1f MB</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Aperture</source>
        <translation>Blende</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Belichtung</translation>
    </message>
    <message>
        <source>Focal</source>
        <translation>Brennweite</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>Date/time original</source>
        <translation>Aufnahmedatum</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
</context>
<context>
    <name>quorvel::NewSizeDialog</name>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>quorvel::Prompts</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The file "%1" already exists.
Do you want to replace it?</source>
        <translation>Die Datei "%1" existiert bereits.
Wollen Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>Exe files (*.exe)</source>
        <translation>Programme (*.exe)</translation>
    </message>
</context>
<context>
    <name>quorvel::WindowsWallpaper</name>
    <message>
        <source>The system did not accept the wallpaper (error %1).</source>
        <translation>Das System hat das Hintergrundbild nicht angenommen (Fehler %1).</translation>
    </message>
    <message>
        <source>This desktop has no wallpaper setting.</source>
        <translation>Dieser Desktop hat keine Einstellung für das Hintergrundbild.</translation>
    </message>
</context>
<context>
    <name>quorvel::WizardFormatDialog</name>
    <message>
        <source>Prepare file wizard, step 2/3</source>
        <translation>Datei vorbereiten, Schritt 2/3</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>On the next step you will select the area of the image to print and create the file.</source>
        <translation>Im nächsten Schritt wählen Sie den zu druckenden Bildausschnitt und erstellen die Datei.</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Zurück</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
    <message>
        <source>Select print format</source>
        <translation>Druckformat wählen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>quorvel::WizardKindDialog</name>
    <message>
        <source>Prepare file wizard, step 1/3</source>
        <translation>Datei vorbereiten, Schritt 1/3</translation>
    </message>
    <message>
        <source>prepare to &amp;print</source>
        <translation>zum &amp;Drucken vorbereiten</translation>
    </message>
    <message>
        <source>publish on &amp;web or make wallpaper</source>
        <translation>im &amp;Web veröffentlichen oder als Hintergrundbild verwenden</translation>
    </message>
    <message>
        <source>put on &amp;mobile phone or PDA</source>
        <translation>auf ein &amp;Mobiltelefon oder einen PDA übertragen</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
    <message>
        <source>You want to...</source>
        <translation>Sie möchten...</translation>
    </message>
</context>
<context>
    <name>quorvel::X11Wallpaper</name>
    <message>
        <source>Neither xwallpaper nor xsetroot is installed.</source>
        <translation>Weder xwallpaper noch xsetroot ist installiert.</translation>
    </message>
</context>
<context>
    <name>quorvel::savemessages</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>ExifValueCheck</name>
    <message>
        <source>The date "%1" is not a real calendar date and time (YYYY:MM:DD hh:mm:ss).</source>
        <translation>Das Datum „%1“ ist kein wirkliches Kalenderdatum mit Uhrzeit (JJJJ:MM:TT hh:mm:ss).</translation>
    </message>
    <message>
        <source>The ISO value must be a whole number from 1 to 65535; 0 or nothing removes it.</source>
        <translation>Der ISO-Wert muss eine ganze Zahl von 1 bis 65535 sein; 0 oder nichts entfernt ihn.</translation>
    </message>
    <message>
        <source>The focal length must be a number from 0.1 to 400000000 mm; 0 or nothing removes it.</source>
        <translation>Die Brennweite muss eine Zahl von 0.1 bis 400000000 mm sein; 0 oder nichts entfernt sie.</translation>
    </message>
    <message>
        <source>The aperture must be a number from 0.1 to 400000000; 0 or nothing removes it.</source>
        <translation>Die Blende muss eine Zahl von 0.1 bis 400000000 sein; 0 oder nichts entfernt sie.</translation>
    </message>
</context>
<context>
    <name>PrepareBatch</name>
    <message>
        <source>its output "%1" would replace one of the files to prepare</source>
        <translation>seine Ausgabe „%1“ würde eine der zu bearbeitenden Dateien ersetzen</translation>
    </message>
    <message>
        <source>its output "%1" is already the output of "%2"</source>
        <translation>seine Ausgabe „%1“ ist schon die Ausgabe von „%2“</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>keine Datei</translation>
    </message>
    <message>
        <source>not a picture the program can read</source>
        <translation>kein Bild, das das Programm lesen kann</translation>
    </message>
    <message>
        <source>the picture could not be decoded or composed</source>
        <translation>das Bild konnte nicht gelesen oder zusammengesetzt werden</translation>
    </message>
</context>
<context>
    <name>WallpaperSource</name>
    <message>
        <source>The picture "%1" cannot be read: %2</source>
        <translation>Das Bild „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The picture could not be converted for the desktop: %1</source>
        <translation>Das Bild konnte nicht für den Desktop umgewandelt werden: %1</translation>
    </message>
    <message>
        <source>The folder "%1" cannot be made.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>TrashUndo</name>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
    <message>
        <source>"%1" cannot be restored: it is no longer in the trash.</source>
        <translation>"%1" kann nicht zurückgeholt werden: die Datei ist nicht mehr im Papierkorb.</translation>
    </message>
    <message>
        <source>"%1" cannot be restored: another file of that name is there now.</source>
        <translation>"%1" kann nicht zurückgeholt werden: dort steht jetzt eine andere Datei dieses Namens.</translation>
    </message>
    <message>
        <source>"%1" cannot be restored: its folder is gone.</source>
        <translation>"%1" kann nicht zurückgeholt werden: der Ordner existiert nicht mehr.</translation>
    </message>
    <message>
        <source>"%1" could not be moved back from the trash: %2</source>
        <translation>"%1" konnte nicht aus dem Papierkorb zurückgeholt werden: %2</translation>
    </message>
    <message>
        <source>"%1" was restored, but not its description: %2</source>
        <translation>"%1" wurde zurückgeholt, seine Beschreibung aber nicht: %2</translation>
    </message>
</context>
<context>
    <name>quorvel::Slideshow</name>
    <message>
        <source>Slideshow: Space pauses, any other key or a click ends it</source>
        <translation>Diashow: Leertaste hält an, jede andere Taste oder ein Klick beendet sie</translation>
    </message>
    <message>
        <source>Slideshow paused: Space goes on, any other key ends it</source>
        <translation>Diashow angehalten: Leertaste setzt fort, jede andere Taste beendet sie</translation>
    </message>
</context>
<context>
    <name>quorvel::DesktopOpen</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Cannot open "%1": it does not exist.</source>
        <translation>„%1“ kann nicht geöffnet werden: die Datei ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>Cannot open "%1": the desktop has no program set up to open it.</source>
        <translation>„%1“ kann nicht geöffnet werden: auf diesem Desktop ist kein Programm dafür eingerichtet.</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>The file was changed by another program; nothing was written.</source>
        <translation>Die Datei wurde von einem anderen Programm geändert; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>"%1" is a symbolic link; nothing is written through it.</source>
        <translation>"%1" ist eine symbolische Verknüpfung; durch sie wird nichts geschrieben.</translation>
    </message>
    <message>
        <source>"%1" is not a regular file; nothing was written.</source>
        <translation>"%1" ist keine gewöhnliche Datei; es wurde nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>SafeWriter</name>
    <message>
        <source>The file "%1" could not be written: %2</source>
        <translation>Die Datei "%1" konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The file "%1" already exists.</source>
        <translation>Die Datei "%1" existiert bereits.</translation>
    </message>
    <message>
        <source>The file "%1" could not be read: %2</source>
        <translation>Die Datei "%1" konnte nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>ExifWriter</name>
    <message>
        <source>The file's EXIF data is damaged.</source>
        <translation>Die EXIF-Daten der Datei sind beschädigt.</translation>
    </message>
    <message>
        <source>The EXIF data would not fit into the file's EXIF segment.</source>
        <translation>Die EXIF-Daten passen nicht in das EXIF-Segment der Datei.</translation>
    </message>
    <message>
        <source>-a</source>
        <translation>-a</translation>
    </message>
    <message>
        <source>+a</source>
        <translation>+a</translation>
    </message>
    <message>
        <source>+b</source>
        <translation>+b</translation>
    </message>
    <message>
        <source>-b</source>
        <translation>-b</translation>
    </message>
    <message>
        <source>CIE Lab</source>
        <translation>CIE Lab</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Cannot open file</source>
        <translation>Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>This format is not supported yet.</source>
        <translation>Dieses Format wird noch nicht unterstützt.</translation>
    </message>
    <message>
        <source>Cannot change EXIF data</source>
        <translation>EXIF-Daten können nicht geändert werden</translation>
    </message>
    <message>
        <source>The file was not changed: its other EXIF data (such as the camera's maker note) would not have survived the change.</source>
        <translation>Die Datei wurde nicht geändert: ihre übrigen EXIF-Daten (etwa die Herstellerdaten der Kamera) hätten die Änderung nicht überstanden.</translation>
    </message>
</context>
<context>
    <name>quorvel::ExifWriteResult</name>
    <message>
        <source>Cannot open file</source>
        <translation>Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>This format is not supported yet.</source>
        <translation>Dieses Format wird noch nicht unterstützt.</translation>
    </message>
    <message>
        <source>Cannot change EXIF data</source>
        <translation>EXIF-Daten können nicht geändert werden</translation>
    </message>
    <message>
        <source>The file was not changed: its other EXIF data (such as the camera's maker note) would not have survived the change.</source>
        <translation>Die Datei wurde nicht geändert: ihre übrigen EXIF-Daten (etwa die Herstellerdaten der Kamera) hätten die Änderung nicht überstanden.</translation>
    </message>
</context>
<context>
    <name>InPlaceWrite</name>
    <message>
        <source>The file "%1" could not be written: %2</source>
        <translation>Die Datei "%1" konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
</TS>
