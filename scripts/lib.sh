# Shared functions of scripts/run and scripts/test (bash; source it, don't run it).

GLYPHORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${HOME:=$(getent passwd "$(id -u)" | cut -d: -f6)}"
export HOME
GLYPHORA_CACHE_DIR="${GLYPHORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/glyphora}"
GLYPHORA_JOBS="${GLYPHORA_JOBS:-$(nproc)}"

# Bump when the prepared prefix changes, so cached template prefixes are remade.
# Revision 2: the prefix is made by the 64-bit loader (a WoW64 prefix).
GLYPHORA_PREFIX_REVISION=2

# The Wine loaders, called by their own paths: Debian's /usr/bin/wine picks the
# 32-bit loader whenever wine32 is installed, even for a 64-bit program, and
# that loader cannot start at all where the kernel refuses 32-bit code.
GLYPHORA_WINE64=/usr/lib/wine/wine64
GLYPHORA_WINE32=/usr/lib/wine/wine

# Debian packages the build, the program and the tests need; the 32-bit Wine
# is added only where the machine runs 32-bit code (glyphora_install_deps).
GLYPHORA_PACKAGES=(
  wine wine64
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  xvfb xauth x11-utils xdotool imagemagick
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  fonts-dejavu-core fonts-liberation fonts-wine
  googletest cmake make python3 ccache python3-fonttools
  qemu-user
)

glyphora_log() { printf '[glyphora] %s\n' "$*" >&2; }
glyphora_die() { printf '[glyphora] error: %s\n' "$*" >&2; exit 1; }

# Seconds since the epoch with milliseconds, for timing the steps.
glyphora_now() { date +%s.%N | cut -c1-14; }
glyphora_since() { awk -v a="$1" -v b="$(glyphora_now)" 'BEGIN { printf "%.1f", b - a }'; }

# glyphora_i386_probe <file>: writes the smallest static i386 Linux program
# there: one LOAD segment whose code is exit(42) through int 0x80. It needs no
# 32-bit libraries, so running it asks the kernel alone.
glyphora_i386_probe() {
  # ELF header: 32-bit, little-endian, EXEC, i386, entry 0x08048054, one
  # program header at 52.
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$1"
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$1"
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$1"
  # Program header: LOAD the whole 96-byte file at 0x08048000, read + execute.
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' >>"$1"
  printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$1"
  # mov eax, 1 (exit); mov ebx, 42; int 0x80
  printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >>"$1"
  chmod +x "$1"
}

# glyphora_detect_i386 [runner]: sets GLYPHORA_RUNS_I386 (1 or 0) and
# GLYPHORA_I386_REASON. Some machines of ours refuse every 32-bit ELF ("Exec
# format error") though their kernel is built with 32-bit support, so only
# running one tells. The probe counts only when it exits with its own 42.
# GLYPHORA_I386=0|1 overrides the probe. <runner> (for the probe's own test)
# runs the probe instead of executing it directly.
glyphora_detect_i386() {
  local runner=("$@") probe dir status out
  if [[ -n "${GLYPHORA_I386:-}" ]]; then
    GLYPHORA_RUNS_I386="$GLYPHORA_I386"
    GLYPHORA_I386_REASON="GLYPHORA_I386=$GLYPHORA_I386 is set"
    return 0
  fi
  dir="$(mktemp -d)"
  probe="$dir/i386-probe"
  glyphora_i386_probe "$probe"
  status=0
  out="$("${runner[@]}" "$probe" 2>&1)" || status=$?
  rm -rf "$dir"
  if ((status == 42)); then
    GLYPHORA_RUNS_I386=1
    GLYPHORA_I386_REASON="this machine runs 32-bit x86 programs"
  else
    GLYPHORA_RUNS_I386=0
    out="${out##*: }"
    GLYPHORA_I386_REASON="this machine cannot run 32-bit x86 programs (a static i386 probe gave ${out:-exit status $status})"
  fi
}

# Installs the missing packages; does nothing (quickly) when all are there.
# The 32-bit Wine only where 32-bit code runs: installed elsewhere, it would
# only be in the way (Debian's wine wrapper prefers it).
glyphora_install_deps() {
  local missing=() pkg installed
  [[ -n "${GLYPHORA_RUNS_I386:-}" ]] || glyphora_detect_i386
  local packages=("${GLYPHORA_PACKAGES[@]}")
  ((GLYPHORA_RUNS_I386)) && packages+=(wine32:i386 libcups2:i386)
  installed="$(dpkg-query -W -f='${binary:Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
               awk '$2 == "installed" { print $1 }' || true)"
  for pkg in "${packages[@]}"; do
    grep -qxF -e "$pkg" -e "${pkg%:amd64}" <<<"$installed" || missing+=("$pkg")
  done
  ((${#missing[@]} == 0)) && return 0
  glyphora_log "installing: ${missing[*]}"
  [[ $(id -u) == 0 ]] || glyphora_die "missing packages (run as root to install): ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ((GLYPHORA_RUNS_I386)) && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
}

# The targets of a build that ships or drives the program, without tests.
GLYPHORA_PRODUCT_TARGETS="Glyphora glydrive GlyphoraBench"

# glyphora_build <build dir> <toolchain file> [targets...]
# Configures (first time, or when these settings changed; later builds re-run
# CMake by themselves when needed) and builds the given targets, or
# everything. Warnings are errors here. Debug information is line tables only
# (-g1): enough for Wine's backtraces with function names and source lines, at
# a fraction of the compile and link time of full debug information.
# Compiles go through ccache: CI, in a fresh clone elsewhere on the same
# machine, then mostly reuses what the session compiled (BASEDIR and NOHASHDIR
# make the cache independent of the checkout's folder).
glyphora_build() {
  local dir="$1" toolchain="$2"
  shift 2
  local settings=(
    -DCMAKE_TOOLCHAIN_FILE="$GLYPHORA_ROOT/cmake/$toolchain"
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
    "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
    -DGLYPHORA_WERROR=ON
  )
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$GLYPHORA_ROOT" CCACHE_NOHASHDIR=1
    settings+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  local targets=() t
  for t in "$@"; do targets+=(--target "$t"); done
  mkdir -p "$dir"
  (
    flock 9 # one build at a time in a build folder
    local stamp="$dir/.glyphora-configured"
    if [[ ! -f "$dir/CMakeCache.txt" || "$(cat "$stamp" 2>/dev/null)" != "${settings[*]}" ]]; then
      cmake -S "$GLYPHORA_ROOT" -B "$dir" -G "Unix Makefiles" "${settings[@]}" >/dev/null || exit 1
      printf '%s' "${settings[*]}" >"$stamp"
    fi
    cmake --build "$dir" -j "$GLYPHORA_JOBS" "${targets[@]}"
  ) 9>"$dir/.glyphora-build.lock"
}

# Starts Xvfb on a free display (from :100 up, clear of the usual :0 and :99);
# sets GLYPHORA_XVFB_PID and exports DISPLAY. Xvfb writes the display number to
# -displayfd once it accepts connections.
glyphora_start_xvfb() {
  local fdfile n i
  fdfile="$(mktemp)"
  for ((n = 100; n < 200; n++)); do
    [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]] && continue
    : >"$fdfile"
    Xvfb ":$n" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
      3>"$fdfile" >/dev/null 2>&1 &
    GLYPHORA_XVFB_PID=$!
    for ((i = 0; i < 200; i++)); do
      [[ -s "$fdfile" ]] && break
      kill -0 "$GLYPHORA_XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
    if [[ -s "$fdfile" ]]; then
      rm -f "$fdfile"
      export DISPLAY=":$n"
      return 0
    fi
    glyphora_stop_pid "$GLYPHORA_XVFB_PID" # lost a race for :$n, or hung
  done
  rm -f "$fdfile"
  GLYPHORA_XVFB_PID=
  glyphora_die "Xvfb did not start"
}

# glyphora_stop_pid <pid> [seconds]: TERM, wait, then KILL if still there.
glyphora_stop_pid() {
  local pid="$1" limit="${2:-5}" i
  [[ -n "$pid" ]] || return 0
  kill "$pid" 2>/dev/null || return 0
  for ((i = 0; i < limit * 20; i++)); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    sleep 0.05
  done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}

# glyphora_wine64 <program> [args...]: runs a Windows program with the 64-bit
# loader (WINELOADER tells Wine which loader starts the processes it spawns).
glyphora_wine64() { WINELOADER="$GLYPHORA_WINE64" "$GLYPHORA_WINE64" "$@"; }

glyphora_prefix_stamp() {
  echo "$("$GLYPHORA_WINE64" --version) 64-bit revision $GLYPHORA_PREFIX_REVISION"
}

# Applies the Glyphora settings to the Wine prefix $WINEPREFIX (idempotent):
# - X11 Driver Managed=N: no 2 s stall when a window is hidden or destroyed
#   without a window manager; keys reach a new window without a click.
# - WineDbg ShowCrashDialog=0: a crash prints a backtrace and ends the process
#   instead of waiting for a click on a dialog.
# - mscoree, mshtml, winemenubuilder off: no installer dialogs, no desktop files.
# - Wine's own fonts (Tahoma, MS Sans Serif, Marlett, ...) installed.
glyphora_prefix_settings() {
  local regfile
  regfile="$(mktemp -d)"
  cat >"$regfile/glyphora.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"mscoree"=""
"mshtml"=""
"winemenubuilder.exe"=""
EOF
  (cd "$regfile" && glyphora_wine64 regedit /S glyphora.reg) || return 1
  rm -rf "$regfile"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
  wineserver -w
  glyphora_prefix_stamp >"$WINEPREFIX/.glyphora-prefix"
}

# glyphora_prepare_prefix <dir>: makes a Wine prefix there, or updates one.
# No printers get into it: CUPS_SERVER points nowhere while it is made.
glyphora_prepare_prefix() {
  local dir="$1"
  [[ -f "$dir/.glyphora-prefix" && "$(cat "$dir/.glyphora-prefix")" == "$(glyphora_prefix_stamp)" ]] && return 0
  mkdir -p "$(dirname "$dir")"
  (
    export WINEPREFIX="$dir" WINEDEBUG=-all CUPS_SERVER=/nonexistent/cups.sock
    if [[ ! -f "$dir/system.reg" ]]; then
      glyphora_log "creating Wine prefix $dir"
      WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" glyphora_wine64 wineboot -i >/dev/null 2>&1 || exit 1
    fi
    glyphora_prefix_settings
  ) || glyphora_die "could not prepare the Wine prefix $dir"
}

# Prints the path of the cached template prefix, making it first if needed.
# Test runs copy it (cp -a; never hard links: wineserver rewrites files in place).
glyphora_template_prefix() {
  local template="$GLYPHORA_CACHE_DIR/wineprefix-template"
  mkdir -p "$GLYPHORA_CACHE_DIR"
  (
    flock 9
    if [[ ! -f "$template/.glyphora-prefix" || "$(cat "$template/.glyphora-prefix")" != "$(glyphora_prefix_stamp)" ]]; then
      local fresh="$template.new.$$"
      rm -rf "$fresh"
      glyphora_prepare_prefix "$fresh"
      rm -rf "$template"
      mv "$fresh" "$template"
    fi
  ) 9>"$GLYPHORA_CACHE_DIR/wineprefix-template.lock" || exit 1
  echo "$template"
}

# glyphora_start_cups <dir>: a private CUPS daemon under <dir> (config, spool,
# logs, socket <dir>/cups.sock) with one printer, "PDF", the default, made by
# cups-pdf. Exports CUPS_SERVER and GLYPHORA_PDF_DIR (<dir>/pdf); sets
# GLYPHORA_CUPSD_PID and GLYPHORA_CUPS_PDF_CONF.
#
# cups-pdf reads its settings (the output folder "Out") only from /etc/cups:
# cups-pdf.conf for the URI cups-pdf:/, cups-pdf-NAME.conf for cups-pdf:/NAME.
# So each run's queue uses its own instance name and writes its own small
# /etc/cups/cups-pdf-glyphora-*.conf, removed again by glyphora_stop_cups;
# files left by runs that were killed are removed once their folder is gone.
glyphora_start_cups() {
  local dir="$1" conf
  for conf in /etc/cups/cups-pdf-glyphora-*.conf; do
    [[ -f "$conf" ]] || continue
    [[ -d "$(awk '$1 == "Out" { print $2 }' "$conf")" ]] || rm -f "$conf"
  done

  mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/pdf"
  # Filters run as the CUPS user "lp": every folder above the spool must let
  # it pass.
  chmod 755 "$dir"
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
CONF
  cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
  local instance
  instance="glyphora-$(printf %s "$dir" | md5sum | cut -c1-12)"
  GLYPHORA_CUPS_PDF_CONF="/etc/cups/cups-pdf-$instance.conf"
  printf 'Out %s\n' "$dir/pdf" >"$GLYPHORA_CUPS_PDF_CONF" ||
    glyphora_die "cannot write $GLYPHORA_CUPS_PDF_CONF (cups-pdf needs root)"

  cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  GLYPHORA_CUPSD_PID=$!
  export CUPS_SERVER="$dir/cups.sock"
  export GLYPHORA_PDF_DIR="$dir/pdf"
  local i
  for ((i = 0; i < 200; i++)); do
    [[ -S "$CUPS_SERVER" ]] && lpstat -r >/dev/null 2>&1 && break
    kill -0 "$GLYPHORA_CUPSD_PID" 2>/dev/null || glyphora_die "cupsd did not start: $(cat "$dir/log/cupsd.out")"
    sleep 0.05
  done
  # TitlePref=1: name each file after the job's title as CUPS has it (Wine
  # gives the document name). The title cups-pdf 3.0.1 reads from the
  # PostScript instead ("%%Title:") is not terminated and picks up stray bytes.
  lpadmin -p PDF -E -v "cups-pdf:/$instance" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
    -o TitlePref=1 2>/dev/null &&
    lpadmin -d PDF || glyphora_die "could not add the PDF printer"
}

glyphora_stop_cups() {
  glyphora_stop_pid "$GLYPHORA_CUPSD_PID"
  GLYPHORA_CUPSD_PID=
  [[ -n "$GLYPHORA_CUPS_PDF_CONF" ]] && rm -f "$GLYPHORA_CUPS_PDF_CONF"
  GLYPHORA_CUPS_PDF_CONF=
}
