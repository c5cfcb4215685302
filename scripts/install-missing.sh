# Installs those of the Debian packages named as arguments that are missing.
# Sourced by run.sh and test.sh; needs root when something is missing.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
  fi
}
