<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>beta</name>
    <message>
        <source>Hello</source>
        <translation>Servus</translation>
    </message>
</context>
</TS>
