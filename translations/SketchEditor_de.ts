<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>SketchEditor</name>
    <message>
        <source>Sketch editor</source>
        <translation>Skizzen-Editor</translation>
    </message>
    <message>
        <source>Sketch %1</source>
        <translation>Skizze %1</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Pen</source>
        <translation>&amp;Stift</translation>
    </message>
    <message>
        <source>&amp;Line</source>
        <translation>&amp;Linie</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>&amp;Rechteck</translation>
    </message>
    <message>
        <source>&amp;Ellipse</source>
        <translation>&amp;Ellipse</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Sketch</source>
        <translation>S&amp;kizze</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Grey</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Lila</translation>
    </message>
    <message>
        <source>Strokes</source>
        <translation>Striche</translation>
    </message>
    <message>
        <source>S&amp;mooth All Strokes</source>
        <translation>Alle Striche &amp;glätten</translation>
    </message>
    <message>
        <source>Smoothing strokes</source>
        <translation>Striche werden geglättet</translation>
    </message>
    <message>
        <source>The sketch changed while it was smoothed; it was left as it is</source>
        <translation>Die Skizze wurde während des Glättens geändert; sie bleibt, wie sie ist</translation>
    </message>
</context>
</TS>
