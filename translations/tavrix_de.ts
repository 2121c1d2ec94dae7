<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>tavrix</name>
    <message>
        <source>Welcome to Tavrix</source>
        <translation>Willkommen bei Tavrix</translation>
    </message>
    <message>
        <source>Clients put their menus, toolbars and documents here.</source>
        <translation>Clients legen hier ihre Menüs, Werkzeugleisten und Dokumente ab.</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
</context>
</TS>
