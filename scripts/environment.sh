# The test environment that scripts/test and scripts/run build around the
# Windows program: a virtual display, a private print server, a Wine prefix
# with the "printto" handler. Sourced after common.sh. Every process started
# here is recorded so that lx_stop_environment can stop it by id.

LX_STARTED_PIDS=()
# Where the display log, the print server and its output live; scripts/dev-env
# points it elsewhere so that a developer's environment and a test run can
# exist side by side.
LX_ENV_DIR="${LX_ENV_DIR:-$LX_BUILD}"
# cups-pdf's instance name, which names its settings file under /etc/cups.
LX_PDF_INSTANCE="${LX_PDF_INSTANCE:-lumartest}"

# --- display -----------------------------------------------------------------

lx_free_display_number() {
  local number
  for number in $(seq 90 199); do
    if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
      echo "$number"
      return 0
    fi
  done
  return 1
}

lx_start_display() {
  local number
  number="$(lx_free_display_number)" || { echo "no free X display number" >&2; return 1; }
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >"$LX_ENV_DIR/xvfb.log" 2>&1 &
  LX_STARTED_PIDS+=("$!")
  local tries
  for tries in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$number" ] && break
    sleep 0.05
  done
  [ -e "/tmp/.X11-unix/X$number" ] || { cat "$LX_ENV_DIR/xvfb.log" >&2; return 1; }
  export DISPLAY=":$number"
  lx_log "display $DISPLAY"
}

# --- print server ------------------------------------------------------------

# A private cupsd with its own configuration, socket, spool, logs and output
# folders, and two printers: "PDF" (cups-pdf, the default, writing into
# $LX_PRINT_OUTPUT/pdf) and "Datei", a raw printer whose backend writes every
# job to its own file "<job id>-<title>" in $LX_PRINT_OUTPUT/file, so that
# tests see every job, in order. Job history is kept as well.
lx_start_print_server() {
  local root="$LX_ENV_DIR/cups"
  rm -rf "$root"
  mkdir -p "$LX_ENV_DIR" "$root"/{etc/ppd,spool/tmp,cache,state,log,output/pdf,output/file,pdf-spool}
  chmod 0777 "$root/output/pdf" "$root/output/file" "$root/pdf-spool"
  # The server's programs are the system's, plus the file printer's backend.
  mkdir -p "$root/serverbin/backend"
  local entry
  for entry in /usr/lib/cups/*; do
    [ "$(basename "$entry")" = backend ] || ln -s "$entry" "$root/serverbin/"
  done
  for entry in /usr/lib/cups/backend/*; do
    ln -s "$entry" "$root/serverbin/backend/"
  done
  install -m 0755 "$LX_ROOT/scripts/cups-file-backend" "$root/serverbin/backend/lumarfile"
  chmod 0710 "$root/spool"
  export LX_PRINT_ROOT="$root"
  export LX_PRINT_OUTPUT="$root/output"
  export CUPS_SERVER="$root/cups.sock"

  cat >"$root/etc/cupsd.conf" <<CONF
Listen $CUPS_SERVER
LogLevel warn
Browsing Off
DefaultAuthType None
WebInterface No
PreserveJobHistory Yes
PreserveJobFiles Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$root/etc/cups-files.conf" <<CONF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
ServerBin $root/serverbin
CONF
  # cups-pdf reads its settings from /etc/cups/cups-pdf-<name>.conf when its
  # device URI is "cups-pdf:/<name>"; the name is ours alone.
  local generated
  generated="$(mktemp)"
  printf 'Out %s\nAnonDirName %s\nSpool %s\nLog %s\nGrp root\n' \
    "$root/output/pdf" "$root/output/pdf" "$root/pdf-spool" "$root/log" >"$generated"
  lx_as_root install -m 0644 "$generated" "/etc/cups/cups-pdf-$LX_PDF_INSTANCE.conf"
  rm -f "$generated"

  cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" >"$root/log/cupsd.out" 2>&1 &
  LX_STARTED_PIDS+=("$!")
  local tries
  for tries in $(seq 1 100); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
  done
  lpstat -r >/dev/null 2>&1 || { cat "$root/log/"* >&2; return 1; }

  lpadmin -p PDF -E -v "cups-pdf:/$LX_PDF_INSTANCE" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
    -D "PDF printer" 2>/dev/null || return 1
  lpadmin -p Datei -E -v "lumarfile:$root/output/file" -D "File printer" || return 1
  lpadmin -d PDF || return 1
  lx_log "print server $CUPS_SERVER (printers: $(lpstat -e | tr '\n' ' '))"
}

# --- Wine prefix -------------------------------------------------------------

# The prefix's registry: the "printto" handler for .pdf documents
# (scripts/printto-lp, started through "start /unix", hands the document to
# CUPS), and for test displays (first argument "test") unmanaged X11 windows:
# with no window manager there, every hide of a managed window waits for an
# answer that never comes. A person's desktop keeps its window manager.
# Test prefixes also turn off the crash dialog: on a display nobody watches
# it would hold a crashed test program open until the run's time is up,
# where without it the debugger prints the stack and the program ends.
lx_write_prefix_registry() {
  local purpose="${1:-}"
  local handler
  handler="$LX_ROOT/scripts/printto-lp"
  local reg
  reg="$(mktemp --suffix=.reg)"
  cat >"$reg" <<REG
REGEDIT4

[HKEY_CLASSES_ROOT\\.pdf]
@="Lumar.PdfDocument"

[HKEY_CLASSES_ROOT\\Lumar.PdfDocument\\shell\\printto\\command]
@="C:\\\\windows\\\\system32\\\\start.exe /unix \\"$handler\\" \\"%1\\" \\"%2\\" \\"%3\\" \\"%4\\""
REG
  if [ "$purpose" = test ]; then
    cat >>"$reg" <<'REG'

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  fi
  wine regedit /S "$(lx_windows_path "$reg")" || return 1
  rm -f "$reg"
}

# Creates the prefix once and keeps it while its inputs stay the same; the
# stamp records what it was made from.
# Second argument "test" for the prefixes of test runs (see above).
lx_prepare_wine_prefix() {
  export WINEPREFIX="$1"
  local purpose="${2:-}"
  local stamp="$WINEPREFIX/.lx-stamp"
  local inputs
  inputs="$(cat "$LX_ROOT/scripts/environment.sh" "$LX_ROOT/scripts/printto-lp" | sha256sum | cut -c1-16) $LX_ROOT $purpose"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$inputs" ]; then
    wineserver -p >/dev/null 2>&1 || true
    lx_log "wine prefix $WINEPREFIX (kept)"
    return 0
  fi
  lx_log "creating wine prefix $WINEPREFIX"
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >"$LX_ENV_DIR/wineboot.log" 2>&1 || { cat "$LX_ENV_DIR/wineboot.log" >&2; return 1; }
  wineserver -p >/dev/null 2>&1 || true
  lx_write_prefix_registry "$purpose" || return 1
  echo "$inputs" >"$stamp"
}

# --- teardown ----------------------------------------------------------------

lx_stop_environment() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  local pid
  for pid in "${LX_STARTED_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${LX_STARTED_PIDS[@]}"; do
    wait "$pid" >/dev/null 2>&1 || true
  done
  LX_STARTED_PIDS=()
}
