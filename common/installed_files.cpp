// The uninstaller's list of installed files: the product's own files and
// those of the other Quillstar tools that share the install folder. Each
// name occurs once, letter case ignored.
#include "file_lists.h"

#include "product.h"

const char kInstalledFileNames[] =
    // Executables (25)
    PRODUCT_EXE_NAME "\0" SETUP_EXE_NAME "\0"
    "Tallyfox.exe\0" "Inkwell.exe\0" "Quillpad.exe\0" "Scribbet.exe\0" "Tallymark.exe\0"
    "Clipmint.exe\0" "Notewise.exe\0" "Calcora.exe\0" "NibTimer.exe\0" "Alarmo.exe\0"
    "Deskora.exe\0" "Pagemark.exe\0" "Runeboard.exe\0" "Snapquill.exe\0" "Penstroke.exe\0"
    "Zipquill.exe\0" "Fontana.exe\0" "Colorix.exe\0" "Keymora.exe\0" "Dictora.exe\0"
    "Sortify.exe\0" "Taskora.exe\0" "Mailquill.exe\0"

    // Help pages (28)
    "chronex.htm\0" "index.htm\0" "order.htm\0" "de.htm\0" "deorder.htm\0"
    "tallyfox.htm\0" "inkwell.htm\0" "quillpad.htm\0" "scribbet.htm\0" "tallymark.htm\0"
    "clipmint.htm\0" "notewise.htm\0" "calcora.htm\0" "nibtimer.htm\0" "alarmo.htm\0"
    "deskora.htm\0" "pagemark.htm\0" "runeboard.htm\0" "snapquill.htm\0" "penstroke.htm\0"
    "zipquill.htm\0" "fontana.htm\0" "colorix.htm\0" "keymora.htm\0" "dictora.htm\0"
    "sortify.htm\0" "taskora.htm\0" "mailquill.htm\0"

    // Sounds (35)
    "alarm1.wav\0" "alarm2.wav\0" "alarm3.wav\0" "alarm4.wav\0" "alarm5.wav\0"
    "alarm6.wav\0" "alarm7.wav\0" "alarm8.wav\0" "bell.wav\0" "beep.wav\0"
    "bubble.wav\0" "buzz.wav\0" "chime.wav\0" "chirp.wav\0" "click.wav\0"
    "clock1.wav\0" "clock2.wav\0" "clock3.wav\0" "cuckoo.wav\0" "ding.wav\0"
    "drip.wav\0" "gong.wav\0" "harp.wav\0" "horn.wav\0" "knock.wav\0"
    "marimba.wav\0" "piano.wav\0" "pop.wav\0" "quill.wav\0" "rooster.wav\0"
    "scratch.wav\0" "tick.wav\0" "tock.wav\0" "whistle.wav\0" "xylophone.wav\0"

    // Melodies (10)
    "bolero.mid\0" "etude.mid\0" "gavotte.mid\0" "march.mid\0" "minuet.mid\0"
    "nocturne.mid\0" "prelude.mid\0" "rondo.mid\0" "sonata.mid\0" "waltz.mid\0"

    // Internet shortcuts (3)
    PRODUCT_DISPLAY_NAME " Homepage.url" "\0" "Quillstar Homepage.url\0" "Quillstar Downloads.url\0"

    // Icons (2)
    "Settings.ico\0" "Quillstar.ico\0"

    // Texts (2)
    "la.txt\0" "history.txt\0"

    // Data of another tool of the family (1)
    "Tallyfox.tfd\0";

