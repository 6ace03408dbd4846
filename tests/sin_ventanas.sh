#!/bin/sh
# Fails when one of the programs given loads Qt Widgets or Qt Gui: the
# libraries under the widgets show nothing themselves.
falla=0
for programa in "$@"; do
    if ldd "$programa" | grep -E 'libQt6(Widgets|Gui)'; then
        echo "$(basename "$programa") loads a window library" >&2
        falla=1
    fi
done
exit $falla
