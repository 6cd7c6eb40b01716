<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Ctl</name>
    <message>
        <source>%1 takes at most one STEP</source>
        <translation>%1 prend au plus un STEP</translation>
    </message>
    <message>
        <source>STEP is a percentage from 0.1 to 100, like 5 or 10%, not %1</source>
        <translation>STEP est un pourcentage de 0.1 à 100, comme 5 ou 10%, pas %1</translation>
    </message>
    <message>
        <source>set takes one LEVEL from 0% to 100%, like &quot;set 40%&quot;</source>
        <translation>set prend un LEVEL de 0% à 100%, comme « set 40% »</translation>
    </message>
    <message>
        <source>auto takes on or off</source>
        <translation>auto prend on ou off</translation>
    </message>
    <message>
        <source>pause takes at most one DURATION</source>
        <translation>pause prend au plus une DURATION</translation>
    </message>
    <message>
        <source>DURATION is like 30m, 2h, 1h30m or 90s, at most 7 days, not %1</source>
        <translation>DURATION s’écrit comme 30m, 2h, 1h30m ou 90s, 7 jours au plus, pas %1</translation>
    </message>
    <message>
        <source>unexpected arguments after %1</source>
        <translation>arguments inattendus après %1</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>commande inconnue %1</translation>
    </message>
    <message>
        <source>(see lumvex ctl --help)</source>
        <translation>(voir lumvex ctl --help)</translation>
    </message>
    <message>
        <source>a COMMAND is needed</source>
        <translation>il faut une COMMANDE</translation>
    </message>
    <message>
        <source>Lumvex is not running (there is no session bus)</source>
        <translation>Lumvex ne fonctionne pas (il n’y a pas de bus de session)</translation>
    </message>
    <message>
        <source>Lumvex is not running</source>
        <translation>Lumvex ne fonctionne pas</translation>
    </message>
    <message>
        <source>Lumvex did not answer within %1 s; the brightness was not changed</source>
        <translation>Lumvex n’a pas répondu dans les %1 s ; la luminosité n’a pas été changée</translation>
    </message>
    <message>
        <source>Lumvex did not answer within %1 s; it takes effect when Lumvex answers again</source>
        <translation>Lumvex n’a pas répondu dans les %1 s ; cela prendra effet quand Lumvex répondra de nouveau</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnue</translation>
    </message>
    <message>
        <source>Brightness: %1</source>
        <translation>Luminosité : %1</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activé</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivé</translation>
    </message>
    <message>
        <source>, paused until resumed</source>
        <translation>, en pause jusqu’à la reprise</translation>
    </message>
    <message>
        <source>, paused until %1</source>
        <translation>, en pause jusqu’à %1</translation>
    </message>
    <message>
        <source>Automatic adjustment: %1</source>
        <translation>Ajustement automatique : %1</translation>
    </message>
    <message>
        <source>Luminance: %1</source>
        <translation>Luminance : %1</translation>
    </message>
    <message>
        <source>Target ratio: %1</source>
        <translation>Rapport visé : %1</translation>
    </message>
    <message>
        <source>Situation: %1 (offset %2)</source>
        <translation>Situation : %1 (décalage %2)</translation>
    </message>
    <message>
        <source>Screen capture: %1</source>
        <translation>Capture d’écran : %1</translation>
    </message>
    <message>
        <source>Display under the pointer: %1 (built in)</source>
        <translation>Écran sous le pointeur : %1 (intégré)</translation>
    </message>
    <message>
        <source>Display under the pointer: %1</source>
        <translation>Écran sous le pointeur : %1</translation>
    </message>
    <message>
        <source>External display %1: %2</source>
        <translation>Écran externe %1 : %2</translation>
    </message>
    <message>
        <source>Volume: %1 (muted)</source>
        <translation>Volume : %1 (coupé)</translation>
    </message>
    <message>
        <source>Volume: %1</source>
        <translation>Volume : %1</translation>
    </message>
    <message>
        <source>Usage: lumvex ctl COMMAND

Drives the running Lumvex; brightness set this way is learned at once, like a scroll on its icon.

Commands:
  up [STEP]          brighten the built-in display by STEP percent (default 5%)
  down [STEP]        darken it by STEP percent (default 5%)
  set LEVEL          set it to LEVEL percent, as in &quot;set 40%&quot;
  auto on|off        switch automatic adjustment on or off
  pause [DURATION]   stop automatic adjustment for a while (&quot;30m&quot;, &quot;2h&quot;, &quot;1h30m&quot;, &quot;90s&quot;; default until resumed)
  resume             end a pause
  status [--json]    show the state
  display            list the connected displays with their levels and ranges
  display NAME range LOW-HIGH
                     the levels of display NAME (connector or monitor name) for the built-in
                     display&apos;s 0% and 100% when displays are linked, as in &quot;display DP-2 range 10%-80%&quot;
  show               open the menu where Lumvex can, else say in a notification where it is

Exit status: 0 done, 1 Lumvex is not running or refused, 2 bad usage.
</source>
        <translation>Usage : lumvex ctl COMMANDE

Pilote le Lumvex en cours ; la luminosité réglée ainsi est apprise aussitôt, comme un défilement sur son icône.

Commandes :
  up [STEP]          augmenter la luminosité de l’écran intégré de STEP pour cent (5 % par défaut)
  down [STEP]        la diminuer de STEP pour cent (5 % par défaut)
  set LEVEL          la régler à LEVEL pour cent, comme dans « set 40% »
  auto on|off        activer ou désactiver l’ajustement automatique
  pause [DURATION]   suspendre l’ajustement automatique un moment (« 30m », « 2h », « 1h30m », « 90s » ; par défaut jusqu’à la reprise)
  resume             mettre fin à une pause
  status [--json]    afficher l’état
  display            lister les écrans branchés avec leur niveau et leur plage
  display NOM range BAS-HAUT
                     les niveaux de l’écran NOM (connecteur ou nom du moniteur) pour 0 % et 100 % de
                     l’écran intégré quand les écrans sont liés, comme &quot;display DP-2 range 10%-80%&quot;
  show               ouvrir le menu là où Lumvex le peut, sinon dire dans une notification où il se trouve

Code de sortie : 0 fait, 1 Lumvex ne fonctionne pas ou a refusé, 2 mauvais usage.
</translation>
    </message>
    <message>
        <source>display takes no arguments, or NAME range LOW-HIGH</source>
        <translation>display ne prend aucun argument, ou NOM range BAS-HAUT</translation>
    </message>
    <message>
        <source>Link Displays: on</source>
        <translation>Lier les écrans : activé</translation>
    </message>
    <message>
        <source>Link Displays: off</source>
        <translation>Lier les écrans : désactivé</translation>
    </message>
    <message>
        <source>DISPLAY</source>
        <translation>ÉCRAN</translation>
    </message>
    <message>
        <source>MONITOR</source>
        <translation>MONITEUR</translation>
    </message>
    <message>
        <source>LEVEL</source>
        <translation>NIVEAU</translation>
    </message>
    <message>
        <source>RANGE</source>
        <translation>PLAGE</translation>
    </message>
    <message>
        <source>(built in)</source>
        <translation>(intégré)</translation>
    </message>
    <message>
        <source>does not answer</source>
        <translation>ne répond pas</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>Meanwhile &quot;lumvex ctl&quot; controls it from a terminal or a key binding: lumvex ctl up, lumvex ctl down, lumvex ctl auto on, lumvex ctl status.</source>
        <translation>En attendant, « lumvex ctl » le pilote depuis un terminal ou un raccourci clavier : lumvex ctl up, lumvex ctl down, lumvex ctl auto on, lumvex ctl status.</translation>
    </message>
    <message>
        <source>On GNOME, install the package gnome-shell-extension-appindicator and switch on &quot;AppIndicator and KStatusNotifierItem Support&quot; in the Extensions app, then log out and in again.</source>
        <translation>Sous GNOME, installez le paquet gnome-shell-extension-appindicator et activez « AppIndicator and KStatusNotifierItem Support » dans l’application Extensions, puis fermez la session et rouvrez-la.</translation>
    </message>
    <message>
        <source>On KDE Plasma, add the System Tray widget to a panel.</source>
        <translation>Sous KDE Plasma, ajoutez le composant graphique « Boîte à miniatures » à un tableau de bord.</translation>
    </message>
    <message>
        <source>On Xfce, add the Status Tray Plugin to a panel.</source>
        <translation>Sous Xfce, ajoutez le greffon « Zone de notification d’état » à un tableau de bord.</translation>
    </message>
    <message>
        <source>Add a bar with a tray to your compositor&apos;s configuration, such as waybar with its &quot;tray&quot; module.</source>
        <translation>Ajoutez à la configuration de votre compositeur une barre avec une zone de notification, par exemple waybar avec son module « tray ».</translation>
    </message>
    <message>
        <source>Install or enable a panel with a system tray (StatusNotifierItem or XEmbed).</source>
        <translation>Installez ou activez un tableau de bord avec une zone de notification (StatusNotifierItem ou XEmbed).</translation>
    </message>
    <message>
        <source>Lumvex is running, but this desktop shows no tray icons</source>
        <translation>Lumvex fonctionne, mais ce bureau n’affiche aucune icône de la zone de notification</translation>
    </message>
    <message>
        <source>Its brightness and volume icons are in the panel&apos;s tray: scroll on the brightness icon to change the brightness, click it for the menu.</source>
        <translation>Ses icônes de luminosité et de volume sont dans la zone de notification : faites défiler la molette sur l’icône de luminosité pour changer la luminosité, cliquez dessus pour le menu.</translation>
    </message>
    <message>
        <source>This desktop shows no tray icons.</source>
        <translation>Ce bureau n’affiche aucune icône de la zone de notification.</translation>
    </message>
    <message>
        <source>Lumvex is already running</source>
        <translation>Lumvex fonctionne déjà</translation>
    </message>
    <message>
        <source>Lumvex is in the tray</source>
        <translation>Lumvex est dans la zone de notification</translation>
    </message>
    <message>
        <source>Scroll on its brightness icon to change the brightness. Switch on &quot;Automatic Brightness&quot; in its menu to let it follow what the screen shows. Every change you make is learned for the situation you made it in (screen content, ambient light, time of day) and applied when that situation comes back.</source>
        <translation>Faites défiler la molette sur son icône de luminosité pour changer la luminosité. Activez « Luminosité automatique » dans son menu pour qu’elle suive ce qu’affiche l’écran. Chaque changement que vous faites est appris pour la situation où vous l’avez fait (contenu de l’écran, lumière ambiante, moment de la journée) et appliqué quand cette situation revient.</translation>
    </message>
    <message>
        <source>No display to watch: capture resumes when the main display is back.</source>
        <translation>Aucun écran à observer : la capture reprend quand l’écran principal revient.</translation>
    </message>
    <message>
        <source>No display yet: waiting for the compositor to describe its displays.</source>
        <translation>Pas encore d’écran : en attente de la description des écrans par le compositeur.</translation>
    </message>
    <message>
        <source>What you teach is not saved: cannot write to %1</source>
        <translation>Ce que vous lui apprenez n’est pas enregistré : impossible d’écrire dans %1</translation>
    </message>
    <message>
        <source>%1: no more automatic changes today (%2 writes)</source>
        <translation>%1 : plus de réglages automatiques aujourd’hui (%2 écritures)</translation>
    </message>
</context>
<context>
    <name>StatusMenu</name>
    <message>
        <source>Curtain</source>
        <translation>Rideau</translation>
    </message>
    <message>
        <source>Pie</source>
        <translation>Camembert</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>low</source>
        <translation>faible</translation>
    </message>
    <message>
        <source>med</source>
        <translation>moyen</translation>
    </message>
    <message>
        <source>high</source>
        <translation>élevé</translation>
    </message>
    <message>
        <source>max</source>
        <translation>max</translation>
    </message>
    <message>
        <source>morning</source>
        <translation>matin</translation>
    </message>
    <message>
        <source>day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>evening</source>
        <translation>soir</translation>
    </message>
    <message>
        <source>night</source>
        <translation>nuit</translation>
    </message>
    <message>
        <source>Resume (paused until %1)</source>
        <translation>Reprendre (en pause jusqu’à %1)</translation>
    </message>
    <message>
        <source>Resume (paused)</source>
        <translation>Reprendre (en pause)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>For 15 Minutes</source>
        <translation>Pendant 15 minutes</translation>
    </message>
    <message>
        <source>For 1 Hour</source>
        <translation>Pendant 1 heure</translation>
    </message>
    <message>
        <source>Until Resumed</source>
        <translation>Jusqu’à la reprise</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>Rétablir le son</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Couper le son</translation>
    </message>
    <message>
        <source>Automatic Brightness</source>
        <translation>Luminosité automatique</translation>
    </message>
    <message>
        <source>Auto-brightness — normalizes light across content</source>
        <translation>Luminosité automatique — égalise la lumière d’un contenu à l’autre</translation>
    </message>
    <message>
        <source>Show Compensation Debug</source>
        <translation>Afficher le détail de la compensation</translation>
    </message>
    <message>
        <source>Calibration…</source>
        <translation>Étalonnage…</translation>
    </message>
    <message>
        <source>Record Brightness Data</source>
        <translation>Enregistrer les données de luminosité</translation>
    </message>
    <message>
        <source>Reveal Data in File Manager</source>
        <translation>Montrer les données dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Icon Style</source>
        <translation>Style d’icône</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>Start at Login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Quit Lumvex</source>
        <translation>Quitter Lumvex</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Brightness: %1%</source>
        <translation>Luminosité : %1 %</translation>
    </message>
    <message>
        <source>Volume: muted</source>
        <translation>Volume : coupé</translation>
    </message>
    <message>
        <source>Volume: %1%</source>
        <translation>Volume : %1 %</translation>
    </message>
    <message numerus="yes">
        <source>%n content situation(s) learned</source>
        <translation>
            <numerusform>%n situation de contenu apprise</numerusform>
            <numerusform>%n situations de contenu apprises</numerusform>
        </translation>
    </message>
    <message>
        <source>Last 7 days: %1 adj/day (baseline %2)</source>
        <translation>7 derniers jours : %1 corr./jour (référence %2)</translation>
    </message>
    <message>
        <source>Today: %1 • days tracked: %2</source>
        <translation>Aujourd’hui : %1 • jours suivis : %2</translation>
    </message>
    <message>
        <source>Top learned situations:</source>
        <translation>Situations les plus apprises :</translation>
    </message>
    <message>
        <source>Remember Brightness per Situation</source>
        <translation>Mémoriser la luminosité par situation</translation>
    </message>
    <message>
        <source>Reset all calibration</source>
        <translation>Réinitialiser tout l’étalonnage</translation>
    </message>
    <message>
        <source>Reset everything</source>
        <translation>Tout réinitialiser</translation>
    </message>
    <message>
        <source>dark %1 / bright %2 / mean %3, %4: %5 (%6)</source>
        <translation>sombre %1 / clair %2 / moyen %3, %4 : %5 (%6)</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>%1 does not answer</source>
        <translation>%1 ne répond pas</translation>
    </message>
    <message>
        <source>%1: %2%</source>
        <translation>%1 : %2 %</translation>
    </message>
    <message>
        <source>%1: reading…</source>
        <translation>%1 : lecture…</translation>
    </message>
    <message>
        <source>Link Displays</source>
        <translation>Lier les écrans</translation>
    </message>
    <message>
        <source>Adjust External Displays</source>
        <translation>Ajuster les écrans externes</translation>
    </message>
</context>
<context>
    <name>Updates</name>
    <message>
        <source>set %1 in %2 to the http or https address of an update feed</source>
        <translation>réglez %1 dans %2 sur l’adresse http ou https d’un flux de mises à jour</translation>
    </message>
    <message>
        <source>the server %1 did not answer within %2 s</source>
        <translation>le serveur %1 n’a pas répondu dans les %2 s</translation>
    </message>
    <message>
        <source>the server %1 refused the connection</source>
        <translation>le serveur %1 a refusé la connexion</translation>
    </message>
    <message>
        <source>the server %1 was not found; check the network connection</source>
        <translation>le serveur %1 est introuvable ; vérifiez la connexion réseau</translation>
    </message>
    <message>
        <source>the server %1 answered %2 %3</source>
        <translation>le serveur %1 a répondu %2 %3</translation>
    </message>
    <message>
        <source>Update feed address is not set</source>
        <translation>L’adresse du flux de mises à jour n’est pas définie</translation>
    </message>
    <message>
        <source>the update feed address “%1” is not a web address; %2</source>
        <translation>l’adresse du flux de mises à jour « %1 » n’est pas une adresse web ; %2</translation>
    </message>
    <message>
        <source>the answer from %1 is too large to be an update feed</source>
        <translation>la réponse de %1 est trop grande pour un flux de mises à jour</translation>
    </message>
    <message>
        <source>the update feed at %1 is unusable: %2</source>
        <translation>le flux de mises à jour à %1 est inutilisable : %2</translation>
    </message>
    <message>
        <source>the update feed at %1 lists no release</source>
        <translation>le flux de mises à jour à %1 ne cite aucune version</translation>
    </message>
    <message>
        <source>Lumvex %1 is available</source>
        <translation>Lumvex %1 est disponible</translation>
    </message>
    <message>
        <source>You have version %1. Get the new one from its download page or your package manager.</source>
        <translation>Vous avez la version %1. Obtenez la nouvelle sur sa page de téléchargement ou par votre gestionnaire de paquets.</translation>
    </message>
    <message>
        <source>Open Download Page</source>
        <translation>Ouvrir la page de téléchargement</translation>
    </message>
    <message>
        <source>Lumvex is up to date</source>
        <translation>Lumvex est à jour</translation>
    </message>
    <message>
        <source>Version %1 is the newest release.</source>
        <translation>La version %1 est la plus récente.</translation>
    </message>
    <message>
        <source>Could not check for updates</source>
        <translation>Impossible de rechercher des mises à jour</translation>
    </message>
</context>
<context>
    <name>Usage</name>
    <message>
        <source>Usage: lumvex [command]

Keeps the light you perceive from the laptop&apos;s display steady while the screen content changes,
and learns from every manual brightness change.

Commands:
  (none)      run in the tray
  simulate    run the brightness loop on simulated days without a desktop (see lumvex simulate --help)
  report      plot recorded telemetry and the adjustment log as a web page (see lumvex report --help)
  ctl         drive the running Lumvex: brightness up or down, pause, status (see lumvex ctl --help)

Options:
  -h, --help     show this help
  -V, --version  show the version
</source>
        <translation>Usage : lumvex [commande]

Garde stable la lumière que vous percevez de l’écran du portable pendant que le contenu de l’écran change,
et apprend de chaque changement manuel de luminosité.

Commandes :
  (aucune)    fonctionner dans la zone de notification
  simulate    faire tourner la régulation de luminosité sur des jours simulés, sans bureau (voir lumvex simulate --help)
  report      tracer la télémétrie enregistrée et le journal des ajustements dans une page web (voir lumvex report --help)
  ctl         piloter le Lumvex en cours : luminosité plus ou moins forte, pause, état (voir lumvex ctl --help)

Options :
  -h, --help     afficher cette aide
  -V, --version  afficher la version
</translation>
    </message>
</context>
</TS>
