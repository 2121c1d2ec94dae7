<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>fwg</name>
    <message>
        <source>Command Palette</source>
        <translation>Befehlspalette</translation>
    </message>
    <message>
        <source>Type the name of a command</source>
        <translation>Namen eines Befehls eingeben</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Context menu</source>
        <translation>Kontextmenü</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Filter by key, command or profile</source>
        <translation>Nach Taste, Befehl oder Profil filtern</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Taste</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Shortcuts marked in red are held by more than one action: pressing them triggers nothing.</source>
        <translation>Rot markierte Tastenkürzel gehören mehreren Aktionen: Sie lösen nichts aus.</translation>
    </message>
    <message>
        <source>Held by more than one action</source>
        <translation>Gehört mehreren Aktionen</translation>
    </message>
</context>
</TS>
