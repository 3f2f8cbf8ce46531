#!/bin/sh
# Runs a command as an ordinary user: as itself when it is one, else as nobody,
# since root may write a read-only file and the test is about a user who may not.
if [ "$(id -u)" = 0 ]; then
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
fi
exec "$@"
