# Sourced by the test wrappers. start_private_bus DIR starts a D-Bus daemon of our own that listens in DIR,
# lets anyone own any name and activates nothing; it sets `address` and `bus_pid` (the caller stops it).
start_private_bus() {
  local dir=$1
  cat >"$dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$dir</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  { read -r address && read -r bus_pid; } < <(dbus-daemon --config-file="$dir/bus.conf" --fork --print-address=1 --print-pid=1)
}
