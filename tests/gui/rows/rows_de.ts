<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>FileItemWidget</name>
    <message>
        <source>%1 Pages</source>
        <translation>%1 Seiten</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Alle Seiten</translation>
    </message>
</context>
<context>
    <name>CreatorItemWidget</name>
    <message>
        <source>Output Name</source>
        <translation>Ausgabename</translation>
    </message>
</context>
<context>
    <name>GLanguage</name>
    <message>
        <source>File protected by password.</source>
        <translation>Datei ist durch ein Passwort geschützt.</translation>
    </message>
    <message>
        <source>Password required or incorrect password.</source>
        <translation>Passwort erforderlich oder falsches Passwort.</translation>
    </message>
    <message>
        <source>Unknown error in processing conversion.</source>
        <translation>Unbekannter Fehler bei der Konvertierung.</translation>
    </message>
</context>
</TS>
