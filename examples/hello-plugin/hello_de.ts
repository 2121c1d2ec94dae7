<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Hello</name>
    <message>
        <source>&amp;Hello</source>
        <translation>&amp;Hallo</translation>
    </message>
    <message>
        <source>&amp;Wave</source>
        <translation>&amp;Winken</translation>
    </message>
    <message>
        <source>Hello, world!</source>
        <translation>Hallo, Welt!</translation>
    </message>
</context>
</TS>
