#!/bin/bash
# Searching a workstation with two adapters, in network namespaces this test makes and removes
# (never on the machine's own interfaces):
#
#   ws (the workstation) --veth 10.71.1.0/24-- segA (simulator on 0.0.0.0, router to far)
#                        --veth 10.71.2.0/24-- segB (simulator on 0.0.0.0)
#   segA --veth 10.71.9.0/24-- far (simulator on its unicast address 10.71.9.5 only)
#
# The workstation's default route goes through segA. A broadcast that follows the route table
# (--target 255.255.255.255, what a search did before) reaches segA only; the search out of
# every adapter finds both segments and configures a device on each through its own adapter;
# an IP Search of a range finds the simulator behind the router.
#
# usage: adapters.sh VARLO_CLI VARLO_DEVSIM   (exit 77: skipped, namespaces not available)
set -u
cli=$1
devsim=$2
tag=v21$$
ws=${tag}ws
a=${tag}a
b=${tag}b
far=${tag}far
work=$(mktemp -d)
pids=()

cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    # A simulator started through a shell function is a child of its subshell, so killing the
    # subshell leaves it running: end whatever still runs in each namespace before removing it.
    for n in "$ws" "$a" "$b" "$far"; do
        ip netns pids "$n" 2>/dev/null | xargs -r kill 2>/dev/null
    done
    wait 2>/dev/null
    for n in "$ws" "$a" "$b" "$far"; do ip netns del "$n" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

if ! ip netns add "$ws" 2>"$work/err"; then
    echo "SKIPPED: cannot create network namespaces here ($(cat "$work/err")); run as root"
    exit 77
fi
fail=0
check() {  # check WHAT COMMAND...: runs it, remembers a failure
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; fail=1; fi
}
ns() { local n=$1; shift; ip netns exec "$n" "$@"; }

set -e
for n in "$a" "$b" "$far"; do ip netns add "$n"; done
for n in "$ws" "$a" "$b" "$far"; do ns "$n" ip link set lo up; done
# Interface names stay short and fixed, so the test can name them with --interface.
ip link add wsa netns "$ws" type veth peer name segw netns "$a"
ip link add wsb netns "$ws" type veth peer name segw netns "$b"
ip link add segf netns "$a" type veth peer name fara netns "$far"
ns "$ws" ip addr add 10.71.1.1/24 dev wsa
ns "$ws" ip addr add 10.71.2.1/24 dev wsb
ns "$a" ip addr add 10.71.1.2/24 dev segw
ns "$b" ip addr add 10.71.2.2/24 dev segw
ns "$a" ip addr add 10.71.9.1/24 dev segf
ns "$far" ip addr add 10.71.9.5/24 dev fara
ns "$ws" ip link set wsa up
ns "$ws" ip link set wsb up
ns "$a" ip link set segw up
ns "$a" ip link set segf up
ns "$b" ip link set segw up
ns "$far" ip link set fara up
ns "$ws" ip route add default via 10.71.1.2 dev wsa
ns "$far" ip route add default via 10.71.9.1 dev fara
ns "$a" sysctl -qw net.ipv4.ip_forward=1

# One device answers from outside its segment's subnet, as a device fresh from the factory does.
cat >"$work/a.rig" <<RIG
0x90000004 00:1A:2B:71:01:01 10.71.1.50
0x11510080 00:1A:2B:71:01:02 192.168.0.7
RIG
echo "0x90000004 00:1A:2B:71:02:01 10.71.2.50" >"$work/b.rig"
echo "0x90000001 00:1A:2B:71:09:01 10.71.9.5" >"$work/far.rig"
ns "$a" "$devsim" --bind 0.0.0.0:63879 --rig "$work/a.rig" --delay-max 50 >"$work/a.log" 2>&1 &
pids+=($!)
ns "$b" "$devsim" --bind 0.0.0.0:63879 --rig "$work/b.rig" --delay-max 50 >"$work/b.log" 2>&1 &
pids+=($!)
ns "$far" "$devsim" --bind 10.71.9.5:63879 --rig "$work/far.rig" --delay-max 50 \
    >"$work/far.log" 2>&1 &
pids+=($!)
for log in a b far; do
    for _ in $(seq 50); do grep -q "device(s) on" "$work/$log.log" && break; sleep 0.1; done
    grep -q "device(s) on" "$work/$log.log" || { echo "simulator $log did not start"; exit 1; }
done
set +e

has() { grep -q "$2" "$1"; }
lacks() { ! grep -q "$2" "$1"; }

ns "$ws" "$cli" interfaces >"$work/interfaces.txt" 2>&1
cat "$work/interfaces.txt"
check "interfaces lists both adapters as searched" \
    bash -c "grep -q '^wsa .*searched' '$work/interfaces.txt' && grep -q '^wsb .*searched' '$work/interfaces.txt' && grep -q '^lo .*not searched: loopback' '$work/interfaces.txt'"

ns "$ws" "$cli" search --target 255.255.255.255 >"$work/old.txt" 2>&1
cat "$work/old.txt"
check "a broadcast by the route table finds segment A" has "$work/old.txt" "00:1A:2B:71:01:01"
check "... and not segment B" lacks "$work/old.txt" "00:1A:2B:71:02:01"

ns "$ws" "$cli" search >"$work/new.txt" 2>&1
cat "$work/new.txt"
check "the search out of every adapter finds segment A" has "$work/new.txt" "00:1A:2B:71:01:01"
check "... and segment B" has "$work/new.txt" "00:1A:2B:71:02:01"
check "... and the device outside every subnet" has "$work/new.txt" "00:1A:2B:71:01:02"
check "... but not the one behind the router" lacks "$work/new.txt" "00:1A:2B:71:09:01"

ns "$ws" "$cli" search --interface wsb >"$work/only-b.txt" 2>&1
check "--interface wsb searches segment B only" \
    bash -c "grep -q 00:1A:2B:71:02:01 '$work/only-b.txt' && ! grep -q 00:1A:2B:71:01:01 '$work/only-b.txt'"

for mac in 00:1A:2B:71:01:01 00:1A:2B:71:02:01; do
    ns "$ws" "$cli" set "$mac" deviceName="via-$mac" --backup "$work/backups" >"$work/set.txt" 2>&1
    status=$?
    cat "$work/set.txt"
    check "set $mac through its own adapter" test "$status" -eq 0
    ns "$ws" "$cli" dump "$mac" >"$work/dump.txt" 2>&1
    check "the device on its segment kept the name" has "$work/dump.txt" "\"deviceName\": \"via-$mac\""
done

ns "$ws" "$cli" search --range 10.71.9.2-10.71.9.20 >"$work/range.txt" 2>&1
cat "$work/range.txt"
check "IP Search of a range finds the simulator behind the router" \
    has "$work/range.txt" "00:1A:2B:71:09:01"
check "... and nothing it did not ask" lacks "$work/range.txt" "00:1A:2B:71:01:01"

ns "$ws" "$cli" doctor >"$work/doctor.txt" 2>&1
cat "$work/doctor.txt"
check "doctor reports where each search went" \
    bash -c "grep -q 'wsa .*searched: 5 request(s) sent to 255.255.255.255' '$work/doctor.txt' && grep -q 'wsb .*searched: 5 request(s)' '$work/doctor.txt'"
exit $fail
