#!/bin/sh
# in_namespace.sh SCRATCH SPEC COMMAND...: run COMMAND (under unshare -m, as
# root) over a fake /sys and a /dev with the fake monitors' /dev/i2c-N, both
# private to this mount namespace. SPEC is "CONNECTOR:BUS:EDID_FILE ...".
set -eu
scratch=$1 spec=$2
shift 2
mount -t tmpfs tmpfs "$scratch"
mkdir -p "$scratch/upper" "$scratch/work" "$scratch/sys"
mount -t overlay overlay -o "lowerdir=/dev,upperdir=$scratch/upper,workdir=$scratch/work" /dev
S=$scratch/sys
P=$S/devices/pci0000:00/0000:00:02.0
mkdir -p "$P/drm/card0" "$S/bus/i2c/devices" "$S/class/i2c-dev" "$S/class/drm" "$S/bus/pci/drivers/i915" \
         "$S/bus/pci/devices" "$S/class/backlight"
touch "$S/devices/pci0000:00/uevent"
echo 0x030000 > "$P/class"; echo 0x8086 > "$P/vendor"; echo 0x3e92 > "$P/device"
ln -s ../../../bus/pci/drivers/i915 "$P/driver"
ln -s ../../../bus/pci "$P/subsystem"
ln -s ../../../devices/pci0000:00/0000:00:02.0 "$S/bus/pci/devices/0000:00:02.0"
printf 'DRIVER=i915\nPCI_CLASS=30000\nPCI_ID=8086:3E92\nPCI_SLOT_NAME=0000:00:02.0\n' > "$P/uevent"
printf 'MAJOR=226\nMINOR=0\nDEVNAME=dri/card0\nDEVTYPE=drm_minor\n' > "$P/drm/card0/uevent"
ln -s ../../../../../class/drm "$P/drm/card0/subsystem"
ln -s ../../devices/pci0000:00/0000:00:02.0/drm/card0 "$S/class/drm/card0"
for monitor in $spec; do
  connector=${monitor%%:*}; rest=${monitor#*:}; bus=${rest%%:*}; edid=${rest#*:}
  A=$P/i2c-$bus
  mkdir -p "$A/i2c-dev/i2c-$bus"
  echo "i915 gmbus $connector" > "$A/name"
  touch "$A/uevent"
  ln -s ../../../../bus/i2c "$A/subsystem"
  echo "89:$bus" > "$A/i2c-dev/i2c-$bus/dev"
  echo "i915 gmbus $connector" > "$A/i2c-dev/i2c-$bus/name"
  printf 'MAJOR=89\nMINOR=%s\nDEVNAME=i2c-%s\n' "$bus" "$bus" > "$A/i2c-dev/i2c-$bus/uevent"
  ln -s ../../../../../../class/i2c-dev "$A/i2c-dev/i2c-$bus/subsystem"
  ln -s "../../../devices/pci0000:00/0000:00:02.0/i2c-$bus" "$S/bus/i2c/devices/i2c-$bus"
  ln -s "../../devices/pci0000:00/0000:00:02.0/i2c-$bus/i2c-dev/i2c-$bus" "$S/class/i2c-dev/i2c-$bus"
  D=$P/drm/card0/card0-$connector
  mkdir -p "$D"
  echo connected > "$D/status"; echo enabled > "$D/enabled"; echo On > "$D/dpms"
  cp "$edid" "$D/edid"
  printf 'DEVTYPE=drm_connector\n' > "$D/uevent"
  ln -s ../../../../../../class/drm "$D/subsystem"
  ln -s "../../../i2c-$bus" "$D/ddc"
  ln -s "../../devices/pci0000:00/0000:00:02.0/drm/card0/card0-$connector" "$S/class/drm/card0-$connector"
  touch "/dev/i2c-$bus"
done
mount --bind "$S" /sys
exec "$@"
