#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every source file of the repository names its licence on its first lines.
set -euo pipefail
cd "$1"
missing=0
while IFS= read -r f; do
    if ! grep -q 'SPDX-License-Identifier: MIT' <(head -n 2 -- "$f"); then
        echo "no licence line: $f"
        missing=1
    fi
done < <(git ls-files -- '*.cpp' '*.h' '*.sh' 'CMakeLists.txt' '*/CMakeLists.txt' scripts/kvr .ci/run)
exit $missing
