<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Writer</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Open</source>
        <comment>Toolbar</comment>
        <translation>Dokument öffnen</translation>
    </message>
</context>
</TS>
