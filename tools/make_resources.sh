#!/usr/bin/env bash
# Regenerates the program icon, its 48-pixel PNG and the About banner in resources/ from scratch.
#
# Needs ImageMagick's convert, python3 and the WenQuanYi Zen Hei font (fonts-wqy-zenhei).
# The output depends only on those tools' versions: run it twice and the bytes are the same.
# Commit the outputs with any change to this script or to tools/resources/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
helpers=$root/tools/resources
out=${1:-$root/resources}

for tool in convert python3 fc-match; do
  command -v "$tool" >/dev/null || { echo "make_resources: $tool is missing" >&2; exit 1; }
done

# fc-match always answers with some font; refuse a substitute, which would change the banner.
font_family=$(fc-match -f '%{family}' 'WenQuanYi Zen Hei')
font=$(fc-match -f '%{file}' 'WenQuanYi Zen Hei')
case $font_family in
  *"WenQuanYi Zen Hei"*) ;;
  *) echo "make_resources: font WenQuanYi Zen Hei not installed (got $font_family)" >&2; exit 1 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$out"
python3 -B "$helpers/make_icon.py" "$out/kelo.ico" "$out/kelo.png"
python3 -B "$helpers/make_banner.py" "$font" "$work" "$out/banner.gif"
python3 -B "$helpers/check_resources.py" "$out/kelo.ico" "$out/banner.gif"
