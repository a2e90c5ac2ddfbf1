<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AppMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Idioma</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Guía del usuario</translation>
    </message>
    <message>
        <source>&amp;Feedback and Support</source>
        <translation>&amp;Comentarios y soporte</translation>
    </message>
    <message>
        <source>&amp;Add Files...</source>
        <translation>&amp;Añadir archivos...</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>&amp;Quitar todos</translation>
    </message>
    <message>
        <source>Clear &amp;Finished Items</source>
        <translation>Quitar &amp;elementos completados</translation>
    </message>
    <message>
        <source>&amp;Check for Updates</source>
        <translation>&amp;Buscar actualizaciones</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Show &amp;Log Folder</source>
        <translation>&amp;Mostrar carpeta de registros</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
</context>
<context>
    <name>ComponentCheck</name>
    <message>
        <source>The installed OCR module is damaged. Please try again.</source>
        <translation>El módulo de OCR instalado está dañado. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Installation Failed</source>
        <translation>Error en la instalación</translation>
    </message>
</context>
<context>
    <name>ConvertOptionSetting</name>
    <message>
        <source>OCR Settings</source>
        <translation>Configuración de OCR</translation>
    </message>
    <message>
        <source>DOCX Settings</source>
        <translation>Configuración de DOCX</translation>
    </message>
    <message>
        <source>XLSX Settings</source>
        <translation>Configuración de XLSX</translation>
    </message>
    <message>
        <source>PPTX Settings</source>
        <translation>Configuración de PPTX</translation>
    </message>
    <message>
        <source>TXT Settings</source>
        <translation>Configuración de TXT</translation>
    </message>
    <message>
        <source>RTF Settings</source>
        <translation>Configuración de RTF</translation>
    </message>
    <message>
        <source>HTML Settings</source>
        <translation>Configuración de HTML</translation>
    </message>
    <message>
        <source>CSV Settings</source>
        <translation>Configuración de CSV</translation>
    </message>
    <message>
        <source>Image Settings</source>
        <translation>Configuración de imagen</translation>
    </message>
    <message>
        <source>Pages Settings</source>
        <translation>Configuración de Pages</translation>
    </message>
    <message>
        <source>Keynote Settings</source>
        <translation>Configuración de Keynote</translation>
    </message>
    <message>
        <source>Numbers Settings</source>
        <translation>Configuración de Numbers</translation>
    </message>
    <message>
        <source>Select cover</source>
        <translation>Seleccionar portada</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Seleccionar color</translation>
    </message>
</context>
<context>
    <name>CreatorItemWidget</name>
    <message>
        <source>Output Name</source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>Type a name for the PDF.</source>
        <translation>Escriba un nombre para el PDF.</translation>
    </message>
    <message>
        <source>The name cannot hold &quot;/&quot;: the PDF is made in the output folder.</source>
        <translation>El nombre no puede contener «/»: el PDF se crea en la carpeta de salida.</translation>
    </message>
    <message>
        <source>The name cannot be only dots and blanks.</source>
        <translation>El nombre no puede constar solo de puntos y espacios.</translation>
    </message>
</context>
<context>
    <name>DesktopOpener</name>
    <message>
        <source>No application could be started to open this location. You can find it here:
%1</source>
        <translation>No se pudo iniciar ninguna aplicación para abrir esta ubicación. Se encuentra aquí:
%1</translation>
    </message>
    <message>
        <source>No web browser could be started for this address. Copy it into a browser to open it:
%1</source>
        <translation>No se pudo iniciar ningún navegador web para esta dirección. Cópiela en un navegador para abrirla:
%1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Aviso</translation>
    </message>
</context>
<context>
    <name>DocquillMainWidget</name>
    <message>
        <source>MainWindow</source>
        <translation>Ventana principal</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>Creator</source>
        <translation>Crear</translation>
    </message>
    <message>
        <source>Drag PDF, Image files here</source>
        <translation>Arrastre aquí archivos PDF o de imagen</translation>
    </message>
    <message>
        <source>Drag Word, PowerPoint, image etc. files here</source>
        <translation>Arrastre aquí archivos de Word, PowerPoint, imagen, etc.</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>Descargando el módulo OCR...</translation>
    </message>
    <message>
        <source>The downloaded OCR module is damaged and was not installed. Please try again.</source>
        <translation>El módulo OCR descargado está dañado y no se ha instalado. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The OCR module could not be downloaded: %1</source>
        <translation>No se pudo descargar el módulo de OCR: %1</translation>
    </message>
</context>
<context>
    <name>Downloading</name>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Downloading OCR Module...</source>
        <translation>Descargando el módulo OCR...</translation>
    </message>
</context>
<context>
    <name>EnterPassword</name>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Print password</source>
        <translation>Contraseña de impresión</translation>
    </message>
    <message>
        <source>Incorrect Password</source>
        <translation>Contraseña incorrecta</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Aplicar a todos</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Open password</source>
        <translation>Contraseña de apertura</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>No se puede abrir el archivo.</translation>
    </message>
</context>
<context>
    <name>FileItemWidget</name>
    <message>
        <source>All Pages</source>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Intervalo</translation>
    </message>
    <message>
        <source>e.g.(1,3,4-7)</source>
        <translation>p. ej. (1,3,4-7)</translation>
    </message>
    <message>
        <source>%1 Pages</source>
        <translation>%1 páginas</translation>
    </message>
    <message>
        <source>%1 Page</source>
        <translation>%1 página</translation>
    </message>
    <message>
        <source>Skipped: the file is locked. Click its icon and enter its password to convert it.</source>
        <translation>Omitido: el archivo está bloqueado. Haga clic en su icono e introduzca su contraseña para convertirlo.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a page or a range of pages such as 4-7.</source>
        <translation>«%1» no es una página ni un intervalo de páginas como 4-7.</translation>
    </message>
    <message>
        <source>There is no page %1 in this document.</source>
        <translation>Este documento no tiene página %1.</translation>
    </message>
    <message>
        <source>The range %1 ends before it starts.</source>
        <translation>El intervalo %1 termina antes de empezar.</translation>
    </message>
    <message>
        <source>Type the pages to convert, for example 1,3,4-7.</source>
        <translation>Escriba las páginas que desea convertir, por ejemplo 1,3,4-7.</translation>
    </message>
</context>
<context>
    <name>FileListWindow</name>
    <message>
        <source>Merge</source>
        <translation>Combinar</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Guardar en</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>Encrypt</source>
        <translation>Cifrar</translation>
    </message>
    <message>
        <source>Decrypt</source>
        <translation>Descifrar</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Crear</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Comprimir</translation>
    </message>
    <message>
        <source>Select output folder</source>
        <translation>Seleccionar carpeta de destino</translation>
    </message>
    <message>
        <source>Select Files</source>
        <translation>Seleccionar archivos</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a password protected PDF file.</source>
        <translation>«%1» no es un archivo PDF protegido con contraseña.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>«%1»: %2</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>una carpeta, no un archivo</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>el archivo está vacío</translation>
    </message>
    <message>
        <source>the file is damaged</source>
        <translation>el archivo está dañado</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>el archivo no existe</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>no se pudo leer el archivo</translation>
    </message>
    <message>
        <source>this page does not take this kind of file</source>
        <translation>esta página no admite este tipo de archivo</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>Estos archivos no se han añadido:</translation>
    </message>
    <message>
        <source>Nothing was started. Correct these files first:</source>
        <translation>No se ha iniciado nada. Corrija primero estos archivos:</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>y %1 más.</translation>
    </message>
</context>
<context>
    <name>GLanguage</name>
    <message>
        <source>Error network, please check your connection!</source>
        <translation>Error de red. Compruebe su conexión a Internet.</translation>
    </message>
    <message>
        <source>The program gets crashed.</source>
        <translation>El programa se ha cerrado inesperadamente.</translation>
    </message>
    <message>
        <source>Please send the crash report to the developer. (%1)</source>
        <translation>Envíe el informe de errores al desarrollador. (%1)</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>is currently the newest version available.</source>
        <translation>es la versión más reciente disponible actualmente.</translation>
    </message>
    <message>
        <source>Requests are too frequent, please try again later.</source>
        <translation>Demasiadas solicitudes. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>The advanced OCR (Optical Character Recognition) module can recognize text from scanned PDF or image file, convert them to copyable and searchable PDF file.
Downloading this OCR module now?</source>
        <translation>El módulo avanzado de OCR (reconocimiento óptico de caracteres) reconoce el texto de archivos PDF escaneados o de imagen y los convierte en archivos PDF con texto que se puede copiar y buscar.
¿Desea descargar ahora el módulo OCR?</translation>
    </message>
    <message>
        <source>The folder path is read-only. Pleas correct or try again.</source>
        <translation>La carpeta es de solo lectura. Corrija la ruta o inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The selected languages are not supported</source>
        <translation>Los idiomas seleccionados no son compatibles</translation>
    </message>
    <message>
        <source>Unable to save the file</source>
        <translation>No se puede guardar el archivo</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Completado</translation>
    </message>
    <message>
        <source>The input file does not exist or has been moved</source>
        <translation>El archivo de entrada no existe o se ha movido</translation>
    </message>
    <message>
        <source>Password required or incorrect password.</source>
        <translation>Se requiere una contraseña o la contraseña es incorrecta.</translation>
    </message>
    <message>
        <source>Out of memory.</source>
        <translation>Memoria insuficiente.</translation>
    </message>
    <message>
        <source>Unknown error in processing conversion.</source>
        <translation>Error desconocido durante la conversión.</translation>
    </message>
    <message>
        <source>Unknown error in processing PDF.</source>
        <translation>Error desconocido al procesar el PDF.</translation>
    </message>
    <message>
        <source>File not found or could not be opened.</source>
        <translation>No se ha encontrado el archivo o no se ha podido abrir.</translation>
    </message>
    <message>
        <source>File not in PDF format or corrupted.</source>
        <translation>El archivo no está en formato PDF o está dañado.</translation>
    </message>
    <message>
        <source>Unsupported security scheme.</source>
        <translation>Esquema de seguridad no compatible.</translation>
    </message>
    <message>
        <source>Page not found or content error.</source>
        <translation>No se ha encontrado la página o el contenido tiene errores.</translation>
    </message>
    <message>
        <source>Conversion task canceled.</source>
        <translation>Conversión cancelada.</translation>
    </message>
    <message>
        <source>Folder compression failed.</source>
        <translation>No se ha podido comprimir la carpeta.</translation>
    </message>
    <message>
        <source>No tables found in the source file.</source>
        <translation>No se han encontrado tablas en el archivo de origen.</translation>
    </message>
    <message>
        <source>Failed to call OCR regnition.</source>
        <translation>No se ha podido iniciar el reconocimiento OCR.</translation>
    </message>
    <message>
        <source>Currently executing conversion task.</source>
        <translation>Ya hay una conversión en curso.</translation>
    </message>
    <message>
        <source>Failure.</source>
        <translation>Error.</translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation>Error desconocido.</translation>
    </message>
    <message>
        <source>File protected by password.</source>
        <translation>El archivo está protegido con contraseña.</translation>
    </message>
    <message>
        <source>Invalid arguments.</source>
        <translation>Argumentos no válidos.</translation>
    </message>
    <message>
        <source>Unable to open the source file.</source>
        <translation>No se puede abrir el archivo de origen.</translation>
    </message>
    <message>
        <source>Unsupported file format.</source>
        <translation>Formato de archivo no compatible.</translation>
    </message>
    <message>
        <source>Source file not found.</source>
        <translation>No se ha encontrado el archivo de origen.</translation>
    </message>
    <message>
        <source>Output directory not found.</source>
        <translation>No se ha encontrado la carpeta de destino.</translation>
    </message>
    <message>
        <source>The requested worksheet was not found.</source>
        <translation>No se ha encontrado la hoja de cálculo solicitada.</translation>
    </message>
    <message>
        <source>Unable to use an empty worksheet.</source>
        <translation>No se puede usar una hoja de cálculo vacía.</translation>
    </message>
    <message>
        <source>Unable to modify or open a protected PDF.</source>
        <translation>No se puede abrir ni modificar un PDF protegido.</translation>
    </message>
    <message>
        <source>Raised when there is a problem calling an Office application.</source>
        <translation>Se ha producido un problema al llamar a una aplicación de Office.</translation>
    </message>
    <message>
        <source>There are no printers installed, so Office conversion can not proceed.</source>
        <translation>No hay ninguna impresora instalada, por lo que no se puede realizar la conversión de Office.</translation>
    </message>
    <message>
        <source>The output folder does not exist or cannot be written to.</source>
        <translation>La carpeta de destino no existe o no se puede escribir en ella.</translation>
    </message>
    <message>
        <source>Converting to %1 needs Apple&apos;s %1 application, which does not run on Linux. Choose &quot;%2&quot; instead: it makes a document in %3 format, which %1 opens too.</source>
        <translation>La conversión a %1 requiere la aplicación %1 de Apple, que no funciona en Linux. Elija «%2» en su lugar: obtendrá un documento en formato %3, que %1 también puede abrir.</translation>
    </message>
    <message>
        <source>The picture cannot be read: the file is damaged or is not a picture.</source>
        <translation>No se puede leer la imagen: el archivo está dañado o no es una imagen.</translation>
    </message>
    <message>
        <source>The output name is not a file name: it is empty or holds a &quot;/&quot;.</source>
        <translation>El nombre de salida no es un nombre de archivo: está vacío o contiene «/».</translation>
    </message>
    <message>
        <source>The file needs more memory than %1 and was stopped.</source>
        <translation>El archivo necesita más de %1 de memoria y se ha detenido.</translation>
    </message>
    <message>
        <source>The file took too long to read and was stopped.</source>
        <translation>La lectura del archivo ha tardado demasiado y se ha detenido.</translation>
    </message>
    <message>
        <source>The text of a scanned page could not be recognised with confidence in any of the available languages.</source>
        <translation>El texto de una página escaneada no se ha podido reconocer con fiabilidad en ninguno de los idiomas disponibles.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>El disco está lleno.</translation>
    </message>
    <message>
        <source>The document cannot be read: the file is damaged or is not a document of its type.</source>
        <translation>No se puede leer el documento: el archivo está dañado o no es un documento de su tipo.</translation>
    </message>
    <message>
        <source>The pages hold no text, only pictures such as scans. Turn on &quot;Recognize text&quot; in the options to read the text in them.</source>
        <translation>Las páginas no contienen texto, solo imágenes como escaneos. Active «Reconocer texto» en las opciones para leer su texto.</translation>
    </message>
</context>
<context>
    <name>InstallModule</name>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>No se puede escribir en la carpeta %1.</translation>
    </message>
    <message>
        <source>The unzip tool could not be started.</source>
        <translation>No se pudo iniciar la herramienta unzip.</translation>
    </message>
    <message>
        <source>Unpacking the package took too long.</source>
        <translation>La descompresión del paquete tardó demasiado.</translation>
    </message>
    <message>
        <source>The package is damaged and could not be unpacked.</source>
        <translation>El paquete está dañado y no se pudo descomprimir.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>1 file is still being converted. Stop and quit?</source>
        <translation>Todavía se está convirtiendo 1 archivo. ¿Detener y salir?</translation>
    </message>
    <message>
        <source>%1 files are still being converted. Stop and quit?</source>
        <translation>Todavía se están convirtiendo %1 archivos. ¿Detener y salir?</translation>
    </message>
</context>
<context>
    <name>MergeWidget</name>
    <message>
        <source>Creating PDF File...</source>
        <translation>Creando archivo PDF...</translation>
    </message>
    <message>
        <source>PDF Creation Completed</source>
        <translation>Creación del PDF completada</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>The merge is failed</source>
        <translation>Error al combinar los archivos</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Mostrar en la carpeta</translation>
    </message>
    <message>
        <source>%1 of %2 files are in the merged PDF.</source>
        <translation>%1 de %2 archivos están en el PDF combinado.</translation>
    </message>
</context>
<context>
    <name>ModuleDownload</name>
    <message>
        <source>The server answered with status %1.</source>
        <translation>El servidor respondió con el estado %1.</translation>
    </message>
    <message>
        <source>The server sent the package encoded (%1).</source>
        <translation>El servidor envió el paquete codificado (%1).</translation>
    </message>
    <message>
        <source>Only %1 of %2 bytes arrived.</source>
        <translation>Solo llegaron %1 de %2 bytes.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
</context>
<context>
    <name>OptionSetting</name>
    <message>
        <source>Setting</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Layout Settings</source>
        <translation>Configuración de diseño</translation>
    </message>
    <message>
        <source>Retain Flowing Text</source>
        <translation>Conservar flujo de texto</translation>
    </message>
    <message>
        <source>Retain Page Layout</source>
        <translation>Conservar diseño de página</translation>
    </message>
    <message>
        <source>Excel WorkSheet Settings</source>
        <translation>Configuración de hojas de Excel</translation>
    </message>
    <message>
        <source>All Content</source>
        <translation>Todo el contenido</translation>
    </message>
    <message>
        <source>Only Table</source>
        <translation>Solo tablas</translation>
    </message>
    <message>
        <source>Create Sheet for each Table</source>
        <translation>Una hoja por tabla</translation>
    </message>
    <message>
        <source>Create Sheet for each Page</source>
        <translation>Una hoja por página</translation>
    </message>
    <message>
        <source>PDF/A Standards:</source>
        <translation>Estándares PDF/A:</translation>
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
        <translation>Configuración de imagen</translation>
    </message>
    <message>
        <source>Each page of the PDF as separate images</source>
        <translation>Cada página del PDF como imagen independiente</translation>
    </message>
    <message>
        <source>Image scaling</source>
        <translation>Escala de imagen</translation>
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
        <translation>Unir todas las páginas en una sola imagen</translation>
    </message>
    <message>
        <source>Border Width</source>
        <translation>Ancho del borde</translation>
    </message>
    <message>
        <source>Border Color</source>
        <translation>Color del borde</translation>
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
        <translation>Configuración de CSV</translation>
    </message>
    <message>
        <source>Create a single sheet for file</source>
        <translation>Una sola hoja para todo el archivo</translation>
    </message>
    <message>
        <source>Create sheet for each table</source>
        <translation>Una hoja por tabla</translation>
    </message>
    <message>
        <source>Book Cover</source>
        <translation>Portada</translation>
    </message>
    <message>
        <source>No book cover</source>
        <translation>Sin portada</translation>
    </message>
    <message>
        <source>Add a book cover</source>
        <translation>Añadir portada</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Display Settings</source>
        <translation>Configuración de visualización</translation>
    </message>
    <message>
        <source>Page Options:</source>
        <translation>Opciones de página:</translation>
    </message>
    <message>
        <source>Single Page</source>
        <translation>Página única</translation>
    </message>
    <message>
        <source>Single Page with Outlines</source>
        <translation>Página única con marcadores</translation>
    </message>
    <message>
        <source>Multiple Pages</source>
        <translation>Varias páginas</translation>
    </message>
    <message>
        <source>Multiple Pages with Outlines</source>
        <translation>Varias páginas con marcadores</translation>
    </message>
    <message>
        <source>OCR Settings</source>
        <translation>Configuración de OCR</translation>
    </message>
    <message>
        <source>Recognize text</source>
        <translation>Reconocer texto</translation>
    </message>
    <message>
        <source>Language Option</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Aplicar a todos</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>QAbout</name>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>More Info</source>
        <translation>Más info</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>Copyright %1 %2 Tarvello. All rights reserved.</source>
        <translation>Copyright %1 %2 Tarvello. Todos los derechos reservados.</translation>
    </message>
</context>
<context>
    <name>QNetWorkProcess</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>No se pudo leer la información de actualización.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Actualización de software</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>A new version of %1 is available! <byte value="xd"/>
%1 %2 is now available---you have %3. Would you like to download it now?</source>
        <translation>¡Hay una nueva versión de %1 disponible!<byte value="xd"/>
Ya está disponible %1 %2; usted tiene la versión %3. ¿Desea descargarla ahora?</translation>
    </message>
</context>
</TS>
