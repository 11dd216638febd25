#!/usr/bin/env bash
# Builds galleries of 100, 1,000 and 10,000 small generated photographs with fotoplex-cli and
# prints the time per photo (it should stay flat: nothing in adding, naming, pruning, page
# writing or the size lists may grow faster than the number of photos) and the peak memory
# (it should stay flat too: at most one decoded picture per worker).
#
# Usage: bench/scale.sh [BUILD_DIR] [COUNTS...]   (default build; 100 1000 10000)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true
counts=("${@:-100 1000 10000}")
read -r -a counts <<<"${counts[*]}"
cli="$build/src/cli/fotoplex-cli"
[[ -x "$cli" ]] || { echo "build fotoplex-cli first"; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One small photograph (640 x 480), copied under as many names as the largest gallery needs.
"$build/src/cli/fotoplex-cli" convert "$root/resources/samples/coffee.png" "$work/seed.jpg" \
  --box 640 480 --keep-aspect >/dev/null 2>&1 || cp "$root/resources/samples/rocket.jpg" "$work/seed.jpg"
max=0
for n in "${counts[@]}"; do ((n > max)) && max=$n; done
mkdir -p "$work/src"
/usr/bin/python3 - "$work" "$max" <<'PY'
import shutil, sys
work, count = sys.argv[1], int(sys.argv[2])
for i in range(1, count + 1):
    shutil.copyfile(f"{work}/seed.jpg", f"{work}/src/p{i:05d}.jpg")
PY

printf '%8s %10s %12s %14s %12s\n' photos "add (s)" "build (s)" "ms per photo" "peak MiB"
for n in "${counts[@]}"; do
  mapfile -t args < <(/usr/bin/python3 -c 'import sys
for i in range(1, int(sys.argv[2]) + 1): print(f"--add\n{sys.argv[1]}/src/p{i:05d}.jpg")' "$work" "$n")
  project="$work/g$n.hgp"
  t0=$(date +%s.%N)
  "$cli" project new "$project" TargetDir="$work/out$n" ResizeImages=true "${args[@]}" >/dev/null
  t1=$(date +%s.%N)
  /usr/bin/time -f '%e %M' -o "$work/time$n" "$cli" build "$project" --yes --quiet --no-open
  read -r seconds kib <"$work/time$n"
  printf '%8d %10.2f %12.2f %14.2f %12.1f\n' "$n" "$(echo "$t1 - $t0" | bc -l)" "$seconds" \
    "$(echo "1000 * $seconds / $n" | bc -l)" "$(echo "$kib / 1024" | bc -l)"
  rm -rf "$work/out$n"
done
