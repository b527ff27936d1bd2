<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CDialogBase</name>
    <message>
        <source>Please enter an integer.</source>
        <translation>Veuillez saisir un nombre entier.</translation>
    </message>
    <message>
        <source>Failed to launch help.</source>
        <translation>Impossible de lancer l&apos;aide.</translation>
    </message>
</context>
<context>
    <name>CLabelStockRow</name>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 ligne %2 : %3</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Enregistrer &amp;sous…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>Su&amp;pprimer</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importer…</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exporter…</translation>
    </message>
    <message>
        <source>Save, delete, import or export label stocks</source>
        <translation>Enregistrer, supprimer, importer ou exporter des préréglages d&apos;étiquettes</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>%1 (administrator)</source>
        <translation>%1 (administrateur)</translation>
    </message>
    <message numerus="yes">
        <source>%n preset file(s) cannot be used:</source>
        <translation>
            <numerusform>%n fichier de préréglage est inutilisable :</numerusform>
            <numerusform>%n fichiers de préréglage sont inutilisables :</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (changed)</source>
        <translation>%1 (modifié)</translation>
    </message>
    <message>
        <source>This name cannot be used.</source>
        <translation>Ce nom ne peut pas être utilisé.</translation>
    </message>
    <message>
        <source>This description cannot be used.</source>
        <translation>Cette description ne peut pas être utilisée.</translation>
    </message>
    <message>
        <source>A description is one line without control characters.</source>
        <translation>Une description tient sur une ligne, sans caractères de contrôle.</translation>
    </message>
    <message>
        <source>This label stock cannot be saved.</source>
        <translation>Ce préréglage d&apos;étiquettes ne peut pas être enregistré.</translation>
    </message>
    <message>
        <source>There is no label stock named &quot;%1&quot; any more.</source>
        <translation>Il n&apos;y a plus de préréglage d&apos;étiquettes nommé « %1 ».</translation>
    </message>
    <message>
        <source>Cannot open the label stock folder.</source>
        <translation>Impossible d&apos;ouvrir le dossier des préréglages d&apos;étiquettes.</translation>
    </message>
    <message>
        <source>Cannot write the label stock folder.</source>
        <translation>Impossible d&apos;écrire dans le dossier des préréglages d&apos;étiquettes.</translation>
    </message>
    <message>
        <source>Another program kept changing label stocks; nothing was changed. Try again.</source>
        <translation>Un autre programme modifiait les préréglages d&apos;étiquettes ; rien n&apos;a été modifié. Réessayez.</translation>
    </message>
    <message>
        <source>Pick the label stock to delete first.</source>
        <translation>Choisissez d&apos;abord le préréglage d&apos;étiquettes à supprimer.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is an administrator&apos;s label stock and cannot be deleted here.</source>
        <translation>« %1 » est un préréglage d&apos;étiquettes de l&apos;administrateur et ne peut pas être supprimé ici.</translation>
    </message>
    <message>
        <source>It is kept in %1.</source>
        <translation>Il se trouve dans %1.</translation>
    </message>
    <message>
        <source>This file cannot be imported.</source>
        <translation>Ce fichier ne peut pas être importé.</translation>
    </message>
    <message>
        <source>Pick the label stock to export first.</source>
        <translation>Choisissez d&apos;abord le préréglage d&apos;étiquettes à exporter.</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>Impossible d&apos;écrire %1.</translation>
    </message>
    <message>
        <source>Delete the label stock &quot;%1&quot;?</source>
        <translation>Supprimer le préréglage d&apos;étiquettes « %1 » ?</translation>
    </message>
    <message>
        <source>You already have a label stock named &quot;%1&quot;. Replace it?</source>
        <translation>Vous avez déjà un préréglage d&apos;étiquettes nommé « %1 ». Le remplacer ?</translation>
    </message>
</context>
<context>
    <name>CNetworkPrinterDialog</name>
    <message>
        <source>Network Printer</source>
        <translation>Imprimante réseau</translation>
    </message>
    <message>
        <source>&amp;Host name or address:</source>
        <translation>Nom d&apos;&amp;hôte ou adresse :</translation>
    </message>
    <message>
        <source>TCP &amp;port:</source>
        <translation>&amp;Port TCP :</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1: cannot be used: %2</source>
        <translation>%1 : inutilisable : %2</translation>
    </message>
    <message>
        <source>No printers were &amp;found on the network.</source>
        <translation>Aucune imprimante &amp;trouvée sur le réseau.</translation>
    </message>
    <message>
        <source>Printers &amp;found on the network:</source>
        <translation>Imprimantes &amp;trouvées sur le réseau :</translation>
    </message>
</context>
<context>
    <name>CPortRow</name>
    <message>
        <source>Device of %1</source>
        <translation>Périphérique de %1</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Tester</translation>
    </message>
    <message>
        <source>Test %1</source>
        <translation>Tester %1</translation>
    </message>
    <message>
        <source>Open the device and close it again without sending anything</source>
        <translation>Ouvre le périphérique et le referme sans rien envoyer</translation>
    </message>
    <message>
        <source>set by %1</source>
        <translation>défini par %1</translation>
    </message>
    <message>
        <source>empty: the port&apos;s default device is used</source>
        <translation>vide : le périphérique par défaut du port est utilisé</translation>
    </message>
    <message>
        <source>testing…</source>
        <translation>test en cours…</translation>
    </message>
    <message>
        <source>test passed: the device opened and closed again</source>
        <translation>test réussi : le périphérique s&apos;est ouvert et refermé</translation>
    </message>
    <message>
        <source>test failed</source>
        <translation>échec du test</translation>
    </message>
    <message>
        <source>printer: %1</source>
        <translation>imprimante : %1</translation>
    </message>
    <message>
        <source>print queue: %1</source>
        <translation>file d’impression : %1</translation>
    </message>
    <message>
        <source>looking for print queues…</source>
        <translation>recherche des files d’impression…</translation>
    </message>
    <message>
        <source>print queue: Test asks its server whether it takes jobs</source>
        <translation>file d’impression : « Tester » demande à son serveur si elle accepte des travaux</translation>
    </message>
    <message>
        <source>test passed: the queue is there and accepts jobs</source>
        <translation>test réussi : la file existe et accepte des travaux</translation>
    </message>
</context>
<context>
    <name>CPortsDialog</name>
    <message>
        <source>Ports</source>
        <translation>Ports</translation>
    </message>
    <message>
        <source>Choose the device each port sends to. A serial adapter or USB printer is kept by a name that survives unplugging.</source>
        <translation>Choisissez le périphérique vers lequel chaque port envoie. Un adaptateur série ou une imprimante USB est enregistré sous un nom qui reste valable après un débranchement.</translation>
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
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>looking for print queues…</source>
        <translation>recherche des files d’impression…</translation>
    </message>
    <message>
        <source>No print queues: %1</source>
        <translation>Aucune file d’impression : %1</translation>
    </message>
    <message>
        <source>network printers: %1</source>
        <translation>imprimantes réseau : %1</translation>
    </message>
</context>
<context>
    <name>CPresetNameDialog</name>
    <message>
        <source>Save Label Stock</source>
        <translation>Enregistrer le préréglage d&apos;étiquettes</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nom :</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>facultatif</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Description :</translation>
    </message>
</context>
<context>
    <name>CSendProgress</name>
    <message>
        <source>the printer</source>
        <translation>l&apos;imprimante</translation>
    </message>
    <message>
        <source>Sending to %1…</source>
        <translation>Envoi vers %1…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CSerialLineEditor</name>
    <message>
        <source>Speed</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Data bits</source>
        <translation>Bits de données</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parité</translation>
    </message>
    <message>
        <source>even</source>
        <translation>paire</translation>
    </message>
    <message>
        <source>odd</source>
        <translation>impaire</translation>
    </message>
    <message>
        <source>Stop bits</source>
        <translation>Bits d&apos;arrêt</translation>
    </message>
    <message>
        <source>Flow control</source>
        <translation>Contrôle de flux</translation>
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
        <translation>aucune</translation>
    </message>
    <message>
        <source>none</source>
        <comment>flow control</comment>
        <translation>aucun</translation>
    </message>
</context>
<context>
    <name>CSetupDlg</name>
    <message>
        <source>&amp;Unit</source>
        <translation>&amp;Unité</translation>
    </message>
    <message>
        <source>0.1 &amp;inches</source>
        <translation>0,1 &amp;pouce</translation>
    </message>
    <message>
        <source>&amp;millimeters</source>
        <translation>&amp;millimètres</translation>
    </message>
    <message>
        <source>&amp;Option Set</source>
        <translation>Paramè&amp;tres</translation>
    </message>
    <message>
        <source>Label Lenght</source>
        <translation>Longueur d&apos;étiquette</translation>
    </message>
    <message>
        <source>Label Gap</source>
        <translation>Espace inter-étiquettes</translation>
    </message>
    <message>
        <source>Cut Offset</source>
        <translation>Décalage de coupe</translation>
    </message>
    <message>
        <source>Tear Off Offset</source>
        <translation>Décalage de déchirement</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>&amp;Communication</translation>
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
        <translation>Mode d&apos;&amp;impression</translation>
    </message>
    <message>
        <source>Thermal Transfer</source>
        <translation>Transfert thermique</translation>
    </message>
    <message>
        <source>Direct Thermal</source>
        <translation>Thermique direct</translation>
    </message>
    <message>
        <source>Po&amp;rts…</source>
        <translation>Po&amp;rts…</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Envoyer</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>pixel</source>
        <translation>pixel</translation>
    </message>
    <message>
        <source>Trovanel</source>
        <translation>Trovanel</translation>
    </message>
    <message>
        <source>0.1inch</source>
        <translation>0,1 po</translation>
    </message>
    <message>
        <source>Send To Printer OK!</source>
        <translation>Envoi à l&apos;imprimante réussi !</translation>
    </message>
    <message>
        <source>Send To Printer Error!</source>
        <translation>Erreur d&apos;envoi à l&apos;imprimante !</translation>
    </message>
    <message>
        <source>Cannot open Trovanel.ini file.</source>
        <translation>Impossible d&apos;ouvrir le fichier Trovanel.ini.</translation>
    </message>
    <message>
        <source>Cannot write Trovanel.ini file.</source>
        <translation>Impossible d&apos;écrire le fichier Trovanel.ini.</translation>
    </message>
    <message>
        <source>Another program kept saving it; nothing was changed. Try again.</source>
        <translation>Un autre programme l&apos;enregistrait en même temps ; rien n&apos;a été modifié. Réessayez.</translation>
    </message>
    <message>
        <source>&amp;Label stock</source>
        <translation>Prérég&amp;lage d&apos;étiquettes</translation>
    </message>
    <message>
        <source>Mana&amp;ge</source>
        <translation>&amp;Gérer</translation>
    </message>
</context>
<context>
    <name>CSvgPicture</name>
    <message>
        <source>Label measurements</source>
        <translation>Mesures de l&apos;étiquette</translation>
    </message>
    <message>
        <source>Where the cut offset, the label length and the label gap are measured.</source>
        <translation>Où se mesurent le décalage de coupe, la longueur d&apos;étiquette et l&apos;espace inter-étiquettes.</translation>
    </message>
    <message>
        <source>Cut Offset</source>
        <translation>Coupe</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Longueur</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>Espace</translation>
    </message>
</context>
<context>
    <name>CTargetBox</name>
    <message>
        <source>Network printer…</source>
        <translation>Imprimante réseau…</translation>
    </message>
    <message>
        <source>Capture to file…</source>
        <translation>Capturer dans un fichier…</translation>
    </message>
    <message>
        <source>Capture to File</source>
        <translation>Capturer dans un fichier</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>command</source>
        <translation>commande</translation>
    </message>
    <message>
        <source>What to do.</source>
        <translation>Ce qu&apos;il faut faire.</translation>
    </message>
    <message>
        <source>COMMAND [ARGUMENTS…]</source>
        <translation>COMMANDE [ARGUMENTS…]</translation>
    </message>
    <message>
        <source>Print the program&apos;s version.</source>
        <translation>Afficher la version du programme.</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>Aucune commande indiquée.</translation>
    </message>
    <message>
        <source>Unknown command &apos;%1&apos;.</source>
        <translation>Commande inconnue « %1 ».</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Afficher cette aide.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos;.</source>
        <translation>Essayez « %1 --help ».</translation>
    </message>
    <message>
        <source>Ports:
</source>
        <translation>Ports :
</translation>
    </message>
    <message>
        <source>  %1  %2  (%3): %4
</source>
        <translation>  %1  %2  (%3) : %4
</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>        fix: %1
</source>
        <translation>        solution : %1
</translation>
    </message>
    <message>
        <source>Devices:
</source>
        <translation>Périphériques :
</translation>
    </message>
    <message>
        <source>  %1 (%2): %3
</source>
        <translation>  %1 (%2) : %3
</translation>
    </message>
    <message>
        <source>  none found
</source>
        <translation>  aucun trouvé
</translation>
    </message>
    <message>
        <source>The port is COM1, COM2, LPT1 or LPT2, not &apos;%1&apos;.</source>
        <translation>Le port est COM1, COM2, LPT1 ou LPT2, et non « %1 ».</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Kept, but %1 cannot be used now: %2</source>
        <translation>Enregistré, mais %1 est inutilisable pour l&apos;instant : %2</translation>
    </message>
    <message>
        <source>Show what each port maps to, where that comes from and whether it can be used, then the devices found on this machine. With set, keep URI as the port&apos;s device in outport.conf (an empty URI gives the port back its default).</source>
        <translation>Affiche le périphérique associé à chaque port, l&apos;origine de cette association et s&apos;il est utilisable, puis les périphériques trouvés sur cette machine. Avec set, enregistre URI comme périphérique du port dans outport.conf (une URI vide rend au port sa valeur par défaut).</translation>
    </message>
    <message>
        <source>Change a port.</source>
        <translation>Modifier un port.</translation>
    </message>
    <message>
        <source>Print one JSON object instead of text.</source>
        <translation>Afficher un objet JSON au lieu de texte.</translation>
    </message>
    <message>
        <source>Expected: ports set PORT URI.</source>
        <translation>Attendu : ports set PORT URI.</translation>
    </message>
    <message>
        <source>Build the command block from the saved settings and send it to the printer on the saved port, or on another port or device for this send.</source>
        <translation>Construit le bloc de commandes à partir des réglages enregistrés et l&apos;envoie à l&apos;imprimante sur le port enregistré, ou, pour cet envoi seulement, sur un autre port ou périphérique.</translation>
    </message>
    <message>
        <source>Send on this port instead: COM1, COM2, LPT1 or LPT2.</source>
        <translation>Envoyer plutôt sur ce port : COM1, COM2, LPT1 ou LPT2.</translation>
    </message>
    <message>
        <source>Send to this device URI instead of a port.</source>
        <translation>Envoyer vers cette URI de périphérique au lieu d&apos;un port.</translation>
    </message>
    <message>
        <source>Write the block&apos;s bytes to standard output and send nothing.</source>
        <translation>Écrire les octets du bloc sur la sortie standard sans rien envoyer.</translation>
    </message>
    <message>
        <source>send takes no arguments.</source>
        <translation>send ne prend aucun argument.</translation>
    </message>
    <message>
        <source>Give --port or --to, not both.</source>
        <translation>Indiquez --port ou --to, pas les deux.</translation>
    </message>
    <message>
        <source>Send To Printer OK!
</source>
        <translation>Envoi à l&apos;imprimante réussi !
</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not NAME=VALUE.</source>
        <translation>« %1 » n&apos;est pas de la forme NAME=VALUE.</translation>
    </message>
    <message>
        <source>The unit is mm or inch, not &apos;%1&apos;.</source>
        <translation>L&apos;unité est mm ou inch, et non « %1 ».</translation>
    </message>
    <message>
        <source>The mode is transfer or direct, not &apos;%1&apos;.</source>
        <translation>Le mode est transfer ou direct, et non « %1 ».</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Veuillez saisir un nombre entier.</translation>
    </message>
    <message>
        <source>Cannot open Trovanel.ini file.</source>
        <translation>Impossible d&apos;ouvrir le fichier Trovanel.ini.</translation>
    </message>
    <message>
        <source>Cannot write Trovanel.ini file.</source>
        <translation>Impossible d&apos;écrire le fichier Trovanel.ini.</translation>
    </message>
    <message>
        <source>set needs at least one NAME=VALUE.</source>
        <translation>set demande au moins un NAME=VALUE.</translation>
    </message>
    <message>
        <source>Unknown setting &apos;%1&apos;; the names are unit, length, gap, tear, cut, port and mode.</source>
        <translation>Réglage inconnu « %1 » ; les noms sont unit, length, gap, tear, cut, port et mode.</translation>
    </message>
    <message>
        <source>Saved Trovanel.ini.
</source>
        <translation>Trovanel.ini enregistré.
</translation>
    </message>
    <message>
        <source>Change the settings and save them. Names: unit (mm or inch), length, gap, tear (in the unit in force after any unit= given here), cut (pixels), port (COM1, COM2, LPT1 or LPT2), mode (transfer or direct). If any value is rejected nothing is saved.</source>
        <translation>Modifie les réglages et les enregistre. Noms : unit (mm ou inch), length, gap, tear (dans l&apos;unité en vigueur après un éventuel unit= donné ici), cut (pixels), port (COM1, COM2, LPT1 ou LPT2), mode (transfer ou direct). Si une valeur est refusée, rien n&apos;est enregistré.</translation>
    </message>
    <message>
        <source>A setting.</source>
        <translation>Un réglage.</translation>
    </message>
    <message>
        <source>Say when the settings were saved.</source>
        <translation>Signaler l&apos;enregistrement des réglages.</translation>
    </message>
    <message>
        <source>%1 mm, %2 (0.1 inch)</source>
        <translation>%1 mm, %2 (0,1 po)</translation>
    </message>
    <message>
        <source>none (code %1)</source>
        <translation>aucun (code %1)</translation>
    </message>
    <message>
        <source>unit: %1
</source>
        <translation>unité : %1
</translation>
    </message>
    <message>
        <source>length: %1
</source>
        <translation>longueur : %1
</translation>
    </message>
    <message>
        <source>gap: %1
</source>
        <translation>espacement : %1
</translation>
    </message>
    <message>
        <source>tear: %1
</source>
        <translation>déchirement : %1
</translation>
    </message>
    <message>
        <source>cut: %1 pixel
</source>
        <translation>coupe : %1 pixel
</translation>
    </message>
    <message>
        <source>port: %1
</source>
        <translation>port : %1
</translation>
    </message>
    <message>
        <source>device: %1 (%2)
</source>
        <translation>périphérique : %1 (%2)
</translation>
    </message>
    <message>
        <source>mode: %1
</source>
        <translation>mode : %1
</translation>
    </message>
    <message>
        <source>block:
</source>
        <translation>bloc :
</translation>
    </message>
    <message>
        <source>Show the saved settings, the device their port maps to and the command block they make.</source>
        <translation>Affiche les réglages enregistrés, le périphérique de leur port et le bloc de commandes qui en résulte.</translation>
    </message>
    <message>
        <source>show takes no arguments.</source>
        <translation>show ne prend aucun argument.</translation>
    </message>
    <message>
        <source>Cannot write the result to standard output: %1.</source>
        <translation>Impossible d&apos;écrire le résultat sur la sortie standard : %1.</translation>
    </message>
    <message>
        <source>        printer: %1
</source>
        <translation>        imprimante : %1
</translation>
    </message>
    <message>
        <source>fix: %1</source>
        <translation>solution : %1</translation>
    </message>
    <message>
        <source>ports set takes no --json.</source>
        <translation>ports set n&apos;accepte pas l&apos;option --json.</translation>
    </message>
    <message>
        <source>Another program kept saving it for %1 seconds; nothing was changed.</source>
        <translation>Un autre programme l&apos;a enregistré pendant %1 secondes ; rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>%1, the default queue</source>
        <translation>%1, la file par défaut</translation>
    </message>
    <message>
        <source>  print queues: %1
</source>
        <translation>  files d’impression : %1
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
        <translation>Configure une imprimante thermique d&apos;étiquettes. Sans argument, la boîte de dialogue de configuration s&apos;ouvre ; avec une commande, le programme travaille sans fenêtre sur Trovanel.ini dans le dossier courant.

Commandes :
  show [--json]              les réglages, le périphérique du port et le bloc de commandes
  set NAME=VALUE…            modifier les réglages et les enregistrer
  send [--port PORT | --to URI] [--dry-run]
                             envoyer les réglages à l&apos;imprimante
  ports [--json]             les périphériques des quatre ports et les périphériques trouvés
  ports set PORT URI         enregistrer le périphérique d&apos;un port dans outport.conf
  preset list|show|save|apply|delete|export|import …
                             préréglages de supports d&apos;étiquettes

COMMANDE --help affiche les options d&apos;une commande. Code de sortie : 0 terminé, 1 échec de l&apos;envoi ou de l&apos;enregistrement, 2 erreur d&apos;utilisation ou valeur refusée.</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; cannot be kept: %2</source>
        <translation>Le préréglage « %1 » ne peut pas être conservé : %2</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; exists already; give --force to replace it.</source>
        <translation>Le préréglage « %1 » existe déjà ; ajoutez --force pour le remplacer.</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; cannot be kept.</source>
        <translation>Le préréglage « %1 » ne peut pas être conservé.</translation>
    </message>
    <message>
        <source>No preset &apos;%1&apos;.</source>
        <translation>Aucun préréglage « %1 ».</translation>
    </message>
    <message>
        <source>Cannot open the presets folder %1.</source>
        <translation>Impossible d&apos;ouvrir le dossier des préréglages %1.</translation>
    </message>
    <message>
        <source>Cannot write the preset file in %1.</source>
        <translation>Impossible d&apos;écrire le fichier de préréglage dans %1.</translation>
    </message>
    <message>
        <source>Another program kept changing the presets for %1 seconds; nothing was changed.</source>
        <translation>Un autre programme a modifié les préréglages pendant %1 secondes ; rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; is an administrator&apos;s, kept in %2; it cannot be deleted here.</source>
        <translation>Le préréglage « %1 » est celui d&apos;un administrateur, conservé dans %2 ; il ne peut pas être supprimé ici.</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>Impossible d&apos;écrire %1.</translation>
    </message>
    <message>
        <source>user</source>
        <translation>utilisateur</translation>
    </message>
    <message>
        <source>system</source>
        <translation>système</translation>
    </message>
    <message>
        <source>(no values)</source>
        <translation>(aucune valeur)</translation>
    </message>
    <message>
        <source>  file: %1
</source>
        <translation>  fichier : %1
</translation>
    </message>
    <message>
        <source>cannot be used: %1
</source>
        <translation>inutilisable : %1
</translation>
    </message>
    <message>
        <source>list: print only the usable names, one a line.</source>
        <translation>list : n&apos;afficher que les noms utilisables, un par ligne.</translation>
    </message>
    <message>
        <source>save: the preset&apos;s description.</source>
        <translation>save : la description du préréglage.</translation>
    </message>
    <message>
        <source>save, import: replace the user&apos;s preset of that name.</source>
        <translation>save, import : remplacer le préréglage de l&apos;utilisateur portant ce nom.</translation>
    </message>
    <message>
        <source>import: keep it under this name.</source>
        <translation>import : le conserver sous ce nom.</translation>
    </message>
    <message>
        <source>apply: say when the settings were saved.</source>
        <translation>apply : signaler l&apos;enregistrement des réglages.</translation>
    </message>
    <message>
        <source>No preset command given.</source>
        <translation>Aucune commande de préréglage indiquée.</translation>
    </message>
    <message>
        <source>Unknown preset command &apos;%1&apos;.</source>
        <translation>Commande de préréglage inconnue « %1 ».</translation>
    </message>
    <message>
        <source>Wrong number of arguments for preset %1.</source>
        <translation>Nombre d&apos;arguments incorrect pour preset %1.</translation>
    </message>
    <message>
        <source>preset %1 takes no --%2.</source>
        <translation>preset %1 n&apos;accepte pas --%2.</translation>
    </message>
    <message>
        <source>Give --json or --names, not both.</source>
        <translation>Indiquez --json ou --names, pas les deux.</translation>
    </message>
    <message>
        <source>The name &apos;%1&apos; is refused: %2</source>
        <translation>Le nom « %1 » est refusé : %2</translation>
    </message>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 ligne %2 : %3</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; cannot be used: %2</source>
        <translation>Le préréglage « %1 » est inutilisable : %2</translation>
    </message>
    <message>
        <source>Send the saved settings with this preset&apos;s values over them; nothing is saved.</source>
        <translation>Envoyer les réglages enregistrés en y reportant les valeurs de ce préréglage ; rien n&apos;est enregistré.</translation>
    </message>
    <message>
        <source>%1, resource %2</source>
        <translation>%1, ressource %2</translation>
    </message>
    <message>
        <source>        at %1, %2 port %3 (%4)
</source>
        <translation>        à %1, %2 port %3 (%4)
</translation>
    </message>
    <message>
        <source>        cannot be used: %1
</source>
        <translation>        inutilisable : %1
</translation>
    </message>
    <message>
        <source>Look for printers on the network for at most MS milliseconds (1500 unless given).</source>
        <translation>Chercher les imprimantes du réseau pendant MS millisecondes au plus (1500 par défaut).</translation>
    </message>
    <message>
        <source>--timeout takes milliseconds from 1 to 60000, not &apos;%1&apos;.</source>
        <translation>--timeout attend des millisecondes de 1 à 60000, et non &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>ports set takes no --timeout.</source>
        <translation>ports set n&apos;accepte pas l&apos;option --timeout.</translation>
    </message>
    <message>
        <source>  network printers: %1
</source>
        <translation>  imprimantes réseau : %1
</translation>
    </message>
    <message>
        <source>list, show: print JSON instead of text; apply: as set --json.</source>
        <translation>list, show : afficher du JSON au lieu de texte ; apply : comme set --json.</translation>
    </message>
    <message>
        <source>apply: say what would change; save nothing.</source>
        <translation>apply : dire ce qui changerait ; ne rien enregistrer.</translation>
    </message>
    <message>
        <source>apply: print a line for each setting that changes.</source>
        <translation>apply : afficher une ligne par réglage qui change.</translation>
    </message>
    <message>
        <source>Give --diff or --json, not both.</source>
        <translation>Indiquez --diff ou --json, pas les deux.</translation>
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
        <translation>Préréglages de supports d&apos;étiquettes : ensembles nommés d&apos;unité, longueur, espace, découpe, coupe et mode, conservés sous forme de fichiers dans ~/.config/trovanel/presets (ceux de l&apos;utilisateur) et /etc/xdg/trovanel/presets (ceux d&apos;un administrateur, lus seulement).

  list [--json | --names]           tous les préréglages, et les fichiers inutilisables
  show NAME [--json]                un préréglage
  save NAME [--description TEXT] [--force]
                                    conserver les réglages enregistrés comme préréglage
  apply NAME [--check] [--diff | --json] [--verbose]
                                    reporter les valeurs d&apos;un préréglage dans les réglages enregistrés
  delete NAME                       supprimer un préréglage de l&apos;utilisateur
  export NAME [FILE]                écrire le fichier d&apos;un préréglage (sur la sortie standard)
  import FILE [--as NAME] [--force] conserver un fichier de préréglage comme préréglage de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>line %1 does not read</source>
        <translation>la ligne %1 est illisible</translation>
    </message>
    <message>
        <source>larger than %1 KiB</source>
        <translation>plus grand que %1 Kio</translation>
    </message>
    <message>
        <source>Ignoring the record of sends %1: %2.</source>
        <translation>Le relevé des envois %1 est ignoré : %2.</translation>
    </message>
    <message>
        <source>Sent, but the record of sends %1 could not be saved.</source>
        <translation>Envoyé, mais le relevé des envois %1 n&apos;a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Not sent: this block was sent to %1 at %2.
</source>
        <translation>Non envoyé : ce bloc a été envoyé à %1 le %2.
</translation>
    </message>
    <message>
        <source>Would send %1 bytes to %2.
</source>
        <translation>Enverrait %1 octets à %2.
</translation>
    </message>
    <message>
        <source>Say when the block was sent, or why not.</source>
        <translation>Signaler l&apos;envoi du bloc, ou pourquoi il n&apos;a pas eu lieu.</translation>
    </message>
    <message>
        <source>Send only when this block was not the last one sent, successfully, to this device.</source>
        <translation>N&apos;envoyer que si ce bloc n&apos;est pas le dernier envoyé avec succès à ce périphérique.</translation>
    </message>
    <message>
        <source>Say whether the block would be sent; send nothing.</source>
        <translation>Dire si le bloc serait envoyé ; ne rien envoyer.</translation>
    </message>
    <message>
        <source>Print whether the block was sent, where to, how many bytes and why not, as one JSON object.</source>
        <translation>Afficher en un objet JSON si le bloc a été envoyé, où, combien d&apos;octets et pourquoi pas.</translation>
    </message>
    <message>
        <source>--dry-run does not go with --if-changed, --check or --json.</source>
        <translation>--dry-run ne va pas avec --if-changed, --check ou --json.</translation>
    </message>
    <message>
        <source>%1 -&gt; %2</source>
        <translation>%1 -&gt; %2</translation>
    </message>
    <message>
        <source>Trovanel.ini would be written whole with these settings.
</source>
        <translation>Trovanel.ini serait entièrement écrit avec ces réglages.
</translation>
    </message>
    <message>
        <source>Trovanel.ini was written whole with these settings.
</source>
        <translation>Trovanel.ini a été entièrement écrit avec ces réglages.
</translation>
    </message>
    <message>
        <source>Nothing would change.
</source>
        <translation>Rien ne changerait.
</translation>
    </message>
    <message>
        <source>Trovanel.ini holds these settings already.
</source>
        <translation>Trovanel.ini contient déjà ces réglages.
</translation>
    </message>
    <message>
        <source>Check the values and say what would change; save nothing.</source>
        <translation>Vérifier les valeurs et dire ce qui changerait ; ne rien enregistrer.</translation>
    </message>
    <message>
        <source>Print one line for each setting that changes, before and after.</source>
        <translation>Afficher une ligne par réglage qui change, avant et après.</translation>
    </message>
    <message>
        <source>Print whether anything changed and the settings before and after as one JSON object.</source>
        <translation>Afficher en un objet JSON si quelque chose a changé, et les réglages avant et après.</translation>
    </message>
</context>
<context>
    <name>DeviceQueries</name>
    <message>
        <source>%1, the default queue</source>
        <translation>%1, la file par défaut</translation>
    </message>
</context>
<context>
    <name>PortSummary</name>
    <message>
        <source>printer: %1</source>
        <translation>imprimante : %1</translation>
    </message>
</context>
<context>
    <name>PresetFile</name>
    <message>
        <source>Label stocks (*.preset)</source>
        <translation>Préréglages d&apos;étiquettes (*.preset)</translation>
    </message>
    <message>
        <source>Import Label Stock</source>
        <translation>Importer un préréglage d&apos;étiquettes</translation>
    </message>
    <message>
        <source>Export Label Stock</source>
        <translation>Exporter un préréglage d&apos;étiquettes</translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>A preset name is not empty.</source>
        <translation>Un nom de préréglage n&apos;est pas vide.</translation>
    </message>
    <message>
        <source>A preset name is at most 64 characters long.</source>
        <translation>Un nom de préréglage compte au plus 64 caractères.</translation>
    </message>
    <message>
        <source>A preset name is UTF-8 text.</source>
        <translation>Un nom de préréglage est du texte UTF-8.</translation>
    </message>
    <message>
        <source>A preset name holds no control characters or line breaks.</source>
        <translation>Un nom de préréglage ne contient ni caractère de contrôle ni saut de ligne.</translation>
    </message>
    <message>
        <source>A preset name holds no &apos;/&apos;.</source>
        <translation>Un nom de préréglage ne contient pas de « / ».</translation>
    </message>
    <message>
        <source>A preset name neither starts nor ends with a blank.</source>
        <translation>Un nom de préréglage ne commence ni ne finit par une espace.</translation>
    </message>
    <message>
        <source>A preset name is not &apos;.&apos; or &apos;..&apos;.</source>
        <translation>Un nom de préréglage n&apos;est ni « . » ni « .. ».</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>larger than 64 KiB</source>
        <translation>plus grand que 64 Kio</translation>
    </message>
    <message>
        <source>not UTF-8 text</source>
        <translation>pas du texte UTF-8</translation>
    </message>
    <message>
        <source>not a key=value line</source>
        <translation>pas une ligne clé=valeur</translation>
    </message>
    <message>
        <source>unknown key &apos;%1&apos;; the keys are name, description, unit, length, gap, tear, cut and mode</source>
        <translation>clé inconnue « %1 » ; les clés sont name, description, unit, length, gap, tear, cut et mode</translation>
    </message>
    <message>
        <source>&apos;%1&apos; given twice (first on line %2)</source>
        <translation>« %1 » indiqué deux fois (d&apos;abord à la ligne %2)</translation>
    </message>
    <message>
        <source>no name= line</source>
        <translation>aucune ligne name=</translation>
    </message>
    <message>
        <source>the description holds a control character</source>
        <translation>la description contient un caractère de contrôle</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is given without a unit= line</source>
        <translation>« %1 » est indiqué sans ligne unit=</translation>
    </message>
</context>
<context>
    <name>PrinterHealth</name>
    <message>
        <source>ready</source>
        <translation>prête</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>avertissement</translation>
    </message>
    <message>
        <source>error</source>
        <translation>erreur</translation>
    </message>
</context>
<context>
    <name>PrinterSettings</name>
    <message>
        <source>The Label Length value is out of range. The limit is 0 ~ 450 (0.1 inch).</source>
        <translation>La longueur d&apos;étiquette est hors limites. Les valeurs admises vont de 0 à 450 (0,1 po).</translation>
    </message>
    <message>
        <source>The Label Length value is out of range. The limit is 0 ~ 1103 mm.</source>
        <translation>La longueur d&apos;étiquette est hors limites. Les valeurs admises vont de 0 à 1103 mm.</translation>
    </message>
    <message>
        <source>The Label Gap value is out of range. The limit is 0 ~ 14 (0.1 inch).</source>
        <translation>L&apos;espace inter-étiquettes est hors limites. Les valeurs admises vont de 0 à 14 (0,1 po).</translation>
    </message>
    <message>
        <source>The Label Gap value is out of range. The limit is 0 ~ 36 mm.</source>
        <translation>L&apos;espace inter-étiquettes est hors limites. Les valeurs admises vont de 0 à 36 mm.</translation>
    </message>
    <message>
        <source>The Tear Offset value is out of range. The limit is 0 ~ 20 (0.1 inch).</source>
        <translation>Le décalage de déchirement est hors limites. Les valeurs admises vont de 0 à 20 (0,1 po).</translation>
    </message>
    <message>
        <source>The Tear Offset value is out of range. The limit is 0 ~ 50 mm.</source>
        <translation>Le décalage de déchirement est hors limites. Les valeurs admises vont de 0 à 50 mm.</translation>
    </message>
    <message>
        <source>The Cut Offset value is out of range. The limit is -127 ~ 127 pixel.</source>
        <translation>Le décalage de coupe est hors limites. Les valeurs admises vont de -127 à 127 pixels.</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Usage : %1</translation>
    </message>
</context>
</TS>
