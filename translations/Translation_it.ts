<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>AppMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Lingua</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Guida utente</translation>
    </message>
    <message>
        <source>&amp;Feedback and Support</source>
        <translation>&amp;Feedback e assistenza</translation>
    </message>
    <message>
        <source>&amp;Add Files...</source>
        <translation>&amp;Aggiungi file...</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>&amp;Rimuovi tutto</translation>
    </message>
    <message>
        <source>Clear &amp;Finished Items</source>
        <translation>Rimuovi elementi &amp;completati</translation>
    </message>
    <message>
        <source>&amp;Check for Updates</source>
        <translation>&amp;Verifica aggiornamenti</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Informazioni</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
    <message>
        <source>Show &amp;Log Folder</source>
        <translation>&amp;Mostra cartella dei registri</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
</context>
<context>
    <name>ComponentCheck</name>
    <message>
        <source>The installed OCR module is damaged. Please try again.</source>
        <translation>Il modulo OCR installato è danneggiato. Riprova.</translation>
    </message>
    <message>
        <source>Installation Failed</source>
        <translation>Installazione non riuscita</translation>
    </message>
</context>
<context>
    <name>ConvertOptionSetting</name>
    <message>
        <source>OCR Settings</source>
        <translation>Impostazioni OCR</translation>
    </message>
    <message>
        <source>DOCX Settings</source>
        <translation>Impostazioni DOCX</translation>
    </message>
    <message>
        <source>XLSX Settings</source>
        <translation>Impostazioni XLSX</translation>
    </message>
    <message>
        <source>PPTX Settings</source>
        <translation>Impostazioni PPTX</translation>
    </message>
    <message>
        <source>TXT Settings</source>
        <translation>Impostazioni TXT</translation>
    </message>
    <message>
        <source>RTF Settings</source>
        <translation>Impostazioni RTF</translation>
    </message>
    <message>
        <source>HTML Settings</source>
        <translation>Impostazioni HTML</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>Impostazioni CSV</translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation>Impostazioni immagine</translation>
    </message>
    <message>
        <source>Pages Settings</source>
        <translation>Impostazioni Pages</translation>
    </message>
    <message>
        <source>Keynote Settings</source>
        <translation>Impostazioni Keynote</translation>
    </message>
    <message>
        <source>Numbers Settings</source>
        <translation>Impostazioni Numbers</translation>
    </message>
    <message>
        <source>Select cover</source>
        <translation>Seleziona copertina</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Seleziona colore</translation>
    </message>
</context>
<context>
    <name>CreatorItemWidget</name>
    <message>
        <source>Output Name</source>
        <translation>Nome output</translation>
    </message>
    <message>
        <source>Type a name for the PDF.</source>
        <translation>Digitare un nome per il PDF.</translation>
    </message>
    <message>
        <source>The name cannot hold &quot;/&quot;: the PDF is made in the output folder.</source>
        <translation>Il nome non può contenere &quot;/&quot;: il PDF viene creato nella cartella di destinazione.</translation>
    </message>
    <message>
        <source>The name cannot be only dots and blanks.</source>
        <translation>Il nome non può essere composto solo da punti e spazi.</translation>
    </message>
</context>
<context>
    <name>DesktopOpener</name>
    <message>
        <source>No application could be started to open this location. You can find it here:
%1</source>
        <translation>Non è stato possibile avviare alcuna applicazione per aprire questa posizione. Si trova qui:
%1</translation>
    </message>
    <message>
        <source>No web browser could be started for this address. Copy it into a browser to open it:
%1</source>
        <translation>Non è stato possibile avviare un browser per questo indirizzo. Copialo in un browser per aprirlo:
%1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
</context>
<context>
    <name>DocquillMainWidget</name>
    <message>
        <source>MainWindow</source>
        <translation>Finestra principale</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>Conversione</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>Creazione</translation>
    </message>
    <message>
        <source>Drag PDF, Image files here</source>
        <translation>Trascina qui file PDF o immagini</translation>
    </message>
    <message>
        <source>Drag Word, PowerPoint, image etc. files here</source>
        <translation>Trascina qui file Word, PowerPoint, immagini ecc.</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>Download del modulo OCR...</translation>
    </message>
    <message>
        <source>The downloaded OCR module is damaged and was not installed. Please try again.</source>
        <translation>Il modulo OCR scaricato è danneggiato e non è stato installato. Riprova.</translation>
    </message>
    <message>
        <source>The OCR module could not be downloaded: %1</source>
        <translation>Impossibile scaricare il modulo OCR: %1</translation>
    </message>
</context>
<context>
    <name>Downloading</name>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>Download del modulo OCR...</translation>
    </message>
</context>
<context>
    <name>EnterPassword</name>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Print password</source>
        <translation>Password di stampa</translation>
    </message>
    <message>
        <source>Incorrect Password</source>
        <translation>Password errata</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Applica a tutti</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open password</source>
        <translation>Password di apertura</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>Impossibile aprire il file.</translation>
    </message>
</context>
<context>
    <name>FileItemWidget</name>
    <message>
        <source>All Pages</source>
        <translation>Tutte</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Intervallo</translation>
    </message>
    <message>
        <source>e.g.(1,3,4-7)</source>
        <translation>es. (1,3,4-7)</translation>
    </message>
    <message>
        <source>%1 Pages</source>
        <translation>%1 pagine</translation>
    </message>
    <message>
        <source>%1 Page</source>
        <translation>%1 pagina</translation>
    </message>
    <message>
        <source>Skipped: the file is locked. Click its icon and enter its password to convert it.</source>
        <translation>Saltato: il file è bloccato. Fare clic sulla sua icona e inserire la password per convertirlo.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a page or a range of pages such as 4-7.</source>
        <translation>&quot;%1&quot; non è una pagina né un intervallo di pagine come 4-7.</translation>
    </message>
    <message>
        <source>There is no page %1 in this document.</source>
        <translation>Questo documento non ha una pagina %1.</translation>
    </message>
    <message>
        <source>The range %1 ends before it starts.</source>
        <translation>L&apos;intervallo %1 finisce prima di iniziare.</translation>
    </message>
    <message>
        <source>Type the pages to convert, for example 1,3,4-7.</source>
        <translation>Digitare le pagine da convertire, ad esempio 1,3,4-7.</translation>
    </message>
</context>
<context>
    <name>FileListWindow</name>
    <message>
        <source>Merge</source>
        <translation>Unisci</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Cartella di output</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Converti</translation>
    </message>
    <message>
        <source>Encrypt</source>
        <translation>Cifra</translation>
    </message>
    <message>
        <source>Decrypt</source>
        <translation>Decifra</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Crea</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Comprimi</translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>Seleziona cartella di output</translation>
    </message>
    <message>
        <source>Select Files</source>
        <translation>Seleziona file</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a password protected PDF file.</source>
        <translation>&quot;%1&quot; non è un file PDF protetto da password.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>&quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>una cartella, non un file</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>il file è vuoto</translation>
    </message>
    <message>
        <source>the file is damaged</source>
        <translation>il file è danneggiato</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>il file non esiste</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>non è stato possibile leggere il file</translation>
    </message>
    <message>
        <source>this page does not take this kind of file</source>
        <translation>questa pagina non accetta questo tipo di file</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>Questi file non sono stati aggiunti:</translation>
    </message>
    <message>
        <source>Nothing was started. Correct these files first:</source>
        <translation>Non è stato avviato nulla. Correggere prima questi file:</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>e altri %1.</translation>
    </message>
</context>
<context>
    <name>GLanguage</name>
    <message>
        <source>Error network, please check your connection!</source>
        <translation>Errore di rete. Controlla la connessione.</translation>
    </message>
    <message>
        <source>The program gets crashed.</source>
        <translation>Il programma si è chiuso in modo imprevisto.</translation>
    </message>
    <message>
        <source>Please send the crash report to the developer. (%1)</source>
        <translation>Invia il rapporto dell&apos;arresto anomalo allo sviluppatore. (%1)</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>is currently the newest version available.</source>
        <translation>è attualmente la versione più recente.</translation>
    </message>
    <message>
        <source>Requests are too frequent, please try again later.</source>
        <translation>Troppe richieste. Riprova più tardi.</translation>
    </message>
    <message>
        <source>The advanced OCR (Optical Character Recognition) module can recognize text from scanned PDF or image file, convert them to copyable and searchable PDF file.
Downloading this OCR module now?</source>
        <translation>Il modulo OCR avanzato (riconoscimento ottico dei caratteri) riconosce il testo di PDF scansionati e immagini e li converte in file PDF con testo copiabile e ricercabile.
Vuoi scaricare ora il modulo OCR?</translation>
    </message>
    <message>
        <source>The folder path is read-only. Pleas correct or try again.</source>
        <translation>La cartella è di sola lettura. Correggi il percorso o riprova.</translation>
    </message>
    <message>
        <source>The selected languages are not supported</source>
        <translation>Le lingue selezionate non sono supportate</translation>
    </message>
    <message>
        <source>Unable to save the file</source>
        <translation>Impossibile salvare il file</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Operazione riuscita</translation>
    </message>
    <message>
        <source>The input file does not exist or has been moved</source>
        <translation>Il file di input non esiste o è stato spostato</translation>
    </message>
    <message>
        <source>Password required or incorrect password.</source>
        <translation>Password richiesta o errata.</translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation>Memoria insufficiente.</translation>
    </message>
    <message>
        <source>Unknown error in processing conversion.</source>
        <translation>Errore sconosciuto durante la conversione.</translation>
    </message>
    <message>
        <source>Unknown error in processing PDF.</source>
        <translation>Errore sconosciuto durante l&apos;elaborazione del PDF.</translation>
    </message>
    <message>
        <source>File not found or could not be opened.</source>
        <translation>File non trovato o impossibile da aprire.</translation>
    </message>
    <message>
        <source>File not in PDF format or corrupted.</source>
        <translation>Il file non è in formato PDF o è danneggiato.</translation>
    </message>
    <message>
        <source>Unsupported security scheme.</source>
        <translation>Metodo di protezione non supportato.</translation>
    </message>
    <message>
        <source>Page not found or content error.</source>
        <translation>Pagina non trovata o errore nel contenuto.</translation>
    </message>
    <message>
        <source>Conversion task canceled.</source>
        <translation>Conversione annullata.</translation>
    </message>
    <message>
        <source>Folder compression failed.</source>
        <translation>Compressione della cartella non riuscita.</translation>
    </message>
    <message>
        <source>No tables found in the source file.</source>
        <translation>Nessuna tabella trovata nel file di origine.</translation>
    </message>
    <message>
        <source>Failed to call OCR regnition.</source>
        <translation>Impossibile avviare il riconoscimento OCR.</translation>
    </message>
    <message>
        <source>Currently executing conversion task.</source>
        <translation>Una conversione è già in corso.</translation>
    </message>
    <message>
        <source>Failure.</source>
        <translation>Operazione non riuscita.</translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation>Errore sconosciuto.</translation>
    </message>
    <message>
        <source>File protected by password.</source>
        <translation>File protetto da password.</translation>
    </message>
    <message>
        <source>Invalid arguments.</source>
        <translation>Argomenti non validi.</translation>
    </message>
    <message>
        <source>Unable to open the source file.</source>
        <translation>Impossibile aprire il file di origine.</translation>
    </message>
    <message>
        <source>Unsupported file format.</source>
        <translation>Formato di file non supportato.</translation>
    </message>
    <message>
        <source>Source file not found.</source>
        <translation>File di origine non trovato.</translation>
    </message>
    <message>
        <source>Output directory not found.</source>
        <translation>Cartella di output non trovata.</translation>
    </message>
    <message>
        <source>The requested worksheet was not found.</source>
        <translation>Il foglio di lavoro richiesto non è stato trovato.</translation>
    </message>
    <message>
        <source>Unable to use an empty worksheet.</source>
        <translation>Impossibile usare un foglio di lavoro vuoto.</translation>
    </message>
    <message>
        <source>Unable to modify or open a protected PDF.</source>
        <translation>Impossibile modificare o aprire un PDF protetto.</translation>
    </message>
    <message>
        <source>Raised when there is a problem calling an Office application.</source>
        <translation>Si è verificato un problema durante la chiamata a un&apos;applicazione Office.</translation>
    </message>
    <message>
        <source>There are no printers installed, so Office conversion can not proceed.</source>
        <translation>Nessuna stampante installata: impossibile procedere con la conversione Office.</translation>
    </message>
    <message>
        <source>The output folder does not exist or cannot be written to.</source>
        <translation>La cartella di output non esiste o non è scrivibile.</translation>
    </message>
    <message>
        <source>Converting to %1 needs Apple&apos;s %1 application, which does not run on Linux. Choose &quot;%2&quot; instead: it makes a document in %3 format, which %1 opens too.</source>
        <translation>La conversione in %1 richiede l&apos;app %1 di Apple, che non funziona su Linux. Scegli invece &quot;%2&quot;: otterrai un documento in formato %3, che anche %1 può aprire.</translation>
    </message>
    <message>
        <source>The picture cannot be read: the file is damaged or is not a picture.</source>
        <translation>Impossibile leggere l&apos;immagine: il file è danneggiato o non è un&apos;immagine.</translation>
    </message>
    <message>
        <source>The output name is not a file name: it is empty or holds a &quot;/&quot;.</source>
        <translation>Il nome di destinazione non è un nome di file: è vuoto o contiene &quot;/&quot;.</translation>
    </message>
    <message>
        <source>The file needs more memory than %1 and was stopped.</source>
        <translation>Il file richiede più di %1 di memoria ed è stato interrotto.</translation>
    </message>
    <message>
        <source>The file took too long to read and was stopped.</source>
        <translation>La lettura del file ha richiesto troppo tempo ed è stata interrotta.</translation>
    </message>
    <message>
        <source>The text of a scanned page could not be recognised with confidence in any of the available languages.</source>
        <translation>Il testo di una pagina scansionata non è stato riconosciuto con sicurezza in nessuna delle lingue disponibili.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>Il disco è pieno.</translation>
    </message>
    <message>
        <source>The document cannot be read: the file is damaged or is not a document of its type.</source>
        <translation>Impossibile leggere il documento: il file è danneggiato o non è un documento del suo tipo.</translation>
    </message>
    <message>
        <source>The pages hold no text, only pictures such as scans. Turn on &quot;Recognize text&quot; in the options to read the text in them.</source>
        <translation>Le pagine non contengono testo, solo immagini come le scansioni. Attiva &quot;Riconosci testo&quot; nelle opzioni per leggerne il testo.</translation>
    </message>
</context>
<context>
    <name>InstallModule</name>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>Impossibile scrivere nella cartella %1.</translation>
    </message>
    <message>
        <source>The unzip tool could not be started.</source>
        <translation>Impossibile avviare lo strumento unzip.</translation>
    </message>
    <message>
        <source>Unpacking the package took too long.</source>
        <translation>L&apos;estrazione del pacchetto ha richiesto troppo tempo.</translation>
    </message>
    <message>
        <source>The package is damaged and could not be unpacked.</source>
        <translation>Il pacchetto è danneggiato e non è stato possibile estrarlo.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>1 file is still being converted. Stop and quit?</source>
        <translation>1 file è ancora in conversione. Interrompere e uscire?</translation>
    </message>
    <message>
        <source>%1 files are still being converted. Stop and quit?</source>
        <translation>%1 file sono ancora in conversione. Interrompere e uscire?</translation>
    </message>
</context>
<context>
    <name>MergeWidget</name>
    <message>
        <source>Creating PDF File...</source>
        <translation>Creazione del file PDF...</translation>
    </message>
    <message>
        <source>PDF Creation Completed</source>
        <translation>Creazione del PDF completata</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The merge is failed</source>
        <translation>Unione non riuscita</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Mostra nella cartella</translation>
    </message>
    <message>
        <source>%1 of %2 files are in the merged PDF.</source>
        <translation>%1 file su %2 sono nel PDF unito.</translation>
    </message>
</context>
<context>
    <name>ModuleDownload</name>
    <message>
        <source>The server answered with status %1.</source>
        <translation>Il server ha risposto con lo stato %1.</translation>
    </message>
    <message>
        <source>The server sent the package encoded (%1).</source>
        <translation>Il server ha inviato il pacchetto codificato (%1).</translation>
    </message>
    <message>
        <source>Only %1 of %2 bytes arrived.</source>
        <translation>Sono arrivati solo %1 byte su %2.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>Impossibile scrivere %1: %2</translation>
    </message>
</context>
<context>
    <name>OptionSetting</name>
    <message>
        <source>Setting</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation>Impostazioni layout</translation>
    </message>
    <message>
        <source>Retain Flowing Text</source>
        <translation>Mantieni testo scorrevole</translation>
    </message>
    <message>
        <source>Retain Page Layout</source>
        <translation>Mantieni layout pagina</translation>
    </message>
    <message>
        <source>Excel WorkSheet Settings</source>
        <translation>Impostazioni foglio di lavoro Excel</translation>
    </message>
    <message>
        <source>All Content</source>
        <translation>Tutto il contenuto</translation>
    </message>
    <message>
        <source>Only Table</source>
        <translation>Solo tabelle</translation>
    </message>
    <message>
        <source>Create Sheet for each Table</source>
        <translation>Un foglio per tabella</translation>
    </message>
    <message>
        <source>Create Sheet for each Page</source>
        <translation>Un foglio per pagina</translation>
    </message>
    <message>
        <source>PDF/A Standards:</source>
        <translation>Standard PDF/A:</translation>
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
        <translation>Impostazioni immagine</translation>
    </message>
    <message>
        <source>Each page of the PDF as separate images</source>
        <translation>Ogni pagina del PDF come immagine separata</translation>
    </message>
    <message>
        <source>Image scaling</source>
        <translation>Scala immagine</translation>
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
        <translation>Unisci tutte le pagine in un&apos;unica immagine</translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation>Spessore bordo</translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation>Colore bordo</translation>
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
        <translation>Impostazioni CSV</translation>
    </message>
    <message>
        <source>Create a single sheet for file</source>
        <translation>Un unico foglio per il file</translation>
    </message>
    <message>
        <source>Create sheet for each table</source>
        <translation>Un foglio per tabella</translation>
    </message>
    <message>
        <source>Book Cover</source>
        <translation>Copertina</translation>
    </message>
    <message>
        <source>No book cover</source>
        <translation>Nessuna copertina</translation>
    </message>
    <message>
        <source>Add a book cover</source>
        <translation>Aggiungi una copertina</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Display Settings</source>
        <translation>Impostazioni di visualizzazione</translation>
    </message>
    <message>
        <source>Page Options:</source>
        <translation>Opzioni pagina:</translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation>Pagina singola</translation>
    </message>
    <message>
        <source>Single Page with Outlines</source>
        <translation>Pagina singola con segnalibri</translation>
    </message>
    <message>
        <source>Multiple Pages</source>
        <translation>Pagine multiple</translation>
    </message>
    <message>
        <source>Multiple Pages with Outlines</source>
        <translation>Pagine multiple con segnalibri</translation>
    </message>
    <message>
        <source>OCR Settings</source>
        <translation>Impostazioni OCR</translation>
    </message>
    <message>
        <source>Recognize text</source>
        <translation>Riconosci testo</translation>
    </message>
    <message>
        <source>Language Option</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Applica a tutti</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
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
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>More Info</source>
        <translation>Altre info</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versione %1</translation>
    </message>
    <message>
        <source>Copyright %1 %2 Tarvello. All rights reserved.</source>
        <translation>Copyright %1 %2 Tarvello. Tutti i diritti riservati.</translation>
    </message>
</context>
<context>
    <name>QNetWorkProcess</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>Impossibile leggere le informazioni sull&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Aggiornamento software</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>A new version of %1 is available! <byte value="xd"/>
%1 %2 is now available---you have %3. Would you like to download it now?</source>
        <translation>È disponibile una nuova versione di %1! <byte value="xd"/>
%1 %2 è ora disponibile (la versione installata è la %3). Vuoi scaricarla adesso?</translation>
    </message>
</context>
</TS>
