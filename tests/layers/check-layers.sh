#!/usr/bin/env bash
# Checks that each folder of src/ includes only its own headers and those of the folders below
# it in the order of folders, and that the programs on top include no other program.
#   check-layers.sh SRC_DIR "LAYER..." "PROGRAM..." ["OTHER..."]
# LAYER... runs from the bottom up; OTHER... are folders with no C++ includes to check (the
# map runtime). Prints every include against the order, with file and line, and fails then.
set -euo pipefail
src=$1
read -r -a layers <<<"$2"
read -r -a programs <<<"$3"
read -r -a others <<<"${4:-}"
bad=0

# check FOLDER ALLOWED...
check() {
  local folder=$1
  shift
  local allowed=" $* "
  local file line target
  while IFS=: read -r file line text; do
    target=${text#*\"}
    target=${target%%/*}
    if [[ "$allowed" != *" $target "* ]]; then
      echo "${file#"$src"/}:$line: $folder may not include $target/: $text"
      bad=$((bad + 1))
    fi
  done < <(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"/]+/' \
             "$src/$folder"/*.h "$src/$folder"/*.cpp 2>/dev/null || true)
}

below=()
for layer in "${layers[@]}"; do
  check "$layer" "${below[@]}" "$layer"
  below+=("$layer")
done
for program in "${programs[@]}"; do
  check "$program" "${layers[@]}" "$program"
done

placed=" ${layers[*]} ${programs[*]} ${others[*]} "
for path in "$src"/*/; do
  name=$(basename "$path")
  if [[ "$placed" != *" $name "* ]]; then
    echo "$name: a folder of src/ without a place in the order of folders"
    bad=$((bad + 1))
  fi
done

if [ "$bad" -gt 0 ]; then
  echo "$bad against the order of folders (bottom up): ${layers[*]}; then ${programs[*]}"
  exit 1
fi
echo "includes follow the order of folders (bottom up): ${layers[*]}; then ${programs[*]}"
