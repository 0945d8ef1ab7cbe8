// The uninstaller's list of installed files: the product's own files and
// those of the other Quillstar tools that share the install folder. Each
// name occurs once, letter case ignored.
#include "file_lists.h"

#include "product.h"

const char *const kInstalledFileList[] = {
    // Executables (25)
    PRODUCT_EXE_NAME, SETUP_EXE_NAME,
    "Tallyfox.exe", "Inkwell.exe", "Quillpad.exe", "Scribbet.exe", "Tallymark.exe",
    "Clipmint.exe", "Notewise.exe", "Calcora.exe", "NibTimer.exe", "Alarmo.exe",
    "Deskora.exe", "Pagemark.exe", "Runeboard.exe", "Snapquill.exe", "Penstroke.exe",
    "Zipquill.exe", "Fontana.exe", "Colorix.exe", "Keymora.exe", "Dictora.exe",
    "Sortify.exe", "Taskora.exe", "Mailquill.exe",

    // Help pages (28)
    "chronex.htm", "index.htm", "order.htm", "de.htm", "deorder.htm",
    "tallyfox.htm", "inkwell.htm", "quillpad.htm", "scribbet.htm", "tallymark.htm",
    "clipmint.htm", "notewise.htm", "calcora.htm", "nibtimer.htm", "alarmo.htm",
    "deskora.htm", "pagemark.htm", "runeboard.htm", "snapquill.htm", "penstroke.htm",
    "zipquill.htm", "fontana.htm", "colorix.htm", "keymora.htm", "dictora.htm",
    "sortify.htm", "taskora.htm", "mailquill.htm",

    // Sounds (35)
    "alarm1.wav", "alarm2.wav", "alarm3.wav", "alarm4.wav", "alarm5.wav",
    "alarm6.wav", "alarm7.wav", "alarm8.wav", "bell.wav", "beep.wav",
    "bubble.wav", "buzz.wav", "chime.wav", "chirp.wav", "click.wav",
    "clock1.wav", "clock2.wav", "clock3.wav", "cuckoo.wav", "ding.wav",
    "drip.wav", "gong.wav", "harp.wav", "horn.wav", "knock.wav",
    "marimba.wav", "piano.wav", "pop.wav", "quill.wav", "rooster.wav",
    "scratch.wav", "tick.wav", "tock.wav", "whistle.wav", "xylophone.wav",

    // Melodies (10)
    "bolero.mid", "etude.mid", "gavotte.mid", "march.mid", "minuet.mid",
    "nocturne.mid", "prelude.mid", "rondo.mid", "sonata.mid", "waltz.mid",

    // Internet shortcuts (3)
    PRODUCT_DISPLAY_NAME " Homepage.url", "Quillstar Homepage.url", "Quillstar Downloads.url",

    // Icons (2)
    "Settings.ico", "Quillstar.ico",

    // Texts (2)
    "la.txt", "history.txt",

    // Data of another tool of the family (1)
    "Tallyfox.tfd",
};
const size_t kInstalledFileCount = sizeof(kInstalledFileList) / sizeof(kInstalledFileList[0]);
