#!/bin/sh
# Fails when an object file of the library carries a static constructor or
# thread-local data: the library enters at DllMain without any start-up code,
# so either would be linked in and silently never run.
objdump=$1
shift
found=$("$objdump" -h "$@" | awk '/file format/ {file=$1} $2 ~ /^\.(ctors|dtors|init_array|fini_array|tls)/ {print file, $2}')
if [ -n "$found" ]; then
    echo "start-up code the library never runs:" >&2
    echo "$found" >&2
    exit 1
fi
