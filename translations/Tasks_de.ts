<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Tasks</name>
    <message>
        <source>Task list</source>
        <translation>Aufgabenliste</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>&amp;Tasks</source>
        <translation>&amp;Aufgaben</translation>
    </message>
    <message>
        <source>&amp;Add Task</source>
        <translation>Aufgabe &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Erledigt</translation>
    </message>
    <message>
        <source>&amp;Open Tasks First</source>
        <translation>&amp;Offene Aufgaben zuerst</translation>
    </message>
    <message>
        <source>&amp;Remove Done Tasks</source>
        <translation>Erledigte Aufgaben &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Keep done tasks at the end</source>
        <translation>Erledigte Aufgaben am &amp;Ende halten</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
</context>
<context>
    <name>tasks</name>
    <message>
        <source>%1 tasks left</source>
        <translation>Noch %1 offene Aufgaben</translation>
    </message>
    <message>
        <source>This line is not a task</source>
        <translation>Diese Zeile ist keine Aufgabe</translation>
    </message>
</context>
</TS>
