# Runs the program with its standard input closed.
exec "$VTX32_HELPERS/vtx32" "$@" <&-
