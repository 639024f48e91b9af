#!/usr/bin/env bash
# Wireshark's Art-Net dissector reads what Varlo sends (ArtPoll, ArtAddress) and what the
# simulator's nodes answer (ArtPollReply), captured on the loopback interface of a network
# namespace this test creates: nothing reaches a real interface.
#   WiresharkCheck.sh VARLO_CLI VARLO_DEVSIM
# Exit 77 (skipped) where tshark or network namespaces are missing.
set -uo pipefail
cli=$1
devsim=$2

skip() { echo "SKIPPED: $*"; exit 77; }
command -v tshark >/dev/null || skip "tshark is not installed (Debian package tshark)"
[ "$(id -u)" = 0 ] || skip "network namespaces need root"
ns=varlo-ts-$$
ip netns add "$ns" 2>/dev/null || skip "cannot create a network namespace"
work=$(mktemp -d)
cleanup() {
  [ -n "${sim:-}" ] && kill "$sim" 2>/dev/null
  [ -n "${cap:-}" ] && kill "$cap" 2>/dev/null
  wait 2>/dev/null
  # Whatever still runs in the namespace was started here.
  ip netns pids "$ns" 2>/dev/null | xargs -r kill 2>/dev/null
  ip netns del "$ns" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
[ -n "${KEEP_CAPTURE:-}" ] && trap "cp \"\$work\"/capture.pcapng \"$KEEP_CAPTURE\"; cleanup" EXIT
ip -n "$ns" link set lo up
in_ns() { ip netns exec "$ns" "$@"; }

fail() { printf 'FAIL: %b\n' "$*"; exit 1; }

# Started directly (ip execs the program), so that $! is the program itself and a kill reaches it.
ip netns exec "$ns" tshark -i lo -w "$work/capture.pcapng" -a duration:60 >"$work/tshark.log" 2>&1 &
cap=$!
for _ in $(seq 100); do grep -q "Capture started" "$work/tshark.log" && break; sleep 0.1; done
grep -q "Capture started" "$work/tshark.log" || fail "tshark did not start: $(cat "$work/tshark.log")"
sleep 0.5

ip netns exec "$ns" "$devsim" --bind 127.0.0.1:63879 --artnet 127.0.0.1:6454 >"$work/sim.log" 2>&1 &
sim=$!
for _ in $(seq 50); do grep -q "Art-Net node" "$work/sim.log" && break; sleep 0.1; done
T=(--target 127.0.0.1 --local-port 0 --wait 1000)
in_ns "$cli" artnet poll "${T[@]}" >"$work/poll.txt" || fail "artnet poll failed"
grep -q "^6 Art-Net node(s) answered" "$work/poll.txt" || fail "poll: $(cat "$work/poll.txt")"
in_ns "$cli" artnet address 10.0.0.44 shortName=Truss port.2.universe=7 subnet=6 locate "${T[@]}" \
  >"$work/address.txt" 2>&1 || fail "artnet address: $(cat "$work/address.txt")"
sleep 0.5
kill -TERM "$cap"  # background jobs of a script ignore SIGINT
wait "$cap"
cap=

# Replies that reach the command after it has ended come back inside ICMP port-unreachable
# messages: not packets of their own.
fields() {
  tshark -r "$work/capture.pcapng" -Y "!icmp && ($1)" -T fields -E separator='|' "${@:2}" 2>/dev/null
}
# Every Art-Net packet is whole to the dissector.
bad=$(tshark -r "$work/capture.pcapng" -Y "!icmp && artnet && (_ws.malformed || _ws.expert.severity >= warning)" 2>/dev/null)
[ -z "$bad" ] || fail "the dissector complains:\n$bad"
[ "$(fields artnet -e artnet.header.opcode | sort | uniq -c | tr -s ' ')" = \
  "$(printf ' 2 0x2000\n 13 0x2100\n 1 0x6000')" ] ||
  fail "expected two polls (one a command) with 6 replies each, one ArtAddress and its reply:\n$(fields artnet -e artnet.header.opcode)"

expect() {  # FILTER EXPECTED FIELD...
  local got
  got=$(fields "$1" "${@:3}" | head -1)
  [ "$got" = "$2" ] || fail "$1: got '$got', expected '$2' for ${*:3}"
}
expect "artnet.header.opcode == 0x2000" "14|0x02|0" \
  -e artnet.header.protver -e artnet.poll.talktome -e artnet.poll.diag_priority
# The ArtAddress: the short name, sub-net 6 and port 2's output universe programmed (bit 7),
# everything else "no change", and the locate command.
expect "artnet.header.opcode == 0x6000" "14|Truss||0x7f|0x7f|0x87|0x7f|6|1|0x04" \
  -e artnet.header.protver -e artnet.address.short_name -e artnet.address.long_name \
  -e artnet.address.swout_1 -e artnet.address.swin_2 -e artnet.address.swout_2 \
  -e artnet.address.netswitch_special -e artnet.address.subswitch_sub \
  -e artnet.address.subswitch_write -e artnet.address.command
# The node's answer to it: what it took (indicator 1: locate).
expect "artnet.poll_reply.short_name == \"Truss\"" "10.0.0.44|6454|0x06|4|0x80|0x00|0x07|0x01|0x01" \
  -e artnet.poll_reply.ip_address -e artnet.poll_reply.port_nr -e artnet.poll_reply.subswitch \
  -e artnet.poll_reply.num_ports -e artnet.poll_reply.port_types_1 -e artnet.poll_reply.swout_1 \
  -e artnet.poll_reply.swout_2 -e artnet.poll_reply.bind_index -e artnet.poll_reply.indicator
# The LUMA-8's second port group, bound to the first; its port 4 takes DMX in on universe 7.
expect "artnet.poll_reply.ip_address == 192.168.1.205" \
  "LUMA-8-4D05|LUMA-8-4D05 NodeB|192.168.1.105|0x02|00:1a:2b:3c:4d:05|0x40|0x07" \
  -e artnet.poll_reply.short_name -e artnet.poll_reply.long_name \
  -e artnet.poll_reply.bind_ip_address -e artnet.poll_reply.bind_index -e artnet.poll_reply.mac \
  -e artnet.poll_reply.port_types_4 -e artnet.poll_reply.swin_4
echo "tshark decoded $(fields artnet -e frame.number | wc -l) Art-Net packets as Varlo meant them"
