<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>GLanguage</name>
    <message>
        <source>Password required or incorrect password.</source>
        <translation>Mot de passe requis ou incorrect.</translation>
    </message>
    <message>
        <source>Source file not found.</source>
        <translation>Fichier source introuvable.</translation>
    </message>
</context>
</TS>
