#!/usr/bin/env bash
# varlo-cli polls a real Art-Net node nobody here wrote: OLA's daemon with only its Art-Net
# plugin, in a network namespace of its own joined by a veth pair to the namespace varlo-cli
# runs in. The reply must say what olad's configuration says (names, IP, four ports, net 2,
# sub-net 5), and the port flags must follow ola_patch. Nothing reaches a real interface.
#   OlaNodeCheck.sh VARLO_CLI
# Exit 77 (skipped) where OLA, root or network namespaces are missing.
set -uo pipefail
cli=$1

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { printf 'FAIL: %b\n' "$*"; exit 1; }
for tool in olad ola_dev_info ola_patch ola_set_dmx runuser ip; do
  command -v $tool >/dev/null || skip "$tool is missing (Debian packages ola, iproute2, util-linux)"
done
[ "$(id -u)" = 0 ] || skip "network namespaces need root"
id nobody >/dev/null 2>&1 || skip "no user 'nobody' to run olad as (it refuses root)"

node=varlo-ola-$$
ctl=varlo-ctl-$$
ip netns add "$node" 2>/dev/null || skip "cannot create a network namespace"
conf=$(mktemp -d)
cleanup() {
  [ -n "${olad:-}" ] && kill "$olad" 2>/dev/null && wait "$olad" 2>/dev/null
  # Whatever still runs in the namespace was started here.
  ip netns pids "$node" 2>/dev/null | xargs -r kill 2>/dev/null
  ip netns del "$node" 2>/dev/null
  # Whatever still runs in the namespace was started here.
  ip netns pids "$ctl" 2>/dev/null | xargs -r kill 2>/dev/null
  ip netns del "$ctl" 2>/dev/null
  rm -rf "$conf"
}
trap cleanup EXIT
ip netns add "$ctl" || fail "cannot create the second namespace"
# An address range of its own per run, so parallel runs never meet.
net=10.$((($$ >> 8) % 250 + 1)).$(($$ % 250)).
ip link add "v$$o" type veth peer name "v$$c" || fail "cannot create a veth pair"
ip link set "v$$o" netns "$node"
ip link set "v$$c" netns "$ctl"
ip -n "$node" addr add "${net}1/24" broadcast "${net}255" dev "v$$o"
ip -n "$ctl" addr add "${net}2/24" broadcast "${net}255" dev "v$$c"
ip -n "$node" link set lo up
ip -n "$ctl" link set lo up
ip -n "$node" link set "v$$o" up
ip -n "$ctl" link set "v$$c" up

# Only the Art-Net plugin; olad writes a default, enabled file for every plugin it finds none for.
for plugin in dummy e131 espnet ftdidmx gpio karate kinet milinst opendmx openpixelcontrol osc \
  pathport renard sandnet shownet spi stageprofi uartdmx usbdmx usbserial; do
  echo "enabled = false" >"$conf/ola-$plugin.conf"
done
cat >"$conf/ola-artnet.conf" <<CONF
enabled = true
ip = ${net}1
short_name = Varlo check
long_name = OLA node checked by Varlo
net = 2
subnet = 5
output_ports = 4
always_broadcast = false
use_limited_broadcast = false
use_loopback = false
CONF
chown -R nobody "$conf"
ip netns exec "$node" runuser -u nobody -- olad -c "$conf" --no-http -l 2 >"$conf/olad.log" 2>&1 &
olad=$!
in_node() { ip netns exec "$node" "$@"; }
device=""
for _ in $(seq 100); do
  device=$(in_node ola_dev_info 2>/dev/null | sed -n 's/^Device \([0-9]*\): ArtNet.*/\1/p')
  [ -n "$device" ] && break
  sleep 0.2
done
[ -n "$device" ] || fail "olad did not start its Art-Net device:\n$(tail -20 "$conf/olad.log")"

poll() {
  ip netns exec "$ctl" "$cli" artnet poll --target "${net}255" --wait 1500
}
check_lines() {  # OUTPUT EXPECTED-LINE...
  local out=$1
  shift
  for line in "$@"; do
    grep -qxF -- "$line" <<<"$out" || fail "expected the line\n  $line\nin\n$out"
  done
}

out=$(poll) || fail "artnet poll failed: $out"
mac=$(sed -n 's/^[0-9.]* #1  Varlo check  "OLA node checked by Varlo"  \([0-9A-F:]*\)  firmware .*/\1/p' <<<"$out")
[ -n "$mac" ] || fail "no reply from ${net}1 with olad's names:\n$out"
[ "$(grep -c '^  port ' <<<"$out")" = 4 ] || fail "expected 4 ports:\n$out"
# Unpatched: every port at net 2, sub-net 5, universe 0; outputs idle, inputs disabled.
check_lines "$out" "${net}1 #1  Varlo check  \"OLA node checked by Varlo\"  $mac  firmware 0.0" \
  "  port 1: out 2:5:0 (592) idle, HTP; in 2:5:0 (592) disabled" \
  "  port 4: out 2:5:0 (592) idle, HTP; in 2:5:0 (592) disabled" \
  "1 Art-Net node(s) answered"

# olad's port 1 sends universe 3 into Art-Net (an Art-Net input), its input port 2 takes
# universe 9 from Art-Net (an Art-Net output), and DMX flows on universe 3.
in_node ola_patch -d "$device" -p 1 -u 3 || fail "ola_patch failed"
in_node ola_patch -d "$device" -p 2 -i -u 9 || fail "ola_patch -i failed"
in_node ola_set_dmx -u 3 -d 255,128,0 || fail "ola_set_dmx failed"
out=$(poll) || fail "artnet poll failed: $out"
check_lines "$out" \
  "  port 1: out 2:5:0 (592) idle, HTP; in 2:5:0 (592) disabled" \
  "  port 2: out 2:5:0 (592) idle, HTP; in 2:5:3 (595) idle" \
  "  port 3: out 2:5:9 (601) DMX, HTP; in 2:5:0 (592) disabled"

# olad 0.10.9 ignores ArtAddress: varlo-cli must say the name was not taken, and fail.
addr=$(ip netns exec "$ctl" "$cli" artnet address "${net}1" shortName=Renamed \
  --target "${net}255" --wait 1500 2>&1)
status=$?
if [ $status = 0 ]; then
  grep -q "Renamed" <<<"$addr" || fail "artnet address succeeded but the node says:\n$addr"
else
  grep -qxF 'not taken: shortName: asked "Renamed", node says "Varlo check"' <<<"$addr" ||
    fail "artnet address failed without saying what was refused:\n$addr"
fi
echo "olad's Art-Net node at ${net}1 answered as configured"
