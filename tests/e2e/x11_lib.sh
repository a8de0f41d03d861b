# Older scripts source the harness under this name.
. "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
