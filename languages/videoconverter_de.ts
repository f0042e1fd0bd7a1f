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
        <translation>CorVane Software Co., Ltd.</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Updates suchen</translation>
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
        <translation>Nach Größe:</translation>
    </message>
    <message>
        <source>Split Time</source>
        <translation>Nach Dauer</translation>
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
</context>
<context>
    <name>BurningDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Burn CD</source>
        <translation>Disc brennen</translation>
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
        <translation>(CD 1X = 176,4 kB/s)</translation>
    </message>
    <message>
        <source>Disc Ladel:</source>
        <translation>Disc-Bezeichnung:</translation>
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
        <translation>Brennfortschritt</translation>
    </message>
    <message>
        <source>Burnning In Progress</source>
        <translation>Brennvorgang läuft</translation>
    </message>
    <message>
        <source>Creating ISO:</source>
        <translation>ISO erstellen:</translation>
    </message>
    <message>
        <source>Burning To Disc:</source>
        <translation>Auf Disc brennen:</translation>
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
        <source>All Supported Formats</source>
        <translation>Alle unterstützten Formate</translation>
    </message>
    <message>
        <source>Apple Video files</source>
        <translation>Apple-Videodateien</translation>
    </message>
    <message>
        <source>Apple Music files</source>
        <translation>Apple-Musikdateien</translation>
    </message>
    <message>
        <source>Audible Audio</source>
        <translation>Audible-Audio</translation>
    </message>
    <message>
        <source>Audible Enhanced Format</source>
        <translation>Audible Enhanced Format</translation>
    </message>
    <message>
        <source>Adaptive Multi-Rate file</source>
        <translation>Adaptive-Multi-Rate-Datei</translation>
    </message>
    <message>
        <source>MOD File</source>
        <translation>MOD-Datei</translation>
    </message>
    <message>
        <source>TOD File</source>
        <translation>TOD-Datei</translation>
    </message>
    <message>
        <source>High-definition files</source>
        <translation>HD-Dateien</translation>
    </message>
    <message>
        <source>AVI Video files</source>
        <translation>AVI-Videodateien</translation>
    </message>
    <message>
        <source>MPEG4 files</source>
        <translation>MPEG-4-Dateien</translation>
    </message>
    <message>
        <source>MPEG files</source>
        <translation>MPEG-Dateien</translation>
    </message>
    <message>
        <source>DPG files</source>
        <translation>DPG-Dateien</translation>
    </message>
    <message>
        <source>3GP files</source>
        <translation>3GP-Dateien</translation>
    </message>
    <message>
        <source>Windows Media Video</source>
        <translation>Windows Media Video</translation>
    </message>
    <message>
        <source>Real Media files</source>
        <translation>Real-Media-Dateien</translation>
    </message>
    <message>
        <source>Video CD files</source>
        <translation>Video-CD-Dateien</translation>
    </message>
    <message>
        <source>Quick Time files</source>
        <translation>QuickTime-Dateien</translation>
    </message>
    <message>
        <source>Flash Video files</source>
        <translation>Flash-Videodateien</translation>
    </message>
    <message>
        <source>MKV files</source>
        <translation>MKV-Dateien</translation>
    </message>
    <message>
        <source>Digital Video Files</source>
        <translation>DV-Dateien</translation>
    </message>
    <message>
        <source>Microsoft Digital Video Recorder</source>
        <translation>Microsoft Digital Video Recorder</translation>
    </message>
    <message>
        <source>NUT Files</source>
        <translation>NUT-Dateien</translation>
    </message>
    <message>
        <source>Raw h.264 Video Files</source>
        <translation>H.264-Rohvideodateien</translation>
    </message>
    <message>
        <source>Nullsoft Stream Video</source>
        <translation>Nullsoft Streaming Video</translation>
    </message>
    <message>
        <source>Unprotected VOB File</source>
        <translation>Ungeschützte VOB-Datei</translation>
    </message>
    <message>
        <source>Gif File</source>
        <translation>GIF-Datei</translation>
    </message>
    <message>
        <source>MPEG Audio Files</source>
        <translation>MPEG-Audiodateien</translation>
    </message>
    <message>
        <source>Windows Media Audio File</source>
        <translation>Windows-Media-Audiodatei</translation>
    </message>
    <message>
        <source>Advanced Audio Coding File</source>
        <translation>AAC-Audiodatei</translation>
    </message>
    <message>
        <source>Audio Code 3 File</source>
        <translation>AC-3-Audiodatei</translation>
    </message>
    <message>
        <source>Matroska Audio File</source>
        <translation>Matroska-Audiodatei</translation>
    </message>
    <message>
        <source>OGG Vorbis Audio File</source>
        <translation>Ogg-Vorbis-Audiodatei</translation>
    </message>
    <message>
        <source>Audio Interleave File Formats</source>
        <translation>AIFF-Audiodateien</translation>
    </message>
    <message>
        <source>Real Audio Files</source>
        <translation>RealAudio-Dateien</translation>
    </message>
    <message>
        <source>Tivo File</source>
        <translation>TiVo-Datei</translation>
    </message>
    <message>
        <source>Lossless Audio Files</source>
        <translation>Verlustfreie Audiodateien</translation>
    </message>
    <message>
        <source>WEBM Files</source>
        <translation>WebM-Dateien</translation>
    </message>
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
        <source>Name:%1
Duration:%2
Resolution:%3×%4
Bit Rate:%5 kbps
Frame Rate:%6
Sample Rate:%7
Bit Rate:%8 kbps
Channel:%9 Channel
</source>
        <translation>Name: %1
Dauer: %2
Auflösung: %3×%4
Bitrate: %5 kbps
Bildrate: %6
Abtastrate: %7
Bitrate: %8 kbps
Kanäle: %9
</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Corvane Reelmax is updated with the other programs of your system. Please use your distribution&apos;s package manager (for example &quot;apt update &amp;&amp; apt upgrade&quot;) to look for a newer version.</source>
        <translation>Corvane Reelmax wird zusammen mit den anderen Programmen Ihres Systems aktualisiert. Bitte suchen Sie mit der Paketverwaltung Ihrer Distribution (zum Beispiel &quot;apt update &amp;&amp; apt upgrade&quot;) nach einer neueren Version.</translation>
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
        <translation>Eine Konvertierung läuft bereits.</translation>
    </message>
    <message>
        <source>Please Select a format first.</source>
        <translation>Bitte wählen Sie zuerst ein Format.</translation>
    </message>
    <message>
        <source>Please Add File First.</source>
        <translation>Bitte fügen Sie zuerst eine Datei hinzu.</translation>
    </message>
    <message>
        <source>Please add at least two files to merge.</source>
        <translation>Bitte fügen Sie zum Verbinden mindestens zwei Dateien hinzu.</translation>
    </message>
    <message>
        <source>Please Select a File First.</source>
        <translation>Bitte wählen Sie zuerst eine Datei.</translation>
    </message>
    <message>
        <source>Please select a output directory first.</source>
        <translation>Bitte wählen Sie zuerst einen Ausgabeordner.</translation>
    </message>
    <message>
        <source>The output folder &quot;%1&quot; cannot be created. Please choose another one.</source>
        <translation>Der Ausgabeordner „%1“ kann nicht angelegt werden. Bitte wählen Sie einen anderen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder. Please choose another output folder.</source>
        <translation>„%1“ ist kein Ordner. Bitte wählen Sie einen anderen Ausgabeordner.</translation>
    </message>
    <message>
        <source>The output folder &quot;%1&quot; cannot be written. Please choose another one.</source>
        <translation>In den Ausgabeordner „%1“ kann nicht geschrieben werden. Bitte wählen Sie einen anderen.</translation>
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
        <translation>zum Verbinden sind mindestens zwei Dateien nötig</translation>
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
        <source>Convert Finished</source>
        <translation>Konvertierung abgeschlossen</translation>
    </message>
    <message>
        <source>Convert Finished.</source>
        <translation>Die Konvertierung ist abgeschlossen.</translation>
    </message>
    <message>
        <source>Merge Aborted</source>
        <translation>Verbinden abgebrochen</translation>
    </message>
    <message>
        <source>Convert Aborted</source>
        <translation>Konvertierung abgebrochen</translation>
    </message>
    <message>
        <source>Merge Aborted.</source>
        <translation>Das Verbinden wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Convert Aborted.</source>
        <translation>Die Konvertierung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>Verbinden fehlgeschlagen</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>Konvertierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Merge Failed.</source>
        <translation>Das Verbinden ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Convert Failed.</source>
        <translation>Die Konvertierung ist fehlgeschlagen.</translation>
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
</context>
<context>
    <name>ConvertCompletedDlg</name>
    <message>
        <source>Completed</source>
        <translation>Abgeschlossen</translation>
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
        <translation>Auf Disc brennen</translation>
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
        <translation>Auswahl aufheben</translation>
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
        <translation>Herunterladen der Datei fehlgeschlagen</translation>
    </message>
    <message>
        <source>The page cannot be shown here (%1); the video is still saved.</source>
        <translation>Die Seite kann hier nicht angezeigt werden (%1); das Video wird trotzdem gespeichert.</translation>
    </message>
</context>
<context>
    <name>DvdBurnJob</name>
    <message>
        <source>The disc could not be made.</source>
        <translation>Die Disc konnte nicht erstellt werden.</translation>
    </message>
</context>
<context>
    <name>EditorColorCombo</name>
    <message>
        <source>Customize</source>
        <translation>Anpassen...</translation>
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
        <translation>Wiedergabe</translation>
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
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Mirror top to bottom</source>
        <translation>Vertikal spiegeln</translation>
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
        <translation>Detaillierte Informationen</translation>
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
        <translation>Dateien werden geladen...</translation>
    </message>
    <message>
        <source>loaded file:%1</source>
        <translation>Geladene Datei: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>%1 is not a valid multi-media file.</source>
        <translation>%1 ist keine gültige Mediendatei.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
    <name>ProfileDisplay</name>
    <message>
        <source>Keep Original</source>
        <translation>Original beibehalten</translation>
    </message>
    <message>
        <source>Keep original</source>
        <translation>Original beibehalten</translation>
    </message>
    <message>
        <source>%1 Channel Mono</source>
        <translation>%1 Kanal Mono</translation>
    </message>
    <message>
        <source>%1 Channels Stereo</source>
        <translation>%1 Kanäle Stereo</translation>
    </message>
    <message>
        <source>%1 Channels</source>
        <translation>%1 Kanäle</translation>
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
    <name>SettingsDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Processing</source>
        <translation>Verarbeitung</translation>
    </message>
    <message>
        <source>Reset Default</source>
        <translation>Standard wiederherstellen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
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
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Ausgabeordner:</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>Schnappschuss</translation>
    </message>
    <message>
        <source>Default Format</source>
        <translation>Standardformat</translation>
    </message>
    <message>
        <source>Snapshot Folder:</source>
        <translation>Schnappschussordner:</translation>
    </message>
    <message>
        <source>Temp Directory</source>
        <translation>Temporärer Ordner</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>CPU Core</source>
        <translation>CPU-Kerne</translation>
    </message>
    <message>
        <source>Customize CPU core number:</source>
        <translation>Anzahl der CPU-Kerne:</translation>
    </message>
    <message>
        <source>GPU</source>
        <translation>GPU</translation>
    </message>
    <message>
        <source>Use GPU encoding</source>
        <translation>GPU-Kodierung verwenden</translation>
    </message>
    <message>
        <source>Browse Folder</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Convert Output Directory not exist.</source>
        <translation>Der Ausgabeordner existiert nicht.</translation>
    </message>
    <message>
        <source>Snapshot Directory not exist.</source>
        <translation>Der Schnappschussordner existiert nicht.</translation>
    </message>
    <message>
        <source>Temp Directory not exist.</source>
        <translation>Der temporäre Ordner existiert nicht.</translation>
    </message>
    <message>
        <source>Please restart application to apply settings.</source>
        <translation>Bitte starten Sie das Programm neu, damit die Einstellungen wirksam werden.</translation>
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
        <translation>Profil bearbeiten</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Ausgabe:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
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
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Convert is in progress, stop it?</source>
        <translation>Eine Konvertierung läuft. Abbrechen?</translation>
    </message>
    <message>
        <source>Stop Convert</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please select a profile first.</source>
        <translation>Bitte wählen Sie zuerst ein Profil.</translation>
    </message>
    <message>
        <source>Select Output Directory</source>
        <translation>Ausgabeordner wählen</translation>
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
        <source>Converting %1 (%2 of %3 done)</source>
        <translation>Konvertiere %1 (%2 von %3 fertig)</translation>
    </message>
    <message>
        <source>Converting %1</source>
        <translation>Konvertiere %1</translation>
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
        <translation>Keines</translation>
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
        <translation>Lautstärke</translation>
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
        <translation>Datei auswählen</translation>
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
        <source>All Images</source>
        <translation>Alle Bilder</translation>
    </message>
    <message>
        <source>Tag Image File Format</source>
        <translation>TIFF-Bild</translation>
    </message>
    <message>
        <source>GIF compuServce GIF</source>
        <translation>CompuServe-GIF-Bild</translation>
    </message>
    <message>
        <source>Portable Network Graphics</source>
        <translation>PNG-Bild</translation>
    </message>
    <message>
        <source>JPEG Image File</source>
        <translation>JPEG-Bild</translation>
    </message>
    <message>
        <source>Bitmaps</source>
        <translation>Bitmaps</translation>
    </message>
    <message>
        <source>Icons</source>
        <translation>Symbole</translation>
    </message>
    <message>
        <source>Enhanced Metafiles</source>
        <translation>Erweiterte Metadateien</translation>
    </message>
    <message>
        <source>Metafiles</source>
        <translation>Metadateien</translation>
    </message>
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
        <translation>Bilddatei auswählen</translation>
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
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>Schneiden</translation>
    </message>
    <message>
        <source>Edit Effect</source>
        <translation>Effekte bearbeiten</translation>
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
        <translation>Zu einer Datei verbinden</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Customize Profile</source>
        <translation>Profile anpassen</translation>
    </message>
    <message>
        <source>Open Output Directory</source>
        <translation>Ausgabeordner öffnen</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Aktionen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
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
        <translation>Nach Abschluss</translation>
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
        <translation>Computer herunterfahren</translation>
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
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>Product Page</source>
        <translation>Produktseite</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>Alle umwandeln</translation>
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
        <translation>Wiedergabe</translation>
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
        <translation>Schnappschussordner öffnen</translation>
    </message>
    <message>
        <source>Change Snapshot Folder</source>
        <translation>Schnappschussordner ändern</translation>
    </message>
    <message>
        <source>Snapshot Format</source>
        <translation>Schnappschussformat</translation>
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
    <message>
        <source>The snapshot folder &quot;%1&quot; cannot be created. Please choose another one (More &gt; Change Snapshot Folder).</source>
        <translation>Der Schnappschussordner &quot;%1&quot; kann nicht angelegt werden. Bitte wählen Sie einen anderen (Mehr &gt; Schnappschussordner ändern).</translation>
    </message>
    <message>
        <source>The snapshot folder &quot;%1&quot; cannot be written. Please choose another one (More &gt; Change Snapshot Folder).</source>
        <translation>In den Schnappschussordner &quot;%1&quot; kann nicht geschrieben werden. Bitte wählen Sie einen anderen (Mehr &gt; Schnappschussordner ändern).</translation>
    </message>
    <message>
        <source>The snapshot could not be saved as &quot;%1&quot;.</source>
        <translation>Der Schnappschuss konnte nicht als &quot;%1&quot; gespeichert werden.</translation>
    </message>
    <message>
        <source>Snapshot Failed</source>
        <translation>Schnappschuss fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>VideoProfileMenuWidget</name>
    <message>
        <source>Customize</source>
        <translation>Anpassen</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Add to Favourites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Remove from Favourites</source>
        <translation>Aus Favoriten entfernen</translation>
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
        <translation>Gängige Videoformate</translation>
    </message>
    <message>
        <source>Common Audio</source>
        <translation>Gängige Audioformate</translation>
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
        <translation>Apple</translation>
    </message>
    <message>
        <source>HTC</source>
        <translation>HTC</translation>
    </message>
    <message>
        <source>Motorola</source>
        <translation>Motorola</translation>
    </message>
    <message>
        <source>Nokia</source>
        <translation>Nokia</translation>
    </message>
    <message>
        <source>LG</source>
        <translation>LG</translation>
    </message>
    <message>
        <source>BlackBerry</source>
        <translation>BlackBerry</translation>
    </message>
    <message>
        <source>Samsung</source>
        <translation>Samsung</translation>
    </message>
    <message>
        <source>Sony Ericsson</source>
        <translation>Sony Ericsson</translation>
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
        <translation>Microsoft Zune</translation>
    </message>
    <message>
        <source>Creative ZEN</source>
        <translation>Creative ZEN</translation>
    </message>
    <message>
        <source>Archos</source>
        <translation>Archos</translation>
    </message>
    <message>
        <source>Sandisk Sansa</source>
        <translation>SanDisk Sansa</translation>
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
        <translation>Neuer Name:</translation>
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
        <translation>Download</translation>
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
        <translation>Start</translation>
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
        <source>Add Files...</source>
        <translation>Dateien hinzufügen...</translation>
    </message>
    <message>
        <source>Add Folder...</source>
        <translation>Ordner hinzufügen...</translation>
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
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Forward one twentieth</source>
        <translation>Ein Zwanzigstel vorspringen</translation>
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
        <translation>Den Abschnitt hier beginnen</translation>
    </message>
    <message>
        <source>Set End</source>
        <translation>Ende setzen</translation>
    </message>
    <message>
        <source>End the clip here</source>
        <translation>Den Abschnitt hier enden lassen</translation>
    </message>
    <message>
        <source>Add the section to the clips</source>
        <translation>Den Abschnitt zur Liste hinzufügen</translation>
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
        <translation>Der Abschnitt ist leer: Setzen Sie das Ende hinter den Anfang.</translation>
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
        <translation>Ziehen Sie Ihre Dateien hierher oder</translation>
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
        <translation>, um zu beginnen.</translation>
    </message>
</context>
</TS>
