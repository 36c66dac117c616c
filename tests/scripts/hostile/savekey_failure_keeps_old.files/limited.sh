# Runs the program where no file may grow past 4 KiB, as a full disk would stop it; the
# signal that limit raises is ignored, so the write fails with an error instead.
trap '' XFSZ
ulimit -f 4
exec "$VTX32_HELPERS/vtx32" "$@"
