<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>NotesEditor</name>
    <message>
        <source>Notes editor</source>
        <translation>Notizen-Editor</translation>
    </message>
    <message>
        <source>Note %1</source>
        <translation>Notiz %1</translation>
    </message>
    <message>
        <source>Save Note</source>
        <translation>Notiz speichern</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Open Note</source>
        <translation>Notiz öffnen</translation>
    </message>
    <message>
        <source>&amp;Open Note...</source>
        <translation>Notiz ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save Note</source>
        <translation>Notiz &amp;speichern</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>F&amp;ormat</translation>
    </message>
    <message>
        <source>&amp;Word Wrap</source>
        <translation>&amp;Zeilenumbruch</translation>
    </message>
    <message>
        <source>&amp;Larger Text</source>
        <translation>&amp;Größere Schrift</translation>
    </message>
    <message>
        <source>&amp;Smaller Text</source>
        <translation>&amp;Kleinere Schrift</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Lines: %1
Words: %2
Characters: %3</source>
        <translation>Zeilen: %1
Wörter: %2
Zeichen: %3</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>&amp;Import Text...</source>
        <translation>Text &amp;importieren...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>Import Text</source>
        <translation>Text importieren</translation>
    </message>
    <message>
        <source>Export Text</source>
        <translation>Text exportieren</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Schrift:</translation>
    </message>
    <message>
        <source>&amp;Wrap long lines</source>
        <translation>Lange Zeilen &amp;umbrechen</translation>
    </message>
</context>
</TS>
