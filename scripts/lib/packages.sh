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
