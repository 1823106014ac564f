#!/usr/bin/env bash
# Runs the README's Slurm array job on a one-node cluster that lives in a scratch folder:
# munged, slurmctld and slurmd are started here and stopped at the end. The shards it writes
# must merge to the table one machine writes. Where the cluster cannot start, says why in one
# line and exits 77, which ctest counts as skipped.
# usage: slurm_cluster_test.sh VELMORIA_SIM README
set -euo pipefail
sim=$(realpath "$1")
readme=$2

skip() {
  echo "SKIP: $*"
  exit 77
}

[ "$(id -u)" = 0 ] || skip "the daemons need root (munged runs as its own user)"
for tool in munged munge slurmctld slurmd sbatch sinfo runuser ss; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (Debian slurm-wlm, munge)"
done
[ -r /etc/munge/munge.key ] || skip "/etc/munge/munge.key is missing"

scratch=$(mktemp -d /tmp/velmoria-slurm-XXXXXX)
stop_cluster() {
  local pidfile pids=()
  for pidfile in "$scratch/slurmd.pid" "$scratch/slurmctld.pid" "$scratch/munge/munged.pid"; do
    if [ -s "$pidfile" ]; then
      pids+=("$(cat "$pidfile")")
      kill "${pids[-1]}" 2>/dev/null || true
    fi
  done
  # slurmctld saves its state as it stops: the folder goes once every daemon has gone.
  local pid tries
  for pid in "${pids[@]}"; do
    for ((tries = 0; tries < 100; ++tries)); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch" || true
}
trap stop_cluster EXIT
trap 'exit 143' TERM HUP
trap 'exit 130' INT

# munged insists on folders that its user can enter and nobody else can write.
chmod 755 "$scratch"
mkdir -m 755 "$scratch/munge" "$scratch/state" "$scratch/spool" "$scratch/work" "$scratch/bin"
chown munge:munge "$scratch/munge"
runuser -u munge -- munged --socket="$scratch/munge/socket" \
  --pid-file="$scratch/munge/munged.pid" --log-file="$scratch/munge/munged.log" \
  --seed-file="$scratch/munge/seed" || skip "munged does not start: $(tail -n 1 "$scratch/munge/munged.log" 2>/dev/null)"

# Two ports that nothing listens on.
port=$((20000 + RANDOM % 20000 * 2))
while ss -ltn | grep -qE ":($port|$((port + 1)))\b"; do
  port=$((20000 + RANDOM % 20000 * 2))
done
host=$(hostname -s)
export SLURM_CONF=$scratch/slurm.conf
cat >"$SLURM_CONF" <<CONF
ClusterName=velmoria
SlurmctldHost=$host
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$scratch/munge/socket
CredType=cred/munge
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
MpiDefault=none
StateSaveLocation=$scratch/state
SlurmdSpoolDir=$scratch/spool
SlurmctldPidFile=$scratch/slurmctld.pid
SlurmdPidFile=$scratch/slurmd.pid
SlurmctldLogFile=$scratch/slurmctld.log
SlurmdLogFile=$scratch/slurmd.log
NodeName=$host CPUs=2 State=UNKNOWN
PartitionName=sweep Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -f "$SLURM_CONF" || skip "slurmctld does not start: $(tail -n 1 "$scratch/slurmctld.log" 2>/dev/null)"
slurmd -f "$SLURM_CONF" || skip "slurmd does not start: $(tail -n 1 "$scratch/slurmd.log" 2>/dev/null)"
for _ in $(seq 60); do
  [ "$(sinfo -h -o %T 2>/dev/null)" = idle ] && break
  sleep 0.5
done
[ "$(sinfo -h -o %T 2>/dev/null)" = idle ] || skip "the node does not come up: $(sinfo -h -o %T 2>&1 | head -n 1)"

# The README's job, with a sweep small enough for a test.
job=$scratch/work/sweep.sh
awk '/^```/ { if (block ~ /#SBATCH --array/) { printf "%s", block; exit } block = ""; next }
     { block = block $0 "\n" }' "$readme" >"$job"
grep -q '^#SBATCH --array' "$job" || { echo "FAIL: no array job in $readme"; exit 1; }
[ "$(grep -c '^sweep=(' "$job")" = 1 ] || { echo "FAIL: the README's job has no sweep=(...) line"; exit 1; }
sed -i 's/^sweep=(.*/sweep=(--vary herbivores.birth=0.1:0.1:0.5 --vary plants.birth=0.2,0.4 --repeat 3 --days 300)/' "$job"
ln -s "$sim" "$scratch/bin/velmoria-sim"
export PATH=$scratch/bin:$PATH

cd "$scratch/work"
if ! timeout 240 sbatch --wait --cpus-per-task=1 --output="$scratch/work/job-%a.log" "$job" >/dev/null; then
  echo "FAIL: the array job failed:"
  cat "$scratch"/work/job-*.log 2>/dev/null | head -n 20
  exit 1
fi
velmoria-sim merge --table games.csv shard-*.csv
eval "$(grep '^sweep=(' "$job")"
velmoria-sim "${sweep[@]}" --jobs 2 --table whole.csv --summary whole-summary.csv
cmp games.csv whole.csv
velmoria-sim summarise games.csv --summary summary.csv
cmp summary.csv whole-summary.csv
echo "the cluster's $(ls shard-*.csv | wc -l) shards merge to the one-machine table"
