#!/usr/bin/env bash
# Fails when the product's folders stop being layers: a folder that includes a folder
# above it, a cycle between folders, or a folder below app/ that makes, shows or changes
# a window, a menu, the tray icon or a balloon.
#   tools/check_layers.sh [folder ...]   (bottom to top; default: the product's order)
set -euo pipefail
cd "$(dirname "$0")/.."
layers=("$@")
[ ${#layers[@]} -gt 0 ] || layers=(text settings history drawers app)
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

status=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for folder in "${layers[@]}"; do
  while IFS=: read -r file line include; do
    target=${include#*\"}
    target=${target%%/*}
    [ -n "${rank[$target]+set}" ] || continue
    [ "$target" = "$folder" ] && continue
    echo "$folder $target" >>"$edges"
    if [ "${rank[$target]}" -gt "${rank[$folder]}" ]; then
      echo "upward include: $file:$line includes $target/ from $folder/" >&2
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder" || true)
done
if ! sort -u "$edges" | tsort >/dev/null 2>&1; then
  echo "the folders include each other in a cycle:" >&2
  sort -u "$edges" | tsort 2>&1 >/dev/null | sed 's/^/  /' >&2
  status=1
fi

# Calls that make or change what the user sees; only the shell may make them.
window_calls='\b(Create(Window|Dialog|PopupMenu|Menu)[A-Za-z]*|DialogBox[A-Za-z]*|ShowWindow|SetWindowText[AW]?|SetDlgItemText[AW]?|MessageBox[A-Za-z]*|(Append|Insert|Delete|Remove|Check|Enable|Modify)Menu[A-Za-z]*|TrackPopupMenu[A-Za-z]*|Shell_NotifyIcon[AW]?|InvalidateRect|SetFocus|MoveWindow|SetWindowPos|DestroyWindow)\s*\('
for folder in "${layers[@]}"; do
  [ "$folder" = app ] && continue
  if grep -rnE --include='*.h' --include='*.cpp' "$window_calls" "$folder" >&2; then
    echo "only app/ may make or change windows, menus, the tray icon or balloons (above: $folder/)" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "layers: ${layers[*]} (bottom to top), no upward include, no cycle, windows only in app/"
exit $status
