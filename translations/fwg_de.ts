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
        <source>No matching command</source>
        <translation>Kein passender Befehl</translation>
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
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Shortcuts marked in red are held by more than one action: pressing them triggers nothing.</source>
        <translation>Rot markierte Tastenkürzel gehören mehreren Aktionen: Sie lösen nichts aus.</translation>
    </message>
    <message>
        <source>Held by more than one action</source>
        <translation>Gehört mehreren Aktionen</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Voll</translation>
    </message>
    <message>
        <source>2 Horizontal</source>
        <translation>2 nebeneinander</translation>
    </message>
    <message>
        <source>2 Vertical</source>
        <translation>2 untereinander</translation>
    </message>
    <message>
        <source>3 Horizontal</source>
        <translation>3 nebeneinander</translation>
    </message>
    <message>
        <source>3 Vertical</source>
        <translation>3 untereinander</translation>
    </message>
    <message>
        <source>Split Right</source>
        <translation>Rechts geteilt</translation>
    </message>
    <message>
        <source>Split Left</source>
        <translation>Links geteilt</translation>
    </message>
    <message>
        <source>Split Top</source>
        <translation>Oben geteilt</translation>
    </message>
    <message>
        <source>Split Bottom</source>
        <translation>Unten geteilt</translation>
    </message>
    <message>
        <source>2 x 2</source>
        <translation>2 x 2</translation>
    </message>
    <message>
        <source>2 By 3</source>
        <translation>2 mal 3</translation>
    </message>
    <message>
        <source>3 By 2</source>
        <translation>3 mal 2</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Anordnung</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Eigenschaft</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keines</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>Sessions (*.session);;All files (*)</source>
        <translation>Sitzungen (*.session);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save Session As</source>
        <translation>Sitzung speichern unter</translation>
    </message>
    <message>
        <source>Open Session</source>
        <translation>Sitzung öffnen</translation>
    </message>
    <message>
        <source>&amp;Recent Sessions</source>
        <translation>&amp;Zuletzt geöffnete Sitzungen</translation>
    </message>
    <message>
        <source>There is no session to save.</source>
        <translation>Es gibt keine Sitzung zum Speichern.</translation>
    </message>
    <message>
        <source>The session was not saved:</source>
        <translation>Die Sitzung wurde nicht gespeichert:</translation>
    </message>
    <message>
        <source>The session was not opened:</source>
        <translation>Die Sitzung wurde nicht geöffnet:</translation>
    </message>
    <message>
        <source>The last run ended without saving all its work. Restore the work saved automatically on %1?</source>
        <translation>Der letzte Lauf endete, ohne alle Arbeit zu speichern. Die am %1 automatisch gesicherte Arbeit wiederherstellen?</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungesicherte Änderungen</translation>
    </message>
    <message>
        <source>Save the changes to %1?</source>
        <translation>Die Änderungen an %1 sichern?</translation>
    </message>
    <message>
        <source>Your changes are lost if you don't save them.</source>
        <translation>Ohne Sichern gehen die Änderungen verloren.</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>Close Document</source>
        <translation>Dokument schließen</translation>
    </message>
    <message>
        <source>%1 holds work that no saved session keeps.</source>
        <translation>%1 enthält Arbeit, die keine gesicherte Sitzung enthält.</translation>
    </message>
    <message>
        <source>Close it anyway?</source>
        <translation>Trotzdem schließen?</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>The session %1 has unsaved changes.</source>
        <translation>Die Sitzung %1 hat ungesicherte Änderungen.</translation>
    </message>
    <message>
        <source>The sessions %1 have unsaved changes.</source>
        <translation>Die Sitzungen %1 haben ungesicherte Änderungen.</translation>
    </message>
    <message>
        <source>Save them before quitting?</source>
        <translation>Vor dem Beenden sichern?</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Ask &amp;Later</source>
        <translation>&amp;Später fragen</translation>
    </message>
    <message>
        <source>Ask Later keeps the work for the next start.</source>
        <translation>„Später fragen“ behält die Arbeit für den nächsten Start.</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Close Document</source>
        <translation>Dokument &amp;schließen</translation>
    </message>
    <message>
        <source>&amp;Next Document</source>
        <translation>&amp;Nächstes Dokument</translation>
    </message>
    <message>
        <source>&amp;Previous Document</source>
        <translation>&amp;Vorheriges Dokument</translation>
    </message>
    <message>
        <source>Next &amp;Pane</source>
        <translation>Nächster &amp;Bereich</translation>
    </message>
    <message>
        <source>Previous Pa&amp;ne</source>
        <translation>Vorheriger Be&amp;reich</translation>
    </message>
    <message>
        <source>&amp;Menu Bar</source>
        <translation>&amp;Menüleiste</translation>
    </message>
    <message>
        <source>Conte&amp;xt Menu</source>
        <translation>&amp;Kontextmenü</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts…</source>
        <translation>&amp;Tastenkürzel…</translation>
    </message>
    <message>
        <source>Shortcut for %1:</source>
        <translation>Tastenkürzel für %1:</translation>
    </message>
    <message>
        <source>Pick a command to change its shortcut.</source>
        <translation>Einen Befehl wählen, um sein Tastenkürzel zu ändern.</translation>
    </message>
    <message>
        <source>'%1' (%2, profile %3)</source>
        <translation>„%1“ (%2, Profil %3)</translation>
    </message>
    <message>
        <source>Also held by %1. Keeping it makes the key trigger neither where both are in force.</source>
        <translation>Auch belegt durch %1. Bleibt es dabei, löst die Taste dort, wo beide gelten, keinen der Befehle aus.</translation>
    </message>
    <message>
        <source>Import Shortcut Scheme</source>
        <translation>Tastenschema importieren</translation>
    </message>
    <message>
        <source>Export Shortcut Scheme</source>
        <translation>Tastenschema exportieren</translation>
    </message>
    <message>
        <source>Shortcut schemes (*.keys);;All files (*)</source>
        <translation>Tastenschemata (*.keys);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The scheme was not imported; nothing changed.</source>
        <translation>Das Schema wurde nicht importiert; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>The scheme could not be saved.</source>
        <translation>Das Schema konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>Back to the key the profile declared</source>
        <translation>Zurück zur Taste, die das Profil vorsieht</translation>
    </message>
    <message>
        <source>Reset &amp;All</source>
        <translation>&amp;Alle zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren…</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren…</translation>
    </message>
    <message>
        <source>Reset All Shortcuts</source>
        <translation>Alle Tastenkürzel zurücksetzen</translation>
    </message>
    <message>
        <source>Give every command the key its profile declared?</source>
        <translation>Jedem Befehl die Taste geben, die sein Profil vorsieht?</translation>
    </message>
    <message>
        <source>Customize Toolbars…</source>
        <translation>Werkzeugleisten anpassen…</translation>
    </message>
    <message>
        <source>Customize Toolbars</source>
        <translation>Werkzeugleisten anpassen</translation>
    </message>
    <message>
        <source>— Separator —</source>
        <translation>— Trennlinie —</translation>
    </message>
    <message>
        <source>Shown while its profile is in force</source>
        <translation>Sichtbar, solange sein Profil gilt</translation>
    </message>
    <message>
        <source>&amp;Add →</source>
        <translation>&amp;Hinzufügen →</translation>
    </message>
    <message>
        <source>← &amp;Remove</source>
        <translation>← &amp;Entfernen</translation>
    </message>
    <message>
        <source>Add &amp;Separator</source>
        <translation>&amp;Trennlinie hinzufügen</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Back to the toolbar as its profile made it</source>
        <translation>Zurück zur Werkzeugleiste, wie ihr Profil sie angelegt hat</translation>
    </message>
    <message>
        <source>Toolbar:</source>
        <translation>Werkzeugleiste:</translation>
    </message>
    <message>
        <source>Commands of the active profiles</source>
        <translation>Befehle der aktiven Profile</translation>
    </message>
    <message>
        <source>On the toolbar</source>
        <translation>Auf der Werkzeugleiste</translation>
    </message>
    <message>
        <source>%1 (missing)</source>
        <translation>%1 (fehlt)</translation>
    </message>
    <message>
        <source>%1 is no longer there.</source>
        <translation>%1 gibt es nicht mehr.</translation>
    </message>
    <message>
        <source>%1 is open and has unsaved changes.</source>
        <translation>%1 ist geöffnet und hat ungesicherte Änderungen.</translation>
    </message>
    <message>
        <source>%1 was changed by another program.</source>
        <translation>%1 wurde von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>%1 was removed or renamed by another program.</source>
        <translation>%1 wurde von einem anderen Programm entfernt oder umbenannt.</translation>
    </message>
    <message>
        <source>&amp;Keep</source>
        <translation>&amp;Behalten</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Revert</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>All supported files</source>
        <translation>Alle unterstützten Dateien</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Could not open %1: %2.</source>
        <translation>%1 konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>These files could not be opened:</source>
        <translation>Diese Dateien konnten nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>Could not read %1: %2.</source>
        <translation>%1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Could not reload %1: %2</source>
        <translation>%1 konnte nicht neu geladen werden: %2</translation>
    </message>
    <message>
        <source>Could not save %1: %2.</source>
        <translation>%1 konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Read it again from its file and lose them?</source>
        <translation>Neu aus ihrer Datei lesen und die Änderungen verwerfen?</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>Zuletzt geöffnete Dateien</translation>
    </message>
    <message>
        <source>Reload Session</source>
        <translation>Sitzung neu laden</translation>
    </message>
    <message>
        <source>Reload it and lose your unsaved changes, or keep your version?</source>
        <translation>Neu laden und die ungesicherten Änderungen verwerfen, oder Ihre Fassung behalten?</translation>
    </message>
    <message>
        <source>Reload it, or keep the version shown?</source>
        <translation>Neu laden, oder die angezeigte Fassung behalten?</translation>
    </message>
    <message>
        <source>Remove it from the recent files?</source>
        <translation>Aus den zuletzt geöffneten Dateien entfernen?</translation>
    </message>
    <message>
        <source>Revert %1 to its file?</source>
        <translation>%1 auf den Stand der Datei zurücksetzen?</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>The document keeps its content: save it to write the file again.</source>
        <translation>Das Dokument behält seinen Inhalt: Speichern schreibt die Datei neu.</translation>
    </message>
    <message>
        <source>Your changes since it was last saved are lost.</source>
        <translation>Ihre Änderungen seit dem letzten Speichern gehen verloren.</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is not a text file</source>
        <translation>es ist keine Textdatei</translation>
    </message>
    <message>
        <source>its client does not open files</source>
        <translation>sein Client öffnet keine Dateien</translation>
    </message>
    <message>
        <source>no installed client opens files of this type (%1)</source>
        <translation>kein installierter Client öffnet Dateien dieser Art (%1)</translation>
    </message>
    <message>
        <source>the client %1 made no document of it</source>
        <translation>der Client %1 hat kein Dokument daraus gemacht</translation>
    </message>
    <message>
        <source>the client %1 that opens it could not be loaded</source>
        <translation>der Client %1, der sie öffnet, konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>Open Sessio&amp;n…</source>
        <translation>Sitzung ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Save Sess&amp;ion</source>
        <translation>S&amp;itzung speichern</translation>
    </message>
    <message>
        <source>Save Session As…</source>
        <translation>Sitzung speichern unter…</translation>
    </message>
    <message>
        <source>The session was opened, but these files of it were not:</source>
        <translation>Die Sitzung wurde geöffnet, diese ihrer Dateien aber nicht:</translation>
    </message>
    <message>
        <source>it is too large (%1 MiB; at most %2 MiB are read)</source>
        <translation>sie ist zu groß (%1 MiB; höchstens %2 MiB werden gelesen)</translation>
    </message>
    <message>
        <source>its content could not be read</source>
        <translation>ihr Inhalt konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>no file was named</source>
        <translation>es wurde keine Datei genannt</translation>
    </message>
    <message>
        <source>the content could not be written</source>
        <translation>der Inhalt konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the document has no file yet</source>
        <translation>das Dokument hat noch keine Datei</translation>
    </message>
    <message>
        <source>the text holds characters its encoding (ISO-8859-1) cannot hold</source>
        <translation>der Text enthält Zeichen, die seine Kodierung (ISO-8859-1) nicht fassen kann</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Open File…</source>
        <translation>Datei ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Re&amp;vert</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation>&amp;Zuletzt geöffnete Dateien</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>Save A&amp;ll</source>
        <translation>A&amp;lle speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The change is in force, but it could not be saved and is lost when the program ends: %1</source>
        <translation>Die Änderung gilt, konnte aber nicht gespeichert werden und geht verloren, wenn das Programm endet: %1</translation>
    </message>
    <message>
        <source>The toolbars are arranged, but the arrangement could not be saved and is lost when the program ends: %1</source>
        <translation>Die Werkzeugleisten sind angeordnet, doch die Anordnung konnte nicht gespeichert werden und geht verloren, wenn das Programm endet: %1</translation>
    </message>
    <message>
        <source>Your work is not being saved for recovery after a crash: %1. Saving is tried again every %2 seconds.</source>
        <translation>Die Arbeit wird nicht für die Wiederherstellung nach einem Absturz gesichert: %1. Das Sichern wird alle %2 Sekunden erneut versucht.</translation>
    </message>
    <message>
        <source>Your work could not be saved for recovery after a crash: %1.</source>
        <translation>Die Arbeit konnte nicht für die Wiederherstellung nach einem Absturz gesichert werden: %1.</translation>
    </message>
    <message>
        <source>Try &amp;Now</source>
        <translation>&amp;Jetzt versuchen</translation>
    </message>
    <message>
        <source>&amp;Keep Mine</source>
        <translation>&amp;Meine behalten</translation>
    </message>
    <message>
        <source>Restored from the work saved automatically. Save it to keep it.</source>
        <translation>Aus der automatisch gesicherten Arbeit wiederhergestellt. Speichern Sie es, um es zu behalten.</translation>
    </message>
    <message>
        <source>The plug-in %1 could not be loaded: %2</source>
        <translation>Das Plug-in %1 konnte nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken…</translation>
    </message>
    <message>
        <source>Print Previe&amp;w…</source>
        <translation>Druck&amp;vorschau…</translation>
    </message>
    <message>
        <source>&amp;Export as PDF…</source>
        <translation>Als PDF &amp;exportieren…</translation>
    </message>
    <message>
        <source>%1 has nothing to print.</source>
        <translation>%1 enthält nichts zu drucken.</translation>
    </message>
    <message>
        <source>Print %1</source>
        <translation>%1 drucken</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>Als PDF exportieren</translation>
    </message>
    <message>
        <source>PDF files</source>
        <translation>PDF-Dateien</translation>
    </message>
    <message>
        <source>Could not export %1: %2</source>
        <translation>%1 konnte nicht exportiert werden: %2</translation>
    </message>
    <message>
        <source>Exported %1</source>
        <translation>%1 exportiert</translation>
    </message>
    <message>
        <source>Printing is not available: %1</source>
        <translation>Drucken ist nicht möglich: %1</translation>
    </message>
    <message>
        <source>A script failed: %1</source>
        <translation>Ein Skript ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Find a setting</source>
        <translation>Einstellung suchen</translation>
    </message>
    <message>
        <source>No page holds that text.</source>
        <translation>Keine Seite enthält diesen Text.</translation>
    </message>
    <message>
        <source>%1: enter a whole number from %2 to %3.</source>
        <translation>%1: eine ganze Zahl von %2 bis %3 eingeben.</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Tastatur</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>key</source>
        <translation>Taste</translation>
    </message>
    <message>
        <source>scheme</source>
        <translation>Schema</translation>
    </message>
    <message>
        <source>The keys of every command, their conflicts and shortcut schemes are edited in the Keyboard Shortcuts dialog. Each change there is kept at once.</source>
        <translation>Die Tasten aller Befehle, ihre Konflikte und Tastenschemata werden im Dialog Tastenkürzel bearbeitet. Jede Änderung dort wird sofort behalten.</translation>
    </message>
    <message>
        <source>&amp;Autosave every (seconds, 0 for never):</source>
        <translation>Automatisch &amp;sichern alle (Sekunden, 0 für nie):</translation>
    </message>
    <message>
        <source>&amp;Recent files listed:</source>
        <translation>&amp;Zuletzt geöffnete Dateien:</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Systemvorgabe</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>S&amp;prache:</translation>
    </message>
    <message>
        <source>A new language takes effect at the next start.</source>
        <translation>Eine neue Sprache gilt ab dem nächsten Start.</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Einstellungen…</translation>
    </message>
    <message>
        <source>“%1” failed: %2</source>
        <translation>„%1“ ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>the work stopped on an unexpected error</source>
        <translation>die Arbeit brach mit einem unerwarteten Fehler ab</translation>
    </message>
    <message>
        <source>“%1” is still running.</source>
        <translation>„%1“ läuft noch.</translation>
    </message>
    <message>
        <source>%1 tasks are still running.</source>
        <translation>%1 Aufgaben laufen noch.</translation>
    </message>
    <message>
        <source>Tasks Running</source>
        <translation>Laufende Aufgaben</translation>
    </message>
    <message>
        <source>Quitting cancels them; what they have not finished is lost.</source>
        <translation>Beenden bricht sie ab; was sie nicht fertiggestellt haben, geht verloren.</translation>
    </message>
    <message>
        <source>Cancel %1</source>
        <translation>%1 abbrechen</translation>
    </message>
    <message>
        <source>%1 tasks</source>
        <translation>%1 Aufgaben</translation>
    </message>
    <message>
        <source>Show the running tasks</source>
        <translation>Laufende Aufgaben zeigen</translation>
    </message>
    <message>
        <source>Opening %1</source>
        <translation>%1 wird geöffnet</translation>
    </message>
    <message>
        <source>the reading was canceled</source>
        <translation>das Lesen wurde abgebrochen</translation>
    </message>
</context>
</TS>
