#!/usr/bin/env bash
# A print service for the printing tests: starts the local CUPS scheduler
# when it is not running and sets up two queues, then tells the tests where
# their output lands.
#   QuotaroCapture  a raw queue whose "capture" backend copies every job it
#                   is given, untouched, into $QUOTARO_CAPTURE_DIR
#   QuotaroPDF      an ordinary PDF printer (cups-pdf), output in
#                   $QUOTARO_CUPS_PDF_DIR (the PDF folder in the submitting
#                   user's home)
#   QuotaroRefusing a queue that refuses every job, for the tests of what
#                   the user is told then
# Source this file and call quotaro_start_cups. Safe to call again: what is
# already in place is left as it is. Never fails the calling script; when it
# cannot set things up it says why and the CUPS tests skip themselves.

QUOTARO_CAPTURE_QUEUE=${QUOTARO_CAPTURE_QUEUE:-QuotaroCapture}
QUOTARO_PDF_QUEUE=${QUOTARO_PDF_QUEUE:-QuotaroPDF}
QUOTARO_REFUSING_QUEUE=${QUOTARO_REFUSING_QUEUE:-QuotaroRefusing}
QUOTARO_CAPTURE_DIR=${QUOTARO_CAPTURE_DIR:-/var/spool/quotaro-capture}
# cups-pdf writes into the PDF folder of the submitting user's home as the
# user database knows it.
QUOTARO_CUPS_PDF_DIR=${QUOTARO_CUPS_PDF_DIR:-$(getent passwd "$(id -un)" | cut -d: -f6)/PDF}
export QUOTARO_CAPTURE_QUEUE QUOTARO_PDF_QUEUE QUOTARO_REFUSING_QUEUE QUOTARO_CAPTURE_DIR QUOTARO_CUPS_PDF_DIR

# The backend as CUPS runs it: with no arguments it names its device class;
# with five it reads the job from standard input, with six from the file
# named by the sixth. The copy is made under a temporary name and renamed,
# so a reader never sees half a job.
_quotaro_capture_backend() {
  cat <<'BACKEND'
#!/bin/sh
if [ "$#" -eq 0 ]; then
  echo 'direct capture "Unknown" "Quotaro capture folder"'
  exit 0
fi
if [ "$#" -lt 5 ]; then
  echo "Usage: capture job-id user title copies options [file]" >&2
  exit 1
fi
dir=${DEVICE_URI#capture:}
case "$dir" in
  ""|"/"|"//") dir=@CAPTURE_DIR@ ;;
esac
mkdir -p "$dir" 2>/dev/null
tmp="$dir/.job-$1.part"
if [ "$#" -ge 6 ]; then
  cat "$6" > "$tmp" || exit 1
else
  cat > "$tmp" || exit 1
fi
chmod 644 "$tmp"
mv -f "$tmp" "$dir/job-$1.pdf" || exit 1
echo "INFO: job $1 captured in $dir" >&2
exit 0
BACKEND
}

_quotaro_cups_running() {
  LC_ALL=C lpstat -r 2>/dev/null | grep -q "is running"
}

quotaro_start_cups() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "Note: not root, so no private print service is set up; the CUPS printing tests will skip unless the queues $QUOTARO_CAPTURE_QUEUE and $QUOTARO_PDF_QUEUE already exist."
    return 0
  fi
  if ! command -v cupsd >/dev/null 2>&1 && [ ! -x /usr/sbin/cupsd ]; then
    echo "Note: cupsd is not installed; the CUPS printing tests will skip."
    return 0
  fi

  local backend=/usr/lib/cups/backend/capture
  local wanted
  wanted=$(_quotaro_capture_backend | sed "s|@CAPTURE_DIR@|$QUOTARO_CAPTURE_DIR|")
  if [ ! -x "$backend" ] || [ "$(cat "$backend" 2>/dev/null)" != "$wanted" ]; then
    printf '%s\n' "$wanted" > "$backend.new" && chmod 755 "$backend.new" && mv -f "$backend.new" "$backend" \
      || { echo "Note: could not install $backend; the CUPS printing tests will skip."; return 0; }
  fi
  # The backend runs as the scheduler's unprivileged user: the folder must
  # be writable by it.
  mkdir -p "$QUOTARO_CAPTURE_DIR" && chmod 1777 "$QUOTARO_CAPTURE_DIR"

  if ! _quotaro_cups_running; then
    mkdir -p /run/cups
    local cupsd=cupsd
    command -v cupsd >/dev/null 2>&1 || cupsd=/usr/sbin/cupsd
    "$cupsd" || { echo "Note: cupsd did not start; the CUPS printing tests will skip."; return 0; }
    local i
    for i in $(seq 1 50); do
      _quotaro_cups_running && break
      sleep 0.2
    done
    if ! _quotaro_cups_running; then
      echo "Note: the CUPS scheduler is not answering; the CUPS printing tests will skip."
      return 0
    fi
  fi

  if ! lpstat -p "$QUOTARO_CAPTURE_QUEUE" >/dev/null 2>&1; then
    lpadmin -p "$QUOTARO_CAPTURE_QUEUE" -v capture:/ -E -o printer-error-policy=abort-job \
      || echo "Note: could not create the queue $QUOTARO_CAPTURE_QUEUE."
  fi
  if ! lpstat -p "$QUOTARO_PDF_QUEUE" >/dev/null 2>&1; then
    local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
    [ -f "$ppd" ] || ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
    if [ -f "$ppd" ]; then
      # lpadmin warns that PPD drivers are deprecated; only a failure is worth showing.
      local out
      out=$(lpadmin -p "$QUOTARO_PDF_QUEUE" -v cups-pdf:/ -E -P "$ppd" -o printer-error-policy=abort-job 2>&1) \
        || echo "Note: could not create the queue $QUOTARO_PDF_QUEUE: $out"
    else
      echo "Note: the cups-pdf driver is not installed; no queue $QUOTARO_PDF_QUEUE."
    fi
  fi
  # The PDF printer's page goes through PostScript; rendered by cairo the
  # text stays text, so the tests can read it back from the output file.
  if lpstat -p "$QUOTARO_PDF_QUEUE" >/dev/null 2>&1 \
     && ! lpoptions -p "$QUOTARO_PDF_QUEUE" 2>/dev/null | grep -q "pdftops-renderer=pdftocairo"; then
    lpadmin -p "$QUOTARO_PDF_QUEUE" -o pdftops-renderer-default=pdftocairo 2>/dev/null || true
  fi
  if ! lpstat -p "$QUOTARO_REFUSING_QUEUE" >/dev/null 2>&1; then
    lpadmin -p "$QUOTARO_REFUSING_QUEUE" -v capture:/ -E \
      || echo "Note: could not create the queue $QUOTARO_REFUSING_QUEUE."
  fi
  # Queues left stopped or refusing by an earlier run are put back to work,
  # and the refusing one refuses.
  cupsenable "$QUOTARO_CAPTURE_QUEUE" "$QUOTARO_PDF_QUEUE" 2>/dev/null || true
  cupsaccept "$QUOTARO_CAPTURE_QUEUE" "$QUOTARO_PDF_QUEUE" 2>/dev/null || true
  cupsreject -r "refuses every job (Quotaro tests)" "$QUOTARO_REFUSING_QUEUE" 2>/dev/null || true
  echo "Print service ready: queues $QUOTARO_CAPTURE_QUEUE (into $QUOTARO_CAPTURE_DIR), $QUOTARO_PDF_QUEUE (into $QUOTARO_CUPS_PDF_DIR) and $QUOTARO_REFUSING_QUEUE (refusing)."
  return 0
}
