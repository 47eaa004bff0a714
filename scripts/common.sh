# Shared by the scripts: where things live, and the Wine settings every
# script uses. Sourced, not run.

LX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LX_BUILD="$LX_ROOT/build"
LX_CACHE="$LX_BUILD/cache"

# 64-bit Wine only; no prompts for the .NET and HTML engines we never use;
# Wine's own diagnostics off unless the caller asks for them.
export WINEARCH=win64
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEDEBUG="${WINEDEBUG:--all}"

lx_log() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }

# Runs a command as root: directly when we are root, else through sudo.
lx_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The Windows form of a Linux path inside Wine (the Linux root is Z:).
lx_windows_path() {
  printf 'Z:%s' "$1" | tr '/' '\\'
}
