<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Backlight</name>
    <message>
        <source>The login manager refused to set the brightness of %1.</source>
        <translation>Die Anmeldeverwaltung hat sich geweigert, die Helligkeit von %1 zu setzen.</translation>
    </message>
    <message>
        <source>The brightness of %1 cannot be written.</source>
        <translation>Die Helligkeit von %1 lässt sich nicht schreiben.</translation>
    </message>
</context>
<context>
    <name>Capture</name>
    <message>
        <source>Screen capture cannot reach the Wayland compositor (WAYLAND_DISPLAY is not set or does not answer).</source>
        <translation>Die Bildschirmaufnahme erreicht den Wayland-Compositor nicht (WAYLAND_DISPLAY ist nicht gesetzt oder antwortet nicht).</translation>
    </message>
    <message>
        <source>Lumvex could not take over the shared screen from the desktop portal.</source>
        <translation>Lumvex konnte den geteilten Bildschirm nicht vom Desktop-Portal übernehmen.</translation>
    </message>
    <message>
        <source>Lumvex cannot receive the shared screen from PipeWire (%1).</source>
        <translation>Lumvex kann den geteilten Bildschirm nicht von PipeWire empfangen (%1).</translation>
    </message>
    <message>
        <source>The shared screen&apos;s PipeWire stream ended (%1); restart Lumvex to share the screen again.</source>
        <translation>Der PipeWire-Datenstrom des geteilten Bildschirms ist beendet (%1); starten Sie Lumvex neu, um den Bildschirm wieder zu teilen.</translation>
    </message>
    <message>
        <source>Screen capture on Wayland needs the session bus, which Lumvex cannot reach.</source>
        <translation>Die Bildschirmaufnahme unter Wayland braucht den Sitzungsbus, den Lumvex nicht erreicht.</translation>
    </message>
    <message>
        <source>Screen capture on Wayland needs the desktop portal (xdg-desktop-portal), which is not running here.</source>
        <translation>Die Bildschirmaufnahme unter Wayland braucht das Desktop-Portal (xdg-desktop-portal), das hier nicht läuft.</translation>
    </message>
    <message>
        <source>The desktop portal here cannot share the screen, so Lumvex cannot see the screen.</source>
        <translation>Das Desktop-Portal hier kann den Bildschirm nicht teilen, daher sieht Lumvex den Bildschirm nicht.</translation>
    </message>
    <message>
        <source>The desktop portal here cannot share a whole monitor, so Lumvex cannot see the screen.</source>
        <translation>Das Desktop-Portal hier kann keinen ganzen Monitor teilen, daher sieht Lumvex den Bildschirm nicht.</translation>
    </message>
    <message>
        <source>Screen sharing was declined, so Lumvex cannot see the screen; restart Lumvex to be asked again.</source>
        <translation>Die Bildschirmfreigabe wurde abgelehnt, daher sieht Lumvex den Bildschirm nicht; starten Sie Lumvex neu, um erneut gefragt zu werden.</translation>
    </message>
    <message>
        <source>The desktop could not show its screen sharing dialog, so Lumvex cannot see the screen; restart Lumvex to try again.</source>
        <translation>Die Arbeitsumgebung konnte ihren Dialog zur Bildschirmfreigabe nicht zeigen, daher sieht Lumvex den Bildschirm nicht; starten Sie Lumvex neu, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>The desktop could not start screen sharing, so Lumvex cannot see the screen; restart Lumvex to try again.</source>
        <translation>Die Arbeitsumgebung konnte die Bildschirmfreigabe nicht starten, daher sieht Lumvex den Bildschirm nicht; starten Sie Lumvex neu, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>The desktop shared no screen with Lumvex, so it cannot see the screen; restart Lumvex to try again.</source>
        <translation>Die Arbeitsumgebung hat keinen Bildschirm mit Lumvex geteilt, daher sieht es den Bildschirm nicht; starten Sie Lumvex neu, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>Screen sharing was stopped by the desktop, so Lumvex cannot see the screen; restart Lumvex to share it again.</source>
        <translation>Die Arbeitsumgebung hat die Bildschirmfreigabe beendet, daher sieht Lumvex den Bildschirm nicht; starten Sie Lumvex neu, um ihn wieder zu teilen.</translation>
    </message>
    <message>
        <source>The desktop portal stopped and screen sharing with it, so Lumvex cannot see the screen; restart Lumvex to share it again.</source>
        <translation>Das Desktop-Portal wurde beendet und mit ihm die Bildschirmfreigabe, daher sieht Lumvex den Bildschirm nicht; starten Sie Lumvex neu, um ihn wieder zu teilen.</translation>
    </message>
    <message>
        <source>The desktop portal stopped; Lumvex sees the screen again once the portal is back.</source>
        <translation>Das Desktop-Portal wurde beendet; Lumvex sieht den Bildschirm wieder, sobald das Portal zurück ist.</translation>
    </message>
    <message>
        <source>The desktop portal could not share the screen (%1); restart Lumvex to try again.</source>
        <translation>Das Desktop-Portal konnte den Bildschirm nicht teilen (%1); starten Sie Lumvex neu, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>Screen capture needs a Wayland compositor, and WAYLAND_DISPLAY is not set.</source>
        <translation>Die Bildschirmaufnahme braucht einen Wayland-Compositor, und WAYLAND_DISPLAY ist nicht gesetzt.</translation>
    </message>
    <message>
        <source>Screen capture cannot reach the Wayland compositor at WAYLAND_DISPLAY=%1.</source>
        <translation>Die Bildschirmaufnahme erreicht den Wayland-Compositor unter WAYLAND_DISPLAY=%1 nicht.</translation>
    </message>
    <message>
        <source>Screen capture needs a compositor that offers wlroots screencopy (zwlr_screencopy_manager_v1), and this one does not.</source>
        <translation>Die Bildschirmaufnahme braucht einen Compositor, der wlroots-Screencopy anbietet (zwlr_screencopy_manager_v1), und dieser tut es nicht.</translation>
    </message>
    <message>
        <source>Screen capture reads 32-bit RGB frames only; the compositor offers format %1.</source>
        <translation>Die Bildschirmaufnahme liest nur 32-Bit-RGB-Bilder; der Compositor bietet das Format %1 an.</translation>
    </message>
    <message>
        <source>Screen capture needs an X server, and DISPLAY is not set.</source>
        <translation>Die Bildschirmaufnahme braucht einen X-Server, und DISPLAY ist nicht gesetzt.</translation>
    </message>
    <message>
        <source>Screen capture cannot reach the X server at DISPLAY=%1.</source>
        <translation>Die Bildschirmaufnahme erreicht den X-Server unter DISPLAY=%1 nicht.</translation>
    </message>
    <message>
        <source>Screen capture needs the X server&apos;s MIT-SHM extension, version 1.2 or later.</source>
        <translation>Die Bildschirmaufnahme braucht die MIT-SHM-Erweiterung des X-Servers, Version 1.2 oder neuer.</translation>
    </message>
    <message>
        <source>Screen capture needs a local X server; DISPLAY=%1 is reached over the network.</source>
        <translation>Die Bildschirmaufnahme braucht einen lokalen X-Server; DISPLAY=%1 wird über das Netz erreicht.</translation>
    </message>
    <message>
        <source>Screen capture reads 24-bit colour only; this screen has depth %1 at %2 bits per pixel.</source>
        <translation>Die Bildschirmaufnahme liest nur 24-Bit-Farbe; dieser Bildschirm hat die Farbtiefe %1 bei %2 Bit pro Pixel.</translation>
    </message>
    <message>
        <source>Screen capture needs RandR 1.5 monitors, which this X server lacks.</source>
        <translation>Die Bildschirmaufnahme braucht RandR-1.5-Monitore, die diesem X-Server fehlen.</translation>
    </message>
    <message>
        <source>The X server refused to share memory for screen capture (MIT-SHM).</source>
        <translation>Der X-Server hat sich geweigert, Speicher für die Bildschirmaufnahme zu teilen (MIT-SHM).</translation>
    </message>
</context>
<context>
    <name>Control</name>
    <message>
        <source>there is no built-in panel whose brightness Lumvex could set</source>
        <translation>es gibt keinen eingebauten Bildschirm, dessen Helligkeit Lumvex setzen könnte</translation>
    </message>
    <message>
        <source>there is no built-in panel whose brightness Lumvex could change</source>
        <translation>es gibt keinen eingebauten Bildschirm, dessen Helligkeit Lumvex ändern könnte</translation>
    </message>
    <message>
        <source>the built-in panel&apos;s brightness cannot be read just now</source>
        <translation>die Helligkeit des eingebauten Bildschirms lässt sich gerade nicht lesen</translation>
    </message>
    <message>
        <source>automatic adjustment is off; there is nothing to pause</source>
        <translation>die automatische Anpassung ist aus; es gibt nichts anzuhalten</translation>
    </message>
    <message>
        <source>nothing was changed</source>
        <translation>es wurde nichts geändert</translation>
    </message>
    <message>
        <source>the built-in panel did not take the brightness</source>
        <translation>der eingebaute Bildschirm hat die Helligkeit nicht übernommen</translation>
    </message>
</context>
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
    <name>Ddc</name>
    <message>
        <source>expected `display id=N get luminance`, `display id=N set luminance P`, `list` or --help</source>
        <translation>erwartet `display id=N get luminance`, `display id=N set luminance P`, `list` oder --help</translation>
    </message>
    <message>
        <source>the display must be given as id=N with N a display id, not &quot;%1&quot;</source>
        <translation>der Bildschirm ist als id=N anzugeben, mit N einer Bildschirmkennung, nicht „%1“</translation>
    </message>
    <message>
        <source>the brightness must be a whole percentage from 0 to 100, not &quot;%1&quot;</source>
        <translation>die Helligkeit muss ein ganzer Prozentwert von 0 bis 100 sein, nicht „%1“</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>MONITOR</source>
        <translation>MONITOR</translation>
    </message>
    <message>
        <source>CONNECTOR</source>
        <translation>ANSCHLUSS</translation>
    </message>
    <message>
        <source>BUS</source>
        <translation>BUS</translation>
    </message>
    <message>
        <source>no connected connectors in %1</source>
        <translation>keine verbundenen Anschlüsse in %1</translation>
    </message>
    <message>
        <source>no connector found</source>
        <translation>kein Anschluss gefunden</translation>
    </message>
    <message>
        <source>no displays found: no monitors on the X server, no connected connectors in %1</source>
        <translation>keine Bildschirme gefunden: keine Monitore am X-Server, keine verbundenen Anschlüsse in %1</translation>
    </message>
    <message>
        <source>no X server with RandR 1.5 answers on DISPLAY, so display ids are unknown; connectors are listed alone</source>
        <translation>kein X-Server mit RandR 1.5 antwortet unter DISPLAY, daher sind die Bildschirmkennungen unbekannt; nur die Anschlüsse werden aufgeführt</translation>
    </message>
    <message>
        <source>no I2C bus</source>
        <translation>kein I2C-Bus</translation>
    </message>
    <message>
        <source>answers, brightness %1%</source>
        <translation>antwortet, Helligkeit %1 %</translation>
    </message>
    <message>
        <source>answers, brightness range 0</source>
        <translation>antwortet, Helligkeitsbereich 0</translation>
    </message>
    <message>
        <source>answers, no brightness control</source>
        <translation>antwortet, keine Helligkeitssteuerung</translation>
    </message>
    <message>
        <source>garbled replies</source>
        <translation>verstümmelte Antworten</translation>
    </message>
    <message>
        <source>no reply</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>the monitor on %1 (%2)</source>
        <translation>der Monitor an %1 (%2)</translation>
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
        <translation>Aufruf:
  lumvex-ddc display id=N get luminance     Helligkeit von Bildschirm N in Prozent ausgeben
  lumvex-ddc display id=N set luminance P   Helligkeit von Bildschirm N auf P Prozent setzen (0-100)
  lumvex-ddc list                           Bildschirme mit Anschluss, I2C-Bus und DDC/CI zeigen
  lumvex-ddc --help                         diesen Text zeigen

N ist die Bildschirmkennung, die Lumvex verwendet, wie `list` sie zeigt: unter X11 das Namens-Atom
des RandR-Monitors, unter Wayland ein Hash des Anschlussnamens der Ausgabe. Das Werkzeug sucht den
DRM-Anschluss des Monitors unter /sys/class/drm und spricht DDC/CI (VCP-Funktion 0x10) auf dessen
I2C-Bus, /dev/i2c-N. Einen Wert, den der Monitor schon hat, schreibt es nicht noch einmal.

Zugriff auf /dev/i2c-*: laden Sie das Modul i2c-dev (sudo modprobe i2c-dev; für jeden Start tragen
Sie i2c-dev in /etc/modules-load.d/i2c-dev.conf ein). Zeigt `ls -l /dev/i2c-*` eine Gruppe wie i2c,
treten Sie ihr bei:
  sudo usermod -aG i2c $USER   (danach neu anmelden)
Gehören die Geräte root, geben Sie sie dieser Gruppe mit einer udev-Regel wie
  KERNEL==&quot;i2c-[0-9]*&quot;, GROUP=&quot;i2c&quot;, MODE=&quot;0660&quot;
in /etc/udev/rules.d/60-i2c.rules (legen Sie die Gruppe zuerst an: sudo groupadd --system i2c).

Umgebung:
  LUMVEX_DDC_CONNECTOR   diesen DRM-Anschluss (DP-1 oder card0-DP-1) für jede Bildschirmkennung
                         verwenden, ohne X zu fragen
  LUMVEX_SYSFS_ROOT      /sys und /dev unter diesem Ordner statt unter / suchen

Rückgabewert: 0 bei Erfolg, 1, wenn der Bildschirm nicht erreichbar ist, 2 bei einer fehlerhaften
Befehlszeile.
</translation>
    </message>
    <message>
        <source>%1 (see lumvex-ddc --help)</source>
        <translation>%1 (siehe lumvex-ddc --help)</translation>
    </message>
    <message>
        <source>cannot tell which connector display %1 is on: no X server with RandR 1.5 answers on DISPLAY; set LUMVEX_DDC_CONNECTOR to its connector (e.g. DP-1)</source>
        <translation>kann nicht feststellen, an welchem Anschluss Bildschirm %1 hängt: kein X-Server mit RandR 1.5 antwortet unter DISPLAY; setzen Sie LUMVEX_DDC_CONNECTOR auf seinen Anschluss (z. B. DP-1)</translation>
    </message>
    <message>
        <source>no display with id %1 on this X server; `lumvex-ddc list` shows the ids</source>
        <translation>kein Bildschirm mit der Kennung %1 an diesem X-Server; `lumvex-ddc list` zeigt die Kennungen</translation>
    </message>
    <message>
        <source>no connected connector in /sys/class/drm has display id %1; `lumvex-ddc list` shows the ids</source>
        <translation>kein verbundener Anschluss in /sys/class/drm hat die Bildschirmkennung %1; `lumvex-ddc list` zeigt die Kennungen</translation>
    </message>
    <message>
        <source>display %1 (%2) matches no connected connector in /sys/class/drm; set LUMVEX_DDC_CONNECTOR to its connector (see `lumvex-ddc list`)</source>
        <translation>Bildschirm %1 (%2) passt zu keinem verbundenen Anschluss in /sys/class/drm; setzen Sie LUMVEX_DDC_CONNECTOR auf seinen Anschluss (siehe `lumvex-ddc list`)</translation>
    </message>
    <message>
        <source>no connector named %1 in /sys/class/drm (from LUMVEX_DDC_CONNECTOR); `lumvex-ddc list` shows the connectors</source>
        <translation>kein Anschluss namens %1 in /sys/class/drm (aus LUMVEX_DDC_CONNECTOR); `lumvex-ddc list` zeigt die Anschlüsse</translation>
    </message>
    <message>
        <source>%1 has no I2C bus in /sys/class/drm: its driver offers no DDC channel for it, so its brightness cannot be set from here</source>
        <translation>%1 hat keinen I2C-Bus in /sys/class/drm: sein Treiber bietet keinen DDC-Kanal dafür an, daher lässt sich seine Helligkeit von hier nicht setzen</translation>
    </message>
    <message>
        <source>%1 refused the DDC/CI address 0x37 (%2); is it an I2C adapter, and does a kernel driver hold that address?</source>
        <translation>%1 hat die DDC/CI-Adresse 0x37 abgelehnt (%2); ist es ein I2C-Adapter, und belegt ein Kerneltreiber diese Adresse?</translation>
    </message>
    <message>
        <source>%1 does not exist: load the i2c-dev module with `sudo modprobe i2c-dev`</source>
        <translation>%1 existiert nicht: laden Sie das Modul i2c-dev mit `sudo modprobe i2c-dev`</translation>
    </message>
    <message>
        <source>no permission to open %1, which belongs to group %2: join it with `sudo usermod -aG %2 $USER` and log in again</source>
        <translation>keine Berechtigung, %1 zu öffnen, das der Gruppe %2 gehört: treten Sie ihr mit `sudo usermod -aG %2 $USER` bei und melden Sie sich neu an</translation>
    </message>
    <message>
        <source>no permission to open %1: give I2C devices to the i2c group with a udev rule (see lumvex-ddc --help) and join that group</source>
        <translation>keine Berechtigung, %1 zu öffnen: geben Sie die I2C-Geräte mit einer udev-Regel der Gruppe i2c (siehe lumvex-ddc --help) und treten Sie dieser Gruppe bei</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>%1 is in use by another lumvex-ddc; try again</source>
        <translation>%1 wird von einem anderen lumvex-ddc benutzt; versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>%1 offers no brightness control (VCP feature 0x10)</source>
        <translation>%1 bietet keine Helligkeitssteuerung (VCP-Funktion 0x10)</translation>
    </message>
    <message>
        <source>garbled DDC/CI replies from %1; try again, or another cable or port</source>
        <translation>verstümmelte DDC/CI-Antworten von %1; versuchen Sie es erneut oder mit einem anderen Kabel oder Anschluss</translation>
    </message>
    <message>
        <source>no DDC/CI reply from %1 (%2); switch DDC/CI on in the monitor&apos;s own menu</source>
        <translation>keine DDC/CI-Antwort von %1 (%2); schalten Sie DDC/CI im eigenen Menü des Monitors ein</translation>
    </message>
    <message>
        <source>no DDC/CI reply from %1; switch DDC/CI on in the monitor&apos;s own menu</source>
        <translation>keine DDC/CI-Antwort von %1; schalten Sie DDC/CI im eigenen Menü des Monitors ein</translation>
    </message>
    <message>
        <source>%1 reports a brightness range of 0; it cannot be set</source>
        <translation>%1 meldet einen Helligkeitsbereich von 0; sie lässt sich nicht setzen</translation>
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
    <name>Output</name>
    <message>
        <source>the day&apos;s %1 writes are used up</source>
        <translation>die %1 Schreibvorgänge des Tages sind aufgebraucht</translation>
    </message>
    <message>
        <source>the monitor did not take the level</source>
        <translation>der Monitor hat die Stufe nicht übernommen</translation>
    </message>
    <message>
        <source>a range lies within 0%-100%</source>
        <translation>ein Bereich liegt innerhalb von 0 %-100 %</translation>
    </message>
    <message>
        <source>the range is inverted: its first level must be the lower</source>
        <translation>der Bereich ist vertauscht: seine erste Stufe muss die niedrigere sein</translation>
    </message>
    <message>
        <source>the range must span at least 1%</source>
        <translation>der Bereich muss mindestens 1 % umfassen</translation>
    </message>
    <message>
        <source>a range is two levels like 10%-80%, not %1</source>
        <translation>ein Bereich besteht aus zwei Stufen wie 10%-80%, nicht %1</translation>
    </message>
    <message>
        <source>%1, not %2</source>
        <translation>%1, nicht %2</translation>
    </message>
    <message>
        <source>no connected display is named %1</source>
        <translation>kein angeschlossener Bildschirm heißt %1</translation>
    </message>
    <message>
        <source>no connected display is named %1 (connected: %2)</source>
        <translation>kein angeschlossener Bildschirm heißt %1 (angeschlossen: %2)</translation>
    </message>
    <message>
        <source>%1 is the built-in panel: its level is the shared level, it has no range</source>
        <translation>%1 ist der eingebaute Bildschirm: seine Helligkeit ist die gemeinsame, er hat keinen Bereich</translation>
    </message>
    <message>
        <source>the range of %1 holds until Lumvex ends, but could not be saved</source>
        <translation>der Bereich von %1 gilt, bis Lumvex endet, konnte aber nicht gespeichert werden</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
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
        <translation>Aufruf: lumvex report [Optionen] [ORDNER oder DATEIEN...]

Zeichnet, was Lumvex aufgezeichnet hat: Helligkeit, Leuchtdichte des Inhalts, Umgebungslicht, Ihre
Korrekturen und die automatischen Änderungen, ein Diagramm pro Tag, sodass Sie sehen, was die
Helligkeitsregelung getan hat.

Liest die Telemetriedateien (telemetry-&lt;Tag&gt;.jsonl, geschrieben, solange „Helligkeitsdaten
aufzeichnen“ im Menü eingeschaltet ist; halten Sie beim Öffnen Alt gedrückt) und das
Anpassungsprotokoll (adjustments.csv). Ohne ORDNER oder DATEIEN liest es die von Lumvex selbst; in
einem ORDNER wird nach beiden gesucht, auch in dessen Ordner telemetry. Zeilen, die sich nicht lesen
lassen, werden übersprungen und aufgeführt.

Optionen:
  --out DATEI  wohin der Bericht geht (Vorgabe: lumvex-report.html im aktuellen Ordner); ein Name
               auf .svg ergibt ein einzelnes SVG-Bild statt einer HTML-Seite
  -h, --help   diese Hilfe zeigen
</translation>
    </message>
    <message>
        <source>%1 needs a file name</source>
        <translation>%1 braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>unknown option %1 (see lumvex report --help)</source>
        <translation>unbekannte Option %1 (siehe lumvex report --help)</translation>
    </message>
    <message>
        <source>The recorder removed its oldest days, up to %1, to keep its folder within %2 days and %3 MB.</source>
        <translation>Die Aufzeichnung hat ihre ältesten Tage bis %1 entfernt, damit ihr Ordner %2 Tage und %3 MB nicht überschreitet.</translation>
    </message>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1: keine solche Datei und kein solcher Ordner</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>reading %1 (%2 of %3)</source>
        <translation>lese %1 (%2 von %3)</translation>
    </message>
    <message>
        <source>Lumvex report</source>
        <translation>Lumvex-Bericht</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2; choose another place with --out</source>
        <translation>%1 lässt sich nicht schreiben: %2; wählen Sie mit --out einen anderen Ort</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>and %1 more, listed in the report</source>
        <translation>und %1 weitere, im Bericht aufgeführt</translation>
    </message>
    <message>
        <source>Report of %1 (%2 telemetry rows, %3 adjustments) written to %4</source>
        <translation>Bericht über %1 (%2 Telemetriezeilen, %3 Anpassungen) nach %4 geschrieben</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 telemetry rows and %2 adjustment log rows from:</source>
        <translation>%1 Telemetriezeilen und %2 Zeilen des Anpassungsprotokolls aus:</translation>
    </message>
    <message>
        <source>No rows to show.</source>
        <translation>Keine Zeilen anzuzeigen.</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation>Aufgezeichnet</translation>
    </message>
    <message>
        <source>Sessions</source>
        <translation>Sitzungen</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Korrekturen</translation>
    </message>
    <message>
        <source>Automatic changes</source>
        <translation>Automatische Änderungen</translation>
    </message>
    <message>
        <source>Mean brightness</source>
        <translation>Mittlere Helligkeit</translation>
    </message>
    <message>
        <source>Most in front</source>
        <translation>Am längsten im Vordergrund</translation>
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
        <translation>%1 %2: %3 auf %4</translation>
    </message>
    <message>
        <source>%1 manual change: %2 to %3</source>
        <translation>%1 Änderung von Hand: %2 auf %3</translation>
    </message>
    <message>
        <source>no telemetry</source>
        <translation>keine Telemetrie</translation>
    </message>
    <message>
        <source>%1 recorded</source>
        <translation>%1 aufgezeichnet</translation>
    </message>
    <message numerus="yes">
        <source>%n correction(s)</source>
        <translation>
            <numerusform>%n Korrektur</numerusform>
            <numerusform>%n Korrekturen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n logged automatic change(s)</source>
        <translation>
            <numerusform>%n protokollierte automatische Änderung</numerusform>
            <numerusform>%n protokollierte automatische Änderungen</numerusform>
        </translation>
    </message>
    <message>
        <source>mean brightness %1</source>
        <translation>mittlere Helligkeit %1</translation>
    </message>
    <message>
        <source>brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>loop&apos;s brightness</source>
        <translation>Helligkeit der Regelung</translation>
    </message>
    <message>
        <source>perceived light (brightness x luminance)</source>
        <translation>wahrgenommenes Licht (Helligkeit x Leuchtdichte)</translation>
    </message>
    <message>
        <source>ambient light (right axis, log)</source>
        <translation>Umgebungslicht (rechte Achse, log.)</translation>
    </message>
    <message>
        <source>content luminance (slow)</source>
        <translation>Leuchtdichte des Inhalts (langsam)</translation>
    </message>
    <message>
        <source>content luminance (raw)</source>
        <translation>Leuchtdichte des Inhalts (roh)</translation>
    </message>
    <message>
        <source>your correction</source>
        <translation>Ihre Korrektur</translation>
    </message>
    <message>
        <source>brightness write logged by the loop</source>
        <translation>von der Regelung protokolliertes Schreiben der Helligkeit</translation>
    </message>
    <message>
        <source>no telemetry files or adjustment log in %1; switch on &quot;%2&quot; in the menu (hold Alt) to record</source>
        <translation>keine Telemetriedateien und kein Anpassungsprotokoll in %1; schalten Sie „%2“ im Menü ein (Alt gedrückt halten), um aufzuzeichnen</translation>
    </message>
    <message>
        <source>en</source>
        <extracomment>The language code of this translation: de, fr, ...</extracomment>
        <translation>de</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>kein JSON-Objekt</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>eine Zahl</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>„%1“ fehlt</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>eine Zeichenkette</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true oder false</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not %2</source>
        <translation>„%1“ ist nicht %2</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 ist keine Zahl</translation>
    </message>
    <message>
        <source>expected 9 fields, found %1</source>
        <translation>9 Felder erwartet, %1 gefunden</translation>
    </message>
    <message>
        <source>%1 is not a UTC time</source>
        <translation>%1 ist keine UTC-Zeit</translation>
    </message>
    <message>
        <source>%1 is not a lower-case word</source>
        <translation>%1 ist kein kleingeschriebenes Wort</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is unknown</source>
        <translation>%1 „%2“ ist unbekannt</translation>
    </message>
    <message>
        <source>cannot be read (not a regular file)</source>
        <translation>lässt sich nicht lesen (keine reguläre Datei)</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>longer than %1 KB</source>
        <translation>länger als %1 KB</translation>
    </message>
    <message>
        <source>could not be read to the end</source>
        <translation>ließ sich nicht bis zum Ende lesen</translation>
    </message>
    <message>
        <source>not the header of an adjustment log</source>
        <translation>nicht die Kopfzeile eines Anpassungsprotokolls</translation>
    </message>
    <message numerus="yes">
        <source>skipped %n unreadable line(s):</source>
        <translation>
            <numerusform>%n unlesbare Zeile übersprungen:</numerusform>
            <numerusform>%n unlesbare Zeilen übersprungen:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n line(s) skipped:</source>
        <translation>
            <numerusform>%n Zeile übersprungen:</numerusform>
            <numerusform>%n Zeilen übersprungen:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Simulate</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>Over %1 the median of %2 simulated users corrected the brightness %3 times with Lumvex; the worst user %4 times.</source>
        <translation>Über %1 hinweg korrigierte der Median von %2 simulierten Benutzern die Helligkeit mit Lumvex %3-mal; der schlechteste Benutzer %4-mal.</translation>
    </message>
    <message>
        <source>Over %1 the median of %2 simulated users corrected the brightness %3 times with Lumvex and %4 with fixed brightness; the worst user %5 times.</source>
        <translation>Über %1 hinweg korrigierte der Median von %2 simulierten Benutzern die Helligkeit mit Lumvex %3-mal und mit fester Helligkeit %4-mal; der schlechteste Benutzer %5-mal.</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 are worse off with Lumvex than with fixed brightness.</source>
        <translation>
            <numerusform>%n von %1 ist mit Lumvex schlechter dran als mit fester Helligkeit.</numerusform>
            <numerusform>%n von %1 sind mit Lumvex schlechter dran als mit fester Helligkeit.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 median %2, worst user %3 (busiest day %4)</source>
        <translation>%1 Median %2, schlechtester Benutzer %3 (vollster Tag %4)</translation>
    </message>
    <message>
        <source>Display writes per day:</source>
        <translation>Schreibvorgänge an Monitore pro Tag:</translation>
    </message>
    <message>
        <source>day 1</source>
        <translation>Tag 1</translation>
    </message>
    <message>
        <source>last</source>
        <translation>letzt</translation>
    </message>
    <message>
        <source>all</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>sum</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>worst</source>
        <translation>schlechtester</translation>
    </message>
    <message>
        <source>Users worse off than fixed: %1 of %2</source>
        <translation>Benutzer schlechter dran als mit fester Helligkeit: %1 von %2</translation>
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
        <translation>Aufruf: lumvex simulate [Optionen]

Führt die Ausgleichsregelung von Lumvex ohne Arbeitsumgebung aus: simulierter Bildschirminhalt,
simuliertes Umgebungslicht und simulierte Hintergrundbeleuchtung, dazu ein simulierter Benutzer mit
verborgenen Vorlieben, der die Helligkeit korrigiert, wenn das Licht zu weit von dem abweicht, was
er mag. Sagt, was sie ergeben hat, gibt eine Tabelle pro Tag aus und zeichnet ein Diagramm.

Optionen:
  --scenario NAME   office (Vorgabe), video, night-reading, laptop-day oder docked-day
  --trace DATEI     statt eines Szenarios eine aufgezeichnete Telemetriedatei abspielen (nicht mit
                    --scenario)
  --days N          simulierte Tage, 1...366 (Vorgabe 7; mit --trace die aufgezeichneten Tage)
  --seed N          Startwert für den Inhalt und den Benutzer (Vorgabe 1)
  --compare         auch feste Helligkeit und automatische Helligkeit allein nach dem Umgebungslicht
                    ausführen
  --taste LISTE     Teile des Geschmacks des Benutzers festlegen, beliebige von exponent=E (0...1:
                    wie viel vom eigenen Kontrast des Inhalts er möchte; 0: das Licht bleibt
                    gleich), tolerance=T (1.01...3: der Faktor, um den das Licht abweichen darf,
                    bevor er eingreift) und patience=P (0.1...60 s), durch Kommas getrennt oder in
                    mehreren --taste; der Rest wird aus dem Startwert gezogen
  --population N    N Benutzer (1...300) statt eines simulieren, jeden mit eigenem Inhalt und
                    Geschmack (Startwerte S bis S+N-1), unter allen drei Strategien, und die
                    Korrekturen pro Benutzer ausgeben. Ihr Geschmack: Inhaltsexponent 0...1,
                    Toleranz 1.15...1.35, Geduld 3...5 s, bevorzugtes Licht +-15 % um eine typische
                    Kurve, jeweils gleichverteilt. Ein Lauf simuliert höchstens 3000 Tage: Benutzer
                    x Tage x Strategien (drei mit --compare oder --population)
  --behaviour NAME  wie der Benutzer korrigiert: jump (Vorgabe: direkt zur besten Stufe), notch
                    (Stufe um Stufe, bis zur ersten annehmbaren), overshoot (Stufe um Stufe, in
                    einem Viertel der Fälle eine Stufe zu weit), drift (was er möchte, ändert sich
                    alle 1,5 bis 2,5 Stunden um bis zu 25 %), picky (halbe Toleranz für zehn Minuten
                    nach jeder Korrektur) oder mixed (jeder Benutzer einer Population eines dieser
                    fünf, aus seinem Startwert gezogen)
  --set KEY=VALUE   die Regelung mit einer Einstellung ausführen:
                    rememberBrightnessPerSituation=true|false, adjustExternalDisplays=true|false
                    (docked-day: an, wenn nicht gesetzt)
  --plot DATEI.svg  wohin Helligkeit, Leuchtdichte und Korrekturen gezeichnet werden (Vorgabe:
                    plot.svg im Ausgabeordner)
  --table brief|full  die Tabelle des einen Benutzers: brief (Vorgabe) die zuerst verglichenen
                    Spalten, full alle; die volle Tabelle wird auch nach summary.csv im
                    Ausgabeordner geschrieben
  --out ORDNER      Ordner für die gelernte Tabelle, die Statistik und das Protokoll (Vorgabe: ein
                    neuer Ordner im Zustandsverzeichnis; ein vorhandener Ordner darf keine
                    Lumvex-Dateien enthalten)
  -h, --help        diese Hilfe zeigen
</translation>
    </message>
    <message>
        <source>%1: not a whole number: %2</source>
        <translation>%1: keine ganze Zahl: %2</translation>
    </message>
    <message>
        <source>%1: %2 is not a number: %3</source>
        <translation>%1: %2 ist keine Zahl: %3</translation>
    </message>
    <message>
        <source>%1: %2 must be within %3, not %4</source>
        <translation>%1: %2 muss innerhalb von %3 liegen, nicht %4</translation>
    </message>
    <message>
        <source>%1: %2 is given twice</source>
        <translation>%1: %2 ist doppelt angegeben</translation>
    </message>
    <message>
        <source>--taste: expected NAME=VALUE (exponent, tolerance, patience), not %1</source>
        <translation>--taste: erwartet NAME=WERT (exponent, tolerance, patience), nicht %1</translation>
    </message>
    <message>
        <source>--taste: unknown part %1 (known: exponent, tolerance, patience)</source>
        <translation>--taste: unbekannter Teil %1 (bekannt: exponent, tolerance, patience)</translation>
    </message>
    <message>
        <source>--set: expected KEY=VALUE, not %1</source>
        <translation>--set: erwartet KEY=VALUE, nicht %1</translation>
    </message>
    <message>
        <source>--set: unknown setting %1 (known: %2)</source>
        <translation>--set: unbekannte Einstellung %1 (bekannt: %2)</translation>
    </message>
    <message>
        <source>--set: %1 takes true or false, not %2</source>
        <translation>--set: %1 nimmt true oder false, nicht %2</translation>
    </message>
    <message>
        <source>%1: must be within %2...%3, not %4</source>
        <translation>%1: muss innerhalb von %2...%3 liegen, nicht %4</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 ist doppelt angegeben</translation>
    </message>
    <message>
        <source>%1 needs a value, not an empty one</source>
        <translation>%1 braucht einen Wert, keinen leeren</translation>
    </message>
    <message>
        <source>--behaviour: unknown behaviour %1 (known: %2)</source>
        <translation>--behaviour: unbekanntes Verhalten %1 (bekannt: %2)</translation>
    </message>
    <message>
        <source>--table: brief or full, not %1</source>
        <translation>--table: brief oder full, nicht %1</translation>
    </message>
    <message>
        <source>unknown option %1 (see lumvex simulate --help)</source>
        <translation>unbekannte Option %1 (siehe lumvex simulate --help)</translation>
    </message>
    <message>
        <source>--trace replays a recorded file; it does not go with --scenario</source>
        <translation>--trace spielt eine aufgezeichnete Datei ab; es passt nicht zu --scenario</translation>
    </message>
    <message>
        <source>--plot draws one user; it does not go with --population</source>
        <translation>--plot zeichnet einen Benutzer; es passt nicht zu --population</translation>
    </message>
    <message>
        <source>--seed: %1 users need seeds up to %2+%3, past the largest seed</source>
        <translation>--seed: %1 Benutzer brauchen Startwerte bis %2+%3, über den größten Startwert hinaus</translation>
    </message>
    <message>
        <source>a run simulates at most %1 days (users x days x strategies), not %2; ask for fewer</source>
        <translation>ein Lauf simuliert höchstens %1 Tage (Benutzer x Tage x Strategien), nicht %2; verlangen Sie weniger</translation>
    </message>
    <message>
        <source>--plot: %1 is not a regular file</source>
        <translation>--plot: %1 ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>--plot: cannot write in the folder %1</source>
        <translation>--plot: im Ordner %1 lässt sich nicht schreiben</translation>
    </message>
    <message>
        <source>--scenario: unknown scenario %1 (known: %2)</source>
        <translation>--scenario: unbekanntes Szenario %1 (bekannt: %2)</translation>
    </message>
    <message>
        <source>--out: %1 exists; choose a folder without Lumvex files</source>
        <translation>--out: %1 existiert; wählen Sie einen Ordner ohne Lumvex-Dateien</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>der Ordner %1 lässt sich nicht anlegen</translation>
    </message>
    <message>
        <source>cannot create a folder under %1</source>
        <translation>unter %1 lässt sich kein Ordner anlegen</translation>
    </message>
    <message>
        <source>Simulating %1 for %2 of &quot;%3&quot; (seeds %4 to %5); files in %6</source>
        <translation>Simuliere %1 über %2 von „%3“ (Startwerte %4 bis %5); Dateien in %6</translation>
    </message>
    <message numerus="yes">
        <source>%n user(s)</source>
        <translation>
            <numerusform>%n Benutzer</numerusform>
            <numerusform>%n Benutzer</numerusform>
        </translation>
    </message>
    <message>
        <source>user</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>users</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Simulating %1 of &quot;%2&quot; (seed %3); files in %4</source>
        <translation>Simuliere %1 von „%2“ (Startwert %3); Dateien in %4</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>cannot write the table to %1</source>
        <translation>die Tabelle lässt sich nicht nach %1 schreiben</translation>
    </message>
    <message>
        <source>Lumvex on &quot;%1&quot;, seed %2</source>
        <translation>Lumvex mit „%1“, Startwert %2</translation>
    </message>
    <message>
        <source>cannot write the plot to %1</source>
        <translation>das Diagramm lässt sich nicht nach %1 schreiben</translation>
    </message>
    <message>
        <source>All columns: %1</source>
        <translation>Alle Spalten: %1</translation>
    </message>
    <message>
        <source>Plot: %1</source>
        <translation>Diagramm: %1</translation>
    </message>
    <message>
        <source>corrections</source>
        <translation>Korrekturen</translation>
    </message>
    <message>
        <source>mean |P-pref|</source>
        <translation>Mittel |P-pref|</translation>
    </message>
    <message>
        <source>p95 |P-pref|</source>
        <translation>p95 |P-pref|</translation>
    </message>
    <message>
        <source>CV of BxL</source>
        <translation>VK von BxL</translation>
    </message>
    <message>
        <source>writes</source>
        <translation>Schreibvorgänge</translation>
    </message>
    <message>
        <source>display writes</source>
        <translation>Monitor-Schreibvorgänge</translation>
    </message>
    <message>
        <source>desktop changes learned</source>
        <translation>gelernte Änderungen der Umgebung</translation>
    </message>
    <message>
        <source>user changes lost</source>
        <translation>verlorene Benutzeränderungen</translation>
    </message>
    <message>
        <source>choices taken back</source>
        <translation>zurückgenommene Entscheidungen</translation>
    </message>
    <message>
        <source>with Lumvex</source>
        <translation>mit Lumvex</translation>
    </message>
    <message>
        <source>with fixed brightness</source>
        <translation>mit fester Helligkeit</translation>
    </message>
    <message>
        <source>with an ambient-only curve</source>
        <translation>mit einer Kurve allein nach dem Umgebungslicht</translation>
    </message>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation>
            <numerusform>%n-mal</numerusform>
            <numerusform>%n-mal</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Over %1 the simulated user corrected the brightness %2.</source>
        <translation>Über %1 hinweg korrigierte der simulierte Benutzer die Helligkeit %2.</translation>
    </message>
    <message>
        <source>Choices taken back:</source>
        <translation>Zurückgenommene Entscheidungen:</translation>
    </message>
    <message>
        <source>content luminance</source>
        <translation>Leuchtdichte des Inhalts</translation>
    </message>
    <message>
        <source>brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>perceived (brightness x luminance)</source>
        <translation>wahrgenommen (Helligkeit x Leuchtdichte)</translation>
    </message>
    <message>
        <source>preferred</source>
        <translation>bevorzugt</translation>
    </message>
    <message>
        <source>correction</source>
        <translation>Korrektur</translation>
    </message>
    <message>
        <source>day %1  %2</source>
        <translation>Tag %1  %2</translation>
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
    <name>Tray</name>
    <message>
        <source>lumvex: cannot start %1: %2 (reinstall Lumvex)</source>
        <translation>lumvex: %1 lässt sich nicht starten: %2 (installieren Sie Lumvex neu)</translation>
    </message>
    <message>
        <source>lumvex: %1 belongs to another user or is open to others; the lock goes to %2</source>
        <translation>lumvex: %1 gehört einem anderen Benutzer oder ist für andere offen; die Sperrdatei kommt nach %2</translation>
    </message>
    <message>
        <source>lumvex: no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set); lumvex simulate runs the loop without one</source>
        <translation>lumvex: keine grafische Sitzung (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt); lumvex simulate führt die Regelung ohne eine aus</translation>
    </message>
    <message>
        <source>lumvex: already running for this user; it shows where it is</source>
        <translation>lumvex: läuft für diesen Benutzer bereits; es zeigt, wo es ist</translation>
    </message>
    <message>
        <source>lumvex: no backlight found under /sys/class/backlight; the built-in display&apos;s brightness cannot be adjusted (external monitors and volume still work)</source>
        <translation>lumvex: keine Hintergrundbeleuchtung unter /sys/class/backlight gefunden; die Helligkeit des eingebauten Bildschirms lässt sich nicht anpassen (externe Monitore und Lautstärke funktionieren weiterhin)</translation>
    </message>
    <message>
        <source>lumvex: unknown command %1 (see lumvex --help)</source>
        <translation>lumvex: unbekannter Befehl %1 (siehe lumvex --help)</translation>
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
    <message>
        <source>it is not an RSS feed (it begins with &lt;%1&gt;)</source>
        <translation>es ist kein RSS-Feed (es beginnt mit &lt;%1&gt;)</translation>
    </message>
    <message>
        <source>it is not valid XML (line %1: %2)</source>
        <translation>es ist kein gültiges XML (Zeile %1: %2)</translation>
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
