<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Backlight</name>
    <message>
        <source>The login manager refused to set the brightness of %1.</source>
        <translation>Le gestionnaire de sessions a refusé de régler la luminosité de %1.</translation>
    </message>
    <message>
        <source>The brightness of %1 cannot be written.</source>
        <translation>La luminosité de %1 ne peut pas être écrite.</translation>
    </message>
</context>
<context>
    <name>Capture</name>
    <message>
        <source>Screen capture cannot reach the Wayland compositor (WAYLAND_DISPLAY is not set or does not answer).</source>
        <translation>La capture d’écran n’atteint pas le compositeur Wayland (WAYLAND_DISPLAY n’est pas défini ou ne répond pas).</translation>
    </message>
    <message>
        <source>Lumvex could not take over the shared screen from the desktop portal.</source>
        <translation>Lumvex n’a pas pu reprendre l’écran partagé depuis le portail du bureau.</translation>
    </message>
    <message>
        <source>Lumvex cannot receive the shared screen from PipeWire (%1).</source>
        <translation>Lumvex ne peut pas recevoir l’écran partagé de PipeWire (%1).</translation>
    </message>
    <message>
        <source>The shared screen&apos;s PipeWire stream ended (%1); restart Lumvex to share the screen again.</source>
        <translation>Le flux PipeWire de l’écran partagé s’est arrêté (%1) ; redémarrez Lumvex pour partager à nouveau l’écran.</translation>
    </message>
    <message>
        <source>Screen capture on Wayland needs the session bus, which Lumvex cannot reach.</source>
        <translation>La capture d’écran sous Wayland a besoin du bus de session, que Lumvex ne peut pas atteindre.</translation>
    </message>
    <message>
        <source>Screen capture on Wayland needs the desktop portal (xdg-desktop-portal), which is not running here.</source>
        <translation>La capture d’écran sous Wayland a besoin du portail du bureau (xdg-desktop-portal), qui ne tourne pas ici.</translation>
    </message>
    <message>
        <source>The desktop portal here cannot share the screen, so Lumvex cannot see the screen.</source>
        <translation>Le portail du bureau ne sait pas partager l’écran ici, donc Lumvex ne voit pas l’écran.</translation>
    </message>
    <message>
        <source>The desktop portal here cannot share a whole monitor, so Lumvex cannot see the screen.</source>
        <translation>Le portail du bureau ne sait pas partager un moniteur entier ici, donc Lumvex ne voit pas l’écran.</translation>
    </message>
    <message>
        <source>Screen sharing was declined, so Lumvex cannot see the screen; restart Lumvex to be asked again.</source>
        <translation>Le partage d’écran a été refusé, donc Lumvex ne voit pas l’écran ; redémarrez Lumvex pour que la question soit reposée.</translation>
    </message>
    <message>
        <source>The desktop could not show its screen sharing dialog, so Lumvex cannot see the screen; restart Lumvex to try again.</source>
        <translation>Le bureau n’a pas pu afficher sa boîte de dialogue de partage d’écran, donc Lumvex ne voit pas l’écran ; redémarrez Lumvex pour réessayer.</translation>
    </message>
    <message>
        <source>The desktop could not start screen sharing, so Lumvex cannot see the screen; restart Lumvex to try again.</source>
        <translation>Le bureau n’a pas pu lancer le partage d’écran, donc Lumvex ne voit pas l’écran ; redémarrez Lumvex pour réessayer.</translation>
    </message>
    <message>
        <source>The desktop shared no screen with Lumvex, so it cannot see the screen; restart Lumvex to try again.</source>
        <translation>Le bureau n’a partagé aucun écran avec Lumvex, qui ne voit donc pas l’écran ; redémarrez Lumvex pour réessayer.</translation>
    </message>
    <message>
        <source>Screen sharing was stopped by the desktop, so Lumvex cannot see the screen; restart Lumvex to share it again.</source>
        <translation>Le bureau a arrêté le partage d’écran, donc Lumvex ne voit pas l’écran ; redémarrez Lumvex pour le partager à nouveau.</translation>
    </message>
    <message>
        <source>The desktop portal stopped and screen sharing with it, so Lumvex cannot see the screen; restart Lumvex to share it again.</source>
        <translation>Le portail du bureau s’est arrêté, et le partage d’écran avec lui, donc Lumvex ne voit pas l’écran ; redémarrez Lumvex pour le partager à nouveau.</translation>
    </message>
    <message>
        <source>The desktop portal stopped; Lumvex sees the screen again once the portal is back.</source>
        <translation>Le portail du bureau s’est arrêté ; Lumvex verra de nouveau l’écran dès que le portail sera revenu.</translation>
    </message>
    <message>
        <source>The desktop portal could not share the screen (%1); restart Lumvex to try again.</source>
        <translation>Le portail du bureau n’a pas pu partager l’écran (%1) ; redémarrez Lumvex pour réessayer.</translation>
    </message>
    <message>
        <source>Screen capture needs a Wayland compositor, and WAYLAND_DISPLAY is not set.</source>
        <translation>La capture d’écran a besoin d’un compositeur Wayland, et WAYLAND_DISPLAY n’est pas défini.</translation>
    </message>
    <message>
        <source>Screen capture cannot reach the Wayland compositor at WAYLAND_DISPLAY=%1.</source>
        <translation>La capture d’écran n’atteint pas le compositeur Wayland de WAYLAND_DISPLAY=%1.</translation>
    </message>
    <message>
        <source>Screen capture needs a compositor that offers wlroots screencopy (zwlr_screencopy_manager_v1), and this one does not.</source>
        <translation>La capture d’écran a besoin d’un compositeur qui offre la copie d’écran wlroots (zwlr_screencopy_manager_v1), ce que celui-ci ne fait pas.</translation>
    </message>
    <message>
        <source>Screen capture reads 32-bit RGB frames only; the compositor offers format %1.</source>
        <translation>La capture d’écran ne lit que des images RVB sur 32 bits ; le compositeur propose le format %1.</translation>
    </message>
    <message>
        <source>Screen capture needs an X server, and DISPLAY is not set.</source>
        <translation>La capture d’écran a besoin d’un serveur X, et DISPLAY n’est pas défini.</translation>
    </message>
    <message>
        <source>Screen capture cannot reach the X server at DISPLAY=%1.</source>
        <translation>La capture d’écran n’atteint pas le serveur X de DISPLAY=%1.</translation>
    </message>
    <message>
        <source>Screen capture needs the X server&apos;s MIT-SHM extension, version 1.2 or later.</source>
        <translation>La capture d’écran a besoin de l’extension MIT-SHM du serveur X, version 1.2 ou ultérieure.</translation>
    </message>
    <message>
        <source>Screen capture needs a local X server; DISPLAY=%1 is reached over the network.</source>
        <translation>La capture d’écran a besoin d’un serveur X local ; DISPLAY=%1 est atteint par le réseau.</translation>
    </message>
    <message>
        <source>Screen capture reads 24-bit colour only; this screen has depth %1 at %2 bits per pixel.</source>
        <translation>La capture d’écran ne lit que les couleurs sur 24 bits ; cet écran a une profondeur de %1 à %2 bits par pixel.</translation>
    </message>
    <message>
        <source>Screen capture needs RandR 1.5 monitors, which this X server lacks.</source>
        <translation>La capture d’écran a besoin des moniteurs RandR 1.5, qui manquent à ce serveur X.</translation>
    </message>
    <message>
        <source>The X server refused to share memory for screen capture (MIT-SHM).</source>
        <translation>Le serveur X a refusé de partager de la mémoire pour la capture d’écran (MIT-SHM).</translation>
    </message>
</context>
<context>
    <name>Control</name>
    <message>
        <source>there is no built-in panel whose brightness Lumvex could set</source>
        <translation>il n’y a pas d’écran intégré dont Lumvex pourrait régler la luminosité</translation>
    </message>
    <message>
        <source>there is no built-in panel whose brightness Lumvex could change</source>
        <translation>il n’y a pas d’écran intégré dont Lumvex pourrait changer la luminosité</translation>
    </message>
    <message>
        <source>the built-in panel&apos;s brightness cannot be read just now</source>
        <translation>la luminosité de l’écran intégré ne peut pas être lue pour l’instant</translation>
    </message>
    <message>
        <source>automatic adjustment is off; there is nothing to pause</source>
        <translation>le réglage automatique est désactivé ; il n’y a rien à mettre en pause</translation>
    </message>
    <message>
        <source>nothing was changed</source>
        <translation>rien n’a été changé</translation>
    </message>
    <message>
        <source>the built-in panel did not take the brightness</source>
        <translation>l’écran intégré n’a pas pris la luminosité</translation>
    </message>
</context>
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
    <name>Ddc</name>
    <message>
        <source>expected `display id=N get luminance`, `display id=N set luminance P`, `list` or --help</source>
        <translation>attendu : `display id=N get luminance`, `display id=N set luminance P`, `list` ou --help</translation>
    </message>
    <message>
        <source>the display must be given as id=N with N a display id, not &quot;%1&quot;</source>
        <translation>l’écran doit être donné sous la forme id=N, où N est un identifiant d’écran, et non « %1 »</translation>
    </message>
    <message>
        <source>the brightness must be a whole percentage from 0 to 100, not &quot;%1&quot;</source>
        <translation>la luminosité doit être un pourcentage entier de 0 à 100, et non « %1 »</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>MONITOR</source>
        <translation>MONITEUR</translation>
    </message>
    <message>
        <source>CONNECTOR</source>
        <translation>CONNECTEUR</translation>
    </message>
    <message>
        <source>BUS</source>
        <translation>BUS</translation>
    </message>
    <message>
        <source>no connected connectors in %1</source>
        <translation>aucun connecteur branché dans %1</translation>
    </message>
    <message>
        <source>no connector found</source>
        <translation>aucun connecteur trouvé</translation>
    </message>
    <message>
        <source>no displays found: no monitors on the X server, no connected connectors in %1</source>
        <translation>aucun écran trouvé : aucun moniteur sur le serveur X, aucun connecteur branché dans %1</translation>
    </message>
    <message>
        <source>no X server with RandR 1.5 answers on DISPLAY, so display ids are unknown; connectors are listed alone</source>
        <translation>aucun serveur X avec RandR 1.5 ne répond sur DISPLAY, les identifiants d’écran sont donc inconnus ; seuls les connecteurs sont listés</translation>
    </message>
    <message>
        <source>no I2C bus</source>
        <translation>pas de bus I2C</translation>
    </message>
    <message>
        <source>answers, brightness %1%</source>
        <translation>répond, luminosité %1 %</translation>
    </message>
    <message>
        <source>answers, brightness range 0</source>
        <translation>répond, plage de luminosité 0</translation>
    </message>
    <message>
        <source>answers, no brightness control</source>
        <translation>répond, pas de réglage de luminosité</translation>
    </message>
    <message>
        <source>garbled replies</source>
        <translation>réponses brouillées</translation>
    </message>
    <message>
        <source>no reply</source>
        <translation>pas de réponse</translation>
    </message>
    <message>
        <source>the monitor on %1 (%2)</source>
        <translation>le moniteur sur %1 (%2)</translation>
    </message>
    <message>
        <source>Usage:
  lumvex-ddc display id=N get luminance     print display N&apos;s brightness in percent
  lumvex-ddc display id=N set luminance P   set display N&apos;s brightness to P percent (0-100)
  lumvex-ddc list                           list displays, their connectors, I2C buses and DDC/CI state
  lumvex-ddc --help                         show this text

N is the display id Lumvex uses, as `list` shows it: on X11 the RandR monitor&apos;s name atom, on Wayland a
hash of the output&apos;s connector name. The tool finds the monitor&apos;s DRM connector under /sys/class/drm and talks DDC/CI (VCP feature 0x10) on its I2C bus,
/dev/i2c-N. A value the monitor already holds is not written again.

Access to /dev/i2c-*: load the i2c-dev module (sudo modprobe i2c-dev; for every boot, add i2c-dev to
/etc/modules-load.d/i2c-dev.conf). If `ls -l /dev/i2c-*` shows a group such as i2c, join it:
  sudo usermod -aG i2c $USER   (then log in again)
If the devices belong to root, give them to that group with a udev rule such as
  KERNEL==&quot;i2c-[0-9]*&quot;, GROUP=&quot;i2c&quot;, MODE=&quot;0660&quot;
in /etc/udev/rules.d/60-i2c.rules (create the group first: sudo groupadd --system i2c).

Environment:
  LUMVEX_DDC_CONNECTOR   use this DRM connector (DP-1 or card0-DP-1) for any display id, without asking X
  LUMVEX_SYSFS_ROOT      look up /sys and /dev under this folder instead of /

Exit status: 0 on success, 1 when the display cannot be reached, 2 for a malformed command line.
</source>
        <translation>Usage :
  lumvex-ddc display id=N get luminance     afficher la luminosité de l’écran N en pour cent
  lumvex-ddc display id=N set luminance P   régler la luminosité de l’écran N à P pour cent (0-100)
  lumvex-ddc list                           lister écrans, connecteurs, bus I2C et état DDC/CI
  lumvex-ddc --help                         afficher ce texte

N est l’identifiant d’écran qu’utilise Lumvex, tel que `list` l’affiche : sous X11 l’atome du nom du
moniteur RandR, sous Wayland un hachage du nom du connecteur de la sortie. L’outil trouve le
connecteur DRM du moniteur sous /sys/class/drm et parle DDC/CI (fonction VCP 0x10) sur son bus I2C,
/dev/i2c-N. Une valeur que le moniteur a déjà n’est pas réécrite.

Accès à /dev/i2c-* : chargez le module i2c-dev (sudo modprobe i2c-dev ; pour chaque démarrage,
ajoutez i2c-dev à /etc/modules-load.d/i2c-dev.conf). Si `ls -l /dev/i2c-*` montre un groupe tel que
i2c, rejoignez-le :
  sudo usermod -aG i2c $USER   (puis reconnectez-vous)
Si les périphériques appartiennent à root, confiez-les à ce groupe par une règle udev telle que
  KERNEL==&quot;i2c-[0-9]*&quot;, GROUP=&quot;i2c&quot;, MODE=&quot;0660&quot;
dans /etc/udev/rules.d/60-i2c.rules (créez d’abord le groupe : sudo groupadd --system i2c).

Environnement :
  LUMVEX_DDC_CONNECTOR   utiliser ce connecteur DRM (DP-1 ou card0-DP-1) pour tout identifiant
                         d’écran, sans interroger X
  LUMVEX_SYSFS_ROOT      chercher /sys et /dev sous ce dossier au lieu de /

Code de sortie : 0 en cas de succès, 1 quand l’écran ne peut pas être atteint, 2 pour une ligne de
commande mal formée.
</translation>
    </message>
    <message>
        <source>%1 (see lumvex-ddc --help)</source>
        <translation>%1 (voir lumvex-ddc --help)</translation>
    </message>
    <message>
        <source>cannot tell which connector display %1 is on: no X server with RandR 1.5 answers on DISPLAY; set LUMVEX_DDC_CONNECTOR to its connector (e.g. DP-1)</source>
        <translation>impossible de savoir sur quel connecteur se trouve l’écran %1 : aucun serveur X avec RandR 1.5 ne répond sur DISPLAY ; donnez son connecteur dans LUMVEX_DDC_CONNECTOR (par exemple DP-1)</translation>
    </message>
    <message>
        <source>no display with id %1 on this X server; `lumvex-ddc list` shows the ids</source>
        <translation>aucun écran d’identifiant %1 sur ce serveur X ; `lumvex-ddc list` affiche les identifiants</translation>
    </message>
    <message>
        <source>no connected connector in /sys/class/drm has display id %1; `lumvex-ddc list` shows the ids</source>
        <translation>aucun connecteur branché dans /sys/class/drm n’a l’identifiant d’écran %1 ; `lumvex-ddc list` affiche les identifiants</translation>
    </message>
    <message>
        <source>display %1 (%2) matches no connected connector in /sys/class/drm; set LUMVEX_DDC_CONNECTOR to its connector (see `lumvex-ddc list`)</source>
        <translation>l’écran %1 (%2) ne correspond à aucun connecteur branché dans /sys/class/drm ; donnez son connecteur dans LUMVEX_DDC_CONNECTOR (voir `lumvex-ddc list`)</translation>
    </message>
    <message>
        <source>no connector named %1 in /sys/class/drm (from LUMVEX_DDC_CONNECTOR); `lumvex-ddc list` shows the connectors</source>
        <translation>aucun connecteur nommé %1 dans /sys/class/drm (d’après LUMVEX_DDC_CONNECTOR) ; `lumvex-ddc list` affiche les connecteurs</translation>
    </message>
    <message>
        <source>%1 has no I2C bus in /sys/class/drm: its driver offers no DDC channel for it, so its brightness cannot be set from here</source>
        <translation>%1 n’a pas de bus I2C dans /sys/class/drm : son pilote n’offre pas de canal DDC pour lui, sa luminosité ne peut donc pas être réglée d’ici</translation>
    </message>
    <message>
        <source>%1 refused the DDC/CI address 0x37 (%2); is it an I2C adapter, and does a kernel driver hold that address?</source>
        <translation>%1 a refusé l’adresse DDC/CI 0x37 (%2) ; est-ce un adaptateur I2C, et un pilote du noyau occupe-t-il cette adresse ?</translation>
    </message>
    <message>
        <source>%1 does not exist: load the i2c-dev module with `sudo modprobe i2c-dev`</source>
        <translation>%1 n’existe pas : chargez le module i2c-dev avec `sudo modprobe i2c-dev`</translation>
    </message>
    <message>
        <source>no permission to open %1, which belongs to group %2: join it with `sudo usermod -aG %2 $USER` and log in again</source>
        <translation>pas la permission d’ouvrir %1, qui appartient au groupe %2 : rejoignez-le avec `sudo usermod -aG %2 $USER` et reconnectez-vous</translation>
    </message>
    <message>
        <source>no permission to open %1: give I2C devices to the i2c group with a udev rule (see lumvex-ddc --help) and join that group</source>
        <translation>pas la permission d’ouvrir %1 : confiez les périphériques I2C au groupe i2c par une règle udev (voir lumvex-ddc --help) et rejoignez ce groupe</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>impossible d’ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>%1 is in use by another lumvex-ddc; try again</source>
        <translation>%1 est utilisé par un autre lumvex-ddc ; réessayez</translation>
    </message>
    <message>
        <source>%1 offers no brightness control (VCP feature 0x10)</source>
        <translation>%1 n’offre pas de réglage de luminosité (fonction VCP 0x10)</translation>
    </message>
    <message>
        <source>garbled DDC/CI replies from %1; try again, or another cable or port</source>
        <translation>réponses DDC/CI brouillées de %1 ; réessayez, ou essayez un autre câble ou port</translation>
    </message>
    <message>
        <source>no DDC/CI reply from %1 (%2); switch DDC/CI on in the monitor&apos;s own menu</source>
        <translation>pas de réponse DDC/CI de %1 (%2) ; activez DDC/CI dans le menu du moniteur lui-même</translation>
    </message>
    <message>
        <source>no DDC/CI reply from %1; switch DDC/CI on in the monitor&apos;s own menu</source>
        <translation>pas de réponse DDC/CI de %1 ; activez DDC/CI dans le menu du moniteur lui-même</translation>
    </message>
    <message>
        <source>%1 reports a brightness range of 0; it cannot be set</source>
        <translation>%1 annonce une plage de luminosité de 0 ; elle ne peut pas être réglée</translation>
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
    <name>Output</name>
    <message>
        <source>the day&apos;s %1 writes are used up</source>
        <translation>les %1 écritures de la journée sont épuisées</translation>
    </message>
    <message>
        <source>the monitor did not take the level</source>
        <translation>le moniteur n’a pas pris le niveau</translation>
    </message>
    <message>
        <source>a range lies within 0%-100%</source>
        <translation>une plage se situe entre 0 % et 100 %</translation>
    </message>
    <message>
        <source>the range is inverted: its first level must be the lower</source>
        <translation>la plage est inversée : son premier niveau doit être le plus bas</translation>
    </message>
    <message>
        <source>the range must span at least 1%</source>
        <translation>la plage doit couvrir au moins 1 %</translation>
    </message>
    <message>
        <source>a range is two levels like 10%-80%, not %1</source>
        <translation>une plage est faite de deux niveaux comme 10%-80%, et non %1</translation>
    </message>
    <message>
        <source>%1, not %2</source>
        <translation>%1, et non %2</translation>
    </message>
    <message>
        <source>no connected display is named %1</source>
        <translation>aucun écran branché ne s’appelle %1</translation>
    </message>
    <message>
        <source>no connected display is named %1 (connected: %2)</source>
        <translation>aucun écran branché ne s’appelle %1 (branchés : %2)</translation>
    </message>
    <message>
        <source>%1 is the built-in panel: its level is the shared level, it has no range</source>
        <translation>%1 est l’écran intégré : son niveau est le niveau commun, il n’a pas de plage</translation>
    </message>
    <message>
        <source>the range of %1 holds until Lumvex ends, but could not be saved</source>
        <translation>la plage de %1 vaut jusqu’à la fin de Lumvex, mais n’a pas pu être enregistrée</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Sunday</source>
        <translation>dimanche</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>samedi</translation>
    </message>
    <message>
        <source>Usage: lumvex report [options] [DIR or FILES...]

Draws what Lumvex recorded: brightness, content luminance, ambient light, your corrections and the
automatic changes, one plot per day, so that you can see what the brightness loop did.

Reads the telemetry files (telemetry-&lt;day&gt;.jsonl, written while &quot;Record Brightness Data&quot; is on in
the menu; hold Alt while opening it) and the adjustment log (adjustments.csv). Without DIR or FILES
it reads Lumvex&apos;s own; a DIR is searched for both, also in its telemetry folder. Lines that cannot
be read are skipped and listed.

Options:
  --out FILE   where the report goes (default: lumvex-report.html in the current folder);
               a name ending in .svg gives a single SVG image instead of an HTML page
  -h, --help   show this help
</source>
        <translation>Usage : lumvex report [options] [DOSSIER ou FICHIERS...]

Dessine ce que Lumvex a enregistré : luminosité, luminance du contenu, lumière ambiante, vos
corrections et les changements automatiques, un graphique par jour, pour que vous voyiez ce qu’a
fait la régulation de la luminosité.

Lit les fichiers de télémétrie (telemetry-&lt;jour&gt;.jsonl, écrits tant que « Enregistrer les données de
luminosité » est activé dans le menu ; maintenez Alt en l’ouvrant) et le journal des réglages
(adjustments.csv). Sans DOSSIER ni FICHIERS, il lit ceux de Lumvex ; un DOSSIER est fouillé pour les
deux, y compris son dossier telemetry. Les lignes illisibles sont ignorées et listées.

Options :
  --out FICHIER  où va le rapport (par défaut : lumvex-report.html dans le dossier courant) ; un nom
                 finissant par .svg donne une seule image SVG au lieu d’une page HTML
  -h, --help     afficher cette aide
</translation>
    </message>
    <message>
        <source>%1 needs a file name</source>
        <translation>%1 attend un nom de fichier</translation>
    </message>
    <message>
        <source>unknown option %1 (see lumvex report --help)</source>
        <translation>option inconnue %1 (voir lumvex report --help)</translation>
    </message>
    <message>
        <source>The recorder removed its oldest days, up to %1, to keep its folder within %2 days and %3 MB.</source>
        <translation>L’enregistreur a supprimé ses jours les plus anciens, jusqu’au %1, pour garder son dossier sous %2 jours et %3 Mo.</translation>
    </message>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1 : fichier ou dossier introuvable</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>reading %1 (%2 of %3)</source>
        <translation>lecture de %1 (%2 sur %3)</translation>
    </message>
    <message>
        <source>Lumvex report</source>
        <translation>Rapport Lumvex</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>du %1 au %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2; choose another place with --out</source>
        <translation>impossible d’écrire %1 : %2 ; choisissez un autre emplacement avec --out</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>et %1 de plus</translation>
    </message>
    <message>
        <source>and %1 more, listed in the report</source>
        <translation>et %1 de plus, listées dans le rapport</translation>
    </message>
    <message>
        <source>Report of %1 (%2 telemetry rows, %3 adjustments) written to %4</source>
        <translation>Rapport de %1 (%2 lignes de télémétrie, %3 réglages) écrit dans %4</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 telemetry rows and %2 adjustment log rows from:</source>
        <translation>%1 lignes de télémétrie et %2 lignes du journal des réglages, tirées de :</translation>
    </message>
    <message>
        <source>No rows to show.</source>
        <translation>Aucune ligne à afficher.</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation>Enregistré</translation>
    </message>
    <message>
        <source>Sessions</source>
        <translation>Sessions</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Corrections</translation>
    </message>
    <message>
        <source>Automatic changes</source>
        <translation>Changements automatiques</translation>
    </message>
    <message>
        <source>Mean brightness</source>
        <translation>Luminosité moyenne</translation>
    </message>
    <message>
        <source>Most in front</source>
        <translation>Le plus au premier plan</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 %2: %3 to %4</source>
        <translation>%1 %2 : de %3 à %4</translation>
    </message>
    <message>
        <source>%1 manual change: %2 to %3</source>
        <translation>%1 changement manuel : de %2 à %3</translation>
    </message>
    <message>
        <source>no telemetry</source>
        <translation>pas de télémétrie</translation>
    </message>
    <message>
        <source>%1 recorded</source>
        <translation>%1 enregistrées</translation>
    </message>
    <message numerus="yes">
        <source>%n correction(s)</source>
        <translation>
            <numerusform>%n correction</numerusform>
            <numerusform>%n corrections</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n logged automatic change(s)</source>
        <translation>
            <numerusform>%n changement automatique journalisé</numerusform>
            <numerusform>%n changements automatiques journalisés</numerusform>
        </translation>
    </message>
    <message>
        <source>mean brightness %1</source>
        <translation>luminosité moyenne %1</translation>
    </message>
    <message>
        <source>brightness</source>
        <translation>luminosité</translation>
    </message>
    <message>
        <source>loop&apos;s brightness</source>
        <translation>luminosité de la régulation</translation>
    </message>
    <message>
        <source>perceived light (brightness x luminance)</source>
        <translation>lumière perçue (luminosité x luminance)</translation>
    </message>
    <message>
        <source>ambient light (right axis, log)</source>
        <translation>lumière ambiante (axe de droite, log.)</translation>
    </message>
    <message>
        <source>content luminance (slow)</source>
        <translation>luminance du contenu (lente)</translation>
    </message>
    <message>
        <source>content luminance (raw)</source>
        <translation>luminance du contenu (brute)</translation>
    </message>
    <message>
        <source>your correction</source>
        <translation>votre correction</translation>
    </message>
    <message>
        <source>brightness write logged by the loop</source>
        <translation>écriture de luminosité journalisée par la régulation</translation>
    </message>
    <message>
        <source>no telemetry files or adjustment log in %1; switch on &quot;%2&quot; in the menu (hold Alt) to record</source>
        <translation>ni fichiers de télémétrie ni journal des réglages dans %1 ; activez « %2 » dans le menu (en maintenant Alt) pour enregistrer</translation>
    </message>
    <message>
        <source>en</source>
        <extracomment>The language code of this translation: de, fr, ...</extracomment>
        <translation>fr</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>pas un objet JSON</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>un nombre</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>« %1 » manque</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>une chaîne</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true ou false</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not %2</source>
        <translation>« %1 » n’est pas %2</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 n’est pas un nombre</translation>
    </message>
    <message>
        <source>expected 9 fields, found %1</source>
        <translation>9 champs attendus, %1 trouvés</translation>
    </message>
    <message>
        <source>%1 is not a UTC time</source>
        <translation>%1 n’est pas une heure UTC</translation>
    </message>
    <message>
        <source>%1 is not a lower-case word</source>
        <translation>%1 n’est pas un mot en minuscules</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is unknown</source>
        <translation>%1 « %2 » est inconnu</translation>
    </message>
    <message>
        <source>cannot be read (not a regular file)</source>
        <translation>illisible (pas un fichier ordinaire)</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>illisible</translation>
    </message>
    <message>
        <source>longer than %1 KB</source>
        <translation>plus long que %1 Ko</translation>
    </message>
    <message>
        <source>could not be read to the end</source>
        <translation>n’a pas pu être lu jusqu’au bout</translation>
    </message>
    <message>
        <source>not the header of an adjustment log</source>
        <translation>pas l’en-tête d’un journal des réglages</translation>
    </message>
    <message numerus="yes">
        <source>skipped %n unreadable line(s):</source>
        <translation>
            <numerusform>%n ligne illisible ignorée :</numerusform>
            <numerusform>%n lignes illisibles ignorées :</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n line(s) skipped:</source>
        <translation>
            <numerusform>%n ligne ignorée :</numerusform>
            <numerusform>%n lignes ignorées :</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Simulate</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>Over %1 the median of %2 simulated users corrected the brightness %3 times with Lumvex; the worst user %4 times.</source>
        <translation>Sur %1, l’utilisateur médian parmi %2 utilisateurs simulés a corrigé la luminosité %3 fois avec Lumvex ; le pire utilisateur %4 fois.</translation>
    </message>
    <message>
        <source>Over %1 the median of %2 simulated users corrected the brightness %3 times with Lumvex and %4 with fixed brightness; the worst user %5 times.</source>
        <translation>Sur %1, l’utilisateur médian parmi %2 utilisateurs simulés a corrigé la luminosité %3 fois avec Lumvex et %4 fois avec une luminosité fixe ; le pire utilisateur %5 fois.</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 are worse off with Lumvex than with fixed brightness.</source>
        <translation>
            <numerusform>%n sur %1 s’en sort moins bien avec Lumvex qu’avec une luminosité fixe.</numerusform>
            <numerusform>%n sur %1 s’en sortent moins bien avec Lumvex qu’avec une luminosité fixe.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 median %2, worst user %3 (busiest day %4)</source>
        <translation>%1 médiane %2, pire utilisateur %3 (jour le plus chargé %4)</translation>
    </message>
    <message>
        <source>Display writes per day:</source>
        <translation>Écritures sur les moniteurs par jour :</translation>
    </message>
    <message>
        <source>day 1</source>
        <translation>jour 1</translation>
    </message>
    <message>
        <source>last</source>
        <translation>dern.</translation>
    </message>
    <message>
        <source>all</source>
        <translation>tous</translation>
    </message>
    <message>
        <source>sum</source>
        <translation>somme</translation>
    </message>
    <message>
        <source>median</source>
        <translation>médiane</translation>
    </message>
    <message>
        <source>worst</source>
        <translation>pire</translation>
    </message>
    <message>
        <source>Users worse off than fixed: %1 of %2</source>
        <translation>Utilisateurs moins bien lotis qu’avec une luminosité fixe : %1 sur %2</translation>
    </message>
    <message>
        <source>Usage: lumvex simulate [options]

Runs Lumvex&apos;s compensation loop without a desktop: simulated screen content, ambient light and
backlight, and a simulated user with hidden preferences who corrects the brightness when the light
stays too far from what they like. Says what it found, prints a table per day and draws a plot.

Options:
  --scenario NAME   office (default), video, night-reading, laptop-day or docked-day
  --trace FILE      replay a recorded telemetry file instead of a scenario (not with --scenario)
  --days N          simulated days, 1...366 (default 7; with --trace, the recorded days)
  --seed N          seed of the content and of the user (default 1)
  --compare         also run fixed brightness and ambient-only automatic brightness
  --taste LIST      fix parts of the user&apos;s taste, any of exponent=E (0...1: how much of the
                    content&apos;s own contrast they want; 0: the light held steady), tolerance=T
                    (1.01...3: the factor the light may be off before they act) and
                    patience=P (0.1...60 s), separated by commas or in several --taste; the rest
                    is drawn from the seed
  --population N    simulate N users (1...300) instead of one, each with its own content and
                    taste (seeds S to S+N-1), under all three strategies, and print corrections
                    per user. Their tastes: content exponent 0...1, tolerance 1.15...1.35,
                    patience 3...5 s, preferred light +-15 % around a typical curve, each uniform.
                    A run simulates at most 3000 days: users x days x strategies (three with
                    --compare or --population)
  --behaviour NAME  how the user corrects: jump (default: straight to the best notch), notch
                    (notch by notch, stopping at the first acceptable level), overshoot (notch by
                    notch, a quarter of the time one notch too far), drift (what they want
                    changes by up to 25 % every 1.5 to 2.5 hours), picky (half the tolerance for
                    ten minutes after each correction), or mixed (each user of a population one
                    of these five, drawn from their seed)
  --set KEY=VALUE   run the loop with a setting: rememberBrightnessPerSituation=true|false,
                    adjustExternalDisplays=true|false (docked-day: on unless set)
  --plot FILE.svg   where to draw brightness, luminance and corrections (default: plot.svg in
                    the output folder)
  --table brief|full  the one user&apos;s table: brief (default) the columns compared first, full all
                    of them; the full table is also written to summary.csv in the output folder
  --out DIR         folder for the learned table, statistics and log (default: a new
                    folder under the state directory; an existing folder must not hold
                    Lumvex files)
  -h, --help        show this help
</source>
        <translation>Usage : lumvex simulate [options]

Fait tourner la régulation compensatrice de Lumvex sans bureau : contenu d’écran, lumière ambiante
et rétroéclairage simulés, et un utilisateur simulé aux préférences cachées qui corrige la
luminosité quand la lumière s’éloigne trop de ce qu’il aime. Dit ce qui en ressort, affiche un
tableau par jour et dessine un graphique.

Options :
  --scenario NOM    office (par défaut), video, night-reading, laptop-day ou docked-day
  --trace FICHIER   rejouer un fichier de télémétrie enregistré au lieu d’un scénario (pas avec
                    --scenario)
  --days N          jours simulés, 1...366 (7 par défaut ; avec --trace, les jours enregistrés)
  --seed N          graine du contenu et de l’utilisateur (1 par défaut)
  --compare         faire aussi tourner une luminosité fixe et une luminosité automatique d’après la
                    seule lumière ambiante
  --taste LISTE     fixer des parties du goût de l’utilisateur, parmi exponent=E (0...1 : combien du
                    contraste propre au contenu il veut ; 0 : la lumière reste constante),
                    tolerance=T (1.01...3 : le facteur dont la lumière peut s’écarter avant qu’il
                    agisse) et patience=P (0.1...60 s), séparées par des virgules ou dans plusieurs
                    --taste ; le reste est tiré de la graine
  --population N    simuler N utilisateurs (1...300) au lieu d’un seul, chacun avec son contenu et
                    son goût (graines S à S+N-1), sous les trois stratégies, et afficher les
                    corrections par utilisateur. Leurs goûts : exposant du contenu 0...1, tolérance
                    1.15...1.35, patience 3...5 s, lumière préférée à +-15 % autour d’une courbe
                    typique, chacun uniforme. Une exécution simule au plus 3000 jours : utilisateurs
                    x jours x stratégies (trois avec --compare ou --population)
  --behaviour NOM   comment l’utilisateur corrige : jump (par défaut : droit au meilleur cran),
                    notch (cran par cran, jusqu’au premier niveau acceptable), overshoot (cran par
                    cran, un cran de trop une fois sur quatre), drift (ce qu’il veut change de 25 %
                    au plus toutes les 1,5 à 2,5 heures), picky (tolérance réduite de moitié pendant
                    dix minutes après chaque correction) ou mixed (chaque utilisateur d’une
                    population suit l’un de ces cinq, tiré de sa graine)
  --set CLÉ=VALEUR  faire tourner la régulation avec un réglage :
                    rememberBrightnessPerSituation=true|false, adjustExternalDisplays=true|false
                    (docked-day : activé sauf indication contraire)
  --plot FICHIER.svg  où dessiner luminosité, luminance et corrections (par défaut : plot.svg dans
                    le dossier de sortie)
  --table brief|full  le tableau de l’utilisateur unique : brief (par défaut) les colonnes comparées
                    d’abord, full toutes ; le tableau complet est aussi écrit dans summary.csv du
                    dossier de sortie
  --out DOSSIER     dossier pour la table apprise, les statistiques et le journal (par défaut : un
                    nouveau dossier sous le répertoire d’état ; un dossier existant ne doit pas
                    contenir de fichiers Lumvex)
  -h, --help        afficher cette aide
</translation>
    </message>
    <message>
        <source>%1: not a whole number: %2</source>
        <translation>%1 : pas un nombre entier : %2</translation>
    </message>
    <message>
        <source>%1: %2 is not a number: %3</source>
        <translation>%1 : %2 n’est pas un nombre : %3</translation>
    </message>
    <message>
        <source>%1: %2 must be within %3, not %4</source>
        <translation>%1 : %2 doit être compris dans %3, et non %4</translation>
    </message>
    <message>
        <source>%1: %2 is given twice</source>
        <translation>%1 : %2 est donné deux fois</translation>
    </message>
    <message>
        <source>--taste: expected NAME=VALUE (exponent, tolerance, patience), not %1</source>
        <translation>--taste : NOM=VALEUR attendu (exponent, tolerance, patience), et non %1</translation>
    </message>
    <message>
        <source>--taste: unknown part %1 (known: exponent, tolerance, patience)</source>
        <translation>--taste : partie inconnue %1 (connues : exponent, tolerance, patience)</translation>
    </message>
    <message>
        <source>--set: expected KEY=VALUE, not %1</source>
        <translation>--set : CLÉ=VALEUR attendu, et non %1</translation>
    </message>
    <message>
        <source>--set: unknown setting %1 (known: %2)</source>
        <translation>--set : réglage inconnu %1 (connus : %2)</translation>
    </message>
    <message>
        <source>--set: %1 takes true or false, not %2</source>
        <translation>--set : %1 prend true ou false, et non %2</translation>
    </message>
    <message>
        <source>%1: must be within %2...%3, not %4</source>
        <translation>%1 : doit être compris dans %2...%3, et non %4</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 attend une valeur</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 est donné deux fois</translation>
    </message>
    <message>
        <source>%1 needs a value, not an empty one</source>
        <translation>%1 attend une valeur non vide</translation>
    </message>
    <message>
        <source>--behaviour: unknown behaviour %1 (known: %2)</source>
        <translation>--behaviour : comportement inconnu %1 (connus : %2)</translation>
    </message>
    <message>
        <source>--table: brief or full, not %1</source>
        <translation>--table : brief ou full, et non %1</translation>
    </message>
    <message>
        <source>unknown option %1 (see lumvex simulate --help)</source>
        <translation>option inconnue %1 (voir lumvex simulate --help)</translation>
    </message>
    <message>
        <source>--trace replays a recorded file; it does not go with --scenario</source>
        <translation>--trace rejoue un fichier enregistré ; il ne va pas avec --scenario</translation>
    </message>
    <message>
        <source>--plot draws one user; it does not go with --population</source>
        <translation>--plot dessine un seul utilisateur ; il ne va pas avec --population</translation>
    </message>
    <message>
        <source>--seed: %1 users need seeds up to %2+%3, past the largest seed</source>
        <translation>--seed : %1 utilisateurs demandent des graines jusqu’à %2+%3, au-delà de la plus grande graine</translation>
    </message>
    <message>
        <source>a run simulates at most %1 days (users x days x strategies), not %2; ask for fewer</source>
        <translation>une exécution simule au plus %1 jours (utilisateurs x jours x stratégies), et non %2 ; demandez-en moins</translation>
    </message>
    <message>
        <source>--plot: %1 is not a regular file</source>
        <translation>--plot : %1 n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>--plot: cannot write in the folder %1</source>
        <translation>--plot : impossible d’écrire dans le dossier %1</translation>
    </message>
    <message>
        <source>--scenario: unknown scenario %1 (known: %2)</source>
        <translation>--scenario : scénario inconnu %1 (connus : %2)</translation>
    </message>
    <message>
        <source>--out: %1 exists; choose a folder without Lumvex files</source>
        <translation>--out : %1 existe ; choisissez un dossier sans fichiers Lumvex</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>cannot create a folder under %1</source>
        <translation>impossible de créer un dossier sous %1</translation>
    </message>
    <message>
        <source>Simulating %1 for %2 of &quot;%3&quot; (seeds %4 to %5); files in %6</source>
        <translation>Simulation de %1 sur %2 de « %3 » (graines %4 à %5) ; fichiers dans %6</translation>
    </message>
    <message numerus="yes">
        <source>%n user(s)</source>
        <translation>
            <numerusform>%n utilisateur</numerusform>
            <numerusform>%n utilisateurs</numerusform>
        </translation>
    </message>
    <message>
        <source>user</source>
        <translation>utilisateur</translation>
    </message>
    <message>
        <source>users</source>
        <translation>utilisateurs</translation>
    </message>
    <message>
        <source>Simulating %1 of &quot;%2&quot; (seed %3); files in %4</source>
        <translation>Simulation de %1 de « %2 » (graine %3) ; fichiers dans %4</translation>
    </message>
    <message>
        <source>day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>cannot write the table to %1</source>
        <translation>impossible d’écrire le tableau dans %1</translation>
    </message>
    <message>
        <source>Lumvex on &quot;%1&quot;, seed %2</source>
        <translation>Lumvex sur « %1 », graine %2</translation>
    </message>
    <message>
        <source>cannot write the plot to %1</source>
        <translation>impossible d’écrire le graphique dans %1</translation>
    </message>
    <message>
        <source>All columns: %1</source>
        <translation>Toutes les colonnes : %1</translation>
    </message>
    <message>
        <source>Plot: %1</source>
        <translation>Graphique : %1</translation>
    </message>
    <message>
        <source>corrections</source>
        <translation>corrections</translation>
    </message>
    <message>
        <source>mean |P-pref|</source>
        <translation>moyenne |P-pref|</translation>
    </message>
    <message>
        <source>p95 |P-pref|</source>
        <translation>p95 |P-pref|</translation>
    </message>
    <message>
        <source>CV of BxL</source>
        <translation>CV de BxL</translation>
    </message>
    <message>
        <source>writes</source>
        <translation>écritures</translation>
    </message>
    <message>
        <source>display writes</source>
        <translation>écritures moniteur</translation>
    </message>
    <message>
        <source>desktop changes learned</source>
        <translation>changements du bureau appris</translation>
    </message>
    <message>
        <source>user changes lost</source>
        <translation>changements utilisateur perdus</translation>
    </message>
    <message>
        <source>choices taken back</source>
        <translation>choix repris</translation>
    </message>
    <message>
        <source>with Lumvex</source>
        <translation>avec Lumvex</translation>
    </message>
    <message>
        <source>with fixed brightness</source>
        <translation>avec une luminosité fixe</translation>
    </message>
    <message>
        <source>with an ambient-only curve</source>
        <translation>avec une courbe d’après la seule lumière ambiante</translation>
    </message>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation>
            <numerusform>%n fois</numerusform>
            <numerusform>%n fois</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>Over %1 the simulated user corrected the brightness %2.</source>
        <translation>Sur %1, l’utilisateur simulé a corrigé la luminosité %2.</translation>
    </message>
    <message>
        <source>Choices taken back:</source>
        <translation>Choix repris :</translation>
    </message>
    <message>
        <source>content luminance</source>
        <translation>luminance du contenu</translation>
    </message>
    <message>
        <source>brightness</source>
        <translation>luminosité</translation>
    </message>
    <message>
        <source>perceived (brightness x luminance)</source>
        <translation>perçue (luminosité x luminance)</translation>
    </message>
    <message>
        <source>preferred</source>
        <translation>préférée</translation>
    </message>
    <message>
        <source>correction</source>
        <translation>correction</translation>
    </message>
    <message>
        <source>day %1  %2</source>
        <translation>jour %1  %2</translation>
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
    <name>Tray</name>
    <message>
        <source>lumvex: cannot start %1: %2 (reinstall Lumvex)</source>
        <translation>lumvex : impossible de lancer %1 : %2 (réinstallez Lumvex)</translation>
    </message>
    <message>
        <source>lumvex: %1 belongs to another user or is open to others; the lock goes to %2</source>
        <translation>lumvex : %1 appartient à un autre utilisateur ou est ouvert aux autres ; le verrou va dans %2</translation>
    </message>
    <message>
        <source>lumvex: no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set); lumvex simulate runs the loop without one</source>
        <translation>lumvex : pas de session graphique (ni DISPLAY ni WAYLAND_DISPLAY n’est défini) ; lumvex simulate fait tourner la régulation sans session</translation>
    </message>
    <message>
        <source>lumvex: already running for this user; it shows where it is</source>
        <translation>lumvex : déjà lancé pour cet utilisateur ; il montre où il se trouve</translation>
    </message>
    <message>
        <source>lumvex: no backlight found under /sys/class/backlight; the built-in display&apos;s brightness cannot be adjusted (external monitors and volume still work)</source>
        <translation>lumvex : aucun rétroéclairage trouvé sous /sys/class/backlight ; la luminosité de l’écran intégré ne peut pas être réglée (les moniteurs externes et le volume fonctionnent toujours)</translation>
    </message>
    <message>
        <source>lumvex: unknown command %1 (see lumvex --help)</source>
        <translation>lumvex : commande inconnue %1 (voir lumvex --help)</translation>
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
    <message>
        <source>it is not an RSS feed (it begins with &lt;%1&gt;)</source>
        <translation>ce n’est pas un flux RSS (il commence par &lt;%1&gt;)</translation>
    </message>
    <message>
        <source>it is not valid XML (line %1: %2)</source>
        <translation>ce n’est pas du XML valide (ligne %1 : %2)</translation>
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
