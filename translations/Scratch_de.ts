<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Scratch</name>
    <message>
        <source>Scratch pad</source>
        <translation>Notizblock</translation>
    </message>
    <message>
        <source>&amp;Scratch</source>
        <translation>&amp;Notizblock</translation>
    </message>
    <message>
        <source>&amp;New Pad</source>
        <translation>&amp;Neues Blatt</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>Insert &amp;Time</source>
        <translation>&amp;Zeit einfügen</translation>
    </message>
    <message>
        <source>Change &amp;Case</source>
        <translation>&amp;Schreibweise</translation>
    </message>
    <message>
        <source>&amp;UPPER CASE</source>
        <translation>&amp;GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>&amp;lower case</source>
        <translation>&amp;kleinbuchstaben</translation>
    </message>
    <message>
        <source>&amp;Title Case</source>
        <translation>&amp;Wortanfänge Groß</translation>
    </message>
    <message>
        <source>&amp;Word Wrap</source>
        <translation>&amp;Zeilenumbruch</translation>
    </message>
    <message>
        <source>Show &amp;Spaces</source>
        <translation>Leerzeichen &amp;anzeigen</translation>
    </message>
    <message>
        <source>Pad %1</source>
        <translation>Blatt %1</translation>
    </message>
    <message>
        <source>Type here. %1 finds any command.</source>
        <translation>Hier schreiben. %1 findet jeden Befehl.</translation>
    </message>
</context>
</TS>
