<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CDialogBase</name>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Failed to launch help.</source>
        <translation>Die Hilfe konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>CLabelStockRow</name>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 Zeile %2: %3</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
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
        <source>Save, delete, import or export label stocks</source>
        <translation>Etikettenvorlagen speichern, löschen, importieren oder exportieren</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>%1 (administrator)</source>
        <translation>%1 (Administrator)</translation>
    </message>
    <message numerus="yes">
        <source>%n preset file(s) cannot be used:</source>
        <translation>
            <numerusform>%n Vorlagendatei kann nicht verwendet werden:</numerusform>
            <numerusform>%n Vorlagendateien können nicht verwendet werden:</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (changed)</source>
        <translation>%1 (geändert)</translation>
    </message>
    <message>
        <source>This name cannot be used.</source>
        <translation>Dieser Name kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>This description cannot be used.</source>
        <translation>Diese Beschreibung kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>A description is one line without control characters.</source>
        <translation>Eine Beschreibung ist eine Zeile ohne Steuerzeichen.</translation>
    </message>
    <message>
        <source>This label stock cannot be saved.</source>
        <translation>Diese Etikettenvorlage kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>There is no label stock named &quot;%1&quot; any more.</source>
        <translation>Die Etikettenvorlage „%1“ gibt es nicht mehr.</translation>
    </message>
    <message>
        <source>Cannot open the label stock folder.</source>
        <translation>Der Ordner der Etikettenvorlagen kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Cannot write the label stock folder.</source>
        <translation>In den Ordner der Etikettenvorlagen kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Another program kept changing label stocks; nothing was changed. Try again.</source>
        <translation>Ein anderes Programm hat gerade Etikettenvorlagen geändert; es wurde nichts geändert. Bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>Pick the label stock to delete first.</source>
        <translation>Wählen Sie zuerst die Etikettenvorlage, die gelöscht werden soll.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is an administrator&apos;s label stock and cannot be deleted here.</source>
        <translation>„%1“ ist eine Etikettenvorlage des Administrators und kann hier nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>It is kept in %1.</source>
        <translation>Sie liegt in %1.</translation>
    </message>
    <message>
        <source>This file cannot be imported.</source>
        <translation>Diese Datei kann nicht importiert werden.</translation>
    </message>
    <message>
        <source>Pick the label stock to export first.</source>
        <translation>Wählen Sie zuerst die Etikettenvorlage, die exportiert werden soll.</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>%1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Delete the label stock &quot;%1&quot;?</source>
        <translation>Die Etikettenvorlage „%1“ löschen?</translation>
    </message>
    <message>
        <source>You already have a label stock named &quot;%1&quot;. Replace it?</source>
        <translation>Sie haben schon eine Etikettenvorlage „%1“. Ersetzen?</translation>
    </message>
</context>
<context>
    <name>CNetworkPrinterDialog</name>
    <message>
        <source>Network Printer</source>
        <translation>Netzwerkdrucker</translation>
    </message>
    <message>
        <source>&amp;Host name or address:</source>
        <translation>&amp;Hostname oder Adresse:</translation>
    </message>
    <message>
        <source>TCP &amp;port:</source>
        <translation>TCP-&amp;Port:</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1: cannot be used: %2</source>
        <translation>%1: nicht nutzbar: %2</translation>
    </message>
    <message>
        <source>No printers were &amp;found on the network.</source>
        <translation>Im Netzwerk wurden keine Drucker &amp;gefunden.</translation>
    </message>
    <message>
        <source>Printers &amp;found on the network:</source>
        <translation>Im Netzwerk &amp;gefundene Drucker:</translation>
    </message>
</context>
<context>
    <name>CPortRow</name>
    <message>
        <source>Device of %1</source>
        <translation>Gerät für %1</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Testen</translation>
    </message>
    <message>
        <source>Test %1</source>
        <translation>%1 testen</translation>
    </message>
    <message>
        <source>Open the device and close it again without sending anything</source>
        <translation>Öffnet das Gerät und schließt es wieder, ohne etwas zu senden</translation>
    </message>
    <message>
        <source>set by %1</source>
        <translation>festgelegt durch %1</translation>
    </message>
    <message>
        <source>empty: the port&apos;s default device is used</source>
        <translation>leer: das Standardgerät des Anschlusses wird verwendet</translation>
    </message>
    <message>
        <source>testing…</source>
        <translation>wird getestet…</translation>
    </message>
    <message>
        <source>test passed: the device opened and closed again</source>
        <translation>Test bestanden: das Gerät wurde geöffnet und wieder geschlossen</translation>
    </message>
    <message>
        <source>test failed</source>
        <translation>Test fehlgeschlagen</translation>
    </message>
    <message>
        <source>printer: %1</source>
        <translation>Drucker: %1</translation>
    </message>
    <message>
        <source>print queue: %1</source>
        <translation>Druckerwarteschlange: %1</translation>
    </message>
    <message>
        <source>looking for print queues…</source>
        <translation>Druckerwarteschlangen werden gesucht…</translation>
    </message>
    <message>
        <source>print queue: Test asks its server whether it takes jobs</source>
        <translation>Druckerwarteschlange: „Testen“ fragt ihren Server, ob sie Aufträge annimmt</translation>
    </message>
    <message>
        <source>test passed: the queue is there and accepts jobs</source>
        <translation>Test bestanden: die Warteschlange ist da und nimmt Aufträge an</translation>
    </message>
</context>
<context>
    <name>CPortsDialog</name>
    <message>
        <source>Ports</source>
        <translation>Anschlüsse</translation>
    </message>
    <message>
        <source>Choose the device each port sends to. A serial adapter or USB printer is kept by a name that survives unplugging.</source>
        <translation>Wählen Sie für jeden Anschluss das Gerät, an das gesendet wird. Ein Seriell-Adapter oder USB-Drucker wird unter einem Namen gespeichert, der das Ab- und Wiederanstecken übersteht.</translation>
    </message>
    <message>
        <source>COM&amp;1</source>
        <translation>COM&amp;1</translation>
    </message>
    <message>
        <source>COM&amp;2</source>
        <translation>COM&amp;2</translation>
    </message>
    <message>
        <source>&amp;LPT1</source>
        <translation>&amp;LPT1</translation>
    </message>
    <message>
        <source>LP&amp;T2</source>
        <translation>LP&amp;T2</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>looking for print queues…</source>
        <translation>Druckerwarteschlangen werden gesucht…</translation>
    </message>
    <message>
        <source>No print queues: %1</source>
        <translation>Keine Druckerwarteschlangen: %1</translation>
    </message>
    <message>
        <source>network printers: %1</source>
        <translation>Netzwerkdrucker: %1</translation>
    </message>
</context>
<context>
    <name>CPresetNameDialog</name>
    <message>
        <source>Save Label Stock</source>
        <translation>Etikettenvorlage speichern</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>optional</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
</context>
<context>
    <name>CSendProgress</name>
    <message>
        <source>the printer</source>
        <translation>den Drucker</translation>
    </message>
    <message>
        <source>Sending to %1…</source>
        <translation>Senden an %1…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CSerialLineEditor</name>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>Data bits</source>
        <translation>Datenbits</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>even</source>
        <translation>gerade</translation>
    </message>
    <message>
        <source>odd</source>
        <translation>ungerade</translation>
    </message>
    <message>
        <source>Stop bits</source>
        <translation>Stoppbits</translation>
    </message>
    <message>
        <source>Flow control</source>
        <translation>Flusssteuerung</translation>
    </message>
    <message>
        <source>XON/XOFF</source>
        <translation>XON/XOFF</translation>
    </message>
    <message>
        <source>RTS/CTS</source>
        <translation>RTS/CTS</translation>
    </message>
    <message>
        <source>none</source>
        <comment>parity</comment>
        <translation>keine</translation>
    </message>
    <message>
        <source>none</source>
        <comment>flow control</comment>
        <translation>keine</translation>
    </message>
</context>
<context>
    <name>CSetupDlg</name>
    <message>
        <source>&amp;Unit</source>
        <translation>&amp;Einheit</translation>
    </message>
    <message>
        <source>0.1 &amp;inches</source>
        <translation>0,1 &amp;Zoll</translation>
    </message>
    <message>
        <source>&amp;millimeters</source>
        <translation>&amp;Millimeter</translation>
    </message>
    <message>
        <source>&amp;Option Set</source>
        <translation>&amp;Parameter</translation>
    </message>
    <message>
        <source>Label Lenght</source>
        <translation>Etikettenlänge</translation>
    </message>
    <message>
        <source>Label Gap</source>
        <translation>Etikettenabstand</translation>
    </message>
    <message>
        <source>Cut Offset</source>
        <translation>Schnittversatz</translation>
    </message>
    <message>
        <source>Tear Off Offset</source>
        <translation>Abreißversatz</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>&amp;Kommunikation</translation>
    </message>
    <message>
        <source>COM1</source>
        <translation>COM1</translation>
    </message>
    <message>
        <source>COM2</source>
        <translation>COM2</translation>
    </message>
    <message>
        <source>LPT1</source>
        <translation>LPT1</translation>
    </message>
    <message>
        <source>LPT2</source>
        <translation>LPT2</translation>
    </message>
    <message>
        <source>&amp;Print Mode</source>
        <translation>&amp;Druckverfahren</translation>
    </message>
    <message>
        <source>Thermal Transfer</source>
        <translation>Thermotransfer</translation>
    </message>
    <message>
        <source>Direct Thermal</source>
        <translation>Thermodirekt</translation>
    </message>
    <message>
        <source>Po&amp;rts…</source>
        <translation>A&amp;nschlüsse…</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Senden</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>pixel</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Trovanel</source>
        <translation>Trovanel</translation>
    </message>
    <message>
        <source>0.1inch</source>
        <translation>0,1 Zoll</translation>
    </message>
    <message>
        <source>Send To Printer OK!</source>
        <translation>Erfolgreich an den Drucker gesendet!</translation>
    </message>
    <message>
        <source>Send To Printer Error!</source>
        <translation>Fehler beim Senden an den Drucker!</translation>
    </message>
    <message>
        <source>Cannot open Trovanel.ini file.</source>
        <translation>Die Datei Trovanel.ini kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Cannot write Trovanel.ini file.</source>
        <translation>Die Datei Trovanel.ini kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Another program kept saving it; nothing was changed. Try again.</source>
        <translation>Ein anderes Programm hat sie gerade gespeichert; es wurde nichts geändert. Bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>&amp;Label stock</source>
        <translation>Etiketten&amp;vorlage</translation>
    </message>
    <message>
        <source>Mana&amp;ge</source>
        <translation>Ver&amp;walten</translation>
    </message>
</context>
<context>
    <name>CSvgPicture</name>
    <message>
        <source>Label measurements</source>
        <translation>Etikettenmaße</translation>
    </message>
    <message>
        <source>Where the cut offset, the label length and the label gap are measured.</source>
        <translation>Wo Schnittversatz, Etikettenlänge und Etikettenabstand gemessen werden.</translation>
    </message>
    <message>
        <source>Cut Offset</source>
        <translation>Schnitt</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Abstand</translation>
    </message>
</context>
<context>
    <name>CTargetBox</name>
    <message>
        <source>Network printer…</source>
        <translation>Netzwerkdrucker…</translation>
    </message>
    <message>
        <source>Capture to file…</source>
        <translation>In Datei aufzeichnen…</translation>
    </message>
    <message>
        <source>Capture to File</source>
        <translation>In Datei aufzeichnen</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>What to do.</source>
        <translation>Was zu tun ist.</translation>
    </message>
    <message>
        <source>COMMAND [ARGUMENTS…]</source>
        <translation>BEFEHL [ARGUMENTE…]</translation>
    </message>
    <message>
        <source>Print the program&apos;s version.</source>
        <translation>Die Version des Programms ausgeben.</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>Kein Befehl angegeben.</translation>
    </message>
    <message>
        <source>Unknown command &apos;%1&apos;.</source>
        <translation>Unbekannter Befehl „%1“.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe anzeigen.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos;.</source>
        <translation>Siehe „%1 --help“.</translation>
    </message>
    <message>
        <source>Ports:
</source>
        <translation>Anschlüsse:
</translation>
    </message>
    <message>
        <source>  %1  %2  (%3): %4
</source>
        <translation>  %1  %2  (%3): %4
</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>        fix: %1
</source>
        <translation>        Abhilfe: %1
</translation>
    </message>
    <message>
        <source>Devices:
</source>
        <translation>Geräte:
</translation>
    </message>
    <message>
        <source>  %1 (%2): %3
</source>
        <translation>  %1 (%2): %3
</translation>
    </message>
    <message>
        <source>  none found
</source>
        <translation>  keine gefunden
</translation>
    </message>
    <message>
        <source>The port is COM1, COM2, LPT1 or LPT2, not &apos;%1&apos;.</source>
        <translation>Der Anschluss ist COM1, COM2, LPT1 oder LPT2, nicht „%1“.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Kept, but %1 cannot be used now: %2</source>
        <translation>Gespeichert, aber %1 ist derzeit nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>Show what each port maps to, where that comes from and whether it can be used, then the devices found on this machine. With set, keep URI as the port&apos;s device in outport.conf (an empty URI gives the port back its default).</source>
        <translation>Zeigt, welches Gerät jedem Anschluss zugeordnet ist, woher die Zuordnung stammt und ob es verwendbar ist, dann die auf diesem Rechner gefundenen Geräte. Mit set wird URI als Gerät des Anschlusses in outport.conf gespeichert (eine leere URI stellt den Standard des Anschlusses wieder her).</translation>
    </message>
    <message>
        <source>Change a port.</source>
        <translation>Einen Anschluss ändern.</translation>
    </message>
    <message>
        <source>Print one JSON object instead of text.</source>
        <translation>Ein JSON-Objekt statt Text ausgeben.</translation>
    </message>
    <message>
        <source>Expected: ports set PORT URI.</source>
        <translation>Erwartet: ports set PORT URI.</translation>
    </message>
    <message>
        <source>Build the command block from the saved settings and send it to the printer on the saved port, or on another port or device for this send.</source>
        <translation>Erzeugt den Befehlsblock aus den gespeicherten Einstellungen und sendet ihn an den Drucker am gespeicherten Anschluss oder, nur für diesen Sendevorgang, an einen anderen Anschluss oder ein anderes Gerät.</translation>
    </message>
    <message>
        <source>Send on this port instead: COM1, COM2, LPT1 or LPT2.</source>
        <translation>Stattdessen an diesen Anschluss senden: COM1, COM2, LPT1 oder LPT2.</translation>
    </message>
    <message>
        <source>Send to this device URI instead of a port.</source>
        <translation>An diese Geräte-URI statt an einen Anschluss senden.</translation>
    </message>
    <message>
        <source>Write the block&apos;s bytes to standard output and send nothing.</source>
        <translation>Die Bytes des Blocks auf die Standardausgabe schreiben und nichts senden.</translation>
    </message>
    <message>
        <source>send takes no arguments.</source>
        <translation>send nimmt keine Argumente.</translation>
    </message>
    <message>
        <source>Give --port or --to, not both.</source>
        <translation>Entweder --port oder --to angeben, nicht beides.</translation>
    </message>
    <message>
        <source>Send To Printer OK!
</source>
        <translation>Erfolgreich an den Drucker gesendet!
</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not NAME=VALUE.</source>
        <translation>„%1“ hat nicht die Form NAME=VALUE.</translation>
    </message>
    <message>
        <source>The unit is mm or inch, not &apos;%1&apos;.</source>
        <translation>Die Einheit ist mm oder inch, nicht „%1“.</translation>
    </message>
    <message>
        <source>The mode is transfer or direct, not &apos;%1&apos;.</source>
        <translation>Das Druckverfahren ist transfer oder direct, nicht „%1“.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Cannot open Trovanel.ini file.</source>
        <translation>Die Datei Trovanel.ini kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Cannot write Trovanel.ini file.</source>
        <translation>Die Datei Trovanel.ini kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>set needs at least one NAME=VALUE.</source>
        <translation>set braucht mindestens ein NAME=VALUE.</translation>
    </message>
    <message>
        <source>Unknown setting &apos;%1&apos;; the names are unit, length, gap, tear, cut, port and mode.</source>
        <translation>Unbekannte Einstellung „%1“; die Namen sind unit, length, gap, tear, cut, port und mode.</translation>
    </message>
    <message>
        <source>Saved Trovanel.ini.
</source>
        <translation>Trovanel.ini gespeichert.
</translation>
    </message>
    <message>
        <source>Change the settings and save them. Names: unit (mm or inch), length, gap, tear (in the unit in force after any unit= given here), cut (pixels), port (COM1, COM2, LPT1 or LPT2), mode (transfer or direct). If any value is rejected nothing is saved.</source>
        <translation>Ändert die Einstellungen und speichert sie. Namen: unit (mm oder inch), length, gap, tear (in der Einheit, die nach einem hier angegebenen unit= gilt), cut (Pixel), port (COM1, COM2, LPT1 oder LPT2), mode (transfer oder direct). Wird ein Wert abgelehnt, wird nichts gespeichert.</translation>
    </message>
    <message>
        <source>A setting.</source>
        <translation>Eine Einstellung.</translation>
    </message>
    <message>
        <source>Say when the settings were saved.</source>
        <translation>Melden, wenn die Einstellungen gespeichert wurden.</translation>
    </message>
    <message>
        <source>%1 mm, %2 (0.1 inch)</source>
        <translation>%1 mm, %2 (0,1 Zoll)</translation>
    </message>
    <message>
        <source>none (code %1)</source>
        <translation>keiner (Code %1)</translation>
    </message>
    <message>
        <source>unit: %1
</source>
        <translation>Einheit: %1
</translation>
    </message>
    <message>
        <source>length: %1
</source>
        <translation>Länge: %1
</translation>
    </message>
    <message>
        <source>gap: %1
</source>
        <translation>Abstand: %1
</translation>
    </message>
    <message>
        <source>tear: %1
</source>
        <translation>Abreißversatz: %1
</translation>
    </message>
    <message>
        <source>cut: %1 pixel
</source>
        <translation>Schnittversatz: %1 Pixel
</translation>
    </message>
    <message>
        <source>port: %1
</source>
        <translation>Anschluss: %1
</translation>
    </message>
    <message>
        <source>device: %1 (%2)
</source>
        <translation>Gerät: %1 (%2)
</translation>
    </message>
    <message>
        <source>mode: %1
</source>
        <translation>Druckverfahren: %1
</translation>
    </message>
    <message>
        <source>block:
</source>
        <translation>Block:
</translation>
    </message>
    <message>
        <source>Show the saved settings, the device their port maps to and the command block they make.</source>
        <translation>Zeigt die gespeicherten Einstellungen, das Gerät ihres Anschlusses und den daraus erzeugten Befehlsblock.</translation>
    </message>
    <message>
        <source>show takes no arguments.</source>
        <translation>show nimmt keine Argumente.</translation>
    </message>
    <message>
        <source>Cannot write the result to standard output: %1.</source>
        <translation>Das Ergebnis kann nicht auf die Standardausgabe geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>        printer: %1
</source>
        <translation>        Drucker: %1
</translation>
    </message>
    <message>
        <source>fix: %1</source>
        <translation>Abhilfe: %1</translation>
    </message>
    <message>
        <source>ports set takes no --json.</source>
        <translation>ports set kennt keine Option --json.</translation>
    </message>
    <message>
        <source>Another program kept saving it for %1 seconds; nothing was changed.</source>
        <translation>Ein anderes Programm hat sie %1 Sekunden lang gespeichert; es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>%1, the default queue</source>
        <translation>%1, die Standardwarteschlange</translation>
    </message>
    <message>
        <source>  print queues: %1
</source>
        <translation>  Druckerwarteschlangen: %1
</translation>
    </message>
    <message>
        <source>Set up a thermal label printer. Without arguments the setup dialog opens; with a command it works on Trovanel.ini in the current folder, without a window.

Commands:
  show [--json]              the settings, the port&apos;s device and the command block
  set NAME=VALUE…            change the settings and save them
  send [--port PORT | --to URI] [--dry-run]
                             send the settings to the printer
  ports [--json]             the four ports&apos; devices and the devices found
  ports set PORT URI         keep a port&apos;s device in outport.conf
  preset list|show|save|apply|delete|export|import …
                             label-stock presets

COMMAND --help shows a command&apos;s options. Exit status: 0 done, 1 the send or the save failed, 2 a usage mistake or a rejected value.</source>
        <translation>Richtet einen Thermo-Etikettendrucker ein. Ohne Argumente öffnet sich der Einrichtungsdialog; mit einem Befehl wird ohne Fenster mit Trovanel.ini im aktuellen Ordner gearbeitet.

Befehle:
  show [--json]              die Einstellungen, das Gerät des Anschlusses und der Befehlsblock
  set NAME=VALUE…            Einstellungen ändern und speichern
  send [--port PORT | --to URI] [--dry-run]
                             die Einstellungen an den Drucker senden
  ports [--json]             die Geräte der vier Anschlüsse und die gefundenen Geräte
  ports set PORT URI         das Gerät eines Anschlusses in outport.conf speichern
  preset list|show|save|apply|delete|export|import …
                             Vorlagen für Etikettenmaterial

BEFEHL --help zeigt die Optionen eines Befehls. Exit-Status: 0 erledigt, 1 Senden oder Speichern fehlgeschlagen, 2 Bedienfehler oder abgelehnter Wert.</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; cannot be kept: %2</source>
        <translation>Die Vorlage „%1“ kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; exists already; give --force to replace it.</source>
        <translation>Die Vorlage „%1“ gibt es schon; mit --force wird sie ersetzt.</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; cannot be kept.</source>
        <translation>Die Vorlage „%1“ kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>No preset &apos;%1&apos;.</source>
        <translation>Keine Vorlage „%1“.</translation>
    </message>
    <message>
        <source>Cannot open the presets folder %1.</source>
        <translation>Der Vorlagenordner %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Cannot write the preset file in %1.</source>
        <translation>Die Vorlagendatei in %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Another program kept changing the presets for %1 seconds; nothing was changed.</source>
        <translation>Ein anderes Programm hat die Vorlagen %1 Sekunden lang geändert; es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; is an administrator&apos;s, kept in %2; it cannot be deleted here.</source>
        <translation>Die Vorlage „%1“ gehört einem Administrator und liegt in %2; sie kann hier nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>%1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>user</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>system</source>
        <translation>System</translation>
    </message>
    <message>
        <source>(no values)</source>
        <translation>(keine Werte)</translation>
    </message>
    <message>
        <source>  file: %1
</source>
        <translation>  Datei: %1
</translation>
    </message>
    <message>
        <source>cannot be used: %1
</source>
        <translation>nicht verwendbar: %1
</translation>
    </message>
    <message>
        <source>list: print only the usable names, one a line.</source>
        <translation>list: nur die verwendbaren Namen ausgeben, einen pro Zeile.</translation>
    </message>
    <message>
        <source>save: the preset&apos;s description.</source>
        <translation>save: die Beschreibung der Vorlage.</translation>
    </message>
    <message>
        <source>save, import: replace the user&apos;s preset of that name.</source>
        <translation>save, import: die gleichnamige Vorlage des Benutzers ersetzen.</translation>
    </message>
    <message>
        <source>import: keep it under this name.</source>
        <translation>import: unter diesem Namen speichern.</translation>
    </message>
    <message>
        <source>apply: say when the settings were saved.</source>
        <translation>apply: melden, wenn die Einstellungen gespeichert wurden.</translation>
    </message>
    <message>
        <source>No preset command given.</source>
        <translation>Kein Vorlagenbefehl angegeben.</translation>
    </message>
    <message>
        <source>Unknown preset command &apos;%1&apos;.</source>
        <translation>Unbekannter Vorlagenbefehl „%1“.</translation>
    </message>
    <message>
        <source>Wrong number of arguments for preset %1.</source>
        <translation>Falsche Anzahl von Argumenten für preset %1.</translation>
    </message>
    <message>
        <source>preset %1 takes no --%2.</source>
        <translation>preset %1 kennt kein --%2.</translation>
    </message>
    <message>
        <source>Give --json or --names, not both.</source>
        <translation>Entweder --json oder --names angeben, nicht beides.</translation>
    </message>
    <message>
        <source>The name &apos;%1&apos; is refused: %2</source>
        <translation>Der Name „%1“ wird abgelehnt: %2</translation>
    </message>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 Zeile %2: %3</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; cannot be used: %2</source>
        <translation>Die Vorlage „%1“ ist nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>Send the saved settings with this preset&apos;s values over them; nothing is saved.</source>
        <translation>Die gespeicherten Einstellungen mit den Werten dieser Vorlage darüber senden; es wird nichts gespeichert.</translation>
    </message>
    <message>
        <source>%1, resource %2</source>
        <translation>%1, Ressource %2</translation>
    </message>
    <message>
        <source>        at %1, %2 port %3 (%4)
</source>
        <translation>        unter %1, %2 Port %3 (%4)
</translation>
    </message>
    <message>
        <source>        cannot be used: %1
</source>
        <translation>        nicht nutzbar: %1
</translation>
    </message>
    <message>
        <source>Look for printers on the network for at most MS milliseconds (1500 unless given).</source>
        <translation>Höchstens MS Millisekunden nach Druckern im Netzwerk suchen (ohne Angabe 1500).</translation>
    </message>
    <message>
        <source>--timeout takes milliseconds from 1 to 60000, not &apos;%1&apos;.</source>
        <translation>--timeout erwartet Millisekunden von 1 bis 60000, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>ports set takes no --timeout.</source>
        <translation>ports set kennt keine Option --timeout.</translation>
    </message>
    <message>
        <source>  network printers: %1
</source>
        <translation>  Netzwerkdrucker: %1
</translation>
    </message>
    <message>
        <source>list, show: print JSON instead of text; apply: as set --json.</source>
        <translation>list, show: JSON statt Text ausgeben; apply: wie set --json.</translation>
    </message>
    <message>
        <source>apply: say what would change; save nothing.</source>
        <translation>apply: sagen, was sich ändern würde; nichts speichern.</translation>
    </message>
    <message>
        <source>apply: print a line for each setting that changes.</source>
        <translation>apply: für jede Einstellung, die sich ändert, eine Zeile ausgeben.</translation>
    </message>
    <message>
        <source>Give --diff or --json, not both.</source>
        <translation>Geben Sie --diff oder --json an, nicht beides.</translation>
    </message>
    <message>
        <source>Label-stock presets: named sets of unit, length, gap, tear, cut and mode, kept as files in ~/.config/trovanel/presets (the user&apos;s) and /etc/xdg/trovanel/presets (an administrator&apos;s, only read).

  list [--json | --names]           every preset, and the files that cannot be used
  show NAME [--json]                one preset
  save NAME [--description TEXT] [--force]
                                    keep the saved settings as a preset
  apply NAME [--check] [--diff | --json] [--verbose]
                                    put a preset&apos;s values into the saved settings
  delete NAME                       remove one of the user&apos;s presets
  export NAME [FILE]                write a preset&apos;s file (to standard output)
  import FILE [--as NAME] [--force] keep a preset file as one of the user&apos;s</source>
        <translation>Vorlagen für Etikettenmaterial: benannte Sätze aus Einheit, Länge, Abstand, Abreißkante, Schnitt und Modus, als Dateien in ~/.config/trovanel/presets (die des Benutzers) und /etc/xdg/trovanel/presets (die eines Administrators, nur gelesen).

  list [--json | --names]           alle Vorlagen und die Dateien, die nicht verwendbar sind
  show NAME [--json]                eine Vorlage
  save NAME [--description TEXT] [--force]
                                    die gespeicherten Einstellungen als Vorlage speichern
  apply NAME [--check] [--diff | --json] [--verbose]
                                    die Werte einer Vorlage in die gespeicherten Einstellungen übernehmen
  delete NAME                       eine Vorlage des Benutzers entfernen
  export NAME [FILE]                die Datei einer Vorlage schreiben (auf die Standardausgabe)
  import FILE [--as NAME] [--force] eine Vorlagendatei als Vorlage des Benutzers übernehmen</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>line %1 does not read</source>
        <translation>Zeile %1 ist nicht lesbar</translation>
    </message>
    <message>
        <source>larger than %1 KiB</source>
        <translation>größer als %1 KiB</translation>
    </message>
    <message>
        <source>Ignoring the record of sends %1: %2.</source>
        <translation>Die Aufzeichnung der Sendungen %1 wird übergangen: %2.</translation>
    </message>
    <message>
        <source>Sent, but the record of sends %1 could not be saved.</source>
        <translation>Gesendet, aber die Aufzeichnung der Sendungen %1 konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Not sent: this block was sent to %1 at %2.
</source>
        <translation>Nicht gesendet: Dieser Block wurde am %2 an %1 gesendet.
</translation>
    </message>
    <message>
        <source>Would send %1 bytes to %2.
</source>
        <translation>Würde %1 Bytes an %2 senden.
</translation>
    </message>
    <message>
        <source>Say when the block was sent, or why not.</source>
        <translation>Melden, wenn der Block gesendet wurde, oder warum nicht.</translation>
    </message>
    <message>
        <source>Send only when this block was not the last one sent, successfully, to this device.</source>
        <translation>Nur senden, wenn dieser Block nicht der zuletzt erfolgreich an dieses Gerät gesendete ist.</translation>
    </message>
    <message>
        <source>Say whether the block would be sent; send nothing.</source>
        <translation>Sagen, ob der Block gesendet würde; nichts senden.</translation>
    </message>
    <message>
        <source>Print whether the block was sent, where to, how many bytes and why not, as one JSON object.</source>
        <translation>Als ein JSON-Objekt ausgeben, ob der Block gesendet wurde, wohin, wie viele Bytes und warum nicht.</translation>
    </message>
    <message>
        <source>--dry-run does not go with --if-changed, --check or --json.</source>
        <translation>--dry-run lässt sich nicht mit --if-changed, --check oder --json verbinden.</translation>
    </message>
    <message>
        <source>%1 -&gt; %2</source>
        <translation>%1 -&gt; %2</translation>
    </message>
    <message>
        <source>Trovanel.ini would be written whole with these settings.
</source>
        <translation>Trovanel.ini würde mit diesen Einstellungen vollständig geschrieben.
</translation>
    </message>
    <message>
        <source>Trovanel.ini was written whole with these settings.
</source>
        <translation>Trovanel.ini wurde mit diesen Einstellungen vollständig geschrieben.
</translation>
    </message>
    <message>
        <source>Nothing would change.
</source>
        <translation>Nichts würde sich ändern.
</translation>
    </message>
    <message>
        <source>Trovanel.ini holds these settings already.
</source>
        <translation>Trovanel.ini enthält diese Einstellungen bereits.
</translation>
    </message>
    <message>
        <source>Check the values and say what would change; save nothing.</source>
        <translation>Die Werte prüfen und sagen, was sich ändern würde; nichts speichern.</translation>
    </message>
    <message>
        <source>Print one line for each setting that changes, before and after.</source>
        <translation>Für jede Einstellung, die sich ändert, eine Zeile mit vorher und nachher ausgeben.</translation>
    </message>
    <message>
        <source>Print whether anything changed and the settings before and after as one JSON object.</source>
        <translation>Als ein JSON-Objekt ausgeben, ob sich etwas geändert hat, und die Einstellungen vorher und nachher.</translation>
    </message>
</context>
<context>
    <name>DeviceQueries</name>
    <message>
        <source>%1, the default queue</source>
        <translation>%1, die Standardwarteschlange</translation>
    </message>
</context>
<context>
    <name>PortSummary</name>
    <message>
        <source>printer: %1</source>
        <translation>Drucker: %1</translation>
    </message>
</context>
<context>
    <name>PresetFile</name>
    <message>
        <source>Label stocks (*.preset)</source>
        <translation>Etikettenvorlagen (*.preset)</translation>
    </message>
    <message>
        <source>Import Label Stock</source>
        <translation>Etikettenvorlage importieren</translation>
    </message>
    <message>
        <source>Export Label Stock</source>
        <translation>Etikettenvorlage exportieren</translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>A preset name is not empty.</source>
        <translation>Ein Vorlagenname ist nicht leer.</translation>
    </message>
    <message>
        <source>A preset name is at most 64 characters long.</source>
        <translation>Ein Vorlagenname ist höchstens 64 Zeichen lang.</translation>
    </message>
    <message>
        <source>A preset name is UTF-8 text.</source>
        <translation>Ein Vorlagenname ist UTF-8-Text.</translation>
    </message>
    <message>
        <source>A preset name holds no control characters or line breaks.</source>
        <translation>Ein Vorlagenname enthält keine Steuerzeichen und keine Zeilenumbrüche.</translation>
    </message>
    <message>
        <source>A preset name holds no &apos;/&apos;.</source>
        <translation>Ein Vorlagenname enthält kein „/“.</translation>
    </message>
    <message>
        <source>A preset name neither starts nor ends with a blank.</source>
        <translation>Ein Vorlagenname beginnt und endet nicht mit einem Leerzeichen.</translation>
    </message>
    <message>
        <source>A preset name is not &apos;.&apos; or &apos;..&apos;.</source>
        <translation>Ein Vorlagenname ist nicht „.“ oder „..“.</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>larger than 64 KiB</source>
        <translation>größer als 64 KiB</translation>
    </message>
    <message>
        <source>not UTF-8 text</source>
        <translation>kein UTF-8-Text</translation>
    </message>
    <message>
        <source>not a key=value line</source>
        <translation>keine Zeile der Form Schlüssel=Wert</translation>
    </message>
    <message>
        <source>unknown key &apos;%1&apos;; the keys are name, description, unit, length, gap, tear, cut and mode</source>
        <translation>unbekannter Schlüssel „%1“; die Schlüssel sind name, description, unit, length, gap, tear, cut und mode</translation>
    </message>
    <message>
        <source>&apos;%1&apos; given twice (first on line %2)</source>
        <translation>„%1“ zweimal angegeben (zuerst in Zeile %2)</translation>
    </message>
    <message>
        <source>no name= line</source>
        <translation>keine Zeile name=</translation>
    </message>
    <message>
        <source>the description holds a control character</source>
        <translation>die Beschreibung enthält ein Steuerzeichen</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is given without a unit= line</source>
        <translation>„%1“ ist ohne Zeile unit= angegeben</translation>
    </message>
</context>
<context>
    <name>PrinterHealth</name>
    <message>
        <source>ready</source>
        <translation>bereit</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>PrinterSettings</name>
    <message>
        <source>The Label Length value is out of range. The limit is 0 ~ 450 (0.1 inch).</source>
        <translation>Der Wert für die Etikettenlänge liegt außerhalb des zulässigen Bereichs. Zulässig sind 0 bis 450 (0,1 Zoll).</translation>
    </message>
    <message>
        <source>The Label Length value is out of range. The limit is 0 ~ 1103 mm.</source>
        <translation>Der Wert für die Etikettenlänge liegt außerhalb des zulässigen Bereichs. Zulässig sind 0 bis 1103 mm.</translation>
    </message>
    <message>
        <source>The Label Gap value is out of range. The limit is 0 ~ 14 (0.1 inch).</source>
        <translation>Der Wert für den Etikettenabstand liegt außerhalb des zulässigen Bereichs. Zulässig sind 0 bis 14 (0,1 Zoll).</translation>
    </message>
    <message>
        <source>The Label Gap value is out of range. The limit is 0 ~ 36 mm.</source>
        <translation>Der Wert für den Etikettenabstand liegt außerhalb des zulässigen Bereichs. Zulässig sind 0 bis 36 mm.</translation>
    </message>
    <message>
        <source>The Tear Offset value is out of range. The limit is 0 ~ 20 (0.1 inch).</source>
        <translation>Der Wert für den Abreißversatz liegt außerhalb des zulässigen Bereichs. Zulässig sind 0 bis 20 (0,1 Zoll).</translation>
    </message>
    <message>
        <source>The Tear Offset value is out of range. The limit is 0 ~ 50 mm.</source>
        <translation>Der Wert für den Abreißversatz liegt außerhalb des zulässigen Bereichs. Zulässig sind 0 bis 50 mm.</translation>
    </message>
    <message>
        <source>The Cut Offset value is out of range. The limit is -127 ~ 127 pixel.</source>
        <translation>Der Wert für den Schnittversatz liegt außerhalb des zulässigen Bereichs. Zulässig sind -127 bis 127 Pixel.</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
</context>
</TS>
