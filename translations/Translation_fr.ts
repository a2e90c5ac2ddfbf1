<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AppMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Guide de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>&amp;Feedback and Support</source>
        <translation>&amp;Commentaires et assistance</translation>
    </message>
    <message>
        <source>&amp;Add Files...</source>
        <translation>&amp;Ajouter des fichiers...</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>&amp;Tout effacer</translation>
    </message>
    <message>
        <source>Clear &amp;Finished Items</source>
        <translation>&amp;Effacer les éléments terminés</translation>
    </message>
    <message>
        <source>&amp;Check for Updates</source>
        <translation>&amp;Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Show &amp;Log Folder</source>
        <translation>&amp;Ouvrir le dossier des journaux</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>ComponentCheck</name>
    <message>
        <source>The installed OCR module is damaged. Please try again.</source>
        <translation>Le module OCR installé est endommagé. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>Installation Failed</source>
        <translation>Échec de l&apos;installation</translation>
    </message>
</context>
<context>
    <name>ConvertOptionSetting</name>
    <message>
        <source>OCR Settings</source>
        <translation>Paramètres OCR</translation>
    </message>
    <message>
        <source>DOCX Settings</source>
        <translation>Paramètres DOCX</translation>
    </message>
    <message>
        <source>XLSX Settings</source>
        <translation>Paramètres XLSX</translation>
    </message>
    <message>
        <source>PPTX Settings</source>
        <translation>Paramètres PPTX</translation>
    </message>
    <message>
        <source>TXT Settings</source>
        <translation>Paramètres TXT</translation>
    </message>
    <message>
        <source>RTF Settings</source>
        <translation>Paramètres RTF</translation>
    </message>
    <message>
        <source>HTML Settings</source>
        <translation>Paramètres HTML</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>Paramètres CSV</translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation>Paramètres d&apos;image</translation>
    </message>
    <message>
        <source>Pages Settings</source>
        <translation>Paramètres Pages</translation>
    </message>
    <message>
        <source>Keynote Settings</source>
        <translation>Paramètres Keynote</translation>
    </message>
    <message>
        <source>Numbers Settings</source>
        <translation>Paramètres Numbers</translation>
    </message>
    <message>
        <source>Select cover</source>
        <translation>Choisir une couverture</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Choisir une couleur</translation>
    </message>
</context>
<context>
    <name>CreatorItemWidget</name>
    <message>
        <source>Output Name</source>
        <translation>Nom de sortie</translation>
    </message>
    <message>
        <source>Type a name for the PDF.</source>
        <translation>Saisissez un nom pour le PDF.</translation>
    </message>
    <message>
        <source>The name cannot hold &quot;/&quot;: the PDF is made in the output folder.</source>
        <translation>Le nom ne peut pas contenir «&#xa0;/&#xa0;»&#xa0;: le PDF est créé dans le dossier de sortie.</translation>
    </message>
    <message>
        <source>The name cannot be only dots and blanks.</source>
        <translation>Le nom ne peut pas être composé uniquement de points et d&apos;espaces.</translation>
    </message>
</context>
<context>
    <name>DesktopOpener</name>
    <message>
        <source>No application could be started to open this location. You can find it here:
%1</source>
        <translation>Aucune application n&apos;a pu être lancée pour ouvrir cet emplacement. Vous le trouverez ici&#xa0;:
%1</translation>
    </message>
    <message>
        <source>No web browser could be started for this address. Copy it into a browser to open it:
%1</source>
        <translation>Aucun navigateur web n&apos;a pu être lancé pour cette adresse. Copiez-la dans un navigateur pour l&apos;ouvrir&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
</context>
<context>
    <name>DocquillMainWidget</name>
    <message>
        <source>MainWindow</source>
        <translation>Fenêtre principale</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>Création</translation>
    </message>
    <message>
        <source>Drag PDF, Image files here</source>
        <translation>Faites glisser ici des fichiers PDF ou des images</translation>
    </message>
    <message>
        <source>Drag Word, PowerPoint, image etc. files here</source>
        <translation>Faites glisser ici des fichiers Word, PowerPoint, des images, etc.</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>Téléchargement du module OCR...</translation>
    </message>
    <message>
        <source>The downloaded OCR module is damaged and was not installed. Please try again.</source>
        <translation>Le module OCR téléchargé est endommagé et n&apos;a pas été installé. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>The OCR module could not be downloaded: %1</source>
        <translation>Le module OCR n&apos;a pas pu être téléchargé&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>Downloading</name>
    <message>
        <source>Download</source>
        <translation>Téléchargement</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>Téléchargement du module OCR...</translation>
    </message>
</context>
<context>
    <name>EnterPassword</name>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Print password</source>
        <translation>Mot de passe d&apos;impression</translation>
    </message>
    <message>
        <source>Incorrect Password</source>
        <translation>Mot de passe incorrect</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Appliquer à tous</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open password</source>
        <translation>Mot de passe d&apos;ouverture</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>Impossible d&apos;ouvrir le fichier.</translation>
    </message>
</context>
<context>
    <name>FileItemWidget</name>
    <message>
        <source>All Pages</source>
        <translation>Toutes</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Plage</translation>
    </message>
    <message>
        <source>e.g.(1,3,4-7)</source>
        <translation>ex. (1,3,4-7)</translation>
    </message>
    <message>
        <source>%1 Pages</source>
        <translation>%1 pages</translation>
    </message>
    <message>
        <source>%1 Page</source>
        <translation>%1 page</translation>
    </message>
    <message>
        <source>Skipped: the file is locked. Click its icon and enter its password to convert it.</source>
        <translation>Ignoré&#xa0;: le fichier est verrouillé. Cliquez sur son icône et saisissez son mot de passe pour le convertir.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a page or a range of pages such as 4-7.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est ni une page ni une plage de pages comme 4-7.</translation>
    </message>
    <message>
        <source>There is no page %1 in this document.</source>
        <translation>Ce document n&apos;a pas de page %1.</translation>
    </message>
    <message>
        <source>The range %1 ends before it starts.</source>
        <translation>La plage %1 se termine avant de commencer.</translation>
    </message>
    <message>
        <source>Type the pages to convert, for example 1,3,4-7.</source>
        <translation>Saisissez les pages à convertir, par exemple 1,3,4-7.</translation>
    </message>
</context>
<context>
    <name>FileListWindow</name>
    <message>
        <source>Merge</source>
        <translation>Fusionner</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>Encrypt</source>
        <translation>Chiffrer</translation>
    </message>
    <message>
        <source>Decrypt</source>
        <translation>Déchiffrer</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Compresser</translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <source>Select Files</source>
        <translation>Choisir des fichiers</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a password protected PDF file.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un fichier PDF protégé par mot de passe.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>the file is damaged</source>
        <translation>le fichier est endommagé</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>le fichier n&apos;existe pas</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>le fichier n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>this page does not take this kind of file</source>
        <translation>cette page n&apos;accepte pas ce type de fichier</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>Ces fichiers n&apos;ont pas été ajoutés&#xa0;:</translation>
    </message>
    <message>
        <source>Nothing was started. Correct these files first:</source>
        <translation>Rien n&apos;a été lancé. Corrigez d&apos;abord ces fichiers&#xa0;:</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>et %1 de plus.</translation>
    </message>
</context>
<context>
    <name>GLanguage</name>
    <message>
        <source>Error network, please check your connection!</source>
        <translation>Erreur réseau. Veuillez vérifier votre connexion.</translation>
    </message>
    <message>
        <source>The program gets crashed.</source>
        <translation>Le programme s&apos;est arrêté de manière inattendue.</translation>
    </message>
    <message>
        <source>Please send the crash report to the developer. (%1)</source>
        <translation>Veuillez envoyer le rapport de plantage au développeur. (%1)</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>is currently the newest version available.</source>
        <translation>est actuellement la version la plus récente.</translation>
    </message>
    <message>
        <source>Requests are too frequent, please try again later.</source>
        <translation>Trop de requêtes. Veuillez réessayer plus tard.</translation>
    </message>
    <message>
        <source>The advanced OCR (Optical Character Recognition) module can recognize text from scanned PDF or image file, convert them to copyable and searchable PDF file.
Downloading this OCR module now?</source>
        <translation>Le module OCR avancé (reconnaissance optique de caractères) reconnaît le texte des fichiers PDF numérisés et des images, et les convertit en fichiers PDF dont le texte peut être copié et recherché.
Voulez-vous télécharger ce module OCR maintenant&#xa0;?</translation>
    </message>
    <message>
        <source>The folder path is read-only. Pleas correct or try again.</source>
        <translation>Le dossier est en lecture seule. Veuillez corriger le chemin ou réessayer.</translation>
    </message>
    <message>
        <source>The selected languages are not supported</source>
        <translation>Les langues sélectionnées ne sont pas prises en charge</translation>
    </message>
    <message>
        <source>Unable to save the file</source>
        <translation>Impossible d&apos;enregistrer le fichier</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Opération réussie</translation>
    </message>
    <message>
        <source>The input file does not exist or has been moved</source>
        <translation>Le fichier d&apos;entrée n&apos;existe pas ou a été déplacé</translation>
    </message>
    <message>
        <source>Password required or incorrect password.</source>
        <translation>Mot de passe requis ou incorrect.</translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation>Mémoire insuffisante.</translation>
    </message>
    <message>
        <source>Unknown error in processing conversion.</source>
        <translation>Erreur inconnue lors de la conversion.</translation>
    </message>
    <message>
        <source>Unknown error in processing PDF.</source>
        <translation>Erreur inconnue lors du traitement du PDF.</translation>
    </message>
    <message>
        <source>File not found or could not be opened.</source>
        <translation>Fichier introuvable ou impossible à ouvrir.</translation>
    </message>
    <message>
        <source>File not in PDF format or corrupted.</source>
        <translation>Le fichier n&apos;est pas au format PDF ou est endommagé.</translation>
    </message>
    <message>
        <source>Unsupported security scheme.</source>
        <translation>Méthode de sécurité non prise en charge.</translation>
    </message>
    <message>
        <source>Page not found or content error.</source>
        <translation>Page introuvable ou erreur de contenu.</translation>
    </message>
    <message>
        <source>Conversion task canceled.</source>
        <translation>Conversion annulée.</translation>
    </message>
    <message>
        <source>Folder compression failed.</source>
        <translation>Échec de la compression du dossier.</translation>
    </message>
    <message>
        <source>No tables found in the source file.</source>
        <translation>Aucun tableau trouvé dans le fichier source.</translation>
    </message>
    <message>
        <source>Failed to call OCR regnition.</source>
        <translation>Impossible de lancer la reconnaissance OCR.</translation>
    </message>
    <message>
        <source>Currently executing conversion task.</source>
        <translation>Une conversion est déjà en cours.</translation>
    </message>
    <message>
        <source>Failure.</source>
        <translation>Échec.</translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation>Erreur inconnue.</translation>
    </message>
    <message>
        <source>File protected by password.</source>
        <translation>Fichier protégé par mot de passe.</translation>
    </message>
    <message>
        <source>Invalid arguments.</source>
        <translation>Arguments non valides.</translation>
    </message>
    <message>
        <source>Unable to open the source file.</source>
        <translation>Impossible d&apos;ouvrir le fichier source.</translation>
    </message>
    <message>
        <source>Unsupported file format.</source>
        <translation>Format de fichier non pris en charge.</translation>
    </message>
    <message>
        <source>Source file not found.</source>
        <translation>Fichier source introuvable.</translation>
    </message>
    <message>
        <source>Output directory not found.</source>
        <translation>Dossier de sortie introuvable.</translation>
    </message>
    <message>
        <source>The requested worksheet was not found.</source>
        <translation>La feuille de calcul demandée est introuvable.</translation>
    </message>
    <message>
        <source>Unable to use an empty worksheet.</source>
        <translation>Impossible d&apos;utiliser une feuille de calcul vide.</translation>
    </message>
    <message>
        <source>Unable to modify or open a protected PDF.</source>
        <translation>Impossible de modifier ou d&apos;ouvrir un PDF protégé.</translation>
    </message>
    <message>
        <source>Raised when there is a problem calling an Office application.</source>
        <translation>Un problème est survenu lors de l&apos;appel d&apos;une application Office.</translation>
    </message>
    <message>
        <source>There are no printers installed, so Office conversion can not proceed.</source>
        <translation>Aucune imprimante n&apos;est installée&#xa0;: la conversion Office ne peut pas se poursuivre.</translation>
    </message>
    <message>
        <source>The output folder does not exist or cannot be written to.</source>
        <translation>Le dossier de sortie n&apos;existe pas ou n&apos;est pas accessible en écriture.</translation>
    </message>
    <message>
        <source>Converting to %1 needs Apple&apos;s %1 application, which does not run on Linux. Choose &quot;%2&quot; instead: it makes a document in %3 format, which %1 opens too.</source>
        <translation>La conversion en %1 nécessite l&apos;application %1 d&apos;Apple, qui ne fonctionne pas sous Linux. Choisissez plutôt «&#xa0;%2&#xa0;»&#xa0;: vous obtiendrez un document au format %3, que %1 sait aussi ouvrir.</translation>
    </message>
    <message>
        <source>The picture cannot be read: the file is damaged or is not a picture.</source>
        <translation>Impossible de lire l&apos;image&#xa0;: le fichier est endommagé ou n&apos;est pas une image.</translation>
    </message>
    <message>
        <source>The output name is not a file name: it is empty or holds a &quot;/&quot;.</source>
        <translation>Le nom de sortie n&apos;est pas un nom de fichier&#xa0;: il est vide ou contient «&#xa0;/&#xa0;».</translation>
    </message>
    <message>
        <source>The file needs more memory than %1 and was stopped.</source>
        <translation>Le fichier demande plus de %1 de mémoire et a été arrêté.</translation>
    </message>
    <message>
        <source>The file took too long to read and was stopped.</source>
        <translation>La lecture du fichier a pris trop de temps et a été arrêtée.</translation>
    </message>
    <message>
        <source>The text of a scanned page could not be recognised with confidence in any of the available languages.</source>
        <translation>Le texte d&apos;une page numérisée n&apos;a pu être reconnu avec certitude dans aucune des langues disponibles.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>Le disque est plein.</translation>
    </message>
    <message>
        <source>The document cannot be read: the file is damaged or is not a document of its type.</source>
        <translation>Impossible de lire le document&#xa0;: le fichier est endommagé ou n&apos;est pas un document de son type.</translation>
    </message>
    <message>
        <source>The pages hold no text, only pictures such as scans. Turn on &quot;Recognize text&quot; in the options to read the text in them.</source>
        <translation>Les pages ne contiennent aucun texte, seulement des images comme des numérisations. Activez «&#xa0;Reconnaître le texte&#xa0;» dans les options pour en lire le texte.</translation>
    </message>
</context>
<context>
    <name>InstallModule</name>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>Impossible d&apos;écrire dans le dossier %1.</translation>
    </message>
    <message>
        <source>The unzip tool could not be started.</source>
        <translation>L&apos;outil unzip n&apos;a pas pu être lancé.</translation>
    </message>
    <message>
        <source>Unpacking the package took too long.</source>
        <translation>La décompression du paquet a pris trop de temps.</translation>
    </message>
    <message>
        <source>The package is damaged and could not be unpacked.</source>
        <translation>Le paquet est endommagé et n&apos;a pas pu être décompressé.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>1 file is still being converted. Stop and quit?</source>
        <translation>1 fichier est encore en cours de conversion. Arrêter et quitter&#xa0;?</translation>
    </message>
    <message>
        <source>%1 files are still being converted. Stop and quit?</source>
        <translation>%1 fichiers sont encore en cours de conversion. Arrêter et quitter&#xa0;?</translation>
    </message>
</context>
<context>
    <name>MergeWidget</name>
    <message>
        <source>Creating PDF File...</source>
        <translation>Création du fichier PDF...</translation>
    </message>
    <message>
        <source>PDF Creation Completed</source>
        <translation>Création du PDF terminée</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The merge is failed</source>
        <translation>Échec de la fusion</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Afficher dans le dossier</translation>
    </message>
    <message>
        <source>%1 of %2 files are in the merged PDF.</source>
        <translation>%1 fichiers sur %2 figurent dans le PDF fusionné.</translation>
    </message>
</context>
<context>
    <name>ModuleDownload</name>
    <message>
        <source>The server answered with status %1.</source>
        <translation>Le serveur a répondu avec le statut %1.</translation>
    </message>
    <message>
        <source>The server sent the package encoded (%1).</source>
        <translation>Le serveur a envoyé le paquet encodé (%1).</translation>
    </message>
    <message>
        <source>Only %1 of %2 bytes arrived.</source>
        <translation>Seuls %1 octets sur %2 sont arrivés.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>Impossible d&apos;écrire %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>OptionSetting</name>
    <message>
        <source>Setting</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation>Paramètres de mise en page</translation>
    </message>
    <message>
        <source>Retain Flowing Text</source>
        <translation>Conserver le texte continu</translation>
    </message>
    <message>
        <source>Retain Page Layout</source>
        <translation>Conserver la mise en page</translation>
    </message>
    <message>
        <source>Excel WorkSheet Settings</source>
        <translation>Paramètres de feuille de calcul Excel</translation>
    </message>
    <message>
        <source>All Content</source>
        <translation>Tout le contenu</translation>
    </message>
    <message>
        <source>Only Table</source>
        <translation>Tableaux seuls</translation>
    </message>
    <message>
        <source>Create Sheet for each Table</source>
        <translation>Une feuille par tableau</translation>
    </message>
    <message>
        <source>Create Sheet for each Page</source>
        <translation>Une feuille par page</translation>
    </message>
    <message>
        <source>PDF/A Standards:</source>
        <translation>Norme PDF/A&#xa0;:</translation>
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
        <translation>Paramètres d&apos;image</translation>
    </message>
    <message>
        <source>Each page of the PDF as separate images</source>
        <translation>Chaque page du PDF dans une image distincte</translation>
    </message>
    <message>
        <source>Image scaling</source>
        <translation>Échelle de l&apos;image</translation>
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
        <translation>Assembler toutes les pages en une seule image</translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation>Épaisseur de bordure</translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation>Couleur de bordure</translation>
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
        <translation>Paramètres CSV</translation>
    </message>
    <message>
        <source>Create a single sheet for file</source>
        <translation>Une seule feuille pour le fichier</translation>
    </message>
    <message>
        <source>Create sheet for each table</source>
        <translation>Une feuille par tableau</translation>
    </message>
    <message>
        <source>Book Cover</source>
        <translation>Couverture</translation>
    </message>
    <message>
        <source>No book cover</source>
        <translation>Sans couverture</translation>
    </message>
    <message>
        <source>Add a book cover</source>
        <translation>Ajouter une couverture</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Display Settings</source>
        <translation>Paramètres d&apos;affichage</translation>
    </message>
    <message>
        <source>Page Options:</source>
        <translation>Options de page&#xa0;:</translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation>Page unique</translation>
    </message>
    <message>
        <source>Single Page with Outlines</source>
        <translation>Page unique avec signets</translation>
    </message>
    <message>
        <source>Multiple Pages</source>
        <translation>Pages multiples</translation>
    </message>
    <message>
        <source>Multiple Pages with Outlines</source>
        <translation>Pages multiples avec signets</translation>
    </message>
    <message>
        <source>OCR Settings</source>
        <translation>Paramètres OCR</translation>
    </message>
    <message>
        <source>Recognize text</source>
        <translation>Reconnaître le texte</translation>
    </message>
    <message>
        <source>Language Option</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Appliquer à tous</translation>
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
    <name>QAbout</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>More Info</source>
        <translation>Plus d&apos;infos</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Copyright %1 %2 Tarvello. All rights reserved.</source>
        <translation>Copyright %1 %2 Tarvello. Tous droits réservés.</translation>
    </message>
</context>
<context>
    <name>QNetWorkProcess</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>Les informations de mise à jour n&apos;ont pas pu être lues.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Mise à jour logicielle</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>A new version of %1 is available! <byte value="xd"/>
%1 %2 is now available---you have %3. Would you like to download it now?</source>
        <translation>Une nouvelle version de %1 est disponible&#xa0;! <byte value="xd"/>
%1 %2 est disponible (vous avez la version %3). Voulez-vous la télécharger maintenant&#xa0;?</translation>
    </message>
</context>
</TS>
