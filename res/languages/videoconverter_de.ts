<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Corvane Reelmax</source>
        <translation>Corvane Reelmax</translation>
    </message>
    <message>
        <source>Corvane Reelmax 4.6.2</source>
        <translation>Corvane Reelmax 4.6.2</translation>
    </message>
    <message>
        <source>CorVane Software co., ltd</source>
        <translation>CorVane Software co., ltd</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AdvancedDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>Encoder:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Fit with black bars</source>
        <translation>Einpassen mit schwarzen Balken</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>Strecken</translation>
    </message>
    <message>
        <source>Crop to fill</source>
        <translation>Zuschneiden und füllen</translation>
    </message>
    <message>
        <source>When the picture&apos;s shape differs from the frame size: keep the whole picture with black bars, stretch it to the frame, or fill the frame and cut the rest</source>
        <translation>Wenn das Bild eine andere Form als das Ausgabeformat hat: das ganze Bild mit schwarzen Balken zeigen, es auf das Format strecken oder das Format füllen und den Rest abschneiden</translation>
    </message>
    <message>
        <source>Aspect:</source>
        <translation>Seitenverhältnis:</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>Aufteilen</translation>
    </message>
    <message>
        <source>Split Size:</source>
        <translation>Teilgröße:</translation>
    </message>
    <message>
        <source>Split Time</source>
        <translation>Teildauer</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>BurningDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Burn CD</source>
        <translation>CD brennen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Geschwindigkeit:</translation>
    </message>
    <message>
        <source>(CD 1X=176.4kb/sec)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disc Ladel:</source>
        <translation>Datenträgername:</translation>
    </message>
    <message>
        <source>Start Burning</source>
        <translation>Brennen starten</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>DVD image file (.iso)…</source>
        <translation>DVD-Abbilddatei (.iso)…</translation>
    </message>
    <message>
        <source>Save DVD Image</source>
        <translation>DVD-Abbild speichern</translation>
    </message>
    <message>
        <source>DVD images (*.iso)</source>
        <translation>DVD-Abbilder (*.iso)</translation>
    </message>
</context>
<context>
    <name>BurningProgressDlg</name>
    <message>
        <source>BurningProgressDlg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Burnning In Progress</source>
        <translation>Brennvorgang läuft</translation>
    </message>
    <message>
        <source>Creating ISO:</source>
        <translation>ISO wird erstellt:</translation>
    </message>
    <message>
        <source>Burning To Disc:</source>
        <translation>Brennen auf Datenträger:</translation>
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
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>burn Failed</source>
        <translation>Brennen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>burn success</source>
        <translation>Brennen erfolgreich</translation>
    </message>
</context>
<context>
    <name>CEventHandler</name>
    <message>
        <source>Show Window</source>
        <translation>Fenster anzeigen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Open Video Files</source>
        <translation>Videodateien öffnen</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Convert In Progress. Files could not be removed until convert finished.</source>
        <translation>Konvertierung läuft. Dateien können erst nach dem Ende der Konvertierung entfernt werden.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Start update/update.exe Failed.</source>
        <translation>update/update.exe konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Convert is in progress.</source>
        <translation>Eine Konvertierung läuft.</translation>
    </message>
    <message>
        <source>Please Select a format first.</source>
        <translation>Bitte zuerst ein Format wählen.</translation>
    </message>
    <message>
        <source>Please Add File First.</source>
        <translation>Bitte zuerst eine Datei hinzufügen.</translation>
    </message>
    <message>
        <source>Please add at least two files to merge.</source>
        <translation>Zum Zusammenfügen bitte mindestens zwei Dateien hinzufügen.</translation>
    </message>
    <message>
        <source>Please Select a File First.</source>
        <translation>Bitte zuerst eine Datei auswählen.</translation>
    </message>
    <message>
        <source>Please select a output directory first.</source>
        <translation>Bitte zuerst einen Ausgabeordner wählen.</translation>
    </message>
    <message>
        <source>The output folder &quot;%1&quot; cannot be created. Please choose another one.</source>
        <translation>Der Ausgabeordner „%1“ kann nicht angelegt werden. Bitte einen anderen wählen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder. Please choose another output folder.</source>
        <translation>„%1“ ist kein Ordner. Bitte einen anderen Ausgabeordner wählen.</translation>
    </message>
    <message>
        <source>The output folder &quot;%1&quot; cannot be written. Please choose another one.</source>
        <translation>In den Ausgabeordner „%1“ kann nicht geschrieben werden. Bitte einen anderen wählen.</translation>
    </message>
    <message>
        <source>no file to convert</source>
        <translation>keine Datei zum Konvertieren</translation>
    </message>
    <message>
        <source>no output file name</source>
        <translation>kein Name für die Ausgabedatei</translation>
    </message>
    <message>
        <source>a merge needs at least two files</source>
        <translation>zum Zusammenfügen sind mindestens zwei Dateien nötig</translation>
    </message>
    <message>
        <source>%1 was not written</source>
        <translation>%1 wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>the conversion failed without a reason</source>
        <translation>die Konvertierung schlug ohne Angabe eines Grundes fehl</translation>
    </message>
    <message>
        <source>the conversion ended without a result</source>
        <translation>die Konvertierung endete ohne Ergebnis</translation>
    </message>
    <message>
        <source>Converted: %1 of %2 files.</source>
        <translation>Konvertiert: %1 von %2 Dateien.</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Not converted (stopped): %1</source>
        <translation>Nicht konvertiert (angehalten): %1</translation>
    </message>
    <message>
        <source>Convert Finished</source>
        <translation>Konvertierung abgeschlossen</translation>
    </message>
    <message>
        <source>Convert Finished.</source>
        <translation>Konvertierung abgeschlossen.</translation>
    </message>
    <message>
        <source>Merge Aborted</source>
        <translation>Zusammenfügen abgebrochen</translation>
    </message>
    <message>
        <source>Convert Aborted</source>
        <translation>Konvertierung abgebrochen</translation>
    </message>
    <message>
        <source>Merge Aborted.</source>
        <translation>Zusammenfügen abgebrochen.</translation>
    </message>
    <message>
        <source>Convert Aborted.</source>
        <translation>Konvertierung abgebrochen.</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>Zusammenfügen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>Konvertierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Merge Failed.</source>
        <translation>Zusammenfügen fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Convert Failed.</source>
        <translation>Konvertierung fehlgeschlagen.</translation>
    </message>
</context>
<context>
    <name>ConvertCompletedDlg</name>
    <message>
        <source>Completed</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Conversion is completed!</source>
        <translation>Die Konvertierung ist abgeschlossen!</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Burn to Disc</source>
        <translation>Auf Datenträger brennen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>CustomizeDialog</name>
    <message>
        <source>Customize Profile</source>
        <translation>Profile anpassen</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Anpassen</translation>
    </message>
    <message>
        <source>Check All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Uncheck All</source>
        <translation>Alle abwählen</translation>
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
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Please check at least one profile: the profile menu cannot be empty.</source>
        <translation>Bitte mindestens ein Profil auswählen: das Profilmenü darf nicht leer sein.</translation>
    </message>
</context>
<context>
    <name>DownloadDlg</name>
    <message>
        <source>Download Video</source>
        <translation>Video herunterladen</translation>
    </message>
    <message>
        <source>Video Address:</source>
        <translation>Videoadresse:</translation>
    </message>
    <message>
        <source>Address of the page that plays the video</source>
        <translation>Adresse der Seite, die das Video abspielt</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Download File failed</source>
        <translation>Herunterladen fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>EditorColorCombo</name>
    <message>
        <source>Customize</source>
        <translation>Anpassen</translation>
    </message>
</context>
<context>
    <name>EditorDialog</name>
    <message>
        <source>Edit Video</source>
        <translation>Video bearbeiten</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Mirror:</source>
        <translation>Spiegeln:</translation>
    </message>
    <message>
        <source>Mirror left to right</source>
        <translation>Links und rechts spiegeln</translation>
    </message>
    <message>
        <source>Mirror top to bottom</source>
        <translation>Oben und unten spiegeln</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Zuschneiden</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>Wasserzeichen</translation>
    </message>
    <message>
        <source>warnning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>selected video file is not a valid video file.</source>
        <translation>Die gewählte Datei ist keine gültige Videodatei.</translation>
    </message>
</context>
<context>
    <name>FileInfoDialog</name>
    <message>
        <source>File Information</source>
        <translation>Dateiinformationen</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>Ausführliche Informationen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>LoadVideoFilesProgressDialog</name>
    <message>
        <source>Loading</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Loading In Progress...</source>
        <translation>Wird geladen...</translation>
    </message>
    <message>
        <source>loaded file:</source>
        <translation>geladene Datei:</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source> is not a valid multi-media file.</source>
        <translation> ist keine gültige Mediendatei.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Corvane Reelmax</source>
        <translation>Corvane Reelmax</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>These files of the last session are gone or can no longer be read, and were left out of the list:

%1</source>
        <translation>Diese Dateien der letzten Sitzung sind nicht mehr vorhanden oder nicht mehr lesbar und wurden aus der Liste genommen:

%1</translation>
    </message>
</context>
<context>
    <name>VideoConvertWidget</name>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>Edit Profile</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Ausgabe:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Wählen...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Output To Itunes</source>
        <translation>An iTunes übergeben</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>Fortschritt:</translation>
    </message>
    <message>
        <source>time cost:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>Start Convert</source>
        <translation>Konvertieren</translation>
    </message>
    <message>
        <source>Convert the selected file (or merge the list into one file)</source>
        <translation>Die ausgewählte Datei konvertieren (oder die Liste zu einer Datei zusammenfügen)</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>Alle umwandeln</translation>
    </message>
    <message>
        <source>Convert every file of the list, each into its own output file</source>
        <translation>Jede Datei der Liste in eine eigene Ausgabedatei konvertieren</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Convert is in progress, stop it?</source>
        <translation>Eine Konvertierung läuft. Anhalten?</translation>
    </message>
    <message>
        <source>Stop Convert</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Converting %1 (%2 of %3 done)</source>
        <translation>Konvertiere %1 (%2 von %3 fertig)</translation>
    </message>
    <message>
        <source>Converting %1</source>
        <translation>Konvertiere %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please select a profile first.</source>
        <translation>Bitte zuerst ein Profil wählen.</translation>
    </message>
    <message>
        <source>Select Output Directory</source>
        <translation>Ausgabeordner wählen</translation>
    </message>
</context>
<context>
    <name>VideoEditTabCrop</name>
    <message>
        <source>Keep Original</source>
        <translation>Original beibehalten</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>16:9</source>
        <translation>16:9</translation>
    </message>
    <message>
        <source>4:3</source>
        <translation>4:3</translation>
    </message>
    <message>
        <source>3:2</source>
        <translation>3:2</translation>
    </message>
    <message>
        <source>Keep Aspect Ratio</source>
        <translation>Seitenverhältnis beibehalten</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Links:</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Oben:</translation>
    </message>
    <message>
        <source>Cropped Area Size:</source>
        <translation>Größe des Ausschnitts:</translation>
    </message>
    <message>
        <source>Tip:</source>
        <translation>Tipp:</translation>
    </message>
    <message>
        <source>Ctrl+Arrow key: Adjust the crop area location; Shift+Arrow key:Zoom the crop area.</source>
        <translation>Strg+Pfeiltaste: Ausschnitt verschieben; Umschalt+Pfeiltaste: Ausschnitt vergrößern oder verkleinern.</translation>
    </message>
</context>
<context>
    <name>VideoEditTabEffect</name>
    <message>
        <source>No Effect</source>
        <translation>Kein Effekt</translation>
    </message>
    <message>
        <source>Deshake</source>
        <translation>Stabilisieren</translation>
    </message>
    <message>
        <source>Sharp</source>
        <translation>Schärfen</translation>
    </message>
    <message>
        <source>Blur</source>
        <translation>Weichzeichnen</translation>
    </message>
    <message>
        <source>Negate</source>
        <translation>Negativ</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Repeat Odd Field</source>
        <translation>Ungerades Halbbild wiederholen</translation>
    </message>
    <message>
        <source>Repeat Even Field</source>
        <translation>Gerades Halbbild wiederholen</translation>
    </message>
    <message>
        <source>Odd Interpolate</source>
        <translation>Ungerade interpolieren</translation>
    </message>
    <message>
        <source>Even Interpolate</source>
        <translation>Gerade interpolieren</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Deinterlacing</source>
        <translation>Deinterlacing</translation>
    </message>
    <message>
        <source>Brigtness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Amplifier</source>
        <translation>Verstärkung</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>VideoEditTabOverlay</name>
    <message>
        <source>Regular</source>
        <translation>Normal</translation>
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
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>Transparenz:</translation>
    </message>
    <message>
        <source>Horizontal Space:</source>
        <translation>Horizontaler Abstand:</translation>
    </message>
    <message>
        <source>Vertical Space:</source>
        <translation>Vertikaler Abstand:</translation>
    </message>
</context>
<context>
    <name>VideoEditTabSubtitle</name>
    <message>
        <source>Enable the plug-in subtitle</source>
        <translation>Externe Untertitel einblenden</translation>
    </message>
    <message>
        <source>Enable customized style</source>
        <translation>Eigenen Stil verwenden</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>subtitle files(*.srt *.ass *.ssa)</source>
        <translation>Untertiteldateien (*.srt *.ass *.ssa)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>incorrect subtitle file!</source>
        <translation>Ungültige Untertiteldatei!</translation>
    </message>
</context>
<context>
    <name>VideoEditTabWatermark</name>
    <message>
        <source>Starup Watermark</source>
        <translation>Wasserzeichen einblenden</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>Bild-Wasserzeichen</translation>
    </message>
    <message>
        <source>Text Waterwark</source>
        <translation>Text-Wasserzeichen</translation>
    </message>
    <message>
        <source>Select Image Files</source>
        <translation>Bilddateien wählen</translation>
    </message>
    <message>
        <source>Image:</source>
        <translation>Bild:</translation>
    </message>
    <message>
        <source>Image Size:</source>
        <translation>Bildgröße:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
</context>
<context>
    <name>VideoListModel</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
</context>
<context>
    <name>VideoListPopupMenu</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Edit Effect</source>
        <translation>Effekt bearbeiten</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>Dateiinformationen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
</context>
<context>
    <name>VideoMenuBarWidget</name>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Add File</source>
        <translation>Datei hinzufügen</translation>
    </message>
    <message>
        <source>Download Video</source>
        <translation>Video herunterladen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>Dateiinformationen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Video Edit</source>
        <translation>Video bearbeiten</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Merge Into One File</source>
        <translation>Zu einer Datei zusammenfügen</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Customize Profile</source>
        <translation>Profile anpassen</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Aktionen</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>Alle umwandeln</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Post Task Actions</source>
        <translation>Nach der Konvertierung</translation>
    </message>
    <message>
        <source>Do Nothing</source>
        <translation>Nichts tun</translation>
    </message>
    <message>
        <source>Exit Program</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Shutdown Computer</source>
        <translation>Computer ausschalten</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation>Online-Hilfe</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Product Page</source>
        <translation>Produktseite</translation>
    </message>
</context>
<context>
    <name>VideoPlayerWidget</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Schnappschuss</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Open Snapshot Folder</source>
        <translation>Schnappschuss-Ordner öffnen</translation>
    </message>
    <message>
        <source>Change Snapshot Folder</source>
        <translation>Schnappschuss-Ordner ändern</translation>
    </message>
    <message>
        <source>Snapshot Format</source>
        <translation>Schnappschuss-Format</translation>
    </message>
    <message>
        <source>JPEG</source>
        <translation>JPEG</translation>
    </message>
    <message>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <source>warnning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>selected video file is not a valid video file.</source>
        <translation>Die gewählte Datei ist keine gültige Videodatei.</translation>
    </message>
</context>
<context>
    <name>VideoProfileMenuWidget</name>
    <message>
        <source>Customize</source>
        <translation>Anpassen</translation>
    </message>
    <message>
        <source>Add to Favourites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Remove from Favourites</source>
        <translation>Aus Favoriten entfernen</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
</context>
<context>
    <name>VideoProfileUserConfig</name>
    <message>
        <source>Recent</source>
        <translation>Zuletzt verwendet</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>DVD</source>
        <translation>DVD</translation>
    </message>
    <message>
        <source>Common Video</source>
        <translation>Allgemeines Video</translation>
    </message>
    <message>
        <source>Common Audio</source>
        <translation>Allgemeines Audio</translation>
    </message>
    <message>
        <source>HD Video</source>
        <translation>HD-Video</translation>
    </message>
    <message>
        <source>3D Video</source>
        <translation>3D-Video</translation>
    </message>
    <message>
        <source>Online Video</source>
        <translation>Online-Video</translation>
    </message>
    <message>
        <source>Apple</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motorola</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nokia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BlackBerry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Samsung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sony Ericsson</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Hardware</source>
        <translation>Spielkonsolen</translation>
    </message>
    <message>
        <source>Mobile Phones</source>
        <translation>Mobiltelefone</translation>
    </message>
    <message>
        <source>Microsoft Zune</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creative ZEN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Archos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sandisk Sansa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Media Players</source>
        <translation>Mediaplayer</translation>
    </message>
</context>
<context>
    <name>VideoRenameDlg</name>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>new name:</source>
        <translation>neuer Name:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>VideoTitleBarWidget</name>
    <message>
        <source>Corvane Reelmax</source>
        <translation>Corvane Reelmax</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>VideoToolBarWidget</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Add video or audio files to the list</source>
        <translation>Video- oder Audiodateien zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Add a folder, or a recently opened file</source>
        <translation>Einen Ordner oder eine zuletzt geöffnete Datei hinzufügen</translation>
    </message>
    <message>
        <source>Capture the video a web page plays</source>
        <translation>Das Video einer Webseite aufnehmen</translation>
    </message>
    <message>
        <source>Remove the selected files from the list</source>
        <translation>Die ausgewählten Dateien aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Edit the selected file: crop, effects, subtitles, watermark</source>
        <translation>Die ausgewählte Datei bearbeiten: Zuschnitt, Effekte, Untertitel, Wasserzeichen</translation>
    </message>
    <message>
        <source>Cut sections out of the selected file</source>
        <translation>Abschnitte aus der ausgewählten Datei schneiden</translation>
    </message>
    <message>
        <source>Join all files of the list into one output file</source>
        <translation>Alle Dateien der Liste zu einer Ausgabedatei zusammenfügen</translation>
    </message>
    <message>
        <source>Play the selected file in the preview</source>
        <translation>Die ausgewählte Datei in der Vorschau abspielen</translation>
    </message>
    <message>
        <source>Pause the preview</source>
        <translation>Die Vorschau anhalten</translation>
    </message>
    <message>
        <source>Stop the preview</source>
        <translation>Die Vorschau beenden</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>Dateien hinzufügen...</translation>
    </message>
    <message>
        <source>Add Folder...</source>
        <translation>Ordner hinzufügen...</translation>
    </message>
</context>
<context>
    <name>VideoTrimDialog</name>
    <message>
        <source>Clip</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Abspielen/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Forward one twentieth</source>
        <translation>Ein Zwanzigstel vorwärts</translation>
    </message>
    <message>
        <source>Play Section</source>
        <translation>Abschnitt abspielen</translation>
    </message>
    <message>
        <source>Play from the start of the section</source>
        <translation>Ab dem Anfang des Abschnitts abspielen</translation>
    </message>
    <message>
        <source>Set Start</source>
        <translation>Anfang setzen</translation>
    </message>
    <message>
        <source>Start the clip here</source>
        <translation>Den Clip hier beginnen</translation>
    </message>
    <message>
        <source>Set End</source>
        <translation>Ende setzen</translation>
    </message>
    <message>
        <source>End the clip here</source>
        <translation>Den Clip hier beenden</translation>
    </message>
    <message>
        <source>Add the section to the clips</source>
        <translation>Den Abschnitt zu den Clips hinzufügen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle entfernen</translation>
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
        <source>warnning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>selected video file is not a valid video file.</source>
        <translation>Die gewählte Datei ist keine gültige Videodatei.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The clip is empty: set its end after its start.</source>
        <translation>Der Clip ist leer: das Ende muss nach dem Anfang liegen.</translation>
    </message>
</context>
<context>
    <name>VideoTrimDialogSectionChooser</name>
    <message>
        <source>Drag to the start</source>
        <translation>Zum Anfang ziehen</translation>
    </message>
    <message>
        <source>Drag to the end</source>
        <translation>Zum Ende ziehen</translation>
    </message>
</context>
<context>
    <name>WelcomeWidget</name>
    <message>
        <source>Drag and drop your file here or</source>
        <translation>Dateien hierher ziehen oder</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Dateien hinzufügen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Click </source>
        <translation>Klicken Sie auf </translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source> to start. </source>
        <translation>, um zu beginnen. </translation>
    </message>
</context>
</TS>
