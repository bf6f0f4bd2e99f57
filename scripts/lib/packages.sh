# shellcheck shell=bash
# ensure_packages PKG...: installs the Debian packages that are not installed yet (as root,
# `apt-get update` once per call when anything is missing). Sourced by the project's scripts.
# A name may carry an architecture (wine32:i386); a foreign one is enabled first.
#
# A mirror that serves one broken index (e.g. mid-sync) makes `apt-get update` fail while the other
# lists still download, so the install is tried regardless. If the install fails, a call that names
# foreign-architecture packages retries its native ones alone, so one bad foreign package does not
# keep the rest away. On failure the foreign architectures this call enabled are removed again:
# apt fetches and reads lists only for the architectures dpkg knows, so their lists, good or
# broken, stop mattering to later updates (dpkg keeps an architecture that packages still use).
# Quiet but for the `== installing:` line; a failure prints one line naming the packages still
# missing and apt's last `E:` line (and update's, when that failed too), and returns non-zero.
ensure_packages() {
  local missing=() native=() arches=() left=() p arch err="" update_err="" retry_err status
  for p in "$@"; do
    _ensure_packages_installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages (run as root to install): ${missing[*]}" >&2
    return 1
  fi
  for p in "${missing[@]}"; do
    arch=${p#*:}
    if [ "$arch" = "$p" ] || [ "$arch" = "$(dpkg --print-architecture)" ]; then
      native+=("$p")
      continue
    fi
    dpkg --print-foreign-architectures | grep -qx "$arch" && continue
    [[ " ${arches[*]} " == *" $arch "* ]] || arches+=("$arch")
  done
  echo "== installing: ${missing[*]}"
  local -x DEBIAN_FRONTEND=noninteractive
  status=0
  for arch in "${arches[@]}"; do
    err=$(dpkg --add-architecture "$arch" 2>&1) || { status=$?; break; }
  done
  if [ $status -eq 0 ]; then
    # Only stderr is kept, to report from.
    update_err=$(apt-get update -qq 2>&1 >/dev/null) && update_err=""
    err=$(apt-get install -y -qq "${missing[@]}" 2>&1 >/dev/null) && return 0
    status=$?
    if [ ${#native[@]} -gt 0 ] && [ ${#native[@]} -lt ${#missing[@]} ]; then
      retry_err=$(apt-get install -y -qq "${native[@]}" 2>&1 >/dev/null) || err=$retry_err
    fi
  fi
  for arch in "${arches[@]}"; do
    dpkg --remove-architecture "$arch" >/dev/null 2>&1 || :  # refused while packages use it
  done
  for p in "${missing[@]}"; do
    _ensure_packages_installed "$p" || left+=("$p")
  done
  [ ${#left[@]} -gt 0 ] || left=("${missing[@]}")
  err=$(_ensure_packages_last_error "$err")
  update_err=$(_ensure_packages_last_error "$update_err")
  echo "ensure_packages: could not install ${left[*]}: ${err:-exit status $status}${update_err:+ (apt-get update: $update_err)}" >&2
  return 1
}

_ensure_packages_installed() {  # PKG: whether dpkg has it installed
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

_ensure_packages_last_error() {  # TEXT: its last `E:` (apt) or `dpkg: error` line
  awk '/^(E:|dpkg: error)/ { last = $0 } END { print last }' <<<"$1"
}

# runs_x86_programs: whether this machine runs 32-bit x86 Linux programs. Some virtual machines
# and sandboxes refuse them ("Exec format error"); the 32-bit Wine cannot start there. The probe
# is a 93-byte static i386 program that only exits with status 0.
runs_x86_programs() {
  local dir status=1
  dir=$(mktemp -d) || return 1
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0' >"$dir/probe"
  printf '\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\61\333\315\200' \
    >>"$dir/probe"
  chmod +x "$dir/probe" && "$dir/probe" 2>/dev/null && status=0
  rm -rf "$dir"
  return $status
}

# ensure_wine32: the 32-bit Wine (wine32:i386), where this machine can run it. Where it cannot,
# an installed one is removed: Debian's `wine` starts every program, 64-bit ones too, through
# the 32-bit loader whenever that is installed, so no Wine program would start at all.
ensure_wine32() {
  if runs_x86_programs; then
    ensure_packages wine32:i386
    return
  fi
  echo "== this machine does not run 32-bit x86 programs: no 32-bit Wine"
  _ensure_packages_installed wine32:i386 || return 1
  if [ "$(id -u)" -ne 0 ]; then
    echo "the 32-bit Wine cannot run here and stops every Wine program (as root: apt-get remove wine32:i386)" >&2
    return 1
  fi
  echo "== removing wine32:i386, which cannot run here"
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq wine32:i386 >/dev/null 2>&1 ||
    echo "ensure_wine32: could not remove wine32:i386" >&2
  return 1
}
