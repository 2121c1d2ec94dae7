<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Samples</name>
    <message>
        <source>Samples</source>
        <translation>Beispiele</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Projects</source>
        <translation>Projekte</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Sketch</source>
        <translation>Skizze</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Ausschnei&amp;den</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>&amp;Command Palette...</source>
        <translation>&amp;Befehlspalette...</translation>
    </message>
    <message>
        <source>Find and run any command by typing part of its name</source>
        <translation>Jeden Befehl finden und ausführen, indem man einen Teil seines Namens tippt</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts...</source>
        <translation>&amp;Tastenkürzel...</translation>
    </message>
    <message>
        <source>&amp;About Tavrix</source>
        <translation>Ü&amp;ber Tavrix</translation>
    </message>
    <message>
        <source>About Tavrix</source>
        <translation>Über Tavrix</translation>
    </message>
    <message>
        <source>Tavrix, the demo host of the fwg framework, with its sample clients: notes, sketches, scratch pads and task lists.</source>
        <translation>Tavrix, das Vorführprogramm des Rahmenwerks fwg, mit seinen Beispiel-Clients: Notizen, Skizzen, Notizblöcke und Aufgabenlisten.</translation>
    </message>
    <message>
        <source>Scratch</source>
        <translation>Notizblock</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Script Console</source>
        <translation>Skriptkonsole</translation>
    </message>
    <message>
        <source>Customize &amp;Toolbars...</source>
        <translation>&amp;Werkzeugleisten anpassen...</translation>
    </message>
    <message>
        <source>Add, take off and move the commands of the toolbars</source>
        <translation>Befehle der Werkzeugleisten hinzufügen, entfernen und verschieben</translation>
    </message>
    <message>
        <source>Every command with its shortcut; record your own keys</source>
        <translation>Alle Befehle mit ihren Tastenkürzeln; eigene Tasten aufnehmen</translation>
    </message>
    <message>
        <source>Prefere&amp;nces...</source>
        <translation>Einstellu&amp;ngen...</translation>
    </message>
    <message>
        <source>Settings of the application and its plug-ins</source>
        <translation>Einstellungen der Anwendung und ihrer Plug-ins</translation>
    </message>
</context>
</TS>
