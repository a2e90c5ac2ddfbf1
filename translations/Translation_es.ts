<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AppMenu</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feedback and Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Log in Finder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Finished Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConvertOptionSetting</name>
    <message>
        <source>OCR Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOCX Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XLSX Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PPTX Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TXT Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTF Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keynote Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numbers Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select cover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select color</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CreatorItemWidget</name>
    <message>
        <source>Output Name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DocquillMainWidget</name>
    <message>
        <source>MainWindow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag PDF, Image files here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag Word, PowerPoint, image etc. files here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Downloading OCR Module...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The downloaded OCR module is damaged and was not installed. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Downloading</name>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading OCR Module...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EnterPassword</name>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incorrect Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileItemWidget</name>
    <message>
        <source>All Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g.(1,3,4-7)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Pages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileListWindow</name>
    <message>
        <source>Merge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encrypt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decrypt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a password protected PDF file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GLanguage</name>
    <message>
        <source>Error network, please check your connection!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program gets crashed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please send the crash report to the developer. (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is currently the newest version available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requests are too frequent, please try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The advanced OCR (Optical Character Recognition) module can recognize text from scanned PDF or image file, convert them to copyable and searchable PDF file.
Downloading this OCR module now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder path is read-only. Pleas correct or try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be detected on your Mac, the conversion cannot be processed, please install %1 and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected languages are not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to save the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Success</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The input file does not exist or has been moved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password required or incorrect password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown error in processing conversion.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown error in processing PDF.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found or could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not in PDF format or corrupted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsupported security scheme.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page not found or content error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conversion task canceled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder compression failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tables found in the source file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to call OCR regnition.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Currently executing conversion task.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File protected by password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid arguments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open the source file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsupported file format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source file not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output directory not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The requested worksheet was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to use an empty worksheet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to modify or open a protected PDF.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raised when there is a problem calling an Office application.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no printers installed, so Office conversion can not proceed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MergeWidget</name>
    <message>
        <source>Creating PDF File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF Creation Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in Finder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The merge is failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OptionSetting</name>
    <message>
        <source>Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retain Flowing Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retain Page Layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excel WorkSheet Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Sheet for each Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Sheet for each Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A Standards:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A-1a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A-1b</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A-2a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A-2b</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A-2u</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A-3a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A-3b</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF/A-3u</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each page of the PDF as separate images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image scaling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>25%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>50%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>200%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>400%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adjoin all pages into one single image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a single sheet for file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create sheet for each table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Book Cover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No book cover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a book cover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Options:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single Page with Outlines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multiple Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multiple Pages with Outlines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OCR Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recognize text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language Option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QAbout</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copyright %1 %2 Tarvello. All rights reserved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QNetWorkProcess</name>
    <message>
        <source>Software Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version of %1 is available! <byte value="xd"/>
%1 %2 is now available---you have %3. Would you like to download it now?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
