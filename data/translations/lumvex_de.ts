<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Ctl</name>
    <message>
        <source>%1 takes at most one STEP</source>
        <translation>%1 nimmt höchstens einen STEP</translation>
    </message>
    <message>
        <source>STEP is a percentage from 0.1 to 100, like 5 or 10%, not %1</source>
        <translation>STEP ist ein Prozentwert von 0.1 bis 100, etwa 5 oder 10%, nicht %1</translation>
    </message>
    <message>
        <source>set takes one LEVEL from 0% to 100%, like &quot;set 40%&quot;</source>
        <translation>set nimmt ein LEVEL von 0% bis 100%, etwa „set 40%“</translation>
    </message>
    <message>
        <source>auto takes on or off</source>
        <translation>auto nimmt on oder off</translation>
    </message>
    <message>
        <source>pause takes at most one DURATION</source>
        <translation>pause nimmt höchstens eine DURATION</translation>
    </message>
    <message>
        <source>DURATION is like 30m, 2h, 1h30m or 90s, at most 7 days, not %1</source>
        <translation>DURATION ist etwa 30m, 2h, 1h30m oder 90s, höchstens 7 Tage, nicht %1</translation>
    </message>
    <message>
        <source>unexpected arguments after %1</source>
        <translation>unerwartete Argumente nach %1</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message>
        <source>(see lumvex ctl --help)</source>
        <translation>(siehe lumvex ctl --help)</translation>
    </message>
    <message>
        <source>a COMMAND is needed</source>
        <translation>ein BEFEHL fehlt</translation>
    </message>
    <message>
        <source>Lumvex is not running (there is no session bus)</source>
        <translation>Lumvex läuft nicht (es gibt keinen Sitzungsbus)</translation>
    </message>
    <message>
        <source>Lumvex is not running</source>
        <translation>Lumvex läuft nicht</translation>
    </message>
    <message>
        <source>Lumvex did not answer within %1 s; the brightness was not changed</source>
        <translation>Lumvex hat nicht innerhalb von %1 s geantwortet; die Helligkeit wurde nicht geändert</translation>
    </message>
    <message>
        <source>Lumvex did not answer within %1 s; it takes effect when Lumvex answers again</source>
        <translation>Lumvex hat nicht innerhalb von %1 s geantwortet; es wirkt, sobald Lumvex wieder antwortet</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Brightness: %1</source>
        <translation>Helligkeit: %1</translation>
    </message>
    <message>
        <source>on</source>
        <translation>an</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>, paused until resumed</source>
        <translation>, angehalten bis zur Fortsetzung</translation>
    </message>
    <message>
        <source>, paused until %1</source>
        <translation>, angehalten bis %1</translation>
    </message>
    <message>
        <source>Automatic adjustment: %1</source>
        <translation>Automatische Anpassung: %1</translation>
    </message>
    <message>
        <source>Luminance: %1</source>
        <translation>Leuchtdichte: %1</translation>
    </message>
    <message>
        <source>Target ratio: %1</source>
        <translation>Zielverhältnis: %1</translation>
    </message>
    <message>
        <source>Situation: %1 (offset %2)</source>
        <translation>Situation: %1 (Versatz %2)</translation>
    </message>
    <message>
        <source>Screen capture: %1</source>
        <translation>Bildschirmaufnahme: %1</translation>
    </message>
    <message>
        <source>Display under the pointer: %1 (built in)</source>
        <translation>Bildschirm unter dem Zeiger: %1 (eingebaut)</translation>
    </message>
    <message>
        <source>Display under the pointer: %1</source>
        <translation>Bildschirm unter dem Zeiger: %1</translation>
    </message>
    <message>
        <source>External display %1: %2</source>
        <translation>Externer Bildschirm %1: %2</translation>
    </message>
    <message>
        <source>Volume: %1 (muted)</source>
        <translation>Lautstärke: %1 (stumm)</translation>
    </message>
    <message>
        <source>Volume: %1</source>
        <translation>Lautstärke: %1</translation>
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
        <translation>Aufruf: lumvex ctl BEFEHL

Steuert das laufende Lumvex; so gesetzte Helligkeit wird sofort gelernt, wie ein Scrollen auf seinem Symbol.

Befehle:
  up [STEP]          den eingebauten Bildschirm um STEP Prozent heller machen (Vorgabe 5 %)
  down [STEP]        ihn um STEP Prozent dunkler machen (Vorgabe 5 %)
  set LEVEL          ihn auf LEVEL Prozent setzen, wie in „set 40%“
  auto on|off        die automatische Anpassung ein- oder ausschalten
  pause [DURATION]   die automatische Anpassung eine Weile anhalten („30m“, „2h“, „1h30m“, „90s“; Vorgabe: bis zur Fortsetzung)
  resume             eine Pause beenden
  status [--json]    den Zustand zeigen
  display            die angeschlossenen Bildschirme mit Helligkeit und Bereich auflisten
  display NAME range UNTEN-OBEN
                     die Helligkeiten von Bildschirm NAME (Anschluss- oder Monitorname) für 0% und 100%
                     des eingebauten Bildschirms, wenn Bildschirme gekoppelt sind, etwa &quot;display DP-2 range 10%-80%&quot;
  show               das Menü öffnen, wo Lumvex es kann, sonst in einer Benachrichtigung sagen, wo es ist

Rückgabewert: 0 erledigt, 1 Lumvex läuft nicht oder hat abgelehnt, 2 falscher Aufruf.
</translation>
    </message>
    <message>
        <source>display takes no arguments, or NAME range LOW-HIGH</source>
        <translation>display nimmt keine Argumente oder NAME range UNTEN-OBEN</translation>
    </message>
    <message>
        <source>Link Displays: on</source>
        <translation>Bildschirme koppeln: an</translation>
    </message>
    <message>
        <source>Link Displays: off</source>
        <translation>Bildschirme koppeln: aus</translation>
    </message>
    <message>
        <source>DISPLAY</source>
        <translation>BILDSCHIRM</translation>
    </message>
    <message>
        <source>MONITOR</source>
        <translation>MONITOR</translation>
    </message>
    <message>
        <source>LEVEL</source>
        <translation>HELLIGKEIT</translation>
    </message>
    <message>
        <source>RANGE</source>
        <translation>BEREICH</translation>
    </message>
    <message>
        <source>(built in)</source>
        <translation>(eingebaut)</translation>
    </message>
    <message>
        <source>does not answer</source>
        <translation>antwortet nicht</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>Meanwhile &quot;lumvex ctl&quot; controls it from a terminal or a key binding: lumvex ctl up, lumvex ctl down, lumvex ctl auto on, lumvex ctl status.</source>
        <translation>Bis dahin steuert „lumvex ctl“ es aus einem Terminal oder über eine Tastenkombination: lumvex ctl up, lumvex ctl down, lumvex ctl auto on, lumvex ctl status.</translation>
    </message>
    <message>
        <source>On GNOME, install the package gnome-shell-extension-appindicator and switch on &quot;AppIndicator and KStatusNotifierItem Support&quot; in the Extensions app, then log out and in again.</source>
        <translation>Installieren Sie unter GNOME das Paket gnome-shell-extension-appindicator, schalten Sie in der App „Erweiterungen“ „AppIndicator and KStatusNotifierItem Support“ ein und melden Sie sich dann ab und wieder an.</translation>
    </message>
    <message>
        <source>On KDE Plasma, add the System Tray widget to a panel.</source>
        <translation>Fügen Sie unter KDE Plasma einer Leiste das Miniprogramm „Systemabschnitt der Kontrollleiste“ hinzu.</translation>
    </message>
    <message>
        <source>On Xfce, add the Status Tray Plugin to a panel.</source>
        <translation>Fügen Sie unter Xfce einer Leiste das Status-Tray-Plugin hinzu.</translation>
    </message>
    <message>
        <source>Add a bar with a tray to your compositor&apos;s configuration, such as waybar with its &quot;tray&quot; module.</source>
        <translation>Nehmen Sie eine Leiste mit Infobereich in die Konfiguration Ihres Compositors auf, etwa waybar mit seinem Modul „tray“.</translation>
    </message>
    <message>
        <source>Install or enable a panel with a system tray (StatusNotifierItem or XEmbed).</source>
        <translation>Installieren oder aktivieren Sie eine Leiste mit Infobereich (StatusNotifierItem oder XEmbed).</translation>
    </message>
    <message>
        <source>Lumvex is running, but this desktop shows no tray icons</source>
        <translation>Lumvex läuft, aber diese Arbeitsumgebung zeigt keine Symbole im Infobereich</translation>
    </message>
    <message>
        <source>Its brightness and volume icons are in the panel&apos;s tray: scroll on the brightness icon to change the brightness, click it for the menu.</source>
        <translation>Seine Symbole für Helligkeit und Lautstärke sind im Infobereich der Leiste: Scrollen Sie auf dem Helligkeitssymbol, um die Helligkeit zu ändern, klicken Sie es für das Menü an.</translation>
    </message>
    <message>
        <source>This desktop shows no tray icons.</source>
        <translation>Diese Arbeitsumgebung zeigt keine Symbole im Infobereich.</translation>
    </message>
    <message>
        <source>Lumvex is already running</source>
        <translation>Lumvex läuft bereits</translation>
    </message>
    <message>
        <source>Lumvex is in the tray</source>
        <translation>Lumvex ist im Infobereich</translation>
    </message>
    <message>
        <source>Scroll on its brightness icon to change the brightness. Switch on &quot;Automatic Brightness&quot; in its menu to let it follow what the screen shows. Every change you make is learned for the situation you made it in (screen content, ambient light, time of day) and applied when that situation comes back.</source>
        <translation>Scrollen Sie auf seinem Helligkeitssymbol, um die Helligkeit zu ändern. Schalten Sie in seinem Menü „Automatische Helligkeit“ ein, damit sie dem Bildschirminhalt folgt. Jede Ihrer Änderungen wird für die Situation gelernt, in der Sie sie vorgenommen haben (Bildschirminhalt, Umgebungslicht, Tageszeit), und angewandt, wenn diese Situation wiederkehrt.</translation>
    </message>
    <message>
        <source>No display to watch: capture resumes when the main display is back.</source>
        <translation>Kein Bildschirm zu beobachten: die Aufnahme geht weiter, sobald der Hauptbildschirm zurück ist.</translation>
    </message>
    <message>
        <source>No display yet: waiting for the compositor to describe its displays.</source>
        <translation>Noch kein Bildschirm: warte darauf, dass der Compositor seine Bildschirme beschreibt.</translation>
    </message>
    <message>
        <source>What you teach is not saved: cannot write to %1</source>
        <translation>Was Sie Lumvex beibringen, wird nicht gespeichert: %1 ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>%1: no more automatic changes today (%2 writes)</source>
        <translation>%1: heute keine automatischen Änderungen mehr (%2 Schreibvorgänge)</translation>
    </message>
</context>
<context>
    <name>StatusMenu</name>
    <message>
        <source>Curtain</source>
        <translation>Vorhang</translation>
    </message>
    <message>
        <source>Pie</source>
        <translation>Torte</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>low</source>
        <translation>wenig</translation>
    </message>
    <message>
        <source>med</source>
        <translation>mittel</translation>
    </message>
    <message>
        <source>high</source>
        <translation>viel</translation>
    </message>
    <message>
        <source>max</source>
        <translation>max</translation>
    </message>
    <message>
        <source>morning</source>
        <translation>Morgen</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>evening</source>
        <translation>Abend</translation>
    </message>
    <message>
        <source>night</source>
        <translation>Nacht</translation>
    </message>
    <message>
        <source>Resume (paused until %1)</source>
        <translation>Fortsetzen (pausiert bis %1)</translation>
    </message>
    <message>
        <source>Resume (paused)</source>
        <translation>Fortsetzen (pausiert)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>For 15 Minutes</source>
        <translation>Für 15 Minuten</translation>
    </message>
    <message>
        <source>For 1 Hour</source>
        <translation>Für 1 Stunde</translation>
    </message>
    <message>
        <source>Until Resumed</source>
        <translation>Bis zur Fortsetzung</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>Ton an</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Automatic Brightness</source>
        <translation>Automatische Helligkeit</translation>
    </message>
    <message>
        <source>Auto-brightness — normalizes light across content</source>
        <translation>Automatische Helligkeit – gleicht das Licht über alle Inhalte aus</translation>
    </message>
    <message>
        <source>Show Compensation Debug</source>
        <translation>Ausgleichsdetails anzeigen</translation>
    </message>
    <message>
        <source>Calibration…</source>
        <translation>Kalibrierung …</translation>
    </message>
    <message>
        <source>Record Brightness Data</source>
        <translation>Helligkeitsdaten aufzeichnen</translation>
    </message>
    <message>
        <source>Reveal Data in File Manager</source>
        <translation>Daten im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>Icon Style</source>
        <translation>Symbolstil</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Aktualisierungen suchen …</translation>
    </message>
    <message>
        <source>Start at Login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Quit Lumvex</source>
        <translation>Lumvex beenden</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Brightness: %1%</source>
        <translation>Helligkeit: %1 %</translation>
    </message>
    <message>
        <source>Volume: muted</source>
        <translation>Lautstärke: stumm</translation>
    </message>
    <message>
        <source>Volume: %1%</source>
        <translation>Lautstärke: %1 %</translation>
    </message>
    <message numerus="yes">
        <source>%n content situation(s) learned</source>
        <translation>
            <numerusform>%n Inhaltssituation gelernt</numerusform>
            <numerusform>%n Inhaltssituationen gelernt</numerusform>
        </translation>
    </message>
    <message>
        <source>Last 7 days: %1 adj/day (baseline %2)</source>
        <translation>Letzte 7 Tage: %1 Korr./Tag (Ausgangswert %2)</translation>
    </message>
    <message>
        <source>Today: %1 • days tracked: %2</source>
        <translation>Heute: %1 • erfasste Tage: %2</translation>
    </message>
    <message>
        <source>Top learned situations:</source>
        <translation>Meistgelernte Situationen:</translation>
    </message>
    <message>
        <source>Remember Brightness per Situation</source>
        <translation>Helligkeit je Situation merken</translation>
    </message>
    <message>
        <source>Reset all calibration</source>
        <translation>Gesamte Kalibrierung zurücksetzen</translation>
    </message>
    <message>
        <source>Reset everything</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>dark %1 / bright %2 / mean %3, %4: %5 (%6)</source>
        <translation>dunkel %1 / hell %2 / Mittel %3, %4: %5 (%6)</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>%1 does not answer</source>
        <translation>%1 antwortet nicht</translation>
    </message>
    <message>
        <source>%1: %2%</source>
        <translation>%1: %2 %</translation>
    </message>
    <message>
        <source>%1: reading…</source>
        <translation>%1: wird gelesen…</translation>
    </message>
    <message>
        <source>Link Displays</source>
        <translation>Bildschirme koppeln</translation>
    </message>
    <message>
        <source>Adjust External Displays</source>
        <translation>Externe Bildschirme anpassen</translation>
    </message>
</context>
<context>
    <name>Updates</name>
    <message>
        <source>set %1 in %2 to the http or https address of an update feed</source>
        <translation>setzen Sie %1 in %2 auf die http- oder https-Adresse eines Update-Feeds</translation>
    </message>
    <message>
        <source>the server %1 did not answer within %2 s</source>
        <translation>der Server %1 hat nicht innerhalb von %2 s geantwortet</translation>
    </message>
    <message>
        <source>the server %1 refused the connection</source>
        <translation>der Server %1 hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>the server %1 was not found; check the network connection</source>
        <translation>der Server %1 wurde nicht gefunden; prüfen Sie die Netzwerkverbindung</translation>
    </message>
    <message>
        <source>the server %1 answered %2 %3</source>
        <translation>der Server %1 antwortete %2 %3</translation>
    </message>
    <message>
        <source>Update feed address is not set</source>
        <translation>Die Adresse des Update-Feeds ist nicht gesetzt</translation>
    </message>
    <message>
        <source>the update feed address “%1” is not a web address; %2</source>
        <translation>die Adresse des Update-Feeds „%1“ ist keine Webadresse; %2</translation>
    </message>
    <message>
        <source>the answer from %1 is too large to be an update feed</source>
        <translation>die Antwort von %1 ist zu groß für einen Update-Feed</translation>
    </message>
    <message>
        <source>the update feed at %1 is unusable: %2</source>
        <translation>der Update-Feed unter %1 ist unbrauchbar: %2</translation>
    </message>
    <message>
        <source>the update feed at %1 lists no release</source>
        <translation>der Update-Feed unter %1 nennt keine Version</translation>
    </message>
    <message>
        <source>Lumvex %1 is available</source>
        <translation>Lumvex %1 ist verfügbar</translation>
    </message>
    <message>
        <source>You have version %1. Get the new one from its download page or your package manager.</source>
        <translation>Sie haben Version %1. Holen Sie die neue von ihrer Download-Seite oder über Ihre Paketverwaltung.</translation>
    </message>
    <message>
        <source>Open Download Page</source>
        <translation>Download-Seite öffnen</translation>
    </message>
    <message>
        <source>Lumvex is up to date</source>
        <translation>Lumvex ist aktuell</translation>
    </message>
    <message>
        <source>Version %1 is the newest release.</source>
        <translation>Version %1 ist die neueste Version.</translation>
    </message>
    <message>
        <source>Could not check for updates</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen</translation>
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
        <translation>Aufruf: lumvex [Befehl]

Hält das Licht, das Sie vom Bildschirm des Laptops wahrnehmen, gleich, während sich der Bildschirminhalt
ändert, und lernt aus jeder Helligkeitsänderung von Hand.

Befehle:
  (keiner)    im Infobereich laufen
  simulate    die Helligkeitsregelung an simulierten Tagen ohne Arbeitsumgebung laufen lassen (siehe lumvex simulate --help)
  report      aufgezeichnete Telemetrie und das Anpassungsprotokoll als Webseite darstellen (siehe lumvex report --help)
  ctl         das laufende Lumvex steuern: Helligkeit höher oder niedriger, Pause, Status (siehe lumvex ctl --help)

Optionen:
  -h, --help     diese Hilfe zeigen
  -V, --version  die Version zeigen
</translation>
    </message>
</context>
</TS>
