<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>core</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>TOOLS</source>
        <translation>WERKZEUGE</translation>
    </message>
    <message>
        <source>Vantrel Not Found!</source>
        <translation>Vantrel nicht gefunden!</translation>
    </message>
    <message>
        <source>Cannot read this computer&apos;s time zone; times are shown in UTC until one is chosen.</source>
        <translation>Die Zeitzone dieses Computers kann nicht gelesen werden; Zeiten werden in UTC angezeigt, bis eine gewählt ist.</translation>
    </message>
    <message>
        <source>This computer has no internet connection: the maps show their world layer and the tiles kept from before, and fetch new ones once the connection is back.</source>
        <translation>Dieser Computer hat keine Internetverbindung: Die Karten zeigen ihre Weltebene und die bereits gespeicherten Kacheln und laden neue, sobald die Verbindung wieder besteht.</translation>
    </message>
    <message>
        <source>A plan point needs a title!</source>
        <translation>Ein Planpunkt braucht einen Titel!</translation>
    </message>
    <message>
        <source>The plan map did not answer in time; the plan list is unchanged.</source>
        <translation>Die Plankarte hat nicht rechtzeitig geantwortet; die Planliste ist unverändert.</translation>
    </message>
    <message>
        <source>Cannot open the map pages: they are missing from the program&apos;s data folder, so the maps stay empty.</source>
        <translation>Die Kartenseiten können nicht geöffnet werden: Sie fehlen im Datenordner des Programms, daher bleiben die Karten leer.</translation>
    </message>
    <message>
        <source>Language File Not Found! </source>
        <translation>Sprachdatei nicht gefunden! </translation>
    </message>
    <message>
        <source>Cannot Save Setting!</source>
        <translation>Die Einstellung kann nicht gespeichert werden!</translation>
    </message>
    <message>
        <source>Write UI Text to ENGLISH.MAN</source>
        <translation>Oberflächentexte werden in ENGLISH.MAN geschrieben</translation>
    </message>
    <message>
        <source>The plan the device sent cannot be read (its header or tables are damaged); the plan list was left as it was.</source>
        <translation>Der vom Gerät gesendete Plan kann nicht gelesen werden (sein Kopf oder seine Tabellen sind beschädigt); die Planliste blieb unverändert.</translation>
    </message>
    <message>
        <source>The track download is still under way; wait until it has ended.</source>
        <translation>Das Herunterladen der Tracks läuft noch; bitte warten Sie, bis es beendet ist.</translation>
    </message>
    <message>
        <source>The plan download is still under way; wait until it has ended.</source>
        <translation>Das Herunterladen des Plans läuft noch; bitte warten Sie, bis es beendet ist.</translation>
    </message>
    <message>
        <source>The POI download is still under way; wait until it has ended.</source>
        <translation>Das Herunterladen der POIs läuft noch; bitte warten Sie, bis es beendet ist.</translation>
    </message>
    <message>
        <source>The plan upload is still under way; wait until it has ended.</source>
        <translation>Das Hochladen des Plans läuft noch; bitte warten Sie, bis es beendet ist.</translation>
    </message>
    <message>
        <source>The POI upload is still under way; wait until it has ended.</source>
        <translation>Das Hochladen der POIs läuft noch; bitte warten Sie, bis es beendet ist.</translation>
    </message>
    <message>
        <source>the device stopped answering</source>
        <translation>das Gerät antwortet nicht mehr</translation>
    </message>
    <message>
        <source>the device cancelled it</source>
        <translation>das Gerät hat abgebrochen</translation>
    </message>
    <message>
        <source>Distance (km)</source>
        <translation>Entfernung (km)</translation>
    </message>
    <message>
        <source>Distance (mi)</source>
        <translation>Entfernung (mi)</translation>
    </message>
    <message>
        <source>Altitude (m)</source>
        <translation>Höhe (m)</translation>
    </message>
    <message>
        <source>Altitude (ft)</source>
        <translation>Höhe (ft)</translation>
    </message>
    <message>
        <source>Altitude above ellipsoid (m)</source>
        <translation>Höhe über dem Ellipsoid (m)</translation>
    </message>
    <message>
        <source>Altitude above ellipsoid (ft)</source>
        <translation>Höhe über dem Ellipsoid (ft)</translation>
    </message>
    <message>
        <source>Speed (km/h)</source>
        <translation>Geschwindigkeit (km/h)</translation>
    </message>
    <message>
        <source>Speed (mph)</source>
        <translation>Geschwindigkeit (mph)</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>%1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The request failed: %1.</source>
        <translation>Die Anfrage ist fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <source>Invalid Language Name: %1</source>
        <translation>Ungültiger Sprachname: %1</translation>
    </message>
    <message>
        <source>The file was saved, but %1.</source>
        <translation>Die Datei wurde gespeichert, aber %1.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid time zone offset</source>
        <translation>„%1“ ist kein gültiger Zeitzonenversatz</translation>
    </message>
    <message>
        <source>The track download failed: %1; nothing was kept.</source>
        <translation>Das Herunterladen der Tracks ist fehlgeschlagen: %1; nichts wurde übernommen.</translation>
    </message>
    <message>
        <source>The plan download failed: %1; nothing was kept.</source>
        <translation>Das Herunterladen des Plans ist fehlgeschlagen: %1; nichts wurde übernommen.</translation>
    </message>
    <message>
        <source>The POI download failed: %1; nothing was kept.</source>
        <translation>Das Herunterladen der POIs ist fehlgeschlagen: %1; nichts wurde übernommen.</translation>
    </message>
    <message>
        <source>The plan upload failed: %1.</source>
        <translation>Das Hochladen des Plans ist fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <source>The POI upload failed: %1.</source>
        <translation>Das Hochladen der POIs ist fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <source>There is no serial port %1. Check that the device is plugged in and switched on, or choose another port.</source>
        <translation>Es gibt keine serielle Schnittstelle %1. Prüfen Sie, ob das Gerät angeschlossen und eingeschaltet ist, oder wählen Sie eine andere Schnittstelle.</translation>
    </message>
    <message>
        <source>The serial port %1 is busy: another program (a modem manager or a terminal program, for example) holds it. Close that program and try again.</source>
        <translation>Die serielle Schnittstelle %1 ist belegt: Ein anderes Programm (etwa ein Modem-Manager oder ein Terminalprogramm) hält sie. Schließen Sie dieses Programm und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The serial port %1 is busy: %2 holds it. Close that program and try again.</source>
        <translation>Die serielle Schnittstelle %1 ist belegt: %2 hält sie. Schließen Sie dieses Programm und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>%1 is not a serial port. Choose another port.</source>
        <translation>%1 ist keine serielle Schnittstelle. Wählen Sie eine andere Schnittstelle.</translation>
    </message>
    <message>
        <source>The serial port %1 could not be used: %2.</source>
        <translation>Die serielle Schnittstelle %1 konnte nicht verwendet werden: %2.</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Choose a track in the list first.</source>
        <translation>Wählen Sie zuerst einen Track in der Liste.</translation>
    </message>
    <message>
        <source>The speed limit must be above 0 km/h.</source>
        <translation>Die Geschwindigkeitsgrenze muss über 0 km/h liegen.</translation>
    </message>
    <message>
        <source>choose two tracks or more to merge</source>
        <translation>wählen Sie zum Zusammenführen mindestens zwei Tracks</translation>
    </message>
    <message>
        <source>%1 has %2 points, not points %3 to %4.</source>
        <translation>%1 hat %2 Punkte, nicht die Punkte %3 bis %4.</translation>
    </message>
    <message>
        <source>The range holds every point of %1: nothing to trim.</source>
        <translation>Der Bereich umfasst alle Punkte von %1: Es gibt nichts zu kürzen.</translation>
    </message>
    <message>
        <source>The range holds every point of %1: delete the track instead.</source>
        <translation>Der Bereich umfasst alle Punkte von %1: Löschen Sie stattdessen den Track.</translation>
    </message>
    <message>
        <source>A track is split between two of its points: choose a point after the first of %1.</source>
        <translation>Ein Track wird zwischen zwei seiner Punkte geteilt: Wählen Sie einen Punkt nach dem ersten von %1.</translation>
    </message>
    <message>
        <source>Cannot merge: %1.</source>
        <translation>Zusammenführen nicht möglich: %1.</translation>
    </message>
    <message>
        <source>No point of %1 implies a speed above %2 km/h.</source>
        <translation>Kein Punkt von %1 ergibt eine Geschwindigkeit über %2 km/h.</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederholen: %1</translation>
    </message>
    <message>
        <source>%1 and %2 overlap in time; only tracks that follow one another can be merged</source>
        <translation>%1 und %2 überschneiden sich zeitlich; nur aufeinanderfolgende Tracks lassen sich zusammenführen</translation>
    </message>
    <message>
        <source>Trim %1</source>
        <translation>%1 kürzen</translation>
    </message>
    <message>
        <source>Delete Points of %1</source>
        <translation>Punkte von %1 löschen</translation>
    </message>
    <message>
        <source>Split %1</source>
        <translation>%1 teilen</translation>
    </message>
    <message>
        <source>Merge %1 Tracks</source>
        <translation>%1 Tracks zusammenführen</translation>
    </message>
    <message>
        <source>Drop Outliers of %1</source>
        <translation>Ausreißer von %1 entfernen</translation>
    </message>
    <message>
        <source>Rename %1</source>
        <translation>%1 umbenennen</translation>
    </message>
    <message>
        <source>Recolour %1</source>
        <translation>Farbe von %1 ändern</translation>
    </message>
    <message>
        <source>Modify %1</source>
        <translation>%1 ändern</translation>
    </message>
    <message>
        <source>Select %1</source>
        <translation>%1 auswählen</translation>
    </message>
    <message>
        <source>Deselect %1</source>
        <translation>Auswahl von %1 aufheben</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>%1 löschen</translation>
    </message>
    <message>
        <source>Time of day (%1)</source>
        <translation>Uhrzeit (%1)</translation>
    </message>
</context>
<context>
    <name>vantrel</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Track Files</source>
        <translation>Trackdateien</translation>
    </message>
    <message>
        <source>Route Plans</source>
        <translation>Routenpläne</translation>
    </message>
    <message>
        <source>Points of Interest</source>
        <translation>Sonderziele</translation>
    </message>
    <message>
        <source>GPX Files</source>
        <translation>GPX-Dateien</translation>
    </message>
    <message>
        <source>KML Files</source>
        <translation>KML-Dateien</translation>
    </message>
    <message>
        <source>CSV Files</source>
        <translation>CSV-Dateien</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Connect the Vantrel with its USB cable and switch it on, then try again; or choose its serial port with Device &gt; Serial Port. Files can be opened, edited and saved without it.</source>
        <translation>Schließen Sie das Vantrel mit seinem USB-Kabel an, schalten Sie es ein und versuchen Sie es erneut, oder wählen Sie seine Schnittstelle unter Gerät &gt; Serielle Schnittstelle. Dateien lassen sich auch ohne das Gerät öffnen, bearbeiten und speichern.</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortfahren</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Entfernung</translation>
    </message>
    <message>
        <source>above the ellipsoid</source>
        <translation>über dem Ellipsoid</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Foto</translation>
    </message>
    <message>
        <source>Camera time</source>
        <translation>Kamerazeit</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Add a folder of photos</source>
        <translation>Fotoordner hinzufügen</translation>
    </message>
    <message>
        <source>Add photos</source>
        <translation>Fotos hinzufügen</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Clock photo</source>
        <translation>Foto einer Uhr</translation>
    </message>
    <message>
        <source>The time the clock in %1 shows (HH:MM:SS):</source>
        <translation>Die Uhrzeit, die die Uhr auf %1 zeigt (HH:MM:SS):</translation>
    </message>
</context>
<context>
    <name>vantrel::PhotosPage</name>
    <message>
        <source>Add photos...</source>
        <translation>Fotos wählen...</translation>
    </message>
    <message>
        <source>Add folder...</source>
        <translation>Ordner wählen...</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>this computer&apos;s zone</source>
        <translation>Zone dieses Computers</translation>
    </message>
    <message>
        <source>From a clock photo...</source>
        <translation>Aus einem Uhrfoto...</translation>
    </message>
    <message>
        <source>Replace positions photos hold</source>
        <translation>Vorhandene Positionen ersetzen</translation>
    </message>
    <message>
        <source>where a photo cannot be written</source>
        <translation>wo ein Foto nicht beschreibbar ist</translation>
    </message>
    <message>
        <source>for every photo</source>
        <translation>für jedes Foto</translation>
    </message>
    <message>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>Write positions</source>
        <translation>Positionen schreiben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Camera zone</source>
        <translation>Kamerazone</translation>
    </message>
    <message>
        <source>Clock offset</source>
        <translation>Uhrabweichung</translation>
    </message>
    <message>
        <source>Largest gap</source>
        <translation>Größte Lücke</translation>
    </message>
    <message>
        <source>XMP sidecar</source>
        <translation>XMP-Begleitdatei</translation>
    </message>
    <message>
        <source>Reading the photos...</source>
        <translation>Die Fotos werden gelesen...</translation>
    </message>
    <message>
        <source>No photo has a position to write.</source>
        <translation>Kein Foto hat eine Position, die geschrieben werden kann.</translation>
    </message>
    <message>
        <source>Cancelled after %1 of %2. </source>
        <translation>Abgebrochen nach %1 von %2. </translation>
    </message>
    <message>
        <source>Select the photo of a clock first.</source>
        <translation>Wählen Sie zuerst das Foto einer Uhr.</translation>
    </message>
</context>
<context>
    <name>vantrel::ProfileView</name>
    <message>
        <source>Range</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>&amp;Distance</source>
        <translation>&amp;Entfernung</translation>
    </message>
    <message>
        <source>Time of &amp;day</source>
        <translation>&amp;Uhrzeit</translation>
    </message>
    <message>
        <source>&amp;Every selected track</source>
        <translation>&amp;Alle ausgewählten Tracks</translation>
    </message>
    <message>
        <source>&amp;Zoom to Range</source>
        <translation>Auf Bereich &amp;zoomen</translation>
    </message>
    <message>
        <source>&amp;Whole Track</source>
        <translation>&amp;Ganzer Track</translation>
    </message>
    <message>
        <source>Range: %1, points %2 to %3</source>
        <translation>Bereich: %1, Punkte %2 bis %3</translation>
    </message>
</context>
<context>
    <name>vantrel::StatisticsPanel</name>
    <message>
        <source>Distance</source>
        <translation>Entfernung</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Moving time</source>
        <translation>In Bewegung</translation>
    </message>
    <message>
        <source>Mean speed</source>
        <translation>Ø gesamt</translation>
    </message>
    <message>
        <source>Moving speed</source>
        <translation>Ø bewegt</translation>
    </message>
    <message>
        <source>Top speed</source>
        <translation>Max. Tempo</translation>
    </message>
    <message>
        <source>Ascent</source>
        <translation>Aufstieg</translation>
    </message>
    <message>
        <source>Descent</source>
        <translation>Abstieg</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Min. Höhe</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Max. Höhe</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgChoosePort</name>
    <message>
        <source>Serial Port</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>The &amp;port the Vantrel is connected to:</source>
        <translation>Die &amp;Schnittstelle, an der das Vantrel hängt:</translation>
    </message>
    <message>
        <source>Find the Vantrel automatically</source>
        <translation>Vantrel automatisch suchen</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgMaxSpeed</name>
    <message>
        <source>Drop Outliers</source>
        <translation>Ausreißer entfernen</translation>
    </message>
    <message>
        <source>Drop the points that imply a speed &amp;above:</source>
        <translation>Punkte entfernen, die eine Geschwindigkeit &amp;über diesem Wert ergeben:</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgModifyTrackName</name>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Selected To Save</source>
        <translation>Zum Speichern ausgewählt</translation>
    </message>
    <message>
        <source>Modify Track Name &amp; Color</source>
        <translation>Trackname und Farbe ändern</translation>
    </message>
    <message>
        <source>Track Name:</source>
        <translation>Trackname:</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgPlanName</name>
    <message>
        <source>Modify Plan Route Title</source>
        <translation>Titel des Planpunkts ändern</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
</context>
<context>
    <name>vantrel::TdlgStartLogo</name>
    <message>
        <source>Vantrel Services</source>
        <translation>Vantrel-Dienste</translation>
    </message>
</context>
<context>
    <name>vantrel::TfmMain</name>
    <message>
        <source>Cannot open images/iconLogo.ico: the window has no icon.</source>
        <translation>images/iconLogo.ico kann nicht geöffnet werden: Das Fenster hat kein Symbol.</translation>
    </message>
    <message>
        <source>Cannot open images/logostart.bmp: the splash shows no picture.</source>
        <translation>images/logostart.bmp kann nicht geöffnet werden: Der Startbildschirm zeigt kein Bild.</translation>
    </message>
    <message>
        <source>the tracks</source>
        <translation>den Tracks</translation>
    </message>
    <message>
        <source>the plan</source>
        <translation>dem Plan</translation>
    </message>
    <message>
        <source>the POIs</source>
        <translation>den POIs</translation>
    </message>
    <message>
        <source>Save Track Data To File</source>
        <translation>Trackdaten in Datei speichern</translation>
    </message>
    <message>
        <source>Open Track File</source>
        <translation>Trackdatei öffnen</translation>
    </message>
    <message>
        <source>Save Track Plan To File</source>
        <translation>Plan in Datei speichern</translation>
    </message>
    <message>
        <source>Open Track Plan From File</source>
        <translation>Plan aus Datei öffnen</translation>
    </message>
    <message>
        <source>Save POIs To File</source>
        <translation>POIs in Datei speichern</translation>
    </message>
    <message>
        <source>Open POI File</source>
        <translation>POI-Datei öffnen</translation>
    </message>
    <message>
        <source>There are changes to %1 that are not saved; %2 would lose them.

Save them first?</source>
        <translation>Es gibt ungespeicherte Änderungen an %1; %2 würde sie verwerfen.

Zuerst speichern?</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>opening another file</source>
        <translation>das Öffnen einer anderen Datei</translation>
    </message>
    <message>
        <source>A track file holds at most 64 tracks and 65536 points: %1 would be left out.

Save every track as GPX instead, to %2?</source>
        <translation>Eine Trackdatei fasst höchstens 64 Tracks und 65536 Punkte: %1 würden fehlen.

Stattdessen alle Tracks als GPX speichern, unter %2?</translation>
    </message>
    <message>
        <source>Save Tracks</source>
        <translation>Tracks speichern</translation>
    </message>
    <message>
        <source>Cannot open %1: the program opens track files (.trk), GPX, route plans (.rte), POI files (.wpt) and their CSV files.</source>
        <translation>%1 kann nicht geöffnet werden: Das Programm öffnet Trackdateien (.trk), GPX, Routenpläne (.rte), POI-Dateien (.wpt) und deren CSV-Dateien.</translation>
    </message>
    <message>
        <source>closing the window</source>
        <translation>das Schließen des Fensters</translation>
    </message>
    <message>
        <source>a new download</source>
        <translation>ein neues Herunterladen</translation>
    </message>
    <message>
        <source>The plan list is empty. Uploading it erases the route plan stored on the Vantrel.

Upload the empty plan?</source>
        <translation>Die Planliste ist leer. Das Hochladen löscht den auf dem Vantrel gespeicherten Routenplan.

Den leeren Plan hochladen?</translation>
    </message>
    <message>
        <source>The POI list is empty. Uploading it erases every POI stored on the Vantrel.

Upload the empty list?</source>
        <translation>Die POI-Liste ist leer. Das Hochladen löscht alle auf dem Vantrel gespeicherten POIs.

Die leere Liste hochladen?</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>clearing the list</source>
        <translation>das Leeren der Liste</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>Test Calc</source>
        <translation>Testrechnung</translation>
    </message>
    <message>
        <source>Test Marker</source>
        <translation>Testmarkierung</translation>
    </message>
    <message>
        <source>Maps</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>Online map</source>
        <translation>Online-Karte</translation>
    </message>
    <message>
        <source>Open offline map...</source>
        <translation>Offline-Karte öffnen...</translation>
    </message>
    <message>
        <source>Open Offline Map</source>
        <translation>Offline-Karte öffnen</translation>
    </message>
    <message>
        <source>Offline Maps</source>
        <translation>Offline-Karten</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>The map is shown, but cannot be remembered: %1 cannot be written</source>
        <translation>Die Karte wird angezeigt, kann aber nicht gemerkt werden: %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation>Ä&amp;ndern...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Clear &amp;All</source>
        <translation>&amp;Alle entfernen</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Herunterladen</translation>
    </message>
    <message>
        <source>&amp;Upload</source>
        <translation>H&amp;ochladen</translation>
    </message>
    <message>
        <source>&amp;Cancel Transfer</source>
        <translation>Übertragung a&amp;bbrechen</translation>
    </message>
    <message>
        <source>Serial &amp;Port...</source>
        <translation>Serielle &amp;Schnittstelle...</translation>
    </message>
    <message>
        <source>&amp;Find the Vantrel</source>
        <translation>Vantrel such&amp;en</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>D&amp;raw the Selected Tracks</source>
        <translation>Ausgewählte Tracks &amp;zeichnen</translation>
    </message>
    <message>
        <source>&amp;Status Page</source>
        <translation>&amp;Statusseite</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Vantrel</source>
        <translation>Ü&amp;ber Vantrel</translation>
    </message>
    <message>
        <source>About Vantrel</source>
        <translation>Über Vantrel</translation>
    </message>
    <message>
        <source>Vantrel %1

The desktop companion of the Vantrel GPS guider and track logger.</source>
        <translation>Vantrel %1

Das Begleitprogramm für den Desktop zum GPS-Führer und Tracklogger Vantrel.</translation>
    </message>
    <message>
        <source>The transfer was cancelled; nothing was kept or sent.</source>
        <translation>Die Übertragung wurde abgebrochen; nichts wurde übernommen oder gesendet.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>No track is selected: tick the Select box of each track to draw.</source>
        <translation>Kein Track ist ausgewählt: Setzen Sie bei jedem Track, der gezeichnet werden soll, das Häkchen in der Spalte „Auswahl“.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>End the transfer; nothing is kept or sent (Esc)</source>
        <translation>Übertragung beenden; nichts wird behalten oder gesendet (Esc)</translation>
    </message>
    <message>
        <source>, %1/s</source>
        <translation>, %1/s</translation>
    </message>
    <message>
        <source>Uploading: %1 of %2 sent%3</source>
        <translation>Hochladen: %1 von %2 gesendet%3</translation>
    </message>
    <message>
        <source>Downloading: %1 received%2</source>
        <translation>Herunterladen: %1 empfangen%2</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Kürzen</translation>
    </message>
    <message>
        <source>Delete Points</source>
        <translation>Punkte löschen</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Zusammenführen</translation>
    </message>
    <message>
        <source>Drop Outliers...</source>
        <translation>Ausreißer entfernen...</translation>
    </message>
    <message>
        <source>Keep only the points selected in the grid</source>
        <translation>Nur die in der Tabelle ausgewählten Punkte behalten</translation>
    </message>
    <message>
        <source>Cut the track before the first point selected in the grid</source>
        <translation>Den Track vor dem ersten in der Tabelle ausgewählten Punkt teilen</translation>
    </message>
    <message>
        <source>Join the tracks selected in the list in time order</source>
        <translation>Die in der Liste ausgewählten Tracks in zeitlicher Reihenfolge zusammenführen</translation>
    </message>
    <message>
        <source>&amp;Trim to the Selected Points</source>
        <translation>Auf die ausgewählten Punkte &amp;kürzen</translation>
    </message>
    <message>
        <source>&amp;Delete the Selected Points</source>
        <translation>Ausgewählte Punkte &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Split Before the Selected Points</source>
        <translation>Vor den ausgewählten Punkten &amp;teilen</translation>
    </message>
    <message>
        <source>Drop &amp;Outliers...</source>
        <translation>&amp;Ausreißer entfernen...</translation>
    </message>
    <message>
        <source>Mer&amp;ge the Selected Tracks</source>
        <translation>Ausgewählte Tracks &amp;zusammenführen</translation>
    </message>
    <message>
        <source>Select the points to keep in the point grid first.</source>
        <translation>Wählen Sie zuerst in der Punkttabelle die Punkte, die bleiben sollen.</translation>
    </message>
    <message>
        <source>Select the points to delete in the point grid first.</source>
        <translation>Wählen Sie zuerst in der Punkttabelle die Punkte, die gelöscht werden sollen.</translation>
    </message>
    <message>
        <source>Select the point to split before in the point grid first.</source>
        <translation>Wählen Sie zuerst in der Punkttabelle den Punkt, vor dem geteilt werden soll.</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
</context>
</TS>
