#!/usr/bin/env bash
# Builds one gallery of real photographs with fotoplex-cli, with one worker and with one per
# processor, and does the same work with the peers, in the same run on the same files: one
# Pillow process, ImageMagick per photo, and vips per photo. Each peer decodes every photo
# twice (image and thumbnail, as our two jobs do), resizes with Lanczos to 640x480 (quality
# 85) and 120x120 (quality 75). Then it times rebuilds: nothing changed, the thumbnail size
# changed, and one photo added to a gallery of 200.
#
# Usage: bench/gallery.sh [BUILD_DIR]   (default build; needs ../shared/photos/camera)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
cli="$build/src/cli/fotoplex-cli"
camera="$root/../shared/photos/camera"
[[ -x "$cli" ]] || { echo "build fotoplex-cli first"; exit 1; }
[[ -d "$camera" ]] || { echo "no camera photographs at $camera: skipped"; exit 0; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src"

# Every camera photo except the 18-megapixel one, twice under different names, and two
# synthetic 12-megapixel pictures: at least a dozen sources.
n=0
for photo in "$camera"/*.jpg; do
  case "$photo" in *Elephants*) continue ;; esac
  for copy in a b; do
    n=$((n + 1)); cp "$photo" "$work/src/$(basename "${photo%.jpg}")-$copy.jpg"
  done
done
for i in 1 2; do
  n=$((n + 1))
  convert -size 4000x3000 "plasma:fractal" -seed "$i" -quality 90 "$work/src/synthetic-$i.jpg"
done
echo "sources: $n photographs in $work/src"

seconds() { local t0 t1; t0=$(date +%s.%N); "$@" >/dev/null 2>&1; t1=$(date +%s.%N); echo "$t1 - $t0" | bc -l; }

# Ours: defaults plus resizing on.
args=()
for f in "$work"/src/*.jpg; do args+=(--add "$f"); done
"$cli" project new "$work/g.hgp" TargetDir="$work/ours" ResizeImages=true ImgWidth=640 \
  ImgHeight=480 ImgResizeMethod=5 ThumbWidth=120 ThumbHeight=120 ThumbResizeMethod=5 "${args[@]}"
# Best of three full builds each, one worker and one per processor taking turns (the machine
# is shared: the best run is the one least disturbed).
jobs=$(nproc)
best() { printf '%s\n' "$@" | sort -g | head -1; }
# Prints the best times with one worker (into OUT1) and with $jobs (into the project's target
# OUT): bestBuilds PROJECT OUT1 OUT
bestBuilds() {
  local ones=() alls=() round
  for round in 1 2 3; do
    rm -rf "$2" "$3"
    ones+=("$(seconds "$cli" build "$1" --yes --quiet --no-open --jobs 1 --target "$2")")
    alls+=("$(seconds "$cli" build "$1" --yes --quiet --no-open --jobs "$jobs")")
  done
  echo "$(best "${ones[@]}") $(best "${alls[@]}")"
}
read -r one ours < <(bestBuilds "$work/g.hgp" "$work/ours1" "$work/ours")
same=$(diff -r -x .fotoplex-build "$work/ours" "$work/ours1" >/dev/null && echo yes || echo NO)
unchanged=$(seconds "$cli" build "$work/g.hgp" --yes --quiet --no-open)
"$cli" project set "$work/g.hgp" ThumbWidth=100 ThumbHeight=100 >/dev/null
thumbsize=$(seconds "$cli" build "$work/g.hgp" --yes --quiet --no-open)

# 200 photographs of 1600 x 1200 (the camera photographs, reduced, under many names).
mkdir -p "$work/many"
i=0
while ((i < 201)); do
  for photo in "$work"/src/*.jpg; do
    ((i < 201)) || break
    i=$((i + 1))
    if ((i <= 14)); then
      "$cli" convert "$photo" "$work/many/m$(printf %03d $i).jpg" --box 1600 1200 --keep-aspect --quality 90 >/dev/null 2>&1
    else
      cp "$work/many/m$(printf %03d $(((i - 1) % 14 + 1))).jpg" "$work/many/m$(printf %03d $i).jpg"
    fi
  done
done
args=()
for f in "$work"/many/m*.jpg; do [[ "$f" == *m201.jpg ]] || args+=(--add "$f"); done
"$cli" project new "$work/m.hgp" TargetDir="$work/many-out" ResizeImages=true ImgWidth=640 \
  ImgHeight=480 ImgResizeMethod=5 ThumbWidth=120 ThumbHeight=120 ThumbResizeMethod=5 "${args[@]}"
full200=$(seconds "$cli" build "$work/m.hgp" --yes --quiet --no-open)
"$cli" project set "$work/m.hgp" --add "$work/many/m201.jpg" >/dev/null
added=$(seconds "$cli" build "$work/m.hgp" --yes --quiet --no-open)

# One big photograph alone: with one worker per processor its resizes borrow the idle cores.
big="$camera/Elephants_5640x3172.jpg"
bigone=""; bigall=""
if [[ -f "$big" ]]; then
  "$cli" project new "$work/big.hgp" TargetDir="$work/big" ResizeImages=true ImgWidth=640 \
    ImgHeight=480 ImgResizeMethod=5 ThumbWidth=120 ThumbHeight=120 ThumbResizeMethod=5 --add "$big" >/dev/null
  read -r bigone bigall < <(bestBuilds "$work/big.hgp" "$work/big1" "$work/big")
fi

# The floor: two djpeg decodes of every source.
djpeg_time=$(seconds bash -c 'for f in "$1"/src/*.jpg; do djpeg "$f" >/dev/null; djpeg "$f" >/dev/null; done' _ "$work")

cat >"$work/pillow.py" <<'PY'
import sys, os, glob
from PIL import Image
work = sys.argv[1]
os.makedirs(work + "/pil", exist_ok=True)
for f in sorted(glob.glob(work + "/src/*.jpg")):
    name = os.path.basename(f)
    for box, q, prefix in (((640, 480), 85, ""), ((120, 120), 75, "tn_")):
        im = Image.open(f); im.load(); im = im.convert("RGB")
        w, h = im.size
        bw, bh = box
        size = (bw, h * bw // w) if bw >= bh else (w * bh // h, bh)
        im.resize(size, Image.LANCZOS).save(work + "/pil/" + prefix + name, quality=q)
PY
# Pillow, the goal's yardstick, also gets the best of three.
pillows=()
for round in 1 2 3; do pillows+=("$(seconds /usr/bin/python3 "$work/pillow.py" "$work")"); done
pillow=$(best "${pillows[@]}")

magick=$(seconds bash -c 'mkdir -p "$1/im"; for f in "$1"/src/*.jpg; do b=$(basename "$f");
  convert "$f" -filter Lanczos -resize 640x -quality 85 "$1/im/$b";
  convert "$f" -filter Lanczos -resize 120x -quality 75 "$1/im/tn_$b"; done' _ "$work")

vips_time=$(seconds bash -c 'mkdir -p "$1/vips"; for f in "$1"/src/*.jpg; do b=$(basename "$f");
  w=$(vipsheader -f width "$f");
  vips resize "$f" "$1/vips/$b[Q=85]" "$(echo "640 / $w" | bc -l)" --kernel lanczos3;
  vips resize "$f" "$1/vips/tn_$b[Q=75]" "$(echo "120 / $w" | bc -l)" --kernel lanczos3; done' _ "$work")

report() { printf '%-22s %8.2f s  %6.3f s/photo  peer/ours %5.2f\n' "$1" "$2" "$(echo "$2 / $n" | bc -l)" "$(echo "$2 / $ours" | bc -l)"; }
echo
report "fotoplex-cli --jobs 1" "$one"
report "fotoplex-cli --jobs $jobs" "$ours"
report "Pillow (one process)" "$pillow"
report "ImageMagick convert" "$magick"
report "vips resize" "$vips_time"
report "2 x djpeg (floor)" "$djpeg_time"
printf 'ours / (2 x djpeg) = %.2f\n' "$(echo "$ours / $djpeg_time" | bc -l)"
printf 'ours / Pillow = %.2f (goal: at most 0.5); --jobs 1 / Pillow = %.2f\n' \
  "$(echo "$ours / $pillow" | bc -l)" "$(echo "$one / $pillow" | bc -l)"
echo "same bytes with 1 and $jobs workers: $same"
echo
printf '%-40s %8.2f s  %5.1f %% of the full build\n' "rebuild, nothing changed" "$unchanged" "$(echo "100 * $unchanged / $ours" | bc -l)"
printf '%-40s %8.2f s  %5.1f %% of the full build\n' "rebuild, thumbnail size changed" "$thumbsize" "$(echo "100 * $thumbsize / $ours" | bc -l)"
printf '%-40s %8.2f s\n' "full build, 200 photographs" "$full200"
printf '%-40s %8.2f s  %5.1f %% of that build\n' "rebuild after adding one photo to 200" "$added" "$(echo "100 * $added / $full200" | bc -l)"
if [[ -n "$bigone" ]]; then
  echo
  printf '%-40s %8.2f s\n' "one 18-megapixel photo, --jobs 1" "$bigone"
  printf '%-40s %8.2f s  %5.2f x faster\n' "one 18-megapixel photo, --jobs $jobs" "$bigall" "$(echo "$bigone / $bigall" | bc -l)"
fi
