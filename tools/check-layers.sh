#!/usr/bin/env bash
# Checks how the source folders include each other: src/base includes no subsystem, and no two
# subsystems' Qt folders include each other (the main window, which puts every window
# together, aside). Prints each breach and fails when there is one.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
subsystems=(core net script map settings tools)
failed=0

if breaches=$(grep -rn '#include "' "$src/base" | grep -v '#include "base/'); then
    echo "src/base includes a subsystem:"
    echo "$breaches"
    failed=1
fi

# The files of subsystem a's Qt folder that include subsystem b's Qt folder.
includers() {
    grep -rl "#include \"$2/qt/" "$src/$1/qt" 2>/dev/null | grep -v '/core/qt/TMainForm\.' || true
}
for ((i = 0; i < ${#subsystems[@]}; ++i)); do
    for ((j = i + 1; j < ${#subsystems[@]}; ++j)); do
        a=${subsystems[i]} b=${subsystems[j]}
        ab=$(includers "$a" "$b") ba=$(includers "$b" "$a")
        if [ -n "$ab" ] && [ -n "$ba" ]; then
            echo "$a/qt and $b/qt include each other:"
            echo "$ab" "$ba"
            failed=1
        fi
    done
done
exit $failed
