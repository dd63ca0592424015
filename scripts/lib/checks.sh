# Sourced by the Wine checks and the scripts that run the programs: the
# builds (builds.sh), Wine and its helpers (wine.sh) and the count lines
# (counts.sh).
source "$(dirname "${BASH_SOURCE[0]}")/builds.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"
source "$(dirname "${BASH_SOURCE[0]}")/counts.sh"
