<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AttribDialog</name>
    <message>
        <source>x Value</source>
        <translation>x-Wert</translation>
    </message>
    <message>
        <source>y Value</source>
        <translation>y-Wert</translation>
    </message>
    <message>
        <source>x Length</source>
        <translation>x-Länge</translation>
    </message>
    <message>
        <source>y Length</source>
        <translation>y-Länge</translation>
    </message>
    <message>
        <source>Attribute Point Options</source>
        <translation>Optionen des Attributpunkts</translation>
    </message>
    <message>
        <source>Point Type</source>
        <translation>Punktart</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Disc with rim</source>
        <translation>Scheibe mit Rand</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Scheibe</translation>
    </message>
    <message>
        <source>Open square</source>
        <translation>Offenes Quadrat</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Quadrat</translation>
    </message>
    <message>
        <source>Open diamond</source>
        <translation>Offene Raute</translation>
    </message>
    <message>
        <source>Diamond</source>
        <translation>Raute</translation>
    </message>
    <message>
        <source>x :</source>
        <translation>x :</translation>
    </message>
    <message>
        <source>y :</source>
        <translation>y :</translation>
    </message>
    <message>
        <source>- Point Type -</source>
        <translation>- Punktart -</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>Durchgezogen</translation>
    </message>
    <message>
        <source>Dashed</source>
        <translation>Gestrichelt</translation>
    </message>
    <message>
        <source>%1 text</source>
        <translation>%1: Text</translation>
    </message>
    <message>
        <source>%1 colour</source>
        <translation>%1: Farbe</translation>
    </message>
    <message>
        <source>%1 stipple</source>
        <translation>%1: Linienart</translation>
    </message>
    <message>
        <source>%1 width</source>
        <translation>%1: Breite</translation>
    </message>
    <message>
        <source>- Color -</source>
        <translation>- Farbe -</translation>
    </message>
    <message>
        <source>- Stipple -</source>
        <translation>- Linienart -</translation>
    </message>
    <message>
        <source>- Width -</source>
        <translation>- Breite -</translation>
    </message>
</context>
<context>
    <name>CCandidatesDialog</name>
    <message>
        <source>Candidates</source>
        <translation>Kandidaten</translation>
    </message>
    <message>
        <source>The five lessons of the library closest to the graph; Return opens one.</source>
        <translation>Die fünf Lektionen der Bibliothek, die dem Graphen am nächsten sind; die Eingabetaste öffnet eine.</translation>
    </message>
</context>
<context>
    <name>CConfigurationDialog</name>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Default Library Path</source>
        <translation>Ordner der Bibliothek</translation>
    </message>
    <message>
        <source>Display Precision of Equation</source>
        <translation>Angezeigte Nachkommastellen der Gleichungen</translation>
    </message>
    <message>
        <source>Current Selection</source>
        <translation>Aktuelle Auswahl</translation>
    </message>
    <message>
        <source>KVR</source>
        <translation>KVR</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte eine ganze Zahl eingeben.</translation>
    </message>
</context>
<context>
    <name>CKVRView</name>
    <message>
        <source>Tangent Line</source>
        <translation>Tangente</translation>
    </message>
    <message>
        <source>&amp;Display Equation</source>
        <translation>Gleichung &amp;anzeigen</translation>
    </message>
    <message>
        <source>Attribute point</source>
        <translation>Attributpunkt</translation>
    </message>
    <message>
        <source>X Caption</source>
        <translation>x-Beschriftung</translation>
    </message>
    <message>
        <source>Y Caption</source>
        <translation>y-Beschriftung</translation>
    </message>
    <message>
        <source>X, Y Caption</source>
        <translation>x- und y-Beschriftung</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Enter Equation</source>
        <translation>Gleichung eingeben</translation>
    </message>
    <message>
        <source>Move Curve</source>
        <translation>Kurve verschieben</translation>
    </message>
    <message>
        <source>Sketch</source>
        <translation>Skizze</translation>
    </message>
    <message>
        <source>Sketch not recognised</source>
        <translation>Skizze nicht erkannt</translation>
    </message>
    <message>
        <source>Sketch not recognised: %1</source>
        <translation>Skizze nicht erkannt: %1</translation>
    </message>
    <message>
        <source>Delete Attribute Point</source>
        <translation>Attributpunkt löschen</translation>
    </message>
    <message>
        <source>Delete Equation</source>
        <translation>Gleichung löschen</translation>
    </message>
    <message>
        <source>Selected: %1</source>
        <translation>Ausgewählt: %1</translation>
    </message>
    <message>
        <source>No curve selected</source>
        <translation>Keine Kurve ausgewählt</translation>
    </message>
    <message>
        <source>Move Labels</source>
        <translation>Beschriftungen verschieben</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Graph</source>
        <translation>Graph</translation>
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
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Entry Bar</source>
        <translation>Eingabeleiste</translation>
    </message>
    <message>
        <source>Equation</source>
        <translation>Gleichung</translation>
    </message>
    <message>
        <source>Type an equation and press Return to add it; Up and Down recall earlier ones.</source>
        <translation>Eine Gleichung eingeben und mit der Eingabetaste hinzufügen; Pfeil hoch und runter holen frühere zurück.</translation>
    </message>
    <message>
        <source>Type an equation, for example y = x^2 - 2, and press Enter</source>
        <translation>Gleichung eingeben, zum Beispiel y = x^2 - 2, und Eingabe drücken</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Side Bar</source>
        <translation>Seitenleiste</translation>
    </message>
    <message>
        <source>Candidates</source>
        <translation>Kandidaten</translation>
    </message>
    <message>
        <source>Equation Options</source>
        <translation>Optionen der Gleichung</translation>
    </message>
    <message>
        <source>Zoom Bar</source>
        <translation>Zoomleiste</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Pallete Bar</source>
        <translation>Farbpalette</translation>
    </message>
    <message>
        <source>PAINT</source>
        <translation>FÄRBEN</translation>
    </message>
    <message>
        <source>Paint Tool</source>
        <translation>Färbewerkzeug</translation>
    </message>
    <message>
        <source>Library %v/%m</source>
        <translation>Bibliothek %v/%m</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>KVR</source>
        <translation>KVR</translation>
    </message>
    <message>
        <source>Cannot read the equation at column %1: %2</source>
        <translation>Die Gleichung ist ab Spalte %1 nicht lesbar: %2</translation>
    </message>
    <message>
        <source>The equation adds nothing: %1</source>
        <translation>Die Gleichung fügt nichts hinzu: %1</translation>
    </message>
    <message>
        <source>The equation could not be added.</source>
        <translation>Die Gleichung konnte nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>About KVR</source>
        <translation>Über KVR</translation>
    </message>
    <message>
        <source>&lt;b&gt;KVR&lt;/b&gt; version %1</source>
        <translation>&lt;b&gt;KVR&lt;/b&gt; Version %1</translation>
    </message>
    <message>
        <source>A graphing workbench for teaching functions and curves: type or sketch equations, reshape them, annotate them and find similar lessons.&lt;br&gt;&lt;br&gt;Copyright © 2026 The KVR developers. Released under the MIT licence: free to use, copy, change and share, without warranty.&lt;br&gt;Built with Qt %1 (LGPL-3.0), freeglut and Mesa; their licences are listed with KVR&apos;s documentation.</source>
        <translation>Eine Werkbank für den Unterricht über Funktionen und Kurven: Gleichungen eingeben oder skizzieren, umformen, beschriften und ähnliche Lektionen finden.&lt;br&gt;&lt;br&gt;Copyright © 2026 Die KVR-Entwickler. Veröffentlicht unter der MIT-Lizenz: frei zu nutzen, zu kopieren, zu ändern und weiterzugeben, ohne Gewährleistung.&lt;br&gt;Erstellt mit Qt %1 (LGPL-3.0), freeglut und Mesa; deren Lizenzen stehen in der Dokumentation von KVR.</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Ein neues Dokument anlegen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Ein vorhandenes Dokument öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Das Dokument speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Das Dokument unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>Export to PS</source>
        <translation>Als PS exportieren</translation>
    </message>
    <message>
        <source>Export to &amp;Image File</source>
        <translation>Als B&amp;ilddatei exportieren</translation>
    </message>
    <message>
        <source>Save the graph as a PNG picture</source>
        <translation>Den Graphen als PNG-Bild speichern</translation>
    </message>
    <message>
        <source>Export to S&amp;VG...</source>
        <translation>Als S&amp;VG exportieren...</translation>
    </message>
    <message>
        <source>Save the graph as an SVG drawing</source>
        <translation>Den Graphen als SVG-Zeichnung speichern</translation>
    </message>
    <message>
        <source>Export to P&amp;DF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>Save the graph as a PDF page</source>
        <translation>Den Graphen als PDF-Seite speichern</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print the graph</source>
        <translation>Den Graphen drucken</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Druck&amp;vorschau</translation>
    </message>
    <message>
        <source>Display the full page</source>
        <translation>Die ganze Seite zeigen</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Drucker ein&amp;richten...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>Drucker und Druckoptionen ändern</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Das Programm beenden; fragt nach dem Speichern</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>Den letzten Schritt zurücknehmen</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Redo the previously undone action</source>
        <translation>Den zurückgenommenen Schritt wiederholen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard</source>
        <translation>Die Auswahl in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Insert Clipboard contents</source>
        <translation>Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Domain</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>Show/Hide Grid</source>
        <translation>Gitter ein/aus</translation>
    </message>
    <message>
        <source>Show/Hide Axis</source>
        <translation>Achsen ein/aus</translation>
    </message>
    <message>
        <source>Axis &amp;Numbers</source>
        <translation>Achsen&amp;zahlen</translation>
    </message>
    <message>
        <source>Show or hide the numbers along the axes</source>
        <translation>Die Zahlen an den Achsen zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Axis Numbers</source>
        <translation>Achsenzahlen</translation>
    </message>
    <message>
        <source>Pen Input</source>
        <translation>Stifteingabe</translation>
    </message>
    <message>
        <source>Delete Equation</source>
        <translation>Gleichung löschen</translation>
    </message>
    <message>
        <source>Delete the selected equation</source>
        <translation>Die ausgewählte Gleichung löschen</translation>
    </message>
    <message>
        <source>Mensuration By Part</source>
        <translation>Flächenmessung in Teilen</translation>
    </message>
    <message>
        <source>Undo the last action on the graph</source>
        <translation>Den letzten Schritt am Graphen zurücknehmen</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Die Werkzeugleiste zeigen oder verbergen</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Die Statusleiste zeigen oder verbergen</translation>
    </message>
    <message>
        <source>S&amp;ide Bar</source>
        <translation>S&amp;eitenleiste</translation>
    </message>
    <message>
        <source>Show or hide the side bar</source>
        <translation>Die Seitenleiste zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Show or hide the zoom bar</source>
        <translation>Die Zoomleiste zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Show or hide the palette bar</source>
        <translation>Die Farbpalette zeigen oder verbergen</translation>
    </message>
    <message>
        <source>Show &amp;Intersection</source>
        <translation>&amp;Schnittpunkte zeigen</translation>
    </message>
    <message>
        <source>Show the intersections of the curves</source>
        <translation>Die Schnittpunkte der Kurven zeigen</translation>
    </message>
    <message>
        <source>Show Intersection</source>
        <translation>Schnittpunkte zeigen</translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Library folder and display precision</source>
        <translation>Ordner der Bibliothek und angezeigte Nachkommastellen</translation>
    </message>
    <message>
        <source>&amp;About KVR...</source>
        <translation>Ü&amp;ber KVR...</translation>
    </message>
    <message>
        <source>Display program information and version</source>
        <translation>Programminformation und Version zeigen</translation>
    </message>
    <message>
        <source>KVR &amp;Handbook</source>
        <translation>KVR-&amp;Handbuch</translation>
    </message>
    <message>
        <source>How to type, sketch, reshape, save and print</source>
        <translation>Eingeben, skizzieren, umformen, speichern und drucken</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Show the graph larger</source>
        <translation>Den Graphen größer zeigen</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>Show more of the graph</source>
        <translation>Mehr vom Graphen zeigen</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Normalgröße</translation>
    </message>
    <message>
        <source>The graph at its usual size</source>
        <translation>Den Graphen in normaler Größe zeigen</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Vollbild</translation>
    </message>
    <message>
        <source>Show the window on the whole screen</source>
        <translation>Das Fenster auf dem ganzen Bildschirm zeigen</translation>
    </message>
    <message>
        <source>KVR documents (*.kvr)</source>
        <translation>KVR-Dokumente (*.kvr)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Failed to save PostScript file</source>
        <translation>Die PostScript-Datei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Export to Image File</source>
        <translation>Als Bilddatei exportieren</translation>
    </message>
    <message>
        <source>png (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>Export to SVG</source>
        <translation>Als SVG exportieren</translation>
    </message>
    <message>
        <source>SVG drawings (*.svg)</source>
        <translation>SVG-Zeichnungen (*.svg)</translation>
    </message>
    <message>
        <source>Failed to save SVG file</source>
        <translation>Die SVG-Datei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>Als PDF exportieren</translation>
    </message>
    <message>
        <source>Failed to save PDF file</source>
        <translation>Die PDF-Datei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Copy &amp;Graph</source>
        <translation>&amp;Grafik kopieren</translation>
    </message>
    <message>
        <source>Put the graph on the Clipboard as a picture and a drawing, for slides and worksheets</source>
        <translation>Die Grafik als Bild und als Zeichnung in die Zwischenablage legen, für Folien und Arbeitsblätter</translation>
    </message>
    <message>
        <source>The graph is on the Clipboard</source>
        <translation>Die Grafik liegt in der Zwischenablage</translation>
    </message>
    <message>
        <source>PostScript, A4 (*.ps)</source>
        <translation>PostScript, A4 (*.ps)</translation>
    </message>
    <message>
        <source>PostScript, Letter (*.ps)</source>
        <translation>PostScript, Letter (*.ps)</translation>
    </message>
    <message>
        <source>Encapsulated PostScript, for worksheets (*.eps)</source>
        <translation>Encapsulated PostScript, für Arbeitsblätter (*.eps)</translation>
    </message>
    <message>
        <source>PNG picture with labels (*.png)</source>
        <translation>PNG-Bild mit Beschriftungen (*.png)</translation>
    </message>
    <message>
        <source>PDF document, A4 (*.pdf)</source>
        <translation>PDF-Dokument, A4 (*.pdf)</translation>
    </message>
    <message>
        <source>PDF document, Letter (*.pdf)</source>
        <translation>PDF-Dokument, Letter (*.pdf)</translation>
    </message>
    <message>
        <source>&amp;Presentation</source>
        <translation>&amp;Präsentation</translation>
    </message>
    <message>
        <source>Show the graph on the whole screen with thicker lines and larger texts; Esc leaves</source>
        <translation>Die Grafik auf dem ganzen Bildschirm zeigen, mit dickeren Linien und größeren Texten; Esc beendet</translation>
    </message>
    <message>
        <source>Leave Presentation</source>
        <translation>Präsentation beenden</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>--translate needs two numbers: --translate DX DY</source>
        <translation>--translate braucht zwei Zahlen: --translate DX DY</translation>
    </message>
    <message>
        <source>--translate takes two values: --translate DX DY</source>
        <translation>--translate nimmt zwei Werte: --translate DX DY</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>unknown option %1; put -- before an equation that starts with &apos;-&apos;</source>
        <translation>unbekannte Option %1; setzen Sie -- vor eine Gleichung, die mit &apos;-&apos; beginnt</translation>
    </message>
    <message>
        <source>--precision needs a whole number of decimals, not %1</source>
        <translation>--precision braucht eine ganze Zahl von Nachkommastellen, nicht %1</translation>
    </message>
    <message>
        <source>--translate needs two finite numbers, not %1 %2</source>
        <translation>--translate braucht zwei endliche Zahlen, nicht %1 %2</translation>
    </message>
    <message>
        <source>       kvr analyse [--precision N] [--translate DX DY] [EQUATION ...|-]
           Prints one JSON object per equation (JSON Lines); without EQUATION,
           or with -, reads one equation per line from standard input.
           --precision N      decimals of non-integral numbers in plain and
                              latex (default 2; above 17 acts as 17)
           --translate DX DY  move each equation by (DX, DY) and rebuild it
           Put -- before an equation that starts with &apos;-&apos;.
</source>
        <translation>       kvr analyse [--precision N] [--translate DX DY] [EQUATION ...|-]
           Gibt je Gleichung ein JSON-Objekt aus (JSON Lines); ohne EQUATION
           oder mit - liest es eine Gleichung je Zeile von der Standardeingabe.
           --precision N      Nachkommastellen nicht ganzer Zahlen in plain und
                              latex (Vorgabe 2; über 17 wirkt wie 17)
           --translate DX DY  jede Gleichung um (DX, DY) verschieben und neu bilden
           Setzen Sie -- vor eine Gleichung, die mit &apos;-&apos; beginnt.
</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
    <message>
        <source>(see %1 --help)</source>
        <translation>(siehe %1 --help)</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>cannot write output</source>
        <translation>die Ausgabe kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>option %1 needs a value</source>
        <translation>Option %1 braucht einen Wert</translation>
    </message>
    <message>
        <source>cannot make a temporary folder for standard input</source>
        <translation>für die Standardeingabe kann kein temporärer Ordner angelegt werden</translation>
    </message>
    <message>
        <source>cannot read standard input</source>
        <translation>die Standardeingabe kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>cannot keep standard input in a temporary file</source>
        <translation>die Standardeingabe kann nicht in einer temporären Datei abgelegt werden</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message>
        <source>unknown command %1; did you mean %2?</source>
        <translation>unbekannter Befehl %1; meinten Sie %2?</translation>
    </message>
    <message>
        <source>Usage: kvr [--measure-startup] [FILE.kvr]
           Opens the window, with FILE when given; --measure-startup prints the
           milliseconds from start to the first painted frame, then quits.
       kvr --version
           Prints the version.
       kvr help [COMMAND]
           Prints this text, or the help of one command (as kvr COMMAND --help).
</source>
        <translation>Aufruf: kvr [--measure-startup] [FILE.kvr]
           Öffnet das Fenster, mit FILE, wenn angegeben; --measure-startup gibt
           die Millisekunden vom Start bis zum ersten gezeichneten Bild aus und
           beendet das Programm.
       kvr --version
           Gibt die Version aus.
       kvr help [COMMAND]
           Gibt diesen Text aus oder die Hilfe eines Befehls (wie kvr COMMAND --help).
</translation>
    </message>
    <message>
        <source>       (analyze and recognise are accepted for analyse and recognize)
       A FILE or OUT named - is standard input or standard output.
</source>
        <translation>       (analyze und recognise werden für analyse und recognize angenommen)
       Ein FILE oder OUT namens - ist die Standardeingabe oder die Standardausgabe.
</translation>
    </message>
    <message>
        <source>expected at most one FILE.kvr</source>
        <translation>höchstens eine FILE.kvr erwartet</translation>
    </message>
    <message>
        <source>cannot open %1: no such file</source>
        <translation>%1 kann nicht geöffnet werden: keine solche Datei</translation>
    </message>
    <message>
        <source>cannot open %1: it is a folder</source>
        <translation>%1 kann nicht geöffnet werden: es ist ein Ordner</translation>
    </message>
    <message>
        <source>expected at most one COMMAND</source>
        <translation>höchstens ein COMMAND erwartet</translation>
    </message>
    <message>
        <source>missing arguments</source>
        <translation>Argumente fehlen</translation>
    </message>
    <message>
        <source>       kvr info FILE.kvr|-
           Prints the document as one JSON object: settings, equations (text,
           analysis, style, domain, label, attribute points, mensuration),
           painted regions, the stored signature and the thumbnail&apos;s size.
</source>
        <translation>       kvr info FILE.kvr|-
           Gibt das Dokument als ein JSON-Objekt aus: Einstellungen, Gleichungen
           (Text, Analyse, Stil, Definitionsbereich, Beschriftung, Attributpunkte,
           Flächenmessung), bemalte Bereiche, die gespeicherte Signatur und die
           Größe des Vorschaubilds.
</translation>
    </message>
    <message>
        <source>       kvr make OUT.kvr|- EQUATION...
           Writes a document of the equations, with its thumbnail rendered
           headless, as the window would save it (- : to standard output).
</source>
        <translation>       kvr make OUT.kvr|- EQUATION...
           Schreibt ein Dokument der Gleichungen, mit einem ohne Fenster
           gezeichneten Vorschaubild, wie das Fenster es speichern würde
           (- : auf die Standardausgabe).
</translation>
    </message>
    <message>
        <source>expected one FILE.kvr</source>
        <translation>eine FILE.kvr erwartet</translation>
    </message>
    <message>
        <source>the equation %1 does not parse</source>
        <translation>die Gleichung %1 ist nicht lesbar</translation>
    </message>
    <message>
        <source>the equation %1 adds nothing: %2</source>
        <translation>die Gleichung %1 fügt nichts hinzu: %2</translation>
    </message>
    <message>
        <source>no thumbnail (%1)</source>
        <translation>kein Vorschaubild (%1)</translation>
    </message>
    <message>
        <source>expected one input: FILE, -, or --batch FILE</source>
        <translation>eine Eingabe erwartet: FILE, - oder --batch FILE</translation>
    </message>
    <message>
        <source>       kvr recognize [FILE|-]
       kvr recognize --batch FILE|-
           Recognises the sketch {&quot;strokes&quot;: [[[x, y], ...], ...]} (graph units)
           read from FILE or standard input, and prints the shape, the
           resampled strokes, the five fitter scores and the equation the
           sketch would add, as one JSON object. --batch reads one sketch
           per line (JSON Lines) and prints one result per line.
</source>
        <translation>       kvr recognize [FILE|-]
       kvr recognize --batch FILE|-
           Erkennt die Skizze {&quot;strokes&quot;: [[[x, y], ...], ...]} (in Einheiten des
           Graphen) aus FILE oder von der Standardeingabe und gibt die Form, die
           neu abgetasteten Striche, die fünf Bewertungen der Anpassungen und die
           Gleichung, die die Skizze hinzufügen würde, als ein JSON-Objekt aus.
           --batch liest eine Skizze je Zeile (JSON Lines) und gibt je Zeile ein
           Ergebnis aus.
</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>%1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>       kvr render-labels [--scale R] [--latex] [--input FILE|-] OUT.png|- [TEXT ...]
           Typesets each equation TEXT (or each line of FILE) as the graph&apos;s
           label, one under another, black on white, into OUT.png. --latex:
           the texts are LaTeX already. --scale: device pixel ratio (1 to 4).
</source>
        <translation>       kvr render-labels [--scale R] [--latex] [--input FILE|-] OUT.png|- [TEXT ...]
           Setzt jede Gleichung TEXT (oder jede Zeile von FILE) als Beschriftung
           des Graphen, untereinander, schwarz auf weiß, in OUT.png. --latex:
           die Texte sind schon LaTeX. --scale: Pixelverhältnis des Geräts (1 bis 4).
</translation>
    </message>
    <message>
        <source>--scale must be a number from 1 to 4</source>
        <translation>--scale muss eine Zahl von 1 bis 4 sein</translation>
    </message>
    <message>
        <source>expected OUT.png</source>
        <translation>OUT.png erwartet</translation>
    </message>
    <message>
        <source>OUT.png must end in .png: %1</source>
        <translation>OUT.png muss auf .png enden: %1</translation>
    </message>
    <message>
        <source>no TEXT to typeset</source>
        <translation>kein TEXT zu setzen</translation>
    </message>
    <message>
        <source>no fonts available</source>
        <translation>keine Schriften verfügbar</translation>
    </message>
    <message>
        <source>%1 does not parse</source>
        <translation>%1 ist nicht lesbar</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 braucht %2</translation>
    </message>
    <message>
        <source>no arguments</source>
        <translation>keine Argumente</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>PX PY: two whole numbers of pixels within ±1000000</source>
        <translation>PX PY: zwei ganze Zahlen von Pixeln innerhalb ±1000000</translation>
    </message>
    <message>
        <source>W H: two whole numbers of pixels from 1 to 100000</source>
        <translation>W H: zwei ganze Zahlen von Pixeln von 1 bis 100000</translation>
    </message>
    <message>
        <source>the equation text</source>
        <translation>den Text der Gleichung</translation>
    </message>
    <message>
        <source>&apos;type&apos; cannot read the equation: %1 (column %2)</source>
        <translation>&apos;type&apos; kann die Gleichung nicht lesen: %1 (Spalte %2)</translation>
    </message>
    <message>
        <source>DELTA PX PY: three whole numbers within ±1000000</source>
        <translation>DELTA PX PY: drei ganze Zahlen innerhalb ±1000000</translation>
    </message>
    <message>
        <source>R G B A: four numbers from 0 to 1</source>
        <translation>R G B A: vier Zahlen von 0 bis 1</translation>
    </message>
    <message>
        <source>XZ YZ: two numbers from 0.1 to 10</source>
        <translation>XZ YZ: zwei Zahlen von 0.1 bis 10</translation>
    </message>
    <message>
        <source>N: a whole number of decimals</source>
        <translation>N: eine ganze Zahl von Nachkommastellen</translation>
    </message>
    <message>
        <source>cannot draw the picture: %1</source>
        <translation>das Bild kann nicht gezeichnet werden: %1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>expected one input: FILE or -</source>
        <translation>eine Eingabe erwartet: FILE oder -</translation>
    </message>
    <message>
        <source>--library needs a folder</source>
        <translation>--library braucht einen Ordner</translation>
    </message>
    <message>
        <source>--equations needs at least one EQUATION</source>
        <translation>--equations braucht mindestens eine EQUATION</translation>
    </message>
    <message>
        <source>expected one FILE.kvr, or --equations EQUATION...</source>
        <translation>eine FILE.kvr erwartet oder --equations EQUATION...</translation>
    </message>
    <message>
        <source>cannot read the equation %1</source>
        <translation>die Gleichung %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>       kvr search [--library DIR] (FILE.kvr|- | --equations EQUATION...)
           Prints the five library documents closest to the graph of FILE or
           of the equations, closest first (JSON Lines: rank, file, path,
           score). DIR defaults to the configured library folder.
</source>
        <translation>       kvr search [--library DIR] (FILE.kvr|- | --equations EQUATION...)
           Gibt die fünf Dokumente der Bibliothek aus, die dem Graphen von FILE
           oder der Gleichungen am nächsten sind, das nächste zuerst (JSON Lines:
           rank, file, path, score). DIR ist ohne Angabe der eingestellte
           Bibliotheksordner.
</translation>
    </message>
    <message>
        <source>cannot read the library folder %1</source>
        <translation>der Bibliotheksordner %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>FILE [W H] [--labels]: W and H whole numbers of pixels from 1 to 8192</source>
        <translation>FILE [W H] [--labels]: W und H ganze Zahlen von Pixeln von 1 bis 8192</translation>
    </message>
    <message>
        <source>a4 or letter</source>
        <translation>a4 oder letter</translation>
    </message>
    <message>
        <source>       kvr script [FILE|-]
           Runs one graph without a window: commands, one per line, from FILE
           or standard input (&apos;#&apos; starts a comment): size, type, down, move,
           up, rdown, rup, dblclick, wheel, pen, grid, axis, mensuration,
           paint, display-equation, intersections, delete, undo, attrib,
           x-caption, y-caption, xy-caption, tangent, colour, zoom,
           precision, dump (the graph&apos;s state as one JSON line),
           paper a4|letter (the sheet of the pages exported after it; the
           locale&apos;s by default), export-ps FILE (a FILE ending in .eps: as
           export-eps), export-eps FILE (one picture for a worksheet, its
           bounding box tight round the graph), export-png FILE [W H]
           [--labels] (no grid or selection, labels only with --labels;
           default size: the script&apos;s), export-svg FILE, export-pdf FILE,
           open FILE.kvr, save FILE.kvr. An export or save to - writes
           standard output.
</source>
        <translation>       kvr script [FILE|-]
           Führt einen Graphen ohne Fenster: Befehle, einer je Zeile, aus FILE
           oder von der Standardeingabe (&apos;#&apos; beginnt einen Kommentar): size, type,
           down, move, up, rdown, rup, dblclick, wheel, pen, grid, axis,
           mensuration, paint, display-equation, intersections, delete, undo,
           attrib, x-caption, y-caption, xy-caption, tangent, colour, zoom,
           precision, dump (der Zustand des Graphen als eine JSON-Zeile),
           paper a4|letter (der Bogen der danach exportierten Seiten; vorgegeben
           der des Gebietsschemas), export-ps FILE (eine FILE auf .eps: wie
           export-eps), export-eps FILE (ein Bild für ein Arbeitsblatt, sein
           Begrenzungsrahmen eng um den Graphen), export-png FILE [W H]
           [--labels] (ohne Gitter und Auswahl, Beschriftungen nur mit --labels;
           Vorgabegröße: die des Skripts), export-svg FILE, export-pdf FILE,
           open FILE.kvr, save FILE.kvr. Ein Export oder Speichern nach -
           schreibt auf die Standardausgabe.
</translation>
    </message>
</context>
<context>
    <name>EqOptionDialog</name>
    <message>
        <source>Display Extreme Points</source>
        <translation>Extrempunkte anzeigen</translation>
    </message>
    <message>
        <source>Enable Mensuration</source>
        <translation>Flächenmessung einschalten</translation>
    </message>
    <message>
        <source>Equation Options</source>
        <translation>Optionen der Gleichung</translation>
    </message>
    <message>
        <source>Primitive Information</source>
        <translation>Angaben zur Kurve</translation>
    </message>
    <message>
        <source>Equation :</source>
        <translation>Gleichung :</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Display Equation Text</source>
        <translation>Gleichungstext anzeigen</translation>
    </message>
    <message>
        <source>Equation Text</source>
        <translation>Gleichungstext</translation>
    </message>
    <message>
        <source>Original Equation</source>
        <translation>Ursprüngliche Gleichung</translation>
    </message>
    <message>
        <source>User Define</source>
        <translation>Eigener Text</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Line Options</source>
        <translation>Linienoptionen</translation>
    </message>
    <message>
        <source>Line colour</source>
        <translation>Linienfarbe</translation>
    </message>
    <message>
        <source>Line stipple</source>
        <translation>Linienart</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>Durchgezogen</translation>
    </message>
    <message>
        <source>Dashed</source>
        <translation>Gestrichelt</translation>
    </message>
    <message>
        <source>Line width</source>
        <translation>Linienbreite</translation>
    </message>
    <message>
        <source>- Color -</source>
        <translation>- Farbe -</translation>
    </message>
    <message>
        <source>- Stipple -</source>
        <translation>- Linienart -</translation>
    </message>
    <message>
        <source>- Width -</source>
        <translation>- Breite -</translation>
    </message>
    <message>
        <source>Set up Domain</source>
        <translation>Definitionsbereich festlegen</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Stippling</source>
        <translation>Strichelung</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Both</source>
        <translation>Beide</translation>
    </message>
    <message>
        <source>Mensuration Options</source>
        <translation>Optionen der Flächenmessung</translation>
    </message>
    <message>
        <source>Omit Intermediate Sections</source>
        <translation>Zwischenabschnitte auslassen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source># of Sections</source>
        <translation>Anzahl der Abschnitte</translation>
    </message>
    <message>
        <source>Left Height</source>
        <translation>Linke Höhe</translation>
    </message>
    <message>
        <source>Right Height</source>
        <translation>Rechte Höhe</translation>
    </message>
    <message>
        <source>Short Height</source>
        <translation>Kleinere Höhe</translation>
    </message>
    <message>
        <source>Line Colour</source>
        <translation>Linienfarbe</translation>
    </message>
    <message>
        <source>Line Stipple</source>
        <translation>Linienart</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>Linienbreite</translation>
    </message>
    <message>
        <source>Modify Equation</source>
        <translation>Gleichung ändern</translation>
    </message>
    <message>
        <source>The equation could not be read: %1 (column %2); the equation is unchanged.</source>
        <translation>Die Gleichung ist nicht lesbar: %1 (Spalte %2); die Gleichung bleibt unverändert.</translation>
    </message>
    <message>
        <source>User Label</source>
        <translation>Eigene Beschriftung</translation>
    </message>
    <message>
        <source>The domain must have finite ends; the domain is unchanged.</source>
        <translation>Der Definitionsbereich braucht endliche Grenzen; er bleibt unverändert.</translation>
    </message>
    <message>
        <source>Domain</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>The mensuration range must have finite ends; it is unchanged.</source>
        <translation>Der Messbereich braucht endliche Grenzen; er bleibt unverändert.</translation>
    </message>
    <message>
        <source>Mensuration Height</source>
        <translation>Höhe der Flächenmessung</translation>
    </message>
</context>
<context>
    <name>Gesture</name>
    <message>
        <source>Edit Graph</source>
        <translation>Graph bearbeiten</translation>
    </message>
    <message>
        <source>Move Labels</source>
        <translation>Beschriftungen verschieben</translation>
    </message>
    <message>
        <source>Move Curve</source>
        <translation>Kurve verschieben</translation>
    </message>
    <message>
        <source>Reshape Curve</source>
        <translation>Kurve umformen</translation>
    </message>
    <message>
        <source>Move Label</source>
        <translation>Beschriftung verschieben</translation>
    </message>
    <message>
        <source>Move Attribute Point</source>
        <translation>Attributpunkt verschieben</translation>
    </message>
    <message>
        <source>Resize Plot Box</source>
        <translation>Zeichenbereich ändern</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Mensuration By Part</source>
        <translation>Flächenmessung in Teilen</translation>
    </message>
    <message>
        <source>Paint Region</source>
        <translation>Bereich färben</translation>
    </message>
</context>
<context>
    <name>HandbookDialog</name>
    <message>
        <source>KVR Handbook</source>
        <translation>KVR-Handbuch</translation>
    </message>
</context>
<context>
    <name>PalleteButton</name>
    <message>
        <source>Left click or Space: draw and paint in this colour. Right click or the menu key: choose another colour.</source>
        <translation>Linksklick oder Leertaste: in dieser Farbe zeichnen und färben. Rechtsklick oder Menütaste: eine andere Farbe wählen.</translation>
    </message>
    <message>
        <source>Colour %1</source>
        <translation>Farbe %1</translation>
    </message>
    <message>
        <source>Draw and paint in this colour; the menu key chooses another.</source>
        <translation>In dieser Farbe zeichnen und färben; die Menütaste wählt eine andere.</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
</context>
<context>
    <name>PrimitiveInfo</name>
    <message>
        <source>center : %1 %2
a : %3
b : %4
theta : %5</source>
        <translation>Mittelpunkt : %1 %2
a : %3
b : %4
theta : %5</translation>
    </message>
    <message>
        <source>center : %1 %2
a : %3
theta : %4</source>
        <translation>Mittelpunkt : %1 %2
a : %3
theta : %4</translation>
    </message>
    <message>
        <source>Type : Explicit</source>
        <translation>Form : Explizit</translation>
    </message>
    <message>
        <source>Type : Implicit</source>
        <translation>Form : Implizit</translation>
    </message>
    <message>
        <source>Primitive Type : %1</source>
        <translation>Kurvenart : %1</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Quadratic</source>
        <translation>Quadratisch</translation>
    </message>
    <message>
        <source>Cubic</source>
        <translation>Kubisch</translation>
    </message>
    <message>
        <source>Quartic</source>
        <translation>Quartisch</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>Sinus</translation>
    </message>
    <message>
        <source>Cosine</source>
        <translation>Kosinus</translation>
    </message>
    <message>
        <source>Tangent</source>
        <translation>Tangens</translation>
    </message>
    <message>
        <source>Logarithm</source>
        <translation>Logarithmus</translation>
    </message>
    <message>
        <source>Exponential</source>
        <translation>Exponentiell</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Hyperbola</source>
        <translation>Hyperbel</translation>
    </message>
    <message>
        <source>Parabola</source>
        <translation>Parabel</translation>
    </message>
    <message>
        <source>Primitive Type : None</source>
        <translation>Kurvenart : Keine</translation>
    </message>
    <message>
        <source>Type : None     </source>
        <translation>Form : Keine     </translation>
    </message>
    <message>
        <source>Primitive Type : None      </source>
        <translation>Kurvenart : Keine      </translation>
    </message>
    <message>
        <source>
No Information</source>
        <translation>
Keine Angaben</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>the equation is too deeply nested</source>
        <translation>die Gleichung ist zu tief verschachtelt</translation>
    </message>
    <message>
        <source>&apos;=&apos; may stand only once (there is one at column %1)</source>
        <translation>&apos;=&apos; darf nur einmal stehen (eines steht schon in Spalte %1)</translation>
    </message>
    <message>
        <source>unknown character %1</source>
        <translation>unbekanntes Zeichen %1</translation>
    </message>
    <message>
        <source>%1 is not supported</source>
        <translation>%1 wird nicht unterstützt</translation>
    </message>
    <message>
        <source>the equation is empty</source>
        <translation>die Gleichung ist leer</translation>
    </message>
    <message>
        <source>expected a number, a name or &apos;(&apos; at the start</source>
        <translation>am Anfang wird eine Zahl, ein Name oder &apos;(&apos; erwartet</translation>
    </message>
    <message>
        <source>expected a number, a name or &apos;(&apos; after %1</source>
        <translation>nach %1 wird eine Zahl, ein Name oder &apos;(&apos; erwartet</translation>
    </message>
    <message>
        <source>missing &apos;|&apos; for the &apos;|&apos; at column %1</source>
        <translation>es fehlt &apos;|&apos; zum &apos;|&apos; in Spalte %1</translation>
    </message>
    <message>
        <source>missing &apos;)&apos; for the &apos;(&apos; at column %1</source>
        <translation>es fehlt &apos;)&apos; zur &apos;(&apos; in Spalte %1</translation>
    </message>
    <message>
        <source>&apos;)&apos; without a matching &apos;(&apos;</source>
        <translation>&apos;)&apos; ohne passende &apos;(&apos;</translation>
    </message>
    <message>
        <source>&apos;,&apos; belongs only in a pair such as (1, 2)</source>
        <translation>&apos;,&apos; gehört nur in ein Paar wie (1, 2)</translation>
    </message>
    <message>
        <source>&apos;_&apos; must follow a name</source>
        <translation>&apos;_&apos; muss auf einen Namen folgen</translation>
    </message>
    <message>
        <source>expected an operator before %1</source>
        <translation>vor %1 wird ein Rechenzeichen erwartet</translation>
    </message>
    <message>
        <source>the equation is longer than %1 characters</source>
        <translation>die Gleichung ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>no x or y to plot</source>
        <translation>kein x oder y zum Zeichnen</translation>
    </message>
    <message>
        <source>no real points</source>
        <translation>keine reellen Punkte</translation>
    </message>
    <message>
        <source>the graph has 1000 equations, as many as a lesson can keep</source>
        <translation>der Graph hat 1000 Gleichungen, so viele wie eine Lektion fassen kann</translation>
    </message>
    <message>
        <source>the equation is longer than a lesson can keep</source>
        <translation>die Gleichung ist länger, als eine Lektion fassen kann</translation>
    </message>
    <message>
        <source>the equations would be too large to plot</source>
        <translation>die Gleichungen wären zu groß zum Zeichnen</translation>
    </message>
    <message>
        <source>nothing was drawn</source>
        <translation>es wurde nichts gezeichnet</translation>
    </message>
    <message>
        <source>a stroke has no points</source>
        <translation>ein Strich hat keine Punkte</translation>
    </message>
    <message>
        <source>more than two strokes (draw one curve, or an axis and then a curve)</source>
        <translation>mehr als zwei Striche (eine Kurve zeichnen, oder eine Achse und dann eine Kurve)</translation>
    </message>
    <message>
        <source>no line, parabola, cubic or ellipse fits the stroke</source>
        <translation>keine Gerade, Parabel, kubische Kurve oder Ellipse passt zum Strich</translation>
    </message>
    <message>
        <source>the first of two strokes is not a straight axis</source>
        <translation>der erste von zwei Strichen ist keine gerade Achse</translation>
    </message>
    <message>
        <source>the curve crosses its axis more than twice</source>
        <translation>die Kurve schneidet ihre Achse mehr als zweimal</translation>
    </message>
    <message>
        <source>the curve crosses its axis twice but is no ellipse</source>
        <translation>die Kurve schneidet ihre Achse zweimal, ist aber keine Ellipse</translation>
    </message>
    <message>
        <source>the curve crosses its axis once but is no parabola</source>
        <translation>die Kurve schneidet ihre Achse einmal, ist aber keine Parabel</translation>
    </message>
    <message>
        <source>the curve does not cross its axis but is no hyperbola branch</source>
        <translation>die Kurve schneidet ihre Achse nicht, ist aber kein Hyperbelast</translation>
    </message>
    <message>
        <source>the fitted conic has no size</source>
        <translation>der angepasste Kegelschnitt hat keine Ausdehnung</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Das Dokument konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Das Dokument konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Failed to save image file</source>
        <translation>Die Bilddatei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>the lesson is larger than a document may be</source>
        <translation>die Lektion ist größer, als ein Dokument sein darf</translation>
    </message>
    <message>
        <source>it would not open again (%1)</source>
        <translation>es ließe sich nicht wieder öffnen (%1)</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei gibt es nicht</translation>
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
        <source>the file is larger than %1 MB</source>
        <translation>die Datei ist größer als %1 MB</translation>
    </message>
    <message>
        <source>the file cannot be read: %1</source>
        <translation>die Datei ist nicht lesbar: %1</translation>
    </message>
    <message>
        <source>elements nest more than %1 deep</source>
        <translation>Elemente sind mehr als %1 Ebenen tief verschachtelt</translation>
    </message>
    <message>
        <source>the file has more than %1 elements</source>
        <translation>die Datei hat mehr als %1 Elemente</translation>
    </message>
    <message>
        <source>the file has a document type declaration</source>
        <translation>die Datei hat eine Dokumenttyp-Deklaration</translation>
    </message>
    <message>
        <source>the file refers to an entity</source>
        <translation>die Datei verweist auf eine Entität</translation>
    </message>
    <message>
        <source>the file ends inside an element</source>
        <translation>die Datei endet mitten in einem Element</translation>
    </message>
    <message>
        <source>not well-formed XML (line %1: %2)</source>
        <translation>kein wohlgeformtes XML (Zeile %1: %2)</translation>
    </message>
    <message>
        <source>an element has more than %1 attributes</source>
        <translation>ein Element hat mehr als %1 Attribute</translation>
    </message>
    <message>
        <source>not well-formed XML (more than one top-level element)</source>
        <translation>kein wohlgeformtes XML (mehr als ein Wurzelelement)</translation>
    </message>
    <message>
        <source>not well-formed XML (no element)</source>
        <translation>kein wohlgeformtes XML (kein Element)</translation>
    </message>
    <message>
        <source>a label text is longer than %1 characters</source>
        <translation>ein Beschriftungstext ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>an equation text is longer than %1 characters</source>
        <translation>ein Gleichungstext ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>the equations are too large to plot (%1 goes over the limit)</source>
        <translation>die Gleichungen sind zu groß zum Zeichnen (%1 überschreitet die Grenze)</translation>
    </message>
    <message>
        <source>an equation has more than %1 attribute points</source>
        <translation>eine Gleichung hat mehr als %1 Attributpunkte</translation>
    </message>
    <message>
        <source>the equation %1 does not parse</source>
        <translation>die Gleichung %1 ist nicht lesbar</translation>
    </message>
    <message>
        <source>the document has more than %1 equations</source>
        <translation>das Dokument hat mehr als %1 Gleichungen</translation>
    </message>
    <message>
        <source>the document has more than %1 attribute points</source>
        <translation>das Dokument hat mehr als %1 Attributpunkte</translation>
    </message>
    <message>
        <source>the document has more than %1 painted regions</source>
        <translation>das Dokument hat mehr als %1 gefärbte Bereiche</translation>
    </message>
</context>
<context>
    <name>ZoomDialogBar</name>
    <message>
        <source>X zoom</source>
        <translation>x-Zoom</translation>
    </message>
    <message>
        <source>Y zoom</source>
        <translation>y-Zoom</translation>
    </message>
    <message>
        <source>x zoom</source>
        <translation>x-Zoom</translation>
    </message>
    <message>
        <source>y zoom</source>
        <translation>y-Zoom</translation>
    </message>
</context>
</TS>
