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
        <source>Choose File &gt; New to make a document, or File &gt; Open File to open one.</source>
        <translation>Wählen Sie Datei &gt; Neu, um ein Dokument anzulegen, oder Datei &gt; Datei öffnen, um eines zu öffnen.</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>start the client of that name or alias with a new document;</source>
        <translation>den Client dieses Namens oder Alias mit einem neuen Dokument starten;</translation>
    </message>
    <message>
        <source>without a name, list the installed clients</source>
        <translation>ohne Namen die installierten Clients auflisten</translation>
    </message>
    <message>
        <source>language of the texts, e.g. de; the system's by default</source>
        <translation>Sprache der Texte, z. B. de; sonst die des Systems</translation>
    </message>
    <message>
        <source>after a run that did not end cleanly, restore its work without asking</source>
        <translation>nach einem nicht sauber beendeten Lauf dessen Arbeit ohne Rückfrage wiederherstellen</translation>
    </message>
    <message>
        <source>neither ask nor restore; keep the autosaved work</source>
        <translation>weder fragen noch wiederherstellen; die automatisch gesicherte Arbeit behalten</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>diese Hilfe zeigen und beenden</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>die Version zeigen und beenden</translation>
    </message>
    <message>
        <source>Environment:</source>
        <translation>Umgebung:</translation>
    </message>
    <message>
        <source>more folders of plug-in descriptions, separated by ':', read before the host's own</source>
        <translation>weitere Ordner der Plug-in-Beschreibungen, durch ':' getrennt, vor denen des Programms gelesen</translation>
    </message>
    <message>
        <source>set to 1: only the folders of FWG_PLUGIN_PATH</source>
        <translation>auf 1 gesetzt: nur die Ordner aus FWG_PLUGIN_PATH</translation>
    </message>
    <message>
        <source>folders of resources (translations, pictures), separated by ':'</source>
        <translation>Ordner der Ressourcen (Übersetzungen, Bilder), durch ':' getrennt</translation>
    </message>
    <message>
        <source>folder of the settings files</source>
        <translation>Ordner der Einstellungsdateien</translation>
    </message>
    <message>
        <source>base of the image folders scripts/images/ui/toolbars and .../project</source>
        <translation>Basis der Bildordner scripts/images/ui/toolbars und .../project</translation>
    </message>
    <message>
        <source>window system, e.g. offscreen to run without a display</source>
        <translation>Fenstersystem, z. B. offscreen für den Betrieb ohne Bildschirm</translation>
    </message>
    <message>
        <source>Plug-ins are read from:</source>
        <translation>Plug-ins werden gelesen aus:</translation>
    </message>
    <message>
        <source>Resources are read from:</source>
        <translation>Ressourcen werden gelesen aus:</translation>
    </message>
    <message>
        <source>Settings are kept in:</source>
        <translation>Einstellungen liegen in:</translation>
    </message>
    <message>
        <source>-client needs a client name;</source>
        <translation>-client braucht den Namen eines Clients;</translation>
    </message>
    <message>
        <source>installed clients:</source>
        <translation>installierte Clients:</translation>
    </message>
    <message>
        <source>no clients are installed in</source>
        <translation>keine Clients installiert in</translation>
    </message>
    <message>
        <source>Keys, whatever document is active:</source>
        <translation>Tasten, welches Dokument auch aktiv ist:</translation>
    </message>
    <message>
        <source>quit (asks while work is unsaved)</source>
        <translation>beenden (fragt bei ungesicherter Arbeit)</translation>
    </message>
    <message>
        <source>save the session, save it as</source>
        <translation>Sitzung sichern, sichern unter</translation>
    </message>
    <message>
        <source>open a session</source>
        <translation>Sitzung öffnen</translation>
    </message>
    <message>
        <source>close the active document</source>
        <translation>aktives Dokument schließen</translation>
    </message>
    <message>
        <source>next document, most recently used first</source>
        <translation>nächstes Dokument, zuletzt benutzte zuerst</translation>
    </message>
    <message>
        <source>next and previous pane (documents and docks)</source>
        <translation>nächster und vorheriger Bereich (Dokumente und Docks)</translation>
    </message>
    <message>
        <source>the menu bar</source>
        <translation>die Menüleiste</translation>
    </message>
    <message>
        <source>the context menu of what has the keyboard</source>
        <translation>das Kontextmenü dessen, was die Tastatur hat</translation>
    </message>
    <message>
        <source>the command palette</source>
        <translation>die Befehlspalette</translation>
    </message>
    <message>
        <source>Files named are opened, each by the client of its type.</source>
        <translation>Genannte Dateien werden geöffnet, jede vom Client ihrer Art.</translation>
    </message>
    <message>
        <source>open a file</source>
        <translation>eine Datei öffnen</translation>
    </message>
    <message>
        <source>save the active document, save it as</source>
        <translation>das aktive Dokument speichern, speichern unter</translation>
    </message>
    <message>
        <source>Usage: tavrix [-client &lt;name&gt;] [-locale &lt;locale&gt;] [-recover | -norecover] [-new-instance] [file...]</source>
        <translation>Aufruf: tavrix [-client &lt;Name&gt;] [-locale &lt;Sprache&gt;] [-recover | -norecover] [-new-instance] [Datei...]</translation>
    </message>
    <message>
        <source>start a window of its own; without it, files and -client go to the one running</source>
        <translation>ein eigenes Fenster öffnen; ohne diese Option gehen Dateien und -client an das laufende</translation>
    </message>
    <message>
        <source>the settings</source>
        <translation>die Einstellungen</translation>
    </message>
</context>
</TS>
