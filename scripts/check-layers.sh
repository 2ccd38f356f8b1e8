#!/usr/bin/env bash
# The layers' includes: each folder includes only the layers before it, text/ → data/store →
# data/rules → data/documents → ui/ → app/, and a library's private headers only itself.
# The link of each data library alone (the *_layer_check programs) checks the calls.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
refuse() { # FOLDER PATTERN WHY
    local hits
    hits=$(git grep -nE "^#include [\"<]($2)" -- "$1" || true)
    if [ -n "$hits" ]; then
        echo "$1 may not include $3:" >&2
        echo "$hits" >&2
        status=1
    fi
}
refuse text 'data/|ui/|app/|Q' "data, the window, the programs or Qt"
refuse data/store 'data/rules/|data/documents/|ui/|app/|Q' "the rules, the documents, the window or Qt"
refuse data/rules 'data/documents/|ui/|app/' "the documents or the window"
refuse data/documents 'ui/|app/' "the window"
refuse ui 'app/' "the programs"
hits=$(git grep -n '^#include "data/store/private/' -- . ':!data/store' || true)
if [ -n "$hits" ]; then
    echo "the store's private headers are its own:" >&2
    echo "$hits" >&2
    status=1
fi
exit $status
