<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Reader</name>
    <message>
        <source>Open</source>
        <translation>Anzeigen</translation>
    </message>
</context>
</TS>
