<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AppMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;Feedback and Support</source>
        <translation>&amp;Feedback und Support</translation>
    </message>
    <message>
        <source>&amp;Add Files...</source>
        <translation>Dateien &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>&amp;Alle entfernen</translation>
    </message>
    <message>
        <source>Clear &amp;Finished Items</source>
        <translation>Abgeschlossene &amp;Einträge entfernen</translation>
    </message>
    <message>
        <source>&amp;Check for Updates</source>
        <translation>Nach &amp;Updates suchen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Show &amp;Log Folder</source>
        <translation>&amp;Protokollordner zeigen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>ComponentCheck</name>
    <message>
        <source>The installed OCR module is damaged. Please try again.</source>
        <translation>Das installierte OCR-Modul ist beschädigt. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Installation Failed</source>
        <translation>Installation fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>ConvertOptionSetting</name>
    <message>
        <source>OCR Settings</source>
        <translation>OCR-Einstellungen</translation>
    </message>
    <message>
        <source>DOCX Settings</source>
        <translation>DOCX-Einstellungen</translation>
    </message>
    <message>
        <source>XLSX Settings</source>
        <translation>XLSX-Einstellungen</translation>
    </message>
    <message>
        <source>PPTX Settings</source>
        <translation>PPTX-Einstellungen</translation>
    </message>
    <message>
        <source>TXT Settings</source>
        <translation>TXT-Einstellungen</translation>
    </message>
    <message>
        <source>RTF Settings</source>
        <translation>RTF-Einstellungen</translation>
    </message>
    <message>
        <source>HTML Settings</source>
        <translation>HTML-Einstellungen</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>CSV-Einstellungen</translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation>Bildeinstellungen</translation>
    </message>
    <message>
        <source>Pages Settings</source>
        <translation>Pages-Einstellungen</translation>
    </message>
    <message>
        <source>Keynote Settings</source>
        <translation>Keynote-Einstellungen</translation>
    </message>
    <message>
        <source>Numbers Settings</source>
        <translation>Numbers-Einstellungen</translation>
    </message>
    <message>
        <source>Select cover</source>
        <translation>Buchcover auswählen</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Farbe auswählen</translation>
    </message>
</context>
<context>
    <name>CreatorItemWidget</name>
    <message>
        <source>Output Name</source>
        <translation>Ausgabename</translation>
    </message>
    <message>
        <source>Type a name for the PDF.</source>
        <translation>Geben Sie einen Namen für die PDF-Datei ein.</translation>
    </message>
    <message>
        <source>The name cannot hold &quot;/&quot;: the PDF is made in the output folder.</source>
        <translation>Der Name darf kein „/“ enthalten: Die PDF-Datei wird im Ausgabeordner erstellt.</translation>
    </message>
    <message>
        <source>The name cannot be only dots and blanks.</source>
        <translation>Der Name darf nicht nur aus Punkten und Leerzeichen bestehen.</translation>
    </message>
</context>
<context>
    <name>DesktopOpener</name>
    <message>
        <source>No application could be started to open this location. You can find it here:
%1</source>
        <translation>Es konnte kein Programm gestartet werden, um diesen Ort zu öffnen. Sie finden ihn hier:
%1</translation>
    </message>
    <message>
        <source>No web browser could be started for this address. Copy it into a browser to open it:
%1</source>
        <translation>Für diese Adresse konnte kein Webbrowser gestartet werden. Kopieren Sie sie in einen Browser, um sie zu öffnen:
%1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
</context>
<context>
    <name>DocquillMainWidget</name>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>Konvertieren</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>Drag PDF, Image files here</source>
        <translation>PDF- und Bilddateien hierher ziehen</translation>
    </message>
    <message>
        <source>Drag Word, PowerPoint, image etc. files here</source>
        <translation>Word-, PowerPoint-, Bilddateien usw. hierher ziehen</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>OCR-Modul wird heruntergeladen...</translation>
    </message>
    <message>
        <source>The downloaded OCR module is damaged and was not installed. Please try again.</source>
        <translation>Das heruntergeladene OCR-Modul ist beschädigt und wurde nicht installiert. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The OCR module could not be downloaded: %1</source>
        <translation>Das OCR-Modul konnte nicht heruntergeladen werden: %1</translation>
    </message>
</context>
<context>
    <name>Downloading</name>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>OCR-Modul wird heruntergeladen...</translation>
    </message>
</context>
<context>
    <name>EnterPassword</name>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Print password</source>
        <translation>Passwort zum Drucken</translation>
    </message>
    <message>
        <source>Incorrect Password</source>
        <translation>Falsches Passwort</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Auf alle anwenden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open password</source>
        <translation>Passwort zum Öffnen</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>Die Datei lässt sich nicht öffnen.</translation>
    </message>
</context>
<context>
    <name>FileItemWidget</name>
    <message>
        <source>All Pages</source>
        <translation>Alle Seiten</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>e.g.(1,3,4-7)</source>
        <translation>z. B. (1,3,4-7)</translation>
    </message>
    <message>
        <source>%1 Pages</source>
        <translation>%1 Seiten</translation>
    </message>
    <message>
        <source>%1 Page</source>
        <translation>%1 Seite</translation>
    </message>
    <message>
        <source>Skipped: the file is locked. Click its icon and enter its password to convert it.</source>
        <translation>Übersprungen: Die Datei ist gesperrt. Klicken Sie auf ihr Symbol und geben Sie ihr Passwort ein, um sie zu konvertieren.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a page or a range of pages such as 4-7.</source>
        <translation>„%1“ ist weder eine Seite noch ein Seitenbereich wie 4-7.</translation>
    </message>
    <message>
        <source>There is no page %1 in this document.</source>
        <translation>Dieses Dokument hat keine Seite %1.</translation>
    </message>
    <message>
        <source>The range %1 ends before it starts.</source>
        <translation>Der Bereich %1 endet, bevor er beginnt.</translation>
    </message>
    <message>
        <source>Type the pages to convert, for example 1,3,4-7.</source>
        <translation>Geben Sie die zu konvertierenden Seiten ein, zum Beispiel 1,3,4-7.</translation>
    </message>
</context>
<context>
    <name>FileListWindow</name>
    <message>
        <source>Merge</source>
        <translation>Kombinieren</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Konvertieren</translation>
    </message>
    <message>
        <source>Encrypt</source>
        <translation>Verschlüsseln</translation>
    </message>
    <message>
        <source>Decrypt</source>
        <translation>Entschlüsseln</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Komprimieren</translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>Zielordner auswählen</translation>
    </message>
    <message>
        <source>Select Files</source>
        <translation>Dateien auswählen</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a password protected PDF file.</source>
        <translation>„%1“ ist keine passwortgeschützte PDF-Datei.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>„%1“: %2</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>the file is damaged</source>
        <translation>die Datei ist beschädigt</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>die Datei konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>this page does not take this kind of file</source>
        <translation>diese Seite nimmt diese Art von Datei nicht an</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>Diese Dateien wurden nicht hinzugefügt:</translation>
    </message>
    <message>
        <source>Nothing was started. Correct these files first:</source>
        <translation>Es wurde nichts gestartet. Korrigieren Sie zuerst diese Dateien:</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>und %1 weitere.</translation>
    </message>
</context>
<context>
    <name>GLanguage</name>
    <message>
        <source>Error network, please check your connection!</source>
        <translation>Netzwerkfehler. Bitte überprüfen Sie Ihre Internetverbindung.</translation>
    </message>
    <message>
        <source>The program gets crashed.</source>
        <translation>Das Programm ist abgestürzt.</translation>
    </message>
    <message>
        <source>Please send the crash report to the developer. (%1)</source>
        <translation>Bitte senden Sie den Absturzbericht an den Entwickler. (%1)</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>is currently the newest version available.</source>
        <translation>ist die derzeit neueste verfügbare Version.</translation>
    </message>
    <message>
        <source>Requests are too frequent, please try again later.</source>
        <translation>Zu viele Anfragen. Bitte versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>The advanced OCR (Optical Character Recognition) module can recognize text from scanned PDF or image file, convert them to copyable and searchable PDF file.
Downloading this OCR module now?</source>
        <translation>Das erweiterte OCR-Modul (optische Zeichenerkennung) erkennt Text in gescannten PDF- und Bilddateien und wandelt sie in durchsuchbare PDF-Dateien mit kopierbarem Text um.
Möchten Sie das OCR-Modul jetzt herunterladen?</translation>
    </message>
    <message>
        <source>The folder path is read-only. Pleas correct or try again.</source>
        <translation>Der Ordner ist schreibgeschützt. Bitte korrigieren Sie den Pfad oder versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The selected languages are not supported</source>
        <translation>Die ausgewählten Sprachen werden nicht unterstützt</translation>
    </message>
    <message>
        <source>Unable to save the file</source>
        <translation>Die Datei kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolgreich</translation>
    </message>
    <message>
        <source>The input file does not exist or has been moved</source>
        <translation>Die Eingabedatei existiert nicht oder wurde verschoben</translation>
    </message>
    <message>
        <source>Password required or incorrect password.</source>
        <translation>Passwort erforderlich oder falsches Passwort.</translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation>Nicht genügend Arbeitsspeicher.</translation>
    </message>
    <message>
        <source>Unknown error in processing conversion.</source>
        <translation>Unbekannter Fehler bei der Konvertierung.</translation>
    </message>
    <message>
        <source>Unknown error in processing PDF.</source>
        <translation>Unbekannter Fehler bei der PDF-Verarbeitung.</translation>
    </message>
    <message>
        <source>File not found or could not be opened.</source>
        <translation>Die Datei wurde nicht gefunden oder konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>File not in PDF format or corrupted.</source>
        <translation>Die Datei ist keine PDF-Datei oder beschädigt.</translation>
    </message>
    <message>
        <source>Unsupported security scheme.</source>
        <translation>Nicht unterstütztes Sicherheitsverfahren.</translation>
    </message>
    <message>
        <source>Page not found or content error.</source>
        <translation>Seite nicht gefunden oder Fehler im Inhalt.</translation>
    </message>
    <message>
        <source>Conversion task canceled.</source>
        <translation>Konvertierung abgebrochen.</translation>
    </message>
    <message>
        <source>Folder compression failed.</source>
        <translation>Der Ordner konnte nicht komprimiert werden.</translation>
    </message>
    <message>
        <source>No tables found in the source file.</source>
        <translation>In der Quelldatei wurden keine Tabellen gefunden.</translation>
    </message>
    <message>
        <source>Failed to call OCR regnition.</source>
        <translation>Die OCR-Texterkennung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Currently executing conversion task.</source>
        <translation>Es wird bereits eine Konvertierung ausgeführt.</translation>
    </message>
    <message>
        <source>Failure.</source>
        <translation>Fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation>Unbekannter Fehler.</translation>
    </message>
    <message>
        <source>File protected by password.</source>
        <translation>Die Datei ist passwortgeschützt.</translation>
    </message>
    <message>
        <source>Invalid arguments.</source>
        <translation>Ungültige Argumente.</translation>
    </message>
    <message>
        <source>Unable to open the source file.</source>
        <translation>Die Quelldatei kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Unsupported file format.</source>
        <translation>Nicht unterstütztes Dateiformat.</translation>
    </message>
    <message>
        <source>Source file not found.</source>
        <translation>Die Quelldatei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Output directory not found.</source>
        <translation>Der Zielordner wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The requested worksheet was not found.</source>
        <translation>Das angeforderte Arbeitsblatt wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Unable to use an empty worksheet.</source>
        <translation>Ein leeres Arbeitsblatt kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>Unable to modify or open a protected PDF.</source>
        <translation>Ein geschütztes PDF kann nicht geöffnet oder bearbeitet werden.</translation>
    </message>
    <message>
        <source>Raised when there is a problem calling an Office application.</source>
        <translation>Beim Aufruf einer Office-Anwendung ist ein Problem aufgetreten.</translation>
    </message>
    <message>
        <source>There are no printers installed, so Office conversion can not proceed.</source>
        <translation>Es ist kein Drucker installiert, daher kann die Office-Konvertierung nicht durchgeführt werden.</translation>
    </message>
    <message>
        <source>The output folder does not exist or cannot be written to.</source>
        <translation>Der Zielordner existiert nicht oder ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>Converting to %1 needs Apple&apos;s %1 application, which does not run on Linux. Choose &quot;%2&quot; instead: it makes a document in %3 format, which %1 opens too.</source>
        <translation>Die Konvertierung nach %1 erfordert die Apple-App %1, die unter Linux nicht läuft. Wählen Sie stattdessen „%2“: Sie erhalten ein Dokument im Format %3, das auch %1 öffnen kann.</translation>
    </message>
    <message>
        <source>The picture cannot be read: the file is damaged or is not a picture.</source>
        <translation>Das Bild kann nicht gelesen werden: Die Datei ist beschädigt oder kein Bild.</translation>
    </message>
    <message>
        <source>The output name is not a file name: it is empty or holds a &quot;/&quot;.</source>
        <translation>Der Ausgabename ist kein Dateiname: Er ist leer oder enthält ein „/“.</translation>
    </message>
    <message>
        <source>The file needs more memory than %1 and was stopped.</source>
        <translation>Die Datei braucht mehr als %1 Arbeitsspeicher und wurde angehalten.</translation>
    </message>
    <message>
        <source>The file took too long to read and was stopped.</source>
        <translation>Das Lesen der Datei hat zu lange gedauert und wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The text of a scanned page could not be recognised with confidence in any of the available languages.</source>
        <translation>Der Text einer gescannten Seite konnte in keiner der verfügbaren Sprachen zuverlässig erkannt werden.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>Der Datenträger ist voll.</translation>
    </message>
    <message>
        <source>The document cannot be read: the file is damaged or is not a document of its type.</source>
        <translation>Das Dokument kann nicht gelesen werden: Die Datei ist beschädigt oder kein Dokument ihres Typs.</translation>
    </message>
    <message>
        <source>The pages hold no text, only pictures such as scans. Turn on &quot;Recognize text&quot; in the options to read the text in them.</source>
        <translation>Die Seiten enthalten keinen Text, nur Bilder wie Scans. Schalten Sie in den Optionen „Text erkennen“ ein, um ihren Text zu lesen.</translation>
    </message>
</context>
<context>
    <name>InstallModule</name>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The unzip tool could not be started.</source>
        <translation>Das Programm unzip konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Unpacking the package took too long.</source>
        <translation>Das Entpacken des Pakets hat zu lange gedauert.</translation>
    </message>
    <message>
        <source>The package is damaged and could not be unpacked.</source>
        <translation>Das Paket ist beschädigt und konnte nicht entpackt werden.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>1 file is still being converted. Stop and quit?</source>
        <translation>1 Datei wird noch konvertiert. Anhalten und beenden?</translation>
    </message>
    <message>
        <source>%1 files are still being converted. Stop and quit?</source>
        <translation>%1 Dateien werden noch konvertiert. Anhalten und beenden?</translation>
    </message>
</context>
<context>
    <name>MergeWidget</name>
    <message>
        <source>Creating PDF File...</source>
        <translation>PDF-Datei wird erstellt...</translation>
    </message>
    <message>
        <source>PDF Creation Completed</source>
        <translation>PDF-Erstellung abgeschlossen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The merge is failed</source>
        <translation>Kombinieren fehlgeschlagen</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Im Ordner zeigen</translation>
    </message>
    <message>
        <source>%1 of %2 files are in the merged PDF.</source>
        <translation>%1 von %2 Dateien sind im zusammengeführten PDF.</translation>
    </message>
</context>
<context>
    <name>ModuleDownload</name>
    <message>
        <source>The server answered with status %1.</source>
        <translation>Der Server antwortete mit Status %1.</translation>
    </message>
    <message>
        <source>The server sent the package encoded (%1).</source>
        <translation>Der Server sandte das Paket codiert (%1).</translation>
    </message>
    <message>
        <source>Only %1 of %2 bytes arrived.</source>
        <translation>Nur %1 von %2 Bytes sind angekommen.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>OptionSetting</name>
    <message>
        <source>Setting</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation>Layout-Einstellungen</translation>
    </message>
    <message>
        <source>Retain Flowing Text</source>
        <translation>Fließtext beibehalten</translation>
    </message>
    <message>
        <source>Retain Page Layout</source>
        <translation>Seitenlayout beibehalten</translation>
    </message>
    <message>
        <source>Excel WorkSheet Settings</source>
        <translation>Excel-Arbeitsblatteinstellungen</translation>
    </message>
    <message>
        <source>All Content</source>
        <translation>Gesamter Inhalt</translation>
    </message>
    <message>
        <source>Only Table</source>
        <translation>Nur Tabellen</translation>
    </message>
    <message>
        <source>Create Sheet for each Table</source>
        <translation>Ein Blatt pro Tabelle</translation>
    </message>
    <message>
        <source>Create Sheet for each Page</source>
        <translation>Ein Blatt pro Seite</translation>
    </message>
    <message>
        <source>PDF/A Standards:</source>
        <translation>PDF/A-Standards:</translation>
    </message>
    <message>
        <source>PDF/A-1a</source>
        <translation>PDF/A-1a</translation>
    </message>
    <message>
        <source>PDF/A-1b</source>
        <translation>PDF/A-1b</translation>
    </message>
    <message>
        <source>PDF/A-2a</source>
        <translation>PDF/A-2a</translation>
    </message>
    <message>
        <source>PDF/A-2b</source>
        <translation>PDF/A-2b</translation>
    </message>
    <message>
        <source>PDF/A-2u</source>
        <translation>PDF/A-2u</translation>
    </message>
    <message>
        <source>PDF/A-3a</source>
        <translation>PDF/A-3a</translation>
    </message>
    <message>
        <source>PDF/A-3b</source>
        <translation>PDF/A-3b</translation>
    </message>
    <message>
        <source>PDF/A-3u</source>
        <translation>PDF/A-3u</translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation>Bildeinstellungen</translation>
    </message>
    <message>
        <source>Each page of the PDF as separate images</source>
        <translation>Jede PDF-Seite als eigenes Bild</translation>
    </message>
    <message>
        <source>Image scaling</source>
        <translation>Bildskalierung</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>25%</source>
        <translation>25%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>200%</source>
        <translation>200%</translation>
    </message>
    <message>
        <source>400%</source>
        <translation>400%</translation>
    </message>
    <message>
        <source>Adjoin all pages into one single image</source>
        <translation>Alle Seiten zu einem Bild zusammenfügen</translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation>Rahmenbreite</translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation>Rahmenfarbe</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>CSV-Einstellungen</translation>
    </message>
    <message>
        <source>Create a single sheet for file</source>
        <translation>Ein Blatt für die ganze Datei</translation>
    </message>
    <message>
        <source>Create sheet for each table</source>
        <translation>Ein Blatt pro Tabelle</translation>
    </message>
    <message>
        <source>Book Cover</source>
        <translation>Buchcover</translation>
    </message>
    <message>
        <source>No book cover</source>
        <translation>Kein Buchcover</translation>
    </message>
    <message>
        <source>Add a book cover</source>
        <translation>Buchcover hinzufügen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Display Settings</source>
        <translation>Anzeigeeinstellungen</translation>
    </message>
    <message>
        <source>Page Options:</source>
        <translation>Seitenoptionen:</translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation>Einzelne Seite</translation>
    </message>
    <message>
        <source>Single Page with Outlines</source>
        <translation>Einzelne Seite mit Lesezeichen</translation>
    </message>
    <message>
        <source>Multiple Pages</source>
        <translation>Mehrere Seiten</translation>
    </message>
    <message>
        <source>Multiple Pages with Outlines</source>
        <translation>Mehrere Seiten mit Lesezeichen</translation>
    </message>
    <message>
        <source>OCR Settings</source>
        <translation>OCR-Einstellungen</translation>
    </message>
    <message>
        <source>Recognize text</source>
        <translation>Text erkennen</translation>
    </message>
    <message>
        <source>Language Option</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Auf alle anwenden</translation>
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
    <name>QAbout</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>More Info</source>
        <translation>Mehr Infos</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Copyright %1 %2 Tarvello. All rights reserved.</source>
        <translation>Copyright %1 %2 Tarvello. Alle Rechte vorbehalten.</translation>
    </message>
</context>
<context>
    <name>QNetWorkProcess</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>Die Update-Informationen konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Software-Update</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>A new version of %1 is available! <byte value="xd"/>
%1 %2 is now available---you have %3. Would you like to download it now?</source>
        <translation>Eine neue Version von %1 ist verfügbar!<byte value="xd"/>
%1 %2 ist jetzt verfügbar – Sie haben %3. Möchten Sie die neue Version jetzt herunterladen?</translation>
    </message>
</context>
</TS>
